#include "playlist/PlaylistWindowLayout.h"

#include <algorithm>

namespace zv::playlistwindow {

Placement LayOut(const Controls& c) {
  Placement p;
  const int listWidth = std::max(0, c.clientWidth - c.spinWidth - 3 * kMargin);
  const int listHeight = std::max(0, c.clientHeight - 2 * c.buttonHeight - 4 * kMargin);
  p.list = Box{kMargin, kMargin, listWidth, listHeight};
  p.columnWidth = std::max(0, listWidth - 50);
  p.spin = Box{listWidth + 2 * kMargin, kMargin + (listHeight - c.spinHeight) / 2, c.spinWidth, c.spinHeight};
  const int rowTop[2] = {listHeight + 2 * kMargin, listHeight + c.buttonHeight + 3 * kMargin};
  for (int row = 0; row < 2; ++row) {
    int x = kMargin;
    for (int i = row * 3; i < row * 3 + 3; ++i) {
      p.buttons[i] = Box{x, rowTop[row], c.buttonWidth[i], c.buttonHeight};
      x += c.buttonWidth[i] + kMargin;
    }
  }
  return p;
}

namespace {

// Start and size of one axis: inside [low, high) when it fits, else at low.
void Fit(int* start, int* size, int minimum, int low, int high) {
  if (*size > high - low) *size = std::max(minimum, high - low);
  if (*start + *size > high) *start = high - *size;
  if (*start < low) *start = low;
}

}  // namespace

Rect PlaceWindow(const Rect& stored, const Rect& current, int minimumWidth, int minimumHeight, const Rect& workArea) {
  const Rect& wanted = stored.IsZero() ? current : stored;
  int left = wanted.left;
  int top = wanted.top;
  int width = std::max(wanted.Width(), minimumWidth);
  int height = std::max(wanted.Height(), minimumHeight);
  Fit(&left, &width, minimumWidth, workArea.left, workArea.right);
  Fit(&top, &height, minimumHeight, workArea.top, workArea.bottom);
  return Rect{left, top, left + width, top + height};
}

}  // namespace zv::playlistwindow
