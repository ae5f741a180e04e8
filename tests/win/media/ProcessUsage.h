#pragma once
// What a media test counts to find leaks: the threads and handles of this
// process, and where a thread started.
#include "framework/WinInclude.h"

#include <set>
#include <string>

namespace zvtest {

// Threads of this process (ids), as the system lists them.
std::set<DWORD> ThreadIds();

// Handles of this process. Wine answers GetProcessHandleCount with 0; its
// system-wide handle list (extended handle information) is complete, so
// there the process's entries are counted. -1 when neither answers.
int HandleCount();

// Where a thread started (module and offset), for failure messages.
std::string ThreadOrigin(DWORD id);

// The threads that run now and did not run in `before`, with their origins;
// empty when none was added. Threads end in their own time after their
// objects are released, so this waits up to `ms` for them to go.
std::string ThreadsAddedSince(const std::set<DWORD>& before, DWORD ms);

}  // namespace zvtest
