// Copyright (c) 2026 VexData developers
#include <VexGerber_Parser.hxx>

#include <VexGerber_Number.hxx>

#include <cstdint>
#include <cstring>

namespace
{
//! The byte order mark of UTF-8, which some editors put at the start of a text file.
const char THE_BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

//! Returns true for the bytes that may stand between and inside commands without meaning.
inline bool isBlank(const char theChar)
{
  return theChar == ' ' || theChar == '\t' || theChar == '\r';
}

//! Returns true for a capital letter.
inline bool isCapital(const char theChar)
{
  return theChar >= 'A' && theChar <= 'Z';
}

//! Returns true for the letters that start the words of a word command.
inline bool isWordLetter(const char theChar)
{
  return theChar != '\0' && std::strchr("GDMXYIJ", theChar) != NULL;
}

//! Returns true for what may follow the letter of a word: a digit, a sign or a decimal point.
inline bool isNumberStart(const char theChar)
{
  return (theChar >= '0' && theChar <= '9') || theChar == '-' || theChar == '+' || theChar == '.';
}
} // namespace

VexGerber_Parser::VexGerber_Parser(VexGerber_Listener& theListener, VexPcb_Fault& theFault,
                                   const VexGerber_Limits& theLimits, const Standard_Boolean isInch)
    : myListener(theListener), myFault(theFault), myLimits(theLimits), hasFormat(Standard_False),
      myGraphics(theListener, theFault, theLimits, isInch),
      myExtended(myGraphics, theFault, myFormat, hasFormat), isEnd(Standard_False), myInput(NULL),
      myPos(nullptr), myEnd(nullptr), myLine(1), myCommandLine(1), myPieceLine(1), myBlockLine(1)
{
}

Standard_Boolean VexGerber_Parser::Parse(VexPcb_TextInput& theInput)
{
  myInput = &theInput;
  takeWindow();
  myLine                  = 1;
  myCommandLine           = 1;
  isEnd                   = Standard_False;
  Standard_Boolean isDone = Standard_False;
  try
  {
    isDone = commands();
  }
  catch (...)
  {
    // Memory ran out, or a part behind the grammar failed: the read stops like a failed read.
    fail(VexPcb_Fault("VEX_GERBER_READ_FAILED"));
  }
  myInput = NULL;
  if (isDone)
  {
    return Standard_True;
  }
  if (!myFault.IsSet())
  {
    myFault.Fail(VexPcb_Fault("VEX_GERBER_READ_FAILED"));
  }
  if (myFault.Line() == 0)
  {
    myFault.SetLine(myCommandLine);
  }
  myListener.OnFault(myFault);
  return Standard_False;
}

void VexGerber_Parser::takeWindow()
{
  myPos = myInput->Begin();
  myEnd = myInput->End();
}

Standard_Boolean VexGerber_Parser::ensure(const size_t theCount)
{
  if (static_cast<size_t>(myEnd - myPos) >= theCount)
  {
    return Standard_True;
  }
  myInput->Consume(myPos);
  const Standard_Boolean isRead = myInput->Ensure(theCount);
  takeWindow();
  return isRead || fail(VexPcb_Fault("VEX_GERBER_READ_FAILED"));
}

Standard_Boolean VexGerber_Parser::gather(const char* theStops)
{
  myInput->Consume(myPos);
  const Standard_Boolean isRead = myInput->Gather(theStops, SIZE_MAX);
  takeWindow();
  return isRead || fail(VexPcb_Fault("VEX_GERBER_READ_FAILED"));
}

Standard_Boolean VexGerber_Parser::commands()
{
  if (!ensure(3))
  {
    return Standard_False;
  }
  if (myEnd - myPos >= 3 && std::memcmp(myPos, THE_BYTE_ORDER_MARK, 3) == 0)
  {
    myPos += 3;
  }
  while (!isEnd)
  {
    if (myPos == myEnd && !ensure(1))
    {
      return Standard_False;
    }
    if (myPos == myEnd)
    {
      break;
    }
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
    else if (!gather("*%") || !word())
    {
      return Standard_False;
    }
  }
  myCommandLine = myLine;
  if (!myGraphics.OnEnd(isEnd))
  {
    return Standard_False;
  }
  placeWarnings();
  return Standard_True;
}

void VexGerber_Parser::placeWarnings()
{
  if (myGraphics.Warnings().IsEmpty())
  {
    return;
  }
  for (NCollection_Vector<VexPcb_Fault>::Iterator anIter(myGraphics.Warnings()); anIter.More();
       anIter.Next())
  {
    VexPcb_Fault aWarning = anIter.Value();
    aWarning.SetLine(myCommandLine);
    myListener.OnWarning(aWarning);
  }
  myGraphics.ClearWarnings();
}

TCollection_AsciiString VexGerber_Parser::here()
{
  ensure(20);
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

Standard_Boolean VexGerber_Parser::word()
{
  myCommandLine = myLine;
  VexGerber_Coordinates aCoords;
  Standard_Integer      aDCode = -1;
  // An empty string of the toolkit still takes memory from the heap: the one of the parser is
  // reused, and only emptied when a word named a code this reader does not know.
  TCollection_AsciiString& anUnknown = myUnknown;
  if (!anUnknown.IsEmpty())
  {
    anUnknown.Clear();
  }
  while (myPos < myEnd)
  {
    const char aChar = *myPos;
    if (aChar == '*')
    {
      ++myPos;
      if (!operation(aDCode, aCoords, anUnknown))
      {
        return Standard_False;
      }
      placeWarnings();
      return Standard_True;
    }
    if (aChar == '\n' || isBlank(aChar))
    {
      myLine += aChar == '\n' ? 1 : 0;
      ++myPos;
    }
    else if (aChar == 'X' || aChar == 'Y' || aChar == 'I' || aChar == 'J')
    {
      if (!axis(aCoords))
      {
        return Standard_False;
      }
    }
    else if (aChar == 'G' || aChar == 'D' || aChar == 'M')
    {
      Standard_Boolean isComment = Standard_False;
      if (!code(aDCode, anUnknown, isComment))
      {
        return Standard_False;
      }
      if (isComment)
      {
        return comment();
      }
    }
    else
    {
      return aChar == '%' ? fail(VexPcb_Fault("VEX_GERBER_UNTERMINATED_COMMAND"))
                          : strayCharacter();
    }
  }
  return fail(VexPcb_Fault("VEX_GERBER_UNTERMINATED_COMMAND"));
}

Standard_Boolean VexGerber_Parser::axis(VexGerber_Coordinates& theCoords)
{
  // X and I take the digits of X, Y and J those of Y.
  const char     aLetter              = *myPos++;
  const bool     isX                  = aLetter == 'X' || aLetter == 'I';
  Standard_Real& aValue               = aLetter == 'X'   ? theCoords.X
                                        : aLetter == 'Y' ? theCoords.Y
                                        : aLetter == 'I' ? theCoords.I
                                                         : theCoords.J;
  (aLetter == 'X'   ? theCoords.HasX
   : aLetter == 'Y' ? theCoords.HasY
   : aLetter == 'I' ? theCoords.HasI
                    : theCoords.HasJ) = Standard_True;
  return coordinate(isX ? myFormat.IntegerX : myFormat.IntegerY,
                    isX ? myFormat.DecimalX : myFormat.DecimalY, aValue);
}

Standard_Boolean VexGerber_Parser::code(Standard_Integer&        theDCode,
                                        TCollection_AsciiString& theUnknown,
                                        Standard_Boolean&        isComment)
{
  const char       aLetter = *myPos++;
  Standard_Integer aValue  = 0;
  if ((aLetter == 'D' && theDCode >= 0) || !VexGerber_Number::ReadInteger(myPos, myEnd, aValue))
  {
    return fail(VexPcb_Fault("VEX_GERBER_SYNTAX").Quote(here()));
  }
  if (aLetter == 'D')
  {
    theDCode = aValue;
    return Standard_True;
  }
  isComment = aLetter == 'G' && aValue == 4;
  return isComment || (aLetter == 'G' ? gCode(aValue, theUnknown) : mCode(aValue, theUnknown));
}

Standard_Boolean VexGerber_Parser::strayCharacter()
{
  const char aChar = *myPos;
  const char aNext = myEnd - myPos > 1 ? myPos[1] : '\0';
  if (aChar >= 'a' && aChar <= 'z' && isWordLetter(static_cast<char>(aChar - 'a' + 'A')))
  {
    return fail(VexPcb_Fault("VEX_GERBER_LOWER_CASE").Quote(here()));
  }
  if (isCapital(aChar) && isCapital(aNext))
  {
    // Two capitals start an extended command: the '%' before it, or the one closing the command
    // before it, is missing.
    return fail(VexPcb_Fault("VEX_GERBER_OUTSIDE_PERCENT").Quote(here()));
  }
  return fail(VexPcb_Fault("VEX_GERBER_SYNTAX").Quote(here()));
}

Standard_Boolean VexGerber_Parser::comment()
{
  // "G04 #@! T..." carries an attribute for readers that know them, a comment for the others.
  // Only '*' ends a comment: what was gathered for the word may end at a '%' of the text.
  if (!gather("*"))
  {
    return Standard_False;
  }
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
    return fail(VexPcb_Fault("VEX_GERBER_UNTERMINATED_COMMAND"));
  }
  if (!isAttribute)
  {
    ++myPos;
    myGraphics.OnIgnored("comments");
    return Standard_True;
  }
  const char* anAttribute = aText + 3;
  const char* anEnd       = myPos++;
  while (anAttribute < anEnd && isBlank(*anAttribute))
  {
    ++anAttribute;
  }
  while (anEnd > anAttribute && (isBlank(anEnd[-1]) || anEnd[-1] == '\n'))
  {
    --anEnd;
  }
  myExtended.Attribute(anAttribute, static_cast<Standard_Integer>(anEnd - anAttribute));
  return Standard_True;
}

Standard_Boolean VexGerber_Parser::gCode(const Standard_Integer   theCode,
                                         TCollection_AsciiString& theUnknown)
{
  switch (theCode)
  {
  case 1:
  case 2:
  case 3:
    return myGraphics.OnInterpolation(theCode);
  case 36:
  case 37:
    return myGraphics.OnRegion(theCode == 36);
  case 54: // "select aperture": the D code that follows selects it anyway
  case 55: // "prepare for flash": nothing to prepare
    return Standard_True;
  case 70:
  case 71:
    return myGraphics.OnUnit(theCode == 70);
  case 74:
  case 75:
    return myGraphics.OnQuadrantMode(theCode == 75);
  case 90:
  case 91:
    return myGraphics.OnIncremental(theCode == 91);
  case 10: // linear interpolation at ten, a tenth and a hundredth of the scale: every draw after
  case 11: // them would be misplaced
  case 12:
    return fail(
        VexPcb_Fault("VEX_GERBER_UNSUPPORTED").Quote(TCollection_AsciiString("G") + theCode));
  default:
    theUnknown = TCollection_AsciiString("G") + theCode;
    return Standard_True;
  }
}

Standard_Boolean VexGerber_Parser::mCode(const Standard_Integer   theCode,
                                         TCollection_AsciiString& theUnknown)
{
  switch (theCode)
  {
  case 0: // program stop: the end of the file, like M02
  case 2:
    isEnd = Standard_True;
    return Standard_True;
  case 1: // optional stop: no effect
    myGraphics.OnIgnored("optional stops (M01, no effect)");
    return Standard_True;
  default:
    theUnknown = TCollection_AsciiString("M") + theCode;
    return Standard_True;
  }
}

Standard_Boolean VexGerber_Parser::operation(const Standard_Integer         theDCode,
                                             const VexGerber_Coordinates&   theCoords,
                                             const TCollection_AsciiString& theUnknown)
{
  if (!theUnknown.IsEmpty())
  {
    // A code of unknown meaning alone is skipped; with coordinates or an operation, whatever it
    // stands for would decide where they go.
    if (theDCode < 0 && !theCoords.Any())
    {
      myGraphics.SkipUnknown(theUnknown);
      return Standard_True;
    }
    const Standard_Integer aCode = theUnknown.SubString(2, theUnknown.Length()).IntegerValue();
    return fail(VexPcb_Fault(theUnknown.Value(1) == 'G' ? "VEX_GERBER_UNKNOWN_G_CODE"
                                                        : "VEX_GERBER_UNKNOWN_M_CODE")
                    .Arg(aCode));
  }
  if (theDCode >= 10)
  {
    if (theCoords.Any())
    {
      return fail(VexPcb_Fault("VEX_GERBER_SYNTAX").Quote(TCollection_AsciiString("D") + theDCode));
    }
    return myGraphics.OnSelectAperture(theDCode);
  }
  if (theDCode >= 1 && theDCode <= 3)
  {
    return myGraphics.OnOperation(theDCode, theCoords);
  }
  if (theDCode >= 0)
  {
    return fail(VexPcb_Fault("VEX_GERBER_UNKNOWN_D_CODE").Arg(theDCode));
  }
  return theCoords.Any() ? myGraphics.OnOperation(0, theCoords) : Standard_True;
}

Standard_Boolean VexGerber_Parser::coordinate(const Standard_Integer theInteger,
                                              const Standard_Integer theDecimal,
                                              Standard_Real&         theValue)
{
  if (!hasFormat)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_NO_FORMAT"));
  }
  VexGerber_Number::Digits aDigits;
  if (!VexGerber_Number::ReadDigits(myPos, myEnd, aDigits))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_BAD_NUMBER").Quote(here()));
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
    return myGraphics.OnMacro(aMacro);
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Parser::extendedPiece(Standard_Boolean& theEnded)
{
  myPiece.clear();
  if (!gather("*%"))
  {
    return Standard_False;
  }
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
  myCommandLine = myBlockLine;
  return fail(VexPcb_Fault("VEX_GERBER_UNTERMINATED_COMMAND"));
}

Standard_Boolean VexGerber_Parser::isWordInBlock() const
{
  return myPiece.size() >= 2 && isWordLetter(myPiece[0]) && isNumberStart(myPiece[1]);
}

Standard_Boolean VexGerber_Parser::extendedCommand()
{
  myCommandLine = myPieceLine;
  if (isWordInBlock())
  {
    // No extended command nor macro statement starts like a word command: the '%' closing the
    // block is missing, and the word commands after it are read as its contents.
    myCommandLine = myBlockLine;
    return fail(VexPcb_Fault("VEX_GERBER_MISSING_PERCENT")
                    .Quote(TCollection_AsciiString(myPiece.c_str()))
                    .Arg(myPieceLine));
  }
  const Standard_Boolean isDecorated =
      myPiece.size() >= 2 && myPiece[0] == 'T' &&
      (myPiece[1] == 'F' || myPiece[1] == 'A' || myPiece[1] == 'O' || myPiece[1] == 'D');
  if (myMacro.IsNull() && isDecorated)
  {
    myExtended.Attribute(myPiece.data(), static_cast<Standard_Integer>(myPiece.size()));
    return Standard_True;
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
  if (!myExtended.Command(myPiece.data(), static_cast<Standard_Integer>(myPiece.size()),
                          myPieceLine))
  {
    return Standard_False;
  }
  placeWarnings();
  return Standard_True;
}
