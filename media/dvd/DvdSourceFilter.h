#pragma once
// The source filter of our DVD navigator: one output pin that hands the
// platform's MPEG splitter the segment the navigator plays, as a file it
// reads at will (IAsyncReader). Each jump of the navigator gives it a new
// segment; the graph around it is rebuilt by its owner.
//
// The filter counts as a renderer (IAMFilterMiscFlags), so the graph posts
// the end of the stream only when the navigator says the disc stopped, not
// at the end of every menu or segment.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"
#include "media/SourceFilterBase.h"
#include "media/dvd/DvdNavigator.h"

#include <dshow.h>

#include <deque>
#include <mutex>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace zv::dvd {

class DvdSourceFilter;
class DvdSourcePin;

// IAsyncReader of the pin; a separate object because IPin and IAsyncReader
// both have BeginFlush and EndFlush with other meanings. Shares the pin's
// reference count.
class DvdAsyncReader final : public IAsyncReader {
 public:
  explicit DvdAsyncReader(DvdSourcePin* pin) : pin_(pin) {}
  ~DvdAsyncReader();
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP RequestAllocator(IMemAllocator* preferred, ALLOCATOR_PROPERTIES* props,
                                IMemAllocator** actual) override;
  STDMETHODIMP Request(IMediaSample* sample, DWORD_PTR user) override;
  STDMETHODIMP WaitForNext(DWORD timeout, IMediaSample** sample, DWORD_PTR* user) override;
  STDMETHODIMP SyncReadAligned(IMediaSample* sample) override;
  STDMETHODIMP SyncRead(LONGLONG position, LONG length, BYTE* buffer) override;
  STDMETHODIMP Length(LONGLONG* total, LONGLONG* available) override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;

 private:
  DvdSourcePin* pin_;
  std::mutex mutex_;
  std::deque<std::pair<IMediaSample*, DWORD_PTR>> requests_;
  bool flushing_ = false;
  HANDLE requestEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
};

class DvdSourcePin final : public IPin {
 public:
  explicit DvdSourcePin(DvdSourceFilter* filter) : filter_(filter), reader_(this) {}

  // IUnknown (lives as long as the filter)
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IPin
  STDMETHODIMP Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
  STDMETHODIMP QueryId(LPWSTR* id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
  STDMETHODIMP QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
  STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
  STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
  STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }
  STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

  DvdSourceFilter* Filter() const { return filter_; }
  IPin* Peer() const { return peer_.get(); }

 private:
  DvdSourceFilter* filter_;
  DvdAsyncReader reader_;
  fw::ComPtr<IPin> peer_;
  std::mutex mutex_;
};

class DvdSourceFilter final : public SourceFilterBase, public IAMFilterMiscFlags {
 public:
  explicit DvdSourceFilter(Navigator* navigator);

  // IUnknown, for both interfaces
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return SourceFilterBase::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return SourceFilterBase::Release(); }
  // IAMFilterMiscFlags
  STDMETHODIMP_(ULONG) GetMiscFlags() override;

  DvdSourcePin* Pin() { return &pin_; }
  IPin* OutputPin() override { return &pin_; }
  // The segment the pin serves from now on (the pin must be disconnected).
  void SetSegment(const Segment& segment);

 private:
  friend class DvdSourcePin;
  friend class DvdAsyncReader;
  ~DvdSourceFilter();
  bool Read(LONGLONG position, LONG length, BYTE* buffer);
  LONGLONG SegmentLength();

  Navigator* navigator_;
  DvdSourcePin pin_{this};
  std::mutex mutex_;  // guards the segment
  Segment segment_;
};

}  // namespace zv::dvd

#pragma GCC diagnostic pop
