#include "app/InstanceCandidate.h"

namespace zv {

bool IsEarlierInstance(const RunningProcess& process, const RunningProcess& candidate) {
  if (process.created != candidate.created) return process.created < candidate.created;
  return process.id < candidate.id;
}

}  // namespace zv
