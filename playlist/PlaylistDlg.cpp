#include "playlist/PlaylistDlg.h"

#include "app/HandOverItems.h"
#include "app/PrivateMessages.h"
#include "app/Settings.h"
#include "framework/FileDialogs.h"
#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"
#include "media/MediaText.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistDialogFilters.h"
#include "playlist/PlaylistWindowLayout.h"
#include "res/resource.h"

#include <algorithm>

namespace pw = zv::playlistwindow;

namespace {

constexpr wchar_t kSection[] = L"IDD_PLAYLIST_DIALOG";
constexpr int kButtonIds[pw::kButtonCount] = {IDC_ADD,         IDC_DELETE,           IDC_DELETEALL,
                                              IDC_BUTTON_OPEN, IDC_BUTTON_SPEICHERN, IDC_BUTTON_SPEICHERNUNTER};

RECT ChildRect(HWND dialog, int id) {
  RECT r{};
  HWND child = GetDlgItem(dialog, id);
  if (!child) return r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

pw::Rect ToRect(const RECT& r) { return pw::Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

FW_BEGIN_MESSAGE_MAP(CPlaylistDlg, fw::Dialog)
  FW_ON_MESSAGE(WM_SIZE, OnSize)
  FW_ON_MESSAGE(WM_SIZING, OnSizing)
  FW_ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
  FW_ON_MESSAGE(WM_CLOSE, OnClose)
  FW_ON_MESSAGE(WM_DROPFILES, OnDropFiles)
  FW_ON_MESSAGE(kMsgHandOver, OnListRequest)
  FW_ON_COMMAND(IDC_ADD, AddFiles)
  FW_ON_COMMAND(IDC_DELETE, DeleteSelected)
  FW_ON_COMMAND(IDC_DELETEALL, DeleteAll)
  FW_ON_COMMAND(IDC_BUTTON_OPEN, OpenPlaylistFile)
  FW_ON_COMMAND(IDC_BUTTON_SPEICHERN, SavePlaylist)
  FW_ON_COMMAND(IDC_BUTTON_SPEICHERNUNTER, SavePlaylistAs)
  FW_ON_NOTIFY(LVN_GETDISPINFOW, IDC_PLAYLIST, OnGetDisplayInfo)
  FW_ON_NOTIFY(LVN_ITEMACTIVATE, IDC_PLAYLIST, OnItemActivate)
  FW_ON_NOTIFY(LVN_ITEMCHANGED, IDC_PLAYLIST, OnItemChanged)
  FW_ON_NOTIFY(LVN_ODSTATECHANGED, IDC_PLAYLIST, OnRangeStateChanged)
  FW_ON_NOTIFY(LVN_ODFINDITEMW, IDC_PLAYLIST, OnFindItem)
  FW_ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_PLAYLIST, OnSpin)
FW_END_MESSAGE_MAP()

CPlaylistDlg::CPlaylistDlg(zv::Playlist* playlist, CSettings* settings, const LanguageTable* language, HWND parent)
    : fw::Dialog(IDD_PLAYLIST_DIALOG, parent),
      playlist_(playlist),
      settings_(settings),
      language_(language),
      list_(playlist) {}

CPlaylistDlg::~CPlaylistDlg() {
  list_.Detach();
  if (images_) ImageList_Destroy(images_);
}

std::wstring CPlaylistDlg::Text(const char16_t* key) const {
  return language_ ? fw::ToWide(language_->Message(key)) : std::wstring();
}

std::wstring CPlaylistDlg::DialogText(const char16_t* key) const {
  return language_ ? fw::ToWide(language_->Text(fw::ToU16(kSection), key)) : std::wstring();
}

BOOL CPlaylistDlg::OnInitDialog() {
  // The list: one column, grid lines, whole rows selected, the playlist's view.
  HWND list = Item(IDC_PLAYLIST);
  list_.Attach(list, [this] { EnableControls(); });
  DragAcceptFiles(hwnd_, TRUE);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  column.cx = 200;
  std::wstring header = DialogText(u"DATEI");
  column.pszText = header.data();
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

  // The mark of the current entry (the list shares the image list: it stays ours).
  images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
  HICON mark = static_cast<HICON>(
      LoadImageW(fw::ResourceInstance(), MAKEINTRESOURCEW(IDR_PLAYLIST_CURRENT), IMAGE_ICON, 16, 16, 0));
  if (mark) {
    ImageList_AddIcon(images_, mark);
    DestroyIcon(mark);
  }
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));

  // The spin control's own position is never used: it stays in the middle
  // of its range so that both arrows always report.
  SendMessageW(Item(IDC_SPIN_PLAYLIST), UDM_SETPOS32, 0, 50);

  list_.RefreshPlaylistView();
  UpdateButtons();
  PostToPlayer(zv::kPlaylistChanged);
  Translate();

  const RECT created = WindowRect();
  minimumSize_ = SIZE{created.right - created.left, created.bottom - created.top};
  PlaceAtStoredRectangle();
  initialised_ = true;
  LayOutControls();
  return TRUE;
}

void CPlaylistDlg::Translate() {
  if (!hwnd_) return;
  zv::TranslateDialog(hwnd_, language_, fw::ToU16(kSection));
  const std::wstring header = DialogText(u"DATEI");
  if (header.empty()) return;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<wchar_t*>(header.c_str());
  SendMessageW(Item(IDC_PLAYLIST), LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void CPlaylistDlg::PlaceAtStoredRectangle() {
  const zv::SettingsRect& s = settings_->PlaylistWindowRect;
  const pw::Rect stored{s.left, s.top, s.right, s.bottom};
  const pw::Rect current = ToRect(WindowRect());
  // The work area of the monitor nearest to where the window is wanted.
  const pw::Rect& wanted = stored.IsZero() ? current : stored;
  RECT probe{wanted.left, wanted.top, wanted.right, wanted.bottom};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &monitor);
  const pw::Rect placed =
      pw::PlaceWindow(stored, current, minimumSize_.cx, minimumSize_.cy, ToRect(monitor.rcWork));
  SetWindowPos(hwnd_, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPlaylistDlg::LayOutControls() {
  if (!initialised_) return;
  const RECT client = ClientRect();
  pw::Controls controls;
  controls.clientWidth = client.right;
  controls.clientHeight = client.bottom;
  const RECT deleteButton = ChildRect(hwnd_, IDC_DELETE);
  controls.buttonHeight = deleteButton.bottom - deleteButton.top;
  const RECT spin = ChildRect(hwnd_, IDC_SPIN_PLAYLIST);
  controls.spinWidth = spin.right - spin.left;
  controls.spinHeight = spin.bottom - spin.top;
  for (int i = 0; i < pw::kButtonCount; ++i) {
    const RECT button = ChildRect(hwnd_, kButtonIds[i]);
    controls.buttonWidth[i] = button.right - button.left;
  }
  const pw::Placement placement = pw::LayOut(controls);
  auto move = [this](int id, const pw::Box& box) {
    MoveWindow(Item(id), box.x, box.y, box.width, box.height, FALSE);
  };
  move(IDC_PLAYLIST, placement.list);
  SendMessageW(Item(IDC_PLAYLIST), LVM_SETCOLUMNWIDTH, 0, placement.columnWidth);
  move(IDC_SPIN_PLAYLIST, placement.spin);
  for (int i = 0; i < pw::kButtonCount; ++i) move(kButtonIds[i], placement.buttons[i]);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void CPlaylistDlg::UpdateButtons() {
  if (playlist_->Count() == 0) playlist_->SetFileName(u"");
  EnableControls();
}

void CPlaylistDlg::EnableControls() {
  if (!hwnd_) return;
  const bool entries = playlist_->Count() > 0;
  for (int id : {IDC_PLAYLIST, IDC_DELETE, IDC_DELETEALL, IDC_BUTTON_SPEICHERNUNTER})
    EnableWindow(Item(id), entries ? TRUE : FALSE);
  EnableWindow(Item(IDC_BUTTON_SPEICHERN), playlist_->FileName().empty() ? FALSE : TRUE);
}

void CPlaylistDlg::AfterChange() {
  list_.RefreshPlaylistView();
  UpdateButtons();
  PostToPlayer(zv::kPlaylistChanged);
}

void CPlaylistDlg::PostToPlayer(WPARAM code, LPARAM value) const {
  if (parent_) PostMessageW(parent_, kMsgHandOver, code, value);
}

void CPlaylistDlg::SendToPlayer(WPARAM code, LPARAM value) {
  if (!parent_) return;
  const bool wasEnabled = IsWindowEnabled(hwnd_) != FALSE;
  if (wasEnabled) EnableWindow(hwnd_, FALSE);
  SendMessageW(parent_, kMsgHandOver, code, value);
  if (wasEnabled && hwnd_) EnableWindow(hwnd_, TRUE);
}

// ---- Commands ----

// The player's menu shares the commands while this window may be hidden;
// their dialogs then belong to the player window.
HWND CPlaylistDlg::DialogOwner() const { return IsWindowVisible(hwnd_) ? hwnd_ : parent_; }

void CPlaylistDlg::AddFiles() {
  zv::PlaylistDialogTexts texts{fw::ToU16(Text(u"MEDIAFILES")), fw::ToU16(Text(u"VIDEOFILE")),
                                fw::ToU16(Text(u"AUDIOFILE")), fw::ToU16(Text(u"PLAYLIST")),
                                fw::ToU16(Text(u"ALLFILES"))};
  const FileDialogResult result =
      ShowOpenFileDialog(DialogOwner(), fw::ToWide(zv::PlaylistAddFilter(settings_->FileTypes, texts)), true);
  if (!result.ok || result.paths.empty()) return;
  const bool wasEmpty = playlist_->Count() == 0;
  for (const std::wstring& path : result.paths) playlist_->AddEntry(fw::ToU16(path));
  AfterChange();
  if (wasEmpty) SendToPlayer(zv::kPlaylistPlayCurrent);
}

void CPlaylistDlg::DeleteSelected() {
  if (playlist_->RemoveMarkedEntries() == 0) return;
  AfterChange();
}

void CPlaylistDlg::DeleteAll() {
  if (playlist_->Count() == 0) return;
  playlist_->Clear();
  AfterChange();
}

void CPlaylistDlg::OpenPlaylistFile() {
  zv::PlaylistDialogTexts texts;
  texts.playlists = fw::ToU16(Text(u"PLAYLIST"));
  texts.allFiles = fw::ToU16(Text(u"ALLFILES"));
  const FileDialogResult result =
      ShowOpenFileDialog(DialogOwner(), fw::ToWide(zv::PlaylistOpenFilter(settings_->FileTypes, texts)), false);
  if (!result.ok || result.paths.empty()) return;
  playlist_->Load(fw::ToU16(result.paths.front()));
  AfterChange();
  SendToPlayer(zv::kPlaylistPlayCurrent);
}

bool CPlaylistDlg::SavePlaylist() {
  const std::u16string name = playlist_->FileName();
  if (name.empty()) return false;
  if (playlist_->Save()) return true;
  ReportSaveFailure(fw::ToWide(name), GetLastError());
  return false;
}

bool CPlaylistDlg::SavePlaylistAs() {
  zv::PlaylistDialogTexts texts;
  texts.playlists = fw::ToU16(Text(u"PLAYLIST"));
  texts.allFiles = fw::ToU16(Text(u"ALLFILES"));
  const FileDialogResult result =
      ShowSaveFileDialog(DialogOwner(), fw::ToWide(zv::PlaylistSaveFilter(texts)), L"playlist", L"zvp");
  if (!result.ok || result.paths.empty()) return false;
  playlist_->SetFileName(fw::ToU16(result.paths.front()));
  const bool saved = SavePlaylist();
  UpdateButtons();
  PostToPlayer(zv::kPlaylistChanged);
  return saved;
}

void CPlaylistDlg::ReportSaveFailure(const std::wstring& path, DWORD error) const {
  wchar_t* reason = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
  std::wstring because = reason ? reason : fw::Format(L"%lu", error);
  if (reason) LocalFree(reason);
  while (!because.empty() && (because.back() == L'\n' || because.back() == L'\r')) because.pop_back();
  std::u16string format = fw::ToU16(Text(u"ERROROPENING"));
  if (format.empty()) format = u"%s\n%s";
  const std::wstring message = fw::ToWide(zv::FillTwoPlaceholders(format, fw::ToU16(path), fw::ToU16(because)));
  MessageBoxW(DialogOwner(), message.c_str(), Text(u"ERROR2").c_str(), MB_OK | MB_ICONERROR);
}

void CPlaylistDlg::MoveSelected(int delta) {
  if (!playlist_->MoveMarkedEntries(delta)) return;
  AfterChange();
}

void CPlaylistDlg::ActivateRow(int row) {
  const int id = list_.EntryIdAt(row);
  if (id == 0) return;
  playlist_->SetCurrentById(id);  // refreshes the view
  SendToPlayer(zv::kPlaylistPlayCurrent);
}

// Enter activates the list's focused row (on a focused button, Enter
// presses that button instead); the window has no default button.
void CPlaylistDlg::OnOK() { ActivateRow(list_.FocusedRow()); }

// Closing only hides the window: it lives as long as the player window.
void CPlaylistDlg::OnCancel() { ShowWindow(hwnd_, SW_HIDE); }

// The mouse over the window or any of its controls is user activity for
// the player window (it keeps the cursor of a fullscreen video visible).
bool CPlaylistDlg::OnRawMessage(UINT message, WPARAM, LPARAM lParam, LRESULT*) {
  if (message == WM_SETCURSOR && HIWORD(lParam) == WM_MOUSEMOVE && parent_)
    SendMessageW(parent_, kMsgHandOver, zv::kPlaylistMouseActivity, 0);
  // Seen, not handled: the default handling goes on (sizes and moves).
  if (message == WM_WINDOWPOSCHANGED) StoreRectangle();
  return false;
}

// ---- Messages ----

LRESULT CPlaylistDlg::OnClose(WPARAM, LPARAM) {
  OnCancel();
  return 0;
}

// While the playlist is empty its list takes no input, and a drop lands on
// the window itself: it is the list's all the same.
LRESULT CPlaylistDlg::OnDropFiles(WPARAM drop, LPARAM) {
  list_.TakeDrop(reinterpret_cast<HDROP>(drop));
  return 0;
}

LRESULT CPlaylistDlg::OnSize(WPARAM type, LPARAM) {
  if (type != SIZE_MINIMIZED) LayOutControls();
  return 0;
}

LRESULT CPlaylistDlg::OnSizing(WPARAM edge, LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  if (!initialised_) return TRUE;
  if (r->right - r->left < minimumSize_.cx) {
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
      r->left = r->right - minimumSize_.cx;
    else
      r->right = r->left + minimumSize_.cx;
  }
  if (r->bottom - r->top < minimumSize_.cy) {
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
      r->top = r->bottom - minimumSize_.cy;
    else
      r->bottom = r->top + minimumSize_.cy;
  }
  return TRUE;
}

LRESULT CPlaylistDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
  if (!initialised_) return 0;
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMinTrackSize.x = minimumSize_.cx;
  info->ptMinTrackSize.y = minimumSize_.cy;
  return 0;
}

// Wherever the window goes (dragged, sized, placed by the program), the
// settings keep its rectangle; minimised or maximised it is not its own.
void CPlaylistDlg::StoreRectangle() {
  if (!initialised_ || IsIconic(hwnd_) || IsZoomed(hwnd_)) return;
  const RECT r = WindowRect();
  settings_->PlaylistWindowRect = zv::SettingsRect{r.left, r.top, r.right, r.bottom};
}

// The list's own requests: after a drop the view is refreshed here and the
// player told; a request to play goes on to the player.
LRESULT CPlaylistDlg::OnListRequest(WPARAM code, LPARAM value) {
  if (code == static_cast<WPARAM>(zv::kPlaylistChanged)) {
    AfterChange();
  } else if (code == static_cast<WPARAM>(zv::kPlaylistPlayCurrent)) {
    PostToPlayer(code, value);
  }
  return 0;
}

LRESULT CPlaylistDlg::OnGetDisplayInfo(NMHDR* header) {
  list_.OnGetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header));
  return 0;
}

LRESULT CPlaylistDlg::OnItemActivate(NMHDR* header) {
  ActivateRow(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
  return 0;
}

LRESULT CPlaylistDlg::OnItemChanged(NMHDR* header) {
  list_.OnItemChanged(reinterpret_cast<NMLISTVIEW*>(header));
  return 0;
}

LRESULT CPlaylistDlg::OnRangeStateChanged(NMHDR* header) {
  list_.OnRangeStateChanged(reinterpret_cast<NMLVODSTATECHANGE*>(header));
  return 0;
}

// Typing in the list finds no row: the entries are paths, not names.
LRESULT CPlaylistDlg::OnFindItem(NMHDR*) { return -1; }

// Nonzero keeps the spin control where it is: its position is never used.
LRESULT CPlaylistDlg::OnSpin(NMHDR* header) {
  MoveSelected(reinterpret_cast<NMUPDOWN*>(header)->iDelta);
  return 1;
}
