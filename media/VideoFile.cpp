#include "media/VideoFile.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "media/FrameNumber.h"
#include "media/MediaText.h"
#include "media/StreamSelection.h"
#include "media/OpeningError.h"
#include "media/PlatformQuirks.h"
#include "media/SourceChoice.h"
#include "streaming/HttpSourceFilter.h"
#include "streaming/NetworkRender.h"

namespace {

constexpr UINT kGraphEventMessage = WM_APP + 1;
int g_streamFilterCount = 0;

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
  std::wstring reason;
  const HRESULT rendered =
      route == zv::SourceRoute::kOwnHttp ? RenderAddressIntoGraph(fileName, &reason) : RenderIntoGraph(fileName);
  // The user closed the window or pressed Escape while a stream connected:
  // nothing to report.
  if (rendered == zv::net::kOpeningCancelled) {
    Trace(L"VF_CSTOR::OpeningCancelled");
    return;
  }
  if (rendered == VFW_E_TIMEOUT && !graph_) {
    // The stuck graph went to its worker thread (media/BoundedRender.h).
    Trace(L"VF_CSTOR::RenderFileTimedOut");
    return ReportRenderFailure(rendered, reason);
  }
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
  if (standInRenderer_ && !IsConnected(standInRenderer_.get())) graph_->RemoveFilter(standInRenderer_.get());
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
    if (zv::InsertAudioSwitchers(graph_.get(), fileName_, SwitcherPageTitle()) > 0)
      Trace(L"VF_CSTOR::AudioSwitcherInserted");
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

HRESULT VideoFile::RenderAddressIntoGraph(const std::wstring& address, std::wstring* reason) {
  fw::ComPtr<IGraphBuilder> graph;
  graph_.As(graph);
  std::vector<fw::ComPtr<IUnknown>> none;
  const HRESULT rendered = zv::net::RenderHttpAddress(graph, address, texts_, none, networkSource_, reason);
  if (!graph) {
    // The stuck build went to its worker with a reference of its own; ours
    // stay unreleased too, since the build holds the graph's locks.
    std::vector<fw::ComPtr<IUnknown>> held;
    HandOverGraph(held);
    for (fw::ComPtr<IUnknown>& reference : held) reference.Detach();
  }
  return rendered;
}

void VideoFile::ReportRenderFailure(HRESULT hr, const std::wstring& reasonText) {
  const bool fullscreen = IsFullscreen();
  if (fullscreen) ShowCursor(TRUE);
  const std::wstring message = reasonText.empty() ? zv::OpeningErrorMessage(texts_, fileName_, hr)
                                                  : zv::OpeningErrorMessage(texts_, fileName_, reasonText);
  Trace(L"VF_CSTOR::ErrorRendering[" + message + L"]");
  zv::ShowOpeningErrorBox(owner_, texts_, message);
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
  if (frame >= 0) return frame;
  // Where the graph cannot count frames (Wine), the stream's frame rate can.
  LONGLONG position = 0;
  if (FAILED(mediaSeeking_->GetCurrentPosition(&position))) return -1;
  return zv::FrameAtPosition(position, AverageTimePerFrame());
}

void VideoFile::HandOverGraph(std::vector<fw::ComPtr<IUnknown>>& out) {
  auto take = [&out](auto& pointer) {
    if (pointer) out.push_back(fw::ComPtr<IUnknown>::Attach(pointer.Detach()));
  };
  take(externalRenderer_);
  externalAudio_ = false;
  take(chapters_);
  take(matroskaSplitter_);
  take(ownAudioPin_);
  take(ownUpstreamPin_);
  for (auto& filter : streamFilters_) take(filter->select);
  streamFilters_.clear();
  take(frameStep_);
  CDirectShow::HandOverGraph(out);
}

bool VideoFile::CanSeek() const { return !networkSource_ || networkSource_->Stream().Seekable(); }

// A live stream has no end: no duration, whatever its splitter estimates.
int VideoFile::GetDuration() {
  if (networkSource_ && networkSource_->Stream().Live()) return 0;
  return CDirectShow::GetDuration();
}

// Where the renderer does not repaint a paused frame (media/PlatformQuirks.h),
// the same position sought again presents it anew. A file with a second
// file's audio laid over it is left alone: that source follows a seek only
// loosely.
void VideoFile::ShowPausedFrameAgain() {
  long state = kStateStopped;
  if (zv::RendererRepaintsPausedFrame()) return;
  if (!mediaSeeking_ || !HasVideo() || externalAudio_ || !CanSeek() || FAILED(GetState(&state)) ||
      state != kStatePaused)
    return;
  LONGLONG now = 0;
  if (SUCCEEDED(mediaSeeking_->GetCurrentPosition(&now))) SeekAbsolute(now);
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
