// The audio track switcher: filter state, stream selection and the
// streaming path from the enabled input to the renderer.
#include "media/AudioSwitcher.h"

#include "framework/WideString.h"
#include "media/AudioSwitcherPins.h"
#include "media/LanguageNames.h"

#include <chrono>
#include <cstring>
#include <new>

namespace zv {

const CLSID kAudioSwitcherClassId = {0x5c0a3d71, 0x2b8e, 0x4f36, {0x9d, 0x0e, 0x61, 0x7a, 0x43, 0xc2, 0x18, 0x5b}};
const CLSID kAudioSwitcherPageClassId = {0x5c0a3d72, 0x2b8e, 0x4f36, {0x9d, 0x0e, 0x61, 0x7a, 0x43, 0xc2, 0x18, 0x5b}};

// Registers the property page's class for this process, with the title its
// tab shows (AudioSwitcherPage.cpp).
HRESULT RegisterAudioSwitcherPageClass(const std::wstring& title);

namespace {

// Asked for by FromFilter: answers with the object itself.
const IID kSelfId = {0x5c0a3d73, 0x2b8e, 0x4f36, {0x9d, 0x0e, 0x61, 0x7a, 0x43, 0xc2, 0x18, 0x5b}};

constexpr DWORD kStreamGroup = 1;  // audio, as splitters number their groups
constexpr auto kLongestPaceWait = std::chrono::seconds(1);
constexpr auto kPaceRecheck = std::chrono::milliseconds(100);

}  // namespace

fw::ComPtr<CAudioSwitcher> CAudioSwitcher::Create(std::vector<SwitcherTrack> tracks, std::wstring pageTitle) {
  if (tracks.empty()) return {};
  return fw::ComPtr<CAudioSwitcher>::Attach(new (std::nothrow) CAudioSwitcher(std::move(tracks), std::move(pageTitle)));
}

fw::ComPtr<CAudioSwitcher> CAudioSwitcher::FromFilter(IUnknown* filter) {
  fw::ComPtr<CAudioSwitcher> self;
  if (filter) filter->QueryInterface(kSelfId, self.put_void());
  return self;
}

CAudioSwitcher::CAudioSwitcher(std::vector<SwitcherTrack> tracks, std::wstring pageTitle)
    : pageTitle_(std::move(pageTitle)), tracks_(std::move(tracks)) {
  InitializeCriticalSection(&lock_);
  InitializeCriticalSection(&deliverLock_);
  for (size_t i = 0; i < tracks_.size(); ++i)
    inputs_.push_back(std::make_unique<InputPin>(this, i, fw::Format(L"Input %i", static_cast<int>(i + 1))));
  output_ = std::make_unique<OutputPin>(this);
}

CAudioSwitcher::~CAudioSwitcher() {
  inputs_.clear();
  output_.reset();
  if (clock_) clock_->Release();
  DeleteCriticalSection(&deliverLock_);
  DeleteCriticalSection(&lock_);
}

IPin* CAudioSwitcher::Input(size_t index) const { return index < inputs_.size() ? inputs_[index].get() : nullptr; }
IPin* CAudioSwitcher::Output() const { return output_.get(); }
size_t CAudioSwitcher::InputCount() const { return inputs_.size(); }
const SwitcherTrack& CAudioSwitcher::Track(size_t index) const { return tracks_.at(index); }

CAudioSwitcher::Counts CAudioSwitcher::SampleCounts(size_t input) const {
  if (input >= inputs_.size()) return {};
  return {inputs_[input]->received.load(), inputs_[input]->delivered.load()};
}

// ---- IUnknown ----

HRESULT CAudioSwitcher::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter ||
      iid == kSelfId) {
    *out = static_cast<IBaseFilter*>(this);
  } else if (iid == IID_IAMStreamSelect) {
    *out = static_cast<IAMStreamSelect*>(this);
  } else if (iid == IID_ISpecifyPropertyPages) {
    *out = static_cast<ISpecifyPropertyPages*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG CAudioSwitcher::AddRef() { return static_cast<ULONG>(++refs_); }

ULONG CAudioSwitcher::Release() {
  const LONG left = --refs_;
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// ---- IBaseFilter ----

HRESULT CAudioSwitcher::GetClassID(CLSID* id) {
  if (!id) return E_POINTER;
  *id = kAudioSwitcherClassId;
  return S_OK;
}

HRESULT CAudioSwitcher::Stop() {
  {
    Locked lock(&lock_);
    if (IsStopped()) return S_OK;
    state_ = State_Stopped;
    switchPending_ = true;  // the next run starts with the enabled input's segment
    endOfStreamPending_ = false;
    endOfStreamSent_ = false;
    flushOwner_ = -1;
    segmentSent_ = false;
  }
  WakeWaitingInputs();
  for (auto& input : inputs_) input->Inactive();
  output_->Inactive();
  return S_OK;
}

HRESULT CAudioSwitcher::Pause() {
  Locked lock(&lock_);
  if (IsStopped()) {
    output_->Active();
    for (auto& input : inputs_) {
      input->flushing = false;
      input->endOfStream = false;
    }
    std::lock_guard<std::mutex> pace(paceMutex_);
    paceValid_ = false;
  }
  state_ = State_Paused;
  return S_OK;
}

// Samples are passed on as they come; the renderer keeps the time.
HRESULT CAudioSwitcher::Run(REFERENCE_TIME) {
  Locked lock(&lock_);
  if (IsStopped()) Pause();
  state_ = State_Running;
  return S_OK;
}

HRESULT CAudioSwitcher::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  *state = static_cast<FILTER_STATE>(state_.load());
  return S_OK;
}

HRESULT CAudioSwitcher::SetSyncSource(IReferenceClock* clock) {
  Locked lock(&lock_);
  if (clock) clock->AddRef();
  if (clock_) clock_->Release();
  clock_ = clock;
  return S_OK;
}

HRESULT CAudioSwitcher::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  Locked lock(&lock_);
  *clock = clock_;
  if (clock_) clock_->AddRef();
  return S_OK;
}

HRESULT CAudioSwitcher::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  std::vector<IPin*> list;
  for (auto& input : inputs_) list.push_back(input.get());
  list.push_back(output_.get());
  *pins = CreatePinEnum(list).Detach();
  return *pins ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAudioSwitcher::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  *pin = nullptr;
  for (auto& input : inputs_)
    if (input->Name() == id) *pin = input.get();
  if (output_->Name() == id) *pin = output_.get();
  if (!*pin) return VFW_E_NOT_FOUND;
  (*pin)->AddRef();
  return S_OK;
}

HRESULT CAudioSwitcher::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  Locked lock(&lock_);
  lstrcpynW(info->achName, name_.c_str(), MAX_FILTER_NAME);
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

HRESULT CAudioSwitcher::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  Locked lock(&lock_);
  graph_ = graph;
  name_ = name ? name : L"";
  return S_OK;
}

HRESULT CAudioSwitcher::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

// ---- IAMStreamSelect ----

HRESULT CAudioSwitcher::Count(DWORD* count) {
  if (!count) return E_POINTER;
  *count = static_cast<DWORD>(inputs_.size());
  return S_OK;
}

HRESULT CAudioSwitcher::Info(LONG index, AM_MEDIA_TYPE** type, DWORD* flags, LCID* lcid, DWORD* group, WCHAR** name,
                             IUnknown** object, IUnknown** unknown) {
  if (index < 0 || static_cast<size_t>(index) >= inputs_.size()) return S_FALSE;
  const size_t i = static_cast<size_t>(index);
  if (type) {
    MediaType connection = inputs_[i]->ConnectionType();
    if (connection.Empty()) connection.put()->majortype = MEDIATYPE_Audio;
    *type = CreateMediaType(connection.get());
    if (!*type) return E_OUTOFMEMORY;
  }
  if (flags) *flags = enabled_.load() == index ? (AMSTREAMSELECTINFO_ENABLED | AMSTREAMSELECTINFO_EXCLUSIVE) : 0;
  if (lcid) {
    const std::string code = TwoLetterLanguageCode(tracks_[i].language);
    *lcid = code.empty() ? 0 : LocaleNameToLCID(fw::Utf8ToWide(code).c_str(), 0);
  }
  if (group) *group = kStreamGroup;
  if (name) {
    const size_t bytes = (tracks_[i].name.size() + 1) * sizeof(WCHAR);
    *name = static_cast<WCHAR*>(CoTaskMemAlloc(bytes));
    if (*name) memcpy(*name, tracks_[i].name.c_str(), bytes);
  }
  if (object) {
    *object = static_cast<IPin*>(inputs_[i].get());
    (*object)->AddRef();
  }
  if (unknown) *unknown = nullptr;
  return S_OK;
}

HRESULT CAudioSwitcher::Enable(LONG index, DWORD flags) {
  if (index < 0 || static_cast<size_t>(index) >= inputs_.size()) return E_INVALIDARG;
  // One track always plays: neither all nor none of them.
  if (flags != AMSTREAMSELECTENABLE_ENABLE) return E_NOTIMPL;
  if (enabled_.load() == index) return S_OK;
  const size_t i = static_cast<size_t>(index);
  fw::ComPtr<IPin> downstream = Downstream();
  const MediaType wanted = inputs_[i]->ConnectionType();
  if (downstream && !SameMediaType(wanted.get(), output_->ConnectionType().get()) &&
      downstream->QueryAccept(&wanted.get()) != S_OK)
    return VFW_E_TYPE_NOT_ACCEPTED;
  bool sendEndOfStream = false;
  {
    Locked lock(&lock_);
    enabled_ = index;
    switchPending_ = true;
    endOfStreamPending_ = inputs_[i]->endOfStream && !endOfStreamSent_ && !IsStopped();
    sendEndOfStream = endOfStreamPending_;
  }
  {
    std::lock_guard<std::mutex> pace(paceMutex_);
    paceValid_ = false;
  }
  WakeWaitingInputs();
  // The new input has ended and will deliver nothing more: the renderer
  // learns it now, or from the thread that is delivering at the moment.
  if (sendEndOfStream && downstream && TryEnterCriticalSection(&deliverLock_)) {
    SendPendingEndOfStreamLocked(downstream.get());
    LeaveCriticalSection(&deliverLock_);
  }
  return S_OK;
}

// ---- ISpecifyPropertyPages ----

HRESULT CAudioSwitcher::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  const HRESULT hr = RegisterAudioSwitcherPageClass(pageTitle_);
  if (FAILED(hr)) return hr;
  pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
  if (!pages->pElems) return E_OUTOFMEMORY;
  pages->pElems[0] = kAudioSwitcherPageClassId;
  pages->cElems = 1;
  return S_OK;
}

// ---- streaming ----

fw::ComPtr<IPin> CAudioSwitcher::Downstream() const { return output_->Peer(); }

MediaType CAudioSwitcher::OutputType() const {
  Locked lock(&lock_);
  if (MediaType type = output_->ConnectionType(); !type.Empty()) return type;
  const int enabled = enabled_.load();
  return enabled >= 0 && static_cast<size_t>(enabled) < inputs_.size() ? inputs_[enabled]->ConnectionType()
                                                                        : MediaType();
}

void CAudioSwitcher::WakeWaitingInputs() {
  { std::lock_guard<std::mutex> pace(paceMutex_); }
  paceChanged_.notify_all();
}

bool CAudioSwitcher::SharesThreadWithAnotherInput(size_t input, DWORD thread) const {
  for (size_t i = 0; i < inputs_.size(); ++i)
    if (i != input && inputs_[i]->thread.load() == thread) return true;
  return false;
}

void CAudioSwitcher::WaitForEnabledInput(size_t input, IMediaSample* sample) {
  InputPin& in = *inputs_[input];
  REFERENCE_TIME start = 0;
  REFERENCE_TIME stop = 0;
  if (in.unpaced || FAILED(sample->GetTime(&start, &stop)) ||
      SharesThreadWithAnotherInput(input, GetCurrentThreadId()))
    return;
  const auto deadline = std::chrono::steady_clock::now() + kLongestPaceWait;
  std::unique_lock<std::mutex> pace(paceMutex_);
  for (;;) {
    const int enabled = enabled_.load();
    if (IsStopped() || in.flushing || enabled == static_cast<int>(input) || enabled < 0 ||
        inputs_[static_cast<size_t>(enabled)]->endOfStream || (paceValid_ && start <= paceTime_))
      return;
    if (std::chrono::steady_clock::now() >= deadline) {
      if (state_.load() == State_Running) in.unpaced = true;
      return;
    }
    paceChanged_.wait_for(pace, kPaceRecheck);
  }
}

HRESULT CAudioSwitcher::Receive(size_t input, IMediaSample* sample) {
  if (!sample) return E_POINTER;
  InputPin& in = *inputs_[input];
  if (IsStopped()) return VFW_E_WRONG_STATE;
  if (in.flushing) return S_FALSE;
  ++in.received;
  in.thread = GetCurrentThreadId();
  // An upstream format change travels with the sample; the input's type follows it.
  AM_MEDIA_TYPE* carried = nullptr;
  if (sample->GetMediaType(&carried) == S_OK && carried) {
    {
      Locked lock(&lock_);
      CopyMediaType(in.type_.put(), *carried);
    }
    if (enabled_.load() == static_cast<int>(input)) output_->SetConnectionType(MediaType(*carried));
    DeleteMediaType(carried);
  }
  if (enabled_.load() == static_cast<int>(input)) {
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    if (SUCCEEDED(sample->GetTime(&start, &stop))) {
      std::lock_guard<std::mutex> pace(paceMutex_);
      paceValid_ = true;
      paceTime_ = start;
    }
    paceChanged_.notify_all();
  } else {
    WaitForEnabledInput(input, sample);
    if (enabled_.load() != static_cast<int>(input)) return S_OK;  // dropped
  }
  fw::ComPtr<IMemInputPin> receiver = output_->Receiver();
  fw::ComPtr<IPin> downstream = Downstream();
  if (!receiver || !downstream) return S_OK;

  Locked deliver(&deliverLock_);
  if (enabled_.load() != static_cast<int>(input) || IsStopped()) return S_OK;
  if (in.flushing) return S_FALSE;
  ApplySwitchLocked(input, sample, downstream.get());
  ++in.delivered;
  const HRESULT hr = receiver->Receive(sample);
  SendPendingEndOfStreamLocked(downstream.get());
  return hr;
}

void CAudioSwitcher::ApplySwitchLocked(size_t input, IMediaSample* sample, IPin* downstream) {
  bool pending = false;
  bool sendSegment = false;
  REFERENCE_TIME start = 0, stop = 0;
  double rate = 1.0;
  MediaType type;
  {
    Locked lock(&lock_);
    pending = switchPending_;
    switchPending_ = false;
    const InputPin& in = *inputs_[input];
    if (pending && in.hasSegment &&
        (!segmentSent_ || in.segmentStart != segmentStart_ || in.segmentStop != segmentStop_ ||
         in.segmentRate != segmentRate_)) {
      sendSegment = true;
      start = segmentStart_ = in.segmentStart;
      stop = segmentStop_ = in.segmentStop;
      rate = segmentRate_ = in.segmentRate;
      segmentSent_ = true;
    }
    type = in.type_;
  }
  if (!pending) return;
  if (sendSegment) downstream->NewSegment(start, stop, rate);
  if (!SameMediaType(type.get(), output_->ConnectionType().get())) {
    // The renderer accepted the type when the switch was asked for; the
    // first sample of the new input carries it (unless it carries its own).
    AM_MEDIA_TYPE* carried = nullptr;
    if (sample->GetMediaType(&carried) == S_OK && carried)
      DeleteMediaType(carried);
    else
      sample->SetMediaType(const_cast<AM_MEDIA_TYPE*>(&type.get()));
    output_->SetConnectionType(type);
  }
}

void CAudioSwitcher::SendPendingEndOfStreamLocked(IPin* downstream) {
  {
    Locked lock(&lock_);
    if (!endOfStreamPending_) return;
    endOfStreamPending_ = false;
    if (endOfStreamSent_ || IsStopped()) return;
    endOfStreamSent_ = true;
  }
  downstream->EndOfStream();
}

HRESULT CAudioSwitcher::EndOfStream(size_t input) {
  InputPin& in = *inputs_[input];
  if (in.flushing) return S_OK;
  in.endOfStream = true;
  WakeWaitingInputs();
  if (enabled_.load() != static_cast<int>(input)) return S_OK;
  fw::ComPtr<IPin> downstream = Downstream();
  if (!downstream) return S_OK;
  Locked deliver(&deliverLock_);
  {
    Locked lock(&lock_);
    if (enabled_.load() != static_cast<int>(input) || endOfStreamSent_ || IsStopped()) return S_OK;
    endOfStreamSent_ = true;
    endOfStreamPending_ = false;
  }
  return downstream->EndOfStream();
}

HRESULT CAudioSwitcher::BeginFlush(size_t input) {
  InputPin& in = *inputs_[input];
  in.flushing = true;
  in.endOfStream = false;
  in.unpaced = false;
  bool forward = false;
  {
    Locked lock(&lock_);
    if (enabled_.load() == static_cast<int>(input) && flushOwner_ < 0) {
      flushOwner_ = static_cast<int>(input);
      forward = true;
    }
  }
  {
    std::lock_guard<std::mutex> pace(paceMutex_);
    paceValid_ = false;
  }
  paceChanged_.notify_all();
  // Not under the delivery lock: the flush is what frees a thread blocked
  // in the renderer.
  if (forward)
    if (fw::ComPtr<IPin> downstream = Downstream()) downstream->BeginFlush();
  return S_OK;
}

HRESULT CAudioSwitcher::EndFlush(size_t input) {
  bool forward = false;
  {
    Locked lock(&lock_);
    if (flushOwner_ == static_cast<int>(input)) {
      flushOwner_ = -1;
      forward = true;
      endOfStreamSent_ = false;
      endOfStreamPending_ = false;
    }
  }
  if (forward)
    if (fw::ComPtr<IPin> downstream = Downstream()) downstream->EndFlush();
  inputs_[input]->flushing = false;
  return S_OK;
}

HRESULT CAudioSwitcher::NewSegment(size_t input, REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  InputPin& in = *inputs_[input];
  {
    Locked lock(&lock_);
    in.hasSegment = true;
    in.segmentStart = start;
    in.segmentStop = stop;
    in.segmentRate = rate;
  }
  if (enabled_.load() != static_cast<int>(input)) return S_OK;
  fw::ComPtr<IPin> downstream = Downstream();
  if (!downstream) return S_OK;
  Locked deliver(&deliverLock_);
  {
    Locked lock(&lock_);
    if (enabled_.load() != static_cast<int>(input)) return S_OK;
    segmentSent_ = true;
    segmentStart_ = start;
    segmentStop_ = stop;
    segmentRate_ = rate;
  }
  return downstream->NewSegment(start, stop, rate);
}

}  // namespace zv
