#include "media/RendererChoice.h"

namespace zv {

const char16_t* RendererName(RendererKind kind) {
  switch (kind) {
    case RendererKind::Enhanced:
      return u"Enhanced Video Renderer";
    case RendererKind::MixingRenderer9:
      return u"Video Mixing Renderer 9";
    case RendererKind::MixingRenderer7:
      return u"Video Mixing Renderer 7";
    case RendererKind::Classic:
      return u"Video Renderer";
  }
  return u"";
}

std::vector<RendererKind> RendererCandidates(const std::u16string& setting) {
  const RendererKind all[] = {RendererKind::Enhanced, RendererKind::MixingRenderer9, RendererKind::MixingRenderer7,
                              RendererKind::Classic};
  if (setting == u"Current") return {std::begin(all), std::end(all)};
  for (RendererKind kind : all)
    if (setting == RendererName(kind)) return {kind};
  return {};
}

}  // namespace zv
