# Files of streaming/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  streaming/BlockCache.cpp
  streaming/FetchPlan.cpp
  streaming/HttpAnswer.cpp
  streaming/StreamAddress.cpp
  streaming/StreamSniff.cpp
)
list(APPEND ZV_WIN_SOURCES
  streaming/ReceiverPages.cpp
  streaming/HttpSourceFilter.cpp
  streaming/HttpSourcePin.cpp
  streaming/HttpStream.cpp
  streaming/NetworkRender.cpp
  streaming/StreamingDlg.cpp
)
