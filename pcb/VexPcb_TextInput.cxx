// Copyright (c) 2026 VexData developers
#include <VexPcb_TextInput.hxx>

#include <algorithm>
#include <climits>
#include <cstring>

VexPcb_TextInput::VexPcb_TextInput(std::istream& theStream, const size_t theChunk)
    : myStream(&theStream),
      myBuffer(0, static_cast<Standard_Integer>(theChunk > 0 ? theChunk : THE_DEFAULT_CHUNK) - 1),
      myData(&myBuffer.First()), myChunk(theChunk > 0 ? theChunk : THE_DEFAULT_CHUNK), myStart(0),
      myEnd(0), isEnded(Standard_False), isFailed(Standard_False)
{
}

VexPcb_TextInput::VexPcb_TextInput(const char* theData, const size_t theSize)
    : myStream(NULL), myData(theData), myChunk(0), myStart(0), myEnd(theData != NULL ? theSize : 0),
      isEnded(Standard_True), isFailed(Standard_False)
{
}

size_t VexPcb_TextInput::Remaining(std::istream& theStream)
{
  try
  {
    const std::streampos aStart = theStream.tellg();
    if (aStart == std::streampos(-1) || !theStream.seekg(0, std::ios::end))
    {
      theStream.clear(theStream.rdstate() & ~std::ios::failbit);
      return 0;
    }
    const std::streamoff aSize = theStream.tellg() - aStart;
    theStream.seekg(aStart);
    return aSize > 0 ? static_cast<size_t>(aSize) : 0;
  }
  catch (...)
  {
    return 0;
  }
}

Standard_Boolean VexPcb_TextInput::Gather(const char* theStops, const size_t theLimit)
{
  for (size_t aScanned = 0;;)
  {
    const size_t aHeld = myEnd - myStart;
    if (find(theStops, aScanned) < aHeld || aHeld >= theLimit)
    {
      return Standard_True;
    }
    aScanned = aHeld;
    if (!fill())
    {
      return !isFailed;
    }
  }
}

Standard_Boolean VexPcb_TextInput::Ensure(const size_t theCount)
{
  while (myEnd - myStart < theCount)
  {
    if (!fill())
    {
      return !isFailed;
    }
  }
  return Standard_True;
}

size_t VexPcb_TextInput::find(const char* theStops, const size_t theFrom) const
{
  const size_t aHeld  = myEnd - myStart;
  size_t       aFound = aHeld;
  for (const char* aStop = theStops; *aStop != '\0'; ++aStop)
  {
    const void* aHit = std::memchr(Begin() + theFrom, *aStop, aFound - std::min(aFound, theFrom));
    if (aHit != NULL)
    {
      aFound = static_cast<size_t>(static_cast<const char*>(aHit) - Begin());
    }
  }
  return aFound;
}

Standard_Boolean VexPcb_TextInput::fill()
{
  if (myStream == NULL || isEnded || isFailed)
  {
    return Standard_False;
  }
  const size_t aHeld = myEnd - myStart;
  if (myStart > 0)
  {
    std::memmove(&myBuffer.ChangeFirst(), &myBuffer.First() + myStart, aHeld);
    myStart = 0;
    myEnd   = aHeld;
  }
  const size_t aSize = static_cast<size_t>(myBuffer.Length());
  if (myEnd == aSize)
  {
    // One command or line longer than the buffer: the buffer grows to hold it.
    if (aSize > static_cast<size_t>(INT_MAX / 2))
    {
      isFailed = Standard_True;
      return Standard_False;
    }
    myBuffer.Resize(0, static_cast<Standard_Integer>(aSize * 2) - 1, Standard_True);
  }
  myData = &myBuffer.First();
  try
  {
    myStream->read(&myBuffer.ChangeFirst() + myEnd,
                   static_cast<std::streamsize>(
                       std::min(myChunk, static_cast<size_t>(myBuffer.Length()) - myEnd)));
  }
  catch (...)
  {
    isFailed = Standard_True;
    return Standard_False;
  }
  const std::streamsize aRead = myStream->gcount();
  myEnd += static_cast<size_t>(std::max<std::streamsize>(aRead, 0));
  isFailed = myStream->bad();
  isEnded  = !myStream->good();
  return aRead > 0 && !isFailed;
}
