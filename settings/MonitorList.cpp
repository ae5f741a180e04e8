#include "settings/MonitorList.h"

#include "framework/WideString.h"
#include "settings/SettingsForm.h"

#include <vector>

namespace zv {

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
  return TRUE;
}

bool MonitorInfo(HMONITOR monitor, MONITORINFOEXW& info) {
  info = MONITORINFOEXW{};
  info.cbSize = sizeof(info);
  return GetMonitorInfoW(monitor, &info) != FALSE;
}

int AddRow(HWND list, const std::wstring& text, LPARAM data) {
  const LRESULT row = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (row >= 0) SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(row), data);
  return static_cast<int>(row);
}

std::vector<std::u16string> Rows(HWND list) {
  std::vector<std::u16string> rows;
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT got = SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    rows.push_back(fw::ToU16(text));
  }
  return rows;
}

}  // namespace

bool FillMonitorList(HWND list, const std::wstring& dontChange, const std::wstring& device) {
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  AddRow(list, dontChange, -1);
  std::vector<HMONITOR> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  int selected = 0;
  for (HMONITOR monitor : monitors) {
    MONITORINFOEXW info;
    if (!MonitorInfo(monitor, info)) continue;
    const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    const int row = AddRow(list, fw::ToWide(settingsform::MonitorEntryText(fw::ToU16(info.szDevice), primary)),
                           reinterpret_cast<LPARAM>(monitor));
    if (selected == 0 && row > 0 && fw::EqualsNoCase(info.szDevice, device)) selected = row;
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  return selected > 0;
}

std::wstring MonitorListDevice(HWND list, int row) {
  if (row <= 0) return {};
  const LRESULT data = SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(row), 0);
  if (data == CB_ERR || data == -1) return {};
  MONITORINFOEXW info;
  if (!MonitorInfo(reinterpret_cast<HMONITOR>(data), info)) return {};
  return info.szDevice;
}

std::wstring PrimaryDisplayDevice() {
  MONITORINFOEXW info;
  if (!MonitorInfo(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), info)) return {};
  return info.szDevice;
}

void FillResolutionList(HWND list, const std::wstring& dontChange, const std::wstring& device,
                        const std::wstring& selection) {
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  AddRow(list, dontChange, 0);
  const wchar_t* name = device.empty() ? nullptr : device.c_str();
  DEVMODEW current{};
  current.dmSize = sizeof(current);
  if (EnumDisplaySettingsW(name, ENUM_CURRENT_SETTINGS, &current)) {
    std::vector<settingsform::DisplayMode> modes;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    // Bounded, in case a driver never reports the end.
    for (DWORD i = 0; i < 10000 && EnumDisplaySettingsW(name, i, &mode); ++i)
      modes.push_back({mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFlags,
                       mode.dmDisplayFrequency});
    const settingsform::DisplayMode now{current.dmPelsWidth, current.dmPelsHeight, current.dmBitsPerPel,
                                        current.dmDisplayFlags, current.dmDisplayFrequency};
    for (const std::u16string& text : settingsform::ResolutionEntries(now, modes)) AddRow(list, fw::ToWide(text), 0);
  }
  const size_t row = settingsform::FirstEntryBeginningWith(Rows(list), fw::ToU16(selection));
  SendMessageW(list, CB_SETCURSEL, row, 0);
}

}  // namespace zv
