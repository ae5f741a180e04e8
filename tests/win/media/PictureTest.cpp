// What a person sees of the video: the picture reaches the screen with the
// renderer "Current" chooses, and the video window belongs to the player
// window that plays, also after an earlier player window was closed.
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include "media/VideoWindow.h"

#include <gtest/gtest.h>

using namespace zvtest;

namespace {

struct ScreenSample {
  int pixels = 0;
  int bright = 0;    // any channel above 96
  int reddish = 0;   // red well above green and blue
  int greenish = 0;
  int bluish = 0;
};

// Reads the window's area back from the screen, as it is displayed.
ScreenSample SampleScreen(HWND window) {
  ScreenSample sample;
  for (uint32_t p : CaptureWindow(window).pixels) {
    const int red = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    ++sample.pixels;
    if (red > 96 || g > 96 || b > 96) ++sample.bright;
    if (red > 150 && g < 90 && b < 90) ++sample.reddish;
    if (g > 150 && red < 90 && b < 90) ++sample.greenish;
    if (b > 150 && red < 90 && g < 90) ++sample.bluish;
  }
  return sample;
}

// The renderer's own window inside the video window (the largest visible child).
HWND RendererWindow() {
  HWND best = nullptr;
  long bestArea = -1;
  for (HWND child = GetWindow(CMedia::VideoWindow(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    const long area = static_cast<long>(r.right - r.left) * (r.bottom - r.top);
    if (IsWindowVisible(child) && area > bestArea) {
      best = child;
      bestArea = area;
    }
  }
  return best;
}

class Picture : public testing::TestWithParam<const char16_t*> {};

}  // namespace

TEST_P(Picture, ColouredPatternReachesTheScreen) {
  OwnerWindow owner(400, 340);
  auto settings = DefaultSettings();
  settings->VideoRenderer = GetParam();
  auto media = OpenMedia(MediaPath(L"pattern.avi"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  media->Play();
  ASSERT_EQ(SettledState(*media), kStateRunning);
  HWND renderer = nullptr;
  ScreenSample sample;
  // Painting goes through the message loop; give it a bounded time.
  WaitFor(
      [&] {
        renderer = RendererWindow();
        if (renderer) sample = SampleScreen(renderer);
        return sample.reddish > 0 && sample.greenish > 0 && sample.bluish > 0;
      },
      5000);
  ASSERT_NE(renderer, nullptr) << "the renderer's window is a child of the video window";
  EXPECT_EQ(GetParent(renderer), CMedia::VideoWindow());
  ASSERT_GT(sample.pixels, 1000);
  EXPECT_GT(sample.bright, sample.pixels / 2) << "the picture is not black";
  // The four flat quadrants each cover about a quarter of the picture.
  EXPECT_GT(sample.reddish, sample.pixels / 10);
  EXPECT_GT(sample.greenish, sample.pixels / 10);
  EXPECT_GT(sample.bluish, sample.pixels / 10);
  media->Stop();
}

// A setting that names no renderer, or one this platform cannot use, leaves
// the choice to the platform: its picture must reach the screen as well.
INSTANTIATE_TEST_SUITE_P(Renderers, Picture,
                         testing::Values(u"Current", u"Video Renderer", u"none of these", u"Enhanced Video Renderer"));

TEST(VideoWindow, NextPlayerWindowGetsAFreshVideoWindowOfItsOwn) {
  auto settings = DefaultSettings();
  HWND first = nullptr;
  {
    OwnerWindow owner;
    auto media = OpenMedia(MediaPath(L"v.avi"), owner, *settings);
    ASSERT_TRUE(media->IsRendered());
    first = CMedia::VideoWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetParent(first), owner.hwnd());
    media.reset();
  }
  // Closing the player window took its video window along.
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(CMedia::VideoWindow(), nullptr);

  OwnerWindow second(500, 400);
  auto media = OpenMedia(MediaPath(L"v.avi"), second, *settings);
  ASSERT_TRUE(media->IsRendered());
  HWND video = CMedia::VideoWindow();
  ASSERT_NE(video, nullptr);
  EXPECT_TRUE(IsWindow(video));
  EXPECT_EQ(GetParent(video), second.hwnd());
  media->Play();
  EXPECT_EQ(SettledState(*media), kStateRunning);
  Pump(100);
  HWND renderer = RendererWindow();
  ASSERT_NE(renderer, nullptr) << "the renderer's window lives in the new video window";
  EXPECT_EQ(GetParent(renderer), video);
  EXPECT_EQ(GetWindowLongPtrW(renderer, GWL_STYLE) & WS_CHILD, WS_CHILD);
  RECT r{};
  GetClientRect(renderer, &r);
  EXPECT_GT(r.right, 0);
  EXPECT_GT(r.bottom, 0);
  media->Stop();
}

// For looking at the picture by eye: plays the demo clip in a test window for
// ZV_HOLD_MS milliseconds (run with --gtest_also_run_disabled_tests and take
// a screenshot meanwhile).
TEST(Picture, DISABLED_DemoClipForAScreenshot) {
  OwnerWindow owner(640, 400);
  auto settings = DefaultSettings();
  auto media = OpenMedia(MediaPath(L"demo.mkv"), owner, *settings);
  ASSERT_TRUE(media->IsRendered());
  media->Play();
  wchar_t hold[16] = {};
  GetEnvironmentVariableW(L"ZV_HOLD_MS", hold, 16);
  Pump(static_cast<DWORD>(_wtoi(hold)));
  media->Stop();
}
