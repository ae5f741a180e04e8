#include "playlist/PlaylistReaders.h"

#include <climits>

#include "playlist/TextScan.h"
#include "playlist/XmlDocument.h"

namespace zv {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Calls f for every trimmed line that is not empty and not a comment.
template <typename F>
void ForEachLine(std::u16string_view text, F f) {
  size_t from = 0;
  while (from <= text.size()) {
    size_t end = FindLineBreak(text, from);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view line = Trim(text.substr(from, end - from));
    if (!line.empty() && line[0] != u'#') f(line);
    from = end + 1;
  }
}

// Leading-integer value as the C library reads it, saturated at the int range.
int IntegerValue(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  long long value = 0;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    value = value * 10 + (s[i] - u'0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;
      break;
    }
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

ParsedPlaylist ParseLineList(std::u16string_view text) {
  ParsedPlaylist result;
  result.accepted = true;
  ForEachLine(text, [&](std::u16string_view line) { result.entries.emplace_back(line); });
  return result;
}

ParsedPlaylist ParsePls(std::u16string_view text) {
  ParsedPlaylist result;
  result.accepted = true;
  ForEachLine(text, [&](std::u16string_view line) {
    if (line.size() < 4) return;
    for (size_t i = 0; i < 4; ++i)
      if ((line[i] & ~0x20) != u"FILE"[i]) return;
    size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) return;
    result.entries.emplace_back(line.substr(eq + 1));
  });
  return result;
}

namespace {

ParsedPlaylist AsxEntries(XmlDocument& doc) {
  ParsedPlaylist result;
  if (!doc.IsWellFormed() || !doc.FindElement(u"asx")) return result;
  result.accepted = true;
  doc.IntoElement();
  while (doc.FindElement(u"entry")) {
    if (!doc.FindChildElement(u"ref")) continue;
    std::u16string href = doc.ChildAttribute(u"href");
    std::u16string_view trimmed = Trim(href);
    if (trimmed.size() == href.size()) {
      if (!href.empty()) result.entries.push_back(std::move(href));
    } else if (!trimmed.empty()) {
      result.entries.emplace_back(trimmed);
    }
  }
  return result;
}

ParsedPlaylist OwnEntries(XmlDocument& doc) {
  ParsedPlaylist result;
  if (!doc.IsWellFormed() || !doc.FindElement(u"zentravue") || !doc.FindChildElement(u"playlist")) return result;
  result.accepted = true;
  std::u16string last = doc.ChildAttribute(u"lastPosition");
  if (!last.empty()) {
    int position = IntegerValue(last);
    result.startPosition = position < 1 ? 1 : position;
  }
  doc.IntoElement();
  while (doc.FindChildElement(u"media")) result.entries.push_back(doc.ChildData());
  return result;
}

}  // namespace

ParsedPlaylist ParseAsx(std::u16string_view text) {
  XmlDocument doc(XmlDocument::kIgnoreCase);
  doc.SetDocument(text);
  return AsxEntries(doc);
}

ParsedPlaylist ParseAsx(std::u16string&& text) {
  XmlDocument doc(XmlDocument::kIgnoreCase);
  doc.TakeDocument(std::move(text));
  return AsxEntries(doc);
}

ParsedPlaylist ParseOwnPlaylist(std::u16string_view text) {
  XmlDocument doc;
  doc.SetDocument(text);
  return OwnEntries(doc);
}

ParsedPlaylist ParseOwnPlaylist(std::u16string&& text) {
  XmlDocument doc;
  doc.TakeDocument(std::move(text));
  return OwnEntries(doc);
}

}  // namespace zv
