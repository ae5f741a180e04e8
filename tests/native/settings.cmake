zv_test(native_settings TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/settings/SettingsFormTest.cpp)
