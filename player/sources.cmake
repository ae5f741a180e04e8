# Files of player/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  player/LayoutMath.cpp
  player/MediaFileNames.cpp
  player/OpenDialogFilter.cpp
  player/SliderPosition.cpp
  player/StreamMenuModel.cpp
  player/ToolBarButtons.cpp
  player/ToolBarSlots.cpp
  player/TransportRules.cpp
)
list(APPEND ZV_WIN_SOURCES
  player/FolderScan.cpp
  player/Hyperlink.cpp
  player/InfoDlg.cpp
  player/PlayerBusy.cpp
  player/PlayerCommandLine.cpp
  player/PlayerDvd.cpp
  player/PlayerEvents.cpp
  player/PlayerHandOver.cpp
  player/PlayerHelp.cpp
  player/PlayerLayout.cpp
  player/PlayerMenus.cpp
  player/PlayerOpening.cpp
  player/PlayerSettings.cpp
  player/PlayerSystem.cpp
  player/PlayerPlaylistWindow.cpp
  player/PlayerStreams.cpp
  player/PlayerTransport.cpp
  player/PlayerTranslation.cpp
  player/ImageButton.cpp
  player/StatusBar.cpp
  player/ToolBar.cpp
  player/ToolBarImages.cpp
  player/XPButton.cpp
  player/ZentravueDlg.cpp
  player/ZentSliderCtrl.cpp
)
