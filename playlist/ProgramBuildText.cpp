#include "playlist/ProgramBuildText.h"

#include <cstring>
#include <vector>

#include "playlist/PlaylistWriter.h"

std::u16string ProgramProductVersion(HMODULE module) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));  // RT_VERSION
  if (!info) return {};
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  const DWORD size = SizeofResource(module, info);
  if (!bytes || size == 0) return {};
  // The query may write into the block it is given; the resource itself is
  // read-only, so it works on a copy.
  std::vector<unsigned char> block(size);
  std::memcpy(block.data(), bytes, size);
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040704b0\\ProductVersion", reinterpret_cast<void**>(&value),
                      &length) ||
      !value)
    return {};
  std::u16string version(reinterpret_cast<const char16_t*>(value), length);
  while (!version.empty() && version.back() == u'\0') version.pop_back();
  return version;
}

std::u16string ProgramBuildText(HMODULE module) {
  return zv::BuildTextFromProductVersion(ProgramProductVersion(module));
}
