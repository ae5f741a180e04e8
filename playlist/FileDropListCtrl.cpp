#include "playlist/FileDropListCtrl.h"

#include "app/HandOverItems.h"
#include "app/PrivateMessages.h"
#include "framework/WideString.h"
#include "playlist/Playlist.h"

#include <shellapi.h>

#include <algorithm>

FW_BEGIN_MESSAGE_MAP(CFileDropListCtrl, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_DROPFILES, OnDropFiles)
FW_END_MESSAGE_MAP()

CFileDropListCtrl::~CFileDropListCtrl() { Detach(); }

bool CFileDropListCtrl::Attach(HWND list, std::function<void()> refreshed) {
  if (!Subclass(list)) return false;
  refreshed_ = std::move(refreshed);
  rows_ = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  selected_.clear();
  DragAcceptFiles(list, TRUE);
  playlist_->SetView(this);
  return true;
}

void CFileDropListCtrl::Detach() {
  if (playlist_) playlist_->SetView(nullptr);
  refreshed_ = nullptr;
  if (hwnd_ && IsWindow(hwnd_)) DragAcceptFiles(hwnd_, FALSE);
  Unsubclass();
}

void CFileDropListCtrl::Select(int row, bool selected) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  if (selected)
    selected_.insert(row);
  else
    selected_.erase(row);
}

void CFileDropListCtrl::RefreshPlaylistView() {
  if (!hwnd_) return;
  refreshing_ = true;
  const int count = playlist_->Count();
  // A new row count updates the scroll bar, and so may the selection and
  // the scroll to the current entry: with drawing held back until the end
  // the control does not draw the bar and the rows for each step.
  const bool resized = count != rows_;
  if (resized) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  const std::set<int> shown = std::move(selected_);
  selected_.clear();
  for (int row : shown)
    if (row < rows_) Select(row, false);
  // A selection this list was not told of is found the slow way.
  if (SendMessageW(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0) != 0) {
    for (int row = -1;;) {
      row = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
      if (row < 0) break;
      Select(row, false);
    }
  }
  if (count != rows_) {
    SendMessageW(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    rows_ = count;
  }
  const std::vector<zv::PlaylistEntry>& entries = playlist_->Entries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].marked) Select(static_cast<int>(i), true);
  if (selected_.empty() && count > 0) {
    Select(0, true);
    playlist_->MarkPosition(1, 1);
  }
  const int current = playlist_->CurrentPosition();
  const int shownRow = current > 0 ? current - 1 : 0;
  const int top = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
  const int perPage = static_cast<int>(SendMessageW(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
  if (shownRow < top || shownRow >= top + perPage)
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(shownRow), FALSE);
  if (resized) {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    // The frame too: the scroll bar changed while it was not drawn.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  } else {
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  refreshing_ = false;
  if (refreshed_) refreshed_();
}

void CFileDropListCtrl::OnGetDisplayInfo(NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  const zv::PlaylistEntry* entry = playlist_->EntryAt(item.iItem + 1);
  if (!entry) return;
  if (item.mask & LVIF_TEXT) {
    // The list copies the text before it asks again.
    text_ = fw::ToWide(entry->path);
    item.pszText = text_.data();
  }
  if (item.mask & LVIF_IMAGE) item.iImage = entry->id == playlist_->CurrentId() ? 0 : -1;
  if (item.mask & LVIF_PARAM) item.lParam = entry->id;
}

void CFileDropListCtrl::OnItemChanged(const NMLISTVIEW* change) {
  if (refreshing_ || !(change->uChanged & LVIF_STATE)) return;
  if (((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0) return;
  const bool selected = (change->uNewState & LVIS_SELECTED) != 0;
  if (change->iItem >= 0) {
    playlist_->MarkPosition(change->iItem + 1, selected ? 1 : 0);
    if (selected)
      selected_.insert(change->iItem);
    else
      selected_.erase(change->iItem);
    return;
  }
  playlist_->MarkAll(selected ? 1 : 0);
  selected_.clear();
  for (int row = 0; selected && row < rows_; ++row) selected_.insert(selected_.end(), row);
}

void CFileDropListCtrl::OnRangeStateChanged(const NMLVODSTATECHANGE* change) {
  if (refreshing_ || ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0) return;
  const bool selected = (change->uNewState & LVIS_SELECTED) != 0;
  playlist_->MarkRange(change->iFrom + 1, change->iTo + 1, selected ? 1 : 0);
  for (int row = std::max(0, change->iFrom); row <= change->iTo && row < rows_; ++row) {
    if (selected)
      selected_.insert(row);
    else
      selected_.erase(row);
  }
}

int CFileDropListCtrl::EntryIdAt(int row) const {
  const zv::PlaylistEntry* entry = playlist_->EntryAt(row + 1);
  return entry ? entry->id : 0;
}

bool CFileDropListCtrl::AppendDroppedFiles(HDROP drop) {
  bool appended = false;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(copied);
    if (playlist_->AddEntry(fw::ToU16(name)) > 0) appended = true;
  }
  return appended;
}

// Every dropped path is appended as it is (folders and shortcuts too); the
// parent refreshes and tells the player, which plays when the list was empty.
void CFileDropListCtrl::TakeDrop(HDROP drop) {
  const bool wasEmpty = playlist_->Count() == 0;
  const bool appended = AppendDroppedFiles(drop);
  DragFinish(drop);
  if (!appended || !hwnd_) return;
  HWND parent = GetParent(hwnd_);
  PostMessageW(parent, kMsgHandOver, zv::kPlaylistChanged, 0);
  if (wasEmpty) PostMessageW(parent, kMsgHandOver, zv::kPlaylistPlayCurrent, 0);
}

LRESULT CFileDropListCtrl::OnDropFiles(WPARAM wParam, LPARAM) {
  TakeDrop(reinterpret_cast<HDROP>(wParam));
  return 0;
}
