#pragma once
// The stream menus' command ids, the stream table and what a chosen id
// means. The player window builds its sub-menus from these plans and sends
// the decoded choice to the media object's stream selection.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zv::streams {

// Command ids of the dynamic menu items.
constexpr uint32_t kFilterFirst = 59000;  // filter sub-menu, + filter number
constexpr uint32_t kFilterLast = 59999;
constexpr uint32_t kTableFirst = 60000;  // filter pop-ups: + stream table entry
constexpr uint32_t kChapterFirst = 60000;
constexpr uint32_t kChapterLast = 60599;
constexpr uint32_t kAudioFirst = 61000;
constexpr uint32_t kAudioLast = 61599;
constexpr uint32_t kSubtitleOff = 61999;
constexpr uint32_t kSubtitleFirst = 62000;
constexpr uint32_t kSubtitleLast = 62599;
constexpr uint32_t kAngleFirst = 63000;
constexpr uint32_t kAngleLast = 63599;
constexpr uint32_t kAudioEntryFirst = 65000;  // audio sub-menu: + stream table entry
constexpr uint32_t kSubtitleEntryFirst = 66000;
constexpr uint32_t kLastStreamId = 66999;

constexpr size_t kTableLimit = 1000;  // entries of the stream table
constexpr int kListLimit = 600;       // items of one chapter/audio/subtitle/angle list

// Stream kinds of the media object's operations.
constexpr int kKindFilters = 0;
constexpr int kKindChapter = 1;
constexpr int kKindAudio = 2;
constexpr int kKindSubtitle = 3;
constexpr int kKindAngle = 4;

// A table entry: the stream's index in its filter and the filter's number.
constexpr uint32_t TableEntry(int streamIndex, int filter) {
  return (static_cast<uint32_t>(streamIndex) << 16) | (static_cast<uint32_t>(filter) & 0xFFFF);
}
constexpr int EntryStream(uint32_t entry) { return static_cast<int>(entry >> 16); }
constexpr int EntryFilter(uint32_t entry) { return static_cast<int>(entry & 0xFFFF); }

// What a chosen command id asks for.
enum class Choice {
  None,          // not a stream id, or past the table
  TableStream,   // SelectStream(index, kind = filter number), unconditionally
  Chapter,       // SelectStream(index, 1) unless checked
  Audio,         // SelectStream(index, 2) unless checked
  SubtitleOff,   // toggles subtitles off and on
  Subtitle,      // SelectStream(index, 3) unless checked while "Off" is not
  Angle,         // SelectStream(index, 4) unless checked
};

struct StreamCommand {
  Choice choice = Choice::None;
  int index = 0;
  int kind = 0;
};

StreamCommand DecodeStreamCommand(uint32_t id, const std::vector<uint32_t>& table);

// ---- building the menus of stream-selecting filters ----

enum class MajorType { Audio, Text, Other };

struct StreamInfo {
  std::u16string name;
  int group = 0;
  MajorType major = MajorType::Other;
  bool enabled = false;
};

enum class Target { FilterPopup, AudioMenu, SubtitleMenu };

struct PlannedItem {
  Target target = Target::FilterPopup;
  int popup = 0;           // the filter pop-up it goes to (0-based), for FilterPopup
  bool separator = false;  // a separator instead of an item
  uint32_t id = 0;
  std::u16string text;
  bool checked = false;
};

struct FilterMenuPlan {
  std::vector<std::u16string> popups;  // one per filter, titled with its name
  std::vector<PlannedItem> items;      // in the order they are appended
  std::vector<uint32_t> table;         // at most kTableLimit entries
};

// The filters' pop-ups, the audio and subtitle sub-menu items and the
// stream table, for filters 1..filterCount. Stream info is asked for lazily:
// a full table stops the asking. `info` returns false for a stream whose
// info cannot be read (it is left out).
struct FilterSource {
  std::function<std::u16string(int filter)> filterName;
  std::function<int(int filter)> streamCount;
  std::function<bool(int filter, int stream, StreamInfo* info)> info;
};
FilterMenuPlan PlanFilterMenus(int filterCount, const FilterSource& source);

// Graph events after which the stream menus are built again: a DVD's title,
// audio stream, subpicture stream or angle changed.
bool RebuildsStreamMenus(long eventCode);

// The user-operation flags of a DVD navigator that forbid a list; 0 for
// kinds without one.
uint32_t ForbiddingOperation(int kind);

// The preferred audio stream among the audio sub-menu's item texts: the
// first text that contains a preferred code ("ENG", then "EN"), or the
// English name of that code's language; without a match the second item.
// -1 when there is none.
int PreferredAudioItem(const std::vector<std::u16string>& texts);

}  // namespace zv::streams
