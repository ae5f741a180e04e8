// Opening media: from the command line, the Open dialog, dropped files and
// folders, the recent-media menu; playlists made from names; playing an
// entry; the external audio track; closing; saving a copy; resume positions.
#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/MediaUnits.h"
#include "app/ProductName.h"
#include "app/RecentMedia.h"
#include "app/Settings.h"
#include "framework/Menu.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "media/OpeningError.h"
#include "media/VideoFile.h"
#include "framework/FileDialogs.h"
#include "player/FolderScan.h"
#include "player/MediaFileNames.h"
#include "player/OpenDialogFilter.h"
#include "player/StreamMenuModel.h"
#include "playlist/CPlaylist.h"
#include "res/resource.h"

#include <shellapi.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdint>

namespace {

bool IsAddress(const std::wstring& name) { return name.find(L"://") != std::wstring::npos; }

std::wstring NamePart(const std::wstring& path) { return fw::ToWide(zv::NamePartOf(fw::ToU16(path))); }

}  // namespace

void CZentravueDlg::OpenCommandLineMedia() {
  std::wstring name = fw::ToWide(cmdLine_->MediaName());
  if (name.empty()) return;
  if (playlist_->Load(fw::ToU16(name))) {
    RefreshPlaylistCommands(true);
    return;
  }
  // A name that matches no file gets the same box as a file that does not
  // open, rather than an idle window that says nothing. A bare relative
  // name may sit beside the program.
  if (!IsAddress(name) && folderscan::MatchingFiles(name).empty()) {
    const std::wstring besideProgram = zv::ProgramFolder() + name;
    if (name.find(L':') != std::wstring::npos || folderscan::MatchingFiles(besideProgram).empty()) {
      zv::ShowOpeningErrorBox(hwnd_, language_,
                              zv::OpeningErrorMessage(language_, name, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)));
      return;
    }
    name = besideProgram;
  }
  CreatePlaylistSingle(name);
  if (!cmdLine_->AudioFile().empty()) OpenAudioTrack(fw::ToWide(cmdLine_->AudioFile()));
}

void CZentravueDlg::CreatePlaylistSingle(const std::wstring& name) {
  TraceStep(debugDlg_.get(), L"MAIN_CreatePlaylist::Init(Single)");
  if (IsAddress(name)) {
    playlist_->Clear();
    playlist_->AddEntry(fw::ToU16(name));
  } else if (const std::vector<std::wstring> matches = folderscan::MatchingFiles(name); !matches.empty()) {
    // File-system order, as the user's wildcard found them.
    playlist_->Clear();
    for (const std::wstring& match : matches) playlist_->AddEntry(fw::ToU16(match));
  }
  playlist_->SetCurrentByPosition(1);
  playlist_->RefreshView();
  RefreshPlaylistCommands(true);
  TraceStep(debugDlg_.get(), L"MAIN_CreatePlaylist::Return");
}

void CZentravueDlg::CreatePlaylistMultiple(std::vector<std::wstring> names) {
  TraceStep(debugDlg_.get(), L"MAIN_CreatePlaylist::Init(Multiple files)");
  // wchar_t is an unsigned 16-bit unit here: this is the ordinal order of
  // the code units, upper case before lower case.
  std::sort(names.begin(), names.end());
  TraceStep(debugDlg_.get(), fw::Format(L"MAIN_CreatePlaylist::FilesCount[%i]", static_cast<int>(names.size())));
  if (!names.empty()) {
    playlist_->Clear();
    for (const std::wstring& name : names) playlist_->AddEntry(fw::ToU16(name));
    playlist_->SetCurrentByPosition(1);
    playlist_->RefreshView();
    RefreshPlaylistCommands(true);
  }
  TraceStep(debugDlg_.get(), L"MAIN_CreatePlaylist::Return");
}

void CZentravueDlg::PlayEntry(int entry) {
  BusyScope busy(*this);
  const int count = playlist_->Count();
  if (entry > count) entry = 1;
  if (entry <= 0) entry = playlist_->CurrentPosition();
  const double rate = currentMedia_ ? currentMedia_->GetRate() : 1.0;
  // Entries that do not open are skipped, up to the last one.
  for (;;) {
    playlist_->SetCurrentByPosition(entry);
    playlist_->RefreshView();
    OpenMediaFile(fw::ToWide(playlist_->EntryPath(entry)));
    if (currentMedia_ || entry >= count) break;
    ++entry;
  }
  if (!currentMedia_) {
    IdleLayout();
    return;
  }
  currentMedia_->SetRate(rate);
}

bool CZentravueDlg::OpenMediaFile(const std::wstring& requestedName) {
  if (requestedName.empty()) return false;
  BusyScope busy(*this);
  SetText(titleBase_);
  ClearStatusPanes();
  CloseMedia(false);
  ResetStreamMenus();

  // A bare relative name that is not here may sit beside the program.
  std::wstring name = requestedName;
  if (!folderscan::FileExists(name) && name.find(L':') == std::wstring::npos) name = zv::ProgramFolder() + name;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(name.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    fileName_ = found.cFileName;
    FindClose(search);
  } else {
    fileName_ = NamePart(name);
  }
  titleSuffix_ = L" - " + fileName_;
  fullName_ = name;

  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::CreateMediaFile");
  ownedFileMedia_ = std::make_unique<VideoFile>(debugDlg_.get(), language_, hwnd_, fw::ResourceInstance(), name,
                                                borderColour_, settings_, titleBase_ + titleSuffix_, bigIcon_,
                                                VideoAreaRect(), ClientRect());
  fileMedia_ = ownedFileMedia_.get();
  currentMedia_ = fileMedia_;
  graph_ = fileMedia_;
  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::MediaFileCreated");
  if (!fileMedia_->IsRendered()) {
    // The media object has shown its message already.
    TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::FilterGraphError");
    CloseMedia(true);
    return false;
  }

  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::ResizeWindow");
  ShowOpenedMedia();

  if (currentMedia_->HasVideo()) {
    OpenSameNameAudioTrack();
    if (recent_->HasResumePosition(fw::ToU16(fileName_))) {
      EnableCommand(IDM_WIEDERGABE_SPRINGELETZTESTELLE, true);
      toolBar_.SetButtonState(IDTBB_JUMPLASTPOSITION, true);
    }
  }

  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::FillCodecList");
  FillFilterMenus();
  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::CreatePopupMenuStreams");
  BuildStreamMenus();
  SelectPreferredAudioLanguage();
  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::DrawMenuBar");
  if (mainMenu_) DrawMenuBar(hwnd_);
  if (recent_->Add(fw::ToU16(fileName_), fw::ToU16(fullName_))) BuildRecentMenu();

  if (settings_->StartMediaAutomatically) {
    TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::Play");
    Play();
  } else {
    TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::PlayPause");
    Play();
    Pause();
  }
  if (settings_->JumpToLastPosition) JumpToResumePosition();

  RelayoutBarRow();
  TraceStep(debugDlg_.get(), L"MAIN_MediaFileOpen::ProcessCommandLineParameters");
  ApplyCommandLineOptions();
  if (currentMedia_ && (CMedia::GetFitMode() == 2 || CMedia::GetFitMode() == 3)) currentMedia_->PlaceVideo();
  RestartClockTimer();
  return currentMedia_ != nullptr;
}

// What a file and a DVD both get once their graph is built: the stopped
// state, volume and balance, the frame, the position bar's range, the media
// commands, the size and length panes, the window's size and title, and the
// picture's place.
void CZentravueDlg::ShowOpenedMedia() {
  SetPlayState(kPlayStopped);
  currentMedia_->SetVolume(settings_->Volume);
  currentMedia_->SetBalance(settings_->Balance);
  const bool hasVideo = currentMedia_->HasVideo();
  if (!hasVideo) {
    LayoutForAudioOnly();
  } else if (!cmdLine_->NoBorder && !fullscreen_) {
    GiveWindowResizableFrame();
  }
  EnableWindow(positionBar_.hwnd(), TRUE);
  markStart_ = 0;
  markEnd_ = currentMedia_->GetDuration();
  positionBar_.SetRange(0, markEnd_);
  positionBar_.SetPageSize(1000);
  if (loop_) ShowMarkSelection();
  EnableMediaCommands(true, hasVideo);
  if (hasVideo) ShowNativeVideoSize();
  SetStatusText(1, fw::ToWide(zv::FormatTime(markEnd_)));
  if (hasVideo) LayoutForVideo();
  UpdateTitle();
  if (!fullscreen_) {
    currentMedia_->SetVideoRect(VideoAreaRect());
    currentMedia_->MoveVideoWindow();
  }
  ShowVideoSize(currentMedia_->PlaceVideo());
}

void CZentravueDlg::GiveWindowResizableFrame() {
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX;
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CZentravueDlg::ShowNativeVideoSize() {
  long width = 0;
  long height = 0;
  currentMedia_->GetNativeVideoSize(&width, &height);
  const std::wstring size = std::to_wstring(width) + L" x " + std::to_wstring(height);
  SetStatusText(4, size);
  SetStatusText(5, size);
}

// The filter sub-menu of both menus lists the filters of the graph.
void CZentravueDlg::FillFilterMenus() {
  int count = 0;
  for (bool inContextMenu : {false, true}) {
    if (HMENU popup = NamedPopup(IDM_EXTRAS_DSFILTER, inContextMenu)) count = graph_->FillFilterMenu(popup, 1);
  }
  EnableNamedPopup(IDM_EXTRAS_DSFILTER, count > 0);
}

// The first audio stream whose item names a preferred language is chosen as
// if the user had picked it; without one, the second item.
void CZentravueDlg::SelectPreferredAudioLanguage() {
  HMENU audio = NamedPopup(IDM_WIEDERGABE_STREAMS_AUDIO);
  if (!audio) return;
  std::vector<std::u16string> texts;
  const int count = GetMenuItemCount(audio);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(audio, i);
    texts.push_back(id == 0 || id == static_cast<UINT>(-1) ? std::u16string() : fw::ToU16(fw::ItemTextAt(audio, i)));
  }
  const int chosen = zv::streams::PreferredAudioItem(texts);
  if (chosen >= 0) RunCommand(GetMenuItemID(audio, chosen));
}

void CZentravueDlg::OpenSameNameAudioTrack() {
  for (const std::u16string& candidate : zv::SameNameAudioCandidates(fw::ToU16(fullName_))) {
    const std::wstring audio = fw::ToWide(candidate);
    if (!folderscan::FileExists(audio)) continue;
    OpenAudioTrack(audio);
    return;
  }
}

void CZentravueDlg::OpenDiscOrFolder(std::wstring path) {
  if (path.empty()) return;
  if (path.back() != L'\\') path += L'\\';
  if (folderscan::FolderExists(path + L"VIDEO_TS")) {
    OpenDvd(path + L"VIDEO_TS");
    return;
  }
  if (folderscan::FileExists(path + L"VIDEO_TS.IFO")) {
    OpenDvd(path);
    return;
  }
  CreatePlaylistMultiple(folderscan::DiscOrFolderMedia(path, settings_->FileTypes));
}

bool CZentravueDlg::OpenAudioTrack(const std::wstring& audioFile) {
  if (!fileMedia_ || !fileMedia_->HasVideo()) return false;
  BusyScope busy(*this);
  const bool opened = fileMedia_->OpenAudioTrack(audioFile);
  CheckCommand(IDM_AUDIO_AUDIOTRACKOEFFNEN, opened);
  if (opened) {
    ApplyVolume();
    BuildStreamMenus();
  }
  return opened;
}

void CZentravueDlg::CloseMedia(bool restoreWindow) {
  if (!fileMedia_ && !dvdMedia_) return;
  CloseMediaDialogs();
  BusyScope busy(*this);
  KillTimer(hwnd_, ID_Clock_Timer);
  // Every path that ends playback gives the screen saver and display sleep
  // back, and leaves no drag or taskbar progress behind.
  PowerManagementForPlayback(false);
  dragging_ = false;
  SetTaskbarState(TBPF_NOPROGRESS);
  if (restoreWindow) IdleLayout();
  StoreResumePosition();
  currentMedia_ = nullptr;
  graph_ = nullptr;
  if (dvdMedia_) CloseDvdMedia();
  fileMedia_ = nullptr;
  ownedFileMedia_.reset();
  SetPlayState(kPlayStopped);
  CheckCommand(IDM_AUDIO_AUDIOTRACKOEFFNEN, false);
  EnableMediaCommands(false, false);
  ResetStreamMenus();
  ClearStatusPanes();
  if (restoreWindow) UpdateTitle();
}

void CZentravueDlg::NeighbourFile(int direction) {
  if (playlist_->Count() < 1) return;
  const std::wstring current = fw::ToWide(playlist_->EntryPath(1));
  if (IsAddress(current)) return;
  std::wstring folder = folderscan::FolderOf(current);
  if (folder.empty()) folder = L".\\";
  std::vector<std::u16string> listing;
  for (const std::wstring& name : folderscan::FileNamesInFolder(folder)) listing.push_back(fw::ToU16(name));
  const zv::FileTypeList& types = settings_->FileTypes;
  const std::optional<size_t> next =
      zv::NeighbourInListing(listing, fw::ToU16(NamePart(current)), direction,
                             [&](const std::u16string& name) { return zv::HasMediaExtension(types, name); });
  if (!next) return;
  CreatePlaylistSingle(folder + fw::ToWide(listing[*next]));
}

void CZentravueDlg::OpenNameOrPlaylist(const std::wstring& name) {
  if (playlist_->Load(fw::ToU16(name))) {
    RefreshPlaylistCommands(true);
    return;
  }
  CreatePlaylistMultiple({name});
}

void CZentravueDlg::OnOpenDialog() {
  CDebugDlg* log = debugDlg_.get();
  TraceStep(log, L"MAIN_OnDateiOffnen::Init");
  const zv::OpenDialogTexts texts{fw::ToU16(Text(u"MEDIAFILES")), fw::ToU16(Text(u"VIDEOFILE")),
                                  fw::ToU16(Text(u"AUDIOFILE")), fw::ToU16(Text(u"PLAYLIST")),
                                  fw::ToU16(Text(u"ALLFILES"))};
  const std::wstring filter = fw::ToWide(zv::BuildOpenDialogFilter(settings_->FileTypes, texts));
  TraceStep(log, L"MAIN_OnDateiOffnen::Dlg_DoModal");
  const FileDialogResult result = ShowOpenFileDialog(hwnd_, filter, true);
  if (!result.ok) {
    TraceStep(log, L"MAIN_OnDateiOffnen::Dlg_Failed");
    TraceStep(log, L"MAIN_OnDateiOffnen::CommDlgExtendedError[" +
                       fw::ToWide(zv::CommonDialogErrorName(result.error, result.needed, result.available)) + L"]");
    TraceStep(log, L"MAIN_OnDateiOffnen::Return");
    return;
  }
  TraceStep(log, L"MAIN_OnDateiOffnen::Dlg_Ok");
  for (const std::wstring& path : result.paths) TraceStep(log, L"MAIN_OnDateiOffnen::GetNextPathName[" + path + L"]");
  if (result.paths.size() == 1) {
    OpenNameOrPlaylist(result.paths.front());
  } else if (!result.paths.empty()) {
    CreatePlaylistMultiple(result.paths);
  }
  TraceStep(log, L"MAIN_OnDateiOffnen::Return");
}

void CZentravueDlg::OnDropFiles(HDROP drop) {
  std::vector<std::wstring> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(length);
    names.push_back(std::move(name));
  }
  DragFinish(drop);
  if (names.empty()) return;
  if (names.size() == 1 && folderscan::FolderExists(names.front())) {
    OpenDiscOrFolder(names.front());
    return;
  }
  if (names.size() == 1) {
    OpenNameOrPlaylist(names.front());
    return;
  }
  CreatePlaylistMultiple(std::move(names));
}

void CZentravueDlg::OnAudioTrackCommand() {
  if (!fileMedia_) return;
  if (IsCommandChecked(IDM_AUDIO_AUDIOTRACKOEFFNEN)) {
    fileMedia_->RemoveAudioTrack();
    CheckCommand(IDM_AUDIO_AUDIOTRACKOEFFNEN, false);
    BuildStreamMenus();
    return;
  }
  const std::wstring filter = fw::ToWide(
      zv::BuildAudioTrackFilter(settings_->FileTypes, fw::ToU16(Text(u"AUDIOFILE")), fw::ToU16(Text(u"ALLFILES"))));
  // In fullscreen the cursor may be hidden; the dialog needs it.
  ShowCursor(TRUE);
  const FileDialogResult result = ShowOpenFileDialog(hwnd_, filter, false);
  ShowCursor(FALSE);
  if (result.ok && !result.paths.empty()) OpenAudioTrack(result.paths.front());
}

void CZentravueDlg::OnSaveCopy() {
  if (!fileMedia_) return;
  const std::wstring filter = fw::ToWide(zv::BuildAllFilesFilter(fw::ToU16(Text(u"ALLFILES"))));
  const FileDialogResult result = ShowSaveFileDialog(hwnd_, filter, fileName_);
  if (!result.ok || result.paths.empty() || fullName_.size() >= MAX_PATH) return;
  // Both lists end in a double zero; the shell shows its own progress.
  const std::wstring from = fullName_ + L'\0';
  const std::wstring to = result.paths.front() + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = hwnd_;
  operation.wFunc = FO_COPY;
  operation.pFrom = from.c_str();
  operation.pTo = to.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
  SHFileOperationW(&operation);
}

void CZentravueDlg::OnRecentMedia(UINT id) {
  const std::optional<std::u16string> fullName = recent_->FullName(static_cast<int>(id - ID_RECENT_CLEAR));
  if (!fullName) return;
  CreatePlaylistSingle(fw::ToWide(*fullName));
}

void CZentravueDlg::StoreResumePosition() {
  if (!fileMedia_ || !fileMedia_->HasVideo()) return;
  const int position = fileMedia_->GetPosition();
  if (position <= 0) return;
  recent_->StoreResumePosition(fw::ToU16(fileName_), position);
}

void CZentravueDlg::JumpToResumePosition() {
  if (!fileMedia_) return;
  const int32_t seconds = recent_->ResumeSeconds(fw::ToU16(fileName_));
  if (seconds <= 0) return;
  // A damaged value may be any number: hundredths must stay within 32 bits
  // (the media clamp the place to their duration).
  const int32_t hundredths = seconds > INT32_MAX / 100 ? INT32_MAX : seconds * 100;
  fileMedia_->Pause();
  fileMedia_->SetPosition(hundredths);
  // Stopped: the media stays paused on the frame at the new place, as the
  // player's own stop leaves it, so the picture shows while the play state
  // stays stopped. (Running it and stopping when the frame is ready loses
  // the place on platforms whose stop rewinds.)
  if (playState_ == kPlayPlaying) fileMedia_->Play();
}
