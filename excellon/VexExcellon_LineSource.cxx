// Copyright (c) 2026 VexData developers
#include <VexExcellon_LineSource.hxx>

#include <cstring>

VexExcellon_LineSource::VexExcellon_LineSource(std::istream& theStream, const size_t theLimit,
                                               const size_t theChunk)
    : myInput(theStream, theChunk), myLimit(theLimit), myLine(0), isAfterCr(Standard_False)
{
}

Standard_Boolean VexExcellon_LineSource::skipPairedFeed()
{
  if (!isAfterCr)
  {
    return Standard_True;
  }
  // A CR LF pair ends one line, not two.
  isAfterCr = Standard_False;
  if (!myInput.Ensure(1))
  {
    return Standard_False;
  }
  if (myInput.Begin() < myInput.End() && *myInput.Begin() == '\n')
  {
    myInput.Consume(myInput.Begin() + 1);
  }
  return Standard_True;
}

VexExcellon_LineSource::Result VexExcellon_LineSource::Next(const char*& theText, size_t& theLength)
{
  if (!skipPairedFeed() || !myInput.Gather("\n\r", myLimit + 1))
  {
    return Result_Failure;
  }
  const char*  aLine = myInput.Begin();
  const size_t aHeld = static_cast<size_t>(myInput.End() - aLine);
  // The line ends at its first line feed or carriage return.
  const char*  aFeed       = static_cast<const char*>(std::memchr(aLine, '\n', aHeld));
  const size_t aBeforeFeed = aFeed != NULL ? static_cast<size_t>(aFeed - aLine) : aHeld;
  const char*  aReturn     = static_cast<const char*>(std::memchr(aLine, '\r', aBeforeFeed));
  const size_t anEnd       = aReturn != NULL ? static_cast<size_t>(aReturn - aLine) : aBeforeFeed;
  if (anEnd > myLimit)
  {
    ++myLine;
    theText   = aLine;
    theLength = myLimit;
    return Result_TooLong;
  }
  if (anEnd == aHeld && aHeld == 0)
  {
    return Result_End;
  }
  // The last line may have no end of its own.
  ++myLine;
  isAfterCr = anEnd < aHeld && aLine[anEnd] == '\r';
  theText   = aLine;
  theLength = anEnd;
  myInput.Consume(anEnd < aHeld ? aLine + anEnd + 1 : aLine + anEnd);
  return Result_Line;
}
