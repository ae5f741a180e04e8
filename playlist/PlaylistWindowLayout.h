#pragma once
// Geometry of the playlist window as plain arithmetic: where its controls go
// for a client size, and where the window goes for a stored rectangle.
// Pixels; rectangles are left/top inclusive, right/bottom exclusive.

namespace zv::playlistwindow {

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

constexpr int kMargin = 15;
constexpr int kButtonCount = 6;  // add, delete, delete all; open, save, save as

struct Controls {
  int clientWidth = 0;
  int clientHeight = 0;
  int buttonHeight = 0;                 // of the delete button
  int spinWidth = 0;
  int spinHeight = 0;
  int buttonWidth[kButtonCount] = {};  // as the template made them
};

struct Placement {
  Box list;
  int columnWidth = 0;
  Box spin;
  Box buttons[kButtonCount];
};

// The list fills the window but for a margin of 15, the spin control's
// column on its right and two rows of buttons below it; the spin control is
// centred on the list; buttons follow each other with gaps of 15. Sizes
// never go below 0.
Placement LayOut(const Controls& controls);

// The window's rectangle for a stored one: at the stored place, at least
// the minimum size; an all-zero stored rectangle means the current one. It
// is then moved (and, if it must, shrunk to no less than the minimum) so
// that it lies within the work area: never off-screen.
Rect PlaceWindow(const Rect& stored, const Rect& current, int minimumWidth, int minimumHeight, const Rect& workArea);

}  // namespace zv::playlistwindow
