#pragma once
// Differences of the media framework between platforms, decided once per
// process. Each has one seam here so the rest of the engine stays plain.

namespace zv {

// Wine's DirectShow deadlocks in the first Stop after a graph holding an
// audio renderer and a video stream was seeked while paused or running: the
// user-interface thread waits forever in the splitter's stream clean-up.
// A rate change seeks inside the splitter and counts as a seek.
// Seeking a stopped graph never hangs there, so on Wine every seek stops
// the graph first and brings it back to its state afterwards. Windows seeks
// in place, which keeps playback seamless.
bool SeekOnlyWhenStopped();

// Wine's Enhanced Video Renderer plays, but its mixer dereferences a null
// media type when its input is disconnected, so tearing the graph down (or
// removing the renderer) crashes the process. There it is treated as a
// renderer that cannot be created; the others stand in for it.
bool EnhancedRendererUsable();

// Wine's Video Mixing Renderers (9 and 7 alike) present through Direct3D,
// and on an X display without direct rendering (a virtual frame buffer,
// remote X) their window stays black although playback runs. The classic
// Video Renderer draws with GDI and is always visible, so "Current" passes
// over the mixing renderers there. Asking for one by name still gets it.
// Windows keeps the newest-first order.
bool MixingRenderersForCurrent();

// Wine's Video Mixing Renderers hand out the current frame labelled with
// the decoder's planar format and its size, while the bytes are the first
// part of their 32-bit surface: no picture can be made from it. There no
// screenshot is taken from them rather than a wrong one.
bool MixingRendererFramesUsable();

// Wine's StopWhenReady returns at once and stops the graph later from
// another thread, so a Pause issued right after it (a stopped picture coming
// back paused) is undone. There a plain Stop is used.
bool StopWhenReadyUsable();

// Wine's HKEY_CLASSES_ROOT shows only the machine's classes: class keys of the
// user (HKEY_CURRENT_USER "Software\Classes") never reach ShellExecute, so a
// per-user file association would have no effect. There the per-user
// association strategy keeps its class keys among the machine's classes,
// which the shell reads. Windows merges the user's classes in.
bool PerUserClassesReachShell();
// Wine's splitter builds its output pins as the platform's decoders come
// up, so the audio pins of one file come in a different order from run to
// run (seen with Matroska). There a pin is matched to its container track
// only by its format, never by its place. Windows' splitters keep the
// container's order.
bool SplitterPinsKeepTrackOrder();
// Wine's splitters can wait for ever inside RenderFile on a damaged file (a
// truncated AVI). There a graph build runs on a worker thread while the
// user-interface thread waits a bounded time (media/BoundedRender.h). A
// renderer the graph builder created on that worker would own a window that
// dies with the thread, so there every video renderer is created on the
// user-interface thread before the build: when the VideoRenderer setting
// yields none, the renderer Wine's builder would pick, the Video Renderer,
// stands in for the platform's choice. Windows builds on the calling thread
// and makes its own choice there.
bool GraphBuildCanHang();
// Wine's audio renderer, when it is the clock of a graph whose video
// renderer waits on it, starts a timer thread that outlives the graph: one
// thread is left behind for every such graph that ran (a bare graph of an
// MPEG file with sound shows it; a graph given a system clock of its own,
// or one without video, does not). There the DVD graph gets the system
// clock as its reference; Windows keeps the audio renderer's clock.
bool AudioRendererClockUsable();

// Wine's list view scrolls a row into view when the row is given the focus
// (LVM_SETITEMSTATE); Windows leaves the view where it is. A refresh of the
// playlist's list that focuses its first row would scroll to the top and
// back to the current entry, repainting the list each time. There a row out
// of view gets the focus only when a key needs it: until then the focus of
// a row out of view is not seen anyway.
bool FocusingListRowScrolls();

// Wine's Video Renderer keeps no copy of a paused frame: after its window
// changed size it shows black or the old picture stretched until the next
// frame comes. There the paused frame is sought again after a change of
// size (CMedia::ShowPausedFrameAgain). Windows' renderers repaint it.
bool RendererRepaintsPausedFrame();
// Wine's Video Renderer draws only when a frame comes, playing or paused:
// after its window changed size it shows black until the next frame (up to
// a frame's duration while playing). There what the renderer's window
// showed is held across entering and leaving fullscreen and shown again,
// stretched to the new size, until that frame (zv::HeldPicture). Windows'
// renderers repaint their picture at the new size themselves.
bool RendererRedrawsAfterResize();
// Wine places a window maximised on a monitor other than the primary one
// by the maximised position taken as a point of the desktop, so it lands on
// the primary monitor. There the window is moved back onto its monitor.
// Windows offsets that position by the monitor's origin.
bool MaximisedPositionFollowsMonitor();

// True when the process runs under Wine (ntdll exports wine_get_version).
bool RunningOnWine();

// The answers above, decided once before main runs. Only tests of the other
// platform's paths replace single answers (tests/win/media/QuirkOverride.h).
namespace quirks_detail {
struct Answers {
  bool seekOnlyWhenStopped;
  bool enhancedRendererUsable;
  bool mixingRenderersForCurrent;
  bool mixingRendererFramesUsable;
  bool stopWhenReadyUsable;
  bool graphBuildCanHang;
  bool audioRendererClockUsable;
  bool focusingListRowScrolls;
};
extern Answers g_answers;
}  // namespace quirks_detail

}  // namespace zv
