# Files of app/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  app/VersionText.cpp
)
list(APPEND ZV_WIN_SOURCES
  app/ZentravueApp.cpp
)
