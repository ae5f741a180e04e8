#pragma once
// One resource read over http or https for a filter graph. A worker thread
// downloads it with WinINet into a block cache; the graph's threads read
// from the cache and wait for what has not arrived. Nothing here makes a
// caller wait without a limit: reads give up after the stall limit, and
// Abort ends every wait at once, even while WinINet still hangs in a call
// (the worker then finishes on its own and frees what it holds).
#include "framework/WinInclude.h"
#include "streaming/BlockCache.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zv::net {

struct StreamLimits {
  // From the request to the answer's headers and first bytes.
  DWORD answerTimeoutMs = 15000;
  // No byte for this long gives the stream up (a server that went silent).
  DWORD stallLimitMs = 30000;
  // A graph build ends after this long at the latest, however it goes.
  DWORD buildLimitMs = 60000;
  size_t cacheBytes = 16u << 20;
  // How far the download runs ahead of the last read.
  uint64_t readAheadBytes = 4u << 20;
  // A read this far beyond the download's position waits for it rather than
  // asking the server anew.
  uint64_t skipAheadBytes = 1u << 20;
  // Connections lost in the middle are opened again this often in a row.
  int reconnectAttempts = 3;
};

// The limits every stream takes when it starts. Tests shorten them.
StreamLimits& Limits();

// Why a stream could not be opened or could not go on.
struct StreamFailure {
  enum class Kind { kNone, kNetwork, kStatus, kCertificate, kStalled, kAborted, kChanged };
  Kind kind = Kind::kNone;
  DWORD code = 0;       // the WinINet error (kNetwork, kCertificate) or the HTTP status
  std::string detail;   // the server's status phrase
  HRESULT Result() const;
};

// The resource as the first answer showed it.
struct StreamInfo {
  std::optional<uint64_t> length;
  bool seekable = false;
  bool live = false;
  std::vector<uint8_t> head;  // its first bytes (fewer only when it is that short)
};

class HttpStream : public std::enable_shared_from_this<HttpStream> {
 public:
  static constexpr size_t kHeadBytes = 16;

  static std::shared_ptr<HttpStream> Start(const std::wstring& url);
  ~HttpStream();
  HttpStream(const HttpStream&) = delete;
  HttpStream& operator=(const HttpStream&) = delete;

  // Set once the first answer and the first bytes are in, or the stream failed.
  HANDLE OpenedEvent() const { return opened_; }
  bool IsOpen() const;
  StreamInfo Info() const;
  bool Seekable() const;
  bool Live() const;
  StreamFailure Failure() const;

  // Copies `size` bytes at `offset`. S_OK when all are there; S_FALSE with
  // fewer at the resource's end; VFW_E_TIMEOUT when `waitMs` passed first
  // (INFINITE: only the stall limit ends the wait); VFW_E_WRONG_STATE when
  // Interrupt was called after `epoch` was read; E_ABORT after Abort; an
  // error when the bytes cannot come.
  HRESULT Read(uint64_t offset, uint32_t size, uint8_t* out, uint32_t* got, DWORD waitMs, uint32_t epoch);
  uint32_t Epoch() const;
  // Ends the reads that are waiting now (a flush) without harming the stream.
  void Interrupt();
  // Ends the stream: every read from now on fails at once.
  void Abort();

  // True while a reader waits for bytes that have not come.
  bool ReaderWaiting() const;

  // For the graph build's progress-based limit and the benches.
  ULONGLONG LastProgressTick() const;
  uint64_t BytesReceived() const;
  // Requests made so far (the first one and every reconnection).
  uint64_t Connections() const;

 private:
  explicit HttpStream(const std::wstring& url);
  struct Connection;

  // Each connection has a thread of its own, so that a connection that hangs
  // in WinINet never holds up the next one: a reader that needs bytes from
  // elsewhere replaces it, and only the newest connection's bytes count.
  void StartConnectionLocked(uint64_t at, DWORD delayMs);
  void RunConnection(uint64_t generation, uint64_t at, DWORD delayMs);
  bool Connect(uint64_t generation, uint64_t at, Connection& connection);
  // Stores what a read of the connection gave; false when it is over.
  bool TakeBytesLocked(uint64_t generation, BOOL ok, const uint8_t* bytes, DWORD count);
  void ConnectionLostLocked(uint64_t generation);
  void ReleaseRequest(uint64_t generation, Connection& connection);
  void FailLocked(const StreamFailure& failure);
  void MarkOpenedLocked();
  DWORD BackoffLocked() const;

  const std::wstring url_;
  StreamLimits limits_;
  HANDLE opened_;
  std::shared_ptr<void> session_;  // WinINet session, shared by the connections

  mutable std::mutex lock_;
  std::condition_variable changed_;
  BlockCache cache_;
  StreamInfo info_;
  bool open_ = false;
  std::optional<uint64_t> end_;  // where reads meet the resource's end, once known
  StreamFailure failure_;
  bool aborted_ = false;
  uint32_t epoch_ = 0;
  std::wstring currentUrl_;                 // after redirects
  uint64_t generation_ = 0;                 // the connection whose bytes count
  std::vector<std::pair<uint64_t, void*>> requests_;  // open requests, to cut them
  std::vector<uint8_t> head_;               // the first answer's first bytes, until checked
  bool headChecked_ = false;
  int refusals_ = 0;                        // reads refused so far
  uint64_t position_ = 0;                   // offset of the next byte the connection delivers
  bool connecting_ = false;
  bool connected_ = false;
  int attempts_ = 0;                        // connection losses in a row
  uint64_t furthest_ = 0;                   // the furthest the download ever got
  uint64_t readPosition_ = 0;               // where the last read ended
  std::optional<uint64_t> wanted_;
  ULONGLONG lastProgress_ = 0;
  uint64_t received_ = 0;
};

}  // namespace zv::net
