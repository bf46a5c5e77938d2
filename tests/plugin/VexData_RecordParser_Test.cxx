// Copyright (c) 2026 VexData developers
// The record parser's reports to its listener: the order of the events of a file, the place of
// every record (offset and depth), what the building events carry, and where a fault leaves the
// events, since a listener that builds a model acts on everything reported before the fault.
#include <VexData_FormatBuilder_Test.hxx>
#include <VexTest_Messages.hxx>

#include <VexData_RecordParser.hxx>

#include <gtest/gtest.h>

#include <sstream>

namespace
{
//! Writes the building events and the places of records as one line of words.
class Trace final : public VexData_RecordListener
{
public:
  std::string Text; //!< the events so far

  void Begin(const VexData_RecordPlace& thePlace) { add("begin " + place(thePlace)); }
  void ToolDefinition(const Standard_Integer theIndex, const Standard_Boolean isFileScope,
                      const Standard_Integer theNumber, const VexData_Tool& theTool,
                      const Standard_Boolean isNew)
  {
    add("tool " + std::to_string(theIndex) + (isFileScope ? " file " : " block ") +
        std::to_string(theNumber) + " " + theTool.UniqueName().ToCString() + (isNew ? " new" : ""));
  }
  void BlockHeader(const TCollection_AsciiString& thePhase, const TCollection_AsciiString& theLayer)
  {
    add(std::string("names ") + thePhase.ToCString() + "/" + theLayer.ToCString());
  }
  void ToolGroup(const Standard_Integer theIndex, const Standard_Boolean isBlockScope,
                 const Standard_Integer theNumber, const VexData_Tool&)
  {
    add("group " + std::to_string(theIndex) + (isBlockScope ? " block " : " file ") +
        std::to_string(theNumber));
  }
  void GroupEnd() { add("group-end"); }
  void BlockEnd(const VexData_RecordPlace& theEnd) { add("block-end " + place(theEnd)); }
  void PathStart(const gp_XY& thePoint) { add("path " + xy(thePoint)); }
  void LineTo(const gp_XY& theFrom, const gp_XY& theTo, const Standard_Boolean isSegment)
  {
    add("line " + xy(theFrom) + ">" + xy(theTo) + (isSegment ? "" : " none"));
  }
  void ArcTo(const gp_XY& theFrom, const gp_XY& theEnd, const gp_XY& theCentre,
             const Standard_Real theRadius, const Standard_Boolean isFullTurn)
  {
    add("arc " + xy(theFrom) + ">" + xy(theEnd) + " c" + xy(theCentre) + " r" + num(theRadius) +
        (isFullTurn ? " full" : ""));
  }
  void Circle(const gp_XY& theCentre, const Standard_Real theRadius)
  {
    add("circle " + xy(theCentre) + " r" + num(theRadius));
  }
  void DrillPoint(const gp_XY& thePoint) { add("drill " + xy(thePoint)); }
  void MacroBegin(const Standard_Integer theNumber) { add("macro " + std::to_string(theNumber)); }
  void MacroEnd(const VexData_RecordPlace& theEnd, const Standard_Integer theNumber,
                const Standard_Size theElements)
  {
    add("macro-end " + place(theEnd) + " " + std::to_string(theNumber) + " of " +
        std::to_string(theElements));
  }
  void Placement(const Standard_Integer theNumber, const gp_XY& theOffset)
  {
    add("place " + std::to_string(theNumber) + " " + xy(theOffset));
  }
  void ScanField(const gp_XY& theCentre, const Standard_Real theWidth,
                 const Standard_Real theHeight)
  {
    add("field " + xy(theCentre) + " " + num(theWidth) + "x" + num(theHeight));
  }
  void Skipping(const VexData_RecordPlace& thePlace) { add("skipping " + place(thePlace)); }
  void Skipped(const VexData_RecordPlace&, const Standard_Size theSize,
               const Standard_Boolean isRedeclared)
  {
    add("skipped " + std::to_string(theSize) + (isRedeclared ? " redeclared" : ""));
  }
  void SkippedEnd(const VexData_RecordPlace& thePlace) { add("skipped-end " + place(thePlace)); }
  void End(const Standard_Size theOffset) { add("end " + std::to_string(theOffset)); }
  void Fault(const VexData_ParseFault& theFault)
  {
    add("fault " + std::to_string(theFault.Status) + " why " + std::to_string(theFault.Why) +
        " value " + std::to_string(theFault.Expected) + " @" + std::to_string(theFault.Offset));
  }

private:
  void add(const std::string& theWords) { Text += (Text.empty() ? "" : ", ") + theWords; }
  static std::string num(const Standard_Real theValue)
  {
    std::ostringstream aStream;
    aStream << theValue;
    return aStream.str();
  }
  static std::string xy(const gp_XY& thePoint)
  {
    return num(thePoint.X()) + "," + num(thePoint.Y());
  }
  static std::string place(const VexData_RecordPlace& thePlace)
  {
    return std::to_string(thePlace.Tag) + "@" + std::to_string(thePlace.Offset) + "/" +
           std::to_string(thePlace.Depth);
  }
};

//! Returns the trace of theBody read after the writer's header.
std::string traceOf(const std::string& theBody)
{
  std::istringstream   aStream(VexTest_FileBuilder().Header().Data() + theBody);
  VexData_RecordParser aParser((VexData_Reader::Limits()));
  Trace                aTrace;
  aParser.Parse(aStream, Handle(Message_Messenger)(), aTrace);
  return aTrace.Text;
}

TEST(VexData_RecordParser, Trace)
{
  // Header (81 bytes), block 130 @81 with its names item 129 @82 (0 @89), tool definition 128
  // @90 (0 @106), group 16 @107, path start 12 @112, line 13 @121, and the 0 @130 that ends the
  // group and the block; the file is 131 bytes long.
  typedef VexTest_FileBuilder B;
  EXPECT_EQ(
      traceOf(
          B().Block("A", "B").Tool(1, 0, 1, "T").Group(1).XY(12, 0, 0).XY(13, 1, 0).Byte(0).Data()),
      "begin 130@81/0, begin 129@82/1, names A/B, begin 0@89/2, begin 128@90/1, "
      "begin 0@106/2, tool 1 block 1 T new, begin 16@107/1, group 1 block 1, "
      "begin 12@112/2, path 0,0, begin 13@121/3, line 0,0>1,0, group-end, "
      "block-end 0@130/1, end 131");
}
} // namespace
