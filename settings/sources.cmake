# Files of settings/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  settings/SettingsForm.cpp
  settings/LocaleLanguage.cpp
)
list(APPEND ZV_WIN_SOURCES
  settings/MonitorList.cpp
  settings/SettingsDialog.cpp
  settings/SettingsDVD.cpp
  settings/SettingsGeneral.cpp
  settings/SettingsLanguage.cpp
  settings/SettingsPage.cpp
  settings/SettingsPlayback.cpp
  settings/SettingsShortcuts.cpp
  settings/SettingsVideo.cpp
)
