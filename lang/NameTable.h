#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zv {

// Symbolic resource names and their numbers, read from the program's own
// resource header text ("#define IDM_DATEI_OEFFNEN 32771" lines). Where a
// name or a number occurs twice, the later line wins.
class NameTable {
 public:
  struct Entry {
    std::u16string name;
    int32_t number = 0;
  };

  // Replaces the table with the lines of the header text (single-byte
  // characters, CR LF line ends).
  void Parse(std::string_view headerText);

  // Case-insensitive; -1 when absent.
  int32_t NumberOf(const std::u16string& name) const;
  // The name of the last line with this number; empty when none.
  std::u16string NameOf(int32_t number) const;

  // In the order of the header text.
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
  std::unordered_map<std::u16string, int32_t> numberOfName_;  // folded names
  std::map<int32_t, std::u16string> nameOfNumber_;
};

}  // namespace zv
