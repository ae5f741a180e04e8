// A server's answer header block, and the first bytes of a body that may
// hold a radio server's header lines: both are the network's input.
#include "streaming/HttpAnswer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const zv::net::HttpAnswer answer = zv::net::ParseHttpAnswer(text);
  for (uint64_t requested : {uint64_t{0}, uint64_t{65536}}) {
    if (const auto facts = zv::net::InterpretAnswer(answer, requested)) {
      if (facts->bodyStart > requested) __builtin_trap();
      if (facts->live && facts->seekable) __builtin_trap();
    }
  }
  const size_t length = zv::net::LeadingIcyHeaderLength(data, size);
  if (length != zv::net::kNeedMoreBytes && length > size) __builtin_trap();
  return 0;
}
