#include "media/MediaTypes.h"

#include <cstring>
#include <new>

namespace zv {

namespace {
LONG g_liveObjects = 0;
}  // namespace

LiveObject::LiveObject() { InterlockedIncrement(&g_liveObjects); }
LiveObject::LiveObject(const LiveObject&) { InterlockedIncrement(&g_liveObjects); }
LiveObject::~LiveObject() { InterlockedDecrement(&g_liveObjects); }
long LiveObject::Count() { return InterlockedCompareExchange(&g_liveObjects, 0, 0); }

void FreeMediaType(AM_MEDIA_TYPE& type) {
  if (type.pbFormat) CoTaskMemFree(type.pbFormat);
  if (type.pUnk) type.pUnk->Release();
  type = AM_MEDIA_TYPE{};
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE& source) {
  *target = source;
  target->pbFormat = nullptr;
  target->cbFormat = 0;
  if (source.cbFormat && source.pbFormat) {
    target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
    if (!target->pbFormat) {
      *target = AM_MEDIA_TYPE{};
      return E_OUTOFMEMORY;
    }
    memcpy(target->pbFormat, source.pbFormat, source.cbFormat);
    target->cbFormat = source.cbFormat;
  }
  if (target->pUnk) target->pUnk->AddRef();
  return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& source) {
  auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!type) return nullptr;
  if (FAILED(CopyMediaType(type, source))) {
    CoTaskMemFree(type);
    return nullptr;
  }
  return type;
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return;
  FreeMediaType(*type);
  CoTaskMemFree(type);
}

bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
  if (a.majortype != b.majortype || a.subtype != b.subtype || a.formattype != b.formattype ||
      a.cbFormat != b.cbFormat)
    return false;
  return a.cbFormat == 0 || (a.pbFormat && b.pbFormat && memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0);
}

namespace {

// COM interfaces have no virtual destructors by design; Release deletes.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A COM enumerator over a snapshot of items; Copy hands one item out.
template <class Interface, class Item, class Out, Out (*Copy)(const Item&)>
class SnapshotEnum final : public Interface {
 public:
  SnapshotEnum(std::vector<Item> items, size_t position) : items_(std::move(items)), position_(position) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Out* out, ULONG* fetched) override {
    if (!out || (count != 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    while (n < count && position_ < items_.size()) {
      out[n] = Copy(items_[position_]);
      if (!out[n]) break;
      ++n;
      ++position_;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const size_t left = items_.size() - position_;
    if (count > left) {
      position_ = items_.size();
      return S_FALSE;
    }
    position_ += count;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Interface** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) SnapshotEnum(items_, position_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~SnapshotEnum() = default;
  LiveObject live_;
  LONG refs_ = 1;
  std::vector<Item> items_;
  size_t position_;
};

AM_MEDIA_TYPE* CopyType(const MediaType& type) { return CreateMediaType(type.get()); }

// Pins are held as raw pointers with a reference each (copied with the snapshot).
struct PinRef {
  explicit PinRef(IPin* p) : pin(p) {
    if (pin) pin->AddRef();
  }
  PinRef(const PinRef& other) : PinRef(other.pin) {}
  PinRef& operator=(const PinRef&) = delete;
  ~PinRef() {
    if (pin) pin->Release();
  }
  IPin* pin;
};

IPin* CopyPin(const PinRef& ref) {
  ref.pin->AddRef();
  return ref.pin;
}

#pragma GCC diagnostic pop

}  // namespace

fw::ComPtr<IEnumMediaTypes> CreateMediaTypeEnum(const std::vector<MediaType>& types) {
  using Enum = SnapshotEnum<IEnumMediaTypes, MediaType, AM_MEDIA_TYPE*, CopyType>;
  return fw::ComPtr<IEnumMediaTypes>::Attach(new (std::nothrow) Enum(types, 0));
}

fw::ComPtr<IEnumPins> CreatePinEnum(const std::vector<IPin*>& pins) {
  std::vector<PinRef> refs;
  refs.reserve(pins.size());
  for (IPin* pin : pins) refs.emplace_back(pin);
  using Enum = SnapshotEnum<IEnumPins, PinRef, IPin*, CopyPin>;
  return fw::ComPtr<IEnumPins>::Attach(new (std::nothrow) Enum(std::move(refs), 0));
}

}  // namespace zv
