#include "media/FrameNumber.h"

#include <gtest/gtest.h>

using zv::FrameAtPosition;

TEST(FrameNumber, PositionTimesFrameRate) {
  EXPECT_EQ(FrameAtPosition(0, 400000), 0);
  EXPECT_EQ(FrameAtPosition(10000000, 400000), 25);  // 1 s at 25 frames per second
  EXPECT_EQ(FrameAtPosition(10390000, 400000), 25);  // a millisecond before the next frame
  EXPECT_EQ(FrameAtPosition(10400000, 400000), 26);
  EXPECT_EQ(FrameAtPosition(-1, 400000), -1);
  EXPECT_EQ(FrameAtPosition(10000000, 0), -1);
}

TEST(FrameNumber, RoundedFrameDurationDoesNotLoseFramesOverAnHour) {
  // 30000/1001 frames per second: 333666.67 units per frame, stored as 333667.
  for (int64_t frame : {1, 3, 1000, 107892}) {
    const int64_t start = (frame * 10010000 + 29) / 30;  // the frame's exact start, rounded up
    EXPECT_EQ(FrameAtPosition(start, 333667), frame) << frame;
    EXPECT_EQ(FrameAtPosition(start + 200000, 333667), frame) << frame;
  }
}
