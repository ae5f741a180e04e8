#pragma once
// The application object: starts COM, runs the player window modally and
// ends the program when it closes.
#include "framework/App.h"

class CZentravueApp : public fw::App {
 public:
  CZentravueApp();
  ~CZentravueApp() override;

  BOOL InitInstance() override;

  // Registers "ZentravueClass" as a copy of the system dialog class, so that
  // other processes can find the player window by class name.
  static bool RegisterPlayerWindowClass(HINSTANCE instance);

 private:
  bool comInitialized_ = false;
};

// Name of the player window's class.
inline constexpr wchar_t kPlayerWindowClass[] = L"ZentravueClass";
// The application name; every player window title starts with it.
inline constexpr wchar_t kAppName[] = L"Zentravue";
