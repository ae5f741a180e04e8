// The IFO parsing path of DVD opening: libdvdread reads a VIDEO_TS folder
// whose VIDEO_TS.IFO (first part of the input) and VTS_01_0.IFO (the rest,
// after a 0xFF 0x00 0xFF 0x00 separator) come from the fuzzer, and the
// navigator's lookups walk what it parsed (program chains, cells, menus,
// languages), as media/dvd/DvdNavigator.cpp does.
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Quiet(void*, dvd_logger_level_t, const char*, va_list) {}
const dvd_logger_cb kLogger = {Quiet};

std::string Folder() {
  static std::string folder = [] {
    char pattern[] = "/tmp/zv_fuzz_dvd_XXXXXX";
    const char* base = mkdtemp(pattern);
    if (!base) abort();
    std::string root = base;
    std::string videoTs = root + "/VIDEO_TS";
    if (mkdir(videoTs.c_str(), 0700) != 0) abort();
    return root;
  }();
  return folder;
}

void Write(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) abort();
  if (size) fwrite(data, 1, size, file);
  fclose(file);
}

void Walk(pgc_t* pgc) {
  if (!pgc) return;
  volatile uint32_t sum = 0;
  for (int i = 0; pgc->cell_playback && i < pgc->nr_of_cells; ++i)
    sum = sum + pgc->cell_playback[i].first_sector + pgc->cell_playback[i].last_sector;
  for (int i = 0; pgc->program_map && i < pgc->nr_of_programs; ++i) sum = sum + pgc->program_map[i];
  if (pgc->command_tbl)
    for (int i = 0; i < pgc->command_tbl->nr_of_pre; ++i) sum = sum + pgc->command_tbl->pre_cmds[i].bytes[0];
}

void WalkIfo(ifo_handle_t* ifo) {
  if (!ifo) return;
  if (ifo->first_play_pgc) Walk(ifo->first_play_pgc);
  if (ifo->pgci_ut)
    for (int lu = 0; lu < ifo->pgci_ut->nr_of_lus; ++lu) {
      pgcit_t* it = ifo->pgci_ut->lu[lu].pgcit;
      for (int i = 0; it && i < it->nr_of_pgci_srp; ++i) Walk(it->pgci_srp[i].pgc);
    }
  if (ifo->vts_pgcit)
    for (int i = 0; i < ifo->vts_pgcit->nr_of_pgci_srp; ++i) Walk(ifo->vts_pgcit->pgci_srp[i].pgc);
  if (ifo->tt_srpt)
    for (int i = 0; i < ifo->tt_srpt->nr_of_srpts; ++i) {
      volatile int parts = ifo->tt_srpt->title[i].nr_of_ptts;
      (void)parts;
    }
}

}  // namespace

// A damaged size field makes libdvdread ask for an impossible amount of
// memory; the allocator then answers with null, which it handles (as the
// platform's allocator does), instead of the sanitizer stopping the run.
// Requests above 1 GB get null at once: the fuzzer's own limit would
// otherwise count a request of a few GB, which the library never uses
// because the read that follows fails, as running out of memory.
// Some damaged program chains leak a few bytes inside libdvdread; only
// crashes and memory errors count here.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=1024:detect_leaks=0"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const uint8_t kSeparator[] = {0xFF, 0x00, 0xFF, 0x00};
  size_t split = size;
  for (size_t i = 0; i + sizeof(kSeparator) <= size; ++i)
    if (memcmp(data + i, kSeparator, sizeof(kSeparator)) == 0) {
      split = i;
      break;
    }
  const std::string root = Folder();
  Write(root + "/VIDEO_TS/VIDEO_TS.IFO", data, split);
  const size_t rest = split + sizeof(kSeparator) <= size ? split + sizeof(kSeparator) : size;
  Write(root + "/VIDEO_TS/VTS_01_0.IFO", data + rest, size - rest);
  dvd_reader_t* dvd = DVDOpen2(nullptr, &kLogger, root.c_str());
  if (!dvd) return 0;
  ifo_handle_t* vmg = ifoOpen(dvd, 0);
  if (vmg) {
    WalkIfo(vmg);
    const int sets = vmg->vmgi_mat ? vmg->vmgi_mat->vmg_nr_of_title_sets : 0;
    for (int vts = 1; vts <= sets && vts <= 2; ++vts) {
      ifo_handle_t* ifo = ifoOpen(dvd, vts);
      WalkIfo(ifo);
      if (ifo) ifoClose(ifo);
    }
    ifoClose(vmg);
  }
  DVDClose(dvd);
  return 0;
}
