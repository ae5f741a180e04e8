#pragma once
// The window that shows DVD subpictures and menu highlights over the video:
// a child of the renderer's owner window, above the renderer's own window,
// placed on the picture and scaled with it. Only the drawn pixels belong to
// it (a window region); the mouse passes through it to the picture.
#include "framework/WinInclude.h"
#include "media/dvd/DvdNavigator.h"

#include <vector>

namespace zv::dvd {

class SubpictureOverlay {
 public:
  SubpictureOverlay() = default;
  ~SubpictureOverlay();
  SubpictureOverlay(const SubpictureOverlay&) = delete;
  SubpictureOverlay& operator=(const SubpictureOverlay&) = delete;

  // Shows `picture` (hidden when it is not visible) over `picture area`, a
  // rectangle in `parent`'s client coordinates.
  void Show(HWND parent, const RECT& pictureArea, const OverlayPicture& picture);
  // Follows a moved or resized picture.
  void Place(HWND parent, const RECT& pictureArea);
  void Hide();
  HWND Window() const { return window_; }
  // Number of pixels drawn (not transparent) in the picture shown now.
  int DrawnPixels() const { return drawn_; }

 private:
  void Ensure(HWND parent);
  void ApplyRegion();
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  HWND window_ = nullptr;
  RECT area_{};
  OverlayPicture picture_;
  int drawn_ = 0;
};

}  // namespace zv::dvd
