#include "media/SourceChoice.h"

#include "framework/WideString.h"
#include "framework/WinInclude.h"
#include "streaming/StreamAddress.h"

namespace zv {
namespace {

// The media framework opens "scheme://..." with the filter named by the
// scheme's "Source Filter" value; a class that is not registered counts as
// none.
bool PlatformHasSourceFor(const std::wstring& scheme) {
  wchar_t clsid[64] = {};
  DWORD size = sizeof clsid - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, scheme.c_str(), L"Source Filter", RRF_RT_REG_SZ, nullptr, clsid, &size) !=
      ERROR_SUCCESS)
    return false;
  const std::wstring classKey = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, classKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

SourceRoute ChooseSource(const std::wstring& name) {
  const std::u16string scheme = net::AddressScheme(fw::ToU16(name));
  if (scheme.empty() || scheme == u"file") return SourceRoute::kPlatform;
  if (PlatformHasSourceFor(fw::ToWide(scheme))) return SourceRoute::kPlatform;
  return net::IsHttpScheme(scheme) ? SourceRoute::kOwnHttp : SourceRoute::kUnsupported;
}

}  // namespace zv
