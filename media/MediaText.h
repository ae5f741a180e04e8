#pragma once
// Fixed texts of the media engine that tests and outside tools rely on.
#include <cstdint>
#include <string>

namespace zv {

// "FilterGraph %08x pid %08x": the graph's address (its low 32 bits) and the
// process id, eight lower-case hexadecimal digits each. Graph inspection
// tools find the graph in the Running Object Table under this name.
std::u16string RotItemName(uint64_t graphAddress, uint32_t processId);

// The overlay mixer's aspect-ratio mode names for the trace; "unknown"
// outside 0..3.
const char16_t* AspectRatioModeName(int32_t mode);

// A message with its first "%s" replaced by `first` and its second by
// `second`; every other character, other percent signs included, stays.
// Translations are data, so they are never used as a printf format.
std::u16string FillTwoPlaceholders(const std::u16string& message, const std::u16string& first,
                                   const std::u16string& second);

}  // namespace zv
