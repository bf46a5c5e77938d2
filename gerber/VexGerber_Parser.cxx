// Copyright (c) 2026 VexData developers
#include <VexGerber_Parser.hxx>

#include <VexGerber_Number.hxx>

namespace
{
//! Returns true for the bytes that may stand between and inside commands without meaning.
inline bool isBlank(const char theChar)
{
  return theChar == ' ' || theChar == '\t' || theChar == '\r';
}
} // namespace

VexGerber_Parser::VexGerber_Parser(VexGerber_ParserSink& theSink, VexGerber_Fault& theFault,
                                   const VexGerber_Limits& theLimits)
    : mySink(theSink), myFault(theFault), myLimits(theLimits),
      myExtended(theSink, theFault, myFormat, hasFormat), hasFormat(Standard_False),
      isEnd(Standard_False), myPos(nullptr), myEnd(nullptr), myLine(1), myPieceLine(1),
      myBlockLine(1)
{
}

Standard_Boolean VexGerber_Parser::Parse(const char* theData, const size_t theSize)
{
  myPos  = theData;
  myEnd  = theData + theSize;
  myLine = 1;
  isEnd  = Standard_False;
  while (myPos < myEnd && !isEnd)
  {
    const char aChar = *myPos;
    if (aChar == '\n')
    {
      ++myLine;
      ++myPos;
    }
    else if (isBlank(aChar))
    {
      ++myPos;
    }
    else if (aChar == '%')
    {
      ++myPos;
      if (!extendedBlock())
      {
        return Standard_False;
      }
    }
    else if (!word())
    {
      return Standard_False;
    }
  }
  myFault.SetLine(myLine);
  return mySink.OnEnd(isEnd);
}

TCollection_AsciiString VexGerber_Parser::here() const
{
  const char* aStop = myPos;
  while (aStop < myEnd && aStop - myPos < 20 && *aStop != '\n' && *aStop != '\r')
  {
    ++aStop;
  }
  return TCollection_AsciiString(myPos, static_cast<Standard_Integer>(aStop - myPos));
}

// ---------------------------------------------------------------------------------------------
// Word commands
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Parser::axis(VexGerber_Coordinates& theCoords)
{
  const char aLetter = *myPos++;
  switch (aLetter)
  {
  case 'X':
    theCoords.HasX = Standard_True;
    return coordinate(myFormat.IntegerX, myFormat.DecimalX, theCoords.X);
  case 'Y':
    theCoords.HasY = Standard_True;
    return coordinate(myFormat.IntegerY, myFormat.DecimalY, theCoords.Y);
  case 'I':
    theCoords.HasI = Standard_True;
    return coordinate(myFormat.IntegerX, myFormat.DecimalX, theCoords.I);
  default:
    theCoords.HasJ = Standard_True;
    return coordinate(myFormat.IntegerY, myFormat.DecimalY, theCoords.J);
  }
}

Standard_Boolean VexGerber_Parser::gWord(Standard_Boolean& isComment)
{
  Standard_Integer aValue = 0;
  ++myPos;
  if (!VexGerber_Number::ReadInteger(myPos, myEnd, aValue))
  {
    return myFault.Fail("VEX_GERBER_SYNTAX", here());
  }
  isComment = aValue == 4;
  return isComment ? comment() : gCode(aValue);
}

Standard_Boolean VexGerber_Parser::mCode()
{
  Standard_Integer aValue = 0;
  if (!VexGerber_Number::ReadInteger(myPos, myEnd, aValue))
  {
    return myFault.Fail("VEX_GERBER_SYNTAX", here());
  }
  if (aValue > 2)
  {
    return myFault.Fail("VEX_GERBER_UNKNOWN_M_CODE", aValue);
  }
  // M02 ends the file; the old program stops M00 and M01 end it as well.
  isEnd = Standard_True;
  return Standard_True;
}

Standard_Boolean VexGerber_Parser::word()
{
  myFault.SetLine(myLine);
  VexGerber_Coordinates aCoords;
  Standard_Integer      aDCode = -1;
  while (myPos < myEnd)
  {
    switch (*myPos)
    {
    case '*':
      ++myPos;
      return operation(aDCode, aCoords);
    case '\n':
      ++myLine;
      ++myPos;
      break;
    case ' ':
    case '\t':
    case '\r':
      ++myPos;
      break;
    case 'X':
    case 'Y':
    case 'I':
    case 'J':
      if (!axis(aCoords))
      {
        return Standard_False;
      }
      break;
    case 'G':
    {
      // A G04 comment ends the word command.
      Standard_Boolean       isComment = Standard_False;
      const Standard_Boolean isRead    = gWord(isComment);
      if (!isRead || isComment)
      {
        return isRead;
      }
      break;
    }
    case 'D':
      ++myPos;
      if (aDCode >= 0 || !VexGerber_Number::ReadInteger(myPos, myEnd, aDCode))
      {
        return myFault.Fail("VEX_GERBER_SYNTAX", here());
      }
      break;
    case 'M':
      ++myPos;
      if (!mCode())
      {
        return Standard_False;
      }
      break;
    case '%':
      return myFault.Fail("VEX_GERBER_UNTERMINATED_COMMAND");
    default:
      return myFault.Fail("VEX_GERBER_SYNTAX", here());
    }
  }
  return myFault.Fail("VEX_GERBER_UNTERMINATED_COMMAND");
}

Standard_Boolean VexGerber_Parser::comment()
{
  // "G04 #@! T..." carries an attribute for readers that know them, a comment for the others.
  const char* aText = myPos;
  while (aText < myEnd && (*aText == ' ' || *aText == '\t'))
  {
    ++aText;
  }
  const Standard_Boolean isAttribute =
      myEnd - aText >= 3 && aText[0] == '#' && aText[1] == '@' && aText[2] == '!';
  while (myPos < myEnd && *myPos != '*')
  {
    myLine += *myPos == '\n' ? 1 : 0;
    ++myPos;
  }
  if (myPos == myEnd)
  {
    return myFault.Fail("VEX_GERBER_UNTERMINATED_COMMAND");
  }
  ++myPos;
  mySink.OnIgnored(isAttribute ? "attributes" : "comments");
  return Standard_True;
}

Standard_Boolean VexGerber_Parser::gCode(const Standard_Integer theCode)
{
  switch (theCode)
  {
  case 1:
  case 2:
  case 3:
    return mySink.OnInterpolation(theCode);
  case 36:
  case 37:
    return mySink.OnRegion(theCode == 36);
  case 54: // "select aperture": the D code that follows selects it anyway
  case 55: // "prepare for flash": nothing to prepare
    return Standard_True;
  case 70:
  case 71:
    return mySink.OnUnit(theCode == 70);
  case 74:
  case 75:
    return mySink.OnQuadrantMode(theCode == 75);
  case 90:
  case 91:
    return mySink.OnIncremental(theCode == 91);
  default:
    return myFault.Fail("VEX_GERBER_UNKNOWN_G_CODE", theCode);
  }
}

Standard_Boolean VexGerber_Parser::operation(const Standard_Integer       theDCode,
                                             const VexGerber_Coordinates& theCoords)
{
  if (theDCode >= 10)
  {
    if (theCoords.Any())
    {
      return myFault.Fail("VEX_GERBER_SYNTAX", TCollection_AsciiString("D") + theDCode);
    }
    return mySink.OnSelectAperture(theDCode);
  }
  if (theDCode >= 1 && theDCode <= 3)
  {
    return mySink.OnOperation(theDCode, theCoords);
  }
  if (theDCode >= 0)
  {
    return myFault.Fail("VEX_GERBER_UNKNOWN_D_CODE", theDCode);
  }
  return theCoords.Any() ? mySink.OnOperation(0, theCoords) : Standard_True;
}

Standard_Boolean VexGerber_Parser::coordinate(const Standard_Integer theInteger,
                                              const Standard_Integer theDecimal,
                                              Standard_Real&         theValue)
{
  if (!hasFormat)
  {
    return myFault.Fail("VEX_GERBER_NO_FORMAT");
  }
  VexGerber_Number::Digits aDigits;
  if (!VexGerber_Number::ReadDigits(myPos, myEnd, aDigits))
  {
    return myFault.Fail("VEX_GERBER_BAD_NUMBER", here());
  }
  if (aDigits.Decimals >= 0)
  {
    theValue = VexGerber_Number::Value(aDigits); // a decimal point overrides the format
    return Standard_True;
  }
  // Leading zeros left out: the last digits are the decimals. Trailing zeros left out: the
  // first digits are the integer part.
  const int    aDecimals = myFormat.OmitTrailing ? aDigits.Count - theInteger : theDecimal;
  const double aValue =
      aDecimals >= 0 ? static_cast<double>(aDigits.Mantissa) / VexGerber_Number::Pow10(aDecimals)
                     : static_cast<double>(aDigits.Mantissa) * VexGerber_Number::Pow10(-aDecimals);
  theValue = aDigits.Negative ? -aValue : aValue;
  return Standard_True;
}

// ---------------------------------------------------------------------------------------------
// Extended commands
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Parser::extendedBlock()
{
  myMacro.Nullify();
  myBlockLine              = myLine;
  Standard_Boolean isEnded = Standard_False;
  while (!isEnded)
  {
    if (!extendedPiece(isEnded))
    {
      return Standard_False;
    }
    if (!myPiece.empty() && !extendedCommand())
    {
      return Standard_False;
    }
  }
  if (!myMacro.IsNull())
  {
    Handle(VexGerber_Macro) aMacro = myMacro;
    myMacro.Nullify();
    return mySink.OnMacro(aMacro);
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Parser::extendedPiece(Standard_Boolean& theEnded)
{
  myPiece.clear();
  // Blanks at the start of a piece are layout; inside, they may belong to a name or a comment.
  while (myPos < myEnd && (isBlank(*myPos) || *myPos == '\n'))
  {
    myLine += *myPos++ == '\n' ? 1 : 0;
  }
  myPieceLine = myLine;
  for (; myPos < myEnd; ++myPos)
  {
    const char aChar = *myPos;
    if (aChar == '*' || aChar == '%')
    {
      theEnded = aChar == '%';
      ++myPos;
      return Standard_True;
    }
    if (aChar == '\n')
    {
      ++myLine;
    }
    else if (aChar != '\r')
    {
      myPiece.push_back(aChar);
    }
  }
  myFault.SetLine(myBlockLine);
  return myFault.Fail("VEX_GERBER_UNTERMINATED_COMMAND");
}

Standard_Boolean VexGerber_Parser::extendedCommand()
{
  myFault.SetLine(myPieceLine);
  const Standard_Boolean isDecorated =
      myPiece.size() >= 2 && myPiece[0] == 'T' &&
      (myPiece[1] == 'F' || myPiece[1] == 'A' || myPiece[1] == 'O' || myPiece[1] == 'D');
  if (myMacro.IsNull() && isDecorated)
  {
    return myExtended.Command(myPiece.data(), static_cast<Standard_Integer>(myPiece.size()));
  }
  // Everywhere else blanks carry nothing (names of %IN and %LN are ignored anyway).
  size_t aKept = 0;
  for (const char aChar : myPiece)
  {
    if (!isBlank(aChar))
    {
      myPiece[aKept++] = aChar;
    }
  }
  myPiece.resize(aKept);
  if (myPiece.empty())
  {
    return Standard_True;
  }
  if (!myMacro.IsNull())
  {
    return myMacro->AddStatement(myPiece.data(), static_cast<Standard_Integer>(myPiece.size()),
                                 myLimits, myFault);
  }
  if (myPiece.size() > 2 && myPiece[0] == 'A' && myPiece[1] == 'M')
  {
    myMacro = new VexGerber_Macro(TCollection_AsciiString(myPiece.c_str() + 2));
    return Standard_True;
  }
  return myExtended.Command(myPiece.data(), static_cast<Standard_Integer>(myPiece.size()));
}
