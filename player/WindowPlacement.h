#pragma once
// Window placement rules that need no window system: the smallest window
// that keeps every bar whole, whether a window can still be reached on a
// monitor, and where it goes when it cannot.
#include "player/LayoutMath.h"

namespace zv::layout {

// Narrowest client area: the volume bar, the mute button and a position bar
// still wide enough to drag.
constexpr int kMinPositionBarWidth = 97;
constexpr int kMinClientWidth = kMinPositionBarWidth + kVolumeBarWidth + kMuteButtonWidth;
constexpr int MinClientWidth(int dpi) { return Scaled(kMinClientWidth, dpi); }

// Smallest window for the bars as they are now (given the frame, menu rows
// included, as the difference of window and client size): every visible
// bar whole, the video area may be empty.
Size MinimumWindowSize(Size window, Size client, const Bars& bars);

// Client height every visible bar needs.
int BarsHeight(const Bars& bars);

// A window can be reached when the strip along its top edge (where the
// caption is) lies inside the work area vertically and overlaps it
// horizontally by at least kMinReachableWidth pixels (or the whole width of
// a narrower window).
constexpr int kCaptionStrip = 24;
constexpr int kMinReachableWidth = 48;
bool IsReachable(Rect window, Rect workArea);

// Top-left corner that puts the window inside the work area; a window larger
// than the work area keeps its top-left corner at the work area's.
Point BringIntoWorkArea(Rect window, Rect workArea);

}  // namespace zv::layout
