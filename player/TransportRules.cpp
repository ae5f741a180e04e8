#include "player/TransportRules.h"

#include "app/MediaUnits.h"

namespace zv {

double FasterRate(double rate) {
  double next = rate;
  if (rate == 1.0) {
    next = 1.5;
  } else if (rate == 1.5) {
    next = 2.0;
  } else if (rate >= 2.0) {
    next = 2.0 * rate;
  } else if (rate <= 0.0) {
    next = 1.0;
  }
  return next >= 64.0 ? 1.0 : next;
}

double FastBackwardsRate(double rate) {
  double next = 2.0 * rate;
  if (next >= 0.0) next = -1.0;
  if (next <= -64.0) next = -1.0;
  return next;
}

VolumeChange QuieterVolume(int32_t volume, int32_t volumeBeforeMute, bool fine) {
  int32_t percent = PercentFromVolume(volume);
  if (percent > 0) {
    volumeBeforeMute = volume;
    percent -= fine ? 1 : 10;
    if (percent < 1) percent = 0;
  }
  return {VolumeFromPercent(percent), volumeBeforeMute};
}

VolumeChange LouderVolume(int32_t volume, int32_t volumeBeforeMute, bool fine) {
  int32_t percent = PercentFromVolume(volume);
  if (percent < 100) {
    percent += fine ? 1 : 10;
    if (percent > 100) percent = 100;
  }
  return {VolumeFromPercent(percent), volumeBeforeMute};
}

VolumeChange ToggledMute(int32_t volume, int32_t volumeBeforeMute) {
  const int32_t rounded = VolumeFromPercent(PercentFromVolume(volume));
  if (rounded == kVolumeSilent)
    return {volumeBeforeMute == kVolumeSilent ? kVolumeFull : volumeBeforeMute, volumeBeforeMute};
  return {kVolumeSilent, rounded};
}

JumpTarget JumpFrom(int32_t position, int direction, int32_t rangeSeconds) {
  const int64_t target = static_cast<int64_t>(position) + static_cast<int64_t>(direction) * rangeSeconds * 100;
  if (target < 0) return {0, true};
  if (target > INT32_MAX) return {INT32_MAX, false};
  return {static_cast<int32_t>(target), false};
}

int32_t JumpIntoPreviousEnd(int32_t duration, int32_t rangeSeconds) {
  const int64_t target = static_cast<int64_t>(duration) - static_cast<int64_t>(rangeSeconds) * 100;
  if (target < 0) return 0;
  if (target > INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(target);
}

bool PassedMarkEnd(int32_t position, int32_t markEnd, int32_t mediaEnd) {
  return markEnd < mediaEnd && position >= markEnd && static_cast<int64_t>(position) <= int64_t{markEnd} + 50;
}

}  // namespace zv
