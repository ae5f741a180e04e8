#include "media/ScreenshotName.h"

#include <gtest/gtest.h>

#include <set>

namespace {
bool Nothing(const std::u16string&) { return false; }
}  // namespace

TEST(ScreenshotName, BasePathWithAndWithoutTrailingBackslashIsTheSame) {
  EXPECT_EQ(zv::ScreenshotBasePath(u"C:\\shots", u"holiday.avi"), u"C:\\shots\\holiday");
  EXPECT_EQ(zv::ScreenshotBasePath(u"C:\\shots\\", u"holiday.avi"), u"C:\\shots\\holiday");
  EXPECT_EQ(zv::ScreenshotBasePath(u"C:\\shots", u"a.b.mkv"), u"C:\\shots\\a.b");
  EXPECT_EQ(zv::ScreenshotBasePath(u"C:\\shots", u"noextension"), u"C:\\shots\\noextension");
}

TEST(ScreenshotName, KnownFrameGivesTheFrameNameEvenWhenItExists) {
  const auto everything = [](const std::u16string&) { return true; };
  EXPECT_EQ(zv::ScreenshotFileName(u"C:\\s\\holiday", 1234, 49360, u"jpg", Nothing), u"C:\\s\\holiday_1234.jpg");
  EXPECT_EQ(zv::ScreenshotFileName(u"C:\\s\\holiday", 0, 0, u"bmp", everything), u"C:\\s\\holiday_0.bmp");
}

TEST(ScreenshotName, UnknownFrameNeverNamesAnExistingFile) {
  std::set<std::u16string> folder;
  const auto exists = [&](const std::u16string& name) { return folder.count(name) != 0; };
  // The same paused position three times, then another position.
  for (int i = 0; i < 3; ++i) folder.insert(zv::ScreenshotFileName(u"x", -1, 2040, u"jpg", exists));
  folder.insert(zv::ScreenshotFileName(u"x", -1, 3000, u"jpg", exists));
  EXPECT_EQ(folder, (std::set<std::u16string>{u"x_2040ms.jpg", u"x_2040ms_2.jpg", u"x_2040ms_3.jpg",
                                               u"x_3000ms.jpg"}));
  EXPECT_EQ(zv::ScreenshotFileName(u"x", -1, -5, u"bmp", Nothing), u"x_0ms.bmp");
}
