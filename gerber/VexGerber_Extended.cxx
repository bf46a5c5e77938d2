// Copyright (c) 2026 VexData developers
#include <VexGerber_Extended.hxx>

#include <VexGerber_Number.hxx>

#include <cstring>

namespace
{
//! Largest number of repetitions along one axis of a step and repeat that is read at all; the
//! product of both is bounded by the graphics state's limit.
const Standard_Integer THE_MAX_REPEAT = 1000000000;

//! Returns true when the text from thePos to theEnd is exactly theWord.
bool isWord(const char* thePos, const char* theEnd, const char* theWord)
{
  const size_t aLength = std::strlen(theWord);
  return static_cast<size_t>(theEnd - thePos) == aLength &&
         std::memcmp(thePos, theWord, aLength) == 0;
}

//! Returns the two-letter code of a command as one number.
constexpr int code(const char theFirst, const char theSecond)
{
  // Bytes above 127 are negative chars: shift them as unsigned.
  return (static_cast<unsigned char>(theFirst) << 8) | static_cast<unsigned char>(theSecond);
}

//! The codes of every extended command this reader knows, used or refused.
const char* const THE_KNOWN_CODES[] = {"FS", "MO", "AD", "AM", "AB", "LP", "LM", "LR", "LS",
                                       "SR", "TF", "TA", "TO", "TD", "IN", "LN", "OF", "IP",
                                       "IC", "AS", "MI", "SF", "IR", "KO", "IJ", "IO"};

//! Returns true when theText starts with two lower-case letters that, in upper case, are the
//! code of a command this reader knows.
bool isKnownInLowerCase(const char* theText, const Standard_Integer theLength)
{
  if (theLength < 2 || theText[0] < 'a' || theText[0] > 'z' || theText[1] < 'a' || theText[1] > 'z')
  {
    return false;
  }
  for (const char* aCode : THE_KNOWN_CODES)
  {
    if (aCode[0] == theText[0] - 'a' + 'A' && aCode[1] == theText[1] - 'a' + 'A')
    {
      return true;
    }
  }
  return false;
}
} // namespace

Standard_Boolean VexGerber_Extended::syntaxFault()
{
  return myFault.Fail(VexPcb_Fault("VEX_GERBER_SYNTAX").Quote(myCommand));
}

Standard_Boolean VexGerber_Extended::unknown(const char* theText, const Standard_Integer theLength)
{
  if (isKnownInLowerCase(theText, theLength))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_LOWER_CASE").Quote(myCommand));
  }
  // A reader skips what it does not know and says so: the known commands that would move or
  // change the image are refused by name above.
  myGraphics.SkipUnknown(myCommand);
  return Standard_True;
}

Standard_Boolean VexGerber_Extended::Command(const char* theText, const Standard_Integer theLength,
                                             const Standard_Integer theLine)
{
  myCommand = TCollection_AsciiString(theText, Min(theLength, 80));
  if (theLength < 2)
  {
    return unknown(theText, theLength);
  }
  const char* aPos  = theText + 2;
  const char* anEnd = theText + theLength;
  switch (code(theText[0], theText[1]))
  {
  case code('F', 'S'):
    return format(aPos, anEnd);
  case code('M', 'O'):
    return unit(aPos, anEnd);
  case code('A', 'D'):
    return apertureDefinition(aPos, anEnd, theLine);
  case code('A', 'B'):
    return apertureBlock(aPos, anEnd);
  case code('L', 'P'):
    return polarity(aPos, anEnd);
  case code('S', 'R'):
    return stepRepeat(aPos, anEnd);
  case code('L', 'M'):
  case code('L', 'R'):
  case code('L', 'S'):
    return apertureTransform(theText[1], aPos, anEnd);
  case code('T', 'F'):
  case code('T', 'A'):
  case code('T', 'O'):
  case code('T', 'D'):
    Attribute(theText, theLength);
    return Standard_True;
  case code('I', 'N'):
    myGraphics.OnIgnored("image names");
    return Standard_True;
  case code('L', 'N'):
    myGraphics.OnIgnored("layer names");
    return Standard_True;
  case code('O', 'F'):
    return offset(aPos, anEnd);
  case code('I', 'P'):
    return imagePolarity(aPos, anEnd);
  case code('I', 'C'):
    myGraphics.OnIgnored("input code statements");
    return Standard_True;
  case code('A', 'S'):
  case code('M', 'I'):
  case code('S', 'F'):
  case code('I', 'R'):
    return neutralImageParameter(theText, anEnd);
  case code('K', 'O'):
  case code('I', 'J'):
  case code('I', 'O'):
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_UNSUPPORTED").Quote(myCommand));
  default:
    return unknown(theText, theLength);
  }
}

void VexGerber_Extended::Attribute(const char* theText, const Standard_Integer theLength)
{
  // Object attributes: .N names the net of the objects that follow; deleting all attributes or
  // .N leaves them without one. The other attributes carry nothing for the model.
  const TCollection_AsciiString anAttribute(theText, theLength);
  if (anAttribute.Search("TO.N,") == 1)
  {
    myGraphics.OnNet(TCollection_AsciiString(theText + 5, theLength - 5));
  }
  else if (anAttribute == "TD" || anAttribute == "TD.N")
  {
    myGraphics.OnNetCleared();
  }
  myGraphics.OnIgnored("attributes");
}

Standard_Boolean VexGerber_Extended::format(const char* thePos, const char* theEnd)
{
  VexGerber_Format aFormat;
  // Zero omission: L or T; a file that names neither (D, or nothing) writes every digit, which
  // reads the same as leading zeros left out.
  if (thePos < theEnd && (*thePos == 'L' || *thePos == 'T' || *thePos == 'D'))
  {
    aFormat.OmitTrailing = *thePos++ == 'T';
  }
  if (thePos < theEnd && (*thePos == 'A' || *thePos == 'I'))
  {
    aFormat.Incremental = *thePos++ == 'I';
  }
  // Old sequence-number and code-length fields (Nn, Gn) carry nothing for the image.
  while (thePos + 1 < theEnd && (*thePos == 'N' || *thePos == 'G') && thePos[1] >= '0' &&
         thePos[1] <= '9')
  {
    thePos += 2;
  }
  if (!formatDigits(thePos, theEnd, 'X', aFormat.IntegerX, aFormat.DecimalX) ||
      !formatDigits(thePos, theEnd, 'Y', aFormat.IntegerY, aFormat.DecimalY))
  {
    return Standard_False;
  }
  while (thePos + 1 < theEnd && (*thePos == 'D' || *thePos == 'M') && thePos[1] >= '0' &&
         thePos[1] <= '9')
  {
    thePos += 2;
  }
  if (thePos != theEnd)
  {
    return syntaxFault();
  }
  myFormat  = aFormat;
  hasFormat = Standard_True;
  return myGraphics.OnFormat(aFormat);
}

Standard_Boolean VexGerber_Extended::formatDigits(const char*& thePos, const char* theEnd,
                                                  const char theAxis, Standard_Integer& theInteger,
                                                  Standard_Integer& theDecimal)
{
  if (theEnd - thePos < 3 || thePos[0] != theAxis || thePos[1] < '0' || thePos[1] > '9' ||
      thePos[2] < '0' || thePos[2] > '9')
  {
    return syntaxFault();
  }
  theInteger = thePos[1] - '0';
  theDecimal = thePos[2] - '0';
  thePos += 3;
  return Standard_True;
}

Standard_Boolean VexGerber_Extended::unit(const char* thePos, const char* theEnd)
{
  if (isWord(thePos, theEnd, "MM"))
  {
    return myGraphics.OnUnit(Standard_False);
  }
  if (isWord(thePos, theEnd, "IN"))
  {
    return myGraphics.OnUnit(Standard_True);
  }
  return syntaxFault();
}

Standard_Boolean VexGerber_Extended::apertureBlock(const char* thePos, const char* theEnd)
{
  if (thePos == theEnd)
  {
    return myGraphics.OnApertureBlockEnd();
  }
  Standard_Integer aNumber = 0;
  if (*thePos++ != 'D' || !VexGerber_Number::ReadInteger(thePos, theEnd, aNumber) ||
      thePos != theEnd)
  {
    return syntaxFault();
  }
  return myGraphics.OnApertureBlock(aNumber);
}

Standard_Boolean VexGerber_Extended::apertureDefinition(const char* thePos, const char* theEnd,
                                                        const Standard_Integer theLine)
{
  Standard_Integer aNumber = 0;
  if (thePos >= theEnd || *thePos++ != 'D' ||
      !VexGerber_Number::ReadInteger(thePos, theEnd, aNumber))
  {
    return syntaxFault();
  }
  const char* aName = thePos;
  while (thePos < theEnd && *thePos != ',')
  {
    ++thePos;
  }
  const TCollection_AsciiString     aTemplate(aName, static_cast<Standard_Integer>(thePos - aName));
  NCollection_Vector<Standard_Real> aParams(8);
  if (aTemplate.IsEmpty() || !apertureParams(thePos, theEnd, aParams))
  {
    // Some writers leave damaged definitions of apertures they never use: it is a fault only
    // when the aperture is used.
    myGraphics.OnMalformedAperture(aNumber, theLine);
    return Standard_True;
  }
  return myGraphics.OnApertureDefinition(aNumber, aTemplate, aParams);
}

Standard_Boolean VexGerber_Extended::apertureParams(const char* thePos, const char* theEnd,
                                                    NCollection_Vector<Standard_Real>& theParams)
{
  if (thePos == theEnd)
  {
    return Standard_True;
  }
  // At the ',' before the parameters, which are separated by 'X'.
  do
  {
    ++thePos;
    Standard_Real aValue = 0.0;
    if (thePos == theEnd && !theParams.IsEmpty())
    {
      break; // a separator after the last value adds nothing
    }
    if (!VexGerber_Number::ReadDecimal(thePos, theEnd, aValue))
    {
      return Standard_False;
    }
    theParams.Append(aValue);
  } while (thePos < theEnd && (*thePos == 'X' || *thePos == 'x'));
  return thePos == theEnd;
}

Standard_Boolean VexGerber_Extended::polarity(const char* thePos, const char* theEnd)
{
  if (isWord(thePos, theEnd, "D") || isWord(thePos, theEnd, "C"))
  {
    return myGraphics.OnPolarity(*thePos == 'C');
  }
  return syntaxFault();
}

Standard_Boolean VexGerber_Extended::letterValue(const char*& thePos, const char* theEnd,
                                                 const char theLetter, Standard_Real& theValue,
                                                 Standard_Boolean& isGiven)
{
  isGiven = thePos < theEnd && *thePos == theLetter;
  if (!isGiven)
  {
    return Standard_True;
  }
  ++thePos;
  return VexGerber_Number::ReadDecimal(thePos, theEnd, theValue) ? Standard_True : syntaxFault();
}

Standard_Boolean VexGerber_Extended::stepRepeat(const char* thePos, const char* theEnd)
{
  Standard_Real    aValues[4] = {1.0, 1.0, 0.0, 0.0};
  Standard_Boolean isGiven    = Standard_False;
  const char       aLetters[] = {'X', 'Y', 'I', 'J'};
  for (int anIndex = 0; anIndex < 4; ++anIndex)
  {
    if (!letterValue(thePos, theEnd, aLetters[anIndex], aValues[anIndex], isGiven))
    {
      return Standard_False;
    }
  }
  if (thePos != theEnd)
  {
    return syntaxFault();
  }
  for (int anIndex = 0; anIndex < 2; ++anIndex)
  {
    if (!(aValues[anIndex] >= 1.0) || aValues[anIndex] > THE_MAX_REPEAT ||
        aValues[anIndex] != static_cast<Standard_Integer>(aValues[anIndex]))
    {
      return syntaxFault();
    }
  }
  return myGraphics.OnStepRepeat(static_cast<Standard_Integer>(aValues[0]),
                                 static_cast<Standard_Integer>(aValues[1]), aValues[2], aValues[3]);
}

Standard_Boolean VexGerber_Extended::apertureTransform(const char theKind, const char* thePos,
                                                       const char* theEnd)
{
  if (theKind == 'M')
  {
    const char* const THE_NAMES[] = {"N", "X", "Y", "XY"};
    for (int anIndex = 0; anIndex < 4; ++anIndex)
    {
      if (isWord(thePos, theEnd, THE_NAMES[anIndex]))
      {
        return myGraphics.OnApertureMirror(static_cast<VexGerber_Mirror>(anIndex));
      }
    }
    return syntaxFault();
  }
  Standard_Real aValue = 0.0;
  if (!VexGerber_Number::ReadDecimal(thePos, theEnd, aValue) || thePos != theEnd)
  {
    return syntaxFault();
  }
  return theKind == 'R' ? myGraphics.OnApertureRotation(aValue)
                        : myGraphics.OnApertureScale(aValue);
}

Standard_Boolean VexGerber_Extended::offset(const char* thePos, const char* theEnd)
{
  Standard_Real    anA = 0.0, aB = 0.0;
  Standard_Boolean isGiven = Standard_False;
  if (!letterValue(thePos, theEnd, 'A', anA, isGiven) ||
      !letterValue(thePos, theEnd, 'B', aB, isGiven))
  {
    return Standard_False;
  }
  return thePos == theEnd ? myGraphics.OnImageOffset(anA, aB) : syntaxFault();
}

Standard_Boolean VexGerber_Extended::imagePolarity(const char* thePos, const char* theEnd)
{
  if (isWord(thePos, theEnd, "POS") || isWord(thePos, theEnd, "NEG"))
  {
    return myGraphics.OnImagePolarity(*thePos == 'N');
  }
  return syntaxFault();
}

Standard_Boolean VexGerber_Extended::neutralImageParameter(const char* theText, const char* theEnd)
{
  // Axis select, mirror image, scale factor and image rotation at the values that change
  // nothing; anything else would move the whole image and is refused rather than misread.
  const char*      aPos      = theText + 2;
  Standard_Boolean isNeutral = Standard_False;
  if (theText[0] == 'A') // AS
  {
    isNeutral = isWord(aPos, theEnd, "AXBY");
  }
  else if (theText[0] == 'I') // IR
  {
    Standard_Real anAngle = 0.0;
    isNeutral =
        VexGerber_Number::ReadDecimal(aPos, theEnd, anAngle) && aPos == theEnd && anAngle == 0.0;
  }
  else
  {
    // MI: A and B are 0 (no mirroring); SF: A and B are 1 (no scaling).
    const Standard_Real aNeutral = theText[0] == 'M' ? 0.0 : 1.0;
    Standard_Real       anA = aNeutral, aB = aNeutral;
    Standard_Boolean    isGiven = Standard_False;
    isNeutral                   = letterValue(aPos, theEnd, 'A', anA, isGiven) &&
                letterValue(aPos, theEnd, 'B', aB, isGiven) && aPos == theEnd && anA == aNeutral &&
                aB == aNeutral;
    if (myFault.IsSet())
    {
      return Standard_False;
    }
  }
  if (!isNeutral)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_UNSUPPORTED").Quote(myCommand));
  }
  myGraphics.OnIgnored("deprecated image parameters at their neutral value");
  return Standard_True;
}
