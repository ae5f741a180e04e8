// Repairs of the player window, in this process: what the screen shows
// around and instead of the video, texts in the active language, the frame
// rate pane, power settings, taskbar progress and the drag state after a
// close, the resume jump on a damaged value, "close" through the window's
// own closing, the busy guard's order, the opening error's reason, About
// and Donate, and the hand-over's sending side.
#include "app/CmdLineInfo.h"
#include "app/HandOverItems.h"
#include "app/PrivateMessages.h"
#include "app/ProductName.h"
#include "app/SingleInstance.h"
#include "app/ZentravueApp.h"
#include "framework/CommandLineSplit.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"
#include "player/PlayerBusy.h"
#include "player/ZentravueDlg.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"
#include "tests/win/media/MediaTestSupport.h"
#include "tests/win/player/OpeningSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

using zvtest::TempFolder;

namespace {

constexpr UINT kRunScript = WM_APP + 100;

// The player window with a language of the test's choice and a script that
// runs once it is up; it records what the closing tests look for.
class Player : public CZentravueDlg {
 public:
  using Script = std::function<void(Player&)>;
  Player(LanguageTable* language, CSettings* settings, CCmdLineInfo* cmdLine, Script script)
      : CZentravueDlg(nullptr, cmdLine, language, settings), script_(std::move(script)) {}

  std::wstring openedAddress;
  int closeMessages = 0;
  bool mediaOpenWhenDestroyed = true;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CZentravueDlg::OnInitDialog();
    PostMessageW(hwnd_, kRunScript, 0, 0);
    return result;
  }
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == kRunScript) {
      if (!ran_) {
        ran_ = true;
        script_(*this);
      }
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      return true;
    }
    if (message == WM_CLOSE) ++closeMessages;
    if (message == WM_DESTROY) mediaOpenWhenDestroyed = CurrentMedia() != nullptr;
    return CZentravueDlg::OnRawMessage(message, wParam, lParam, result);
  }
  void OpenAddress(const std::wstring& address) override { openedAddress = address; }

 private:
  Script script_;
  bool ran_ = false;
};

void RunWindow(const Player::Script& script, CSettings* settings = nullptr, LanguageTable* language = nullptr,
         CCmdLineInfo* cmdLine = nullptr) {
  CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr));
  std::unique_ptr<CSettings> own;
  if (!settings) {
    own = zvtest::PlayerSettings();
    settings = own.get();
  }
  CCmdLineInfo ownCmdLine;
  Player player(language, settings, cmdLine ? cmdLine : &ownCmdLine, script);
  player.DoModal();
}

void Wait(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  zvtest::WaitFor([&] { return GetTickCount64() >= end; }, ms + 1000);
}

// The pixels the display shows in a rectangle of the window's client area.
std::vector<uint32_t> ShownPixels(HWND window, const RECT& area) { return zvtest::CaptureClient(window, area).pixels; }

// Some pixels, every one near the colour.
bool AllNear(const std::vector<uint32_t>& pixels, uint32_t colour, int tolerance) {
  for (uint32_t p : pixels)
    if (!zvtest::NearColour(p, colour, tolerance)) return false;
  return !pixels.empty();
}

bool AllDark(const std::vector<uint32_t>& pixels) { return AllNear(pixels, 0x000000, 16); }

RECT Offset(const RECT& area, int left, int top, int width, int height) {
  return RECT{area.left + left, area.top + top, area.left + left + width, area.top + top + height};
}

// Reads the text of every message box of this process and answers it with OK.
class BoxReader {
 public:
  BoxReader()
      : thread_([this] {
          while (!stop_) {
            HWND box = nullptr;
            EnumThreadWindows(
                mainThread_,
                [](HWND hwnd, LPARAM found) {
                  wchar_t cls[32] = {};
                  GetClassNameW(hwnd, cls, 32);
                  if (IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770" && GetDlgItem(hwnd, 0xFFFF)) {
                    *reinterpret_cast<HWND*>(found) = hwnd;
                    return FALSE;
                  }
                  return TRUE;
                },
                reinterpret_cast<LPARAM>(&box));
            if (box) {
              wchar_t text[1024] = {};
              GetDlgItemTextW(box, 0xFFFF, text, 1024);
              {
                std::lock_guard<std::mutex> guard(lock_);
                texts_.push_back(text);
              }
              PostMessageW(box, WM_COMMAND, IDOK, 0);
              // Read each box once: wait until it has gone.
              while (!stop_ && IsWindow(box) && IsWindowVisible(box)) Sleep(10);
            }
            Sleep(20);
          }
        }) {}
  ~BoxReader() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::wstring> Texts() {
    std::lock_guard<std::mutex> guard(lock_);
    return texts_;
  }

 private:
  DWORD mainThread_ = GetCurrentThreadId();
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::vector<std::wstring> texts_;
  std::thread thread_;
};

LanguageTable BuiltIn(int resourceId) {
  LanguageTable table;
  zv::LoadNameTableResource(table);
  zv::LoadBuiltInLanguage(table, resourceId);
  return table;
}

}  // namespace

// ---- What the picture area shows ----

TEST(PlayerRepairs, BarsAroundTheVideoAndTheAudioOnlyAreaShowNoOldPicture) {
  auto settings = zvtest::PlayerSettings();
  // A kept video area of the idle size: a 4:3 picture leaves bars at its sides.
  settings->KeepWindowSize = 1;
  settings->WindowWidth = 450;
  settings->WindowHeight = 250;
  bool fromIdle = false, afterWide = false, idleAfterVideo = false;
  // The left bar is 58 pixels wide; look at its middle part.
  const auto barIsDark = [](Player& player) {
    return AllDark(ShownPixels(player.hwnd(), Offset(player.VideoAreaRect(), 4, 40, 40, 170)));
  };
  // The idle picture's play symbol is white.
  const auto idleSymbolShown = [](Player& player) {
    return AllNear(ShownPixels(player.hwnd(), Offset(player.VideoAreaRect(), 88, 120, 6, 6)), 0xFFFFFF, 55);
  };
  RunWindow(
      [&](Player& player) {
        ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"narrow43.mkv")));
        fromIdle = zvtest::WaitFor([&] { return barIsDark(player); }, 5000);
        ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"wide169.mkv")));
        zvtest::WaitFor([&] { return !barIsDark(player); }, 5000);
        ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"narrow43.mkv")));
        afterWide = zvtest::WaitFor([&] { return barIsDark(player); }, 5000);
        // Audio only after a video: the idle picture.
        ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"tone.wav")));
        idleAfterVideo = zvtest::WaitFor([&] { return idleSymbolShown(player); }, 5000);
      },
      settings.get());
  EXPECT_TRUE(fromIdle) << "the bars kept the idle picture";
  EXPECT_TRUE(afterWide) << "the bars kept the previous video's picture";
  EXPECT_TRUE(idleAfterVideo) << "the audio-only area kept the last video frame";
}

// ---- Texts in the active language ----

TEST(PlayerRepairs, IdleTaglineAndToolbarTooltipsComeFromTheLanguage) {
  std::vector<uint32_t> taglines[2];
  std::wstring play[2], loop[2];
  const int languages[2] = {IDR_LNG_ENGLISH, IDR_LNG_GERMAN};
  for (int i = 0; i < 2; ++i) {
    LanguageTable language = BuiltIn(languages[i]);
    RunWindow(
        [&](Player& player) {
          InvalidateRect(player.hwnd(), nullptr, TRUE);
          zvtest::WaitFor(
              [&] {
                taglines[i] = ShownPixels(player.hwnd(), Offset(player.VideoAreaRect(), 159, 150, 260, 22));
                return !AllDark(taglines[i]);
              },
              5000);
          play[i] = player.ToolBar().ButtonTooltip(IDTBB_PLAY);
          loop[i] = player.ToolBar().ButtonTooltip(IDTBB_LOOP);
        },
        nullptr, &language);
  }
  EXPECT_EQ(play[0], L"Play");
  EXPECT_EQ(loop[0], L"Loop On");
  EXPECT_EQ(play[1], L"Wiedergabe");
  ASSERT_FALSE(taglines[0].empty());
  EXPECT_NE(taglines[0], taglines[1]) << "the tagline does not follow the language";
  EXPECT_FALSE(AllDark(taglines[0])) << "no tagline drawn";
}

// ---- Frame rate ----

TEST(PlayerRepairs, FrameRatePaneShowsTheStreamsRateWhereTheRendererMeasuresNone) {
  std::wstring pane;
  RunWindow([&](Player& player) {
    ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"long.mkv")));
    // The renderer may measure a little less than the nominal 10 while it starts.
    zvtest::WaitFor(
        [&] {
          pane = player.StatusText(6);
          return _wtof(pane.c_str()) > 8.0;
        },
        5000);
  });
  ASSERT_GE(pane.size(), 4u);
  EXPECT_NE(pane, L"0.00 fps");
  const double rate = _wtof(pane.c_str());
  EXPECT_GT(rate, 8.0) << std::string(pane.begin(), pane.end());
  EXPECT_LT(rate, 11.0) << std::string(pane.begin(), pane.end());
}

// ---- Power settings, drag state and taskbar progress after a close ----

TEST(PlayerRepairs, EveryEndOfVideoPlaybackGivesThePowerSettingsBack) {
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
  auto settings = zvtest::PlayerSettings();
  settings->DeactivatePowerManagement = 1;
  BOOL whilePlaying = TRUE, afterClose = FALSE, afterFailedNext = FALSE;
  zvtest::MessageBoxWatcher boxes;
  RunWindow(
      [&](Player& player) {
        ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"v.avi")));
        player.Play();
        SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &whilePlaying, 0);
        SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_SCHLIESSEN, 0);
        SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &afterClose, 0);
        ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"v.avi")));
        player.Play();
        player.OpenMediaFile(zvtest::MediaPath(L"random.avi"));
        SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &afterFailedNext, 0);
      },
      settings.get());
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
  EXPECT_FALSE(whilePlaying);
  EXPECT_TRUE(afterClose) << "closing the video left the screen saver off";
  EXPECT_TRUE(afterFailedNext) << "moving to a file that failed left the screen saver off";
}

TEST(PlayerRepairs, ADragCutShortByClosingDoesNotHoldTheNextMedia) {
  int position = 0;
  RunWindow([&](Player& player) {
    ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"long.mkv")));
    SendMessageW(player.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0),
                 reinterpret_cast<LPARAM>(player.PositionBar().hwnd()));
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_SCHLIESSEN, 0);
    ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"long.mkv")));
    player.Play();
    zvtest::WaitFor([&] { return (position = player.CurrentMedia()->GetPosition()) > 80; }, 8000);
  });
  EXPECT_GT(position, 80) << "the clock kept seeking to the bar as if dragging";
}

namespace {

// The platform's taskbar list, replaced for this process so that the
// progress calls can be read back.
class FakeTaskbar : public ITaskbarList3 {
 public:
  std::vector<TBPFLAG> states;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_ITaskbarList || iid == IID_ITaskbarList2 || iid == IID_ITaskbarList3) {
      *out = static_cast<ITaskbarList3*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE HrInit() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetProgressValue(HWND, ULONGLONG, ULONGLONG) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetProgressState(HWND, TBPFLAG flags) override {
    states.push_back(flags);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return S_OK; }
};

class FakeTaskbarFactory : public IClassFactory {
 public:
  explicit FakeTaskbarFactory(FakeTaskbar& taskbar) : taskbar_(taskbar) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    return taskbar_.QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  FakeTaskbar& taskbar_;
};

}  // namespace

TEST(PlayerRepairs, StopAndCloseTakeTheTaskbarProgressAway) {
  FakeTaskbar taskbar;
  FakeTaskbarFactory factory(taskbar);
  DWORD cookie = 0;
  ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(CLSID_TaskbarList, &factory, CLSCTX_INPROC_SERVER,
                                                 REGCLS_MULTIPLEUSE, &cookie));
  size_t afterStop = 0, afterClose = 0;
  std::vector<TBPFLAG> states;
  RunWindow([&](Player& player) {
    SendMessageW(player.hwnd(), RegisterWindowMessageW(L"TaskbarButtonCreated"), 0, 0);
    ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"long.mkv")));
    player.Play();
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_WIEDERGABE_STOPP, 0);
    afterStop = taskbar.states.size();
    player.Play();
    SendMessageW(player.hwnd(), WM_COMMAND, IDM_DATEI_SCHLIESSEN, 0);
    afterClose = taskbar.states.size();
    states = taskbar.states;
  });
  CoRevokeClassObject(cookie);
  ASSERT_GE(afterStop, 1u);
  EXPECT_EQ(states[afterStop - 1], TBPF_NOPROGRESS) << "stop left the progress on the taskbar";
  ASSERT_GT(afterClose, afterStop);
  EXPECT_EQ(states[afterClose - 1], TBPF_NOPROGRESS) << "closing left the progress on the taskbar";
}

// ---- Resume position from a damaged value ----

TEST(PlayerRepairs, AHugeStoredResumePositionJumpsToTheEndNotBeforeTheStart) {
  TempFolder folder(L"zv_repairs_resume");
  const std::wstring clip = folder.Copy(L"long.mkv", L"resume.mkv");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (zv::ProductKey() + L"\\Videos").c_str(), 0, nullptr, 0,
                            KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  // 30000000 s in hundredths does not fit 32 bits.
  const wchar_t value[] = L"30000000.00";
  RegSetValueExW(key, L"resume.mkv", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value));
  RegCloseKey(key);
  auto settings = zvtest::PlayerSettings();
  settings->StartMediaAutomatically = 0;
  int position = -1, duration = 0;
  RunWindow(
      [&](Player& player) {
        ASSERT_TRUE(player.OpenMediaFile(clip));
        SendMessageW(player.hwnd(), WM_COMMAND, IDM_WIEDERGABE_SPRINGELETZTESTELLE, 0);
        duration = player.CurrentMedia()->GetDuration();
        zvtest::WaitFor([&] { return (position = player.CurrentMedia()->GetPosition()) > duration / 2; }, 3000);
      },
      settings.get());
  zvtest::DeleteProgramRegistry();
  EXPECT_GT(position, duration / 2) << "position " << position << " of " << duration;
}

// ---- "close" at the end of playback ----

TEST(PlayerRepairs, CloseAtTheEndGoesThroughTheWindowsOwnClosing) {
  CCmdLineInfo cmdLine;
  cmdLine.Close = true;
  bool closed = false;
  bool mediaClosedByTheClose = false;
  int closeMessages = 0;
  RunWindow(
      [&](Player& player) {
        ASSERT_TRUE(player.OpenMediaFile(zvtest::MediaPath(L"v.avi")));
        closed = zvtest::WaitFor([&] { return player.closeMessages > 0; }, 15000);
        mediaClosedByTheClose = player.CurrentMedia() == nullptr;
        closeMessages = player.closeMessages;
      },
      nullptr, nullptr, &cmdLine);
  EXPECT_TRUE(closed) << "the end of playback ended the dialog without closing the window";
  EXPECT_TRUE(mediaClosedByTheClose);
  EXPECT_EQ(closeMessages, 1);
}

// ---- The busy guard's bookkeeping ----

TEST(PlayerRepairs, BusyStateKeepsPostedWorkInOrderAndRefusesQuestions) {
  PlayerBusyState busy;
  const UINT question = RegisterWindowMessageW(L"Zentravue.Test.Question");
  busy.AddRefusedMessage(kMsgRemoteControl);
  busy.AddRefusedMessage(question);
  using V = PlayerBusyState::Verdict;
  EXPECT_EQ(busy.Judge(kMsgHandOver, 1001, 7), V::Handle);
  EXPECT_EQ(busy.Judge(kMsgRemoteControl, 1, 0), V::Handle);

  busy.Enter();
  busy.Enter();  // nested: the open's own close
  EXPECT_EQ(busy.Judge(kMsgRemoteControl, 1, 0), V::Refused);
  EXPECT_EQ(busy.Judge(question, 0, 0), V::Refused);
  EXPECT_EQ(busy.Judge(kMsgHandOver, 1001, 7), V::Kept);
  EXPECT_EQ(busy.Judge(WM_TIMER, ID_Clock_Timer, 0), V::Kept);
  EXPECT_EQ(busy.Judge(WM_TIMER, ID_Clock_Timer, 0), V::Kept);  // one replay is enough
  EXPECT_EQ(busy.Judge(kMsgTrayIcon, 0, WM_LBUTTONDOWN), V::Kept);
  EXPECT_EQ(busy.Judge(WM_COMMAND, IDM_DATEI_SCHLIESSEN, 0), V::Kept);
  EXPECT_EQ(busy.Judge(WM_PAINT, 0, 0), V::Handle);
  EXPECT_FALSE(busy.Leave()) << "the inner scope must not start the replay";
  EXPECT_TRUE(busy.Leave());
  // Until the replay, later posted work queues behind what was kept.
  EXPECT_EQ(busy.Judge(kMsgHandOver, static_cast<WPARAM>(-1), 0), V::Kept);
  EXPECT_EQ(busy.Judge(kMsgRemoteControl, 1, 0), V::Handle);

  std::vector<std::pair<UINT, WPARAM>> replayed;
  PlayerBusyState::Message next{};
  while (busy.TakeNext(&next)) {
    EXPECT_EQ(busy.Judge(next.message, next.wParam, next.lParam), V::Handle) << "the replayed message itself";
    replayed.emplace_back(next.message, next.wParam);
  }
  const std::vector<std::pair<UINT, WPARAM>> expected = {{kMsgHandOver, 1001},
                                                         {WM_TIMER, ID_Clock_Timer},
                                                         {kMsgTrayIcon, 0},
                                                         {WM_COMMAND, IDM_DATEI_SCHLIESSEN},
                                                         {kMsgHandOver, static_cast<WPARAM>(-1)}};
  EXPECT_EQ(replayed, expected);
  EXPECT_EQ(busy.Judge(kMsgHandOver, 1001, 0), V::Handle);
}

TEST(PlayerRepairs, HandOversArrivingDuringAnOpeningsErrorBoxRunAfterIt) {
  std::vector<std::wstring> boxTexts;
  int entriesDuringBox = -1, entriesAfter = 0, currentAfter = 0;
  bool mediaAfter = false;
  LanguageTable english = BuiltIn(IDR_LNG_ENGLISH);
  {
    BoxReader reader;
    RunWindow([&](Player& player) {
      Wait(700);  // past the double-click time since the window was made
      // Posted before the open: they arrive while its error box runs.
      const ATOM atom = GlobalAddAtomW(zvtest::MediaPath(L"v.avi").c_str());
      PostMessageW(player.hwnd(), kMsgHandOver, zv::kHandOverMediaName, atom);
      PostMessageW(player.hwnd(), kMsgHandOver, static_cast<WPARAM>(-1), 0);
      player.OpenMediaFile(zvtest::MediaPath(L"random.avi"));
      entriesDuringBox = player.Playlist().Count();
      zvtest::WaitFor([&] { return player.CurrentMedia() != nullptr; }, 15000);
      entriesAfter = player.Playlist().Count();
      currentAfter = player.Playlist().CurrentPosition();
      mediaAfter = player.CurrentMedia() != nullptr;
    }, nullptr, &english);
    boxTexts = reader.Texts();
  }
  EXPECT_EQ(entriesDuringBox, 0) << "the hand-over ran inside the error box";
  EXPECT_EQ(entriesAfter, 1);
  EXPECT_EQ(currentAfter, 1);
  EXPECT_TRUE(mediaAfter);
  // The reason is words, not a bare code.
  ASSERT_EQ(boxTexts.size(), 1u);
  const std::wstring& text = boxTexts.front();
  EXPECT_NE(text.find(L"Reason: "), std::wstring::npos);
  EXPECT_EQ(text.find(L"0x"), std::wstring::npos) << std::string(text.begin(), text.end());
  EXPECT_EQ(text.find(L"Error:"), std::wstring::npos) << std::string(text.begin(), text.end());
}

// ---- Help ----

TEST(PlayerRepairs, AboutShowsBuildLinksAndLicencesAndDonateOpensTheDonationPage) {
  std::atomic<bool> stop{false};
  std::wstring caption, version, notices, website, licence;
  std::thread watcher([&] {
    while (!stop) {
      HWND about = FindWindowW(L"#32770", L"About Zentravue");
      // Filled in before it is shown; the notices are the last text set.
      if (about && IsWindowVisible(about) && GetWindowTextLengthW(GetDlgItem(about, IDC_INFO_NOTICES)) > 0) {
        wchar_t text[256] = {};
        GetWindowTextW(about, text, 256);
        caption = text;
        GetDlgItemTextW(about, IDC_INFO_VERSION, text, 256);
        version = text;
        GetDlgItemTextW(about, IDC_INFO_WEBSITE, text, 256);
        website = text;
        GetDlgItemTextW(about, IDC_INFO_LICENCE, text, 256);
        licence = text;
        const int length = GetWindowTextLengthW(GetDlgItem(about, IDC_INFO_NOTICES));
        std::wstring all(static_cast<size_t>(length) + 1, L'\0');
        GetDlgItemTextW(about, IDC_INFO_NOTICES, all.data(), length + 1);
        notices = all.c_str();
        PostMessageW(about, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(50);
    }
  });
  LanguageTable english = BuiltIn(IDR_LNG_ENGLISH);
  std::wstring donation;
  RunWindow(
      [&](Player& player) {
        SendMessageW(player.hwnd(), WM_COMMAND, IDM_HILFE_INFO, 0);
        SendMessageW(player.hwnd(), WM_COMMAND, IDM_DONATE_DONATE, 0);
        donation = player.openedAddress;
      },
      nullptr, &english);
  stop = true;
  watcher.join();
  EXPECT_EQ(caption, L"About Zentravue");
  EXPECT_EQ(version.rfind(L"Build\t: 1. 3. 0. 0", 0), 0u) << std::string(version.begin(), version.end());
  EXPECT_EQ(website.rfind(L"https://", 0), 0u);
  EXPECT_NE(licence.find(L"GNU General Public License"), std::wstring::npos);
  EXPECT_NE(notices.find(L"Independent JPEG Group"), std::wstring::npos);
  EXPECT_NE(notices.find(L"libdvdnav"), std::wstring::npos);
  EXPECT_EQ(donation, website + L"donate.php");
}

// ---- The sending side of the hand-over ----

namespace {
LRESULT CALLBACK RecordHandOver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kMsgHandOver && static_cast<int32_t>(wParam) == zv::kHandOverMediaName && lParam) {
    wchar_t text[300] = {};
    GlobalGetAtomNameW(static_cast<ATOM>(lParam), text, 300);
    GlobalDeleteAtom(static_cast<ATOM>(lParam));
    SetPropW(hwnd, L"received", reinterpret_cast<HANDLE>(new std::wstring(text)));
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

TEST(PlayerRepairs, HandOverSendsFullPathsAndReportsAWindowThatIsGone) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = RecordHandOver;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZvHandOverReceiver";
  RegisterClassW(&wc);
  HWND receiver = CreateWindowW(L"ZvHandOverReceiver", L"", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(receiver, nullptr);

  TempFolder folder(L"zv_repairs_relative");
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(folder.Path().c_str());
  CCmdLineInfo info;
  info.ParseParam(u"clip one.avi", false);
  const bool sent = zv::HandOverCommandLine(receiver, info);
  SetCurrentDirectoryW(previous);
  EXPECT_TRUE(sent);
  zvtest::WaitFor([&] { return GetPropW(receiver, L"received") != nullptr; }, 2000);
  auto* received = reinterpret_cast<std::wstring*>(RemovePropW(receiver, L"received"));
  ASSERT_NE(received, nullptr);
  EXPECT_EQ(*received, folder.Path() + L"clip one.avi");
  delete received;
  EXPECT_EQ(zv::AbsoluteName(L"http://host/a.avi"), L"http://host/a.avi");

  DestroyWindow(receiver);
  EXPECT_FALSE(zv::HandOverCommandLine(receiver, info)) << "a post to a window that is gone reported success";
}

// ---- Start-up without the shell library ----

TEST(PlayerRepairs, OurCommandLineSplitAgreesWithTheShells) {
  const wchar_t* lines[] = {
      L"p.exe",
      L"\"C:\\Program Files\\p.exe\" a  \tb ",
      L"p \"two words.avi\" /volume:50 /wndpos:0,0,tl",
      L"p a\"b c\"d",
      L"p \"\" x",
      L"p C:\\a\\b\\ \"C:\\a b\\\\\" x",
      L"p a\\\"b a\\\\\\\"b",
      L"p \"a\"\"b\" c",
      L"p \"a\"\"b c",
      L"p \"open end",
  };
  for (const wchar_t* line : lines) {
    int count = 0;
    LPWSTR* shell = CommandLineToArgvW(line, &count);
    ASSERT_NE(shell, nullptr);
    std::vector<std::u16string> expected;
    for (int i = 0; i < count; ++i) expected.push_back(fw::ToU16(shell[i]));
    LocalFree(shell);
    EXPECT_EQ(fw::SplitCommandLine(fw::ToU16(line)), expected) << std::string(line, line + wcslen(line));
  }
}
