#include "framework/App.h"
#include "framework/Menu.h"
#include "framework/WideString.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorded {
  std::wstring text;
  bool isFlag;
  bool isLast;
};

class Recorder : public fw::CommandLineReceiver {
 public:
  std::vector<Recorded> params;
  void ParseParam(const std::wstring& param, bool isFlag, bool isLast) override {
    params.push_back({param, isFlag, isLast});
  }
};

}  // namespace

TEST(CommandLine, FlagsLoseTheirPrefixAndQuotesGroupWords) {
  Recorder r;
  fw::ParseCommandLineText(LR"(Zentravue.exe "C:\My Videos\a b.avi" /fullscreen -size:50% volume:80)", r);
  ASSERT_EQ(r.params.size(), 4u);
  EXPECT_EQ(r.params[0].text, L"C:\\My Videos\\a b.avi");
  EXPECT_FALSE(r.params[0].isFlag);
  EXPECT_EQ(r.params[1].text, L"fullscreen");
  EXPECT_TRUE(r.params[1].isFlag);
  EXPECT_EQ(r.params[2].text, L"size:50%");
  EXPECT_TRUE(r.params[2].isFlag);
  EXPECT_FALSE(r.params[2].isLast);
  EXPECT_EQ(r.params[3].text, L"volume:80");
  EXPECT_TRUE(r.params[3].isLast);
}

TEST(CommandLine, ProgramNameAloneGivesNoParameters) {
  Recorder r;
  fw::ParseCommandLineText(L"Zentravue.exe", r);
  EXPECT_TRUE(r.params.empty());
}

TEST(WideString, Utf8RoundTripKeepsCharactersOutsideTheBmp) {
  const std::wstring text = L"K\u00f6ln \u65e5\u672c \U0001F3B5";
  EXPECT_EQ(fw::Utf8ToWide(fw::WideToUtf8(text)), text);
  EXPECT_EQ(fw::WideToUtf8(L"\u00e4"), "\xc3\xa4");
  EXPECT_EQ(fw::ToWide(fw::ToU16(text)), text);
}

TEST(WideString, FormatHasNoLengthLimit) {
  const std::wstring long_text(5000, L'x');
  EXPECT_EQ(fw::Format(L"%.2i:%.2i:%.2i", 1, 2, 3), L"01:02:03");
  EXPECT_EQ(fw::Format(L"[%s]", long_text.c_str()).size(), 5002u);
}

TEST(WideString, CaseInsensitiveCompare) {
  EXPECT_TRUE(fw::EqualsNoCase(L"IDM_Datei", L"idm_DATEI"));
  EXPECT_FALSE(fw::EqualsNoCase(L"IDM_DATEI", L"IDM_DATE"));
  EXPECT_TRUE(fw::StartsWith(L"Zentravue - a.avi", L"Zentravue"));
  EXPECT_FALSE(fw::StartsWith(L"Zentra", L"Zentravue"));
}

TEST(Menu, ItemsAreFoundByIdInsideNestedPopups) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU recent = CreatePopupMenu();
  AppendMenuW(recent, MF_STRING, 58001, L"a.avi");
  AppendMenuW(file, MF_STRING, 100, L"&Open");
  AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"Recent");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");

  EXPECT_EQ(fw::FindSubMenuHolding(bar, 58001), recent);
  EXPECT_EQ(fw::FindSubMenuHolding(bar, 100), file);
  EXPECT_EQ(fw::FindSubMenuHolding(bar, 999), nullptr);

  fw::CheckItem(bar, 100, true);
  EXPECT_TRUE(fw::IsItemChecked(bar, 100));
  fw::EnableItem(bar, 58001, false);
  EXPECT_FALSE(fw::IsItemEnabled(bar, 58001));
  fw::SetItemText(bar, 100, L"&\u00d6ffnen\tINS");
  EXPECT_EQ(fw::ItemText(bar, 100), L"&\u00d6ffnen\tINS");
  fw::SetItemTextAt(bar, 0, L"&Datei");
  EXPECT_EQ(fw::ItemTextAt(bar, 0), L"&Datei");

  fw::RemoveAllItems(recent);
  EXPECT_EQ(GetMenuItemCount(recent), 0);
  DestroyMenu(bar);
}
