#include "app/RegistryAccess.h"

namespace zv {

std::optional<uint32_t> DecodeDword(const RegValue& value) {
  if (value.type != RegType::Dword || value.data.size() != 4) return std::nullopt;
  return uint32_t{value.data[0]} | uint32_t{value.data[1]} << 8 | uint32_t{value.data[2]} << 16 |
         uint32_t{value.data[3]} << 24;
}

std::optional<std::u16string> DecodeString(const RegValue& value, size_t maxChars) {
  if (value.type != RegType::Sz && value.type != RegType::ExpandSz) return std::nullopt;
  const std::vector<uint8_t>& bytes = value.data;
  if (bytes.size() % 2 != 0 || bytes.size() < 2) return std::nullopt;
  size_t chars = bytes.size() / 2;
  if (chars > maxChars) return std::nullopt;
  if (bytes[bytes.size() - 2] != 0 || bytes[bytes.size() - 1] != 0) return std::nullopt;
  std::u16string text;
  for (size_t i = 0; i + 1 < chars; ++i) {
    char16_t c = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    if (c == 0) break;
    text += c;
  }
  return text;
}

RegValue EncodeString(const std::u16string& text) {
  RegValue value;
  value.type = RegType::Sz;
  for (char16_t c : text) {
    value.data.push_back(static_cast<uint8_t>(c & 0xFF));
    value.data.push_back(static_cast<uint8_t>(c >> 8));
  }
  value.data.push_back(0);
  value.data.push_back(0);
  return value;
}

RegValue EncodeDword(uint32_t data) {
  RegValue value;
  value.type = RegType::Dword;
  for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<uint8_t>(data >> shift));
  return value;
}

std::u16string ProductKeyPath(const std::u16string& suffix) {
  return u"Software\\Ostrel-Software\\Zentra-Vue" + suffix;
}

}  // namespace zv
