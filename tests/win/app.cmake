zv_test(win_app TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/app/ResourcesTest.cpp $<TARGET_OBJECTS:zentrares>)
zv_test(win_app_registry TIMEOUT 60
  LIBS zv_wintest
  SOURCES win/app/AppRegistryTest.cpp win/app/DebugLogTest.cpp $<TARGET_OBJECTS:zentrares>)
