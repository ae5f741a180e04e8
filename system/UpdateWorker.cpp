#include "system/UpdateWorker.h"

#include "framework/WideString.h"
#include "system/ElevatedRun.h"
#include "system/FileAssociations.h"
#include "system/UpdateSignature.h"

#include <wininet.h>

#include <process.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace zv {

namespace {

constexpr DWORD kConnectTimeoutMs = 15000;
constexpr DWORD kTransferTimeoutMs = 20000;
// The download is read and written in blocks of this size; a cancel takes
// effect after the current block.
constexpr DWORD kBlockBytes = 16 * 1024;
constexpr DWORD kRequestFlags = INTERNET_FLAG_EXISTING_CONNECT | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_TRANSFER_BINARY;

// A network handle the shared state tracks, so that a cancel can close it.
class NetHandle {
 public:
  NetHandle(UpdateShared& shared, HINTERNET handle) : shared_(shared) {
    if (handle && shared_.Track(handle)) handle_ = handle;
  }
  NetHandle(const NetHandle&) = delete;
  NetHandle& operator=(const NetHandle&) = delete;
  ~NetHandle() { Reset(); }
  void Reset() {
    if (handle_) shared_.Close(handle_);
    handle_ = nullptr;
  }
  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  UpdateShared& shared_;
  HINTERNET handle_ = nullptr;
};

// The platform's text of an internet or system error.
std::u16string ErrorMessage(DWORD error) {
  wchar_t buffer[1024] = {};
  DWORD length = 0;
  if (error >= INTERNET_ERROR_BASE && error <= INTERNET_ERROR_LAST)
    length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                            GetModuleHandleW(L"wininet.dll"), error, 0, buffer, 1023, nullptr);
  if (length == 0)
    length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, buffer,
                            1023, nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = fw::Format(L"%lu", error);
  return fw::ToU16(text);
}

void SetTimeouts(HINTERNET handle) {
  DWORD connect = kConnectTimeoutMs;
  DWORD transfer = kTransferTimeoutMs;
  InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &transfer, sizeof transfer);
  InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &transfer, sizeof transfer);
  InternetSetOptionW(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, &transfer, sizeof transfer);
  InternetSetOptionW(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &transfer, sizeof transfer);
}

std::optional<uint64_t> ContentLength(HINTERNET request) {
  wchar_t text[32] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  DWORD index = 0;
  if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, &index)) return std::nullopt;
  uint64_t value = 0;
  bool digits = false;
  for (const wchar_t* c = text; *c; ++c) {
    if (*c == L' ') continue;
    if (*c < L'0' || *c > L'9' || value > kMaxDownloadBytes * 10) return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(*c - L'0');
    digits = true;
  }
  if (!digits) return std::nullopt;
  return value;
}

// Thrown inside the worker for a failed internet call; carries the error.
struct InternetFailure {
  DWORD error;
};

class Worker {
 public:
  explicit Worker(std::shared_ptr<UpdateShared> shared)
      : keep_(std::move(shared)), s_(*keep_), texts_(s_.Texts()), config_(s_.Config()) {}

  void Run() {
    try {
      Exchange();
    } catch (const InternetFailure& failure) {
      RemoveTempFiles();
      s_.SetStatus(FillPlaceholders(texts_.error, {ErrorMessage(failure.error)}));
    }
    if (s_.Running) s_.SetButton(texts_.ok);
    versionRequest_.reset();
    connection_.reset();
    session_.reset();
    s_.Finished = 1;
  }

 private:
  bool Running() const { return s_.Running != 0; }

  // Every failure of a WinINet call ends the exchange with its message; a
  // call that failed because the cancel closed its handle ends it silently.
  void Check(bool ok) {
    if (ok) return;
    const DWORD error = GetLastError();
    throw InternetFailure{error ? error : static_cast<DWORD>(ERROR_INTERNET_OPERATION_CANCELLED)};
  }

  void OpenSession() {
    session_ = std::make_unique<NetHandle>(
        s_, InternetOpenW(L"Zentravue", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    Check(static_cast<bool>(*session_));
    SetTimeouts(session_->get());
    connection_ = std::make_unique<NetHandle>(
        s_, InternetConnectW(session_->get(), fw::ToWide(server_.host).c_str(), server_.port, nullptr, nullptr,
                             INTERNET_SERVICE_HTTP, 0, 0));
    Check(static_cast<bool>(*connection_));
    SetTimeouts(connection_->get());
  }

  // Sends a GET for an object on the connection; returns the status code.
  std::unique_ptr<NetHandle> Get(HINTERNET connection, const std::u16string& object, DWORD* status) {
    const std::wstring path = fw::ToWide(server_.basePath + object);
    auto request = std::make_unique<NetHandle>(
        s_, HttpOpenRequestW(connection, L"GET", path.c_str(), nullptr, nullptr, nullptr, kRequestFlags, 0));
    Check(static_cast<bool>(*request));
    SetTimeouts(request->get());
    Check(HttpSendRequestW(request->get(), nullptr, 0, nullptr, 0) != FALSE);
    DWORD code = 0;
    DWORD size = sizeof code;
    DWORD index = 0;
    Check(HttpQueryInfoW(request->get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, &index) !=
          FALSE);
    *status = code;
    return request;
  }

  // Reads up to limit bytes of a body; complete tells whether it ended within them.
  std::string ReadUpTo(HINTERNET request, size_t limit, bool* complete) {
    std::string body;
    char buffer[kBlockBytes];
    *complete = false;
    while (body.size() < limit && Running()) {
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(std::min<size_t>(sizeof buffer, limit - body.size()));
      Check(InternetReadFile(request, buffer, want, &got) != FALSE);
      if (got == 0) {
        *complete = true;
        break;
      }
      body.append(buffer, got);
    }
    return body;
  }

  void Exchange() {
    std::optional<ServerAddress> server = ParseServerAddress(config_.server);
    if (!server) {
      s_.SetStatus(texts_.versionInfoNotFound);
      return;
    }
    server_ = *server;
    s_.SetStatus(FillPlaceholders(texts_.connect, {server_.host}));
    OpenSession();
    DWORD status = 0;
    versionRequest_ = Get(connection_->get(), VersionInfoObject(config_.suffix), &status);
    if (status != 200) {
      s_.SetStatus(texts_.versionInfoNotFound);
      return;
    }
    s_.SetStatus(texts_.connectEstablished);
    const std::u16string running = config_.runningVersion;
    s_.SetStatus(texts_.getCurrentVersion);
    bool complete = false;
    const std::string body = ReadUpTo(versionRequest_->get(), kMaxVersionInfoBytes, &complete);
    if (!Running()) return;
    const VersionInfo info = ParseVersionInfo(body, complete);
    if (!info.newestVersion) {
      s_.SetStatus(texts_.versionInfoNotFound);
      return;
    }
    if (!IsNewerVersion(*info.newestVersion, running)) {
      s_.SetStatus(texts_.upToDate);
      return;
    }

    ShowHistory(running);
    s_.SetStatus(FillPlaceholders(texts_.versionInfo, {running, *info.newestVersion}));
    s_.SetButton(texts_.yes);
    s_.Step = kStepQuestion;
    while (s_.Running && s_.Step == kStepQuestion) Sleep(100);
    if (s_.Step != kStepConfirmed || !Running()) return;

    s_.SetButton(texts_.cancel);
    s_.Step = kStepBusy;
    if (!info.downloadObject) {
      s_.SetStatus(texts_.pathNotFound);
      return;
    }
    versionRequest_.reset();
    Download(*info.downloadObject);
  }

  void ShowHistory(const std::u16string& running) {
    // The history has a connection of its own; its failure leaves the list
    // empty and the question is asked all the same.
    try {
      NetHandle session(s_, InternetOpenW(L"Zentravue", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
      Check(static_cast<bool>(session));
      SetTimeouts(session.get());
      NetHandle connection(s_, InternetConnectW(session.get(), fw::ToWide(server_.host).c_str(), server_.port,
                                                nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
      Check(static_cast<bool>(connection));
      SetTimeouts(connection.get());
      DWORD status = 0;
      std::unique_ptr<NetHandle> request =
          Get(connection.get(), HistoryObject(texts_.languageName, running), &status);
      if (status != 200) return;
      bool complete = false;
      const std::string body = ReadUpTo(request->get(), kMaxHistoryBytes, &complete);
      s_.SetHistory(ParseHistory(body));
    } catch (const InternetFailure&) {
      if (s_.Aborted()) throw;
    }
  }

  void Download(const std::u16string& object) {
    DWORD status = 0;
    std::unique_ptr<NetHandle> request = Get(connection_->get(), object, &status);
    if (status != 200) {
      s_.SetStatus(texts_.fileNotFound);
      return;
    }
    const std::optional<uint64_t> length = ContentLength(request->get());
    if (!length || *length == 0 || *length > kMaxDownloadBytes) {
      s_.SetStatus(texts_.downloadSize);
      return;
    }
    const uint32_t total = static_cast<uint32_t>(*length);

    first_ = FirstTempPath(config_.programPath);
    second_ = SecondTempPath(config_.programPath);
    fw::FileHandle firstFile, secondFile;
    for (auto [path, file] : {std::pair{&first_, &firstFile}, std::pair{&second_, &secondFile}}) {
      file->Reset(CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
      if (*file) continue;
      const DWORD error = GetLastError();
      const std::wstring failed = *path;
      firstFile.Reset();
      secondFile.Reset();
      // Only files this run created are removed; a locked one stays as it is.
      if (path == &second_) DeleteFileW(first_.c_str());
      first_.clear();
      second_.clear();
      s_.SetStatus(FillPlaceholders(texts_.tempFile, {fw::ToU16(failed), FileErrorReason(FileErrorCauseOf(error))}));
      return;
    }

    s_.SetProgress(total, 0);
    uint64_t received = 0;
    char buffer[kBlockBytes];
    bool tooLong = false;
    while (Running()) {
      DWORD got = 0;
      Check(InternetReadFile(request->get(), buffer, sizeof buffer, &got) != FALSE);
      if (got == 0) break;
      received += got;
      if (received > total) {
        tooLong = true;
        break;
      }
      for (HANDLE file : {firstFile.get(), secondFile.get()}) {
        DWORD written = 0;
        if (WriteFile(file, buffer, got, &written, nullptr) && written == got) continue;
        const DWORD error = GetLastError();
        const std::wstring name = file == firstFile.get() ? first_ : second_;
        firstFile.Reset();
        secondFile.Reset();
        RemoveTempFiles();
        s_.SetStatus(FillPlaceholders(texts_.tempFile, {fw::ToU16(name), FileErrorReason(FileErrorCauseOf(error))}));
        return;
      }
      s_.SetProgress(total, static_cast<uint32_t>(received));
      s_.SetStatus(FillPlaceholders(texts_.download, {NumberText(received), NumberText(total)}));
    }
    firstFile.Reset();
    secondFile.Reset();
    request.reset();
    if (!Running()) {
      RemoveTempFiles();
      return;
    }
    if (tooLong || received != total) {
      RemoveTempFiles();
      s_.SetStatus(tooLong ? texts_.downloadSize : texts_.downloadIncomplete);
      return;
    }
    if (!Verified(object)) {
      RemoveTempFiles();
      return;
    }
    if (!Running()) {
      RemoveTempFiles();
      return;
    }
    // Started before the dialog is told to close, so that a failed start
    // leaves the player running.
    if (!StartProgram(first_, L"/update_step_1")) {
      const DWORD error = GetLastError();
      RemoveTempFiles();
      s_.SetStatus(FillPlaceholders(texts_.error, {ErrorMessage(error)}));
      return;
    }
    first_.clear();
    second_.clear();
    s_.CloseWithOk = 1;
  }

  // The signature over both copies' bytes, then the version they carry.
  bool Verified(const std::u16string& object) {
    DWORD status = 0;
    std::unique_ptr<NetHandle> request = Get(connection_->get(), SignatureObject(object), &status);
    if (status != 200) {
      s_.SetStatus(texts_.signatureNotFound);
      return false;
    }
    bool complete = false;
    const std::string signature = ReadUpTo(request->get(), kSignatureBytes + 1, &complete);
    request.reset();
    if (!Running()) return false;
    const std::string_view key = config_.publicKey;
    if (VerifyFileSignature(first_, signature, key) != SignatureCheck::Valid ||
        VerifyFileSignature(second_, signature, key) != SignatureCheck::Valid) {
      s_.SetStatus(texts_.signatureInvalid);
      return false;
    }
    const std::u16string arrived = UpdateVersionText(fw::ToU16(ProductVersionOfFile(first_)));
    if (!IsNewerVersion(arrived, config_.runningVersion)) {
      s_.SetStatus(texts_.notNewer);
      return false;
    }
    return true;
  }

  void RemoveTempFiles() {
    if (!first_.empty()) DeleteFileW(first_.c_str());
    if (!second_.empty()) DeleteFileW(second_.c_str());
    first_.clear();
    second_.clear();
  }

  std::shared_ptr<UpdateShared> keep_;
  UpdateShared& s_;
  const UpdateTexts& texts_;
  const UpdateConfig& config_;
  ServerAddress server_;
  std::unique_ptr<NetHandle> session_;
  std::unique_ptr<NetHandle> connection_;
  std::unique_ptr<NetHandle> versionRequest_;
  std::wstring first_;
  std::wstring second_;
};

unsigned __stdcall WorkerMain(void* parameter) {
  std::unique_ptr<std::shared_ptr<UpdateShared>> shared(static_cast<std::shared_ptr<UpdateShared>*>(parameter));
  Worker worker(std::move(*shared));
  worker.Run();
  return 0;
}

}  // namespace

fw::KernelHandle StartUpdateWorker(std::shared_ptr<UpdateShared> shared) {
  auto* parameter = new std::shared_ptr<UpdateShared>(std::move(shared));
  const uintptr_t thread = _beginthreadex(nullptr, 0, WorkerMain, parameter, 0, nullptr);
  if (thread == 0) {
    delete parameter;
    return fw::KernelHandle();
  }
  return fw::KernelHandle(reinterpret_cast<HANDLE>(thread));
}

}  // namespace zv
