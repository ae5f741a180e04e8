// DVD packs and subpicture units: the pack filter the splitter's data goes
// through, the subpicture packet search, the reassembly of units and the
// run-length decoder with composition.
#include "media/dvd/DvdPacks.h"
#include "media/dvd/Subpicture.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zv::dvd;
  std::vector<uint8_t> pack(kPackSize, 0);
  memcpy(pack.data(), data, size < kPackSize ? size : kPackSize);
  const int keep = size > 0 ? data[0] : -1;
  FilterPack(pack.data(), keep);
  SpuPacket packet;
  SpuAssembler assembler;
  std::vector<uint8_t> unit;
  int64_t pts = -1;
  for (int stream = 0; stream < 2; ++stream)
    if (FindSpuPacket(data, size, stream, &packet)) assembler.Add(packet.data, packet.size, packet.pts, &unit, &pts);
  SpuImage image;
  if (DecodeSpu(data, size, 0, &image)) {
    uint32_t palette[16];
    for (int i = 0; i < 16; ++i) palette[i] = static_cast<uint32_t>(i) * 0x111111u;
    Highlight highlight;
    highlight.on = true;
    highlight.sx = 2;
    highlight.ex = 40;
    highlight.sy = 1;
    highlight.ey = 30;
    highlight.colours = 0xFEDC7654u;
    std::vector<uint32_t> frame;
    ComposeSpu(image, palette, highlight, 64, 48, &frame);
  }
  return 0;
}
