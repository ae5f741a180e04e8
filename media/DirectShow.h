#pragma once
// A media object over a DirectShow filter graph, whatever built the graph:
// transport, positions, volume and balance, video size queries, the video
// renderer and its window, Running Object Table registration, the graph
// dump, the filter menu and property pages, the overlay mixer's mode.
#include "framework/ComPtr.h"
#include "media/Media.h"
#include "media/MediaGuids.h"

#include <functional>
#include <string>
#include <vector>

class CDirectShow : public CMedia {
 public:
  // Creates the renderer that VideoRenderer asks for and the optional
  // decoder filter, and makes sure the video window exists.
  CDirectShow(HINSTANCE instance, HWND owner, CSettings* settings, const RECT& videoRect, std::wstring title,
              HICON icon);
  ~CDirectShow() override;

  HRESULT SaveState() override;
  void RestoreState() override;
  SaveImageResult SaveCurrentImage(const std::wstring& baseName, const std::wstring& extension,
                                   std::wstring* savedAs = nullptr) override;
  void SetBasicVideoDestinationPosition(int left, int top, int width, int height) override;
  HBRUSH SetBackgroundColor(COLORREF color) override;
  HRESULT GetState(long* state) override;
  bool HasVideo() override;
  bool HasAudio() override;
  HRESULT Stop() override;
  HRESULT Play() override;
  HRESULT Pause() override;
  HRESULT PlayPause() override;
  HRESULT SetPosition(int hundredths) override;
  HRESULT SetVolume(long volume) override;
  long GetVolume() override;
  int GetDuration() override;
  int GetPosition() override;
  double GetFrameRate() override;
  HRESULT SetBalance(long balance) override;
  long GetBalance() override;
  HRESULT GetPreferredAspectRatio(long* x, long* y) override;
  void GetDestinationSize(long* width, long* height) override;
  HRESULT GetNativeVideoSize(long* width, long* height) override;
  void SetVideoWindowPosition(int width, int height) override;

  // --- the nine operations of the graph core, in slot order ---
  virtual HRESULT AddToRot(IUnknown* graph, DWORD* cookie);
  virtual HRESULT RemoveFromRot(DWORD cookie);
  virtual void DumpGraph();
  virtual void RemoveAllFilters();
  virtual void WaitForStateChange();
  virtual HRESULT SetAspectRatioMode(int mode);
  // kind 0: `target` is a list box; 1: a menu; other: no target.
  virtual int FillFilterMenu(void* target, int kind);
  virtual HRESULT GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2);
  virtual void ShowFilterProperties(const std::wstring& filterName, HWND parent);

  // Writes "message: error text" to the trace when the framework has a
  // text for the code; returns the code unchanged.
  HRESULT LogResult(const std::wstring& message, HRESULT hr) const;

  // False when the last WaitForStateChange gave up before the graph settled
  // (a filter that never finishes its transition); the trace says so too.
  bool StateChangeSettled() const { return stateChangeSettled_; }

  IGraphBuilder* Graph() const { return graph_.get(); }
  const std::wstring& RendererName() const { return rendererName_; }
  bool UsesEnhancedRenderer() const;
  DWORD RotCookie() const { return rotCookie_; }
  // Tells the renderer's window that the player window moved (it keeps its
  // overlay and cursor state by the owner's position).
  void NotifyOwnerMoved();

 protected:
  struct AudioRenderer {
    fw::ComPtr<IBaseFilter> filter;
    int number = 0;
  };

  // The longest WaitForStateChange waits, and what one seek waits in all.
  static constexpr DWORD kStateChangeLimitMs = 5000;
  // Waits until the graph leaves its intermediate state or the deadline (a
  // GetTickCount64 value) passes; false, traced, when it did not settle.
  bool WaitForStateChangeUntil(ULONGLONG deadline);
  // Stops the graph before its filters or connections are edited. Stop()
  // may use StopWhenReady, which returns before the filters have stopped;
  // IMediaControl::Stop returns only when every filter has.
  HRESULT StopForEdit();
  // Renders a file into the graph where the platform can hang in it, with a
  // time limit (media/BoundedRender.h). On time-out the graph and every
  // reference of this object go to the worker: the object is left without a
  // graph and reports VFW_E_TIMEOUT; it can only be destroyed then.
  HRESULT RenderIntoGraph(const std::wstring& file);
  // Moves every reference on the graph and its filters into `out`; derived
  // classes add theirs. Used only when a graph is given up.
  virtual void HandOverGraph(std::vector<fw::ComPtr<IUnknown>>& out);
  // The stream's frame duration in 100 ns units from the video renderer's
  // connection; 0 when unknown.
  LONGLONG AverageTimePerFrame();

  // Seeks to an absolute reference time; the one place that knows the
  // platform may need the graph stopped for it (media/PlatformQuirks.h).
  HRESULT SeekAbsolute(LONGLONG referenceTime);
  // Runs a seek-like change of the graph, stopping the graph around it where
  // the platform needs that.
  HRESULT ChangePlayback(const std::function<HRESULT()>& change);
  // Clamp to the duration and seek.
  HRESULT SeekHundredths(int hundredths);
  // Releases every graph interface in the order the graph needs; the
  // destructor runs it, derived destructors may run it earlier.
  void ReleaseGraph();
  fw::ComPtr<IBaseFilter> FindFilterOfClass(const CLSID& clsid) const;
  // True when a pin of the filter is connected.
  static bool IsConnected(IBaseFilter* filter);
  void CollectAudioRenderers(const CLSID& clsid);
  void DisableClosedCaptions();
  // Adds the pre-created renderer under its name; the Enhanced Video Renderer
  // is given up (and the next renderer of "Current" tried) when its display
  // control cannot be had or cannot take the video window. Adds the stand-in
  // where there is one.
  void AddRendererToGraph();

  fw::ComPtr<IBasicVideo2> basicVideo_;
  fw::ComPtr<IBasicAudio> basicAudio_;
  fw::ComPtr<IMediaControl> mediaControl_;
  fw::ComPtr<IMediaSeeking> mediaSeeking_;
  fw::ComPtr<IMediaEventEx> mediaEvents_;
  fw::ComPtr<IGraphBuilder> graph_;
  fw::ComPtr<IVideoWindow> videoWindow_;
  fw::ComPtr<IAMLine21Decoder> closedCaptions_;
  fw::ComPtr<IQualProp> quality_;
  fw::ComPtr<IBaseFilter> overlayMixer_;
  bool overlayMixerLookedUp_ = false;
  fw::ComPtr<IMixerPinConfig> overlayPinConfig_;
  IBaseFilter* rendererInUse_ = nullptr;
  fw::ComPtr<IBaseFilter> classicRenderer_;
  fw::ComPtr<IBaseFilter> enhancedRenderer_;
  // Where graph builds run on a worker and the setting yields no renderer:
  // the platform's renderer, made on this thread (media/PlatformQuirks.h).
  // Not a renderer in use.
  fw::ComPtr<IBaseFilter> standInRenderer_;
  fw::ComPtr<IBaseFilter> decoder_;
  fw::ComPtr<IMFVideoDisplayControl> displayControl_;
  fw::ComPtr<IMFVideoMixerControl> mixerControl_;
  std::vector<AudioRenderer> audioRenderers_;
  DWORD rotCookie_ = 0;
  bool enhancedInGraph_ = false;
  bool stateChangeSettled_ = true;
  std::wstring rendererName_;

 private:
  void CreateRenderer();
  void CreateStandInRenderer();
  bool GrabFrame(std::vector<BYTE>* header, std::vector<BYTE>* pixels);
};
