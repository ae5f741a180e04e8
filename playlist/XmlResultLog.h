#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zv {

// One attribute of a logged event: a text ("tagname", "type", "encoding",
// "msg") or a number ("n", "count", "length", "offset", "offset2").
struct XmlLogValue {
  XmlLogValue(std::u16string_view attributeName, std::u16string_view textValue)
      : name(attributeName), text(textValue) {}
  XmlLogValue(std::u16string_view attributeName, int64_t numberValue)
      : name(attributeName), number(numberValue), isNumber(true) {}
  std::u16string_view name;
  std::u16string_view text;
  int64_t number = 0;
  bool isNumber = false;
};

// What a document noticed while parsing, as markup: one empty element per
// event. The log never grows beyond kLimit characters: the first event that
// does not fit ends it. Each text value is cut to kMaxValue characters (never
// inside a surrogate pair) so that a single huge tag name cannot fill it.
class XmlResultLog {
 public:
  static constexpr size_t kLimit = 1000;
  static constexpr size_t kMaxValue = 100;

  void Add(std::u16string_view event, std::initializer_list<XmlLogValue> values = {});
  // Adds the other log's events, as far as they fit.
  void Append(const XmlResultLog& other);
  void Clear() {
    text_.clear();
    full_ = false;
  }
  const std::u16string& Text() const { return text_; }
  bool Contains(std::u16string_view event) const;

 private:
  std::u16string text_;
  bool full_ = false;
};

}  // namespace zv
