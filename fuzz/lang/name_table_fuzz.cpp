// The resource header text is ours, but the parser must still survive any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lang/NameTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zv::NameTable table;
  table.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const zv::NameTable::Entry& entry : table.Entries()) {
    table.NumberOf(entry.name);
    table.NameOf(entry.number);
  }
  return 0;
}
