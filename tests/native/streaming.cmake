zv_test(native_streaming TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/streaming/HttpAnswerTest.cpp native/streaming/BlockCacheTest.cpp
          native/streaming/FetchPlanTest.cpp native/streaming/StreamAddressTest.cpp)
