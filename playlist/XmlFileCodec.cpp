#include "playlist/XmlFileCodec.h"

namespace zv {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Windows-1252 from 0x80 to 0x9F; the five unassigned bytes map to the C1
// controls of the same value, as the system does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class Windows1252 : public XmlCodePage {
 public:
  std::u16string Name() const override { return u"windows-1252"; }
  std::u16string Decode(std::string_view bytes, size_t& lost) const override {
    lost = 0;
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
      const auto c = static_cast<uint8_t>(b);
      out += c >= 0x80 && c <= 0x9F ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
    }
    return out;
  }
  std::string Encode(std::u16string_view text, size_t& lost) const override {
    lost = 0;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      int byte = -1;
      if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = c;
      } else {
        for (int k = 0; k < 32; ++k)
          if (kCp1252High[k] == c) byte = 0x80 + k;
      }
      if (byte < 0) {
        ++lost;
        byte = '?';
        // A pair is one character.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
          ++i;
      }
      out += static_cast<char>(byte);
    }
    return out;
  }
};

void AppendCodePoint(std::u16string& out, uint32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Length of the valid UTF-8 sequence at i, 0 when the bytes there are not one.
size_t Utf8SequenceAt(const uint8_t* p, size_t n, size_t i, uint32_t& cp) {
  const uint8_t b = p[i];
  if (b < 0x80) {
    cp = b;
    return 1;
  }
  size_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // bounds of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    cp = b & 0x0F;
    if (b == 0xE0) low = 0xA0;   // no overlong forms
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    cp = b & 0x07;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > n) return 0;
  for (size_t k = 1; k < length; ++k) {
    const uint8_t c = p[i + k];
    if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  return length;
}

// Offset of the first byte that is not valid UTF-8; npos when all are.
size_t FirstInvalidUtf8(const uint8_t* p, size_t n) {
  uint32_t cp = 0;
  for (size_t i = 0; i < n;) {
    const size_t length = Utf8SequenceAt(p, n, i, cp);
    if (length == 0) return i;
    i += length;
  }
  return std::u16string::npos;
}

std::u16string DecodeUtf8(const uint8_t* p, size_t n, size_t& lost) {
  std::u16string out;
  out.reserve(n);
  uint32_t cp = 0;
  for (size_t i = 0; i < n;) {
    const size_t length = Utf8SequenceAt(p, n, i, cp);
    if (length > 0) {
      AppendCodePoint(out, cp);
      i += length;
      continue;
    }
    // One replacement for the lead byte and the continuation bytes after it.
    ++lost;
    out += kReplacement;
    ++i;
    while (i < n && (p[i] & 0xC0) == 0x80) ++i;
  }
  return out;
}

std::u16string DecodeUtf16(const uint8_t* p, size_t n, bool bigEndian, size_t& lost) {
  std::u16string out;
  out.reserve(n / 2 + 1);
  for (size_t i = 0; i + 1 < n; i += 2)
    out += static_cast<char16_t>(bigEndian ? (p[i] << 8) | p[i + 1] : p[i] | (p[i + 1] << 8));
  if (n % 2 != 0) {
    ++lost;
    out += kReplacement;
  }
  return out;
}

std::u16string DecodeUtf32(const uint8_t* p, size_t n, bool bigEndian, size_t& lost) {
  std::u16string out;
  out.reserve(n / 4 + 1);
  for (size_t i = 0; i + 3 < n; i += 4) {
    const uint32_t cp = bigEndian ? (uint32_t{p[i]} << 24) | (uint32_t{p[i + 1]} << 16) | (uint32_t{p[i + 2]} << 8) | p[i + 3]
                                  : p[i] | (uint32_t{p[i + 1]} << 8) | (uint32_t{p[i + 2]} << 16) | (uint32_t{p[i + 3]} << 24);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      ++lost;
      out += kReplacement;
    } else {
      AppendCodePoint(out, cp);
    }
  }
  if (n % 4 != 0) {
    ++lost;
    out += kReplacement;
  }
  return out;
}

// The code point at text[i] and the units it takes; a lone surrogate is
// U+FFFD and counted as lost.
uint32_t CodePointAt(std::u16string_view text, size_t& i, size_t& lost) {
  const char16_t c = text[i++];
  if (c < 0xD800 || c > 0xDFFF) return c;
  if (c <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
    return 0x10000 + ((static_cast<uint32_t>(c) - 0xD800) << 10) + (text[i++] - 0xDC00);
  ++lost;
  return kReplacement;
}

void PutUnit(std::vector<uint8_t>& out, uint32_t value, int bytes, bool bigEndian) {
  for (int k = 0; k < bytes; ++k) {
    const int shift = 8 * (bigEndian ? bytes - 1 - k : k);
    out.push_back(static_cast<uint8_t>(value >> shift));
  }
}

bool IsBigEndian(XmlFileEncoding e) { return e == XmlFileEncoding::Utf16Be || e == XmlFileEncoding::Utf32Be; }

// Without a byte-order mark: the zero bytes around a leading "<".
bool StartsWith(const std::vector<uint8_t>& b, std::initializer_list<uint8_t> prefix) {
  if (b.size() < prefix.size()) return false;
  size_t i = 0;
  for (uint8_t x : prefix)
    if (b[i++] != x) return false;
  return true;
}

}  // namespace

const XmlCodePage& Windows1252CodePage() {
  static const Windows1252 page;
  return page;
}

std::u16string XmlEncodingLabel(XmlFileEncoding encoding, const XmlCodePage& ansi) {
  switch (encoding) {
    case XmlFileEncoding::Utf8: return u"UTF-8";
    case XmlFileEncoding::Utf16Le: return u"UTF-16LE";
    case XmlFileEncoding::Utf16Be: return u"UTF-16BE";
    case XmlFileEncoding::Utf32Le: return u"UTF-32LE";
    case XmlFileEncoding::Utf32Be: return u"UTF-32BE";
    case XmlFileEncoding::Ansi: break;
  }
  return ansi.Name();
}

XmlFileEncoding XmlEncodingFromName(std::u16string_view name) {
  std::u16string key;
  for (char16_t c : name) {
    if (c == u'-' || c == u'_' || c == u' ') continue;
    key += (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  }
  if (key.empty() || key == u"utf8") return XmlFileEncoding::Utf8;
  if (key == u"utf16" || key == u"utf16le" || key == u"ucs2" || key == u"unicode") return XmlFileEncoding::Utf16Le;
  if (key == u"utf16be" || key == u"unicodefffe") return XmlFileEncoding::Utf16Be;
  if (key == u"utf32" || key == u"utf32le" || key == u"ucs4") return XmlFileEncoding::Utf32Le;
  if (key == u"utf32be") return XmlFileEncoding::Utf32Be;
  return XmlFileEncoding::Ansi;
}

std::u16string DecodeXmlFileBytes(const std::vector<uint8_t>& bytes, const XmlCodePage& ansi, XmlResultLog& log,
                                  XmlFileEncoding* found) {
  XmlFileEncoding encoding = XmlFileEncoding::Utf8;
  size_t skip = 0;
  if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
    skip = 3;
  } else if (StartsWith(bytes, {0xFF, 0xFE, 0, 0})) {
    encoding = XmlFileEncoding::Utf32Le;
    skip = 4;
  } else if (StartsWith(bytes, {0, 0, 0xFE, 0xFF})) {
    encoding = XmlFileEncoding::Utf32Be;
    skip = 4;
  } else if (StartsWith(bytes, {0xFF, 0xFE})) {
    encoding = XmlFileEncoding::Utf16Le;
    skip = 2;
  } else if (StartsWith(bytes, {0xFE, 0xFF})) {
    encoding = XmlFileEncoding::Utf16Be;
    skip = 2;
  } else if (StartsWith(bytes, {'<', 0, 0, 0})) {
    encoding = XmlFileEncoding::Utf32Le;
  } else if (StartsWith(bytes, {0, 0, 0, '<'})) {
    encoding = XmlFileEncoding::Utf32Be;
  } else if (StartsWith(bytes, {'<', 0})) {
    encoding = XmlFileEncoding::Utf16Le;
  } else if (StartsWith(bytes, {0, '<'})) {
    encoding = XmlFileEncoding::Utf16Be;
  } else {
    const size_t invalid = FirstInvalidUtf8(bytes.data(), bytes.size());
    if (invalid != std::u16string::npos) encoding = XmlFileEncoding::Ansi;
    if (invalid == std::u16string::npos)
      log.Add(u"utf8_detection", {{u"encoding", u"UTF-8"}});
    else
      log.Add(u"utf8_detection", {{u"encoding", ansi.Name()}, {u"offset", static_cast<int64_t>(invalid)}});
  }

  const uint8_t* p = bytes.data() + skip;
  const size_t n = bytes.size() - skip;
  const std::u16string label = XmlEncodingLabel(encoding, ansi);
  size_t lost = 0;
  std::u16string text;
  switch (encoding) {
    case XmlFileEncoding::Utf8: text = DecodeUtf8(p, n, lost); break;
    case XmlFileEncoding::Utf16Le:
    case XmlFileEncoding::Utf16Be: text = DecodeUtf16(p, n, IsBigEndian(encoding), lost); break;
    case XmlFileEncoding::Utf32Le:
    case XmlFileEncoding::Utf32Be: text = DecodeUtf32(p, n, IsBigEndian(encoding), lost); break;
    case XmlFileEncoding::Ansi:
      text = ansi.Decode(std::string_view(reinterpret_cast<const char*>(p), n), lost);
      break;
  }
  if (IsBigEndian(encoding)) log.Add(u"endian_swap", {{u"encoding", label}});
  if (encoding != XmlFileEncoding::Utf16Le)
    log.Add(u"converted_from", {{u"encoding", label}, {u"length", static_cast<int64_t>(n)}});
  if (lost > 0) log.Add(u"conversion_loss", {{u"encoding", label}, {u"count", static_cast<int64_t>(lost)}});

  size_t nulls = 0;
  size_t kept = 0;
  for (char16_t c : text) {
    if (c == 0) {
      ++nulls;
      continue;
    }
    text[kept++] = c;
  }
  text.resize(kept);
  if (nulls > 0) log.Add(u"nulls_removed", {{u"count", static_cast<int64_t>(nulls)}});
  if (found) *found = encoding;
  return text;
}

std::vector<uint8_t> EncodeXmlFileText(std::u16string_view text, XmlFileEncoding encoding, const XmlCodePage& ansi,
                                       XmlResultLog& log) {
  std::vector<uint8_t> out;
  size_t lost = 0;
  const bool big = IsBigEndian(encoding);
  switch (encoding) {
    case XmlFileEncoding::Utf8:
      out.reserve(text.size() + text.size() / 2);
      for (size_t i = 0; i < text.size();) {
        const uint32_t cp = CodePointAt(text, i, lost);
        if (cp < 0x80) {
          out.push_back(static_cast<uint8_t>(cp));
        } else if (cp < 0x800) {
          out.push_back(static_cast<uint8_t>(0xC0 | (cp >> 6)));
          out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
          out.push_back(static_cast<uint8_t>(0xE0 | (cp >> 12)));
          out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
          out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
        } else {
          out.push_back(static_cast<uint8_t>(0xF0 | (cp >> 18)));
          out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
          out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
          out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
        }
      }
      break;
    case XmlFileEncoding::Utf16Le:
    case XmlFileEncoding::Utf16Be:
      // UTF-16 holds every unit of the text, lone surrogates too.
      out.reserve(2 * text.size() + 2);
      PutUnit(out, 0xFEFF, 2, big);
      for (char16_t c : text) PutUnit(out, c, 2, big);
      break;
    case XmlFileEncoding::Utf32Le:
    case XmlFileEncoding::Utf32Be:
      out.reserve(4 * text.size() + 4);
      PutUnit(out, 0xFEFF, 4, big);
      for (size_t i = 0; i < text.size();) PutUnit(out, CodePointAt(text, i, lost), 4, big);
      break;
    case XmlFileEncoding::Ansi: {
      const std::string bytes = ansi.Encode(text, lost);
      out.assign(bytes.begin(), bytes.end());
      break;
    }
  }
  const std::u16string label = XmlEncodingLabel(encoding, ansi);
  if (big) log.Add(u"endian_swap", {{u"encoding", label}});
  if (encoding != XmlFileEncoding::Utf16Le)
    log.Add(u"converted_to", {{u"encoding", label}, {u"length", static_cast<int64_t>(out.size())}});
  if (lost > 0) log.Add(u"conversion_loss", {{u"encoding", label}, {u"count", static_cast<int64_t>(lost)}});
  return out;
}

}  // namespace zv
