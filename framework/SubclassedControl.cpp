#include "framework/SubclassedControl.h"

namespace fw {

// Kept in the control's user data: the procedure we replaced and the object
// that sees the messages (none once it let go while another procedure was
// put in front of ours, so that ours can only pass messages on). Window
// properties or the common controls' subclassing would cost a round trip to
// the window manager's server per message on some platforms.
struct SubclassedControl::Link {
  SubclassedControl* owner;
  WNDPROC previous;
};

SubclassedControl::~SubclassedControl() { Unsubclass(); }

bool SubclassedControl::Subclass(HWND control) {
  if (!IsWindow(control) || hwnd_) return false;
  if (GetWindowLongPtrW(control, GWLP_USERDATA) != 0) return false;
  auto* link = new Link{this, nullptr};
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
  link->previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  if (!link->previous) {
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    delete link;
    return false;
  }
  link_ = link;
  hwnd_ = control;
  return true;
}

void SubclassedControl::Unsubclass() {
  if (!hwnd_ || !link_) return;
  if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link_->previous));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    delete link_;
  } else {
    // Someone subclassed after us: our procedure stays in the chain and
    // passes everything on until the control goes.
    link_->owner = nullptr;
  }
  link_ = nullptr;
  hwnd_ = nullptr;
}

LRESULT SubclassedControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!link_) return DefWindowProcW(hwnd_, message, wParam, lParam);
  return CallWindowProcW(link_->previous, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* link = reinterpret_cast<Link*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!link) return DefWindowProcW(hwnd, message, wParam, lParam);
  const WNDPROC previous = link->previous;
  LRESULT result = 0;
  SubclassedControl* self = link->owner;
  if (!self || !self->Dispatch(message, wParam, lParam, &result))
    result = CallWindowProcW(previous, hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The control is gone: our part of it goes too.
    if (auto* still = reinterpret_cast<Link*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); still == link) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      if (link->owner) {
        link->owner->link_ = nullptr;
        link->owner->hwnd_ = nullptr;
      }
      delete link;
    }
  }
  return result;
}

}  // namespace fw
