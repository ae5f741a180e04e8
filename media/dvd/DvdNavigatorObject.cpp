#include "media/dvd/DvdNavigatorObject.h"

#include "framework/WideString.h"
#include "media/PlatformQuirks.h"
#include "media/dvd/DvdSourceFilter.h"

#include <dvdevcod.h>

#include <algorithm>
#include <mutex>

namespace zv::dvd {
namespace {

constexpr wchar_t kWindowClass[] = L"ZentravueDvdNavigatorWindow";
constexpr UINT kMsgSegment = WM_APP + 1;
constexpr UINT kMsgOverlay = WM_APP + 2;
constexpr UINT_PTR kPlacementTimer = 1;
constexpr UINT kPlacementPeriodMs = 100;
// How long the first segment may take to be found on the disc.
constexpr DWORD kFirstSegmentTimeoutMs = 15000;

int64_t HmsfTo90k(const DVD_HMSF_TIMECODE& t, bool pal) {
  const int fps = pal ? 25 : 30;
  return (static_cast<int64_t>(t.bHours) * 3600 + t.bMinutes * 60 + t.bSeconds) * 90000 +
         static_cast<int64_t>(t.bFrames) * 90000 / fps;
}

DVD_HMSF_TIMECODE HmsfFrom90k(int64_t time, bool pal) {
  const int fps = pal ? 25 : 30;
  time = std::max<int64_t>(0, time);
  const int64_t seconds = time / 90000;
  DVD_HMSF_TIMECODE t{};
  t.bHours = static_cast<BYTE>(std::min<int64_t>(255, seconds / 3600));
  t.bMinutes = static_cast<BYTE>((seconds / 60) % 60);
  t.bSeconds = static_cast<BYTE>(seconds % 60);
  t.bFrames = static_cast<BYTE>((time % 90000) * fps / 90000);
  return t;
}

LCID LanguageToLcid(const std::string& two) {
  if (two.size() != 2) return 0;
  const std::wstring name{static_cast<wchar_t>(two[0]), static_cast<wchar_t>(two[1])};
  return LocaleNameToLCID(name.c_str(), 0);
}

std::string LcidToLanguage(LCID lcid) {
  wchar_t name[9] = {};
  if (!GetLocaleInfoW(lcid, LOCALE_SISO639LANGNAME, name, 9) || wcslen(name) != 2) return {};
  return std::string{static_cast<char>(name[0]), static_cast<char>(name[1])};
}

void NoCommand(IDvdCmd** cmd) {
  if (cmd) *cmd = nullptr;
}

// Removes the splitter connected to `pin`; the renderers behind it stay in
// the graph for the next segment.
void RemoveSplitter(IGraphBuilder* graph, IPin* pin) {
  fw::ComPtr<IPin> peer;
  if (FAILED(pin->ConnectedTo(peer.put())) || !peer) return;
  PIN_INFO info{};
  if (FAILED(peer->QueryPinInfo(&info)) || !info.pFilter) return;
  fw::ComPtr<IBaseFilter> splitter = fw::ComPtr<IBaseFilter>::Attach(info.pFilter);
  graph->RemoveFilter(splitter.get());
}

std::vector<fw::ComPtr<IPin>> Pins(IBaseFilter* filter, PIN_DIRECTION wanted) {
  std::vector<fw::ComPtr<IPin>> found;
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.put()))) return found;
  for (;;) {
    fw::ComPtr<IPin> pin;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) break;
    PIN_DIRECTION direction = PINDIR_INPUT;
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted) found.push_back(std::move(pin));
  }
  return found;
}

std::vector<fw::ComPtr<IBaseFilter>> Filters(IGraphBuilder* graph) {
  std::vector<fw::ComPtr<IBaseFilter>> found;
  fw::ComPtr<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(filters.put()))) return found;
  for (;;) {
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) break;
    found.push_back(std::move(filter));
  }
  return found;
}

CLSID ClassOf(IBaseFilter* filter) {
  CLSID id = GUID_NULL;
  filter->GetClassID(&id);
  return id;
}

// The filters the platform's graph builder chose for the navigator's stream
// the first time in this process: the splitter, and the renderers it added
// besides the video renderer. Later segments and volumes are connected from
// these directly. Intelligent connection enumerates every registered filter:
// it is most of the time a segment change takes, and under Wine each one
// leaves about a hundred handles of that enumeration behind.
struct KnownChain {
  std::mutex mutex;
  bool known = false;
  CLSID splitter = GUID_NULL;
  std::vector<CLSID> renderers;
};

KnownChain& Chain() {
  static KnownChain chain;
  return chain;
}

}  // namespace

HRESULT DvdNavigatorObject::Create(IDvdGraphBuilder** out) {
  if (!out) return E_POINTER;
  *out = static_cast<IDvdGraphBuilder*>(new DvdNavigatorObject());
  return S_OK;
}

DvdNavigatorObject::~DvdNavigatorObject() {
  Shutdown();
  CloseHandle(segmentReady_);
  CloseHandle(segmentDone_);
}

void DvdNavigatorObject::Shutdown() {
  shuttingDown_ = true;
  SetEvent(segmentDone_);
  if (navigator_) navigator_->Shutdown();
  overlay_.Hide();
  if (window_) {
    KillTimer(window_, kPlacementTimer);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  if (graph_) {
    fw::ComPtr<IMediaControl> control;
    if (SUCCEEDED(graph_.As(control))) control->Stop();
    if (source_) graph_->RemoveFilter(source_);
  }
  if (source_) {
    source_->Release();
    source_ = nullptr;
  }
  videoRenderer_.Reset();
  graph_.Reset();
  clock_.Reset();
  navigator_.reset();
}

STDMETHODIMP DvdNavigatorObject::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDvdGraphBuilder) {
    *out = static_cast<IDvdGraphBuilder*>(this);
  } else if (riid == IID_IDvdControl2) {
    *out = static_cast<IDvdControl2*>(this);
  } else if (riid == IID_IDvdInfo2) {
    *out = static_cast<IDvdInfo2*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) DvdNavigatorObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) DvdNavigatorObject::Release() {
  const LONG refs = InterlockedDecrement(&refs_);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

// ---------------------------------------------------------------------------
// Graph builder

HRESULT DvdNavigatorObject::EnsureGraph() {
  if (graph_) return S_OK;
  return CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.put_void());
}

STDMETHODIMP DvdNavigatorObject::GetFiltergraph(IGraphBuilder** graph) {
  if (!graph) return E_POINTER;
  const HRESULT hr = EnsureGraph();
  if (FAILED(hr)) return hr;
  *graph = graph_.get();
  (*graph)->AddRef();
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDvdInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IDvdControl2 || riid == IID_IDvdInfo2) {
    if (!navigator_) return VFW_E_DVD_RENDERFAIL;
    return QueryInterface(riid, out);
  }
  // The graph's own video and audio interfaces, which reach the renderers.
  if (riid == IID_IVideoWindow || riid == IID_IBasicVideo || riid == IID_IBasicVideo2 || riid == IID_IBasicAudio) {
    if (!graph_ || !navigator_ || !videoRenderer_) return E_NOINTERFACE;
    return graph_->QueryInterface(riid, out);
  }
  return E_NOINTERFACE;
}

LRESULT CALLBACK DvdNavigatorObject::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DvdNavigatorObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
      break;
    case kMsgSegment:
      if (self) self->ApplySegment();
      return 0;
    case kMsgOverlay:
      if (self) self->ShowOverlay();
      return 0;
    case WM_TIMER:
      if (self && wParam == kPlacementTimer) {
        HWND parent = nullptr;
        RECT area{};
        if (self->PictureArea(&parent, &area)) self->overlay_.Place(parent, area);
        if (self->timeEvents_ && self->navigator_ && self->navigator_->CurrentDomain() == Domain::Title) {
          int title = 0, chapter = 0;
          int64_t time = 0;
          self->navigator_->CurrentLocation(&title, &chapter, &time);
          const int second = static_cast<int>(time / 90000);
          if (second != self->lastSecond_) {
            self->lastSecond_ = second;
            const DVD_HMSF_TIMECODE t = HmsfFrom90k(time, self->navigator_->Video().pal);
            ULONG packed = 0;
            memcpy(&packed, &t, sizeof(packed));
            self->source_->Notify(EC_DVD_CURRENT_HMSF_TIME, static_cast<LONG_PTR>(packed), DVD_TC_FLAG_25fps);
          }
        }
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

STDMETHODIMP DvdNavigatorObject::RenderDvdVideoVolume(LPCWSTR path, DWORD, AM_DVD_RENDERSTATUS* status) {
  AM_DVD_RENDERSTATUS local{};
  if (!status) status = &local;
  *status = AM_DVD_RENDERSTATUS{};
  if (navigator_) return VFW_E_DVD_RENDERFAIL;  // one volume per builder
  std::wstring volume = path && *path ? path : directory_;
  if (volume.empty()) {
    status->bDvdVolInvalid = TRUE;
    return S_FALSE;
  }
  // libdvdread takes the folder above VIDEO_TS, or the VIDEO_TS folder.
  while (volume.size() > 3 && (volume.back() == L'\\' || volume.back() == L'/')) volume.pop_back();
  std::string error;
  navigator_ = Navigator::Open(fw::WideToUtf8(volume), &error);
  if (!navigator_) {
    status->bDvdVolInvalid = TRUE;
    return S_FALSE;
  }
  directory_ = volume;
  HRESULT hr = EnsureGraph();
  if (FAILED(hr)) return hr;
  // The graph is given it with every segment (ApplySegment).
  if (!AudioRendererClockUsable())
    CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock, clock_.put_void());

  // The classic renderer: the one that shows a picture on every platform.
  hr = CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                        videoRenderer_.put_void());
  if (SUCCEEDED(hr)) graph_->AddFilter(videoRenderer_.get(), L"Video Renderer");
  source_ = new DvdSourceFilter(navigator_.get());
  graph_->AddFilter(source_, L"DVD Navigator");

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!GetClassInfoExW(instance, kWindowClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
  }
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
  if (window_) SetTimer(window_, kPlacementTimer, kPlacementPeriodMs, nullptr);

  // The machine runs until it knows where the first picture is.
  rendering_ = true;
  navigator_->Start(this);
  if (WaitForSingleObject(segmentReady_, kFirstSegmentTimeoutMs) != WAIT_OBJECT_0) {
    rendering_ = false;
    status->bDvdVolUnknown = TRUE;
    Shutdown();
    return S_FALSE;
  }
  hr = ApplySegment();
  rendering_ = false;
  if (FAILED(hr)) {
    status->iNumStreamsFailed = 1;
    status->dwFailedStreamsFlag = AM_DVD_STREAM_VIDEO;
    Shutdown();
    return VFW_E_DVD_RENDERFAIL;
  }
  return S_OK;
}

HRESULT DvdNavigatorObject::ApplySegment() {
  Segment segment;
  {
    std::lock_guard<std::mutex> lock(pendingMutex_);
    segment = pending_;
  }
  if (!graph_ || !source_) return E_FAIL;
  fw::ComPtr<IMediaControl> control;
  graph_.As(control);
  OAFilterState state = State_Stopped;
  if (control) {
    // The state the graph is in or on its way to: no wait for a transition.
    control->GetState(0, &state);
    control->Stop();
  }
  RemoveSplitter(graph_.get(), source_->Pin());
  source_->SetSegment(segment);
  HRESULT hr = ConnectKnownChain();
  if (hr != S_OK) {
    hr = graph_->Render(source_->Pin());
    if (SUCCEEDED(hr)) RememberChain();
  }
  // Set again so that the filters added for this segment use it too.
  fw::ComPtr<IMediaFilter> timing;
  if (clock_ && SUCCEEDED(graph_.As(timing))) timing->SetSyncSource(clock_.get());
  // A new segment starts at stream position 0; the graph is stopped, so the
  // seek is safe on every platform.
  fw::ComPtr<IMediaSeeking> seeking;
  if (SUCCEEDED(graph_.As(seeking))) {
    LONGLONG zero = 0;
    seeking->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  }
  if (control && state == State_Running) control->Run();
  if (control && state == State_Paused) control->Pause();
  ++segmentsPlayed_;
  SetEvent(segmentDone_);
  return hr;
}

// Connects the source through a new splitter of the known class straight to
// the renderers. S_FALSE when nothing is known yet; a failure leaves the
// source unconnected, for intelligent connection to take over.
HRESULT DvdNavigatorObject::ConnectKnownChain() {
  CLSID splitterClass = GUID_NULL;
  std::vector<CLSID> rendererClasses;
  {
    std::lock_guard<std::mutex> lock(Chain().mutex);
    if (!Chain().known) return S_FALSE;
    splitterClass = Chain().splitter;
    rendererClasses = Chain().renderers;
  }
  std::vector<fw::ComPtr<IBaseFilter>> present = Filters(graph_.get());
  for (const CLSID& id : rendererClasses) {
    if (std::any_of(present.begin(), present.end(), [&](auto& f) { return ClassOf(f.get()) == id; })) continue;
    fw::ComPtr<IBaseFilter> renderer;
    if (FAILED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, renderer.put_void())) ||
        FAILED(graph_->AddFilter(renderer.get(), L"Audio Renderer")))
      return E_FAIL;
  }
  fw::ComPtr<IBaseFilter> splitter;
  HRESULT hr = CoCreateInstance(splitterClass, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, splitter.put_void());
  if (FAILED(hr)) return hr;
  if (FAILED(hr = graph_->AddFilter(splitter.get(), L"Splitter"))) return hr;
  std::vector<fw::ComPtr<IPin>> inputs = Pins(splitter.get(), PINDIR_INPUT);
  if (inputs.empty() || FAILED(hr = graph_->ConnectDirect(source_->Pin(), inputs[0].get(), nullptr))) {
    graph_->RemoveFilter(splitter.get());
    return FAILED(hr) ? hr : E_FAIL;
  }
  // Each stream to a free input of a renderer that takes it as it is.
  std::vector<fw::ComPtr<IPin>> free;
  for (auto& filter : Filters(graph_.get())) {
    if (filter.get() == splitter.get() || filter.get() == static_cast<IBaseFilter*>(source_)) continue;
    for (auto& pin : Pins(filter.get(), PINDIR_INPUT)) {
      fw::ComPtr<IPin> peer;
      if (FAILED(pin->ConnectedTo(peer.put()))) free.push_back(std::move(pin));
    }
  }
  for (auto& output : Pins(splitter.get(), PINDIR_OUTPUT)) {
    auto taken = std::find_if(free.begin(), free.end(), [&](auto& input) {
      return SUCCEEDED(graph_->ConnectDirect(output.get(), input.get(), nullptr));
    });
    if (taken == free.end()) {
      RemoveSplitter(graph_.get(), source_->Pin());
      return E_FAIL;
    }
    free.erase(taken);
  }
  return S_OK;
}

// Remembers the splitter behind the source and the renderers other than the
// video renderer, when the splitter feeds renderers directly.
void DvdNavigatorObject::RememberChain() {
  fw::ComPtr<IPin> peer;
  if (FAILED(source_->Pin()->ConnectedTo(peer.put())) || !peer) return;
  PIN_INFO info{};
  if (FAILED(peer->QueryPinInfo(&info)) || !info.pFilter) return;
  fw::ComPtr<IBaseFilter> splitter = fw::ComPtr<IBaseFilter>::Attach(info.pFilter);
  std::vector<CLSID> renderers;
  for (auto& output : Pins(splitter.get(), PINDIR_OUTPUT)) {
    fw::ComPtr<IPin> input;
    if (FAILED(output->ConnectedTo(input.put()))) continue;
    PIN_INFO downstream{};
    if (FAILED(input->QueryPinInfo(&downstream)) || !downstream.pFilter) return;
    fw::ComPtr<IBaseFilter> filter = fw::ComPtr<IBaseFilter>::Attach(downstream.pFilter);
    if (!Pins(filter.get(), PINDIR_OUTPUT).empty()) return;  // a decoder between: not a direct chain
    if (filter.get() != videoRenderer_.get()) renderers.push_back(ClassOf(filter.get()));
  }
  std::lock_guard<std::mutex> lock(Chain().mutex);
  Chain().known = true;
  Chain().splitter = ClassOf(splitter.get());
  Chain().renderers = std::move(renderers);
}

// ---------------------------------------------------------------------------
// Navigator host

int64_t DvdNavigatorObject::PresentationTime() {
  return source_ ? source_->StreamTime() * 9 / 1000 : 0;
}

bool DvdNavigatorObject::ChangeSegment(const Segment& segment) {
  {
    std::lock_guard<std::mutex> lock(pendingMutex_);
    pending_ = segment;
  }
  if (rendering_) {
    // RenderDvdVideoVolume waits for the first one on its own thread.
    SetEvent(segmentReady_);
    return true;
  }
  ResetEvent(segmentDone_);
  if (!window_ || !PostMessageW(window_, kMsgSegment, 0, 0)) return false;
  while (!shuttingDown_) {
    if (WaitForSingleObject(segmentDone_, 50) == WAIT_OBJECT_0) return !shuttingDown_;
  }
  return false;
}

void DvdNavigatorObject::PostEvent(NavEvent event, long param1, long param2) {
  if (!source_ || shuttingDown_) return;
  switch (event) {
    case NavEvent::DomainChange:
      source_->Notify(EC_DVD_DOMAIN_CHANGE, param1, 0);
      break;
    case NavEvent::TitleChange:
      source_->Notify(EC_DVD_TITLE_CHANGE, param1, 0);
      break;
    case NavEvent::ChapterStart:
      source_->Notify(EC_DVD_CHAPTER_START, param1, 0);
      break;
    case NavEvent::AudioStreamChange:
      source_->Notify(EC_DVD_AUDIO_STREAM_CHANGE, param1, 0);
      break;
    case NavEvent::SubpictureStreamChange:
      source_->Notify(EC_DVD_SUBPICTURE_STREAM_CHANGE, param1, navigator_->SubpictureDisplayed() ? 1 : 0);
      break;
    case NavEvent::AngleChange:
      source_->Notify(EC_DVD_ANGLE_CHANGE, param1, param2);
      break;
    case NavEvent::ValidUopsChange:
      source_->Notify(EC_DVD_VALID_UOPS_CHANGE, param1, 0);
      break;
    case NavEvent::PlaybackStopped:
      source_->Notify(EC_DVD_PLAYBACK_STOPPED, 0, 0);
      break;
    case NavEvent::Complete:
      source_->Notify(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(source_)));
      break;
  }
  (void)param2;
}

void DvdNavigatorObject::OverlayChanged() {
  if (window_ && !shuttingDown_) PostMessageW(window_, kMsgOverlay, 0, 0);
}

// The picture's rectangle inside the renderer's owner window.
bool DvdNavigatorObject::PictureArea(HWND* parent, RECT* area) {
  if (!videoRenderer_) return false;
  fw::ComPtr<IVideoWindow> video;
  fw::ComPtr<IBasicVideo> basic;
  if (FAILED(videoRenderer_->QueryInterface(IID_IVideoWindow, video.put_void())) ||
      FAILED(videoRenderer_->QueryInterface(IID_IBasicVideo, basic.put_void())))
    return false;
  OAHWND owner = 0;
  if (FAILED(video->get_Owner(&owner)) || !owner) return false;
  long dl = 0, dt = 0, dw = 0, dh = 0;
  if (FAILED(basic->GetDestinationPosition(&dl, &dt, &dw, &dh))) return false;
  *parent = reinterpret_cast<HWND>(owner);
  // The renderer's window is the owner's other child. Its place is taken
  // from the window itself: Wine's GetWindowPosition answers in screen
  // coordinates for a child window.
  POINT origin{0, 0};
  for (HWND child = GetWindow(*parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == overlay_.Window()) continue;
    RECT r{};
    GetWindowRect(child, &r);
    origin = POINT{r.left, r.top};
    ScreenToClient(*parent, &origin);
    break;
  }
  *area = RECT{origin.x + dl, origin.y + dt, origin.x + dl + dw, origin.y + dt + dh};
  // The renderer's window must not paint over its sibling.
  long style = 0;
  if (SUCCEEDED(video->get_WindowStyle(&style)) && !(style & WS_CLIPSIBLINGS))
    video->put_WindowStyle(style | WS_CLIPSIBLINGS);
  return true;
}

void DvdNavigatorObject::ShowOverlay() {
  if (!navigator_) return;
  HWND parent = nullptr;
  RECT area{};
  const OverlayPicture picture = navigator_->Overlay();
  if (!PictureArea(&parent, &area)) {
    overlay_.Hide();
    return;
  }
  overlay_.Show(parent, area, picture);
}

// ---------------------------------------------------------------------------
// IDvdControl2

STDMETHODIMP DvdNavigatorObject::PlayTitle(ULONG title, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->PlayTitle(static_cast<int>(title)));
}

STDMETHODIMP DvdNavigatorObject::PlayChapterInTitle(ULONG title, ULONG chapter, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->PlayChapterInTitle(static_cast<int>(title), static_cast<int>(chapter)));
}

STDMETHODIMP DvdNavigatorObject::PlayAtTimeInTitle(ULONG title, DVD_HMSF_TIMECODE* time, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (!time) return E_POINTER;
  if (!navigator_->PlayTitle(static_cast<int>(title))) return VFW_E_DVD_OPERATION_INHIBITED;
  return Result(navigator_->PlayAtTime(HmsfTo90k(*time, navigator_->Video().pal)));
}

STDMETHODIMP DvdNavigatorObject::Stop() {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  navigator_->Stop();
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::ReturnFromSubmenu(DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->ReturnFromSubmenu());
}

STDMETHODIMP DvdNavigatorObject::PlayAtTime(DVD_HMSF_TIMECODE* time, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!time) return E_POINTER;
  if (!navigator_ || navigator_->CurrentDomain() != Domain::Title) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->PlayAtTime(HmsfTo90k(*time, navigator_->Video().pal)));
}

STDMETHODIMP DvdNavigatorObject::PlayChapter(ULONG chapter, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_ || navigator_->CurrentDomain() != Domain::Title) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->PlayChapter(static_cast<int>(chapter)));
}

STDMETHODIMP DvdNavigatorObject::PlayPrevChapter(DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_ || navigator_->CurrentDomain() != Domain::Title) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->PlayPrevChapter());
}

STDMETHODIMP DvdNavigatorObject::ReplayChapter(DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_ || navigator_->CurrentDomain() != Domain::Title) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->ReplayChapter());
}

STDMETHODIMP DvdNavigatorObject::PlayNextChapter(DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_ || navigator_->CurrentDomain() != Domain::Title) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->PlayNextChapter());
}

// Scanning plays forwards at the rate the platform's splitter accepts; the
// graph is stopped around the change, since a rate change seeks.
STDMETHODIMP DvdNavigatorObject::PlayForwards(double speed, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_ || speed <= 0) return E_INVALIDARG;
  if (speed != 1.0 && (navigator_->ProhibitedUops() & kUopForwardScan)) return VFW_E_DVD_OPERATION_INHIBITED;
  fw::ComPtr<IMediaControl> control;
  fw::ComPtr<IMediaSeeking> seeking;
  if (FAILED(graph_.As(control)) || FAILED(graph_.As(seeking))) return E_FAIL;
  OAFilterState state = State_Stopped;
  control->GetState(1000, &state);
  control->Stop();
  seeking->SetRate(speed);
  if (state == State_Running) control->Run();
  if (state == State_Paused) control->Pause();
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::PlayBackwards(double, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  // Reverse play needs a decoder that plays backwards; none of the
  // platform's does, so it is refused like a prohibited operation.
  return VFW_E_DVD_OPERATION_INHIBITED;
}

STDMETHODIMP DvdNavigatorObject::ShowMenu(DVD_MENU_ID menu, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (menu < DVD_MENU_Title || menu > DVD_MENU_Chapter) return E_INVALIDARG;
  return Result(navigator_->ShowMenu(static_cast<int>(menu)));
}

STDMETHODIMP DvdNavigatorObject::Resume(DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->Resume());
}

STDMETHODIMP DvdNavigatorObject::SelectRelativeButton(DVD_RELATIVE_BUTTON direction) {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (direction < DVD_Relative_Upper || direction > DVD_Relative_Right) return E_INVALIDARG;
  if (navigator_->ButtonCount() == 0) return VFW_E_DVD_NO_BUTTON;
  return Result(navigator_->SelectRelativeButton(static_cast<ButtonDirection>(direction)));
}

STDMETHODIMP DvdNavigatorObject::ActivateButton() {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (navigator_->ButtonCount() == 0) return VFW_E_DVD_NO_BUTTON;
  return Result(navigator_->ActivateButton());
}

STDMETHODIMP DvdNavigatorObject::SelectButton(ULONG button) {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (button == 0 || static_cast<int>(button) > navigator_->ButtonCount()) return VFW_E_DVD_NO_BUTTON;
  return Result(navigator_->SelectButton(static_cast<int>(button)));
}

STDMETHODIMP DvdNavigatorObject::SelectAndActivateButton(ULONG button) {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (button == 0 || static_cast<int>(button) > navigator_->ButtonCount()) return VFW_E_DVD_NO_BUTTON;
  return Result(navigator_->SelectAndActivateButton(static_cast<int>(button)));
}

STDMETHODIMP DvdNavigatorObject::StillOff() {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  return Result(navigator_->StillOff());
}

STDMETHODIMP DvdNavigatorObject::Pause(WINBOOL state) {
  fw::ComPtr<IMediaControl> control;
  if (!graph_ || FAILED(graph_.As(control))) return E_FAIL;
  return state ? control->Pause() : control->Run();
}

STDMETHODIMP DvdNavigatorObject::SelectAudioStream(ULONG stream, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (static_cast<int>(stream) >= navigator_->AudioCount()) return VFW_E_DVD_STREAM_DISABLED;
  return Result(navigator_->SelectAudioStream(static_cast<int>(stream)));
}

STDMETHODIMP DvdNavigatorObject::SelectSubpictureStream(ULONG stream, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (static_cast<int>(stream) >= navigator_->SubpictureCount()) return VFW_E_DVD_STREAM_DISABLED;
  return Result(navigator_->SelectSubpictureStream(static_cast<int>(stream)));
}

STDMETHODIMP DvdNavigatorObject::SetSubpictureState(WINBOOL state, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  navigator_->SetSubpictureDisplay(state != FALSE);
  return S_OK;
}

// An angle the title does not have is out of range (E_INVALIDARG), as is
// one outside 1 to 9; the current angle is selected already.
STDMETHODIMP DvdNavigatorObject::SelectAngle(ULONG angle, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  if (!navigator_ || navigator_->CurrentDomain() == Domain::FirstPlay) return VFW_E_DVD_INVALIDDOMAIN;
  if (angle < 1 || angle > 9 || angle > static_cast<ULONG>(navigator_->AngleCount())) return E_INVALIDARG;
  if (angle == static_cast<ULONG>(navigator_->CurrentAngle())) return S_OK;
  if (navigator_->ProhibitedUops() & kUopAngle) return VFW_E_DVD_OPERATION_INHIBITED;
  return Result(navigator_->SelectAngle(static_cast<int>(angle)));
}

STDMETHODIMP DvdNavigatorObject::SelectParentalLevel(ULONG) { return S_OK; }
STDMETHODIMP DvdNavigatorObject::SelectParentalCountry(BYTE*) { return S_OK; }
STDMETHODIMP DvdNavigatorObject::SelectKaraokeAudioPresentationMode(ULONG) { return E_NOTIMPL; }
STDMETHODIMP DvdNavigatorObject::SelectVideoModePreference(ULONG) { return S_OK; }

STDMETHODIMP DvdNavigatorObject::SetDVDDirectory(LPCWSTR path) {
  if (!path) return E_POINTER;
  directory_ = path;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::ActivateAtPosition(POINT point) {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (navigator_->ButtonAtPosition(point.x, point.y) == 0) return VFW_E_DVD_NO_BUTTON;
  return Result(navigator_->ActivateAtPosition(point.x, point.y));
}

STDMETHODIMP DvdNavigatorObject::SelectAtPosition(POINT point) {
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (navigator_->ButtonAtPosition(point.x, point.y) == 0) return VFW_E_DVD_NO_BUTTON;
  return Result(navigator_->SelectAtPosition(point.x, point.y));
}

STDMETHODIMP DvdNavigatorObject::PlayChaptersAutoStop(ULONG, ULONG, ULONG, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  return E_NOTIMPL;
}

STDMETHODIMP DvdNavigatorObject::AcceptParentalLevelChange(WINBOOL) { return S_OK; }

STDMETHODIMP DvdNavigatorObject::SetOption(DVD_OPTION_FLAG flag, WINBOOL state) {
  if (flag == DVD_HMSF_TimeCodeEvents) timeEvents_ = state != FALSE;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::SetState(IDvdState*, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  return E_NOTIMPL;
}

STDMETHODIMP DvdNavigatorObject::PlayPeriodInTitleAutoStop(ULONG, DVD_HMSF_TIMECODE*, DVD_HMSF_TIMECODE*, DWORD,
                                                           IDvdCmd** cmd) {
  NoCommand(cmd);
  return E_NOTIMPL;
}

STDMETHODIMP DvdNavigatorObject::SetGPRM(ULONG, WORD, DWORD, IDvdCmd** cmd) {
  NoCommand(cmd);
  return E_NOTIMPL;
}

STDMETHODIMP DvdNavigatorObject::SelectDefaultMenuLanguage(LCID language) {
  menuLanguage_ = language;
  if (navigator_) navigator_->SetDefaultLanguages(LcidToLanguage(language), {}, {});
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::SelectDefaultAudioLanguage(LCID language, DVD_AUDIO_LANG_EXT) {
  audioLanguage_ = language;
  if (navigator_) navigator_->SetDefaultLanguages({}, LcidToLanguage(language), {});
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::SelectDefaultSubpictureLanguage(LCID language, DVD_SUBPICTURE_LANG_EXT) {
  subpictureLanguage_ = language;
  if (navigator_) navigator_->SetDefaultLanguages({}, {}, LcidToLanguage(language));
  return S_OK;
}

// ---------------------------------------------------------------------------
// IDvdInfo2

STDMETHODIMP DvdNavigatorObject::GetCurrentDomain(DVD_DOMAIN* domain) {
  if (!domain) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *domain = static_cast<DVD_DOMAIN>(navigator_->CurrentDomain());
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetCurrentLocation(DVD_PLAYBACK_LOCATION2* location) {
  if (!location) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  int title = 0, chapter = 0;
  int64_t time = 0;
  navigator_->CurrentLocation(&title, &chapter, &time);
  const bool pal = navigator_->Video().pal;
  location->TitleNum = static_cast<ULONG>(title);
  location->ChapterNum = static_cast<ULONG>(chapter);
  location->TimeCode = HmsfFrom90k(time, pal);
  location->TimeCodeFlags = pal ? DVD_TC_FLAG_25fps : DVD_TC_FLAG_30fps;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetTotalTitleTime(DVD_HMSF_TIMECODE* time, ULONG* flags) {
  if (!time) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  const bool pal = navigator_->Video().pal;
  *time = HmsfFrom90k(navigator_->TitleLength90k(), pal);
  if (flags) *flags = pal ? DVD_TC_FLAG_25fps : DVD_TC_FLAG_30fps;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetCurrentButton(ULONG* available, ULONG* current) {
  if (!available || !current) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *available = static_cast<ULONG>(navigator_->ButtonCount());
  *current = static_cast<ULONG>(navigator_->CurrentButton());
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetCurrentAngle(ULONG* available, ULONG* current) {
  if (!available || !current) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *available = static_cast<ULONG>(navigator_->AngleCount());
  *current = static_cast<ULONG>(navigator_->CurrentAngle());
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetCurrentAudio(ULONG* available, ULONG* current) {
  if (!available || !current) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *available = static_cast<ULONG>(navigator_->AudioCount());
  *current = static_cast<ULONG>(navigator_->CurrentAudio());
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetCurrentSubpicture(ULONG* available, ULONG* current, WINBOOL* disabled) {
  if (!available || !current || !disabled) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *available = static_cast<ULONG>(navigator_->SubpictureCount());
  *current = static_cast<ULONG>(navigator_->CurrentSubpicture());
  *disabled = navigator_->SubpictureDisplayed() ? FALSE : TRUE;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetCurrentUOPS(ULONG* uops) {
  if (!uops) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *uops = navigator_->ProhibitedUops();
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetAllSPRMs(SPRMARRAY*) { return E_NOTIMPL; }
STDMETHODIMP DvdNavigatorObject::GetAllGPRMs(GPRMARRAY*) { return E_NOTIMPL; }

STDMETHODIMP DvdNavigatorObject::GetAudioLanguage(ULONG stream, LCID* language) {
  if (!language) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (static_cast<int>(stream) >= navigator_->AudioCount()) return E_INVALIDARG;
  *language = LanguageToLcid(navigator_->AudioLanguage(static_cast<int>(stream)));
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetSubpictureLanguage(ULONG stream, LCID* language) {
  if (!language) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (static_cast<int>(stream) >= navigator_->SubpictureCount()) return E_INVALIDARG;
  *language = LanguageToLcid(navigator_->SubpictureLanguage(static_cast<int>(stream)));
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetTitleAttributes(ULONG, DVD_MenuAttributes*, DVD_TitleAttributes*) {
  return E_NOTIMPL;
}
STDMETHODIMP DvdNavigatorObject::GetVMGAttributes(DVD_MenuAttributes*) { return E_NOTIMPL; }

STDMETHODIMP DvdNavigatorObject::GetCurrentVideoAttributes(DVD_VideoAttributes* attributes) {
  if (!attributes) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  const VideoInfo video = navigator_->Video();
  *attributes = DVD_VideoAttributes{};
  attributes->ulAspectX = static_cast<ULONG>(video.aspectX);
  attributes->ulAspectY = static_cast<ULONG>(video.aspectY);
  attributes->ulFrameRate = video.pal ? 50 : 60;
  attributes->ulFrameHeight = video.pal ? 576 : 480;
  attributes->Compression = DVD_VideoCompression_MPEG2;
  attributes->ulSourceResolutionX = static_cast<ULONG>(video.width);
  attributes->ulSourceResolutionY = static_cast<ULONG>(video.height);
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetAudioAttributes(ULONG stream, DVD_AudioAttributes* attributes) {
  if (!attributes) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (static_cast<int>(stream) >= navigator_->AudioCount()) return E_INVALIDARG;
  *attributes = DVD_AudioAttributes{};
  attributes->Language = LanguageToLcid(navigator_->AudioLanguage(static_cast<int>(stream)));
  attributes->AudioFormat = DVD_AudioFormat_AC3;
  attributes->dwFrequency = 48000;
  attributes->bNumberOfChannels = 2;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetKaraokeAttributes(ULONG, DVD_KaraokeAttributes*) { return E_NOTIMPL; }

STDMETHODIMP DvdNavigatorObject::GetSubpictureAttributes(ULONG stream, DVD_SubpictureAttributes* attributes) {
  if (!attributes) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (static_cast<int>(stream) >= navigator_->SubpictureCount()) return E_INVALIDARG;
  *attributes = DVD_SubpictureAttributes{};
  attributes->Type = DVD_SPType_Language;
  attributes->CodingMode = DVD_SPCoding_RunLength;
  attributes->Language = LanguageToLcid(navigator_->SubpictureLanguage(static_cast<int>(stream)));
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDVDVolumeInfo(ULONG* volumes, ULONG* volume, DVD_DISC_SIDE* side,
                                                  ULONG* titles) {
  if (!volumes || !volume || !side || !titles) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *volumes = 1;
  *volume = 1;
  *side = DVD_SIDE_A;
  *titles = static_cast<ULONG>(navigator_->TitleCount());
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDVDTextNumberOfLanguages(ULONG* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
STDMETHODIMP DvdNavigatorObject::GetDVDTextLanguageInfo(ULONG, ULONG*, LCID*, enum DVD_TextCharSet*) {
  return E_INVALIDARG;
}
STDMETHODIMP DvdNavigatorObject::GetDVDTextStringAsNative(ULONG, ULONG, BYTE*, ULONG, ULONG*,
                                                          enum DVD_TextStringType*) {
  return E_INVALIDARG;
}
STDMETHODIMP DvdNavigatorObject::GetDVDTextStringAsUnicode(ULONG, ULONG, WCHAR*, ULONG, ULONG*,
                                                           enum DVD_TextStringType*) {
  return E_INVALIDARG;
}

STDMETHODIMP DvdNavigatorObject::GetPlayerParentalLevel(ULONG* level, BYTE country[2]) {
  if (!level) return E_POINTER;
  *level = 0xFFFFFFFF;
  if (country) country[0] = country[1] = 0;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetNumberOfChapters(ULONG title, ULONG* count) {
  if (!count) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  if (title == 0 || static_cast<int>(title) > navigator_->TitleCount()) return E_INVALIDARG;
  *count = static_cast<ULONG>(navigator_->ChapterCount(static_cast<int>(title)));
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetTitleParentalLevels(ULONG, ULONG* levels) {
  if (!levels) return E_POINTER;
  *levels = 0;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDVDDirectory(LPWSTR path, ULONG size, ULONG* actual) {
  if (!actual) return E_POINTER;
  *actual = static_cast<ULONG>(directory_.size() + 1);
  if (!path) return S_OK;
  if (size < *actual) return E_INVALIDARG;
  memcpy(path, directory_.c_str(), (directory_.size() + 1) * sizeof(wchar_t));
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::IsAudioStreamEnabled(ULONG stream, WINBOOL* enabled) {
  if (!enabled) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *enabled = static_cast<int>(stream) < navigator_->AudioCount();
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDiscID(LPCWSTR, ULONGLONG*) { return E_NOTIMPL; }
STDMETHODIMP DvdNavigatorObject::GetState(IDvdState**) { return E_NOTIMPL; }

STDMETHODIMP DvdNavigatorObject::GetMenuLanguages(LCID*, ULONG, ULONG* actual) {
  if (!actual) return E_POINTER;
  *actual = 0;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetButtonAtPosition(POINT point, ULONG* button) {
  if (!button) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  const int found = navigator_->ButtonAtPosition(point.x, point.y);
  *button = static_cast<ULONG>(found);
  return found > 0 ? S_OK : VFW_E_DVD_NO_BUTTON;
}

STDMETHODIMP DvdNavigatorObject::GetCmdFromEvent(LONG_PTR, IDvdCmd** cmd) {
  NoCommand(cmd);
  return E_NOTIMPL;
}

STDMETHODIMP DvdNavigatorObject::GetDefaultMenuLanguage(LCID* language) {
  if (!language) return E_POINTER;
  *language = menuLanguage_;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDefaultAudioLanguage(LCID* language, DVD_AUDIO_LANG_EXT* extension) {
  if (!language || !extension) return E_POINTER;
  *language = audioLanguage_;
  *extension = DVD_AUD_EXT_NotSpecified;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDefaultSubpictureLanguage(LCID* language, DVD_SUBPICTURE_LANG_EXT* extension) {
  if (!language || !extension) return E_POINTER;
  *language = subpictureLanguage_;
  *extension = DVD_SP_EXT_NotSpecified;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetDecoderCaps(DVD_DECODER_CAPS* caps) {
  if (!caps) return E_POINTER;
  if (caps->dwSize < sizeof(DVD_DECODER_CAPS)) return E_INVALIDARG;
  caps->dwAudioCaps = DVD_AUDIO_CAPS_AC3 | DVD_AUDIO_CAPS_MPEG2 | DVD_AUDIO_CAPS_LPCM;
  caps->dFwdMaxRateVideo = caps->dFwdMaxRateAudio = caps->dFwdMaxRateSP = 1.0;
  caps->dBwdMaxRateVideo = caps->dBwdMaxRateAudio = caps->dBwdMaxRateSP = 0.0;
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::GetButtonRect(ULONG button, RECT* rect) {
  if (!rect) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  int sx = 0, sy = 0, ex = 0, ey = 0;
  if (!navigator_->ButtonRect(static_cast<int>(button), &sx, &sy, &ex, &ey)) return VFW_E_DVD_NO_BUTTON;
  *rect = RECT{sx, sy, ex + 1, ey + 1};
  return S_OK;
}

STDMETHODIMP DvdNavigatorObject::IsSubpictureStreamEnabled(ULONG stream, WINBOOL* enabled) {
  if (!enabled) return E_POINTER;
  if (!navigator_) return VFW_E_DVD_INVALIDDOMAIN;
  *enabled = static_cast<int>(stream) < navigator_->SubpictureCount();
  return S_OK;
}

}  // namespace zv::dvd
