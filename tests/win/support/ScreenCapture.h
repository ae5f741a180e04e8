#pragma once
// What the display shows, read back from the screen for the tests that look
// at pixels: a rectangle of the screen, a window, a part of a client area.
#include "framework/WinInclude.h"
#include "image/PixelImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zvtest {

struct ScreenCapture {
  RECT rect{};                   // where on the screen, in screen coordinates
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows from top to bottom

  int Width() const { return rect.right - rect.left; }
  int Height() const { return rect.bottom - rect.top; }
  bool Empty() const { return pixels.empty(); }
  // A pixel by its place in the rectangle.
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * Width() + x]; }
  bool operator==(const ScreenCapture& o) const { return EqualRect(&rect, &o.rect) && pixels == o.pixels; }

  zv::PixelImage Image() const;
  // As a BMP file; false when it cannot be written.
  bool SaveBmp(const std::wstring& path) const;
};

// The screen's pixels in a rectangle; empty when the rectangle is.
ScreenCapture CaptureScreen(const RECT& screenRect);
// The part of the window on the desktop (a maximised window's border lies
// outside it).
ScreenCapture CaptureWindow(HWND window);
// A rectangle of the window's client area.
ScreenCapture CaptureClient(HWND window, RECT clientRect);

// One pixel of the screen.
COLORREF ScreenPixel(POINT point);

// Each channel within `tolerance` of the colour's (0x00RRGGBB).
bool NearColour(uint32_t pixel, uint32_t colour, int tolerance);
inline uint32_t ToRgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
// How many pixels are near the colour, every `step`-th in each direction.
int CountNear(const ScreenCapture& capture, uint32_t colour, int tolerance, int step = 1);

}  // namespace zvtest
