# Files of settings/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  settings/LocaleLanguage.cpp
)
list(APPEND ZV_WIN_SOURCES
  settings/SettingsLanguage.cpp
)
