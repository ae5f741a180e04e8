#pragma once
// The player window as the player benches drive it: created modeless on the
// bench's thread, with settings of a fresh installation except that media
// start as soon as they are open.
#include "app/Settings.h"
#include "app/ZentravueApp.h"
#include "player/ZentravueDlg.h"

#include <cstdio>

namespace zv::bench {

class BenchPlayer {
 public:
  BenchPlayer() { settings_.StartMediaAutomatically = 1; }
  BenchPlayer(const BenchPlayer&) = delete;
  BenchPlayer& operator=(const BenchPlayer&) = delete;

  // Registers the window class and creates the window; says so on stderr
  // when it cannot.
  bool Create() {
    CZentravueApp::RegisterPlayerWindowClass(GetModuleHandleW(nullptr));
    if (window_.CreateModeless()) return true;
    std::fprintf(stderr, "bench: the player window could not be created\n");
    return false;
  }

  CZentravueDlg& Window() { return window_; }
  CSettings& Settings() { return settings_; }

 private:
  CSettings settings_{0};
  CZentravueDlg window_{nullptr, nullptr, nullptr, &settings_};
};

}  // namespace zv::bench
