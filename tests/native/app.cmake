zv_test(native_app TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/app/VersionTextTest.cpp)
