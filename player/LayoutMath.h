#pragma once
// Geometry of the player window as plain arithmetic: how the client area is
// divided between the toolbar, the video area, the bar row and the status
// bar, how big the window must be for a given video area, and where the
// window goes when it is centred or brought back to a stored position.
// Pixels throughout; rectangles are left/top inclusive, right/bottom exclusive.

namespace zv::layout {

constexpr int kToolBarButtonWidth = 23;
constexpr int kToolBarButtonHeight = 22;
constexpr int kToolBarImageSize = 16;
constexpr int kPositionBarHeight = 22;
constexpr int kVolumeBarWidth = 80;
constexpr int kVolumeBarHeight = 22;
constexpr int kMuteButtonWidth = 23;
constexpr int kMuteButtonHeight = 22;
constexpr int kIdleWidth = 450;  // the idle picture's size
constexpr int kIdleHeight = 250;
constexpr double kZoomStep = 0.05;

// The sizes above are for 96 dots per inch; a display of another density
// gets them in proportion, rounded.
constexpr int kBaseDpi = 96;
constexpr int Scaled(int pixels, int dpi) { return (pixels * dpi + kBaseDpi / 2) / kBaseDpi; }
// The toolbar pictures are drawn at 16, 24 and 32 pixels square: 24 from
// 144 dpi, 32 from 192, never scaled in between (that would blur them).
constexpr int ToolBarImageSizeFor(int dpi) { return dpi >= 192 ? 32 : dpi >= 144 ? 24 : kToolBarImageSize; }

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// The bars as they are now. A bar that is switched off counts 0 high.
struct Bars {
  int toolBar = 0;           // toolbar height while visible
  bool toolBarAtTop = true;  // ToolBarPos 0
  int barRow = 0;            // the position bar's current height
  int statusBar = 0;         // status bar height while visible
  int dpi = kBaseDpi;        // the bar row's widths follow it
};

// Top of the video area: the toolbar's height when it is docked at the top.
int VideoTop(const Bars& bars);
// Client height less every visible bar; never negative.
int VideoHeight(Size client, const Bars& bars);
// (0, top, client width, top + video height).
Rect VideoArea(Size client, const Bars& bars);

// The toolbar docked at the top, or at the bottom above the status bar.
Rect ToolBarRect(Size client, const Bars& bars);
Rect StatusBarRect(Size client, const Bars& bars);

// The row directly under the video area: position bar from x 0, then the
// volume bar (80 wide), then the mute button (23 wide) at the right end.
struct BarRowRects {
  Rect positionBar;
  Rect volumeBar;
  Rect muteButton;
};
BarRowRects BarRow(Size client, const Bars& bars);

// Window size that gives a video area of video.width x video.height, given
// the current window and client sizes (their difference is the frame).
Size WindowSizeForVideo(Size video, Size window, Size client, const Bars& bars);

// The video area while idle: the idle picture's size, or 0 high with "nosplash".
Size IdleVideoSize(bool noSplash);

// Top-left corner that centres a window of the given size in the work area.
Point CenterInWorkArea(Size window, Rect workArea);

// A stored window position pulled into the work area of its monitor so that
// the right and bottom edges do not pass the work area's.
Point PullIntoWorkArea(Point stored, Size window, Rect workArea);

// The status bar's eight panes: the first seven are as wide as these sample
// texts in the bar's font; the eighth (the program version) runs to the
// right edge.
constexpr int kStatusPaneCount = 8;
extern const char16_t* const kStatusPaneSamples[kStatusPaneCount - 1];
// Right edges as running sums of the seven widths; the last is -1 (to the edge).
void StatusPaneEdges(const int (&textWidths)[kStatusPaneCount - 1], int (&edges)[kStatusPaneCount]);
// The same panes in a bar `barWidth` wide (the size grip's room taken off),
// given the room each needs (widths[7]: the version's text) and which hold a
// text. While all fit, as StatusPaneEdges. Otherwise empty panes take no
// room, and then panes are dropped, 0 wide, until the rest fit: the version,
// the frame rate, the zoom factors, the sizes, the length; the position
// goes last. The last pane shown runs to the bar's end, so that no pane
// shows a part of its text.
void FitStatusPanes(const int (&widths)[kStatusPaneCount], const bool (&hasText)[kStatusPaneCount], int barWidth,
                    int (&edges)[kStatusPaneCount]);

// Video fit state: mode 0 source size, 1 manual zoom, 2 fill, 3 fit.
enum FitMode { kFitSource = 0, kFitManual = 1, kFitFill = 2, kFitOptimal = 3 };

struct ZoomFactors {
  double horizontal = 1.0;
  double vertical = 1.0;
};

// One zoom step (delta +0.05 or -0.05) in one direction; with keepAspect
// the other factor takes the same new value. Factors never go below 0.
ZoomFactors StepZoom(ZoomFactors factors, bool horizontal, double delta, bool keepAspect);

// The fit/fill toggle: fit (3) goes to fill (2); source, manual and fill
// go to fit (3).
int ToggledFitMode(int mode);

// Where the 16 x 16 icon of an icon button goes: beside the centred text,
// or centred when the button has no text.
Point IconButtonIconPosition(Size button, int textWidth, bool hasText);

}  // namespace zv::layout
