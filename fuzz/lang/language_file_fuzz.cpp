// Language files come from the program folder, so any bytes may arrive.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lang/LanguageTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LanguageTable table;
  if (!table.LoadFile(u"fuzz.lng", bytes)) return 0;
  table.Message(u"SECONDS");
  table.Text(u"MainMenu", u"IDM_DATEI_OEFFNEN");
  table.Text(u"", u"");
  return 0;
}
