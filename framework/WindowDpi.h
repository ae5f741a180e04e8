#pragma once
// Dots per inch of the display a window draws on: the density the window was
// last told of (RememberDpi, from WM_DPICHANGED), else the system's answer for
// the window (GetDpiForWindow, on systems that have it), else its device
// context's; 96 when none answers.
#include "framework/WinInclude.h"

namespace fw {

inline constexpr wchar_t kDpiProperty[] = L"fw.Dpi";

// Kept with the window until ForgetDpi (due before the window is destroyed).
inline void RememberDpi(HWND window, int dpi) {
  if (dpi > 0) SetPropW(window, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}
inline void ForgetDpi(HWND window) { RemovePropW(window, kDpiProperty); }

inline int DpiOf(HWND window) {
  if (window) {
    const INT_PTR told = reinterpret_cast<INT_PTR>(GetPropW(window, kDpiProperty));
    if (told > 0) return static_cast<int>(told);
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow) {
      const UINT dpi = getDpiForWindow(window);
      if (dpi > 0) return static_cast<int>(dpi);
    }
  }
  HDC dc = GetDC(window);
  if (!dc) return 96;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? dpi : 96;
}

}  // namespace fw
