// The writing half of XmlDocument: new elements and attributes go into the
// text in place and the index is adjusted, so that building a document by
// appending stays linear.
#include "playlist/XmlDocument.h"

#include "playlist/XmlEscape.h"
#include "playlist/XmlParser.h"

namespace zv {
namespace {

constexpr size_t npos = std::u16string_view::npos;

std::u16string ElementText(std::u16string_view name, std::u16string_view text) {
  std::u16string out = u"<";
  out += name;
  if (text.empty()) {
    out += u"/>";
    return out;
  }
  out += u'>';
  out += EscapeMarkup(text);
  out += u"</";
  out += name;
  out += u'>';
  return out;
}

// Only names the parser reads back as names: a "<" before any other first
// character would be read as text.
bool IsValidName(std::u16string_view name) {
  if (name.empty() || !IsXmlNameStart(name[0])) return false;
  for (char16_t c : name)
    if (IsXmlNameTerminator(c) || c == u'"' || c == u'\'' || c == u'&' || c == u'!') return false;
  return true;
}

}  // namespace

bool XmlDocument::AddElement(std::u16string_view name, std::u16string_view text) {
  int32_t r = InsertElement(parent_, main_, name, text);
  if (r == 0) return false;
  main_ = r;
  child_ = 0;
  return true;
}

bool XmlDocument::AddChildElement(std::u16string_view name, std::u16string_view text) {
  if (main_ == 0) return false;
  int32_t r = InsertElement(main_, child_, name, text);
  if (r == 0) return false;
  child_ = r;
  return true;
}

bool XmlDocument::SetAttribute(std::u16string_view name, std::u16string_view value) {
  return SetAttributeOf(main_, name, value);
}

bool XmlDocument::SetChildAttribute(std::u16string_view name, std::u16string_view value) {
  return SetAttributeOf(child_, name, value);
}

// Inserts after `after` (a child of parent), or as parent's last child when
// after is 0. Returns the new record, 0 when the name is unusable.
int32_t XmlDocument::InsertElement(int32_t parent, int32_t after, std::u16string_view name,
                                   std::u16string_view text) {
  if (!IsValidName(name)) return 0;
  if (after == 0) after = LastChild(parent);
  std::u16string element = ElementText(name, text);
  if (text_.size() + element.size() + name.size() + 8 > kMaxLength) return 0;

  size_t offset = 0;        // where the inserted text goes
  size_t removed = 0;       // characters it replaces
  std::u16string inserted;
  size_t elementAt = 0;     // offset of the element within inserted
  XmlElementRecord* p = &index_[parent];
  if (after != 0) {
    offset = static_cast<size_t>(index_[after].End());
    inserted = u"\r\n";
  } else if (parent == 0) {
    offset = text_.size();
    if (!text_.empty() && text_.back() != u'\n') inserted = u"\r\n";
  } else if (p->IsEmptyElement()) {
    // "<p .../>" becomes "<p ...>", the child on its own line, and "</p>".
    // An element closed as unended has a plain start tag and gains the end tag.
    offset = static_cast<size_t>(p->start + p->startTagLength);
    if (text_[offset - 2] == u'/') {
      offset -= 2;
      removed = 2;
      inserted = u">";
    }
    inserted += u"\r\n";
  } else {
    offset = static_cast<size_t>(p->End() - p->endTagLength);
    if (offset == 0 || text_[offset - 1] != u'\n') inserted = u"\r\n";
  }
  elementAt = inserted.size();
  inserted += element;
  // The element ends its line, also where the text went on after the sibling.
  if (after == 0 || (offset < text_.size() && text_[offset] != u'\r' && text_[offset] != u'\n'))
    inserted += u"\r\n";
  if (after == 0 && parent != 0 && p->IsEmptyElement()) {
    std::u16string_view parentName = NameView(parent);
    inserted += u"</";
    inserted += parentName;
    inserted += u'>';
    p->startTagLength -= static_cast<int32_t>(removed) / 2;
    p->endTagLength = static_cast<int32_t>(parentName.size() + 3);
    p->flags &= ~(kXmlEmptyElement | kXmlUnended);
  }
  ReplaceText(offset, removed, inserted);

  int32_t r = index_.Add();
  p = &index_[parent];  // Add may have moved the first page
  XmlElementRecord& e = index_[r];
  e.start = static_cast<int32_t>(offset + elementAt);
  e.length = static_cast<int32_t>(element.size());
  e.parent = parent;
  uint32_t depth = (p->flags & kXmlDepthMask) + 1;
  e.flags = depth > kXmlDepthMask ? static_cast<uint32_t>(kXmlDepthMask) : depth;
  if (text.empty()) {
    e.startTagLength = e.length;
    e.flags |= kXmlEmptyElement;
  } else {
    e.startTagLength = static_cast<int32_t>(name.size() + 2);
    e.endTagLength = static_cast<int32_t>(name.size() + 3);
  }
  LinkAfter(parent, after, r);
  AdjustAfterEdit(r, static_cast<int32_t>(inserted.size()) - static_cast<int32_t>(removed), false);
  // The new element itself was placed at its final offset above.
  return r;
}

// Every edit of the text goes through here, so that offsets kept outside the
// element index (the XML declaration's) follow the text.
void XmlDocument::ReplaceText(size_t offset, size_t removed, std::u16string_view inserted) {
  text_.replace(offset, removed, inserted);
  if (declarationStart_ >= 0 && static_cast<size_t>(declarationStart_) >= offset)
    declarationStart_ += static_cast<int32_t>(inserted.size()) - static_cast<int32_t>(removed);
}

void XmlDocument::LinkAfter(int32_t parent, int32_t after, int32_t record) {
  XmlElementRecord& e = index_[record];
  XmlElementRecord& p = index_[parent];
  if (p.firstChild == 0) {
    p.firstChild = record;
    e.previous = record;
    return;
  }
  XmlElementRecord& first = index_[p.firstChild];
  e.previous = after;
  e.next = index_[after].next;
  index_[after].next = record;
  if (e.next != 0) {
    index_[e.next].previous = record;
  } else {
    first.previous = record;
  }
}

// After text was inserted inside or after `record`: the elements that follow
// it move by delta and every enclosing element grows by delta.
void XmlDocument::AdjustAfterEdit(int32_t record, int32_t delta, bool shiftOwnChildren) {
  if (shiftOwnChildren) {
    for (int32_t c = index_[record].firstChild; c != 0; c = index_[c].next) ShiftSubtree(c, delta);
  }
  int32_t x = record;
  while (x != 0) {
    for (int32_t s = index_[x].next; s != 0; s = index_[s].next) ShiftSubtree(s, delta);
    x = index_[x].parent;
    index_[x].length += delta;
  }
}

void XmlDocument::ShiftSubtree(int32_t record, int32_t delta) {
  int32_t r = record;
  for (;;) {
    index_[r].start += delta;
    if (index_[r].firstChild != 0) {
      r = index_[r].firstChild;
      continue;
    }
    while (r != record && index_[r].next == 0) r = index_[r].parent;
    if (r == record) return;
    r = index_[r].next;
  }
}

bool XmlDocument::SetAttributeOf(int32_t record, std::u16string_view name, std::u16string_view value) {
  if (record <= 0 || !IsValidName(name)) return false;
  XmlElementRecord& e = index_[record];
  std::u16string quoted = u"\"";
  quoted += EscapeMarkup(value, kXmlEscapeAttribute);
  quoted += u'"';

  std::u16string_view text = text_;
  size_t from = static_cast<size_t>(e.start) + 1 + NameView(record).size();
  size_t tagEnd = static_cast<size_t>(e.start + e.startTagLength) - 1;
  if (text[tagEnd - 1] == u'/' && tagEnd - 1 >= from) --tagEnd;
  // Find an existing attribute of that name.
  size_t i = from;
  size_t replaceAt = npos, replaceLength = 0;
  while (i < tagEnd) {
    while (i < tagEnd && IsXmlSpace(text[i])) ++i;
    size_t nameStart = i;
    while (i < tagEnd && !IsXmlSpace(text[i]) && text[i] != u'=') ++i;
    if (i == nameStart) { ++i; continue; }
    bool match = NamesEqual(text.substr(nameStart, i - nameStart), name);
    size_t j = i;
    while (j < tagEnd && IsXmlSpace(text[j])) ++j;
    if (j < tagEnd && text[j] == u'=') {
      ++j;
      while (j < tagEnd && IsXmlSpace(text[j])) ++j;
      size_t valueStart = j;
      if (j < tagEnd && (text[j] == u'"' || text[j] == u'\'')) {
        size_t close = text.find(text[j], j + 1);
        j = (close == npos || close >= tagEnd) ? tagEnd : close + 1;
      } else {
        while (j < tagEnd && !IsXmlSpace(text[j])) ++j;
      }
      if (match) {
        replaceAt = valueStart;
        replaceLength = j - valueStart;
        break;
      }
      i = j;
    } else if (match) {
      replaceAt = i;  // a bare name gains its value
      quoted.insert(0, u"=");
      break;
    }
  }
  std::u16string inserted;
  if (replaceAt == npos) {
    replaceAt = tagEnd;
    inserted = u" ";
    inserted += name;
    inserted += u'=';
    inserted += quoted;
  } else {
    inserted = quoted;
  }
  if (text_.size() + inserted.size() > kMaxLength) return false;
  ReplaceText(replaceAt, replaceLength, inserted);
  int32_t delta = static_cast<int32_t>(inserted.size()) - static_cast<int32_t>(replaceLength);
  e.startTagLength += delta;
  e.length += delta;
  AdjustAfterEdit(record, delta, true);
  return true;
}

}  // namespace zv
