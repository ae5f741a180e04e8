// The in-memory bytes of a network resource: runs within blocks, copies
// across blocks, and a budget that keeps memory flat however long it plays.
#include "streaming/BlockCache.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using zv::net::BlockCache;

namespace {

constexpr size_t kBlock = BlockCache::kBlockSize;

std::vector<uint8_t> Bytes(size_t count, uint64_t offset) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>((offset + i) * 7 + 3);
  return bytes;
}

}  // namespace

TEST(BlockCache, CopiesBackWhatWasStoredAcrossBlocks) {
  BlockCache cache(8 * kBlock);
  const uint64_t start = kBlock - 100;
  const auto stored = Bytes(kBlock + 300, start);
  cache.Store(start, stored.data(), stored.size());
  std::vector<uint8_t> out(stored.size());
  EXPECT_EQ(cache.Copy(start, out.data(), out.size()), stored.size());
  EXPECT_EQ(out, stored);
  EXPECT_EQ(cache.Available(start, 1u << 30), stored.size());
  EXPECT_EQ(cache.Available(start + 50, 10), 10u);
}

TEST(BlockCache, StopsAtTheFirstMissingByte) {
  BlockCache cache(8 * kBlock);
  const auto first = Bytes(1000, 0);
  const auto later = Bytes(1000, 3000);
  cache.Store(0, first.data(), first.size());
  cache.Store(3000, later.data(), later.size());  // replaces the run of block 0
  std::vector<uint8_t> out(4000);
  EXPECT_EQ(cache.Copy(0, out.data(), out.size()), 0u);
  EXPECT_EQ(cache.Copy(3000, out.data(), out.size()), 1000u);
  EXPECT_EQ(cache.Copy(4000, out.data(), out.size()), 0u);
  EXPECT_EQ(cache.Available(2999, 100), 0u);
}

TEST(BlockCache, OverlappingAndTouchingBytesExtendARun) {
  BlockCache cache(8 * kBlock);
  const auto all = Bytes(3000, 0);
  cache.Store(1000, all.data() + 1000, 1000);
  cache.Store(500, all.data() + 500, 700);    // overlaps the start
  cache.Store(2000, all.data() + 2000, 1000);  // touches the end
  std::vector<uint8_t> out(2500);
  ASSERT_EQ(cache.Copy(500, out.data(), out.size()), 2500u);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), all.begin() + 500));
}

TEST(BlockCache, AnEndlessStreamNeverHoldsMoreThanItsBudget) {
  BlockCache cache(4 * kBlock);
  const auto chunk = Bytes(4096, 0);
  uint64_t offset = 0;
  for (int i = 0; i < 1000; ++i, offset += chunk.size()) {
    cache.Store(offset, chunk.data(), chunk.size());
    ASSERT_LE(cache.BlockCount(), 4u);
  }
  // The newest bytes are there, the oldest went first.
  std::vector<uint8_t> out(4096);
  EXPECT_EQ(cache.Copy(offset - 4096, out.data(), out.size()), 4096u);
  EXPECT_EQ(cache.Copy(0, out.data(), out.size()), 0u);
}

TEST(BlockCache, RecentlyReadBlocksOutliveOlderUnreadOnes) {
  BlockCache cache(2 * kBlock);
  const auto block = Bytes(kBlock, 0);
  cache.Store(0, block.data(), block.size());
  cache.Store(kBlock, block.data(), block.size());
  std::vector<uint8_t> out(10);
  cache.Copy(0, out.data(), out.size());  // block 0 used after block 1 was stored
  cache.Store(2 * kBlock, block.data(), block.size());
  EXPECT_EQ(cache.Available(0, 10), 10u);
  EXPECT_EQ(cache.Available(kBlock, 10), 0u);
}
