#include "playlist/Playlist.h"

#include <climits>

#include "playlist/PlaylistPaths.h"
#include "playlist/PlaylistReaders.h"
#include "playlist/PlaylistText.h"
#include "playlist/PlaylistWriter.h"

namespace zv {
namespace {

// Process-wide: ids stay unique across lists and refills, so a list view
// never confuses an old item with a new one.
int g_nextEntryId = 1;

bool IsBlankEntry(std::u16string_view entry) {
  for (char16_t c : entry)
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n' && c != u'\v' && c != u'\f') return false;
  return true;
}

}  // namespace

PlaylistEntry* Playlist::NewEntry() {
  for (;;) {
    int id = g_nextEntryId;
    g_nextEntryId = g_nextEntryId == INT_MAX ? 1 : g_nextEntryId + 1;
    auto [it, inserted] = entries_.try_emplace(id);
    if (!inserted) continue;  // the counter wrapped onto an id still in use
    it->second.id = id;
    return &it->second;
  }
}

int Playlist::AddEntry(std::u16string path) {
  if (path.empty()) return -1;
  PlaylistEntry* e = NewEntry();
  e->path = std::move(path);
  e->previous = last_;
  if (last_) {
    last_->next = e;
  } else {
    first_ = e;
  }
  last_ = e;
  return ++count_;
}

Playlist::~Playlist() {
  if (count_ == 0 || fileName_.empty() || access_ == nullptr) return;
  try {
    Save();
  } catch (...) {
    // Nothing can be reported at destruction; the file keeps its old content.
  }
}

void Playlist::Clear() {
  entries_.clear();
  first_ = last_ = nullptr;
  count_ = 0;
  currentId_ = 0;
  fileName_.clear();
}

PlaylistEntry* Playlist::MutableEntryAt(int position) const {
  if (position < 1 || position > count_) return nullptr;
  PlaylistEntry* e = first_;
  for (int i = 1; i < position; ++i) e = e->next;
  return e;
}

const PlaylistEntry* Playlist::EntryAt(int position) const { return MutableEntryAt(position); }

const PlaylistEntry* Playlist::EntryById(int id) const {
  auto it = entries_.find(id);
  return it == entries_.end() ? nullptr : &it->second;
}

std::u16string Playlist::EntryPath(int position) const {
  const PlaylistEntry* e = EntryAt(position);
  return e ? e->path : std::u16string();
}

int Playlist::CurrentPosition() const {
  if (currentId_ == 0) return 0;
  int position = 1;
  for (const PlaylistEntry* e = first_; e; e = e->next, ++position)
    if (e->id == currentId_) return position;
  return 0;
}

void Playlist::SetCurrentByPosition(int position) {
  const PlaylistEntry* e = EntryAt(position);
  currentId_ = e ? e->id : 0;
  RefreshView();
}

void Playlist::SetCurrentById(int id) {
  currentId_ = EntryById(id) ? id : 0;
  RefreshView();
}

void Playlist::MarkEntry(int id, int value) {
  auto it = entries_.find(id);
  if (it != entries_.end()) it->second.marked = value;
}

void Playlist::Unlink(PlaylistEntry* e) {
  (e->previous ? e->previous->next : first_) = e->next;
  (e->next ? e->next->previous : last_) = e->previous;
}

bool Playlist::RemoveEntry(int id) {
  auto it = entries_.find(id);
  if (it == entries_.end()) return false;
  Unlink(&it->second);
  if (currentId_ == id) currentId_ = 0;
  entries_.erase(it);
  --count_;
  return true;
}

int Playlist::RemoveMarkedEntries() {
  int removed = 0;
  for (PlaylistEntry* e = first_; e;) {
    PlaylistEntry* next = e->next;
    if (e->marked && RemoveEntry(e->id)) ++removed;
    e = next;
  }
  return removed;
}

// e and e->next change places.
void Playlist::SwapWithNext(PlaylistEntry* e) {
  PlaylistEntry* n = e->next;
  PlaylistEntry* before = e->previous;
  PlaylistEntry* after = n->next;
  (before ? before->next : first_) = n;
  (after ? after->previous : last_) = e;
  n->previous = before;
  n->next = e;
  e->previous = n;
  e->next = after;
}

bool Playlist::MoveMarkedEntries(int delta) {
  bool moved = false;
  if (delta < 0) {
    for (PlaylistEntry* e = first_; e; e = e->next) {
      if (!e->marked) continue;
      if (e == first_) return moved;
      SwapWithNext(e->previous);  // e now stands where its predecessor stood
      moved = true;
    }
    return moved;
  }
  for (PlaylistEntry* e = last_; e;) {
    PlaylistEntry* previous = e->previous;
    if (e->marked && e != last_) {
      SwapWithNext(e);
      moved = true;
    }
    e = previous;
  }
  return moved;
}

int Playlist::ShufflePosition(const std::function<int()>& random15) const {
  int current = CurrentPosition();
  int wanted = current;
  // A broken random source must not hang the player; after many equal
  // draws the following entry is taken.
  for (int draw = 0; draw < 1000 && wanted == current; ++draw) {
    int r = random15() & 0x7FFF;
    wanted = static_cast<int>(static_cast<double>(r) / 32768.0 * count_) + 1;
  }
  if (wanted == current) wanted = current % count_ + 1;
  return wanted;
}

int Playlist::NextPosition(bool shuffle, const std::function<int()>& random15) const {
  if (shuffle && count_ > 1) return ShufflePosition(random15);
  return CurrentPosition() + 1;
}

int Playlist::PreviousPosition(bool shuffle, const std::function<int()>& random15) const {
  if (shuffle && count_ > 1) return ShufflePosition(random15);
  int current = CurrentPosition();
  return current > 0 ? current - 1 : 0;
}

bool Playlist::PlayPosition(int wanted, const std::function<bool(const std::u16string&)>& open) {
  if (count_ == 0) return false;
  if (wanted > count_) wanted = 1;
  if (wanted <= 0) wanted = CurrentPosition();
  if (wanted == 0) wanted = 1;
  PlaylistEntry* e = MutableEntryAt(wanted);
  for (; e; e = e->next) {
    currentId_ = e->id;
    RefreshView();
    if (open(e->path)) return true;
  }
  return false;
}

bool Playlist::Load(const std::u16string& pathOrUrl) {
  PlaylistKind kind = PlaylistKindFromPath(pathOrUrl);
  if (kind == PlaylistKind::None || access_ == nullptr) return false;
  std::vector<uint8_t> bytes;
  bool read = IsUrlPath(pathOrUrl) ? access_->FetchUrl(pathOrUrl, bytes) : access_->ReadFile(pathOrUrl, bytes);
  if (!read) return false;
  std::u16string text = DecodePlaylistBytes(bytes);
  bytes = {};

  ParsedPlaylist parsed;
  switch (kind) {
    case PlaylistKind::LineList: parsed = ParseLineList(text); break;
    case PlaylistKind::Pls: parsed = ParsePls(text); break;
    case PlaylistKind::Asx: parsed = ParseAsx(text); break;
    case PlaylistKind::Own: parsed = ParseOwnPlaylist(text); break;
    case PlaylistKind::None: return false;
  }
  if (!parsed.accepted) return false;

  Clear();
  entries_.reserve(parsed.entries.size());
  // An empty entry names nothing; made relative it would name the list's folder.
  for (std::u16string& entry : parsed.entries)
    if (!IsBlankEntry(entry)) AddEntry(ResolveEntryPath(std::move(entry), pathOrUrl));
  if (count_ == 0) {
    RefreshView();
    return false;
  }
  // An address can not be written back to, so it never becomes the file name.
  if (kind == PlaylistKind::Own && !IsUrlPath(pathOrUrl)) fileName_ = pathOrUrl;
  SetCurrentByPosition(parsed.startPosition);
  return true;
}

std::vector<uint8_t> Playlist::SaveBytes() const {
  std::vector<std::u16string> paths;
  paths.reserve(static_cast<size_t>(count_));
  for (const PlaylistEntry* e = first_; e; e = e->next) paths.push_back(e->path);
  return OwnPlaylistBytes(paths, CurrentPosition(), buildText_, fileName_);
}

bool Playlist::Save() {
  if (fileName_.empty() || access_ == nullptr) return false;
  return access_->WriteFile(fileName_, SaveBytes());
}

}  // namespace zv
