#pragma once
// The bytes of a network resource kept in memory while it plays: fixed
// blocks, each holding one run of consecutive bytes, within a byte budget.
// Blocks that were used longest ago go first when the budget is exceeded,
// so memory stays flat however long a stream plays. Not thread-safe.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

namespace zv::net {

class BlockCache {
 public:
  static constexpr size_t kBlockSize = 64 * 1024;

  // The budget is rounded up to at least two blocks.
  explicit BlockCache(size_t budgetBytes);

  // Keeps bytes that arrived for the resource's `offset`. A block keeps one
  // run: bytes that continue or overlap its run extend it, bytes elsewhere
  // in the block replace it.
  void Store(uint64_t offset, const uint8_t* data, size_t size);

  // Copies the bytes present from `offset` on without a gap, at most `size`;
  // returns how many.
  size_t Copy(uint64_t offset, uint8_t* out, size_t size);

  // How many bytes from `offset` on are present without a gap (capped at
  // `limit`).
  uint64_t Available(uint64_t offset, uint64_t limit) const;

  size_t BlockCount() const { return blocks_.size(); }
  size_t BudgetBlocks() const { return budgetBlocks_; }
  void Clear() { blocks_.clear(); }

 private:
  struct Block {
    std::unique_ptr<uint8_t[]> bytes;
    uint32_t begin = 0;  // the run within the block: [begin, end)
    uint32_t end = 0;
    uint64_t lastUse = 0;
  };
  void EvictBeyondBudget(uint64_t keepIndex);

  std::map<uint64_t, Block> blocks_;  // by block index
  size_t budgetBlocks_;
  uint64_t clock_ = 0;
};

}  // namespace zv::net
