#pragma once
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zv {

// Fast searches over UTF-16 text, four characters per step: documents and
// playlists are long runs of text between a few markup characters, and
// these searches are where reading them spends its time.
namespace scan_detail {

constexpr uint64_t kLow = 0x0001000100010001ull;
constexpr uint64_t kHigh = 0x8000800080008000ull;

inline uint64_t Load4(const char16_t* p) {
  uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Non-zero when one of the four characters may be a hit; candidates are
// then checked one by one with match.
template <typename Candidate, typename Match>
size_t Find(std::u16string_view text, size_t from, Candidate candidate, Match match) {
  const size_t n = text.size();
  const char16_t* p = text.data();
  size_t i = from;
  for (; i + 4 <= n; i += 4) {
    if (candidate(Load4(p + i)) == 0) continue;
    for (size_t k = i; k < i + 4; ++k)
      if (match(p[k])) return k;
  }
  for (; i < n; ++i)
    if (match(p[i])) return i;
  return std::u16string_view::npos;
}

}  // namespace scan_detail

// Position of the first c at or after from; npos when there is none.
inline size_t FindChar16(std::u16string_view text, char16_t c, size_t from) {
  using namespace scan_detail;
  const uint64_t pattern = kLow * c;
  return Find(
      text, from,
      [pattern](uint64_t word) {
        const uint64_t x = word ^ pattern;  // a lane holding c becomes zero
        return (x - kLow) & ~x & kHigh;
      },
      [c](char16_t ch) { return ch == c; });
}

// Position of the first CR or LF at or after from; npos when there is none.
inline size_t FindLineBreak(std::u16string_view text, size_t from) {
  using namespace scan_detail;
  return Find(
      text, from,
      [](uint64_t word) {
        // Lanes below 0x0E (both break characters are).
        const uint64_t small = (word | kHigh) - 0x000E000E000E000Eull;
        return ~small & kHigh & ~word;
      },
      [](char16_t ch) { return ch == u'\r' || ch == u'\n'; });
}

}  // namespace zv
