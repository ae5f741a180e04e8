#pragma once
// How the download gets to a byte a reader waits for.
#include <cstdint>
#include <optional>

namespace zv::net {

enum class FetchStep {
  kKeepReading,  // the running connection reaches the byte soon enough
  kReconnect,    // ask the server for the bytes from there on (byte ranges)
  kRestart,      // no ranges: fetch the resource again from its start
  kRefuse,       // the byte can never come (a live stream's past or far future)
  kEnd,          // the byte lies at or beyond the resource's end
};

struct DownloadState {
  uint64_t position = 0;  // offset of the next byte the connection delivers
  bool connected = false;
  bool seekable = false;
  bool live = false;
  std::optional<uint64_t> length;
};

// Bytes up to `skipAhead` beyond the connection's position are waited for
// rather than asked for anew (a new request costs a round trip and, on
// servers without ranges, the whole way from the start).
FetchStep PlanFetch(const DownloadState& state, uint64_t wanted, uint64_t skipAhead);

}  // namespace zv::net
