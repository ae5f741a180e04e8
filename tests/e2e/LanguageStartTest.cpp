// The language at start: a first start shows the standalone language page,
// the choice is stored, and a stored language that cannot be loaded leads
// back to the page.
#include "app/ProductName.h"
#include "app/WinRegistry.h"
#include "framework/WideString.h"
#include "res/resource.h"
#include "tests/e2e/support/ProgramProcess.h"
#include "tests/e2e/support/ProgramSettings.h"
#include "tests/e2e/support/RemoteListView.h"
#include "tests/win/support/TestEnvironment.h"
#include "tests/e2e/E2eHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

using zvtest::ProgramProcess;

namespace {

constexpr wchar_t kPageTitle[] = L"Zentravue Sprache/Language";

HWND WaitForLanguagePage(const ProgramProcess& program) {
  HWND page = nullptr;
  zvtest::WaitFor(
      [&] {
        page = zvtest::FindProcessWindow(program.Id(), L"#32770", kPageTitle);
        return page != nullptr;
      },
      30000);
  return page;
}

void ClickOk(HWND page) {
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_OK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_BUTTON_OK)));
}

class LanguageStart : public testing::Test {
 protected:
  void SetUp() override { zvtest::DeleteProgramRegistry(); }
  void TearDown() override { zvtest::DeleteProgramRegistry(); }
};

}  // namespace

TEST_F(LanguageStart, FirstStartShowsThePageAndChoosingEnglishStoresIt) {
  ProgramProcess program(L"");
  ASSERT_TRUE(program.Started());
  HWND page = WaitForLanguagePage(program);
  ASSERT_NE(page, nullptr) << "no language page on a first start";
  EXPECT_EQ(zvtest::FindProcessWindow(program.Id(), L"ZentravueClass", zv::AppName()), nullptr);

  HWND list = GetDlgItem(page, IDC_LANGUAGELIST);
  ASSERT_NE(list, nullptr);
  const std::vector<std::wstring> names = zvtest::RemoteListViewColumn(list, 0);
  ASSERT_GE(names.size(), 2u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  const auto english = std::find(names.begin(), names.end(), L"English");
  ASSERT_NE(english, names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), L"Deutsch"), names.end());
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_BUTTON_OK)));

  ASSERT_TRUE(zvtest::RemoteListViewSelect(list, static_cast<int>(english - names.begin())));
  ClickOk(page);
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr) << "the player did not start after the choice";
  PostMessageW(player, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitForExit(15000), 0);

  EXPECT_EQ(zvtest::SettingDword(L"LanguageType"), std::optional<DWORD>(0));
  EXPECT_EQ(zvtest::SettingString(L"LanguageResource"), std::optional<std::wstring>(L"IDR_LNG_ENGLISH"));
}

TEST_F(LanguageStart, CancellingThePageEndsWithoutAWindow) {
  ProgramProcess program(L"");
  HWND page = WaitForLanguagePage(program);
  ASSERT_NE(page, nullptr);
  PostMessageW(page, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
  EXPECT_EQ(zvtest::SettingDword(L"LanguageType"), std::nullopt);
}

TEST_F(LanguageStart, TheChoiceComesBeforeUninstallIsActedOn) {
  ProgramProcess program(L"/uninstall");
  HWND page = WaitForLanguagePage(program);
  ASSERT_NE(page, nullptr) << "the language page must come first";
  PostMessageW(page, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
}

TEST_F(LanguageStart, StoredLanguagesThatCannotLoadLeadToThePage) {
  const std::wstring brokenFile = zvtest::ProgramFolderPath() + L"broken-e2e.lng";
  ASSERT_TRUE(zvtest::WriteBytes(brokenFile, std::string("\xFF\xFE\x00", 3)));
  struct Case {
    const wchar_t* what;
    void (*store)(zv::WinRegistryKey&);
  };
  const Case cases[] = {
      {L"resource name without a resource",
       [](zv::WinRegistryKey& k) {
         k.WriteDword(L"LanguageType", 0);
         k.WriteString(L"LanguageResource", L"IDR_LNG_HESSISCH");
       }},
      {L"unknown resource name",
       [](zv::WinRegistryKey& k) {
         k.WriteDword(L"LanguageType", 0);
         k.WriteString(L"LanguageResource", L"IDR_NOTHING");
       }},
      {L"LanguageType stored as a string",
       [](zv::WinRegistryKey& k) {
         k.WriteString(L"LanguageType", L"0");
         k.WriteString(L"LanguageResource", L"IDR_LNG_ENGLISH");
       }},
      {L"malformed language file",
       [](zv::WinRegistryKey& k) {
         k.WriteDword(L"LanguageType", 1);
         k.WriteString(L"LanguageFile", L"broken-e2e.lng");
       }},
      {L"language file name longer than 260 characters",
       [](zv::WinRegistryKey& k) {
         k.WriteDword(L"LanguageType", 1);
         k.WriteString(L"LanguageFile", std::wstring(300, L'a') + L".lng");
       }},
  };
  for (const Case& c : cases) {
    zvtest::DeleteProgramRegistry();
    {
      zv::WinRegistryKey key;
      ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, zvtest::SettingsKeyPath()));
      c.store(key);
    }
    ProgramProcess program(L"");
    HWND page = WaitForLanguagePage(program);
    EXPECT_NE(page, nullptr) << c.what;
    if (page) PostMessageW(page, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(program.WaitForExit(15000), 0) << c.what;
  }
  DeleteFileW(brokenFile.c_str());
}

TEST_F(LanguageStart, LanguageSwitchOnAFirstStartAppliesAtOnce) {
  ProgramProcess program(L"/language:deutsch");
  HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
  ASSERT_NE(player, nullptr) << "the switch should have chosen the language before the check";
  EXPECT_EQ(zvtest::SettingString(L"LanguageResource"), std::optional<std::wstring>(L"IDR_LNG_GERMAN"));
  EXPECT_EQ(zvtest::SettingDword(L"LanguageType"), std::optional<DWORD>(0));
  PostMessageW(player, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(15000), 0);
}

TEST_F(LanguageStart, EveryLanguageKeywordNamesALanguageThePlayerStartsWith) {
  // Built-in languages beyond English and German load just the same: no language page.
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L"/language:francais", L"IDR_LNG_FRANCAIS"},
                                                             {L"/language:japanese", L"IDR_LNG_JAPANESE"}};
  for (const auto& [argument, resource] : cases) {
    zvtest::DeleteProgramRegistry();
    ProgramProcess program(argument);
    HWND player = program.WaitForWindow(L"ZentravueClass", 30000);
    ASSERT_NE(player, nullptr) << "the page came instead of the player for " << fw::WideToUtf8(argument);
    EXPECT_EQ(zvtest::SettingString(L"LanguageResource"), std::optional<std::wstring>(resource));
    PostMessageW(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(15000), 0);
  }
}
