#pragma once
// A dialog from a template, run modally (with our own loop, so that
// PreTranslateMessage sees every message) or modelessly.
#include "framework/Window.h"

namespace fw {

class Dialog : public Window {
 public:
  Dialog(UINT templateId, HWND parent);
  ~Dialog() override;

  // Runs the dialog until EndDialog; returns its result, or -1 when the
  // template could not be created.
  INT_PTR DoModal();
  // Creates the dialog modelessly; it stays until DestroyWindow or the object dies.
  bool CreateModeless();
  void EndDialog(INT_PTR result);

  bool IsModal() const { return modal_; }
  UINT TemplateId() const { return templateId_; }

  // Sees each message of the modal loop before dialog navigation does;
  // return true to swallow it.
  virtual bool PreTranslateMessage(MSG* msg);

 protected:
  // Return TRUE to let the system set the focus.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Called after the window is destroyed (modeless dialogs may delete themselves here).
  virtual void OnDestroyed() {}

  HWND parent_;

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  bool modal_ = false;
  bool loopRunning_ = false;
  INT_PTR result_ = -1;
};

// The instance whose resources the dialogs and menus come from.
HINSTANCE ResourceInstance();

}  // namespace fw
