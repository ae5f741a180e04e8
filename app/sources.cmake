# Files of app/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  app/CmdLineInfo.cpp
  app/CmdLineValues.cpp
  app/FileAssocs.cpp
  app/HandOverItems.cpp
  app/InstanceCandidate.cpp
  app/MediaUnits.cpp
  app/RecentMedia.cpp
  app/RegistryAccess.cpp
  app/RegistryLanguageChoice.cpp
  app/Settings.cpp
  app/TextUtil.cpp
  app/VersionText.cpp
)
list(APPEND ZV_WIN_SOURCES
  app/DebugDlg.cpp
  app/LanguageAtStart.cpp
  app/ProductName.cpp
  app/SingleInstance.cpp
  app/WinRegistry.cpp
  app/WinSettingsHost.cpp
  app/ZentravueApp.cpp
)
