#pragma once
// Stream selection in file graphs that the splitter does not offer itself:
// the audio track switcher put behind a splitter with several audio tracks,
// and the pin switching of a splitter whose tracks are output pins.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"

#include <dshow.h>

#include <string>

namespace zv {

// The major type of subtitle streams of splitters (MEDIATYPE_Subtitle, which
// the MinGW headers lack).
extern const GUID kMediaTypeSubtitle;

// The one decision whether our switcher steps in for a filter: it has more
// than one connected audio output pin and no stream selection of its own
// (no IAMStreamSelect, or one that cannot even count its streams, as the
// platform's splitter under Wine). A splitter that selects streams itself
// is used as it is.
bool NeedsAudioSwitcher(IBaseFilter* filter);

// Puts an audio track switcher between every such filter's audio chains and
// one audio renderer; the other renderers leave the graph. The graph must be
// built and stopped. Tracks are named from the container's language tags
// and titles (read from `fileName` when it is a local file), else from the
// splitter's pin names. A graph that cannot take the switcher (chains that
// branch, formats the renderer refuses, a failed connection) is put back as
// it was. Returns the number of switchers inserted.
int InsertAudioSwitchers(IGraphBuilder* graph, const std::wstring& fileName, const std::wstring& pageTitle);

// Output pins of `splitter` whose media types include `majorType`, in pin order.
int CountPinsOfType(IBaseFilter* splitter, const GUID& majorType);
fw::ComPtr<IPin> PinOfType(IBaseFilter* splitter, const GUID& majorType, int index);

// Pin switching of a splitter whose tracks are output pins, in a stopped
// graph: the connected pins of the major type are cut loose (audio: with
// everything downstream of them; subtitles: only disconnected) and pin
// `index` is rendered. For subtitles, index -1 switches them off and
// remembers which pin was on; -2 renders the remembered one again.
// S_OK when a pin was rendered, and always for -1 and -2; E_FAIL when no
// pin has that index.
HRESULT SwitchSplitterPins(IGraphBuilder* graph, IBaseFilter* splitter, const GUID& majorType, long index,
                           int* rememberedSubtitle);

}  // namespace zv
