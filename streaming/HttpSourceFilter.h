#pragma once
// Our source filter for http and https addresses: one output pin that hands
// the platform's splitters the resource's bytes through IAsyncReader, the
// pull interface every file splitter reads from. The bytes come from an
// HttpStream; the filter itself never touches the network.
//
// The filter holds the stream, and aborts it when it is destroyed; the pin
// keeps its connection under the filter's lock.
#include "framework/WinInclude.h"
#include "media/SourceFilterBase.h"

#include <dshow.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zv::net {

class HttpStream;

// The filter's class identifier. It is never registered: the player adds the
// filter to its graph itself.
extern const GUID CLSID_ZvHttpSource;

constexpr wchar_t kOutputPinName[] = L"Output";

// The length a stream of unknown length reports to its splitter: far beyond
// any real resource, and small enough that durations computed from it stay
// within range. Reads that far away are refused.
constexpr LONGLONG kUnknownLength = LONGLONG{1} << 40;

// COM objects are destroyed by their own Release only; the interfaces'
// destructors are never called through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class HttpSourceFilter final : public SourceFilterBase {
 public:
  // A filter over a stream that is open (HttpStream::IsOpen); the caller owns
  // the one reference it comes with.
  static HttpSourceFilter* Create(std::shared_ptr<HttpStream> stream, const std::wstring& name);

  HttpStream& Stream() const { return *stream_; }
  IPin* OutputPin() override;

 private:
  class Pin final : public IPin, public IAsyncReader {
   public:
    explicit Pin(HttpSourceFilter& filter) : filter_(filter) {}
    ~Pin();

    // IUnknown: the filter's counter.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return filter_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return filter_.Release(); }
    // IPin
    HRESULT STDMETHODCALLTYPE Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** pins, ULONG* count) override;
    HRESULT STDMETHODCALLTYPE EndOfStream() override;
    // Shared by IPin and IAsyncReader (same signature): the reader's flush.
    HRESULT STDMETHODCALLTYPE BeginFlush() override;
    HRESULT STDMETHODCALLTYPE EndFlush() override;
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IAsyncReader
    HRESULT STDMETHODCALLTYPE RequestAllocator(IMemAllocator* preferred, ALLOCATOR_PROPERTIES* properties,
                                               IMemAllocator** actual) override;
    HRESULT STDMETHODCALLTYPE Request(IMediaSample* sample, DWORD_PTR user) override;
    HRESULT STDMETHODCALLTYPE WaitForNext(DWORD timeoutMs, IMediaSample** sample, DWORD_PTR* user) override;
    HRESULT STDMETHODCALLTYPE SyncReadAligned(IMediaSample* sample) override;
    HRESULT STDMETHODCALLTYPE SyncRead(LONGLONG position, LONG length, BYTE* buffer) override;
    HRESULT STDMETHODCALLTYPE Length(LONGLONG* total, LONGLONG* available) override;

    std::vector<AM_MEDIA_TYPE> types;  // offered, best first; no format blocks

   private:
    struct PendingRead {
      IMediaSample* sample;  // one reference
      DWORD_PTR user;
    };
    HRESULT ReadInto(IMediaSample* sample, DWORD waitMs, uint32_t epoch);
    HRESULT TryConnect(IPin* receiver, const AM_MEDIA_TYPE& type);

    HttpSourceFilter& filter_;
    // Connection state, under the filter's lock.
    IPin* peer_ = nullptr;
    AM_MEDIA_TYPE connectionType_{};
    bool connecting_ = false;
    // Queued requests, under their own lock: a splitter waits in
    // WaitForNext while another of its threads queues.
    std::mutex requestsLock_;
    std::condition_variable requestsChanged_;
    std::deque<PendingRead> requests_;
    bool flushing_ = false;
  };

  HttpSourceFilter(std::shared_ptr<HttpStream> stream, const std::wstring& name);
  ~HttpSourceFilter();

  std::shared_ptr<HttpStream> stream_;
  Pin pin_;
};
#pragma GCC diagnostic pop

}  // namespace zv::net
