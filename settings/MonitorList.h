#pragma once
// The monitor and resolution drop-down lists of the General and Video pages.
// A monitor row carries its monitor handle as item data; the first row, the
// "don't change" text, carries -1.
#include "framework/WinInclude.h"

#include <string>

namespace zv {

// Fills the list: the dontChange row, then one row per monitor as the
// platform enumerates them. Selects the monitor whose device name equals
// device (without regard to case), else the first row. True when a monitor
// matched.
bool FillMonitorList(HWND list, const std::wstring& dontChange, const std::wstring& device);

// The device name of a row's monitor; empty for the first row, and for a
// monitor that has gone away since the list was filled.
std::wstring MonitorListDevice(HWND list, int row);

// The primary monitor's device name.
std::wstring PrimaryDisplayDevice();

// Fills the resolution list for a display device: the dontChange row, then
// the device's modes with the current mode's depth, flags and refresh rate
// (none when the current mode cannot be read). Selects the first row that
// begins with selection, else the first row.
void FillResolutionList(HWND list, const std::wstring& dontChange, const std::wstring& device,
                        const std::wstring& selection);

}  // namespace zv
