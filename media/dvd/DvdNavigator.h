#pragma once
// Our DVD navigator: the DVD virtual machine of libdvdnav (menus, buttons,
// program chain commands, still frames, chapters, streams, angles, user
// operation rules) run on a thread of its own and paced by the picture
// being presented, plus the data the platform's splitter reads: a segment of
// disc sectors that plays without a jump, with the unselected audio and the
// subpictures taken out. Subpictures and button highlights are decoded here
// and handed to the host as a picture to lay over the video.
//
// Free of platform headers; the host (media/dvd/DvdNavigatorObject) maps it
// onto the media framework's DVD interfaces and filter graph.
#include "media/dvd/Subpicture.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct dvdnav_s;
struct dvd_reader_s;
struct dvd_file_s;

namespace zv::dvd {

// Same numbering as the media framework's DVD domains.
enum class Domain { FirstPlay = 1, VideoManagerMenu = 2, VideoTitleSetMenu = 3, Title = 4, Stop = 5 };
enum MenuId { kMenuTitle = 2, kMenuRoot = 3, kMenuSubpicture = 4, kMenuAudio = 5, kMenuAngle = 6, kMenuChapter = 7 };
enum class ButtonDirection { Upper = 1, Lower = 2, Left = 3, Right = 4 };

// Prohibited user operations, one bit per operation as the media framework
// numbers them (1 << the operation's number on the disc).
enum Uop : uint32_t {
  kUopTitleOrTimePlay = 0x1,
  kUopChapterSearchOrPlay = 0x2,
  kUopTitlePlay = 0x4,
  kUopStop = 0x8,
  kUopReturnFromSubmenu = 0x10,
  kUopTimeOrChapterSearch = 0x20,
  kUopPrevOrReplayChapter = 0x40,
  kUopNextChapter = 0x80,
  kUopForwardScan = 0x100,
  kUopBackwardScan = 0x200,
  kUopTitleMenu = 0x400,
  kUopRootMenu = 0x800,
  kUopSubpictureMenu = 0x1000,
  kUopAudioMenu = 0x2000,
  kUopAngleMenu = 0x4000,
  kUopChapterMenu = 0x8000,
  kUopResume = 0x10000,
  kUopButton = 0x20000,
  kUopStillOff = 0x40000,
  kUopPauseOn = 0x80000,
  kUopAudioStream = 0x100000,
  kUopSubpictureStream = 0x200000,
  kUopAngle = 0x400000,
};

// A run of disc sectors that plays without a jump.
struct Segment {
  uint64_t id = 0;
  int vts = 0;       // 0: the video manager
  bool menu = true;  // menu or title objects of that set
  std::vector<std::pair<uint32_t, uint32_t>> ranges;  // first and last sector, inclusive
  int audioId = -1;  // the audio stream kept (zv::dvd::AudioStreamId), -1 none
  uint64_t Blocks() const;
};

enum class NavEvent {
  DomainChange,
  TitleChange,
  ChapterStart,
  AudioStreamChange,
  SubpictureStreamChange,
  AngleChange,
  ValidUopsChange,
  PlaybackStopped,
  Complete,
};

class NavigatorHost {
 public:
  virtual ~NavigatorHost() = default;
  // Stream time of the segment being presented, 90 kHz (0 while stopped).
  virtual int64_t PresentationTime() = 0;
  // Replaces the segment being presented (called on the navigator thread;
  // returns when done, or false when the host gave up, at shutdown).
  virtual bool ChangeSegment(const Segment& segment) = 0;
  virtual void PostEvent(NavEvent event, long param1, long param2) = 0;
  // The overlay picture changed (Navigator::Overlay).
  virtual void OverlayChanged() = 0;
};

struct OverlayPicture {
  bool visible = false;
  int width = 0, height = 0;
  std::vector<uint32_t> argb;  // width * height
  uint64_t serial = 0;
};

struct VideoInfo {
  int width = 720, height = 576;
  int aspectX = 4, aspectY = 3;
  bool pal = true;
};

class Navigator {
 public:
  // Opens a disc, a folder holding VIDEO_TS or a VIDEO_TS folder (UTF-8
  // path). Null with `error` set when it is no DVD-Video volume.
  static std::unique_ptr<Navigator> Open(const std::string& path, std::string* error);
  ~Navigator();
  Navigator(const Navigator&) = delete;
  Navigator& operator=(const Navigator&) = delete;

  // Starts the virtual machine; the first segment is asked for at once.
  void Start(NavigatorHost* host);
  // Ends the navigator thread (idempotent).
  void Shutdown();

  // ---- commands; false when the operation is prohibited or failed ----
  bool ShowMenu(int menu);
  bool Resume();
  bool ReturnFromSubmenu();
  bool PlayTitle(int title);
  bool PlayChapterInTitle(int title, int chapter);
  bool PlayChapter(int chapter);
  bool PlayNextChapter();
  bool PlayPrevChapter();
  bool ReplayChapter();
  bool PlayAtTime(int64_t time90k);
  bool SelectRelativeButton(ButtonDirection direction);
  bool ActivateButton();
  bool SelectButton(int button);
  bool SelectAndActivateButton(int button);
  // Points are in picture coordinates of the DVD's own resolution.
  bool SelectAtPosition(int x, int y);
  bool ActivateAtPosition(int x, int y);
  // 0 when there is no button at the point.
  int ButtonAtPosition(int x, int y);
  bool StillOff();
  bool SelectAudioStream(int logical);
  bool SelectSubpictureStream(int logical);
  void SetSubpictureDisplay(bool on);
  bool SelectAngle(int angle);
  void SetDefaultLanguages(const std::string& menu, const std::string& audio, const std::string& subpicture);
  void Stop();

  // ---- state ----
  Domain CurrentDomain();
  // Title and chapter of what plays (0 in menus), and the presented time in
  // the title (90 kHz).
  void CurrentLocation(int* title, int* chapter, int64_t* time90k);
  int64_t TitleLength90k();
  int TitleCount();
  int ChapterCount(int title);
  int AngleCount();
  int CurrentAngle();
  int AudioCount();
  int CurrentAudio();
  std::string AudioLanguage(int logical);  // two letters, empty when unknown
  int SubpictureCount();
  int CurrentSubpicture();
  bool SubpictureDisplayed();
  std::string SubpictureLanguage(int logical);
  uint32_t ProhibitedUops();
  int ButtonCount();
  int CurrentButton();
  VideoInfo Video();
  bool ButtonRect(int button, int* sx, int* sy, int* ex, int* ey);

  // ---- data of a segment, for the splitter's reads (any thread) ----
  // Copies `size` bytes at `offset` of segment `segment`; false past its end
  // or on a read error.
  bool ReadSegment(const Segment& segment, uint64_t offset, uint32_t size, uint8_t* out);

  OverlayPicture Overlay();

 private:
  Navigator() = default;
  void Run();
  // Handles one block; returns false to end the thread.
  bool Step(uint8_t* block);
  void OnNavPacket();
  void OnBlock(const uint8_t* block, int length);
  void Pace(int64_t vobuStartPts);
  void WaitForPresentationEnd(bool untilCommand);
  bool WaitCommandOr(int64_t timeoutMs, uint64_t serial);
  void RequestSegment(uint32_t lbn);
  void UpdateUops(Domain domain);
  void UpdateOverlay(bool force);
  void RefreshHighlight();
  void Command();
  int64_t Presented();
  bool InSegment(uint32_t lbn) const;
  Segment BuildSegment(uint32_t lbn);
  void* Ifo(int vts);  // ifo_handle_t
  dvd_file_s* VobFile(int vts, bool menu);
  bool ExecuteSetStream(const uint8_t command[8]);

  dvdnav_s* nav_ = nullptr;
  dvd_reader_s* reader_ = nullptr;  // our own, for IFO lookups and segment data
  std::vector<void*> ifos_;  // ifo_handle_t by title set, 0 the video manager
  std::vector<std::pair<int, dvd_file_s*>> vobs_;  // (vts * 2 + menu, file)
  std::mutex navMutex_;   // every call into libdvdnav
  std::mutex dataMutex_;  // reader_, ifos_, vobs_
  std::mutex stateMutex_;
  std::condition_variable wake_;
  std::thread thread_;
  NavigatorHost* host_ = nullptr;
  std::atomic<bool> stop_{false};
  uint64_t commandSerial_ = 0;  // under stateMutex_

  // Navigator-thread state.
  Segment segment_;
  uint64_t nextSegmentId_ = 1;
  bool needSegment_ = true;
  uint32_t lastLbn_ = 0;
  int64_t segmentBasePts_ = 0;
  int64_t lastVobuEndPts_ = 0;
  std::atomic<int> vts_{0};
  int spuPhysical_ = 0;
  int audioPhysical_ = 0;
  int lastTitle_ = -1, lastChapter_ = -1;
  int pendingTitle_ = 0, pendingChapter_ = 0;
  Domain lastDomain_ = Domain::FirstPlay;
  int lastAngle_ = 1;
  SpuAssembler assembler_;
  std::vector<SpuImage> pendingSpus_;

  // Shared state (stateMutex_).
  int64_t titleTimeBase_ = 0;
  int64_t pgcLength_ = 0;
  uint32_t uops_ = 0;
  bool uopsKnown_ = false;
  bool subpictureDisplay_ = false;
  int audioLogical_ = 0;
  int spuLogical_ = 0;
  uint32_t palette_[16] = {};
  SpuImage shownSpu_;
  bool spuShown_ = false;
  uint8_t pci_[1024] = {};  // copy of the current PCI (pci_t)
  bool havePci_ = false;
  OverlayPicture overlay_;
  Highlight lastHighlight_;
  int lastButton_ = -1;
  bool stopped_ = false;
  Domain domain_ = Domain::FirstPlay;
  int title_ = 0, chapter_ = 0;  // of the picture presented
};

// Two-letter language code of a locale language name, "en" for English.
uint16_t PackLanguage(const std::string& twoLetters);

}  // namespace zv::dvd
