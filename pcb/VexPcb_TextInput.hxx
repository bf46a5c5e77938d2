// Copyright (c) 2026 VexData developers
#ifndef _VexPcb_TextInput_HeaderFile
#define _VexPcb_TextInput_HeaderFile

#include <NCollection_Array1.hxx>
#include <Standard_TypeDef.hxx>

#include <istream>

//! The bytes of a design file as a reader scans them: a window [Begin(), End()) over the file
//! that the reader consumes from the front and widens on demand. Read from a stream, the window
//! lives in a buffer refilled a chunk at a time, so that the memory held does not grow with the
//! file: it grows beyond the chunk only to hold one command or line longer than the chunk, which
//! a reader asks for with Gather(). Read from memory, the window is the whole text and nothing
//! is copied.
//!
//! Widening the window may move the bytes: pointers into it taken before Gather() or Ensure()
//! are invalid after, Begin() and End() give the new ones.
class VexPcb_TextInput
{
public:
  //! Bytes read from a stream at a time unless the reader asks for another size.
  static const size_t THE_DEFAULT_CHUNK = 65536;

  //! Reads theStream from its current position, theChunk bytes at a time (0: the default).
  Standard_EXPORT VexPcb_TextInput(std::istream& theStream, const size_t theChunk);

  //! Reads the theSize bytes at theData, which the caller keeps alive meanwhile.
  Standard_EXPORT VexPcb_TextInput(const char* theData, const size_t theSize);

  //! Returns the first byte not consumed.
  const char* Begin() const { return myData + myStart; }

  //! Returns the end of the bytes at hand.
  const char* End() const { return myData + myEnd; }

  //! Consumes the bytes before thePos, which lies between Begin() and End().
  void Consume(const char* thePos) { myStart = static_cast<size_t>(thePos - myData); }

  //! Widens the window until it holds one of the bytes of theStops (a C string) or theLimit
  //! bytes, or until the input ends. Returns false when the stream failed.
  Standard_EXPORT Standard_Boolean Gather(const char* theStops, const size_t theLimit);

  //! Widens the window to theCount bytes unless the input ends first; false when the stream
  //! failed.
  Standard_EXPORT Standard_Boolean Ensure(const size_t theCount);

  //! Returns true when the stream failed: it threw, or its buffer gave an error.
  Standard_Boolean IsFailed() const { return isFailed; }

  //! Returns the number of bytes from the current position of theStream to its end, or 0 when
  //! the stream cannot tell (a pipe). The position is left as it was.
  Standard_EXPORT static size_t Remaining(std::istream& theStream);

private:
  VexPcb_TextInput(const VexPcb_TextInput&);
  VexPcb_TextInput& operator=(const VexPcb_TextInput&);

  //! Moves the window to the front of the buffer, grows a full buffer, and reads one more
  //! chunk; false at the end of the input or on a failure.
  Standard_Boolean fill();

  //! Returns the offset from Begin() of the first byte of theStops at or after offset theFrom,
  //! or the number of bytes at hand when there is none.
  size_t find(const char* theStops, const size_t theFrom) const;

  std::istream*            myStream; //!< the stream read, NULL for text in memory
  NCollection_Array1<char> myBuffer; //!< the buffer of a stream
  const char*              myData;   //!< the bytes: the buffer, or the text in memory
  size_t                   myChunk;  //!< bytes read at a time
  size_t                   myStart;  //!< offset of the first byte not consumed
  size_t                   myEnd;    //!< offset of the end of the bytes at hand
  Standard_Boolean         isEnded;  //!< the stream has no more bytes
  Standard_Boolean         isFailed; //!< the stream failed
};

#endif
