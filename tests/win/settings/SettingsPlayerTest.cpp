// The settings command of the player window: OK stores every value with its
// registry type and applies the change flags at once; Cancel leaves the
// registry byte for byte as it was.
#include "app/ZentravueApp.h"
#include "media/VideoFile.h"
#include "res/resource.h"
#include "tests/win/settings/SettingsTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>

using zvtest::StepRunner;

namespace {

enum Root { kGeneral = 0, kVideo = 1, kLanguage = 2, kPlayback = 4, kDvd = 5 };

HWND SelectPage(HWND dialog, int root) {
  HWND tree = GetDlgItem(dialog, IDC_TREE_SETTINGS);
  HTREEITEM item = TreeView_GetRoot(tree);
  for (int i = 0; i < root && item; ++i) item = TreeView_GetNextSibling(tree, item);
  TreeView_SelectItem(tree, item);
  return zvtest::CurrentPageOf(dialog);
}

void ChooseLanguage(HWND page, const wchar_t* name) {
  HWND list = GetDlgItem(page, IDC_LANGUAGELIST);
  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = name;
  const int row = ListView_FindItem(list, -1, &find);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  NMITEMACTIVATE click{};
  click.hdr = {list, IDC_LANGUAGELIST, static_cast<UINT>(NM_CLICK)};
  click.iItem = row;
  SendMessageW(page, WM_NOTIFY, IDC_LANGUAGELIST, reinterpret_cast<LPARAM>(&click));
}

// Changes a control of every kind on every page.
void ChangeEverything(HWND dialog, std::wstring* chosenResolution = nullptr) {
  HWND page = zvtest::CurrentPageOf(dialog);
  for (int id : {IDC_GENERAL_INSTANCE, IDC_GENERAL_POWER, IDC_GENERAL_KEEP_WINDOW_SIZE, IDC_GENERAL_KEEP_WINDOW_POS,
                 IDC_GENERAL_CENTER_WINDOW})
    zvtest::Click(page, id);
  zvtest::Choose(page, IDC_TOOLBARPOS, 1);
  zvtest::Choose(page, IDC_PROCESSPRIORITY, 5);
  zvtest::Choose(page, IDC_GENERAL_SNAPSHOTFILETYPE, 1);
  page = SelectPage(dialog, kVideo);
  zvtest::Choose(page, IDC_VIDEO_RENDERER, 1);
  const std::vector<std::wstring> resolutions = zvtest::ListEntries(page, IDC_DISPLAYSETTINGS);
  zvtest::Choose(page, IDC_DISPLAYSETTINGS, static_cast<int>(resolutions.size()) - 1);
  if (chosenResolution) *chosenResolution = resolutions.back();
  page = SelectPage(dialog, kPlayback);
  for (int id : {IDC_PLAYBACK_FULLSCREEN, IDC_PLAYBACK_AUTOSTARTVIDEO, IDC_PLAYBACK_JUMPTOLASTPOS})
    zvtest::Click(page, id);
  zvtest::Type(page, IDC_PLAYBACK_PLAYBACKDELAY, L"8");
  zvtest::Type(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE, L"15");
  page = SelectPage(dialog, kDvd);
  zvtest::Click(page, IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT);
  ChooseLanguage(SelectPage(dialog, kLanguage), L"Deutsch");
}

bool DialogUp() {
  HWND dialog = zvtest::FindSettingsDialog();
  return dialog && zvtest::SettingsDialogPainted(dialog);
}

class SettingsCommand : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    zvtest::DeleteProgramRegistry();
    language_ = zvtest::BuiltInLanguage(zvtest::kEnglish);
    CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    zvtest::DeleteProgramRegistry();
    CoUninitialize();
  }
  INT_PTR RunPlayer(zvtest::SettingsPlayer& player, StepRunner& steps) {
    steps.Start(60000);
    const INT_PTR result = player.DoModal();
    EXPECT_TRUE(steps.Finished()) << steps.Failure();
    return result;
  }

  std::unique_ptr<LanguageTable> language_;
};

}  // namespace

TEST_F(SettingsCommand, OkStoresEveryValueWithItsTypeAndAppliesTheChangesAtOnce) {
  zvtest::RegistrySettings stored;
  zvtest::SettingsPlayer player(language_.get(), stored.settings.get());
  std::wstring resolution;
  bool toolBarAtTop = true, toolBarBelowVideo = false;
  DWORD priority = 0;
  int languageId = 0;
  std::map<std::wstring, std::optional<zvtest::RegistryValue>> values;
  const wchar_t* names[] = {L"SingleInstanceMode", L"DeactivatePowerManagement", L"ToolBarPos", L"ProcessPriority",
                            L"ScreenshotFileType", L"KeepWindowSize", L"KeepWindowPos", L"CenterWindow",
                            L"StartFullscreen", L"StartMediaAutomatically", L"JumpToLastPosition", L"PlaybackDelay",
                            L"JumpingRange", L"EnableSubtitlesByDefault", L"VideoRenderer", L"DisplaySettings",
                            L"DisplayDevice", L"DisplayDeviceStartup", L"LanguageType", L"LanguageResource",
                            L"ScreenshotDirectory", L"Volume"};
  StepRunner steps;
  steps.When([&] { return player.up && IsWindowVisible(player.hwnd()); },
             [&] { zvtest::PostSettingsCommand(player.hwnd()); })
      .When(DialogUp,
            [&] {
              HWND dialog = zvtest::FindSettingsDialog();
              ChangeEverything(dialog, &resolution);
              // Meanwhile the player changes a value of its own (a remote
              // volume step): OK must not undo it.
              stored.settings->Volume = -2500;
              zvtest::PressButton(dialog, IDC_BUTTON_OK);
            })
      .When([&] { return !zvtest::FindSettingsDialog() && zvtest::SettingsValue(L"JumpingRange"); },
            [&] {
              for (const wchar_t* name : names) values[name] = zvtest::SettingsValue(name);
              toolBarAtTop = player.ToolBar().AtTop();
              RECT bar{}, area = player.VideoAreaRect();
              GetWindowRect(player.ToolBar().hwnd(), &bar);
              MapWindowPoints(nullptr, player.hwnd(), reinterpret_cast<POINT*>(&bar), 2);
              toolBarBelowVideo = bar.top >= area.bottom;
              priority = GetPriorityClass(GetCurrentProcess());
              languageId = language_->ResourceId();
              PostMessageW(player.hwnd(), WM_CLOSE, 0, 0);
            });
  RunPlayer(player, steps);

  auto dword = [&](const wchar_t* name) { return values[name] ? values[name]->Dword() : std::nullopt; };
  auto text = [&](const wchar_t* name) { return values[name] ? values[name]->String() : std::nullopt; };
  EXPECT_EQ(dword(L"SingleInstanceMode"), std::optional<DWORD>(0));
  EXPECT_EQ(dword(L"DeactivatePowerManagement"), std::optional<DWORD>(0));
  EXPECT_EQ(dword(L"ToolBarPos"), std::optional<DWORD>(1));
  EXPECT_EQ(dword(L"ProcessPriority"), std::optional<DWORD>(5));
  EXPECT_EQ(text(L"ScreenshotFileType"), std::optional<std::wstring>(L"bmp"));
  EXPECT_EQ(dword(L"KeepWindowSize"), std::optional<DWORD>(0));
  EXPECT_EQ(dword(L"KeepWindowPos"), std::optional<DWORD>(0));
  EXPECT_EQ(dword(L"CenterWindow"), std::optional<DWORD>(1));
  EXPECT_EQ(dword(L"StartFullscreen"), std::optional<DWORD>(1));
  EXPECT_EQ(dword(L"StartMediaAutomatically"), std::optional<DWORD>(0));
  EXPECT_EQ(dword(L"JumpToLastPosition"), std::optional<DWORD>(1));
  EXPECT_EQ(dword(L"PlaybackDelay"), std::optional<DWORD>(8));
  EXPECT_EQ(dword(L"JumpingRange"), std::optional<DWORD>(15));
  EXPECT_EQ(dword(L"EnableSubtitlesByDefault"), std::optional<DWORD>(1));
  EXPECT_EQ(text(L"VideoRenderer"), std::optional<std::wstring>(L"Video Renderer"));
  EXPECT_EQ(text(L"DisplaySettings"), std::optional<std::wstring>(resolution));
  EXPECT_EQ(text(L"DisplayDevice"), std::optional<std::wstring>(L"Current"));
  EXPECT_EQ(text(L"DisplayDeviceStartup"), std::optional<std::wstring>(L"Current"));
  EXPECT_EQ(dword(L"LanguageType"), std::optional<DWORD>(0));
  EXPECT_EQ(text(L"LanguageResource"), std::optional<std::wstring>(L"IDR_LNG_GERMAN"));
  EXPECT_EQ(text(L"ScreenshotDirectory"), std::optional<std::wstring>(L""));
  EXPECT_EQ(dword(L"Volume"), std::optional<DWORD>(7500));
  // Applied at once: the toolbar moved, the priority changed, the language
  // was loaded, the resolution was parsed.
  EXPECT_FALSE(toolBarAtTop);
  EXPECT_TRUE(toolBarBelowVideo);
  EXPECT_EQ(priority, static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(languageId, zvtest::kGerman);
  EXPECT_GT(stored.settings->DisplayWidth, 0);
  EXPECT_GT(stored.settings->DisplayHeight, 0);
}

TEST_F(SettingsCommand, CancelLeavesTheRegistryByteForByteAndThePlayerAsItWas) {
  zvtest::RegistrySettings stored;
  stored.settings->Save();
  const std::string before = zvtest::ExportProgramKey();
  ASSERT_NE(before.find("JumpingRange"), std::string::npos) << before;
  zvtest::SettingsPlayer player(language_.get(), stored.settings.get());
  std::string after;
  int jumpingRange = 0, languageId = 0;
  bool toolBarAtTop = false;
  DWORD priority = 0;
  StepRunner steps;
  steps.When([&] { return player.up && IsWindowVisible(player.hwnd()); },
             [&] { zvtest::PostSettingsCommand(player.hwnd()); })
      .When(DialogUp,
            [&] {
              HWND dialog = zvtest::FindSettingsDialog();
              ChangeEverything(dialog);
              zvtest::PressButton(dialog, IDC_BUTTON_ABBRECHEN);
            })
      .When([&] { return !zvtest::FindSettingsDialog(); },
            [&] {
              after = zvtest::ExportProgramKey();
              jumpingRange = stored.settings->JumpingRange;
              toolBarAtTop = player.ToolBar().AtTop();
              priority = GetPriorityClass(GetCurrentProcess());
              languageId = language_->ResourceId();
              PostMessageW(player.hwnd(), WM_CLOSE, 0, 0);
            });
  RunPlayer(player, steps);
  EXPECT_EQ(after, before);
  EXPECT_EQ(jumpingRange, 10);
  EXPECT_TRUE(toolBarAtTop);
  EXPECT_EQ(priority, static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(languageId, zvtest::kEnglish);
  for (int flag : {stored.settings->GeneralChanged, stored.settings->VideoChanged, stored.settings->LanguageChanged})
    EXPECT_EQ(flag, 0);
}

TEST_F(SettingsCommand, ANewRendererTakesEffectAtTheNextOpenAndDontChangeIsStoredAsCurrent) {
  zvtest::RegistrySettings stored;
  stored.settings->VideoRenderer = u"Video Mixing Renderer 9";
  stored.settings->DisplaySettings = u"640 x 480";
  zvtest::SettingsPlayer player(language_.get(), stored.settings.get());
  std::wstring first, stillOpen, next;
  std::optional<std::wstring> storedRenderer, storedResolution;
  bool opened = false;
  StepRunner steps;
  steps.When([&] { return player.up && IsWindowVisible(player.hwnd()); },
             [&] {
               opened = player.OpenMediaFile(zvtest::MediaPath(L"v.avi"));
               if (player.FileMedia()) first = player.FileMedia()->RendererName();
               zvtest::PostSettingsCommand(player.hwnd());
             })
      .When(DialogUp,
            [&] {
              HWND dialog = zvtest::FindSettingsDialog();
              HWND page = SelectPage(dialog, kVideo);
              zvtest::Choose(page, IDC_VIDEO_RENDERER, 1);
              zvtest::Choose(page, IDC_DISPLAYSETTINGS, 0);
              zvtest::PressButton(dialog, IDC_BUTTON_OK);
            })
      .When([&] { return !zvtest::FindSettingsDialog(); },
            [&] {
              storedRenderer = zvtest::SettingsValue(L"VideoRenderer")->String();
              storedResolution = zvtest::SettingsValue(L"DisplaySettings")->String();
              if (player.FileMedia()) stillOpen = player.FileMedia()->RendererName();
              player.CloseMedia(false);
              player.OpenMediaFile(zvtest::MediaPath(L"v.avi"));
              if (player.FileMedia()) next = player.FileMedia()->RendererName();
              player.CloseMedia(false);
              PostMessageW(player.hwnd(), WM_CLOSE, 0, 0);
            });
  RunPlayer(player, steps);
  EXPECT_TRUE(opened);
  EXPECT_EQ(first, L"Video Mixing Renderer 9");
  EXPECT_EQ(stillOpen, L"Video Mixing Renderer 9") << "the open media keep their renderer";
  EXPECT_EQ(next, L"Video Renderer");
  EXPECT_EQ(storedRenderer, std::optional<std::wstring>(L"Video Renderer"));
  EXPECT_EQ(storedResolution, std::optional<std::wstring>(L"Current"));
  EXPECT_EQ(stored.settings->DisplayWidth, 0);
}

TEST_F(SettingsCommand, InFullscreenTheDialogComesAboveTheVideoWithTheCursor) {
  zvtest::RegistrySettings stored;
  stored.settings->VideoRenderer = u"Video Renderer";
  zvtest::SettingsPlayer player(language_.get(), stored.settings.get());
  bool fullscreen = false, topmost = false, cursor = false, stillFullscreen = false;
  StepRunner steps;
  steps.When([&] { return player.up && IsWindowVisible(player.hwnd()); },
             [&] {
               player.OpenMediaFile(zvtest::MediaPath(L"v.avi"));
               player.EnterFullscreen();
               fullscreen = player.IsFullscreen();
               zvtest::PostSettingsCommand(player.hwnd());
             })
      .When(DialogUp,
            [&] {
              HWND dialog = zvtest::FindSettingsDialog();
              topmost = (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
              CURSORINFO info{};
              info.cbSize = sizeof(info);
              cursor = GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
              zvtest::PressButton(dialog, IDC_BUTTON_ABBRECHEN);
            })
      .When([&] { return !zvtest::FindSettingsDialog(); },
            [&] {
              stillFullscreen = player.IsFullscreen();
              player.LeaveFullscreen();
              player.CloseMedia(false);
              PostMessageW(player.hwnd(), WM_CLOSE, 0, 0);
            });
  RunPlayer(player, steps);
  EXPECT_TRUE(fullscreen);
  EXPECT_TRUE(topmost);
  EXPECT_TRUE(cursor);
  EXPECT_TRUE(stillFullscreen);
}

TEST_F(SettingsCommand, SwitchingPowerManagementOffWhileAVideoPlaysGivesTheScreenSaverBack) {
  BOOL saverBefore = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &saverBefore, 0);
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
  zvtest::RegistrySettings stored;
  stored.settings->VideoRenderer = u"Video Renderer";
  zvtest::SettingsPlayer player(language_.get(), stored.settings.get());
  BOOL whilePlaying = TRUE, afterOk = FALSE;
  StepRunner steps;
  steps.When([&] { return player.up && IsWindowVisible(player.hwnd()); },
             [&] {
               player.OpenMediaFile(zvtest::MediaPath(L"v.avi"));
               player.Play();
             })
      .When([&] { return player.GetPlayState() == kPlayPlaying; },
            [&] {
              SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &whilePlaying, 0);
              zvtest::PostSettingsCommand(player.hwnd());
            })
      .When(DialogUp,
            [&] {
              HWND dialog = zvtest::FindSettingsDialog();
              zvtest::Click(zvtest::CurrentPageOf(dialog), IDC_GENERAL_POWER);
              zvtest::PressButton(dialog, IDC_BUTTON_OK);
            })
      .When([&] { return !zvtest::FindSettingsDialog(); },
            [&] {
              SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &afterOk, 0);
              player.CloseMedia(false);
              PostMessageW(player.hwnd(), WM_CLOSE, 0, 0);
            });
  RunPlayer(player, steps);
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, saverBefore, nullptr, 0);
  EXPECT_FALSE(whilePlaying) << "a playing video keeps the screen saver off";
  EXPECT_TRUE(afterOk);
  EXPECT_EQ(stored.settings->DeactivatePowerManagement, 0);
}
