#pragma once
// Media type records and the two enumerators a filter of ours hands out.
// AM_MEDIA_TYPE owns a format block (task allocator) and may hold a
// reference in pUnk; these helpers are the one place that knows it.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"

#include <dshow.h>

#include <vector>

namespace zv {

// Frees what the record owns and leaves it empty.
void FreeMediaType(AM_MEDIA_TYPE& type);
// A deep copy into `target` (which must hold nothing). E_OUTOFMEMORY when the
// format block cannot be copied; `target` then stays empty.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE& source);
// A deep copy in a record of its own from the task allocator, as
// IEnumMediaTypes::Next and IAMStreamSelect::Info hand them out.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& source);
// Frees such a record and what it owns; null is allowed.
void DeleteMediaType(AM_MEDIA_TYPE* type);
// Same major and sub type, format type and format bytes.
bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// Owner of one media type record.
class MediaType {
 public:
  MediaType() = default;
  explicit MediaType(const AM_MEDIA_TYPE& source) { CopyMediaType(&type_, source); }
  MediaType(const MediaType& other) : MediaType(other.type_) {}
  MediaType& operator=(const MediaType& other) {
    if (this != &other) {
      FreeMediaType(type_);
      CopyMediaType(&type_, other.type_);
    }
    return *this;
  }
  ~MediaType() { FreeMediaType(type_); }

  const AM_MEDIA_TYPE& get() const { return type_; }
  AM_MEDIA_TYPE* put() {
    FreeMediaType(type_);
    return &type_;
  }
  bool Empty() const { return type_.majortype == GUID_NULL; }

 private:
  AM_MEDIA_TYPE type_{};
};

// A member of every COM object of ours (filter, enumerators, property
// page): counts the live ones, so that a leaked reference shows.
class LiveObject {
 public:
  LiveObject();
  LiveObject(const LiveObject&);
  LiveObject& operator=(const LiveObject&) = default;
  ~LiveObject();
  static long Count();
};

// An enumerator over a fixed list of media types.
fw::ComPtr<IEnumMediaTypes> CreateMediaTypeEnum(const std::vector<MediaType>& types);

// An enumerator over a fixed list of pins (each holds a reference).
fw::ComPtr<IEnumPins> CreatePinEnum(const std::vector<IPin*>& pins);

}  // namespace zv
