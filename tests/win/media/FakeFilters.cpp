#include "tests/win/media/FakeFilters.h"

#include <mferror.h>

#include <algorithm>

namespace zvtest {
namespace {

class NoPins : public IEnumPins {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IEnumPins) return *out = nullptr, E_NOINTERFACE;
    *out = static_cast<IEnumPins*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG, IPin**, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumPins** out) override {
    *out = new NoPins;
    return S_OK;
  }

 private:
  virtual ~NoPins() = default;
  std::atomic<ULONG> refs_{1};
};

HWND g_windowGiven = nullptr;

class DisplayControl : public IMFVideoDisplayControl {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != __uuidof(IMFVideoDisplayControl)) return *out = nullptr, E_NOINTERFACE;
    *out = static_cast<IMFVideoDisplayControl*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetNativeVideoSize(SIZE*, SIZE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIdealVideoSize(SIZE*, SIZE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetVideoPosition(const MFVideoNormalizedRect*, const LPRECT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetVideoPosition(MFVideoNormalizedRect*, LPRECT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetAspectRatioMode(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetAspectRatioMode(DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetVideoWindow(HWND window) override {
    g_windowGiven = window;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetVideoWindow(HWND*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RepaintVideo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCurrentImage(BITMAPINFOHEADER*, BYTE**, DWORD*, LONGLONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetBorderColor(COLORREF) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBorderColor(COLORREF*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetRenderingPrefs(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetRenderingPrefs(DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetFullscreen(WINBOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFullscreen(WINBOOL*) override { return E_NOTIMPL; }

 private:
  virtual ~DisplayControl() = default;
  std::atomic<ULONG> refs_{1};
};

}  // namespace

fw::ComPtr<IBaseFilter> StallingFilter::Create() { return fw::ComPtr<IBaseFilter>::Attach(new StallingFilter); }

fw::ComPtr<IBaseFilter> StallingFilter::CreateSlowToCue() {
  auto* filter = new StallingFilter;
  filter->stalling_ = false;
  return fw::ComPtr<IBaseFilter>::Attach(filter);
}

HRESULT StallingFilter::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
    *out = static_cast<IBaseFilter*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG StallingFilter::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT StallingFilter::GetClassID(CLSID* id) {
  *id = CLSID_NULL;
  return S_OK;
}

HRESULT StallingFilter::Stop() {
  state_ = State_Stopped;
  if (armed_) stalling_ = false;
  armed_ = false;
  return S_OK;
}

HRESULT StallingFilter::Pause() {
  state_ = State_Paused;
  if (armed_) stalling_ = true;
  return S_FALSE;
}

HRESULT StallingFilter::Run(REFERENCE_TIME) {
  state_ = State_Running;
  return S_FALSE;
}

HRESULT StallingFilter::GetState(DWORD timeoutMs, FILTER_STATE* state) {
  *state = static_cast<FILTER_STATE>(state_.load());
  if (!stalling_ || *state == State_Stopped) return S_OK;
  Sleep(std::min<DWORD>(timeoutMs, 1000));
  return VFW_S_STATE_INTERMEDIATE;
}

HRESULT StallingFilter::SetSyncSource(IReferenceClock*) { return S_OK; }

HRESULT StallingFilter::GetSyncSource(IReferenceClock** clock) {
  *clock = nullptr;
  return S_OK;
}

HRESULT StallingFilter::EnumPins(IEnumPins** pins) {
  if (armed_ && state_ == State_Paused) ++pinsSeenWhilePaused_;
  *pins = new NoPins;
  return S_OK;
}

HRESULT StallingFilter::FindPin(LPCWSTR, IPin** pin) {
  *pin = nullptr;
  return VFW_E_NOT_FOUND;
}

HRESULT StallingFilter::QueryFilterInfo(FILTER_INFO* info) {
  lstrcpynW(info->achName, name_.c_str(), MAX_FILTER_NAME);
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

HRESULT StallingFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  graph_ = graph;
  name_ = name ? name : L"";
  return S_OK;
}

HRESULT StallingFilter::QueryVendorInfo(LPWSTR* info) {
  *info = nullptr;
  return E_NOTIMPL;
}

fw::ComPtr<IBaseFilter> EnhancedRendererStandIn::Create() {
  g_windowGiven = nullptr;
  return fw::ComPtr<IBaseFilter>::Attach(static_cast<IBaseFilter*>(new EnhancedRendererStandIn));
}

HWND EnhancedRendererStandIn::WindowGiven() { return g_windowGiven; }

HRESULT EnhancedRendererStandIn::QueryInterface(REFIID iid, void** out) {
  if (iid == __uuidof(IMFGetService)) {
    *out = static_cast<IMFGetService*>(this);
    AddRef();
    return S_OK;
  }
  return StallingFilter::QueryInterface(iid, out);
}

HRESULT EnhancedRendererStandIn::GetService(REFGUID service, REFIID iid, void** out) {
  *out = nullptr;
  if (service != MR_VIDEO_RENDER_SERVICE) return MF_E_UNSUPPORTED_SERVICE;
  // The presenter that answers for the picture comes with the graph.
  if (!graph_) return MF_E_UNSUPPORTED_SERVICE;
  if (iid != __uuidof(IMFVideoDisplayControl)) return E_NOINTERFACE;
  *out = static_cast<IMFVideoDisplayControl*>(new DisplayControl);
  return S_OK;
}

}  // namespace zvtest
