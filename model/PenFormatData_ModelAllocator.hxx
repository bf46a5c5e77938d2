// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_ModelAllocator_HeaderFile
#define _PenFormatData_ModelAllocator_HeaderFile

#include <NCollection_IncAllocator.hxx>
#include <Standard_DefineHandle.hxx>

class PenFormatData_ModelAllocator;
DEFINE_STANDARD_HANDLE(PenFormatData_ModelAllocator, NCollection_IncAllocator)

//! The incremental allocator of a model's curves, elements and child lists. Like its base class
//! it hands out memory that is only returned when the allocator goes, but it takes that memory in
//! chunks that double in size from 64 KB up to 8 MB (small models stay small, large ones make few
//! requests to the heap), has the system back the pages of each megabyte it starts to use in one
//! request instead of a page fault per page, and serves a request with a pointer bump: a board of
//! millions of elements makes several allocations per element. Only Allocate and Free are its own;
//! the other operations of the base class (Reset, GetMemSize) know nothing of its chunks.
class PenFormatData_ModelAllocator : public NCollection_IncAllocator
{
  DEFINE_STANDARD_RTTIEXT(PenFormatData_ModelAllocator, NCollection_IncAllocator)
public:
  //! Creates an allocator that has taken no memory yet.
  Standard_EXPORT PenFormatData_ModelAllocator();

  //! Returns every chunk to the system.
  Standard_EXPORT virtual ~PenFormatData_ModelAllocator();

  //! Returns theSize bytes aligned like a pointer; throws Standard_OutOfMemory when no memory
  //! can be had, as the base class does.
  Standard_EXPORT virtual void* Allocate(const size_t theSize) Standard_OVERRIDE;

  //! Does nothing: the memory goes back with the allocator.
  Standard_EXPORT virtual void Free(void* theAddress) Standard_OVERRIDE;

private:
  //! Takes theSize bytes when the current window is too short: widens the window within the
  //! chunk, or starts a new chunk first.
  void* allocateSlow(const size_t theSize);

  //! Starts a new chunk that can hold at least theSize bytes, with an empty window.
  void startChunk(const size_t theSize);

private:
  struct Chunk;

  Chunk* myChunks;   //!< chunks taken, the newest first
  char*  myFree;     //!< first free byte of the newest chunk
  char*  myEnd;      //!< end of the window of the newest chunk whose pages were requested
  char*  myChunkEnd; //!< end of the newest chunk
  size_t myNextSize; //!< size of the next chunk
};

#endif
