#pragma once
// The rules by which the settings pages turn what the user sees into
// settings values and back: numbers typed into edits, list indexes, the
// resolution list, the title line and the General page's scrolling. Portable,
// so that the rules are tested natively.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CSettings;

namespace zv::settingsform {

// The playback delay typed into its edit: the leading integer (0 when there
// is none), raised to 0 when negative.
int32_t PlaybackDelayFromText(const std::u16string& text);
// The jumping range typed into its edit: the leading integer, 1 when it is 0
// or less.
int32_t JumpingRangeFromText(const std::u16string& text);
// The same rules for a value read from the registry.
int32_t ValidPlaybackDelay(int32_t value);
int32_t ValidJumpingRange(int32_t value);

// List indexes as the General page shows them: a value outside the list
// shows (and, once anything changes, stores) what an empty selection stores.
int ToolBarPosIndex(int32_t value);    // 0 top, 1 bottom; else 0
int PriorityIndex(int32_t value);      // 0 .. 5; else 1
int CheckValue(int32_t value);         // a check box: 0 or 1

// The first entry that begins with prefix (case-sensitive), or 0 when none
// does: how the renderer and resolution lists find their selection.
size_t FirstEntryBeginningWith(const std::vector<std::u16string>& entries, const std::u16string& prefix);

// A display mode as the platform enumerates it.
struct DisplayMode {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bitsPerPixel = 0;
  uint32_t flags = 0;
  uint32_t frequency = 0;
};
// "1024 x 768"
std::u16string ResolutionText(uint32_t width, uint32_t height);
// The resolutions offered for a monitor, in enumeration order: modes with
// the current mode's depth, flags and refresh rate, not taller than wide,
// each text once (an entry that begins with a text counts as that text).
std::vector<std::u16string> ResolutionEntries(const DisplayMode& current, const std::vector<DisplayMode>& modes);

// A monitor's row in the monitor lists: its device name and a blank, with
// "(primary) " after it for the primary monitor.
std::u16string MonitorEntryText(const std::u16string& deviceName, bool primary);

// The title line: a blank and the node's text, or for a file-association
// category a blank, the File associations text, " - " and the node's text.
std::u16string PageTitle(const std::u16string& nodeText, const std::u16string* fileAssociationsText);

// Vertical scrolling of a page taller than its window. The position runs
// from 0 to range; the page size (the thumb) is a tenth of the range.
struct ScrollRange {
  int range = 0;
  int page = 0;
};
ScrollRange ScrollRangeFor(int contentHeight, int visibleHeight);
// Where a scroll request goes. Line and page steps go straight to the top or
// the bottom; dragging the thumb goes to the thumb's position.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb, Other };
int ScrollTarget(ScrollRequest request, int current, int range, int thumb);

// The values the player window changes while it runs (volume, balance,
// window geometry, bars, views, shuffle, the playlist window): copied from
// the live settings into the dialog's copy just before OK hands the copy
// back, so that a change made while the dialog was open (a remote-control
// volume step) is not undone by it.
void KeepRuntimeValues(const CSettings& live, CSettings& copy);

}  // namespace zv::settingsform
