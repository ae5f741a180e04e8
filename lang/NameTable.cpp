#include "lang/NameTable.h"

#include "app/TextUtil.h"
#include "lang/TextDecoding.h"

namespace zv {

namespace {

// One header line: "#define " and blanks are taken off the front (names begin
// with capitals, so they lose nothing); the name runs to the first blank and
// the number follows the last blank. A line whose name and number are
// separated by tabs only therefore has an empty name and the number 0.
NameTable::Entry ParseLine(std::u16string line) {
  static const std::u16string kDefine = u"#define ";
  if (line.find(kDefine) != std::u16string::npos) {
    size_t start = line.find_first_not_of(kDefine);
    line.erase(0, start == std::u16string::npos ? line.size() : start);
  }
  NameTable::Entry entry;
  size_t firstBlank = line.find(u' ');
  if (firstBlank != std::u16string::npos) entry.name = line.substr(0, firstBlank);
  size_t lastBlank = line.rfind(u' ');
  entry.number = ReadInt(lastBlank == std::u16string::npos ? line : line.substr(lastBlank + 1));
  return entry;
}

}  // namespace

void NameTable::Parse(std::string_view headerText) {
  entries_.clear();
  numberOfName_.clear();
  nameOfNumber_.clear();

  std::u16string text = WidenBytes(headerText);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string line = text.substr(start, end - start);
    start = end + 1;

    std::u16string cleaned;
    for (char16_t c : line)
      if (c != u'\r') cleaned += c;
    cleaned = Trim(cleaned);
    if (cleaned.empty()) continue;

    Entry entry = ParseLine(cleaned);
    numberOfName_[FoldCase(entry.name)] = entry.number;
    nameOfNumber_[entry.number] = entry.name;
    entries_.push_back(std::move(entry));
  }
}

int32_t NameTable::NumberOf(const std::u16string& name) const {
  auto found = numberOfName_.find(FoldCase(name));
  return found == numberOfName_.end() ? -1 : found->second;
}

std::u16string NameTable::NameOf(int32_t number) const {
  auto found = nameOfNumber_.find(number);
  return found == nameOfNumber_.end() ? std::u16string() : found->second;
}

}  // namespace zv
