#include "framework/SubclassedControl.h"

#include <commctrl.h>

namespace fw {

namespace {
// One subclass id for all our objects: a control has at most one of them,
// marked by a window property (the import library lacks GetWindowSubclass).
constexpr UINT_PTR kSubclassId = 0x5A56;
constexpr wchar_t kOwnerProperty[] = L"ZvSubclassedControl";
}  // namespace

SubclassedControl::~SubclassedControl() { Unsubclass(); }

bool SubclassedControl::Subclass(HWND control) {
  if (!IsWindow(control) || hwnd_) return false;
  if (GetPropW(control, kOwnerProperty)) return false;
  if (!SetWindowSubclass(control, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
  SetPropW(control, kOwnerProperty, this);
  hwnd_ = control;
  return true;
}

void SubclassedControl::Unsubclass() {
  if (!hwnd_) return;
  RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
  RemovePropW(hwnd_, kOwnerProperty);
  hwnd_ = nullptr;
}

LRESULT SubclassedControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
  auto* self = reinterpret_cast<SubclassedControl*>(data);
  LRESULT result = 0;
  if (!self->Dispatch(message, wParam, lParam, &result)) result = DefSubclassProc(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) self->Unsubclass();
  return result;
}

}  // namespace fw
