#pragma once
// The playlist window: a modeless, resizable dialog owned by the player
// window that shows and edits the player's playlist. It lists the entries
// (the current one marked), plays an entry on activation, adds files by the
// file dialog or by dropping them, removes entries, moves the selected ones
// up and down with its spin control, and opens and saves playlist files.
// Every change reaches the player window as a request on the hand-over
// message (play the current entry; the playlist changed). Its rectangle
// lives in the settings (PlaylistWindowRect).
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "playlist/FileDropListCtrl.h"

#include <commctrl.h>

#include <string>

class CSettings;
class LanguageTable;

namespace zv {
class Playlist;
}

class CPlaylistDlg : public fw::Dialog {
 public:
  // The playlist, the settings and the language belong to the player
  // window and outlive the dialog; the language may be absent.
  CPlaylistDlg(zv::Playlist* playlist, CSettings* settings, const LanguageTable* language, HWND parent);
  ~CPlaylistDlg() override;

  // Texts from the language's IDD_PLAYLIST_DIALOG section (again after a
  // language change while the window exists).
  void Translate();

  // The commands, shared with the player window's playlist menu. Each asks
  // with its file dialog, changes the playlist and tells the player window.
  void AddFiles();
  void DeleteSelected();
  void DeleteAll();
  void OpenPlaylistFile();
  // Save writes to the playlist's file name; a failure is reported in a
  // message box and the file keeps its old content. False on failure or
  // without a name.
  bool SavePlaylist();
  bool SavePlaylistAs();
  // The spin control: delta < 0 moves the selected entries towards the
  // start, otherwise towards the end.
  void MoveSelected(int delta);
  // Makes the entry of a row current and asks the player to play it.
  void ActivateRow(int row);

  CFileDropListCtrl& List() { return list_; }
  // The window's rectangle taken at creation: the smallest it may become.
  SIZE MinimumSize() const { return minimumSize_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  FW_DECLARE_MESSAGE_MAP()
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDropFiles(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnSizing(WPARAM, LPARAM);
  LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
  LRESULT OnListRequest(WPARAM code, LPARAM value);
  LRESULT OnGetDisplayInfo(NMHDR* header);
  LRESULT OnItemActivate(NMHDR* header);
  LRESULT OnItemChanged(NMHDR* header);
  LRESULT OnRangeStateChanged(NMHDR* header);
  LRESULT OnFindItem(NMHDR* header);
  LRESULT OnSpin(NMHDR* header);

  void LayOutControls();
  void PlaceAtStoredRectangle();
  void StoreRectangle();
  // Without entries the playlist belongs to no file; then EnableControls.
  void UpdateButtons();
  // The list, delete and save-as need entries; save needs a file name.
  void EnableControls();
  // Refresh, buttons, and the player window told that the playlist changed.
  void AfterChange();
  void PostToPlayer(WPARAM code, LPARAM value = 0) const;
  // Sent, not posted: the player plays before this returns. The window takes
  // no input meanwhile, so the player's own dialogs cannot be re-entered
  // from here.
  void SendToPlayer(WPARAM code, LPARAM value = 0);
  HWND DialogOwner() const;
  std::wstring Text(const char16_t* key) const;
  std::wstring DialogText(const char16_t* key) const;
  void ReportSaveFailure(const std::wstring& path, DWORD error) const;

  zv::Playlist* playlist_;
  CSettings* settings_;
  const LanguageTable* language_;
  CFileDropListCtrl list_;
  HIMAGELIST images_ = nullptr;
  SIZE minimumSize_{};
  bool initialised_ = false;
};
