#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zv {

// How the playlist reaches files and the network. The Windows side supplies
// the real one (file reading, HTTP by address, a save that writes a new file
// and replaces the old one only when complete); the playlist itself only
// turns bytes into entries and entries into bytes.
class PlaylistFileAccess {
 public:
  virtual ~PlaylistFileAccess() = default;
  // The whole content of a file; false when it can not be opened or read.
  virtual bool ReadFile(const std::u16string& path, std::vector<uint8_t>& bytes) = 0;
  // The body of an address containing "://"; false when it can not be fetched.
  virtual bool FetchUrl(const std::u16string& url, std::vector<uint8_t>& bytes) = 0;
  // Creates or replaces the file with exactly these bytes; false on failure.
  virtual bool WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) = 0;
};

// The list control that shows the playlist (absent when the playlist window
// was never opened).
class PlaylistView {
 public:
  virtual ~PlaylistView() = default;
  virtual void RefreshPlaylistView() = 0;
};

}  // namespace zv
