// Settings dialog bench: opening the settings dialog until its first page is
// painted, as a ratio to opening the language page on its own until it is
// painted, measured alternately in one run. Goal: at most 2.
// Usage (under Wine): bench_settings.exe [repetitions] [language files]
// With a number of language files, that many copies of the English language
// lie beside the program during the run (and are removed after it), as the
// language page lists them: the page's cost as it will be once more
// languages are built in.
#include "app/Settings.h"
#include "bench/BenchSupport.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsLanguage.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using namespace zv::bench;

// A window is painted when it is visible and neither it nor any child waits
// for paint; the timer that asks runs only once no paint is pending.
struct Watch {
  HWND (*find)() = nullptr;
  double start = 0;
  double painted = 0;
};
Watch* g_watch = nullptr;

bool Painted(HWND window) {
  if (!window || !IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
  return !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT);
}

void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
  HWND window = g_watch->find();
  if (!window || !Painted(window)) return;
  g_watch->painted = NowSeconds();
  KillTimer(nullptr, id);
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

HWND ThisThreadsDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

template <class Open>
double TimeToPainted(Open open) {
  Watch watch{ThisThreadsDialog, NowSeconds(), 0};
  g_watch = &watch;
  SetTimer(nullptr, 0, 1, Check);
  open();
  g_watch = nullptr;
  return watch.painted > 0 ? watch.painted - watch.start : -1;
}

}  // namespace

// Copies of the English language file beside the program; removed by the
// destructor.
class LanguageFiles {
 public:
  explicit LanguageFiles(int count) {
    const std::string_view english = zv::ResourceBytes(nullptr, L"LNG", 250);
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module);
    folder.resize(folder.find_last_of(L'\\') + 1);
    for (int i = 0; i < count; ++i) {
      const std::wstring path = folder + L"bench-language-" + std::to_wstring(i) + L".lng";
      HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file == INVALID_HANDLE_VALUE) continue;
      DWORD written = 0;
      WriteFile(file, english.data(), static_cast<DWORD>(english.size()), &written, nullptr);
      CloseHandle(file);
      paths_.push_back(path);
    }
  }
  ~LanguageFiles() {
    for (const std::wstring& path : paths_) DeleteFileW(path.c_str());
  }

 private:
  std::vector<std::wstring> paths_;
};

int wmain(int argc, wchar_t** argv) {
  const int repetitions = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
  LanguageFiles files(argc > 2 ? std::max(0, _wtoi(argv[2])) : 0);
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  LanguageTable language;
  zv::LoadNameTableResource(language);
  zv::LoadBuiltInLanguage(language, 250);
  CSettings settings(0);

  std::vector<double> dialog, page;
  for (int i = 0; i < repetitions + 1; ++i) {
    const double d = TimeToPainted([&] {
      CSettingsDialog settingsDialog(&language, &settings, nullptr);
      settingsDialog.DoModal();
    });
    const double p = TimeToPainted([&] {
      CSettingsLanguage languagePage(&language, &settings, nullptr);
      languagePage.RunStandalone();
    });
    if (i == 0) continue;  // the first round loads code and fonts
    dialog.push_back(d);
    page.push_back(p);
  }
  const double dialogMedian = Median(dialog);
  const double pageMedian = Median(page);
  std::printf("settings dialog to painted first page: %.1f ms (median of %d)\n", dialogMedian * 1000, repetitions);
  std::printf("language page alone to painted:        %.1f ms (%d languages besides the built-in ones)\n",
              pageMedian * 1000, argc > 2 ? std::max(0, _wtoi(argv[2])) : 0);
  std::printf("ratio: %.2f (goal <= 2.00)\n", pageMedian > 0 ? dialogMedian / pageMedian : 0.0);
  CoUninitialize();
  return 0;
}
