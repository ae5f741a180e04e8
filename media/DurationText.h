#pragma once
#include <cstdint>
#include <string>

namespace zv {

// The filter list dialog's duration, "%.2i:%.2i:%.2i,%.3i": hours, minutes
// and whole seconds of a duration in hundredths; the last field is always
// 000. Negative durations show as zero.
std::u16string FormatDurationWithMilliseconds(int32_t hundredths);

}  // namespace zv
