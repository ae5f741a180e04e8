#include "media/VideoFile.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "media/BoundedRender.h"
#include "media/MediaText.h"
#include "media/SourceChoice.h"
#include "streaming/HttpSourceFilter.h"
#include "streaming/NetworkRender.h"

namespace {

constexpr UINT kGraphEventMessage = WM_APP + 1;
int g_streamFilterCount = 0;

bool IsConnected(IBaseFilter* filter) {
  bool connected = false;
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.put()))) return false;
  for (;;) {
    fw::ComPtr<IPin> pin, peer;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) break;
    if (SUCCEEDED(pin->ConnectedTo(peer.put())) && peer) connected = true;
  }
  return connected;
}

}  // namespace

CStreamFilter::CStreamFilter() : number(++g_streamFilterCount) {}
CStreamFilter::~CStreamFilter() { --g_streamFilterCount; }
int CStreamFilter::LiveCount() { return g_streamFilterCount; }

VideoFile::VideoFile(CDebugDlg* log, const LanguageTable* texts, HWND owner, HINSTANCE instance,
                     const std::wstring& fileName, COLORREF background, CSettings* settings, const std::wstring& title,
                     HICON icon, const RECT& videoRect, const RECT& /*videoWindowRect*/)
    : CDirectShow(instance, owner, settings, videoRect, title, icon), texts_(texts) {
  log_ = log;
  Build(fileName, background);
}

VideoFile::~VideoFile() {
  // A stalled network read would hold the graph's stop and teardown.
  if (networkSource_) networkSource_->Stream().Abort();
  RemoveAudioTrack();
  if (mediaControl_) mediaControl_->Stop();
  streamFilters_.clear();
  chapters_.Reset();
  matroskaSplitter_.Reset();
  frameStep_.Reset();
  if (ownConnectionTypeSet_) {
    CoTaskMemFree(ownConnectionType_.pbFormat);
    if (ownConnectionType_.pUnk) ownConnectionType_.pUnk->Release();
  }
}

void VideoFile::Build(const std::wstring& fileName, COLORREF background) {
  Trace(L"VF_CSTOR::Init[file=" + fileName + L"]");
  fileName_ = fileName;

  Trace(L"VF_CSTOR::CreateFilterGraph");
  const HRESULT created =
      CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.put_void());
  if (FAILED(created)) return ReportRenderFailure(created);

  Trace(L"VF_CSTOR::AddToRot");
  AddToRot(graph_.get(), &rotCookie_);
  AddRendererToGraph();
  if (decoder_) graph_->AddFilter(decoder_.get(), L"ffdshow Video Decoder");

  Trace(L"VF_CSTOR::RenderFile");
  const zv::SourceRoute route = zv::ChooseSource(fileName);
  if (route == zv::SourceRoute::kUnsupported)
    return ReportRenderFailure(E_FAIL, zv::net::UnsupportedAddressReason(fileName, texts_));
  std::vector<fw::ComPtr<IUnknown>> keep;
  keep.push_back(fw::ComPtr<IUnknown>::Attach(classicRenderer_.Detach()));
  keep.push_back(fw::ComPtr<IUnknown>::Attach(enhancedRenderer_.Detach()));
  keep.push_back(fw::ComPtr<IUnknown>::Attach(decoder_.Detach()));
  std::wstring reason;
  const HRESULT rendered =
      route == zv::SourceRoute::kOwnHttp
          ? zv::net::RenderHttpAddress(graph_, fileName, texts_, keep, networkSource_, &reason)
          : zv::RenderFileBounded(graph_, fileName, zv::kRenderTimeLimitMs, keep);
  // The user closed the window or pressed Escape while a stream connected:
  // nothing to report.
  const bool cancelled = route == zv::SourceRoute::kOwnHttp && rendered == zv::net::kOpeningCancelled;
  if (cancelled) Trace(L"VF_CSTOR::OpeningCancelled");
  if (cancelled && !graph_) return;
  if (rendered == VFW_E_TIMEOUT && !graph_) {
    // The stuck graph went to its worker thread (media/BoundedRender.h).
    Trace(L"VF_CSTOR::RenderFileTimedOut");
    return ReportRenderFailure(rendered, reason);
  }
  classicRenderer_ = fw::ComPtr<IBaseFilter>::Attach(static_cast<IBaseFilter*>(keep[0].Detach()));
  enhancedRenderer_ = fw::ComPtr<IBaseFilter>::Attach(static_cast<IBaseFilter*>(keep[1].Detach()));
  decoder_ = fw::ComPtr<IBaseFilter>::Attach(static_cast<IBaseFilter*>(keep[2].Detach()));
  if (cancelled) return;
  if (FAILED(rendered)) return ReportRenderFailure(rendered, reason);

  Trace(L"VF_CSTOR::FilterGraphRendered");
  rendered_ = true;
  SetAspectRatioMode(0);

  Trace(L"VF_CSTOR::QueryInterfaces");
  graph_.As(videoWindow_);
  graph_.As(mediaControl_);
  graph_.As(basicVideo_);
  graph_.As(mediaSeeking_);
  graph_.As(mediaEvents_);
  graph_.As(basicAudio_);
  graph_.As(frameStep_);

  Trace(L"VF_CSTOR::SetTimeFormat");
  if (mediaSeeking_) mediaSeeking_->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);

  // A renderer the file did not connect (an audio-only file) is not in use
  // and leaves the graph, so that nothing waits for its pictures.
  IBaseFilter* precreated = enhancedRenderer_ ? enhancedRenderer_.get() : classicRenderer_.get();
  if (precreated && !IsConnected(precreated)) {
    graph_->RemoveFilter(precreated);
    precreated = nullptr;
  }
  rendererInUse_ = precreated;
  enhancedInGraph_ = static_cast<bool>(FindFilterOfClass(CLSID_EnhancedVideoRenderer));

  RefreshSourceVideoSize();

  if (owner_) {
    Trace(L"VF_CSTOR::SetVideoWindow&MessageDrain");
    if (videoWindow_) {
      videoWindow_->put_Visible(OAFALSE);
      videoWindow_->put_AutoShow(OAFALSE);
    }
    SetBackgroundColor(background);
    if (videoWindow_) {
      videoWindow_->put_Owner(reinterpret_cast<OAHWND>(VideoWindow()));
      videoWindow_->put_WindowStyle(WS_CHILD);
    }
    SetVideoWindowPosition(videoRect_.right - videoRect_.left, videoRect_.bottom - videoRect_.top);
    if (videoWindow_) videoWindow_->put_MessageDrain(reinterpret_cast<OAHWND>(owner_));
    if (mediaEvents_) mediaEvents_->SetNotifyWindow(reinterpret_cast<OAHWND>(owner_), kGraphEventMessage, 0);
    Trace(L"VF_CSTOR::SetTimer");
  }

  if (rendererInUse_) {
    Trace(L"VF_CSTOR::VideoRendererFound");
    rendererInUse_->QueryInterface(IID_IQualProp, quality_.put_void());
  } else {
    Trace(L"VF_CSTOR::VideoRendererNotFound");
  }

  Trace(L"VF_CSTOR::GetMKVFilter");
  graph_->FindFilterByName(L"Matroska Splitter", matroskaSplitter_.put());
  if (!matroskaSplitter_) matroskaSplitter_ = FindFilterOfClass(CLSID_ZvMatroskaSplitter);
  if (matroskaSplitter_) {
    Trace(L"VF_CSTOR::MKVFilterFound");
    matroskaSplitter_->QueryInterface(IID_ZvMatroskaChapters, chapters_.put_void());
    SelectStream(0, kStreamAudio);
    SelectStream(-1, kStreamSubtitle);
    subtitleIndex_ = 0;
  } else {
    Trace(L"VF_CSTOR::MKVFilterNotFound");
    Trace(L"VF_CSTOR::GetAMStreamInterface");
    FindStreamFilters();
  }
  if (!matroskaSplitter_ && streamFilters_.empty()) {
    CollectAudioRenderers(CLSID_DSoundRender);
    if (audioRenderers_.empty()) CollectAudioRenderers(CLSID_AudioRender);
  }

  Trace(L"VF_CSTOR::DumpGraph");
  DumpGraph();
  Trace(L"VF_CSTOR::DisableClosedCaptions");
  DisableClosedCaptions();

  if (HWND window = VideoWindow(); window && HasVideo()) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  }
  PlaceVideo();
}

void VideoFile::ReportRenderFailure(HRESULT hr, const std::wstring& reasonText) {
  const bool fullscreen = IsFullscreen();
  if (fullscreen) ShowCursor(TRUE);
  wchar_t reason[161] = {};
  wcsncpy(reason, reasonText.c_str(), 160);
  // Codes outside the media framework's own (a time-out, a system error)
  // get the system's text.
  if (reason[0] == 0 && (AMGetErrorTextW(hr, reason, 160) == 0 || reason[0] == 0))
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   hr == VFW_E_TIMEOUT ? static_cast<DWORD>(ERROR_TIMEOUT) : static_cast<DWORD>(hr), 0, reason, 160,
                   nullptr);
  std::u16string format = texts_ ? texts_->Message(u"ERROROPENING") : std::u16string();
  if (format.empty()) format = u"%s\n%s";
  const std::wstring message =
      fw::ToWide(zv::FillTwoPlaceholders(format, fw::ToU16(fileName_), fw::ToU16(reason)));
  Trace(L"VF_CSTOR::ErrorRendering[" + message + L"]");
  const std::wstring caption = texts_ ? fw::ToWide(texts_->Message(u"ERROR2")) : std::wstring();
  MessageBoxW(owner_, message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  if (fullscreen) ShowCursor(FALSE);
}

void VideoFile::FindStreamFilters() {
  if (!graph_) return;
  fw::ComPtr<IEnumFilters> filters;
  if (FAILED(graph_->EnumFilters(filters.put()))) return;
  for (;;) {
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) return;
    fw::ComPtr<IAMStreamSelect> select;
    if (FAILED(filter.As(select))) continue;
    FILTER_INFO info{};
    auto node = std::make_unique<CStreamFilter>();
    if (SUCCEEDED(filter->QueryFilterInfo(&info))) {
      if (info.pGraph) info.pGraph->Release();
      info.achName[MAX_FILTER_NAME - 1] = 0;
      node->name = info.achName;
    }
    node->select = std::move(select);
    streamFilters_.insert(streamFilters_.begin(), std::move(node));
  }
}

LONGLONG VideoFile::GetCurrentFrame() {
  if (!mediaSeeking_) return -1;
  LONGLONG frame = -1;
  if (FAILED(mediaSeeking_->SetTimeFormat(&TIME_FORMAT_FRAME)) ||
      FAILED(mediaSeeking_->GetCurrentPosition(&frame)))
    frame = -1;
  mediaSeeking_->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);
  return frame;
}

bool VideoFile::CanSeek() const { return !networkSource_ || networkSource_->Stream().Seekable(); }

// A live stream has no end: no duration, whatever its splitter estimates.
int VideoFile::GetDuration() {
  if (networkSource_ && networkSource_->Stream().Live()) return 0;
  return CDirectShow::GetDuration();
}

HRESULT VideoFile::SetRate(double rate) {
  if (!mediaSeeking_) return E_FAIL;
  return ChangePlayback([&] { return mediaSeeking_->SetRate(rate); });
}

double VideoFile::GetRate() {
  double rate = 1.0;
  if (!mediaSeeking_ || FAILED(mediaSeeking_->GetRate(&rate))) return 1.0;
  return rate;
}

// Stream selection is not offered by this media object yet: no streams, and
// selecting one changes nothing.
int VideoFile::GetStreamCount(int) { return 0; }

HRESULT VideoFile::GetStreamInfo(long, AM_MEDIA_TYPE** mediaType, DWORD* enabled, int*, std::wstring* name,
                                 LONGLONG* startTime) {
  if (mediaType) *mediaType = nullptr;
  if (enabled) *enabled = 0;
  if (name) name->clear();
  if (startTime) *startTime = 0;
  return E_NOTIMPL;
}

HRESULT VideoFile::SelectStream(long, int) { return E_NOTIMPL; }
