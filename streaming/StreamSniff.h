#pragma once
// The container of a byte stream from its first bytes, for the media type a
// source offers its splitters: some splitters accept only their own kind.
#include <cstddef>
#include <cstdint>

namespace zv::net {

enum class Container { kUnknown, kAvi, kWave, kMpegSystem, kMpegVideo, kMpegAudio };

// Needs no more than the first 12 bytes; fewer give kUnknown when they do
// not suffice.
Container SniffContainer(const uint8_t* data, size_t size);

}  // namespace zv::net
