zv_test(native_app TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/app/VersionTextTest.cpp
          native/app/CmdLineInfoTest.cpp
          native/app/CmdLineValuesTest.cpp
          native/app/SettingsTest.cpp
          native/app/RecentMediaTest.cpp
          native/app/HandOverItemsTest.cpp)
zv_test(native_start_up TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/app/LocaleLanguageTest.cpp native/app/InstanceCandidateTest.cpp
          native/app/CommandLineSplitTest.cpp)
