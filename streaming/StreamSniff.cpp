#include "streaming/StreamSniff.h"

#include <cstring>

namespace zv::net {

Container SniffContainer(const uint8_t* data, size_t size) {
  if (size >= 12 && std::memcmp(data, "RIFF", 4) == 0) {
    if (std::memcmp(data + 8, "AVI ", 4) == 0) return Container::kAvi;
    if (std::memcmp(data + 8, "WAVE", 4) == 0) return Container::kWave;
    return Container::kUnknown;
  }
  if (size >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1) {
    if (data[3] == 0xBA) return Container::kMpegSystem;
    if (data[3] == 0xB3) return Container::kMpegVideo;
    return Container::kUnknown;
  }
  if (size >= 3 && std::memcmp(data, "ID3", 3) == 0) return Container::kMpegAudio;
  // An MPEG audio frame: 11 sync bits, a valid version, layer, bit rate and
  // sampling rate.
  if (size >= 4 && data[0] == 0xFF && (data[1] & 0xE0) == 0xE0) {
    const unsigned version = (data[1] >> 3) & 3, layer = (data[1] >> 1) & 3;
    const unsigned bitrate = data[2] >> 4, rate = (data[2] >> 2) & 3;
    if (version != 1 && layer != 0 && bitrate != 15 && rate != 3) return Container::kMpegAudio;
  }
  return Container::kUnknown;
}

}  // namespace zv::net
