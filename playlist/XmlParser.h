#pragma once
#include <string_view>

namespace zv {

class XmlDocument;

// Builds the element index of a document from its text in one pass without
// recursion, so that any nesting depth is safe, and in linear time for any
// input (unterminated tags, runs of lone end tags, huge tags).
class XmlParser {
 public:
  explicit XmlParser(XmlDocument& document) : doc_(document) {}
  // Indexes doc_.text_, logs what it finds; returns the well-formed result.
  bool Parse();

 private:
  XmlDocument& doc_;
};

// True for characters that end a name inside a tag.
inline bool IsXmlNameTerminator(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'/' || c == u'>' ||
         c == u'=' || c == u'<' || c == u'?';
}

inline bool IsXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// ASCII-only case folding, used by the ignore-case flag.
inline char16_t FoldAsciiCase(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

}  // namespace zv
