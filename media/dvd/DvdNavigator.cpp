#include "media/dvd/DvdNavigator.h"

#include "media/dvd/DvdPacks.h"

#include <dvdnav/dvdnav.h>
#include <dvdread/ifo_read.h>
#include <dvdread/nav_read.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstring>

namespace zv::dvd {
namespace {

static_assert(sizeof(pci_t) <= 1024, "PCI copy buffer too small");

// The navigator thread keeps this far ahead of the picture presented, so
// that cell, chapter and highlight changes reach the user in step with it.
constexpr int64_t kLead90k = 90000 / 2;
constexpr int64_t kWaitSliceMs = 20;

void QuietLog(void*, dvdnav_logger_level_t, const char*, va_list) {}
void QuietReadLog(void*, dvd_logger_level_t, const char*, va_list) {}
const dvdnav_logger_cb kNavLogger = {QuietLog};
const dvd_logger_cb kReadLogger = {QuietReadLog};

uint32_t UopBits(const user_ops_t& u) {
  uint32_t bits = 0;
  auto set = [&](unsigned flag, uint32_t bit) {
    if (flag) bits |= bit;
  };
  set(u.title_or_time_play, kUopTitleOrTimePlay);
  set(u.chapter_search_or_play, kUopChapterSearchOrPlay);
  set(u.title_play, kUopTitlePlay);
  set(u.stop, kUopStop);
  set(u.go_up, kUopReturnFromSubmenu);
  set(u.time_or_chapter_search, kUopTimeOrChapterSearch);
  set(u.prev_or_top_pg_search, kUopPrevOrReplayChapter);
  set(u.next_pg_search, kUopNextChapter);
  set(u.forward_scan, kUopForwardScan);
  set(u.backward_scan, kUopBackwardScan);
  set(u.title_menu_call, kUopTitleMenu);
  set(u.root_menu_call, kUopRootMenu);
  set(u.subpic_menu_call, kUopSubpictureMenu);
  set(u.audio_menu_call, kUopAudioMenu);
  set(u.angle_menu_call, kUopAngleMenu);
  set(u.chapter_menu_call, kUopChapterMenu);
  set(u.resume, kUopResume);
  set(u.button_select_or_activate, kUopButton);
  set(u.still_off, kUopStillOff);
  set(u.pause_on, kUopPauseOn);
  set(u.audio_stream_change, kUopAudioStream);
  set(u.subpic_stream_change, kUopSubpictureStream);
  set(u.angle_change, kUopAngle);
  return bits;
}

std::string LanguageText(uint16_t code) {
  if (code == 0 || code == 0xFFFF) return {};
  const char a = static_cast<char>(code >> 8), b = static_cast<char>(code & 0xFF);
  if (a < 'a' || a > 'z' || b < 'a' || b > 'z') return {};
  return std::string{a, b};
}

pci_t* AsPci(uint8_t* bytes) { return reinterpret_cast<pci_t*>(bytes); }

}  // namespace

uint64_t Segment::Blocks() const {
  uint64_t blocks = 0;
  for (const auto& range : ranges) blocks += static_cast<uint64_t>(range.second) - range.first + 1;
  return blocks;
}

uint16_t PackLanguage(const std::string& two) {
  if (two.size() < 2) return 0xFFFF;
  return static_cast<uint16_t>((static_cast<uint8_t>(two[0]) << 8) | static_cast<uint8_t>(two[1]));
}

std::unique_ptr<Navigator> Navigator::Open(const std::string& path, std::string* error) {
  std::unique_ptr<Navigator> navigator(new Navigator());
  navigator->reader_ = DVDOpen2(nullptr, &kReadLogger, path.c_str());
  if (!navigator->reader_) {
    if (error) *error = "no DVD-Video volume";
    return nullptr;
  }
  // The video manager's information must be readable, or there is no disc.
  ifo_handle_t* vmg = ifoOpen(navigator->reader_, 0);
  if (!vmg || !vmg->vmgi_mat || !vmg->tt_srpt) {
    if (vmg) ifoClose(vmg);
    if (error) *error = "VIDEO_TS.IFO is missing or damaged";
    return nullptr;
  }
  navigator->ifos_.assign(static_cast<size_t>(vmg->vmgi_mat->vmg_nr_of_title_sets) + 1, nullptr);
  navigator->ifos_[0] = vmg;
  // Every title set must open too: a disc that plays half way and then
  // fails is reported now, not in the middle of a menu.
  for (size_t vts = 1; vts < navigator->ifos_.size(); ++vts) {
    ifo_handle_t* ifo = ifoOpen(navigator->reader_, static_cast<int>(vts));
    if (!ifo || !ifo->vtsi_mat) {
      if (ifo) ifoClose(ifo);
      if (error) *error = "a title set's information file is missing or damaged";
      return nullptr;
    }
    navigator->ifos_[vts] = ifo;
  }
  if (dvdnav_open2(&navigator->nav_, nullptr, &kNavLogger, path.c_str()) != DVDNAV_STATUS_OK) {
    navigator->nav_ = nullptr;
    if (error) *error = "the DVD navigator cannot open the volume";
    return nullptr;
  }
  dvdnav_set_readahead_flag(navigator->nav_, 1);
  // Times are counted from the start of the program chain (the title), not
  // of the program (the chapter).
  dvdnav_set_PGC_positioning_flag(navigator->nav_, 1);
  return navigator;
}

Navigator::~Navigator() {
  Shutdown();
  if (nav_) dvdnav_close(nav_);
  for (auto& vob : vobs_) DVDCloseFile(vob.second);
  for (void* ifo : ifos_)
    if (ifo) ifoClose(static_cast<ifo_handle_t*>(ifo));
  if (reader_) DVDClose(reader_);
}

void Navigator::Start(NavigatorHost* host) {
  host_ = host;
  stop_ = false;
  thread_ = std::thread([this] { Run(); });
}

void Navigator::Shutdown() {
  stop_ = true;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    ++commandSerial_;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

// ---------------------------------------------------------------------------
// The navigator thread

void Navigator::Run() {
  std::vector<uint8_t> block(kPackSize);
  while (!stop_ && Step(block.data())) {
  }
}

bool Navigator::Step(uint8_t* block) {
  int32_t event = 0, length = 0;
  std::unique_lock<std::mutex> nav(navMutex_);
  if (dvdnav_get_next_block(nav_, block, &event, &length) != DVDNAV_STATUS_OK) {
    nav.unlock();
    // A read error or a broken program chain: playback ends here.
    host_->PostEvent(NavEvent::PlaybackStopped, 0, 0);
    host_->PostEvent(NavEvent::Complete, 0, 0);
    {
      std::lock_guard<std::mutex> lock(stateMutex_);
      stopped_ = true;
    }
    WaitForPresentationEnd(true);
    return !stop_;
  }
  switch (event) {
    case DVDNAV_BLOCK_OK:
      nav.unlock();
      OnBlock(block, length);
      break;
    case DVDNAV_NAV_PACKET:
      OnNavPacket();  // unlocks
      break;
    case DVDNAV_CELL_CHANGE: {
      const auto* cell = reinterpret_cast<const dvdnav_cell_change_event_t*>(block);
      int32_t title = 0, part = 0;
      dvdnav_current_title_info(nav_, &title, &part);
      const Domain domain = dvdnav_is_domain_vts(nav_)    ? Domain::Title
                            : dvdnav_is_domain_vtsm(nav_) ? Domain::VideoTitleSetMenu
                            : dvdnav_is_domain_vmgm(nav_) ? Domain::VideoManagerMenu
                                                          : Domain::FirstPlay;
      int32_t angle = 1, angles = 1;
      dvdnav_get_angle_info(nav_, &angle, &angles);
      nav.unlock();
      {
        std::lock_guard<std::mutex> lock(stateMutex_);
        pgcLength_ = cell->pgc_length;
        stopped_ = false;
      }
      UpdateUops(domain);
      {
        // Published last: a caller that sees the new domain sees its
        // length and permitted operations too.
        std::lock_guard<std::mutex> lock(stateMutex_);
        domain_ = domain;
      }
      if (domain != lastDomain_) {
        lastDomain_ = domain;
        host_->PostEvent(NavEvent::DomainChange, static_cast<long>(domain), 0);
      }
      if (title != lastTitle_) {
        lastTitle_ = title;
        if (domain == Domain::Title) host_->PostEvent(NavEvent::TitleChange, title, 0);
      }
      if (domain == Domain::Title && part != lastChapter_) host_->PostEvent(NavEvent::ChapterStart, part, 0);
      lastChapter_ = domain == Domain::Title ? part : -1;
      // After a jump the place is published with the segment that shows it.
      pendingTitle_ = title;
      pendingChapter_ = part;
      if (!needSegment_) {
        std::lock_guard<std::mutex> lock(stateMutex_);
        title_ = title;
        chapter_ = part;
      }
      if (angle != lastAngle_) {
        lastAngle_ = angle;
        host_->PostEvent(NavEvent::AngleChange, angles, angle);
      }
      break;
    }
    case DVDNAV_STILL_FRAME: {
      const int stillLength = reinterpret_cast<const dvdnav_still_event_t*>(block)->length;
      nav.unlock();
      if (stillLength == 0xFF) {
        WaitForPresentationEnd(true);
      } else {
        WaitForPresentationEnd(false);
        uint64_t serial;
        {
          std::lock_guard<std::mutex> lock(stateMutex_);
          serial = commandSerial_;
        }
        if (!WaitCommandOr(static_cast<int64_t>(stillLength) * 1000, serial)) {
          std::lock_guard<std::mutex> navLock(navMutex_);
          dvdnav_still_skip(nav_);
        }
      }
      break;
    }
    case DVDNAV_WAIT:
      nav.unlock();
      WaitForPresentationEnd(false);
      {
        std::lock_guard<std::mutex> navLock(navMutex_);
        dvdnav_wait_skip(nav_);
      }
      break;
    case DVDNAV_SPU_CLUT_CHANGE: {
      std::lock_guard<std::mutex> lock(stateMutex_);
      memcpy(palette_, block, sizeof(palette_));
      break;
    }
    case DVDNAV_SPU_STREAM_CHANGE: {
      const auto* change = reinterpret_cast<const dvdnav_spu_stream_change_event_t*>(block);
      const int physical = change->physical_letterbox >= 0 ? change->physical_letterbox : change->physical_wide;
      nav.unlock();
      spuPhysical_ = physical >= 0 ? (physical & 0x1F) : 0;
      assembler_.Reset();
      host_->PostEvent(NavEvent::SubpictureStreamChange, change->logical, 0);
      break;
    }
    case DVDNAV_AUDIO_STREAM_CHANGE: {
      const auto* change = reinterpret_cast<const dvdnav_audio_stream_change_event_t*>(block);
      const int physical = change->physical;
      const int format = physical >= 0 ? dvdnav_audio_stream_format(nav_, static_cast<uint8_t>(change->logical)) : -1;
      nav.unlock();
      const int id = physical >= 0 ? AudioStreamId(format == 0xFFFF ? static_cast<int>(kAudioAc3) : static_cast<int>(format), physical) : -1;
      audioPhysical_ = physical;
      if (id != segment_.audioId) needSegment_ = true;  // the splitter is given the new stream
      host_->PostEvent(NavEvent::AudioStreamChange, change->logical, 0);
      break;
    }
    case DVDNAV_VTS_CHANGE: {
      const auto* change = reinterpret_cast<const dvdnav_vts_change_event_t*>(block);
      vts_ = change->new_vtsN;
      needSegment_ = true;
      break;
    }
    case DVDNAV_HOP_CHANNEL:
      needSegment_ = true;
      nav.unlock();
      assembler_.Reset();
      {
        std::lock_guard<std::mutex> lock(stateMutex_);
        pendingSpus_.clear();
        spuShown_ = false;
      }
      UpdateOverlay(true);
      break;
    case DVDNAV_HIGHLIGHT:
      nav.unlock();
      RefreshHighlight();
      break;
    case DVDNAV_STOP:
      nav.unlock();
      {
        std::lock_guard<std::mutex> lock(stateMutex_);
        stopped_ = true;
      }
      host_->PostEvent(NavEvent::PlaybackStopped, 0, 0);
      host_->PostEvent(NavEvent::Complete, 0, 0);
      WaitForPresentationEnd(true);
      // A command (a menu) may start the machine again; otherwise wait.
      while (!stop_) {
        uint64_t serial;
        {
          std::lock_guard<std::mutex> lock(stateMutex_);
          if (!stopped_) break;
          serial = commandSerial_;
        }
        WaitCommandOr(1000, serial);
        std::lock_guard<std::mutex> lock(stateMutex_);
        if (commandSerial_ != serial) break;
      }
      return !stop_;
    default:
      break;
  }
  return true;
}

void Navigator::OnNavPacket() {
  // Called with navMutex_ held; releases it.
  std::unique_lock<std::mutex> nav(navMutex_, std::adopt_lock);
  pci_t* pci = dvdnav_get_current_nav_pci(nav_);
  dsi_t* dsi = dvdnav_get_current_nav_dsi(nav_);
  if (!pci || !dsi) return;
  const uint32_t lbn = dsi->dsi_gi.nv_pck_lbn;
  const int64_t vobuStart = pci->pci_gi.vobu_s_ptm;
  const int64_t vobuEnd = pci->pci_gi.vobu_e_ptm;
  const user_ops_t restrictions = dvdnav_get_restrictions(nav_);
  const int64_t titleTime = dvdnav_get_current_time(nav_);
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    memcpy(pci_, pci, sizeof(pci_t));
    havePci_ = true;
  }
  nav.unlock();

  if (needSegment_ || !InSegment(lbn) || lbn < lastLbn_) {
    segmentBasePts_ = vobuStart;
    {
      std::lock_guard<std::mutex> lock(stateMutex_);
      titleTimeBase_ = titleTime;
    }
    RequestSegment(lbn);
    needSegment_ = false;
  }
  lastLbn_ = lbn;
  lastVobuEndPts_ = vobuEnd;
  (void)restrictions;
  UpdateUops(lastDomain_);
  RefreshHighlight();
  Pace(vobuStart);
}

void Navigator::OnBlock(const uint8_t* block, int length) {
  SpuPacket packet;
  if (!FindSpuPacket(block, static_cast<size_t>(length), spuPhysical_, &packet)) return;
  std::vector<uint8_t> unit;
  int64_t pts = -1;
  if (!assembler_.Add(packet.data, packet.size, packet.pts, &unit, &pts)) return;
  SpuImage image;
  if (!DecodeSpu(unit.data(), unit.size(), pts, &image)) return;
  image.startPts -= segmentBasePts_;
  if (image.endPts >= 0) image.endPts -= segmentBasePts_;
  std::lock_guard<std::mutex> lock(stateMutex_);
  pendingSpus_.push_back(std::move(image));
}

void Navigator::RequestSegment(uint32_t lbn) {
  Segment segment = BuildSegment(lbn);
  segment.id = nextSegmentId_++;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    const int logical = dvdnav_get_active_audio_stream(nav_) >= 0
                            ? dvdnav_get_audio_logical_stream(nav_, static_cast<uint8_t>(dvdnav_get_active_audio_stream(nav_)))
                            : -1;
    const int physical = dvdnav_get_active_audio_stream(nav_);
    const uint16_t format = logical >= 0 ? dvdnav_audio_stream_format(nav_, static_cast<uint8_t>(logical)) : 0xFFFF;
    segment.audioId = physical >= 0 ? AudioStreamId(format == 0xFFFF ? static_cast<int>(kAudioAc3) : static_cast<int>(format), physical) : -1;
    if (logical >= 0) {
      std::lock_guard<std::mutex> lock(stateMutex_);
      audioLogical_ = logical;
    }
  }
  segment_ = segment;
  host_->ChangeSegment(segment);
  std::lock_guard<std::mutex> lock(stateMutex_);
  title_ = pendingTitle_;
  chapter_ = pendingChapter_;
}

bool Navigator::InSegment(uint32_t lbn) const {
  for (const auto& range : segment_.ranges)
    if (lbn >= range.first && lbn <= range.second) return true;
  return false;
}

Segment Navigator::BuildSegment(uint32_t lbn) {
  Segment segment;
  std::lock_guard<std::mutex> data(dataMutex_);
  int32_t title = 0, pgcn = 0, pgn = 0;
  bool menu = true;
  bool manager = false;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    menu = !dvdnav_is_domain_vts(nav_);
    manager = dvdnav_is_domain_vmgm(nav_) || dvdnav_is_domain_fp(nav_);
    if (dvdnav_current_title_program(nav_, &title, &pgcn, &pgn) != DVDNAV_STATUS_OK) pgcn = 0;
  }
  const int vts = manager ? 0 : vts_.load();
  segment.vts = vts;
  segment.menu = menu;
  auto* ifo = static_cast<ifo_handle_t*>(Ifo(vts));
  pgc_t* pgc = nullptr;
  if (ifo && pgcn > 0) {
    if (menu && ifo->pgci_ut && ifo->pgci_ut->nr_of_lus > 0) {
      pgcit_t* it = ifo->pgci_ut->lu[0].pgcit;
      if (it && pgcn <= it->nr_of_pgci_srp) pgc = it->pgci_srp[pgcn - 1].pgc;
    } else if (!menu && ifo->vts_pgcit && pgcn <= ifo->vts_pgcit->nr_of_pgci_srp) {
      pgc = ifo->vts_pgcit->pgci_srp[pgcn - 1].pgc;
    }
  }
  if (pgc && pgc->cell_playback) {
    // From the cell holding the sector, on through the cells that follow it
    // on the disc without a still, a cell command or an angle block between.
    int cell = -1;
    for (int i = 0; i < pgc->nr_of_cells; ++i) {
      const cell_playback_t& c = pgc->cell_playback[i];
      if (lbn >= c.first_sector && lbn <= c.last_sector) {
        cell = i;
        break;
      }
    }
    if (cell >= 0) {
      const uint32_t cellEnd = pgc->cell_playback[cell].last_sector;
      segment.ranges.emplace_back(lbn, cellEnd);
      for (int i = cell; i + 1 < pgc->nr_of_cells; ++i) {
        const cell_playback_t& c = pgc->cell_playback[i];
        const cell_playback_t& n = pgc->cell_playback[i + 1];
        if (c.still_time || c.cell_cmd_nr || c.block_type || n.block_type || c.interleaved ||
            n.first_sector != c.last_sector + 1)
          break;
        const uint32_t nextEnd = n.last_sector;
        segment.ranges.back().second = nextEnd;
      }
      return segment;
    }
  }
  // No program chain to follow: the cell of the address table holding it.
  c_adt_t* adt = ifo ? (menu ? ifo->menu_c_adt : ifo->vts_c_adt) : nullptr;
  if (adt) {
    const int count = static_cast<int>((adt->last_byte + 1 - C_ADT_SIZE) / sizeof(cell_adr_t));
    for (int i = 0; i < count; ++i) {
      const cell_adr_t& a = adt->cell_adr_table[i];
      if (lbn >= a.start_sector && lbn <= a.last_sector) {
        const uint32_t cellEnd = a.last_sector;
        segment.ranges.emplace_back(lbn, cellEnd);
        return segment;
      }
    }
  }
  segment.ranges.emplace_back(lbn, lbn);
  return segment;
}

void Navigator::Pace(int64_t vobuStartPts) {
  const int64_t due = vobuStartPts - segmentBasePts_;
  for (;;) {
    uint64_t serial;
    {
      std::lock_guard<std::mutex> lock(stateMutex_);
      serial = commandSerial_;
    }
    UpdateOverlay(false);
    if (stop_ || due <= Presented() + kLead90k) return;
    if (WaitCommandOr(kWaitSliceMs, serial)) return;
  }
}

// Waits until the picture presented has reached the end of the segment;
// with untilCommand, then on until a command arrives (an infinite still).
void Navigator::WaitForPresentationEnd(bool untilCommand) {
  uint64_t serial;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    serial = commandSerial_;
  }
  while (!stop_) {
    UpdateOverlay(false);
    const bool ended = Presented() >= lastVobuEndPts_ - segmentBasePts_;
    if (ended && !untilCommand) return;
    if (WaitCommandOr(kWaitSliceMs, serial)) return;
  }
}

// True when a command arrived (or shutdown) within the time.
bool Navigator::WaitCommandOr(int64_t timeoutMs, uint64_t serial) {
  std::unique_lock<std::mutex> lock(stateMutex_);
  return wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                        [&] { return stop_ || commandSerial_ != serial; });
}

int64_t Navigator::Presented() { return host_ ? host_->PresentationTime() : 0; }

void Navigator::UpdateUops(Domain domain) {
  uint32_t uops = 0;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    uops = UopBits(dvdnav_get_restrictions(nav_));
    if (domain == Domain::Title) {
      uops |= kUopResume | kUopReturnFromSubmenu;
    } else {
      // Menus: no chapters, times, scans or streams of a title.
      // Stream changes too: the machine's command for them would end a still menu.
      uops |= kUopChapterSearchOrPlay | kUopTimeOrChapterSearch | kUopPrevOrReplayChapter | kUopNextChapter |
              kUopForwardScan | kUopBackwardScan | kUopAngle | kUopAudioStream | kUopSubpictureStream;
    }
  }
  bool changed = false;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    if (havePci_ && AsPci(pci_)->hli.hl_gi.hli_ss == 0) uops |= kUopButton;
    changed = !uopsKnown_ || uops != uops_;
    uops_ = uops;
    uopsKnown_ = true;
  }
  if (changed) host_->PostEvent(NavEvent::ValidUopsChange, static_cast<long>(uops), 0);
}

void Navigator::RefreshHighlight() { UpdateOverlay(true); }

// Shows the subpictures that are due and redraws the overlay when what it
// shows (subpicture, button highlight) changed, or when forced.
void Navigator::UpdateOverlay(bool force) {
  const int64_t now = Presented();
  int32_t button = 0;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    dvdnav_get_current_highlight(nav_, &button);
  }
  std::unique_lock<std::mutex> lock(stateMutex_);
  bool changed = force;
  // The latest unit whose time has come replaces the one shown.
  auto due = pendingSpus_.end();
  for (auto it = pendingSpus_.begin(); it != pendingSpus_.end(); ++it)
    if (it->startPts <= now) due = it;
  if (due != pendingSpus_.end()) {
    shownSpu_ = std::move(*due);
    spuShown_ = true;
    pendingSpus_.erase(pendingSpus_.begin(), due + 1);
    changed = true;
  }
  if (spuShown_ && shownSpu_.endPts >= 0 && now >= shownSpu_.endPts) {
    spuShown_ = false;
    changed = true;
  }
  Highlight highlight;
  if (havePci_ && button > 0) {
    const pci_t* pci = AsPci(pci_);
    dvdnav_highlight_area_t area{};
    if (dvdnav_get_highlight_area(const_cast<pci_t*>(pci), button, 0, &area) == DVDNAV_STATUS_OK) {
      highlight.on = true;
      highlight.sx = area.sx;
      highlight.sy = area.sy;
      highlight.ex = area.ex;
      highlight.ey = area.ey;
      highlight.colours = area.palette;
    }
  }
  if (button != lastButton_ || highlight.on != lastHighlight_.on || highlight.colours != lastHighlight_.colours ||
      highlight.sx != lastHighlight_.sx || highlight.sy != lastHighlight_.sy)
    changed = true;
  lastButton_ = button;
  lastHighlight_ = highlight;
  if (!changed) return;
  const bool inMenu = lastDomain_ != Domain::Title;
  const bool show = spuShown_ && (shownSpu_.forced || inMenu || subpictureDisplay_);
  overlay_.serial++;
  overlay_.visible = show;
  if (show) {
    VideoInfo video;
    {
      lock.unlock();
      video = Video();
      lock.lock();
    }
    overlay_.width = video.width;
    overlay_.height = video.height;
    ComposeSpu(shownSpu_, palette_, highlight, video.width, video.height, &overlay_.argb);
  } else {
    overlay_.argb.clear();
  }
  lock.unlock();
  host_->OverlayChanged();
}

OverlayPicture Navigator::Overlay() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return overlay_;
}

// ---------------------------------------------------------------------------
// Commands

void Navigator::Command() {
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    ++commandSerial_;
    stopped_ = false;
  }
  wake_.notify_all();
}

namespace {
bool Ok(dvdnav_status_t status) { return status == DVDNAV_STATUS_OK; }
}  // namespace

bool Navigator::ShowMenu(int menu) {
  if (ProhibitedUops() & (menu == kMenuTitle ? kUopTitleMenu : kUopRootMenu << (menu - kMenuRoot))) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_menu_call(nav_, static_cast<DVDMenuID_t>(menu)));
  }
  Command();
  return ok;
}

bool Navigator::Resume() {
  if (ProhibitedUops() & kUopResume) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_menu_call(nav_, DVD_MENU_Escape));
  }
  Command();
  return ok;
}

bool Navigator::ReturnFromSubmenu() {
  if (ProhibitedUops() & kUopReturnFromSubmenu) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_go_up(nav_));
  }
  Command();
  return ok;
}

bool Navigator::PlayTitle(int title) {
  if (ProhibitedUops() & kUopTitlePlay) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_title_play(nav_, title));
  }
  Command();
  return ok;
}

bool Navigator::PlayChapterInTitle(int title, int chapter) {
  if (ProhibitedUops() & kUopChapterSearchOrPlay) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_part_play(nav_, title, chapter));
  }
  Command();
  return ok;
}

bool Navigator::PlayChapter(int chapter) {
  if (ProhibitedUops() & kUopTimeOrChapterSearch) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_part_search(nav_, chapter));
  }
  Command();
  return ok;
}

bool Navigator::PlayNextChapter() {
  if (ProhibitedUops() & kUopNextChapter) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_next_pg_search(nav_));
  }
  Command();
  return ok;
}

bool Navigator::PlayPrevChapter() {
  if (ProhibitedUops() & kUopPrevOrReplayChapter) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_prev_pg_search(nav_));
  }
  Command();
  return ok;
}

bool Navigator::ReplayChapter() {
  if (ProhibitedUops() & kUopPrevOrReplayChapter) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_top_pg_search(nav_));
  }
  Command();
  return ok;
}

bool Navigator::PlayAtTime(int64_t time90k) {
  if (ProhibitedUops() & kUopTimeOrChapterSearch) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_time_search(nav_, static_cast<uint64_t>(std::max<int64_t>(0, time90k))));
  }
  Command();
  return ok;
}

bool Navigator::SelectRelativeButton(ButtonDirection direction) {
  if (ProhibitedUops() & kUopButton) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    std::lock_guard<std::mutex> lock(stateMutex_);
    if (!havePci_) return false;
    pci_t* pci = AsPci(pci_);
    switch (direction) {
      case ButtonDirection::Upper:
        ok = Ok(dvdnav_upper_button_select(nav_, pci));
        break;
      case ButtonDirection::Lower:
        ok = Ok(dvdnav_lower_button_select(nav_, pci));
        break;
      case ButtonDirection::Left:
        ok = Ok(dvdnav_left_button_select(nav_, pci));
        break;
      default:
        ok = Ok(dvdnav_right_button_select(nav_, pci));
        break;
    }
  }
  Command();
  return ok;
}

bool Navigator::ActivateButton() {
  if (ProhibitedUops() & kUopButton) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    std::lock_guard<std::mutex> lock(stateMutex_);
    if (!havePci_) return false;
    ok = Ok(dvdnav_button_activate(nav_, AsPci(pci_)));
  }
  Command();
  return ok;
}

bool Navigator::SelectButton(int button) {
  if (ProhibitedUops() & kUopButton) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    std::lock_guard<std::mutex> lock(stateMutex_);
    if (!havePci_) return false;
    ok = Ok(dvdnav_button_select(nav_, AsPci(pci_), button));
  }
  Command();
  return ok;
}

bool Navigator::SelectAndActivateButton(int button) {
  if (ProhibitedUops() & kUopButton) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    std::lock_guard<std::mutex> lock(stateMutex_);
    if (!havePci_) return false;
    ok = Ok(dvdnav_button_select_and_activate(nav_, AsPci(pci_), button));
  }
  Command();
  return ok;
}

bool Navigator::SelectAtPosition(int x, int y) {
  const int button = ButtonAtPosition(x, y);
  if (button <= 0) return false;
  if (button == CurrentButton()) return true;
  return SelectButton(button);
}

bool Navigator::ActivateAtPosition(int x, int y) {
  const int button = ButtonAtPosition(x, y);
  if (button <= 0) return false;
  return SelectAndActivateButton(button);
}

int Navigator::ButtonAtPosition(int x, int y) {
  std::lock_guard<std::mutex> lock(stateMutex_);
  if (!havePci_) return 0;
  const pci_t* pci = AsPci(pci_);
  if (!pci->hli.hl_gi.hli_ss) return 0;
  const int count = pci->hli.hl_gi.btn_ns & 0x3F;
  for (int i = 0; i < count && i < 36; ++i) {
    const btni_t& b = pci->hli.btnit[i];
    if (x >= static_cast<int>(b.x_start) && x <= static_cast<int>(b.x_end) && y >= static_cast<int>(b.y_start) &&
        y <= static_cast<int>(b.y_end))
      return i + 1;
  }
  return 0;
}

bool Navigator::ButtonRect(int button, int* sx, int* sy, int* ex, int* ey) {
  std::lock_guard<std::mutex> lock(stateMutex_);
  if (!havePci_) return false;
  const pci_t* pci = AsPci(pci_);
  const int count = pci->hli.hl_gi.btn_ns & 0x3F;
  if (!pci->hli.hl_gi.hli_ss || button < 1 || button > count || button > 36) return false;
  const btni_t& b = pci->hli.btnit[button - 1];
  *sx = static_cast<int>(b.x_start);
  *sy = static_cast<int>(b.y_start);
  *ex = static_cast<int>(b.x_end);
  *ey = static_cast<int>(b.y_end);
  return true;
}

bool Navigator::StillOff() {
  if (ProhibitedUops() & kUopStillOff) return false;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    dvdnav_still_skip(nav_);
  }
  Command();
  return true;
}

// Runs a "set system parameters" instruction of the DVD machine (SetSTN,
// immediate values: byte 3 audio, byte 4 subpicture with its display bit,
// byte 5 angle, each with bit 7 set to apply it), the way a disc's own
// commands change streams. The button number given is the one
// highlighted now, so the highlight stays.
bool Navigator::ExecuteSetStream(const uint8_t command[8]) {
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    int32_t button = 1;
    if (dvdnav_get_current_highlight(nav_, &button) != DVDNAV_STATUS_OK || button < 1) button = 1;
    vm_cmd_t cmd{};
    memcpy(cmd.bytes, command, 8);
    ok = Ok(dvdnav_button_activate_cmd(nav_, button, &cmd));
  }
  Command();
  return ok;
}

bool Navigator::SelectAudioStream(int logical) {
  if ((ProhibitedUops() & kUopAudioStream) || logical < 0 || logical >= AudioCount()) return false;
  const uint8_t command[8] = {0x51, 0x00, 0x00, static_cast<uint8_t>(0x80 | logical), 0, 0, 0, 0};
  if (!ExecuteSetStream(command)) return false;
  std::lock_guard<std::mutex> lock(stateMutex_);
  audioLogical_ = logical;
  return true;
}

bool Navigator::SelectSubpictureStream(int logical) {
  if ((ProhibitedUops() & kUopSubpictureStream) || logical < 0 || logical >= SubpictureCount()) return false;
  const bool display = SubpictureDisplayed();
  const uint8_t command[8] = {0x51, 0x00, 0x00, 0x00, static_cast<uint8_t>(0x80 | (display ? 0x40 : 0) | logical), 0, 0, 0};
  if (!ExecuteSetStream(command)) return false;
  std::lock_guard<std::mutex> lock(stateMutex_);
  spuLogical_ = logical;
  return true;
}

// Showing subpictures is decided here, not by the DVD machine: a command
// to the machine would end a still menu (libdvdnav clears the still for any
// command it runs). Forced subpictures and menus show either way.
void Navigator::SetSubpictureDisplay(bool on) {
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    subpictureDisplay_ = on;
  }
  UpdateOverlay(true);
}

bool Navigator::SelectAngle(int angle) {
  if ((ProhibitedUops() & kUopAngle) || angle < 1 || angle > AngleCount()) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    ok = Ok(dvdnav_angle_change(nav_, angle));
  }
  Command();
  return ok;
}

void Navigator::SetDefaultLanguages(const std::string& menu, const std::string& audio, const std::string& spu) {
  std::lock_guard<std::mutex> navLock(navMutex_);
  if (!menu.empty()) dvdnav_menu_language_select(nav_, const_cast<char*>(menu.c_str()));
  if (!audio.empty()) dvdnav_audio_language_select(nav_, const_cast<char*>(audio.c_str()));
  if (!spu.empty()) dvdnav_spu_language_select(nav_, const_cast<char*>(spu.c_str()));
}

void Navigator::Stop() {
  {
    std::lock_guard<std::mutex> navLock(navMutex_);
    dvdnav_stop(nav_);
  }
  Command();
}

// ---------------------------------------------------------------------------
// State

Domain Navigator::CurrentDomain() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return stopped_ ? Domain::Stop : domain_;
}

void Navigator::CurrentLocation(int* title, int* chapter, int64_t* time90k) {
  int t = 0, part = 0;
  int64_t base, length;
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    t = title_;
    part = chapter_;
    base = titleTimeBase_;
    length = pgcLength_;
  }
  *title = t;
  *chapter = part;
  // A still picture stays at the end of its program chain.
  int64_t time = std::max<int64_t>(0, base + Presented());
  if (length > 0) time = std::min(time, length - 90000 / 25);
  *time90k = std::max<int64_t>(0, time);
}

int64_t Navigator::TitleLength90k() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return pgcLength_;
}

int Navigator::TitleCount() {
  std::lock_guard<std::mutex> navLock(navMutex_);
  int32_t titles = 0;
  return dvdnav_get_number_of_titles(nav_, &titles) == DVDNAV_STATUS_OK ? titles : 0;
}

int Navigator::ChapterCount(int title) {
  std::lock_guard<std::mutex> navLock(navMutex_);
  int32_t parts = 0;
  return dvdnav_get_number_of_parts(nav_, title, &parts) == DVDNAV_STATUS_OK ? parts : 0;
}

int Navigator::AngleCount() {
  std::lock_guard<std::mutex> navLock(navMutex_);
  int32_t current = 1, count = 1;
  dvdnav_get_angle_info(nav_, &current, &count);
  return std::max(1, count);
}

int Navigator::CurrentAngle() {
  std::lock_guard<std::mutex> navLock(navMutex_);
  int32_t current = 1, count = 1;
  dvdnav_get_angle_info(nav_, &current, &count);
  return std::max(1, current);
}

void* Navigator::Ifo(int vts) {
  if (vts < 0 || static_cast<size_t>(vts) >= ifos_.size()) return nullptr;
  return ifos_[static_cast<size_t>(vts)];
}

int Navigator::AudioCount() {
  const bool title = CurrentDomain() == Domain::Title;
  std::lock_guard<std::mutex> data(dataMutex_);
  auto* ifo = static_cast<ifo_handle_t*>(Ifo(title ? vts_.load() : 0));
  if (!ifo) return 0;
  if (title && ifo->vtsi_mat) return ifo->vtsi_mat->nr_of_vts_audio_streams;
  if (ifo->vmgi_mat) return ifo->vmgi_mat->nr_of_vmgm_audio_streams;
  return 0;
}

int Navigator::CurrentAudio() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return audioLogical_;
}

std::string Navigator::AudioLanguage(int logical) {
  std::lock_guard<std::mutex> data(dataMutex_);
  auto* ifo = static_cast<ifo_handle_t*>(Ifo(vts_));
  if (!ifo || !ifo->vtsi_mat || logical < 0 || logical >= ifo->vtsi_mat->nr_of_vts_audio_streams || logical >= 8)
    return {};
  return LanguageText(ifo->vtsi_mat->vts_audio_attr[logical].lang_code);
}

int Navigator::SubpictureCount() {
  const bool title = CurrentDomain() == Domain::Title;
  std::lock_guard<std::mutex> data(dataMutex_);
  auto* ifo = static_cast<ifo_handle_t*>(Ifo(title ? vts_.load() : 0));
  if (!ifo) return 0;
  if (title && ifo->vtsi_mat) return ifo->vtsi_mat->nr_of_vts_subp_streams;
  if (ifo->vmgi_mat) return ifo->vmgi_mat->nr_of_vmgm_subp_streams;
  return 0;
}

int Navigator::CurrentSubpicture() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return spuLogical_;
}

bool Navigator::SubpictureDisplayed() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return subpictureDisplay_;
}

std::string Navigator::SubpictureLanguage(int logical) {
  std::lock_guard<std::mutex> data(dataMutex_);
  auto* ifo = static_cast<ifo_handle_t*>(Ifo(vts_));
  if (!ifo || !ifo->vtsi_mat || logical < 0 || logical >= ifo->vtsi_mat->nr_of_vts_subp_streams || logical >= 32)
    return {};
  return LanguageText(ifo->vtsi_mat->vts_subp_attr[logical].lang_code);
}

uint32_t Navigator::ProhibitedUops() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return uops_;
}

int Navigator::ButtonCount() {
  std::lock_guard<std::mutex> lock(stateMutex_);
  if (!havePci_ || !AsPci(pci_)->hli.hl_gi.hli_ss) return 0;
  return AsPci(pci_)->hli.hl_gi.btn_ns & 0x3F;
}

int Navigator::CurrentButton() {
  std::lock_guard<std::mutex> navLock(navMutex_);
  int32_t button = 0;
  if (dvdnav_get_current_highlight(nav_, &button) != DVDNAV_STATUS_OK) return 0;
  return ButtonCount() > 0 ? button : 0;
}

VideoInfo Navigator::Video() {
  VideoInfo info;
  std::lock_guard<std::mutex> navLock(navMutex_);
  uint32_t width = 0, height = 0;
  if (dvdnav_get_video_resolution(nav_, &width, &height) == DVDNAV_STATUS_OK && width > 0 && height > 0) {
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);
  }
  const uint8_t aspect = dvdnav_get_video_aspect(nav_);
  if (aspect == 3) {
    info.aspectX = 16;
    info.aspectY = 9;
  }
  info.pal = info.height == 576 || info.height == 288;
  return info;
}

// ---------------------------------------------------------------------------
// Segment data

dvd_file_s* Navigator::VobFile(int vts, bool menu) {
  const int key = vts * 2 + (menu ? 1 : 0);
  for (auto& vob : vobs_)
    if (vob.first == key) return vob.second;
  dvd_file_t* file = DVDOpenFile(reader_, vts, menu ? DVD_READ_MENU_VOBS : DVD_READ_TITLE_VOBS);
  if (file) vobs_.emplace_back(key, file);
  return file;
}

bool Navigator::ReadSegment(const Segment& segment, uint64_t offset, uint32_t size, uint8_t* out) {
  // The sectors of one range follow each other in the file: read as many of
  // them as the request covers at once (the splitter asks for whole chunks).
  constexpr uint64_t kMostBlocksPerRead = 64;
  std::lock_guard<std::mutex> data(dataMutex_);
  dvd_file_t* file = VobFile(segment.vts, segment.menu);
  if (!file) return false;
  std::vector<uint8_t> blocks;
  while (size > 0) {
    uint64_t index = offset / kPackSize;
    const uint32_t within = static_cast<uint32_t>(offset % kPackSize);
    uint32_t sector = 0;
    uint64_t restOfRange = 0;
    for (const auto& range : segment.ranges) {
      const uint64_t count = static_cast<uint64_t>(range.second) - range.first + 1;
      if (index < count) {
        sector = range.first + static_cast<uint32_t>(index);
        restOfRange = count - index;
        break;
      }
      index -= count;
    }
    if (restOfRange == 0) return false;
    const uint64_t wanted = (static_cast<uint64_t>(within) + size + kPackSize - 1) / kPackSize;
    blocks.resize(static_cast<size_t>(std::min({restOfRange, wanted, kMostBlocksPerRead})) * kPackSize);
    // A short read (a damaged file) delivers what it got; the next one fails.
    const ssize_t got = DVDReadBlocks(file, static_cast<int>(sector), blocks.size() / kPackSize, blocks.data());
    if (got <= 0) return false;
    const size_t count = static_cast<size_t>(got);
    for (size_t i = 0; i < count; ++i) FilterPack(blocks.data() + i * kPackSize, segment.audioId);
    const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(size, count * kPackSize - within));
    memcpy(out, blocks.data() + within, n);
    out += n;
    offset += n;
    size -= n;
  }
  return true;
}

}  // namespace zv::dvd
