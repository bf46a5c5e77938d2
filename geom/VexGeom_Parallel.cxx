// Copyright (c) 2026 VexData developers
#include <VexGeom_Parallel.hxx>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
//! Most threads: each holds the geometry of one tile, so memory grows with them.
const size_t THE_MAX_WORKERS = 8;
} // namespace

size_t VexGeom_Parallel::NbWorkers()
{
  return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, THE_MAX_WORKERS);
}

void VexGeom_Parallel::For(const size_t theCount, const size_t theNbWorkers,
                           const std::function<void(size_t)>& theWork)
{
  std::atomic<size_t> aNext(0);
  std::mutex          aLock;
  std::exception_ptr  aFailure;
  auto                aWorker = [&]()
  {
    try
    {
      for (size_t anIndex = aNext++; anIndex < theCount; anIndex = aNext++)
      {
        theWork(anIndex);
      }
    }
    catch (...)
    {
      aNext = theCount;
      std::lock_guard<std::mutex> aGuard(aLock);
      aFailure = aFailure ? aFailure : std::current_exception();
    }
  };
  std::vector<std::thread> aThreads;
  const size_t aWorkers = std::clamp<size_t>(theNbWorkers, 1, std::max<size_t>(theCount, 1));
  for (size_t anIndex = 1; anIndex < aWorkers; ++anIndex)
  {
    aThreads.emplace_back(aWorker);
  }
  aWorker();
  for (std::thread& aThread : aThreads)
  {
    aThread.join();
  }
  if (aFailure)
  {
    std::rethrow_exception(aFailure);
  }
}
