// CDirectShow: the video renderer (choice, creation, Enhanced Video Renderer
// services) and every picture operation, on the display-control path when the
// Enhanced Video Renderer runs the picture and on the classic path otherwise.
#include "media/DirectShow.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/WideString.h"
#include "media/EnhancedRenderer.h"
#include "media/PlatformQuirks.h"
#include "media/RendererChoice.h"
#include "media/VideoWindow.h"

namespace {

const CLSID& ClassOf(zv::RendererKind kind) {
  switch (kind) {
    case zv::RendererKind::Enhanced:
      return CLSID_EnhancedVideoRenderer;
    case zv::RendererKind::MixingRenderer9:
      return CLSID_VideoMixingRenderer9;
    case zv::RendererKind::MixingRenderer7:
      return CLSID_VideoMixingRenderer;
    case zv::RendererKind::Classic:
      break;
  }
  return CLSID_VideoRenderer;
}

// Renderers this platform cannot show a picture with (media/PlatformQuirks.h).
bool PassedOverHere(zv::RendererKind kind, const std::u16string& setting) {
  if (kind == zv::RendererKind::Enhanced) return !zv::EnhancedRendererUsable();
  if (kind == zv::RendererKind::MixingRenderer9 || kind == zv::RendererKind::MixingRenderer7)
    return setting == u"Current" && !zv::MixingRenderersForCurrent();
  return false;
}

}  // namespace

namespace zv {

bool JoinEnhancedRenderer(IGraphBuilder* graph, IBaseFilter* renderer, const wchar_t* name, HWND window,
                          fw::ComPtr<IMFVideoDisplayControl>& display, fw::ComPtr<IMFVideoMixerControl>& mixer) {
  if (!graph || !renderer || !window || FAILED(graph->AddFilter(renderer, name))) return false;
  // It must know its window before the graph runs (without one the
  // platform's renderer can crash the process).
  fw::ComPtr<IMFGetService> services;
  if (SUCCEEDED(renderer->QueryInterface(__uuidof(IMFGetService), services.put_void())) &&
      SUCCEEDED(services->GetService(MR_VIDEO_RENDER_SERVICE, IID_IMFVideoDisplayControl, display.put_void())) &&
      display && SUCCEEDED(display->SetVideoWindow(window))) {
    display->SetAspectRatioMode(MFVideoARMode_None);
    services->GetService(MR_VIDEO_MIXER_SERVICE, IID_IMFVideoMixerControl, mixer.put_void());
    return true;
  }
  display.Reset();
  mixer.Reset();
  graph->RemoveFilter(renderer);
  return false;
}

}  // namespace zv

namespace {

fw::ComPtr<IBaseFilter> CreateFilter(const CLSID& clsid) {
  fw::ComPtr<IBaseFilter> filter;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.put_void());
  return filter;
}

}  // namespace

// Renderers are created on this thread, the user-interface thread, so that
// their windows live as long as the player (media/PlatformQuirks.h).
void CDirectShow::CreateRenderer() {
  const std::u16string setting = settings_ ? settings_->VideoRenderer : std::u16string(u"Current");
  for (zv::RendererKind kind : zv::RendererCandidates(setting)) {
    if (PassedOverHere(kind, setting)) continue;
    fw::ComPtr<IBaseFilter> filter = CreateFilter(ClassOf(kind));
    if (!filter) continue;
    rendererName_ = fw::ToWide(zv::RendererName(kind));
    if (kind == zv::RendererKind::Enhanced)
      enhancedRenderer_ = std::move(filter);
    else
      classicRenderer_ = std::move(filter);
    return;
  }
  CreateStandInRenderer();
}

void CDirectShow::CreateStandInRenderer() {
  if (zv::GraphBuildCanHang()) standInRenderer_ = CreateFilter(CLSID_VideoRenderer);
}

void CDirectShow::AddRendererToGraph() {
  if (!graph_) return;
  if (classicRenderer_) {
    graph_->AddFilter(classicRenderer_.get(), rendererName_.c_str());
    return;
  }
  if (enhancedRenderer_) {
    if (zv::JoinEnhancedRenderer(graph_.get(), enhancedRenderer_.get(), rendererName_.c_str(), VideoWindow(),
                                 displayControl_, mixerControl_))
      return;
    Trace(L"VF_CSTOR::EnhancedVideoRendererUnusable");
    enhancedRenderer_.Reset();
    rendererName_.clear();
    // "Current" goes on with the next renderer of its list.
    const std::u16string setting = settings_ ? settings_->VideoRenderer : std::u16string(u"Current");
    for (zv::RendererKind kind : zv::RendererCandidates(setting)) {
      if (kind == zv::RendererKind::Enhanced || PassedOverHere(kind, setting)) continue;
      classicRenderer_ = CreateFilter(ClassOf(kind));
      if (!classicRenderer_) continue;
      rendererName_ = fw::ToWide(zv::RendererName(kind));
      graph_->AddFilter(classicRenderer_.get(), rendererName_.c_str());
      return;
    }
    CreateStandInRenderer();
  }
  // The platform's own renderer, under the name its graph builder gives it.
  if (standInRenderer_) graph_->AddFilter(standInRenderer_.get(), L"Video Renderer");
}

bool CDirectShow::UsesEnhancedRenderer() const { return enhancedInGraph_ && displayControl_; }

void CDirectShow::SetBasicVideoDestinationPosition(int left, int top, int width, int height) {
  if (UsesEnhancedRenderer() && enhancedRenderer_ && mixerControl_) {
    const zv::ZoomFactors f = GetZoomFactors();
    const int pw = static_cast<int>(sourceWidth_ * f.horizontal);
    const int ph = static_cast<int>(sourceHeight_ * f.vertical);
    RECT window{};
    if (HWND w = VideoWindow()) GetWindowRect(w, &window);
    const zv::NormalizedSpan x = zv::MixerSpan(pw, window.right - window.left);
    const zv::NormalizedSpan y = zv::MixerSpan(ph, window.bottom - window.top);
    MFVideoNormalizedRect output{x.outputFrom, y.outputFrom, x.outputTo, y.outputTo};
    MFVideoNormalizedRect source{x.sourceFrom, y.sourceFrom, x.sourceTo, y.sourceTo};
    mixerControl_->SetStreamOutputRect(0, &output);
    displayControl_->SetVideoPosition(&source, nullptr);
  } else if (basicVideo_) {
    // The renderer's window covers the picture only, and the video window
    // paints the bars around it.
    if (videoWindow_) videoWindow_->SetWindowPosition(left, top, width, height);
    basicVideo_->SetDestinationPosition(0, 0, width, height);
  }
  Trace(fw::Format(L"CMedia_SetBasicVideoDestinationPosition::%i,%i;%i*%i", left, top, width, height));
}

HBRUSH CDirectShow::SetBackgroundColor(COLORREF color) {
  if (UsesEnhancedRenderer())
    displayControl_->SetBorderColor(color);
  else if (videoWindow_)
    videoWindow_->put_BorderColor(static_cast<long>(color));
  return CMedia::SetBackgroundColor(color);
}

void CDirectShow::SetVideoWindowPosition(int width, int height) {
  if (videoWindow_) videoWindow_->SetWindowPosition(0, 0, width, height);
  if (UsesEnhancedRenderer()) {
    RECT destination{0, 0, width, height};
    displayControl_->SetVideoPosition(nullptr, &destination);
  }
  CMedia::SetVideoWindowPosition(width, height);
}

void CDirectShow::GetDestinationSize(long* width, long* height) {
  long w = 0, h = 0;
  if (UsesEnhancedRenderer()) {
    MFVideoNormalizedRect source{};
    RECT destination{};
    if (SUCCEEDED(displayControl_->GetVideoPosition(&source, &destination))) {
      w = destination.right - destination.left;
      h = destination.bottom - destination.top;
    }
  } else if (basicVideo_) {
    if (FAILED(basicVideo_->get_DestinationWidth(&w))) w = 0;
    if (FAILED(basicVideo_->get_DestinationHeight(&h))) h = 0;
  }
  if (width) *width = w;
  if (height) *height = h;
}

HRESULT CDirectShow::GetNativeVideoSize(long* width, long* height) {
  HRESULT hr = E_FAIL;
  long w = 0, h = 0;
  if (UsesEnhancedRenderer()) {
    SIZE size{}, ratio{};
    hr = displayControl_->GetNativeVideoSize(&size, &ratio);
    w = size.cx;
    h = size.cy;
  } else if (basicVideo_) {
    hr = basicVideo_->GetVideoSize(&w, &h);
  }
  if (width) *width = w;
  if (height) *height = h;
  LogResult(L"CMedia_GetNativeVideoSize::Result", hr);
  Trace(fw::Format(L"CMedia_GetNativeVideoSize::%i*%i", w, h));
  return hr;
}

HRESULT CDirectShow::GetPreferredAspectRatio(long* x, long* y) {
  HRESULT hr = E_FAIL;
  long ax = 0, ay = 0;
  if (UsesEnhancedRenderer()) {
    SIZE size{}, ratio{};
    hr = displayControl_->GetNativeVideoSize(&size, &ratio);
    ax = ratio.cx;
    ay = ratio.cy;
  } else if (basicVideo_) {
    hr = basicVideo_->GetPreferredAspectRatio(&ax, &ay);
  }
  if (x) *x = ax;
  if (y) *y = ay;
  LogResult(L"CMedia_GetPreferredAspectRatio::Result", hr);
  Trace(fw::Format(L"CMedia_GetPreferredAspectRatio::AspectX:%i;AspectY:%i", ax, ay));
  return hr;
}
