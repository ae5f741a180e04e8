#include "app/LanguageAtStart.h"

#include "app/WinRegistry.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"

namespace zv {

bool LoadStoredLanguage(LanguageTable& language, const std::wstring& productKey) {
  WinRegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, productKey + L"\\Settings")) return false;
  const std::optional<uint32_t> type = key.ReadDword(L"LanguageType");
  if (!type) return false;
  if (*type != 0) {
    const std::optional<std::wstring> file = key.ReadString(L"LanguageFile");
    return file && SUCCEEDED(LoadLanguageFile(language, *file));
  }
  const std::optional<std::wstring> resource = key.ReadString(L"LanguageResource");
  if (!resource) return false;
  const int32_t id = language.NumberOfName(fw::ToU16(*resource));
  return SUCCEEDED(LoadBuiltInLanguage(language, id));
}

}  // namespace zv
