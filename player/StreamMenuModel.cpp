#include "player/StreamMenuModel.h"

#include "media/LanguageNames.h"

namespace zv::streams {

StreamCommand DecodeStreamCommand(uint32_t id, const std::vector<uint32_t>& table) {
  auto fromTable = [&](uint32_t n) {
    if (n >= table.size()) return StreamCommand{};
    return StreamCommand{Choice::TableStream, EntryStream(table[n]), EntryFilter(table[n])};
  };
  if (id >= kTableFirst && id < kTableFirst + table.size()) return fromTable(id - kTableFirst);
  if (id >= kChapterFirst && id <= kChapterLast) return {Choice::Chapter, static_cast<int>(id - kChapterFirst), kKindChapter};
  if (id >= kAudioFirst && id <= kAudioLast) return {Choice::Audio, static_cast<int>(id - kAudioFirst), kKindAudio};
  if (id == kSubtitleOff) return {Choice::SubtitleOff, -1, kKindSubtitle};
  if (id >= kSubtitleFirst && id <= kSubtitleLast)
    return {Choice::Subtitle, static_cast<int>(id - kSubtitleFirst), kKindSubtitle};
  if (id >= kAngleFirst && id <= kAngleLast) return {Choice::Angle, static_cast<int>(id - kAngleFirst), kKindAngle};
  if (id >= kAudioEntryFirst && id < kAudioEntryFirst + kTableLimit) return fromTable(id - kAudioEntryFirst);
  if (id >= kSubtitleEntryFirst && id < kSubtitleEntryFirst + kTableLimit) return fromTable(id - kSubtitleEntryFirst);
  return {};
}

FilterMenuPlan PlanFilterMenus(int filterCount, const FilterSource& source) {
  FilterMenuPlan plan;
  for (int filter = 1; filter <= filterCount; ++filter) {
    const int popup = static_cast<int>(plan.popups.size());
    plan.popups.push_back(source.filterName(filter));
    StreamInfo first;
    int previousGroup = source.info(filter, 0, &first) ? first.group : 0;
    const int count = source.streamCount(filter);
    for (int stream = 0; stream < count && plan.table.size() < kTableLimit; ++stream) {
      StreamInfo info;
      if (!source.info(filter, stream, &info)) continue;
      if (info.group != previousGroup) plan.items.push_back({Target::FilterPopup, popup, true, 0, {}, false});
      previousGroup = info.group;
      const uint32_t n = static_cast<uint32_t>(plan.table.size());
      plan.items.push_back({Target::FilterPopup, popup, false, kTableFirst + n, info.name, info.enabled});
      if (info.major == MajorType::Audio)
        plan.items.push_back({Target::AudioMenu, 0, false, kAudioEntryFirst + n, info.name, info.enabled});
      else if (info.major == MajorType::Text)
        plan.items.push_back({Target::SubtitleMenu, 0, false, kSubtitleEntryFirst + n, info.name, info.enabled});
      plan.table.push_back(TableEntry(stream, filter));
    }
  }
  return plan;
}

bool RebuildsStreamMenus(long eventCode) {
  constexpr long kTitleChange = 258, kAudioStreamChange = 260, kSubpictureStreamChange = 261, kAngleChange = 262;
  return eventCode == kTitleChange || eventCode == kAudioStreamChange || eventCode == kSubpictureStreamChange ||
         eventCode == kAngleChange;
}

uint32_t ForbiddingOperation(int kind) {
  switch (kind) {
    case kKindChapter:
      return 0x2;
    case kKindAudio:
      return 0x100000;
    case kKindSubtitle:
      return 0x200000;
    case kKindAngle:
      return 0x400000;
    default:
      return 0;
  }
}

int PreferredAudioItem(const std::vector<std::u16string>& texts) {
  for (const char* code : {"ENG", "EN"}) {
    const std::u16string upper(code, code + std::char_traits<char>::length(code));
    const std::u16string name = EnglishLanguageName(code);
    for (size_t i = 0; i < texts.size(); ++i) {
      if (texts[i].empty()) continue;
      if (texts[i].find(upper) != std::u16string::npos || texts[i].find(name) != std::u16string::npos)
        return static_cast<int>(i);
    }
  }
  return texts.size() >= 2 && !texts[1].empty() ? 1 : -1;
}

}  // namespace zv::streams
