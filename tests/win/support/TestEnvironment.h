#pragma once
#include "framework/WinInclude.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zvtest {

// Removes everything the program stores per user, before and after a run.
void DeleteProgramRegistry();

class CleanRegistryEnvironment : public testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

// Folder of the running test executable, with a trailing backslash.
std::wstring ExeFolder();
// Path of a generated media file (ZV_MEDIA_DIR set by ./test), as Windows sees it.
std::wstring MediaPath(const std::wstring& name);
// Path of the test program (the built player with its test hook).
std::wstring ProgramPath();
// Path of the program as it ships (no test hook).
std::wstring ShippedProgramPath();

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);

}  // namespace zvtest
