#include "system/UpdateConfig.h"

#include "app/ProductName.h"
#include "framework/WideString.h"
#include "framework/WinInclude.h"
#include "lang/LanguageResources.h"
#include "res/resource.h"
#include "system/FileAssociations.h"
#include "system/UpdateProtocol.h"

namespace zv {

UpdateConfig UpdateConfig::OfThisProgram() {
  UpdateConfig config;
  const std::string_view server = ResourceBytes(nullptr, MAKEINTRESOURCEW(10), IDR_UPDATE_SERVER);  // RT_RCDATA
  config.server = fw::ToU16(fw::Utf8ToWide(server));
  config.publicKey = std::string(ResourceBytes(nullptr, MAKEINTRESOURCEW(10), IDR_UPDATE_KEY));
  config.programPath = ProgramFolder() + ProgramFileName();
  config.runningVersion = UpdateVersionText(fw::ToU16(ProductVersionOfFile(config.programPath)));
  config.suffix = fw::ToU16(ProductKeySuffix());
  return config;
}

std::wstring FirstTempPath(const std::wstring& programPath) { return programPath + L".tmp1.exe"; }
std::wstring SecondTempPath(const std::wstring& programPath) { return programPath + L".tmp2.exe"; }

}  // namespace zv
