#include "streaming/StreamAddress.h"

namespace zv::net {
namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::u16string AddressScheme(std::u16string_view name) {
  const size_t separator = name.find(u"://");
  if (separator == std::u16string_view::npos || separator == 0) return {};
  if (!IsAsciiLetter(name[0])) return {};
  std::u16string scheme;
  scheme.reserve(separator);
  for (size_t i = 0; i < separator; ++i) {
    const char16_t c = name[i];
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'+' && c != u'-' && c != u'.') return {};
    scheme.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c);
  }
  return scheme;
}

bool IsHttpScheme(std::u16string_view scheme) { return scheme == u"http" || scheme == u"https"; }

}  // namespace zv::net
