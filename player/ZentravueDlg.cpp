#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/PrivateMessages.h"
#include "app/ProductName.h"
#include "app/RecentMedia.h"
#include "app/Settings.h"
#include "app/VersionText.h"
#include "framework/WideString.h"
#include "framework/WindowDpi.h"
#include "image/JpegCodec.h"
#include "lang/LanguageTable.h"
#include "media/DVD.h"
#include "media/DirectShow.h"
#include "media/VideoFile.h"
#include "player/StatusBar.h"
#include "player/WindowPlacement.h"
#include "playlist/CPlaylist.h"
#include "playlist/PlaylistDlg.h"
#include "playlist/ProgramBuildText.h"
#include "res/resource.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <cstdlib>
#include <ctime>

FW_BEGIN_MESSAGE_MAP(CZentravueDlg, fw::Dialog)
  FW_ON_MESSAGE(WM_CLOSE, OnClose)
  FW_ON_MESSAGE(WM_PAINT, OnPaint)
  FW_ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
  FW_ON_MESSAGE(WM_SIZE, OnSize)
  FW_ON_MESSAGE(WM_MOVE, OnMove)
  FW_ON_MESSAGE(WM_TIMER, OnTimer)
  FW_ON_MESSAGE(WM_HSCROLL, OnHScroll)
  FW_ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
  FW_ON_MESSAGE(WM_DROPFILES, OnDropFilesMessage)
  FW_ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
  FW_ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
  FW_ON_MESSAGE(kMsgGraphEvent, OnGraphEventMessage)
  FW_ON_MESSAGE(kMsgHandOver, OnHandOver)
  FW_ON_MESSAGE(kMsgTrayIcon, OnTrayIcon)
  // File
  FW_ON_COMMAND(IDM_DATEI_OEFFNEN, OnOpenDialog)
  FW_ON_COMMAND(IDTBB_OPEN, OnOpenDialog)
  FW_ON_COMMAND(IDM_DATEI_SCHLIESSEN, OnCloseMediaCommand)
  FW_ON_COMMAND(IDM_FILE_SAVE_AS, OnSaveCopy)
  FW_ON_COMMAND(IDM_DATEI_BEENDEN, OnExit)
  FW_ON_COMMAND(IDTBB_QUIT, OnExit)
  FW_ON_COMMAND(ID_RECENT_CLEAR, OnClearRecent)
  FW_ON_COMMAND_RANGE(ID_RECENT_FILE1, ID_RECENT_FILE5, OnRecentMedia)
  // Playback
  FW_ON_COMMAND(IDM_WIEDERGABE_WIEDERGABE_PAUSE, PlayPauseToggle)
  FW_ON_COMMAND(IDTBB_PLAY, Play)
  FW_ON_COMMAND(IDTBB_PAUSE, Pause)
  FW_ON_COMMAND(IDM_WIEDERGABE_STOPP, Stop)
  FW_ON_COMMAND(IDTBB_STOP, Stop)
  FW_ON_COMMAND(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOANFANG, JumpToMarkStart)
  FW_ON_COMMAND(IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOENDE, JumpToMarkEnd)
  FW_ON_COMMAND(IDM_WIEDERGABE_SPRINGELETZTESTELLE, JumpToResumePosition)
  FW_ON_COMMAND(IDTBB_JUMPLASTPOSITION, JumpToResumePosition)
  FW_ON_COMMAND(IDM_WIEDERGABE_MARKIERUNGSANFANGSETZEN, SetMarkStart)
  FW_ON_COMMAND(IDM_WIEDERGABE_MARKIERUNGSENDESETZEN, SetMarkEnd)
  FW_ON_COMMAND(IDM_WIEDERGABE_ALLESMARKIEREN, MarkAll)
  FW_ON_COMMAND(IDM_WIEDERGABE_SCHNELLESZURUECKSPULEN, JumpBack)
  FW_ON_COMMAND(IDTBB_FASTBACKWARD, JumpBack)
  FW_ON_COMMAND(IDM_WIEDERGABE_SCHNELLESVORSPULEN, JumpForward)
  FW_ON_COMMAND(IDTBB_FASTFORWARD, JumpForward)
  FW_ON_COMMAND(IDM_WIEDERGABE_ENDLOSSCHLEIFE, ToggleLoop)
  FW_ON_COMMAND(IDTBB_LOOP, ToggleLoop)
  FW_ON_COMMAND(IDM_PLAYSPEED_PLAYFASTFORWARDS, Faster)
  FW_ON_COMMAND(IDM_PLAYSPEED_PLAYSLOWFORWARDS, Slower)
  FW_ON_COMMAND(IDM_PLAYSPEED_PLAYSLOWBACKWARDS, SlowBackwards)
  FW_ON_COMMAND(IDM_PLAYSPEED_PLAYFASTBACKWARDS, FastBackwards)
  FW_ON_COMMAND(IDM_WIEDERGABE_NORMAL, NormalRate)
  // Playlist
  FW_ON_COMMAND(IDM_PLAYLIST_VORHERIGERTITEL, PreviousTitle)
  FW_ON_COMMAND(IDM_PLAYLIST_NAECHSTERTITEL, NextTitle)
  FW_ON_COMMAND(IDTBB_PREVTRACKCHAPTER, OnPrevTrackChapter)
  FW_ON_COMMAND(IDTBB_NEXTTRACKCHAPTER, OnNextTrackChapter)
  FW_ON_COMMAND(IDM_PLAYLIST_ERSTERTITEL, FirstTitle)
  FW_ON_COMMAND(IDM_PLAYLIST_LETZTERTITEL, LastTitle)
  FW_ON_COMMAND(IDM_PLAYLIST_SHUFFLE, ToggleShuffle)
  // Audio
  FW_ON_COMMAND(IDM_AUDIO_LEISER, Quieter)
  FW_ON_COMMAND(IDM_AUDIO_LAUTER, Louder)
  FW_ON_COMMAND(IDM_AUDIO_STUMM, ToggleMute)
  FW_ON_COMMAND(IDTBB_MUTE, ToggleMute)
  FW_ON_COMMAND(IDM_AUDIO_AUDIOTRACKOEFFNEN, OnAudioTrackCommand)
  // Video
  FW_ON_COMMAND(IDM_VIDEO_ASPECTRATIO, OnAspectRatioCommand)
  // Settings
  FW_ON_COMMAND(IDM_DATEI_EINSTELLUNGEN, OnSettingsCommand)
  FW_ON_COMMAND(IDM_HILFE_UPDATE, OnHelpUpdate)
  // DVD
  FW_ON_COMMAND(IDM_DVD_OPENFOLDER, OnDvdFolderDialog)
  FW_ON_COMMAND_RANGE(ID_DRIVE_FIRST, ID_DRIVE_FIRST + 25, OnDiscDrive)
  FW_ON_COMMAND(IDM_NAVIGATION_PLAYPREVIOUSCHAPTER, DvdPreviousChapter)
  FW_ON_COMMAND(IDM_NAVIGATION_PLAYNEXTCHAPTER, DvdNextChapter)
  FW_ON_COMMAND(IDM_NAVIGATION_REPLAYCHAPTER, DvdReplayChapter)
  FW_ON_COMMAND(IDM_NAVIGATION_RESUME, DvdResume)
  FW_ON_COMMAND(IDTBB_RESUME, DvdResume)
  FW_ON_COMMAND(IDM_NAVIGATION_RETURNFROMSUBMENU, DvdReturnFromSubmenu)
  FW_ON_COMMAND(IDM_NAVIGATION_SHOWTOPMENU, OnShowTitleMenu)
  FW_ON_COMMAND(IDM_NAVIGATION_SHOWROOTMENU, OnShowRootMenu)
  FW_ON_COMMAND(IDTBB_ROOTMENU, OnShowRootMenu)
  FW_ON_COMMAND(IDM_NAVIGATION_SHOWSUBPICTUREMENU, OnShowSubpictureMenu)
  FW_ON_COMMAND(IDM_NAVIGATION_SHOWAUDIOMENU, OnShowAudioMenu)
  FW_ON_COMMAND(IDM_NAVIGATION_SHOWANGLEMENU, OnShowAngleMenu)
  FW_ON_COMMAND(IDM_NAVIGATION_SHOWCHAPTERMENU, OnShowChapterMenu)
  // Playlist window and playlist files
  FW_ON_COMMAND(IDM_PLAYLIST_EDITOR, ShowPlaylistWindow)
  FW_ON_COMMAND(IDTBB_PLAYLIST, ShowPlaylistWindow)
  FW_ON_COMMAND(IDM_PLAYLIST_OEFFNEN, OnOpenPlaylistCommand)
  FW_ON_COMMAND(IDM_PLAYLIST_SPEICHERN, OnSavePlaylistCommand)
  FW_ON_COMMAND(IDM_PLAYLIST_SPEICHERNUNTER, OnSavePlaylistAsCommand)
  // Streams, filters and the media dialogs
  FW_ON_COMMAND_RANGE(ID_FILTER_FIRST, ID_FILTER_FIRST + 999, OnFilterCommand)
  FW_ON_COMMAND_RANGE(ID_STREAM_CHAPTER_FIRST, ID_DRIVE_FIRST - 1, OnStreamCommand)
  FW_ON_COMMAND_RANGE(ID_FILTER_AUDIO_FIRST, ID_FILTER_SUBTITLE_FIRST + 999, OnStreamCommand)
  FW_ON_COMMAND(IDM_VIDEO_EIGENSCHAFTEN, OnCodecDialog)
  FW_ON_COMMAND(IDM_AUDIO_SETTINGS, OnAudioSettings)
  // Help
  FW_ON_COMMAND(IDM_HILFE_INFO, OnAbout)
  FW_ON_COMMAND(IDM_DONATE_DONATE, OnDonate)
  FW_ON_COMMAND(IDM_FILE_STREAMING, OnStreamingCommand)
  // Keys, mouse and remote control
  FW_ON_MESSAGE(kMsgKeyDown, OnKeyDownMessage)
  FW_ON_MESSAGE(kMsgKeyUp, OnKeyUpMessage)
  FW_ON_MESSAGE(kMsgRemoteControl, OnRemoteControl)
  FW_ON_MESSAGE(WM_MBUTTONDOWN, OnMiddleButton)
  FW_ON_MESSAGE(WM_MBUTTONDBLCLK, OnMiddleButton)
  FW_ON_MESSAGE(WM_APPCOMMAND, OnExtraButton)
  FW_ON_MESSAGE(WM_LBUTTONDOWN, OnLeftButtonDown)
  FW_ON_MESSAGE(WM_LBUTTONDBLCLK, OnLeftButtonDown)
  FW_ON_MESSAGE(WM_LBUTTONUP, OnLeftButtonUp)
  FW_ON_MESSAGE(WM_RBUTTONDOWN, OnRightButtonDown)
  FW_ON_MESSAGE(WM_RBUTTONDBLCLK, OnRightButtonDown)
  FW_ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
  FW_ON_MESSAGE(WM_ENTERMENULOOP, OnEnterMenuLoop)
  FW_ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoop)
  FW_ON_MESSAGE(WM_ENDSESSION, OnEndSession)
  FW_ON_COMMAND(IDM_ANSICHT_VOLLBILD, ToggleFullscreen)
  FW_ON_COMMAND(IDTBB_VOLLBILD, ToggleFullscreen)
  // Shutdown after playback
  FW_ON_COMMAND(IDM_WIEDERGABE_SHUTDOWN, ToggleShutdownAfterPlayback)
  FW_ON_COMMAND(IDTBB_SHUTDOWN, ToggleShutdownAfterPlayback)
  // Window modes and screenshots
  FW_ON_COMMAND(IDM_VIDEO_SCREENSHOT, OnScreenshotCommand)
  FW_ON_COMMAND(IDTBB_SCREENSHOT, OnScreenshotCommand)
  FW_ON_COMMAND(IDM_ANSICHT_ORIGINAL, ResetWindowSize)
  FW_ON_COMMAND(IDM_ANSICHT_IMMEROBEN, ToggleAlwaysOnTop)
  FW_ON_COMMAND(IDTBB_ONTOP, ToggleAlwaysOnTop)
  FW_ON_COMMAND(IDM_ANSICHT_WIEDERHERSTELLEN, RestoreWindow)
  FW_ON_COMMAND(IDM_ANSICHT_MINIMIEREN, MinimiseWindow)
  FW_ON_COMMAND(IDM_ANSICHT_MAXIMIEREN, MaximiseWindow)
  FW_ON_COMMAND(IDM_ANSICHT_TITLEBAR, ToggleTitleBar)
  FW_ON_COMMAND(IDM_ANSICHT_MENUBAR, ToggleMenuBar)
  FW_ON_COMMAND(IDM_ANSICHT_TOOLBAR, ToggleToolBar)
  FW_ON_COMMAND(IDM_ANSICHT_POSITIONSBAR, TogglePositionBar)
  FW_ON_COMMAND(IDM_ANSICHT_STATUSBAR, ToggleStatusBar)
  FW_ON_COMMAND(IDM_ANSICHT_VIDEOPUR, ToggleCompactView)
  FW_ON_COMMAND(IDM_VIDEO_VERGROESSERN_OBENUNTEN, EnlargeVertically)
  FW_ON_COMMAND(IDM_VIDEO_VERKLEINERN_OBENUNTEN, ShrinkVertically)
  FW_ON_COMMAND(IDM_VIDEO_VERGROESSERN_LINKSRECHTS, EnlargeHorizontally)
  FW_ON_COMMAND(IDM_VIDEO_VERKLEINERN_LINKSRECHTS, ShrinkHorizontally)
  FW_ON_COMMAND(IDM_VIDEO_FILLSCREENWITHOUTCLIPPING, OptimalFit)
  FW_ON_COMMAND(IDM_VIDEO_FILLSCREEN, OptimalFill)
  FW_ON_COMMAND(IDM_VIDEO_TOGGLECLIPPINGFULL, ToggleFitFill)
  FW_ON_COMMAND(IDTBB_CLIPPING, ToggleFitFill)
  FW_ON_COMMAND(IDM_VIDEO_RESET, ResetVideoZoom)
FW_END_MESSAGE_MAP()

namespace {
PlayerMessageHook* g_messageHook = nullptr;
}

void CZentravueDlg::InstallMessageHook(PlayerMessageHook* hook) { g_messageHook = hook; }

CZentravueDlg::CZentravueDlg(HWND parent, CCmdLineInfo* cmdLine, LanguageTable* language, CSettings* settings)
    : fw::Dialog(IDD_ZENTRAVUE_DIALOG, parent),
      cmdLine_(cmdLine ? cmdLine : &ownCmdLine_),
      language_(language),
      settings_(settings),
      titleBase_(zv::AppName() + L" BETA"),
      lastHandOverTime_(GetTickCount64()),
      buttons_(CToolBarButtons::BuiltIn()),
      playlist_(std::make_unique<CPlaylist>()) {
  if (!settings_) {
    ownSettings_ = std::make_unique<CSettings>(0);
    settings_ = ownSettings_.get();
  }
  recent_ = std::make_unique<zv::RecentMedia>(registry_, fw::ToU16(zv::ProductKey()));
  if (cmdLine_->NoSplash) idleAreaHeight_ = 0;
  LoadIdlePicture();
  // The built-in tooltips are German: the active language's are taken from
  // the start.
  if (language_) {
    for (size_t i = 0; i < buttons_.Count(); ++i) {
      const std::u16string name = buttons_.At(i).name;
      const std::u16string tooltip = language_->Text(u"ToolBar", name);
      if (!tooltip.empty()) buttons_.SetTooltip(name, tooltip);
    }
  }
  // Questions from other programs could read a half-built media object.
  busy_.AddRefusedMessage(kMsgRemoteControl);
  if (g_messageHook) busy_.AddRefusedMessage(g_messageHook->Message());
}

CZentravueDlg::~CZentravueDlg() {
  // The media object lives in the video window of this window: close it first.
  if (currentMedia_) CloseMedia(false);
}

std::wstring CZentravueDlg::Text(const char16_t* key) const {
  return language_ ? fw::ToWide(language_->Message(key)) : std::wstring();
}

// The idle picture is a JPEG resource decoded once; a damaged one leaves the
// idle area empty.
void CZentravueDlg::LoadIdlePicture() {
  HINSTANCE instance = fw::ResourceInstance();
  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(IDR_MAIN), L"JPG");
  if (!info) return;
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, info)));
  if (!bytes) return;
  idlePicture_ = zv::DecodeJpeg(bytes, SizeofResource(instance, info));
}

BOOL CZentravueDlg::OnInitDialog() {
  // Window handle for the settings; icons.
  settings_->OwnerWindow = hwnd_;
  HINSTANCE instance = fw::ResourceInstance();
  bigIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  borderBrush_.Reset(CreateSolidBrush(borderColour_));
  taskbarButtonCreatedMessage_ = RegisterWindowMessageW(L"TaskbarButtonCreated");
  UpdateTitle();

  // The shell registration follows the executable wherever it moved.
  RegisterShellEntries();

  // Priority, critical-error boxes off, start display.
  SetProcessPriority();
  SetErrorMode(SEM_FAILCRITICALERRORS);
  MoveToStartDisplay();

  // Menus and the recent sub-menu.
  LoadMenus();
  BuildRecentMenu();

  // Status bar, toolbar, mute button, position and volume bars.
  CreateBars();
  ApplyVolume();
  TranslatePlayerWindow();

  // Layout and the view settings.
  ApplyViewSettingsAtStart();
  IdleLayout();

  // The version, right-aligned in the last pane.
  const std::u16string version = ProgramProductVersion();
  SetStatusText(7, L"\t\t" + fw::ToWide(zv::VersionTextFromProductVersion(version)));

  // Child controls in place.
  RelayoutBarRow();

  // Trace window.
  if (cmdLine_->Debug) {
    debugDlg_ = std::make_unique<CDebugDlg>(zv::ProgramFolder() + zv::AppName() + L".log", hwnd_);
    if (!debugDlg_->CreateModeless()) debugDlg_.reset();
  }

  // The playlist window, hidden until asked for.
  CreatePlaylistWindow();

  // Command-line options.
  ApplyCommandLineOptions();

  // Tray icon.
  if (cmdLine_->SysTray) AddTrayIcon();

  // No taskbar button with "hide".
  if (cmdLine_->Hide)
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & ~WS_EX_APPWINDOW);

  // Shuffle draws from the C runtime's generator.
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  // Position.
  PlaceAtStartPosition();
  KeepOnVisibleMonitor();
  ShowWindow(hwnd_, SW_SHOW);
  // The trace window goes to the top-left corner of the screen, in front of
  // the player, so that it does not hide the video.
  if (debugDlg_)
    SetWindowPos(debugDlg_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);

  // Media named on the command line.
  OpenCommandLineMedia();
  return TRUE;
}

void CZentravueDlg::SetProcessPriority() {
  static const DWORD classes[] = {IDLE_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS, HIGH_PRIORITY_CLASS,
                                  REALTIME_PRIORITY_CLASS, ABOVE_NORMAL_PRIORITY_CLASS,
                                  BELOW_NORMAL_PRIORITY_CLASS};
  const int priority = settings_->ProcessPriority;
  if (priority >= 0 && priority < static_cast<int>(std::size(classes)))
    SetPriorityClass(GetCurrentProcess(), classes[priority]);
}

namespace {
struct MonitorSearch {
  std::wstring device;
  HMONITOR found = nullptr;
};

BOOL CALLBACK FindMonitorByDevice(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* search = reinterpret_cast<MonitorSearch*>(data);
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info) && fw::EqualsNoCase(info.szDevice, search->device)) {
    search->found = monitor;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

void CZentravueDlg::MoveToStartDisplay() {
  MONITORINFOEXW nearest{};
  nearest.cbSize = sizeof(nearest);
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &nearest);
  const std::wstring wanted = fw::ToWide(settings_->DisplayDeviceStartup);
  MonitorSearch search{wanted == L"Current" ? std::wstring(nearest.szDevice) : wanted};
  EnumDisplayMonitors(nullptr, nullptr, FindMonitorByDevice, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(search.found, &info)) return;
  SetWindowPos(hwnd_, nullptr, info.rcMonitor.left, info.rcMonitor.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZentravueDlg::CreateBars() {
  statusBar_ = CreatePlayerStatusBar(hwnd_);
  images_.Load(fw::ResourceInstance(), fw::DpiOf(hwnd_));
  toolBar_.Create(hwnd_, settings_->ToolBarPos == 0, buttons_, images_);
  muteButton_.Create(hwnd_, IDTBB_MUTE, RECT{0, 0, 23, 22}, images_.Normal(), images_.Hover());
  positionBar_.Create(hwnd_, ID_Slider, TBS_ENABLESELRANGE | WS_VISIBLE, RECT{0, 0, 100, 22});
  positionBar_.SetRange(0, 0);
  EnableWindow(positionBar_.hwnd(), FALSE);
  volumeBar_.Create(hwnd_, ID_VolumeSlider, TBS_BOTH | TBS_NOTICKS | TBS_ENABLESELRANGE | WS_VISIBLE,
                    RECT{0, 0, 80, 22});
  volumeBar_.SetRange(0, 100);
  volumeBar_.SetPageSize(1);
}

// The view settings at start-up: always on top (the toggle from the off
// state), the aspect-ratio check, the bars and compact view.
void CZentravueDlg::ApplyViewSettingsAtStart() {
  if (settings_->AlwaysOnTop == 1) {
    settings_->AlwaysOnTop = 0;
    ToggleAlwaysOnTop();
  }
  CheckCommand(IDM_VIDEO_ASPECTRATIO, settings_->AspectRatio != 0);
  CheckCommand(IDM_PLAYLIST_SHUFFLE, settings_->PlaylistShuffle != 0);
  ApplyBarStates();
  ApplyCompactOptions(true);
}

void CZentravueDlg::AddTrayIcon() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd_;
  data.uID = 1;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kMsgTrayIcon;
  data.hIcon = smallIcon_;
  lstrcpynW(data.szTip, titleBase_.c_str(), 64);
  trayIconAdded_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void CZentravueDlg::RemoveTrayIcon() {
  if (!trayIconAdded_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd_;
  data.uID = 1;
  Shell_NotifyIconW(NIM_DELETE, &data);
  trayIconAdded_ = false;
}

// Escape must not close the player; only closing the window does.
void CZentravueDlg::OnCancel() {}

void CZentravueDlg::OnExit() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

LRESULT CZentravueDlg::OnClose(WPARAM, LPARAM) {
  BusyScope busy(*this);
  windowClosing_ = true;
  PowerManagementForPlayback(false);
  KillTimer(hwnd_, ID_Clock_Timer);
  CloseMedia(false);
  debugDlg_.reset();
  RemoveTrayIcon();
  taskbar_.Reset();
  EndDialog(0);
  return 0;
}

// The video area takes the border colour; the bars around it (a flat
// toolbar draws on its parent's background) the usual face colour.
LRESULT CZentravueDlg::OnEraseBackground(WPARAM wParam, LPARAM) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  const RECT client = ClientRect();
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const RECT video = VideoAreaRect();
  FillRect(dc, &video, static_cast<HBRUSH>(borderBrush_.get()));
  return 1;
}

LRESULT CZentravueDlg::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  if (IsIconic(hwnd_)) {
    const RECT client = ClientRect();
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON)) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON)) / 2, bigIcon_);
  } else if ((!currentMedia_ || !currentMedia_->HasVideo()) && !cmdLine_->NoSplash) {
    DrawIdlePicture(dc);
  }
  EndPaint(hwnd_, &paint);
  firstPaintDone_ = true;
  return 0;
}

void CZentravueDlg::DrawIdlePicture(HDC dc) {
  if (idlePicture_.Empty()) return;
  const RECT area = VideoAreaRect();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = idlePicture_.Width();
  info.bmiHeader.biHeight = -idlePicture_.Height();  // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  // Device-independent rows are padded to four bytes.
  const size_t stride = (idlePicture_.RowBytes() + 3) & ~size_t{3};
  std::vector<BYTE> rows(stride * static_cast<size_t>(idlePicture_.Height()));
  for (int y = 0; y < idlePicture_.Height(); ++y)
    memcpy(rows.data() + stride * static_cast<size_t>(y), idlePicture_.Row(y), idlePicture_.RowBytes());
  SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(idlePicture_.Width()),
                    static_cast<DWORD>(idlePicture_.Height()), 0, 0, 0,
                    static_cast<UINT>(idlePicture_.Height()), rows.data(), &info, DIB_RGB_COLORS);
  DrawIdleTagline(dc, area);
}

// The line under the program name on the idle picture, in the active
// language (the picture itself carries no words but the name).
void CZentravueDlg::DrawIdleTagline(HDC dc, const RECT& area) {
  const std::wstring tagline = Text(u"IDLE_TAGLINE");
  if (tagline.empty()) return;
  if (!taglineFont_) {
    taglineFont_.Reset(CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  }
  // Beside the play symbol, under the name, clipped to the picture.
  RECT line{area.left + 159, area.top + 150, area.left + idlePicture_.Width() - 8, area.top + 172};
  const int saved = SaveDC(dc);
  SelectObject(dc, taglineFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0x8e, 0xa4, 0xc4));
  DrawTextW(dc, tagline.c_str(), static_cast<int>(tagline.size()), &line,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  RestoreDC(dc, saved);
}

LRESULT CZentravueDlg::OnSize(WPARAM type, LPARAM) {
  if (type == SIZE_MINIMIZED) return 0;
  RelayoutWindow();
  return 0;
}

LRESULT CZentravueDlg::OnMove(WPARAM, LPARAM) {
  const RECT window = WindowRect();
  if (settings_->KeepWindowPos && firstPaintDone_ && window.left >= 0 && window.top >= 0 &&
      !IsIconic(hwnd_) && !fullscreen_) {
    settings_->WindowPosX = window.left;
    settings_->WindowPosY = window.top;
  }
  if (graph_) graph_->NotifyOwnerMoved();
  return 0;
}

LRESULT CZentravueDlg::OnTimer(WPARAM id, LPARAM) {
  if (id == ID_Clock_Timer) OnClockTimer();
  if (id == kPausedFrameTimer) OnPausedFrameTimer();
  return 0;
}

LRESULT CZentravueDlg::OnHScroll(WPARAM wParam, LPARAM lParam) {
  const HWND bar = reinterpret_cast<HWND>(lParam);
  const int code = LOWORD(wParam);
  if (bar == positionBar_.hwnd()) OnPositionBarScroll(code);
  if (bar == volumeBar_.hwnd()) OnVolumeBarScroll(code);
  return 0;
}

LRESULT CZentravueDlg::OnSysCommand(WPARAM command, LPARAM lParam) {
  if (OnWindowModeSysCommand(command)) return 0;
  if ((command & 0xFFF0) == SC_MINIMIZE && cmdLine_->Hide) {
    ShowWindow(hwnd_, SW_HIDE);
    return 0;
  }
  if ((command & 0xFFF0) == SC_MINIMIZE && fullscreen_) LeaveFullscreen();
  // The default handling does the rest, with the whole message: a menu
  // opened or a caption dragged with the mouse needs the cursor's point, a
  // menu opened with the keyboard the character.
  DefWindowProcW(hwnd_, WM_SYSCOMMAND, command, lParam);
  return 0;
}

LRESULT CZentravueDlg::OnDropFilesMessage(WPARAM drop, LPARAM) {
  OnDropFiles(reinterpret_cast<HDROP>(drop));
  return 0;
}

LRESULT CZentravueDlg::OnGraphEventMessage(WPARAM, LPARAM) {
  OnGraphEvents();
  return 0;
}

LRESULT CZentravueDlg::OnTrayIcon(WPARAM, LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ShowWindow(hwnd_, SW_RESTORE);
      ShowWindow(hwnd_, SW_SHOW);
      SetForegroundWindow(hwnd_);
      break;
    case WM_RBUTTONUP: {
      POINT cursor;
      GetCursorPos(&cursor);
      SetForegroundWindow(hwnd_);
      TrackPopupMenu(contextMenu_, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd_, nullptr);
      break;
    }
    default:
      break;
  }
  return 0;
}

LRESULT CZentravueDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  // Every visible bar stays whole; the video area may shrink to nothing.
  // The frame comes from the style: while the window is minimised or being
  // restored its rectangles do not tell it. Extra menu rows of a narrow
  // window are added after the size change (FinishLayoutChange).
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), GetMenu(hwnd_) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  const zv::layout::Size minimum = zv::layout::MinimumWindowSize(
      {frame.right - frame.left, frame.bottom - frame.top}, {0, 0}, CurrentBars());
  info->ptMinTrackSize.x = minimum.width;
  info->ptMinTrackSize.y = minimum.height;
  SetMaximisedPlacement(info);
  return 0;
}

void CZentravueDlg::OnCloseMediaCommand() { CloseMedia(true); }

void CZentravueDlg::OnClearRecent() {
  recent_->Clear();
  BuildRecentMenu();
}

void CZentravueDlg::OnAspectRatioCommand() {
  settings_->AspectRatio = settings_->AspectRatio ? 0 : 1;
  CheckCommand(IDM_VIDEO_ASPECTRATIO, settings_->AspectRatio != 0);
  if (currentMedia_) currentMedia_->PlaceVideo();
}

bool CZentravueDlg::OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == 0) return false;
  // Seen, not handled: the density kept with the window goes with it.
  if (message == WM_DESTROY) fw::ForgetDpi(hwnd_);
  if (message == kMsgReplayKept) {
    ReplayKeptMessages();
    *result = 0;
    return true;
  }
  if (busy_.Judge(message, wParam, lParam) != PlayerBusyState::Verdict::Handle) {
    *result = 0;
    return true;
  }
  // Seen, not handled: the dialog's own activation handling keeps the focus.
  if (message == WM_ACTIVATE) OnActivate(wParam, lParam);
  if (OnDvdMessage(message, wParam, lParam)) {
    *result = 0;
    return true;
  }
  if (OnMenuDrawingMessage(message, wParam, lParam, result)) return true;
  if (message == taskbarButtonCreatedMessage_) {
    CreateTaskbarList();
    return false;
  }
  if (g_messageHook && message == g_messageHook->Message()) {
    *result = g_messageHook->Answer(*this, wParam, lParam);
    return true;
  }
  return false;
}

void CZentravueDlg::CreateTaskbarList() {
  taskbar_.Reset();
  taskbarCreated_ = SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_ITaskbarList3, taskbar_.put_void()));
  if (!taskbarCreated_) {
    taskbar_.Reset();
    return;
  }
  if (cmdLine_->Hide) taskbar_->DeleteTab(hwnd_);
}

std::wstring CZentravueDlg::StatusText(int pane) const {
  if (!statusBar_) return {};
  const LRESULT length = LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane), 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(statusBar_, SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void CZentravueDlg::SetStatusText(int pane, const std::wstring& text) {
  if (!statusBar_) return;
  const WPARAM style = pane == 7 ? SBT_NOBORDERS : 0;
  // A pane that gains or loses its text may change which panes fit.
  const size_t length = LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, pane, 0));
  // The same text again (most clock ticks) would only repaint the pane.
  if (length == text.size() && length != 0) {
    std::wstring shown(length + 1, L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(shown.data()));
    shown.resize(length);
    if (shown == text) return;
  }
  const bool hadText = length != 0;
  SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(pane) | style,
               reinterpret_cast<LPARAM>(text.c_str()));
  if (hadText != !text.empty()) SetPlayerStatusPanes(statusBar_);
}

void CZentravueDlg::ClearStatusPanes() {
  for (int pane = 0; pane <= 6; ++pane) SetStatusText(pane, L"");
}
