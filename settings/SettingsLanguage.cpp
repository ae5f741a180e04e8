#include "settings/SettingsLanguage.h"

#include "app/ProductName.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "settings/LocaleLanguage.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr wchar_t kStandaloneCaption[] = L"Zentravue Sprache/Language";

BOOL CALLBACK CollectResourceId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(param)->push_back(LOWORD(name));
  return TRUE;
}

}  // namespace

FW_BEGIN_MESSAGE_MAP(CSettingsLanguage, fw::Dialog)
  FW_ON_COMMAND(IDC_BUTTON_OK, OnButtonOk)
  FW_ON_NOTIFY(NM_CLICK, IDC_LANGUAGELIST, OnListClick)
  FW_ON_NOTIFY(NM_DBLCLK, IDC_LANGUAGELIST, OnListDoubleClick)
FW_END_MESSAGE_MAP()

CSettingsLanguage::CSettingsLanguage(LanguageTable* language, CSettings* settings, HWND parent)
    : fw::Dialog(IDD_SETTINGS_LANGUAGE, parent), language_(language), settings_(settings) {}

INT_PTR CSettingsLanguage::RunStandalone() {
  Standalone = 1;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return DoModal();
}

BOOL CSettingsLanguage::OnInitDialog() {
  list_ = Item(IDC_LANGUAGELIST);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  AddColumns();
  AddImageList();
  AddBuiltInLanguages();
  AddLanguageFiles();
  FitFirstColumn();
  if (Standalone) {
    SelectLocaleLanguage();
    MakeStandaloneWindow();
  } else {
    MakeChildPage();
  }
  return TRUE;
}

// The first column is at least as wide as its title and its names, so that
// neither is cut ("Sprache/Language" does not fit a quarter of the page).
void CSettingsLanguage::FitFirstColumn() {
  wchar_t title[128] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = static_cast<int>(std::size(title));
  ListView_GetColumn(list_, 0, &column);
  // Room for the header's and the cells' margins, and the cells' icon.
  int needed = ListView_GetStringWidth(list_, title) + 16;
  const int rows = ListView_GetItemCount(list_);
  for (int row = 0; row < rows; ++row) {
    wchar_t text[256] = {};
    ListView_GetItemText(list_, row, 0, text, static_cast<int>(std::size(text)));
    needed = std::max(needed, ListView_GetStringWidth(list_, text) + 16 + 20);
  }
  if (ListView_GetColumnWidth(list_, 0) >= needed) return;
  ListView_SetColumnWidth(list_, 0, needed);
  // The last column gives the room back, so that no scroll bar appears.
  RECT client{};
  GetClientRect(list_, &client);
  const int rest = client.right - needed - ListView_GetColumnWidth(list_, 1) - GetSystemMetrics(SM_CXVSCROLL);
  if (rest > 0 && rest < ListView_GetColumnWidth(list_, 2)) ListView_SetColumnWidth(list_, 2, rest);
}

// A first start offers the language of the user's locale, so that OK takes
// it at once; English when there is no such built-in language.
void CSettingsLanguage::SelectLocaleLanguage() {
  if (!language_ || ListView_GetNextItem(list_, -1, LVNI_SELECTED) >= 0) return;
  const int wanted = language_->NumberOfName(zv::BuiltInLanguageForLocale(GetUserDefaultUILanguage()));
  const int english = language_->NumberOfName(u"IDR_LNG_ENGLISH");
  int fallback = -1;
  const int rows = ListView_GetItemCount(list_);
  for (int row = 0; row < rows; ++row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListView_GetItem(list_, &item)) continue;
    const auto* entry = reinterpret_cast<const Entry*>(item.lParam);
    if (entry->Kind != 0) continue;
    if (entry->ResourceId == wanted) {
      fallback = row;
      break;
    }
    if (entry->ResourceId == english) fallback = row;
  }
  if (fallback < 0) return;
  ListView_SetItemState(list_, fallback, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list_, fallback, FALSE);
}

void CSettingsLanguage::AddColumns() {
  const RECT r = WindowRect();
  const int width = r.right - r.left;
  std::wstring titles[3] = {L"Sprache/Language", L"Version", L"Autor/Creator"};
  if (!Standalone && language_) {
    titles[0] = fw::ToWide(language_->Message(u"LANGUAGE"));
    titles[1] = fw::ToWide(language_->Message(u"VERSION"));
    titles[2] = fw::ToWide(language_->Message(u"CREATOR"));
  }
  const int percent[3] = {25, 15, 45};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = titles[i].data();
    column.cx = width * percent[i] / 100;
    column.iSubItem = i;
    ListView_InsertColumn(list_, i, &column);
  }
}

void CSettingsLanguage::AddImageList() {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
  if (!images) return;
  for (int id : {IDR_MAINFRAME, IDR_TEXTFILE}) {
    HICON icon = static_cast<HICON>(
        LoadImageW(fw::ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ImageList_AddIcon(images, icon);
    if (icon) DestroyIcon(icon);
  }
  // The list view destroys its image lists with itself.
  ListView_SetImageList(list_, images, LVSIL_SMALL);
}

void CSettingsLanguage::AddBuiltInLanguages() {
  std::vector<int> ids;
  EnumResourceNamesW(fw::ResourceInstance(), L"LNG", CollectResourceId, reinterpret_cast<LONG_PTR>(&ids));
  for (int id : ids) {
    entries_.push_front(Entry{id, L"", 0});
    LanguageTable texts;
    zv::LoadBuiltInLanguage(texts, id, fw::ResourceInstance());
    const bool active = !Standalone && language_ && language_->LoadedSource() == LanguageTable::kBuiltIn &&
                        language_->ResourceId() == id;
    AddRow(entries_.front(), 0, texts, active);
  }
}

void CSettingsLanguage::AddLanguageFiles() {
  const std::wstring folder = zv::ProgramFolder();
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"*.lng").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = folder + found.cFileName;
    LanguageTable texts;
    zv::LoadLanguageFile(texts, path);
    entries_.push_front(Entry{0, path, 1});
    const bool active = !Standalone && language_ && language_->LoadedSource() == LanguageTable::kFile &&
                        fw::EqualsNoCase(zv::LanguageFilePath(fw::ToWide(language_->FileName())), path);
    AddRow(entries_.front(), 1, texts, active);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void CSettingsLanguage::AddRow(Entry& entry, int icon, const LanguageTable& texts, bool select) {
  std::wstring name = fw::ToWide(texts.Text(u"File", u"Language"));
  std::wstring version = fw::ToWide(texts.Text(u"File", u"Version"));
  std::wstring creator = fw::ToWide(texts.Text(u"File", u"Creator"));
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = ListView_GetItemCount(list_);
  item.pszText = name.data();
  item.iImage = icon;
  item.lParam = reinterpret_cast<LPARAM>(&entry);
  const int row = ListView_InsertItem(list_, &item);
  if (row < 0) return;
  ListView_SetItemText(list_, row, 1, version.data());
  ListView_SetItemText(list_, row, 2, creator.data());
  if (select) ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CSettingsLanguage::MakeChildPage() {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style = (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD;
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  if (parent_) SetParent(hwnd_, parent_);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CSettingsLanguage::MakeStandaloneWindow() {
  SetWindowLongPtrW(hwnd_, GWL_STYLE, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW);

  // The button goes 10 pixels below the list, and the window is sized so
  // that both fit with the list's margin around them.
  HWND ok = Item(IDC_BUTTON_OK);
  RECT listRect{}, okRect{};
  GetWindowRect(list_, &listRect);
  GetWindowRect(ok, &okRect);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&listRect), 2);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&okRect), 2);
  const int margin = listRect.left;
  const int okTop = listRect.bottom + 10;
  SetWindowPos(ok, nullptr, okRect.left, okTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(ok, SW_SHOW);

  RECT client{0, 0, listRect.right + margin, okTop + (okRect.bottom - okRect.top) + margin};
  AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_FRAMECHANGED);
  SetText(kStandaloneCaption);
  SetFocus(list_);
}

CSettingsLanguage::Entry* CSettingsLanguage::SelectedEntry() const {
  const int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  if (row < 0) return nullptr;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(list_, &item)) return nullptr;
  return reinterpret_cast<Entry*>(item.lParam);
}

void CSettingsLanguage::StoreChoice(const Entry& entry) {
  if (!settings_) return;
  settings_->LanguageFile = fw::ToU16(entry.FilePath);
  settings_->LanguageResource =
      entry.Kind == 0 && language_ ? language_->NameOfNumber(entry.ResourceId) : std::u16string();
  settings_->LanguageType = entry.Kind;
}

void CSettingsLanguage::ChooseSelected() {
  const Entry* entry = SelectedEntry();
  if (!entry || !language_) return;
  const HRESULT loaded = entry->Kind == 0 ? zv::LoadBuiltInLanguage(*language_, entry->ResourceId)
                                          : zv::LoadLanguageFile(*language_, entry->FilePath);
  // A language that does not load is not taken: the page stays open so that
  // another one can be chosen.
  if (FAILED(loaded)) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  StoreChoice(*entry);
  EndDialog(IDOK);
}

void CSettingsLanguage::OnButtonOk() {
  if (Standalone) ChooseSelected();
}

LRESULT CSettingsLanguage::OnListClick(NMHDR*) {
  if (Standalone) return 0;
  const Entry* entry = SelectedEntry();
  if (!entry || !settings_) return 0;
  StoreChoice(*entry);
  settings_->LanguageChanged = 1;
  return 0;
}

LRESULT CSettingsLanguage::OnListDoubleClick(NMHDR*) {
  if (Standalone) ChooseSelected();
  return 0;
}

// Enter chooses like the OK button and Escape closes, in standalone mode only.
void CSettingsLanguage::OnOK() {
  if (Standalone) ChooseSelected();
}

void CSettingsLanguage::OnCancel() {
  if (Standalone) EndDialog(IDCANCEL);
}
