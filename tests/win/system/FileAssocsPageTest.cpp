// The file association page, hosted in a plain window as the settings
// dialog hosts it, editing a working copy of the settings.
#include "system/SettingsFileAssocs.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "tests/win/support/TestEnvironment.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class FileAssocsPage : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    zv::LoadNameTableResource(language_);
    ASSERT_TRUE(SUCCEEDED(zv::LoadBuiltInLanguage(language_, IDR_LNG_ENGLISH)));
    settings_.ResetFileTypes(false);
    host_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 420, nullptr,
                            nullptr, nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
  }
  void TearDown() override {
    page_.reset();
    if (host_) DestroyWindow(host_);
  }

  void Open(int category) {
    page_ = std::make_unique<CSettingsFileAssocs>(&language_, &settings_, host_, category);
    ASSERT_TRUE(page_->CreateModeless());
    ShowWindow(page_->hwnd(), SW_SHOW);
    list_ = page_->Item(IDC_LIST_FILEASSOCS);
  }

  std::vector<std::wstring> Rows() const {
    std::vector<std::wstring> rows;
    for (int i = 0; i < ListView_GetItemCount(list_); ++i) {
      wchar_t text[64] = {};
      ListView_GetItemText(list_, i, 0, text, 64);
      rows.emplace_back(text);
    }
    return rows;
  }
  int RowOf(const std::wstring& text) const {
    const std::vector<std::wstring> rows = Rows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == text) return static_cast<int>(i);
    return -1;
  }
  bool Checked(const std::wstring& text) const { return ListView_GetCheckState(list_, RowOf(text)) != 0; }
  int Flags(const char16_t* extension) const {
    CFileAssocs* node = settings_.FileTypes.Find(extension);
    return node ? node->Flags : -1;
  }
  void Click(int control) {
    SendMessageW(page_->hwnd(), WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(page_->Item(control)));
  }

  LanguageTable language_;
  CSettings settings_{0};
  HWND host_ = nullptr;
  std::unique_ptr<CSettingsFileAssocs> page_;
  HWND list_ = nullptr;
};

TEST_F(FileAssocsPage, ListsTheCategorySortedWithBitZeroAsCheckBox) {
  settings_.FileTypes.Find(u"mkv")->Flags |= CFileAssocs::kAssociated;
  Open(CFileAssocs::kVideo);
  EXPECT_TRUE(IsChild(host_, page_->hwnd()));
  const std::vector<std::wstring> expected = {L"avi", L"dat", L"divx", L"m1v", L"m2v", L"mkv", L"mpe",
                                              L"mpeg", L"mpg", L"ogm", L"vob", L"wm", L"wmd", L"wmv"};
  EXPECT_EQ(Rows(), expected);
  EXPECT_TRUE(Checked(L"mkv"));
  EXPECT_FALSE(Checked(L"avi"));
  wchar_t title[32] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = title;
  column.cchTextMax = 32;
  ASSERT_TRUE(ListView_GetColumn(list_, 0, &column));
  EXPECT_STREQ(title, L"Extension");
  EXPECT_EQ(column.cx, 110);
  EXPECT_EQ(page_->ItemText(IDC_BUTTON_STANDARD_SETTINGS), L"Restore");
  EXPECT_EQ(settings_.FileAssociationsChanged, 0);
}

TEST_F(FileAssocsPage, TickingARowChangesOnlyItsBitZero) {
  Open(CFileAssocs::kAudio);
  ListView_SetCheckState(list_, RowOf(L"mp3"), TRUE);
  EXPECT_EQ(Flags(u"mp3"), 5);
  EXPECT_EQ(settings_.FileAssociationsChanged, 1);
  ListView_SetCheckState(list_, RowOf(L"mp3"), FALSE);
  EXPECT_EQ(Flags(u"mp3"), 4);
  EXPECT_EQ(Flags(u"mpeg"), 6);
}

TEST_F(FileAssocsPage, AddTakesTheFieldWithoutBlanksAssociated) {
  Open(CFileAssocs::kVideo);
  page_->SetItemText(IDC_EDIT_NEWFILEASSOC, L" m k v ");
  Click(IDC_BUTTON_ADD);
  EXPECT_EQ(Flags(u"mkv"), 3);
  EXPECT_TRUE(Checked(L"mkv"));
  EXPECT_EQ(page_->ItemText(IDC_EDIT_NEWFILEASSOC), L"");
  EXPECT_EQ(settings_.FileAssociationsChanged, 1);

  // Enter in the field adds as well; no other normalisation happens.
  page_->SetItemText(IDC_EDIT_NEWFILEASSOC, L".TTA");
  SendMessageW(page_->Item(IDC_EDIT_NEWFILEASSOC), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(Flags(u".TTA"), 3);
  EXPECT_GE(RowOf(L".TTA"), 0);

  // Blanks only: nothing.
  const size_t count = settings_.FileTypes.Count();
  page_->SetItemText(IDC_EDIT_NEWFILEASSOC, L"   ");
  Click(IDC_BUTTON_ADD);
  EXPECT_EQ(settings_.FileTypes.Count(), count);
}

TEST_F(FileAssocsPage, DeleteTakesOnlyThisCategoryAway) {
  Open(CFileAssocs::kVideo);
  for (const wchar_t* row : {L"mpeg", L"avi"})
    ListView_SetItemState(list_, RowOf(row), LVIS_SELECTED, LVIS_SELECTED);
  Click(IDC_BUTTON_DELETE);
  EXPECT_EQ(Flags(u"mpeg"), 4);  // still an audio type
  EXPECT_EQ(Flags(u"avi"), -1);  // gone
  EXPECT_EQ(RowOf(L"mpeg"), -1);
  EXPECT_EQ(RowOf(L"avi"), -1);
  EXPECT_EQ(Rows().size(), 12u);
  EXPECT_EQ(settings_.FileAssociationsChanged, 1);
}

TEST_F(FileAssocsPage, CategoryButtonsAndRestore) {
  Open(CFileAssocs::kPlaylist);
  Click(IDC_BUTTON_ASSOCIATE_CATEGORY);
  for (const wchar_t* row : {L"m3u", L"pls", L"ram", L"zvp"}) EXPECT_TRUE(Checked(row)) << row;
  EXPECT_EQ(Flags(u"m3u"), 9);
  EXPECT_EQ(Flags(u"mkv"), 2);
  Click(IDC_BUTTON_UNASSOCIATE_CATEGORY);
  for (const wchar_t* row : {L"m3u", L"pls", L"ram", L"zvp"}) EXPECT_FALSE(Checked(row)) << row;

  settings_.RemoveFileTypeFlags(settings_.FileTypes.Find(u"ram"), CFileAssocs::kPlaylist);
  Click(IDC_BUTTON_STANDARD_SETTINGS);
  EXPECT_EQ(Flags(u"ram"), 8);
  EXPECT_EQ(Flags(u"zvp"), 9);  // without the service the own playlists start associated
  EXPECT_TRUE(Checked(L"zvp"));
  EXPECT_EQ(settings_.FileAssociationsChanged, 1);
}

TEST_F(FileAssocsPage, ButtonsAnswerTooltipsInTheActiveLanguage) {
  Open(CFileAssocs::kVideo);
  const struct {
    int control;
    const wchar_t* text;
  } expected[] = {{IDC_BUTTON_ADD, L"Add"},
                  {IDC_BUTTON_DELETE, L"Delete"},
                  {IDC_BUTTON_ASSOCIATE_CATEGORY, L"Associate all file types of this category"},
                  {IDC_BUTTON_UNASSOCIATE_CATEGORY, L"Remove all associations of this category"}};
  for (const auto& button : expected) {
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(page_->Item(button.control));
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(page_->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, button.text);
  }
}

}  // namespace
