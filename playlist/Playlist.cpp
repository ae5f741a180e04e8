#include "playlist/Playlist.h"

#include <algorithm>
#include <climits>

#include "playlist/PlaylistPaths.h"
#include "playlist/PlaylistReaders.h"
#include "playlist/PlaylistText.h"
#include "playlist/PlaylistWriter.h"

namespace zv {
namespace {

// Process-wide: ids stay unique across lists and refills, so a list view
// never confuses an old item with a new one. Until the counter wraps, a new
// id is unique by construction; after that it is checked against the list.
int g_nextEntryId = 1;
bool g_idsWrapped = false;

bool IsBlankEntry(std::u16string_view entry) {
  for (char16_t c : entry)
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n' && c != u'\v' && c != u'\f') return false;
  return true;
}

}  // namespace

int Playlist::NewId() const {
  for (;;) {
    const int id = g_nextEntryId;
    if (g_nextEntryId == INT_MAX) {
      g_nextEntryId = 1;
      g_idsWrapped = true;
    } else {
      ++g_nextEntryId;
    }
    if (!g_idsWrapped || PositionOfId(id) == 0) return id;
  }
}

int Playlist::AddEntry(std::u16string path) {
  if (path.empty()) return -1;
  PlaylistEntry entry;
  entry.id = NewId();
  entry.path = std::move(path);
  entries_.push_back(std::move(entry));
  return Count();
}

Playlist::~Playlist() {
  if (entries_.empty() || fileName_.empty() || access_ == nullptr) return;
  try {
    Save();
  } catch (...) {
    // Nothing can be reported at destruction; the file keeps its old content.
  }
}

void Playlist::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  lookupHint_ = 0;
  currentId_ = 0;
  fileName_.clear();
}

const PlaylistEntry* Playlist::EntryAt(int position) const {
  if (position < 1 || position > Count()) return nullptr;
  return &entries_[static_cast<size_t>(position - 1)];
}

int Playlist::PositionOfId(int id) const {
  const size_t n = entries_.size();
  if (id == 0 || n == 0) return 0;
  // Edits move entries by a few places at most, so the search starts at the
  // last hit and widens from there.
  const size_t hint = lookupHint_ < n ? lookupHint_ : n - 1;
  for (size_t d = 0; d < n; ++d) {
    if (hint + d < n && entries_[hint + d].id == id) {
      lookupHint_ = hint + d;
      return static_cast<int>(hint + d + 1);
    }
    if (d != 0 && d <= hint && entries_[hint - d].id == id) {
      lookupHint_ = hint - d;
      return static_cast<int>(hint - d + 1);
    }
    if (d > hint && hint + d >= n) break;
  }
  return 0;
}

const PlaylistEntry* Playlist::EntryById(int id) const { return EntryAt(PositionOfId(id)); }

std::u16string Playlist::EntryPath(int position) const {
  const PlaylistEntry* e = EntryAt(position);
  return e ? e->path : std::u16string();
}

int Playlist::CurrentPosition() const { return PositionOfId(currentId_); }

void Playlist::SetCurrentByPosition(int position) {
  const PlaylistEntry* e = EntryAt(position);
  currentId_ = e ? e->id : 0;
  RefreshView();
}

void Playlist::SetCurrentById(int id) {
  currentId_ = PositionOfId(id) != 0 ? id : 0;
  RefreshView();
}

void Playlist::MarkEntry(int id, int value) { MarkPosition(PositionOfId(id), value); }

void Playlist::MarkPosition(int position, int value) {
  if (position >= 1 && position <= Count()) entries_[static_cast<size_t>(position - 1)].marked = value;
}

void Playlist::MarkRange(int first, int last, int value) {
  if (first < 1) first = 1;
  if (last > Count()) last = Count();
  for (int p = first; p <= last; ++p) entries_[static_cast<size_t>(p - 1)].marked = value;
}

void Playlist::MarkAll(int value) {
  for (PlaylistEntry& e : entries_) e.marked = value;
}

bool Playlist::RemoveEntry(int id) {
  const int position = PositionOfId(id);
  if (position == 0) return false;
  if (currentId_ == id) currentId_ = 0;
  entries_.erase(entries_.begin() + (position - 1));
  return true;
}

int Playlist::RemoveMarkedEntries() {
  const size_t before = entries_.size();
  const auto removed = std::remove_if(entries_.begin(), entries_.end(), [this](const PlaylistEntry& e) {
    if (e.marked && e.id == currentId_) currentId_ = 0;
    return e.marked != 0;
  });
  entries_.erase(removed, entries_.end());
  return static_cast<int>(before - entries_.size());
}

bool Playlist::MoveMarkedEntries(int delta) {
  bool moved = false;
  const size_t n = entries_.size();
  if (delta < 0) {
    for (size_t i = 0; i < n; ++i) {
      if (!entries_[i].marked) continue;
      if (i == 0) return moved;  // a marked first entry blocks the whole move
      std::swap(entries_[i - 1], entries_[i]);
      moved = true;
    }
    return moved;
  }
  for (size_t i = n; i-- > 0;) {
    if (entries_[i].marked && i + 1 < n) {
      std::swap(entries_[i], entries_[i + 1]);
      moved = true;
    }
  }
  return moved;
}

int Playlist::ShufflePosition(const std::function<int()>& random15) const {
  int current = CurrentPosition();
  int wanted = current;
  const int count = Count();
  // A broken random source must not hang the player; after many equal
  // draws the following entry is taken.
  for (int draw = 0; draw < 1000 && wanted == current; ++draw) {
    int r = random15() & 0x7FFF;
    wanted = static_cast<int>(static_cast<double>(r) / 32768.0 * count) + 1;
  }
  if (wanted == current) wanted = current % count + 1;
  return wanted;
}

int Playlist::NextPosition(bool shuffle, const std::function<int()>& random15) const {
  if (shuffle && Count() > 1) return ShufflePosition(random15);
  return CurrentPosition() + 1;
}

int Playlist::PreviousPosition(bool shuffle, const std::function<int()>& random15) const {
  if (shuffle && Count() > 1) return ShufflePosition(random15);
  int current = CurrentPosition();
  return current > 0 ? current - 1 : 0;
}

bool Playlist::PlayPosition(int wanted, const std::function<bool(const std::u16string&)>& open) {
  const int count = Count();
  if (count == 0) return false;
  if (wanted > count) wanted = 1;
  if (wanted <= 0) wanted = CurrentPosition();
  if (wanted == 0) wanted = 1;
  for (int p = wanted; p <= Count(); ++p) {
    currentId_ = entries_[static_cast<size_t>(p - 1)].id;
    RefreshView();
    // A copy: opening may reach back into the list.
    const std::u16string path = entries_[static_cast<size_t>(p - 1)].path;
    if (open(path)) return true;
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
    case PlaylistKind::Asx: parsed = ParseAsx(std::move(text)); break;
    case PlaylistKind::Own: parsed = ParseOwnPlaylist(std::move(text)); break;
    case PlaylistKind::None: return false;
  }
  if (!parsed.accepted) return false;

  Clear();
  entries_.reserve(parsed.entries.size());
  // An empty entry names nothing; made relative it would name the list's folder.
  for (std::u16string& entry : parsed.entries)
    if (!IsBlankEntry(entry)) AddEntry(ResolveEntryPath(std::move(entry), pathOrUrl));
  if (entries_.empty()) {
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
  paths.reserve(entries_.size());
  for (const PlaylistEntry& e : entries_) paths.push_back(e.path);
  return OwnPlaylistBytes(paths, CurrentPosition(), buildText_, fileName_);
}

bool Playlist::Save() {
  if (fileName_.empty() || access_ == nullptr) return false;
  return access_->WriteFile(fileName_, SaveBytes());
}

}  // namespace zv
