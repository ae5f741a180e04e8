#include "playlist/XmlParser.h"

#include <vector>

#include "playlist/TextScan.h"
#include "playlist/XmlDocument.h"

namespace zv {
namespace {

constexpr size_t npos = std::u16string_view::npos;

std::u16string_view NameAt(std::u16string_view text, size_t from, size_t limit) {
  size_t end = from;
  while (end < limit && !IsXmlNameTerminator(text[end])) ++end;
  return text.substr(from, end - from);
}

// Hash and equality of names honouring the ignore-case flag.
struct NameHash {
  bool ignoreCase;
  size_t operator()(std::u16string_view s) const {
    size_t h = 1469598103934665603ull;
    for (char16_t c : s) h = (h ^ (ignoreCase ? FoldAsciiCase(c) : c)) * 1099511628211ull;
    return h;
  }
};
struct NameEqual {
  bool ignoreCase;
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    if (a.size() != b.size()) return false;
    if (!ignoreCase) return a == b;
    for (size_t i = 0; i < a.size(); ++i)
      if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    return true;
  }
};

struct OpenElement {
  int32_t record;
  std::u16string_view name;
  int32_t nameId;
};

// How many open elements carry each name. Names get small ids (equal names
// share one) through an open-addressing table, so that opening and closing
// an element allocates nothing and closing costs no lookup at all.
class OpenNameCounts {
 public:
  OpenNameCounts(NameHash hash, NameEqual equal) : hash_(hash), equal_(equal), slots_(64) {}

  // The id of the name, created on first use.
  int32_t Id(std::u16string_view name) {
    // Siblings usually share their name; that costs one comparison.
    if (lastId_ >= 0 && equal_(lastName_, name)) return lastId_;
    if ((counts_.size() + 1) * 2 > slots_.size()) Grow();
    size_t hash = hash_(name);
    Slot& s = slots_[IndexOf(slots_, name, hash)];
    if (s.id < 0) {
      s = Slot{hash, name, static_cast<int32_t>(counts_.size())};
      counts_.push_back(0);
    }
    lastName_ = name;
    lastId_ = s.id;
    return s.id;
  }
  // Open elements of that name.
  int OpenCount(std::u16string_view name) const {
    if (lastId_ >= 0 && equal_(lastName_, name)) return counts_[static_cast<size_t>(lastId_)];
    const Slot& s = slots_[IndexOf(slots_, name, hash_(name))];
    return s.id < 0 ? 0 : counts_[static_cast<size_t>(s.id)];
  }
  int& Count(int32_t id) { return counts_[static_cast<size_t>(id)]; }

 private:
  struct Slot {
    size_t hash = 0;
    std::u16string_view name;
    int32_t id = -1;  // -1: never used
  };
  size_t IndexOf(const std::vector<Slot>& slots, std::u16string_view name, size_t hash) const {
    size_t mask = slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& s = slots[i];
      if (s.id < 0 || (s.hash == hash && equal_(s.name, name))) return i;
    }
  }
  void Grow() {
    std::vector<Slot> bigger(slots_.size() * 2);
    for (const Slot& s : slots_)
      if (s.id >= 0) bigger[IndexOf(bigger, s.name, s.hash)] = s;
    slots_.swap(bigger);
  }
  NameHash hash_;
  NameEqual equal_;
  std::vector<Slot> slots_;
  std::vector<int> counts_;  // by id
  std::u16string_view lastName_;
  int32_t lastId_ = -1;
};

class Pass {
 public:
  Pass(std::u16string_view text, XmlElementIndex& index, XmlResultLog& log, bool ignoreCase)
      : text_(text), index_(index), log_(log), equal_{ignoreCase},
        openNames_(NameHash{ignoreCase}, NameEqual{ignoreCase}) {}

  void Run();
  bool unended = false;
  int32_t declarationStart = -1;
  int32_t declarationLength = 0;

 private:
  size_t NextGreater(size_t from);
  size_t StartTagEnd(size_t lt);
  void StartTag(size_t lt, size_t gt);
  void EndTag(size_t lt, size_t gt);
  void CloseUnended(const OpenElement& open);
  void PopOpen();
  void LogUnterminated(std::u16string_view type, size_t offset) {
    log_.Add(u"unterminated_tag_syntax", {{u"type", type}, {u"offset", static_cast<int64_t>(offset)}});
  }

  std::u16string_view text_;
  XmlElementIndex& index_;
  XmlResultLog& log_;
  NameEqual equal_;
  std::vector<OpenElement> open_;
  OpenNameCounts openNames_;
  size_t greaterAt_ = 0;          // memo of NextGreater
  bool greaterKnown_ = false;
  bool quotesTrusted_ = true;     // false once a quote was never closed
};

size_t Pass::NextGreater(size_t from) {
  if (greaterKnown_ && (greaterAt_ == npos || greaterAt_ >= from)) return greaterAt_;
  greaterAt_ = FindChar16(text_, u'>', from);
  greaterKnown_ = true;
  return greaterAt_;
}

// End of a start tag, skipping quoted attribute values; npos when unterminated.
size_t Pass::StartTagEnd(size_t lt) {
  if (!quotesTrusted_) return NextGreater(lt);
  for (size_t i = lt + 1; i < text_.size(); ++i) {
    char16_t c = text_[i];
    if (c == u'>') return i;
    if (c != u'"' && c != u'\'') continue;
    if (i == 0 || text_[i - 1] != u'=') {
      // Only a quote after "=" opens a value; a stray one is plain text.
      size_t j = i;
      while (j > lt && IsXmlSpace(text_[j - 1])) --j;
      if (j == lt || text_[j - 1] != u'=') continue;
    }
    size_t close = text_.find(c, i + 1);
    if (close == npos) break;
    i = close;
  }
  // No end outside quotes: from here on quotes are not trusted, which keeps
  // every later tag from scanning to the end again.
  quotesTrusted_ = false;
  return NextGreater(lt);
}

void Pass::Run() {
  size_t pos = 0;
  const size_t n = text_.size();
  while (pos < n) {
    size_t lt = FindChar16(text_, u'<', pos);
    if (lt == npos) break;
    const XmlMarkup kind = ClassifyXmlMarkup(text_, lt);
    if (kind == XmlMarkup::Text) {
      pos = lt + 1;  // a "<" that starts no markup is text
      continue;
    }
    if (kind == XmlMarkup::EndTag) {
      size_t gt = NextGreater(lt);
      if (gt == npos) { LogUnterminated(u"end_tag", lt); break; }
      EndTag(lt, gt);
      pos = gt + 1;
      continue;
    }
    if (kind == XmlMarkup::StartTag) {
      size_t gt = StartTagEnd(lt);
      if (gt == npos) { LogUnterminated(u"start_tag", lt); break; }
      StartTag(lt, gt);
      pos = gt + 1;
      continue;
    }
    const size_t end = XmlMarkupEnd(text_, lt, kind);
    if (end == npos) {
      if (kind == XmlMarkup::ProcessingInstruction) LogUnterminated(u"processing_instruction", lt);
      if (kind == XmlMarkup::Comment) LogUnterminated(u"comment", lt);
      if (kind == XmlMarkup::CData)
        log_.Add(u"cdata_section_syntax", {{u"type", u"cdata_section"}, {u"offset", static_cast<int64_t>(lt)}});
      if (kind == XmlMarkup::DocumentType)
        log_.Add(u"doctype_tag_syntax", {{u"type", u"document_type"}, {u"offset", static_cast<int64_t>(lt)}});
      break;
    }
    if (kind == XmlMarkup::ProcessingInstruction && declarationStart < 0 &&
        NameAt(text_, lt + 2, end - 2) == u"xml") {
      declarationStart = static_cast<int32_t>(lt);
      declarationLength = static_cast<int32_t>(end - lt);
    }
    pos = end;
  }
  // Every element still open at the end is unended; outermost first, so
  // each lifted child moves exactly once.
  for (const OpenElement& open : open_) CloseUnended(open);
  open_.clear();
}

void Pass::StartTag(size_t lt, size_t gt) {
  int32_t parent = open_.empty() ? 0 : open_.back().record;
  int32_t r = index_.Add();
  XmlElementRecord& e = index_[r];
  e.start = static_cast<int32_t>(lt);
  e.startTagLength = static_cast<int32_t>(gt + 1 - lt);
  e.parent = parent;
  size_t depth = open_.size() + 1;
  e.flags = depth > kXmlDepthMask ? static_cast<uint32_t>(kXmlDepthMask) : static_cast<uint32_t>(depth);
  XmlElementRecord& p = index_[parent];
  if (p.firstChild == 0) {
    p.firstChild = r;
    e.previous = r;
  } else {
    XmlElementRecord& first = index_[p.firstChild];
    int32_t last = first.previous;
    index_[last].next = r;
    e.previous = last;
    first.previous = r;
  }
  bool empty = text_[gt - 1] == u'/' && gt - 1 > lt + 1;
  if (empty) {
    e.length = e.startTagLength;
    e.flags |= kXmlEmptyElement;
    return;
  }
  std::u16string_view name = NameAt(text_, lt + 1, gt);
  int32_t id = openNames_.Id(name);
  open_.push_back({r, name, id});
  ++openNames_.Count(id);
}

void Pass::PopOpen() {
  --openNames_.Count(open_.back().nameId);
  open_.pop_back();
}

void Pass::EndTag(size_t lt, size_t gt) {
  std::u16string_view name = NameAt(text_, lt + 2, gt);
  if (!open_.empty() && equal_(open_.back().name, name)) {
    // The usual case: the innermost element ends.
    XmlElementRecord& e = index_[open_.back().record];
    e.length = static_cast<int32_t>(gt + 1) - e.start;
    e.endTagLength = static_cast<int32_t>(gt + 1 - lt);
    PopOpen();
    return;
  }
  if (openNames_.OpenCount(name) == 0) {
    log_.Add(u"lone_end_tag", {{u"tagname", name}, {u"offset", static_cast<int64_t>(lt)}});
    return;
  }
  size_t k = open_.size();
  while (k > 0 && !equal_(open_[k - 1].name, name)) --k;
  size_t matched = k - 1;  // openNames_ guarantees a match
  for (size_t j = matched + 1; j < open_.size(); ++j) CloseUnended(open_[j]);
  XmlElementRecord& e = index_[open_[matched].record];
  e.length = static_cast<int32_t>(gt + 1) - e.start;
  e.endTagLength = static_cast<int32_t>(gt + 1 - lt);
  while (open_.size() > matched) PopOpen();
}

// The element ends after its start tag; its children follow it as siblings.
void Pass::CloseUnended(const OpenElement& open) {
  unended = true;
  XmlElementRecord& e = index_[open.record];
  log_.Add(u"unended_start_tag", {{u"tagname", open.name}, {u"offset", static_cast<int64_t>(e.start)}});
  e.length = e.startTagLength;
  e.flags |= kXmlEmptyElement | kXmlUnended;
  if (e.firstChild == 0) return;
  e.flags |= kXmlChildrenLifted;
  int32_t first = e.firstChild;
  int32_t last = index_[first].previous;
  for (int32_t c = first; c != 0; c = index_[c].next) index_[c].parent = e.parent;
  // The unended element is the last child of its parent, so its children
  // become the parent's last children.
  e.next = first;
  e.firstChild = 0;
  index_[first].previous = open.record;
  XmlElementRecord& p = index_[e.parent];
  index_[p.firstChild].previous = last;
}

}  // namespace

XmlMarkup ClassifyXmlMarkup(std::u16string_view text, size_t lt) {
  const char16_t c1 = lt + 1 < text.size() ? text[lt + 1] : 0;
  if (c1 == u'/') return XmlMarkup::EndTag;
  if (c1 == u'?') return XmlMarkup::ProcessingInstruction;
  if (c1 == u'!') {
    if (text.compare(lt, 4, u"<!--") == 0) return XmlMarkup::Comment;
    if (text.compare(lt, 9, u"<![CDATA[") == 0) return XmlMarkup::CData;
    return XmlMarkup::DocumentType;
  }
  return IsXmlNameStart(c1) ? XmlMarkup::StartTag : XmlMarkup::Text;
}

namespace {

// End of a document type declaration with its internal subset.
size_t DoctypeEnd(std::u16string_view text, size_t lt) {
  int brackets = 0;
  for (size_t i = lt + 2; i < text.size(); ++i) {
    char16_t c = text[i];
    if (brackets > 0 && text.compare(i, 4, u"<!--") == 0) {
      size_t close = text.find(u"-->", i + 4);
      if (close == npos) return npos;
      i = close + 2;
    } else if (brackets > 0 && text.compare(i, 2, u"<?") == 0) {
      size_t close = text.find(u"?>", i + 2);
      if (close == npos) return npos;
      i = close + 1;
    } else if (c == u'"' || c == u'\'') {
      size_t close = text.find(c, i + 1);
      if (close == npos) return npos;
      i = close;
    } else if (c == u'[') {
      ++brackets;
    } else if (c == u']') {
      if (brackets > 0) --brackets;
    } else if (c == u'>' && brackets == 0) {
      return i + 1;
    }
  }
  return npos;
}

size_t EndAfter(std::u16string_view text, size_t from, std::u16string_view close) {
  size_t at = text.find(close, from);
  return at == npos ? npos : at + close.size();
}

}  // namespace

size_t XmlMarkupEnd(std::u16string_view text, size_t lt, XmlMarkup kind) {
  switch (kind) {
    case XmlMarkup::EndTag: return EndAfter(text, lt, u">");
    case XmlMarkup::ProcessingInstruction: return EndAfter(text, lt + 2, u"?>");
    case XmlMarkup::Comment: return EndAfter(text, lt + 4, u"-->");
    case XmlMarkup::CData: return EndAfter(text, lt + 9, u"]]>");
    case XmlMarkup::DocumentType: return DoctypeEnd(text, lt);
    case XmlMarkup::Text:
    case XmlMarkup::StartTag: break;
  }
  return npos;
}

bool XmlParser::Parse() {
  std::u16string_view text = doc_.text_;
  doc_.index_.Reset(static_cast<int32_t>(text.size() / 64 + 8));
  doc_.declarationStart_ = -1;
  doc_.declarationLength_ = 0;
  XmlElementRecord& document = doc_.index_[0];
  document.length = static_cast<int32_t>(text.size());

  Pass pass(text, doc_.index_, doc_.log_, (doc_.flags_ & XmlDocument::kIgnoreCase) != 0);
  pass.Run();
  doc_.declarationStart_ = pass.declarationStart;
  doc_.declarationLength_ = pass.declarationLength;

  int topLevel = 0;
  for (int32_t r = doc_.index_[0].firstChild; r != 0; r = doc_.index_[r].next) {
    if (++topLevel == 2) doc_.log_.Add(u"root_has_sibling", {{u"offset", static_cast<int64_t>(doc_.index_[r].start)}});
  }
  if (topLevel == 0) doc_.log_.Add(u"no_root_element");
  if (pass.unended) doc_.index_[0].flags |= kXmlIllFormed;
  return topLevel == 1 && !pass.unended;
}

}  // namespace zv
