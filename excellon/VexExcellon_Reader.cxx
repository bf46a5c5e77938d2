// Copyright (c) 2026 VexData developers
#include <VexExcellon_Reader.hxx>

#include <VexExcellon_ModelBuilder.hxx>
#include <VexExcellon_Parser.hxx>
#include <VexExcellon_Words.hxx>

#include <algorithm>
#include <cstring>

const char* const VexExcellon_Reader::THE_PHASE = "Drilling";
const char* const VexExcellon_Reader::THE_LAYER = "Drill";

namespace
{
//! Most bytes Probe() looks at.
const size_t THE_PROBE_SIZE = 65536;

//! What one line of a file's head says about the file.
enum LineSign
{
  LineSign_None,       //!< nothing either way
  LineSign_Excellon,   //!< a header start, a unit or a tool definition
  LineSign_ToolChange, //!< a tool change alone ("T01"), as the body of a drill file has
  LineSign_Position,   //!< coordinates alone ("X1.5Y2"), as the body of a drill file has
  LineSign_Foreign     //!< something no drill file has
};

//! Returns true when theText is a tool definition: T, its number, and parameters with a C.
bool isToolDefinition(const char* theText, const size_t theLength)
{
  VexExcellon_Words aWords;
  if (aWords.Split(theText, theLength) != VexExcellon_Words::Result_Words || aWords.Length() < 2 ||
      aWords.Value(0).Letter != 'T' || aWords.Value(0).Length == 0)
  {
    return false;
  }
  for (Standard_Integer anIndex = 1; anIndex < aWords.Length(); ++anIndex)
  {
    if (std::strchr("CFSBHZ", aWords.Value(anIndex).Letter) == NULL)
    {
      return false;
    }
  }
  return aWords.Find('C') > 0;
}

//! Returns what a line of words only says: a tool change, a position, or nothing.
LineSign bodySignOf(const char* theText, const size_t theLength)
{
  VexExcellon_Words aWords;
  if (aWords.Split(theText, theLength) != VexExcellon_Words::Result_Words)
  {
    return LineSign_None;
  }
  Standard_Integer aTool = 0;
  if (aWords.Length() == 1 && aWords.Value(0).Letter == 'T' &&
      VexExcellon_Words::ReadWhole(aWords.Value(0).Text, aWords.Value(0).Length, 4, aTool))
  {
    return LineSign_ToolChange;
  }
  for (Standard_Integer anIndex = 0; anIndex < aWords.Length(); ++anIndex)
  {
    const VexExcellon_Words::Word& aWord = aWords.Value(anIndex);
    if ((aWord.Letter != 'X' && aWord.Letter != 'Y') || aWord.Length == 0)
    {
      return LineSign_None;
    }
  }
  return LineSign_Position;
}

//! Returns what the line theText says about its file.
LineSign signOf(const char* theText, size_t theLength)
{
  for (; theLength > 0 && std::strchr(" \t\r", theText[theLength - 1]) != NULL; --theLength)
  {
  }
  for (; theLength > 0 && (*theText == ' ' || *theText == '\t'); --theLength, ++theText)
  {
  }
  for (size_t anIndex = 0; anIndex < theLength; ++anIndex)
  {
    const unsigned char aChar = static_cast<unsigned char>(theText[anIndex]);
    if ((aChar < 0x20 && aChar != '\t') || aChar == 0x7F)
    {
      return LineSign_Foreign; // binary: a machine file, an image, a file in another code
    }
  }
  if (theLength == 0 || theText[0] == ';')
  {
    return LineSign_None;
  }
  // Gerber ends its commands with '*' and wraps its parameters in '%'.
  if (std::memchr(theText, '*', theLength) != NULL || (theText[0] == '%' && theLength > 1) ||
      VexExcellon_Words::StartsWith(theText, theLength, "QUOR_Mill_Drill"))
  {
    return LineSign_Foreign;
  }
  const bool isUnit = (VexExcellon_Words::StartsWith(theText, theLength, "METRIC") &&
                       (theLength == 6 || theText[6] == ',')) ||
                      (VexExcellon_Words::StartsWith(theText, theLength, "INCH") &&
                       (theLength == 4 || theText[4] == ','));
  const bool isHeader = theLength == 3 && std::memcmp(theText, "M48", 3) == 0;
  return isUnit || isHeader || isToolDefinition(theText, theLength)
             ? LineSign_Excellon
             : bodySignOf(theText, theLength);
}

} // namespace

Standard_Boolean VexExcellon_Reader::Probe(const char* theHead, const size_t theSize)
{
  if (theHead == NULL)
  {
    return Standard_False;
  }
  const size_t aSize   = std::min(theSize, THE_PROBE_SIZE);
  bool         isDrill = false, hasToolChange = false;
  for (size_t aStart = VexExcellon_Words::StartsWith(theHead, aSize, "\xEF\xBB\xBF") ? 3 : 0;
       aStart < aSize;)
  {
    size_t anEnd = aStart;
    while (anEnd < aSize && theHead[anEnd] != '\n' && theHead[anEnd] != '\r')
    {
      ++anEnd;
    }
    const LineSign aSign = signOf(theHead + aStart, anEnd - aStart);
    if (aSign == LineSign_Foreign)
    {
      return Standard_False;
    }
    // A body without a header still reads as a drill file (and is refused for lack of tool
    // sizes with a message that says so): a tool change, then positions.
    isDrill =
        isDrill || aSign == LineSign_Excellon || (hasToolChange && aSign == LineSign_Position);
    hasToolChange = hasToolChange || aSign == LineSign_ToolChange;
    aStart        = anEnd + 1;
  }
  return isDrill;
}

Standard_Boolean VexExcellon_Reader::Read(std::istream&               theStream,
                                          const VexPcb_ImportOptions& theOptions,
                                          PenFormatData_Model&        theModel,
                                          VexPcb_TransferReport&      theReport)
{
  try
  {
    VexExcellon_ModelBuilder aBuilder(theModel, theOptions, theReport);
    VexExcellon_Parser       aParser(aBuilder);
    aParser.SetDefaultMetric(theOptions.DefaultUnit == VexPcb_ImportOptions::Unit_Millimetre);
    aParser.SetReadSize(theOptions.ReadSize);
    if (!aParser.Parse(theStream))
    {
      return Standard_False;
    }
    aBuilder.Commit();
    return Standard_True;
  }
  catch (...)
  {
    // Memory ran out while the model was built or changed; what was added is incomplete.
    VexPcb_Fault aFault("VEX_EXCELLON_READ_FAIL");
    aFault.SetLine(1);
    theReport.SetFault(aFault);
    return Standard_False;
  }
}
