// Geometry of the player window: the video area between the toolbar and the
// bar row, sizing the window to a video area, the idle layout, fullscreen,
// centring and the start position. The arithmetic is in LayoutMath.
#include "player/ZentravueDlg.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "framework/WindowDpi.h"
#include "media/Media.h"
#include "media/VideoWindow.h"
#include "player/LayoutMath.h"
#include "player/StatusBar.h"
#include "player/WindowPlacement.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

zv::layout::Size SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }
RECT ToRect(const zv::layout::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// A bar counts when it is switched on, whether or not the window is shown yet.
bool IsShown(HWND window) {
  return window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

int HeightOfVisible(HWND window) {
  if (!IsShown(window)) return 0;
  RECT r{};
  GetWindowRect(window, &r);
  return r.bottom - r.top;
}

bool SameBars(const zv::layout::Bars& a, const zv::layout::Bars& b) {
  return a.toolBar == b.toolBar && a.toolBarAtTop == b.toolBarAtTop && a.barRow == b.barRow &&
         a.statusBar == b.statusBar && a.dpi == b.dpi;
}

}  // namespace

zv::layout::Bars CZentravueDlg::CurrentBars() const {
  zv::layout::Bars bars;
  bars.toolBar = IsShown(toolBar_.hwnd()) ? toolBar_.NeededHeight() : 0;
  bars.toolBarAtTop = toolBar_.AtTop();
  bars.dpi = fw::DpiOf(hwnd_);
  bars.barRow = IsShown(positionBar_.hwnd()) ? zv::layout::Scaled(zv::layout::kPositionBarHeight, bars.dpi) : 0;
  bars.statusBar = HeightOfVisible(statusBar_);
  return bars;
}

RECT CZentravueDlg::VideoAreaRect() const {
  return ToRect(zv::layout::VideoArea(SizeOf(ClientRect()), CurrentBars()));
}

void CZentravueDlg::RelayoutBarRow() {
  const zv::layout::Size client = SizeOf(ClientRect());
  if (statusBar_) {
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    SetPlayerStatusPanes(statusBar_);
  }
  if (toolBar_.hwnd()) toolBar_.Dock(client.width, client.height, HeightOfVisible(statusBar_));
  const zv::layout::Bars bars = CurrentBars();
  const zv::layout::BarRowRects row = zv::layout::BarRow(client, bars);
  const auto place = [](HWND control, const zv::layout::Rect& r) {
    if (control)
      SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(positionBar_.hwnd(), row.positionBar);
  place(volumeBar_.hwnd(), row.volumeBar);
  place(muteButton_.hwnd(), row.muteButton);
  for (HWND control : {positionBar_.hwnd(), volumeBar_.hwnd(), muteButton_.hwnd()})
    if (control) InvalidateRect(control, nullptr, TRUE);
  barRowClient_ = client;
  barRowBars_ = bars;
}

void CZentravueDlg::RelayoutBarRowIfMoved() {
  if (SizeOf(ClientRect()) == barRowClient_ && SameBars(CurrentBars(), barRowBars_)) return;
  RelayoutBarRow();
}

void CZentravueDlg::RelayoutWindow() {
  ++relayouts_;
  if (fullscreen_) LeaveFullscreen();
  RelayoutBarRow();
  if (currentMedia_) {
    currentMedia_->SetVideoRect(VideoAreaRect());
    currentMedia_->MoveVideoWindow();
    if (CMedia::GetFitMode() == 0) currentMedia_->SetFitMode(3);
    ShowVideoSize(currentMedia_->PlaceVideo());
    SchedulePausedFrame();
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
  FinishLayoutChange();
}

void CZentravueDlg::SizeWindowToVideoArea(int width, int height) {
  // Twice: the menu bar may wrap to another number of lines at the new width.
  // A size that is already right is not set again (each change costs a
  // relayout, and a round trip to the display server on some platforms).
  const int relayoutsBefore = relayouts_;
  for (int pass = 0; pass < 2; ++pass) {
    const RECT window = WindowRect();
    const RECT client = ClientRect();
    const zv::layout::Size size =
        zv::layout::WindowSizeForVideo({width, height}, SizeOf(window), SizeOf(client), CurrentBars());
    if (size.width == window.right - window.left && size.height == window.bottom - window.top) break;
    SetWindowPos(hwnd_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A change has laid the window out already (WM_SIZE).
  if (relayouts_ == relayoutsBefore) RelayoutWindow();
}

void CZentravueDlg::LayoutForVideo() {
  if (!currentMedia_) return;
  if (!fullscreen_ && !IsZoomed(hwnd_)) {
    if (settings_->KeepWindowSize && settings_->WindowWidth != -1) {
      SizeWindowToVideoArea(settings_->WindowWidth, settings_->WindowHeight);
    } else {
      int width = 0;
      int height = 0;
      currentMedia_->GetSourceVideoSize(&width, &height);
      SizeWindowToVideoArea(width, height);
    }
  } else if (!fitAppliedInFullscreen_ && playlist_->Count() < 2) {
    currentMedia_->SetFitMode(3);
    currentMedia_->PlaceVideo();
  }
}

void CZentravueDlg::LayoutForAudioOnly() {
  if (fullscreen_) LeaveFullscreen();
  if (IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  // The video window of an earlier video would cover the idle picture with
  // its last frame.
  if (currentMedia_) currentMedia_->HideVideoWindow();
  SizeWindowToVideoArea(idleAreaWidth_, idleAreaHeight_);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void CZentravueDlg::IdleLayout() {
  if (fullscreen_) LeaveFullscreen();
  if (IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  if (currentMedia_) currentMedia_->HideVideoWindow();
  positionBar_.SetPos(0);
  EnableWindow(positionBar_.hwnd(), FALSE);
  const LONG_PTR oldStyle = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  const LONG_PTR style = (oldStyle & ~static_cast<LONG_PTR>(WS_THICKFRAME | WS_MAXIMIZEBOX)) | WS_CLIPCHILDREN;
  if (style != oldStyle) {
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  UpdateTitle();
  ClearStatusPanes();
  SizeWindowToVideoArea(idleAreaWidth_, idleAreaHeight_);
}

void CZentravueDlg::EnterFullscreen() {
  if (fullscreen_ || !currentMedia_ || !currentMedia_->HasVideo()) return;
  const zv::HeldPicture held(CMedia::VideoWindow());
  currentMedia_->SetFullscreen(true);
  CheckCommand(IDM_ANSICHT_VOLLBILD, true);
  if (!fitAppliedInFullscreen_) {
    const int mode = CMedia::GetFitMode();
    if (mode != 2 && mode != 3) {
      currentMedia_->SetFitMode(3);
      currentMedia_->PlaceVideo();
    }
    fitAppliedInFullscreen_ = true;
  }
  RelayoutBarRowIfMoved();
  fullscreen_ = true;
  held.Show();
  SchedulePausedFrame();
}

void CZentravueDlg::LeaveFullscreen() {
  if (!fullscreen_) return;
  fullscreen_ = false;
  const RECT area = VideoAreaRect();
  const zv::HeldPicture held(CMedia::VideoWindow(), SIZE{area.right - area.left, area.bottom - area.top});
  if (currentMedia_) currentMedia_->SetFullscreen(false);
  CheckCommand(IDM_ANSICHT_VOLLBILD, false);
  if (currentMedia_) {
    currentMedia_->SetVideoRect(VideoAreaRect());
    currentMedia_->MoveVideoWindow();
    SchedulePausedFrame();
  }
  RelayoutBarRowIfMoved();
  // The bars may have grown meanwhile (a change of density): then the
  // window grows until they are whole.
  const zv::layout::Bars bars = CurrentBars();
  const RECT client = ClientRect();
  if (zv::layout::MinClientWidth(bars.dpi) > client.right || zv::layout::BarsHeight(bars) > client.bottom)
    FinishLayoutChange();
  held.Show();
}

void CZentravueDlg::CenterWindow() {
  const RECT window = WindowRect();
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info)) return;
  const zv::layout::Point corner = zv::layout::CenterInWorkArea(
      SizeOf(window), {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  SetWindowPos(hwnd_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZentravueDlg::PlaceAtStartPosition() {
  if (!settings_->KeepWindowPos || settings_->CenterWindow || cmdLine_->Center) {
    CenterWindow();
    return;
  }
  // No stored position yet (a first start): centred rather than wherever the
  // start display put it.
  if (settings_->WindowPosX == -1 && settings_->WindowPosY == -1) {
    CenterWindow();
    return;
  }
  const POINT stored{settings_->WindowPosX, settings_->WindowPosY};
  HMONITOR monitor = MonitorFromPoint(stored, MONITOR_DEFAULTTONULL);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return;
  const zv::layout::Point corner = zv::layout::PullIntoWorkArea(
      {stored.x, stored.y}, SizeOf(WindowRect()),
      {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  SetWindowPos(hwnd_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Status panes 2 and 3: the zoom factors in percent; pane 5: the size the
// picture is shown at.
void CZentravueDlg::ShowVideoSize(const zv::ZoomFactors& factors) {
  if (!currentMedia_ || !currentMedia_->HasVideo()) return;
  SetStatusText(2, fw::Format(L"%.0f%s", factors.horizontal * 100, L"%"));
  SetStatusText(3, fw::Format(L"%.0f%s", factors.vertical * 100, L"%"));
  long width = 0;
  long height = 0;
  currentMedia_->GetDestinationSize(&width, &height);
  if (width > 0 && height > 0) SetStatusText(5, fw::Format(L"%i x %i", static_cast<int>(width), static_cast<int>(height)));
}
