#pragma once
// The 2048-byte packs of a DVD-Video program stream: which elementary
// streams the platform's splitter gets to see, and the subpicture packets
// that this program decodes itself. Portable; no platform headers.
#include <cstddef>
#include <cstdint>

namespace zv::dvd {

constexpr size_t kPackSize = 2048;

// Stream identifiers of the audio a DVD carries: AC-3 0x80-0x87, DTS
// 0x88-0x8F, LPCM 0xA0-0xA7 (private stream 1 sub-streams), MPEG audio
// 0xC0-0xC7 (PES stream ids). -1 means no audio.
int AudioStreamId(int format, int physicalStream);
enum AudioFormat { kAudioAc3 = 0, kAudioMpeg1 = 2, kAudioMpeg2 = 3, kAudioLpcm = 4, kAudioDts = 6 };

// Keeps video, the pack and system headers and the one audio stream
// `keepAudio` (an id of AudioStreamId, or -1); every other packet becomes a
// padding packet of the same length, so offsets never move. A pack that is
// not a well-formed MPEG-2 pack is left as it is.
void FilterPack(uint8_t* pack, int keepAudio);

// The payload of the subpicture packet for stream `spuStream` (0-31) in the
// pack, if there is one. `pts` is set when the packet carries one (90 kHz),
// otherwise left at -1.
struct SpuPacket {
  const uint8_t* data = nullptr;
  size_t size = 0;
  int64_t pts = -1;
};
bool FindSpuPacket(const uint8_t* pack, size_t packSize, int spuStream, SpuPacket* out);

}  // namespace zv::dvd
