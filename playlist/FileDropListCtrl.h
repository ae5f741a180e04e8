#pragma once
// The playlist window's list: a virtual list view (the rows are asked for as
// they are painted), so that showing and refreshing a playlist costs the same
// for ten entries as for a hundred thousand. One row per entry in list order,
// text = the path, item data = the entry id, the current entry marked by
// icon 0, selection = the entries' marks, the focus on the last marked row.
// A refresh repaints only the rows in view that changed. Files dropped on it
// are appended to the playlist; the list then posts the playlist window's
// requests (changed, and play when the list was empty) to its parent, which
// passes them on to the player window.
#include "framework/SubclassedControl.h"
#include "playlist/PlaylistFileAccess.h"

#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace zv {
class Playlist;
}

class CFileDropListCtrl : public fw::SubclassedControl, public zv::PlaylistView {
 public:
  explicit CFileDropListCtrl(zv::Playlist* playlist) : playlist_(playlist) {}
  ~CFileDropListCtrl() override;

  // Takes over the list control and becomes the playlist's view. After
  // every refresh, refreshed is called (the window's buttons follow the
  // list, whoever changed it).
  bool Attach(HWND list, std::function<void()> refreshed = nullptr);
  // Stops being the playlist's view; the control stays.
  void Detach();

  // Row count, selection and focus from the marks (the first row when
  // nothing is marked), the current entry scrolled into view; then the rows
  // in view that changed are repainted. Apart from one pass over the
  // entries, the cost grows with the number of marked entries, not with the
  // list.
  void RefreshPlaylistView() override;

  // Notifications of the list, forwarded by the parent.
  void OnGetDisplayInfo(NMLVDISPINFOW* info);
  // A row's selection changed (row -1: all rows): the marks follow.
  void OnItemChanged(const NMLISTVIEW* change);
  void OnRangeStateChanged(const NMLVODSTATECHANGE* change);

  // The entry id of a row (0 when out of range).
  int EntryIdAt(int row) const;
  // The row holding the focus (-1 when none).
  int FocusedRow() const;
  // A drop on the list (or on its window while the list is disabled): every
  // path appended in drop order; the parent is told, and asked to play when
  // the list was empty. The drop is finished here.
  void TakeDrop(HDROP drop);

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnDropFiles(WPARAM, LPARAM);
  LRESULT OnKeyDown(WPARAM, LPARAM);
  bool AppendDroppedFiles(HDROP drop);
  void Select(int row, bool selected);
  void SetFocusRow(int row);
  bool InView(int row) const;
  // Repaints the rows in view from `first` to the bottom; one row.
  void InvalidateFrom(int first);
  void InvalidateRow(int row);

  zv::Playlist* playlist_;
  std::function<void()> refreshed_;
  bool refreshing_ = false;
  // What the control shows: its row count and selected rows, as set here
  // and reported by its notifications. Asking the control instead visits
  // every row of a virtual list.
  int rows_ = 0;
  std::set<int> selected_;
  // The focus the control was not given yet: where focusing a row scrolls
  // it into view (media/PlatformQuirks.h), a row out of view gets the focus
  // only when a key needs it. -1: none.
  int pendingFocus_ = -1;
  // The entry ids of the rows and the row of the current-entry icon at the
  // last refresh: what the rows in view show.
  std::vector<int> shownIds_;
  int shownCurrentRow_ = -1;
  std::wstring text_;  // the row text handed out last
};
