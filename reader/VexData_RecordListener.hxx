// Copyright (c) 2026 VexData developers
#ifndef _VexData_RecordListener_HeaderFile
#define _VexData_RecordListener_HeaderFile

#include <VexData_ParseFault.hxx>
#include <VexData_Tool.hxx>

#include <TCollection_AsciiString.hxx>
#include <gp_XY.hxx>

//! Where a record or item stands in a machine file.
struct VexData_RecordPlace
{
  Standard_Integer Tag;    //!< its tag or type byte
  Standard_Size    Offset; //!< offset of that byte from the start of the file
  Standard_Integer Depth;  //!< 0 for a top-level record, one more for each record around it

  //! Creates the place of theTag at theOffset, theDepth records deep.
  VexData_RecordPlace(const Standard_Integer theTag, const Standard_Size theOffset,
                      const Standard_Integer theDepth)
      : Tag(theTag), Offset(theOffset), Depth(theDepth)
  {
  }
};

//! What VexData_RecordParser tells its listener while it reads a machine file, in file order.
//! Every event here does nothing; a listener derives from this class and declares again the
//! events it wants (the parser is a template on the listener, so they are called directly, and
//! a listener marked final costs nothing for the events it leaves alone).
//!
//! Two kinds of event meet here. Reading events report the bytes as they are read, a value
//! before any check of it, so that a listing shows everything up to a fault: Begin, the values of
//! declarations, tool definitions, block headers, tool groups, macros and scanner boxes, the
//! records stepped over. Building events report records that passed every check, with what the
//! parser worked out (tool numbers, whether a line-to moves, the scanner box of a scan field);
//! a listener that builds a model needs only these. Records without a check after their values
//! (path steps, circles, drill points, scan fields) have one event that serves both.
class VexData_RecordListener
{
public:
  //! The header is valid; the body starts at theLength.
  void Header(const Standard_Size /*theLength*/) {}

  //! A record or item of the grammar starts at thePlace: a type declaration, a tool definition,
  //! a toolpath block, its block header, a tool group, a path start, line-to, arc-to, circle,
  //! drill point, macro definition, macro placement, scanner box or scan field position, or the
  //! end marker (tag 0) of a tool definition or a block header.
  void Begin(const VexData_RecordPlace& /*thePlace*/) {}

  //! The tag of a type declaration was read.
  void DeclaredTag(const Standard_Integer /*theTag*/) {}

  //! The size of a type declaration was read.
  void DeclaredSize(const Standard_Integer /*theSize*/) {}

  //! A type declaration was accepted; theOldSize is the size theTag had before (-1: none).
  void Declaration(const Standard_Integer /*theTag*/, const Standard_Integer /*theSize*/,
                   const Standard_Integer /*theOldSize*/)
  {
  }

  //! The index item of a tool definition was read.
  void ToolIndex(const VexData_RecordPlace& /*thePlace*/, const Standard_Integer /*theIndex*/) {}

  //! The mode item of a tool definition was read.
  void ToolMode(const VexData_RecordPlace& /*thePlace*/, const Standard_Integer /*theMode*/) {}

  //! The width item of a tool definition was read.
  void ToolWidth(const VexData_RecordPlace& /*thePlace*/, const Standard_ShortReal /*theWidth*/) {}

  //! The name item of a tool definition was read.
  void ToolName(const VexData_RecordPlace& /*thePlace*/, const TCollection_AsciiString& /*theName*/)
  {
  }

  //! A tool definition is complete: index theIndex of its scope (the file's or the block's) now
  //! stands for tool theNumber, theTool, which isNew when no earlier definition made it.
  void ToolDefinition(const Standard_Integer /*theIndex*/, const Standard_Boolean /*isFileScope*/,
                      const Standard_Integer /*theNumber*/, const VexData_Tool& /*theTool*/,
                      const Standard_Boolean /*isNew*/)
  {
  }

  //! The phase name item of a block header was read.
  void PhaseName(const VexData_RecordPlace& /*thePlace*/,
                 const TCollection_AsciiString& /*theName*/)
  {
  }

  //! The layer name item of a block header was read.
  void LayerName(const VexData_RecordPlace& /*thePlace*/,
                 const TCollection_AsciiString& /*theName*/)
  {
  }

  //! Both names of a block header are known (its end marker is still to come).
  void BlockHeader(const TCollection_AsciiString& /*thePhase*/,
                   const TCollection_AsciiString& /*theLayer*/)
  {
  }

  //! The tool index of a tool group was read.
  void GroupTool(const Standard_Integer /*theIndex*/) {}

  //! A tool group starts: its index theIndex, found in the block's scope or else the file's,
  //! stands for tool theNumber, theTool.
  void ToolGroup(const Standard_Integer /*theIndex*/, const Standard_Boolean /*isBlockScope*/,
                 const Standard_Integer /*theNumber*/, const VexData_Tool& /*theTool*/)
  {
  }

  //! The tool group read last is complete.
  void GroupEnd() {}

  //! The byte at theEnd (0 or any tag the block does not hold) ended a toolpath block.
  void BlockEnd(const VexData_RecordPlace& /*theEnd*/) {}

  //! A path starts at thePoint (in a tool group or in a macro definition).
  void PathStart(const gp_XY& /*thePoint*/) {}

  //! A line-to from theFrom to theTo; isSegment is false when it moves by 1e-7 or less and makes
  //! no segment.
  void LineTo(const gp_XY& /*theFrom*/, const gp_XY& /*theTo*/,
              const Standard_Boolean /*isSegment*/)
  {
  }

  //! An arc-to from theFrom to theEnd around theCentre with theRadius (signed: its sense);
  //! isFullTurn when it ends less than 1e-7 from where it starts.
  void ArcTo(const gp_XY& /*theFrom*/, const gp_XY& /*theEnd*/, const gp_XY& /*theCentre*/,
             const Standard_Real /*theRadius*/, const Standard_Boolean /*isFullTurn*/)
  {
  }

  //! A circle around theCentre with theRadius (signed: its sense).
  void Circle(const gp_XY& /*theCentre*/, const Standard_Real /*theRadius*/) {}

  //! A drill point.
  void DrillPoint(const gp_XY& /*thePoint*/) {}

  //! The number of a macro definition or placement was read.
  void MacroNumber(const Standard_Integer /*theNumber*/) {}

  //! Macro theNumber is being defined; a path may follow.
  void MacroBegin(const Standard_Integer /*theNumber*/) {}

  //! The macro end at theEnd completes macro theNumber of theElements elements.
  void MacroEnd(const VexData_RecordPlace& /*theEnd*/, const Standard_Integer /*theNumber*/,
                const Standard_Size /*theElements*/)
  {
  }

  //! The offset of a macro placement was read; the macro holds theElements elements.
  void PlacementOffset(const gp_XY& /*theOffset*/, const Standard_Size /*theElements*/) {}

  //! Macro theNumber is placed, moved by theOffset.
  void Placement(const Standard_Integer /*theNumber*/, const gp_XY& /*theOffset*/) {}

  //! The width of a scanner box was read.
  void BoxWidth(const Standard_Real /*theWidth*/) {}

  //! The height of a scanner box was read.
  void BoxHeight(const Standard_Real /*theHeight*/) {}

  //! A scan field centred at theCentre, of the size of the scanner box in force.
  void ScanField(const gp_XY& /*theCentre*/, const Standard_Real /*theWidth*/,
                 const Standard_Real /*theHeight*/)
  {
  }

  //! The record or item at thePlace is stepped over; a compound one is followed by the events
  //! of its items, one level deeper, and SkippedEnd.
  void Skipping(const VexData_RecordPlace& /*thePlace*/) {}

  //! The record or item at thePlace, not compound, was stepped over: theSize bytes after its tag.
  //! isRedeclared: a scanner box or scan field skipped because a declaration changed its size.
  void Skipped(const VexData_RecordPlace& /*thePlace*/, const Standard_Size /*theSize*/,
               const Standard_Boolean /*isRedeclared*/)
  {
  }

  //! The end marker at thePlace closes the compound record stepped over last.
  void SkippedEnd(const VexData_RecordPlace& /*thePlace*/) {}

  //! The file ended cleanly between two records, at theOffset.
  void End(const Standard_Size /*theOffset*/) {}

  //! Reading stopped at theFault; its message has been sent.
  void Fault(const VexData_ParseFault& /*theFault*/) {}
};

#endif
