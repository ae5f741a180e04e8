#include "media/MediaText.h"

namespace zv {
namespace {

std::u16string Hex8(uint32_t value) {
  static const char16_t digits[] = u"0123456789abcdef";
  std::u16string text(8, u'0');
  for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = digits[value & 0xF];
  return text;
}

}  // namespace

std::u16string RotItemName(uint64_t graphAddress, uint32_t processId) {
  return u"FilterGraph " + Hex8(static_cast<uint32_t>(graphAddress)) + u" pid " + Hex8(processId);
}

const char16_t* AspectRatioModeName(int32_t mode) {
  switch (mode) {
    case 0:
      return u"AM_ARMODE_STRETCHED";
    case 1:
      return u"AM_ARMODE_LETTER_BOX";
    case 2:
      return u"AM_ARMODE_CROP";
    case 3:
      return u"AM_ARMODE_STRETCHED_AS_PRIMARY";
    default:
      return u"unknown";
  }
}

std::u16string FillTwoPlaceholders(const std::u16string& message, const std::u16string& first,
                                   const std::u16string& second) {
  std::u16string out;
  out.reserve(message.size() + first.size() + second.size());
  int filled = 0;
  for (size_t i = 0; i < message.size(); ++i) {
    if (filled < 2 && message[i] == u'%' && i + 1 < message.size() && message[i + 1] == u's') {
      out += filled == 0 ? first : second;
      ++filled;
      ++i;
      continue;
    }
    out += message[i];
  }
  return out;
}

}  // namespace zv
