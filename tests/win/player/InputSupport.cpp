#include "tests/win/player/InputSupport.h"

#include "app/ZentravueApp.h"
#include "lang/LanguageResources.h"
#include "media/Media.h"
#include "res/resource.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace zvtest {

namespace {
constexpr UINT kRunScript = WM_APP + 100;

bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_APPS:
      return true;
    default:
      return false;
  }
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendInput(1, &input, sizeof(input));
}

struct OwnWindowSearch {
  const wchar_t* className;
  HWND exclude;
  HWND found;
};

BOOL CALLBACK MatchOwnWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<OwnWindowSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || window == search->exclude || !IsWindowVisible(window)) return TRUE;
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpW(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

BOOL InputPlayer::OnInitDialog() {
  const BOOL result = CZentravueDlg::OnInitDialog();
  PostMessageW(hwnd_, kRunScript, 0, 0);
  return result;
}

bool InputPlayer::OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND && HIWORD(wParam) == 1 && lParam == 0) {
    keyCommands.push_back(LOWORD(wParam));
    if (swallowKeyCommands) {
      *result = 0;
      return true;
    }
  }
  if (message != kRunScript) return CZentravueDlg::OnRawMessage(message, wParam, lParam, result);
  if (!scriptRan) {
    scriptRan = true;
    script_(*this);
  }
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  return true;
}

bool InputPlayer::Opened(const wchar_t* mediaName) {
  return OpenMediaFile(MediaPath(mediaName)) && CurrentMedia();
}

int InputPlayer::Position() { return CurrentMedia() ? CurrentMedia()->GetPosition() : -1; }

bool InputPlayer::CheckedInBoth(UINT id) const {
  return (GetMenuState(MainMenu(), id, MF_BYCOMMAND) & MF_CHECKED) &&
         (GetMenuState(ContextMenu(), id, MF_BYCOMMAND) & MF_CHECKED);
}

bool InputPlayer::UncheckedInBoth(UINT id) const {
  return !(GetMenuState(MainMenu(), id, MF_BYCOMMAND) & MF_CHECKED) &&
         !(GetMenuState(ContextMenu(), id, MF_BYCOMMAND) & MF_CHECKED);
}

LanguageTable& English() {
  static LanguageTable table;
  static const bool loaded =
      zv::LoadNameTableResource(table) && zv::LoadBuiltInLanguage(table, IDR_LNG_ENGLISH) == S_OK;
  EXPECT_TRUE(loaded);
  return table;
}

INT_PTR RunInputPlayer(const InputPlayer::Script& script, CSettings* settings, CCmdLineInfo* cmdLine) {
  CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr));
  std::unique_ptr<CSettings> own;
  if (!settings) {
    own = std::make_unique<CSettings>(0);
    own->ResetFileTypes();
    settings = own.get();
  }
  CCmdLineInfo ownCmdLine;
  InputPlayer player(cmdLine ? cmdLine : &ownCmdLine, settings, &English(), script);
  const INT_PTR result = player.DoModal();
  EXPECT_TRUE(player.scriptRan);
  return result;
}

bool PumpUntil(CZentravueDlg& player, const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return condition();
      }
      if (player.PreTranslateMessage(&msg)) continue;
      if (player.hwnd() && IsDialogMessageW(player.hwnd(), &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(CZentravueDlg& player, DWORD ms) {
  PumpUntil(player, [] { return false; }, ms);
}

bool Focus(HWND window) {
  SetForegroundWindow(window);
  SetActiveWindow(window);
  SetFocus(window);
  return WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
}

void KeyDown(WORD key) { SendKey(key, false); }
void KeyUp(WORD key) { SendKey(key, true); }

void Press(WORD key) {
  SendKey(key, false);
  SendKey(key, true);
}

void PressWithCtrl(WORD key) {
  SendKey(VK_CONTROL, false);
  Press(key);
  SendKey(VK_CONTROL, true);
}

void MoveMouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>(screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
  input.mi.dy = static_cast<LONG>(screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

void MouseButton(DWORD downFlag, DWORD upFlag, DWORD data) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = downFlag;
  inputs[1].mi.dwFlags = upFlag;
  inputs[0].mi.mouseData = inputs[1].mi.mouseData = data;
  SendInput(2, inputs, sizeof(INPUT));
}

void Wheel(int delta, bool horizontal) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = horizontal ? MOUSEEVENTF_HWHEEL : MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(delta);
  SendInput(1, &input, sizeof(input));
}

POINT CenterOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND FindOwnWindow(const wchar_t* className, HWND exclude) {
  OwnWindowSearch search{className, exclude, nullptr};
  EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

WindowWatcher::WindowWatcher(const wchar_t* className, DWORD timeoutMs, Action act, HWND exclude) {
  thread_ = std::thread([this, className, timeoutMs, act = std::move(act), exclude] {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
      if (HWND found = FindOwnWindow(className, exclude)) {
        seen_ = found;
        act(found);
        break;
      }
      Sleep(20);
    }
    done_ = true;
  });
}

WindowWatcher::~WindowWatcher() {
  if (thread_.joinable()) thread_.join();
}

bool WindowWatcher::Finish() {
  if (thread_.joinable()) thread_.join();
  return seen_ != nullptr;
}

void CancelDialog(HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }

void PressEscapeFor(HWND) { Press(VK_ESCAPE); }

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

}  // namespace zvtest
