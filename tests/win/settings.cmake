zv_test(win_settings TIMEOUT 180
  LIBS zv_wintest
  SOURCES win/settings/SettingsTestSupport.cpp win/settings/SettingsDialogTest.cpp
          win/settings/SettingsPlayerTest.cpp win/settings/SettingsInputTest.cpp
          win/settings/SettingsLayoutTest.cpp
          $<TARGET_OBJECTS:zentrares>)
