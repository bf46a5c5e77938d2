// Copyright (c) 2026 VexData developers
#include <VexExcellon_Parser.hxx>

#include <VexExcellon_LineSource.hxx>

#include <TCollection_AsciiString.hxx>

#include <algorithm>
#include <cstring>

namespace
{
typedef VexExcellon_Words::Word Word;

//! The byte order mark of UTF-8.
const char THE_BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

//! Returns the text of theWord (letter and number) for a message.
TCollection_AsciiString quote(const Word& theWord)
{
  return TCollection_AsciiString(theWord.Letter) +
         VexExcellon_Words::Quote(theWord.Text, theWord.Length);
}

//! Returns true for a capital letter.
inline bool isCapital(const char theChar)
{
  return theChar >= 'A' && theChar <= 'Z';
}

//! Returns the start of the canned text of theText ("M97,TEXT" or "M98,TEXT", alone or after
//! coordinates), or NULL when the line has none.
const char* cannedText(const char* theText, const size_t theLength)
{
  for (size_t anIndex = 0; anIndex + 4 <= theLength; ++anIndex)
  {
    if (VexExcellon_Words::StartsWith(theText + anIndex, theLength - anIndex, "M97,") ||
        VexExcellon_Words::StartsWith(theText + anIndex, theLength - anIndex, "M98,"))
    {
      return theText + anIndex + 4;
    }
  }
  return NULL;
}

} // namespace

VexExcellon_Parser::VexExcellon_Parser(VexExcellon_Listener& theListener)
    : myMachine(theListener), myKeywords(myMachine, myFormat), myReadSize(0),
      isDefaultMetric(Standard_False), isHeader(Standard_False), isEnded(Standard_False)
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
  VexExcellon_LineSource aSource(theStream, THE_LINE_LIMIT, myReadSize);
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
      if (myMachine.Line() == 1 &&
          VexExcellon_Words::StartsWith(aText, aLength, THE_BYTE_ORDER_MARK))
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
  VexExcellon_Words::Trim(theText, theLength);
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
    myKeywords.Comment(aComment, theLength - static_cast<size_t>(aComment - theText));
    theLength = static_cast<size_t>(aComment - theText);
    VexExcellon_Words::Trim(theText, theLength);
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
    myKeywords.Keyword(theText, theLength);
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
                       .Arg(VexExcellon_Words::Quote(
                           aText, theLength - static_cast<size_t>(aText - theText))));
    return;
  }
  // Operator messages (M45,text and M47,text) are the only other commands with free text.
  myMachine.Ignore(VexExcellon_Words::StartsWith(theText, theLength, "M45,") ||
                           VexExcellon_Words::StartsWith(theText, theLength, "M47,")
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
    myKeywords.SetMetric(theCode == 71);
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
