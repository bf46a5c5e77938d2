// Copyright (c) 2026 VexData developers
#ifndef _VexHost_DumpListing_HeaderFile
#define _VexHost_DumpListing_HeaderFile

#include <VexData_RecordListener.hxx>

#include <ostream>
#include <vector>

//! The listener of the record parser behind "vex dump": it prints every record, item and field
//! the parser reports, one line each, with its byte offset (hexadecimal), its tag and its
//! decoded values, indented by nesting; records stepped over appear with their sizes, and a fault
//! as a last line with its offset, what was expected there and the reader's status. It checks
//! nothing itself: whatever the parser reports is shown as it comes.
class VexHost_DumpListing final : public VexData_RecordListener
{
public:
  //! Creates a listing written to theOut.
  explicit VexHost_DumpListing(std::ostream& theOut);

  void Header(const Standard_Size theLength);
  void Begin(const VexData_RecordPlace& thePlace);
  void DeclaredTag(const Standard_Integer theTag);
  void DeclaredSize(const Standard_Integer theSize);
  void Declaration(const Standard_Integer theTag, const Standard_Integer theSize,
                   const Standard_Integer theOldSize);
  void ToolIndex(const VexData_RecordPlace& thePlace, const Standard_Integer theIndex);
  void ToolMode(const VexData_RecordPlace& thePlace, const Standard_Integer theMode);
  void ToolWidth(const VexData_RecordPlace& thePlace, const Standard_ShortReal theWidth);
  void ToolName(const VexData_RecordPlace& thePlace, const TCollection_AsciiString& theName);
  void ToolDefinition(const Standard_Integer theIndex, const Standard_Boolean isFileScope,
                      const Standard_Integer theNumber, const VexData_Tool& theTool,
                      const Standard_Boolean isNew);
  void PhaseName(const VexData_RecordPlace& thePlace, const TCollection_AsciiString& theName);
  void LayerName(const VexData_RecordPlace& thePlace, const TCollection_AsciiString& theName);
  void GroupTool(const Standard_Integer theIndex);
  void ToolGroup(const Standard_Integer theIndex, const Standard_Boolean isBlockScope,
                 const Standard_Integer theNumber, const VexData_Tool& theTool);
  void BlockEnd(const VexData_RecordPlace& theEnd);
  void PathStart(const gp_XY& thePoint);
  void LineTo(const gp_XY& theFrom, const gp_XY& theTo, const Standard_Boolean isSegment);
  void ArcTo(const gp_XY& theFrom, const gp_XY& theEnd, const gp_XY& theCentre,
             const Standard_Real theRadius, const Standard_Boolean isFullTurn);
  void Circle(const gp_XY& theCentre, const Standard_Real theRadius);
  void DrillPoint(const gp_XY& thePoint);
  void MacroNumber(const Standard_Integer theNumber);
  void MacroEnd(const VexData_RecordPlace& theEnd, const Standard_Integer theNumber,
                const Standard_Size theElements);
  void PlacementOffset(const gp_XY& theOffset, const Standard_Size theElements);
  void BoxWidth(const Standard_Real theWidth);
  void BoxHeight(const Standard_Real theHeight);
  void ScanField(const gp_XY& theCentre, const Standard_Real theWidth,
                 const Standard_Real theHeight);
  void Skipping(const VexData_RecordPlace& thePlace);
  void Skipped(const VexData_RecordPlace& thePlace, const Standard_Size theSize,
               const Standard_Boolean isRedeclared);
  void SkippedEnd(const VexData_RecordPlace& thePlace);
  void End(const Standard_Size theOffset);
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
