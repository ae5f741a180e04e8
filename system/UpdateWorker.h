#pragma once
// The update dialog's worker: asks the update server for the newest version,
// fetches the change history, waits for the user's yes, downloads the new
// executable into two temporary copies beside the program, checks the
// signature and the version of what arrived, and only then starts the first
// copy with "/update_step_1".
//
// The worker and the dialog share one UpdateShared. The worker never waits
// for the dialog: it leaves status, button text, progress and history rows
// there, and the dialog's timer shows them. The dialog may go away while
// the worker still runs (cancel during a stalled transfer); the worker then
// finishes alone, deletes its incomplete files and touches nothing else.
#include "framework/Handle.h"
#include "framework/WinInclude.h"
#include "system/UpdateConfig.h"
#include "system/UpdateProtocol.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class LanguageTable;

namespace zv {

// Every text the worker shows, looked up once on the dialog's thread.
struct UpdateTexts {
  std::u16string connect;             // CONNECT_ZV, "%s" = server name
  std::u16string connectEstablished;  // CONNECT_ESTABLISHED
  std::u16string getCurrentVersion;   // GET_CURRENT_VERSION
  std::u16string upToDate;            // STATUS_ZV_UP2DATE
  std::u16string versionInfo;         // VERSION_INFO, running and newest version
  std::u16string yes;                 // YES
  std::u16string download;            // STATUS_DOWNLOAD, received and total bytes
  std::u16string versionInfoNotFound; // ERROR_VERSIONINFO_NOT_FOUND
  std::u16string pathNotFound;        // ERROR_PATH_NOT_FOUND
  std::u16string fileNotFound;        // ERROR_FILE_NOT_FOUND
  std::u16string tempFile;            // ERROR_TEMPFILE, file name and reason
  std::u16string error;               // ERROR, the platform's message
  std::u16string ok;                  // ID_BUTTON_OK
  std::u16string cancel;              // the dialog's own cancel text
  std::u16string signatureNotFound;   // ERROR_SIGNATURE_NOT_FOUND
  std::u16string signatureInvalid;    // ERROR_SIGNATURE_INVALID
  std::u16string downloadSize;        // ERROR_DOWNLOAD_SIZE
  std::u16string downloadIncomplete;  // ERROR_DOWNLOAD_INCOMPLETE
  std::u16string notNewer;            // ERROR_NOT_NEWER
  std::u16string languageName;        // [File] Language, for the history request

  static UpdateTexts From(const LanguageTable* language);
};

// The dialog's Step values.
enum UpdateStep : int { kStepBusy = 0, kStepQuestion = 4, kStepConfirmed = 6, kStepCancelled = 7 };

class UpdateShared {
 public:
  UpdateShared(UpdateConfig config, UpdateTexts texts);
  UpdateShared(const UpdateShared&) = delete;
  UpdateShared& operator=(const UpdateShared&) = delete;

  const UpdateConfig& Config() const { return config_; }
  const UpdateTexts& Texts() const { return texts_; }

  // Plain flags, polled.
  std::atomic<int> Running{0};
  std::atomic<int> Step{kStepBusy};
  std::atomic<int> CloseWithOk{0};
  std::atomic<int> Finished{0};

  // What the dialog shows. The setters do nothing once Running is 0.
  struct View {
    std::u16string status;
    std::u16string button;
    uint32_t progressRange = 0;
    uint32_t progressPosition = 0;
    std::vector<HistoryRow> history;
    unsigned changes = 0;  // counts every change, so the dialog sees news
  };
  void SetStatus(const std::u16string& text);
  void SetButton(const std::u16string& text);
  void SetProgress(uint32_t range, uint32_t position);
  void SetHistory(std::vector<HistoryRow> rows);
  View Snapshot() const;
  unsigned Changes() const;

  // Network handles of the worker, so that a cancel can close them and end
  // a blocking transfer at once. Track returns false when the transfer was
  // already aborted (the handle is closed then).
  bool Track(void* handle);
  // Closes a tracked handle unless the abort already did.
  void Close(void* handle);
  void Abort();
  bool Aborted() const;

 private:
  const UpdateConfig config_;
  const UpdateTexts texts_;
  mutable std::mutex mutex_;
  View view_;
  std::vector<void*> handles_;
  bool aborted_ = false;
};

// Starts the worker thread; it keeps its own reference to the shared state.
fw::KernelHandle StartUpdateWorker(std::shared_ptr<UpdateShared> shared);

// The platform's file error cause (the reason table's numbers) of a system
// error code.
int FileErrorCauseOf(DWORD error);

}  // namespace zv
