#pragma once
// What the updater needs to know about the program it updates: the update
// server, the public key that signs updates, the executable to replace and
// its version text. The server and the key are resources of the executable
// (set at build time), so that nothing outside the signed program decides
// where updates come from or who may sign them.
#include <string>

namespace zv {

struct UpdateConfig {
  std::u16string server;       // "host[:port][/base/path/]"
  std::string publicKey;       // X and Y of the P-256 key, 32 bytes each
  std::wstring programPath;    // the executable the update replaces
  std::u16string runningVersion;  // its version text ("1.3.0.0" + beta)
  std::u16string suffix;       // product key suffix, part of the version-info name

  // The running program's configuration.
  static UpdateConfig OfThisProgram();
};

// The paths of the two temporary copies of a download.
std::wstring FirstTempPath(const std::wstring& programPath);
std::wstring SecondTempPath(const std::wstring& programPath);

}  // namespace zv
