#include "settings/SettingsForm.h"

#include "app/Settings.h"
#include "app/TextUtil.h"

#include <algorithm>

namespace zv::settingsform {

int32_t ValidPlaybackDelay(int32_t value) { return value < 0 ? 0 : value; }
int32_t ValidJumpingRange(int32_t value) { return value <= 0 ? 1 : value; }

int32_t PlaybackDelayFromText(const std::u16string& text) { return ValidPlaybackDelay(ReadInt(text)); }
int32_t JumpingRangeFromText(const std::u16string& text) { return ValidJumpingRange(ReadInt(text)); }

int ToolBarPosIndex(int32_t value) { return value == 0 || value == 1 ? value : 0; }
int PriorityIndex(int32_t value) { return value >= 0 && value <= 5 ? value : 1; }
int CheckValue(int32_t value) { return value != 0 ? 1 : 0; }

size_t FirstEntryBeginningWith(const std::vector<std::u16string>& entries, const std::u16string& prefix) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].compare(0, prefix.size(), prefix) == 0) return i;
  return 0;
}

std::u16string ResolutionText(uint32_t width, uint32_t height) {
  return Widen(std::to_string(static_cast<int32_t>(width)).c_str()) + u" x " +
         Widen(std::to_string(static_cast<int32_t>(height)).c_str());
}

std::vector<std::u16string> ResolutionEntries(const DisplayMode& current, const std::vector<DisplayMode>& modes) {
  std::vector<std::u16string> entries;
  for (const DisplayMode& mode : modes) {
    if (mode.bitsPerPixel != current.bitsPerPixel || mode.flags != current.flags ||
        mode.frequency != current.frequency || mode.width < mode.height)
      continue;
    const std::u16string text = ResolutionText(mode.width, mode.height);
    const bool listed = std::any_of(entries.begin(), entries.end(), [&](const std::u16string& entry) {
      return entry.compare(0, text.size(), text) == 0;
    });
    if (!listed) entries.push_back(text);
  }
  return entries;
}

std::u16string MonitorEntryText(const std::u16string& deviceName, bool primary) {
  return deviceName + u" " + (primary ? u"(primary) " : u"");
}

std::u16string PageTitle(const std::u16string& nodeText, const std::u16string* fileAssociationsText) {
  if (fileAssociationsText) return u" " + *fileAssociationsText + u" - " + nodeText;
  return u" " + nodeText;
}

ScrollRange ScrollRangeFor(int contentHeight, int visibleHeight) {
  ScrollRange r;
  r.range = std::max(0, contentHeight - visibleHeight);
  r.page = r.range / 10;
  return r;
}

int ScrollTarget(ScrollRequest request, int current, int range, int thumb) {
  switch (request) {
    case ScrollRequest::LineUp:
    case ScrollRequest::PageUp:
    case ScrollRequest::Top:
      return 0;
    case ScrollRequest::LineDown:
    case ScrollRequest::PageDown:
    case ScrollRequest::Bottom:
      return range;
    case ScrollRequest::Thumb:
      return std::clamp(thumb, 0, range);
    case ScrollRequest::Other:
      break;
  }
  return std::clamp(current, 0, range);
}

void KeepRuntimeValues(const CSettings& live, CSettings& copy) {
  copy.PlaylistDirTree = live.PlaylistDirTree;
  copy.PlaylistShuffle = live.PlaylistShuffle;
  copy.PlaylistWindowRect = live.PlaylistWindowRect;
  copy.Balance = live.Balance;
  copy.Volume = live.Volume;
  copy.TitleBar = live.TitleBar;
  copy.MenuBar = live.MenuBar;
  copy.ToolBar = live.ToolBar;
  copy.PositionBar = live.PositionBar;
  copy.StatusBar = live.StatusBar;
  copy.CompactView = live.CompactView;
  copy.AlwaysOnTop = live.AlwaysOnTop;
  copy.AspectRatio = live.AspectRatio;
  copy.WindowWidth = live.WindowWidth;
  copy.WindowHeight = live.WindowHeight;
  copy.WindowPosX = live.WindowPosX;
  copy.WindowPosY = live.WindowPosY;
  copy.OwnerWindow = live.OwnerWindow;
}

}  // namespace zv::settingsform
