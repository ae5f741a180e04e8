#pragma once
// Differences of the media framework between platforms, decided once per
// process. Each has one seam here so the rest of the engine stays plain.

namespace zv {

// Wine's DirectShow deadlocks in the first Stop after a graph holding an
// audio renderer and a video stream was seeked while paused or running: the
// user-interface thread waits forever in the splitter's stream clean-up.
// Seeking a stopped graph never hangs there, so on Wine every seek stops
// the graph first and brings it back to its state afterwards. Windows seeks
// in place, which keeps playback seamless.
bool SeekOnlyWhenStopped();

// Wine's Enhanced Video Renderer plays, but its mixer dereferences a null
// media type when its input is disconnected, so tearing the graph down (or
// removing the renderer) crashes the process. There it is treated as a
// renderer that cannot be created; the others stand in for it.
bool EnhancedRendererUsable();

// True when the process runs under Wine (ntdll exports wine_get_version).
bool RunningOnWine();

}  // namespace zv
