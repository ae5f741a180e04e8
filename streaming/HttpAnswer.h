#pragma once
// What a server's answer to a byte request says about the resource. The
// header block is the server's own text (status line, then "Name: value"
// lines), so everything in it is untrusted input.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv::net {

struct HttpAnswer {
  int status = 0;      // 0 when the status line was not understood
  std::string reason;  // the status line's phrase ("Not Found")
  std::optional<uint64_t> contentLength;
  bool chunked = false;
  bool rangesAccepted = false;  // Accept-Ranges: bytes
  // Content-Range: bytes first-last/total ("*" leaves the total unknown).
  bool hasContentRange = false;
  uint64_t rangeFirst = 0;
  uint64_t rangeLast = 0;
  std::optional<uint64_t> rangeTotal;
  bool icy = false;  // an "ICY" status line or any icy-* header: a radio stream
};

// Reads the header block; unknown and malformed lines are skipped, and a
// header whose value cannot be trusted (two different lengths, a range
// whose end lies before its start) counts as absent.
HttpAnswer ParseHttpAnswer(std::string_view headers);

// The resource as one answer shows it.
struct ResourceFacts {
  uint64_t bodyStart = 0;           // offset of the first body byte in the resource
  std::optional<uint64_t> length;   // the resource's whole length, when told
  bool seekable = false;            // other byte ranges can be asked for
  bool live = false;                // endless or of unknown length: no seeking, no duration
};

// The facts of an answer to a request for the bytes from `requested` on;
// empty when the answer is no success (4xx, 5xx, a 206 without a usable
// range, or a range that does not start at or before the request).
std::optional<ResourceFacts> InterpretAnswer(const HttpAnswer& answer, uint64_t requested);

// Radio servers that answer "ICY 200 OK" instead of "HTTP/1.x 200 OK" are
// handed over by some HTTP clients (Wine's WinINet) as a body that begins
// with the answer's header lines. The length of such a header block through
// its empty line; 0 when the bytes do not begin with one; kNeedMoreBytes
// when more bytes could still complete it.
constexpr size_t kNeedMoreBytes = static_cast<size_t>(-1);
constexpr size_t kMaxIcyHeaderBytes = 8192;
size_t LeadingIcyHeaderLength(const uint8_t* data, size_t size);

}  // namespace zv::net
