# Files of player/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  player/LayoutMath.cpp
  player/SliderPosition.cpp
  player/ToolBarButtons.cpp
  player/ToolBarSlots.cpp
)
list(APPEND ZV_WIN_SOURCES
  player/ZentravueDlg.cpp
)
