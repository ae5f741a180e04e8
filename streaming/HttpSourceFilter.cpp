#include "streaming/HttpSourceFilter.h"

#include "media/MediaTypes.h"
#include "streaming/HttpStream.h"
#include "streaming/StreamSniff.h"

#include <cwchar>

namespace zv::net {

// {AC40C755-E979-46CA-A972-08AD1B0BA8D2}
const GUID CLSID_ZvHttpSource = {0xac40c755, 0xe979, 0x46ca, {0xa9, 0x72, 0x08, 0xad, 0x1b, 0x0b, 0xa8, 0xd2}};

namespace {

// The subtype that lets a splitter registered for one container take the
// stream; splitters that look for themselves accept any subtype.
GUID SubtypeOf(Container container) {
  switch (container) {
    case Container::kAvi:
      return MEDIASUBTYPE_Avi;
    case Container::kWave:
      return MEDIASUBTYPE_WAVE;
    case Container::kMpegSystem:
      return MEDIASUBTYPE_MPEG1System;
    case Container::kMpegVideo:
      return MEDIASUBTYPE_MPEG1Video;
    case Container::kMpegAudio:
      return MEDIASUBTYPE_MPEG1Audio;
    case Container::kUnknown:
      break;
  }
  return GUID_NULL;
}

AM_MEDIA_TYPE StreamType(const GUID& subtype) {
  AM_MEDIA_TYPE type{};
  type.majortype = MEDIATYPE_Stream;
  type.subtype = subtype;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = 1;
  return type;
}


}  // namespace

HttpSourceFilter* HttpSourceFilter::Create(std::shared_ptr<HttpStream> stream, const std::wstring& name) {
  if (!stream) return nullptr;
  return new HttpSourceFilter(std::move(stream), name);
}

HttpSourceFilter::HttpSourceFilter(std::shared_ptr<HttpStream> stream, const std::wstring& name)
    : stream_(std::move(stream)), name_(name), pin_(*this) {
  const StreamInfo info = stream_->Info();
  const GUID sniffed = SubtypeOf(SniffContainer(info.head.data(), info.head.size()));
  if (sniffed != GUID_NULL) pin_.types.push_back(StreamType(sniffed));
  pin_.types.push_back(StreamType(GUID_NULL));
}

HttpSourceFilter::~HttpSourceFilter() {
  stream_->Abort();
  if (clock_) clock_->Release();
}

IPin* HttpSourceFilter::OutputPin() { return &pin_; }

HRESULT HttpSourceFilter::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
    *out = static_cast<IBaseFilter*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG HttpSourceFilter::AddRef() { return ++references_; }

ULONG HttpSourceFilter::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT HttpSourceFilter::GetClassID(CLSID* id) {
  if (!id) return E_POINTER;
  *id = CLSID_ZvHttpSource;
  return S_OK;
}

HRESULT HttpSourceFilter::Stop() {
  std::lock_guard<std::mutex> guard(lock_);
  state_ = State_Stopped;
  return S_OK;
}

HRESULT HttpSourceFilter::Pause() {
  std::lock_guard<std::mutex> guard(lock_);
  state_ = State_Paused;
  return S_OK;
}

HRESULT HttpSourceFilter::Run(REFERENCE_TIME) {
  std::lock_guard<std::mutex> guard(lock_);
  state_ = State_Running;
  return S_OK;
}

HRESULT HttpSourceFilter::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  std::lock_guard<std::mutex> guard(lock_);
  *state = state_;
  return S_OK;
}

HRESULT HttpSourceFilter::SetSyncSource(IReferenceClock* clock) {
  std::lock_guard<std::mutex> guard(lock_);
  if (clock) clock->AddRef();
  if (clock_) clock_->Release();
  clock_ = clock;
  return S_OK;
}

HRESULT HttpSourceFilter::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  std::lock_guard<std::mutex> guard(lock_);
  *clock = clock_;
  if (clock_) clock_->AddRef();
  return S_OK;
}

HRESULT HttpSourceFilter::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  *pins = CreatePinEnum({&pin_}).Detach();
  return *pins ? S_OK : E_OUTOFMEMORY;
}

HRESULT HttpSourceFilter::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  if (std::wcscmp(id, kOutputPinName) != 0) {
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
  }
  *pin = &pin_;
  pin_.AddRef();
  return S_OK;
}

HRESULT HttpSourceFilter::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  std::lock_guard<std::mutex> guard(lock_);
  wcsncpy(info->achName, name_.c_str(), MAX_FILTER_NAME - 1);
  info->achName[MAX_FILTER_NAME - 1] = 0;
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

HRESULT HttpSourceFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  std::lock_guard<std::mutex> guard(lock_);
  graph_ = graph;
  if (name) name_ = name;
  return S_OK;
}

HRESULT HttpSourceFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

}  // namespace zv::net
