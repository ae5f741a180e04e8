#pragma once
#include <cstddef>
#include <string_view>

namespace zv {

class XmlDocument;

// Builds the element index of a document from its text in one pass without
// recursion, so that any nesting depth is safe, and in linear time for any
// input (unterminated tags, runs of lone end tags, huge tags).
class XmlParser {
 public:
  explicit XmlParser(XmlDocument& document) : doc_(document) {}
  // Indexes doc_.text_, adds what it finds to the log; returns the
  // well-formed result.
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

// True for characters that can start an element name: a "<" before any other
// character is text, not a tag.
inline bool IsXmlNameStart(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' || c >= 0x80;
}

// What a "<" at `lt` starts, by the parser's rules.
enum class XmlMarkup { Text, StartTag, EndTag, ProcessingInstruction, Comment, CData, DocumentType };
XmlMarkup ClassifyXmlMarkup(std::u16string_view text, size_t lt);

// One past the end of the markup of that kind starting at `lt` (not for Text
// or StartTag, whose ends depend on quoting state); npos when unterminated.
// A document type declaration ends at the ">" outside its internal subset;
// comments and processing instructions inside the subset are skipped whole,
// so an apostrophe in them opens no quoted string.
size_t XmlMarkupEnd(std::u16string_view text, size_t lt, XmlMarkup kind);

// ASCII-only case folding, used by the ignore-case flag.
inline char16_t FoldAsciiCase(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

}  // namespace zv
