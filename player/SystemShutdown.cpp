#include "player/SystemShutdown.h"

#include "framework/Handle.h"

namespace zv {
namespace {

SystemShutdown g_realShutdown;
SystemShutdown* g_shutdown = &g_realShutdown;

void EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  fw::KernelHandle owned(token);
  TOKEN_PRIVILEGES privileges{};
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
}

}  // namespace

void SystemShutdown::ShutDownAndPowerOff() {
  EnableShutdownPrivilege();
  ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF, 0);
}

SystemShutdown& CurrentSystemShutdown() { return *g_shutdown; }

void SetSystemShutdown(SystemShutdown* shutdown) { g_shutdown = shutdown ? shutdown : &g_realShutdown; }

}  // namespace zv
