#pragma once
#include <cstdint>
#include <string>

// Conversions between the units the user sees and the media framework's units.
namespace zv {

constexpr int32_t kVolumeSilent = -10000;  // hundredths of a decibel
constexpr int32_t kVolumeFull = 0;

// Percent 0..100 to the framework's volume in hundredths of a decibel:
// truncate(1000 * log10(percent * 100,000,000 + 1) - 10,000).
// 100 gives 0, 50 gives -301, 0 gives -10,000. A percent outside 0..100 is
// clamped to that range.
int32_t VolumeFromPercent(int32_t percent);

// The inverse shown on the volume bar: truncate(10^((volume + 10,000) / 1000) / 10^8).
// Volumes outside -10,000..0 are clamped first, so the result is 0..100.
int32_t PercentFromVolume(int32_t volume);

// A position or duration in hundredths of a second as "%.2i:%.2i:%.2i"
// (hours, minutes, seconds). Negative times show as 00:00:00.
std::u16string FormatTime(int32_t hundredths);

}  // namespace zv
