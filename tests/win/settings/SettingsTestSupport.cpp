#include "tests/win/settings/SettingsTestSupport.h"

#include "app/ProductName.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "res/resource.h"

#include <commctrl.h>

#include <map>

namespace zvtest {

namespace {

std::map<UINT_PTR, StepRunner*>& Runners() {
  static std::map<UINT_PTR, StepRunner*> runners;
  return runners;
}

BOOL CALLBACK EndDialogsOfThread(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

struct Search {
  HWND found = nullptr;
};

BOOL CALLBACK FindSettings(HWND window, LPARAM data) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && GetDlgItem(window, IDC_TREE_SETTINGS) && IsWindowVisible(window)) {
    reinterpret_cast<Search*>(data)->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

StepRunner& StepRunner::When(Condition condition, Action action) {
  steps_.push_back({std::move(condition), std::move(action)});
  return *this;
}

void StepRunner::Start(DWORD limitMs) {
  limitMs_ = limitMs;
  waitingSince_ = GetTickCount64();
  timer_ = SetTimer(nullptr, 0, 10, Tick);
  Runners()[timer_] = this;
}

StepRunner::~StepRunner() {
  if (timer_) {
    KillTimer(nullptr, timer_);
    Runners().erase(timer_);
  }
}

void CALLBACK StepRunner::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = Runners().find(id);
  if (it != Runners().end()) it->second->Run();
}

void StepRunner::Run() {
  if (Finished() || timedOut_) {
    KillTimer(nullptr, timer_);
    Runners().erase(timer_);
    timer_ = 0;
    return;
  }
  if (running_) return;
  Step& step = steps_[next_];
  if (!step.condition()) {
    if (GetTickCount64() - waitingSince_ > limitMs_) {
      timedOut_ = true;
      failure_ = "step " + std::to_string(next_) + " waited too long";
      EnumThreadWindows(GetCurrentThreadId(), EndDialogsOfThread, 0);
      // The player is no #32770 dialog of its own class.
      for (HWND player = FindWindowW(L"ZentravueClass", nullptr); player;
           player = FindWindowExW(nullptr, player, L"ZentravueClass", nullptr))
        if (GetWindowThreadProcessId(player, nullptr) == GetCurrentThreadId()) PostMessageW(player, WM_CLOSE, 0, 0);
    }
    return;
  }
  ++next_;
  running_ = true;
  step.action();
  running_ = false;
  waitingSince_ = GetTickCount64();
}

std::unique_ptr<LanguageTable> BuiltInLanguage(int resourceId) {
  auto language = std::make_unique<LanguageTable>();
  zv::LoadNameTableResource(*language);
  zv::LoadBuiltInLanguage(*language, resourceId);
  return language;
}

HWND FindSettingsDialog(DWORD threadId) {
  Search search;
  if (threadId)
    EnumThreadWindows(threadId, FindSettings, reinterpret_cast<LPARAM>(&search));
  else
    EnumWindows(FindSettings, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND CurrentPageOf(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

bool SettingsDialogPainted(HWND dialog) {
  if (!dialog || !IsWindowVisible(dialog)) return false;
  HWND page = CurrentPageOf(dialog);
  if (!page) return false;
  return !GetUpdateRect(dialog, nullptr, FALSE) && !GetUpdateRect(page, nullptr, FALSE) &&
         !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT);
}

void SelectNode(CSettingsDialog& dialog, CSettingsDialog::Node node) {
  TreeView_SelectItem(dialog.Item(IDC_TREE_SETTINGS), dialog.TreeItem(node));
}

void Click(HWND page, int id) { SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }

void Choose(HWND page, int id, int index) {
  HWND list = GetDlgItem(page, id);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void Type(HWND page, int id, const std::wstring& text) {
  // Setting an edit's text notifies EN_CHANGE as typing does.
  SetWindowTextW(GetDlgItem(page, id), text.c_str());
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<std::wstring> ListEntries(HWND page, int id) {
  HWND list = GetDlgItem(page, id);
  std::vector<std::wstring> entries;
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

std::wstring ListSelectionText(HWND page, int id) {
  const LRESULT index = SendMessageW(GetDlgItem(page, id), CB_GETCURSEL, 0, 0);
  if (index < 0) return L"<none>";
  return ListEntries(page, id)[static_cast<size_t>(index)];
}

bool IsChecked(HWND page, int id) { return SendMessageW(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

RegistrySettings::RegistrySettings() : settings(zv::CreateGlobalSettings(host)) {}

std::optional<DWORD> RegistryValue::Dword() const {
  if (type != REG_DWORD || bytes.size() != 4) return std::nullopt;
  return static_cast<DWORD>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24);
}

std::optional<std::wstring> RegistryValue::String() const {
  if (type != REG_SZ || bytes.size() < 2 || bytes.size() % 2) return std::nullopt;
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  if (text.back() != L'\0') return std::nullopt;
  text.pop_back();
  return text;
}

std::optional<RegistryValue> SettingsValue(const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (zv::ProductKey() + L"\\Settings").c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return std::nullopt;
  RegistryValue value;
  DWORD size = 0;
  LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.bytes.resize(size);
    status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    value.bytes.resize(size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

static void WriteValue(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, (zv::ProductKey() + L"\\Settings").c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void WriteSettingsDword(const std::wstring& name, DWORD value) { WriteValue(name, REG_DWORD, &value, sizeof(value)); }

void WriteSettingsString(const std::wstring& name, const std::wstring& value) {
  WriteValue(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::string ExportProgramKey() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"zv-settings-export.reg";
  DeleteFileW(file.c_str());
  std::wstring command = L"reg.exe export \"HKCU\\Software\\Ostrel-Software\" \"" + file + L"\" /y";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &process))
    return "<reg.exe did not start>";
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string bytes;
  if (!zv::ReadWholeFile(file, bytes)) return "<no export>";
  DeleteFileW(file.c_str());
  // The tool writes UTF-16; compared and shown as UTF-8.
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
    return fw::WideToUtf8(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2));
  return bytes;
}

void PostSettingsCommand(HWND player) { PostMessageW(player, WM_COMMAND, IDM_DATEI_EINSTELLUNGEN, 0); }

}  // namespace zvtest

namespace zvtest {

void PressKey(WORD key, bool shift) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, false);
  add(key, false);
  add(key, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, width - 1);
    input.mi.dy = MulDiv(screen.y, 65535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof(INPUT));
}

void ClickCentre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(threadId, &info)) return nullptr;
  return info.hwndFocus;
}

bool PollFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= end) return false;
    Sleep(5);
  }
  return true;
}

}  // namespace zvtest
