// Keyboard and mouse of the player window: the message pre-filter, the key
// map behind the key-down message, Ctrl held, the wheel, and the mouse
// buttons in the video area (click, drag, context menu, middle and extra
// buttons).
#include "player/ZentravueDlg.h"

#include "app/PrivateMessages.h"
#include "app/Settings.h"
#include "media/DVD.h"
#include "media/Media.h"
#include "player/KeyMap.h"
#include "res/resource.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace {

bool IsDialogWindow(HWND window) {
  wchar_t name[16] = {};
  return GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0;
}

POINT CursorPosition() {
  POINT point{0, 0};
  GetCursorPos(&point);
  return point;
}

}  // namespace

// The window itself, the video window (a top-level window in fullscreen) and
// the window's own controls. Controls of a dialog that lives inside the
// window keep their keys: an edit field or a list must see its own arrows.
bool CZentravueDlg::IsInputTarget(HWND window) const {
  if (!window || !hwnd_) return false;
  if (window == hwnd_) return true;
  // The video window and the renderer's window inside it (in fullscreen the
  // video window is a top-level window of its own).
  HWND video = CMedia::VideoWindow();
  if (video && (window == video || IsChild(video, window))) return true;
  for (HWND w = window; w && w != hwnd_; w = GetParent(w)) {
    if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD)) return false;
    if (IsDialogWindow(w)) return false;
  }
  return IsChild(hwnd_, window) != FALSE;
}

bool CZentravueDlg::PreTranslateMessage(MSG* msg) {
  if (!IsInputTarget(msg->hwnd)) return false;
  switch (msg->message) {
    case WM_KEYDOWN:
      // Noted, so that the key-down message can tell its own posts from
      // anything another program puts into the queue.
      if (postedKeys_.size() >= kMaxPostedKeys) postedKeys_.erase(postedKeys_.begin());
      postedKeys_.push_back(PostedKey{msg->wParam, msg->lParam, false});
      PostMessageW(hwnd_, kMsgKeyDown, msg->wParam, msg->lParam);
      return true;
    case WM_KEYUP:
      SendMessageW(hwnd_, kMsgKeyUp, msg->wParam, msg->lParam);
      return true;
    case WM_MOUSEWHEEL:
      if (AcceptsInputNow()) OnWheel(GET_WHEEL_DELTA_WPARAM(msg->wParam));
      return true;
    case WM_MOUSEHWHEEL:
      if (AcceptsInputNow()) OnHorizontalWheel(GET_WHEEL_DELTA_WPARAM(msg->wParam));
      return true;
    default:
      return false;
  }
}

// Input acts only when nothing else is in progress on this thread: not while
// a modal dialog or message box of the window is open (the window is
// disabled then), not while a menu runs its own loop, not after the window
// was told to end, and never inside a message another thread sent while this
// one waits (a graph being built dispatches sent messages). Those loops
// dispatch posted and sent messages, so without this an action could
// re-enter the opening, closing or dialog in progress.
bool CZentravueDlg::AcceptsInputNow() const {
  return hwnd_ && IsWindowEnabled(hwnd_) && !inMenuLoop_ && !inEndDialog_ && !InSendMessage();
}

// ---- Keys ----

// Only keys the pre-filter posted act: the message is this window's own, and
// one sent or posted by another program (garbage or not) is ignored. Other
// programs drive the player through the remote-control message.
bool CZentravueDlg::TakePostedKey(WPARAM key, LPARAM data, bool* releasesCtrl) {
  if (InSendMessage()) return false;
  for (auto it = postedKeys_.begin(); it != postedKeys_.end(); ++it) {
    if (it->key == key && it->data == data) {
      *releasesCtrl = it->releasesCtrl;
      postedKeys_.erase(it);
      return true;
    }
  }
  return false;
}

LRESULT CZentravueDlg::OnKeyDownMessage(WPARAM key, LPARAM data) {
  bool releasesCtrl = false;
  if (!TakePostedKey(key, data, &releasesCtrl)) return 0;
  RunKey(key);
  if (releasesCtrl) controlKeyDown_ = false;
  return 0;
}

void CZentravueDlg::RunKey(WPARAM key) {
  if (!AcceptsInputNow()) return;
  const zv::KeyAction action = zv::ActionForKey(key, controlKeyDown_, dvdMedia_ != nullptr);
  switch (action.kind) {
    case zv::KeyActionKind::None:
      break;
    case zv::KeyActionKind::Command:
      RunKeyCommand(action.command);
      break;
    case zv::KeyActionKind::ControlDown:
      controlKeyDown_ = true;
      break;
    case zv::KeyActionKind::LeaveFullscreen:
      if (fullscreen_) LeaveFullscreen();
      break;
    case zv::KeyActionKind::DvdSelect:
      DvdSelectButton(action.dvdDirection);
      break;
    case zv::KeyActionKind::DvdActivate:
      DvdActivateButton();
      break;
    case zv::KeyActionKind::FullVolume:
      settings_->Volume = 0;
      ApplyVolume();
      break;
    case zv::KeyActionKind::ContextMenu:
      ShowContextMenuAtCursor();
      break;
  }
}

// Key up of Ctrl ends Ctrl held; nothing else happens on a key up. The
// pre-filter sends it from this thread; one sent by another program is
// ignored (one posted can at most end Ctrl held). Key downs are posted but
// key ups sent: when key messages stand in the queue together (posted key
// messages, which do not yield to the loop's own posts as real input does),
// the release would overtake the keys pressed before it. Ctrl held then ends
// once those keys have been handled, and they see it held.
LRESULT CZentravueDlg::OnKeyUpMessage(WPARAM key, LPARAM) {
  if (InSendMessage()) return 0;
  if (key != zv::vk::kControl) return 0;
  if (!postedKeys_.empty()) {
    postedKeys_.back().releasesCtrl = true;
    return 0;
  }
  controlKeyDown_ = false;
  return 0;
}

// A key runs its command exactly as the menu item or toolbar button does.
void CZentravueDlg::RunKeyCommand(UINT id) { SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, 1), 0); }

// A Ctrl released while another window had the keys never reaches this
// window: Ctrl held ends when the window loses activation.
LRESULT CZentravueDlg::OnActivate(WPARAM state, LPARAM) {
  if (LOWORD(state) == WA_INACTIVE) controlKeyDown_ = false;
  return 0;
}

LRESULT CZentravueDlg::OnEnterMenuLoop(WPARAM, LPARAM) {
  inMenuLoop_ = true;
  return 0;
}

LRESULT CZentravueDlg::OnExitMenuLoop(WPARAM, LPARAM) {
  inMenuLoop_ = false;
  return 0;
}

// ---- Wheel ----

// One jump per notch (120 units). Finer wheels send parts of a notch; they
// add up, so that four quarter turns jump once.
void CZentravueDlg::OnWheel(int delta) {
  if (!currentMedia_) {
    wheelRemainder_ = 0;
    return;
  }
  if ((wheelRemainder_ > 0 && delta < 0) || (wheelRemainder_ < 0 && delta > 0)) wheelRemainder_ = 0;
  wheelRemainder_ += delta;
  const int steps = wheelRemainder_ / WHEEL_DELTA;
  wheelRemainder_ -= steps * WHEEL_DELTA;
  if (steps != 0) Jump(steps);
}

void CZentravueDlg::OnHorizontalWheel(int delta) {
  const bool previous = delta < 1;
  if (dvdMedia_) {
    if (previous)
      DvdPreviousChapter();
    else
      DvdNextChapter();
    return;
  }
  RunKeyCommand(previous ? IDM_PLAYLIST_VORHERIGERTITEL : IDM_PLAYLIST_NAECHSTERTITEL);
}

// ---- Mouse buttons in the video area ----

LRESULT CZentravueDlg::OnMiddleButton(WPARAM, LPARAM) {
  if (AcceptsInputNow() && currentMedia_) PlayPauseToggle();
  return 0;
}

// The extra buttons arrive as the application commands the system makes of
// them when they go up: over this window, over the video window (which hands
// its mouse messages on) and over the renderer's own window inside it, which
// hands on the other buttons but not these. The first extra button (usually
// "back") lowers the volume, the second raises it.
LRESULT CZentravueDlg::OnExtraButton(WPARAM, LPARAM data) {
  if (GET_DEVICE_LPARAM(data) != FAPPCOMMAND_MOUSE) return FALSE;
  const short command = GET_APPCOMMAND_LPARAM(data);
  if (command != APPCOMMAND_BROWSER_BACKWARD && command != APPCOMMAND_BROWSER_FORWARD) return FALSE;
  if (AcceptsInputNow()) {
    if (command == APPCOMMAND_BROWSER_BACKWARD)
      Quieter();
    else
      Louder();
  }
  return TRUE;
}

LRESULT CZentravueDlg::OnLeftButtonDown(WPARAM, LPARAM) {
  leftPressed_ = AcceptsInputNow();
  leftPressPoint_ = CursorPosition();
  return 0;
}

// A press and a release without a drag in between is a click.
LRESULT CZentravueDlg::OnLeftButtonUp(WPARAM, LPARAM) {
  if (!leftPressed_) return 0;
  leftPressed_ = false;
  if (AcceptsInputNow()) OnVideoAreaClick();
  return 0;
}

// Over a DVD menu button the click activates it; elsewhere it switches
// fullscreen, and with nothing to show it opens a file.
void CZentravueDlg::OnVideoAreaClick() {
  if (dvdMedia_) {
    POINT point = CursorPosition();
    HWND video = CMedia::VideoWindow();
    ULONG button = 0;
    if (video && ScreenToClient(video, &point) &&
        dvdMedia_->GetButtonAtPosition(point, &button) != VFW_E_DVD_NO_BUTTON) {
      dvdMedia_->ActivateAtPosition(point);
      return;
    }
  }
  if (currentMedia_ && currentMedia_->HasVideo()) {
    ToggleFullscreen();
    return;
  }
  RunKeyCommand(IDM_DATEI_OEFFNEN);
}

LRESULT CZentravueDlg::OnMouseMove(WPARAM wParam, LPARAM) {
  const POINT point = CursorPosition();
  const bool moved = point.x != lastMousePoint_.x || point.y != lastMousePoint_.y;
  lastMousePoint_ = point;
  // The video window hides the cursor in fullscreen when the mouse rests.
  if (moved && currentMedia_) CMedia::SetLastMouseMove(GetTickCount64());
  if (!(wParam & MK_LBUTTON)) {
    leftPressed_ = false;
    return 0;
  }
  if (!leftPressed_) return 0;
  if (std::abs(point.x - leftPressPoint_.x) <= GetSystemMetrics(SM_CXDRAG) &&
      std::abs(point.y - leftPressPoint_.y) <= GetSystemMetrics(SM_CYDRAG))
    return 0;
  // A drag: no click. Outside fullscreen the window moves with the mouse,
  // as if its caption had been taken.
  leftPressed_ = false;
  if (fullscreen_ || !AcceptsInputNow()) return 0;
  ReleaseCapture();
  SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(leftPressPoint_.x, leftPressPoint_.y));
  return 0;
}

LRESULT CZentravueDlg::OnRightButtonDown(WPARAM, LPARAM) {
  if (AcceptsInputNow()) ShowContextMenuAtCursor();
  return 0;
}

// The menu opens a little up and left of the cursor, so that the pointer
// rests on its first item; in fullscreen the cursor shows while it is open.
void CZentravueDlg::ShowContextMenuAtCursor() {
  if (!contextMenu_) return;
  POINT point = CursorPosition();
  point.x = std::max(0L, point.x - 8);
  point.y = std::max(0L, point.y - 8);
  const bool cursorShown = ShowCursorForDialog();
  TrackPopupMenu(contextMenu_, TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd_, nullptr);
  if (cursorShown) ShowCursor(FALSE);
}

// While a menu or a dialog of the window is open over the fullscreen video,
// the cursor shows; afterwards (ShowCursor(FALSE) when this returned true)
// the video window hides it again when the mouse rests.
bool CZentravueDlg::ShowCursorForDialog() {
  if (!fullscreen_) return false;
  ShowCursor(TRUE);
  return true;
}

// ---- Window modes the keys and the mouse switch ----

// Fullscreen on or off; only media with video go fullscreen.
void CZentravueDlg::ToggleFullscreen() {
  if (fullscreen_) {
    LeaveFullscreen();
    return;
  }
  if (currentMedia_ && currentMedia_->HasVideo()) EnterFullscreen();
}

// Closing the session (a shutdown, ours or another's) ends the process
// without the normal close: the settings are kept now.
LRESULT CZentravueDlg::OnEndSession(WPARAM ending, LPARAM) {
  if (ending) settings_->Save();
  return 0;
}
