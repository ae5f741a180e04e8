// Container headers of any shape: the track reader stays inside the data.
#include "media/TrackTags.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const zv::TrackTag& tag : zv::ReadTrackTags(bytes)) {
    if (tag.language.size() > bytes.size() || tag.title.size() > bytes.size()) __builtin_trap();
  }
  return 0;
}
