#pragma once
// Which running process of the program is the first instance.
#include <cstdint>

namespace zv {

struct RunningProcess {
  uint32_t id = 0;
  uint64_t created = 0;  // creation time, any monotonic unit
};

// True when `process` is a better first instance than `candidate`: created
// earlier, or at the same moment with a lower id. Process ids are reused,
// so a lower id alone says nothing about which process came first.
bool IsEarlierInstance(const RunningProcess& process, const RunningProcess& candidate);

}  // namespace zv
