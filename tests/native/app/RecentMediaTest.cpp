#include "app/RecentMedia.h"

#include "tests/native/app/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kRoot = u"Software\\Ostrel-Software\\Zentra-VueX64";
const std::u16string kHistory = kRoot + u"\\VideoHistory";

std::u16string StringAt(const MemoryRegistry& registry, const std::u16string& key, const std::u16string& name) {
  const zv::RegValue* value = registry.Get(key, name);
  if (!value) return u"<missing>";
  return zv::DecodeString(*value).value_or(u"<bad>");
}

std::vector<std::u16string> MenuNames(const zv::RecentMedia& recent) {
  std::vector<std::u16string> names;
  for (const auto& item : recent.MenuItems()) names.push_back(item.name);
  return names;
}

class RecentMediaTest : public testing::Test {
 protected:
  MemoryRegistry registry;
  zv::RecentMedia recent{registry, kRoot};

  void Open(const std::u16string& folder, const std::u16string& name) {
    recent.Add(name, folder + u"\\" + name);
  }
};

}  // namespace

TEST_F(RecentMediaTest, SixFilesKeepTheLastFiveNewestFirst) {
  for (const char16_t* name : {u"1.avi", u"2.avi", u"3.avi", u"4.avi", u"5.avi", u"6.avi"})
    Open(u"C:\\v", name);
  EXPECT_EQ(MenuNames(recent), (std::vector<std::u16string>{u"6.avi", u"5.avi", u"4.avi", u"3.avi", u"2.avi"}));
  EXPECT_EQ(StringAt(registry, kHistory, u"5_FullFilename"), u"C:\\v\\2.avi");
  const auto items = recent.MenuItems();
  EXPECT_EQ(items.front().slot, 1);
  EXPECT_EQ(items.back().slot, 5);
}

TEST_F(RecentMediaTest, ReopeningSlotThreeMovesOnlyTheSlotsAboveIt) {
  for (const char16_t* name : {u"e.avi", u"d.avi", u"c.avi", u"b.avi", u"a.avi"}) Open(u"C:\\v", name);
  ASSERT_EQ(MenuNames(recent), (std::vector<std::u16string>{u"a.avi", u"b.avi", u"c.avi", u"d.avi", u"e.avi"}));
  EXPECT_TRUE(recent.Add(u"c.avi", u"D:\\other\\c.avi"));
  EXPECT_EQ(MenuNames(recent), (std::vector<std::u16string>{u"c.avi", u"a.avi", u"b.avi", u"d.avi", u"e.avi"}));
  EXPECT_EQ(StringAt(registry, kHistory, u"1_FullFilename"), u"D:\\other\\c.avi");
  EXPECT_EQ(StringAt(registry, kHistory, u"3_FullFilename"), u"C:\\v\\b.avi");
  EXPECT_EQ(StringAt(registry, kHistory, u"4_FullFilename"), u"C:\\v\\d.avi");
}

TEST_F(RecentMediaTest, ReopeningSlotOneFromAnotherFolderChangesOnlyItsFullName) {
  Open(u"C:\\v", u"b.avi");
  Open(u"C:\\v", u"a.avi");
  EXPECT_FALSE(recent.Add(u"a.avi", u"E:\\else\\a.avi")) << "the menu need not be rebuilt";
  EXPECT_EQ(StringAt(registry, kHistory, u"1_FullFilename"), u"E:\\else\\a.avi");
  EXPECT_EQ(StringAt(registry, kHistory, u"1_Name"), u"a.avi");
  EXPECT_EQ(StringAt(registry, kHistory, u"2_Name"), u"b.avi");
}

TEST_F(RecentMediaTest, NamesCompareWithCase) {
  Open(u"C:\\v", u"Clip.avi");
  Open(u"C:\\v", u"clip.avi");
  EXPECT_EQ(MenuNames(recent), (std::vector<std::u16string>{u"clip.avi", u"Clip.avi"}));
}

TEST_F(RecentMediaTest, MissingSlotIsSkippedAndOthersKeepTheirNumbers) {
  registry.Put(kHistory, u"1_Name", zv::EncodeString(u"a.avi"));
  registry.Put(kHistory, u"2_Name", zv::EncodeDword(7));  // wrong type
  registry.Put(kHistory, u"4_Name", zv::EncodeString(u"d.avi"));
  const auto items = recent.MenuItems();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].slot, 1);
  EXPECT_EQ(items[1].slot, 4);
  EXPECT_FALSE(recent.FullName(4)) << "a slot without its full name opens nothing";
  EXPECT_FALSE(recent.FullName(0));
  EXPECT_FALSE(recent.FullName(6));
}

TEST_F(RecentMediaTest, NoKeyGivesAnEmptyMenuAndFailingCreateChangesNothing) {
  EXPECT_TRUE(recent.MenuItems().empty());
  registry.failCreate = true;
  EXPECT_FALSE(recent.Add(u"a.avi", u"C:\\a.avi"));
  EXPECT_TRUE(recent.MenuItems().empty());
}

TEST_F(RecentMediaTest, ClearingKeepsResumePositions) {
  Open(u"C:\\v", u"a.avi");
  recent.StoreResumePosition(u"a.avi", 1234);
  recent.Clear();
  EXPECT_TRUE(recent.MenuItems().empty());
  EXPECT_FALSE(registry.HasKey(kHistory));
  EXPECT_TRUE(recent.HasResumePosition(u"a.avi"));
}

TEST_F(RecentMediaTest, ResumePositionIsSecondsWithTwoDecimalsAndJumpsToWholeSeconds) {
  recent.StoreResumePosition(u"film.mkv", 372345);  // 1 h 2 min 3.45 s
  EXPECT_EQ(StringAt(registry, kRoot + u"\\Videos", u"film.mkv"), u"3723.45");
  EXPECT_TRUE(recent.HasResumePosition(u"film.mkv"));
  EXPECT_EQ(recent.ResumeSeconds(u"film.mkv"), 3723);
}

TEST_F(RecentMediaTest, ZeroOrUnreadableResumePositionIsNone) {
  recent.StoreResumePosition(u"zero.avi", 0);
  EXPECT_EQ(StringAt(registry, kRoot + u"\\Videos", u"zero.avi"), u"0.00");
  EXPECT_FALSE(recent.HasResumePosition(u"zero.avi"));
  EXPECT_EQ(recent.ResumeSeconds(u"zero.avi"), 0);
  registry.Put(kRoot + u"\\Videos", u"junk.avi", zv::EncodeString(u"abc"));
  EXPECT_FALSE(recent.HasResumePosition(u"junk.avi"));
  EXPECT_FALSE(recent.HasResumePosition(u"never.avi"));
  recent.StoreResumePosition(u"half.avi", 50);
  EXPECT_TRUE(recent.HasResumePosition(u"half.avi")) << "0.50 is more than 0";
  EXPECT_EQ(recent.ResumeSeconds(u"half.avi"), 0) << "but jumps nowhere";
}

TEST(RecentMediaFormat, ResumeTextAndNamePart) {
  EXPECT_EQ(zv::FormatResumeSeconds(5), u"0.05");
  EXPECT_EQ(zv::FormatResumeSeconds(100), u"1.00");
  EXPECT_EQ(zv::FormatResumeSeconds(2147483647), u"21474836.47");
  EXPECT_EQ(zv::NamePartOf(u"C:\\Videos\\a b.avi"), u"a b.avi");
  EXPECT_EQ(zv::NamePartOf(u"http://host/live/stream.ts"), u"stream.ts");
  EXPECT_EQ(zv::NamePartOf(u"http://host/"), u"http://host/");
  EXPECT_EQ(zv::NamePartOf(u"plain.mp3"), u"plain.mp3");
}

TEST_F(RecentMediaTest, NamesOfAnyLengthMoveDownWhole) {
  const std::u16string folder = u"C:\\" + std::u16string(300, u'x');
  const std::u16string longName = std::u16string(270, u'n') + u".avi";
  Open(u"C:\\v", u"old.avi");
  Open(folder, longName);
  Open(u"C:\\v", u"new.avi");
  EXPECT_EQ(MenuNames(recent), (std::vector<std::u16string>{u"new.avi", longName, u"old.avi"}));
  const zv::RegValue* moved = registry.Get(kHistory, u"2_FullFilename");
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(zv::DecodeString(*moved, 1000), folder + u"\\" + longName) << "slot 2 kept another file's name";
  EXPECT_EQ(recent.FullName(2), folder + u"\\" + longName);
}
