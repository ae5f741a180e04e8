# Files of player/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  player/LayoutMath.cpp
  player/MediaFileNames.cpp
  player/OpenDialogFilter.cpp
  player/SliderPosition.cpp
  player/ToolBarButtons.cpp
  player/ToolBarSlots.cpp
  player/TransportRules.cpp
  player/WindowPlacement.cpp
)
list(APPEND ZV_WIN_SOURCES
  player/FileDialogs.cpp
  player/FolderScan.cpp
  player/Hyperlink.cpp
  player/PlayerCommandLine.cpp
  player/PlayerDvd.cpp
  player/PlayerEvents.cpp
  player/PlayerHandOver.cpp
  player/PlayerLayout.cpp
  player/PlayerMenus.cpp
  player/PlayerOpening.cpp
  player/PlayerSettings.cpp
  player/PlayerLanguage.cpp
  player/PlayerSystem.cpp
  player/PlayerTransport.cpp
  player/ImageButton.cpp
  player/StatusBar.cpp
  player/ToolBar.cpp
  player/ToolBarImages.cpp
  player/XPButton.cpp
  player/ZentravueDlg.cpp
  player/ZentSliderCtrl.cpp
  player/PlayerScreenshot.cpp
  player/PlayerWindowModes.cpp
)
