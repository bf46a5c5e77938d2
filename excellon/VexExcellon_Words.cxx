// Copyright (c) 2026 VexData developers
#include <VexExcellon_Words.hxx>

#include <algorithm>
#include <cstring>

namespace
{
//! Returns true for a character that may belong to the number of a word.
inline bool isNumberChar(const char theChar)
{
  return (theChar >= '0' && theChar <= '9') || theChar == '.' || theChar == '-' || theChar == '+';
}

//! Returns true for a blank between words.
inline bool isBlank(const char theChar)
{
  return theChar == ' ' || theChar == '\t';
}

//! Longest piece of a line quoted in a message.
const size_t THE_QUOTE_LIMIT = 40;
} // namespace

VexExcellon_Words::Result VexExcellon_Words::Split(const char* theText, const size_t theLength)
{
  myCount        = 0;
  size_t anIndex = 0;
  while (anIndex < theLength)
  {
    const char aLetter = theText[anIndex];
    if (isBlank(aLetter))
    {
      ++anIndex;
      continue;
    }
    if (aLetter < 'A' || aLetter > 'Z')
    {
      return Result_NotWords;
    }
    if (myCount == THE_WORD_LIMIT)
    {
      return Result_TooMany;
    }
    const size_t aStart = ++anIndex;
    while (anIndex < theLength && isNumberChar(theText[anIndex]))
    {
      ++anIndex;
    }
    Word& aWord  = myWords[myCount++];
    aWord.Letter = aLetter;
    aWord.Text   = theText + aStart;
    aWord.Length = anIndex - aStart;
  }
  return Result_Words;
}

Standard_Integer VexExcellon_Words::Find(const char theLetter, const Standard_Integer theFrom) const
{
  for (Standard_Integer anIndex = theFrom; anIndex < myCount; ++anIndex)
  {
    if (myWords[anIndex].Letter == theLetter)
    {
      return anIndex;
    }
  }
  return -1;
}

Standard_Boolean VexExcellon_Words::Is(const Standard_Integer theIndex, const char theLetter,
                                       const Standard_Integer theCode) const
{
  const Word&      aWord  = myWords[theIndex];
  Standard_Integer aValue = 0;
  return aWord.Letter == theLetter && ReadWhole(aWord.Text, aWord.Length, 4, aValue) &&
         aValue == theCode;
}

Standard_Boolean VexExcellon_Words::IsAxisLetter(const char theLetter)
{
  switch (theLetter)
  {
  case 'X':
  case 'Y':
  case 'A':
  case 'I':
  case 'J':
  case 'R':
    return Standard_True;
  default:
    return Standard_False;
  }
}

Standard_Boolean VexExcellon_Words::IsToolLetter(const char theLetter)
{
  switch (theLetter)
  {
  case 'C':
  case 'F':
  case 'S':
  case 'B':
  case 'H':
  case 'Z':
    return Standard_True;
  default:
    return Standard_False;
  }
}

Standard_Boolean VexExcellon_Words::ReadWhole(const char* theText, const size_t theLength,
                                              const size_t theMaxDigits, Standard_Integer& theValue)
{
  if (theLength == 0 || theLength > theMaxDigits)
  {
    return Standard_False;
  }
  theValue = 0;
  for (size_t anIndex = 0; anIndex < theLength; ++anIndex)
  {
    if (theText[anIndex] < '0' || theText[anIndex] > '9')
    {
      return Standard_False;
    }
    theValue = theValue * 10 + (theText[anIndex] - '0');
  }
  return Standard_True;
}

Standard_Boolean VexExcellon_Words::StartsWith(const char* theText, const size_t theLength,
                                               const char* thePrefix)
{
  const size_t aLength = std::strlen(thePrefix);
  return theLength >= aLength && std::memcmp(theText, thePrefix, aLength) == 0;
}

void VexExcellon_Words::Trim(const char*& theText, size_t& theLength)
{
  for (; theLength > 0 && isBlank(theText[theLength - 1]); --theLength)
  {
  }
  for (; theLength > 0 && isBlank(*theText); --theLength, ++theText)
  {
  }
}

TCollection_AsciiString VexExcellon_Words::Quote(const char* theText, const size_t theLength)
{
  const size_t aLength = std::min(theLength, THE_QUOTE_LIMIT);
  return TCollection_AsciiString(theText, static_cast<Standard_Integer>(aLength));
}
