// Subclassing a system control: our object sees its messages first, the
// class still does its work, and giving the control back (or its going
// away, or another procedure put in front of ours) leaves nothing dangling.
#include "framework/SubclassedControl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Counting : public fw::SubclassedControl {
 public:
  int setTexts = 0;

 protected:
  bool OnRawMessage(UINT message, WPARAM, LPARAM, LRESULT*) override {
    if (message == WM_SETTEXT) ++setTexts;
    return false;
  }
};

HWND NewStatic() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[64] = {};
  GetWindowTextW(hwnd, text, 64);
  return text;
}

WNDPROC g_before = nullptr;
int g_outerMessages = 0;
LRESULT CALLBACK Outer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) ++g_outerMessages;
  return CallWindowProcW(g_before, hwnd, message, wParam, lParam);
}

}  // namespace

TEST(SubclassedControl, SeesMessagesFirstOnceOnlyAndGivesTheControlBack) {
  HWND control = NewStatic();
  ASSERT_NE(control, nullptr);
  const LONG_PTR classProc = GetWindowLongPtrW(control, GWLP_WNDPROC);
  Counting first, second;
  ASSERT_TRUE(first.Subclass(control));
  EXPECT_FALSE(second.Subclass(control)) << "a control has one object of ours";
  EXPECT_FALSE(second.Subclass(nullptr));
  SetWindowTextW(control, L"one");
  EXPECT_EQ(first.setTexts, 1);
  EXPECT_EQ(TextOf(control), L"one") << "the class no longer did its part";

  first.Unsubclass();
  EXPECT_EQ(GetWindowLongPtrW(control, GWLP_WNDPROC), classProc);
  SetWindowTextW(control, L"two");
  EXPECT_EQ(first.setTexts, 1);
  EXPECT_EQ(TextOf(control), L"two");
  // Free again for another object, which the control's end lets go.
  ASSERT_TRUE(second.Subclass(control));
  DestroyWindow(control);
  EXPECT_EQ(second.hwnd(), nullptr);
}

TEST(SubclassedControl, LettingGoUnderAnotherProcedureKeepsTheChainWhole) {
  HWND control = NewStatic();
  ASSERT_NE(control, nullptr);
  {
    Counting ours;
    ASSERT_TRUE(ours.Subclass(control));
    g_before = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Outer)));
    SetWindowTextW(control, L"one");
    EXPECT_EQ(ours.setTexts, 1);
    ours.Unsubclass();
    SetWindowTextW(control, L"two");
    EXPECT_EQ(ours.setTexts, 1) << "a released object still saw messages";
  }
  // The object is gone; the chain still reaches the class.
  SetWindowTextW(control, L"three");
  EXPECT_EQ(TextOf(control), L"three");
  EXPECT_EQ(g_outerMessages, 3);
  DestroyWindow(control);
}
