#pragma once
// What our source filters with one output pin share as filters: the COM
// count, the state and the clock a graph gives them, the graph they belong to
// and their name in it, and the pin found by its id. What a filter hands out
// through its pin is its own.
//
// Reference counting: the pin is a part of the filter and counts on the
// filter's counter. The graph holds the filter; the filter does not hold the
// graph.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"

#include <dshow.h>

#include <atomic>
#include <mutex>
#include <string>

namespace zv {

// COM objects are destroyed by their own Release only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class SourceFilterBase : public IBaseFilter {
 public:
  SourceFilterBase(const SourceFilterBase&) = delete;
  SourceFilterBase& operator=(const SourceFilterBase&) = delete;

  // IUnknown: IBaseFilter and the interfaces it extends.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IPersist
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
  // IMediaFilter: the state changes at once; the pin serves in any state.
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
  HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
  HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
  HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
  // IBaseFilter
  HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
  HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
  HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;

  virtual IPin* OutputPin() = 0;

  // Stream time of the graph, 100 ns: running, the clock's time since the
  // start; paused, where it stood at the pause; stopped, 0.
  REFERENCE_TIME StreamTime();
  // Posts an event to the graph's event queue; nothing outside a graph.
  void Notify(long code, LONG_PTR param1, LONG_PTR param2);

 protected:
  // `pinId`: the output pin's id, a constant. `vendor`: what QueryVendorInfo
  // answers; none: E_NOTIMPL.
  SourceFilterBase(const CLSID& clsid, const wchar_t* pinId, std::wstring name = {}, const wchar_t* vendor = nullptr);
  virtual ~SourceFilterBase();

  // Guards the state (and whatever a filter's pin keeps with it, such as
  // its connection); never held while calling into another filter.
  std::mutex lock_;
  FILTER_STATE state_ = State_Stopped;

 private:
  std::atomic<ULONG> references_{1};
  const CLSID clsid_;
  const wchar_t* const pinId_;
  const wchar_t* const vendor_;
  REFERENCE_TIME start_ = 0;
  REFERENCE_TIME pausedAt_ = 0;
  fw::ComPtr<IReferenceClock> clock_;
  IFilterGraph* graph_ = nullptr;  // not counted: the graph owns the filter
  std::wstring name_;
};
#pragma GCC diagnostic pop

}  // namespace zv
