// DVDs in the player window: opening a VIDEO_TS folder, the disc menu with
// its drives and the DVD folder dialog, the navigation commands, the
// commands the navigator permits, and menu buttons under the mouse.
#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/MediaUnits.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "media/DVD.h"
#include "player/FolderScan.h"
#include "res/resource.h"

#include <dvdevcod.h>
#include <shlobj.h>

namespace {

bool IsVideoTs(const std::wstring& name) { return fw::EqualsNoCase(name, L"VIDEO_TS"); }

std::wstring WithoutFinalBackslash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring LastComponent(const std::wstring& path) {
  const std::wstring trimmed = WithoutFinalBackslash(path);
  const size_t slash = trimmed.find_last_of(L"\\/");
  return slash == std::wstring::npos ? trimmed : trimmed.substr(slash + 1);
}

std::wstring ParentOf(const std::wstring& path) {
  const std::wstring trimmed = WithoutFinalBackslash(path);
  const size_t slash = trimmed.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : trimmed.substr(0, slash + 1);
}

bool IsDriveRoot(const std::wstring& path) {
  return path.size() >= 2 && path.size() <= 3 && path[1] == L':' && (path.size() == 2 || path[2] == L'\\');
}

std::wstring VolumeLabel(const std::wstring& root) {
  wchar_t label[MAX_PATH + 1] = {};
  std::wstring drive = root.substr(0, 2) + L"\\";
  if (!GetVolumeInformationW(drive.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
    return {};
  return label;
}

// The prohibited operations and the commands and toolbar buttons they grey.
struct UopCommands {
  unsigned long flag;
  UINT commands[2];
  UINT button;
};
constexpr UopCommands kUopCommands[] = {
    {0x10000, {IDM_NAVIGATION_RESUME, 0}, IDTBB_RESUME},
    {0x400, {IDM_NAVIGATION_SHOWTOPMENU, 0}, 0},
    {0x800, {IDM_NAVIGATION_SHOWROOTMENU, 0}, IDTBB_ROOTMENU},
    {0x1000, {IDM_NAVIGATION_SHOWSUBPICTUREMENU, 0}, 0},
    {0x2000, {IDM_NAVIGATION_SHOWAUDIOMENU, 0}, 0},
    {0x4000, {IDM_NAVIGATION_SHOWANGLEMENU, 0}, 0},
    {0x8000, {IDM_NAVIGATION_SHOWCHAPTERMENU, 0}, 0},
    {0x10, {IDM_NAVIGATION_RETURNFROMSUBMENU, 0}, 0},
    {0x40, {IDM_NAVIGATION_PLAYPREVIOUSCHAPTER, IDM_NAVIGATION_REPLAYCHAPTER}, 0},
    {0x80, {IDM_NAVIGATION_PLAYNEXTCHAPTER, 0}, 0},
    {0x100, {IDM_PLAYSPEED_PLAYSLOWFORWARDS, IDM_PLAYSPEED_PLAYFASTFORWARDS}, 0},
    {0x200, {IDM_PLAYSPEED_PLAYSLOWBACKWARDS, IDM_PLAYSPEED_PLAYFASTBACKWARDS}, 0},
};
constexpr unsigned long kUopSeek = 0x20;

}  // namespace

// For a drive root (or a VIDEO_TS folder right on it) the volume label; for
// a VIDEO_TS folder elsewhere its parent's name; else the last folder name.
std::wstring CZentravueDlg::DvdDisplayName(const std::wstring& path) const {
  const std::wstring trimmed = WithoutFinalBackslash(path);
  const std::wstring last = LastComponent(trimmed);
  const std::wstring parent = WithoutFinalBackslash(ParentOf(trimmed));
  if (IsDriveRoot(trimmed) || (IsVideoTs(last) && IsDriveRoot(parent))) {
    const std::wstring label = VolumeLabel(IsDriveRoot(trimmed) ? trimmed : parent);
    return label.empty() ? path : label;
  }
  if (IsVideoTs(last) && !parent.empty()) return LastComponent(parent);
  return last;
}

bool CZentravueDlg::OpenDvd(const std::wstring& path) {
  SetText(titleBase_);
  ClearStatusPanes();
  CloseMedia(false);
  fileName_ = DvdDisplayName(path);
  titleSuffix_ = L" - " + fileName_;
  fullName_ = path;

  TraceStep(debugDlg_.get(), L"MAIN_DVDOpen::CreateDVD");
  ownedDvdMedia_ = std::make_unique<CDVD>(debugDlg_.get(), language_, hwnd_, fw::ResourceInstance(), path,
                                          borderColour_, settings_, titleBase_ + titleSuffix_, bigIcon_,
                                          VideoAreaRect(), ClientRect());
  dvdMedia_ = ownedDvdMedia_.get();
  currentMedia_ = dvdMedia_;
  graph_ = dvdMedia_;
  if (!dvdMedia_->IsRendered()) {
    TraceStep(debugDlg_.get(), L"MAIN_DVDOpen::FilterGraphError");
    CloseMedia(true);
    return false;
  }
  subtitlesOn_ = settings_->EnableSubtitlesByDefault != 0;

  ShowOpenedMedia();
  toolBar_.SetButtonState(IDTBB_PREVTRACKCHAPTER, true);
  toolBar_.SetButtonState(IDTBB_NEXTTRACKCHAPTER, true);
  FillFilterMenus();
  ULONG uops = 0;
  if (SUCCEEDED(dvdMedia_->GetCurrentUOPS(&uops))) ApplyDvdUops(uops);
  BuildStreamMenus();
  if (settings_->StartMediaAutomatically) {
    Play();
  } else {
    Play();
    Pause();
  }
  RelayoutBarRow();
  RestartClockTimer();
  return true;
}

void CZentravueDlg::CloseDvdMedia() {
  toolBar_.SetButtonState(IDTBB_PREVTRACKCHAPTER, false);
  toolBar_.SetButtonState(IDTBB_NEXTTRACKCHAPTER, false);
  dvdMedia_ = nullptr;
  ownedDvdMedia_.reset();
  // The DVD commands wait greyed for the next DVD.
  ApplyDvdUops(0xFFFFFFFF);
}

void CZentravueDlg::DvdPreviousChapter() {
  if (dvdMedia_) dvdMedia_->PlayPrevChapter();
}
void CZentravueDlg::DvdNextChapter() {
  if (dvdMedia_) dvdMedia_->PlayNextChapter();
}
void CZentravueDlg::DvdReplayChapter() {
  if (dvdMedia_) dvdMedia_->ReplayChapter();
}
void CZentravueDlg::DvdResume() {
  if (dvdMedia_) dvdMedia_->Resume();
}
void CZentravueDlg::DvdReturnFromSubmenu() {
  if (dvdMedia_) dvdMedia_->ReturnFromSubmenu();
}
void CZentravueDlg::DvdShowMenu(int menu) {
  if (dvdMedia_) dvdMedia_->ShowMenu(menu);
}
void CZentravueDlg::DvdSelectButton(int direction) {
  if (dvdMedia_) dvdMedia_->SelectRelativeButton(direction);
}
void CZentravueDlg::DvdActivateButton() {
  if (dvdMedia_) dvdMedia_->ActivateButton();
}

bool CZentravueDlg::DvdSelectAt(POINT point) {
  if (!dvdMedia_) return false;
  ULONG button = 0;
  if (dvdMedia_->GetButtonAtPosition(point, &button) != S_OK) return false;
  dvdMedia_->SelectAtPosition(point);
  return true;
}

bool CZentravueDlg::DvdActivateAt(POINT point) {
  if (!dvdMedia_) return false;
  ULONG button = 0;
  if (dvdMedia_->GetButtonAtPosition(point, &button) == VFW_E_DVD_NO_BUTTON) return false;
  return SUCCEEDED(dvdMedia_->ActivateAtPosition(point));
}

// The toolbar's previous and next buttons go by chapters on a DVD.
void CZentravueDlg::OnPrevTrackChapter() {
  if (dvdMedia_)
    DvdPreviousChapter();
  else
    PreviousTitle();
}

void CZentravueDlg::OnNextTrackChapter() {
  if (dvdMedia_)
    DvdNextChapter();
  else
    NextTitle();
}

void CZentravueDlg::ApplyDvdUops(unsigned long prohibited) {
  for (const UopCommands& entry : kUopCommands) {
    const bool allowed = !(prohibited & entry.flag);
    for (UINT command : entry.commands)
      if (command) EnableCommand(command, allowed);
    if (entry.button) toolBar_.SetButtonState(entry.button, allowed);
  }
  if (dvdMedia_) EnableWindow(positionBar_.hwnd(), (prohibited & kUopSeek) ? FALSE : TRUE);
}

void CZentravueDlg::OnDvdGraphEvent(long code, LONG_PTR param1) {
  if (!dvdMedia_) return;
  switch (code) {
    case EC_DVD_DOMAIN_CHANGE:
      OnDvdDomainChange();
      break;
    case EC_DVD_ANGLE_CHANGE:
      dvdMedia_->GetCurrentAngle();
      break;
    case EC_DVD_VALID_UOPS_CHANGE:
      ApplyDvdUops(static_cast<unsigned long>(param1));
      // The subtitle display follows the window's wish again.
      dvdMedia_->SetSubpictureState(subtitlesOn_);
      // The stream lists the new operations permit or forbid.
      BuildStreamMenus();
      CheckCommand(IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF, !subtitlesOn_);
      EnableCommand(IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF, !(param1 & 0x200000));
      RelayoutWindow();
      break;
    default:
      break;
  }
}

void CZentravueDlg::OnDvdDomainChange() {
  dvdMedia_->RefreshSourceVideoSize();
  dvdMedia_->SetAspectRatioMode(0);
  markStart_ = 0;
  markEnd_ = dvdMedia_->GetDuration();
  positionBar_.SetRange(0, markEnd_);
  if (loop_) ShowMarkSelection();
  InvalidateRect(positionBar_.hwnd(), nullptr, TRUE);
  SetStatusText(1, fw::ToWide(zv::FormatTime(markEnd_)));
  ShowVideoSize(dvdMedia_->PlaceVideo());
}

bool CZentravueDlg::OnDvdMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITMENUPOPUP) {
    if (reinterpret_cast<HMENU>(wParam) == NamedPopup(IDM_DATEI_CDDVDABSPIELEN) ||
        reinterpret_cast<HMENU>(wParam) == NamedPopup(IDM_DATEI_CDDVDABSPIELEN, true))
      RebuildDiscMenu();
    return false;
  }
  // Clicks on buttons are the video area's click (PlayerInput.cpp).
  if (!dvdMedia_ || message != WM_MOUSEMOVE) return false;
  // Mouse messages come from this window and, forwarded, from the video
  // window; the cursor's own position tells where it is over the picture.
  HWND video = CMedia::VideoWindow();
  if (!video) return false;
  POINT point;
  GetCursorPos(&point);
  ScreenToClient(video, &point);
  RECT client{};
  GetClientRect(video, &client);
  if (!PtInRect(&client, point)) return false;
  // Windows moving under a resting cursor send movements too; only a
  // moved cursor takes the selection from the keys.
  const bool moved = point.x != lastDvdCursor_.x || point.y != lastDvdCursor_.y;
  lastDvdCursor_ = point;
  ULONG button = 0;
  if (dvdMedia_->GetButtonAtPosition(point, &button) != S_OK) return false;
  SetCursor(LoadCursorW(fw::ResourceInstance(), MAKEINTRESOURCEW(IDC_HANDPOINT)));
  if (moved) DvdSelectAt(point);
  return false;
}

// The drives of the disc menu, from position 2 on, rebuilt each time it opens.
void CZentravueDlg::RebuildDiscMenu() {
  for (bool inContextMenu : {false, true}) {
    HMENU menu = NamedPopup(IDM_DATEI_CDDVDABSPIELEN, inContextMenu);
    if (!menu) continue;
    while (GetMenuItemCount(menu) > 2) DeleteMenu(menu, 2, MF_BYPOSITION);
    UINT id = ID_DRIVE_FIRST;
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
      if (!(drives & (1u << letter))) continue;
      const std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + letter)) + L":\\";
      if (GetDriveTypeW(root.c_str()) != DRIVE_CDROM) continue;
      const std::wstring drive = root.substr(0, 2);
      wchar_t label[MAX_PATH + 1] = {};
      const bool readable =
          GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) != 0;
      const std::wstring text =
          (readable ? std::wstring(label) : Text(u"NODISKFOUND")) + L" (" + drive + L")";
      AppendMenuW(menu, MF_STRING | (readable ? 0u : MF_GRAYED), id++, text.c_str());
    }
  }
}

void CZentravueDlg::OnDiscDrive(UINT id) {
  HMENU menu = NamedPopup(IDM_DATEI_CDDVDABSPIELEN);
  if (!menu) return;
  wchar_t text[MAX_PATH + 16] = {};
  if (!GetMenuStringW(menu, id, text, MAX_PATH + 16, MF_BYCOMMAND)) return;
  const std::wstring item = text;
  const size_t open = item.rfind(L'(');
  const size_t close = item.rfind(L')');
  if (open == std::wstring::npos || close == std::wstring::npos || close < open) return;
  OpenDiscOrFolder(item.substr(open + 1, close - open - 1) + L"\\");
}

void CZentravueDlg::OnDvdFolderDialog() {
  const std::wstring title = Text(u"SELECTVIDEOTSDIR");
  BROWSEINFOW info{};
  info.hwndOwner = hwnd_;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  if (ok && folderscan::FolderExists(path)) OpenDiscOrFolder(path);
}
