#pragma once
// Filters that stand in for what the platform here cannot give: a filter that
// never finishes a state change (a renderer waiting for a picture that never
// comes), and an Enhanced Video Renderer that, as on Windows, offers its
// services only once it is in a graph. Both join real filter graphs.
#include "framework/ComPtr.h"
#include "media/MediaGuids.h"

#include <atomic>
#include <string>

namespace zvtest {

// A filter without pins. Stopped, it reports its state at once; paused or
// running it waits out the caller's time-out (at most 1 s per call) and says
// the transition is still under way, for ever.
class StallingFilter : public IBaseFilter {
 public:
  static fw::ComPtr<IBaseFilter> Create();
  // A filter that stalls only after StallNextPause: from its next pause until
  // it is stopped, as a renderer waiting for a picture that does not come.
  static fw::ComPtr<IBaseFilter> CreateSlowToCue();
  static StallingFilter* From(IBaseFilter* filter) { return static_cast<StallingFilter*>(filter); }
  void StallNextPause() {
    pinsSeenWhilePaused_ = 0;
    armed_ = true;
  }
  // After StallNextPause and until the next stop: how often the graph looked
  // at this filter's pins while it was paused (a graph builder looks at every
  // filter's pins when it connects new filters).
  int PinsSeenWhilePaused() const { return pinsSeenWhilePaused_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
  HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
  HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
  HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
  HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
  HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
  HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;

 protected:
  StallingFilter() = default;
  virtual ~StallingFilter() = default;
  IFilterGraph* graph_ = nullptr;  // not owned, as the graph owns its filters
  std::atomic<bool> stalling_{true};

 private:
  std::atomic<ULONG> refs_{1};
  std::atomic<int> state_{State_Stopped};
  std::atomic<bool> armed_{false};
  std::atomic<int> pinsSeenWhilePaused_{0};
  std::wstring name_;
};

// The Enhanced Video Renderer as Windows has it where it matters here: the
// display control is there only while the filter belongs to a graph.
class EnhancedRendererStandIn : public StallingFilter, public IMFGetService {
 public:
  static fw::ComPtr<IBaseFilter> Create();
  // The window the display control was given, none before.
  static HWND WindowGiven();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return StallingFilter::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return StallingFilter::Release(); }
  HRESULT STDMETHODCALLTYPE GetService(REFGUID service, REFIID iid, void** out) override;

 private:
  EnhancedRendererStandIn() { stalling_ = false; }
};

}  // namespace zvtest
