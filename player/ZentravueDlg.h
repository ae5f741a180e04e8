#pragma once
// The player window: the program's main window, a dialog of class
// "ZentravueClass" run modally by the application.
#include "framework/Dialog.h"

class CZentravueDlg : public fw::Dialog {
 public:
  explicit CZentravueDlg(HWND parent);

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnClose(WPARAM, LPARAM);

  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
};
