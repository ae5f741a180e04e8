#pragma once
// A push button with a 16 x 16 icon beside its centred text (or centred
// alone when the button has no text). Clicks reach the parent as usual.
#include "framework/SubclassedControl.h"

class CXPButton : public fw::SubclassedControl {
 public:
  bool Attach(HWND button) { return Subclass(button); }

  // The icon stays owned by the caller. Marks the layout as needed and redraws.
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }
  // Where the icon was last drawn, in client coordinates.
  RECT IconRect() const { return iconRect_; }

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnSetText(WPARAM, LPARAM);
  LRESULT OnSetFont(WPARAM, LPARAM);

  void Layout();

  HICON icon_ = nullptr;
  RECT iconRect_{};
  bool layoutNeeded_ = true;
};
