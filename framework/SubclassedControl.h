#pragma once
// A control of a system class (track bar, button, static ...) whose messages
// this object sees first, through its message map, before the class's own
// procedure. Unhandled messages and DefaultProc go on to the class.
#include "framework/Window.h"

namespace fw {

class SubclassedControl : public Window {
 public:
  ~SubclassedControl() override;

  // Takes over a control's messages; false when it is not a window, or its
  // user data is taken (another object of ours holds it already).
  bool Subclass(HWND control);
  // Gives the messages back; the control itself stays.
  void Unsubclass();

 protected:
  // The class's own handling of a message.
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Link;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  Link* link_ = nullptr;
};

}  // namespace fw
