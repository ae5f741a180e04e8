// The texts the update server sends: version information and change history.
#include "system/UpdateProtocol.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view head = bytes.substr(0, zv::kMaxVersionInfoBytes);
  const zv::VersionInfo info = zv::ParseVersionInfo(head, head.size() == bytes.size());
  if (info.newestVersion) zv::IsNewerVersion(*info.newestVersion, u"1.3.0.0");
  if (info.downloadObject && !zv::IsPlainObjectName(*info.downloadObject)) __builtin_trap();
  zv::ParseHistory(bytes);
  std::u16string wide;
  for (size_t i = 0; i + 1 < size && i < 512; i += 2) wide.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  zv::ParseServerAddress(wide);
  zv::FillPlaceholders(wide, {u"a", u"b"});
  return 0;
}
