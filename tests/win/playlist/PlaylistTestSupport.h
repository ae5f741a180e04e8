#pragma once
// Helpers of the playlist tests: a private temp folder and whole-file bytes.
#include "framework/WinInclude.h"

#include <string>
#include <vector>

namespace zvtest {

// A new empty folder under the temp folder, removed with its files at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder with a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }
  // Names of the files in the folder.
  std::vector<std::wstring> FileNames() const;

 private:
  std::wstring path_;
};

std::string FileBytes(const std::wstring& path);
void PutFile(const std::wstring& path, const std::string& bytes);

}  // namespace zvtest
