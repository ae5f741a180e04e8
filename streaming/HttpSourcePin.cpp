// The output pin of the network source: connection to a splitter, and the
// splitter's reads through IAsyncReader (queued or synchronous).
#include "streaming/HttpSourceFilter.h"

#include "media/MediaTypes.h"
#include "streaming/HttpStream.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace zv::net {
namespace {

// IAsyncReader gives byte positions as reference times of that many units.
constexpr LONGLONG kBytesToTime = 10000000;

bool Matches(const AM_MEDIA_TYPE& offered, const AM_MEDIA_TYPE* wanted) {
  if (!wanted) return true;
  if (wanted->majortype != GUID_NULL && wanted->majortype != offered.majortype) return false;
  if (wanted->subtype != GUID_NULL && wanted->subtype != offered.subtype) return false;
  return true;
}

}  // namespace

HttpSourceFilter::Pin::~Pin() {
  if (peer_) peer_->Release();
  FreeMediaType(connectionType_);
  for (PendingRead& read : requests_) read.sample->Release();
}

HRESULT HttpSourceFilter::Pin::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPin) {
    *out = static_cast<IPin*>(this);
  } else if (iid == IID_IAsyncReader) {
    *out = static_cast<IAsyncReader*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

// The splitter's ReceiveConnection reads the stream (it may build its whole
// parser there, which takes network time), so no lock of ours is held
// across it: reads must go on meanwhile.
HRESULT HttpSourceFilter::Pin::Connect(IPin* receiver, const AM_MEDIA_TYPE* type) {
  if (!receiver) return E_POINTER;
  {
    std::lock_guard<std::mutex> guard(filter_.lock_);
    if (peer_ || connecting_) return VFW_E_ALREADY_CONNECTED;
    if (filter_.state_ != State_Stopped) return VFW_E_NOT_STOPPED;
    connecting_ = true;
  }
  HRESULT result = VFW_E_NO_ACCEPTABLE_TYPES;
  const bool complete = type && type->majortype != GUID_NULL && type->subtype != GUID_NULL;
  if (complete) {
    result = QueryAccept(type) == S_OK ? TryConnect(receiver, *type) : VFW_E_TYPE_NOT_ACCEPTED;
  } else {
    for (const AM_MEDIA_TYPE& offered : types) {
      if (!Matches(offered, type)) continue;
      if (SUCCEEDED(TryConnect(receiver, offered))) {
        result = S_OK;
        break;
      }
    }
  }
  std::lock_guard<std::mutex> guard(filter_.lock_);
  connecting_ = false;
  return result;
}

HRESULT HttpSourceFilter::Pin::TryConnect(IPin* receiver, const AM_MEDIA_TYPE& type) {
  const HRESULT result = receiver->ReceiveConnection(this, &type);
  if (FAILED(result)) return result;
  std::lock_guard<std::mutex> guard(filter_.lock_);
  peer_ = receiver;
  peer_->AddRef();
  FreeMediaType(connectionType_);
  CopyMediaType(&connectionType_, type);
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) { return E_UNEXPECTED; }

HRESULT HttpSourceFilter::Pin::Disconnect() {
  std::lock_guard<std::mutex> guard(filter_.lock_);
  if (!peer_) return S_FALSE;
  if (filter_.state_ != State_Stopped) return VFW_E_NOT_STOPPED;
  peer_->Release();
  peer_ = nullptr;
  FreeMediaType(connectionType_);
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  std::lock_guard<std::mutex> guard(filter_.lock_);
  *pin = peer_;
  if (!peer_) return VFW_E_NOT_CONNECTED;
  peer_->AddRef();
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  std::lock_guard<std::mutex> guard(filter_.lock_);
  if (!peer_) {
    *type = AM_MEDIA_TYPE{};
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaType(type, connectionType_);
}

HRESULT HttpSourceFilter::Pin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = &filter_;
  filter_.AddRef();
  info->dir = PINDIR_OUTPUT;
  wcsncpy(info->achName, kOutputPinName, MAX_PIN_NAME - 1);
  info->achName[MAX_PIN_NAME - 1] = 0;
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_OUTPUT;
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  const size_t bytes = sizeof kOutputPinName;
  *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (!*id) return E_OUTOFMEMORY;
  std::memcpy(*id, kOutputPinName, bytes);
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  return type->majortype == MEDIATYPE_Stream ? S_OK : S_FALSE;
}

HRESULT HttpSourceFilter::Pin::EnumMediaTypes(IEnumMediaTypes** enumerator) {
  if (!enumerator) return E_POINTER;
  const std::vector<MediaType> offered(types.begin(), types.end());
  *enumerator = CreateMediaTypeEnum(offered).Detach();
  return *enumerator ? S_OK : E_OUTOFMEMORY;
}

HRESULT HttpSourceFilter::Pin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }
HRESULT HttpSourceFilter::Pin::EndOfStream() { return E_UNEXPECTED; }
HRESULT HttpSourceFilter::Pin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

// ---- IAsyncReader ----

HRESULT HttpSourceFilter::Pin::RequestAllocator(IMemAllocator* preferred, ALLOCATOR_PROPERTIES* properties,
                                                IMemAllocator** actual) {
  if (!properties || !actual) return E_POINTER;
  *actual = nullptr;
  ALLOCATOR_PROPERTIES wanted = *properties;
  if (wanted.cbAlign < 1) wanted.cbAlign = 1;
  ALLOCATOR_PROPERTIES got{};
  if (preferred && SUCCEEDED(preferred->SetProperties(&wanted, &got))) {
    *actual = preferred;
    preferred->AddRef();
    return S_OK;
  }
  IMemAllocator* allocator = nullptr;
  HRESULT result = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                    reinterpret_cast<void**>(&allocator));
  if (FAILED(result)) return result;
  result = allocator->SetProperties(&wanted, &got);
  if (FAILED(result)) {
    allocator->Release();
    return result;
  }
  *actual = allocator;
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::Request(IMediaSample* sample, DWORD_PTR user) {
  if (!sample) return E_POINTER;
  REFERENCE_TIME start = 0, stop = 0;
  if (FAILED(sample->GetTime(&start, &stop)) || start < 0 || stop < start) return E_INVALIDARG;
  std::lock_guard<std::mutex> guard(requestsLock_);
  if (flushing_) return VFW_E_WRONG_STATE;
  sample->AddRef();
  requests_.push_back({sample, user});
  requestsChanged_.notify_all();
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::ReadInto(IMediaSample* sample, DWORD waitMs, uint32_t epoch) {
  REFERENCE_TIME start = 0, stop = 0;
  BYTE* buffer = nullptr;
  if (FAILED(sample->GetTime(&start, &stop)) || FAILED(sample->GetPointer(&buffer)) || start < 0 || stop < start)
    return E_INVALIDARG;
  const LONGLONG wanted = std::min<LONGLONG>((stop - start) / kBytesToTime, sample->GetSize());
  uint32_t got = 0;
  const HRESULT result = filter_.stream_->Read(static_cast<uint64_t>(start / kBytesToTime),
                                              static_cast<uint32_t>(wanted), buffer, &got, waitMs, epoch);
  if (result == VFW_E_TIMEOUT) return result;
  sample->SetActualDataLength(static_cast<long>(got));
  if (result == S_FALSE) {
    // Short at the end: the sample's times tell the splitter how much came.
    REFERENCE_TIME end = start + static_cast<REFERENCE_TIME>(got) * kBytesToTime;
    sample->SetTime(&start, &end);
  }
  return result;
}

HRESULT HttpSourceFilter::Pin::WaitForNext(DWORD timeoutMs, IMediaSample** sample, DWORD_PTR* user) {
  if (!sample || !user) return E_POINTER;
  *sample = nullptr;
  *user = 0;
  const auto deadline = timeoutMs == INFINITE ? std::chrono::steady_clock::time_point::max()
                                              : std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  PendingRead read{};
  bool flushing = false;
  {
    std::unique_lock<std::mutex> lock(requestsLock_);
    const auto ready = [this] { return flushing_ || !requests_.empty(); };
    if (timeoutMs == INFINITE) requestsChanged_.wait(lock, ready);
    else if (!requestsChanged_.wait_until(lock, deadline, ready)) return VFW_E_TIMEOUT;
    if (requests_.empty()) return VFW_E_WRONG_STATE;  // flushing, nothing left to hand back
    read = requests_.front();
    requests_.pop_front();
    flushing = flushing_;
  }
  HRESULT result = VFW_E_WRONG_STATE;
  if (!flushing) {
    DWORD left = INFINITE;
    if (timeoutMs != INFINITE) {
      const auto now = std::chrono::steady_clock::now();
      left = now >= deadline ? 0
                             : static_cast<DWORD>(
                                   std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count());
    }
    result = ReadInto(read.sample, left, filter_.stream_->Epoch());
    if (result == VFW_E_TIMEOUT) {
      // Not there yet: the request stays first in line.
      std::lock_guard<std::mutex> guard(requestsLock_);
      requests_.push_front(read);
      return VFW_E_TIMEOUT;
    }
  }
  *sample = read.sample;  // the queue's reference goes to the caller
  *user = read.user;
  return result;
}

// IPin and IAsyncReader share these two methods. Nobody flushes an output
// pin through IPin, so they are the reader's: waits end, queued requests
// come back with an error, and new ones are refused until EndFlush.
HRESULT HttpSourceFilter::Pin::BeginFlush() {
  {
    std::lock_guard<std::mutex> guard(requestsLock_);
    flushing_ = true;
  }
  filter_.stream_->Interrupt();
  requestsChanged_.notify_all();
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::EndFlush() {
  std::lock_guard<std::mutex> guard(requestsLock_);
  flushing_ = false;
  return S_OK;
}

HRESULT HttpSourceFilter::Pin::SyncReadAligned(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  return ReadInto(sample, INFINITE, filter_.stream_->Epoch());
}

HRESULT HttpSourceFilter::Pin::SyncRead(LONGLONG position, LONG length, BYTE* buffer) {
  if (!buffer) return E_POINTER;
  if (position < 0 || length < 0) return E_INVALIDARG;
  uint32_t got = 0;
  const HRESULT result = filter_.stream_->Read(static_cast<uint64_t>(position), static_cast<uint32_t>(length),
                                              buffer, &got, INFINITE, filter_.stream_->Epoch());
  // Some splitters use the whole buffer whatever the result says: what did
  // not come reads as zeros rather than as stale memory.
  if (got < static_cast<uint32_t>(length)) std::memset(buffer + got, 0, static_cast<size_t>(length) - got);
  return result;
}

HRESULT HttpSourceFilter::Pin::Length(LONGLONG* total, LONGLONG* available) {
  if (!total || !available) return E_POINTER;
  const StreamInfo info = filter_.stream_->Info();
  if (info.length && !info.live) {
    *total = *available = static_cast<LONGLONG>(*info.length);
    return S_OK;
  }
  *total = kUnknownLength;
  *available = static_cast<LONGLONG>(filter_.stream_->BytesReceived());
  return VFW_S_ESTIMATED;
}

}  // namespace zv::net
