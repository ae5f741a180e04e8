#pragma once
// Dots per inch of the display a window draws on, as its device context
// reports them (96 when there is none).
#include "framework/WinInclude.h"

namespace fw {

inline int DpiOf(HWND window) {
  HDC dc = GetDC(window);
  if (!dc) return 96;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? dpi : 96;
}

}  // namespace fw
