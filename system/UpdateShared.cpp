#include "system/UpdateWorker.h"

#include "lang/LanguageTable.h"

#include <wininet.h>

#include <utility>

namespace zv {

UpdateTexts UpdateTexts::From(const LanguageTable* language) {
  UpdateTexts texts;
  if (!language) return texts;
  auto message = [language](const char16_t* key) { return language->Message(key); };
  texts.connect = message(u"CONNECT_ZV");
  texts.connectEstablished = message(u"CONNECT_ESTABLISHED");
  texts.getCurrentVersion = message(u"GET_CURRENT_VERSION");
  texts.upToDate = message(u"STATUS_ZV_UP2DATE");
  texts.versionInfo = message(u"VERSION_INFO");
  texts.yes = message(u"YES");
  texts.download = message(u"STATUS_DOWNLOAD");
  texts.versionInfoNotFound = message(u"ERROR_VERSIONINFO_NOT_FOUND");
  texts.pathNotFound = message(u"ERROR_PATH_NOT_FOUND");
  texts.fileNotFound = message(u"ERROR_FILE_NOT_FOUND");
  texts.tempFile = message(u"ERROR_TEMPFILE");
  texts.error = message(u"ERROR");
  texts.ok = message(u"ID_BUTTON_OK");
  texts.cancel = language->Text(u"IDD_UPDATE_DIALOG", u"IDC_BUTTON_ABBRECHEN");
  texts.signatureNotFound = message(u"ERROR_SIGNATURE_NOT_FOUND");
  texts.signatureInvalid = message(u"ERROR_SIGNATURE_INVALID");
  texts.downloadSize = message(u"ERROR_DOWNLOAD_SIZE");
  texts.downloadIncomplete = message(u"ERROR_DOWNLOAD_INCOMPLETE");
  texts.notNewer = message(u"ERROR_NOT_NEWER");
  texts.languageName = language->Text(u"File", u"Language");
  return texts;
}

UpdateShared::UpdateShared(UpdateConfig config, UpdateTexts texts)
    : config_(std::move(config)), texts_(std::move(texts)) {}

void UpdateShared::SetStatus(const std::u16string& text) {
  if (!Running) return;
  std::lock_guard<std::mutex> lock(mutex_);
  view_.status = text;
  ++view_.changes;
}

void UpdateShared::SetButton(const std::u16string& text) {
  if (!Running) return;
  std::lock_guard<std::mutex> lock(mutex_);
  view_.button = text;
  ++view_.changes;
}

void UpdateShared::SetProgress(uint32_t range, uint32_t position) {
  if (!Running) return;
  std::lock_guard<std::mutex> lock(mutex_);
  view_.progressRange = range;
  view_.progressPosition = position;
  ++view_.changes;
}

void UpdateShared::SetHistory(std::vector<HistoryRow> rows) {
  if (!Running) return;
  std::lock_guard<std::mutex> lock(mutex_);
  view_.history = std::move(rows);
  ++view_.changes;
}

UpdateShared::View UpdateShared::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return view_;
}

unsigned UpdateShared::Changes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return view_.changes;
}

bool UpdateShared::Track(void* handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (aborted_) {
    InternetCloseHandle(handle);
    return false;
  }
  handles_.push_back(handle);
  return true;
}

void UpdateShared::Close(void* handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = handles_.begin(); it != handles_.end(); ++it) {
    if (*it != handle) continue;
    handles_.erase(it);
    InternetCloseHandle(handle);
    return;
  }
}

void UpdateShared::Abort() {
  std::lock_guard<std::mutex> lock(mutex_);
  aborted_ = true;
  // Closing a handle from another thread ends a call blocked on it.
  for (auto it = handles_.rbegin(); it != handles_.rend(); ++it) InternetCloseHandle(*it);
  handles_.clear();
}

bool UpdateShared::Aborted() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return aborted_;
}

int FileErrorCauseOf(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS: return kFileErrorNone;
    case ERROR_FILE_NOT_FOUND: return kFileErrorNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: return kFileErrorBadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return kFileErrorTooManyOpen;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return kFileErrorAccessDenied;
    case ERROR_INVALID_HANDLE: return kFileErrorInvalidFile;
    case ERROR_CURRENT_DIRECTORY: return kFileErrorRemoveCurrentDir;
    case ERROR_NO_MORE_FILES: return kFileErrorDirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return kFileErrorBadSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_CRC:
    case ERROR_GEN_FAILURE: return kFileErrorHardIO;
    case ERROR_SHARING_VIOLATION: return kFileErrorSharingViolation;
    case ERROR_LOCK_VIOLATION: return kFileErrorLockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kFileErrorDiskFull;
    case ERROR_HANDLE_EOF: return kFileErrorEndOfFile;
    default: return kFileErrorGeneric;
  }
}

}  // namespace zv
