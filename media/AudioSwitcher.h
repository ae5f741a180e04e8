#pragma once
// The audio track switcher: a filter with one input per audio track of a
// splitter and one output to the audio renderer. Only the enabled input's
// samples pass; the others are taken and dropped at once, so that the
// splitter keeps going. Switching tracks needs no stop of the graph and
// keeps the position: the next sample of the newly enabled input goes to the
// renderer with its own segment (and, when its format differs, its media
// type). It offers IAMStreamSelect with one group, and a property page that
// lists its tracks.
//
// Threads: every input is called on its upstream pin's streaming thread;
// IAMStreamSelect, state changes and connections on the application's.
// Samples reach the renderer one at a time (the delivery lock); the
// application's thread never waits for that lock, because a paused renderer
// holds a delivering thread until it runs again.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"
#include "media/MediaTypes.h"

#include <dshow.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <condition_variable>
#include <mutex>

namespace zv {

// Class identifiers of the switcher and of its property page.
extern const CLSID kAudioSwitcherClassId;
extern const CLSID kAudioSwitcherPageClassId;

// What the menus and the property page call one input.
class PinCore;

struct SwitcherTrack {
  std::wstring name;
  std::string language;  // ISO 639 code or language tag; may be empty
};

// COM interfaces have no virtual destructors by design; Release deletes.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class CAudioSwitcher final : public IBaseFilter, public IAMStreamSelect, public ISpecifyPropertyPages {
 public:
  // The name under which the switcher joins a graph.
  static constexpr const wchar_t* kFilterName = L"Audio Track Switcher";

  // One input per track; input 0 starts enabled. The page title is the tab
  // text of the property page.
  static fw::ComPtr<CAudioSwitcher> Create(std::vector<SwitcherTrack> tracks, std::wstring pageTitle);
  // The switcher behind a filter of a graph; empty for other filters.
  static fw::ComPtr<CAudioSwitcher> FromFilter(IUnknown* filter);

  IPin* Input(size_t index) const;
  IPin* Output() const;
  size_t InputCount() const;
  int EnabledInput() const { return enabled_.load(); }
  const SwitcherTrack& Track(size_t index) const;
  const std::wstring& PageTitle() const { return pageTitle_; }

  // Samples an input was given, and how many of them it handed to the
  // renderer (counted as the call into the renderer starts).
  struct Counts {
    long long received = 0;
    long long delivered = 0;
  };
  Counts SampleCounts(size_t input) const;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IPersist / IMediaFilter / IBaseFilter
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
  HRESULT STDMETHODCALLTYPE GetState(DWORD timeout, FILTER_STATE* state) override;
  HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
  HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
  HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
  HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
  HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;
  // IAMStreamSelect
  HRESULT STDMETHODCALLTYPE Count(DWORD* count) override;
  HRESULT STDMETHODCALLTYPE Info(LONG index, AM_MEDIA_TYPE** type, DWORD* flags, LCID* lcid, DWORD* group,
                                 WCHAR** name, IUnknown** object, IUnknown** unknown) override;
  HRESULT STDMETHODCALLTYPE Enable(LONG index, DWORD flags) override;
  // ISpecifyPropertyPages
  HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

 private:
  class InputPin;
  class OutputPin;
  friend class InputPin;
  friend class OutputPin;
  friend class PinCore;

  CAudioSwitcher(std::vector<SwitcherTrack> tracks, std::wstring pageTitle);
  ~CAudioSwitcher();

  // Streaming calls of the inputs.
  HRESULT Receive(size_t input, IMediaSample* sample);
  HRESULT EndOfStream(size_t input);
  HRESULT BeginFlush(size_t input);
  HRESULT EndFlush(size_t input);
  HRESULT NewSegment(size_t input, REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
  // Called with the delivery lock held: what a switch left to do before the
  // next sample (segment, media type) and after one (end of stream).
  void ApplySwitchLocked(size_t input, IMediaSample* sample, IPin* downstream);
  void SendPendingEndOfStreamLocked(IPin* downstream);
  // The renderer's input pin (a reference), or empty when unconnected.
  fw::ComPtr<IPin> Downstream() const;
  // The media type the output works with (the enabled input's).
  MediaType OutputType() const;
  bool IsStopped() const { return state_.load() == State_Stopped; }

  LiveObject live_;
  std::atomic<LONG> refs_{1};
  mutable CRITICAL_SECTION lock_;  // state, connections, bookkeeping; never held across a call downstream
  CRITICAL_SECTION deliverLock_;   // one call into the renderer at a time
  std::atomic<int> state_{State_Stopped};
  IReferenceClock* clock_ = nullptr;  // a reference of its own
  IFilterGraph* graph_ = nullptr;     // not a reference: the graph owns its filters
  std::wstring name_;
  std::wstring pageTitle_;
  std::vector<SwitcherTrack> tracks_;
  std::vector<std::unique_ptr<InputPin>> inputs_;
  std::unique_ptr<OutputPin> output_;

  std::atomic<int> enabled_{0};
  // Guarded by lock_.
  bool switchPending_ = false;       // the next delivery comes from a newly enabled input
  bool endOfStreamPending_ = false;  // the newly enabled input had ended already
  bool endOfStreamSent_ = false;
  int flushOwner_ = -1;  // the input whose flush was passed downstream
  bool segmentSent_ = false;
  REFERENCE_TIME segmentStart_ = 0, segmentStop_ = 0;
  double segmentRate_ = 1.0;

  // Pacing: a disabled input waits while its next sample starts after the
  // last sample the enabled input was given, so that it stays where
  // playback is and a switch continues seamlessly. It never waits on a
  // thread that also feeds another input (a splitter that pushes every
  // stream from one thread), and a wait ends after a second: an input that
  // timed out while the graph ran goes unpaced until its next start or flush.
  void WaitForEnabledInput(size_t input, IMediaSample* sample);
  void WakeWaitingInputs();
  bool SharesThreadWithAnotherInput(size_t input, DWORD thread) const;
  std::mutex paceMutex_;
  std::condition_variable paceChanged_;
  bool paceValid_ = false;       // the enabled input was given a sample since the last start, flush or switch
  REFERENCE_TIME paceTime_ = 0;  // the start of that sample
};

#pragma GCC diagnostic pop

}  // namespace zv
