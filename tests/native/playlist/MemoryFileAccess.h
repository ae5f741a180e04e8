#pragma once
#include <map>
#include <string>
#include <vector>

#include "playlist/PlaylistFileAccess.h"

// Files and addresses held in memory, keyed by the path the playlist uses
// (Windows paths with "\" work on any host this way).
class MemoryFileAccess : public zv::PlaylistFileAccess {
 public:
  std::map<std::u16string, std::vector<uint8_t>> files;
  std::map<std::u16string, std::vector<uint8_t>> urls;
  bool failWrites = false;

  void Put(const std::u16string& path, const std::string& bytes) {
    files[path] = std::vector<uint8_t>(bytes.begin(), bytes.end());
  }
  bool ReadFile(const std::u16string& path, std::vector<uint8_t>& bytes) override {
    auto it = files.find(path);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
  }
  bool FetchUrl(const std::u16string& url, std::vector<uint8_t>& bytes) override {
    auto it = urls.find(url);
    if (it == urls.end()) return false;
    bytes = it->second;
    return true;
  }
  bool WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override {
    if (failWrites) return false;
    files[path] = bytes;
    return true;
  }
};
