#pragma once
// Joining the Enhanced Video Renderer to a graph.
#include "framework/ComPtr.h"
#include "media/MediaGuids.h"

namespace zv {

// Adds the renderer to the graph under `name`, then obtains its services:
// the display control, given `window` and no aspect-ratio handling of its
// own, and the mixer control. The renderer offers its services only once it
// is in a graph. False, with the renderer out of the graph again and no
// services kept, when the display control cannot be had or cannot take the
// window.
bool JoinEnhancedRenderer(IGraphBuilder* graph, IBaseFilter* renderer, const wchar_t* name, HWND window,
                          fw::ComPtr<IMFVideoDisplayControl>& display, fw::ComPtr<IMFVideoMixerControl>& mixer);

}  // namespace zv
