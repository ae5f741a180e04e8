#include "framework/Dialog.h"

#include "tests/win/framework/TestDialogs.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT_PTR kTimer = 1;

// A dialog that acts on its own through a timer, as a user would.
class ScriptedDialog : public fw::Dialog {
 public:
  ScriptedDialog() : fw::Dialog(IDD_TEST_DIALOG, nullptr) {}
  int initCount = 0;
  int clicks = 0;
  int keyDownsSeen = 0;
  std::wstring editTextAtClick;
  bool swallowKeys = false;

  bool PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
      ++keyDownsSeen;
      return swallowKeys;
    }
    return false;
  }

 protected:
  BOOL OnInitDialog() override {
    ++initCount;
    SetItemText(IDC_TEST_EDIT, L"hello");
    SetTimer(hwnd_, kTimer, 10, nullptr);
    return TRUE;
  }

 private:
  LRESULT OnTimer(WPARAM, LPARAM) {
    KillTimer(hwnd_, kTimer);
    PostMessageW(Item(IDC_TEST_EDIT), WM_KEYDOWN, VK_F5, 0);
    PostMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_TEST_BUTTON)));
    return 0;
  }
  void OnButton() {
    ++clicks;
    editTextAtClick = ItemText(IDC_TEST_EDIT);
    EndDialog(42);
  }

  FW_DECLARE_MESSAGE_MAP()
};

FW_BEGIN_MESSAGE_MAP(ScriptedDialog, fw::Dialog)
  FW_ON_MESSAGE(WM_TIMER, OnTimer)
  FW_ON_COMMAND(IDC_TEST_BUTTON, OnButton)
FW_END_MESSAGE_MAP()

class EndsAtOnce : public fw::Dialog {
 public:
  EndsAtOnce() : fw::Dialog(IDD_TEST_DIALOG, nullptr) {}

 protected:
  BOOL OnInitDialog() override {
    EndDialog(IDCANCEL);
    return TRUE;
  }
};

}  // namespace

TEST(Dialog, ModalRunReturnsTheResultGivenToEndDialog) {
  ScriptedDialog dialog;
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_EQ(dialog.clicks, 1);
  EXPECT_EQ(dialog.editTextAtClick, L"hello");
  EXPECT_EQ(dialog.hwnd(), nullptr) << "the window is destroyed after the modal run";
}

TEST(Dialog, PreTranslateMessageSeesKeysBeforeTheControls) {
  ScriptedDialog dialog;
  dialog.swallowKeys = true;
  dialog.DoModal();
  EXPECT_EQ(dialog.keyDownsSeen, 1);
}

TEST(Dialog, EndDialogDuringInitialisationEndsWithoutALoop) {
  EndsAtOnce dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Dialog, MissingTemplateGivesMinusOne) {
  class Missing : public fw::Dialog {
   public:
    Missing() : fw::Dialog(12345, nullptr) {}
  } dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Dialog, ModelessDialogLivesUntilItsObjectDies) {
  HWND hwnd = nullptr;
  {
    class Modeless : public fw::Dialog {
     public:
      Modeless() : fw::Dialog(IDD_TEST_DIALOG, nullptr) {}
    } dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    hwnd = dialog.hwnd();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(dialog.IsModal());
  }
  EXPECT_FALSE(IsWindow(hwnd));
}
