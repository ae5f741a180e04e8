#include "media/dvd/SubpictureOverlay.h"

namespace zv::dvd {
namespace {

constexpr wchar_t kClass[] = L"ZentravueDvdOverlay";

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

SubpictureOverlay::~SubpictureOverlay() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK SubpictureOverlay::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<SubpictureOverlay*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
      break;
    case WM_NCHITTEST:
      // Clicks and movements belong to the picture below (same thread).
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (self) {
        self->Paint();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (self) self->window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void SubpictureOverlay::Ensure(HWND parent) {
  if (window_ && GetParent(window_) == parent) return;
  if (window_) DestroyWindow(window_);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance, kClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
  }
  window_ = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 1, 1, parent, nullptr, instance, this);
}

void SubpictureOverlay::Show(HWND parent, const RECT& pictureArea, const OverlayPicture& picture) {
  if (!parent) return;
  picture_ = picture;
  drawn_ = 0;
  for (uint32_t pixel : picture_.argb)
    if (pixel >> 24) ++drawn_;
  if (!picture_.visible || drawn_ == 0 || picture_.width <= 0 || picture_.height <= 0) {
    Hide();
    return;
  }
  Ensure(parent);
  if (!window_) return;
  area_ = RECT{-1, -1, -1, -1};
  Place(parent, pictureArea);
  ApplyRegion();
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, FALSE);
}

void SubpictureOverlay::Place(HWND parent, const RECT& pictureArea) {
  if (!window_ || GetParent(window_) != parent) return;
  // The renderer's window may come to the top when it is shown again.
  if (IsWindowVisible(window_) && GetWindow(parent, GW_CHILD) != window_)
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (SameRect(area_, pictureArea)) return;
  area_ = pictureArea;
  MoveWindow(window_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, FALSE);
  ApplyRegion();
  InvalidateRect(window_, nullptr, FALSE);
}

void SubpictureOverlay::Hide() {
  drawn_ = 0;
  if (window_) ShowWindow(window_, SW_HIDE);
}

// The window consists of the drawn pixels only, scaled like the picture.
// The runs of drawn pixels are scaled here (a transform in the region call
// is not honoured everywhere).
void SubpictureOverlay::ApplyRegion() {
  const int width = area_.right - area_.left;
  const int height = area_.bottom - area_.top;
  if (!window_ || width <= 0 || height <= 0 || picture_.width <= 0 || picture_.height <= 0) return;
  std::vector<RECT> runs;
  for (int y = 0; y < picture_.height; ++y) {
    const uint32_t* row = picture_.argb.data() + static_cast<size_t>(y) * picture_.width;
    const LONG top = static_cast<LONG>(static_cast<long long>(y) * height / picture_.height);
    const LONG bottom = static_cast<LONG>(static_cast<long long>(y + 1) * height / picture_.height);
    if (bottom <= top) continue;
    for (int x = 0; x < picture_.width;) {
      if (!(row[x] >> 24)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < picture_.width && (row[x] >> 24)) ++x;
      const LONG left = static_cast<LONG>(static_cast<long long>(start) * width / picture_.width);
      const LONG right = static_cast<LONG>(static_cast<long long>(x) * width / picture_.width);
      if (right > left) runs.push_back(RECT{left, top, right, bottom});
    }
  }
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(runs.size());
  header.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header.rcBound = RECT{0, 0, width, height};
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  memcpy(data.data(), &header, sizeof(header));
  if (!runs.empty()) memcpy(data.data() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
  HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
  if (!region) region = CreateRectRgn(0, 0, 0, 0);  // nothing rather than a black box
  SetWindowRgn(window_, region, TRUE);  // the window owns the region now
}

void SubpictureOverlay::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  if (picture_.width > 0 && picture_.height > 0 && !picture_.argb.empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture_.width;
    info.bmiHeader.biHeight = -picture_.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, picture_.width, picture_.height,
                  picture_.argb.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  EndPaint(window_, &paint);
}

}  // namespace zv::dvd
