// The language page, driven in this process with the program's resources.
#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "res/resource.h"
#include "settings/SettingsLanguage.h"
#include "tests/win/support/TestEnvironment.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kRunScript = WM_APP + 100;

// Runs a script once the page is up; the script may end the dialog.
class ScriptedPage : public CSettingsLanguage {
 public:
  ScriptedPage(LanguageTable* language, CSettings* settings, std::function<void(ScriptedPage&)> script)
      : CSettingsLanguage(language, settings, nullptr), script_(std::move(script)) {}
  HWND List() const { return Item(IDC_LANGUAGELIST); }

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CSettingsLanguage::OnInitDialog();
    PostMessageW(hwnd_, kRunScript, 0, 0);
    return result;
  }
  bool OnRawMessage(UINT message, WPARAM, LPARAM, LRESULT*) override {
    if (message != kRunScript) return false;
    script_(*this);
    return true;
  }

 private:
  std::function<void(ScriptedPage&)> script_;
};

struct Row {
  std::wstring name, version, creator;
  int image;
};

std::vector<Row> Rows(HWND list) {
  std::vector<Row> rows;
  const int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) {
    wchar_t text[3][128] = {};
    for (int column = 0; column < 3; ++column) ListView_GetItemText(list, i, column, text[column], 128);
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    ListView_GetItem(list, &item);
    rows.push_back({text[0], text[1], text[2], item.iImage});
  }
  return rows;
}

int RowOf(HWND list, const std::wstring& name) {
  const std::vector<Row> rows = Rows(list);
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].name == name) return static_cast<int>(i);
  return -1;
}

void Select(HWND list, int row) { ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); }

void Notify(HWND dialog, HWND list, UINT code, int row) {
  NMITEMACTIVATE activate{};
  activate.hdr.hwndFrom = list;
  activate.hdr.idFrom = IDC_LANGUAGELIST;
  activate.hdr.code = code;
  activate.iItem = row;
  SendMessageW(dialog, WM_NOTIFY, IDC_LANGUAGELIST, reinterpret_cast<LPARAM>(&activate));
}

void ClickOk(HWND dialog) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_OK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BUTTON_OK)));
}

void WriteText(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Language files beside the test program, in an order that is not the
// order of their names.
class LanguagePage : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = zvtest::ExeFolder();
    WriteText(folder_ + L"aaa-klingon.lng",
              "\xEF\xBB\xBF# test\r\n[File]\r\nLanguage=Klingon\r\nVersion=0.1\r\nCreator=Kahless\r\n");
    WriteText(folder_ + L"zz-afrikaans.lng", "[File]\r\nLanguage=Afrikaans\r\nVersion=1.3.2.0\r\n");
    WriteText(folder_ + L"zz-broken.lng", std::string("\xFE\xFF\x00", 3));
    ASSERT_TRUE(zv::LoadNameTableResource(language_));
  }
  void TearDown() override {
    for (const wchar_t* name : {L"aaa-klingon.lng", L"zz-afrikaans.lng", L"zz-broken.lng"})
      DeleteFileW((folder_ + name).c_str());
  }

  std::wstring folder_;
  LanguageTable language_;
  CSettings settings_{0};
};

}  // namespace

TEST_F(LanguagePage, StandaloneListsBuiltInsAndFilesSortedWithTheirIcons) {
  std::vector<Row> rows;
  std::wstring caption, firstColumn, lastColumn;
  bool okVisible = false, hasCaption = false, stillOpenAfterOkWithoutRow = false;
  ScriptedPage page(&language_, &settings_, [&](ScriptedPage& p) {
    rows = Rows(p.List());
    caption = p.GetText();
    wchar_t title[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = 64;
    ListView_GetColumn(p.List(), 0, &column);
    firstColumn = title;
    ListView_GetColumn(p.List(), 2, &column);
    lastColumn = title;
    okVisible = IsWindowVisible(p.Item(IDC_BUTTON_OK)) != FALSE;
    hasCaption = (GetWindowLongPtrW(p.hwnd(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    ClickOk(p.hwnd());  // no row selected: nothing happens
    stillOpenAfterOkWithoutRow = p.IsCreated();
    Select(p.List(), RowOf(p.List(), L"English"));
    ClickOk(p.hwnd());
  });
  EXPECT_EQ(page.RunStandalone(), IDOK);
  EXPECT_EQ(page.Standalone, 1);
  EXPECT_EQ(caption, L"Zentravue Sprache/Language");
  EXPECT_EQ(firstColumn, L"Sprache/Language");
  EXPECT_EQ(lastColumn, L"Autor/Creator");
  EXPECT_TRUE(okVisible);
  EXPECT_TRUE(hasCaption);
  EXPECT_TRUE(stillOpenAfterOkWithoutRow);

  // The eighteen built-in languages and the three files, sorted by name.
  ASSERT_EQ(rows.size(), 21u);
  EXPECT_EQ(rows[0].name, L"") << "the unreadable file is listed with empty texts";
  EXPECT_EQ(rows[0].image, 1);
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_LE(lstrcmpW(rows[i - 1].name.c_str(), rows[i].name.c_str()), 0);
  auto row = [&](const wchar_t* name) {
    for (const Row& r : rows)
      if (r.name == name) return r;
    ADD_FAILURE() << "no row " << fw::WideToUtf8(name);
    return Row{};
  };
  EXPECT_EQ(row(L"Afrikaans").image, 1);
  for (const wchar_t* builtIn : {L"Deutsch", L"English", L"Français", L"Русский", L"Ελληνικά", L"日本語"}) {
    EXPECT_EQ(row(builtIn).image, 0) << fw::WideToUtf8(builtIn);
    EXPECT_EQ(row(builtIn).version, L"1.3.0.0") << fw::WideToUtf8(builtIn);
  }
  EXPECT_EQ(row(L"Klingon").version, L"0.1");
  EXPECT_EQ(row(L"Klingon").creator, L"Kahless");
  EXPECT_EQ(row(L"Klingon").image, 1);

  EXPECT_EQ(settings_.LanguageType, 0);
  EXPECT_EQ(settings_.LanguageResource, u"IDR_LNG_ENGLISH");
  EXPECT_EQ(settings_.LanguageFile, u"");
  EXPECT_EQ(settings_.LanguageChanged, 0);
  EXPECT_EQ(language_.ResourceId(), 250);
  EXPECT_EQ(language_.Text(u"File", u"Language"), u"English");
}

TEST_F(LanguagePage, DoubleClickOnAFileLoadsItAtOnce) {
  ScriptedPage page(&language_, &settings_, [&](ScriptedPage& p) {
    const int row = RowOf(p.List(), L"Klingon");
    Select(p.List(), row);
    Notify(p.hwnd(), p.List(), NM_DBLCLK, row);
  });
  EXPECT_EQ(page.RunStandalone(), IDOK);
  EXPECT_EQ(settings_.LanguageType, 1);
  EXPECT_EQ(settings_.LanguageFile, fw::ToU16(folder_ + L"aaa-klingon.lng"));
  EXPECT_EQ(settings_.LanguageResource, u"");
  EXPECT_EQ(language_.Text(u"File", u"Language"), u"Klingon");
}

TEST_F(LanguagePage, AFileThatDoesNotLoadIsNotTakenAndEscapeCancels) {
  bool stillOpen = false;
  ScriptedPage page(&language_, &settings_, [&](ScriptedPage& p) {
    Select(p.List(), RowOf(p.List(), L""));
    ClickOk(p.hwnd());
    stillOpen = p.IsCreated();
    SendMessageW(p.hwnd(), WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(page.RunStandalone(), IDCANCEL);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(settings_.LanguageType, -1);
  EXPECT_EQ(language_.LoadedSource(), LanguageTable::kNothing);
}

TEST_F(LanguagePage, PageModeSelectsTheActiveLanguageAndAClickOnlyEditsTheSettings) {
  ASSERT_EQ(zv::LoadBuiltInLanguage(language_, 250), S_OK);
  HWND parent = CreateWindowExW(0, L"STATIC", L"settings", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_NE(parent, nullptr);
  {
    CSettingsLanguage page(&language_, &settings_, parent);
    ASSERT_TRUE(page.CreateModeless());
    HWND list = page.Item(IDC_LANGUAGELIST);
    EXPECT_EQ(GetParent(page.hwnd()), parent);
    EXPECT_EQ(GetWindowLongPtrW(page.hwnd(), GWL_STYLE) & WS_POPUP, 0);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), RowOf(list, L"English"));
    EXPECT_FALSE(IsWindowVisible(page.Item(IDC_BUTTON_OK)));

    const int german = RowOf(list, L"Deutsch");
    Select(list, german);
    Notify(page.hwnd(), list, NM_CLICK, german);
    Notify(page.hwnd(), list, NM_DBLCLK, german);  // no effect in page mode
    EXPECT_EQ(settings_.LanguageResource, u"IDR_LNG_GERMAN");
    EXPECT_EQ(settings_.LanguageType, 0);
    EXPECT_EQ(settings_.LanguageChanged, 1);
    EXPECT_EQ(language_.ResourceId(), 250) << "the language changes only after the settings dialog's OK";
    EXPECT_TRUE(page.IsCreated());
  }
  DestroyWindow(parent);
}
