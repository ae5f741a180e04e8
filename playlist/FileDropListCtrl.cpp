#include "playlist/FileDropListCtrl.h"

#include "app/HandOverItems.h"
#include "app/PrivateMessages.h"
#include "framework/WideString.h"
#include "media/PlatformQuirks.h"
#include "playlist/Playlist.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

FW_BEGIN_MESSAGE_MAP(CFileDropListCtrl, fw::SubclassedControl)
  FW_ON_MESSAGE(WM_DROPFILES, OnDropFiles)
  FW_ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
FW_END_MESSAGE_MAP()

CFileDropListCtrl::~CFileDropListCtrl() { Detach(); }

bool CFileDropListCtrl::Attach(HWND list, std::function<void()> refreshed) {
  if (!Subclass(list)) return false;
  refreshed_ = std::move(refreshed);
  rows_ = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  selected_.clear();
  pendingFocus_ = -1;
  shownIds_.clear();
  shownCurrentRow_ = -1;
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
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  if (selected)
    selected_.insert(row);
  else
    selected_.erase(row);
}

// Whole rows only: a row cut off at the bottom is scrolled when focused.
bool CFileDropListCtrl::InView(int row) const {
  const int top = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
  const int perPage = static_cast<int>(SendMessageW(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
  return row >= top && row < top + perPage;
}

void CFileDropListCtrl::SetFocusRow(int row) {
  pendingFocus_ = -1;
  const int focused = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (focused == row) return;
  if (row >= 0 && zv::FocusingListRowScrolls() && !InView(row)) {
    pendingFocus_ = row;
    row = -1;
  }
  LVITEMW item{};
  item.stateMask = LVIS_FOCUSED;
  item.state = row >= 0 ? LVIS_FOCUSED : 0;
  const int target = row >= 0 ? row : focused;
  if (target >= 0) SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(target), reinterpret_cast<LPARAM>(&item));
}

int CFileDropListCtrl::FocusedRow() const {
  if (!hwnd_) return -1;
  if (pendingFocus_ >= 0) return pendingFocus_;
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

// A key moves on from the focused row: a focus held back is given first.
LRESULT CFileDropListCtrl::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  if (pendingFocus_ >= 0) {
    const int row = pendingFocus_;
    pendingFocus_ = -1;
    if (row < rows_) {
      LVITEMW item{};
      item.stateMask = LVIS_FOCUSED;
      item.state = LVIS_FOCUSED;
      SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
  }
  return DefaultProc(WM_KEYDOWN, wParam, lParam);
}

void CFileDropListCtrl::InvalidateFrom(int first) {
  const int top = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
  const int perPage = static_cast<int>(SendMessageW(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
  if (first > top + perPage) return;
  RECT area{};
  GetClientRect(hwnd_, &area);
  if (first > top && rows_ > 0) {
    // From the top of the row on; rows gone from the end leave the space
    // below the last row.
    RECT row{};
    row.left = LVIR_BOUNDS;
    const int at = std::min(first, rows_ - 1);
    if (SendMessageW(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&row)))
      area.top = at == first ? row.top : row.bottom;
  }
  InvalidateRect(hwnd_, &area, TRUE);
}

void CFileDropListCtrl::InvalidateRow(int row) {
  if (row < 0 || row >= rows_) return;
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (SendMessageW(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)))
    InvalidateRect(hwnd_, &r, FALSE);
}

void CFileDropListCtrl::RefreshPlaylistView() {
  if (!hwnd_) return;
  refreshing_ = true;
  const int count = playlist_->Count();
  const std::vector<zv::PlaylistEntry>& entries = playlist_->Entries();

  // The first row whose entry differs from the one shown; the ids that follow
  // are taken over.
  size_t first = 0;
  const size_t common = std::min(shownIds_.size(), entries.size());
  while (first < common && shownIds_[first] == entries[first].id) ++first;
  const bool rowsChanged = first < common || shownIds_.size() != entries.size();
  shownIds_.resize(entries.size());
  for (size_t i = first; i < entries.size(); ++i) shownIds_[i] = entries[i].id;

  // The rows to select: the marked ones, else the first (marked too).
  std::vector<int> wanted;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].marked) wanted.push_back(static_cast<int>(i));
  if (wanted.empty() && count > 0) {
    wanted.push_back(0);
    playlist_->MarkPosition(1, 1);
  }

  const int current = playlist_->CurrentPosition();
  const int currentRow = current - 1;
  const int shownRow = current > 0 ? current - 1 : 0;
  const int top = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
  const int perPage = static_cast<int>(SendMessageW(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
  const bool scroll = count > 0 && (shownRow < top || shownRow >= top + perPage);
  // A scroll repaints the list (at once where the platform's scrolling
  // updates the window), and so does a shorter list whose end comes into
  // view: with drawing held back the list is drawn once, at the end.
  // Otherwise only the rows that changed are repainted.
  const bool holdBack = scroll || (count < rows_ && top + perPage >= count);
  if (holdBack) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);

  // Only rows whose selection changes are told.
  std::vector<int> unselect;
  std::set_difference(selected_.begin(), selected_.end(), wanted.begin(), wanted.end(), std::back_inserter(unselect));
  for (int row : unselect) {
    if (row < rows_)
      Select(row, false);
    else
      selected_.erase(row);
  }
  if (count != rows_) {
    SendMessageW(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    rows_ = count;
  }
  for (int row : wanted)
    if (selected_.count(row) == 0) Select(row, true);
  // A selection this list was not told of is found the slow way.
  if (SendMessageW(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0) != static_cast<LRESULT>(selected_.size())) {
    for (int row = -1;;) {
      row = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
      if (row < 0) break;
      if (!std::binary_search(wanted.begin(), wanted.end(), row)) Select(row, false);
    }
  }

  if (scroll) SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(shownRow), FALSE);
  // The focus goes where the last row was selected.
  SetFocusRow(wanted.empty() ? -1 : wanted.back());

  if (holdBack) {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    // The frame too: the scroll bar changed while it was not drawn.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  } else {
    if (rowsChanged) InvalidateFrom(static_cast<int>(first));
    if (currentRow != shownCurrentRow_) {
      InvalidateRow(shownCurrentRow_);
      InvalidateRow(currentRow);
    }
  }
  shownCurrentRow_ = currentRow;
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
  // The user put the focus somewhere: a focus held back is forgotten.
  if ((change->uNewState & ~change->uOldState) & LVIS_FOCUSED) pendingFocus_ = -1;
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
