#pragma once
// Media-type records and their enumerator for our own filters. A media
// type's format block and its object belong to whoever holds the record;
// these helpers copy and free them as the media framework expects.
#include "framework/WinInclude.h"

#include <dshow.h>

#include <vector>

namespace zv::net {

constexpr wchar_t kOutputPinName[] = L"Output";

// Fills `to` (whose old contents are not freed) with a deep copy of `from`.
HRESULT CopyMediaTypeTo(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from);
// Frees the format block and object of `type` and clears them.
void FreeMediaTypeContents(AM_MEDIA_TYPE& type);

// An enumerator over copies of `types`, starting at `position`; it keeps
// `owner` alive while it lives. Comes with one reference.
IEnumMediaTypes* CreateMediaTypeEnum(IUnknown* owner, const std::vector<AM_MEDIA_TYPE>& types, ULONG position);

}  // namespace zv::net
