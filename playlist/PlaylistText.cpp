#include "playlist/PlaylistText.h"

namespace zv {
namespace {

std::u16string DecodeUtf16(const uint8_t* data, size_t size, bool bigEndian) {
  std::u16string text;
  text.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) {
    char16_t c = bigEndian ? static_cast<char16_t>((data[i] << 8) | data[i + 1])
                           : static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == 0) break;
    text += c;
  }
  return text;
}

void AppendCodePoint(uint32_t cp, std::u16string& out) {
  if (cp > 0xFFFF) {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    return;
  }
  out += static_cast<char16_t>(cp);
}

// A complete sequence of 2 to 4 bytes whose lead byte was valid.
uint32_t SequenceValue(const uint8_t* seq, size_t length) {
  uint32_t cp = seq[0] & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
  for (size_t i = 1; i < length; ++i) cp = (cp << 6) | (seq[i] & 0x3F);
  static const uint32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

std::u16string DecodeTolerantUtf8(const uint8_t* data, size_t size) {
  std::u16string text;
  text.reserve(size);
  uint8_t seq[4] = {};
  size_t have = 0;   // bytes of the sequence in progress; 0 when none
  size_t want = 0;
  for (size_t i = 0; i < size; ++i) {
    uint8_t b = data[i];
    if (b < 0x80) {
      have = 0;
      if (b == 0) break;
      text += static_cast<char16_t>(b);
    } else if (b <= 0xBF) {
      if (have == 0) continue;  // stray continuation byte
      seq[have++] = b;
      if (have == want) {
        AppendCodePoint(SequenceValue(seq, want), text);
        have = 0;
      }
    } else if (b >= 0xC2 && b <= 0xF4) {
      seq[0] = b;
      have = 1;
      want = b <= 0xDF ? 2 : b <= 0xEF ? 3 : 4;
    } else {
      for (size_t k = 0; k < have; ++k) text += static_cast<char16_t>(seq[k]);
      have = 0;
      text += static_cast<char16_t>(b);
    }
  }
  return text;
}

}  // namespace

std::u16string DecodePlaylistBytes(const uint8_t* data, size_t size) {
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return DecodeUtf16(data + 2, size - 2, false);
  if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) return DecodeUtf16(data + 2, size - 2, true);
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
    return DecodeTolerantUtf8(data + 3, size - 3);
  return DecodeTolerantUtf8(data, size);
}

std::vector<uint8_t> EncodeUtf16LeWithMark(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  bytes.reserve(2 + text.size() * 2);
  bytes.push_back(0xFF);
  bytes.push_back(0xFE);
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

}  // namespace zv
