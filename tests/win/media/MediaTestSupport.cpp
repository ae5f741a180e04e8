#include "tests/win/media/MediaTestSupport.h"

#include "framework/Handle.h"
#include "framework/WideString.h"
#include "media/BoundedRender.h"
#include "media/DVD.h"
#include "tests/win/support/ScreenCapture.h"

#include <gtest/gtest.h>

#include <set>

namespace zvtest {
namespace {

constexpr wchar_t kOwnerClass[] = L"ZvMediaTestOwner";

class ComEnvironment : public testing::Environment {
 public:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
};
testing::Environment* const g_com = testing::AddGlobalTestEnvironment(new ComEnvironment);

// After the results are written: a process with a stuck graph build ends the
// way the program ends then (media/BoundedRender.h), keeping the verdict.
class AbandonedGraphExit : public testing::EmptyTestEventListener {
  void OnTestProgramEnd(const testing::UnitTest& unit) override {
    zv::EndProcessIfGraphsAbandoned(unit.Passed() ? 0 : 1);
  }
};
const bool g_exitListener = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new AbandonedGraphExit);
  return true;
}();

struct WatchState {
  DWORD pid;
  std::set<HWND>* answered;
  std::atomic<int>* count;
};

BOOL CALLBACK AnswerBox(HWND hwnd, LPARAM data) {
  auto* state = reinterpret_cast<WatchState*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (pid != state->pid || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  state->answered->insert(hwnd);
  // Counted before it is answered: the box's caller may look right after.
  *state->count = static_cast<int>(state->answered->size());
  PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
  return TRUE;
}

}  // namespace

OwnerWindow::OwnerWindow(int width, int height) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kOwnerClass;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassExW(&wc);
  hwnd_ = CreateWindowExW(0, kOwnerClass, L"Media test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                          width, height, nullptr, nullptr, wc.hInstance, this);
}

OwnerWindow::~OwnerWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

RECT OwnerWindow::ClientRect() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r;
}

LRESULT CALLBACK OwnerWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message == WM_APP + 1) {
    ++self->graphEvents;
    return 0;
  }
  if (self && ((message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL) || message == WM_MOUSEHWHEEL)) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    self->mouseMessages.push_back(m);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

MessageBoxWatcher::MessageBoxWatcher() {
  thread_ = std::thread([this] {
    std::set<HWND> answered;
    WatchState state{GetCurrentProcessId(), &answered, &count_};
    while (!stop_) {
      EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&state));
      Sleep(20);
    }
  });
}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

const LanguageTable& EnglishTexts() {
  static LanguageTable table = [] {
    LanguageTable t;
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(250), L"LNG");
    if (!resource) return t;
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    t.LoadBuiltIn(250, std::string_view(bytes, SizeofResource(nullptr, resource)));
    return t;
  }();
  return table;
}

TraceFile::TraceFile(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + name;
  log_ = std::make_unique<CDebugDlg>(path_, nullptr);
}

TraceFile::~TraceFile() {
  log_.reset();
  DeleteFileW(path_.c_str());
}

std::wstring TraceFile::Text() const {
  fw::FileHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  const DWORD size = GetFileSize(file.get(), nullptr);
  std::wstring text(size / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  if (size) ReadFile(file.get(), text.data(), size, &read, nullptr);
  return text;
}

std::unique_ptr<VideoFile> OpenMedia(const std::wstring& path, OwnerWindow& owner, CSettings& settings,
                                     CDebugDlg* log) {
  const RECT area = owner.ClientRect();
  return std::make_unique<VideoFile>(log, &EnglishTexts(), owner.hwnd(), GetModuleHandleW(nullptr), path,
                                     RGB(0, 0, 0), &settings, L"Zentravue", nullptr, area, area);
}

// ZV_RENDERER runs the suite with another VideoRenderer value.
std::unique_ptr<CSettings> DefaultSettings() {
  auto settings = std::make_unique<CSettings>(0);
  wchar_t renderer[64] = {};
  if (GetEnvironmentVariableW(L"ZV_RENDERER", renderer, 64)) settings->VideoRenderer = fw::ToU16(renderer);
  return settings;
}

long SettledState(VideoFile& media) {
  media.WaitForStateChange();
  long state = -1;
  media.GetState(&state);
  return state;
}

void Pump(DWORD ms) {
  WaitFor([] { return false; }, ms);
}

int DvdPicturePixelsNear(CDVD* dvd, int x0, int y0, int x1, int y1, COLORREF colour) {
  long left = 0, top = 0, width = 0, height = 0;
  fw::ComPtr<IBasicVideo> basic;
  dvd->Graph()->QueryInterface(IID_IBasicVideo, basic.put_void());
  if (!basic || FAILED(basic->GetDestinationPosition(&left, &top, &width, &height))) return -1;
  POINT a{static_cast<LONG>(left + x0 * width / 720 + 4), static_cast<LONG>(top + y0 * height / 576 + 4)};
  POINT b{static_cast<LONG>(left + x1 * width / 720 - 4), static_cast<LONG>(top + y1 * height / 576 - 4)};
  ClientToScreen(CMedia::VideoWindow(), &a);
  ClientToScreen(CMedia::VideoWindow(), &b);
  return CountNear(CaptureScreen(RECT{a.x, a.y, b.x, b.y}), ToRgb(colour), 47, 2);
}

}  // namespace zvtest
