#include "media/StreamSelection.h"

#include "framework/WideString.h"
#include "media/AudioSwitcher.h"
#include "media/LanguageNames.h"
#include "media/MediaTypes.h"
#include "media/PlatformQuirks.h"
#include "media/TrackTags.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zv {

const GUID kMediaTypeSubtitle = {0xe487eb08, 0x6b26, 0x4be9, {0x9d, 0xd3, 0x99, 0x34, 0x34, 0xd3, 0x13, 0xfd}};

namespace {

constexpr int kLongestChain = 16;  // filters between a splitter pin and its renderer

std::vector<fw::ComPtr<IPin>> Pins(IBaseFilter* filter, PIN_DIRECTION wanted) {
  std::vector<fw::ComPtr<IPin>> result;
  fw::ComPtr<IEnumPins> pins;
  if (!filter || FAILED(filter->EnumPins(pins.put()))) return result;
  for (;;) {
    fw::ComPtr<IPin> pin;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) break;
    PIN_DIRECTION direction = PINDIR_INPUT;
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted) result.push_back(std::move(pin));
  }
  return result;
}

fw::ComPtr<IPin> PeerOf(IPin* pin) {
  fw::ComPtr<IPin> peer;
  if (FAILED(pin->ConnectedTo(peer.put()))) peer.Reset();
  return peer;
}

fw::ComPtr<IBaseFilter> OwnerOf(IPin* pin) {
  PIN_INFO info{};
  if (FAILED(pin->QueryPinInfo(&info))) return {};
  return fw::ComPtr<IBaseFilter>::Attach(info.pFilter);
}

std::wstring PinName(IPin* pin) {
  PIN_INFO info{};
  if (FAILED(pin->QueryPinInfo(&info))) return {};
  if (info.pFilter) info.pFilter->Release();
  info.achName[MAX_PIN_NAME - 1] = 0;
  return info.achName;
}

std::wstring FilterName(IBaseFilter* filter) {
  FILTER_INFO info{};
  if (FAILED(filter->QueryFilterInfo(&info))) return {};
  if (info.pGraph) info.pGraph->Release();
  info.achName[MAX_FILTER_NAME - 1] = 0;
  return info.achName;
}

MediaType ConnectionType(IPin* pin) {
  MediaType type;
  if (FAILED(pin->ConnectionMediaType(type.put()))) type.put();
  return type;
}

AudioPinFormat PinFormat(IPin* pin) {
  const MediaType type = ConnectionType(pin);
  const AM_MEDIA_TYPE& t = type.get();
  if (t.formattype != FORMAT_WaveFormatEx || t.cbFormat < sizeof(WAVEFORMATEX) || !t.pbFormat) return {};
  const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(t.pbFormat);
  return {wave->nSamplesPerSec, wave->nChannels};
}

std::vector<fw::ComPtr<IPin>> ConnectedAudioOutputs(IBaseFilter* filter) {
  std::vector<fw::ComPtr<IPin>> result;
  for (fw::ComPtr<IPin>& pin : Pins(filter, PINDIR_OUTPUT)) {
    if (!PeerOf(pin.get())) continue;
    if (ConnectionType(pin.get()).get().majortype == MEDIATYPE_Audio) result.push_back(std::move(pin));
  }
  return result;
}

bool OffersTypes(IPin* pin, const GUID& majorType) {
  fw::ComPtr<IEnumMediaTypes> types;
  if (FAILED(pin->EnumMediaTypes(types.put())) || !types) return false;
  for (;;) {
    AM_MEDIA_TYPE* type = nullptr;
    if (types->Next(1, &type, nullptr) != S_OK || !type) return false;
    const bool match = type->majortype == majorType;
    DeleteMediaType(type);
    if (match) return true;
  }
}

// One audio track's way from the splitter to its renderer.
struct Chain {
  fw::ComPtr<IPin> splitterPin;
  fw::ComPtr<IPin> upstream;       // the output pin connected to the renderer
  fw::ComPtr<IPin> rendererInput;
  fw::ComPtr<IBaseFilter> renderer;
  std::wstring rendererName;
  MediaType type;                  // of the connection into the renderer
};

// Follows a pin downstream through filters with one connected output each,
// to the filter that has none: the renderer. False for branching chains.
bool FollowChain(fw::ComPtr<IPin> pin, Chain* chain) {
  chain->splitterPin = fw::ComPtr<IPin>::Share(pin.get());
  for (int depth = 0; depth < kLongestChain; ++depth) {
    fw::ComPtr<IPin> peer = PeerOf(pin.get());
    if (!peer) return false;
    fw::ComPtr<IBaseFilter> filter = OwnerOf(peer.get());
    if (!filter) return false;
    std::vector<fw::ComPtr<IPin>> outputs;
    for (fw::ComPtr<IPin>& out : Pins(filter.get(), PINDIR_OUTPUT))
      if (PeerOf(out.get())) outputs.push_back(std::move(out));
    if (outputs.empty()) {
      chain->type = ConnectionType(pin.get());
      chain->upstream = std::move(pin);
      chain->rendererInput = std::move(peer);
      chain->rendererName = FilterName(filter.get());
      chain->renderer = std::move(filter);
      return true;
    }
    if (outputs.size() != 1) return false;
    pin = std::move(outputs.front());
  }
  return false;
}

std::vector<TrackTag> AudioTracksOfFile(const std::wstring& fileName) {
  if (fileName.find(L"://") != std::wstring::npos) return {};
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  const ByteReader read = [file](uint64_t offset, size_t size) {
    std::string bytes(size, '\0');
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    if (offset > static_cast<uint64_t>(INT64_MAX) || !SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
        !ReadFile(file, bytes.data(), static_cast<DWORD>(size), &got, nullptr))
      got = 0;
    bytes.resize(got);
    return bytes;
  };
  std::vector<TrackTag> tracks = TracksOfKind(ReadTrackTags(read), TrackKind::Audio);
  CloseHandle(file);
  return tracks;
}

// Puts the chains back as they were after a failed insertion.
void Restore(IGraphBuilder* graph, CAudioSwitcher* switcher, const std::vector<Chain>& chains) {
  for (size_t i = 0; i < switcher->InputCount(); ++i) {
    if (fw::ComPtr<IPin> peer = PeerOf(switcher->Input(i))) graph->Disconnect(peer.get());
    graph->Disconnect(switcher->Input(i));
  }
  if (fw::ComPtr<IPin> peer = PeerOf(switcher->Output())) graph->Disconnect(peer.get());
  graph->Disconnect(switcher->Output());
  graph->RemoveFilter(switcher);
  for (size_t i = 1; i < chains.size(); ++i) graph->AddFilter(chains[i].renderer.get(), chains[i].rendererName.c_str());
  for (const Chain& chain : chains)
    graph->ConnectDirect(chain.upstream.get(), chain.rendererInput.get(), &chain.type.get());
}

bool InsertSwitcher(IGraphBuilder* graph, std::vector<Chain> chains, std::vector<SwitcherTrack> tracks,
                    const std::wstring& pageTitle) {
  // The kept renderer must take every track's format, as a format change.
  for (size_t i = 1; i < chains.size(); ++i) {
    if (!SameMediaType(chains[i].type.get(), chains[0].type.get()) &&
        chains[0].rendererInput->QueryAccept(&chains[i].type.get()) != S_OK)
      return false;
  }
  fw::ComPtr<CAudioSwitcher> switcher = CAudioSwitcher::Create(std::move(tracks), pageTitle);
  if (!switcher || FAILED(graph->AddFilter(switcher.get(), CAudioSwitcher::kFilterName))) return false;
  for (const Chain& chain : chains) {
    graph->Disconnect(chain.upstream.get());
    graph->Disconnect(chain.rendererInput.get());
  }
  for (size_t i = 1; i < chains.size(); ++i) graph->RemoveFilter(chains[i].renderer.get());
  HRESULT hr = S_OK;
  for (size_t i = 0; i < chains.size() && SUCCEEDED(hr); ++i)
    hr = graph->ConnectDirect(chains[i].upstream.get(), switcher->Input(i), &chains[i].type.get());
  if (SUCCEEDED(hr)) hr = graph->ConnectDirect(switcher->Output(), chains[0].rendererInput.get(), &chains[0].type.get());
  if (SUCCEEDED(hr)) return true;
  Restore(graph, switcher.get(), chains);
  return false;
}

// Removes `filter` and every filter downstream of it.
void RemoveDownstream(IGraphBuilder* graph, IBaseFilter* filter, int depth = 0) {
  if (depth > kLongestChain) return;
  for (fw::ComPtr<IPin>& out : Pins(filter, PINDIR_OUTPUT)) {
    fw::ComPtr<IPin> peer = PeerOf(out.get());
    if (!peer) continue;
    if (fw::ComPtr<IBaseFilter> next = OwnerOf(peer.get())) RemoveDownstream(graph, next.get(), depth + 1);
  }
  graph->RemoveFilter(filter);
}

}  // namespace

bool NeedsAudioSwitcher(IBaseFilter* filter) {
  if (ConnectedAudioOutputs(filter).size() < 2) return false;
  fw::ComPtr<IAMStreamSelect> select;
  DWORD count = 0;
  if (SUCCEEDED(filter->QueryInterface(IID_IAMStreamSelect, select.put_void())) && SUCCEEDED(select->Count(&count)) &&
      count > 0)
    return false;
  return true;
}

int InsertAudioSwitchers(IGraphBuilder* graph, const std::wstring& fileName, const std::wstring& pageTitle) {
  if (!graph) return 0;
  std::vector<fw::ComPtr<IBaseFilter>> splitters;
  fw::ComPtr<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(filters.put()))) return 0;
  for (;;) {
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) break;
    if (NeedsAudioSwitcher(filter.get())) splitters.push_back(std::move(filter));
  }
  filters.Reset();  // the graph changes from here on

  int inserted = 0;
  std::vector<TrackTag> tags;
  bool tagsRead = false;
  for (fw::ComPtr<IBaseFilter>& splitter : splitters) {
    std::vector<Chain> chains;
    bool simple = true;
    for (fw::ComPtr<IPin>& pin : ConnectedAudioOutputs(splitter.get())) {
      Chain chain;
      if (!FollowChain(std::move(pin), &chain)) simple = false;
      chains.push_back(std::move(chain));
    }
    if (!simple || chains.size() < 2) continue;
    if (!tagsRead) {
      tags = AudioTracksOfFile(fileName);
      tagsRead = true;
    }
    // Which container track each pin carries, as far as it can be told.
    std::vector<AudioPinFormat> formats;
    for (const Chain& chain : chains) formats.push_back(PinFormat(chain.splitterPin.get()));
    const std::vector<int> assigned =
        splitters.size() == 1 ? AssignTracksToPins(formats, tags, SplitterPinsKeepTrackOrder())
                              : std::vector<int>(chains.size(), -1);
    // The switcher's inputs follow the container's track order (the first
    // track plays first), whatever order the pins came in.
    std::vector<size_t> order(chains.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      const size_t ta = assigned[a] >= 0 ? static_cast<size_t>(assigned[a]) : SIZE_MAX;
      const size_t tb = assigned[b] >= 0 ? static_cast<size_t>(assigned[b]) : SIZE_MAX;
      return ta < tb;
    });
    std::vector<Chain> ordered;
    std::vector<SwitcherTrack> tracks;
    for (size_t i : order) {
      const std::wstring pinName = PinName(chains[i].splitterPin.get());
      SwitcherTrack track;
      if (assigned[i] >= 0) {
        const TrackTag& tag = tags[static_cast<size_t>(assigned[i])];
        track.language = tag.language;
        track.name = fw::ToWide(StreamDisplayName(tag.language, tag.title, fw::ToU16(pinName)));
      } else {
        track.name = pinName;
      }
      tracks.push_back(std::move(track));
      ordered.push_back(std::move(chains[i]));
    }
    chains = std::move(ordered);
    if (InsertSwitcher(graph, std::move(chains), std::move(tracks), pageTitle)) ++inserted;
  }
  return inserted;
}

int CountPinsOfType(IBaseFilter* splitter, const GUID& majorType) {
  int count = 0;
  for (fw::ComPtr<IPin>& pin : Pins(splitter, PINDIR_OUTPUT))
    if (OffersTypes(pin.get(), majorType)) ++count;
  return count;
}

fw::ComPtr<IPin> PinOfType(IBaseFilter* splitter, const GUID& majorType, int index) {
  int number = 0;
  for (fw::ComPtr<IPin>& pin : Pins(splitter, PINDIR_OUTPUT)) {
    if (!OffersTypes(pin.get(), majorType)) continue;
    if (number++ == index) return std::move(pin);
  }
  return {};
}

HRESULT SwitchSplitterPins(IGraphBuilder* graph, IBaseFilter* splitter, const GUID& majorType, long index,
                           int* rememberedSubtitle) {
  if (!graph || !splitter) return E_FAIL;
  const bool subtitles = majorType != MEDIATYPE_Audio;
  fw::ComPtr<IPin> chosen;
  int number = 0;
  for (fw::ComPtr<IPin>& pin : Pins(splitter, PINDIR_OUTPUT)) {
    if (!OffersTypes(pin.get(), majorType)) continue;
    if (fw::ComPtr<IPin> peer = PeerOf(pin.get())) {
      if (subtitles && index == -1 && rememberedSubtitle) *rememberedSubtitle = number;
      if (subtitles) {
        graph->Disconnect(peer.get());
        graph->Disconnect(pin.get());
      } else if (fw::ComPtr<IBaseFilter> downstream = OwnerOf(peer.get())) {
        RemoveDownstream(graph, downstream.get());
      }
    }
    const long wanted = subtitles && index == -2 && rememberedSubtitle ? *rememberedSubtitle : index;
    if (number == wanted) chosen = fw::ComPtr<IPin>::Share(pin.get());
    ++number;
  }
  if (chosen) {
    const HRESULT hr = graph->Render(chosen.get());
    if (FAILED(hr)) return hr;
    return S_OK;
  }
  return subtitles && (index == -1 || index == -2) ? S_OK : E_FAIL;
}

}  // namespace zv
