#pragma once
// The player window: the program's main window, a dialog of class
// "ZentravueClass" run modally by the application. One class, split by
// concern over several files:
//   ZentravueDlg.cpp       construction, initialisation, paint, close, system commands
//   PlayerHandOver.cpp     the receiving side of the single-instance hand-over
//   PlayerCommandLine.cpp  applying the command-line options
//   PlayerTransport.cpp    play, pause, stop, jumps, marks, loop, rate, volume,
//                          position bar, clock timer, title, playlist navigation
//   PlayerOpening.cpp      opening media, playlists from names, close, save a copy,
//                          recent media and resume positions
//   PlayerEvents.cpp       graph events and the end of media
//   PlayerLayout.cpp       video area, bar row, sizing to the video, idle layout,
//                          fullscreen, centring, start position
//   PlayerMenus.cpp        menus: loading, both-menu item states, recent sub-menu
//   PlayerSettings.cpp     the settings command and applying its changes
//   PlayerSystem.cpp       shell registration at start, the update command
//   PlayerDvd.cpp          DVDs: opening, disc menu and folder dialog, navigation
//                          commands, permitted operations, menu buttons by mouse
//   PlayerTranslation.cpp  translating menus and toolbar, language changes, menu drawing
//   PlayerPlaylistWindow.cpp  the playlist window and the playlist menu commands
//   PlayerBusy.cpp         the busy guard of opening and closing
//   PlayerHelp.cpp         Help > About and Donate
//   PlayerStreaming.cpp    the streaming command (a stream address typed in)
//   PlayerInput.cpp        keys (message pre-filter, key map, Ctrl held), wheel,
//                          mouse buttons in the video area, context menu
//   PlayerRemote.cpp       the remote-control message: commands and queries
//   PlayerShutdown.cpp     shutdown after playback, playback delay
#include "app/CmdLineInfo.h"
#include "app/WinRegistry.h"
#include "framework/ComPtr.h"
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "framework/MenuColumns.h"
#include "image/PixelImage.h"
#include "lang/PopupMenu.h"
#include "media/VideoPlacement.h"
#include "player/ImageButton.h"
#include "player/LayoutMath.h"
#include "player/PlayerBusy.h"
#include "player/ToolBar.h"
#include "player/ToolBarButtons.h"
#include "player/ToolBarImages.h"
#include "player/ZentSliderCtrl.h"

#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAudioSettingsDlg;
class CCodecDialog;
class CDebugDlg;
class CDirectShow;
class CDVD;
class CMedia;
class CPlaylist;
class CPlaylistDlg;
class CSettings;
class LanguageTable;
class VideoFile;
struct ITaskbarList3;

namespace zv {
class RecentMedia;
}
class CZentravueDlg;

// Answers one registered message of the player window on behalf of a
// program that embeds the window (a test program asks about the window's
// state this way). The shipped program installs none. The message is
// refused (answer 0) while the window is busy.
class PlayerMessageHook {
 public:
  virtual ~PlayerMessageHook() = default;
  virtual UINT Message() const = 0;
  virtual LRESULT Answer(CZentravueDlg& player, WPARAM wParam, LPARAM lParam) = 0;
};

// Play state of the window.
enum PlayState : int { kPlayStopped = 0, kPlayPaused = 1, kPlayPlaying = 2 };

class CZentravueDlg : public fw::Dialog {
 public:
  // The command-line record, the language and the settings are borrowed from
  // the application; a window made without them (tests) keeps its own.
  CZentravueDlg(HWND parent, CCmdLineInfo* cmdLine = nullptr, LanguageTable* language = nullptr,
                CSettings* settings = nullptr);
  ~CZentravueDlg() override;

  CDebugDlg* TraceLog() const { return debugDlg_.get(); }
  CCmdLineInfo& CommandLine() { return *cmdLine_; }
  CSettings& Settings() { return *settings_; }
  CPlaylist& Playlist() { return *playlist_; }
  CMedia* CurrentMedia() const { return currentMedia_; }
  VideoFile* FileMedia() const { return fileMedia_; }
  CDVD* DvdMedia() const { return dvdMedia_; }
  int GetPlayState() const { return playState_; }
  bool IsLooping() const { return loop_; }
  int MarkStart() const { return markStart_; }
  int MarkEnd() const { return markEnd_; }
  bool InEndOfMedia() const { return inEndOfMedia_; }
  bool IsFullscreen() const { return fullscreen_; }
  HMENU MainMenu() const { return mainMenu_; }
  HMENU ContextMenu() const { return contextMenu_; }
  HWND StatusBar() const { return statusBar_; }
  CZentSliderCtrl& PositionBar() { return positionBar_; }
  CZentSliderCtrl& VolumeBar() { return volumeBar_; }
  CImageButton& MuteButton() { return muteButton_; }
  CToolBar& ToolBar() { return toolBar_; }
  std::wstring StatusText(int pane) const;

  // For every player window made afterwards; null removes it.
  static void InstallMessageHook(PlayerMessageHook* hook);

  // ---- Busy guard (PlayerBusy.h, PlayerBusy.cpp) ----
  // Busy while media is opened or closed or the window closes: posted work
  // that arrives meanwhile is replayed afterwards, questions from other
  // programs are refused.
  bool IsBusy() const { return busy_.IsBusy(); }
  class BusyScope {
   public:
    explicit BusyScope(CZentravueDlg& player);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    CZentravueDlg& player_;
  };

  // ---- Transport (PlayerTransport.cpp) ----
  void Play();
  void Pause();
  void PlayPauseToggle();
  // Stop, or with rewindToMarkStart only rewind to the mark start.
  void Stop(bool rewindToMarkStart = false);
  void Jump(int direction);
  void JumpToMarkEnd();
  void JumpToMarkStart();
  void SetMarkStart();
  void SetMarkEnd();
  void MarkAll();
  void ToggleLoop();
  void SetLoop(bool on);
  void Faster();
  void Slower();
  void SlowBackwards();
  void FastBackwards();
  void NormalRate();
  void Quieter();
  void Louder();
  void ToggleMute();
  // Moves the volume bar, the mute states and the media to the Volume setting.
  void ApplyVolume();
  void OnPositionBarScroll(int code);
  void OnVolumeBarScroll(int code);
  void OnClockTimer();
  void RestartClockTimer();
  void UpdateTitle();
  void PreviousTitle();
  void NextTitle();
  void FirstTitle();
  void LastTitle();
  void ToggleShuffle();
  // After the playlist changed; with play, also plays the current entry.
  void RefreshPlaylistCommands(bool play = false);

  // ---- Opening (PlayerOpening.cpp) ----
  void OpenCommandLineMedia();
  void CreatePlaylistSingle(const std::wstring& name);
  void CreatePlaylistMultiple(std::vector<std::wstring> names);
  // Entry numbers count from 1; 0 means the current entry.
  void PlayEntry(int entry);
  bool OpenMediaFile(const std::wstring& name);
  void OpenDiscOrFolder(std::wstring path);
  bool OpenAudioTrack(const std::wstring& audioFile);
  void CloseMedia(bool restoreWindow);
  void NeighbourFile(int direction);
  void OnOpenDialog();
  void OnDropFiles(HDROP drop);
  void OnAudioTrackCommand();
  void OnSaveCopy();
  void OnRecentMedia(UINT id);
  void StoreResumePosition();
  void JumpToResumePosition();

  // ---- Events (PlayerEvents.cpp) ----
  void OnGraphEvents();
  void EndOfMedia(bool looping);

  // ---- Layout (PlayerLayout.cpp) ----
  zv::layout::Bars CurrentBars() const;
  // Zoom panes and displayed size after the picture was placed.
  void ShowVideoSize(const zv::ZoomFactors& factors);
  RECT VideoAreaRect() const;
  void RelayoutBarRow();
  // The same, unless the client size and the bars are those of the last
  // layout: then it would move nothing and only repaint the bars.
  void RelayoutBarRowIfMoved();
  void RelayoutWindow();
  void SizeWindowToVideoArea(int width, int height);
  void LayoutForVideo();
  void LayoutForAudioOnly();
  void IdleLayout();
  void EnterFullscreen();
  void LeaveFullscreen();
  void CenterWindow();
  void PlaceAtStartPosition();

  // ---- Menus (PlayerMenus.cpp) ----
  // Every item change goes to both the main menu and the context menu.
  void CheckCommand(UINT id, bool checked);
  void EnableCommand(UINT id, bool enabled);
  bool IsCommandChecked(UINT id) const;
  bool IsCommandEnabled(UINT id) const;
  void BuildRecentMenu();
  // A named sub-menu (IDM_DATEI_ZULETZTGEOEFFNET, IDM_WIEDERGABE_STREAMS_AUDIO ...)
  // of the main or the context menu; null when that menu has none.
  HMENU NamedPopup(UINT id, bool inContextMenu = false) const;
  void EnableNamedPopup(UINT id, bool enabled);
  // Enables or greys the commands and toolbar buttons that need open media.
  void EnableMediaCommands(bool enabled, bool hasVideo);

  // ---- System integration (PlayerSystem.cpp) ----
  // The shell registration of the running program, refreshed at every start.
  void RegisterShellEntries();
  void OnHelpUpdate();
  // ---- DVD (PlayerDvd.cpp) ----
  // Opens a DVD from a VIDEO_TS folder (with or without a final backslash).
  bool OpenDvd(const std::wstring& path);
  // The DVD's operations for menus, keys, toolbar and mouse; nothing without a DVD.
  void DvdPreviousChapter();
  void DvdNextChapter();
  void DvdReplayChapter();
  void DvdResume();
  void DvdReturnFromSubmenu();
  void DvdShowMenu(int menu);  // DVD_MENU_Title (2) ... DVD_MENU_Chapter (7)
  void DvdSelectButton(int direction);  // DVD_Relative_Upper (1) ... Right (4)
  void DvdActivateButton();
  // Points in the video window's client coordinates. Select returns true
  // when there is a button there; activate true when one was activated.
  bool DvdSelectAt(POINT point);
  bool DvdActivateAt(POINT point);
  // Greys and enables the DVD commands by the navigator's prohibited operations.
  void ApplyDvdUops(unsigned long prohibited);
  bool SubtitlesWanted() const { return subtitlesOn_; }
  void RebuildDiscMenu();
  void OnDvdFolderDialog();

  // ---- Command line (PlayerCommandLine.cpp) ----
  // At start-up, after every opening and at the end of a hand-over.
  void ApplyCommandLineOptions();

  // ---- Translation (PlayerTranslation.cpp) ----
  // Both menus and the toolbar tooltips from the active language; the menu
  // bar is redrawn.
  void TranslatePlayerWindow();
  // After the settings dialog ended with OK and its language choice
  // changed: loads the language the settings name (LanguageType 0: the
  // built-in LanguageResource, else the file LanguageFile) and translates
  // every open window at once: menus, toolbar and the playlist window.
  // False when it does not load; the previous language then stays.
  bool ApplyLanguageChange();
  // The registry of named pop-ups of both menus.
  const CPopupMenu& Popups() const { return popups_; }
  const fw::MenuColumns& MenuDrawing() const { return menuColumns_; }

  // ---- Playlist window (PlayerPlaylistWindow.cpp) ----
  // Shown and brought to the front (the playlist editor command, the
  // toolbar button, remote code 29), or hidden (remote code 30).
  void ShowPlaylistWindow();
  void HidePlaylistWindow();
  // Null until the window exists (from initialisation on).
  CPlaylistDlg* PlaylistWindow() const { return playlistDlg_.get(); }

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  // Opens a web address with the shell (tests replace it to stay in-process).
  virtual void OpenAddress(const std::wstring& address);
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnMove(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnHScroll(WPARAM, LPARAM);
  LRESULT OnSysCommand(WPARAM, LPARAM);
  LRESULT OnDropFilesMessage(WPARAM, LPARAM);
  LRESULT OnGraphEventMessage(WPARAM, LPARAM);
  LRESULT OnHandOver(WPARAM code, LPARAM value);
  LRESULT OnTrayIcon(WPARAM, LPARAM);
  LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);  // PlayerDpi.cpp
  void OnExit();
  void OnCloseMediaCommand();
  void OnClearRecent();
  void OnAspectRatioCommand();
  void OnAbout();
  void OnDonate();

  // Initialisation steps and window services (ZentravueDlg.cpp).
  void LoadIdlePicture();
  void SetProcessPriority();
  void MoveToStartDisplay();
  void CreateBars();
  void ApplyViewSettingsAtStart();
  void AddTrayIcon();
  void RemoveTrayIcon();
  void CreateTaskbarList();
  void DrawIdlePicture(HDC dc);
  void DrawIdleTagline(HDC dc, const RECT& area);
  // A message text of the active language ([Code]); empty without a language.
  std::wstring Text(const char16_t* key) const;

  // Menus (PlayerMenus.cpp).
  void LoadMenus();

  // Hand-over (PlayerHandOver.cpp).
  void ReceiveHandOverText(int code, ATOM atom);
  void ApplyHandOver();
  void OnPlaylistRequest(int code, LPARAM value);

  // Busy guard (PlayerBusy.cpp).
  friend class PlayerTestAccess;
  // Runs a command's handler directly. Inside a busy time use this rather
  // than sending WM_COMMAND, which waits for the end of the busy time.
  void RunCommand(UINT id);
  void ReplayKeptMessages();
  PlayerBusyState busy_;
  bool windowClosing_ = false;  // WM_CLOSE ran: nothing more is replayed

  // Transport helpers (PlayerTransport.cpp).
  void SetRateOrFallback(double rate, double fallback);
  void PowerManagementForPlayback(bool playing);
  // Every change of the play state goes through here: the play and pause
  // buttons show it pressed.
  void SetPlayState(PlayState state);
  // The mute button's picture (the current state) and tooltip (the action)
  // from the volume and the active language's texts.
  void ShowMuteState();
  void ShowMarkSelection();
  void SetStatusText(int pane, const std::wstring& text);
  void ClearStatusPanes();

  // Borrowed from the application (or owned in tests).
  CCmdLineInfo ownCmdLine_;
  CCmdLineInfo* cmdLine_;
  LanguageTable* language_;
  CSettings* settings_;
  std::unique_ptr<CSettings> ownSettings_;
  std::unique_ptr<CDebugDlg> debugDlg_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;

  // Media: at most one of file media and DVD media; current media and graph
  // are set exactly when one of them is.
  CMedia* currentMedia_ = nullptr;
  VideoFile* fileMedia_ = nullptr;
  CDirectShow* graph_ = nullptr;
  std::unique_ptr<VideoFile> ownedFileMedia_;
  CDVD* dvdMedia_ = nullptr;
  std::unique_ptr<CDVD> ownedDvdMedia_;

  // Transport state.
  int playState_ = kPlayStopped;
  bool loop_ = false;
  int markStart_ = 0;
  int markEnd_ = 0;
  int nextEndJump_ = 3;    // 3: to the mark end next, 2: to the media end
  int nextStartJump_ = 1;  // 1: to the mark start next, 0: to 0
  bool closeAfterPlayback_ = false;
  bool inEndOfMedia_ = false;
  bool dragging_ = false;
  ULONGLONG lastDragTime_ = 0;
  int lastDragSeek_ = -1;
  bool controlKeyDown_ = false;
  long volumeBeforeMute_ = 0;

  // Titles and names.
  std::wstring titleBase_;
  std::wstring titleSuffix_;
  std::wstring fileName_;  // name part of the open file
  std::wstring fullName_;  // full path or address of the open media

  // Hand-over state. The time is that of the previous hand-over's end, or of
  // the window's construction before the first one.
  int handedOverEntry_ = 0;
  ULONGLONG lastHandOverTime_ = 0;
  int handOversApplied_ = 0;
  std::vector<int> playedEntries_;  // entries started by hand-overs (test hook)

  // Painting and colours.
  zv::PixelImage idlePicture_;
  int idleAreaWidth_ = 450;
  int idleAreaHeight_ = 250;
  COLORREF borderColour_ = RGB(0, 0, 0);
  fw::GdiObject borderBrush_;
  fw::GdiObject taglineFont_;
  bool firstPaintDone_ = false;

  // Window modes (PlayerLayout.cpp).
  bool fullscreen_ = false;
  bool fitAppliedInFullscreen_ = false;
  int relayouts_ = 0;  // counts RelayoutWindow, to skip a redundant one
  zv::layout::Size barRowClient_{-1, -1};  // what the bar row was last laid out for
  zv::layout::Bars barRowBars_;

  // Taskbar progress.
  fw::ComPtr<ITaskbarList3> taskbar_;
  bool taskbarCreated_ = false;
  UINT taskbarButtonCreatedMessage_ = 0;
  bool trayIconAdded_ = false;

  // Menus and bars.
  HMENU mainMenu_ = nullptr;       // the window's menu
  fw::OwnedMenu contextMenuRoot_;  // resource 225; the context menu is its first pop-up
  HMENU contextMenu_ = nullptr;
  HMENU recentMenu_ = nullptr;
  CPopupMenu popups_;  // the named pop-ups of both menus
  HWND statusBar_ = nullptr;
  CToolBarButtons buttons_;
  CToolBarImages images_;
  CToolBar toolBar_;
  CZentSliderCtrl positionBar_;
  CZentSliderCtrl volumeBar_;
  CImageButton muteButton_;

  // The playlist belongs to the window for the whole run.
  std::unique_ptr<CPlaylist> playlist_;
  zv::CurrentUserRegistry registry_;
  std::unique_ptr<zv::RecentMedia> recent_;

  // ---- opening additions ----
  // One chosen or dropped file: a playlist file is loaded, anything else
  // becomes a playlist of one.
  void OpenNameOrPlaylist(const std::wstring& name);
  void OpenSameNameAudioTrack();
  void SelectPreferredAudioLanguage();
  void FillFilterMenus();
  void ShowOpenedMedia();
  void GiveWindowResizableFrame();
  void ShowNativeVideoSize();
  // The steps of the end of media (PlayerEvents.cpp).
  void RewindOrStopAtEnd(bool looping);
  void RunShutdownHook();
  bool inEndDialog_ = false;  // "close" asked the window to close; no further events

  // ---- transport additions ----
  // Power management while a video plays: what was switched off, and the
  // values it had, so that pausing, stopping and closing give back exactly
  // what the user had.
  bool powerSuppressed_ = false;
  bool executionStateSet_ = false;
  BOOL savedScreenSaver_ = FALSE;
  BOOL savedLowPower_ = FALSE;
  BOOL savedPowerOff_ = FALSE;
  void JumpBack() { Jump(-1); }
  void JumpForward() { Jump(1); }
  void SetTaskbarState(int flags);
  void SetBorderColour(COLORREF colour);

  // ---- DVD additions (PlayerDvd.cpp) ----
  POINT lastDvdCursor_{-1, -1};  // in the video window, at the last mouse movement
  void CloseDvdMedia();
  void OnDvdGraphEvent(long code, LONG_PTR param1);
  void OnDvdDomainChange();
  // Mouse over and clicks on DVD menu buttons, the disc menu opening; true when consumed.
  bool OnDvdMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnDiscDrive(UINT id);
  void OnPrevTrackChapter();
  void OnNextTrackChapter();
  void OnShowTitleMenu() { DvdShowMenu(2); }
  void OnShowRootMenu() { DvdShowMenu(3); }
  void OnShowSubpictureMenu() { DvdShowMenu(4); }
  void OnShowAudioMenu() { DvdShowMenu(5); }
  void OnShowAngleMenu() { DvdShowMenu(6); }
  void OnShowChapterMenu() { DvdShowMenu(7); }
  std::wstring DvdDisplayName(const std::wstring& path) const;
  void ApplyBorderOptions();
  void MoveToWindowPos(const std::u16string& value);

  // ---- settings additions ----
  void OnSettingsCommand();
  // After OK: what the change flags ask for, then saving.
  void ApplySettingsChanges();
  bool settingsOpen_ = false;
  // ---- translation and playlist window additions ----
  void TranslateToolBar();
  // Menu items drawn in label and shortcut columns (WM_INITMENUPOPUP after
  // the window's own handlers, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR).
  bool OnMenuDrawingMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  void CreatePlaylistWindow();
  void OnOpenPlaylistCommand();
  void OnSavePlaylistCommand();
  void OnSavePlaylistAsCommand();
  // The playlist window's request to play: a request that arrives while one
  // is being carried out (from a message box of the opening) runs after it.
  void PlayForPlaylistWindow();
  fw::MenuColumns menuColumns_;
  bool preparingMenu_ = false;
  bool playlistPlayRunning_ = false;
  bool playlistPlayPending_ = false;
  // Destroyed before the playlist, whose view it is.
  std::unique_ptr<CPlaylistDlg> playlistDlg_;
  // ---- streams (PlayerStreams.cpp) ----
 public:
  // The stream sub-menus of both menus, from the media object's streams.
  void BuildStreamMenus();
  // Empties them; the subtitle sub-menu keeps its "Off" item.
  void ResetStreamMenus();
  // Stream items (60000-63999, 65000-66999) and filter items (59000-59999).
  void OnStreamCommand(UINT id);
  void OnFilterCommand(UINT id);
  void OnCodecDialog();
  void OnAudioSettings();
  const std::vector<uint32_t>& StreamTable() const { return streamTable_; }
  bool SubtitlesOn() const { return subtitlesOn_; }

 private:
  void BuildFilterStreamMenus(int filters);
  void BuildListStreamMenus();
  // User operations that forbid stream lists (only a DVD's navigator has any).
  uint32_t ForbiddenStreamOperations() const;
  void RestoreSubtitleOffItem(HMENU subtitles, bool inContextMenu);
  // A media dialog open while the media closes ends without touching it.
  void CloseMediaDialogs();
  std::vector<uint32_t> streamTable_;
  bool subtitlesOn_ = true;
  std::wstring subtitleOffText_[2];  // main menu, context menu
  CCodecDialog* codecDialog_ = nullptr;
  CAudioSettingsDlg* audioDialog_ = nullptr;

  // ---- streaming additions (PlayerStreaming.cpp) ----
  void OnStreamingCommand();

  // ---- input additions (PlayerInput.cpp, PlayerRemote.cpp, PlayerShutdown.cpp) ----
 public:
  // The window's message pre-filter: keys and wheel turns in the window, its
  // controls and the video window become the window's own actions.
  bool PreTranslateMessage(MSG* msg) override;
  void ToggleFullscreen();
  // The context menu at the cursor, as a right click or the context-menu key shows it.
  void ShowContextMenuAtCursor();
  // Shutdown after playback on or off, in both menus and on the toolbar.
  void ToggleShutdownAfterPlayback();
  bool IsControlKeyDown() const { return controlKeyDown_; }

 private:
  LRESULT OnKeyDownMessage(WPARAM key, LPARAM data);
  LRESULT OnKeyUpMessage(WPARAM key, LPARAM data);
  LRESULT OnRemoteControl(WPARAM code, LPARAM value);
  LRESULT OnMiddleButton(WPARAM, LPARAM);
  LRESULT OnExtraButton(WPARAM, LPARAM);
  LRESULT OnLeftButtonDown(WPARAM, LPARAM);
  LRESULT OnLeftButtonUp(WPARAM, LPARAM);
  LRESULT OnRightButtonDown(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnActivate(WPARAM, LPARAM);
  LRESULT OnEnterMenuLoop(WPARAM, LPARAM);
  LRESULT OnExitMenuLoop(WPARAM, LPARAM);
  LRESULT OnEndSession(WPARAM, LPARAM);
  // Whether the window is one whose keys and wheel turns the pre-filter takes.
  bool IsInputTarget(HWND window) const;
  // Whether keys, mouse buttons and remote commands may act now (see PlayerInput.cpp).
  bool AcceptsInputNow() const;
  // Whether a remote-control message is served now (see PlayerRemote.cpp).
  bool RemoteAnswersNow(WPARAM code) const;
  LRESULT AnswerRemoteQuery(WPARAM code);
  void RunRemoteCommand(WPARAM code);
  void RunKeyCommand(UINT id);
  void RunKey(WPARAM key);
  void OnWheel(int delta);
  void OnHorizontalWheel(int delta);
  void OnVideoAreaClick();
  void RunPlaybackDelay();
  bool ShowCursorForDialog();
  // False when the key down is none the pre-filter posted; otherwise
  // *releasesCtrl tells whether Ctrl went up after it was pressed.
  bool TakePostedKey(WPARAM key, LPARAM data, bool* releasesCtrl);
  struct PostedKey {
    WPARAM key;
    LPARAM data;
    bool releasesCtrl;  // Ctrl went up after this key, before it was handled
  };
  static constexpr size_t kMaxPostedKeys = 256;
  std::vector<PostedKey> postedKeys_;  // key downs the pre-filter posted, not yet handled
  bool inMenuLoop_ = false;
  bool leftPressed_ = false;
  POINT leftPressPoint_{0, 0};
  POINT lastMousePoint_{-1, -1};
  int wheelRemainder_ = 0;

  // ---- window modes and screenshots (PlayerWindowModes.cpp, PlayerScreenshot.cpp) ----
 public:
  // Saves the frame on screen into the screenshot folder; returns the file
  // written (empty when none). A folder that cannot take it is reported.
  std::wstring TakeScreenshot();
  void ResetWindowSize();
  void ToggleAlwaysOnTop();
  void RestoreWindow();
  void MinimiseWindow();
  void MaximiseWindow();
  void ToggleTitleBar();
  void ToggleMenuBar();
  void ToggleToolBar();
  void TogglePositionBar();
  void ToggleStatusBar();
  void ToggleCompactView();
  bool IsCompactView() const { return compactView_; }
  void EnlargeVertically() { ZoomStep(false, 1); }
  void ShrinkVertically() { ZoomStep(false, -1); }
  void EnlargeHorizontally() { ZoomStep(true, 1); }
  void ShrinkHorizontally() { ZoomStep(true, -1); }
  void OptimalFit();
  void OptimalFill();
  void ToggleFitFill();
  void ResetVideoZoom();

 private:
  void OnScreenshotCommand() { TakeScreenshot(); }
  void ShowScreenshotFolderError(const std::wstring& folder);
  void ZoomStep(bool horizontal, int direction);
  // Shows each bar whose setting is on unless compact view is on, hides the
  // others, keeps the video area's size and sets the View items to match.
  void ApplyBarStates();
  void UpdateViewMenuItems();
  // Compact view as the command line or a hand-over asks for it.
  void ApplyCompactOptions(bool atStart);
  // A window beyond every monitor (a stored or given position, a size larger
  // than the screen) comes back onto the nearest monitor's work area.
  void KeepOnVisibleMonitor();
  // True when the system command was handled here.
  bool OnWindowModeSysCommand(WPARAM command);
  // After every relayout: a window too low for its bars (a narrower window
  // wraps the menu and the toolbar into more rows) grows until every bar is
  // whole, and everything the change uncovered is repainted, child windows too.
  void FinishLayoutChange();
  // The maximised rectangle: the work area with only the sizing border
  // outside it. The system's default counts the menu bar of a pop-up window
  // as border and puts the caption above the screen.
  void SetMaximisedPlacement(MINMAXINFO* info) const;
  // That rectangle on the desktop for the window maximised on the monitor.
  bool MaximisedRect(HMONITOR monitor, RECT* rect) const;
  // After the video area changed size or place (a relayout, fullscreen in
  // and out), a paused picture is presented again once the changes settle.
  static constexpr UINT_PTR kPausedFrameTimer = 0x5A01;
  void SchedulePausedFrame();
  void OnPausedFrameTimer();
  bool compactView_ = false;
  bool ensuringBarsFit_ = false;
  HWND focusBeforeHiding_ = nullptr;  // a bar that had the focus when it was hidden
};
