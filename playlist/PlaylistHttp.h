#pragma once
// Fetching a playlist by address through WinINet.
#include "framework/WinInclude.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PlaylistHttpLimits {
  // Per connect, send and read. The defaults are the values WinINet
  // documents as its own; they are set explicitly because not every WinINet
  // applies them to requests (Wine's waits for ever without them).
  DWORD connectTimeoutMs = 60000;
  DWORD sendTimeoutMs = 30000;
  DWORD receiveTimeoutMs = 30000;
  // The whole transfer; a server that sends a byte now and then must not hold
  // the player for longer than this.
  DWORD totalTimeoutMs = 120000;
  // Playlists are text; anything larger is not one (100,000 entries of the
  // own format take about 12 MB).
  size_t maxBytes = 64u << 20;
};

// The whole body of the address. False when the address can not be reached,
// the server answers with a status other than 2xx, the body is cut short of
// its announced length, a limit is exceeded, or a time-out ends the transfer.
bool FetchPlaylistAddress(const std::wstring& url, const PlaylistHttpLimits& limits, std::vector<uint8_t>& bytes);
