#include "media/VideoWindow.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/Media.h"
#include "media/PlatformQuirks.h"

#include <algorithm>

namespace zv {
namespace {

DisplayModeChanger g_realChanger;
DisplayModeChanger* g_changer = &g_realChanger;

void ForgetVideoWindow(VideoWindowState& s) {
  if (s.displayModeChanged) {
    g_changer->Restore();
    s.displayModeChanged = false;
  }
  if (!s.cursorVisible) {
    ShowCursor(TRUE);
    s.cursorVisible = true;
  }
  s.window = nullptr;
  s.current = nullptr;
  s.fullscreen = false;
}

// The player window's messages from other processes (hand-over and remote
// control); the media engine knows their numbers, not their meaning.
constexpr UINT kHandOverMessage = WM_APP + 4;
constexpr UINT kRemoteControlMessage = WM_APP + 5;

LRESULT CALLBACK VideoWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  VideoWindowState& s = SharedVideoState();
  switch (message) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      if (cs && cs->lpCreateParams) s.current = static_cast<CMedia*>(cs->lpCreateParams);
      break;
    }
    case WM_SIZE:
      if (s.current) s.current->PlaceVideo(LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_ERASEBKGND: {
      // What the picture does not cover (the bars around it, the window
      // before the first frame) shows the border colour, never an older
      // picture: not every renderer paints its borders.
      HDC dc = reinterpret_cast<HDC>(wParam);
      for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT picture{};
        GetWindowRect(child, &picture);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&picture), 2);
        ExcludeClipRect(dc, picture.left, picture.top, picture.right, picture.bottom);
      }
      RECT client{};
      GetClientRect(hwnd, &client);
      FillRect(dc, &client, s.brush ? static_cast<HBRUSH>(s.brush.get()) : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      return 1;
    }
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && s.current) PostMessageW(s.current->OwnerWindow(), WM_CLOSE, 0, 0);
      break;
    case WM_TIMER:
      if (wParam == kMouseMoveTimer && s.current) CursorTick();
      break;
    case WM_NCDESTROY:
      // The window goes with the player window that owns it; the next media
      // object creates a fresh one under its own owner.
      if (hwnd == s.window) ForgetVideoWindow(s);
      break;
    default:
      // Mouse input belongs to the player window: it sees the video as part
      // of itself (buttons, extra buttons and both wheels).
      if (message >= WM_MOUSEMOVE && message <= WM_MOUSEHWHEEL && s.current) {
        PostMessageW(s.current->OwnerWindow(), message, wParam, lParam);
        return 1;
      }
      // In fullscreen this window is a top-level window whose title starts
      // with the program's name, so a second instance or a remote control
      // may find it before the player window: their messages go on to it.
      if ((message == kHandOverMessage || message == kRemoteControlMessage) && s.current)
        return SendMessageW(s.current->OwnerWindow(), message, wParam, lParam);
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct MonitorSearch {
  std::wstring device;
  bool found = false;
  RECT rect{};
};

BOOL CALLBACK FindMonitorByDevice(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* search = reinterpret_cast<MonitorSearch*>(data);
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  if (search->device != info.szDevice) return TRUE;
  search->found = true;
  search->rect = info.rcMonitor;
  return FALSE;
}

std::wstring FullscreenDevice(const CMedia* media) {
  const CSettings* settings = media->Settings();
  if (settings && settings->DisplayDevice != u"Current") return fw::ToWide(settings->DisplayDevice);
  HMONITOR monitor = MonitorFromWindow(media->OwnerWindow(), MONITOR_DEFAULTTONULL);
  if (!monitor) return {};
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return {};
  return info.szDevice;
}

}  // namespace

LONG DisplayModeChanger::Change(const std::wstring& device, DWORD width, DWORD height) {
  DEVMODEW mode{};
  mode.dmSize = 220;  // the record size the display settings call expects from us
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  return ChangeDisplaySettingsExW(device.empty() ? nullptr : device.c_str(), &mode, nullptr, CDS_FULLSCREEN,
                                  nullptr);
}

LONG DisplayModeChanger::Restore() { return ChangeDisplaySettingsW(nullptr, 0); }

void SetDisplayModeChanger(DisplayModeChanger* changer) { g_changer = changer ? changer : &g_realChanger; }

VideoWindowState& SharedVideoState() {
  static VideoWindowState state;
  return state;
}

void EnsureVideoWindow(CMedia* media) {
  VideoWindowState& s = SharedVideoState();
  // A handle of a window that is gone (destroyed before its procedure could
  // see it, e.g. by another thread's owner) is never reused.
  if (s.window && !IsWindow(s.window)) ForgetVideoWindow(s);
  if (s.window) {
    s.current = media;
  } else {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_PARENTDC | CS_NOCLOSE;
    wc.lpfnWndProc = VideoWindowProc;
    wc.hInstance = media->Instance() ? media->Instance() : GetModuleHandleW(nullptr);
    wc.hIcon = media->Icon();
    wc.lpszClassName = kVideoWindowClass;
    WNDCLASSEXW existing{};
    const bool registered = GetClassInfoExW(wc.hInstance, kVideoWindowClass, &existing) ||
                            RegisterClassExW(&wc) != 0;
    if (registered) {
      const RECT& r = media->VideoRect();
      const std::wstring title = media->WindowTitle() + L" - FULLSCREEN";
      s.window = CreateWindowExW(0, kVideoWindowClass, title.c_str(), media->WindowStyle(), r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, media->OwnerWindow(), nullptr,
                                 wc.hInstance, media);
      if (s.window) s.current = media;
    }
  }
  if (s.window && s.fullscreen) SetTimer(s.window, kMouseMoveTimer, kCursorTimerPeriodAfterOpen, nullptr);
}

void DetachVideoWindow(CMedia* media) {
  VideoWindowState& s = SharedVideoState();
  if (s.current == media) s.current = nullptr;
}

void EnterFullscreen(CMedia* media) {
  VideoWindowState& s = SharedVideoState();
  if (!s.window) return;
  s.fullscreen = true;
  const std::wstring device = FullscreenDevice(media);
  const CSettings* settings = media->Settings();
  if (settings && settings->DisplayWidth != 0 && settings->DisplayHeight != 0 &&
      g_changer->Change(device, static_cast<DWORD>(settings->DisplayWidth),
                        static_cast<DWORD>(settings->DisplayHeight)) == DISP_CHANGE_SUCCESSFUL)
    s.displayModeChanged = true;
  // Where the picture is on the screen: a device that matches no monitor
  // (one that is gone) leaves the window there, so it is maximised on the
  // monitor that shows the player window rather than at the place its
  // child position would name on the desktop.
  RECT shown{};
  GetWindowRect(s.window, &shown);
  ShowWindow(s.window, SW_HIDE);
  SetParent(s.window, nullptr);
  SetWindowLongPtrW(s.window, GWL_STYLE, 0);
  MonitorSearch search;
  search.device = device;
  EnumDisplayMonitors(nullptr, nullptr, FindMonitorByDevice, reinterpret_cast<LPARAM>(&search));
  const POINT corner = search.found ? POINT{search.rect.left, search.rect.top} : POINT{shown.left, shown.top};
  SetWindowPos(s.window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(s.window, SW_SHOWMAXIMIZED);
  SetWindowPos(s.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetTimer(s.window, kMouseMoveTimer, kCursorTimerPeriod, nullptr);
}

void LeaveFullscreen(CMedia* media) {
  VideoWindowState& s = SharedVideoState();
  if (!s.window) return;
  KillTimer(s.window, kMouseMoveTimer);
  if (s.displayModeChanged) {
    g_changer->Restore();
    s.displayModeChanged = false;
  }
  SetWindowPos(s.window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowWindow(s.window, SW_HIDE);
  SetWindowLongPtrW(s.window, GWL_STYLE, static_cast<LONG_PTR>(media->WindowStyle()));
  SetParent(s.window, media->OwnerWindow());
  const RECT& r = media->VideoRect();
  SetWindowPos(s.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
  ShowWindow(s.window, SW_SHOWNORMAL);
  if (!s.cursorVisible) {
    ShowCursor(TRUE);
    s.cursorVisible = true;
  }
  s.fullscreen = false;
}

namespace {

// The renderer's own window inside the video window (renderers that draw
// into the video window itself have none).
HWND RendererWindow(HWND videoWindow) {
  if (!videoWindow) return nullptr;
  for (HWND child = GetWindow(videoWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) return child;
  return nullptr;
}

}  // namespace

HeldPicture::HeldPicture(HWND videoWindow, SIZE largest) {
  if (RendererRedrawsAfterResize()) return;
  HWND renderer = RendererWindow(videoWindow);
  RECT client{};
  if (!renderer || !GetClientRect(renderer, &client) || client.right <= 0 || client.bottom <= 0) return;
  const SIZE held{largest.cx > 0 ? std::min<LONG>(client.right, largest.cx) : client.right,
                  largest.cy > 0 ? std::min<LONG>(client.bottom, largest.cy) : client.bottom};
  HDC dc = GetDC(renderer);
  if (!dc) return;
  if (HDC memory = CreateCompatibleDC(dc)) {
    bitmap_.Reset(CreateCompatibleBitmap(dc, held.cx, held.cy));
    if (bitmap_) {
      HGDIOBJ old = SelectObject(memory, bitmap_.get());
      SetStretchBltMode(memory, COLORONCOLOR);
      if (StretchBlt(memory, 0, 0, held.cx, held.cy, dc, 0, 0, client.right, client.bottom, SRCCOPY)) {
        videoWindow_ = videoWindow;
        size_ = held;
      }
      SelectObject(memory, old);
    }
    DeleteDC(memory);
  }
  ReleaseDC(renderer, dc);
}

void HeldPicture::Show() const {
  HWND renderer = RendererWindow(videoWindow_);
  RECT client{};
  if (!renderer || !GetClientRect(renderer, &client) || client.right <= 0 || client.bottom <= 0) return;
  // The renderer draws its whole frame over its whole window, so the held
  // picture is stretched the same way. Its pending erase to black would
  // undo this; the renderer's next frame paints over it anyway.
  ValidateRect(renderer, nullptr);
  HDC dc = GetDC(renderer);
  if (!dc) return;
  if (HDC memory = CreateCompatibleDC(dc)) {
    HGDIOBJ old = SelectObject(memory, bitmap_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, size_.cx, size_.cy, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  ReleaseDC(renderer, dc);
}

void CursorTick() {
  VideoWindowState& s = SharedVideoState();
  HWND under = nullptr;
  POINT pt;
  if (GetCursorPos(&pt)) {
    under = WindowFromPoint(pt);
    if (HWND parent = under ? GetParent(under) : nullptr) under = parent;
  }
  if (GetTickCount64() - s.lastMouseMove > kCursorHideDelay && under == s.window) {
    if (s.cursorVisible) {
      ShowCursor(FALSE);
      s.cursorVisible = false;
    }
    return;
  }
  if (!s.cursorVisible) {
    ShowCursor(TRUE);
    s.cursorVisible = true;
  }
}

}  // namespace zv
