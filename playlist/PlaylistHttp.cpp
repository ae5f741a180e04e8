#include "playlist/PlaylistHttp.h"

#include <wininet.h>

#include <utility>

namespace {

// Request headers of a playlist fetch: some radio servers only hand out
// their lists to clients that look like audio players.
const wchar_t kHeaders[] = L"User-Agent: MP3\r\nAccept: */*\r\nIcy-MetaData: 1\r\nConnection: close\r\n";
const DWORD_PTR kContext = 1;

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h = nullptr) : h_(h) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

void SetTimeouts(HINTERNET h, const PlaylistHttpLimits& limits) {
  DWORD connect = limits.connectTimeoutMs, send = limits.sendTimeoutMs, receive = limits.receiveTimeoutMs;
  InternetSetOptionW(h, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  InternetSetOptionW(h, INTERNET_OPTION_SEND_TIMEOUT, &send, sizeof send);
  InternetSetOptionW(h, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
  InternetSetOptionW(h, INTERNET_OPTION_DATA_SEND_TIMEOUT, &send, sizeof send);
  InternetSetOptionW(h, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &receive, sizeof receive);
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

// Reads until the server ends the body; the length WinINet reports as
// available is only what has arrived so far.
bool ReadBody(HINTERNET file, const PlaylistHttpLimits& limits, std::vector<uint8_t>& body) {
  const ULONGLONG deadline = GetTickCount64() + limits.totalTimeoutMs;
  uint8_t buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(file, buffer, sizeof buffer, &read)) return false;
    if (read == 0) return true;
    if (body.size() + read > limits.maxBytes) return false;
    body.insert(body.end(), buffer, buffer + read);
    if (GetTickCount64() > deadline) return false;
  }
}

// http and https: connection and request are opened one by one so that the
// time-outs are in place before anything is sent.
bool FetchHttp(HINTERNET session, const URL_COMPONENTSW& parts, const PlaylistHttpLimits& limits,
               std::vector<uint8_t>& body) {
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring object(parts.lpszUrlPath, parts.dwUrlPathLength);
  object.append(parts.lpszExtraInfo ? parts.lpszExtraInfo : L"", parts.dwExtraInfoLength);
  if (object.empty()) object = L"/";
  const std::wstring user(parts.lpszUserName ? parts.lpszUserName : L"", parts.dwUserNameLength);
  const std::wstring password(parts.lpszPassword ? parts.lpszPassword : L"", parts.dwPasswordLength);

  InternetHandle connection(InternetConnectW(session, host.c_str(), parts.nPort,
                                             user.empty() ? nullptr : user.c_str(),
                                             password.empty() ? nullptr : password.c_str(),
                                             INTERNET_SERVICE_HTTP, 0, kContext));
  if (!connection) return false;
  SetTimeouts(connection.get(), limits);
  DWORD flags = INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  InternetHandle request(
      HttpOpenRequestW(connection.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, kContext));
  if (!request) return false;
  SetTimeouts(request.get(), limits);
  if (!HttpSendRequestW(request.get(), kHeaders, static_cast<DWORD>(-1), nullptr, 0)) return false;

  DWORD status = 0;
  if (!QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE, status) || status < 200 || status > 299) return false;
  if (!ReadBody(request.get(), limits, body)) return false;
  // A connection that closed before the announced length is a cut-off list,
  // not a shorter one.
  DWORD announced = 0;
  if (!HasHeader(request.get(), HTTP_QUERY_CONTENT_ENCODING) &&
      QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH, announced) && body.size() != announced)
    return false;
  return true;
}

// Other schemes WinINet knows (ftp): opened as the platform opens addresses.
bool FetchOther(HINTERNET session, const std::wstring& url, const PlaylistHttpLimits& limits,
                std::vector<uint8_t>& body) {
  InternetHandle file(InternetOpenUrlW(session, url.c_str(), kHeaders, static_cast<DWORD>(-1),
                                       INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI,
                                       kContext));
  if (!file) return false;
  SetTimeouts(file.get(), limits);
  return ReadBody(file.get(), limits, body);
}

}  // namespace

bool FetchPlaylistAddress(const std::wstring& url, const PlaylistHttpLimits& limits, std::vector<uint8_t>& bytes) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
  parts.dwUserNameLength = parts.dwPasswordLength = 1;
  if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;

  InternetHandle session(InternetOpenW(L"Zentravue", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return false;
  SetTimeouts(session.get(), limits);

  std::vector<uint8_t> body;
  const bool http = parts.nScheme == INTERNET_SCHEME_HTTP || parts.nScheme == INTERNET_SCHEME_HTTPS;
  const bool fetched = http ? FetchHttp(session.get(), parts, limits, body) : FetchOther(session.get(), url, limits, body);
  if (!fetched) return false;
  bytes = std::move(body);
  return true;
}
