#include "player/LayoutMath.h"

#include <algorithm>

namespace zv::layout {

int VideoTop(const Bars& bars) { return bars.toolBarAtTop ? bars.toolBar : 0; }

int VideoHeight(Size client, const Bars& bars) {
  // A window shrunk below its bars gives an empty video area, not a negative one.
  return std::max(0, client.height - bars.toolBar - bars.barRow - bars.statusBar);
}

Rect VideoArea(Size client, const Bars& bars) {
  const int top = VideoTop(bars);
  return Rect{0, top, client.width, top + VideoHeight(client, bars)};
}

Rect ToolBarRect(Size client, const Bars& bars) {
  if (bars.toolBarAtTop) return Rect{0, 0, client.width, bars.toolBar};
  const int bottom = client.height - bars.statusBar;
  return Rect{0, bottom - bars.toolBar, client.width, bottom};
}

Rect StatusBarRect(Size client, const Bars& bars) {
  return Rect{0, client.height - bars.statusBar, client.width, client.height};
}

BarRowRects BarRow(Size client, const Bars& bars) {
  const Rect video = VideoArea(client, bars);
  const int y = video.bottom;
  const int bottom = y + bars.barRow;
  const int muteWidth = Scaled(kMuteButtonWidth, bars.dpi);
  const int volumeLeft = client.width - muteWidth - Scaled(kVolumeBarWidth, bars.dpi);
  const int muteLeft = client.width - muteWidth;
  BarRowRects row;
  row.positionBar = Rect{0, y, std::max(0, volumeLeft), bottom};
  row.volumeBar = Rect{volumeLeft, y, muteLeft, bottom};
  row.muteButton = Rect{muteLeft, y, client.width, bottom};
  return row;
}

Size WindowSizeForVideo(Size video, Size window, Size client, const Bars& bars) {
  const int frameWidth = window.width - client.width;
  const int frameHeight = window.height - client.height;
  return Size{video.width + frameWidth,
              video.height + bars.toolBar + bars.barRow + bars.statusBar + frameHeight};
}

Size IdleVideoSize(bool noSplash) { return Size{kIdleWidth, noSplash ? 0 : kIdleHeight}; }

const char16_t* const kStatusPaneSamples[kStatusPaneCount - 1] = {
    u"99:99:99__", u"99:99:99__", u"9999%__", u"9999%__", u"9999 x 9999__", u"9999 x 9999__", u"99.99 fps__"};

void StatusPaneEdges(const int (&textWidths)[kStatusPaneCount - 1], int (&edges)[kStatusPaneCount]) {
  int sum = 0;
  for (int i = 0; i < kStatusPaneCount - 1; ++i) {
    sum += textWidths[i];
    edges[i] = sum;
  }
  edges[kStatusPaneCount - 1] = -1;
}

void FitStatusPanes(const int (&widths)[kStatusPaneCount], const bool (&hasText)[kStatusPaneCount], int barWidth,
                    int (&edges)[kStatusPaneCount]) {
  int all = 0;
  for (int w : widths) all += w;
  if (all <= barWidth) {
    int samples[kStatusPaneCount - 1] = {};
    for (int i = 0; i < kStatusPaneCount - 1; ++i) samples[i] = widths[i];
    StatusPaneEdges(samples, edges);
    return;
  }
  bool shown[kStatusPaneCount] = {};
  int needed = 0;
  for (int i = 0; i < kStatusPaneCount; ++i) {
    shown[i] = hasText[i];
    if (shown[i]) needed += widths[i];
  }
  constexpr int kDropOrder[] = {7, 6, 3, 2, 5, 4, 1, 0};
  for (int pane : kDropOrder) {
    if (needed <= barWidth) break;
    if (shown[pane]) needed -= widths[pane];
    shown[pane] = false;
  }
  int last = -1;
  for (int i = 0; i < kStatusPaneCount; ++i)
    if (shown[i]) last = i;
  int right = 0;
  for (int i = 0; i < kStatusPaneCount; ++i) {
    if (shown[i]) right += widths[i];
    edges[i] = i >= last ? barWidth : right;
  }
  if (last == kStatusPaneCount - 1 || last < 0) edges[kStatusPaneCount - 1] = -1;
}

Point CenterInWorkArea(Size window, Rect workArea) {
  return Point{workArea.left + (workArea.Width() - window.width) / 2,
               workArea.top + (workArea.Height() - window.height) / 2};
}

Point PullIntoWorkArea(Point stored, Size window, Rect workArea) {
  Point p = stored;
  if (p.x + window.width > workArea.right) {
    p.x = workArea.right - window.width;
    if (p.x < workArea.left) p.x = workArea.left + 1;
  }
  if (p.y + window.height > workArea.bottom) {
    p.y = workArea.bottom - window.height;
    if (p.y < workArea.top) p.y = workArea.top + 1;
  }
  return p;
}

ZoomFactors StepZoom(ZoomFactors factors, bool horizontal, double delta, bool keepAspect) {
  double& chosen = horizontal ? factors.horizontal : factors.vertical;
  double& other = horizontal ? factors.vertical : factors.horizontal;
  chosen += delta;
  if (keepAspect) other = chosen;
  factors.horizontal = std::max(0.0, factors.horizontal);
  factors.vertical = std::max(0.0, factors.vertical);
  return factors;
}

int ToggledFitMode(int mode) { return mode == kFitOptimal ? kFitFill : kFitOptimal; }

Point IconButtonIconPosition(Size button, int textWidth, bool hasText) {
  const int icon = kToolBarImageSize;
  const int x = hasText ? (button.width - textWidth - icon) / 2 - 4 : (button.width - icon) / 2;
  return Point{x, (button.height - icon) / 2};
}

}  // namespace zv::layout
