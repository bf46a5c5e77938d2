// Copyright (c) 2026 VexData developers
#include <VexExcellon_Parser.hxx>

#include <VexExcellon_LineSource.hxx>

#include <TCollection_AsciiString.hxx>

#include <algorithm>
#include <cstring>

namespace
{
typedef VexExcellon_Words::Word Word;

//! Longest piece of a line quoted in a message.
const size_t THE_QUOTE_LIMIT = 40;

//! The byte order mark of UTF-8.
const char THE_BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

//! Keywords of machine settings that do not change the geometry.
const char* const THE_SETTINGS[] = {"VER", "DETECT", "ATC",   "BLKD", "SBK",  "SG", "TCST",
                                    "CP",  "AFS",    "OSTOP", "PCR",  "NCSL", "R",  NULL};

//! Returns theText as a message argument, cut to THE_QUOTE_LIMIT characters.
TCollection_AsciiString quote(const char* theText, const size_t theLength)
{
  const size_t aLength = std::min(theLength, THE_QUOTE_LIMIT);
  return TCollection_AsciiString(theText, static_cast<Standard_Integer>(aLength));
}

//! Returns the text of theWord (letter and number) for a message.
TCollection_AsciiString quote(const Word& theWord)
{
  return TCollection_AsciiString(theWord.Letter) + quote(theWord.Text, theWord.Length);
}

//! Returns true for a blank.
inline bool isBlank(const char theChar)
{
  return theChar == ' ' || theChar == '\t';
}

//! Takes the blanks off both ends of theText.
void trim(const char*& theText, size_t& theLength)
{
  for (; theLength > 0 && isBlank(theText[theLength - 1]); --theLength)
  {
  }
  for (; theLength > 0 && isBlank(*theText); --theLength, ++theText)
  {
  }
}

//! Returns true for a capital letter.
inline bool isCapital(const char theChar)
{
  return theChar >= 'A' && theChar <= 'Z';
}

//! Returns true when theText starts with thePrefix.
bool startsWith(const char* theText, const size_t theLength, const char* thePrefix)
{
  const size_t aLength = std::strlen(thePrefix);
  return theLength >= aLength && std::memcmp(theText, thePrefix, aLength) == 0;
}

//! Returns the start of the canned text of theText ("M97,TEXT" or "M98,TEXT", alone or after
//! coordinates), or NULL when the line has none.
const char* cannedText(const char* theText, const size_t theLength)
{
  for (size_t anIndex = 0; anIndex + 4 <= theLength; ++anIndex)
  {
    if (startsWith(theText + anIndex, theLength - anIndex, "M97,") ||
        startsWith(theText + anIndex, theLength - anIndex, "M98,"))
    {
      return theText + anIndex + 4;
    }
  }
  return NULL;
}

} // namespace

VexExcellon_Parser::VexExcellon_Parser(VexExcellon_Listener& theListener)
    : myMachine(theListener), isDefaultMetric(Standard_False), isHeader(Standard_False),
      isEnded(Standard_False)
{
}

Standard_Boolean VexExcellon_Parser::Parse(std::istream& theStream)
{
  try
  {
    myFormat.SetMetric(isDefaultMetric);
    myMachine.SetUnit(myFormat.UnitInMillimetres(), Standard_False);
    parseLines(theStream);
  }
  catch (...)
  {
    // The stream's buffer is guarded where it is read; what arrives here comes from the
    // listener or from memory and ends the parse like a failed read.
    try
    {
      fail("VEX_EXCELLON_READ_FAIL");
    }
    catch (...)
    {
    }
  }
  return !myMachine.IsFailed();
}

void VexExcellon_Parser::parseLines(std::istream& theStream)
{
  VexExcellon_LineSource aSource(theStream, THE_LINE_LIMIT);
  const char*            aText   = NULL;
  size_t                 aLength = 0;
  while (!myMachine.IsFailed())
  {
    const VexExcellon_LineSource::Result aResult = aSource.Next(aText, aLength);
    myMachine.SetLine(std::max(aSource.LineNumber(), 1));
    switch (aResult)
    {
    case VexExcellon_LineSource::Result_Line:
      // Editors on Windows start a text file with the byte order mark of UTF-8.
      if (myMachine.Line() == 1 && startsWith(aText, aLength, THE_BYTE_ORDER_MARK))
      {
        aText += 3;
        aLength -= 3;
      }
      handleLine(aText, aLength);
      break;
    case VexExcellon_LineSource::Result_TooLong:
      // A binary file has no line ends either: say what it is rather than how long.
      if (checkText(aText, aLength))
      {
        myMachine.Fail(VexPcb_Fault("VEX_EXCELLON_LINE_TOO_LONG").Arg(THE_LINE_LIMIT));
      }
      return;
    case VexExcellon_LineSource::Result_Failure:
      fail("VEX_EXCELLON_READ_FAIL");
      return;
    default:
      myMachine.Finish();
      return;
    }
  }
}

void VexExcellon_Parser::handleLine(const char* theText, size_t theLength)
{
  trim(theText, theLength);
  if (theLength == 0)
  {
    return;
  }
  if (isEnded)
  {
    myMachine.Ignore(VexExcellon_Listener::Ignored_AfterEnd);
    return;
  }
  if (!checkText(theText, theLength))
  {
    return;
  }
  if (const char* aComment = static_cast<const char*>(std::memchr(theText, ';', theLength)))
  {
    handleComment(aComment, theLength - static_cast<size_t>(aComment - theText));
    theLength = static_cast<size_t>(aComment - theText);
    trim(theText, theLength);
    if (theLength == 0)
    {
      return;
    }
  }
  if (std::memchr(theText, '*', theLength) != NULL)
  {
    fail("VEX_EXCELLON_GERBER_SYNTAX");
    return;
  }
  if (theLength == 1 && theText[0] == '%')
  {
    isHeader = Standard_False; // the end of the header, or the rewind stop of a file without one
    return;
  }
  if (theLength > 1 && isCapital(theText[0]) && (isCapital(theText[1]) || theText[1] == ','))
  {
    handleKeyword(theText, theLength);
    return;
  }
  switch (myWords.Split(theText, theLength))
  {
  case VexExcellon_Words::Result_Words:
    handleWords();
    return;
  case VexExcellon_Words::Result_TooMany:
    myMachine.Fail(
        VexPcb_Fault("VEX_EXCELLON_TOO_MANY_WORDS").Arg(VexExcellon_Words::THE_WORD_LIMIT));
    return;
  default:
    handleFreeText(theText, theLength);
    return;
  }
}

void VexExcellon_Parser::handleFreeText(const char* theText, const size_t theLength)
{
  // The characters of canned text are drilled in a character set of the machine's: its holes
  // cannot be made here, and skipping the line would lose them and its position.
  if (const char* aText = cannedText(theText, theLength))
  {
    myMachine.Fail(VexPcb_Fault("VEX_EXCELLON_CANNED_TEXT")
                       .Arg(quote(aText, theLength - static_cast<size_t>(aText - theText))));
    return;
  }
  // Operator messages (M45,text and M47,text) are the only other commands with free text.
  myMachine.Ignore(startsWith(theText, theLength, "M45,") || startsWith(theText, theLength, "M47,")
                       ? VexExcellon_Listener::Ignored_Setting
                       : VexExcellon_Listener::Ignored_Unknown);
}

Standard_Boolean VexExcellon_Parser::checkText(const char* theText, const size_t theLength)
{
  for (size_t anIndex = 0; anIndex < theLength; ++anIndex)
  {
    const unsigned char aChar = static_cast<unsigned char>(theText[anIndex]);
    if ((aChar < 0x20 && aChar != '\t') || aChar == 0x7F)
    {
      myMachine.Fail(
          VexPcb_Fault("VEX_EXCELLON_NOT_TEXT").Arg(static_cast<Standard_Integer>(aChar)));
      return Standard_False;
    }
  }
  return Standard_True;
}

void VexExcellon_Parser::handleComment(const char* theText, size_t theLength)
{
  // theText starts with the semicolon.
  ++theText;
  --theLength;
  trim(theText, theLength);
  if (startsWith(theText, theLength, "#@!"))
  {
    myMachine.Ignore(VexExcellon_Listener::Ignored_Attribute);
    return;
  }
  // Some design tools give the digits of the coordinates only in this comment, which then is
  // the one statement of the number format the file has.
  static const char THE_FILE_FORMAT[] = "FILE_FORMAT=";
  const size_t      aPrefix           = sizeof(THE_FILE_FORMAT) - 1;
  Standard_Integer  anInteger = 0, aDecimal = 0;
  if (startsWith(theText, theLength, THE_FILE_FORMAT) && theLength == aPrefix + 3 &&
      theText[aPrefix + 1] == ':' &&
      VexExcellon_Words::ReadWhole(theText + aPrefix, 1, 1, anInteger) &&
      VexExcellon_Words::ReadWhole(theText + aPrefix + 2, 1, 1, aDecimal) &&
      myFormat.SetDigits(anInteger, aDecimal))
  {
    return;
  }
  myMachine.Ignore(VexExcellon_Listener::Ignored_Comment);
}

void VexExcellon_Parser::handleKeyword(const char* theText, size_t theLength)
{
  size_t aName = 0;
  for (; aName < theLength && isCapital(theText[aName]); ++aName)
  {
  }
  const TCollection_AsciiString aKeyword(theText, static_cast<Standard_Integer>(aName));
  const char*                   aRest   = theText + aName;
  const size_t                  aLength = theLength - aName;
  if (aKeyword == "METRIC" || aKeyword == "INCH")
  {
    handleUnit(aKeyword == "METRIC", aRest, aLength);
    return;
  }
  if (aKeyword == "ICI" && (aLength == 0 || (aLength == 3 && std::memcmp(aRest, ",ON", 3) == 0) ||
                            (aLength == 4 && std::memcmp(aRest, ",OFF", 4) == 0)))
  {
    myMachine.SetIncremental(aLength != 4);
    return;
  }
  // Both command sets of FMAT write holes, slots and routes alike.
  if (aKeyword == "FMAT" && aLength == 2 && aRest[0] == ',' && (aRest[1] == '1' || aRest[1] == '2'))
  {
    return;
  }
  for (const char* const* aSetting = THE_SETTINGS; *aSetting != NULL; ++aSetting)
  {
    if (aKeyword == *aSetting && (aLength == 0 || aRest[0] == ','))
    {
      myMachine.Ignore(VexExcellon_Listener::Ignored_Setting);
      return;
    }
  }
  myMachine.Ignore(VexExcellon_Listener::Ignored_Unknown);
}

void VexExcellon_Parser::handleUnit(const Standard_Boolean theIsMetric, const char* theText,
                                    size_t theLength)
{
  // ",LZ" or ",TZ" and a pattern of digits, in either order.
  while (theLength > 0)
  {
    const char*  aField     = theText + 1;
    const char*  aComma     = static_cast<const char*>(std::memchr(aField, ',', theLength - 1));
    const size_t aSize      = aComma != NULL ? static_cast<size_t>(aComma - aField) : theLength - 1;
    const bool   isLeading  = aSize == 2 && std::memcmp(aField, "LZ", 2) == 0;
    const bool   isTrailing = aSize == 2 && std::memcmp(aField, "TZ", 2) == 0;
    if (theText[0] != ',' || (!isLeading && !isTrailing && !myFormat.SetPattern(aField, aSize)))
    {
      myMachine.Fail(VexPcb_Fault("VEX_EXCELLON_BAD_FORMAT").Arg(quote(theText, theLength)));
      return;
    }
    if (isLeading || isTrailing)
    {
      myFormat.SetZeroMode(isLeading ? VexExcellon_NumberFormat::Zeros_Leading
                                     : VexExcellon_NumberFormat::Zeros_Trailing);
    }
    theLength -= aSize + 1;
    theText = aField + aSize;
  }
  setMetric(theIsMetric);
}

void VexExcellon_Parser::setMetric(const Standard_Boolean theIsMetric)
{
  myFormat.SetMetric(theIsMetric);
  myMachine.SetUnit(myFormat.UnitInMillimetres(), Standard_True);
}

void VexExcellon_Parser::handleWords()
{
  Standard_Boolean isSlot = Standard_False, isZero = Standard_False, hasAxes = Standard_False,
                   hasSetting = Standard_False;
  for (Standard_Integer anIndex = 0; anIndex < myWords.Length(); ++anIndex)
  {
    const VexExcellon_Words::Word& aWord = myWords.Value(anIndex);
    if (myMachine.IsFailed())
    {
      return;
    }
    if (aWord.Letter == 'G' || aWord.Letter == 'M')
    {
      if (!handleCode(aWord, isSlot, isZero))
      {
        return;
      }
    }
    else if (aWord.Letter == 'T')
    {
      anIndex = handleTool(anIndex) - 1;
    }
    else if (VexExcellon_Words::IsAxisLetter(aWord.Letter))
    {
      hasAxes = Standard_True;
    }
    else if (VexExcellon_Words::IsToolLetter(aWord.Letter))
    {
      hasSetting = Standard_True; // feeds and speeds outside a tool definition
    }
    else if (aWord.Letter != 'N') // N numbers the block
    {
      // A line with a letter of unknown meaning is left out whole: its numbers may not be
      // positions.
      myMachine.Ignore(VexExcellon_Listener::Ignored_Unknown);
      return;
    }
  }
  if (hasSetting)
  {
    myMachine.Ignore(VexExcellon_Listener::Ignored_Setting);
  }
  if (hasAxes && !myMachine.IsFailed())
  {
    handleCoordinates(isSlot, isZero);
  }
}

Standard_Boolean VexExcellon_Parser::handleCode(const VexExcellon_Words::Word& theWord,
                                                Standard_Boolean&              theIsSlot,
                                                Standard_Boolean&              theIsZero)
{
  Standard_Integer aCode = 0;
  if (!VexExcellon_Words::ReadWhole(theWord.Text, theWord.Length, 3, aCode))
  {
    fail("VEX_EXCELLON_BAD_NUMBER", theWord);
    return Standard_False;
  }
  return theWord.Letter == 'G' ? handleGCode(aCode, theIsSlot, theIsZero) : handleMCode(aCode);
}

Standard_Boolean VexExcellon_Parser::handleGCode(const Standard_Integer theCode,
                                                 Standard_Boolean&      theIsSlot,
                                                 Standard_Boolean&      theIsZero)
{
  switch (theCode)
  {
  case 0:
  case 1:
  case 2:
  case 3:
    myMachine.SetMotion(static_cast<VexExcellon_Machine::Motion>(theCode));
    return Standard_True;
  case 5:
  case 81:
    myMachine.DrillMode();
    return Standard_True;
  case 90:
  case 91:
    myMachine.SetIncremental(theCode == 91);
    return Standard_True;
  case 93:
    theIsZero = Standard_True;
    return Standard_True;
  case 85:
    theIsSlot = Standard_True;
    return Standard_True;
  case 40:
    myMachine.Ignore(VexExcellon_Listener::Ignored_Setting); // cutter compensation off
    return Standard_True;
  case 4:
    myMachine.Ignore(VexExcellon_Listener::Ignored_Setting); // a dwell: its X is a time
    return Standard_False;
  case 32: // routed circles
  case 33:
  case 41: // cutter compensation: the cut would lie a tool radius beside the line
  case 42:
  case 82: // canned hole patterns, circles and slots
  case 83:
  case 84:
  case 87:
    myMachine.Fail(
        VexPcb_Fault("VEX_EXCELLON_UNSUPPORTED").Arg(TCollection_AsciiString("G") + theCode));
    return Standard_False;
  default:
    myMachine.Ignore(VexExcellon_Listener::Ignored_Unknown);
    return Standard_False;
  }
}

Standard_Boolean VexExcellon_Parser::handleMCode(const Standard_Integer theCode)
{
  switch (theCode)
  {
  case 48:
  case 95:
    isHeader = theCode == 48;
    if (isHeader)
    {
      myMachine.SetHeader();
    }
    return Standard_True;
  case 30:
  case 0:
    myMachine.Finish();
    isEnded = Standard_True;
    return Standard_False;
  case 71:
  case 72:
    setMetric(theCode == 71);
    return Standard_True;
  case 15:
    myMachine.Plunge();
    return Standard_True;
  case 16:
  case 17:
    myMachine.Retract();
    return Standard_True;
  case 97: // canned text without its text
  case 98:
    myMachine.Fail(VexPcb_Fault("VEX_EXCELLON_CANNED_TEXT").Arg(TCollection_AsciiString()));
    return Standard_False;
  case 1: // the end of a block pattern, whose start (M25) is refused: nothing to end
    myMachine.Ignore(VexExcellon_Listener::Ignored_Setting);
    return Standard_True;
  case 25: // block patterns
    myMachine.Fail(
        VexPcb_Fault("VEX_EXCELLON_UNSUPPORTED").Arg(TCollection_AsciiString("M") + theCode));
    return Standard_False;
  case 6:  // optional stop
  case 9:  // stop for inspection
  case 45: // messages
  case 47:
  case 70: // axis swap and mirror images, which act on patterns only
  case 80:
  case 90:
    myMachine.Ignore(VexExcellon_Listener::Ignored_Setting);
    return Standard_True;
  default:
    myMachine.Ignore(VexExcellon_Listener::Ignored_Unknown);
    return Standard_False;
  }
}

Standard_Integer VexExcellon_Parser::handleTool(const Standard_Integer theFirst)
{
  const VexExcellon_Words::Word& aWord = myWords.Value(theFirst);
  Standard_Integer               aTool = 0;
  if (!VexExcellon_Words::ReadWhole(aWord.Text, aWord.Length, 4, aTool) || aTool > THE_TOOL_LIMIT)
  {
    fail("VEX_EXCELLON_BAD_TOOL", aWord);
    return myWords.Length();
  }
  // The parameters of a definition follow the number in any order; only the diameter matters.
  Standard_Integer aDiameter = -1, aNext = theFirst + 1;
  for (; aNext < myWords.Length() && VexExcellon_Words::IsToolLetter(myWords.Value(aNext).Letter);
       ++aNext)
  {
    aDiameter = myWords.Value(aNext).Letter == 'C' ? aNext : aDiameter;
  }
  // Diameters are read as written: a number without a point is a whole number of units.
  Standard_Real aValue = 0.0;
  if (aDiameter >= 0 && readValue(myWords.Value(aDiameter), aValue, Standard_True))
  {
    myMachine.DefineTool(aTool, aValue);
  }
  if (!isHeader)
  {
    myMachine.SelectTool(aTool);
  }
  else if (aDiameter < 0)
  {
    myMachine.Ignore(VexExcellon_Listener::Ignored_Setting); // a tool without its diameter
  }
  return aNext;
}

void VexExcellon_Parser::handleCoordinates(const Standard_Boolean theIsSlot,
                                           const Standard_Boolean theIsZero)
{
  VexExcellon_Machine::Axes anAxes;
  const Standard_Integer    aRepeat = myWords.Find('R');
  if (theIsSlot)
  {
    Standard_Integer aCode = 0;
    while (!myWords.Is(aCode, 'G', 85))
    {
      ++aCode;
    }
    VexExcellon_Machine::Axes anEnd;
    if (readAxes(0, aCode, anAxes) && readAxes(aCode + 1, myWords.Length(), anEnd))
    {
      myMachine.Slot(anAxes, anEnd);
    }
    return;
  }
  if (!readAxes(0, myWords.Length(), anAxes))
  {
    return;
  }
  Standard_Integer aCount = 0;
  if (theIsZero)
  {
    myMachine.SetZero(anAxes);
  }
  else if (aRepeat >= 0 && !VexExcellon_Words::ReadWhole(myWords.Value(aRepeat).Text,
                                                         myWords.Value(aRepeat).Length, 9, aCount))
  {
    fail("VEX_EXCELLON_BAD_NUMBER", myWords.Value(aRepeat));
  }
  else if (aRepeat >= 0)
  {
    myMachine.Repeat(aCount, anAxes);
  }
  else if (myMachine.IsRouteMode())
  {
    handleRoute(anAxes);
  }
  else
  {
    myMachine.Hole(anAxes);
  }
}

void VexExcellon_Parser::handleRoute(const VexExcellon_Machine::Axes& theAxes)
{
  VexExcellon_Machine::ArcData anArc;
  const Standard_Integer       aRadius = myWords.Find('A');
  const Standard_Integer       anI = myWords.Find('I'), aJ = myWords.Find('J');
  anArc.HasRadius = aRadius >= 0;
  anArc.HasOffset = anI >= 0 || aJ >= 0;
  if ((aRadius >= 0 && !readValue(myWords.Value(aRadius), anArc.Radius)) ||
      (anI >= 0 && !readValue(myWords.Value(anI), anArc.Offset.ChangeCoord(1))) ||
      (aJ >= 0 && !readValue(myWords.Value(aJ), anArc.Offset.ChangeCoord(2))))
  {
    return;
  }
  anArc.Radius *= myFormat.UnitInMillimetres();
  anArc.Offset *= myFormat.UnitInMillimetres();
  myMachine.Route(theAxes, anArc);
}

Standard_Boolean VexExcellon_Parser::readValue(const VexExcellon_Words::Word& theWord,
                                               Standard_Real&                 theValue,
                                               const Standard_Boolean         theIsWhole)
{
  if (myFormat.Decode(theWord.Text, theWord.Length, theValue, theIsWhole))
  {
    return Standard_True;
  }
  fail("VEX_EXCELLON_BAD_NUMBER", theWord);
  return Standard_False;
}

Standard_Boolean VexExcellon_Parser::readAxes(const Standard_Integer     theFirst,
                                              const Standard_Integer     theLast,
                                              VexExcellon_Machine::Axes& theAxes)
{
  // Values in millimetres; the machine places them.
  for (Standard_Integer anIndex = theFirst; anIndex < theLast; ++anIndex)
  {
    const VexExcellon_Words::Word& aWord = myWords.Value(anIndex);
    if (aWord.Letter == 'X' && readValue(aWord, theAxes.X))
    {
      theAxes.HasX = Standard_True;
      theAxes.X *= myFormat.UnitInMillimetres();
    }
    else if (aWord.Letter == 'Y' && readValue(aWord, theAxes.Y))
    {
      theAxes.HasY = Standard_True;
      theAxes.Y *= myFormat.UnitInMillimetres();
    }
  }
  return !myMachine.IsFailed();
}

void VexExcellon_Parser::fail(const char* theKey)
{
  myMachine.Fail(VexPcb_Fault(theKey));
}

void VexExcellon_Parser::fail(const char* theKey, const VexExcellon_Words::Word& theWord)
{
  myMachine.Fail(VexPcb_Fault(theKey).Arg(quote(theWord)));
}
