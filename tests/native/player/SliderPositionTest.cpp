// A click on a track bar jumps to the clicked point.
#include "player/SliderPosition.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using zv::SliderPositionFromPoint;

TEST(SliderPosition, FarLeftGivesMinAndVeryRightEndGivesMax) {
  EXPECT_EQ(SliderPositionFromPoint(8, 8, 508, 0, 999), 0);
  EXPECT_EQ(SliderPositionFromPoint(508, 8, 508, 0, 999), 999);
  EXPECT_EQ(SliderPositionFromPoint(0, 8, 508, 0, 999), 0);
  EXPECT_EQ(SliderPositionFromPoint(600, 8, 508, 0, 999), 999);
}

TEST(SliderPosition, InnerPointsFollowTheFormula) {
  // x = 0.5: 0 + 1000 * 0.5 + 0.5 - 0.5 = 500
  EXPECT_EQ(SliderPositionFromPoint(258, 8, 508, 0, 999), 500);
  // x = 0.25: 250 + 0.25 = 250.25
  EXPECT_EQ(SliderPositionFromPoint(133, 8, 508, 0, 999), 250);
  // Volume bar 0..100 over a 60 pixel channel: x = 0.1 -> 10.1 + 0.4 = 10.5
  EXPECT_EQ(SliderPositionFromPoint(16, 10, 70, 0, 100), 10);
  EXPECT_EQ(SliderPositionFromPoint(70, 10, 70, 0, 100), 100);
}

TEST(SliderPosition, RangeWithOffsetStartsAtMin) {
  EXPECT_EQ(SliderPositionFromPoint(10, 10, 110, 50, 60), 50);
  EXPECT_EQ(SliderPositionFromPoint(110, 10, 110, 50, 60), 60);
  EXPECT_EQ(SliderPositionFromPoint(10, 10, 110, -10, 10), -10);
  EXPECT_EQ(SliderPositionFromPoint(110, 10, 110, -10, 10), 10);
}

TEST(SliderPosition, DegenerateBarsGiveMin) {
  EXPECT_EQ(SliderPositionFromPoint(50, 10, 10, 0, 999), 0);
  EXPECT_EQ(SliderPositionFromPoint(50, 20, 10, 0, 999), 0);
  EXPECT_EQ(SliderPositionFromPoint(50, 10, 110, 0, 0), 0);
  EXPECT_EQ(SliderPositionFromPoint(50, 10, 110, 7, 3), 7);
}

TEST(SliderPosition, ExtremeRangesStayInRange) {
  EXPECT_EQ(SliderPositionFromPoint(110, 10, 110, 0, INT_MAX), INT_MAX);
  EXPECT_EQ(SliderPositionFromPoint(10, 10, 110, INT_MIN, INT_MAX), INT_MIN);
  EXPECT_EQ(SliderPositionFromPoint(INT_MAX, INT_MIN, INT_MAX, 0, 10), 10);
}

}  // namespace
