#include "playlist/XmlEscape.h"

#include "playlist/TextScan.h"

namespace zv {
namespace {

bool IsAsciiAlpha(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(char16_t c) {
  return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
int HexValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return c - u'A' + 10;
}

// Length of a well-formed reference at text[0] == '&' (including ';'), or 0.
size_t ReferenceLength(std::u16string_view text) {
  size_t i = 1;
  if (i < text.size() && text[i] == u'#') {
    ++i;
    bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
    if (hex) ++i;
    size_t digitsFrom = i;
    while (i < text.size() && (hex ? IsHexDigit(text[i]) : IsDigit(text[i]))) ++i;
    if (i == digitsFrom) return 0;
  } else {
    if (i >= text.size() || !(IsAsciiAlpha(text[i]) || text[i] == u'_')) return 0;
    while (i < text.size() && (IsAsciiAlpha(text[i]) || IsDigit(text[i]) || text[i] == u'_' ||
                               text[i] == u'-' || text[i] == u'.'))
      ++i;
  }
  if (i >= text.size() || text[i] != u';') return 0;
  return i + 1;
}

// Appends the character of a numeric reference body ("#65", "#x1F600");
// false when the value is not a character a document may carry.
bool AppendNumericReference(std::u16string_view body, std::u16string& out) {
  bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
  size_t i = hex ? 2 : 1;
  unsigned long value = 0;
  for (; i < body.size(); ++i) {
    value = value * (hex ? 16 : 10) + static_cast<unsigned long>(hex ? HexValue(body[i]) : body[i] - u'0');
    if (value > 0x10FFFF) return false;
  }
  if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return false;
  if (value > 0xFFFF) {
    value -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (value >> 10));
    out += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
    return true;
  }
  out += static_cast<char16_t>(value);
  return true;
}

char16_t PredefinedEntity(std::u16string_view name) {
  if (name == u"amp") return u'&';
  if (name == u"lt") return u'<';
  if (name == u"gt") return u'>';
  if (name == u"quot") return u'"';
  if (name == u"apos") return u'\'';
  return 0;
}

}  // namespace

std::u16string EscapeMarkup(std::u16string_view text, unsigned flags) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 8);
  const bool attribute = (flags & kXmlEscapeAttribute) != 0;
  const bool keepReferences = (flags & kXmlEscapeKeepReferences) != 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    switch (c) {
      case u'&':
        if (keepReferences && ReferenceLength(text.substr(i)) != 0) {
          out += c;
        } else {
          out += u"&amp;";
        }
        break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += attribute ? std::u16string_view(u"&quot;") : std::u16string_view(u"\""); break;
      case u'\'': out += attribute ? std::u16string_view(u"&apos;") : std::u16string_view(u"'"); break;
      default: out += c; break;
    }
  }
  return out;
}

std::u16string WrapInCData(std::u16string_view text) {
  std::u16string out = u"<![CDATA[";
  size_t from = 0;
  for (;;) {
    size_t end = text.find(u"]]>", from);
    if (end == std::u16string_view::npos) break;
    out.append(text.substr(from, end - from));
    out += u"]]]]><![CDATA[>";
    from = end + 3;
  }
  out.append(text.substr(from));
  out += u"]]>";
  return out;
}

std::u16string UnescapeMarkup(std::u16string_view text, bool htmlEntities) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    size_t amp = FindChar16(text, u'&', i);
    if (amp == std::u16string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    size_t length = ReferenceLength(text.substr(amp));
    if (length == 0) {
      out += u'&';
      i = amp + 1;
      continue;
    }
    std::u16string_view body = text.substr(amp + 1, length - 2);
    bool resolved = false;
    if (body[0] == u'#') {
      resolved = AppendNumericReference(body, out);
    } else if (char16_t c = PredefinedEntity(body)) {
      out += c;
      resolved = true;
    } else if (htmlEntities) {
      if (char16_t h = HtmlEntityCharacter(body)) {
        out += h;
        resolved = true;
      }
    }
    if (!resolved) out.append(text.substr(amp, length));
    i = amp + length;
  }
  return out;
}

}  // namespace zv
