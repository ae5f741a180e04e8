#pragma once
// Thin base of every window and dialog of ours: holds the handle, dispatches
// through the message map, and offers the few helpers the program uses.
#include "framework/MessageMap.h"

#include <string>

namespace fw {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window() = default;

  HWND hwnd() const { return hwnd_; }
  bool IsCreated() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

  std::wstring GetText() const;
  void SetText(const std::wstring& text) const;
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text) const;
  RECT ClientRect() const;
  RECT WindowRect() const;

  // Routes a message through the message map. Returns true when an entry
  // handled it; *result then holds the handler's result.
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 protected:
  static const MessageMap* ClassMessageMap();
  virtual const MessageMap* GetMessageMap() const;

  // Called for every message before the map, for windows that need to see
  // everything (the video window forwards mouse input, for instance).
  virtual bool OnRawMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

  HWND hwnd_ = nullptr;
};

// A window of a class registered by us. The object is attached at
// WM_NCCREATE and detached at WM_NCDESTROY.
class CustomWindow : public Window {
 public:
  // Registers the class once per process (further calls succeed silently).
  static bool RegisterClassOnce(const WNDCLASSEXW& wc);
  // Creates the window; the class's window procedure must be StaticWndProc.
  HWND Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance);
  void Destroy();
  ~CustomWindow() override;

  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace fw
