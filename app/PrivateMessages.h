#pragma once
// Private window messages of the player window, in one place.
#include "framework/WinInclude.h"

// A graph event is waiting (posted by the media framework).
constexpr UINT kMsgGraphEvent = WM_APP + 1;
// Key down and key up, from the player window's own message pre-filter.
constexpr UINT kMsgKeyDown = WM_APP + 2;
constexpr UINT kMsgKeyUp = WM_APP + 3;
// Hand-over items of a second instance and the playlist window's requests
// (codes in app/HandOverItems.h).
constexpr UINT kMsgHandOver = WM_APP + 4;
// Remote-control commands and queries of other programs.
constexpr UINT kMsgRemoteControl = WM_APP + 5;
// Notification-area icon mouse events.
constexpr UINT kMsgTrayIcon = WM_APP + 6;
// The player window's own: replay the work kept while it was busy
// (player/PlayerBusy.h).
constexpr UINT kMsgReplayKept = WM_APP + 64;
