// Copyright (c) 2026 VexData developers
#include <VexData_Path.hxx>

namespace
{
//! Appends the code point theCode to theOut as UTF-8.
void appendUtf8(const unsigned int theCode, std::string& theOut)
{
  if (theCode < 0x80)
  {
    theOut += static_cast<char>(theCode);
  }
  else if (theCode < 0x800)
  {
    theOut += static_cast<char>(0xC0 | (theCode >> 6));
    theOut += static_cast<char>(0x80 | (theCode & 0x3F));
  }
  else if (theCode < 0x10000)
  {
    theOut += static_cast<char>(0xE0 | (theCode >> 12));
    theOut += static_cast<char>(0x80 | ((theCode >> 6) & 0x3F));
    theOut += static_cast<char>(0x80 | (theCode & 0x3F));
  }
  else
  {
    theOut += static_cast<char>(0xF0 | (theCode >> 18));
    theOut += static_cast<char>(0x80 | ((theCode >> 12) & 0x3F));
    theOut += static_cast<char>(0x80 | ((theCode >> 6) & 0x3F));
    theOut += static_cast<char>(0x80 | (theCode & 0x3F));
  }
}

//! True for a high (leading) surrogate unit.
bool isHighSurrogate(const unsigned int theUnit)
{
  return theUnit >= 0xD800 && theUnit <= 0xDBFF;
}

//! True for a low (trailing) surrogate unit.
bool isLowSurrogate(const unsigned int theUnit)
{
  return theUnit >= 0xDC00 && theUnit <= 0xDFFF;
}
} // namespace

Standard_Boolean VexData_Path::ToUtf8(const Standard_ExtString thePath, std::string& theUtf8)
{
  theUtf8.clear();
  if (thePath == NULL)
  {
    return Standard_False;
  }
  for (const Standard_ExtCharacter* aUnit = thePath; *aUnit != 0; ++aUnit)
  {
    unsigned int aCode = *aUnit;
    if (isHighSurrogate(aCode) && isLowSurrogate(aUnit[1]))
    {
      ++aUnit;
      aCode = 0x10000 + ((aCode - 0xD800) << 10) + (static_cast<unsigned int>(*aUnit) - 0xDC00);
    }
    else if (isHighSurrogate(aCode) || isLowSurrogate(aCode))
    {
      theUtf8.clear();
      return Standard_False;
    }
    appendUtf8(aCode, theUtf8);
  }
  return Standard_True;
}

TCollection_ExtendedString VexData_Path::ToMessage(const Standard_ExtString thePath)
{
  return thePath == NULL ? TCollection_ExtendedString() : TCollection_ExtendedString(thePath);
}
