#include "app/WinSettingsHost.h"

#include "app/ProductName.h"
#include "framework/WideString.h"

namespace zv {

bool WinSettingsHost::DirectoryExists(const std::u16string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(fw::ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::u16string WinSettingsHost::ProgramFolder() { return fw::ToU16(zv::ProgramFolder()); }

std::u16string WinSettingsHost::TempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) return {};
  return fw::ToU16(std::wstring_view(buffer, n));
}

void WinSettingsHost::ApplyFileAssociations(const CSettings& settings) {
  if (applier_) applier_(settings);
}

std::unique_ptr<CSettings> CreateGlobalSettings(WinSettingsHost& host) {
  return std::make_unique<CSettings>(1, &host, fw::ToU16(ProductKey()));
}

}  // namespace zv
