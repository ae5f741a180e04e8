// The remote-control codes and the texts of their answers.
#include "player/RemoteCodes.h"

#include <gtest/gtest.h>

namespace remote = zv::remote;

TEST(RemoteCodes, TwelveCommandsTwelveQueriesAndNothingElse) {
  int commands = 0, queries = 0;
  for (uint64_t code = 0; code <= 0xFFFF; ++code) {
    if (remote::KindOf(code) == remote::CodeKind::Command) ++commands;
    if (remote::KindOf(code) == remote::CodeKind::Query) ++queries;
  }
  EXPECT_EQ(commands, 12);
  EXPECT_EQ(queries, 12);
  for (uint64_t code : {2ull, 3ull, 23ull, 24ull, 25ull, 26ull, 27ull, 28ull, 29ull, 30ull, 31ull, 32ull})
    EXPECT_EQ(remote::KindOf(code), remote::CodeKind::Command) << code;
  for (uint64_t code : {1ull, 4ull, 5ull, 6ull, 7ull, 8ull, 9ull, 10ull, 11ull, 12ull, 33ull, 34ull})
    EXPECT_EQ(remote::KindOf(code), remote::CodeKind::Query) << code;
  // The whole parameter is the code: high bits make it no code at all.
  EXPECT_EQ(remote::KindOf(0x100000002ull), remote::CodeKind::Other);
  EXPECT_EQ(remote::KindOf(0x10001ull), remote::CodeKind::Other);
}

TEST(RemoteCodes, NamesLoseOnlyTheirLastExtension) {
  EXPECT_EQ(remote::WithoutExtension(u"clip.avi"), u"clip");
  EXPECT_EQ(remote::WithoutExtension(u"my.holiday.mkv"), u"my.holiday");
  EXPECT_EQ(remote::WithoutExtension(u"disc"), u"disc");
  EXPECT_EQ(remote::WithoutExtension(u".hidden"), u".hidden");
  EXPECT_EQ(remote::WithoutExtension(u""), u"");
}

TEST(RemoteCodes, AnswerTexts) {
  EXPECT_EQ(remote::IntegerText(0), u"0");
  EXPECT_EQ(remote::IntegerText(-10000), u"-10000");
  EXPECT_EQ(remote::IntegerText(720), u"720");
  EXPECT_EQ(remote::FrameRateText(25.0), u"25.00 fps");
  EXPECT_EQ(remote::FrameRateText(29.97002997), u"29.97 fps");
  EXPECT_EQ(remote::PositionRatioText(250, 1000), u"0.250000");
  EXPECT_EQ(remote::PositionRatioText(1000, 1000), u"1.000000");
  // A stream without a duration has no ratio to divide out.
  EXPECT_EQ(remote::PositionRatioText(500, 0), u"0.000000");
  EXPECT_EQ(remote::PositionRatioText(500, -1), u"0.000000");
}
