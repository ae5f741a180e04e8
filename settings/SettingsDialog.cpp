#include "settings/SettingsDialog.h"

#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "settings/SettingsDVD.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsGeneral.h"
#include "settings/SettingsLanguage.h"
#include "settings/SettingsPlayback.h"
#include "settings/SettingsVideo.h"
#include "streaming/ReceiverPages.h"
#include "system/AssociationService.h"
#include "system/SettingsFileAssocs.h"

namespace {

constexpr COLORREF kTitleColour = RGB(10, 95, 232);
constexpr UINT kTimerPeriodMs = 40;
constexpr int kTitlePoints = 14;
constexpr int kSmallestTitlePoints = 8;

struct NodeEntry {
  const char16_t* key;
  // Shown when the active language has no text for the key, so that no node
  // of the tree is ever blank.
  const wchar_t* fallback;
  int parent;  // a node index, or -1 for the root
  bool hasPage;
  int category;  // the file-association pages' category
};

const NodeEntry kNodes[CSettingsDialog::kNodeCount] = {
    {u"GENERAL", L"General", -1, true, 0},
    {u"VIDEO", L"Video", -1, true, 0},
    {u"LANGUAGE", L"Language", -1, true, 0},
    {u"FILEASSOCIATIONS", L"File Associations", -1, false, 0},
    {u"VIDEO", L"Video", CSettingsDialog::kFileAssociations, true, 2},
    {u"AUDIO", L"Audio", CSettingsDialog::kFileAssociations, true, 4},
    {u"PLAYLIST", L"Playlists", CSettingsDialog::kFileAssociations, true, 8},
    {u"PLAYBACK", L"Playback", -1, true, 0},
    {u"DVD", L"DVD", -1, true, 0},
    {u"Streaming", L"Streaming", -1, false, 0},
    {u"Dreambox", L"Dreambox", CSettingsDialog::kStreaming, true, 0},
    {u"VDR", L"VDR", CSettingsDialog::kStreaming, true, 0},
};

HFONT CreateArial(HWND window, int points) {
  HDC dc = GetDC(window);
  const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(window, dc);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

RECT RectInClient(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

FW_BEGIN_MESSAGE_MAP(CSettingsDialog, fw::Dialog)
  FW_ON_COMMAND(IDC_BUTTON_OK, OnButtonOk)
  FW_ON_COMMAND(IDC_BUTTON_ABBRECHEN, OnButtonCancel)
  FW_ON_NOTIFY(TVN_SELCHANGEDW, IDC_TREE_SETTINGS, OnTreeSelectionChanged)
  FW_ON_MESSAGE(WM_TIMER, OnTimer)
  FW_ON_MESSAGE(WM_CTLCOLORSTATIC, OnControlColourStatic)
  FW_ON_MESSAGE(WM_DESTROY, OnDestroy)
FW_END_MESSAGE_MAP()

CSettingsDialog::CSettingsDialog(LanguageTable* language, CSettings* playerSettings, HWND playerWindow)
    : fw::Dialog(IDD_SETTINGS_DIALOG, playerWindow),
      playerSettings_(playerSettings),
      playerWindow_(playerWindow),
      language_(language) {
  if (playerSettings_) workingCopy_ = *playerSettings_;
  shieldIcon_.Reset(static_cast<HICON>(
      LoadImageW(fw::ResourceInstance(), MAKEINTRESOURCEW(IDR_SHIELD), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
}

// The page goes before the dialog's own window.
CSettingsDialog::~CSettingsDialog() { currentPage_.reset(); }

BOOL CSettingsDialog::OnInitDialog() {
  title_ = Item(IDC_TXT_CATEGORY);
  tree_ = Item(IDC_TREE_SETTINGS);
  okButton_.Attach(Item(IDC_BUTTON_OK));
  titleBrush_.Reset(CreateSolidBrush(kTitleColour));
  CreateFonts();
  InsertNodes();
  TreeView_Expand(tree_, treeItems_[kFileAssociations], TVE_EXPAND);
  TreeView_Expand(tree_, treeItems_[kStreaming], TVE_EXPAND);
  TreeView_SelectItem(tree_, treeItems_[kGeneral]);
  zv::TranslateDialog(hwnd_, language_, u"IDD_SETTINGS_DIALOG");
  SetTimer(hwnd_, ID_Settings_Timer, kTimerPeriodMs, nullptr);
  if (topmost_) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The focus starts in the tree, where the arrow keys switch pages.
  SetFocus(tree_);
  return FALSE;
}

void CSettingsDialog::CreateFonts() {
  titleFont_.Reset(CreateArial(hwnd_, kTitlePoints));
  titlePoints_ = kTitlePoints;
  SendMessageW(title_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), TRUE);
  treeFont_.Reset(CreateArial(hwnd_, 9));
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont_.get()), TRUE);
}

std::wstring CSettingsDialog::NodeText(Node node) const {
  const std::u16string text = language_ ? language_->Message(kNodes[node].key) : std::u16string();
  return text.empty() ? kNodes[node].fallback : fw::ToWide(text);
}

void CSettingsDialog::InsertNodes() {
  for (int i = 0; i < kNodeCount; ++i) {
    std::wstring text = NodeText(static_cast<Node>(i));
    TVINSERTSTRUCTW insert{};
    insert.hParent = kNodes[i].parent < 0 ? TVI_ROOT : treeItems_[kNodes[i].parent];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.lParam = i;
    treeItems_[i] = TreeView_InsertItem(tree_, &insert);
  }
}

std::unique_ptr<fw::Dialog> CSettingsDialog::CreatePage(Node node) {
  switch (node) {
    case kGeneral:
      return std::make_unique<CSettingsGeneral>(language_, &workingCopy_, hwnd_);
    case kVideo:
      return std::make_unique<CSettingsVideo>(language_, &workingCopy_, hwnd_);
    case kLanguage:
      return std::make_unique<CSettingsLanguage>(language_, &workingCopy_, hwnd_);
    case kVideoFiles:
    case kAudioFiles:
    case kPlaylists:
      return std::make_unique<CSettingsFileAssocs>(language_, &workingCopy_, hwnd_, kNodes[node].category);
    case kPlayback:
      return std::make_unique<CSettingsPlayback>(language_, &workingCopy_, hwnd_);
    case kDvd:
      return std::make_unique<CSettingsDVD>(language_, &workingCopy_, hwnd_);
    case kDreambox:
      return std::make_unique<CSettingsDreambox>(language_, &workingCopy_, hwnd_);
    case kVdr:
      return std::make_unique<CSettingsVDR>(language_, &workingCopy_, hwnd_);
    default:
      return nullptr;
  }
}

LRESULT CSettingsDialog::OnTreeSelectionChanged(NMHDR* header) {
  const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
  // The tree also reports losing its selection while it is destroyed.
  if (!change->itemNew.hItem) return 0;
  const LPARAM node = change->itemNew.lParam;
  if (node < 0 || node >= kNodeCount) return 0;
  ShowNode(static_cast<Node>(node));
  return 0;
}

void CSettingsDialog::ShowNode(Node node) {
  if (!kNodes[node].hasPage) return;
  currentPage_.reset();
  currentPage_ = CreatePage(node);
  if (currentPage_ && !currentPage_->CreateModeless()) currentPage_.reset();

  const bool category = kNodes[node].parent == kFileAssociations;
  const std::u16string fileAssociations = fw::ToU16(NodeText(kFileAssociations));
  SetWindowTextW(title_, fw::ToWide(zv::settingsform::PageTitle(fw::ToU16(NodeText(node)),
                                                                 category ? &fileAssociations : nullptr))
                             .c_str());
  FitTitleFont();
  PlacePage();
}

void CSettingsDialog::FitTitleFont() {
  const int length = GetWindowTextLengthW(title_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(title_, text.data(), length + 1)));
  RECT area{};
  GetClientRect(title_, &area);
  HDC dc = GetDC(title_);
  int points = kTitlePoints;
  fw::GdiObject font(CreateArial(hwnd_, points));
  for (;;) {
    HGDIOBJ old = SelectObject(dc, font.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    if (extent.cx <= area.right || points <= kSmallestTitlePoints) break;
    font.Reset(CreateArial(hwnd_, --points));
  }
  ReleaseDC(title_, dc);
  if (points == titlePoints_) return;
  SendMessageW(title_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  titleFont_ = std::move(font);
  titlePoints_ = points;
}

void CSettingsDialog::PlacePage() {
  if (!currentPage_ || !currentPage_->hwnd()) return;
  const RECT tree = RectInClient(tree_, hwnd_);
  const RECT title = RectInClient(title_, hwnd_);
  const int height = (tree.bottom - tree.top) - (title.bottom - title.top);
  // In the tab order the page follows the tree, ahead of OK and Cancel.
  SetWindowPos(currentPage_->hwnd(), tree_, title.left, title.bottom, title.right - title.left, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CSettingsDialog::OnButtonOk() {
  if (playerSettings_) {
    zv::settingsform::KeepRuntimeValues(*playerSettings_, workingCopy_);
    *playerSettings_ = workingCopy_;
  }
  EndDialog(IDOK);
}

void CSettingsDialog::OnButtonCancel() { EndDialog(IDCANCEL); }

void CSettingsDialog::OnOK() { OnButtonOk(); }

void CSettingsDialog::OnCancel() { OnButtonCancel(); }

LRESULT CSettingsDialog::OnTimer(WPARAM id, LPARAM) {
  if (id != ID_Settings_Timer || shieldShown_ || workingCopy_.FileAssociationsChanged != 1) return 0;
  if (associationService_ < 0) associationService_ = zv::AssociationServicePresent() ? 1 : 0;
  if (!associationService_) return 0;
  okButton_.SetIcon(shieldIcon_.get());
  InvalidateRect(okButton_.hwnd(), nullptr, TRUE);
  UpdateWindow(okButton_.hwnd());
  shieldShown_ = 1;
  return 0;
}

LRESULT CSettingsDialog::OnControlColourStatic(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != title_) return 0;
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  RECT r{};
  GetClientRect(title_, &r);
  FillRect(dc, &r, static_cast<HBRUSH>(titleBrush_.get()));
  return reinterpret_cast<LRESULT>(titleBrush_.get());
}

LRESULT CSettingsDialog::OnDestroy(WPARAM, LPARAM) {
  KillTimer(hwnd_, ID_Settings_Timer);
  return 0;
}
