// CZentravueDlg: the commands that change the window's mode: fullscreen,
// reset window size, always on top, the five bars and compact view,
// restore / minimise / maximise, video zoom and fit, and keeping the window
// within reach of a monitor.
#include "player/ZentravueDlg.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/Media.h"
#include "media/PlatformQuirks.h"
#include "player/WindowPlacement.h"
#include "res/resource.h"

#include <algorithm>

namespace {

constexpr UINT kBarCommands[] = {IDM_ANSICHT_TITLEBAR, IDM_ANSICHT_MENUBAR, IDM_ANSICHT_POSITIONSBAR,
                                 IDM_ANSICHT_TOOLBAR, IDM_ANSICHT_STATUSBAR};

zv::layout::Rect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void ShowBar(HWND bar, bool show) {
  if (!bar) return;
  const bool shown = (GetWindowLongPtrW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != show) ShowWindow(bar, show ? SW_SHOWNA : SW_HIDE);
}

void RefreshFrame(HWND window) {
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The caption and the system menu come and go together.
void SetCaption(HWND window, bool on) {
  const LONG_PTR bits = WS_CAPTION | WS_SYSMENU;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR wanted = on ? (style | bits) : (style & ~bits);
  if (wanted == style) return;
  SetWindowLongPtrW(window, GWL_STYLE, wanted);
  RefreshFrame(window);
}

}  // namespace

// ---- fullscreen, size, z-order ----

void CZentravueDlg::ResetWindowSize() {
  if (fullscreen_) LeaveFullscreen();
  if (IsZoomed(hwnd_)) RestoreWindow();
  if (!currentMedia_ || !currentMedia_->HasVideo()) return;
  int width = 0;
  int height = 0;
  currentMedia_->GetSourceVideoSize(&width, &height);
  if (width > 0 && height > 0) SizeWindowToVideoArea(width, height);
}

// The button's picture shows the state, its tooltip the action of a click.
void CZentravueDlg::ToggleAlwaysOnTop() {
  const bool on = settings_->AlwaysOnTop == 0;
  settings_->AlwaysOnTop = on ? 1 : 0;
  CheckCommand(IDM_ANSICHT_IMMEROBEN, on);
  toolBar_.SetButtonPicture(IDTBB_ONTOP, buttons_.ImageIndexOf(on ? u"OnTop" : u"NotOnTop"),
                            fw::ToWide(buttons_.TooltipOf(on ? u"NotOnTop" : u"OnTop")));
  SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- restore, minimise, maximise ----

void CZentravueDlg::RestoreWindow() {
  if (IsZoomed(hwnd_) || IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  const bool maximiseBox = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
  if (maximiseBox && !fullscreen_) EnableCommand(IDM_ANSICHT_MAXIMIEREN, true);
  EnableCommand(IDM_ANSICHT_WIEDERHERSTELLEN, false);
}

void CZentravueDlg::MinimiseWindow() {
  if (fullscreen_) LeaveFullscreen();
  ShowWindow(hwnd_, SW_MINIMIZE);
}

void CZentravueDlg::MaximiseWindow() {
  if (fullscreen_) LeaveFullscreen();
  if (IsZoomed(hwnd_)) return;
  // Without a caption the system would maximise to a captioned size; with a
  // caption for the moment the window covers the work area exactly.
  const bool captionless = compactView_ || !settings_->TitleBar;
  HMONITOR monitor = MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
  if (captionless) SetCaption(hwnd_, true);
  ShowWindow(hwnd_, SW_MAXIMIZE);
  if (captionless) SetCaption(hwnd_, false);
  // The maximised place is given relative to the monitor's origin; where
  // the platform takes it as a place on the desktop, the window goes back to
  // the monitor it was maximised on (media/PlatformQuirks.h).
  RECT wanted{};
  const RECT now = WindowRect();
  if (!zv::MaximisedPositionFollowsMonitor() && MaximisedRect(monitor, &wanted) && !EqualRect(&wanted, &now))
    SetWindowPos(hwnd_, nullptr, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  EnableCommand(IDM_ANSICHT_WIEDERHERSTELLEN, true);
  if (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_MAXIMIZEBOX) EnableCommand(IDM_ANSICHT_MAXIMIEREN, false);
  RelayoutWindow();
}

bool CZentravueDlg::OnWindowModeSysCommand(WPARAM command) {
  switch (command & 0xFFF0) {
    case SC_MAXIMIZE:
      MaximiseWindow();
      return true;
    case SC_RESTORE:
      if (!IsZoomed(hwnd_)) return false;  // a minimised window: the default handling
      RestoreWindow();
      return true;
    default:
      return false;
  }
}

// ---- bars and compact view ----

void CZentravueDlg::ToggleTitleBar() {
  settings_->TitleBar = settings_->TitleBar ? 0 : 1;
  ApplyBarStates();
}

void CZentravueDlg::ToggleMenuBar() {
  settings_->MenuBar = settings_->MenuBar ? 0 : 1;
  ApplyBarStates();
}

void CZentravueDlg::ToggleToolBar() {
  settings_->ToolBar = settings_->ToolBar ? 0 : 1;
  ApplyBarStates();
}

void CZentravueDlg::TogglePositionBar() {
  settings_->PositionBar = settings_->PositionBar ? 0 : 1;
  ApplyBarStates();
}

void CZentravueDlg::ToggleStatusBar() {
  settings_->StatusBar = settings_->StatusBar ? 0 : 1;
  ApplyBarStates();
}

// Compact view takes every bar away without touching its setting, so
// leaving it gives back exactly the bars that were on.
void CZentravueDlg::ToggleCompactView() {
  compactView_ = !compactView_;
  settings_->CompactView = compactView_ ? 1 : 0;
  ApplyBarStates();
}

void CZentravueDlg::ApplyCompactOptions(bool atStart) {
  const CCmdLineInfo& options = *cmdLine_;
  if (atStart) {
    const bool on = (options.Compact && !(options.NoCompact && settings_->CompactView == 0)) ||
                    (settings_->CompactView == 1 && !options.NoCompact);
    if (on != compactView_) ToggleCompactView();
    return;
  }
  if (options.Compact && !options.NoCompact && !compactView_) ToggleCompactView();
  if (options.NoCompact && !options.Compact && compactView_) ToggleCompactView();
}

void CZentravueDlg::ApplyBarStates() {
  if (IsZoomed(hwnd_)) RestoreWindow();
  const RECT video = VideoAreaRect();
  HWND focus = GetFocus();
  const bool focusPending = focusBeforeHiding_ && IsWindow(focusBeforeHiding_) && !IsWindowVisible(focusBeforeHiding_);
  if (focus && IsChild(hwnd_, focus) && !focusPending) focusBeforeHiding_ = focus;
  const bool compact = compactView_;
  SetCaption(hwnd_, settings_->TitleBar && !compact);
  HMENU wantedMenu = settings_->MenuBar && !compact ? mainMenu_ : nullptr;
  if (GetMenu(hwnd_) != wantedMenu) SetMenu(hwnd_, wantedMenu);
  ShowBar(toolBar_.hwnd(), settings_->ToolBar && !compact);
  for (HWND control : {positionBar_.hwnd(), volumeBar_.hwnd(), muteButton_.hwnd()})
    ShowBar(control, settings_->PositionBar && !compact);
  ShowBar(statusBar_, settings_->StatusBar && !compact);
  // A bar that had the focus gets it back when it comes back, so that a bar
  // switched off and on again is exactly as it was.
  if (focusBeforeHiding_ && IsWindow(focusBeforeHiding_) && IsWindowVisible(focusBeforeHiding_) &&
      GetFocus() != focusBeforeHiding_) {
    SetFocus(focusBeforeHiding_);
    focusBeforeHiding_ = nullptr;
  }
  UpdateViewMenuItems();
  SizeWindowToVideoArea(video.right - video.left, video.bottom - video.top);
}

void CZentravueDlg::UpdateViewMenuItems() {
  const int states[] = {settings_->TitleBar, settings_->MenuBar, settings_->PositionBar, settings_->ToolBar,
                        settings_->StatusBar};
  for (size_t i = 0; i < std::size(kBarCommands); ++i) {
    CheckCommand(kBarCommands[i], states[i] != 0);
    EnableCommand(kBarCommands[i], !compactView_);
  }
  CheckCommand(IDM_ANSICHT_VIDEOPUR, compactView_);
}

// ---- keeping the window whole and within reach ----

void CZentravueDlg::FinishLayoutChange() {
  if (!ensuringBarsFit_ && !fullscreen_ && !IsIconic(hwnd_) && !IsZoomed(hwnd_)) {
    // A size set by the program (a tiny video, "size:") is not held to the
    // minimum the system applies to sizing by the user.
    // The width first: the wrapped rows of the menu and the toolbar, and
    // with them the height the bars need, follow it.
    ensuringBarsFit_ = true;
    const int missingWidth = zv::layout::MinClientWidth(CurrentBars().dpi) - ClientRect().right;
    if (missingWidth > 0) {
      const RECT window = WindowRect();
      SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + missingWidth, window.bottom - window.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A client area squeezed to nothing hides how much the frame takes: a
    // second measurement finds the rest.
    for (int pass = 0; pass < 3; ++pass) {
      const int missingHeight = zv::layout::BarsHeight(CurrentBars()) - ClientRect().bottom;
      if (missingHeight <= 0) break;
      const RECT window = WindowRect();
      SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + missingHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ensuringBarsFit_ = false;
  }
  // Bars that moved leave their old pixels in the video area and in each
  // other; the frame may have lost or gained menu rows.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CZentravueDlg::KeepOnVisibleMonitor() {
  const RECT window = WindowRect();
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &info)) return;
  const zv::layout::Rect work = ToLayout(info.rcWork);
  if (zv::layout::IsReachable(ToLayout(window), work)) return;
  const zv::layout::Point corner = zv::layout::BringIntoWorkArea(ToLayout(window), work);
  SetWindowPos(hwnd_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CZentravueDlg::MaximisedRect(HMONITOR monitor, RECT* rect) const {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return false;
  const LONG style = static_cast<LONG>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  const LONG exStyle = static_cast<LONG>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
  // The border alone: no caption, no menu.
  const LONG borderStyle = (style & ~WS_CAPTION) | ((style & WS_CAPTION) ? WS_DLGFRAME : 0);
  RECT border{0, 0, 0, 0};
  AdjustWindowRectEx(&border, static_cast<DWORD>(borderStyle), FALSE, static_cast<DWORD>(exStyle));
  const RECT& work = info.rcWork;
  *rect = RECT{work.left + border.left, work.top + border.top, work.right + border.right, work.bottom + border.bottom};
  return true;
}

void CZentravueDlg::SetMaximisedPlacement(MINMAXINFO* info) const {
  HMONITOR monitor = MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
  MONITORINFO bounds{};
  bounds.cbSize = sizeof(bounds);
  RECT maximised{};
  if (!GetMonitorInfoW(monitor, &bounds) || !MaximisedRect(monitor, &maximised)) return;
  // Relative to the monitor's origin, as the system takes it.
  info->ptMaxPosition.x = maximised.left - bounds.rcMonitor.left;
  info->ptMaxPosition.y = maximised.top - bounds.rcMonitor.top;
  info->ptMaxSize.x = maximised.right - maximised.left;
  info->ptMaxSize.y = maximised.bottom - maximised.top;
}

// ---- the paused picture after a change of size ----

// Many size changes come in a row (a drag on the frame); the picture is
// presented once, a moment after the last.
void CZentravueDlg::SchedulePausedFrame() {
  constexpr UINT kSettleMs = 80;
  if (currentMedia_ && currentMedia_->HasVideo()) SetTimer(hwnd_, kPausedFrameTimer, kSettleMs, nullptr);
}

void CZentravueDlg::OnPausedFrameTimer() {
  KillTimer(hwnd_, kPausedFrameTimer);
  if (currentMedia_) currentMedia_->ShowPausedFrameAgain();
}

// ---- video zoom and fit ----

void CZentravueDlg::ZoomStep(bool horizontal, int direction) {
  if (!currentMedia_ || !currentMedia_->HasVideo()) return;
  const zv::ZoomFactors now = CMedia::GetZoomFactors();
  const zv::layout::ZoomFactors next = zv::layout::StepZoom({now.horizontal, now.vertical}, horizontal,
                                                            direction * zv::layout::kZoomStep,
                                                            settings_->AspectRatio != 0);
  currentMedia_->SetZoomFactors(next.horizontal, next.vertical);
  ShowVideoSize(currentMedia_->PlaceVideo());
}

void CZentravueDlg::OptimalFit() {
  if (!currentMedia_ || !currentMedia_->HasVideo()) return;
  currentMedia_->SetFitMode(zv::layout::kFitOptimal);
  ShowVideoSize(currentMedia_->PlaceVideo());
  toolBar_.SetButtonPicture(IDTBB_CLIPPING, buttons_.ImageIndexOf(u"Clipping"),
                            fw::ToWide(buttons_.TooltipOf(u"Clipping")));
}

void CZentravueDlg::OptimalFill() {
  if (!currentMedia_ || !currentMedia_->HasVideo()) return;
  currentMedia_->SetFitMode(zv::layout::kFitFill);
  ShowVideoSize(currentMedia_->PlaceVideo());
  toolBar_.SetButtonPicture(IDTBB_CLIPPING, buttons_.ImageIndexOf(u"FillScreen"),
                            fw::ToWide(buttons_.TooltipOf(u"FillScreen")));
}

void CZentravueDlg::ToggleFitFill() {
  if (zv::layout::ToggledFitMode(CMedia::GetFitMode()) == zv::layout::kFitFill)
    OptimalFill();
  else
    OptimalFit();
}

// The source size stays until the next change of the window's size, which
// applies the optimal fit again.
void CZentravueDlg::ResetVideoZoom() {
  if (!currentMedia_ || !currentMedia_->HasVideo()) return;
  currentMedia_->SetFitMode(zv::layout::kFitSource);
  ShowVideoSize(currentMedia_->PlaceVideo());
  RelayoutBarRow();
}
