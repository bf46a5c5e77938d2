// Copyright (c) 2026 VexData developers
#ifndef _VexHost_DumpListing_HeaderFile
#define _VexHost_DumpListing_HeaderFile

#include <VexData_RecordListener.hxx>

#include <ostream>
#include <string>
#include <vector>

//! The listener of the record parser behind "vex dump": it prints every record, item and field
//! the parser reports, one line each, with its byte offset (hexadecimal), its tag and its
//! decoded values, indented by nesting; records stepped over appear with their sizes, and a fault
//! as a last line with its offset, what was expected there and the reader's status. It checks
//! nothing itself: whatever the parser reports is shown as it comes.
class VexHost_DumpListing final : public VexData_RecordListener
{
public:
  //! Returns theOffset as the listing shows offsets: eight or more hexadecimal digits.
  static std::string Offset(const Standard_Size theOffset);

  //! Returns the byte that ends the header as the listing shows it ("0x1A").
  static std::string HeaderEnd();

  //! Creates a listing written to theOut.
  explicit VexHost_DumpListing(std::ostream& theOut);

  //! Prints the header line with its length.
  void Header(const Standard_Size theLength);

  //! Starts the line of a record or item: offset, tag and name.
  void Begin(const VexData_RecordPlace& thePlace);

  //! Adds the declared tag to the line.
  void DeclaredTag(const Standard_Integer theTag);

  //! Adds the declared size to the line.
  void DeclaredSize(const Standard_Integer theSize);

  //! Adds what the declaration changed to the line.
  void Declaration(const Standard_Integer theTag, const Standard_Integer theSize,
                   const Standard_Integer theOldSize);

  //! Prints the index item of a tool definition.
  void ToolIndex(const VexData_RecordPlace& thePlace, const Standard_Integer theIndex);

  //! Prints the mode item of a tool definition with its meaning.
  void ToolMode(const VexData_RecordPlace& thePlace, const Standard_Integer theMode);

  //! Prints the width item of a tool definition.
  void ToolWidth(const VexData_RecordPlace& thePlace, const Standard_ShortReal theWidth);

  //! Prints the name item of a tool definition.
  void ToolName(const VexData_RecordPlace& thePlace, const TCollection_AsciiString& theName);

  //! Adds the tool the definition stands for to its end line.
  void ToolDefinition(const Standard_Integer theIndex, const Standard_Boolean isFileScope,
                      const Standard_Integer theNumber, const VexData_Tool& theTool,
                      const Standard_Boolean isNew);

  //! Prints the phase name item of a block header.
  void PhaseName(const VexData_RecordPlace& thePlace, const TCollection_AsciiString& theName);

  //! Prints the layer name item of a block header.
  void LayerName(const VexData_RecordPlace& thePlace, const TCollection_AsciiString& theName);

  //! Adds the tool index of a tool group to the line.
  void GroupTool(const Standard_Integer theIndex);

  //! Adds the scope and the tool of the group's index to the line.
  void ToolGroup(const Standard_Integer theIndex, const Standard_Boolean isBlockScope,
                 const Standard_Integer theNumber, const VexData_Tool& theTool);

  //! Prints the byte that ended a toolpath block.
  void BlockEnd(const VexData_RecordPlace& theEnd);

  //! Adds the start point of a path to the line.
  void PathStart(const gp_XY& thePoint);

  //! Adds the end point of a line-to, and whether it makes no segment, to the line.
  void LineTo(const gp_XY& theFrom, const gp_XY& theTo, const Standard_Boolean isSegment);

  //! Adds end point, centre, radius and a full turn of an arc-to to the line.
  void ArcTo(const gp_XY& theFrom, const gp_XY& theEnd, const gp_XY& theCentre,
             const Standard_Real theRadius, const Standard_Boolean isFullTurn);

  //! Adds centre and radius of a circle to the line.
  void Circle(const gp_XY& theCentre, const Standard_Real theRadius);

  //! Adds the point of a drill point to the line.
  void DrillPoint(const gp_XY& thePoint);

  //! Adds the macro number to the line.
  void MacroNumber(const Standard_Integer theNumber);

  //! Prints the macro end with the number of elements of the macro.
  void MacroEnd(const VexData_RecordPlace& theEnd, const Standard_Integer theNumber,
                const Standard_Size theElements);

  //! Adds the offset of a placement and the elements it copies to the line.
  void PlacementOffset(const gp_XY& theOffset, const Standard_Size theElements);

  //! Adds the width of a scanner box to the line.
  void BoxWidth(const Standard_Real theWidth);

  //! Adds the height of a scanner box to the line.
  void BoxHeight(const Standard_Real theHeight);

  //! Adds the centre of a scan field and the size of its box to the line.
  void ScanField(const gp_XY& theCentre, const Standard_Real theWidth,
                 const Standard_Real theHeight);

  //! Starts the line of a record or item stepped over.
  void Skipping(const VexData_RecordPlace& thePlace);

  //! Adds the bytes stepped over to the line.
  void Skipped(const VexData_RecordPlace& thePlace, const Standard_Size theSize,
               const Standard_Boolean isRedeclared);

  //! Prints the end marker of a compound record stepped over, with its start and size.
  void SkippedEnd(const VexData_RecordPlace& thePlace);

  //! Prints the last line of a file read to its end.
  void End(const Standard_Size theOffset);

  //! Prints the last line of a file whose read stopped: offset, fault and status.
  void Fault(const VexData_ParseFault& theFault);

private:
  //! Ends the line written so far (if any) and starts the next one: the offset column and the
  //! indentation of theDepth. Returns the output, to which the line's text goes.
  std::ostream& line(const Standard_Size theOffset, const Standard_Integer theDepth);

  //! Starts the line of thePlace with its tag and name.
  std::ostream& heading(const VexData_RecordPlace& thePlace);

  //! Ends the line written so far, if any.
  void closeLine();

private:
  std::ostream&              myOut;      //!< listing
  Standard_Boolean           myLineOpen; //!< a line has been started and not ended
  std::vector<Standard_Size> myOpen;     //!< offsets of the compound records stepped over, open
};

#endif
