// Copyright (c) 2026 VexData developers
#include <VexData_OutputQueue.hxx>

#include <VexData_Format.hxx>
#include <VexData_Message.hxx>
#include <VexData_RecordTable.hxx>

#include <Standard_Failure.hxx>

#include <new>

namespace
{
//! Length of the header the writer emits.
const int THE_HEADER_LENGTH = 81;

//! Queue limit while nothing may be queued (no queue yet, or an output failed): below every
//! size, so that even an output of 0 bytes takes the checks of the slow path.
const std::streamsize THE_NO_LIMIT = -1;
} // namespace

VexData_WriteStatus::Status VexData_OutputQueue::StatusOf(const std::ios& theStream)
{
  const std::ios_base::iostate aState = theStream.rdstate();
  if ((aState & std::ios_base::badbit) != 0)
  {
    return VexData_WriteStatus::StreamBad;
  }
  if ((aState & std::ios_base::failbit) != 0)
  {
    return (aState & std::ios_base::eofbit) != 0 ? VexData_WriteStatus::StreamFailEof
                                                 : VexData_WriteStatus::StreamFail;
  }
  return VexData_WriteStatus::Ok;
}

VexData_OutputQueue::VexData_OutputQueue()
    : myStream(NULL), myStatus(VexData_WriteStatus::Ok), myQueued(0), myLimit(THE_NO_LIMIT)
{
}

void VexData_OutputQueue::Start(std::ostream& theStream,
                                const Handle(Message_Messenger) & theMessenger)
{
  myStream    = &theStream;
  myMessenger = theMessenger;
  myStatus    = VexData_WriteStatus::Ok;
  myQueued    = 0;
  myLimit     = myQueue.empty() ? THE_NO_LIMIT : THE_QUEUE_CAPACITY;
}

Standard_Boolean VexData_OutputQueue::writeSlowly(const char*           theData,
                                                  const std::streamsize theSize)
{
  if (myStatus != VexData_WriteStatus::Ok)
  {
    return Standard_False;
  }
  if (theSize > THE_QUEUE_CAPACITY - myQueued)
  {
    if (!Flush() || theSize > THE_QUEUE_CAPACITY)
    {
      return myStatus == VexData_WriteStatus::Ok && put(theData, theSize);
    }
  }
  makeQueue();
  std::memcpy(myQueue.data() + myQueued, theData, static_cast<size_t>(theSize));
  myQueued += theSize;
  return Standard_True;
}

char* VexData_OutputQueue::reserveSlowly(const std::streamsize theSize)
{
  if (myStatus != VexData_WriteStatus::Ok || theSize > THE_QUEUE_CAPACITY ||
      (theSize > THE_QUEUE_CAPACITY - myQueued && !Flush()))
  {
    return NULL;
  }
  makeQueue();
  return myQueue.data() + myQueued;
}

void VexData_OutputQueue::makeQueue()
{
  if (myQueue.empty())
  {
    myQueue.resize(static_cast<size_t>(THE_QUEUE_CAPACITY));
    myLimit = THE_QUEUE_CAPACITY;
  }
}

Standard_Boolean VexData_OutputQueue::Flush()
{
  const std::streamsize aSize = myQueued;
  myQueued                    = 0;
  return aSize == 0 ? myStatus == VexData_WriteStatus::Ok : put(myQueue.data(), aSize);
}

void VexData_OutputQueue::Deliver()
{
  const std::streamsize aSize = myQueued;
  myQueued                    = 0;
  try
  {
    if (aSize > 0 && myStream->good())
    {
      myStream->write(myQueue.data(), aSize);
    }
  }
  catch (...)
  {
  }
}

Standard_Boolean VexData_OutputQueue::put(const char* theData, const std::streamsize theSize)
{
  if (myStatus != VexData_WriteStatus::Ok)
  {
    return Standard_False;
  }
  Standard_Boolean isThrown = Standard_False;
  try
  {
    // A stream whose end-of-file flag alone is set skips every output without marking it as
    // failed; mark it, so that the lost bytes are not reported as a success.
    if (myStream->rdstate() == std::ios_base::eofbit)
    {
      myStream->setstate(std::ios_base::failbit);
    }
    else
    {
      myStream->write(theData, theSize);
    }
  }
  catch (const std::bad_alloc&)
  {
    // Passed on by a stream with exceptions enabled: memory ran out, an internal failure rather
    // than the stream's (the writer reports it).
    throw;
  }
  catch (const Standard_Failure&)
  {
    throw; // from our own libraries, never from a device
  }
  catch (...)
  {
    // Thrown by the buffer or by a stream with exceptions enabled: the state tells what failed.
    isThrown = Standard_True;
  }
  myStatus = StatusOf(*myStream);
  if (isThrown && myStatus == VexData_WriteStatus::Ok)
  {
    myStatus = VexData_WriteStatus::StreamBad;
  }
  if (myStatus != VexData_WriteStatus::Ok)
  {
    myLimit = THE_NO_LIMIT;
    VexData_Message::Send(myMessenger, "VEX_WRITER_WRITING_FAIL");
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexData_OutputQueue::WriteHeader()
{
  // The first line ends with the version 3.0, the second names the writer, 0x1A ends the header.
  char             aHeader[THE_HEADER_LENGTH];
  Standard_Integer aSize    = 0;
  const size_t     aLength1 = sizeof(VexData_Format::THE_HEADER_LINE1) - 1;
  const size_t     aLength2 = sizeof(VexData_Format::THE_HEADER_LINE2) - 1;
  std::memcpy(aHeader, VexData_Format::THE_HEADER_LINE1, aLength1);
  aSize            = static_cast<Standard_Integer>(aLength1);
  aHeader[aSize++] = '0';
  aHeader[aSize++] = '\n';
  std::memcpy(aHeader + aSize, VexData_Format::THE_HEADER_LINE2, aLength2);
  aSize += static_cast<Standard_Integer>(aLength2);
  aHeader[aSize++] = '\n';
  aHeader[aSize++] = static_cast<char>(VexData_Format::THE_HEADER_END);
  return Write(aHeader, aSize);
}

Standard_Boolean VexData_OutputQueue::WriteDeclarations()
{
  Record aRecord;
  for (Standard_Integer anIndex = 0; anIndex < VexData_RecordTable::NbRows(); ++anIndex)
  {
    const VexData_RecordTable::Row& aRow = VexData_RecordTable::Value(anIndex);
    if (aRow.IsDeclared)
    {
      aRecord.Byte(VexData_Format::Tag_TypeDeclaration).Byte(aRow.Tag).Int(aRow.Size);
    }
  }
  return Write(aRecord);
}
