#pragma once
// The arithmetic of the transport commands: the rate ladders, the volume
// steps and mute, the jump target and the loop between marks. Positions are
// hundredths of a second, volumes hundredths of a decibel.
#include <cstdint>

namespace zv {

// The rate the faster command asks for at rate r: 1 gives 1.5, 1.5 gives 2,
// 2 and above double, 0 and below give 1, anything else stays. A result of
// 64 or more wraps to 1. So repeated use runs 1, 1.5, 2, 4, 8, 16, 32, 1.
double FasterRate(double rate);

// The rate the fast backwards command asks for at rate r: twice r while that
// is negative and above -64, otherwise -1. Repeated use runs -1, -2, -4, -8,
// -16, -32, -1.
double FastBackwardsRate(double rate);

struct VolumeChange {
  int32_t volume;            // the new Volume setting
  int32_t volumeBeforeMute;  // what unmuting restores
};

// One step quieter (1 % when fine, else 10 %); below 1 % is silence. The
// volume it starts from is remembered for unmuting while it is audible.
VolumeChange QuieterVolume(int32_t volume, int32_t volumeBeforeMute, bool fine);
// One step louder (1 % when fine, else 10 %), at most full volume.
VolumeChange LouderVolume(int32_t volume, int32_t volumeBeforeMute, bool fine);
// Mute, or unmute to the remembered volume (full volume when that is silence
// too). The volume is first rounded to a whole percent.
VolumeChange ToggledMute(int32_t volume, int32_t volumeBeforeMute);

struct JumpTarget {
  int32_t position;
  bool beforeStart;  // the jump went below 0 (and was clamped there)
};

// A jump by direction (-1 or +1) times the jumping range in seconds. There
// is no upper clamp: the media object keeps seeks inside the media.
JumpTarget JumpFrom(int32_t position, int direction, int32_t rangeSeconds);

// Where a backward jump that left the start of one entry lands in the entry
// before: the jumping range before its end, kept inside 0..INT32_MAX
// whatever range the settings hold.
int32_t JumpIntoPreviousEnd(int32_t duration, int32_t rangeSeconds);

// Looping between marks: true when the position has just passed the mark
// end (up to half a second after it) and the mark end lies before the end
// of the media, which the end-of-media handling loops itself.
bool PassedMarkEnd(int32_t position, int32_t markEnd, int32_t mediaEnd);

}  // namespace zv
