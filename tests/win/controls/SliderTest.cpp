// The position and volume bars under real mouse messages: every click jumps
// to the point, the parent hears code 5 while the button is held and code 4
// once at the end of a drag that moved the thumb.
#include "tests/win/controls/ControlsHost.h"

#include <gtest/gtest.h>

namespace {

class SliderTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Open(640, 360));
    host.position.SetRange(0, 999);
    SendMessageW(host.position.hwnd(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    y = (channel.top + channel.bottom) / 2;
    ControlsHost::Pump();
    host.scrolls.clear();
  }

  void Mouse(HWND bar, UINT message, int x) {
    SendMessageW(bar, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }

  std::vector<std::pair<int, int>> Scrolls(HWND expectedBar) {
    ControlsHost::Pump();
    std::vector<std::pair<int, int>> codes;
    for (const ScrollNote& note : host.scrolls) {
      EXPECT_EQ(note.bar, expectedBar);
      codes.emplace_back(note.code, note.position);
    }
    host.scrolls.clear();
    return codes;
  }

  using Codes = std::vector<std::pair<int, int>>;
  ControlsHost host;
  RECT channel{};
  int y = 0;
};

TEST_F(SliderTest, DragReportsEveryChangeThenThePositionOnce) {
  HWND bar = host.position.hwnd();
  host.position.SetPos(500);
  Mouse(bar, WM_LBUTTONDOWN, channel.left - 3);
  EXPECT_TRUE(host.position.IsDragging());
  EXPECT_EQ(GetCapture(), bar);
  Mouse(bar, WM_MOUSEMOVE, channel.right);
  Mouse(bar, WM_MOUSEMOVE, channel.right + 20);
  Mouse(bar, WM_LBUTTONUP, channel.right + 20);
  EXPECT_FALSE(host.position.IsDragging());
  EXPECT_NE(GetCapture(), bar);
  EXPECT_EQ(Scrolls(bar), (Codes{{TB_THUMBTRACK, 0}, {TB_THUMBTRACK, 999}, {TB_THUMBPOSITION, 999}}));
  EXPECT_EQ(host.position.GetPos(), 999);
}

TEST_F(SliderTest, FarLeftGivesZeroAndTheVeryRightEndGivesTheMaximum) {
  HWND bar = host.position.hwnd();
  host.position.SetPos(300);
  Mouse(bar, WM_LBUTTONDOWN, channel.left);
  Mouse(bar, WM_LBUTTONUP, channel.left);
  EXPECT_EQ(host.position.GetPos(), 0);
  Mouse(bar, WM_LBUTTONDOWN, channel.right);
  Mouse(bar, WM_LBUTTONUP, channel.right);
  EXPECT_EQ(host.position.GetPos(), 999);
  EXPECT_EQ(Scrolls(bar),
            (Codes{{TB_THUMBTRACK, 0}, {TB_THUMBPOSITION, 0}, {TB_THUMBTRACK, 999}, {TB_THUMBPOSITION, 999}}));
}

TEST_F(SliderTest, ClickBesideTheThumbJumpsInsteadOfPaging) {
  HWND bar = host.position.hwnd();
  host.position.SetPos(0);
  const int middle = (channel.left + channel.right) / 2;
  Mouse(bar, WM_LBUTTONDOWN, middle);
  Mouse(bar, WM_LBUTTONUP, middle);
  const Codes codes = Scrolls(bar);
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_EQ(codes[0].first, TB_THUMBTRACK);
  EXPECT_EQ(codes[1].first, TB_THUMBPOSITION);
  EXPECT_NEAR(codes[1].second, 500, 3);
  EXPECT_EQ(host.position.GetPos(), codes[1].second);
}

TEST_F(SliderTest, PressOnTheCurrentPositionPostsNothing) {
  HWND bar = host.position.hwnd();
  host.position.SetPos(999);
  Mouse(bar, WM_LBUTTONDOWN, channel.right);
  Mouse(bar, WM_MOUSEMOVE, channel.right + 5);
  Mouse(bar, WM_LBUTTONUP, channel.right);
  EXPECT_TRUE(Scrolls(bar).empty());
}

TEST_F(SliderTest, MovingWithoutPressChangesNothing) {
  HWND bar = host.position.hwnd();
  host.position.SetPos(100);
  Mouse(bar, WM_MOUSEMOVE, channel.right);
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(channel.right, y));
  EXPECT_EQ(host.position.GetPos(), 100);
  EXPECT_TRUE(Scrolls(bar).empty());
}

TEST_F(SliderTest, LosingTheMouseMidDragEndsTheDrag) {
  HWND bar = host.position.hwnd();
  host.position.SetPos(0);
  Mouse(bar, WM_LBUTTONDOWN, channel.right);
  SetCapture(host.hwnd());
  ReleaseCapture();
  EXPECT_FALSE(host.position.IsDragging());
  EXPECT_EQ(Scrolls(bar), (Codes{{TB_THUMBTRACK, 999}, {TB_THUMBPOSITION, 999}}));
}

TEST_F(SliderTest, VolumeBarJumpsWithinZeroToHundred) {
  HWND bar = host.volume.hwnd();
  RECT volumeChannel{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&volumeChannel));
  host.volume.SetPos(40);
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(volumeChannel.right + 10, y));
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(volumeChannel.right + 10, y));
  EXPECT_EQ(Scrolls(bar), (Codes{{TB_THUMBTRACK, 100}, {TB_THUMBPOSITION, 100}}));
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, y));
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(0, y));
  EXPECT_EQ(host.volume.GetPos(), 0);
}

TEST_F(SliderTest, SelectionSetWhileEmptySurvivesSizing) {
  CZentSliderCtrl bar;
  ASSERT_TRUE(bar.Create(host.hwnd(), 900, TBS_ENABLESELRANGE, RECT{0, 0, 0, 0}));
  bar.SetRange(0, 999);
  bar.SetSelection(100, 200);
  MoveWindow(bar.hwnd(), 0, 0, 300, 22, TRUE);
  EXPECT_EQ(SendMessageW(bar.hwnd(), TBM_GETSELSTART, 0, 0), 100);
  EXPECT_EQ(SendMessageW(bar.hwnd(), TBM_GETSELEND, 0, 0), 200);
  bar.ClearSelection();
  MoveWindow(bar.hwnd(), 0, 0, 200, 22, TRUE);
  EXPECT_EQ(SendMessageW(bar.hwnd(), TBM_GETSELSTART, 0, 0), SendMessageW(bar.hwnd(), TBM_GETSELEND, 0, 0));
  DestroyWindow(bar.hwnd());
  EXPECT_EQ(bar.hwnd(), nullptr);
}

TEST_F(SliderTest, BarsSitInTheRowUnderTheVideoArea) {
  RECT r{};
  GetWindowRect(host.position.hwnd(), &r);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 640 - 23 - 80);
  RECT status{};
  GetWindowRect(host.statusBar, &status);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&status), 2);
  EXPECT_EQ(status.bottom, 360);
  EXPECT_EQ(r.bottom, status.top);
  EXPECT_EQ(r.bottom - r.top, 22);
  GetWindowRect(host.mute.hwnd(), &r);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 640 - 23);
  EXPECT_EQ(r.right - r.left, 23);
  EXPECT_EQ(r.bottom - r.top, 22);
}

}  // namespace
