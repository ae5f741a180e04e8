// A still picture (paused or stopped) stays on the screen when fullscreen is
// switched on and off: read back from the screen at the monitor's size and
// in the window's video area again.
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
