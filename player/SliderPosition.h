#pragma once
// Where a click on a track bar lands: the bars jump to the clicked point
// instead of paging.

namespace zv {

// The position for a point at `coordinate` (x, or y for a vertical bar) on a
// bar whose channel runs from channelStart to channelEnd and whose range is
// rangeMin..rangeMax. With x the point's share of the channel,
// position = integer part of (min + (max + 1 - min) * x + 0.5 - x), so the
// far left gives min and the very right end gives max (not max + 1).
// Points beyond the channel count as its ends, so the result always lies in
// the range; an empty channel gives min.
int SliderPositionFromPoint(int coordinate, int channelStart, int channelEnd, int rangeMin, int rangeMax);

}  // namespace zv
