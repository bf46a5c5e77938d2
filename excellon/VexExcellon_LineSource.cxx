// Copyright (c) 2026 VexData developers
#include <VexExcellon_LineSource.hxx>

#include <cstring>

namespace
{
//! Bytes read from the stream at a time (at least).
const size_t THE_BLOCK_SIZE = 1 << 16;
} // namespace

VexExcellon_LineSource::VexExcellon_LineSource(std::istream& theStream, const size_t theLimit)
    : myBuffer(theStream.rdbuf()),
      myBlock(0, static_cast<Standard_Integer>(THE_BLOCK_SIZE + 2 * theLimit + 2)),
      myLimit(theLimit), myStart(0), myEnd(0), myLine(0), isEnded(Standard_False),
      isFailed(Standard_False), isAfterCr(Standard_False)
{
}

Standard_Boolean VexExcellon_LineSource::fill()
{
  if (isEnded || isFailed || myBuffer == NULL)
  {
    isEnded = Standard_True;
    return Standard_False;
  }
  char*        aBlock  = &myBlock.ChangeFirst();
  const size_t aLength = myEnd - myStart;
  if (myStart > 0)
  {
    std::memmove(aBlock, aBlock + myStart, aLength);
    myStart = 0;
    myEnd   = aLength;
  }
  const size_t    aRoom = static_cast<size_t>(myBlock.Length()) - myEnd;
  std::streamsize aRead = 0;
  try
  {
    aRead = myBuffer->sgetn(aBlock + myEnd, static_cast<std::streamsize>(aRoom));
  }
  catch (...)
  {
    isFailed = Standard_True;
    return Standard_False;
  }
  if (aRead <= 0)
  {
    isEnded = Standard_True;
    return Standard_False;
  }
  myEnd += static_cast<size_t>(aRead);
  return Standard_True;
}

VexExcellon_LineSource::Result VexExcellon_LineSource::Next(const char*& theText, size_t& theLength)
{
  for (size_t aScanned = 0;;)
  {
    const char* aBlock = &myBlock.First();
    if (isAfterCr && myStart < myEnd)
    {
      // A CR LF pair ends one line, not two.
      myStart += aBlock[myStart] == '\n' ? 1 : 0;
      isAfterCr = Standard_False;
    }
    const char*  aLine   = aBlock + myStart;
    size_t       anEnd   = aScanned;
    const size_t aLength = myEnd - myStart;
    while (anEnd < aLength && aLine[anEnd] != '\n' && aLine[anEnd] != '\r')
    {
      ++anEnd;
    }
    if (anEnd > myLimit)
    {
      ++myLine;
      theText   = aLine;
      theLength = myLimit;
      return Result_TooLong;
    }
    if (anEnd < aLength)
    {
      ++myLine;
      isAfterCr = aLine[anEnd] == '\r';
      theText   = aLine;
      theLength = anEnd;
      myStart += anEnd + 1;
      return Result_Line;
    }
    aScanned = anEnd;
    if (!fill())
    {
      if (isFailed)
      {
        return Result_Failure;
      }
      if (myEnd == myStart)
      {
        return Result_End;
      }
      // The last line has no end of its own.
      ++myLine;
      theText   = &myBlock.First() + myStart;
      theLength = myEnd - myStart;
      myStart   = myEnd;
      return Result_Line;
    }
  }
}
