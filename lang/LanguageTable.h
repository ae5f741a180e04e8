#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "lang/NameTable.h"

// The active language: sections of key = value entries from a language file
// or a built-in language, and the name table of the program's resources.
// The Windows side finds the resource or reads the file and hands the bytes
// in; decoding, parsing and lookup happen here.
class LanguageTable {
 public:
  enum Source { kNothing = -1, kBuiltIn = 0, kFile = 1 };

  LanguageTable() = default;

  // Replaces the name table with the resource header text.
  void LoadNameTable(std::string_view headerText);

  // A built-in language: the bytes of the "LNG" resource with that number.
  // False when they are empty or hold no section; the previous language then
  // stays loaded.
  bool LoadBuiltIn(int32_t resourceId, std::string_view bytes);
  // A language file: fileName is the LanguageFile value, bytes its contents.
  bool LoadFile(const std::u16string& fileName, std::string_view bytes);

  // The value of key in section (both without regard to case) with "\t" and
  // "\n" turned into tab and line feed; empty when either is absent.
  std::u16string Text(const std::u16string& section, const std::u16string& key) const;
  // Text("Code", key): the program's messages.
  std::u16string Message(const std::u16string& key) const;

  bool HasSection(const std::u16string& section) const;

  // Every entry of a section, with the key as the file spells it and the
  // value with its escapes resolved, in no particular order. A key given
  // more than once reports one value: the first line's when
  // firstOccurrenceWins (the menus and the toolbar apply entries newest first,
  // so the earliest line is applied last), else the last line's, as Text does.
  void ForEachEntry(const std::u16string& section, bool firstOccurrenceWins,
                    const std::function<void(const std::u16string& key, const std::u16string& value)>& visit) const;

  int32_t NumberOfName(const std::u16string& name) const { return names_.NumberOf(name); }
  std::u16string NameOfNumber(int32_t number) const { return names_.NameOf(number); }
  const zv::NameTable& Names() const { return names_; }

  Source LoadedSource() const { return source_; }
  int32_t ResourceId() const { return resourceId_; }
  const std::u16string& FileName() const { return fileName_; }

 private:
  struct Value {
    std::u16string key;    // as spelled on the last line that gave it
    std::u16string text;   // from the last line
    std::u16string first;  // from the first line, when the key came again
    bool repeated = false;
  };
  using Section = std::unordered_map<std::u16string, Value>;  // folded key -> value
  using Sections = std::unordered_map<std::u16string, Section>;        // folded name -> section

  bool Parse(std::string_view bytes);

  Source source_ = kNothing;
  int32_t resourceId_ = 0;
  std::u16string fileName_;
  Sections sections_;
  zv::NameTable names_;
};

namespace zv {

// Resolves the two escapes of language values: backslash t (tab) and
// backslash n (line feed). Any other backslash stays as it is.
std::u16string ResolveEscapes(const std::u16string& value);

}  // namespace zv
