#include "lang/TextDecoding.h"

#include <cstdint>

namespace zv {

namespace {

bool IsContinuation(uint8_t b) { return b >= 0x80 && b <= 0xBF; }

// Length of the sequence a lead byte starts; 0 for a byte that starts nothing.
size_t SequenceLength(uint8_t b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

void AppendCodePoint(std::u16string& out, uint32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
    return;
  }
  cp -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (cp >> 10));
  out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
}

// A complete sequence; overlong forms, surrogates and values beyond U+10FFFF
// are not characters.
uint32_t DecodeSequence(const uint8_t* s, size_t length) {
  uint32_t cp = 0;
  if (length == 2) cp = (s[0] & 0x1Fu) << 6 | (s[1] & 0x3Fu);
  if (length == 3) cp = (s[0] & 0x0Fu) << 12 | (s[1] & 0x3Fu) << 6 | (s[2] & 0x3Fu);
  if (length == 4)
    cp = (s[0] & 0x07u) << 18 | (s[1] & 0x3Fu) << 12 | (s[2] & 0x3Fu) << 6 | (s[3] & 0x3Fu);
  static const uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

std::u16string DecodeUtf8(const uint8_t* data, size_t size) {
  std::u16string out;
  out.reserve(size);
  size_t i = 0;
  while (i < size) {
    uint8_t lead = data[i];
    size_t length = SequenceLength(lead);
    if (length <= 1) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    size_t have = 1;
    while (have < length && i + have < size && IsContinuation(data[i + have])) ++have;
    if (have == length) {
      AppendCodePoint(out, DecodeSequence(data + i, length));
    } else {
      for (size_t k = 0; k < have; ++k) out += static_cast<char16_t>(data[i + k]);
    }
    i += have;
  }
  return out;
}

std::u16string DecodeUtf16(const uint8_t* data, size_t size, bool bigEndian) {
  std::u16string out;
  out.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) {
    uint16_t first = data[i];
    uint16_t second = data[i + 1];
    out += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return out;
}

}  // namespace

std::u16string DecodeLanguageText(std::string_view bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t size = bytes.size();
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return DecodeUtf16(data + 2, size - 2, false);
  if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) return DecodeUtf16(data + 2, size - 2, true);
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
    return DecodeUtf8(data + 3, size - 3);
  return DecodeUtf8(data, size);
}

std::u16string WidenBytes(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) out += static_cast<char16_t>(static_cast<unsigned char>(c));
  return out;
}

}  // namespace zv
