#pragma once
// The request to shut the computer down and power it off after playback,
// behind a seam: tests put a recorder in its place, so that nothing is shut
// down while they run.
#include "framework/WinInclude.h"

namespace zv {

class SystemShutdown {
 public:
  virtual ~SystemShutdown() = default;
  // Enables the shutdown privilege for the process, then asks the system to
  // shut down and power off. The answer is not examined: a refused request
  // leaves the program running.
  virtual void ShutDownAndPowerOff();
};

// The one in use; SetSystemShutdown(nullptr) restores the real one.
SystemShutdown& CurrentSystemShutdown();
void SetSystemShutdown(SystemShutdown* shutdown);

}  // namespace zv
