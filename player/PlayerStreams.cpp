// The player window's stream menus (Streams, Chapters, Audio Tracks,
// Subtitles, Angles), the filter sub-menu's commands and the two media
// dialogs. Streams come only from the media object's three stream
// operations, whatever kind of media it is.
#include "player/ZentravueDlg.h"

#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "framework/Menu.h"
#include "framework/WideString.h"
#include "media/AudioSettingsDlg.h"
#include "media/CodecDialog.h"
#include "media/DVD.h"
#include "media/DirectShow.h"
#include "media/MediaTypes.h"
#include "media/VideoFile.h"
#include "player/StreamMenuModel.h"
#include "res/resource.h"

#include <algorithm>

using namespace zv::streams;

static_assert(kFilterFirst == ID_FILTER_FIRST && kChapterFirst == ID_STREAM_CHAPTER_FIRST &&
                  kAudioFirst == ID_STREAM_AUDIO_FIRST && kSubtitleOff == IDM_WIEDERGABE_STREAMS_SUBTITLE_OFF &&
                  kSubtitleFirst == ID_STREAM_SUBTITLE_FIRST && kAngleFirst == ID_STREAM_ANGLE_FIRST &&
                  kAudioEntryFirst == ID_FILTER_AUDIO_FIRST && kSubtitleEntryFirst == ID_FILTER_SUBTITLE_FIRST,
              "the stream menu ids are those of the resource header");

namespace {

void DeleteItemsFrom(HMENU menu, int first) {
  if (!menu) return;
  for (int i = GetMenuItemCount(menu) - 1; i >= first; --i) DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
}

void AppendItem(HMENU menu, UINT id, const std::wstring& text, bool checked) {
  if (menu) AppendMenuW(menu, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), id, text.c_str());
}

MajorType MajorOf(const AM_MEDIA_TYPE* type) {
  if (!type) return MajorType::Other;
  if (type->majortype == MEDIATYPE_Audio) return MajorType::Audio;
  if (type->majortype == MEDIATYPE_Text) return MajorType::Text;
  return MajorType::Other;
}

// In fullscreen the cursor may be hidden; a dialog needs it while it is open.
class CursorForDialog {
 public:
  explicit CursorForDialog(bool fullscreen) : shown_(fullscreen) {
    if (shown_) ShowCursor(TRUE);
  }
  ~CursorForDialog() {
    if (shown_) ShowCursor(FALSE);
  }
  CursorForDialog(const CursorForDialog&) = delete;
  CursorForDialog& operator=(const CursorForDialog&) = delete;

 private:
  bool shown_;
};

}  // namespace

void CZentravueDlg::BuildStreamMenus() {
  if (!currentMedia_) return;
  const int filters = currentMedia_->GetStreamCount(kKindFilters);
  if (filters > 0) {
    BuildFilterStreamMenus(filters);
  } else if (!fileMedia_ || fileMedia_->UsesSplitterStreams() || currentMedia_->GetStreamCount(kKindAudio) > 1) {
    BuildListStreamMenus();
  }
  if (mainMenu_) DrawMenuBar(hwnd_);
}

void CZentravueDlg::BuildFilterStreamMenus(int filters) {
  CMedia* media = currentMedia_;
  FilterSource source;
  source.filterName = [media](int filter) {
    int kind = kKindFilters;
    std::wstring name;
    media->GetStreamInfo(filter, nullptr, nullptr, &kind, &name, nullptr);
    return fw::ToU16(name);
  };
  source.streamCount = [media](int filter) { return media->GetStreamCount(filter); };
  source.info = [media](int filter, int stream, StreamInfo* info) {
    int kind = filter;
    AM_MEDIA_TYPE* type = nullptr;
    DWORD enabled = 0;
    std::wstring name;
    if (FAILED(media->GetStreamInfo(stream, &type, &enabled, &kind, &name, nullptr))) return false;
    info->name = fw::ToU16(name);
    info->group = kind;
    info->major = MajorOf(type);
    info->enabled = enabled != 0;
    zv::DeleteMediaType(type);
    return true;
  };
  const FilterMenuPlan plan = PlanFilterMenus(filters, source);
  streamTable_ = plan.table;

  for (bool inContext : {false, true}) {
    HMENU streams = NamedPopup(IDM_WIEDERGABE_STREAMS, inContext);
    HMENU audio = NamedPopup(IDM_WIEDERGABE_STREAMS_AUDIO, inContext);
    HMENU subtitles = NamedPopup(IDM_WIEDERGABE_STREAMS_SUBTITLE, inContext);
    if (subtitles && GetMenuState(subtitles, kSubtitleOff, MF_BYCOMMAND) != static_cast<UINT>(-1))
      subtitleOffText_[inContext] = fw::ItemText(subtitles, kSubtitleOff);
    DeleteItemsFrom(streams, 0);
    DeleteItemsFrom(audio, 0);
    DeleteItemsFrom(subtitles, 0);
    std::vector<HMENU> popups;
    for (const std::u16string& title : plan.popups) {
      HMENU popup = CreatePopupMenu();
      popups.push_back(popup);
      if (streams)
        AppendMenuW(streams, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), fw::ToWide(title).c_str());
      else
        DestroyMenu(popup);
    }
    for (const PlannedItem& item : plan.items) {
      HMENU target = item.target == Target::AudioMenu      ? audio
                     : item.target == Target::SubtitleMenu ? subtitles
                     : streams                             ? popups[static_cast<size_t>(item.popup)]
                                                           : nullptr;
      if (!target) continue;
      if (item.separator)
        AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
      else
        AppendItem(target, item.id, fw::ToWide(item.text), item.checked);
    }
  }
}

void CZentravueDlg::BuildListStreamMenus() {
  streamTable_.clear();
  struct List {
    UINT menu;
    int kind;
    uint32_t firstId;
  };
  static constexpr List kLists[] = {{IDM_WIEDERGABE_STREAMS_CHAPTER, kKindChapter, kChapterFirst},
                                    {IDM_WIEDERGABE_STREAMS_AUDIO, kKindAudio, kAudioFirst},
                                    {IDM_WIEDERGABE_STREAMS_SUBTITLE, kKindSubtitle, kSubtitleFirst},
                                    {IDM_WIEDERGABE_STREAMS_ANGLE, kKindAngle, kAngleFirst}};
  for (bool inContext : {false, true}) {
    DeleteItemsFrom(NamedPopup(IDM_WIEDERGABE_STREAMS, inContext), 0);
    for (const List& list : kLists) {
      HMENU menu = NamedPopup(list.menu, inContext);
      if (list.kind != kKindSubtitle) {
        DeleteItemsFrom(menu, 0);
        continue;
      }
      RestoreSubtitleOffItem(menu, inContext);
      DeleteItemsFrom(menu, 2);
    }
  }
  const uint32_t forbidden = ForbiddenStreamOperations();
  for (const List& list : kLists) {
    if (forbidden & ForbiddingOperation(list.kind)) continue;
    const int count = std::min(currentMedia_->GetStreamCount(list.kind), kListLimit);
    for (int k = 0; k < count; ++k) {
      int kind = list.kind;
      DWORD enabled = 0;
      std::wstring name;
      if (FAILED(currentMedia_->GetStreamInfo(k, nullptr, &enabled, &kind, &name, nullptr))) continue;
      for (bool inContext : {false, true})
        AppendItem(NamedPopup(list.menu, inContext), list.firstId + static_cast<UINT>(k), name, enabled != 0);
    }
  }
}

void CZentravueDlg::ResetStreamMenus() {
  streamTable_.clear();
  for (bool inContext : {false, true}) {
    for (UINT id : {IDM_WIEDERGABE_STREAMS, IDM_WIEDERGABE_STREAMS_CHAPTER, IDM_WIEDERGABE_STREAMS_AUDIO,
                    IDM_WIEDERGABE_STREAMS_ANGLE})
      DeleteItemsFrom(NamedPopup(id, inContext), 0);
    HMENU subtitles = NamedPopup(IDM_WIEDERGABE_STREAMS_SUBTITLE, inContext);
    RestoreSubtitleOffItem(subtitles, inContext);
    DeleteItemsFrom(subtitles, 2);
  }
  if (mainMenu_) DrawMenuBar(hwnd_);
}

// "Off" and the separator after it head the subtitle sub-menu; the menus of
// stream-selecting filters take them away.
void CZentravueDlg::RestoreSubtitleOffItem(HMENU subtitles, bool inContext) {
  if (!subtitles) return;
  if (GetMenuItemID(subtitles, 0) == kSubtitleOff && (GetMenuState(subtitles, 1, MF_BYPOSITION) & MF_SEPARATOR))
    return;
  if (GetMenuState(subtitles, kSubtitleOff, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
    subtitleOffText_[inContext] = fw::ItemText(subtitles, kSubtitleOff);
    DeleteMenu(subtitles, kSubtitleOff, MF_BYCOMMAND);
  }
  InsertMenuW(subtitles, 0, MF_BYPOSITION | MF_STRING | (subtitlesOn_ ? MF_UNCHECKED : MF_CHECKED), kSubtitleOff,
              subtitleOffText_[inContext].c_str());
  InsertMenuW(subtitles, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

uint32_t CZentravueDlg::ForbiddenStreamOperations() const {
  ULONG prohibited = 0;
  if (dvdMedia_ && FAILED(dvdMedia_->GetCurrentUOPS(&prohibited))) return 0;
  return prohibited;
}

void CZentravueDlg::OnStreamCommand(UINT id) {
  if (!currentMedia_) return;
  const StreamCommand command = DecodeStreamCommand(id, streamTable_);
  HRESULT hr = E_FAIL;
  switch (command.choice) {
    case Choice::None:
      return;
    case Choice::TableStream:
      hr = currentMedia_->SelectStream(command.index, command.kind);
      break;
    case Choice::Chapter:
    case Choice::Audio:
    case Choice::Angle:
      if (IsCommandChecked(id)) return;
      hr = currentMedia_->SelectStream(command.index, command.kind);
      break;
    case Choice::SubtitleOff:
      subtitlesOn_ = IsCommandChecked(kSubtitleOff);
      CheckCommand(kSubtitleOff, !subtitlesOn_);
      currentMedia_->SelectStream(subtitlesOn_ ? -2 : -1, kKindSubtitle);
      BuildStreamMenus();
      return;
    case Choice::Subtitle:
      if (IsCommandChecked(id) && !IsCommandChecked(kSubtitleOff)) return;
      CheckCommand(kSubtitleOff, false);
      subtitlesOn_ = true;
      currentMedia_->SelectStream(command.index, kKindSubtitle);
      BuildStreamMenus();
      return;
  }
  // The check marks follow the stream that plays now.
  if (SUCCEEDED(hr)) BuildStreamMenus();
}

void CZentravueDlg::OnFilterCommand(UINT id) {
  if (!graph_) return;
  const std::wstring name = fw::ItemText(mainMenu_ ? mainMenu_ : contextMenu_, id);
  if (name.empty()) return;
  CursorForDialog cursor(fullscreen_);
  graph_->ShowFilterProperties(name, hwnd_);
}

void CZentravueDlg::OnCodecDialog() {
  if (!currentMedia_ || codecDialog_ || audioDialog_) return;
  CursorForDialog cursor(fullscreen_);
  CCodecDialog dialog(hwnd_, currentMedia_, language_);
  codecDialog_ = &dialog;
  dialog.DoModal();
  codecDialog_ = nullptr;
}

void CZentravueDlg::OnAudioSettings() {
  if (codecDialog_ || audioDialog_) return;
  CursorForDialog cursor(fullscreen_);
  CAudioSettingsDlg dialog(hwnd_, currentMedia_, settings_, language_);
  audioDialog_ = &dialog;
  const INT_PTR result = dialog.Run();
  audioDialog_ = nullptr;
  if (result == IDOK) ApplyVolume();
}

void CZentravueDlg::CloseMediaDialogs() {
  if (codecDialog_) codecDialog_->ForgetMedia();
  if (audioDialog_) audioDialog_->ForgetMedia();
}
