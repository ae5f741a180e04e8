#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Text of a playlist file from its bytes: FF FE is UTF-16 LE, FE FF UTF-16
// BE (an odd last byte is dropped), EF BB BF a skipped UTF-8 mark; anything
// else is read as UTF-8 that falls back to ISO 8859-1 for bytes that can not
// start a sequence (C0, C1, F5..FF), drops stray continuation bytes and
// abandons a sequence that an ASCII or lead byte interrupts. A complete
// sequence that encodes no character (overlong, surrogate, above U+10FFFF)
// gives U+FFFD. The text ends at the first zero character, as the file's
// text always ended at its terminating zero.
std::u16string DecodePlaylistBytes(const uint8_t* data, size_t size);
inline std::u16string DecodePlaylistBytes(const std::vector<uint8_t>& bytes) {
  return DecodePlaylistBytes(bytes.data(), bytes.size());
}

// The bytes of a Unicode text file: FF FE, then the text as UTF-16 LE.
std::vector<uint8_t> EncodeUtf16LeWithMark(std::u16string_view text);

}  // namespace zv
