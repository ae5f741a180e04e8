#pragma once
// What the media tests share: COM for the whole run, an owner window that
// stands in for the player window, a watcher that answers message boxes, the
// English texts, a trace log that can be read back, and opening a file.
#include "app/DebugDlg.h"
#include "app/Settings.h"
#include "lang/LanguageTable.h"
#include "media/VideoFile.h"
#include "tests/win/support/TestEnvironment.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CDVD;

namespace zvtest {

// A top-level window in place of the player window: counts graph-event
// notifications and the mouse messages that reach it.
class OwnerWindow {
 public:
  OwnerWindow(int width = 640, int height = 480);
  ~OwnerWindow();
  HWND hwnd() const { return hwnd_; }
  RECT ClientRect() const;

  int graphEvents = 0;
  std::vector<MSG> mouseMessages;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
};

// Presses OK on every message box of this process while it lives and counts
// the boxes it answered.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  int Count() const { return count_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> count_{0};
  std::thread thread_;
};

const LanguageTable& EnglishTexts();

// A trace sink writing to a file of its own (no window); Text() reads it back.
class TraceFile {
 public:
  explicit TraceFile(const std::wstring& name);
  ~TraceFile();
  CDebugDlg* log() { return log_.get(); }
  std::wstring Text() const;
  void Close() { log_.reset(); }

 private:
  std::wstring path_;
  std::unique_ptr<CDebugDlg> log_;
};

// Opens a media file in the owner window with the given settings.
std::unique_ptr<VideoFile> OpenMedia(const std::wstring& path, OwnerWindow& owner, CSettings& settings,
                                     CDebugDlg* log = nullptr);

// Settings as a fresh installation has them, never stored.
std::unique_ptr<CSettings> DefaultSettings();

// Graph state after waiting for transitions to settle.
long SettledState(VideoFile& media);

// Pumps messages for a while (the renderers paint through the message loop).
void Pump(DWORD ms);

// Pixels near `colour` on the screen inside a rectangle of the DVD picture
// (720 x 576), every second one counted; -1 while there is no picture.
int DvdPicturePixelsNear(CDVD* dvd, int x0, int y0, int x1, int y1, COLORREF colour);

}  // namespace zvtest
