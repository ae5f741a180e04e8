#include "media/dvd/DvdSourceFilter.h"

#include "media/MediaTypes.h"
#include "media/dvd/DvdPacks.h"

#include <algorithm>
#include <cstring>

namespace zv::dvd {
namespace {

// {7A3C5E21-4B8D-4F6A-9C1E-2D5B8A0F3E91}
const CLSID kClsidDvdSource = {0x7a3c5e21, 0x4b8d, 0x4f6a, {0x9c, 0x1e, 0x2d, 0x5b, 0x8a, 0x0f, 0x3e, 0x91}};
constexpr wchar_t kPinId[] = L"Output";
constexpr wchar_t kVendor[] = L"Zentravue DVD navigator";

AM_MEDIA_TYPE StreamType(const GUID& subtype) {
  AM_MEDIA_TYPE type{};
  type.majortype = MEDIATYPE_Stream;
  type.subtype = subtype;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = 1;
  type.formattype = GUID_NULL;
  return type;
}

const GUID* const kSubtypes[] = {&MEDIASUBTYPE_MPEG2_PROGRAM, &GUID_NULL};

wchar_t* CopyToTaskMem(const wchar_t* text) {
  const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
  if (copy) memcpy(copy, text, bytes);
  return copy;
}

}  // namespace

// ---------------------------------------------------------------------------
// Reader

DvdAsyncReader::~DvdAsyncReader() { CloseHandle(requestEvent_); }

STDMETHODIMP DvdAsyncReader::QueryInterface(REFIID riid, void** out) { return pin_->QueryInterface(riid, out); }
STDMETHODIMP_(ULONG) DvdAsyncReader::AddRef() { return pin_->AddRef(); }
STDMETHODIMP_(ULONG) DvdAsyncReader::Release() { return pin_->Release(); }

STDMETHODIMP DvdAsyncReader::RequestAllocator(IMemAllocator* preferred, ALLOCATOR_PROPERTIES* props,
                                              IMemAllocator** actual) {
  if (!props || !actual) return E_POINTER;
  ALLOCATOR_PROPERTIES wanted = *props;
  if (wanted.cbAlign == 0) wanted.cbAlign = 1;
  if (wanted.cBuffers == 0) wanted.cBuffers = 4;
  if (wanted.cbBuffer == 0) wanted.cbBuffer = 64 * 1024;
  ALLOCATOR_PROPERTIES got{};
  if (preferred && SUCCEEDED(preferred->SetProperties(&wanted, &got))) {
    preferred->AddRef();
    *actual = preferred;
    return S_OK;
  }
  fw::ComPtr<IMemAllocator> allocator;
  HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                allocator.put_void());
  if (FAILED(hr)) return hr;
  if (FAILED(hr = allocator->SetProperties(&wanted, &got))) return hr;
  *actual = allocator.Detach();
  return S_OK;
}

STDMETHODIMP DvdAsyncReader::Request(IMediaSample* sample, DWORD_PTR user) {
  if (!sample) return E_POINTER;
  std::lock_guard<std::mutex> lock(mutex_);
  if (flushing_) return VFW_E_WRONG_STATE;
  sample->AddRef();
  requests_.emplace_back(sample, user);
  SetEvent(requestEvent_);
  return S_OK;
}

STDMETHODIMP DvdAsyncReader::WaitForNext(DWORD timeout, IMediaSample** sample, DWORD_PTR* user) {
  if (!sample || !user) return E_POINTER;
  *sample = nullptr;
  *user = 0;
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!requests_.empty()) {
        auto [next, cookie] = requests_.front();
        requests_.pop_front();
        *sample = next;  // the reference taken by Request goes to the caller
        *user = cookie;
        if (flushing_) return VFW_E_WRONG_STATE;
        return SyncReadAligned(next);
      }
      if (flushing_) return VFW_E_WRONG_STATE;
    }
    if (WaitForSingleObject(requestEvent_, timeout) != WAIT_OBJECT_0) return VFW_E_TIMEOUT;
  }
}

STDMETHODIMP DvdAsyncReader::SyncReadAligned(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  REFERENCE_TIME start = 0, stop = 0;
  if (FAILED(sample->GetTime(&start, &stop))) return E_FAIL;
  // Times of a byte stream's samples are byte offsets times 10^7.
  const LONGLONG position = start / 10000000;
  LONG length = static_cast<LONG>((stop - start) / 10000000);
  BYTE* buffer = nullptr;
  if (FAILED(sample->GetPointer(&buffer))) return E_FAIL;
  length = std::min(length, sample->GetSize());
  const LONGLONG total = pin_->Filter()->SegmentLength();
  const LONG available = static_cast<LONG>(std::max<LONGLONG>(0, std::min<LONGLONG>(length, total - position)));
  if (available > 0 && !pin_->Filter()->Read(position, available, buffer)) return E_FAIL;
  sample->SetActualDataLength(available);
  return available == length ? S_OK : S_FALSE;
}

STDMETHODIMP DvdAsyncReader::SyncRead(LONGLONG position, LONG length, BYTE* buffer) {
  if (!buffer || length < 0 || position < 0) return E_INVALIDARG;
  const LONGLONG total = pin_->Filter()->SegmentLength();
  const LONG available = static_cast<LONG>(std::max<LONGLONG>(0, std::min<LONGLONG>(length, total - position)));
  if (available > 0 && !pin_->Filter()->Read(position, available, buffer)) return E_FAIL;
  if (available < length) memset(buffer + available, 0, static_cast<size_t>(length - available));
  return available == length ? S_OK : S_FALSE;
}

STDMETHODIMP DvdAsyncReader::Length(LONGLONG* total, LONGLONG* available) {
  const LONGLONG length = pin_->Filter()->SegmentLength();
  if (total) *total = length;
  if (available) *available = length;
  return S_OK;
}

STDMETHODIMP DvdAsyncReader::BeginFlush() {
  std::lock_guard<std::mutex> lock(mutex_);
  flushing_ = true;
  SetEvent(requestEvent_);
  return S_OK;
}

STDMETHODIMP DvdAsyncReader::EndFlush() {
  std::lock_guard<std::mutex> lock(mutex_);
  flushing_ = false;
  return S_OK;
}

// ---------------------------------------------------------------------------
// Pin

STDMETHODIMP DvdSourcePin::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IPin) {
    *out = static_cast<IPin*>(this);
  } else if (riid == IID_IAsyncReader) {
    *out = static_cast<IAsyncReader*>(&reader_);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}
STDMETHODIMP_(ULONG) DvdSourcePin::AddRef() { return filter_->AddRef(); }
STDMETHODIMP_(ULONG) DvdSourcePin::Release() { return filter_->Release(); }

STDMETHODIMP DvdSourcePin::Connect(IPin* receiver, const AM_MEDIA_TYPE* type) {
  if (!receiver) return E_POINTER;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (peer_) return VFW_E_ALREADY_CONNECTED;
  }
  // The receiver calls back into this pin while it connects: no lock held.
  for (const GUID* subtype : kSubtypes) {
    const AM_MEDIA_TYPE offered = StreamType(*subtype);
    if (type && type->majortype != GUID_NULL && type->majortype != offered.majortype) continue;
    if (type && type->subtype != GUID_NULL && type->subtype != offered.subtype) continue;
    if (SUCCEEDED(receiver->ReceiveConnection(this, &offered))) {
      std::lock_guard<std::mutex> lock(mutex_);
      peer_ = fw::ComPtr<IPin>::Share(receiver);
      return S_OK;
    }
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

STDMETHODIMP DvdSourcePin::Disconnect() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!peer_) return S_FALSE;
  peer_.Reset();
  return S_OK;
}

STDMETHODIMP DvdSourcePin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  std::lock_guard<std::mutex> lock(mutex_);
  *pin = peer_.get();
  if (!*pin) return VFW_E_NOT_CONNECTED;
  (*pin)->AddRef();
  return S_OK;
}

STDMETHODIMP DvdSourcePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!peer_) return VFW_E_NOT_CONNECTED;
  *type = StreamType(MEDIASUBTYPE_MPEG2_PROGRAM);
  return S_OK;
}

STDMETHODIMP DvdSourcePin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = filter_;
  filter_->AddRef();
  info->dir = PINDIR_OUTPUT;
  lstrcpynW(info->achName, kPinId, MAX_PIN_NAME);
  return S_OK;
}

STDMETHODIMP DvdSourcePin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_OUTPUT;
  return S_OK;
}

STDMETHODIMP DvdSourcePin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  *id = CopyToTaskMem(kPinId);
  return *id ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DvdSourcePin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  return type->majortype == MEDIATYPE_Stream ? S_OK : S_FALSE;
}

STDMETHODIMP DvdSourcePin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  std::vector<MediaType> offered;
  for (const GUID* subtype : kSubtypes) offered.emplace_back(StreamType(*subtype));
  *types = CreateMediaTypeEnum(offered).Detach();
  return *types ? S_OK : E_OUTOFMEMORY;
}

// ---------------------------------------------------------------------------
// Filter

DvdSourceFilter::DvdSourceFilter(Navigator* navigator)
    : SourceFilterBase(kClsidDvdSource, kPinId, {}, kVendor), navigator_(navigator) {}
DvdSourceFilter::~DvdSourceFilter() = default;

STDMETHODIMP DvdSourceFilter::QueryInterface(REFIID riid, void** out) {
  if (out && riid == IID_IAMFilterMiscFlags) {
    *out = static_cast<IAMFilterMiscFlags*>(this);
    AddRef();
    return S_OK;
  }
  return SourceFilterBase::QueryInterface(riid, out);
}

STDMETHODIMP_(ULONG) DvdSourceFilter::GetMiscFlags() { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

void DvdSourceFilter::SetSegment(const Segment& segment) {
  std::lock_guard<std::mutex> lock(mutex_);
  segment_ = segment;
}

LONGLONG DvdSourceFilter::SegmentLength() {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<LONGLONG>(segment_.Blocks() * kPackSize);
}

bool DvdSourceFilter::Read(LONGLONG position, LONG length, BYTE* buffer) {
  Segment segment;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    segment = segment_;
  }
  return navigator_->ReadSegment(segment, static_cast<uint64_t>(position), static_cast<uint32_t>(length), buffer);
}

}  // namespace zv::dvd
