#include "tests/win/system/SystemTestSupport.h"

#include "framework/Handle.h"
#include "framework/WideString.h"
#include "res/resource.h"
#include "system/FileAssociations.h"
#include "tests/win/support/TestEnvironment.h"

#include <wininet.h>

#include <cstdlib>
#include <vector>

namespace zvtest {

namespace {

std::wstring EnvironmentText(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

BOOL CALLBACK FirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  *reinterpret_cast<WORD*>(param) = language;
  return FALSE;
}

// The language of a resource of the module, so that an update replaces it
// rather than adding a second one.
WORD ResourceLanguage(HMODULE module, LPCWSTR type, LPCWSTR name) {
  WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
  EnumResourceLanguagesW(module, type, name, FirstLanguage, reinterpret_cast<LONG_PTR>(&language));
  return language;
}

std::vector<unsigned char> ResourceCopy(HMODULE module, LPCWSTR type, LPCWSTR name) {
  HRSRC info = FindResourceW(module, name, type);
  if (!info) return {};
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
  if (!bytes) return {};
  return std::vector<unsigned char>(bytes, bytes + SizeofResource(module, info));
}

// Replaces every UTF-16 occurrence of one text by another of the same length.
int ReplaceWide(std::vector<unsigned char>& block, const std::wstring& from, const std::wstring& to) {
  const size_t bytes = from.size() * sizeof(wchar_t);
  int replaced = 0;
  for (size_t i = 0; i + bytes <= block.size(); i += 2) {
    if (memcmp(block.data() + i, from.data(), bytes) != 0) continue;
    memcpy(block.data() + i, to.data(), bytes);
    ++replaced;
  }
  return replaced;
}

}  // namespace

std::wstring WindowsPathOf(const std::wstring& unixPath) {
  std::wstring path = unixPath;
  if (!path.empty() && path[0] == L'/') {
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}

std::wstring UpdateServerFolder() { return WindowsPathOf(EnvironmentText(L"ZV_BUILD_DIR")) + L"\\update-server\\"; }

int UpdateServerPort() { return std::atoi(FileBytes(UpdateServerFolder() + L"port").c_str()); }

std::wstring MakeServerCase(const std::wstring& name, std::string* address) {
  const std::wstring folder = UpdateServerFolder() + L"www\\" + name + L"\\";
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  CreateDirectoryW((UpdateServerFolder() + L"www").c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  if (address) *address = "127.0.0.1:" + std::to_string(UpdateServerPort()) + "/" + fw::WideToUtf8(name) + "/";
  return folder;
}

std::string FixtureKey(const char* name) {
  return FileBytes(UpdateServerFolder() + L"keys\\" + fw::Utf8ToWide(name) + L".bin");
}

bool SignOnServer(const std::wstring& relativePath, const char* key) {
  std::wstring relative = relativePath;
  for (wchar_t& c : relative)
    if (c == L'\\') c = L'/';
  const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(UpdateServerPort()) + L"/_sign?file=" + relative +
                           L"&key=" + fw::Utf8ToWide(key);
  HINTERNET session = InternetOpenW(L"ZentravueTest", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (!session) return false;
  HINTERNET file = InternetOpenUrlW(session, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI, 0);
  bool ok = false;
  if (file) {
    DWORD status = 0;
    DWORD size = sizeof status;
    ok = HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
         status == 200;
    InternetCloseHandle(file);
  }
  InternetCloseHandle(session);
  return ok;
}

std::string FileBytes(const std::wstring& path) {
  fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  fw::FileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring FreshTempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring folder = std::wstring(temp) + L"zvsystest-" + name + L"\\";
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::wstring BuildProductVersion() { return zv::ProductVersionOfFile(ProgramPath()); }

bool MakeProgramCopy(const std::wstring& target, const std::string& server, const std::string& publicKey,
                     const std::wstring& productVersion) {
  if (!CopyFileW(ProgramPath().c_str(), target.c_str(), FALSE)) return false;
  HMODULE module = LoadLibraryExW(target.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return false;
  const WORD serverLanguage = ResourceLanguage(module, RT_RCDATA, MAKEINTRESOURCEW(IDR_UPDATE_SERVER));
  const WORD keyLanguage = ResourceLanguage(module, RT_RCDATA, MAKEINTRESOURCEW(IDR_UPDATE_KEY));
  const WORD versionLanguage = ResourceLanguage(module, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO));
  std::vector<unsigned char> version = ResourceCopy(module, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO));
  FreeLibrary(module);
  if (!productVersion.empty()) {
    const std::wstring current = BuildProductVersion();
    if (current.size() != productVersion.size() || ReplaceWide(version, current, productVersion) == 0) return false;
  }

  HANDLE update = BeginUpdateResourceW(target.c_str(), FALSE);
  if (!update) return false;
  bool ok = UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(IDR_UPDATE_SERVER), serverLanguage,
                            const_cast<char*>(server.data()), static_cast<DWORD>(server.size())) &&
            UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(IDR_UPDATE_KEY), keyLanguage,
                            const_cast<char*>(publicKey.data()), static_cast<DWORD>(publicKey.size()));
  if (ok && !productVersion.empty())
    ok = UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), versionLanguage, version.data(),
                         static_cast<DWORD>(version.size()));
  return EndUpdateResourceW(update, !ok) && ok;
}

std::map<std::wstring, std::wstring> RegistrySnapshot(HKEY root, const std::wstring& path) {
  std::map<std::wstring, std::wstring> values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  values[path + L"|"] = L"<key>";
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD nameLength = 16384;
    DWORD type = 0;
    BYTE data[4096];
    DWORD size = sizeof data;
    const LONG status = RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    std::wstring text = std::to_wstring(type) + L":";
    if (type == REG_SZ || type == REG_EXPAND_SZ)
      text += std::wstring(reinterpret_cast<wchar_t*>(data), size / sizeof(wchar_t));
    else
      for (DWORD i = 0; i < size; ++i) text += fw::Format(L"%02x", data[i]);
    values[path + L"|" + std::wstring(name, nameLength)] = text;
  }
  std::vector<std::wstring> subkeys;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subkeys.emplace_back(name, nameLength);
  }
  RegCloseKey(key);
  for (const std::wstring& subkey : subkeys) {
    std::map<std::wstring, std::wstring> below = RegistrySnapshot(root, path + L"\\" + subkey);
    values.insert(below.begin(), below.end());
  }
  return values;
}

}  // namespace zvtest
