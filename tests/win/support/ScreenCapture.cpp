#include "tests/win/support/ScreenCapture.h"

#include <cstdlib>

namespace zvtest {

zv::PixelImage ScreenCapture::Image() const {
  zv::PixelImage image(Width(), Height());
  if (image.Empty() || pixels.size() != static_cast<size_t>(Width()) * Height()) return {};
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) {
      const uint32_t p = At(x, y);
      image.Set(x, y, zv::Rgb{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    }
  return image;
}

bool ScreenCapture::SaveBmp(const std::wstring& path) const {
  const std::vector<uint8_t> bytes = zv::EncodeBmp(Image(), 96);
  if (bytes.empty()) return false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

ScreenCapture CaptureScreen(const RECT& screenRect) {
  ScreenCapture capture;
  capture.rect = screenRect;
  const int width = capture.Width();
  const int height = capture.Height();
  if (width <= 0 || height <= 0) return capture;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, screenRect.left, screenRect.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    capture.pixels.reserve(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) capture.pixels.push_back(p[i] & 0xFFFFFF);
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

ScreenCapture CaptureWindow(HWND window) {
  RECT whole{};
  GetWindowRect(window, &whole);
  const RECT desktop{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                     GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                     GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  RECT shown{};
  IntersectRect(&shown, &whole, &desktop);
  return CaptureScreen(shown);
}

ScreenCapture CaptureClient(HWND window, RECT clientRect) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&clientRect), 2);
  return CaptureScreen(clientRect);
}

COLORREF ScreenPixel(POINT point) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool NearColour(uint32_t pixel, uint32_t colour, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) - static_cast<int>((colour >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

int CountNear(const ScreenCapture& capture, uint32_t colour, int tolerance, int step) {
  int count = 0;
  if (capture.Empty()) return 0;
  for (int y = 0; y < capture.Height(); y += step)
    for (int x = 0; x < capture.Width(); x += step)
      if (NearColour(capture.At(x, y), colour, tolerance)) ++count;
  return count;
}

}  // namespace zvtest
