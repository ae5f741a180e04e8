#pragma once
// A static label that opens its target (a file name or an address) with
// the shell's "open" verb when clicked: blue, bold and underlined, on the
// button face colour, with the hand cursor.
#include "framework/Handle.h"
#include "framework/SubclassedControl.h"

#include <string>

class CHyperlink : public fw::SubclassedControl {
 public:
  static constexpr COLORREF kLinkColour = RGB(0, 0, 255);

  // Takes over a static control and gives it the notify style.
  bool Attach(HWND label);
  // Sets the target, applies the link font and sizes the control to its text.
  void SetTarget(const std::wstring& target);
  const std::wstring& Target() const { return target_; }
  HFONT Font() const { return static_cast<HFONT>(font_.get()); }

 protected:
  // Opens the target; tests replace this to stay in-process.
  virtual void OpenTarget();

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnSetCursor(WPARAM, LPARAM);
  LRESULT OnLButtonUp(WPARAM, LPARAM);

  std::wstring target_;
  fw::GdiObject font_;
};
