#include "framework/Dialog.h"

#include <algorithm>
#include <vector>

namespace fw {

HINSTANCE ResourceInstance() { return GetModuleHandleW(nullptr); }

namespace {

// The modeless dialogs of the thread: the modal loop gives them their
// keyboard navigation, which the loop of the dialog running it cannot.
std::vector<HWND>& ModelessDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

HWND ModelessDialogOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  HWND root = GetAncestor(hwnd, GA_ROOT);
  const std::vector<HWND>& dialogs = ModelessDialogs();
  return std::find(dialogs.begin(), dialogs.end(), root) != dialogs.end() ? root : nullptr;
}

void ForgetModeless(HWND hwnd) {
  std::vector<HWND>& dialogs = ModelessDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), hwnd), dialogs.end());
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent) : parent_(parent), templateId_(templateId) {}

Dialog::~Dialog() {
  ForgetModeless(hwnd_);
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    DestroyWindow(hwnd_);
  }
}

INT_PTR Dialog::DoModal() {
  const bool ownerWasEnabled = parent_ && IsWindowEnabled(parent_);
  modal_ = true;
  result_ = -1;
  HWND hwnd = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent_, StaticDialogProc,
                                 reinterpret_cast<LPARAM>(this));
  if (!hwnd) {
    modal_ = false;
    return -1;
  }
  if (ownerWasEnabled) EnableWindow(parent_, FALSE);
  if (!IsWindowVisible(hwnd) && loopRunning_) ShowWindow(hwnd, SW_SHOW);

  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (loopRunning_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT: end the dialog and pass the quit on
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (got < 0) break;
    // Keys typed into a modeless dialog are its own, not this dialog's.
    if (HWND modeless = ModelessDialogOf(msg.hwnd); modeless && IsDialogMessageW(modeless, &msg)) continue;
    if (PreTranslateMessage(&msg)) continue;
    if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (ownerWasEnabled) {
    EnableWindow(parent_, TRUE);
    SetActiveWindow(parent_);
  }
  if (hwnd_) DestroyWindow(hwnd_);
  modal_ = false;
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return result_;
}

bool Dialog::CreateModeless() {
  modal_ = false;
  HWND hwnd = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent_, StaticDialogProc,
                                 reinterpret_cast<LPARAM>(this));
  if (hwnd) ModelessDialogs().push_back(hwnd);
  return hwnd != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  if (modal_) {
    loopRunning_ = false;
    // Wake the loop in case we are called from outside a message handler.
    if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);
  } else if (hwnd_) {
    DestroyWindow(hwnd_);
  }
}

bool Dialog::PreTranslateMessage(MSG*) { return false; }

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // The one place where the object is attached to its window.
    auto* self = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
    self->loopRunning_ = self->modal_;
    return self->OnInitDialog();
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return self->DialogProc(message, wParam, lParam);
}

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
static bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

INT_PTR Dialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Dispatch(message, wParam, lParam, &result)) {
    if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
  }
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
          OnOK();
          return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          OnCancel();
          return TRUE;
        }
      }
      break;
    case WM_NCDESTROY: {
      ForgetModeless(hwnd_);
      SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      hwnd_ = nullptr;
      loopRunning_ = false;
      OnDestroyed();
      return FALSE;
    }
    default:
      break;
  }
  return FALSE;
}

}  // namespace fw
