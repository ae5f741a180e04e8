// The player window's geometry as numbers.
#include "player/LayoutMath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zv::layout;

Bars AllBarsTop() {
  Bars bars;
  bars.toolBar = 28;
  bars.toolBarAtTop = true;
  bars.barRow = 22;
  bars.statusBar = 20;
  return bars;
}

TEST(LayoutMath, VideoAreaLiesBetweenTopToolBarAndBarRow) {
  const Size client{640, 550};
  const Bars bars = AllBarsTop();
  EXPECT_EQ(VideoTop(bars), 28);
  EXPECT_EQ(VideoHeight(client, bars), 550 - 28 - 22 - 20);
  EXPECT_EQ(VideoArea(client, bars), (Rect{0, 28, 640, 508}));
  EXPECT_EQ(ToolBarRect(client, bars), (Rect{0, 0, 640, 28}));
  EXPECT_EQ(StatusBarRect(client, bars), (Rect{0, 530, 640, 550}));
}

TEST(LayoutMath, BottomToolBarLeavesVideoAtTopAndSitsAboveStatusBar) {
  const Size client{640, 550};
  Bars bars = AllBarsTop();
  bars.toolBarAtTop = false;
  EXPECT_EQ(VideoArea(client, bars), (Rect{0, 0, 640, 480}));
  EXPECT_EQ(ToolBarRect(client, bars), (Rect{0, 502, 640, 530}));
  const BarRowRects row = BarRow(client, bars);
  EXPECT_EQ(row.positionBar, (Rect{0, 480, 537, 502}));
}

TEST(LayoutMath, BarRowSitsUnderTheVideoWithVolumeAndMuteAtTheRight) {
  const Size client{640, 550};
  const BarRowRects row = BarRow(client, AllBarsTop());
  EXPECT_EQ(row.positionBar, (Rect{0, 508, 537, 530}));
  EXPECT_EQ(row.volumeBar, (Rect{537, 508, 617, 530}));
  EXPECT_EQ(row.muteButton, (Rect{617, 508, 640, 530}));
  EXPECT_EQ(row.volumeBar.Width(), kVolumeBarWidth);
  EXPECT_EQ(row.muteButton.Width(), kMuteButtonWidth);
}

TEST(LayoutMath, HiddenBarsTakeNoRoom) {
  const Size client{450, 250};
  const Bars none;
  EXPECT_EQ(VideoArea(client, none), (Rect{0, 0, 450, 250}));
  const BarRowRects row = BarRow(client, none);
  EXPECT_EQ(row.positionBar.Height(), 0);
  EXPECT_EQ(row.positionBar.top, 250);
}

TEST(LayoutMath, TinyClientGivesEmptyVideoAreaNotNegative) {
  const Size client{60, 30};
  const Bars bars = AllBarsTop();
  EXPECT_EQ(VideoHeight(client, bars), 0);
  EXPECT_EQ(VideoArea(client, bars), (Rect{0, 28, 60, 28}));
  const BarRowRects row = BarRow(client, bars);
  EXPECT_EQ(row.positionBar.Width(), 0);
  EXPECT_EQ(row.muteButton, (Rect{37, 28, 60, 50}));
}

TEST(LayoutMath, WindowSizeForVideoAddsFrameAndVisibleBars) {
  // Frame 16 x 59 (borders, caption, menu).
  const Size window{656, 609};
  const Size client{640, 550};
  EXPECT_EQ(WindowSizeForVideo(Size{320, 240}, window, client, AllBarsTop()),
            (Size{320 + 16, 240 + 28 + 22 + 20 + 59}));
  EXPECT_EQ(WindowSizeForVideo(Size{320, 240}, window, client, Bars{}), (Size{336, 299}));
}

TEST(LayoutMath, IdleAreaIsThePictureSizeOrFlatWithNoSplash) {
  EXPECT_EQ(IdleVideoSize(false), (Size{450, 250}));
  EXPECT_EQ(IdleVideoSize(true), (Size{450, 0}));
}

TEST(LayoutMath, CentringUsesTheWorkAreaOrigin) {
  EXPECT_EQ(CenterInWorkArea(Size{500, 400}, Rect{0, 0, 1920, 1040}), (Point{710, 320}));
  EXPECT_EQ(CenterInWorkArea(Size{501, 401}, Rect{1920, 30, 3200, 1024}), (Point{1920 + 389, 30 + 296}));
}

TEST(LayoutMath, StoredPositionIsPulledIntoTheWorkArea) {
  const Rect work{0, 0, 1920, 1040};
  EXPECT_EQ(PullIntoWorkArea(Point{100, 50}, Size{500, 400}, work), (Point{100, 50}));
  EXPECT_EQ(PullIntoWorkArea(Point{1800, 900}, Size{500, 400}, work), (Point{1420, 640}));
  // A window larger than the work area keeps one pixel of the left and top.
  EXPECT_EQ(PullIntoWorkArea(Point{10, 10}, Size{2000, 1100}, work), (Point{1, 1}));
}

TEST(LayoutMath, ZoomNeverGoesNegative) {
  ZoomFactors f{0.02, 0.02};
  f = StepZoom(f, true, -kZoomStep, false);
  EXPECT_DOUBLE_EQ(f.horizontal, 0.0);
  EXPECT_DOUBLE_EQ(f.vertical, 0.02);
  f = StepZoom(f, true, kZoomStep, false);
  EXPECT_DOUBLE_EQ(f.horizontal, 0.05);
}

TEST(LayoutMath, ZoomWithAspectRatioSetsBothToTheNewValue) {
  const ZoomFactors f = StepZoom(ZoomFactors{1.2, 0.8}, true, kZoomStep, true);
  EXPECT_DOUBLE_EQ(f.horizontal, 1.25);
  EXPECT_DOUBLE_EQ(f.vertical, 1.25);
  const ZoomFactors g = StepZoom(ZoomFactors{1.2, 0.8}, false, -kZoomStep, false);
  EXPECT_DOUBLE_EQ(g.horizontal, 1.2);
  EXPECT_DOUBLE_EQ(g.vertical, 0.75);
}

TEST(LayoutMath, FitToggleGoesFromFitToFillAndElseToFit) {
  EXPECT_EQ(ToggledFitMode(kFitSource), kFitOptimal);
  EXPECT_EQ(ToggledFitMode(kFitManual), kFitOptimal);
  EXPECT_EQ(ToggledFitMode(kFitFill), kFitOptimal);
  EXPECT_EQ(ToggledFitMode(kFitOptimal), kFitFill);
}

TEST(LayoutMath, IconButtonIconSitsLeftOfCentredTextOrCentred) {
  EXPECT_EQ(IconButtonIconPosition(Size{100, 24}, 40, true), (Point{18, 4}));
  EXPECT_EQ(IconButtonIconPosition(Size{100, 24}, 0, false), (Point{42, 4}));
}

}  // namespace

namespace {

TEST(LayoutMath, StatusPanesEndAtRunningSumsAndTheLastAtTheEdge) {
  const int widths[7] = {50, 50, 40, 40, 70, 70, 55};
  int edges[8] = {};
  zv::layout::StatusPaneEdges(widths, edges);
  const int expected[8] = {50, 100, 140, 180, 250, 320, 375, -1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(edges[i], expected[i]) << i;
  EXPECT_EQ(std::u16string(zv::layout::kStatusPaneSamples[4]), u"9999 x 9999__");
}

}  // namespace

namespace {

TEST(LayoutMath, StatusPanesTooWideGiveUpEmptyPanesThenDropWholePanes) {
  using zv::layout::FitStatusPanes;
  const int widths[8] = {50, 50, 40, 40, 70, 70, 55, 60};  // 435 in all
  const bool all[8] = {true, true, true, true, true, true, true, true};
  int edges[8] = {};
  FitStatusPanes(widths, all, 435, edges);
  const int roomy[8] = {50, 100, 140, 180, 250, 320, 375, -1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(edges[i], roomy[i]) << i;

  // Idle: only the version has a text; it keeps its room at the left.
  const bool idle[8] = {false, false, false, false, false, false, false, true};
  FitStatusPanes(widths, idle, 200, edges);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(edges[i], 0) << i;
  EXPECT_EQ(edges[7], -1);

  // Playing in 300: the version, the frame rate and the vertical factor go;
  // the last pane shown (pane 5) runs to the end, every later one is 0 wide.
  FitStatusPanes(widths, all, 300, edges);
  const int narrow[8] = {50, 100, 140, 140, 210, 300, 300, 300};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(edges[i], narrow[i]) << i;

  // Narrower than the position alone: nothing is shown in part.
  FitStatusPanes(widths, all, 30, edges);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(edges[i], i == 7 ? -1 : 30) << i;
}

}  // namespace
