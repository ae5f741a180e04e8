#include "media/PlatformQuirks.h"

#include "framework/WinInclude.h"

namespace zv {
namespace {

bool DetectWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Decided before main runs, so every graph of the process sees one answer.
const bool g_onWine = DetectWine();

}  // namespace

bool RunningOnWine() { return g_onWine; }

bool SeekOnlyWhenStopped() { return g_onWine; }

bool EnhancedRendererUsable() { return !g_onWine; }

bool MixingRenderersForCurrent() { return !g_onWine; }

bool MixingRendererFramesUsable() { return !g_onWine; }

bool StopWhenReadyUsable() { return !g_onWine; }

bool PerUserClassesReachShell() { return !g_onWine; }
bool SplitterPinsKeepTrackOrder() { return !g_onWine; }

}  // namespace zv
