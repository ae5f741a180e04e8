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

namespace quirks_detail {
Answers g_answers = {
    /*seekOnlyWhenStopped=*/g_onWine,
    /*enhancedRendererUsable=*/!g_onWine,
    /*mixingRenderersForCurrent=*/!g_onWine,
    /*mixingRendererFramesUsable=*/!g_onWine,
    /*stopWhenReadyUsable=*/!g_onWine,
    /*graphBuildCanHang=*/g_onWine,
    /*audioRendererClockUsable=*/!g_onWine,
    /*focusingListRowScrolls=*/g_onWine,
};
}  // namespace quirks_detail

using quirks_detail::g_answers;

bool RunningOnWine() { return g_onWine; }

bool SeekOnlyWhenStopped() { return g_answers.seekOnlyWhenStopped; }

bool EnhancedRendererUsable() { return g_answers.enhancedRendererUsable; }

bool MixingRenderersForCurrent() { return g_answers.mixingRenderersForCurrent; }

bool MixingRendererFramesUsable() { return g_answers.mixingRendererFramesUsable; }

bool StopWhenReadyUsable() { return g_answers.stopWhenReadyUsable; }

bool GraphBuildCanHang() { return g_answers.graphBuildCanHang; }

bool AudioRendererClockUsable() { return g_answers.audioRendererClockUsable; }

bool PerUserClassesReachShell() { return !g_onWine; }
bool SplitterPinsKeepTrackOrder() { return !g_onWine; }
bool RendererRepaintsPausedFrame() { return !g_onWine; }
bool RendererRedrawsAfterResize() { return !g_onWine; }
bool FocusingListRowScrolls() { return g_answers.focusingListRowScrolls; }
bool MaximisedPositionFollowsMonitor() { return !g_onWine; }

}  // namespace zv
