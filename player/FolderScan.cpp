#include "player/FolderScan.h"

#include "app/FileAssocs.h"
#include "framework/WideString.h"

namespace folderscan {

namespace {

bool IsDirectory(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Name parts of the non-folder matches of a pattern.
std::vector<std::wstring> MatchingNames(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!IsDirectory(data)) names.emplace_back(data.cFileName);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return names;
}

}  // namespace

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

std::vector<std::wstring> MatchingFiles(const std::wstring& pattern) {
  std::vector<std::wstring> files;
  if (pattern.empty()) return files;
  // The absolute form keeps the wildcards; its folder prefixes every match.
  const DWORD length = GetFullPathNameW(pattern.c_str(), 0, nullptr, nullptr);
  if (length == 0) return files;
  std::wstring absolute(length, L'\0');
  const DWORD written = GetFullPathNameW(pattern.c_str(), length, absolute.data(), nullptr);
  if (written == 0 || written >= length) return files;
  absolute.resize(written);
  const std::wstring folder = FolderOf(absolute);
  for (const std::wstring& name : MatchingNames(absolute)) files.push_back(folder + name);
  return files;
}

std::vector<std::wstring> FileNamesInFolder(const std::wstring& folder) {
  std::wstring pattern = folder;
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  return MatchingNames(pattern + L"*");
}

std::vector<std::wstring> DiscOrFolderMedia(const std::wstring& path, const zv::FileTypeList& types) {
  std::vector<std::wstring> files = MatchingFiles(path + L"MPEGAV\\*.dat");
  if (!files.empty()) return files;
  files = MatchingFiles(path + L"MPEG2\\*.mpg");
  if (!files.empty()) return files;
  constexpr int kListed = CFileAssocs::kVideo | CFileAssocs::kAudio | CFileAssocs::kPlaylist;
  for (const CFileAssocs* node = types.Head(); node; node = node->Next) {
    if ((node->Flags & kListed) == 0) continue;
    for (std::wstring& file : MatchingFiles(path + L"*." + fw::ToWide(node->Extension))) files.push_back(std::move(file));
  }
  return files;
}

}  // namespace folderscan
