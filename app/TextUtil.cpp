#include "app/TextUtil.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zv {

bool IsSpace(char16_t c) {
  if (c >= 0x09 && c <= 0x0D) return true;
  switch (c) {
    case 0x20: case 0x85: case 0xA0: case 0x1680: case 0x2028: case 0x2029:
    case 0x202F: case 0x205F: case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

std::u16string Trim(const std::u16string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::u16string AsciiLower(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return text;
}

char16_t FoldCase(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return static_cast<char16_t>(c + 32);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 32);
  if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 80);
  return c;
}

std::u16string FoldCase(std::u16string text) {
  for (char16_t& c : text) c = FoldCase(c);
  return text;
}

bool EqualsNoCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

int32_t ReadInt(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<int32_t>(-value);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

std::optional<double> ReadDecimal(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  std::string ascii;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') ascii += '-';
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'0' && c <= u'9') {
      digits = true;
      ascii += static_cast<char>(c);
    } else if (c == u'.' && !point) {
      point = true;
      ascii += '.';
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0;
  auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value,
                                std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) {
    // Either too large (saturate) or a fraction too small to represent.
    bool negative = ascii[0] == '-';
    bool tiny = ascii.find_first_of("123456789") > ascii.find('.');
    double magnitude = tiny ? 0.0 : std::numeric_limits<double>::max();
    return negative ? -magnitude : magnitude;
  }
  if (result.ec != std::errc()) return std::nullopt;
  return value;
}

int32_t TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::u16string Widen(const char* ascii) {
  std::u16string text;
  for (; *ascii; ++ascii) text += static_cast<char16_t>(static_cast<unsigned char>(*ascii));
  return text;
}

}  // namespace zv
