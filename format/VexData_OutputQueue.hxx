// Copyright (c) 2026 VexData developers
#ifndef _VexData_OutputQueue_HeaderFile
#define _VexData_OutputQueue_HeaderFile

#include <VexData_WriteStatus.hxx>

#include <Message_Messenger.hxx>
#include <TCollection_AsciiString.hxx>
#include <gp_XY.hxx>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <vector>

//! The bytes of a machine file as the writer puts them out: records assembled little-endian,
//! lengths rounded to float32, strings with their 0 byte, the header and the type declarations,
//! all gathered in a 64 KB queue and handed to the stream in large pieces (a stream operation
//! costs far more than a record's few bytes). What the stream receives, and where a failing
//! stream stops taking bytes, is the same as with one output operation per record.
//!
//! After every hand-over the stream's flags give the status (the stream status rule): a hard
//! error StreamBad, a failure StreamFail or, at the end of the data, StreamFailEof. The first
//! failure sends "VEX_WRITER_WRITING_FAIL" and nothing more is written.
class VexData_OutputQueue
{
public:
  //! The bytes of one record, assembled before they are queued with one call.
  class Record
  {
  public:
    //! Room for the fixed part of the largest record (the type declarations).
    static const int THE_CAPACITY = 96;

    //! Creates an empty record.
    Record() : mySize(0) {}

    //! Appends one byte.
    Record& Byte(const unsigned int theValue)
    {
      if (mySize < THE_CAPACITY)
      {
        myData[mySize++] = static_cast<char>(theValue & 0xFFu);
      }
      return *this;
    }

    //! Appends a 32-bit integer, least significant byte first.
    Record& Int(const Standard_Integer theValue) { return Word(static_cast<uint32_t>(theValue)); }

    //! Appends theValue rounded to a 32-bit float, least significant byte first.
    Record& Float(const Standard_Real theValue) { return Word(FloatBits(theValue)); }

    //! Appends a point as two floats, each coordinate multiplied by theFactor.
    Record& Point(const gp_XY& thePoint, const Standard_Real theFactor)
    {
      return Float(thePoint.X() * theFactor).Float(thePoint.Y() * theFactor);
    }

    //! Returns the bytes.
    const char* Data() const { return myData; }

    //! Returns the number of bytes.
    std::streamsize Size() const { return mySize; }

  private:
    //! Appends the 32-bit word theBits, least significant byte first, in one store.
    Record& Word(const uint32_t theBits)
    {
      if (mySize + 4 <= THE_CAPACITY)
      {
        StoreWord(myData + mySize, theBits);
        mySize += 4;
      }
      return *this;
    }

  private:
    char myData[THE_CAPACITY]; //!< record bytes
    int  mySize;               //!< bytes used
  };

  //! Writes the values of records straight into room that Reserve() returned, encoded as Record
  //! encodes them. It checks no bounds: the room reserved must hold every value written.
  class Cursor
  {
  public:
    //! Starts writing at theRoom.
    explicit Cursor(char* theRoom) : myStart(theRoom), myEnd(theRoom) {}

    //! Writes one byte.
    Cursor& Byte(const unsigned int theValue)
    {
      *myEnd++ = static_cast<char>(theValue & 0xFFu);
      return *this;
    }

    //! Writes theValue rounded to a 32-bit float, least significant byte first.
    Cursor& Float(const Standard_Real theValue)
    {
      StoreWord(myEnd, FloatBits(theValue));
      myEnd += 4;
      return *this;
    }

    //! Writes a point as two floats, each coordinate multiplied by theFactor.
    Cursor& Point(const gp_XY& thePoint, const Standard_Real theFactor)
    {
      return Float(thePoint.X() * theFactor).Float(thePoint.Y() * theFactor);
    }

    //! Returns the number of bytes written.
    std::streamsize Size() const { return myEnd - myStart; }

  private:
    char* myStart; //!< first byte of the room
    char* myEnd;   //!< next byte to write
  };

  //! Bytes gathered before they are handed to the stream.
  static const std::streamsize THE_QUEUE_CAPACITY = 65536;

  //! Rounds theValue to the nearest float. Values beyond the float range go to the largest float
  //! or to infinity as IEEE rounding does, without relying on an out-of-range conversion.
  static float ToFloat32(const Standard_Real theValue)
  {
    if (std::fabs(theValue) > FLT_MAX && std::isfinite(theValue))
    {
      // Halfway between the largest float and 2^128: from there on the value rounds to infinity.
      const Standard_Real aHalfway = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
      const float         aResult  = std::fabs(theValue) < aHalfway ? FLT_MAX : HUGE_VALF;
      return theValue < 0.0 ? -aResult : aResult;
    }
    return static_cast<float>(theValue);
  }

  //! Returns the bits of theValue rounded to a float (ToFloat32).
  static uint32_t FloatBits(const Standard_Real theValue)
  {
    const float aValue = ToFloat32(theValue);
    uint32_t    aBits  = 0;
    std::memcpy(&aBits, &aValue, sizeof(aBits));
    return aBits;
  }

  //! Stores the 32-bit word theBits at theTarget, least significant byte first, in one store.
  static void StoreWord(char* theTarget, const uint32_t theBits)
  {
    const char aBytes[4] = {
        static_cast<char>(theBits & 0xFFu), static_cast<char>((theBits >> 8) & 0xFFu),
        static_cast<char>((theBits >> 16) & 0xFFu), static_cast<char>((theBits >> 24) & 0xFFu)};
    std::memcpy(theTarget, aBytes, 4);
  }

  //! Returns the status that the flags of theStream give by the stream status rule.
  static VexData_WriteStatus::Status StatusOf(const std::ios& theStream);

  //! Creates an output queue without a stream.
  VexData_OutputQueue();

  //! Writes to theStream from now on, with an empty queue and status Ok; failures are reported to
  //! theMessenger (may be null).
  void Start(std::ostream& theStream, const Handle(Message_Messenger) & theMessenger);

  //! Returns Ok, or the status of the first output that failed.
  VexData_WriteStatus::Status Status() const { return myStatus; }

  //! Queues theSize bytes; returns true while the stream is good. Nothing is written once the
  //! status is not Ok.
  Standard_Boolean Write(const char* theData, const std::streamsize theSize)
  {
    if (theSize <= myLimit - myQueued)
    {
      std::memcpy(myQueue.data() + myQueued, theData, static_cast<size_t>(theSize));
      myQueued += theSize;
      return Standard_True;
    }
    return writeSlowly(theData, theSize);
  }

  //! Queues theRecord.
  Standard_Boolean Write(const Record& theRecord)
  {
    return Write(theRecord.Data(), theRecord.Size());
  }

  //! Returns room for theSize bytes (at most THE_QUEUE_CAPACITY) at the end of the queue, to be
  //! filled with a Cursor and queued with Commit(); the queued bytes go to the stream first when
  //! too little room is left. Returns NULL once the status is not Ok. Reserving without
  //! committing queues nothing.
  char* Reserve(const std::streamsize theSize)
  {
    if (theSize <= myLimit - myQueued)
    {
      return myQueue.data() + myQueued;
    }
    return reserveSlowly(theSize);
  }

  //! Queues the bytes that theCursor wrote into the room Reserve() returned last.
  void Commit(const Cursor& theCursor) { myQueued += theCursor.Size(); }

  //! Queues theString followed by its 0 byte.
  Standard_Boolean WriteString(const TCollection_AsciiString& theString)
  {
    return Write(theString.ToCString(), theString.Length() + 1);
  }

  //! Queues the 81-byte header: the magic line with version 3.0, the line naming the writer and
  //! the 0x1A byte that ends it.
  Standard_Boolean WriteHeader();

  //! Queues the type declarations of every record size a written file may use, in ascending
  //! order of tags (the macro records included, although the writer never uses them).
  Standard_Boolean WriteDeclarations();

  //! Hands the queued bytes to the stream; returns true when the stream is still good.
  Standard_Boolean Flush();

  //! Hands the queued bytes to a good stream after a failure of another kind, keeping the
  //! status: the bytes already composed reach it as they would have record by record.
  void Deliver();

private:
  //! Queues theSize bytes when the queue is full or not yet made, handing it over first.
  Standard_Boolean writeSlowly(const char* theData, const std::streamsize theSize);

  //! Makes the queue on first use; called while the status is Ok.
  void makeQueue();

  //! Returns room for theSize bytes when the queue is full or not yet made, handing it over first.
  char* reserveSlowly(const std::streamsize theSize);

  //! Writes theSize bytes with one output operation and applies the stream status rule.
  Standard_Boolean put(const char* theData, const std::streamsize theSize);

private:
  std::ostream* myStream;                //!< current output, NULL before Start
  Handle(Message_Messenger) myMessenger; //!< where a failure is reported, may be null
  VexData_WriteStatus::Status myStatus;  //!< Ok, or the status of the failed output
  std::vector<char>           myQueue;   //!< bytes not yet handed to the stream
  std::streamsize             myQueued;  //!< bytes in myQueue
  std::streamsize             myLimit;   //!< size of myQueue while the status is Ok, else -1
};

#endif
