#pragma once
// Which source reads a name when its graph is built: decided here only.
//
// Files and the addresses the platform has a source filter for go to the
// platform (RenderFile; real Windows reads http through its own URL source).
// Where the platform has none for http or https (Wine has no URL source for
// DirectShow, so RenderFile of such an address fails for every container),
// our own network source reads them. Other schemes with no source get a
// clear error instead of the platform's "path not found".
#include <string>

namespace zv {

enum class SourceRoute {
  kPlatform,
  kOwnHttp,
  kUnsupported,
};

SourceRoute ChooseSource(const std::wstring& name);

}  // namespace zv
