// Loads playlists of 1,000, 10,000 and 100,000 entries of each kind and
// prints the median time per entry, the growth from 10k to 100k entries (goal
// <= 11x) and the time relative to only reading and decoding the same bytes
// (goal <= 4x); then the XML parse time relative to pugixml on the same
// document in the same run (goal <= 2x).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "playlist/Playlist.h"
#include "playlist/PlaylistText.h"
#include "playlist/PlaylistWriter.h"
#include "playlist/XmlDocument.h"

#ifdef ZV_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

namespace {

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out += static_cast<char>(c);  // the bench uses ASCII paths
  return out;
}

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

class DiskAccess : public zv::PlaylistFileAccess {
 public:
  bool ReadFile(const std::u16string& path, std::vector<uint8_t>& bytes) override {
    std::ifstream in(Narrow(path), std::ios::binary | std::ios::ate);
    if (!in) return false;
    bytes.resize(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(in);
  }
  bool FetchUrl(const std::u16string&, std::vector<uint8_t>&) override { return false; }
  bool WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override {
    std::ofstream out(Narrow(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  }
};

std::string EntryName(int i) {
  return "C:\\Music\\Artist " + std::to_string(i % 97) + "\\Album " + std::to_string(i % 13) +
         "\\Track " + std::to_string(i) + ".mp3";
}

std::string MakeText(const std::string& kind, int n) {
  std::string s;
  if (kind == "m3u") {
    s = "#EXTM3U\r\n";
    for (int i = 0; i < n; ++i) s += "#EXTINF:180,Title " + std::to_string(i) + "\r\n" + EntryName(i) + "\r\n";
  } else if (kind == "pls") {
    s = "[playlist]\r\n";
    for (int i = 1; i <= n; ++i)
      s += "File" + std::to_string(i) + "=" + EntryName(i) + "\r\nTitle" + std::to_string(i) + "=T\r\n";
    s += "NumberOfEntries=" + std::to_string(n) + "\r\nVersion=2\r\n";
  } else if (kind == "asx") {
    s = "<asx version=\"3.0\">\r\n";
    for (int i = 0; i < n; ++i) s += "<entry><title>T</title><ref href=\"" + EntryName(i) + "\"/></entry>\r\n";
    s += "</asx>\r\n";
  }
  return s;
}

std::vector<uint8_t> MakeBytes(const std::string& kind, int n) {
  if (kind != "zvp") {
    std::string s = MakeText(kind, n);
    return std::vector<uint8_t>(s.begin(), s.end());
  }
  std::vector<std::u16string> paths;
  for (int i = 0; i < n; ++i) paths.push_back(Widen(EntryName(i)));
  return zv::OwnPlaylistBytes(paths, 1, u"1.0.0.0", u"C:\\Lists\\x.zvp");
}

// Replaces the processor caches' content with other data (outside the
// timed part), so that each run starts as a load after other work would.
void EvictCaches() {
  static std::vector<uint8_t> other(64u << 20, 1);
  static unsigned sum = 0;
  for (size_t i = 0; i < other.size(); i += 64) sum += other[i]++;
  if (sum == 1) std::printf(" ");
}

bool g_cold = false;

double MedianOf(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The median of several runs after one untimed warm-up run, in seconds: the
// first run pays for growing the allocator's heap, and a single slow run
// (another process on the processor) does not move a median.
double Median(int runs, const std::function<void()>& f) {
  f();
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    if (g_cold) EvictCaches();
    auto t0 = std::chrono::steady_clock::now();
    f();
    std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
    times.push_back(d.count());
  }
  return MedianOf(times);
}

}  // namespace

// Usage: bench_playlist [--cold]. With --cold every run starts with caches
// filled by other data; without, repeated runs of a small list find their
// data still in the cache.
int main(int argc, char** argv) {
  g_cold = argc > 1 && std::string(argv[1]) == "--cold";
  std::printf("%s caches between runs\n", g_cold ? "cold" : "warm");
#if defined(__SANITIZE_ADDRESS__)
  std::printf("note: built with AddressSanitizer; measure a Release build without sanitizers\n");
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  std::printf("note: built with AddressSanitizer; measure a Release build without sanitizers\n");
#endif
#endif
  DiskAccess disk;
  const std::string dir = "/tmp/zv_playlist_bench_";
  const int sizes[] = {1000, 10000, 100000};
  bool ok = true;
  // The sizes of one kind take turns, round after round, so that a busy
  // moment of the machine reaches all of them alike instead of one size's
  // whole series; a round times 100 loads of 1k entries, 10 of 10k and one
  // of 100k. Medians of the rounds.
  constexpr int kRounds = 21;
  const int batches[] = {100, 10, 1};
  for (const std::string kind : {"m3u", "pls", "asx", "zvp"}) {
    std::u16string paths[3];
    std::vector<double> floors[3], loads[3];
    zv::Playlist list(&disk);
    auto readAndDecode = [&](int k) {
      std::vector<uint8_t> bytes;
      disk.ReadFile(paths[k], bytes);
      std::u16string text = zv::DecodePlaylistBytes(bytes);
      if (text.empty()) std::printf("empty\n");
    };
    auto load = [&](int k) {
      if (!list.Load(paths[k]) || list.Count() != sizes[k]) std::printf("load failed\n");
    };
    auto timed = [&](int k, const std::function<void(int)>& f) {
      if (g_cold) EvictCaches();
      auto t0 = std::chrono::steady_clock::now();
      for (int b = 0; b < batches[k]; ++b) f(k);
      std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
      return d.count() / batches[k];
    };
    for (int k = 0; k < 3; ++k) {
      paths[k] = Widen(dir + std::to_string(sizes[k]) + "." + kind);
      disk.WriteFile(paths[k], MakeBytes(kind, sizes[k]));
      readAndDecode(k);  // warm-up: the allocator's heap grows once
      load(k);
    }
    for (int round = 0; round < kRounds; ++round) {
      for (int k = 0; k < 3; ++k) {
        floors[k].push_back(timed(k, readAndDecode));
        loads[k].push_back(timed(k, load));
      }
    }
    double loadTime[3] = {};
    for (int k = 0; k < 3; ++k) {
      const int n = sizes[k];
      loadTime[k] = MedianOf(loads[k]);
      const double ratio = loadTime[k] / MedianOf(floors[k]);
      std::printf("%-4s %6d entries: %8.1f ns/entry, %5.2fx read+decode%s\n", kind.c_str(), n,
                  loadTime[k] / n * 1e9, ratio, ratio > 4.0 ? "  (above goal 4x)" : "");
      if (n >= 10000 && ratio > 4.0) ok = false;
    }
    double growth = loadTime[2] / loadTime[1];
    std::printf("%-4s growth 10k -> 100k: %.2fx%s\n", kind.c_str(), growth, growth > 11.0 ? "  (above goal 11x)" : "");
    if (growth > 11.0) ok = false;
  }

  std::vector<uint8_t> zvp = MakeBytes("zvp", 100000);
  std::u16string text = zv::DecodePlaylistBytes(zvp);
  zv::XmlDocument doc;
  double ours = Median(5, [&] {
    if (!doc.SetDocument(text)) std::printf("parse failed\n");
  });
  std::printf("XmlDocument: %.1f MB/s (%zu characters)\n", static_cast<double>(text.size()) / ours / 1e6, text.size());
#ifdef ZV_HAVE_PUGIXML
  std::string utf8;
  for (char16_t c : text) utf8 += static_cast<char>(c);  // the document is ASCII
  double theirs = Median(5, [&] {
    pugi::xml_document pdoc;
    if (!pdoc.load_buffer(utf8.data(), utf8.size())) std::printf("pugixml failed\n");
  });
  double xmlRatio = ours / theirs;
  std::printf("XmlDocument / pugixml parse time: %.2fx%s\n", xmlRatio, xmlRatio > 2.0 ? "  (above goal 2x)" : "");
  if (xmlRatio > 2.0) ok = false;
#else
  std::printf("pugixml not found: XML parse ratio skipped (install libpugixml-dev)\n");
#endif
  for (int n : sizes)
    for (const char* kind : {"m3u", "pls", "asx", "zvp"}) std::remove((dir + std::to_string(n) + "." + kind).c_str());
  std::printf(ok ? "all goals met\n" : "some goals missed\n");
  return 0;
}
