#include "playlist/XmlResultLog.h"

#include "playlist/XmlEscape.h"

namespace zv {

void XmlResultLog::Add(std::u16string_view event, std::initializer_list<XmlLogValue> values) {
  if (text_.size() >= kLimit) return;
  text_ += u'<';
  text_ += event;
  for (const XmlLogValue& v : values) {
    text_ += u' ';
    text_ += v.name;
    text_ += u"=\"";
    if (v.isNumber) {
      for (char c : std::to_string(v.number)) text_ += static_cast<char16_t>(c);
    } else {
      text_ += EscapeMarkup(v.text.substr(0, kMaxValue), kXmlEscapeAttribute);
    }
    text_ += u'"';
  }
  text_ += u"/>";
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
