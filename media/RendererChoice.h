#pragma once
// Which video renderers the VideoRenderer setting asks for, in the order
// they are tried, and the names they carry in the filter graph.
#include <string>
#include <vector>

namespace zv {

enum class RendererKind { Enhanced, MixingRenderer9, MixingRenderer7, Classic };

// "Current" tries every renderer from the newest to the oldest; a renderer's
// own name asks for that one only; anything else (the comparison is exact)
// asks for none, leaving the choice to the platform.
std::vector<RendererKind> RendererCandidates(const std::u16string& setting);

// The name under which the renderer is added to the graph, which is also
// the setting's value that selects it.
const char16_t* RendererName(RendererKind kind);

}  // namespace zv
