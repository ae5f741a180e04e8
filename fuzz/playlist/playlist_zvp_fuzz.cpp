#include "fuzz/playlist/playlist_parsers_fuzz.inc"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return RunPlaylistFuzz(data, size, &zv::ParseOwnPlaylist);
}
