#pragma once
// WinINet helpers: an owner for its handles, and the time-outs a handle
// needs (WinINet applies them only where they are set, handle by handle;
// without them Wine's waits for ever).
#include "framework/Handle.h"

#include <wininet.h>

namespace fw {

struct InternetHandleTraits {
  static HINTERNET Invalid() { return nullptr; }
  static void Close(HINTERNET h) { InternetCloseHandle(h); }
};
using InternetHandle = UniqueHandle<HINTERNET, InternetHandleTraits>;

inline void SetInternetTimeouts(HINTERNET h, DWORD connectMs, DWORD sendMs, DWORD receiveMs) {
  InternetSetOptionW(h, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
  InternetSetOptionW(h, INTERNET_OPTION_SEND_TIMEOUT, &sendMs, sizeof sendMs);
  InternetSetOptionW(h, INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
  InternetSetOptionW(h, INTERNET_OPTION_DATA_SEND_TIMEOUT, &sendMs, sizeof sendMs);
  InternetSetOptionW(h, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
}

}  // namespace fw
