#include "framework/PaintingWait.h"

namespace fw {
namespace {

// Sent messages are dispatched inside PeekMessage itself; the filter makes
// it return only paint messages for dispatching here. A window that leaves
// itself invalid would be handed WM_PAINT for ever, hence the bound.
void DispatchSentAndPaint() {
  MSG msg;
  for (int i = 0; i < 64 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_PAINT); ++i)
    DispatchMessageW(&msg);
}

}  // namespace

DWORD WaitKeepingWindowsPainted(const HANDLE* objects, DWORD count, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  for (;;) {
    // What arrived before the wait would not wake it: take it first.
    DispatchSentAndPaint();
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    const DWORD result = MsgWaitForMultipleObjects(count, objects, FALSE, left, QS_SENDMESSAGE | QS_PAINT);
    if (result != WAIT_OBJECT_0 + count) return result;
    if (left == 0) return WAIT_TIMEOUT;
  }
}

}  // namespace fw
