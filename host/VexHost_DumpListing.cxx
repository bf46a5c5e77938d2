// Copyright (c) 2026 VexData developers
#include <VexHost_DumpListing.hxx>

#include <VexData_Format.hxx>
#include <VexData_RecordTable.hxx>
#include <VexHost_DumpFault.hxx>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

namespace
{
//! Deepest nesting shown by indentation; deeper lines say their depth instead.
const Standard_Integer THE_MAX_INDENT = 24;

//! Longest part of a string shown in the listing.
const size_t THE_SHOWN_TEXT = 60;

//! Fewest hexadecimal digits of an offset.
const size_t THE_OFFSET_DIGITS = 8;

//! Returns theValue, a float32 widened to double, with the fewest digits that give it back.
std::string number(const Standard_Real theValue)
{
  char                       aText[32];
  const std::to_chars_result aResult =
      std::to_chars(aText, aText + sizeof(aText), static_cast<float>(theValue));
  return std::string(aText, aResult.ptr);
}

//! Returns thePoint as "(x, y)".
std::string point(const gp_XY& thePoint)
{
  return "(" + number(thePoint.X()) + ", " + number(thePoint.Y()) + ")";
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

//! Returns the meaning of the reader's status theStatus.
const char* statusName(const VexData_Reader::Status theStatus)
{
  switch (theStatus)
  {
  case VexData_Reader::Ok:
    return "ok";
  case VexData_Reader::NotDone:
    return "not done";
  case VexData_Reader::WrongFormat:
    return "wrong format";
  case VexData_Reader::InvalidData:
    return "invalid data";
  case VexData_Reader::StreamBad:
    return "stream bad";
  case VexData_Reader::StreamFail:
    return "stream fail";
  case VexData_Reader::EndOfFile:
    return "end of file";
  case VexData_Reader::StringTooLong:
    return "string too long";
  }
  return "unknown";
}

//! Returns what the tool mode theMode stands for.
const char* modeName(const Standard_Integer theMode)
{
  switch (theMode)
  {
  case VexData_Format::ToolMode_Paths:
    return "paths";
  case VexData_Format::ToolMode_Points:
    return "drill points";
  case VexData_Format::ToolMode_Both:
    return "paths and drill points";
  }
  return "invalid";
}

//! Returns true for the records whose values follow their name after a colon, the values that
//! are checked as soon as they have been read.
bool hasColon(const Standard_Integer theTag)
{
  return theTag == VexData_Format::Tag_TypeDeclaration || theTag == VexData_Format::Tag_ToolGroup ||
         theTag == VexData_Format::Tag_ScannerBox ||
         theTag == VexData_Format::Tag_MacroDefinition ||
         theTag == VexData_Format::Tag_MacroPlacement;
}
} // namespace

std::string VexHost_DumpListing::Offset(const Standard_Size theOffset)
{
  // Every line of a listing starts with one: lower-case digits, zeros in front up to eight.
  char              aDigits[24];
  const char* const anEnd = std::to_chars(aDigits, aDigits + sizeof(aDigits),
                                          static_cast<unsigned long long>(theOffset), 16)
                                .ptr;
  const size_t aLength = static_cast<size_t>(anEnd - aDigits);
  std::string  aText(aLength < THE_OFFSET_DIGITS ? THE_OFFSET_DIGITS - aLength : 0, '0');
  aText.append(aDigits, aLength);
  return aText;
}

std::string VexHost_DumpListing::HeaderEnd()
{
  char aText[8];
  std::snprintf(aText, sizeof(aText), "0x%02X",
                static_cast<unsigned>(VexData_Format::THE_HEADER_END));
  return aText;
}

VexHost_DumpListing::VexHost_DumpListing(std::ostream& theOut)
    : myOut(theOut), myLineOpen(Standard_False)
{
}

void VexHost_DumpListing::Header(const Standard_Size theLength)
{
  line(0, 0) << "header: \"" << VexData_Format::THE_MAGIC << "\", " << theLength
             << " bytes up to and including " << HeaderEnd();
}

void VexHost_DumpListing::Begin(const VexData_RecordPlace& thePlace)
{
  if (thePlace.Tag == VexData_Format::Tag_End)
  {
    line(thePlace.Offset, thePlace.Depth) << "[0] end"; // of a tool definition or block header
    return;
  }
  heading(thePlace);
  if (thePlace.Tag == VexData_Format::Tag_ToolDefinition)
  {
    // Tool definitions at top level are of file scope, those inside a block of block scope.
    myOut << " (" << (thePlace.Depth == 0 ? "file" : "block") << " scope)";
  }
  else if (hasColon(thePlace.Tag))
  {
    myOut << ":";
  }
}

void VexHost_DumpListing::DeclaredTag(const Standard_Integer theTag)
{
  myOut << " tag " << theTag;
}

void VexHost_DumpListing::DeclaredSize(const Standard_Integer theSize)
{
  myOut << " size " << theSize;
}

void VexHost_DumpListing::Declaration(const Standard_Integer theTag, const Standard_Integer theSize,
                                      const Standard_Integer theOldSize)
{
  if (VexData_Format::ClassOf(theTag) != VexData_Format::TagClass_FixedRecord)
  {
    myOut << " (never used: only tags " << VexData_Format::THE_FIRST_RECORD_TAG << " to "
          << VexData_Format::THE_LAST_RECORD_TAG << " have sizes)";
  }
  else if (theOldSize < 0)
  {
    myOut << " (new)";
  }
  else if (theOldSize == theSize)
  {
    myOut << " (unchanged)";
  }
  else
  {
    myOut << " (was " << theOldSize
          << ": scanner boxes and scan fields are stepped over from here)";
  }
}

void VexHost_DumpListing::ToolIndex(const VexData_RecordPlace& thePlace,
                                    const Standard_Integer     theIndex)
{
  line(thePlace.Offset, thePlace.Depth) << "[" << thePlace.Tag << "] index " << theIndex;
}

void VexHost_DumpListing::ToolMode(const VexData_RecordPlace& thePlace,
                                   const Standard_Integer     theMode)
{
  line(thePlace.Offset, thePlace.Depth)
      << "[" << thePlace.Tag << "] mode " << theMode << " (" << modeName(theMode) << ")";
}

void VexHost_DumpListing::ToolWidth(const VexData_RecordPlace& thePlace,
                                    const Standard_ShortReal   theWidth)
{
  line(thePlace.Offset, thePlace.Depth) << "[" << thePlace.Tag << "] width " << number(theWidth);
}

void VexHost_DumpListing::ToolName(const VexData_RecordPlace&     thePlace,
                                   const TCollection_AsciiString& theName)
{
  line(thePlace.Offset, thePlace.Depth) << "[" << thePlace.Tag << "] name " << quoted(theName);
}

void VexHost_DumpListing::ToolDefinition(const Standard_Integer theIndex, const Standard_Boolean,
                                         const Standard_Integer theNumber,
                                         const VexData_Tool&    theTool, const Standard_Boolean)
{
  myOut << ": index " << theIndex << " is tool " << theNumber << " "
        << quoted(theTool.UniqueName());
}

void VexHost_DumpListing::PhaseName(const VexData_RecordPlace&     thePlace,
                                    const TCollection_AsciiString& theName)
{
  line(thePlace.Offset, thePlace.Depth) << "[" << thePlace.Tag << "] phase " << quoted(theName);
}

void VexHost_DumpListing::LayerName(const VexData_RecordPlace&     thePlace,
                                    const TCollection_AsciiString& theName)
{
  line(thePlace.Offset, thePlace.Depth) << "[" << thePlace.Tag << "] layer " << quoted(theName);
}

void VexHost_DumpListing::GroupTool(const Standard_Integer theIndex)
{
  myOut << " tool index " << theIndex;
}

void VexHost_DumpListing::ToolGroup(const Standard_Integer, const Standard_Boolean isBlockScope,
                                    const Standard_Integer theNumber, const VexData_Tool& theTool)
{
  myOut << " (" << (isBlockScope ? "block" : "file") << " scope) is tool " << theNumber << " "
        << quoted(theTool.UniqueName());
}

void VexHost_DumpListing::BlockEnd(const VexData_RecordPlace& theEnd)
{
  line(theEnd.Offset, theEnd.Depth) << "[" << theEnd.Tag << "] ";
  if (theEnd.Tag == VexData_Format::Tag_End)
  {
    myOut << "end of block";
  }
  else
  {
    myOut << VexData_RecordTable::Name(theEnd.Tag)
          << ": ends the block; what follows is read as top-level records";
  }
}

void VexHost_DumpListing::PathStart(const gp_XY& thePoint)
{
  myOut << " " << point(thePoint);
}

void VexHost_DumpListing::LineTo(const gp_XY&, const gp_XY& theTo, const Standard_Boolean isSegment)
{
  myOut << " " << point(theTo) << (isSegment ? "" : " (no segment: it does not move)");
}

void VexHost_DumpListing::ArcTo(const gp_XY&, const gp_XY& theEnd, const gp_XY& theCentre,
                                const Standard_Real theRadius, const Standard_Boolean isFullTurn)
{
  myOut << " " << point(theEnd) << " centre " << point(theCentre) << " radius " << number(theRadius)
        << (isFullTurn ? " (full turn)" : "");
}

void VexHost_DumpListing::Circle(const gp_XY& theCentre, const Standard_Real theRadius)
{
  myOut << " centre " << point(theCentre) << " radius " << number(theRadius);
}

void VexHost_DumpListing::DrillPoint(const gp_XY& thePoint)
{
  myOut << " " << point(thePoint);
}

void VexHost_DumpListing::MacroNumber(const Standard_Integer theNumber)
{
  myOut << " macro " << theNumber;
}

void VexHost_DumpListing::MacroEnd(const VexData_RecordPlace& theEnd,
                                   const Standard_Integer     theNumber,
                                   const Standard_Size        theElements)
{
  heading(theEnd) << ": macro " << theNumber << " has " << theElements << " elements";
}

void VexHost_DumpListing::PlacementOffset(const gp_XY& theOffset, const Standard_Size theElements)
{
  myOut << " offset " << point(theOffset) << ", " << theElements << " elements";
}

void VexHost_DumpListing::BoxWidth(const Standard_Real theWidth)
{
  myOut << " width " << number(theWidth);
}

void VexHost_DumpListing::BoxHeight(const Standard_Real theHeight)
{
  myOut << " height " << number(theHeight);
}

void VexHost_DumpListing::ScanField(const gp_XY& theCentre, const Standard_Real theWidth,
                                    const Standard_Real theHeight)
{
  myOut << " " << point(theCentre) << ", field " << number(theWidth) << " x " << number(theHeight);
}

void VexHost_DumpListing::Skipping(const VexData_RecordPlace& thePlace)
{
  heading(thePlace);
  if (VexData_Format::ClassOf(thePlace.Tag) != VexData_Format::TagClass_Compound)
  {
    return;
  }
  // The items of a compound record follow; its end marker names where it started.
  if (myOpen.empty())
  {
    myOut << ": stepped over";
  }
  myOpen.push_back(thePlace.Offset);
}

void VexHost_DumpListing::Skipped(const VexData_RecordPlace&, const Standard_Size theSize,
                                  const Standard_Boolean isRedeclared)
{
  myOut << ": stepped over, " << theSize << " bytes"
        << (isRedeclared ? " (a declaration changed its size)" : "");
}

void VexHost_DumpListing::SkippedEnd(const VexData_RecordPlace& thePlace)
{
  const Standard_Size aStart = myOpen.empty() ? thePlace.Offset : myOpen.back();
  line(thePlace.Offset, thePlace.Depth)
      << "[" << thePlace.Tag << "] end of the record at " << Offset(aStart) << ", "
      << (thePlace.Offset + 1 - aStart) << " bytes";
  if (!myOpen.empty())
  {
    myOpen.pop_back();
  }
}

void VexHost_DumpListing::End(const Standard_Size theOffset)
{
  line(theOffset, 0) << "end of file: status " << VexData_Reader::Ok << " ("
                     << statusName(VexData_Reader::Ok) << ")";
  closeLine();
}

void VexHost_DumpListing::Fault(const VexData_ParseFault& theFault)
{
  line(theFault.Offset, 0) << "error: " << VexHost_DumpFault::Describe(theFault) << "; status "
                           << theFault.Status << " (" << statusName(theFault.Status) << ")";
  closeLine();
}

std::ostream& VexHost_DumpListing::heading(const VexData_RecordPlace& thePlace)
{
  return line(thePlace.Offset, thePlace.Depth)
         << "[" << thePlace.Tag << "] " << VexData_RecordTable::Name(thePlace.Tag);
}

std::ostream& VexHost_DumpListing::line(const Standard_Size    theOffset,
                                        const Standard_Integer theDepth)
{
  closeLine();
  myLineOpen = Standard_True;
  myOut << Offset(theOffset) << "  ";
  if (theDepth > THE_MAX_INDENT)
  {
    return myOut << std::string(2 * THE_MAX_INDENT, ' ') << "(depth " << theDepth << ") ";
  }
  return myOut << std::string(2 * static_cast<size_t>(theDepth), ' ');
}

void VexHost_DumpListing::closeLine()
{
  if (myLineOpen)
  {
    myOut << '\n';
    myLineOpen = Standard_False;
  }
}
