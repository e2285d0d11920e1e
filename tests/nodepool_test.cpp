#include "support/nodepool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

namespace {

TEST(NodePool, HandsOutDistinctAlignedBlocksAcrossChunks) {
  NodePool pool(24, 8);
  std::vector<unsigned char*> blocks;
  for (int i = 0; i < 200000; ++i) {  // more than two chunks
    auto* block = static_cast<unsigned char*>(pool.allocate(24));
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % 8, 0u);
    std::memset(block, i % 251, 24);
    blocks.push_back(block);
  }
  for (int i = 0; i < 200000; ++i) {
    ASSERT_EQ(blocks[i][0], i % 251);
    ASSERT_EQ(blocks[i][23], i % 251);
  }
  EXPECT_EQ(std::set<unsigned char*>(blocks.begin(), blocks.end()).size(), blocks.size());
  for (unsigned char* block : blocks) pool.release(block);
}

TEST(NodePool, ReusesReleasedBlocks) {
  NodePool pool(16, 8);
  void* kept = pool.allocate(16);
  void* first = pool.allocate(16);
  void* second = pool.allocate(16);
  pool.release(first);
  pool.release(second);
  const std::set<void*> reused = {pool.allocate(16), pool.allocate(16)};
  EXPECT_EQ(reused, (std::set<void*>{first, second}));
  for (void* block : reused) pool.release(block);
  pool.release(nullptr);
  pool.release(kept);
}

// Once a whole tree is deleted, the next one gets the first chunk's blocks in the same address
// order (later chunks go back to the system).
TEST(NodePool, HandsOutTheSameBlocksInOrderOnceAllAreReleased) {
  NodePool pool(24, 8);
  std::vector<void*> blocks;
  for (std::size_t i = 0; i < NodePool::CHUNK / 24; ++i) blocks.push_back(pool.allocate(24));
  for (void* block : blocks) pool.release(block);
  for (void* block : blocks) ASSERT_EQ(pool.allocate(24), block);
  for (void* block : blocks) pool.release(block);
}

#ifdef LOOPCOST_SANITIZE
// AddressSanitizer must still catch a node touched after its delete, deleted twice, or written
// past its end.
TEST(NodePool, ReportsUseOfBlocksNotHandedOut) {
  NodePool pool(24, 8);
  auto* kept = static_cast<volatile unsigned char*>(pool.allocate(24));
  auto* released = static_cast<volatile unsigned char*>(pool.allocate(24));
  pool.release(const_cast<unsigned char*>(released));
  EXPECT_DEATH(released[0] = 1, "use-after-poison");
  EXPECT_DEATH(pool.release(const_cast<unsigned char*>(released)), "use-after-poison");
  EXPECT_DEATH(kept[24] = 1, "use-after-poison");      // past its end, in the released block
  EXPECT_DEATH(kept[2 * 24] = 1, "use-after-poison");  // in a block never handed out
  pool.release(const_cast<unsigned char*>(kept));
}
#endif

}  // namespace
