// The switcher's pins: connections, allocators and the renderer's seeking.
#include "media/AudioSwitcherPins.h"

#include <cstring>

namespace zv {

// ---- PinCore ----

HRESULT PinCore::ConnectedTo(IPin** pin) const {
  if (!pin) return E_POINTER;
  fw::ComPtr<IPin> peer = Peer();
  *pin = peer.Detach();
  return *pin ? S_OK : VFW_E_NOT_CONNECTED;
}

HRESULT PinCore::ConnectionMediaType(AM_MEDIA_TYPE* type) const {
  if (!type) return E_POINTER;
  *type = AM_MEDIA_TYPE{};
  Locked lock(&filter_->lock_);
  if (!peer_) return VFW_E_NOT_CONNECTED;
  return CopyMediaType(type, type_.get());
}

HRESULT PinCore::QueryPinInfo(PIN_INFO* info) const {
  if (!info) return E_POINTER;
  info->pFilter = filter_;
  filter_->AddRef();
  info->dir = direction_;
  lstrcpynW(info->achName, name_.c_str(), MAX_PIN_NAME);
  return S_OK;
}

HRESULT PinCore::QueryId(LPWSTR* id) const {
  if (!id) return E_POINTER;
  const size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
  *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (!*id) return E_OUTOFMEMORY;
  memcpy(*id, name_.c_str(), bytes);
  return S_OK;
}

fw::ComPtr<IPin> PinCore::Peer() const {
  Locked lock(&filter_->lock_);
  return fw::ComPtr<IPin>::Share(peer_.get());
}

MediaType PinCore::ConnectionType() const {
  Locked lock(&filter_->lock_);
  return type_;
}

// ---- InputPin ----

HRESULT CAudioSwitcher::InputPin::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPin) {
    *out = static_cast<IPin*>(this);
  } else if (iid == IID_IMemInputPin) {
    *out = static_cast<IMemInputPin*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT CAudioSwitcher::InputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
  if (!connector || !type) return E_POINTER;
  if (QueryAccept(type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  Locked lock(&filter_->lock_);
  if (peer_) return VFW_E_ALREADY_CONNECTED;
  if (!filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  if (FAILED(CopyMediaType(type_.put(), *type))) return E_OUTOFMEMORY;
  peer_ = fw::ComPtr<IPin>::Share(connector);
  hasSegment = false;
  return S_OK;
}

HRESULT CAudioSwitcher::InputPin::Disconnect() {
  Locked lock(&filter_->lock_);
  if (!filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  if (!peer_) return S_FALSE;
  peer_.Reset();
  type_.put();
  allocator_.Reset();
  return S_OK;
}

HRESULT CAudioSwitcher::InputPin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_INPUT;
  return S_OK;
}

HRESULT CAudioSwitcher::InputPin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  return type->majortype == MEDIATYPE_Audio ? S_OK : S_FALSE;
}

// An input proposes nothing; the upstream pin brings its type.
HRESULT CAudioSwitcher::InputPin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  fw::ComPtr<IEnumMediaTypes> e = CreateMediaTypeEnum({});
  *types = e.Detach();
  return *types ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAudioSwitcher::InputPin::GetAllocator(IMemAllocator** allocator) {
  if (!allocator) return E_POINTER;
  *allocator = nullptr;
  Locked lock(&filter_->lock_);
  if (!ownAllocator_) {
    const HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                        ownAllocator_.put_void());
    if (FAILED(hr)) return hr;
  }
  *allocator = fw::ComPtr<IMemAllocator>::Share(ownAllocator_.get()).Detach();
  return S_OK;
}

HRESULT CAudioSwitcher::InputPin::NotifyAllocator(IMemAllocator* allocator, BOOL) {
  if (!allocator) return E_POINTER;
  Locked lock(&filter_->lock_);
  allocator_ = fw::ComPtr<IMemAllocator>::Share(allocator);
  return S_OK;
}

HRESULT CAudioSwitcher::InputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
  if (!samples || !processed) return E_POINTER;
  HRESULT hr = S_OK;
  *processed = 0;
  while (*processed < count) {
    hr = Receive(samples[*processed]);
    if (hr != S_OK) break;
    ++*processed;
  }
  return hr;
}

void CAudioSwitcher::InputPin::Inactive() {
  fw::ComPtr<IMemAllocator> allocator;
  {
    Locked lock(&filter_->lock_);
    allocator = fw::ComPtr<IMemAllocator>::Share(allocator_.get());
  }
  if (allocator) allocator->Decommit();
  flushing = false;
  endOfStream = false;
  unpaced = false;
}

// ---- OutputPin ----

HRESULT CAudioSwitcher::OutputPin::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPin) {
    *out = static_cast<IPin*>(this);
  } else if (iid == IID_IMediaSeeking) {
    *out = static_cast<IMediaSeeking*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT CAudioSwitcher::OutputPin::Connect(IPin* receiver, const AM_MEDIA_TYPE* wanted) {
  if (!receiver) return E_POINTER;
  const MediaType offered = filter_->OutputType();
  if (offered.Empty()) return VFW_E_NO_ACCEPTABLE_TYPES;
  // A partial type (GUID_NULL parts) asks for whatever fits it.
  if (wanted && ((wanted->majortype != GUID_NULL && wanted->majortype != offered.get().majortype) ||
                 (wanted->subtype != GUID_NULL && wanted->subtype != offered.get().subtype) ||
                 (wanted->formattype != GUID_NULL && !SameMediaType(*wanted, offered.get()))))
    return VFW_E_TYPE_NOT_ACCEPTED;
  {
    Locked lock(&filter_->lock_);
    if (peer_) return VFW_E_ALREADY_CONNECTED;
    if (!filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  }
  fw::ComPtr<IMemInputPin> memInput;
  if (FAILED(receiver->QueryInterface(IID_IMemInputPin, memInput.put_void()))) return E_NOINTERFACE;
  HRESULT hr = receiver->ReceiveConnection(this, &offered.get());
  if (FAILED(hr)) return hr;

  // The renderer is told of an allocator as the protocol asks, although the
  // samples it gets come from the upstream pins' allocators.
  ALLOCATOR_PROPERTIES wantedProps{};
  memInput->GetAllocatorRequirements(&wantedProps);
  fw::ComPtr<IMemAllocator> allocator;
  if (FAILED(memInput->GetAllocator(allocator.put())) || !allocator)
    hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                          allocator.put_void());
  if (SUCCEEDED(hr)) {
    ALLOCATOR_PROPERTIES props{};
    props.cBuffers = wantedProps.cBuffers > 0 ? wantedProps.cBuffers : 1;
    props.cbBuffer = wantedProps.cbBuffer > 0 ? wantedProps.cbBuffer : 4096;
    props.cbAlign = wantedProps.cbAlign > 0 ? wantedProps.cbAlign : 1;
    props.cbPrefix = wantedProps.cbPrefix;
    ALLOCATOR_PROPERTIES actual{};
    hr = allocator->SetProperties(&props, &actual);
    if (SUCCEEDED(hr)) hr = memInput->NotifyAllocator(allocator.get(), FALSE);
  }
  if (FAILED(hr)) {
    receiver->Disconnect();
    return hr;
  }
  Locked lock(&filter_->lock_);
  peer_ = fw::ComPtr<IPin>::Share(receiver);
  type_ = offered;
  receiver_ = std::move(memInput);
  allocator_ = std::move(allocator);
  return S_OK;
}

HRESULT CAudioSwitcher::OutputPin::Disconnect() {
  fw::ComPtr<IMemAllocator> allocator;
  {
    Locked lock(&filter_->lock_);
    if (!filter_->IsStopped()) return VFW_E_NOT_STOPPED;
    if (!peer_) return S_FALSE;
    peer_.Reset();
    type_.put();
    receiver_.Reset();
    allocator = std::move(allocator_);
  }
  if (allocator) allocator->Decommit();
  return S_OK;
}

HRESULT CAudioSwitcher::OutputPin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_OUTPUT;
  return S_OK;
}

HRESULT CAudioSwitcher::OutputPin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  return SameMediaType(*type, filter_->OutputType().get()) ? S_OK : S_FALSE;
}

HRESULT CAudioSwitcher::OutputPin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  const MediaType offered = filter_->OutputType();
  std::vector<MediaType> list;
  if (!offered.Empty()) list.push_back(offered);
  fw::ComPtr<IEnumMediaTypes> e = CreateMediaTypeEnum(list);
  *types = e.Detach();
  return *types ? S_OK : E_OUTOFMEMORY;
}

void CAudioSwitcher::OutputPin::Active() {
  fw::ComPtr<IMemAllocator> allocator;
  {
    Locked lock(&filter_->lock_);
    allocator = fw::ComPtr<IMemAllocator>::Share(allocator_.get());
  }
  if (allocator) allocator->Commit();
}

void CAudioSwitcher::OutputPin::Inactive() {
  fw::ComPtr<IMemAllocator> allocator;
  {
    Locked lock(&filter_->lock_);
    allocator = fw::ComPtr<IMemAllocator>::Share(allocator_.get());
  }
  if (allocator) allocator->Decommit();
}

fw::ComPtr<IMemInputPin> CAudioSwitcher::OutputPin::Receiver() const {
  Locked lock(&filter_->lock_);
  return fw::ComPtr<IMemInputPin>::Share(receiver_.get());
}

void CAudioSwitcher::OutputPin::SetConnectionType(const MediaType& type) {
  Locked lock(&filter_->lock_);
  if (peer_) type_ = type;
}

fw::ComPtr<IMediaSeeking> CAudioSwitcher::OutputPin::Upstream() const {
  fw::ComPtr<IMediaSeeking> seeking;
  const size_t count = filter_->InputCount();
  const size_t enabled = static_cast<size_t>(filter_->EnabledInput());
  // The enabled input's splitter pin first; any connected one will do.
  for (size_t k = 0; k < count && !seeking; ++k) {
    const size_t i = (enabled + k) % count;
    fw::ComPtr<IPin> peer = filter_->inputs_[i]->Peer();
    if (peer) peer->QueryInterface(IID_IMediaSeeking, seeking.put_void());
  }
  return seeking;
}

#define ZV_FORWARD_SEEKING(call)                  \
  fw::ComPtr<IMediaSeeking> upstream = Upstream(); \
  return upstream ? upstream->call : E_NOTIMPL;

HRESULT CAudioSwitcher::OutputPin::GetCapabilities(DWORD* c) { ZV_FORWARD_SEEKING(GetCapabilities(c)) }
HRESULT CAudioSwitcher::OutputPin::CheckCapabilities(DWORD* c) { ZV_FORWARD_SEEKING(CheckCapabilities(c)) }
HRESULT CAudioSwitcher::OutputPin::IsFormatSupported(const GUID* f) { ZV_FORWARD_SEEKING(IsFormatSupported(f)) }
HRESULT CAudioSwitcher::OutputPin::QueryPreferredFormat(GUID* f) { ZV_FORWARD_SEEKING(QueryPreferredFormat(f)) }
HRESULT CAudioSwitcher::OutputPin::GetTimeFormat(GUID* f) { ZV_FORWARD_SEEKING(GetTimeFormat(f)) }
HRESULT CAudioSwitcher::OutputPin::IsUsingTimeFormat(const GUID* f) { ZV_FORWARD_SEEKING(IsUsingTimeFormat(f)) }
HRESULT CAudioSwitcher::OutputPin::SetTimeFormat(const GUID* f) { ZV_FORWARD_SEEKING(SetTimeFormat(f)) }
HRESULT CAudioSwitcher::OutputPin::GetDuration(LONGLONG* d) { ZV_FORWARD_SEEKING(GetDuration(d)) }
HRESULT CAudioSwitcher::OutputPin::GetStopPosition(LONGLONG* s) { ZV_FORWARD_SEEKING(GetStopPosition(s)) }
HRESULT CAudioSwitcher::OutputPin::GetCurrentPosition(LONGLONG* c) { ZV_FORWARD_SEEKING(GetCurrentPosition(c)) }
HRESULT CAudioSwitcher::OutputPin::ConvertTimeFormat(LONGLONG* t, const GUID* tf, LONGLONG s, const GUID* sf) {
  ZV_FORWARD_SEEKING(ConvertTimeFormat(t, tf, s, sf))
}
HRESULT CAudioSwitcher::OutputPin::SetPositions(LONGLONG* c, DWORD cf, LONGLONG* s, DWORD sf) {
  ZV_FORWARD_SEEKING(SetPositions(c, cf, s, sf))
}
HRESULT CAudioSwitcher::OutputPin::GetPositions(LONGLONG* c, LONGLONG* s) { ZV_FORWARD_SEEKING(GetPositions(c, s)) }
HRESULT CAudioSwitcher::OutputPin::GetAvailable(LONGLONG* e, LONGLONG* l) { ZV_FORWARD_SEEKING(GetAvailable(e, l)) }
HRESULT CAudioSwitcher::OutputPin::SetRate(double r) { ZV_FORWARD_SEEKING(SetRate(r)) }
HRESULT CAudioSwitcher::OutputPin::GetRate(double* r) { ZV_FORWARD_SEEKING(GetRate(r)) }
HRESULT CAudioSwitcher::OutputPin::GetPreroll(LONGLONG* p) { ZV_FORWARD_SEEKING(GetPreroll(p)) }

#undef ZV_FORWARD_SEEKING

}  // namespace zv
