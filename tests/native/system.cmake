zv_test(native_system TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/system/UpdateProtocolTest.cpp)
