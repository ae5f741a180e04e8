// The settings dialog in this process: its tree, title line and page area,
// every control of the pages against the working copy, and damaged values.
#include "framework/WideString.h"
#include "res/resource.h"
#include "settings/SettingsDialog.h"
#include "system/AssociationService.h"
#include "tests/win/settings/SettingsTestSupport.h"
#include "tests/win/support/ScreenCapture.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>


using zvtest::ScreenPixel;
using zvtest::StepRunner;

namespace {

struct Node {
  std::wstring text;
  bool expanded;
  std::vector<Node> children;
};

std::vector<Node> TreeOf(HWND tree, HTREEITEM first) {
  std::vector<Node> nodes;
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
    wchar_t text[128] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT | TVIF_STATE;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = 128;
    data.stateMask = TVIS_EXPANDED;
    TreeView_GetItem(tree, &data);
    nodes.push_back({text, (data.state & TVIS_EXPANDED) != 0, TreeOf(tree, TreeView_GetChild(tree, item))});
  }
  return nodes;
}

RECT RectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class SettingsDialog : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    english_ = zvtest::BuiltInLanguage(zvtest::kEnglish);
  }
  void TearDown() override { CoUninitialize(); }

  // Runs the dialog on player settings with the steps; the first step waits
  // until the dialog is painted.
  INT_PTR Run(CSettingsDialog& dialog, StepRunner& steps) {
    steps.Start();
    const INT_PTR result = dialog.DoModal();
    EXPECT_TRUE(steps.Finished()) << steps.Failure();
    return result;
  }
  static bool Painted(CSettingsDialog& dialog) {
    return dialog.hwnd() && zvtest::SettingsDialogPainted(dialog.hwnd());
  }

  std::unique_ptr<LanguageTable> english_;
};

}  // namespace

TEST_F(SettingsDialog, OpensOnGeneralWithItsTreeTitleLineAndPageArea) {
  CSettings player(0);
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  std::vector<Node> nodes;
  std::wstring title, caption, ok, cancel;
  RECT page{}, expectedPage{};
  COLORREF titleBackground = 0;
  bool whiteText = false;
  HWND generalPage = nullptr;
  bool focusInTree = false;
  StepRunner steps;
  steps.When([&] { return Painted(dialog); },
             [&] {
               HWND tree = dialog.Item(IDC_TREE_SETTINGS);
               nodes = TreeOf(tree, TreeView_GetRoot(tree));
               title = zvtest::TextOf(dialog.Item(IDC_TXT_CATEGORY));
               caption = dialog.GetText();
               ok = zvtest::TextOf(dialog.Item(IDC_BUTTON_OK));
               cancel = zvtest::TextOf(dialog.Item(IDC_BUTTON_ABBRECHEN));
               focusInTree = GetFocus() == tree;
               generalPage = zvtest::CurrentPageOf(dialog.hwnd());
               page = RectIn(generalPage, dialog.hwnd());
               const RECT treeRect = RectIn(tree, dialog.hwnd());
               const RECT titleRect = RectIn(dialog.Item(IDC_TXT_CATEGORY), dialog.hwnd());
               expectedPage = {titleRect.left, titleRect.bottom, titleRect.right,
                               titleRect.bottom + (treeRect.bottom - treeRect.top) -
                                   (titleRect.bottom - titleRect.top)};
               // The title line: its colour at the right end, white letters at the left.
               RECT screen{};
               GetWindowRect(dialog.Item(IDC_TXT_CATEGORY), &screen);
               titleBackground = ScreenPixel({screen.right - 3, (screen.top + screen.bottom) / 2});
               for (int x = screen.left; x < screen.left + 80 && !whiteText; ++x)
                 for (int y = screen.top; y < screen.bottom && !whiteText; ++y)
                   whiteText = ScreenPixel({x, y}) == RGB(255, 255, 255);
               zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_ABBRECHEN);
             });
  EXPECT_EQ(Run(dialog, steps), IDCANCEL);

  ASSERT_EQ(nodes.size(), 7u);
  const wchar_t* roots[] = {L"General", L"Video", L"Language", L"File Associations", L"Playback", L"DVD",
                            L"Streaming"};
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(nodes[i].text, roots[i]);
  ASSERT_EQ(nodes[3].children.size(), 3u);
  EXPECT_EQ(nodes[3].children[0].text, L"Video");
  EXPECT_EQ(nodes[3].children[1].text, L"Audio");
  EXPECT_EQ(nodes[3].children[2].text, L"Playlists");
  EXPECT_TRUE(nodes[3].expanded);
  ASSERT_EQ(nodes[6].children.size(), 2u);
  EXPECT_EQ(nodes[6].children[0].text, L"Dreambox");
  EXPECT_EQ(nodes[6].children[1].text, L"VDR");
  EXPECT_TRUE(nodes[6].expanded);
  for (size_t i : {0u, 1u, 2u, 4u, 5u}) EXPECT_TRUE(nodes[i].children.empty());

  EXPECT_EQ(title, L" General");
  EXPECT_EQ(caption, L"Settings");
  EXPECT_EQ(ok, L"&OK");
  EXPECT_EQ(cancel, L"&Cancel");
  EXPECT_TRUE(focusInTree);
  EXPECT_NE(generalPage, nullptr);
  EXPECT_EQ(page.left, expectedPage.left);
  EXPECT_EQ(page.top, expectedPage.top);
  EXPECT_EQ(page.right, expectedPage.right);
  EXPECT_EQ(page.bottom, expectedPage.bottom);
  EXPECT_EQ(titleBackground, RGB(10, 95, 232));
  EXPECT_TRUE(whiteText);
}

TEST_F(SettingsDialog, NodesWithoutAPageKeepThePageAndTheReceiverPagesAreEmpty) {
  CSettings player(0);
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  std::wstring playbackTitle, afterStreaming, audioTitle, dreamboxTitle, languageTitle;
  HWND playbackPage = nullptr, afterStreamingPage = nullptr, audioPage = nullptr, dreamboxPage = nullptr;
  HWND dreamboxChild = reinterpret_cast<HWND>(1);
  int languageRows = 0, selectedLanguage = -2;
  auto title = [&] { return zvtest::TextOf(dialog.Item(IDC_TXT_CATEGORY)); };
  StepRunner steps;
  steps.When([&] { return Painted(dialog); },
             [&] {
               zvtest::SelectNode(dialog, CSettingsDialog::kPlayback);
               playbackTitle = title();
               playbackPage = zvtest::CurrentPageOf(dialog.hwnd());
               zvtest::SelectNode(dialog, CSettingsDialog::kStreaming);
               afterStreaming = title();
               afterStreamingPage = zvtest::CurrentPageOf(dialog.hwnd());
               zvtest::SelectNode(dialog, CSettingsDialog::kAudioFiles);
               audioTitle = title();
               audioPage = dialog.CurrentPage() ? dialog.CurrentPage()->hwnd() : nullptr;
               zvtest::SelectNode(dialog, CSettingsDialog::kDreambox);
               dreamboxTitle = title();
               dreamboxPage = zvtest::CurrentPageOf(dialog.hwnd());
               dreamboxChild = GetWindow(dreamboxPage, GW_CHILD);
               zvtest::SelectNode(dialog, CSettingsDialog::kLanguage);
               languageTitle = title();
               HWND list = GetDlgItem(zvtest::CurrentPageOf(dialog.hwnd()), IDC_LANGUAGELIST);
               languageRows = ListView_GetItemCount(list);
               selectedLanguage = ListView_GetNextItem(list, -1, LVNI_SELECTED);
               zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_OK);
             });
  EXPECT_EQ(Run(dialog, steps), IDOK);
  EXPECT_EQ(playbackTitle, L" Playback");
  EXPECT_EQ(afterStreaming, L" Playback");
  EXPECT_EQ(afterStreamingPage, playbackPage);
  EXPECT_NE(playbackPage, nullptr);
  EXPECT_EQ(audioTitle, L" File Associations - Audio");
  EXPECT_EQ(dreamboxTitle, L" Dreambox");
  EXPECT_NE(dreamboxPage, nullptr);
  EXPECT_EQ(dreamboxChild, nullptr) << "the receiver pages have no controls";
  EXPECT_EQ(languageTitle, L" Language");
  EXPECT_GE(languageRows, 2);
  EXPECT_GE(selectedLanguage, 0) << "the active language is selected";
  // Visiting pages changes nothing.
  for (int flag : {player.GeneralChanged, player.VideoChanged, player.PlaybackChanged, player.DvdChanged,
                   player.LanguageChanged, player.FileAssociationsChanged})
    EXPECT_EQ(flag, 0);
}

TEST_F(SettingsDialog, EveryControlShowsTheWorkingCopyAndWritesItBack) {
  CSettings player(0);
  player.SingleInstanceMode = 0;
  player.DeactivatePowerManagement = 0;
  player.ToolBarPos = 1;
  player.ProcessPriority = 4;
  player.ScreenshotDirectory = u"C:\\windows";
  player.ScreenshotFileType = u"bmp";
  player.KeepWindowSize = 0;
  player.KeepWindowPos = 0;
  player.CenterWindow = 1;
  player.StartFullscreen = 1;
  player.StartMediaAutomatically = 0;
  player.JumpToLastPosition = 1;
  player.PlaybackDelay = 9;
  player.JumpingRange = 25;
  player.VideoRenderer = u"Video Mixing Renderer 9";
  player.EnableSubtitlesByDefault = 1;
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  CSettings& copy = dialog.WorkingCopy();

  struct Shown {
    bool instance, power, keepSize, keepPos, center, fullscreen, autostart, lastPos, subtitles;
    std::wstring toolBar, priority, folder, fileType, startMonitor, delay, range, monitor, resolution, renderer;
    std::vector<std::wstring> priorities, toolBars, fileTypes, renderers, monitors, resolutions;
  } shown{};
  std::vector<std::pair<std::string, bool>> checks;
  auto check = [&](const std::string& what, bool ok) { checks.emplace_back(what, ok); };

  StepRunner steps;
  steps.When([&] { return Painted(dialog); }, [&] {
    HWND page = zvtest::CurrentPageOf(dialog.hwnd());
    shown.instance = zvtest::IsChecked(page, IDC_GENERAL_INSTANCE);
    shown.power = zvtest::IsChecked(page, IDC_GENERAL_POWER);
    shown.keepSize = zvtest::IsChecked(page, IDC_GENERAL_KEEP_WINDOW_SIZE);
    shown.keepPos = zvtest::IsChecked(page, IDC_GENERAL_KEEP_WINDOW_POS);
    shown.center = zvtest::IsChecked(page, IDC_GENERAL_CENTER_WINDOW);
    shown.toolBar = zvtest::ListSelectionText(page, IDC_TOOLBARPOS);
    shown.toolBars = zvtest::ListEntries(page, IDC_TOOLBARPOS);
    shown.priority = zvtest::ListSelectionText(page, IDC_PROCESSPRIORITY);
    shown.priorities = zvtest::ListEntries(page, IDC_PROCESSPRIORITY);
    shown.folder = zvtest::TextOf(GetDlgItem(page, IDC_GENERAL_SNAPSHOTDIR));
    shown.fileType = zvtest::ListSelectionText(page, IDC_GENERAL_SNAPSHOTFILETYPE);
    shown.fileTypes = zvtest::ListEntries(page, IDC_GENERAL_SNAPSHOTFILETYPE);
    shown.startMonitor = zvtest::ListSelectionText(page, IDC_GENERAL_DEVICE_DISPLAY_STARTUP);
    shown.monitors = zvtest::ListEntries(page, IDC_GENERAL_DEVICE_DISPLAY_STARTUP);
    check("read-only folder", (GetWindowLongPtrW(GetDlgItem(page, IDC_GENERAL_SNAPSHOTDIR), GWL_STYLE) & ES_READONLY) != 0);

    // Each change writes every value of the page and sets the page's flag.
    zvtest::Click(page, IDC_GENERAL_INSTANCE);
    check("instance", copy.SingleInstanceMode == 1 && copy.GeneralChanged == 1);
    zvtest::Click(page, IDC_GENERAL_POWER);
    check("power", copy.DeactivatePowerManagement == 1);
    zvtest::Click(page, IDC_GENERAL_KEEP_WINDOW_SIZE);
    check("keep size", copy.KeepWindowSize == 1);
    zvtest::Click(page, IDC_GENERAL_KEEP_WINDOW_POS);
    check("keep pos", copy.KeepWindowPos == 1);
    zvtest::Click(page, IDC_GENERAL_CENTER_WINDOW);
    check("center", copy.CenterWindow == 0);
    zvtest::Choose(page, IDC_TOOLBARPOS, 0);
    check("toolbar", copy.ToolBarPos == 0);
    zvtest::Choose(page, IDC_PROCESSPRIORITY, 5);
    check("priority", copy.ProcessPriority == 5);
    zvtest::Choose(page, IDC_GENERAL_SNAPSHOTFILETYPE, 0);
    check("file type", copy.ScreenshotFileType == u"jpg");
    check("folder kept", copy.ScreenshotDirectory == u"C:\\windows");
    copy.GeneralChanged = 0;
    zvtest::Choose(page, IDC_GENERAL_DEVICE_DISPLAY_STARTUP, 1);
    check("start monitor", copy.DisplayDeviceStartup == u"\\\\.\\DISPLAY1" && copy.GeneralChanged == 1);
    zvtest::Choose(page, IDC_GENERAL_DEVICE_DISPLAY_STARTUP, 0);
    check("start monitor current", copy.DisplayDeviceStartup == u"Current");

    zvtest::SelectNode(dialog, CSettingsDialog::kPlayback);
    page = zvtest::CurrentPageOf(dialog.hwnd());
    shown.fullscreen = zvtest::IsChecked(page, IDC_PLAYBACK_FULLSCREEN);
    shown.autostart = zvtest::IsChecked(page, IDC_PLAYBACK_AUTOSTARTVIDEO);
    shown.lastPos = zvtest::IsChecked(page, IDC_PLAYBACK_JUMPTOLASTPOS);
    shown.delay = zvtest::TextOf(GetDlgItem(page, IDC_PLAYBACK_PLAYBACKDELAY));
    shown.range = zvtest::TextOf(GetDlgItem(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE));
    check("playback untouched", copy.PlaybackChanged == 0);
    zvtest::Click(page, IDC_PLAYBACK_FULLSCREEN);
    check("fullscreen", copy.StartFullscreen == 0 && copy.PlaybackChanged == 1);
    zvtest::Click(page, IDC_PLAYBACK_AUTOSTARTVIDEO);
    check("autostart", copy.StartMediaAutomatically == 1);
    zvtest::Click(page, IDC_PLAYBACK_JUMPTOLASTPOS);
    check("last position", copy.JumpToLastPosition == 0);
    zvtest::Type(page, IDC_PLAYBACK_PLAYBACKDELAY, L"12");
    check("delay", copy.PlaybackDelay == 12);
    zvtest::Type(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE, L"40");
    check("range", copy.JumpingRange == 40);

    zvtest::SelectNode(dialog, CSettingsDialog::kVideo);
    page = zvtest::CurrentPageOf(dialog.hwnd());
    shown.monitor = zvtest::ListSelectionText(page, IDC_MONITOR);
    shown.resolution = zvtest::ListSelectionText(page, IDC_DISPLAYSETTINGS);
    shown.resolutions = zvtest::ListEntries(page, IDC_DISPLAYSETTINGS);
    shown.renderer = zvtest::ListSelectionText(page, IDC_VIDEO_RENDERER);
    shown.renderers = zvtest::ListEntries(page, IDC_VIDEO_RENDERER);
    zvtest::Choose(page, IDC_VIDEO_RENDERER, 1);
    check("renderer", copy.VideoRenderer == u"Video Renderer" && copy.VideoChanged == 1);
    zvtest::Choose(page, IDC_VIDEO_RENDERER, 0);
    check("renderer current", copy.VideoRenderer == u"Current");
    zvtest::Choose(page, IDC_MONITOR, 1);
    check("monitor", copy.DisplayDevice == u"\\\\.\\DISPLAY1");
    const int lastResolution = static_cast<int>(zvtest::ListEntries(page, IDC_DISPLAYSETTINGS).size()) - 1;
    zvtest::Choose(page, IDC_DISPLAYSETTINGS, lastResolution);
    check("resolution", copy.DisplaySettings == fw::ToU16(zvtest::ListEntries(page, IDC_DISPLAYSETTINGS).back()));
    zvtest::Choose(page, IDC_DISPLAYSETTINGS, 0);
    check("resolution don't change", copy.DisplaySettings == u"Don't change");
    zvtest::Choose(page, IDC_MONITOR, 0);
    check("monitor current", copy.DisplayDevice == u"Current");

    zvtest::SelectNode(dialog, CSettingsDialog::kDvd);
    page = zvtest::CurrentPageOf(dialog.hwnd());
    shown.subtitles = zvtest::IsChecked(page, IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT);
    zvtest::Click(page, IDC_DVD_ENABLE_SUBTITLES_BY_DEFAULT);
    check("subtitles", copy.EnableSubtitlesByDefault == 0 && copy.DvdChanged == 1);

    zvtest::SelectNode(dialog, CSettingsDialog::kLanguage);
    page = zvtest::CurrentPageOf(dialog.hwnd());
    HWND list = GetDlgItem(page, IDC_LANGUAGELIST);
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = L"Deutsch";
    const int german = ListView_FindItem(list, -1, &find);
    ListView_SetItemState(list, german, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMITEMACTIVATE click{};
    click.hdr = {list, IDC_LANGUAGELIST, static_cast<UINT>(NM_CLICK)};
    click.iItem = german;
    SendMessageW(page, WM_NOTIFY, IDC_LANGUAGELIST, reinterpret_cast<LPARAM>(&click));
    check("language", copy.LanguageResource == u"IDR_LNG_GERMAN" && copy.LanguageChanged == 1);
    check("player untouched before OK", player.JumpingRange == 25 && player.GeneralChanged == 0);
    zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_OK);
  });
  EXPECT_EQ(Run(dialog, steps), IDOK);

  for (const auto& [what, ok] : checks) EXPECT_TRUE(ok) << what;
  EXPECT_FALSE(shown.instance);
  EXPECT_FALSE(shown.power);
  EXPECT_FALSE(shown.keepSize);
  EXPECT_FALSE(shown.keepPos);
  EXPECT_TRUE(shown.center);
  EXPECT_EQ(shown.toolBars, (std::vector<std::wstring>{L"Top", L"Bottom"}));
  EXPECT_EQ(shown.toolBar, L"Bottom");
  EXPECT_EQ(shown.priorities,
            (std::vector<std::wstring>{L"Low", L"Normal", L"High", L"Real time", L"Above normal", L"Below normal"}));
  EXPECT_EQ(shown.priority, L"Above normal");
  EXPECT_EQ(shown.folder, L"C:\\windows");
  EXPECT_EQ(shown.fileTypes, (std::vector<std::wstring>{L"jpg", L"bmp"}));
  EXPECT_EQ(shown.fileType, L"bmp");
  EXPECT_EQ(shown.startMonitor, L"Don't change");
  ASSERT_GE(shown.monitors.size(), 2u);
  EXPECT_EQ(shown.monitors[1], L"\\\\.\\DISPLAY1 (primary) ");
  EXPECT_TRUE(shown.fullscreen);
  EXPECT_FALSE(shown.autostart);
  EXPECT_TRUE(shown.lastPos);
  EXPECT_EQ(shown.delay, L"9");
  EXPECT_EQ(shown.range, L"25");
  EXPECT_EQ(shown.monitor, L"Don't change");
  EXPECT_EQ(shown.resolution, L"Don't change");
  ASSERT_GE(shown.resolutions.size(), 2u) << "the current mode at least";
  EXPECT_EQ(shown.renderers, (std::vector<std::wstring>{L"Default video renderer", L"Video Renderer",
                                                        L"Video Mixing Renderer 7", L"Video Mixing Renderer 9",
                                                        L"Enhanced Video Renderer"}));
  EXPECT_EQ(shown.renderer, L"Video Mixing Renderer 9");
  EXPECT_TRUE(shown.subtitles);

  // OK handed the copy back, change flags included.
  EXPECT_EQ(player.SingleInstanceMode, 1);
  EXPECT_EQ(player.ProcessPriority, 5);
  EXPECT_EQ(player.JumpingRange, 40);
  EXPECT_EQ(player.PlaybackDelay, 12);
  EXPECT_EQ(player.EnableSubtitlesByDefault, 0);
  EXPECT_EQ(player.LanguageResource, u"IDR_LNG_GERMAN");
  EXPECT_EQ(player.DisplaySettings, u"Don't change");
  for (int flag : {player.GeneralChanged, player.VideoChanged, player.PlaybackChanged, player.DvdChanged,
                   player.LanguageChanged})
    EXPECT_EQ(flag, 1);
  EXPECT_EQ(player.FileAssociationsChanged, 0);
}

TEST_F(SettingsDialog, TypedNumbersAreClampedAndShownAsStoredWhenLeft) {
  CSettings player(0);
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  CSettings& copy = dialog.WorkingCopy();
  std::vector<std::pair<std::string, bool>> checks;
  auto check = [&](const std::string& what, bool ok) { checks.emplace_back(what, ok); };
  std::wstring delayAfterLeaving, rangeAfterLeaving;
  StepRunner steps;
  steps.When([&] { return Painted(dialog); }, [&] {
    zvtest::SelectNode(dialog, CSettingsDialog::kPlayback);
    HWND page = zvtest::CurrentPageOf(dialog.hwnd());
    zvtest::Type(page, IDC_PLAYBACK_PLAYBACKDELAY, L"-3");
    check("delay -3", copy.PlaybackDelay == 0);
    zvtest::Type(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE, L"0");
    check("range 0", copy.JumpingRange == 1);
    zvtest::Type(page, IDC_PLAYBACK_PLAYBACKDELAY, L"abc");
    check("delay abc", copy.PlaybackDelay == 0);
    zvtest::Type(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE, L"");
    check("range empty", copy.JumpingRange == 1);
    zvtest::Type(page, IDC_PLAYBACK_PLAYBACKDELAY, L"99999999999999");
    check("delay huge", copy.PlaybackDelay == INT32_MAX);
    zvtest::Type(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE, L"-99999999999999");
    check("range huge negative", copy.JumpingRange == 1);
    zvtest::Type(page, IDC_PLAYBACK_PLAYBACKDELAY, L"-3");
    // Leaving the edits shows what was stored.
    SetFocus(GetDlgItem(page, IDC_PLAYBACK_PLAYBACKDELAY));
    SetFocus(GetDlgItem(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE));
    SetFocus(dialog.Item(IDC_TREE_SETTINGS));
    delayAfterLeaving = zvtest::TextOf(GetDlgItem(page, IDC_PLAYBACK_PLAYBACKDELAY));
    rangeAfterLeaving = zvtest::TextOf(GetDlgItem(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE));
    zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_OK);
  });
  EXPECT_EQ(Run(dialog, steps), IDOK);
  for (const auto& [what, ok] : checks) EXPECT_TRUE(ok) << what;
  EXPECT_EQ(delayAfterLeaving, L"0");
  EXPECT_EQ(rangeAfterLeaving, L"1");
  EXPECT_EQ(player.PlaybackDelay, 0);
  EXPECT_EQ(player.JumpingRange, 1);
}

// Damaged registry values: of the wrong type the store keeps its defaults;
// out of range the pages show (and OK stores) what the controls can show.
TEST_F(SettingsDialog, DamagedRegistryValuesShowAsDefaultsAndOkStoresWhatWasShown) {
  zvtest::DeleteProgramRegistry();
  zvtest::WriteSettingsString(L"SingleInstanceMode", L"0");
  zvtest::WriteSettingsString(L"JumpingRange", L"30");
  zvtest::WriteSettingsDword(L"PlaybackDelay", 0xFFFFFFFDu);
  zvtest::WriteSettingsDword(L"ProcessPriority", 99);
  zvtest::WriteSettingsDword(L"ToolBarPos", 7);
  zvtest::WriteSettingsDword(L"CenterWindow", 5);
  zvtest::WriteSettingsDword(L"VideoRenderer", 3);
  zvtest::WriteSettingsString(L"ScreenshotFileType", L"JPG");
  zvtest::WriteSettingsString(L"DisplaySettings", L"1280x1024");
  {
    zvtest::RegistrySettings stored;
    CSettingsDialog dialog(english_.get(), stored.settings.get(), nullptr);
    bool instance = false, center = false;
    std::wstring priority, toolBar, fileType, delay, range, renderer, resolution;
    StepRunner steps;
    steps.When([&] { return Painted(dialog); }, [&] {
      HWND page = zvtest::CurrentPageOf(dialog.hwnd());
      instance = zvtest::IsChecked(page, IDC_GENERAL_INSTANCE);
      center = zvtest::IsChecked(page, IDC_GENERAL_CENTER_WINDOW);
      priority = zvtest::ListSelectionText(page, IDC_PROCESSPRIORITY);
      toolBar = zvtest::ListSelectionText(page, IDC_TOOLBARPOS);
      fileType = zvtest::ListSelectionText(page, IDC_GENERAL_SNAPSHOTFILETYPE);
      zvtest::SelectNode(dialog, CSettingsDialog::kPlayback);
      page = zvtest::CurrentPageOf(dialog.hwnd());
      delay = zvtest::TextOf(GetDlgItem(page, IDC_PLAYBACK_PLAYBACKDELAY));
      range = zvtest::TextOf(GetDlgItem(page, IDC_PLAYBACK_EDIT_JUMPINGRANGE));
      zvtest::SelectNode(dialog, CSettingsDialog::kVideo);
      page = zvtest::CurrentPageOf(dialog.hwnd());
      renderer = zvtest::ListSelectionText(page, IDC_VIDEO_RENDERER);
      resolution = zvtest::ListSelectionText(page, IDC_DISPLAYSETTINGS);
      zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_OK);
    });
    EXPECT_EQ(Run(dialog, steps), IDOK);
    EXPECT_TRUE(instance);
    EXPECT_TRUE(center);
    EXPECT_EQ(priority, L"Normal");
    EXPECT_EQ(toolBar, L"Top");
    EXPECT_EQ(fileType, L"jpg");
    EXPECT_EQ(delay, L"0");
    EXPECT_EQ(range, L"10");
    EXPECT_EQ(renderer, L"Default video renderer");
    EXPECT_EQ(resolution, L"Don't change");
    stored.settings->Save();
  }
  EXPECT_EQ(zvtest::SettingsValue(L"SingleInstanceMode")->Dword(), std::optional<DWORD>(1));
  EXPECT_EQ(zvtest::SettingsValue(L"PlaybackDelay")->Dword(), std::optional<DWORD>(0));
  EXPECT_EQ(zvtest::SettingsValue(L"JumpingRange")->Dword(), std::optional<DWORD>(10));
  EXPECT_EQ(zvtest::SettingsValue(L"ProcessPriority")->Dword(), std::optional<DWORD>(1));
  EXPECT_EQ(zvtest::SettingsValue(L"ToolBarPos")->Dword(), std::optional<DWORD>(0));
  EXPECT_EQ(zvtest::SettingsValue(L"CenterWindow")->Dword(), std::optional<DWORD>(1));
  EXPECT_EQ(zvtest::SettingsValue(L"VideoRenderer")->String(), std::optional<std::wstring>(L"Current"));
  EXPECT_EQ(zvtest::SettingsValue(L"ScreenshotFileType")->String(), std::optional<std::wstring>(L"jpg"));
  zvtest::DeleteProgramRegistry();
}

namespace {

// The platform's association service as Windows offers it: Wine has the
// object without its methods, so the program treats it as absent there.
class AnsweringAssociationService : public IApplicationAssociationRegistration {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryCurrentDefault(LPCWSTR, ASSOCIATIONTYPE, ASSOCIATIONLEVEL, LPWSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE QueryAppIsDefault(LPCWSTR, ASSOCIATIONTYPE, ASSOCIATIONLEVEL, LPCWSTR,
                                              BOOL* isDefault) override {
    *isDefault = FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryAppIsDefaultAll(ASSOCIATIONLEVEL, LPCWSTR, BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetAppAsDefault(LPCWSTR, LPCWSTR, ASSOCIATIONTYPE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetAppAsDefaultAll(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClearUserAssociations() override { return E_NOTIMPL; }
};

}  // namespace

TEST_F(SettingsDialog, TheShieldAppearsOnOkOnlyOnceAssociationsChangedAndOnlyWithTheService) {
  AnsweringAssociationService service;
  for (const bool withService : {true, false}) {
    SCOPED_TRACE(withService ? "with the service" : "without the service");
    zv::SetProcessAssociationService(withService ? &service : nullptr);
    CSettings player(0);
    CSettingsDialog dialog(english_.get(), &player, nullptr);
    bool shieldBefore = true;
    bool shown = false;
    ULONGLONG changedAt = 0;
    StepRunner steps;
    steps.When([&] { return Painted(dialog); },
               [&] {
                 shieldBefore = dialog.ShieldShown();
                 dialog.WorkingCopy().FileAssociationsChanged = 1;
                 changedAt = GetTickCount64();
               });
    if (withService) {
      steps.When([&] { return dialog.ShieldShown(); }, [&] { shown = true; });
    } else {
      // Ten periods of the 40 ms timer without the shield.
      steps.When([&] { return dialog.ShieldShown() || GetTickCount64() - changedAt > 400; },
                 [&] { shown = dialog.ShieldShown(); });
    }
    steps.Then([&] { zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_ABBRECHEN); });
    EXPECT_EQ(Run(dialog, steps), IDCANCEL);
    EXPECT_FALSE(shieldBefore);
    EXPECT_EQ(shown, withService);
    EXPECT_EQ(player.FileAssociationsChanged, 0) << "cancel hands nothing back";
  }
  zv::SetProcessAssociationService(nullptr);
}

namespace {

struct Found {
  HWND except;
  HWND found = nullptr;
};

BOOL CALLBACK FindOtherDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Found*>(data);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (window != search->except && std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A dialog of this thread other than the settings dialog: the folder
// chooser or a message box.
HWND OtherDialog(HWND settings) {
  Found search{settings};
  EnumThreadWindows(GetCurrentThreadId(), FindOtherDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

// The folder chooser gives existing folders only; one that has gone away by
// the time it is taken (as a share that cannot be reached, or a name that
// is a file) gets a message and is not stored.
TEST_F(SettingsDialog, TheScreenshotFolderTakesOnlyAReachableFolderThatDiffers) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"zv-shots";
  const std::wstring gone = std::wstring(temp) + L"zv-shots-gone";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW(gone.c_str(), nullptr);
  CSettings player(0);
  player.ScreenshotDirectory = u"C:\\windows";
  CSettingsDialog dialog(english_.get(), &player, nullptr);
  CSettings& copy = dialog.WorkingCopy();
  std::wstring chooserTitle, message, afterGone, afterChosen, afterSame;
  int flagAfterGone = -1, flagAfterSame = -1;
  auto page = [&] { return zvtest::CurrentPageOf(dialog.hwnd()); };
  auto folderText = [&] { return zvtest::TextOf(GetDlgItem(page(), IDC_GENERAL_SNAPSHOTDIR)); };
  auto chooser = [&] { return OtherDialog(dialog.hwnd()); };
  // Picks a folder in the chooser as a click in its tree would.
  auto pick = [&](const std::wstring& path) {
    SendMessageW(chooser(), BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
  };
  // The chooser shows the name of its selection once it has gone there. It
  // fills its tree as it goes, so a selection asked for early may not take:
  // asked again every half second.
  ULONGLONG lastPick = 0;
  auto picked = [&](const std::wstring& path, const wchar_t* name) {
    HWND box = chooser();
    for (HWND child = box ? GetWindow(box, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
      if (zvtest::TextOf(child) == name) return true;
    if (box && GetTickCount64() - lastPick > 500) {
      lastPick = GetTickCount64();
      pick(path);
    }
    return false;
  };
  StepRunner steps;
  steps.When([&] { return Painted(dialog); }, [&] { zvtest::PressButton(page(), IDC_GENERAL_SELECTDIR); })
      .When([&] { return chooser() != nullptr; },
            [&] {
              HWND box = chooser();
              for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (zvtest::TextOf(child) == L"Select the folder for screenshots") chooserTitle = zvtest::TextOf(child);
            })
      .When([&] { return picked(gone, L"zv-shots-gone"); },
            [&] {
              RemoveDirectoryW(gone.c_str());
              PostMessageW(chooser(), WM_COMMAND, IDOK, 0);
            })
      .When([&] { HWND box = chooser(); return box && zvtest::TextOf(box) == L"Error"; },
            [&] {
              for (HWND child = GetWindow(chooser(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                message += zvtest::TextOf(child) + L"|";
              PostMessageW(chooser(), WM_COMMAND, IDOK, 0);
            })
      .When([&] { return chooser() == nullptr; },
            [&] {
              afterGone = folderText();
              flagAfterGone = copy.GeneralChanged;
              zvtest::PressButton(page(), IDC_GENERAL_SELECTDIR);
            })
      .When([&] { return picked(folder, L"zv-shots"); }, [&] { PostMessageW(chooser(), WM_COMMAND, IDOK, 0); })
      .When([&] { return chooser() == nullptr && folderText() != L"C:\\windows"; },
            [&] {
              afterChosen = folderText();
              copy.GeneralChanged = 0;
              zvtest::PressButton(page(), IDC_GENERAL_SELECTDIR);
            })
      .When([&] { return picked(folder, L"zv-shots"); }, [&] { PostMessageW(chooser(), WM_COMMAND, IDOK, 0); })
      .When([&] { return chooser() == nullptr; },
            [&] {
              afterSame = folderText();
              flagAfterSame = copy.GeneralChanged;
              zvtest::PressButton(dialog.hwnd(), IDC_BUTTON_OK);
            });
  EXPECT_EQ(Run(dialog, steps), IDOK);
  RemoveDirectoryW(folder.c_str());
  EXPECT_EQ(chooserTitle, L"Select the folder for screenshots");
  EXPECT_NE(message.find(L"cannot be used for screenshots"), std::wstring::npos) << fw::WideToUtf8(message);
  EXPECT_NE(message.find(gone), std::wstring::npos) << fw::WideToUtf8(message);
  EXPECT_EQ(afterGone, L"C:\\windows");
  EXPECT_EQ(flagAfterGone, 0);
  EXPECT_TRUE(fw::EqualsNoCase(afterChosen, folder)) << fw::WideToUtf8(afterChosen);
  EXPECT_EQ(afterSame, afterChosen);
  EXPECT_EQ(flagAfterSame, 0) << "the same folder again changes nothing";
  EXPECT_EQ(player.ScreenshotDirectory, fw::ToU16(afterChosen));
  EXPECT_EQ(player.GeneralChanged, 0);
}
