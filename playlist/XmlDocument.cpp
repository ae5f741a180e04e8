#include "playlist/XmlDocument.h"

#include "playlist/TextScan.h"
#include "playlist/XmlEscape.h"
#include "playlist/XmlParser.h"

namespace zv {
namespace {

constexpr size_t npos = std::u16string_view::npos;

struct AttributeSpan {
  size_t nameStart = npos;  // npos when the attribute is absent
  size_t valueStart = 0;    // the value without its quotes
  size_t valueLength = 0;
  size_t end = 0;           // one past the closing quote (or unquoted value)
};

// Finds an attribute within text[from, limit) (the inside of a start tag or
// of a processing instruction).
template <typename Equal>
AttributeSpan FindAttributeSpan(std::u16string_view text, size_t from, size_t limit,
                                std::u16string_view name, Equal equal) {
  size_t i = from;
  while (i < limit) {
    while (i < limit && (IsXmlSpace(text[i]) || text[i] == u'/' || text[i] == u'?')) ++i;
    size_t nameStart = i;
    while (i < limit && !IsXmlSpace(text[i]) && text[i] != u'=' && text[i] != u'>' && text[i] != u'/')
      ++i;
    if (i == nameStart) {
      ++i;  // a stray character such as "=" or ">"
      continue;
    }
    std::u16string_view attributeName = text.substr(nameStart, i - nameStart);
    size_t j = i;
    while (j < limit && IsXmlSpace(text[j])) ++j;
    AttributeSpan span;
    span.nameStart = nameStart;
    if (j < limit && text[j] == u'=') {
      ++j;
      while (j < limit && IsXmlSpace(text[j])) ++j;
      if (j < limit && (text[j] == u'"' || text[j] == u'\'')) {
        size_t close = text.find(text[j], j + 1);
        if (close == npos || close >= limit) close = limit;
        span.valueStart = j + 1;
        span.valueLength = close - j - 1;
        span.end = close < limit ? close + 1 : limit;
      } else {
        size_t k = j;
        while (k < limit && !IsXmlSpace(text[k]) && text[k] != u'>' &&
               !(text[k] == u'/' && k + 1 < limit && text[k + 1] == u'>'))
          ++k;
        span.valueStart = j;
        span.valueLength = k - j;
        span.end = k;
      }
      i = span.end;
    } else {
      span.valueStart = i;
      span.end = i;
    }
    if (equal(attributeName, name)) return span;
  }
  return AttributeSpan{};
}

}  // namespace

bool XmlDocument::SetDocument(std::u16string_view text) {
  log_.Clear();
  return ParseText(text);
}

bool XmlDocument::ParseText(std::u16string_view text) {
  if (text.size() > kMaxLength) return RejectTooLong(text.size());
  ResetPosition();
  text_.assign(text);
  wellFormed_ = XmlParser(*this).Parse();
  return wellFormed_;
}

bool XmlDocument::TakeDocument(std::u16string&& text) {
  log_.Clear();
  if (text.size() > kMaxLength) return RejectTooLong(text.size());
  ResetPosition();
  text_ = std::move(text);
  wellFormed_ = XmlParser(*this).Parse();
  return wellFormed_;
}

bool XmlDocument::RejectTooLong(size_t length) {
  ResetPosition();
  text_.clear();
  XmlParser(*this).Parse();
  log_.Add(u"truncation_error", {{u"length", static_cast<int64_t>(length)}});
  wellFormed_ = false;
  return false;
}

bool XmlDocument::NamesEqual(std::u16string_view a, std::u16string_view b) const {
  if (a.size() != b.size()) return false;
  if ((flags_ & kIgnoreCase) == 0) return a == b;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  return true;
}

std::u16string_view XmlDocument::NameView(int32_t record) const {
  if (record <= 0) return {};
  const XmlElementRecord& e = index_[record];
  std::u16string_view text = text_;
  size_t from = static_cast<size_t>(e.start) + 1;
  size_t limit = static_cast<size_t>(e.start + e.startTagLength);
  size_t end = from;
  while (end < limit && !IsXmlNameTerminator(text[end])) ++end;
  return text.substr(from, end - from);
}

std::u16string XmlDocument::NameOf(int32_t record) const { return std::u16string(NameView(record)); }

int32_t XmlDocument::FindSibling(int32_t from, std::u16string_view name) const {
  for (int32_t r = from; r != 0; r = index_[r].next)
    if (name.empty() || NamesEqual(NameView(r), name)) return r;
  return 0;
}

int32_t XmlDocument::LastChild(int32_t record) const {
  int32_t first = index_[record].firstChild;
  return first == 0 ? 0 : index_[first].previous;
}

bool XmlDocument::FindElement(std::u16string_view name) {
  int32_t from = main_ ? index_[main_].next : index_[parent_].firstChild;
  int32_t found = FindSibling(from, name);
  if (found == 0) return false;
  main_ = found;
  child_ = 0;
  return true;
}

bool XmlDocument::FindChildElement(std::u16string_view name) {
  if (main_ == 0 && !FindElement()) return false;
  int32_t from = child_ ? index_[child_].next : index_[main_].firstChild;
  int32_t found = FindSibling(from, name);
  if (found == 0) return false;
  child_ = found;
  return true;
}

bool XmlDocument::IntoElement() {
  if (main_ == 0) return false;
  parent_ = main_;
  main_ = child_;
  child_ = 0;
  return true;
}

bool XmlDocument::OutOfElement() {
  if (parent_ == 0) return false;
  child_ = main_;
  main_ = parent_;
  parent_ = index_[parent_].parent;
  return true;
}

void XmlDocument::ResetPosition() {
  parent_ = 0;
  main_ = 0;
  child_ = 0;
}

void XmlDocument::ResetMainPosition() {
  main_ = 0;
  child_ = 0;
}

std::u16string XmlDocument::AttributeOf(int32_t record, std::u16string_view name) const {
  if (record <= 0 || name.empty()) return {};
  const XmlElementRecord& e = index_[record];
  size_t from = static_cast<size_t>(e.start) + 1 + NameView(record).size();
  size_t limit = static_cast<size_t>(e.start + e.startTagLength) - 1;
  AttributeSpan span = FindAttributeSpan(text_, from, limit, name,
                                         [this](auto a, auto b) { return NamesEqual(a, b); });
  if (span.nameStart == npos) return {};
  return UnescapeMarkup(std::u16string_view(text_).substr(span.valueStart, span.valueLength),
                        (flags_ & kHtmlEntities) != 0);
}

// Text content of an element without child elements: text unescaped, CDATA
// sections as they are, comments, processing instructions and lone end tags
// left out. A "<" is markup only where the parser took it for markup; any
// other "<" is part of the text.
std::u16string XmlDocument::DataOf(int32_t record) const {
  if (record <= 0) return {};
  const XmlElementRecord& e = index_[record];
  if (e.IsEmptyElement() || e.firstChild != 0) return {};
  std::u16string_view text = text_;
  const size_t from = static_cast<size_t>(e.start + e.startTagLength);
  const size_t limit = static_cast<size_t>(e.End() - e.endTagLength);
  const bool html = (flags_ & kHtmlEntities) != 0;
  std::u16string out;
  size_t runStart = from;  // start of the text not yet copied
  size_t i = from;
  while (i < limit) {
    size_t lt = FindChar16(text, u'<', i);
    if (lt == npos || lt >= limit) break;
    const XmlMarkup kind = ClassifyXmlMarkup(text, lt);
    if (kind == XmlMarkup::Text || kind == XmlMarkup::StartTag) {
      // A start tag would have made a child; here it can only be text.
      i = lt + 1;
      continue;
    }
    // The parser found the end tag after this markup, so it ends within the
    // element; the bound only guards against an index that went stale.
    size_t end = XmlMarkupEnd(text, lt, kind);
    if (end == npos || end > limit) end = limit;
    out += UnescapeMarkup(text.substr(runStart, lt - runStart), html);
    if (kind == XmlMarkup::CData) {
      size_t inner = lt + 9 < end ? lt + 9 : end;
      size_t innerEnd = end - inner >= 3 && text.compare(end - 3, 3, u"]]>") == 0 ? end - 3 : end;
      if (innerEnd > inner) out.append(text.substr(inner, innerEnd - inner));
    }
    i = runStart = end;
  }
  out += UnescapeMarkup(text.substr(runStart, limit - runStart), html);
  return out;
}

std::u16string XmlDocument::EncodingName() const {
  auto equal = [this](auto a, auto b) { return NamesEqual(a, b); };
  if (declarationStart_ >= 0 &&
      static_cast<size_t>(declarationStart_) + static_cast<size_t>(declarationLength_) <= text_.size()) {
    size_t from = static_cast<size_t>(declarationStart_) + 5;
    size_t limit = static_cast<size_t>(declarationStart_ + declarationLength_) - 2;
    AttributeSpan span = FindAttributeSpan(text_, from, limit, u"encoding", equal);
    if (span.nameStart != npos && span.valueLength > 0)
      return text_.substr(span.valueStart, span.valueLength);
  }
  auto ci = [](std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    return true;
  };
  int32_t root = index_[0].firstChild;
  if (root != 0 && ci(NameView(root), u"html")) {
    for (int32_t head = index_[root].firstChild; head != 0; head = index_[head].next) {
      if (!ci(NameView(head), u"head")) continue;
      for (int32_t meta = index_[head].firstChild; meta != 0; meta = index_[meta].next) {
        if (!ci(NameView(meta), u"meta")) continue;
        std::u16string charset = AttributeOf(meta, u"charset");
        if (!charset.empty()) return charset;
        if (!ci(AttributeOf(meta, u"http-equiv"), u"Content-Type")) continue;
        std::u16string content = AttributeOf(meta, u"content");
        std::u16string folded;
        for (char16_t c : content) folded += FoldAsciiCase(c);
        size_t at = folded.find(u"charset");
        if (at == npos) continue;
        size_t eq = at + 7;
        while (eq < content.size() && IsXmlSpace(content[eq])) ++eq;
        if (eq >= content.size() || content[eq] != u'=') continue;
        size_t begin = eq + 1;
        while (begin < content.size() && IsXmlSpace(content[begin])) ++begin;
        size_t end = begin;
        while (end < content.size() && content[end] != u';' && !IsXmlSpace(content[end])) ++end;
        if (end > begin) return content.substr(begin, end - begin);
      }
    }
  }
  return u"UTF-8";
}

}  // namespace zv
