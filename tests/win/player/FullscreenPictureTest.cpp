// A still picture (paused or stopped) stays on the screen when fullscreen is
// switched on and off: read back from the screen at the monitor's size and
// in the window's video area again, and there at once, before the renderer
// draws another frame.
#include "media/Media.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include <gtest/gtest.h>

using zvtest::RunPlayer;
using zvtest::ScriptedPlayer;
using zvtest::WaitFor;

namespace {

// Waits until the screen shows the colour there; the last colour seen otherwise.
::testing::AssertionResult Shows(POINT point, COLORREF colour) {
  COLORREF seen = 0;
  const auto shows = [&] {
    seen = zvtest::ScreenPixel(point);
    return zvtest::NearColour(zvtest::ToRgb(seen), zvtest::ToRgb(colour), 40);
  };
  if (WaitFor(shows, 5000)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at " << point.x << "," << point.y << " the screen shows " << std::hex
                                       << seen << " instead of " << colour;
}

}  // namespace

TEST(FullscreenPicture, AStillPictureIsShownInFullscreenAndBackInTheWindow) {
  RunPlayer([&](ScriptedPlayer& p) {
    // Four quadrants: red, green / blue, white.
    ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
    for (const bool stopped : {false, true}) {
      SCOPED_TRACE(stopped ? "stopped" : "paused");
      if (stopped)
        p.Stop();
      else
        p.Pause();
      long state = -1;
      ASSERT_TRUE(WaitFor([&] { return p.CurrentMedia()->GetState(&state) == S_OK && state == kStatePaused; }, 5000));
      RECT area = p.VideoAreaRect();
      MapWindowPoints(p.hwnd(), nullptr, reinterpret_cast<POINT*>(&area), 2);
      const POINT windowed{area.left + (area.right - area.left) * 3 / 4, area.top + (area.bottom - area.top) * 3 / 4};
      ASSERT_TRUE(Shows(windowed, RGB(255, 255, 255)));

      SendMessageW(p.hwnd(), WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
      ASSERT_TRUE(p.IsFullscreen());
      MONITORINFO monitor{};
      monitor.cbSize = sizeof(monitor);
      GetMonitorInfoW(MonitorFromWindow(CMedia::VideoWindow(), MONITOR_DEFAULTTONEAREST), &monitor);
      const RECT& full = monitor.rcMonitor;
      // Left of the centre line in the upper half: red whatever the scale.
      EXPECT_TRUE(Shows({(full.left + full.right) / 2 - 8, full.top + (full.bottom - full.top) / 4}, RGB(255, 0, 0)));
      // ...and right of it in the lower half: white.
      EXPECT_TRUE(Shows({(full.left + full.right) / 2 + 8, full.bottom - (full.bottom - full.top) / 4},
                        RGB(255, 255, 255)));

      SendMessageW(p.hwnd(), WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
      ASSERT_FALSE(p.IsFullscreen());
      EXPECT_TRUE(Shows(windowed, RGB(255, 255, 255)));
      EXPECT_EQ(p.GetPlayState(), stopped ? kPlayStopped : kPlayPaused);
    }
  });
}

namespace {

// Dispatches what is waiting except timers: the paused picture's own
// repaint (a seek) comes by a timer, so what the renderer's window shows
// afterwards is what entering or leaving left there.
void DispatchPendingButTimers() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
         PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The upper-left and lower-right quadrants in the renderer's own window,
// read from its surface; its client size through `size`.
::testing::AssertionResult RendererShowsQuadrants(SIZE* size) {
  HWND renderer = GetWindow(CMedia::VideoWindow(), GW_CHILD);
  while (renderer && !IsWindowVisible(renderer)) renderer = GetWindow(renderer, GW_HWNDNEXT);
  if (!renderer) return ::testing::AssertionFailure() << "no renderer window";
  RECT client{};
  GetClientRect(renderer, &client);
  *size = {client.right, client.bottom};
  HDC dc = GetDC(renderer);
  const COLORREF upperLeft = GetPixel(dc, client.right / 4, client.bottom / 4);
  const COLORREF lowerRight = GetPixel(dc, client.right * 3 / 4, client.bottom * 3 / 4);
  ReleaseDC(renderer, dc);
  const auto matches = [](COLORREF seen, COLORREF colour) {
    return zvtest::NearColour(zvtest::ToRgb(seen), zvtest::ToRgb(colour), 40);
  };
  if (matches(upperLeft, RGB(255, 0, 0)) && matches(lowerRight, RGB(255, 255, 255))) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the renderer's window of " << client.right << "x" << client.bottom
                                       << " shows " << std::hex << upperLeft << " / " << lowerRight;
}

}  // namespace

// Where the renderer draws only when a frame comes, the picture is still
// there at the new size right after the switch, before any new frame.
TEST(FullscreenPicture, ThePictureIsThereAtTheNewSizeBeforeTheNextFrame) {
  RunPlayer([&](ScriptedPlayer& p) {
    ASSERT_TRUE(p.OpenMediaFile(zvtest::MediaPath(L"pattern.avi")));
    p.Pause();
    long state = -1;
    ASSERT_TRUE(WaitFor([&] { return p.CurrentMedia()->GetState(&state) == S_OK && state == kStatePaused; }, 5000));
    SIZE windowed{};
    ASSERT_TRUE(WaitFor([&] { return RendererShowsQuadrants(&windowed); }, 5000)) << RendererShowsQuadrants(&windowed);

    SendMessageW(p.hwnd(), WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
    ASSERT_TRUE(p.IsFullscreen());
    DispatchPendingButTimers();
    SIZE full{};
    EXPECT_TRUE(RendererShowsQuadrants(&full));
    EXPECT_GT(full.cx, windowed.cx);

    SendMessageW(p.hwnd(), WM_COMMAND, IDM_ANSICHT_VOLLBILD, 0);
    ASSERT_FALSE(p.IsFullscreen());
    DispatchPendingButTimers();
    SIZE back{};
    EXPECT_TRUE(RendererShowsQuadrants(&back));
    EXPECT_EQ(back.cx, windowed.cx);
    EXPECT_EQ(back.cy, windowed.cy);
  });
}
