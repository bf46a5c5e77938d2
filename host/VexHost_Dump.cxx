// Copyright (c) 2026 VexData developers
#include <VexHost_Dump.hxx>

#include <VexData_Message.hxx>
#include <VexData_RecordTable.hxx>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
//! Squared length under which a line-to makes no segment, as in the reader.
const Standard_Real THE_MIN_SEGMENT_SQUARE = 1.0e-14;

//! Distance under which an arc-to ends where it starts and makes a full turn, as in the reader.
const Standard_Real THE_FULL_TURN_DISTANCE = 1.0e-7;

//! Deepest nesting shown by indentation; deeper lines say their depth instead.
const Standard_Integer THE_MAX_INDENT = 24;

//! Longest part of a string shown in the listing.
const size_t THE_SHOWN_TEXT = 60;

//! Returns theOffset as eight or more hexadecimal digits.
std::string hexOffset(const Standard_Size theOffset)
{
  char aText[24];
  std::snprintf(aText, sizeof(aText), "%08llx", static_cast<unsigned long long>(theOffset));
  return aText;
}

//! Returns theValue, a float32 widened to double, with the fewest digits that give it back.
std::string number(const Standard_Real theValue)
{
  char                       aText[32];
  const std::to_chars_result aResult =
      std::to_chars(aText, aText + sizeof(aText), static_cast<float>(theValue));
  return std::string(aText, aResult.ptr);
}

//! Returns theX and theY as "(x, y)".
std::string point(const Standard_Real theX, const Standard_Real theY)
{
  return "(" + number(theX) + ", " + number(theY) + ")";
}

//! Returns theText in double quotes, with quotes, backslashes and bytes outside printable ASCII
//! escaped; a long text is cut and its length given.
std::string quoted(const TCollection_AsciiString& theText)
{
  const size_t aLength = static_cast<size_t>(theText.Length());
  std::string  aResult = "\"";
  for (size_t anIndex = 0; anIndex < std::min(aLength, THE_SHOWN_TEXT); ++anIndex)
  {
    const unsigned char aChar = static_cast<unsigned char>(theText.ToCString()[anIndex]);
    if (aChar == '"' || aChar == '\\')
    {
      aResult += '\\';
    }
    if (aChar < 0x20 || aChar > 0x7E)
    {
      char anEscape[8];
      std::snprintf(anEscape, sizeof(anEscape), "\\x%02x", aChar);
      aResult += anEscape;
    }
    else
    {
      aResult += static_cast<char>(aChar);
    }
  }
  aResult += "\"";
  if (aLength > THE_SHOWN_TEXT)
  {
    aResult += "... (" + std::to_string(aLength) + " bytes)";
  }
  return aResult;
}

//! Returns the name of the record or item whose tag byte is theTag.
const char* tagName(const Standard_Integer theTag)
{
  return VexData_RecordTable::Name(theTag);
}

//! Returns the meaning of the reader's status theStatus.
const char* statusName(const Standard_Integer theStatus)
{
  static const char* const THE_NAMES[8] = {"ok",           "not done",       "wrong format",
                                           "invalid data", "stream bad",     "stream fail",
                                           "end of file",  "string too long"};
  return theStatus >= 0 && theStatus < 8 ? THE_NAMES[theStatus] : "unknown";
}

//! Returns what the tool mode theMode stands for.
const char* modeName(const Standard_Integer theMode)
{
  static const char* const THE_MODES[3] = {"paths", "drill points", "paths and drill points"};
  return theMode >= 0 && theMode <= 2 ? THE_MODES[theMode] : "invalid";
}

//! Returns theValue as a message argument, capped at the largest integer (as the reader does).
Standard_Integer clampToInt(const Standard_Size theValue)
{
  return static_cast<Standard_Integer>(
      std::min<Standard_Size>(theValue, static_cast<Standard_Size>(IntegerLast())));
}
} // namespace

VexHost_Dump::VexHost_Dump(std::ostream& theOut, const Handle(Message_Messenger) & theMessenger,
                           const VexData_Reader::Limits& theLimits)
    : myOut(theOut), myMessenger(theMessenger), myStatus(VexData_Reader::NotDone), myReadStart(0),
      myLineOpen(Standard_False), myTools(theLimits.Renamings), myFileTools(1), myBlockTools(1),
      myBoxWidth(-1.0), myBoxHeight(-1.0), myCopiedElements(0), myElementLimit(theLimits.Elements)
{
}

VexData_Reader::Status VexHost_Dump::Process(std::istream& theIn)
{
  myStatus = VexData_Reader::Ok;
  try
  {
    process(theIn);
  }
  catch (...)
  {
    // As in the reader: what escapes the primitive reads is a failure of memory, which ends the
    // listing like a hard input error.
    try
    {
      fail(VexData_Reader::StreamBad, "VEX_READER_READING_FAIL", myReadStart,
           "unexpected failure while listing");
    }
    catch (...)
    {
      myStatus = VexData_Reader::StreamBad;
    }
  }
  return myStatus;
}

void VexHost_Dump::process(std::istream& theIn)
{
  myInput.Init(&theIn, myMessenger);
  myBoxWidth       = -1.0;
  myBoxHeight      = -1.0;
  myCopiedElements = 0;
  myTools.ResetRenamings();
  if (dumpHeader())
  {
    dumpRecords();
  }
  if (myStatus == VexData_Reader::Ok)
  {
    line(myInput.Offset(), 0) << "end of file: status 0 (ok)";
  }
  closeLine();
}

// ---------------------------------------------------------------------------------------------
// Framing: header, type declarations, top-level records, stepped-over records
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexHost_Dump::dumpHeader()
{
  const Standard_Integer aCode = myInput.CheckHeader();
  if (aCode == VexData_Format::Code_Ok)
  {
    line(0, 0) << "header: \"" << VexData_Format::THE_MAGIC << "\", " << myInput.Offset()
               << " bytes up to and including 0x1A";
    return Standard_True;
  }
  // The header check sends its own messages.
  const Standard_Size     aMagic = static_cast<Standard_Size>(VexData_Format::THE_MAGIC_LENGTH);
  TCollection_AsciiString aText;
  if (aCode == VexData_Format::Code_WrongFormat)
  {
    aText = TCollection_AsciiString("the first 36 bytes are not \"") + VexData_Format::THE_MAGIC +
            "\": not a machine file";
  }
  else if (myInput.Offset() < aMagic)
  {
    aText = "the file ends inside the 36-byte magic";
  }
  else
  {
    aText = "no 0x1A byte ends the header";
  }
  return report(static_cast<VexData_Reader::Status>(aCode),
                aCode == VexData_Format::Code_WrongFormat ? 0 : myInput.Offset(), aText);
}

void VexHost_Dump::dumpRecords()
{
  Standard_Size    aStart = myInput.Offset();
  Standard_Integer aTag   = 0;
  if (!readByte(aTag, "VEX_READER_READ_BYTE_FAILURE", "the first record tag"))
  {
    return;
  }
  while (aTag == VexData_Format::Tag_TypeDeclaration)
  {
    if (!dumpDeclaration(aStart))
    {
      return;
    }
    aStart = myInput.Offset();
    if (!readByte(aTag, "VEX_READER_READ_BYTE_FAILURE", "the record tag after a declaration"))
    {
      return;
    }
  }
  for (;;)
  {
    if (!dumpRecord(aTag, aStart))
    {
      return;
    }
    aStart                       = myInput.Offset();
    myReadStart                  = aStart;
    const Standard_Integer aCode = myInput.ReadByte(aTag);
    if (aCode == VexData_Format::Code_EndOfFile)
    {
      return; // the file ends cleanly between two records
    }
    if (aCode != VexData_Format::Code_Ok)
    {
      readFailed(aCode, "VEX_READER_READ_BYTE_FAILURE", "a record tag");
      return;
    }
  }
}

Standard_Boolean VexHost_Dump::dumpDeclaration(const Standard_Size theStart)
{
  line(theStart, 0) << "[11] type declaration:";
  Standard_Integer aTag = 0, aSize = 0;
  if (!readByte(aTag, "VEX_READER_READ_BYTE_FAILURE", "the declared tag (byte)"))
  {
    return Standard_False;
  }
  myOut << " tag " << aTag;
  if (!readInt(aSize, "the declared size (int32)"))
  {
    return Standard_False;
  }
  myOut << " size " << aSize;
  Standard_Integer       anOld   = 0;
  const Standard_Boolean isKnown = myTypes.RecordSize(aTag, anOld);
  const Standard_Integer aCode   = myTypes.Declare(aTag, aSize, myMessenger);
  if (aCode != VexData_Format::Code_Ok)
  {
    return report(static_cast<VexData_Reader::Status>(aCode), theStart + 2,
                  aSize < 0
                      ? TCollection_AsciiString("a declared size below 0")
                      : TCollection_AsciiString("tag ") + aTag + " already has size " + anOld);
  }
  if (aTag < 12 || aTag > 127)
  {
    myOut << " (never used: only tags 12 to 127 have sizes)";
  }
  else if (!isKnown)
  {
    myOut << " (new)";
  }
  else if (anOld == aSize)
  {
    myOut << " (unchanged)";
  }
  else
  {
    myOut << " (was " << anOld << ": scanner boxes and scan fields are stepped over from here)";
  }
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpRecord(const Standard_Integer theTag,
                                          const Standard_Size    theStart)
{
  switch (theTag)
  {
  case VexData_Format::Tag_ToolDefinition:
    return dumpTool(myFileTools, theStart, 0);
  case VexData_Format::Tag_ToolpathBlock:
    return dumpBlock(theStart);
  case VexData_Format::Tag_ScannerBox:
    return dumpScannerBox(theStart);
  default:
    return dumpSkipped(theTag, theStart, 0);
  }
}

Standard_Boolean VexHost_Dump::dumpSkipped(const Standard_Integer theTag,
                                           const Standard_Size    theStart,
                                           const Standard_Integer theDepth)
{
  if (VexData_Format::ClassOf(theTag) == VexData_Format::TagClass_Compound)
  {
    return dumpCompound(theTag, theStart, theDepth);
  }
  line(theStart, theDepth) << "[" << theTag << "] " << tagName(theTag);
  const Standard_Integer aCode = myTypes.Skip(myInput, theTag);
  if (aCode != VexData_Format::Code_Ok)
  {
    return skipFailed(aCode, theTag, theStart);
  }
  myOut << ": stepped over, " << (myInput.Offset() - theStart - 1) << " bytes";
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpCompound(const Standard_Integer theTag,
                                            const Standard_Size    theStart,
                                            const Standard_Integer theDepth)
{
  // The nesting is followed with a list of open records rather than by recursion, as the skip
  // rule does, so that deeply nested records cannot exhaust the machine stack.
  line(theStart, theDepth) << "[" << theTag << "] " << tagName(theTag) << ": stepped over";
  std::vector<Standard_Size> anOpen(1, theStart);
  while (!anOpen.empty())
  {
    const Standard_Size    anItem = myInput.Offset();
    const Standard_Integer aDepth = theDepth + static_cast<Standard_Integer>(anOpen.size());
    Standard_Integer       aTag   = 0;
    if (!readByte(aTag, "VEX_READER_READ_BYTE_FAILURE", "an item tag of a compound record"))
    {
      return Standard_False;
    }
    const VexData_Format::TagClass aClass = VexData_Format::ClassOf(aTag);
    if (aClass == VexData_Format::TagClass_End)
    {
      line(anItem, aDepth) << "[0] end of the record at " << hexOffset(anOpen.back()) << ", "
                           << (myInput.Offset() - anOpen.back()) << " bytes";
      anOpen.pop_back();
    }
    else if (aClass == VexData_Format::TagClass_Compound)
    {
      line(anItem, aDepth) << "[" << aTag << "] " << tagName(aTag);
      anOpen.push_back(anItem);
    }
    else if (!dumpSkipped(aTag, anItem, aDepth))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexHost_Dump::skipFailed(const Standard_Integer theCode,
                                          const Standard_Integer theTag,
                                          const Standard_Size    theStart)
{
  // The skip rule has sent its message already.
  if (theCode != VexData_Format::Code_WrongFormat)
  {
    return readFailed(theCode, NULL, "the rest of the record");
  }
  Standard_Integer aSize = 0;
  if (theTag == VexData_Format::Field_BitsShort || theTag == VexData_Format::Field_BitsLong)
  {
    return report(VexData_Reader::WrongFormat, theStart + 1,
                  "the count of the bit field cannot be read or is -1");
  }
  if (VexData_Format::ClassOf(theTag) == VexData_Format::TagClass_FixedRecord &&
      !myTypes.RecordSize(theTag, aSize))
  {
    return report(VexData_Reader::WrongFormat, theStart,
                  TCollection_AsciiString("tag ") + theTag +
                      " has no declared size, so it cannot be stepped over");
  }
  return report(VexData_Reader::WrongFormat, theStart,
                TCollection_AsciiString("tag ") + theTag + " is not allowed here");
}

// ---------------------------------------------------------------------------------------------
// Tools
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexHost_Dump::dumpTool(ToolIndexMap& theScope, const Standard_Size theStart,
                                        const Standard_Integer theDepth)
{
  line(theStart, theDepth) << "[128] tool definition ("
                           << (&theScope == &myFileTools ? "file" : "block") << " scope)";
  const Standard_Size anIndexStart = myInput.Offset();
  Standard_Integer    anIndex = 0, aMode = 0;
  if (!expectType(VexData_Format::Field_Int, "the tool index type") ||
      !readInt(anIndex, "the tool index (int32)"))
  {
    return Standard_False;
  }
  line(anIndexStart, theDepth + 1) << "[3] index " << anIndex;
  if (anIndex <= 0)
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_INVALID_TOOL_INDEX", anIndex,
                anIndexStart + 1, "a tool index must be greater than 0");
  }
  if (theScope.IsBound(anIndex))
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_MULTIPLE_TOOL_INDEX", anIndex,
                anIndexStart + 1, "this tool index is already defined in the same scope");
  }
  Standard_ShortReal      aWidth = 0.0f;
  TCollection_AsciiString aName;
  if (!dumpToolFields(anIndex, theDepth + 1, aMode, aWidth, aName))
  {
    return Standard_False;
  }
  const Standard_Size anEnd = myInput.Offset();
  if (!expectType(VexData_Format::Tag_End, "the end marker of the tool definition"))
  {
    return Standard_False;
  }
  line(anEnd, theDepth + 1) << "[0] end";
  VexData_Tool           aTool(aName, aMode, aWidth);
  const Standard_Integer aNumber = registerTool(aTool);
  if (aNumber == 0)
  {
    return Standard_False;
  }
  theScope.Bind(anIndex, aNumber);
  myOut << ": index " << anIndex << " is tool " << aNumber << " "
        << quoted(myTools.Tool(aNumber).UniqueName());
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpToolFields(const Standard_Integer   theIndex,
                                              const Standard_Integer   theDepth,
                                              Standard_Integer&        theMode,
                                              Standard_ShortReal&      theWidth,
                                              TCollection_AsciiString& theName)
{
  Standard_Size aStart = myInput.Offset();
  if (!expectType(VexData_Format::Field_Byte, "the tool mode type") ||
      !readByte(theMode, "VEX_READER_READ_BYTE_FAILURE", "the tool mode (byte)"))
  {
    return Standard_False;
  }
  line(aStart, theDepth) << "[1] mode " << theMode << " (" << modeName(theMode) << ")";
  if (theMode > 2)
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_INVALID_MODE", theIndex, aStart + 1,
                "a tool mode must be 0, 1 or 2");
  }
  aStart               = myInput.Offset();
  Standard_Real aWidth = 0.0;
  if (!expectType(VexData_Format::Field_Float, "the tool width type") ||
      !readReal(aWidth, "the tool width (float32)"))
  {
    return Standard_False;
  }
  theWidth = static_cast<Standard_ShortReal>(aWidth);
  line(aStart, theDepth) << "[5] width " << number(aWidth);
  if (!(aWidth >= 0.0)) // a width that is not a number is refused like a negative one
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_INVALID_WIDTH", theIndex, aStart + 1,
                "a tool width must be 0 or greater");
  }
  aStart = myInput.Offset();
  if (!expectType(VexData_Format::Field_String, "the tool name type") ||
      !readString(theName, "the tool name (string)"))
  {
    return Standard_False;
  }
  line(aStart, theDepth) << "[7] name " << quoted(theName);
  return Standard_True;
}

Standard_Integer VexHost_Dump::registerTool(VexData_Tool& theTool)
{
  // Tool numbers are given exactly as the reader gives them, identical definitions included, so
  // that the bound on renamings is reached at the same definition.
  Standard_Boolean       isNew   = Standard_False;
  const Standard_Integer aNumber = myTools.Register(theTool, isNew);
  if (aNumber == 0)
  {
    fail(VexData_Reader::InvalidData, "VEX_READER_TOO_MANY_TOOL_NAMES",
         clampToInt(myTools.RenamingLimit()), myReadStart,
         "too many tools share their names with other tools");
  }
  return aNumber;
}

// ---------------------------------------------------------------------------------------------
// Toolpath blocks and tool groups
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexHost_Dump::dumpBlock(const Standard_Size theStart)
{
  line(theStart, 0) << "[130] toolpath block";
  Standard_Integer aTag = 0;
  if (!dumpBlockHeader() || !dumpBlockStart(aTag))
  {
    return Standard_False;
  }
  while (aTag == VexData_Format::Tag_ToolGroup)
  {
    if (!dumpGroup(myInput.Offset() - 1, aTag))
    {
      return Standard_False;
    }
  }
  // The byte that ended the block has been consumed; what follows is read at top level.
  line(myInput.Offset() - 1, 1) << "[" << aTag << "] ";
  if (aTag == VexData_Format::Tag_End)
  {
    myOut << "end of block";
  }
  else
  {
    myOut << tagName(aTag) << ": ends the block; what follows is read as top-level records";
  }
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpBlockHeader()
{
  Standard_Size aStart = myInput.Offset();
  if (!expectType(VexData_Format::Tag_BlockHeader, "the block header tag"))
  {
    return Standard_False;
  }
  line(aStart, 1) << "[129] block header";
  static const char* const THE_NAMES[2] = {"phase", "layer"};
  static const char* const THE_TYPES[2] = {"the phase name type", "the layer name type"};
  static const char* const THE_WHATS[2] = {"the phase name (string)", "the layer name (string)"};
  for (Standard_Integer anIndex = 0; anIndex < 2; ++anIndex)
  {
    const char*             aName = THE_NAMES[anIndex];
    TCollection_AsciiString aText;
    aStart = myInput.Offset();
    if (!expectType(VexData_Format::Field_String, THE_TYPES[anIndex]) ||
        !readString(aText, THE_WHATS[anIndex]))
    {
      return Standard_False;
    }
    line(aStart, 2) << "[7] " << aName << " " << quoted(aText);
  }
  aStart = myInput.Offset();
  if (!expectType(VexData_Format::Tag_End, "the end marker of the block header"))
  {
    return Standard_False;
  }
  line(aStart, 2) << "[0] end";
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpBlockStart(Standard_Integer& theTag)
{
  const char* const aNext = "the next item tag of the block";
  if (!readByte(theTag, "VEX_READER_READ_BYTE_FAILURE", aNext))
  {
    return Standard_False;
  }
  myBlockTools.Clear();
  while (theTag == VexData_Format::Tag_ToolDefinition)
  {
    if (!dumpTool(myBlockTools, myInput.Offset() - 1, 1) ||
        !readByte(theTag, "VEX_READER_READ_BYTE_FAILURE", aNext))
    {
      return Standard_False;
    }
  }
  if (theTag == VexData_Format::Tag_MacroDefinition)
  {
    if (!dumpMacroDefinition(myInput.Offset() - 1, 1) ||
        !readByte(theTag, "VEX_READER_READ_BYTE_FAILURE", aNext))
    {
      return Standard_False;
    }
  }
  if (theTag == VexData_Format::Tag_ScanFieldPosition)
  {
    if (!dumpScanField(myInput.Offset() - 1, 1) ||
        !readByte(theTag, "VEX_READER_READ_BYTE_FAILURE", aNext))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpGroup(const Standard_Size theStart, Standard_Integer& theTag)
{
  line(theStart, 1) << "[16] tool group:";
  Standard_Integer anIndex = 0;
  if (!readInt(anIndex, "the tool index of the group (int32)"))
  {
    return Standard_False;
  }
  myOut << " tool index " << anIndex;
  if (!readByte(theTag, "VEX_READER_READ_BYTE_FAILURE", "the first item tag of the group"))
  {
    return Standard_False;
  }
  const Standard_Integer* aNumber = myBlockTools.Seek(anIndex);
  const char*             aScope  = "block";
  if (aNumber == NULL)
  {
    aNumber = myFileTools.Seek(anIndex);
    aScope  = "file";
  }
  if (aNumber == NULL || *aNumber < 1 || *aNumber > myTools.Extent())
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_NO_TOOL", anIndex, theStart + 1,
                "no tool definition of this block or of the file has this index");
  }
  myOut << " (" << aScope << " scope) is tool " << *aNumber << " "
        << quoted(myTools.Tool(*aNumber).UniqueName());
  while (theTag != VexData_Format::Tag_End && theTag != VexData_Format::Tag_ToolGroup)
  {
    if (!dumpGroupItem(theTag))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpGroupItem(Standard_Integer& theTag)
{
  static const char* const THE_XY[2]     = {"x (float32)", "y (float32)"};
  static const char* const THE_CIRCLE[3] = {"the centre x (float32)", "the centre y (float32)",
                                            "the radius (float32)"};
  const Standard_Size      aStart        = myInput.Offset() - 1;
  Standard_Real            aValues[3]    = {0.0, 0.0, 0.0};
  Standard_Boolean         isRead        = Standard_False;
  switch (theTag)
  {
  case VexData_Format::Tag_PathStart:
  {
    Standard_Size anElements = 0;
    return dumpPath(aStart, 2, theTag, anElements); // the tag that ended the path is the next
  }
  case VexData_Format::Tag_Circle:
    line(aStart, 2) << "[14] circle";
    isRead = readReals(3, THE_CIRCLE, aValues);
    if (isRead)
    {
      myOut << " centre " << point(aValues[0], aValues[1]) << " radius " << number(aValues[2]);
    }
    break;
  case VexData_Format::Tag_DrillPoint:
    line(aStart, 2) << "[15] drill point";
    isRead = readReals(2, THE_XY, aValues);
    if (isRead)
    {
      myOut << " " << point(aValues[0], aValues[1]);
    }
    break;
  case VexData_Format::Tag_MacroPlacement:
    isRead = dumpPlacement(aStart, 2);
    break;
  case VexData_Format::Tag_ScanFieldPosition:
    isRead = dumpScanField(aStart, 2);
    break;
  default:
    isRead = dumpSkipped(theTag, aStart, 2);
    break;
  }
  return isRead &&
         readByte(theTag, "VEX_READER_READ_BYTE_FAILURE", "the next item tag of the group");
}

// ---------------------------------------------------------------------------------------------
// Geometry and macros
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexHost_Dump::dumpPath(const Standard_Size    theStart,
                                        const Standard_Integer theDepth, Standard_Integer& theTag,
                                        Standard_Size& theElements)
{
  static const char* const THE_XY[2] = {"the x of the path start (float32)",
                                        "the y of the path start (float32)"};
  line(theStart, theDepth) << "[12] path start";
  Standard_Real aValues[2] = {0.0, 0.0};
  if (!readReals(2, THE_XY, aValues))
  {
    return Standard_False;
  }
  myOut << " " << point(aValues[0], aValues[1]);
  gp_XY aCurrent(aValues[0], aValues[1]);
  for (;;)
  {
    if (!readByte(theTag, "VEX_READER_READ_BYTE_FAILURE", "the next tag of the path"))
    {
      return Standard_False;
    }
    if (theTag != VexData_Format::Tag_LineTo && theTag != VexData_Format::Tag_ArcTo)
    {
      return Standard_True;
    }
    if (!dumpPathStep(theTag, myInput.Offset() - 1, theDepth + 1, aCurrent, theElements))
    {
      return Standard_False;
    }
  }
}

Standard_Boolean VexHost_Dump::dumpPathStep(const Standard_Integer theTag,
                                            const Standard_Size    theStart,
                                            const Standard_Integer theDepth, gp_XY& theCurrent,
                                            Standard_Size& theElements)
{
  static const char* const THE_NAMES[5] = {"the end x (float32)", "the end y (float32)",
                                           "the centre x (float32)", "the centre y (float32)",
                                           "the radius (float32)"};
  const Standard_Boolean   isArc        = theTag == VexData_Format::Tag_ArcTo;
  Standard_Real            aValues[5]   = {0.0, 0.0, 0.0, 0.0, 0.0};
  line(theStart, theDepth) << "[" << theTag << "] " << tagName(theTag);
  if (!readReals(isArc ? 5 : 2, THE_NAMES, aValues))
  {
    return Standard_False;
  }
  const gp_XY anEnd(aValues[0], aValues[1]);
  myOut << " " << point(aValues[0], aValues[1]);
  if (isArc)
  {
    myOut << " centre " << point(aValues[2], aValues[3]) << " radius " << number(aValues[4]);
    myOut << ((anEnd - theCurrent).Modulus() < THE_FULL_TURN_DISTANCE ? " (full turn)" : "");
    ++theElements;
  }
  else if ((anEnd - theCurrent).SquareModulus() > THE_MIN_SEGMENT_SQUARE)
  {
    ++theElements;
  }
  else
  {
    myOut << " (no segment: it does not move)";
  }
  theCurrent = anEnd;
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpPlacement(const Standard_Size    theStart,
                                             const Standard_Integer theDepth)
{
  static const char* const THE_OFFSET[2] = {"the offset x (float32)", "the offset y (float32)"};
  line(theStart, theDepth) << "[28] macro placement:";
  Standard_Integer aMacro = 0;
  if (!readInt(aMacro, "the macro number (int32)"))
  {
    return Standard_False;
  }
  myOut << " macro " << aMacro;
  if (aMacro < 1 || aMacro > myMacros.Length())
  {
    return fail(VexData_Reader::WrongFormat, "VEX_READER_NO_MACRO", aMacro, theStart + 1,
                TCollection_AsciiString("no such macro; the file has defined ") +
                    myMacros.Length() + " so far");
  }
  Standard_Real anOffset[2] = {0.0, 0.0};
  if (!readReals(2, THE_OFFSET, anOffset))
  {
    return Standard_False;
  }
  const Standard_Size aCount = myMacros.Value(aMacro);
  myOut << " offset " << point(anOffset[0], anOffset[1]) << ", " << aCount << " elements";
  if (myCopiedElements + aCount > myElementLimit)
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_TOO_MANY_ELEMENTS",
                clampToInt(myElementLimit), theStart,
                "macro placements copy more elements than a file may make");
  }
  myCopiedElements += aCount;
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpMacroDefinition(const Standard_Size    theStart,
                                                   const Standard_Integer theDepth)
{
  line(theStart, theDepth) << "[26] macro definition:";
  Standard_Integer aMacro = 0, aTag = 0;
  if (!readInt(aMacro, "the macro number (int32)"))
  {
    return Standard_False;
  }
  myOut << " macro " << aMacro;
  if (aMacro != myMacros.Length() + 1)
  {
    return fail(VexData_Reader::WrongFormat, "VEX_READER_INVALID_MACRO_NUMBER", aMacro,
                theStart + 1,
                TCollection_AsciiString("macros are numbered from 1 in order; expected ") +
                    (myMacros.Length() + 1));
  }
  if (!readByte(aTag, "VEX_READER_READ_BYTE_FAILURE", "a path start (12) or the macro end (27)"))
  {
    return Standard_False;
  }
  Standard_Size anElements = 0;
  if (aTag == VexData_Format::Tag_PathStart &&
      !dumpPath(myInput.Offset() - 1, theDepth + 1, aTag, anElements))
  {
    return Standard_False;
  }
  if (aTag != VexData_Format::Tag_MacroEnd)
  {
    return fail(VexData_Reader::WrongFormat, "VEX_READER_WRONG_TYPE",
                static_cast<Standard_Integer>(VexData_Format::Tag_MacroEnd), myInput.Offset() - 1,
                TCollection_AsciiString("found tag ") + aTag +
                    " where the macro end (27) was expected");
  }
  line(myInput.Offset() - 1, theDepth + 1)
      << "[27] macro end: macro " << aMacro << " has " << anElements << " elements";
  myMacros.Append(anElements);
  return Standard_True;
}

// ---------------------------------------------------------------------------------------------
// Scanner box and scan fields
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexHost_Dump::dumpScannerBox(const Standard_Size theStart)
{
  if (myTypes.IsRedeclared(VexData_Format::Tag_ScannerBox))
  {
    VexData_Message::Send(myMessenger, "VEX_READER_SCANNER_BOX_IGNORED", Message_Warning);
    return dumpSkipped(VexData_Format::Tag_ScannerBox, theStart, 0) && redeclared();
  }
  line(theStart, 0) << "[18] scanner box:";
  if (!readReal(myBoxWidth, "the box width (float32)"))
  {
    return Standard_False;
  }
  myOut << " width " << number(myBoxWidth);
  if (!(myBoxWidth > 0.0))
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_INVALID_SCANNER_BOX", theStart + 1,
                "the box width must be greater than 0");
  }
  if (!readReal(myBoxHeight, "the box height (float32)"))
  {
    return Standard_False;
  }
  myOut << " height " << number(myBoxHeight);
  if (!(myBoxHeight > 0.0))
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_INVALID_SCANNER_BOX", theStart + 5,
                "the box height must be greater than 0");
  }
  return Standard_True;
}

Standard_Boolean VexHost_Dump::redeclared()
{
  myOut << " (a declaration changed its size)";
  return Standard_True;
}

Standard_Boolean VexHost_Dump::dumpScanField(const Standard_Size    theStart,
                                             const Standard_Integer theDepth)
{
  static const char* const THE_XY[2] = {"the centre x (float32)", "the centre y (float32)"};
  if (myTypes.IsRedeclared(VexData_Format::Tag_ScanFieldPosition))
  {
    VexData_Message::Send(myMessenger, "VEX_READER_SCANNER_POS_IGNORED", Message_Warning);
    return dumpSkipped(VexData_Format::Tag_ScanFieldPosition, theStart, theDepth) && redeclared();
  }
  line(theStart, theDepth) << "[19] scan field position";
  if (!(myBoxWidth > 0.0) || !(myBoxHeight > 0.0))
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_INVALID_SCANNER_BOX", theStart,
                "no valid scanner box comes before this scan field");
  }
  Standard_Real aCentre[2] = {0.0, 0.0};
  if (!readReals(2, THE_XY, aCentre))
  {
    return Standard_False;
  }
  myOut << " " << point(aCentre[0], aCentre[1]) << ", field " << number(myBoxWidth) << " x "
        << number(myBoxHeight);
  return Standard_True;
}

// ---------------------------------------------------------------------------------------------
// Reads, faults and lines
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexHost_Dump::readByte(Standard_Integer& theValue, const Standard_CString theKey,
                                        const char* theWhat)
{
  myReadStart                  = myInput.Offset();
  const Standard_Integer aCode = myInput.ReadByte(theValue);
  return aCode == VexData_Format::Code_Ok || readFailed(aCode, theKey, theWhat);
}

Standard_Boolean VexHost_Dump::readInt(Standard_Integer& theValue, const char* theWhat)
{
  myReadStart                  = myInput.Offset();
  const Standard_Integer aCode = myInput.ReadInt(theValue);
  return aCode == VexData_Format::Code_Ok ||
         readFailed(aCode, "VEX_READER_READ_INT_FAILURE", theWhat);
}

Standard_Boolean VexHost_Dump::readReal(Standard_Real& theValue, const char* theWhat)
{
  myReadStart                   = myInput.Offset();
  Standard_ShortReal     aValue = 0.0f;
  const Standard_Integer aCode  = myInput.ReadFloat(aValue);
  theValue                      = static_cast<Standard_Real>(aValue);
  return aCode == VexData_Format::Code_Ok ||
         readFailed(aCode, "VEX_READER_READ_FLOAT_FAILURE", theWhat);
}

Standard_Boolean VexHost_Dump::readReals(const Standard_Integer theCount,
                                         const char* const* theWhats, Standard_Real* theValues)
{
  for (Standard_Integer anIndex = 0; anIndex < theCount; ++anIndex)
  {
    if (!readReal(theValues[anIndex], theWhats[anIndex]))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexHost_Dump::readString(TCollection_AsciiString& theText, const char* theWhat)
{
  myReadStart                  = myInput.Offset();
  const Standard_Integer aCode = myInput.ReadString();
  if (aCode != VexData_Format::Code_Ok)
  {
    return readFailed(aCode, "VEX_READER_READ_SSTRING_FAILURE", theWhat);
  }
  theText = myInput.Buffer();
  return Standard_True;
}

Standard_Boolean VexHost_Dump::expectType(const Standard_Integer theExpected, const char* theWhat)
{
  Standard_Integer aType = 0;
  if (!readByte(aType, "VEX_READER_READING_TYPE_FAILURE", theWhat))
  {
    return Standard_False;
  }
  if (aType == theExpected)
  {
    return Standard_True;
  }
  return fail(VexData_Reader::WrongFormat, "VEX_READER_WRONG_TYPE", theExpected, myReadStart,
              TCollection_AsciiString("found ") + aType + " where " + theExpected + " (" + theWhat +
                  ") was expected");
}

Standard_Boolean VexHost_Dump::readFailed(const Standard_Integer theCode,
                                          const Standard_CString theKey, const char* theWhat)
{
  if (theKey != NULL)
  {
    VexData_Message::Send(myMessenger, theKey);
  }
  TCollection_AsciiString aText;
  switch (theCode)
  {
  case VexData_Format::Code_EndOfFile:
    aText = TCollection_AsciiString("the file ends at offset ") +
            hexOffset(myInput.Offset()).c_str() + " where " + theWhat + " was expected";
    break;
  case VexData_Format::Code_Limit:
    aText = TCollection_AsciiString(theWhat) + " has no 0 byte within 8191 bytes";
    break;
  case VexData_Format::Code_StreamFail:
    aText = TCollection_AsciiString("the input failed while reading ") + theWhat;
    break;
  default:
    aText = TCollection_AsciiString("input error while reading ") + theWhat;
    break;
  }
  return report(static_cast<VexData_Reader::Status>(theCode), myReadStart, aText);
}

Standard_Boolean VexHost_Dump::fail(const VexData_Reader::Status theStatus,
                                    const Standard_CString theKey, const Standard_Size theOffset,
                                    const TCollection_AsciiString& theText)
{
  VexData_Message::Send(myMessenger, theKey);
  return report(theStatus, theOffset, theText);
}

Standard_Boolean VexHost_Dump::fail(const VexData_Reader::Status theStatus,
                                    const Standard_CString theKey, const Standard_Integer theArg,
                                    const Standard_Size            theOffset,
                                    const TCollection_AsciiString& theText)
{
  VexData_Message::Send(myMessenger, theKey, theArg);
  return report(theStatus, theOffset, theText);
}

Standard_Boolean VexHost_Dump::report(const VexData_Reader::Status   theStatus,
                                      const Standard_Size            theOffset,
                                      const TCollection_AsciiString& theText)
{
  myStatus = theStatus;
  line(theOffset, 0) << "error: " << theText.ToCString() << "; status " << theStatus << " ("
                     << statusName(theStatus) << ")";
  return Standard_False;
}

std::ostream& VexHost_Dump::line(const Standard_Size theOffset, const Standard_Integer theDepth)
{
  closeLine();
  myLineOpen = Standard_True;
  myOut << hexOffset(theOffset) << "  ";
  if (theDepth > THE_MAX_INDENT)
  {
    return myOut << std::string(2 * THE_MAX_INDENT, ' ') << "(depth " << theDepth << ") ";
  }
  return myOut << std::string(2 * static_cast<size_t>(theDepth), ' ');
}

void VexHost_Dump::closeLine()
{
  if (myLineOpen)
  {
    myOut << '\n';
    myLineOpen = Standard_False;
  }
}
