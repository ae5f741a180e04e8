// The hand-over table: codes, posting order and what stays behind.
#include "app/HandOverItems.h"

#include <gtest/gtest.h>

#include <vector>

TEST(HandOverItems, TextsAndFlagsGoInTheFixedOrder) {
  size_t count = 0;
  const zv::HandOverText* texts = zv::HandOverTexts(&count);
  ASSERT_EQ(count, 7u);
  for (size_t i = 0; i < count; ++i) EXPECT_EQ(texts[i].code, 1001 + static_cast<int>(i));
  const zv::HandOverFlag* flags = zv::HandOverFlags(&count);
  std::vector<int> codes;
  for (size_t i = 0; i < count; ++i) codes.push_back(flags[i].code);
  EXPECT_EQ(codes, (std::vector<int>{3001, 3002, 3003, 3004, 4001, 4002, 4003, 4004, 4005, 4006, 4007, 4008,
                                     4009, 4010}));
}

TEST(HandOverItems, EachCodeReachesItsOwnField) {
  CCmdLineInfo info;
  info.ParseArguments({u"/size:2x", u"/wndpos:1,2", u"/jumptopos:3", u"/volume:4", u"/bordercol:5,6,7",
                       u"/audio:a.mp3", u"/nofullscreen", u"/nosplash", u"/pause", u"/nomute", u"film.avi"});
  const char16_t* expected[] = {u"film.avi", u"2x", u"1,2", u"3", u"4", u"5,6,7", u"a.mp3"};
  for (int code = 1001; code <= 1007; ++code) {
    const zv::HandOverText* item = zv::FindHandOverText(code);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ((info.*item->get)(), expected[code - 1001]) << code;
  }
  EXPECT_TRUE(info.*zv::FindHandOverFlag(3002)->flag);
  EXPECT_TRUE(info.*zv::FindHandOverFlag(4004)->flag);
  EXPECT_TRUE(info.*zv::FindHandOverFlag(4006)->flag);
  EXPECT_TRUE(info.*zv::FindHandOverFlag(4010)->flag);
  EXPECT_FALSE(info.*zv::FindHandOverFlag(3001)->flag);
  // Setting through the table replaces the receiver's text.
  (info.*zv::FindHandOverText(1002)->set)(u"");
  EXPECT_EQ(info.Size(), u"");
}

TEST(HandOverItems, DebugTrayHideAndCloseAreNotHandedOver) {
  size_t count = 0;
  const zv::HandOverFlag* flags = zv::HandOverFlags(&count);
  for (size_t i = 0; i < count; ++i) {
    EXPECT_NE(flags[i].flag, &CCmdLineInfo::Debug);
    EXPECT_NE(flags[i].flag, &CCmdLineInfo::SysTray);
    EXPECT_NE(flags[i].flag, &CCmdLineInfo::Hide);
    EXPECT_NE(flags[i].flag, &CCmdLineInfo::Close);
  }
  EXPECT_EQ(zv::FindHandOverText(1000), nullptr);
  EXPECT_EQ(zv::FindHandOverFlag(3005), nullptr);
  EXPECT_EQ(zv::FindHandOverFlag(-1), nullptr);
}
