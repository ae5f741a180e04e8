zv_test(native_media TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/media/VideoPlacementTest.cpp native/media/YuvFrameTest.cpp
          native/media/DvdSubpictureTest.cpp native/media/FrameNumberTest.cpp
          native/media/MediaErrorTextTest.cpp
          native/media/ScreenshotNameTest.cpp)
zv_test(native_media_streams TIMEOUT 60
  LIBS zentracore GTest::gtest_main
  SOURCES native/media/TrackTagsTest.cpp)
