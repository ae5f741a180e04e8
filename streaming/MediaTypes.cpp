#include "streaming/MediaTypes.h"

#include <atomic>
#include <cstring>

namespace zv::net {

HRESULT CopyMediaTypeTo(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from) {
  to = from;
  to.pbFormat = nullptr;
  to.cbFormat = 0;
  if (from.cbFormat && from.pbFormat) {
    to.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(from.cbFormat));
    if (!to.pbFormat) {
      to.pUnk = nullptr;
      return E_OUTOFMEMORY;
    }
    std::memcpy(to.pbFormat, from.pbFormat, from.cbFormat);
    to.cbFormat = from.cbFormat;
  }
  if (to.pUnk) to.pUnk->AddRef();
  return S_OK;
}

void FreeMediaTypeContents(AM_MEDIA_TYPE& type) {
  if (type.pbFormat) CoTaskMemFree(type.pbFormat);
  type.pbFormat = nullptr;
  type.cbFormat = 0;
  if (type.pUnk) type.pUnk->Release();
  type.pUnk = nullptr;
}

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class MediaTypeEnum final : public IEnumMediaTypes {
 public:
  MediaTypeEnum(IUnknown* owner, const std::vector<AM_MEDIA_TYPE>& types, ULONG position)
      : owner_(owner), types_(types), position_(position) {
    owner_->AddRef();
  }
  ~MediaTypeEnum() { owner_->Release(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumMediaTypes) {
      *out = static_cast<IEnumMediaTypes*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override {
    if (!types || (count > 1 && !fetched)) return E_POINTER;
    ULONG done = 0;
    while (done < count && position_ < types_.size()) {
      auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
      if (!type || FAILED(CopyMediaTypeTo(*type, types_[position_]))) {
        if (type) CoTaskMemFree(type);
        break;
      }
      types[done++] = type;
      ++position_;
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const size_t target = position_ + static_cast<size_t>(count);
    position_ = static_cast<ULONG>(target > types_.size() ? types_.size() : target);
    return target <= types_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** clone) override {
    if (!clone) return E_POINTER;
    *clone = new MediaTypeEnum(owner_, types_, position_);
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
  IUnknown* owner_;
  // The records carry no format blocks or objects, so plain copies share nothing.
  std::vector<AM_MEDIA_TYPE> types_;
  ULONG position_;
};
#pragma GCC diagnostic pop

}  // namespace

IEnumMediaTypes* CreateMediaTypeEnum(IUnknown* owner, const std::vector<AM_MEDIA_TYPE>& types, ULONG position) {
  return new MediaTypeEnum(owner, types, position);
}

}  // namespace zv::net
