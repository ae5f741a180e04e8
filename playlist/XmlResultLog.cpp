#include "playlist/XmlResultLog.h"

#include "playlist/XmlEscape.h"

namespace zv {

namespace {

// At most `limit` characters, never ending between the two halves of a
// surrogate pair.
std::u16string_view CutValue(std::u16string_view value, size_t limit) {
  if (value.size() <= limit) return value;
  if (limit > 0 && value[limit - 1] >= 0xD800 && value[limit - 1] <= 0xDBFF) --limit;
  return value.substr(0, limit);
}

}  // namespace

void XmlResultLog::Add(std::u16string_view event, std::initializer_list<XmlLogValue> values) {
  if (full_) return;
  std::u16string line = u"<";
  line += event;
  for (const XmlLogValue& v : values) {
    line += u' ';
    line += v.name;
    line += u"=\"";
    if (v.isNumber) {
      for (char c : std::to_string(v.number)) line += static_cast<char16_t>(c);
    } else {
      line += EscapeMarkup(CutValue(v.text, kMaxValue), kXmlEscapeAttribute);
    }
    line += u'"';
  }
  line += u"/>";
  // The first event that does not fit closes the log, so that it always
  // holds the first events in their order.
  if (text_.size() + line.size() > kLimit) {
    full_ = true;
    return;
  }
  text_ += line;
}

void XmlResultLog::Append(const XmlResultLog& other) {
  // Values are escaped, so every "/>" ends an event.
  size_t from = 0;
  while (!full_ && from < other.text_.size()) {
    const size_t end = other.text_.find(u"/>", from);
    if (end == std::u16string::npos) return;
    const size_t length = end + 2 - from;
    if (text_.size() + length > kLimit) {
      full_ = true;
      return;
    }
    text_.append(other.text_, from, length);
    from = end + 2;
  }
}

bool XmlResultLog::Contains(std::u16string_view event) const {
  std::u16string tag = u"<";
  tag += event;
  size_t at = text_.find(tag);
  while (at != std::u16string::npos) {
    size_t after = at + tag.size();
    if (after < text_.size() && (text_[after] == u' ' || text_[after] == u'/')) return true;
    at = text_.find(tag, after);
  }
  return false;
}

}  // namespace zv
