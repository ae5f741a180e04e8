#include "media/OpeningError.h"

#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "media/MediaErrorText.h"
#include "media/MediaText.h"

#include <dshow.h>

// The table in MediaErrorText.cpp carries these values as numbers.
static_assert(VFW_E_CANNOT_RENDER == static_cast<HRESULT>(0x80040218));
static_assert(VFW_E_NO_DECOMPRESSOR == static_cast<HRESULT>(0x80040255));
static_assert(VFW_E_UNSUPPORTED_STREAM == static_cast<HRESULT>(0x80040265));
static_assert(VFW_E_UNKNOWN_FILE_TYPE == static_cast<HRESULT>(0x80040240));
static_assert(VFW_E_CANNOT_LOAD_SOURCE_FILTER == static_cast<HRESULT>(0x80040241));
static_assert(VFW_E_INVALID_FILE_FORMAT == static_cast<HRESULT>(0x8004022F));
static_assert(VFW_E_NOT_FOUND == static_cast<HRESULT>(0x80040216));
static_assert(VFW_E_TIMEOUT == static_cast<HRESULT>(0x8004022E));
static_assert(VFW_E_NO_AUDIO_HARDWARE == static_cast<HRESULT>(0x80040256));

namespace zv {

std::wstring OpeningErrorReason(const LanguageTable* texts, HRESULT hr) {
  wchar_t platform[161] = {};
  if (AMGetErrorTextW(hr, platform, 160) == 0) platform[0] = 0;
  wchar_t system[161] = {};
  if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(hr), 0,
                     system, 160, nullptr) == 0)
    system[0] = 0;
  const auto lookup = [texts](const std::u16string& key) { return texts ? texts->Message(key) : std::u16string(); };
  return fw::ToWide(MediaErrorReason(static_cast<uint32_t>(hr), lookup, fw::ToU16(platform), fw::ToU16(system)));
}

std::wstring OpeningErrorMessage(const LanguageTable* texts, const std::wstring& name, HRESULT hr) {
  return OpeningErrorMessage(texts, name, OpeningErrorReason(texts, hr));
}

std::wstring OpeningErrorMessage(const LanguageTable* texts, const std::wstring& name, const std::wstring& reason) {
  std::u16string format = texts ? texts->Message(u"ERROROPENING") : std::u16string();
  if (format.empty()) format = u"%s\n%s";
  return fw::ToWide(FillTwoPlaceholders(format, fw::ToU16(name), fw::ToU16(reason)));
}

void ShowOpeningErrorBox(HWND owner, const LanguageTable* texts, const std::wstring& message) {
  const std::wstring caption = texts ? fw::ToWide(texts->Message(u"ERROR2")) : std::wstring();
  MessageBoxW(owner, message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace zv
