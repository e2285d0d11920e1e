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
  for (int i = 0; i < 100000; ++i) {  // more than one chunk
    auto* block = static_cast<unsigned char*>(pool.allocate(24));
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % 8, 0u);
    std::memset(block, i % 251, 24);
    blocks.push_back(block);
  }
  for (int i = 0; i < 100000; ++i) {
    ASSERT_EQ(blocks[i][0], i % 251);
    ASSERT_EQ(blocks[i][23], i % 251);
  }
  EXPECT_EQ(std::set<unsigned char*>(blocks.begin(), blocks.end()).size(), blocks.size());
  for (unsigned char* block : blocks) pool.release(block);
}

TEST(NodePool, ReusesReleasedBlocks) {
  NodePool pool(16, 8);
  void* kept = pool.allocate(16);  // an empty pool gives its memory back
  void* first = pool.allocate(16);
  void* second = pool.allocate(16);
  pool.release(first);
  pool.release(second);
  const std::set<void*> reused = {pool.allocate(16), pool.allocate(16)};
#ifndef LOOPCOST_SANITIZE  // sanitizer builds hand every request to the general allocator
  EXPECT_EQ(reused, (std::set<void*>{first, second}));
#endif
  for (void* block : reused) pool.release(block);
  pool.release(kept);
  pool.release(nullptr);
}

}  // namespace
