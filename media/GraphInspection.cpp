// CDirectShow: what looks at the graph from outside the transport: the
// Running Object Table, the trace dump, filter lists, property pages, the
// overlay mixer's mode and the filter searches of the graph builds.
#include "media/DirectShow.h"

#include "app/DebugDlg.h"
#include "framework/WideString.h"
#include "media/MediaText.h"

#include <olectl.h>

#include <cwctype>

namespace {

constexpr int kFilterMenuFirstId = 59000;
constexpr int kFilterMenuMaxItems = 1000;

std::wstring FilterName(IBaseFilter* filter) {
  FILTER_INFO info{};
  if (FAILED(filter->QueryFilterInfo(&info))) return {};
  if (info.pGraph) info.pGraph->Release();
  info.achName[MAX_FILTER_NAME - 1] = 0;
  return info.achName;
}

// Calls `visit` for every filter of the graph in enumeration order.
template <class Visit>
void ForEachFilter(IGraphBuilder* graph, Visit visit) {
  if (!graph) return;
  fw::ComPtr<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(filters.put()))) return;
  for (;;) {
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) return;
    visit(filter.get());
  }
}

template <class Visit>
void ForEachPin(IBaseFilter* filter, Visit visit) {
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.put()))) return;
  for (;;) {
    fw::ComPtr<IPin> pin;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) return;
    if (!visit(pin.get())) return;
  }
}

std::wstring PinId(IPin* pin) {
  LPWSTR id = nullptr;
  if (FAILED(pin->QueryId(&id)) || !id) return {};
  std::wstring text(id);
  CoTaskMemFree(id);
  return text;
}

}  // namespace

HRESULT CDirectShow::AddToRot(IUnknown* graph, DWORD* cookie) {
  fw::ComPtr<IRunningObjectTable> table;
  if (FAILED(GetRunningObjectTable(0, table.put()))) return E_FAIL;
  const std::wstring name = fw::ToWide(
      zv::RotItemName(reinterpret_cast<uintptr_t>(graph), static_cast<uint32_t>(GetCurrentProcessId())));
  fw::ComPtr<IMoniker> moniker;
  HRESULT hr = CreateItemMoniker(L"!", name.c_str(), moniker.put());
  if (FAILED(hr)) return hr;
  DWORD registration = 0;
  hr = table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, graph, moniker.get(), &registration);
  if (cookie) *cookie = SUCCEEDED(hr) ? registration : 0;
  return hr;
}

HRESULT CDirectShow::RemoveFromRot(DWORD cookie) {
  fw::ComPtr<IRunningObjectTable> table;
  if (FAILED(GetRunningObjectTable(0, table.put()))) return E_FAIL;
  return table->Revoke(cookie);
}

void CDirectShow::DumpGraph() {
  if (!log_) return;
  ForEachFilter(graph_.get(), [&](IBaseFilter* filter) {
    log_->TraceRaw(fw::Format(L"Filtername: %s\r\n", FilterName(filter).c_str()));
    ForEachPin(filter, [&](IPin* pin) {
      PIN_DIRECTION direction = PINDIR_INPUT;
      pin->QueryDirection(&direction);
      const wchar_t* format = direction == PINDIR_INPUT ? L"\tinput pin with id '%s' connected to "
                                                        : L"\toutput pin with id '%s' connected to ";
      log_->TraceRaw(fw::Format(format, PinId(pin).c_str()));
      fw::ComPtr<IPin> peer;
      PIN_INFO info{};
      if (SUCCEEDED(pin->ConnectedTo(peer.put())) && peer && SUCCEEDED(peer->QueryPinInfo(&info))) {
        fw::ComPtr<IBaseFilter> owner = fw::ComPtr<IBaseFilter>::Attach(info.pFilter);
        log_->TraceRaw(fw::Format(L"%s\r\n\r\n", owner ? FilterName(owner.get()).c_str() : L""));
      } else {
        log_->TraceRaw(L"*none*\r\n\r\n");
      }
      return true;
    });
  });
}

void CDirectShow::RemoveAllFilters() {
  if (!graph_) return;
  // Removing a filter invalidates the enumeration; start over each time.
  for (;;) {
    fw::ComPtr<IEnumFilters> filters;
    if (FAILED(graph_->EnumFilters(filters.put()))) return;
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) return;
    if (FAILED(graph_->RemoveFilter(filter.get()))) return;
  }
}

HRESULT CDirectShow::SetAspectRatioMode(int mode) {
  HRESULT hr = S_FALSE;
  if (!overlayMixerLookedUp_ && graph_) {
    overlayMixerLookedUp_ = true;
    graph_->FindFilterByName(L"Overlay Mixer", overlayMixer_.put());
  }
  if (overlayMixer_ && !overlayPinConfig_) {
    ForEachPin(overlayMixer_.get(), [&](IPin* pin) {
      std::wstring id = PinId(pin).substr(0, 255);
      for (wchar_t& c : id) c = static_cast<wchar_t>(std::towupper(c));
      if (id != L"INPUT0") return true;
      pin->QueryInterface(__uuidof(IMixerPinConfig), overlayPinConfig_.put_void());
      return false;
    });
  }
  if (overlayPinConfig_) hr = overlayPinConfig_->SetAspectRatioMode(mode);
  Trace(L"CDirectShow_SetAspectRatioMode::" + fw::ToWide(zv::AspectRatioModeName(mode)));
  return hr;
}

int CDirectShow::FillFilterMenu(void* target, int kind) {
  HMENU menu = kind == 1 ? static_cast<HMENU>(target) : nullptr;
  HWND list = kind == 0 ? static_cast<HWND>(target) : nullptr;
  if (menu)
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
  int count = 0;
  ForEachFilter(graph_.get(), [&](IBaseFilter* filter) {
    FILTER_INFO info{};
    if (FAILED(filter->QueryFilterInfo(&info))) return;
    if (info.pGraph) info.pGraph->Release();
    info.achName[MAX_FILTER_NAME - 1] = 0;
    fw::ComPtr<ISpecifyPropertyPages> pages;
    const bool hasPages = SUCCEEDED(filter->QueryInterface(IID_ISpecifyPropertyPages, pages.put_void()));
    if (list && hasPages) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(info.achName));
    if (menu && count < kFilterMenuMaxItems)
      AppendMenuW(menu, MF_STRING | (hasPages ? 0 : MF_GRAYED), static_cast<UINT_PTR>(kFilterMenuFirstId + count),
                  info.achName);
    ++count;
  });
  return count;
}

void CDirectShow::ShowFilterProperties(const std::wstring& filterName, HWND parent) {
  ForEachFilter(graph_.get(), [&](IBaseFilter* filter) {
    fw::ComPtr<ISpecifyPropertyPages> pages;
    if (FAILED(filter->QueryInterface(IID_ISpecifyPropertyPages, pages.put_void()))) return;
    const std::wstring name = FilterName(filter);
    CAUUID uuids{};
    if (FAILED(pages->GetPages(&uuids))) return;
    if (name == filterName) {
      POINT pt{};
      if (!GetCursorPos(&pt)) pt = {};
      HWND frameOwner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, pt.x - 50, pt.y - 50, 0, 0, parent, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
      IUnknown* object = filter;
      OleCreatePropertyFrame(frameOwner, 0, 0, name.c_str(), 1, &object, uuids.cElems, uuids.pElems, 0, 0,
                             nullptr);
      if (frameOwner) DestroyWindow(frameOwner);
    }
    CoTaskMemFree(uuids.pElems);
  });
}

fw::ComPtr<IBaseFilter> CDirectShow::FindFilterOfClass(const CLSID& clsid) const {
  fw::ComPtr<IBaseFilter> found;
  ForEachFilter(graph_.get(), [&](IBaseFilter* filter) {
    CLSID id{};
    if (found || FAILED(filter->GetClassID(&id)) || id != clsid) return;
    found = fw::ComPtr<IBaseFilter>::Share(filter);
  });
  return found;
}

void CDirectShow::CollectAudioRenderers(const CLSID& clsid) {
  static int counter = 0;  // numbers are unique for the process
  ForEachFilter(graph_.get(), [&](IBaseFilter* filter) {
    CLSID id{};
    if (FAILED(filter->GetClassID(&id)) || id != clsid) return;
    audioRenderers_.push_back({fw::ComPtr<IBaseFilter>::Share(filter), ++counter});
  });
}

void CDirectShow::DisableClosedCaptions() {
  fw::ComPtr<IBaseFilter> decoder = FindFilterOfClass(CLSID_Line21Decoder);
  if (!decoder) decoder = FindFilterOfClass(CLSID_Line21Decoder2);
  if (!decoder) return;
  if (SUCCEEDED(decoder->QueryInterface(__uuidof(IAMLine21Decoder), closedCaptions_.put_void())))
    closedCaptions_->SetServiceState(kLine21StateOff);
}
