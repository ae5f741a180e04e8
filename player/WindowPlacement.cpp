#include "player/WindowPlacement.h"

#include <algorithm>

namespace zv::layout {

int BarsHeight(const Bars& bars) { return bars.toolBar + bars.barRow + bars.statusBar; }

Size MinimumWindowSize(Size window, Size client, const Bars& bars) {
  return Size{MinClientWidth(bars.dpi) + window.width - client.width, BarsHeight(bars) + window.height - client.height};
}

bool IsReachable(Rect window, Rect workArea) {
  const int strip = std::min(kCaptionStrip, std::max(1, window.Height()));
  if (window.top < workArea.top || window.top + strip > workArea.bottom) return false;
  const int overlap = std::min(window.right, workArea.right) - std::max(window.left, workArea.left);
  return overlap >= std::min(kMinReachableWidth, std::max(1, window.Width()));
}

Point BringIntoWorkArea(Rect window, Rect workArea) {
  Point p{window.left, window.top};
  p.x = std::max(workArea.left, std::min(p.x, workArea.right - window.Width()));
  p.y = std::max(workArea.top, std::min(p.y, workArea.bottom - window.Height()));
  return p;
}

}  // namespace zv::layout
