// Copyright (c) 2026 VexData developers
#include <PenFormatData_ModelAllocator.hxx>

#include <Standard_OutOfMemory.hxx>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_ModelAllocator, NCollection_IncAllocator)

namespace
{
//! Alignment of every block handed out.
const size_t THE_ALIGNMENT = sizeof(void*);

//! Size of the first chunk: small models stay small.
const size_t THE_FIRST_CHUNK = 64 * 1024;

//! Size chunks grow to.
const size_t THE_LARGEST_CHUNK = 8 * 1024 * 1024;

//! Bytes of a chunk whose pages are requested at a time.
const size_t THE_WINDOW = 1024 * 1024;

//! Size and alignment of the large pages the system may back a large chunk with.
const size_t THE_LARGE_PAGE = 2 * 1024 * 1024;

//! Rounds theSize up to the alignment.
size_t aligned(const size_t theSize)
{
  return (theSize + THE_ALIGNMENT - 1) & ~(THE_ALIGNMENT - 1);
}

//! Asks the system to back the whole pages of [theStart, theStart + theSize) with memory now.
//! A model fills its memory front to back, and one request for a window's pages costs much less
//! than a page fault for each of them. It is only a request: where it is not known, pages come
//! on first touch as usual.
void fillInAdvance(void* theStart, const size_t theSize)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  static const uintptr_t aPage = static_cast<uintptr_t>(std::max(sysconf(_SC_PAGESIZE), 4096L));
  const uintptr_t aBegin       = (reinterpret_cast<uintptr_t>(theStart) + aPage - 1) & ~(aPage - 1);
  const uintptr_t anEnd        = (reinterpret_cast<uintptr_t>(theStart) + theSize) & ~(aPage - 1);
  if (anEnd > aBegin)
  {
    (void)madvise(reinterpret_cast<void*>(aBegin), anEnd - aBegin, MADV_POPULATE_WRITE);
  }
#else
  (void)theStart;
  (void)theSize;
#endif
}
//! Takes a chunk of theSize bytes from the heap. A chunk of several large pages is aligned to
//! them and the system is told that large pages suit it: a board of millions of objects then
//! takes one page fault and one page-table entry per 2 MB instead of per 4 KB.
void* takeChunk(const size_t theSize)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (theSize >= 2 * THE_LARGE_PAGE && theSize % THE_LARGE_PAGE == 0)
  {
    void* aChunk = std::aligned_alloc(THE_LARGE_PAGE, theSize);
    if (aChunk != NULL)
    {
      (void)madvise(aChunk, theSize, MADV_HUGEPAGE);
    }
    return aChunk;
  }
#endif
  return std::malloc(theSize);
}
} // namespace

//! Header of a chunk; the memory handed out follows it.
struct PenFormatData_ModelAllocator::Chunk
{
  Chunk* Next; //!< the chunk taken before this one
};

PenFormatData_ModelAllocator::PenFormatData_ModelAllocator()
    : myChunks(NULL), myFree(NULL), myEnd(NULL), myChunkEnd(NULL), myNextSize(THE_FIRST_CHUNK)
{
}

PenFormatData_ModelAllocator::~PenFormatData_ModelAllocator()
{
  while (myChunks != NULL)
  {
    Chunk* aNext = myChunks->Next;
    std::free(myChunks);
    myChunks = aNext;
  }
}

void* PenFormatData_ModelAllocator::Allocate(const size_t theSize)
{
  const size_t aSize = aligned(theSize);
  if (aSize > static_cast<size_t>(myEnd - myFree))
  {
    return allocateSlow(aSize);
  }
  void* aBlock = myFree;
  myFree += aSize;
  return aBlock;
}

void PenFormatData_ModelAllocator::Free(void*)
{
}

void* PenFormatData_ModelAllocator::allocateSlow(const size_t theSize)
{
  if (theSize > static_cast<size_t>(myChunkEnd - myFree))
  {
    startChunk(theSize);
  }
  // The part of the chunk in use grows by windows whose pages are requested in one go: a small
  // model does not pay for the untouched rest of its last chunk.
  char* aWindowEnd = myFree + std::max(theSize, THE_WINDOW);
  aWindowEnd       = aWindowEnd < myChunkEnd ? aWindowEnd : myChunkEnd;
  fillInAdvance(myEnd, static_cast<size_t>(aWindowEnd - myEnd));
  myEnd        = aWindowEnd;
  void* aBlock = myFree;
  myFree += theSize;
  return aBlock;
}

void PenFormatData_ModelAllocator::startChunk(const size_t theSize)
{
  const size_t aHeader = aligned(sizeof(Chunk));
  const size_t aSize   = std::max(myNextSize, aHeader + theSize);
  Chunk*       aChunk  = static_cast<Chunk*>(takeChunk(aSize));
  if (aChunk == NULL)
  {
    throw Standard_OutOfMemory("PenFormatData_ModelAllocator: out of memory");
  }
  myNextSize   = std::min(myNextSize * 2, THE_LARGEST_CHUNK);
  aChunk->Next = myChunks;
  myChunks     = aChunk;
  myFree       = reinterpret_cast<char*>(aChunk) + aHeader;
  myEnd        = myFree;
  myChunkEnd   = reinterpret_cast<char*>(aChunk) + aSize;
}
