#include "streaming/HttpStream.h"

#include "framework/Internet.h"
#include "framework/WideString.h"
#include "streaming/FetchPlan.h"
#include "streaming/HttpAnswer.h"

#include <dshow.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace zv::net {
namespace {

constexpr DWORD kReceiveChunk = 64 * 1024;
// Reads beyond a live stream's reach that still find "its end" (HttpStream::Read).
constexpr int kEndPeeks = 8;

void SetTimeouts(HINTERNET h, const StreamLimits& limits) {
  const DWORD transfer = std::max(limits.answerTimeoutMs, limits.stallLimitMs);
  fw::SetInternetTimeouts(h, limits.answerTimeoutMs, transfer, transfer);
}

bool IsCertificateError(DWORD error) {
  switch (error) {
    case ERROR_INTERNET_INVALID_CA:
    case ERROR_INTERNET_SEC_CERT_CN_INVALID:
    case ERROR_INTERNET_SEC_CERT_DATE_INVALID:
    case ERROR_INTERNET_SEC_CERT_ERRORS:
    case ERROR_INTERNET_SEC_CERT_NO_REV:
    case ERROR_INTERNET_SEC_CERT_REV_FAILED:
    case ERROR_INTERNET_SEC_CERT_REVOKED:
    case ERROR_INTERNET_SEC_INVALID_CERT:
    case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
    case ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED:
      return true;
    default:
      return false;
  }
}

StreamFailure NetworkFailure(DWORD error) {
  StreamFailure failure;
  failure.kind = IsCertificateError(error) ? StreamFailure::Kind::kCertificate : StreamFailure::Kind::kNetwork;
  failure.code = error ? error : static_cast<DWORD>(ERROR_INTERNET_CONNECTION_ABORTED);
  return failure;
}

// The answer's header block as bytes; the server sends ASCII.
std::string RawHeaders(HINTERNET request) {
  DWORD size = 0, index = 0;
  HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, &index);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return {};
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  index = 0;
  if (!HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, text.data(), &size, &index)) return {};
  text.resize(size / sizeof(wchar_t));
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) bytes.push_back(c < 0x100 ? static_cast<char>(c) : '?');
  return bytes;
}

std::wstring RequestUrl(HINTERNET request) {
  DWORD size = 0;
  InternetQueryOptionW(request, INTERNET_OPTION_URL, nullptr, &size);
  if (size == 0) return {};
  std::wstring url(size / sizeof(wchar_t) + 1, L'\0');
  if (!InternetQueryOptionW(request, INTERNET_OPTION_URL, url.data(), &size)) return {};
  url.resize(wcsnlen(url.c_str(), url.size()));
  return url;
}

}  // namespace

StreamLimits& Limits() {
  static StreamLimits limits;
  return limits;
}

HRESULT StreamFailure::Result() const {
  switch (kind) {
    case Kind::kNone:
      return S_OK;
    case Kind::kNetwork:
    case Kind::kCertificate:
      return HRESULT_FROM_WIN32(code);
    case Kind::kStatus:
      if (code == 404 || code == 410) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
      if (code == 401 || code == 403) return E_ACCESSDENIED;
      return E_FAIL;
    case Kind::kStalled:
      return HRESULT_FROM_WIN32(ERROR_INTERNET_TIMEOUT);
    case Kind::kAborted:
      return E_ABORT;
    case Kind::kChanged:
      return E_FAIL;
  }
  return E_FAIL;
}

struct HttpStream::Connection {
  fw::InternetHandle server;
  fw::InternetHandle request;
};

HttpStream::HttpStream(const std::wstring& url)
    : url_(url),
      limits_(Limits()),
      opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      cache_(limits_.cacheBytes),
      currentUrl_(url),
      lastProgress_(GetTickCount64()) {}

HttpStream::~HttpStream() {
  if (opened_) CloseHandle(opened_);
}

std::shared_ptr<HttpStream> HttpStream::Start(const std::wstring& url) {
  std::shared_ptr<HttpStream> stream(new HttpStream(url));
  if (!stream->opened_) return nullptr;
  HINTERNET session = InternetOpenW(L"Zentravue", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) return nullptr;
  SetTimeouts(session, stream->limits_);
  stream->session_ = std::shared_ptr<void>(session, [](void* h) { InternetCloseHandle(static_cast<HINTERNET>(h)); });
  std::lock_guard<std::mutex> guard(stream->lock_);
  stream->StartConnectionLocked(0, 0);
  if (stream->failure_.kind != StreamFailure::Kind::kNone) return nullptr;
  return stream;
}

bool HttpStream::IsOpen() const {
  std::lock_guard<std::mutex> guard(lock_);
  return open_;
}

StreamInfo HttpStream::Info() const {
  std::lock_guard<std::mutex> guard(lock_);
  return info_;
}

bool HttpStream::Seekable() const {
  std::lock_guard<std::mutex> guard(lock_);
  return info_.seekable;
}

bool HttpStream::Live() const {
  std::lock_guard<std::mutex> guard(lock_);
  return info_.live;
}

StreamFailure HttpStream::Failure() const {
  std::lock_guard<std::mutex> guard(lock_);
  return failure_;
}

uint32_t HttpStream::Epoch() const {
  std::lock_guard<std::mutex> guard(lock_);
  return epoch_;
}

bool HttpStream::ReaderWaiting() const {
  std::lock_guard<std::mutex> guard(lock_);
  return wanted_.has_value();
}

ULONGLONG HttpStream::LastProgressTick() const {
  std::lock_guard<std::mutex> guard(lock_);
  return lastProgress_;
}

uint64_t HttpStream::BytesReceived() const {
  std::lock_guard<std::mutex> guard(lock_);
  return received_;
}

uint64_t HttpStream::Connections() const {
  std::lock_guard<std::mutex> guard(lock_);
  return generation_;
}

void HttpStream::Interrupt() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    ++epoch_;
  }
  changed_.notify_all();
}

void HttpStream::Abort() {
  std::vector<std::pair<uint64_t, void*>> requests;
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (aborted_) return;
    aborted_ = true;
    if (failure_.kind == StreamFailure::Kind::kNone) failure_.kind = StreamFailure::Kind::kAborted;
    requests.swap(requests_);
  }
  changed_.notify_all();
  SetEvent(opened_);
  // Cuts calls that wait on the network where WinINet allows it; where it
  // does not, their threads end when WinINet's own time-out ends the call.
  for (auto& request : requests) InternetCloseHandle(static_cast<HINTERNET>(request.second));
}

DWORD HttpStream::BackoffLocked() const { return 250u * static_cast<DWORD>(std::min(attempts_, 4)); }

void HttpStream::StartConnectionLocked(uint64_t at, DWORD delayMs) {
  const uint64_t generation = ++generation_;
  // The connection this one replaces may hang in a call: cut it.
  for (auto& request : requests_) InternetCloseHandle(static_cast<HINTERNET>(request.second));
  requests_.clear();
  position_ = at;
  connecting_ = true;
  connected_ = false;
  try {
    std::thread([self = shared_from_this(), generation, at, delayMs] { self->RunConnection(generation, at, delayMs); })
        .detach();
  } catch (...) {
    connecting_ = false;
    FailLocked(NetworkFailure(ERROR_NOT_ENOUGH_MEMORY));
  }
}

HRESULT HttpStream::Read(uint64_t offset, uint32_t size, uint8_t* out, uint32_t* got, DWORD waitMs,
                         uint32_t epoch) {
  const ULONGLONG start = GetTickCount64();
  std::unique_lock<std::mutex> lock(lock_);
  uint32_t done = 0;
  HRESULT result = S_OK;
  for (;;) {
    if (aborted_) {
      result = E_ABORT;
      break;
    }
    if (epoch != epoch_) {
      result = VFW_E_WRONG_STATE;
      break;
    }
    done += static_cast<uint32_t>(cache_.Copy(offset + done, out + done, size - done));
    readPosition_ = offset + done;
    if (done == size) break;
    const uint64_t at = offset + done;
    if (failure_.kind != StreamFailure::Kind::kNone) {
      result = failure_.Result();
      break;
    }
    if (open_) {
      DownloadState state;
      state.position = position_;
      state.connected = connected_ || connecting_;
      state.seekable = info_.seekable;
      state.live = info_.live;
      state.length = end_;
      const FetchStep step = PlanFetch(state, at, limits_.skipAheadBytes);
      if (step == FetchStep::kEnd) {
        result = S_FALSE;
        break;
      }
      if (step == FetchStep::kRefuse) {
        // A live stream's past and far future never come. Readers peek at
        // its end to tell what it is (tags, trailers) and cope with finding
        // nothing; a reader that goes on searching backwards from there
        // would search for ever, so after a few such reads they fail.
        result = ++refusals_ <= kEndPeeks ? S_FALSE : HRESULT_FROM_WIN32(ERROR_SEEK);
        break;
      }
      if (step == FetchStep::kReconnect) StartConnectionLocked(at - at % BlockCache::kBlockSize, BackoffLocked());
      if (step == FetchStep::kRestart) StartConnectionLocked(0, BackoffLocked());
    }
    wanted_ = at;
    changed_.notify_all();
    const ULONGLONG now = GetTickCount64();
    const ULONGLONG stallEnd = std::max(start, lastProgress_) + limits_.stallLimitMs;
    ULONGLONG until = stallEnd;
    if (waitMs != INFINITE) until = std::min(until, start + waitMs);
    if (now >= until) {
      if (now >= stallEnd) {
        StreamFailure stalled;
        stalled.kind = StreamFailure::Kind::kStalled;
        stalled.code = ERROR_INTERNET_TIMEOUT;
        FailLocked(stalled);
        result = failure_.Result();
      } else {
        result = VFW_E_TIMEOUT;
      }
      break;
    }
    changed_.wait_for(lock, std::chrono::milliseconds(until - now));
  }
  wanted_.reset();
  if (got) *got = done;
  lock.unlock();
  changed_.notify_all();
  return result;
}

void HttpStream::FailLocked(const StreamFailure& failure) {
  if (failure_.kind == StreamFailure::Kind::kNone) failure_ = failure;
  changed_.notify_all();
  SetEvent(opened_);
}

void HttpStream::MarkOpenedLocked() {
  if (open_) return;
  open_ = true;
  info_.head.assign(kHeadBytes, 0);
  info_.head.resize(cache_.Copy(0, info_.head.data(), kHeadBytes));
  SetEvent(opened_);
}

void HttpStream::RunConnection(uint64_t generation, uint64_t at, DWORD delayMs) {
  auto current = [this, generation] { return !aborted_ && generation == generation_; };
  if (delayMs) {
    std::unique_lock<std::mutex> lock(lock_);
    changed_.wait_for(lock, std::chrono::milliseconds(delayMs), [&] { return !current(); });
    if (!current()) return;
  }
  Connection connection;
  if (!Connect(generation, at, connection)) {
    ReleaseRequest(generation, connection);
    return;
  }
  std::vector<uint8_t> buffer(kReceiveChunk);
  for (;;) {
    {
      // The download runs ahead of the reader by the read-ahead only.
      std::unique_lock<std::mutex> lock(lock_);
      changed_.wait(lock, [&] {
        return !current() || !open_ || position_ < readPosition_ + limits_.readAheadBytes;
      });
      if (!current()) break;
    }
    HINTERNET request = connection.request.get();
    DWORD available = 0, count = 0;
    BOOL ok = InternetQueryDataAvailable(request, &available, 0, 0);
    if (ok && available > 0)
      ok = InternetReadFile(request, buffer.data(), std::min<DWORD>(available, kReceiveChunk), &count);
    std::lock_guard<std::mutex> guard(lock_);
    if (!current() || !TakeBytesLocked(generation, ok, buffer.data(), count)) break;
  }
  ReleaseRequest(generation, connection);
}

bool HttpStream::TakeBytesLocked(uint64_t generation, BOOL ok, const uint8_t* bytes, DWORD got) {
  if (ok && got > 0) {
    lastProgress_ = GetTickCount64();
    size_t count = got;
    if (!headChecked_) {
      // The first bytes of the first answer may be a radio server's header
      // lines (HttpAnswer.h): they are no part of the stream.
      head_.insert(head_.end(), bytes, bytes + count);
      const size_t skip = LeadingIcyHeaderLength(head_.data(), head_.size());
      if (skip == kNeedMoreBytes) return true;
      headChecked_ = true;
      if (skip > 0) {
        info_.live = true;
        info_.seekable = false;
        info_.length.reset();
        end_.reset();
      }
      bytes = head_.data() + skip;
      count = head_.size() - skip;
    }
    cache_.Store(position_, bytes, count);
    position_ += count;
    received_ += count;
    head_.clear();
    // Only bytes never seen before count as recovery: a server that always
    // breaks off at the same place must not be asked for ever.
    if (position_ > furthest_) {
      furthest_ = position_;
      attempts_ = 0;
    }
    if (position_ >= kHeadBytes) MarkOpenedLocked();
    changed_.notify_all();
    return true;
  }
  if (ok && (!end_ || position_ >= *end_)) {
    // The body ended where the resource ends (or an endless one stopped).
    end_ = position_;
    if (!info_.live) info_.length = position_;
    connected_ = false;
    MarkOpenedLocked();
    changed_.notify_all();
    return false;
  }
  ConnectionLostLocked(generation);
  return false;
}

void HttpStream::ConnectionLostLocked(uint64_t generation) {
  if (generation != generation_) return;
  connected_ = false;
  connecting_ = false;
  if (!open_) {
    FailLocked(NetworkFailure(ERROR_INTERNET_CONNECTION_ABORTED));
  } else if (info_.live) {
    end_ = position_;  // nothing to resume: the stream ends here
  } else if (++attempts_ > limits_.reconnectAttempts) {
    FailLocked(NetworkFailure(ERROR_INTERNET_CONNECTION_ABORTED));
  }
  // Otherwise a reader that waits for the lost bytes connects again.
  changed_.notify_all();
}

// Closes the connection's request unless Abort or a replacement closed it
// already (they take it out of the list when they do).
void HttpStream::ReleaseRequest(uint64_t generation, Connection& connection) {
  if (!connection.request) return;
  void* request = connection.request.release();
  bool mine = false;
  {
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = std::find(requests_.begin(), requests_.end(), std::make_pair(generation, request));
    if (found != requests_.end()) {
      requests_.erase(found);
      mine = true;
    }
  }
  if (mine) InternetCloseHandle(static_cast<HINTERNET>(request));
}

bool HttpStream::Connect(uint64_t generation, uint64_t at, Connection& connection) {
  std::wstring url;
  {
    std::lock_guard<std::mutex> guard(lock_);
    url = currentUrl_;
  }
  auto fail = [&](const StreamFailure& failure) {
    ReleaseRequest(generation, connection);
    std::lock_guard<std::mutex> guard(lock_);
    if (generation != generation_ || aborted_) return false;
    connecting_ = false;
    // Before the first answer and for what is not the network's doing there
    // is nothing to try again.
    ++attempts_;
    if (!open_ || failure.kind != StreamFailure::Kind::kNetwork || attempts_ > limits_.reconnectAttempts)
      FailLocked(failure);
    changed_.notify_all();
    return false;
  };
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
  parts.dwUserNameLength = parts.dwPasswordLength = 1;
  if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
    return fail(NetworkFailure(GetLastError()));
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring object(parts.lpszUrlPath, parts.dwUrlPathLength);
  object.append(parts.lpszExtraInfo ? parts.lpszExtraInfo : L"", parts.dwExtraInfoLength);
  if (object.empty()) object = L"/";
  const std::wstring user(parts.lpszUserName ? parts.lpszUserName : L"", parts.dwUserNameLength);
  const std::wstring password(parts.lpszPassword ? parts.lpszPassword : L"", parts.dwPasswordLength);

  connection.server.Reset(InternetConnectW(static_cast<HINTERNET>(session_.get()), host.c_str(), parts.nPort,
                                           user.empty() ? nullptr : user.c_str(),
                                           password.empty() ? nullptr : password.c_str(), INTERNET_SERVICE_HTTP, 0,
                                           0));
  if (!connection.server) return fail(NetworkFailure(GetLastError()));
  SetTimeouts(connection.server.get(), limits_);
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_PRAGMA_NOCACHE;
  // An untrusted certificate fails the request: nothing here ignores one.
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  HINTERNET request = HttpOpenRequestW(connection.server.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr,
                                       flags, 0);
  if (!request) return fail(NetworkFailure(GetLastError()));
  connection.request.Reset(request);
  SetTimeouts(request, limits_);
  bool registered = false;
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (!aborted_ && generation == generation_) {
      requests_.emplace_back(generation, request);
      registered = true;
    }
  }
  if (!registered) {
    connection.request.Reset(nullptr);
    return false;
  }
  const std::wstring headers = L"Range: bytes=" + std::to_wstring(at) + L"-\r\n";
  if (!HttpSendRequestW(request, headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0))
    return fail(NetworkFailure(GetLastError()));

  const HttpAnswer answer = ParseHttpAnswer(RawHeaders(request));
  const std::optional<ResourceFacts> facts = InterpretAnswer(answer, at);
  if (!facts) {
    StreamFailure failure;
    failure.kind = StreamFailure::Kind::kStatus;
    failure.code = static_cast<DWORD>(answer.status);
    failure.detail = std::to_string(answer.status);
    if (!answer.reason.empty()) failure.detail += " " + answer.reason;
    return fail(failure);
  }
  const std::wstring finalUrl = RequestUrl(request);

  std::lock_guard<std::mutex> guard(lock_);
  if (aborted_ || generation != generation_) return false;
  if (!finalUrl.empty()) currentUrl_ = finalUrl;
  if (!open_) {
    info_.length = facts->length;
    info_.seekable = facts->seekable;
    info_.live = facts->live;
    end_ = facts->length;
  } else if (facts->length != info_.length && !info_.live) {
    StreamFailure changed;
    changed.kind = StreamFailure::Kind::kChanged;
    FailLocked(changed);
    return false;
  } else if (facts->bodyStart < at && !facts->seekable) {
    info_.seekable = false;  // it ignored the range after all
  }
  position_ = facts->bodyStart;
  connecting_ = false;
  connected_ = true;
  changed_.notify_all();
  return true;
}

}  // namespace zv::net
