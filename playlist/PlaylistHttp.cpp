#include "playlist/PlaylistHttp.h"

#include "framework/Handle.h"
#include "framework/Internet.h"
#include "framework/PaintingWait.h"

#include <atomic>
#include <memory>
#include <utility>

namespace {

// Request headers of a playlist fetch: some radio servers only hand out
// their lists to clients that look like audio players.
const wchar_t kHeaders[] = L"User-Agent: MP3\r\nAccept: */*\r\nIcy-MetaData: 1\r\nConnection: close\r\n";
const DWORD_PTR kContext = 1;

// One fetch, shared by the waiting thread and the worker; the last of the two
// frees it. A fetch the waiting thread gave up on ends at the worker's next
// look at the clock: every blocking call returns within its own time-out, and
// a trickling server's next byte ends it too. The worker's handles are never
// closed from the waiting thread, which could close a handle value that a
// newer fetch has been given meanwhile.
struct FetchJob {
  std::wstring url;
  PlaylistHttpLimits limits;
  ULONGLONG deadline = 0;
  fw::KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<bool> abandoned{false};
  bool ok = false;
  std::vector<uint8_t> body;

  bool TimeLeft() const { return !abandoned && GetTickCount64() < deadline; }
};

void SetTimeouts(HINTERNET h, const PlaylistHttpLimits& limits) {
  fw::SetInternetTimeouts(h, limits.connectTimeoutMs, limits.sendTimeoutMs, limits.receiveTimeoutMs);
}

bool QueryNumber(HINTERNET request, DWORD what, DWORD& value) {
  DWORD size = sizeof value;
  DWORD index = 0;
  return HttpQueryInfoW(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, &index) != FALSE;
}

bool HasHeader(HINTERNET request, DWORD what) {
  DWORD size = 0;
  DWORD index = 0;
  HttpQueryInfoW(request, what, nullptr, &size, &index);
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

// Reads until the server ends the body. Each read takes only what has
// arrived (a full-buffer read waits until the buffer is full, for ever with a
// server that sends a byte now and then), so the time limit is looked at
// after every piece.
bool ReadBody(FetchJob& job, HINTERNET file) {
  uint8_t buffer[64 * 1024];
  for (;;) {
    DWORD available = 0;
    if (!InternetQueryDataAvailable(file, &available, 0, 0)) return false;
    if (!job.TimeLeft()) return false;
    if (available == 0) return true;
    if (available > sizeof buffer) available = sizeof buffer;
    DWORD read = 0;
    if (!InternetReadFile(file, buffer, available, &read)) return false;
    if (read == 0) return true;
    if (job.body.size() + read > job.limits.maxBytes) return false;
    job.body.insert(job.body.end(), buffer, buffer + read);
    if (!job.TimeLeft()) return false;
  }
}

// http and https: connection and request are opened one by one so that the
// time-outs are in place before anything is sent.
bool FetchHttp(FetchJob& job, HINTERNET session, const URL_COMPONENTSW& parts) {
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring object(parts.lpszUrlPath, parts.dwUrlPathLength);
  object.append(parts.lpszExtraInfo ? parts.lpszExtraInfo : L"", parts.dwExtraInfoLength);
  if (object.empty()) object = L"/";
  const std::wstring user(parts.lpszUserName ? parts.lpszUserName : L"", parts.dwUserNameLength);
  const std::wstring password(parts.lpszPassword ? parts.lpszPassword : L"", parts.dwPasswordLength);

  fw::InternetHandle connection(InternetConnectW(session, host.c_str(), parts.nPort,
                                             user.empty() ? nullptr : user.c_str(),
                                             password.empty() ? nullptr : password.c_str(),
                                             INTERNET_SERVICE_HTTP, 0, kContext));
  if (!connection || !job.TimeLeft()) return false;
  SetTimeouts(connection.get(), job.limits);
  DWORD flags = INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  fw::InternetHandle request(
      HttpOpenRequestW(connection.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, kContext));
  if (!request) return false;
  SetTimeouts(request.get(), job.limits);
  if (!HttpSendRequestW(request.get(), kHeaders, static_cast<DWORD>(-1), nullptr, 0) || !job.TimeLeft())
    return false;

  DWORD status = 0;
  if (!QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE, status) || status < 200 || status > 299) return false;
  if (!ReadBody(job, request.get())) return false;
  // A connection that closed before the announced length is a cut-off list,
  // not a shorter one.
  DWORD announced = 0;
  if (!HasHeader(request.get(), HTTP_QUERY_CONTENT_ENCODING) &&
      QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH, announced) && job.body.size() != announced)
    return false;
  return true;
}

// Other schemes WinINet knows (ftp): opened as the platform opens addresses.
bool FetchOther(FetchJob& job, HINTERNET session) {
  fw::InternetHandle file(InternetOpenUrlW(session, job.url.c_str(), kHeaders, static_cast<DWORD>(-1),
                                       INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI,
                                       kContext));
  if (!file) return false;
  SetTimeouts(file.get(), job.limits);
  return ReadBody(job, file.get());
}

bool Fetch(FetchJob& job) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
  parts.dwUserNameLength = parts.dwPasswordLength = 1;
  if (!InternetCrackUrlW(job.url.c_str(), static_cast<DWORD>(job.url.size()), 0, &parts)) return false;
  fw::InternetHandle session(InternetOpenW(L"Zentravue", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return false;
  SetTimeouts(session.get(), job.limits);
  const bool http = parts.nScheme == INTERNET_SCHEME_HTTP || parts.nScheme == INTERNET_SCHEME_HTTPS;
  return http ? FetchHttp(job, session.get(), parts) : FetchOther(job, session.get());
}

DWORD WINAPI FetchWorker(void* parameter) {
  std::shared_ptr<FetchJob> job = std::move(*static_cast<std::shared_ptr<FetchJob>*>(parameter));
  delete static_cast<std::shared_ptr<FetchJob>*>(parameter);
  job->ok = Fetch(*job);
  SetEvent(job->done.get());
  return 0;
}

}  // namespace

bool FetchPlaylistAddress(const std::wstring& url, const PlaylistHttpLimits& limits, std::vector<uint8_t>& bytes,
                          HANDLE cancel) {
  auto job = std::make_shared<FetchJob>();
  if (!job->done) return false;
  job->url = url;
  job->limits = limits;
  job->deadline = GetTickCount64() + limits.totalTimeoutMs;
  auto* parameter = new std::shared_ptr<FetchJob>(job);
  fw::KernelHandle thread(CreateThread(nullptr, 0, FetchWorker, parameter, 0, nullptr));
  if (!thread) {
    delete parameter;
    return false;
  }
  const HANDLE events[] = {job->done.get(), cancel};
  const DWORD waited = fw::WaitKeepingWindowsPainted(events, cancel ? 2 : 1, limits.totalTimeoutMs);
  if (waited != WAIT_OBJECT_0) {
    job->abandoned = true;  // the worker ends on its own (FetchJob)
    return false;
  }
  if (!job->ok) return false;
  bytes = std::move(job->body);
  return true;
}
