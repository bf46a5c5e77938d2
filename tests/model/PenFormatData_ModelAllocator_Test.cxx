// Copyright (c) 2026 VexData developers
// The model's allocator hands out aligned blocks from growing chunks; blocks must never overlap,
// also across chunk boundaries and for requests larger than any chunk.
#include <PenFormatData_ModelAllocator.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

TEST(PenFormatDataModelAllocator, BlocksAreAlignedAndNeverOverlap)
{
  Handle(PenFormatData_ModelAllocator) anAllocator = new PenFormatData_ModelAllocator();
  // Small and odd sizes, a request that no chunk holds, and enough blocks for several chunks.
  const size_t aSizes[] = {1, 7, 8, 9, 48, 100, 4096, 65536, 9 * 1024 * 1024, 0, 24};
  std::vector<std::pair<uintptr_t, size_t>> aBlocks;
  for (int aRound = 0; aRound < 2000; ++aRound)
  {
    for (const size_t aSize : aSizes)
    {
      if (aSize > 65536 && aRound % 500 != 0)
      {
        continue;
      }
      char* aBlock = static_cast<char*>(anAllocator->Allocate(aSize));
      ASSERT_NE(aBlock, nullptr);
      EXPECT_EQ(reinterpret_cast<uintptr_t>(aBlock) % sizeof(void*), 0u) << aSize;
      std::memset(aBlock, 0x5A, aSize); // the whole block is usable (checked under ASan)
      aBlocks.emplace_back(reinterpret_cast<uintptr_t>(aBlock), aSize);
    }
  }
  std::sort(aBlocks.begin(), aBlocks.end());
  for (size_t anIndex = 1; anIndex < aBlocks.size(); ++anIndex)
  {
    EXPECT_LE(aBlocks[anIndex - 1].first + aBlocks[anIndex - 1].second, aBlocks[anIndex].first);
  }
}
