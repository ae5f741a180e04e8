#include "player/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace zv::layout;

TEST(WindowPlacement, MinimumSizeKeepsEveryVisibleBarAndTheFrame) {
  Bars bars;
  bars.toolBar = 52;  // two wrapped rows
  bars.barRow = 22;
  bars.statusBar = 20;
  // Frame 8 wide; caption, two menu rows and borders 65 high.
  EXPECT_EQ(MinimumWindowSize({458, 409}, {450, 344}, bars), (Size{kMinClientWidth + 8, 94 + 65}));
  EXPECT_EQ(BarsHeight(Bars{}), 0);
  EXPECT_GE(kMinClientWidth, kVolumeBarWidth + kMuteButtonWidth + 1);
}

TEST(WindowPlacement, OnlyAWindowWhoseCaptionCanBeGrabbedIsReachable) {
  const Rect work{0, 0, 1024, 768};
  EXPECT_TRUE(IsReachable({100, 100, 600, 500}, work));
  // The corner placement of the command line may leave most of it outside.
  EXPECT_TRUE(IsReachable({924, 718, 1424, 1118}, work));
  EXPECT_FALSE(IsReachable({5000, 100, 5500, 500}, work));
  EXPECT_FALSE(IsReachable({100, -30, 600, 400}, work));   // caption above the screen
  EXPECT_FALSE(IsReachable({100, 750, 600, 1150}, work));  // caption strip cut by the bottom
  EXPECT_FALSE(IsReachable({1000, 100, 1500, 500}, work)); // 24 pixels of it
  // A second monitor to the left: negative coordinates are ordinary there.
  EXPECT_TRUE(IsReachable({-900, 10, -400, 300}, Rect{-1280, 0, 0, 1024}));
}

TEST(WindowPlacement, BroughtBackInsideOrAnchoredAtTheTopLeft) {
  const Rect work{0, 0, 1024, 768};
  EXPECT_EQ(BringIntoWorkArea({5000, 9000, 5500, 9400}, work), (Point{524, 368}));
  EXPECT_EQ(BringIntoWorkArea({-700, -50, -200, 350}, work), (Point{0, 0}));
  // Larger than the work area: the caption's corner stays on the screen.
  EXPECT_EQ(BringIntoWorkArea({300, 200, 2300, 2200}, work), (Point{0, 0}));
  EXPECT_EQ(BringIntoWorkArea({10, 20, 110, 120}, work), (Point{10, 20}));
}

TEST(WindowPlacement, BarsAndTheNarrowestWindowGrowWithTheDisplayDensity) {
  Bars bars;
  bars.dpi = 144;
  bars.barRow = Scaled(kPositionBarHeight, 144);
  EXPECT_EQ(bars.barRow, 33);
  EXPECT_EQ(MinimumWindowSize({408, 100}, {400, 35}, bars), (Size{Scaled(kMinClientWidth, 144) + 8, 33 + 65}));
  // The volume bar and the mute button keep their proportions at the right end.
  const BarRowRects row = BarRow({600, 400}, bars);
  EXPECT_EQ(row.muteButton.Width(), 35);
  EXPECT_EQ(row.volumeBar.Width(), 120);
  EXPECT_EQ(row.positionBar.right, row.volumeBar.left);
  EXPECT_EQ(row.muteButton.Height(), 33);
  EXPECT_EQ(Scaled(23, 96), 23);
  EXPECT_EQ(Scaled(23, 120), 29);  // 28.75, rounded
}
