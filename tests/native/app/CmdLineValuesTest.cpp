#include "app/CmdLineValues.h"

#include <gtest/gtest.h>

#include "app/MediaUnits.h"

TEST(CmdLineSize, FactorScalesTheNativeSize) {
  auto size = zv::InterpretSize(u"0.5x", 720, 576);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 360);
  EXPECT_EQ(size->height, 288);
  size = zv::InterpretSize(u"3x", 320, 240);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 960);
  EXPECT_EQ(size->height, 720);
}

TEST(CmdLineSize, WidthAndHeightAreTakenAsGivenAndTruncated) {
  auto size = zv::InterpretSize(u" 640.9X 480", 720, 576);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 640);
  EXPECT_EQ(size->height, 480);
}

TEST(CmdLineSize, LowerCaseXIsPreferredOverUpperCase) {
  // "X" is only looked for when there is no "x".
  auto size = zv::InterpretSize(u"2X3x", 100, 100);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 200);  // left "2X3" reads as 2, right is empty: factor 2
  EXPECT_EQ(size->height, 200);
}

TEST(CmdLineSize, MalformedValuesAreIgnored) {
  EXPECT_FALSE(zv::InterpretSize(u"x480", 720, 576));
  EXPECT_FALSE(zv::InterpretSize(u"640", 720, 576));
  EXPECT_FALSE(zv::InterpretSize(u"0x480", 720, 576));
  EXPECT_FALSE(zv::InterpretSize(u"", 720, 576));
  EXPECT_FALSE(zv::InterpretSize(u"-2x", 720, 576));
  auto huge = zv::InterpretSize(u"99999999999999999999x", 720, 576);
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->width, 2147483647);
}

TEST(CmdLineWindowPos, CornerCountsFromTheDesktopEdges) {
  auto request = zv::ParseWindowPos(u"10,20,rightbottom");
  ASSERT_TRUE(request);
  zv::ScreenPoint point = zv::PlaceAtCorner(*request, 1920, 1080);
  EXPECT_EQ(point.x, 1910);
  EXPECT_EQ(point.y, 1060);

  point = zv::PlaceAtCorner(*zv::ParseWindowPos(u"100,50,righttop"), 1920, 1080);
  EXPECT_EQ(point.x, 1820);
  EXPECT_EQ(point.y, 50);
  point = zv::PlaceAtCorner(*zv::ParseWindowPos(u"100,50,leftbottom"), 1920, 1080);
  EXPECT_EQ(point.x, 100);
  EXPECT_EQ(point.y, 1030);
}

TEST(CmdLineWindowPos, EmptyUnknownOrLeftTopCornerUsesTheNumbersAsGiven) {
  for (const char16_t* value : {u"100,50", u"100,50,", u"100,50,lefttop", u"100,50,RightBottom"}) {
    auto request = zv::ParseWindowPos(value);
    ASSERT_TRUE(request);
    zv::ScreenPoint point = zv::PlaceAtCorner(*request, 1920, 1080);
    EXPECT_EQ(point.x, 100);
    EXPECT_EQ(point.y, 50);
  }
}

TEST(CmdLineWindowPos, MissingCommaOrEmptyNumberIsIgnored) {
  EXPECT_FALSE(zv::ParseWindowPos(u"100"));
  EXPECT_FALSE(zv::ParseWindowPos(u",50"));
  EXPECT_FALSE(zv::ParseWindowPos(u"100,"));
  EXPECT_FALSE(zv::ParseWindowPos(u"100,,rightbottom"));
  auto negative = zv::ParseWindowPos(u"-5,abc");
  ASSERT_TRUE(negative);
  EXPECT_EQ(negative->x, -5);
  EXPECT_EQ(negative->y, 0);
}

TEST(CmdLineBorderColour, PartsCombineToAWindowsColour) {
  EXPECT_EQ(zv::InterpretBorderColour(u"255,255,255"), 0xFFFFFFu);
  EXPECT_EQ(zv::InterpretBorderColour(u"1,2,3"), 1u + 2u * 256u + 3u * 65536u);
  // Not clamped: 256 red carries into green.
  EXPECT_EQ(zv::InterpretBorderColour(u"256,0,0"), 256u);
  EXPECT_EQ(zv::InterpretBorderColour(u"1,2,3,4"), 1u + 2u * 256u + 3u * 65536u);
  EXPECT_FALSE(zv::InterpretBorderColour(u"1,2"));
  EXPECT_FALSE(zv::InterpretBorderColour(u"123"));
}

TEST(CmdLineJumpToPos, SecondsBecomeHundredthsTruncated) {
  EXPECT_EQ(zv::InterpretJumpToPos(u"12.345"), 1234);
  EXPECT_EQ(zv::InterpretJumpToPos(u"90s"), 9000);
  EXPECT_FALSE(zv::InterpretJumpToPos(u"0"));
  EXPECT_FALSE(zv::InterpretJumpToPos(u"soon"));
  EXPECT_FALSE(zv::InterpretJumpToPos(u""));
}

TEST(CmdLineVolume, PercentConvertsLogarithmically) {
  EXPECT_EQ(zv::InterpretVolume(u"100"), 0);
  EXPECT_EQ(zv::InterpretVolume(u"50"), -301);
  EXPECT_EQ(zv::InterpretVolume(u"0"), -10000);
  EXPECT_EQ(zv::InterpretVolume(u"50%"), -301);
}

TEST(CmdLineVolume, OutOfRangeMeansSilent) {
  EXPECT_EQ(zv::InterpretVolume(u"150"), -10000);
  EXPECT_EQ(zv::InterpretVolume(u"-1"), -10000);
  EXPECT_EQ(zv::InterpretVolume(u"loud"), -10000);
}

TEST(VolumeScale, PercentAndVolumeRoundTripForEveryWholePercent) {
  for (int percent = 0; percent <= 100; ++percent)
    EXPECT_EQ(zv::PercentFromVolume(zv::VolumeFromPercent(percent)), percent) << percent;
  EXPECT_EQ(zv::VolumeFromPercent(1), -1999);
  EXPECT_EQ(zv::VolumeFromPercent(10), -999);
  EXPECT_EQ(zv::PercentFromVolume(-10000), 0);
  EXPECT_EQ(zv::PercentFromVolume(0), 100);
  EXPECT_EQ(zv::PercentFromVolume(-1000), 10);
  EXPECT_EQ(zv::PercentFromVolume(-2500), 0);
  EXPECT_EQ(zv::PercentFromVolume(20000), 100);
}

TEST(TimeText, HoursMinutesSecondsWithTwoDigits) {
  EXPECT_EQ(zv::FormatTime(0), u"00:00:00");
  EXPECT_EQ(zv::FormatTime(6199), u"00:01:01");
  EXPECT_EQ(zv::FormatTime(360000 * 2 + 6000 * 3 + 500), u"02:03:05");
  EXPECT_EQ(zv::FormatTime(360000 * 123), u"123:00:00");
  EXPECT_EQ(zv::FormatTime(-500), u"00:00:00");
  EXPECT_EQ(zv::FormatTime(2147483647), u"5965:13:56");
}
