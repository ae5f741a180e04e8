#include "lang/LanguageResources.h"

#include "app/ProductName.h"
#include "framework/Handle.h"
#include "framework/WideString.h"
#include "res/resource.h"

#include <algorithm>
#include <new>

namespace zv {

std::string_view ResourceBytes(HMODULE module, const wchar_t* type, int id) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (!info) return {};
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return {};
  return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info));
}

bool LoadNameTableResource(LanguageTable& language, HMODULE module) {
  const std::string_view text = ResourceBytes(module, L"TEXT", IDR_RESOURCE_LZV);
  if (text.empty()) return false;
  language.LoadNameTable(text);
  return true;
}

HRESULT LoadBuiltInLanguage(LanguageTable& language, int resourceId, HMODULE module) {
  if (resourceId < 1 || resourceId > 0xFFFF) return E_FAIL;
  const std::string_view bytes = ResourceBytes(module, L"LNG", resourceId);
  if (bytes.empty()) return E_FAIL;
  return language.LoadBuiltIn(resourceId, bytes) ? S_OK : E_FAIL;
}

static bool IsFullPath(const std::wstring& name) {
  if (name.size() >= 2 && name[0] == L'\\' && name[1] == L'\\') return true;
  return name.size() >= 3 && name[1] == L':' && (name[2] == L'\\' || name[2] == L'/');
}

std::wstring LanguageFilePath(const std::wstring& fileName) {
  return IsFullPath(fileName) ? fileName : ProgramFolder() + fileName;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
  try {
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return false;
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return true;
}

HRESULT LoadLanguageFile(LanguageTable& language, const std::wstring& fileName) {
  if (fileName.empty()) return E_FAIL;
  std::string bytes;
  if (!ReadWholeFile(LanguageFilePath(fileName), bytes)) return E_FAIL;
  try {
    return language.LoadFile(fw::ToU16(fileName), bytes) ? S_OK : E_FAIL;
  } catch (const std::bad_alloc&) {
    return E_FAIL;
  }
}

}  // namespace zv
