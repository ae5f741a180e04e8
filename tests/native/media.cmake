zv_test(native_media TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/media/VideoPlacementTest.cpp native/media/YuvFrameTest.cpp
          native/media/DvdSubpictureTest.cpp
          native/media/ScreenshotNameTest.cpp)
