#include "media/SourceFilterBase.h"

#include "media/MediaTypes.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace zv {

SourceFilterBase::SourceFilterBase(const CLSID& clsid, const wchar_t* pinId, std::wstring name, const wchar_t* vendor)
    : clsid_(clsid), pinId_(pinId), vendor_(vendor), name_(std::move(name)) {}

SourceFilterBase::~SourceFilterBase() = default;

HRESULT SourceFilterBase::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
    *out = static_cast<IBaseFilter*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG SourceFilterBase::AddRef() { return ++references_; }

ULONG SourceFilterBase::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT SourceFilterBase::GetClassID(CLSID* id) {
  if (!id) return E_POINTER;
  *id = clsid_;
  return S_OK;
}

HRESULT SourceFilterBase::Stop() {
  std::lock_guard<std::mutex> guard(lock_);
  state_ = State_Stopped;
  pausedAt_ = 0;
  return S_OK;
}

HRESULT SourceFilterBase::Pause() {
  fw::ComPtr<IReferenceClock> clock;
  {
    std::lock_guard<std::mutex> guard(lock_);
    clock = fw::ComPtr<IReferenceClock>::Share(clock_.get());
  }
  REFERENCE_TIME now = 0;
  if (clock) clock->GetTime(&now);
  std::lock_guard<std::mutex> guard(lock_);
  if (state_ == State_Running) pausedAt_ = std::max<REFERENCE_TIME>(0, now - start_);
  state_ = State_Paused;
  return S_OK;
}

HRESULT SourceFilterBase::Run(REFERENCE_TIME start) {
  std::lock_guard<std::mutex> guard(lock_);
  start_ = start;
  state_ = State_Running;
  return S_OK;
}

HRESULT SourceFilterBase::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  std::lock_guard<std::mutex> guard(lock_);
  *state = state_;
  return S_OK;
}

HRESULT SourceFilterBase::SetSyncSource(IReferenceClock* clock) {
  std::lock_guard<std::mutex> guard(lock_);
  clock_ = fw::ComPtr<IReferenceClock>::Share(clock);
  return S_OK;
}

HRESULT SourceFilterBase::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  std::lock_guard<std::mutex> guard(lock_);
  *clock = clock_.get();
  if (*clock) (*clock)->AddRef();
  return S_OK;
}

HRESULT SourceFilterBase::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  *pins = CreatePinEnum({OutputPin()}).Detach();
  return *pins ? S_OK : E_OUTOFMEMORY;
}

HRESULT SourceFilterBase::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  if (std::wcscmp(id, pinId_) != 0) {
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
  }
  *pin = OutputPin();
  (*pin)->AddRef();
  return S_OK;
}

HRESULT SourceFilterBase::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  std::lock_guard<std::mutex> guard(lock_);
  lstrcpynW(info->achName, name_.c_str(), MAX_FILTER_NAME);
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

HRESULT SourceFilterBase::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  std::lock_guard<std::mutex> guard(lock_);
  graph_ = graph;
  if (name) name_ = name;
  return S_OK;
}

HRESULT SourceFilterBase::QueryVendorInfo(LPWSTR* info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (!vendor_) return E_NOTIMPL;
  const size_t bytes = (std::wcslen(vendor_) + 1) * sizeof(wchar_t);
  *info = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
  if (!*info) return E_OUTOFMEMORY;
  std::memcpy(*info, vendor_, bytes);
  return S_OK;
}

REFERENCE_TIME SourceFilterBase::StreamTime() {
  fw::ComPtr<IReferenceClock> clock;
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (state_ == State_Stopped) return 0;
    if (state_ == State_Paused || !clock_) return pausedAt_;
    clock = fw::ComPtr<IReferenceClock>::Share(clock_.get());
  }
  REFERENCE_TIME now = 0;
  clock->GetTime(&now);
  std::lock_guard<std::mutex> guard(lock_);
  return std::max<REFERENCE_TIME>(0, now - start_);
}

void SourceFilterBase::Notify(long code, LONG_PTR param1, LONG_PTR param2) {
  fw::ComPtr<IMediaEventSink> sink;
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (!graph_) return;
    graph_->QueryInterface(IID_IMediaEventSink, sink.put_void());
  }
  if (sink) sink->Notify(code, param1, param2);
}

}  // namespace zv
