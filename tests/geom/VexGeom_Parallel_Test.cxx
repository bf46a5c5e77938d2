// Copyright (c) 2026 VexData developers
// Tile work spread over threads: every tile is worked on exactly once whatever the number of
// threads, and a failure in one of them reaches the caller instead of ending the program.
#include <VexGeom_Parallel.hxx>

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <vector>

namespace
{
TEST(VexGeom_Parallel, EveryTileOnceWhateverTheThreads)
{
  struct Case
  {
    size_t Tiles, Workers;
  };
  const Case aCases[] = {{0, 4}, {1, 8}, {5, 1}, {5, 0}, {3, 8}, {1000, 3}};
  for (const Case& aCase : aCases)
  {
    std::vector<std::atomic<int>> aVisits(aCase.Tiles);
    VexGeom_Parallel::For(aCase.Tiles, aCase.Workers,
                          [&](const size_t theTile) { ++aVisits[theTile]; });
    for (size_t aTile = 0; aTile < aCase.Tiles; ++aTile)
    {
      EXPECT_EQ(aVisits[aTile].load(), 1) << aCase.Tiles << " tiles, " << aCase.Workers;
    }
  }
  EXPECT_GE(VexGeom_Parallel::NbWorkers(), 1u);
  EXPECT_LE(VexGeom_Parallel::NbWorkers(), 8u);
}

TEST(VexGeom_Parallel, AFailureReachesTheCallerAndStopsTheRest)
{
  for (const size_t aWorkers : {1u, 4u})
  {
    std::atomic<int> aDone(0);
    EXPECT_THROW(VexGeom_Parallel::For(10000, aWorkers,
                                       [&](const size_t theTile)
                                       {
                                         if (theTile == 10)
                                         {
                                           throw std::bad_alloc();
                                         }
                                         ++aDone;
                                       }),
                 std::bad_alloc)
        << aWorkers;
    // On one thread no tile is taken after the failure; on several, the tiles already under
    // way finish (how many depends on the scheduling).
    if (aWorkers == 1)
    {
      EXPECT_EQ(aDone.load(), 10);
    }
  }
}
} // namespace
