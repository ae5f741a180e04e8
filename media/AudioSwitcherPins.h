#pragma once
// The switcher's pins (private to AudioSwitcher*.cpp). Pins live inside the
// filter and share its reference count, as pins do.
#include "media/AudioSwitcher.h"

namespace zv {

// Holds a critical section for a scope.
class Locked {
 public:
  explicit Locked(CRITICAL_SECTION* section) : section_(section) { EnterCriticalSection(section_); }
  ~Locked() { LeaveCriticalSection(section_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION* section_;
};

// Common pin bookkeeping: name, direction, the connected pin and its type.
class PinCore {
 public:
  PinCore(CAudioSwitcher* filter, std::wstring name, PIN_DIRECTION direction)
      : filter_(filter), name_(std::move(name)), direction_(direction) {}

  HRESULT ConnectedTo(IPin** pin) const;
  HRESULT ConnectionMediaType(AM_MEDIA_TYPE* type) const;
  HRESULT QueryPinInfo(PIN_INFO* info) const;
  HRESULT QueryId(LPWSTR* id) const;
  const std::wstring& Name() const { return name_; }
  // A reference to the connected pin, or empty.
  fw::ComPtr<IPin> Peer() const;
  MediaType ConnectionType() const;

 protected:
  friend class CAudioSwitcher;
  CAudioSwitcher* filter_;  // owns the pin
  std::wstring name_;
  PIN_DIRECTION direction_;
  // Guarded by the filter's lock.
  fw::ComPtr<IPin> peer_;
  MediaType type_;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class CAudioSwitcher::InputPin final : public IPin, public IMemInputPin, public PinCore {
 public:
  InputPin(CAudioSwitcher* filter, size_t index, std::wstring name)
      : PinCore(filter, std::move(name), PINDIR_INPUT), index_(index) {}

  // IUnknown: the filter's count.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return filter_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return filter_->Release(); }
  // IPin
  HRESULT STDMETHODCALLTYPE Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE Disconnect() override;
  HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override { return PinCore::ConnectedTo(pin); }
  HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override {
    return PinCore::ConnectionMediaType(type);
  }
  HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override { return PinCore::QueryPinInfo(info); }
  HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
  HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override { return PinCore::QueryId(id); }
  HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
  HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EndOfStream() override { return filter_->EndOfStream(index_); }
  HRESULT STDMETHODCALLTYPE BeginFlush() override { return filter_->BeginFlush(index_); }
  HRESULT STDMETHODCALLTYPE EndFlush() override { return filter_->EndFlush(index_); }
  HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override {
    return filter_->NewSegment(index_, start, stop, rate);
  }
  // IMemInputPin
  HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator** allocator) override;
  HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
  HRESULT STDMETHODCALLTYPE GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Receive(IMediaSample* sample) override { return filter_->Receive(index_, sample); }
  HRESULT STDMETHODCALLTYPE ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
  HRESULT STDMETHODCALLTYPE ReceiveCanBlock() override { return S_OK; }

  // Stopping: the allocator the upstream pin uses is decommitted, which
  // frees a thread waiting for a buffer.
  void Inactive();
  // Guarded by the filter's lock; read by the streaming thread of this input.
  std::atomic<bool> flushing{false};
  std::atomic<bool> endOfStream{false};
  std::atomic<long long> received{0};
  std::atomic<DWORD> thread{0};       // that last called Receive
  std::atomic<bool> unpaced{false};   // waited in vain while running
  std::atomic<long long> delivered{0};
  // The last segment the upstream pin announced (filter's lock).
  bool hasSegment = false;
  REFERENCE_TIME segmentStart = 0, segmentStop = 0;
  double segmentRate = 1.0;

 private:
  size_t index_;
  fw::ComPtr<IMemAllocator> ownAllocator_;
  fw::ComPtr<IMemAllocator> allocator_;  // the one in use, as notified
};

class CAudioSwitcher::OutputPin final : public IPin, public IMediaSeeking, public PinCore {
 public:
  explicit OutputPin(CAudioSwitcher* filter) : PinCore(filter, L"Output", PINDIR_OUTPUT) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return filter_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return filter_->Release(); }
  // IPin
  HRESULT STDMETHODCALLTYPE Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE Disconnect() override;
  HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override { return PinCore::ConnectedTo(pin); }
  HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override {
    return PinCore::ConnectionMediaType(type);
  }
  HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override { return PinCore::QueryPinInfo(info); }
  HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
  HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override { return PinCore::QueryId(id); }
  HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
  HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EndOfStream() override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE BeginFlush() override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE EndFlush() override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

  // IMediaSeeking: the renderer's seeking goes to the splitter through the
  // enabled input's upstream pin.
  HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) override;
  HRESULT STDMETHODCALLTYPE CheckCapabilities(DWORD* capabilities) override;
  HRESULT STDMETHODCALLTYPE IsFormatSupported(const GUID* format) override;
  HRESULT STDMETHODCALLTYPE QueryPreferredFormat(GUID* format) override;
  HRESULT STDMETHODCALLTYPE GetTimeFormat(GUID* format) override;
  HRESULT STDMETHODCALLTYPE IsUsingTimeFormat(const GUID* format) override;
  HRESULT STDMETHODCALLTYPE SetTimeFormat(const GUID* format) override;
  HRESULT STDMETHODCALLTYPE GetDuration(LONGLONG* duration) override;
  HRESULT STDMETHODCALLTYPE GetStopPosition(LONGLONG* stop) override;
  HRESULT STDMETHODCALLTYPE GetCurrentPosition(LONGLONG* current) override;
  HRESULT STDMETHODCALLTYPE ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                              const GUID* sourceFormat) override;
  HRESULT STDMETHODCALLTYPE SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                         DWORD stopFlags) override;
  HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG* current, LONGLONG* stop) override;
  HRESULT STDMETHODCALLTYPE GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
  HRESULT STDMETHODCALLTYPE SetRate(double rate) override;
  HRESULT STDMETHODCALLTYPE GetRate(double* rate) override;
  HRESULT STDMETHODCALLTYPE GetPreroll(LONGLONG* preroll) override;

  // The allocator notified to the renderer is committed while the filter
  // is not stopped, as output pins do.
  void Active();
  void Inactive();
  fw::ComPtr<IMemInputPin> Receiver() const;
  // Replaces the type reported for the connection after a format change.
  void SetConnectionType(const MediaType& type);

 private:
  fw::ComPtr<IMediaSeeking> Upstream() const;
  fw::ComPtr<IMemInputPin> receiver_;
  fw::ComPtr<IMemAllocator> allocator_;
};

#pragma GCC diagnostic pop

}  // namespace zv
