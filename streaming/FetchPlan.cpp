#include "streaming/FetchPlan.h"

namespace zv::net {

FetchStep PlanFetch(const DownloadState& state, uint64_t wanted, uint64_t skipAhead) {
  if (state.length && wanted >= *state.length) return FetchStep::kEnd;
  const bool ahead = wanted >= state.position;
  const bool near = ahead && wanted - state.position <= skipAhead;
  if (state.live) {
    // Only the stream's present can be had: once, in order.
    if (!near) return FetchStep::kRefuse;
    return state.connected ? FetchStep::kKeepReading : FetchStep::kRefuse;
  }
  if (state.connected && near) return FetchStep::kKeepReading;
  if (state.seekable) return FetchStep::kReconnect;
  // Without ranges a later byte is reached by reading on, an earlier one by
  // starting over.
  if (state.connected && ahead) return FetchStep::kKeepReading;
  return FetchStep::kRestart;
}

}  // namespace zv::net
