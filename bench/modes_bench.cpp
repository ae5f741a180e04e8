// Window-mode bench, two measurements in one run:
// 1. Fullscreen: the fullscreen command until the picture is on the screen at
//    the monitor's size, and the command again until it is back in the
//    window's video area, against a bare window that moves with SetWindowPos
//    to the same two rectangles and paints the same picture. Both sides are
//    seen the same way, by reading screen pixels; ratios of the medians.
// 2. The clock timer's tick while a video plays with every bar shown: the
//    handler and the painting it causes, per tick, as a share of its 250 ms
//    period (wall time, and the thread's CPU time over all ticks).
// Usage (under Wine): bench_modes.exe <four-quadrant video> [repetitions] [paused]
#include "bench/BenchPlayer.h"
#include "bench/BenchSupport.h"
#include "media/Media.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using zv::bench::Median;
using zv::bench::NowSeconds;
using zv::bench::Pump;

// Pumps until the condition holds; false after the time-out.
bool PumpUntil(const std::function<bool()>& condition, double seconds) {
  const double start = NowSeconds();
  while (!condition()) {
    if (NowSeconds() - start > seconds) return false;
    Pump();
  }
  return true;
}

COLORREF ScreenPixel(POINT point) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 48 && std::abs(GetGValue(a) - GetGValue(b)) < 48 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 48;
}

// Seconds until the screen shows the colour at the point (negative: never).
double Shown(POINT point, COLORREF colour, double start) {
  if (!PumpUntil([&] { return Near(ScreenPixel(point), colour); }, 10)) return -1;
  return NowSeconds() - start;
}

// The bare window: the four quadrants of the test picture over its client area.
COLORREF g_quadrants[4];

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  const int w = client.right / 2, h = client.bottom / 2;
  const RECT parts[4] = {{0, 0, w, h}, {w, 0, client.right, h}, {0, h, w, client.bottom},
                         {w, h, client.right, client.bottom}};
  for (int i = 0; i < 4; ++i) {
    HBRUSH brush = CreateSolidBrush(g_quadrants[i]);
    FillRect(dc, &parts[i], brush);
    DeleteObject(brush);
  }
  EndPaint(hwnd, &paint);
  return 0;
}

HWND CreateBareWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZentravueModesBenchBare";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"bare", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

RECT ScreenVideoArea(CZentravueDlg& player) {
  RECT area = player.VideoAreaRect();
  MapWindowPoints(player.hwnd(), nullptr, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_modes <four-quadrant video> [repetitions] [paused]\n");
    return 2;
  }
  const std::wstring file = argv[1];
  const int repetitions = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
  CoInitialize(nullptr);
  zv::bench::BenchPlayer bench;
  if (!bench.Create()) return 1;
  CZentravueDlg& player = bench.Window();
  ShowWindow(player.hwnd(), SW_SHOWNORMAL);
  SetWindowPos(player.hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
  Pump();
  if (!player.OpenMediaFile(file) || !player.CurrentMedia() || !player.CurrentMedia()->HasVideo()) {
    std::fprintf(stderr, "bench: the video does not open\n");
    return 1;
  }
  player.SetLoop(true);
  player.Play();

  // The windowed picture: its top-left and bottom-right quadrants.
  const RECT area = ScreenVideoArea(player);
  const int aw = area.right - area.left, ah = area.bottom - area.top;
  const POINT windowedTopLeft{area.left + aw / 4, area.top + ah / 4};
  const POINT windowedBottomRight{area.left + aw * 3 / 4, area.top + ah * 3 / 4};
  const POINT windowedOthers[2] = {{area.left + aw * 3 / 4, area.top + ah / 4}, {area.left + aw / 4, area.top + ah * 3 / 4}};
  PumpUntil([] { return false; }, 1.5);  // the first frames
  g_quadrants[0] = ScreenPixel(windowedTopLeft);
  g_quadrants[1] = ScreenPixel(windowedOthers[0]);
  g_quadrants[2] = ScreenPixel(windowedOthers[1]);
  g_quadrants[3] = ScreenPixel(windowedBottomRight);
  if (Near(g_quadrants[0], g_quadrants[3])) {
    std::fprintf(stderr, "bench: the video shows no four-quadrant picture (%06lx, %06lx)\n",
                 static_cast<unsigned long>(g_quadrants[0]), static_cast<unsigned long>(g_quadrants[3]));
    return 1;
  }
  // In fullscreen: a point of the top-left quadrant just left of the
  // monitor's centre line, whatever the picture's scale.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(player.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT full = monitor.rcMonitor;
  const POINT fullTopLeft{(full.left + full.right) / 2 - 8, full.top + (full.bottom - full.top) / 4};
  if (Near(ScreenPixel(fullTopLeft), g_quadrants[0])) {
    std::fprintf(stderr, "bench: the fullscreen probe point already shows the picture\n");
    return 1;
  }

  // "paused" as third argument: a still picture, which the player fetches
  // again where the renderer does not repaint it.
  const bool paused = argc > 3 && std::wcscmp(argv[3], L"paused") == 0;
  if (paused) {
    player.Pause();
    PumpUntil([] { return false; }, 0.5);
  }
  HWND bare = CreateBareWindow();
  std::vector<double> enterPlayer, leavePlayer, enterBare, leaveBare, enterCommand, leaveCommand;
  for (int i = 0; i < repetitions; ++i) {
    double start = NowSeconds();
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
    enterCommand.push_back(NowSeconds() - start);
    enterPlayer.push_back(Shown(fullTopLeft, g_quadrants[0], start));
    start = NowSeconds();
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
    leaveCommand.push_back(NowSeconds() - start);
    leavePlayer.push_back(Shown(windowedBottomRight, g_quadrants[3], start));

    // The bare window over the player's video area, with the same picture.
    SetWindowPos(bare, HWND_TOP, area.left, area.top, aw, ah, SWP_SHOWWINDOW);
    UpdateWindow(bare);
    PumpUntil([] { return false; }, 0.2);
    start = NowSeconds();
    SetWindowPos(bare, HWND_TOP, full.left, full.top, full.right - full.left, full.bottom - full.top, 0);
    enterBare.push_back(Shown(fullTopLeft, g_quadrants[0], start));
    start = NowSeconds();
    SetWindowPos(bare, HWND_TOP, area.left, area.top, aw, ah, 0);
    leaveBare.push_back(Shown(windowedBottomRight, g_quadrants[3], start));
    ShowWindow(bare, SW_HIDE);
    PumpUntil([] { return false; }, 0.3);
  }
  DestroyWindow(bare);
  for (const auto* times : {&enterPlayer, &leavePlayer, &enterBare, &leaveBare}) {
    if (std::find_if(times->begin(), times->end(), [](double t) { return t < 0; }) != times->end()) {
      std::fprintf(stderr, "bench: a picture never appeared\n");
      return 1;
    }
  }
  const double ep = Median(enterPlayer), lp = Median(leavePlayer), eb = Median(enterBare), lb = Median(leaveBare);
  std::printf("%s video, median of %d:\n", paused ? "paused" : "playing", repetitions);
  std::printf("enter fullscreen to the picture at monitor size: %.1f ms (the command itself %.1f ms); bare window "
              "%.1f ms; ratio %.2f (goal <= 2)\n",
              ep * 1000, Median(enterCommand) * 1000, eb * 1000, ep / eb);
  std::printf("leave fullscreen to the picture in the window: %.1f ms (the command itself %.1f ms); bare window "
              "%.1f ms; ratio %.2f (goal <= 2)\n",
              lp * 1000, Median(leaveCommand) * 1000, lb * 1000, lp / lb);

  // The clock tick, every bar shown (the defaults), the video playing: the
  // handler and the painting it leads to, at its own 250 ms pace.
  constexpr int kTicks = 40;
  KillTimer(player.hwnd(), ID_Clock_Timer);
  std::vector<double> ticks;
  const double cpuStart = ThreadCpuSeconds();
  double cpuInTicks = 0;
  for (int t = 0; t < kTicks; ++t) {
    PumpUntil([] { return false; }, 0.25);
    const double cpuBefore = ThreadCpuSeconds();
    const double start = NowSeconds();
    player.OnClockTimer();
    RedrawWindow(player.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ticks.push_back(NowSeconds() - start);
    cpuInTicks += ThreadCpuSeconds() - cpuBefore;
  }
  const double cpuAll = ThreadCpuSeconds() - cpuStart;
  const double tick = Median(ticks);
  std::printf("clock timer tick with painting: median %.3f ms = %.2f %% of 250 ms (goal < 1 %%)\n", tick * 1000,
              tick / 0.25 * 100);
  std::printf("thread CPU in %d ticks: %.1f ms (%.2f %% of their periods); whole thread meanwhile %.1f ms\n", kTicks,
              cpuInTicks * 1000, cpuInTicks / (kTicks * 0.25) * 100, cpuAll * 1000);
  player.CloseMedia(false);
  DestroyWindow(player.hwnd());
  CoUninitialize();
  return 0;
}
