#include "lang/LanguageTable.h"

#include <algorithm>
#include <utility>

#include "app/TextUtil.h"
#include "lang/TextDecoding.h"

namespace zv {

std::u16string ResolveEscapes(const std::u16string& value) {
  std::u16string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == u'\\' && i + 1 < value.size()) {
      if (value[i + 1] == u't') {
        out += u'\t';
        ++i;
        continue;
      }
      if (value[i + 1] == u'n') {
        out += u'\n';
        ++i;
        continue;
      }
    }
    out += value[i];
  }
  return out;
}

}  // namespace zv

void LanguageTable::LoadNameTable(std::string_view headerText) { names_.Parse(headerText); }

bool LanguageTable::LoadBuiltIn(int32_t resourceId, std::string_view bytes) {
  if (!Parse(bytes)) return false;
  source_ = kBuiltIn;
  resourceId_ = resourceId;
  return true;
}

bool LanguageTable::LoadFile(const std::u16string& fileName, std::string_view bytes) {
  if (!Parse(bytes)) return false;
  source_ = kFile;
  fileName_ = fileName;
  return true;
}

bool LanguageTable::Parse(std::string_view bytes) {
  if (bytes.empty()) return false;
  std::u16string text = zv::DecodeLanguageText(bytes);
  // The text ends at its first NUL, as a terminated string does.
  text.resize(std::min(text.size(), text.find(u'\0')));

  Sections parsed;
  Section* current = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string line = zv::Trim(text.substr(start, end - start));
    start = end + 1;

    if (line.empty() || line[0] == u'#') continue;
    if (line[0] == u'[') {
      // The last character, normally "]", is dropped whatever it is.
      std::u16string name = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::u16string();
      current = &parsed[zv::FoldCase(name)];
      continue;
    }
    if (!current) continue;
    size_t equals = line.find(u'=', 1);
    if (equals == std::u16string::npos) continue;
    std::u16string key = line.substr(0, equals);
    Value& value = (*current)[zv::FoldCase(key)];
    if (!value.key.empty() && !value.repeated) {
      value.first = value.text;
      value.repeated = true;
    }
    value.key = std::move(key);
    value.text = line.substr(equals + 1);
  }
  if (parsed.empty()) return false;
  sections_ = std::move(parsed);
  return true;
}

std::u16string LanguageTable::Text(const std::u16string& section, const std::u16string& key) const {
  auto foundSection = sections_.find(zv::FoldCase(section));
  if (foundSection == sections_.end()) return {};
  auto foundKey = foundSection->second.find(zv::FoldCase(key));
  if (foundKey == foundSection->second.end()) return {};
  return zv::ResolveEscapes(foundKey->second.text);
}

void LanguageTable::ForEachEntry(
    const std::u16string& section, bool firstOccurrenceWins,
    const std::function<void(const std::u16string& key, const std::u16string& value)>& visit) const {
  auto found = sections_.find(zv::FoldCase(section));
  if (found == sections_.end()) return;
  for (const auto& [folded, value] : found->second) {
    const std::u16string& text = firstOccurrenceWins && value.repeated ? value.first : value.text;
    visit(value.key, zv::ResolveEscapes(text));
  }
}

std::u16string LanguageTable::Message(const std::u16string& key) const { return Text(u"Code", key); }

bool LanguageTable::HasSection(const std::u16string& section) const {
  return sections_.count(zv::FoldCase(section)) != 0;
}
