// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Dump_HeaderFile
#define _VexHost_Dump_HeaderFile

#include <VexData_Reader.hxx>
#include <VexData_Stream.hxx>
#include <VexData_Tool.hxx>
#include <VexData_ToolTable.hxx>
#include <VexData_TypeTable.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_IndexedMap.hxx>
#include <NCollection_Sequence.hxx>
#include <TCollection_AsciiString.hxx>

#include <istream>
#include <ostream>

//! Lists a machine file record by record, without building a model: for every record, item and
//! field its byte offset, tag, name and decoded values, indented by nesting; records that are
//! stepped over appear with their sizes.
//!
//! The listing follows the file exactly as the reader does. It reads through the same primitive
//! reads, size tables, type declarations and skip rule, applies the same order of items and the
//! same checks of values (tool indexes and their scopes, modes, widths, tool groups naming a
//! defined tool, macro numbering, scanner box sizes, the bounds on tool renamings and copied macro
//! elements), and sends the reader's messages. It therefore stops where the reader stops, with
//! the status the reader gives; the last line names the offset of the fault and what was expected
//! there.
class VexHost_Dump
{
public:
  //! Creates a dump that writes its listing to theOut and sends the reader's messages to
  //! theMessenger (may be null); it refuses what a reader with theLimits refuses.
  VexHost_Dump(std::ostream&                 theOut, const Handle(Message_Messenger) & theMessenger,
               const VexData_Reader::Limits& theLimits = VexData_Reader::Limits());

  //! Lists the machine file read from theIn, from its current position to its end or its first
  //! fault. Returns the status the reader gives for the same bytes.
  VexData_Reader::Status Process(std::istream& theIn);

private:
  //! Tool index of the file -> tool number.
  typedef NCollection_DataMap<Standard_Integer, Standard_Integer> ToolIndexMap;

  //! Runs the listing; may throw (Process catches).
  void process(std::istream& theIn);

  //! Lists the header.
  Standard_Boolean dumpHeader();

  //! Lists the leading type declarations, then every top-level record up to the end.
  void dumpRecords();

  //! Lists one type declaration whose tag 11 has been read at theStart.
  Standard_Boolean dumpDeclaration(const Standard_Size theStart);

  //! Lists the top-level record theTag read at theStart.
  Standard_Boolean dumpRecord(const Standard_Integer theTag, const Standard_Size theStart);

  //! Lists a record or item theTag read at theStart that is stepped over, at theDepth.
  Standard_Boolean dumpSkipped(const Standard_Integer theTag, const Standard_Size theStart,
                               const Standard_Integer theDepth);

  //! Lists the items of a stepped-over compound record theTag read at theStart.
  Standard_Boolean dumpCompound(const Standard_Integer theTag, const Standard_Size theStart,
                                const Standard_Integer theDepth);

  //! Reports the failed skip theCode of the record or item theTag read at theStart (the skip rule
  //! has sent its message) and returns false.
  Standard_Boolean skipFailed(const Standard_Integer theCode, const Standard_Integer theTag,
                              const Standard_Size theStart);

  //! Lists a tool definition (tag read at theStart) and binds its index in theScope.
  Standard_Boolean dumpTool(ToolIndexMap& theScope, const Standard_Size theStart,
                            const Standard_Integer theDepth);

  //! Lists the mode, width and name items of the tool definition with index theIndex.
  Standard_Boolean dumpToolFields(const Standard_Integer theIndex, const Standard_Integer theDepth,
                                  Standard_Integer& theMode, Standard_ShortReal& theWidth,
                                  TCollection_AsciiString& theName);

  //! Returns the tool number of theTool as the reader assigns it; 0 when the bound on renamings
  //! is reached.
  Standard_Integer registerTool(VexData_Tool& theTool);

  //! Lists a toolpath block whose tag was read at theStart.
  Standard_Boolean dumpBlock(const Standard_Size theStart);

  //! Lists the block header of a toolpath block.
  Standard_Boolean dumpBlockHeader();

  //! Lists the tools, macro definition and scan field that precede the groups of a block;
  //! theTag receives the first tag after them.
  Standard_Boolean dumpBlockStart(Standard_Integer& theTag);

  //! Lists one tool group whose tag 16 was read at theStart; theTag receives the tag that ended
  //! it.
  Standard_Boolean dumpGroup(const Standard_Size theStart, Standard_Integer& theTag);

  //! Lists the group item theTag and reads the next tag into theTag.
  Standard_Boolean dumpGroupItem(Standard_Integer& theTag);

  //! Lists a path (tag read at theStart); counts the elements it makes in theElements; theTag
  //! receives the tag that ended it.
  Standard_Boolean dumpPath(const Standard_Size theStart, const Standard_Integer theDepth,
                            Standard_Integer& theTag, Standard_Size& theElements);

  //! Lists a line-to or arc-to record theTag (read at theStart) that continues a path at
  //! theCurrent; adds the element it makes to theElements.
  Standard_Boolean dumpPathStep(const Standard_Integer theTag, const Standard_Size theStart,
                                const Standard_Integer theDepth, gp_XY& theCurrent,
                                Standard_Size& theElements);

  //! Lists a macro placement whose tag was read at theStart.
  Standard_Boolean dumpPlacement(const Standard_Size theStart, const Standard_Integer theDepth);

  //! Lists a macro definition whose tag was read at theStart, through its macro end.
  Standard_Boolean dumpMacroDefinition(const Standard_Size    theStart,
                                       const Standard_Integer theDepth);

  //! Lists a top-level scanner box whose tag was read at theStart.
  Standard_Boolean dumpScannerBox(const Standard_Size theStart);

  //! Lists a scan field position whose tag was read at theStart.
  Standard_Boolean dumpScanField(const Standard_Size theStart, const Standard_Integer theDepth);

  //! Notes on the current line that a declaration changed the record's size; returns true.
  Standard_Boolean redeclared();

  //! Reads a byte described by theWhat; on failure sends theKey.
  Standard_Boolean readByte(Standard_Integer& theValue, const Standard_CString theKey,
                            const char* theWhat);

  //! Reads an int32 described by theWhat.
  Standard_Boolean readInt(Standard_Integer& theValue, const char* theWhat);

  //! Reads a float32 described by theWhat, widened to double.
  Standard_Boolean readReal(Standard_Real& theValue, const char* theWhat);

  //! Reads theCount float32 values, described by theWhats, into theValues.
  Standard_Boolean readReals(const Standard_Integer theCount, const char* const* theWhats,
                             Standard_Real* theValues);

  //! Reads a string described by theWhat.
  Standard_Boolean readString(TCollection_AsciiString& theText, const char* theWhat);

  //! Reads a type or tag byte that must be theExpected (the type of theWhat).
  Standard_Boolean expectType(const Standard_Integer theExpected, const char* theWhat);

  //! Takes the failed read theCode of theWhat: sends theKey (when not NULL), reports the fault at
  //! the start of the read and returns false.
  Standard_Boolean readFailed(const Standard_Integer theCode, const Standard_CString theKey,
                              const char* theWhat);

  //! Sends theKey, reports theText as the fault at theOffset with theStatus and returns false.
  Standard_Boolean fail(const VexData_Reader::Status theStatus, const Standard_CString theKey,
                        const Standard_Size theOffset, const TCollection_AsciiString& theText);

  //! Sends theKey with the integer theArg, reports theText as the fault at theOffset with
  //! theStatus and returns false.
  Standard_Boolean fail(const VexData_Reader::Status theStatus, const Standard_CString theKey,
                        const Standard_Integer theArg, const Standard_Size theOffset,
                        const TCollection_AsciiString& theText);

  //! Takes theStatus and writes the fault line: theText at theOffset. Returns false.
  Standard_Boolean report(const VexData_Reader::Status theStatus, const Standard_Size theOffset,
                          const TCollection_AsciiString& theText);

  //! Ends the line written so far (if any) and starts the next one: the offset column and the
  //! indentation of theDepth. Returns the output, to which the line's text goes.
  std::ostream& line(const Standard_Size theOffset, const Standard_Integer theDepth);

  //! Ends the line written so far, if any.
  void closeLine();

private:
  std::ostream& myOut;                              //!< listing
  Handle(Message_Messenger) myMessenger;            //!< where the reader's messages go, may be null
  VexData_Stream                      myInput;      //!< primitive reads and offsets
  VexData_TypeTable                   myTypes;      //!< size tables, declarations, skip rule
  VexData_Reader::Status              myStatus;     //!< status the reader would have
  Standard_Size                       myReadStart;  //!< offset of the read in progress
  Standard_Boolean                    myLineOpen;   //!< a line has been started and not ended
  VexData_ToolTable                   myTools;      //!< distinct tools; position = tool number
  ToolIndexMap                        myFileTools;  //!< file-scope tool indexes
  ToolIndexMap                        myBlockTools; //!< tool indexes of the current block
  NCollection_Sequence<Standard_Size> myMacros;     //!< element count of each macro, from 1
  Standard_Real                       myBoxWidth;   //!< scanner box width, -1 none
  Standard_Real                       myBoxHeight;  //!< scanner box height, -1 none
  Standard_Size                       myCopiedElements; //!< elements copied by placements
  Standard_Size                       myElementLimit;   //!< most elements to copy
};

#endif
