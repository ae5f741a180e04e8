#include "tests/win/streaming/StreamServer.h"

#include "framework/WideString.h"
#include "playlist/PlaylistHttp.h"
#include "tests/win/support/TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace zvtest {

const StreamServer& Servers() {
  static const StreamServer servers = [] {
    StreamServer s;
    const char* build = std::getenv("ZV_BUILD_DIR");
    if (!build) return s;
    // The build folder is a Unix path; Wine reaches it through drive Z.
    std::ifstream in(std::string("Z:") + build + "/stream-http/ports");
    in >> s.http >> s.redirect >> s.https >> s.dead;
    if (!in) s = StreamServer{};
    return s;
  }();
  return servers;
}

std::wstring Address(int port, const std::wstring& object) {
  return L"http://127.0.0.1:" + std::to_wstring(port) + object;
}

std::wstring HttpAddress(const std::wstring& object) { return Address(Servers().http, object); }

namespace {

// One of the counts of the server's status answer; -1 when there is none.
int StatusCount(const char* name) {
  std::vector<uint8_t> body;
  PlaylistHttpLimits limits;
  limits.totalTimeoutMs = 5000;
  if (!FetchPlaylistAddress(HttpAddress(L"/status"), limits, body)) return -1;
  const std::string text(body.begin(), body.end());
  const std::string key = std::string(name) + "=";
  const size_t at = text.find(key);
  return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size());
}

}  // namespace

int StalledConnections() { return StatusCount("stalled"); }

int SilentConnections() { return StatusCount("silent"); }

}  // namespace zvtest
