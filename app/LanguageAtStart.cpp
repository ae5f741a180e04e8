#include "app/LanguageAtStart.h"

#include "app/Settings.h"
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

bool StoreLanguageChoice(const std::wstring& productKey, const CSettings& settings) {
  WinRegistryKey key;
  if (!key.Create(HKEY_CURRENT_USER, productKey + L"\\Settings")) return false;
  const bool file = key.WriteString(L"LanguageFile", fw::ToWide(settings.LanguageFile));
  const bool resource = key.WriteString(L"LanguageResource", fw::ToWide(settings.LanguageResource));
  // The type last: a reader that finds it finds the name it refers to.
  return file && resource && key.WriteDword(L"LanguageType", static_cast<uint32_t>(settings.LanguageType));
}

}  // namespace zv
