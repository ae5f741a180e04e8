#pragma once
#include <functional>
#include <string>
#include <vector>

#include "playlist/PlaylistFileAccess.h"

namespace zv {

// One entry of the playlist; owned by the Playlist, kept in list order.
struct PlaylistEntry {
  std::u16string path;
  int id = 0;      // unique within the list, kept by the list view as item data
  int marked = 0;  // not 0: shown selected in the playlist window
};

// The player window's ordered list of media paths or addresses with one
// current entry. Positions are 1-based; 0 means none. Reading and writing
// files goes through the PlaylistFileAccess given at construction.
//
// The entries sit in one array in list order, so that the entry at a
// position is found at once (the playlist window's list asks for every row
// it paints) and a whole pass touches consecutive memory. Finding an entry by
// its id searches the array, starting where the id was found last.
class Playlist {
 public:
  explicit Playlist(PlaylistFileAccess* access = nullptr) : access_(access) {}
  // Writes a list that belongs to a playlist file back to it (Save), so the
  // last position and the edits are kept. An empty list never replaces a file
  // here; emptying a file takes an explicit Save.
  ~Playlist();
  Playlist(const Playlist&) = delete;
  Playlist& operator=(const Playlist&) = delete;

  // Reads a playlist file or address by its extension (m3u, ram, pls, asx,
  // zvp); true when at least one entry was added. An unknown extension,
  // unreadable bytes or a document of the wrong kind leave the list alone.
  bool Load(const std::u16string& pathOrUrl);
  // Writes the list in the own format to FileName(); false without a file
  // name or when writing fails.
  bool Save();
  // The bytes Save writes.
  std::vector<uint8_t> SaveBytes() const;

  // Appends an entry; returns its position, or -1 for an empty path.
  int AddEntry(std::u16string path);
  std::u16string EntryPath(int position) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  bool HasSeveral() const { return entries_.size() > 1; }
  // Deletes every entry. The list then belongs to no file any more: whatever
  // fills it next must not be written over the file the old entries came from.
  void Clear();

  int CurrentPosition() const;
  int CurrentId() const { return currentId_; }
  void SetCurrentByPosition(int position);
  void SetCurrentById(int id);
  void MarkEntry(int id, int value);
  // Marks by position (1-based), for views that know rows, not ids; out of
  // range does nothing. MarkRange covers first..last, both included, clipped.
  void MarkPosition(int position, int value);
  void MarkRange(int first, int last, int value);
  void MarkAll(int value);

  // Editing used by the playlist window.
  bool RemoveEntry(int id);
  int RemoveMarkedEntries();
  // Moves every marked entry one place towards the start (delta < 0) or the
  // end; a marked first entry blocks a move towards the start. True when
  // anything moved.
  bool MoveMarkedEntries(int delta);

  // Navigation. The wanted position of the next or previous title; with
  // shuffle it is drawn as random15() / 32768 * count + 1, again while it
  // equals the current position (random15 yields 0..32767). Only meaningful
  // when HasSeveral().
  int NextPosition(bool shuffle, const std::function<int()>& random15) const;
  int PreviousPosition(bool shuffle, const std::function<int()>& random15) const;
  // Plays from a wanted position: above the count means 1, 0 the current
  // entry. Makes it current and calls open with its path; on failure tries
  // the following entries up to the last. True when one opened.
  bool PlayPosition(int wanted, const std::function<bool(const std::u16string&)>& open);

  const std::u16string& FileName() const { return fileName_; }
  void SetFileName(const std::u16string& fileName) { fileName_ = fileName; }
  // The "build" attribute written by Save (BuildTextFromProductVersion).
  void SetBuildText(const std::u16string& build) { buildText_ = build; }
  void SetView(PlaylistView* view) { view_ = view; }
  void RefreshView() const {
    if (view_) view_->RefreshPlaylistView();
  }

  // In list order; entry at position p is Entries()[p - 1].
  const std::vector<PlaylistEntry>& Entries() const { return entries_; }
  const PlaylistEntry* EntryAt(int position) const;
  const PlaylistEntry* EntryById(int id) const;
  // 1-based position of the entry with this id; 0 when there is none.
  int PositionOfId(int id) const;

 private:
  int NewId() const;
  int ShufflePosition(const std::function<int()>& random15) const;

  PlaylistFileAccess* access_;
  PlaylistView* view_ = nullptr;
  std::vector<PlaylistEntry> entries_;
  mutable size_t lookupHint_ = 0;  // index where the last id search ended
  int currentId_ = 0;
  std::u16string fileName_;
  std::u16string buildText_;
};

}  // namespace zv
