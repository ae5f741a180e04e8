#include "system/UpdateProtocol.h"

#include "lang/TextDecoding.h"

namespace zv {

namespace {

constexpr char16_t kBeta = u'\u03B2';

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A byte that marks binary data in a text line (tab is allowed).
bool IsControlByte(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

std::u16string TrimBlanks(std::u16string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] <= u' ') ++first;
  while (last > first && text[last - 1] <= u' ') --last;
  return std::u16string(text.substr(first, last - first));
}

// Splits into lines ended by "\n" (a "\r" before it is dropped). The last
// piece counts as a line only when the body is complete.
std::vector<std::string_view> SplitLines(std::string_view body, bool complete) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < body.size()) {
    const size_t end = body.find('\n', start);
    if (end == std::string_view::npos) {
      if (complete) lines.push_back(body.substr(start));
      break;
    }
    std::string_view line = body.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// A version-information line, or nothing when it is too long or binary.
std::optional<std::u16string> VersionInfoLine(std::string_view line) {
  if (line.size() > kMaxVersionInfoLine) return std::nullopt;
  for (unsigned char c : line)
    if (IsControlByte(c)) return std::nullopt;
  return TrimBlanks(DecodeLanguageText(line));
}

std::u16string HistoryText(std::string_view line) {
  std::u16string decoded = DecodeLanguageText(line);
  std::u16string text;
  text.reserve(decoded.size() < kMaxHistoryText ? decoded.size() : kMaxHistoryText);
  for (char16_t c : decoded) {
    if (text.size() == kMaxHistoryText) break;
    if ((c < 0x20 && c != u'\t') || c == 0x7F || c == 0xFEFF) continue;
    text.push_back(c == u'\t' ? u' ' : c);
  }
  return text;
}

}  // namespace

std::u16string UpdateVersionText(const std::u16string& productVersion) {
  std::u16string text;
  text.reserve(productVersion.size() + 1);
  for (char16_t c : productVersion) {
    if (c == u' ') continue;
    text.push_back(c == u',' ? u'.' : c);
  }
  text.push_back(kBeta);
  return text;
}

std::u16string VersionDigits(const std::u16string& versionText) {
  std::u16string digits;
  for (char16_t c : versionText) {
    if (c == u'.') continue;
    if (!IsDigit(c)) break;
    if (digits.empty() && c == u'0') continue;
    digits.push_back(c);
  }
  return digits;
}

bool IsNewerVersion(const std::u16string& candidate, const std::u16string& running) {
  const std::u16string a = VersionDigits(candidate);
  const std::u16string b = VersionDigits(running);
  if (a.size() != b.size()) return a.size() > b.size();
  return a > b;
}

VersionInfo ParseVersionInfo(std::string_view body, bool complete) {
  VersionInfo info;
  const std::vector<std::string_view> lines = SplitLines(body, complete);
  if (!lines.empty()) {
    std::optional<std::u16string> first = VersionInfoLine(lines[0]);
    if (first && !first->empty() && IsDigit((*first)[0])) info.newestVersion = std::move(first);
  }
  if (lines.size() > 1) {
    std::optional<std::u16string> second = VersionInfoLine(lines[1]);
    if (second && IsPlainObjectName(*second)) info.downloadObject = std::move(second);
  }
  return info;
}

bool IsPlainObjectName(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxObjectName) return false;
  if (name[0] == u'/') return false;
  for (char16_t c : name)
    if (c <= u' ' || c > u'~' || c == u'\\') return false;
  if (name.find(u"://") != std::u16string_view::npos) return false;
  if (name.find(u"..") != std::u16string_view::npos) return false;
  return true;
}

std::vector<HistoryRow> ParseHistory(std::string_view body) {
  if (body.size() > kMaxHistoryBytes) body = body.substr(0, kMaxHistoryBytes);
  std::vector<HistoryRow> rows;
  const std::vector<std::string_view> lines = SplitLines(body, true);
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t column = i % 3;
    if (column == 0) {
      if (rows.size() == kMaxHistoryRows) break;
      rows.push_back(HistoryRow{HistoryText(lines[i]), u"", u""});
    } else if (column == 1) {
      rows.back().type = HistoryText(lines[i]);
    } else {
      rows.back().details = HistoryText(lines[i]);
    }
  }
  return rows;
}

std::optional<ServerAddress> ParseServerAddress(std::u16string_view text) {
  const std::u16string trimmed = TrimBlanks(text);
  std::u16string_view rest = trimmed;
  if (rest.empty()) return std::nullopt;
  ServerAddress address;
  const size_t slash = rest.find(u'/');
  std::u16string_view hostPort = rest.substr(0, slash);
  if (slash != std::u16string_view::npos) {
    address.basePath = std::u16string(rest.substr(slash));
    if (address.basePath.back() != u'/') address.basePath.push_back(u'/');
  }
  const size_t colon = hostPort.find(u':');
  address.host = std::u16string(hostPort.substr(0, colon));
  if (address.host.empty()) return std::nullopt;
  for (char16_t c : address.host) {
    const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || IsDigit(c) || c == u'.' ||
                         c == u'-';
    if (!allowed) return std::nullopt;
  }
  if (colon != std::u16string_view::npos) {
    std::u16string_view digits = hostPort.substr(colon + 1);
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    uint32_t port = 0;
    for (char16_t c : digits) {
      if (!IsDigit(c)) return std::nullopt;
      port = port * 10 + static_cast<uint32_t>(c - u'0');
    }
    if (port == 0 || port > 65535) return std::nullopt;
    address.port = static_cast<uint16_t>(port);
  }
  for (char16_t c : address.basePath)
    if (c <= u' ' || c > u'~' || c == u'\\') return std::nullopt;
  if (address.basePath.find(u"..") != std::u16string::npos) return std::nullopt;
  return address;
}

std::u16string VersionInfoObject(const std::u16string& suffix) { return u"versioninfo_zentravue" + suffix; }

namespace {

void AppendEncoded(std::u16string& out, const std::u16string& value) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  auto appendByte = [&out](unsigned byte) {
    const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
                       byte == '-' || byte == '.' || byte == '_' || byte == '~';
    if (plain) {
      out.push_back(static_cast<char16_t>(byte));
      return;
    }
    out.push_back(u'%');
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 15]);
  };
  for (size_t i = 0; i < value.size(); ++i) {
    uint32_t c = value[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < value.size() && value[i + 1] >= 0xDC00 && value[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (value[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      appendByte(c);
    } else if (c < 0x800) {
      appendByte(0xC0 | (c >> 6));
      appendByte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      appendByte(0xE0 | (c >> 12));
      appendByte(0x80 | ((c >> 6) & 0x3F));
      appendByte(0x80 | (c & 0x3F));
    } else {
      appendByte(0xF0 | (c >> 18));
      appendByte(0x80 | ((c >> 12) & 0x3F));
      appendByte(0x80 | ((c >> 6) & 0x3F));
      appendByte(0x80 | (c & 0x3F));
    }
  }
}

}  // namespace

std::u16string HistoryObject(const std::u16string& language, const std::u16string& version) {
  std::u16string object = u"zentravue_update_history.php?lang=";
  AppendEncoded(object, language);
  object += u"&version=";
  AppendEncoded(object, version);
  return object;
}

std::u16string SignatureObject(const std::u16string& downloadObject) { return downloadObject + u".sig"; }

std::u16string FillPlaceholders(const std::u16string& format, std::initializer_list<std::u16string> arguments) {
  std::u16string out;
  auto next = arguments.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != u'%' || i + 1 == format.size()) {
      out.push_back(format[i]);
      continue;
    }
    const char16_t kind = format[i + 1];
    if (kind == u'%') {
      out.push_back(u'%');
      ++i;
    } else if (kind == u's' || kind == u'i' || kind == u'd' || kind == u'u') {
      if (next != arguments.end()) out += *next++;
      ++i;
    } else {
      out.push_back(u'%');
    }
  }
  return out;
}

std::u16string NumberText(uint64_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

std::u16string FileErrorReason(int cause) {
  static const char16_t* const kReasons[] = {
      u"No error occurred.",
      nullptr,  // a generic error has no text of its own
      u"The file could not be located.",
      u"All or part of the path is invalid.",
      u"The permitted number of open files was exceeded.",
      u"The file could not be accessed.",
      u"There was an attempt to use an invalid file handle.",
      u"The current working directory cannot be removed.",
      u"There are no more directory entries.",
      u"There was an error trying to set the file pointer.",
      u"There was a hardware error.",
      u"SHARE.EXE was not loaded, or a shared region was locked.",
      u"There was an attempt to lock a region that was already locked.",
      u"The disk is full.",
      u"The end of file was reached.",
  };
  if (cause >= 0 && cause < static_cast<int>(sizeof(kReasons) / sizeof(kReasons[0])) && kReasons[cause])
    return kReasons[cause];
  return u"Unknown error occured.";
}

}  // namespace zv
