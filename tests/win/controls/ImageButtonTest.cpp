// The mute button: picture from the normal or hover strip, the hover ending
// soon after the cursor leaves, its own tooltip, and ordinary clicks.
#include "res/resource.h"
#include "tests/win/controls/ControlsHost.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

// A pixel inside the speaker body of picture 14 (NoMute), in button coordinates:
// the 16 x 16 picture is centred in the 23 x 22 button at (3, 3).
constexpr POINT kSpeakerPixel{3 + 3, 3 + 8};
constexpr COLORREF kNormalSlate = RGB(44, 62, 92);
constexpr COLORREF kHoverBlue = RGB(0, 104, 214);

COLORREF PixelOf(HWND hwnd, POINT p) {
  UpdateWindow(hwnd);
  HDC dc = GetDC(hwnd);
  const COLORREF c = GetPixel(dc, p.x, p.y);
  ReleaseDC(hwnd, dc);
  return c;
}

class ImageButtonTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Open(640, 360)); }
  ControlsHost host;
};

TEST_F(ImageButtonTest, HoverPictureEndsSoonAfterTheCursorLeaves) {
  HWND button = host.mute.hwnd();
  RECT r{};
  GetWindowRect(button, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(11, 11));
  ASSERT_TRUE(host.mute.IsHovering());
  EXPECT_EQ(PixelOf(button, kSpeakerPixel), kHoverBlue);
  // Still over the button: the timer keeps the hover.
  zvtest::WaitFor([] { return false; }, 250);
  EXPECT_TRUE(host.mute.IsHovering());

  RECT hostRect{};
  GetWindowRect(host.hwnd(), &hostRect);
  SetCursorPos(hostRect.left + 5, hostRect.bottom + 40);
  const ULONGLONG left = GetTickCount64();
  ASSERT_TRUE(zvtest::WaitFor([&] { return !host.mute.IsHovering(); }, 2000));
  const ULONGLONG elapsed = GetTickCount64() - left;
  // One timer period, with room for a slow scheduler.
  EXPECT_LE(elapsed, 100u + 150u);
  EXPECT_EQ(PixelOf(button, kSpeakerPixel), kNormalSlate);
}

TEST_F(ImageButtonTest, ImageIndexSelectsThePicture) {
  HWND button = host.mute.hwnd();
  EXPECT_EQ(host.mute.ImageIndex(), 14);
  EXPECT_EQ(PixelOf(button, kSpeakerPixel), kNormalSlate);
  host.mute.SetImageIndex(host.table.ImageIndexOf(u"Mute"));
  EXPECT_EQ(host.mute.ImageIndex(), 15);
  // The muted picture has the same speaker and a red cross at its right.
  EXPECT_EQ(PixelOf(button, kSpeakerPixel), kNormalSlate);
  const POINT crossCentre{3 + 12, 3 + 8};
  const COLORREF cross = PixelOf(button, crossCentre);
  EXPECT_GT(GetRValue(cross), 180);
  EXPECT_LT(GetGValue(cross), 80);
}

TEST_F(ImageButtonTest, TooltipIsCreatedOnFirstUseWithTheText) {
  CImageButton fresh;
  ASSERT_TRUE(fresh.Create(host.hwnd(), 901, RECT{0, 100, 23, 122}, host.images.Normal(), host.images.Hover()));
  fresh.SetTooltipText(L"Ton einschalten");
  EXPECT_EQ(fresh.Tooltip(), nullptr);
  SendMessageW(fresh.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_NE(fresh.Tooltip(), nullptr);
  wchar_t text[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = fresh.hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(fresh.hwnd());
  tool.lpszText = text;
  SendMessageW(fresh.Tooltip(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Ton einschalten");
  fresh.SetTooltipText(L"Ton ausschalten");
  SendMessageW(fresh.Tooltip(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Ton ausschalten");
  DestroyWindow(fresh.hwnd());
  EXPECT_EQ(fresh.Tooltip(), nullptr);
}

TEST_F(ImageButtonTest, ClickSendsTheMuteCommand) {
  HWND button = host.mute.hwnd();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  ControlsHost::Pump();
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0], IDTBB_MUTE);
}

}  // namespace
