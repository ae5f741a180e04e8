#include "streaming/BlockCache.h"

#include <algorithm>
#include <cstring>

namespace zv::net {

BlockCache::BlockCache(size_t budgetBytes)
    : budgetBlocks_(std::max<size_t>(2, (budgetBytes + kBlockSize - 1) / kBlockSize)) {}

void BlockCache::Store(uint64_t offset, const uint8_t* data, size_t size) {
  while (size > 0) {
    const uint64_t index = offset / kBlockSize;
    const auto within = static_cast<uint32_t>(offset % kBlockSize);
    const auto count = static_cast<uint32_t>(std::min<uint64_t>(size, kBlockSize - within));
    Block& block = blocks_[index];
    if (!block.bytes) block.bytes = std::make_unique<uint8_t[]>(kBlockSize);
    if (block.end == block.begin || within > block.end || within + count < block.begin) {
      block.begin = within;  // no run yet, or not touching it: a new run
      block.end = within;
    }
    std::memcpy(block.bytes.get() + within, data, count);
    block.begin = std::min(block.begin, within);
    block.end = std::max(block.end, within + count);
    block.lastUse = ++clock_;
    EvictBeyondBudget(index);
    offset += count;
    data += count;
    size -= count;
  }
}

size_t BlockCache::Copy(uint64_t offset, uint8_t* out, size_t size) {
  size_t copied = 0;
  while (copied < size) {
    const auto found = blocks_.find(offset / kBlockSize);
    if (found == blocks_.end()) break;
    Block& block = found->second;
    const auto within = static_cast<uint32_t>(offset % kBlockSize);
    if (within < block.begin || within >= block.end) break;
    const size_t count = std::min<size_t>(size - copied, block.end - within);
    std::memcpy(out + copied, block.bytes.get() + within, count);
    block.lastUse = ++clock_;
    copied += count;
    offset += count;
    if (block.end < kBlockSize) break;  // the run stops inside this block
  }
  return copied;
}

uint64_t BlockCache::Available(uint64_t offset, uint64_t limit) const {
  uint64_t available = 0;
  while (available < limit) {
    const auto found = blocks_.find(offset / kBlockSize);
    if (found == blocks_.end()) break;
    const Block& block = found->second;
    const auto within = static_cast<uint32_t>(offset % kBlockSize);
    if (within < block.begin || within >= block.end) break;
    const uint64_t count = block.end - within;
    available += count;
    offset += count;
    if (block.end < kBlockSize) break;
  }
  return std::min(available, limit);
}

void BlockCache::EvictBeyondBudget(uint64_t keepIndex) {
  while (blocks_.size() > budgetBlocks_) {
    auto oldest = blocks_.end();
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it)
      if (it->first != keepIndex && (oldest == blocks_.end() || it->second.lastUse < oldest->second.lastUse))
        oldest = it;
    if (oldest == blocks_.end()) return;
    blocks_.erase(oldest);
  }
}

}  // namespace zv::net
