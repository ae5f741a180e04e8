#pragma once
// The update dialog: progress bar, change history list, status text and one
// button whose meaning changes (cancel, yes, OK). A worker thread does the
// exchange with the update server (UpdateWorker.h); this dialog shows what it
// reports and passes the user's answer on. It ends with OK when the worker
// has started the first step of the replacement; the player then exits.
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "system/UpdateConfig.h"

#include <memory>

class LanguageTable;

namespace zv {
class UpdateShared;
}

class CUpdateDlg : public fw::Dialog {
 public:
  CUpdateDlg(HWND parent, LanguageTable* language, zv::UpdateConfig config);
  ~CUpdateDlg() override;

  LanguageTable* language;
  // The flags the dialog shares with its worker (UpdateStep values for Step).
  int Running() const;
  int Step() const;
  bool Started() const { return started_; }
  bool WorkerFinished() const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  void OnButton();

  void StartWorker();
  // Shows what the worker reported since the last tick.
  void ShowWorkerState();
  // Waits for the worker while answering messages; a worker stuck in a
  // transfer that the cancel could not end is left to finish alone.
  void WaitForWorker();

  zv::UpdateConfig config_;
  std::shared_ptr<zv::UpdateShared> shared_;
  fw::KernelHandle worker_;
  bool started_ = false;
  unsigned shownChanges_ = 0;
  size_t shownRows_ = 0;
};
