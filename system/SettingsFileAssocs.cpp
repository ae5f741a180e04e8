#include "system/SettingsFileAssocs.h"

#include "app/FileAssocs.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "system/AssociationService.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int kExtensionColumnWidth = 110;
// The tooltip text buffer of a tool's request holds 79 characters.
constexpr size_t kMaxTooltipChars = 79;

struct ButtonArt {
  int control;
  int icon;
  const char16_t* tooltipKey;
};
constexpr ButtonArt kButtons[4] = {
    {IDC_BUTTON_ADD, IDR_ADD, u"ADD"},
    {IDC_BUTTON_DELETE, IDR_DELETE, u"DELETE"},
    {IDC_BUTTON_ASSOCIATE_CATEGORY, IDR_SELECT_ALL, u"ASSOCALLEXT"},
    {IDC_BUTTON_UNASSOCIATE_CATEGORY, IDR_DESELECT_ALL, u"UNASSOCALLEXT"},
};

}  // namespace

FW_BEGIN_MESSAGE_MAP(CSettingsFileAssocs, fw::Dialog)
  FW_ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST_FILEASSOCS, OnItemChanged)
  FW_ON_MESSAGE(WM_NOTIFY, OnTooltipText)
  FW_ON_COMMAND(IDC_BUTTON_ADD, AddFromEdit)
  FW_ON_COMMAND(IDC_BUTTON_DELETE, DeleteSelected)
  FW_ON_COMMAND(IDC_BUTTON_ASSOCIATE_CATEGORY, AssociateCategory)
  FW_ON_COMMAND(IDC_BUTTON_UNASSOCIATE_CATEGORY, UnassociateCategory)
  FW_ON_COMMAND(IDC_BUTTON_STANDARD_SETTINGS, RestoreDefaults)
FW_END_MESSAGE_MAP()

FW_BEGIN_MESSAGE_MAP(CSettingsFileAssocs::AddField, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
  FW_ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
  FW_ON_MESSAGE(WM_CHAR, OnChar)
FW_END_MESSAGE_MAP()

CSettingsFileAssocs::CSettingsFileAssocs(LanguageTable* language, CSettings* settings, HWND parent, int category)
    : fw::Dialog(IDD_SETTINGS_FILEASSOCS, parent), language_(language), settings_(settings), category_(category) {}

CSettingsFileAssocs::~CSettingsFileAssocs() {
  for (CXPButton& button : buttons_) button.Unsubclass();
  addField_.Unsubclass();
  if (tooltip_) DestroyWindow(tooltip_);
  for (HICON icon : icons_)
    if (icon) DestroyIcon(icon);
}

BOOL CSettingsFileAssocs::OnInitDialog() {
  MakeChildPage();
  list_ = Item(IDC_LIST_FILEASSOCS);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  std::wstring title = language_ ? fw::ToWide(language_->Message(u"EXTENSION")) : std::wstring();
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = title.data();
  column.cx = kExtensionColumnWidth;
  ListView_InsertColumn(list_, 0, &column);
  Fill();
  addField_.Subclass(Item(IDC_EDIT_NEWFILEASSOC));
  AddButtonIcons();
  AddTooltips();
  zv::TranslateDialog(hwnd_, language_, u"IDD_SETTINGS_FILEASSOCS");
  return TRUE;
}

void CSettingsFileAssocs::MakeChildPage() {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style = (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD;
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  if (parent_) SetParent(hwnd_, parent_);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CSettingsFileAssocs::AddButtonIcons() {
  for (int i = 0; i < 4; ++i) {
    icons_[i] = static_cast<HICON>(
        LoadImageW(fw::ResourceInstance(), MAKEINTRESOURCEW(kButtons[i].icon), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    if (buttons_[i].Attach(Item(kButtons[i].control))) buttons_[i].SetIcon(icons_[i]);
  }
}

void CSettingsFileAssocs::AddTooltips() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, fw::ResourceInstance(),
                             nullptr);
  if (!tooltip_) return;
  for (const ButtonArt& art : kButtons) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(art.control));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

LRESULT CSettingsFileAssocs::OnTooltipText(WPARAM, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header || header->code != TTN_GETDISPINFOW) return 0;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
  const int control = GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom));
  for (const ButtonArt& art : kButtons) {
    if (art.control != control) continue;
    const std::wstring text = language_ ? fw::ToWide(language_->Message(art.tooltipKey)) : std::wstring();
    const size_t length = text.size() < kMaxTooltipChars ? text.size() : kMaxTooltipChars;
    text.copy(info->szText, length);
    info->szText[length] = L'\0';
    info->lpszText = info->szText;
  }
  return 0;
}

void CSettingsFileAssocs::Fill() {
  if (!list_ || !settings_) return;
  filling_ = true;
  ListView_DeleteAllItems(list_);
  for (CFileAssocs* node = settings_->FileTypes.Head(); node; node = node->Next) {
    if ((node->Flags & category_) == 0) continue;
    std::wstring text = fw::ToWide(node->Extension);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list_);
    item.pszText = text.data();
    item.lParam = reinterpret_cast<LPARAM>(node);
    const int row = ListView_InsertItem(list_, &item);
    if (row >= 0) ListView_SetCheckState(list_, row, (node->Flags & CFileAssocs::kAssociated) != 0);
  }
  filling_ = false;
}

CFileAssocs* CSettingsFileAssocs::NodeOfRow(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(list_, &item)) return nullptr;
  return reinterpret_cast<CFileAssocs*>(item.lParam);
}

void CSettingsFileAssocs::Changed() {
  if (settings_) settings_->FileAssociationsChanged = 1;
}

LRESULT CSettingsFileAssocs::OnItemChanged(NMHDR* header) {
  if (filling_ || !settings_) return 0;
  const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
  if (change->iItem < 0 || !(change->uChanged & LVIF_STATE)) return 0;
  CFileAssocs* node = NodeOfRow(change->iItem);
  if (!node) return 0;
  const bool checked = ListView_GetCheckState(list_, change->iItem) != 0;
  const bool associated = (node->Flags & CFileAssocs::kAssociated) != 0;
  if (checked == associated) return 0;
  if (checked)
    node->Flags |= CFileAssocs::kAssociated;
  else
    node->Flags &= ~CFileAssocs::kAssociated;
  Changed();
  return 0;
}

void CSettingsFileAssocs::AddFromEdit() {
  if (!settings_) return;
  std::wstring text = ItemText(IDC_EDIT_NEWFILEASSOC);
  std::wstring extension;
  for (wchar_t c : text)
    if (c != L' ') extension.push_back(c);
  if (extension.empty()) return;
  settings_->AddFileType(fw::ToU16(extension), category_ + CFileAssocs::kAssociated);
  SetItemText(IDC_EDIT_NEWFILEASSOC, L"");
  Changed();
  Fill();
}

void CSettingsFileAssocs::DeleteSelected() {
  if (!settings_) return;
  // Collected first: removing a node may delete it, and rows shift as they go.
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list_, row, LVNI_SELECTED))
    rows.push_back(row);
  if (rows.empty()) return;
  filling_ = true;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    CFileAssocs* node = NodeOfRow(*it);
    ListView_DeleteItem(list_, *it);
    settings_->RemoveFileTypeFlags(node, category_);
  }
  filling_ = false;
  Changed();
  Fill();
}

void CSettingsFileAssocs::AssociateCategory() {
  if (!settings_) return;
  settings_->SetCategoryAssociated(category_, true);
  Changed();
  Fill();
}

void CSettingsFileAssocs::UnassociateCategory() {
  if (!settings_) return;
  settings_->SetCategoryAssociated(category_, false);
  Changed();
  Fill();
}

void CSettingsFileAssocs::RestoreDefaults() {
  if (!settings_) return;
  settings_->ResetFileTypes(zv::AssociationServicePresent());
  Changed();
  Fill();
}

LRESULT CSettingsFileAssocs::AddField::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
  return DefaultProc(WM_GETDLGCODE, wParam, lParam);
}

LRESULT CSettingsFileAssocs::AddField::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_RETURN) {
    page_.AddFromEdit();
    return 0;
  }
  return DefaultProc(WM_KEYDOWN, wParam, lParam);
}

// The edit control beeps at the Enter character of a single line; it has
// been handled as a key already.
LRESULT CSettingsFileAssocs::AddField::OnChar(WPARAM wParam, LPARAM lParam) {
  if (wParam == L'\r') return 0;
  return DefaultProc(WM_CHAR, wParam, lParam);
}
