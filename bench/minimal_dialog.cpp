// The floor of the start-up bench: the smallest dialog program of ours,
// built and linked like the player (static runtime, same manifest), that
// shows one empty dialog until it is closed.
#include <windows.h>

static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    EndDialog(hwnd, 0);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(1), nullptr, Proc, 0));
}
