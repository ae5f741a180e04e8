# Files of streaming/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
)
list(APPEND ZV_WIN_SOURCES
  streaming/ReceiverPages.cpp
)
