#pragma once
// Fetching a playlist by address through WinINet without freezing the player.
#include "framework/WinInclude.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a fetch may take. A list by address is a few kilobytes of text (a
// radio station's list, an album); the user waits for it with nothing else
// to do, and after some twenty seconds takes a silent window for a hung one.
struct PlaylistHttpLimits {
  // Per connect, send and read: a server that answers nothing for this long
  // is gone.
  DWORD connectTimeoutMs = 10000;
  DWORD sendTimeoutMs = 10000;
  DWORD receiveTimeoutMs = 10000;
  // The whole fetch, whatever the server does (a byte now and then included).
  DWORD totalTimeoutMs = 20000;
  // 4 MB hold some 40,000 entries even as UTF-16; anything larger is no list
  // a person made, and still arrives in a few seconds on a slow line.
  size_t maxBytes = 4u << 20;
};

// The whole body of the address. The transfer runs on a worker thread; the
// calling thread waits for it keeping its windows painted
// (fw::WaitKeepingWindowsPainted says what that wait dispatches). False when
// the address can not be reached, the server answers with a status other than
// 2xx, the body is cut short of its announced length, a limit is exceeded,
// the total time runs out, or `cancel` (an event, may be null) is set; in
// the last two cases it returns at once and the worker ends on its own
// within one of the per-call time-outs.
bool FetchPlaylistAddress(const std::wstring& url, const PlaylistHttpLimits& limits, std::vector<uint8_t>& bytes,
                          HANDLE cancel = nullptr);
