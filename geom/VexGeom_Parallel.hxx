// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Parallel_HeaderFile
#define _VexGeom_Parallel_HeaderFile

#include <Standard_TypeDef.hxx>

#include <cstddef>
#include <functional>

//! Polygon work on independent tiles of a board, spread over the machine's processor cores.
//! Each tile's result goes into a slot of its own, so that the caller gathers them in tile order
//! and the outcome does not depend on the number of threads.
class VexGeom_Parallel
{
public:
  //! Returns the number of threads work is spread over: the machine's cores, at most 8.
  Standard_EXPORT static size_t NbWorkers();

  //! Calls theWork(0) ... theWork(theCount - 1), each once, on theNbWorkers threads at most (the
  //! calling one among them), and returns when all are done. An exception raised by one call
  //! (out of memory) stops the others taking new work and is raised again in the calling thread.
  Standard_EXPORT static void For(const size_t theCount, const size_t theNbWorkers,
                                  const std::function<void(size_t)>& theWork);
};

#endif
