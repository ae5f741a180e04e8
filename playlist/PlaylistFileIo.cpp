#include "playlist/PlaylistFileIo.h"

#include "framework/Handle.h"
#include "framework/WinInclude.h"

#include <algorithm>

namespace {

// The folder a file lies in. A drive's root keeps its backslash: "C:" alone
// names the current directory of drive C, wherever that is.
std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  if (slash == 0 || (slash == 2 && path[1] == L':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

bool WriteAll(HANDLE file, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
  fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return false;
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return false;
  std::vector<uint8_t> data(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  // Read to the end the handle reports, not to the size seen at opening: a
  // file that shrank meanwhile ends early, one that grew is capped.
  while (done < data.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
    DWORD read = 0;
    if (!ReadFile(file.get(), data.data() + done, chunk, &read, nullptr)) return false;
    if (read == 0) break;
    done += read;
  }
  data.resize(done);
  bytes = std::move(data);
  return true;
}

bool ReplaceFileContent(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  if (path.empty()) return false;
  // A read-only playlist stays as it is. Windows refuses to replace it anyway;
  // Wine would replace it, so the check is made here for both.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // The new file lives beside the target so that the final rename stays on
  // one volume and can not leave a half-copied target behind.
  wchar_t temp[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(FolderOf(path).c_str(), L"zvp", 0, temp)) return false;
  bool complete = false;
  {
    fw::FileHandle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    complete = file && WriteAll(file.get(), bytes);
  }
  if (complete && MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  const DWORD error = GetLastError();
  DeleteFileW(temp);
  SetLastError(error);
  return false;
}
