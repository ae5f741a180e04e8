#include "framework/Window.h"

#include <vector>

namespace fw {

const MessageMap* Window::ClassMessageMap() {
  static const MessageMapEntry entries[] = {{MapEntryKind::Message, 0, 0, 0, nullptr}};
  static const MessageMap map = {nullptr, entries};
  return &map;
}

const MessageMap* Window::GetMessageMap() const { return ClassMessageMap(); }

static std::wstring TextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return std::wstring(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

std::wstring Window::GetText() const { return TextOf(hwnd_); }
void Window::SetText(const std::wstring& text) const { SetWindowTextW(hwnd_, text.c_str()); }
std::wstring Window::ItemText(int id) const { return TextOf(Item(id)); }
void Window::SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }

RECT Window::ClientRect() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r;
}

RECT Window::WindowRect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

bool Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (OnRawMessage(message, wParam, lParam, result)) return true;
  UINT id = 0;
  const MessageMapEntry* entry = FindEntry(GetMessageMap(), message, wParam, lParam, &id);
  if (!entry) return false;
  *result = entry->call(this, id, wParam, lParam);
  return true;
}

bool CustomWindow::RegisterClassOnce(const WNDCLASSEXW& wc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return true;
  return RegisterClassExW(&wc) != 0;
}

HWND CustomWindow::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                          int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance) {
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId, instance,
                         this);
}

void CustomWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

CustomWindow::~CustomWindow() {
  if (hwnd_) {
    // Detach first so that messages sent during destruction find no object.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CustomWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CustomWindow::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<CustomWindow*>(create->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<CustomWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  const bool handled = self->Dispatch(message, wParam, lParam, &result);
  if (!handled) result = self->DefaultProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace fw
