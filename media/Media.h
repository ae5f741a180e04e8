#pragma once
// The abstract media object: the player window's only path to the media
// framework. It holds what every media object has (owner window, settings,
// trace log, source video size, the video window's rectangle and style) and
// implements the operations that concern only the video window. The slot
// order of the virtual operations is fixed; derived classes append theirs.
#include "framework/WinInclude.h"
#include "media/VideoPlacement.h"

#include <dshow.h>

#include <string>

class CDebugDlg;
class CSettings;

// Graph states as GetState reports them.
enum MediaState : long { kStateStopped = 0, kStatePaused = 1, kStateRunning = 2 };

// What a screenshot came to: saved, no picture to save (no frame could be
// grabbed or encoded; silent), or a picture that could not be written.
enum class SaveImageResult : int { kSaved = 0, kNoPicture = 1, kNotWritten = 2 };

// Stream kinds of the stream operations.
enum StreamKind : int { kStreamChapter = 1, kStreamAudio = 2, kStreamSubtitle = 3, kStreamAngle = 4 };

class CMedia {
 public:
  CMedia(HINSTANCE instance, HWND owner, CSettings* settings, const RECT& videoRect, std::wstring title,
         HICON icon);
  CMedia(const CMedia&) = delete;
  CMedia& operator=(const CMedia&) = delete;

  // --- the 35 operations of the base, in slot order ---
  virtual HRESULT SaveState() = 0;
  virtual void RestoreState() = 0;
  virtual ~CMedia();
  virtual LONGLONG GetCurrentFrame() = 0;
  // Saves the frame on screen as "<baseName>_<frame>.<extension>" (see
  // media/ScreenshotName.h); *savedAs receives the name written, when given.
  virtual SaveImageResult SaveCurrentImage(const std::wstring& baseName, const std::wstring& extension,
                                           std::wstring* savedAs = nullptr) = 0;
  virtual void SetBasicVideoDestinationPosition(int left, int top, int width, int height) = 0;
  virtual HBRUSH SetBackgroundColor(COLORREF color);
  virtual HRESULT GetState(long* state) = 0;
  virtual bool HasVideo() = 0;
  virtual bool HasAudio() = 0;
  virtual HRESULT Stop() = 0;
  virtual HRESULT Play() = 0;
  virtual HRESULT Pause() = 0;
  virtual HRESULT PlayPause() = 0;
  virtual HRESULT SetPosition(int hundredths) = 0;
  virtual HRESULT SetVolume(long volume) = 0;
  virtual long GetVolume() = 0;
  virtual int GetDuration() = 0;
  virtual int GetPosition() = 0;
  virtual double GetFrameRate() = 0;
  virtual HRESULT SetBalance(long balance) = 0;
  virtual long GetBalance() = 0;
  virtual HRESULT GetPreferredAspectRatio(long* x, long* y) = 0;
  virtual int GetStreamCount(int kind) = 0;
  virtual HRESULT GetStreamInfo(long index, AM_MEDIA_TYPE** mediaType, DWORD* enabled, int* kind,
                                std::wstring* name, LONGLONG* startTime) = 0;
  virtual HRESULT SelectStream(long index, int kind) = 0;
  virtual HRESULT SetRate(double rate) = 0;
  virtual double GetRate() = 0;
  virtual std::wstring GetFileName();
  virtual void GetDestinationSize(long* width, long* height) = 0;
  virtual HRESULT GetNativeVideoSize(long* width, long* height) = 0;
  virtual double GetRatio();
  virtual void SetFullscreen(bool on);
  virtual void GetSourceVideoSize(int* width, int* height);
  virtual void SetVideoWindowPosition(int width, int height);
  // Presents the paused picture again at the video window's present size:
  // a renderer that keeps no copy of the frame shows an older or a blank
  // picture after its window changed size. Nothing when not paused.
  virtual void ShowPausedFrameAgain();

  // --- non-virtual operations ---
  // Source size from the native size and the preferred aspect ratio.
  void RefreshSourceVideoSize();

  // Places the picture in the video window by the fit mode and the zoom
  // factors; -1, -1 means the window's client size. Returns the factors used.
  zv::ZoomFactors PlaceVideo(int width = -1, int height = -1);
  void SetFitMode(int mode);
  // Negative factors become 0; the fit mode becomes manual zoom.
  void SetZoomFactors(double horizontal, double vertical);
  static int GetFitMode();
  static zv::ZoomFactors GetZoomFactors();

  void HideVideoWindow();
  // The video area in the owner's client coordinates; the child window
  // follows it (not while in fullscreen).
  void SetVideoRect(const RECT& rect);
  void MoveVideoWindow();
  int VideoWindowWidth() const;
  int VideoWindowHeight() const;
  void DisableSizeMemory() { sizeMemoryOff_ = true; }
  bool IsRendered() const { return rendered_; }

  HWND OwnerWindow() const { return owner_; }
  CDebugDlg* TraceLog() const { return log_; }
  const RECT& VideoRect() const { return videoRect_; }
  const std::wstring& WindowTitle() const { return title_; }
  HICON Icon() const { return icon_; }
  HINSTANCE Instance() const { return instance_; }
  DWORD WindowStyle() const { return windowStyle_; }
  CSettings* Settings() const { return settings_; }
  bool SizeMemoryOff() const { return sizeMemoryOff_; }

  // The process-wide video window (none before the first media object).
  static HWND VideoWindow();
  static bool IsFullscreen();
  // The player window reports every mouse movement; the cursor hides in
  // fullscreen after a second without one.
  static void SetLastMouseMove(ULONGLONG tick);

 protected:
  void Trace(const std::wstring& line) const;
  // Makes sure the video window exists and serves this object.
  void EnsureVideoWindow();

  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  CDebugDlg* log_ = nullptr;
  HINSTANCE instance_;
  CSettings* settings_;
  long savedState_ = kStateStopped;
  bool rendered_ = false;
  std::wstring fileName_;
  HWND owner_;
  int lastWindowWidth_ = -1;
  int lastWindowHeight_ = -1;
  DWORD windowStyle_ = WS_CHILD;
  RECT videoRect_;
  std::wstring title_;
  bool sizeMemoryOff_ = false;
  HICON icon_;
};
