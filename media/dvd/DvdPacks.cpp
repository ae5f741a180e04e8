#include "media/dvd/DvdPacks.h"

#include <cstring>

namespace zv::dvd {
namespace {

constexpr uint8_t kPadding = 0xBE;
constexpr uint8_t kPrivate1 = 0xBD;
constexpr uint8_t kSystemHeader = 0xBB;

bool StartCode(const uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 1; }

// Length of the MPEG-2 pack header, or 0 when the pack does not start with one.
size_t PackHeaderLength(const uint8_t* pack, size_t size) {
  if (size < 14 || !StartCode(pack) || pack[3] != 0xBA || (pack[4] & 0xC0) != 0x40) return 0;
  const size_t length = 14 + (pack[13] & 0x07);
  return length <= size ? length : 0;
}

// The sub-stream id of a private stream 1 packet at `p` (whole packet
// `total` bytes long), or -1.
int PrivateSubstream(const uint8_t* p, size_t total) {
  if (total < 9) return -1;
  const size_t headerData = p[8];
  if (9 + headerData >= total) return -1;
  return p[9 + headerData];
}

int64_t ReadPts(const uint8_t* p) {
  return (static_cast<int64_t>(p[0] & 0x0E) << 29) | (static_cast<int64_t>(p[1]) << 22) |
         (static_cast<int64_t>(p[2] & 0xFE) << 14) | (static_cast<int64_t>(p[3]) << 7) | (p[4] >> 1);
}

template <typename Visit>
void ForEachPacket(const uint8_t* pack, size_t size, Visit visit) {
  size_t pos = PackHeaderLength(pack, size);
  if (pos == 0) return;
  while (pos + 6 <= size && StartCode(pack + pos)) {
    const uint8_t id = pack[pos + 3];
    const size_t total = 6 + ((static_cast<size_t>(pack[pos + 4]) << 8) | pack[pos + 5]);
    if (pos + total > size) return;
    if (!visit(pos, id, total)) return;
    pos += total;
  }
}

}  // namespace

int AudioStreamId(int format, int physicalStream) {
  if (physicalStream < 0 || physicalStream > 7) return -1;
  switch (format) {
    case kAudioAc3:
      return 0x80 + physicalStream;
    case kAudioDts:
      return 0x88 + physicalStream;
    case kAudioLpcm:
      return 0xA0 + physicalStream;
    case kAudioMpeg1:
    case kAudioMpeg2:
      return 0xC0 + physicalStream;
    default:
      return -1;
  }
}

void FilterPack(uint8_t* pack, int keepAudio) {
  ForEachPacket(pack, kPackSize, [&](size_t pos, uint8_t id, size_t total) {
    uint8_t* p = pack + pos;
    bool keep = false;
    if (id == kSystemHeader || id == kPadding || (id >= 0xE0 && id <= 0xEF)) {
      keep = true;
    } else if (id >= 0xC0 && id <= 0xDF) {
      keep = id == keepAudio;
    } else if (id == kPrivate1) {
      const int sub = PrivateSubstream(p, total);
      keep = sub >= 0x80 && sub == keepAudio;
    }
    if (!keep) {
      p[3] = kPadding;
      memset(p + 6, 0xFF, total - 6);
    }
    return true;
  });
}

bool FindSpuPacket(const uint8_t* pack, size_t packSize, int spuStream, SpuPacket* out) {
  bool found = false;
  ForEachPacket(pack, packSize, [&](size_t pos, uint8_t id, size_t total) {
    if (id != kPrivate1) return true;
    const uint8_t* p = pack + pos;
    if (PrivateSubstream(p, total) != 0x20 + spuStream) return true;
    const size_t headerData = p[8];
    SpuPacket packet;
    if ((p[7] & 0x80) && headerData >= 5) packet.pts = ReadPts(p + 9);
    packet.data = p + 10 + headerData;
    packet.size = total - 10 - headerData;
    *out = packet;
    found = true;
    return false;
  });
  return found;
}

}  // namespace zv::dvd
