// Copyright (c) 2026 VexData developers
#ifndef _VexData_RecordParser_HeaderFile
#define _VexData_RecordParser_HeaderFile

#include <VexData_Message.hxx>
#include <VexData_RecordListener.hxx>
#include <VexData_InputStream.hxx>
#include <VexData_ToolTable.hxx>
#include <VexData_TypeTable.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Sequence.hxx>

#include <istream>

//! The grammar of the machine file and every check the reader makes, in one place: the header,
//! the type declarations, tool definitions and their scopes, toolpath blocks, tool groups and
//! their items, macro definitions and placements, scanner boxes and scan fields, the skip rule
//! and the bounds of VexData_Reader::Limits. It reports what it reads to a listener (see
//! VexData_RecordListener) and sends the reader's messages; the listener decides what to make
//! of the records: VexData_ModelBuilder builds the model, "vex dump" prints them.
//!
//! The tables a file builds up (record sizes, tools, tool indexes of file scope, macros) last as
//! long as the parser; a parser reads one file, as a reader does.
class VexData_RecordParser
{
public:
  //! Creates a parser that refuses files that go beyond theLimits.
  explicit VexData_RecordParser(const VexData_Reader::Limits& theLimits);

  //! Reads a machine file from theStream's current position, sends messages to theMessenger
  //! (may be null) and reports to theListener, ending with its End or Fault event. Returns the
  //! reader's status for the file. Nothing is thrown: a failure of memory or of the listener
  //! ends the read with StreamBad and "VEX_READER_READING_FAIL".
  template <class Listener>
  VexData_Reader::Status Parse(std::istream& theStream,
                               const Handle(Message_Messenger) & theMessenger,
                               Listener& theListener);

private:
  //! Squared length above which a line-to makes a segment (a length of 1e-7).
  static constexpr Standard_Real THE_MIN_SEGMENT_SQUARE = 1.0e-14;

  //! Distance under which an arc-to ends where it starts and makes a full turn.
  static constexpr Standard_Real THE_FULL_TURN_DISTANCE = 1.0e-7;

  //! Tool index of the file -> tool number.
  typedef NCollection_DataMap<Standard_Integer, Standard_Integer> ToolIndexMap;

  //! Short name of the values a read may be after.
  typedef VexData_ParseFault::Value Value;

  //! Checks the header, then reads the records up to the end of the file or the first fault.
  template <class Listener> void parseFile(Listener& theListener);

  //! Applies the leading type declarations, then reads top-level records up to the end.
  template <class Listener> void parseRecords(Listener& theListener);

  //! Reads a type declaration whose tag 11 stands at theStart.
  template <class Listener>
  Standard_Boolean parseDeclaration(Listener& theListener, const Standard_Size theStart);

  //! Reads the top-level record at thePlace, whose tag has been read.
  template <class Listener>
  Standard_Boolean parseRecord(Listener& theListener, const VexData_RecordPlace& thePlace);

  //! Reads a tool definition at thePlace and binds its index in theScope.
  template <class Listener>
  Standard_Boolean parseTool(Listener& theListener, ToolIndexMap& theScope,
                             const VexData_RecordPlace& thePlace);

  //! Reads the mode, width and name items of a tool definition whose index theIndex was read;
  //! theDepth is the depth of the items.
  template <class Listener>
  Standard_Boolean parseToolFields(Listener& theListener, const Standard_Integer theIndex,
                                   const Standard_Integer theDepth, Standard_Integer& theMode,
                                   Standard_ShortReal& theWidth, TCollection_AsciiString& theName);

  //! Reads a toolpath block whose tag 130 stands at theStart.
  template <class Listener>
  Standard_Boolean parseBlock(Listener& theListener, const Standard_Size theStart);

  //! Reads the block header of a toolpath block.
  template <class Listener> Standard_Boolean parseBlockHeader(Listener& theListener);

  //! Reads the tools, macro definition and scan field that precede the tool groups of a block;
  //! theTag receives the first tag after them.
  template <class Listener>
  Standard_Boolean parseBlockStart(Listener& theListener, Standard_Integer& theTag);

  //! Reads a tool group whose tag 16 stands at theStart; theTag receives the tag that ended it.
  template <class Listener>
  Standard_Boolean parseGroup(Listener& theListener, const Standard_Size theStart,
                              Standard_Integer& theTag);

  //! Reads the group item theTag, then the next tag into theTag.
  template <class Listener>
  Standard_Boolean parseGroupItem(Listener& theListener, Standard_Integer& theTag);

  //! Reads a path at thePlace; theTag receives the tag that ended it, theElements the number of
  //! curve elements it makes.
  template <class Listener>
  Standard_Boolean parsePath(Listener& theListener, const VexData_RecordPlace& thePlace,
                             Standard_Integer& theTag, Standard_Size& theElements);

  //! Reads the line-to or arc-to at thePlace that continues a path at theCurrent.
  template <class Listener>
  Standard_Boolean parsePathStep(Listener& theListener, const VexData_RecordPlace& thePlace,
                                 gp_XY& theCurrent, Standard_Size& theElements);

  //! Reads a circle or a drill point at thePlace.
  template <class Listener>
  Standard_Boolean parseShape(Listener& theListener, const VexData_RecordPlace& thePlace);

  //! Reads a macro placement at thePlace.
  template <class Listener>
  Standard_Boolean parsePlacement(Listener& theListener, const VexData_RecordPlace& thePlace);

  //! Reads a macro definition at thePlace, through its macro end.
  template <class Listener>
  Standard_Boolean parseMacroDefinition(Listener& theListener, const VexData_RecordPlace& thePlace);

  //! Reads a top-level scanner box at thePlace.
  template <class Listener>
  Standard_Boolean parseScannerBox(Listener& theListener, const VexData_RecordPlace& thePlace);

  //! Reads a scan field position at thePlace.
  template <class Listener>
  Standard_Boolean parseScanField(Listener& theListener, const VexData_RecordPlace& thePlace);

  //! Steps over the record or item at thePlace, whose tag has been read.
  template <class Listener>
  Standard_Boolean skip(Listener& theListener, const VexData_RecordPlace& thePlace,
                        const Standard_Boolean isRedeclared = Standard_False);

  //! Steps over the items of the compound record at thePlace up to its end marker, nested
  //! compound records included, without recursion.
  template <class Listener>
  Standard_Boolean skipCompound(Listener& theListener, const VexData_RecordPlace& thePlace);

  //! Forgets what the previous run left behind: the scanner box, the bounds counted, the fault.
  void start(std::istream& theStream, const Handle(Message_Messenger) & theMessenger);

  //! Checks the header; false with the fault set when it is not valid.
  Standard_Boolean checkHeader();

  //! Reads a byte (a tag, a declared tag or a tool mode); on failure sends
  //! "VEX_READER_READ_BYTE_FAILURE".
  Standard_Boolean readByte(Standard_Integer& theValue, const Value theWhat)
  {
    myReadStart                        = myInput.Offset();
    const VexData_Reader::Status aCode = myInput.ReadByte(theValue);
    return aCode == VexData_Reader::Ok ||
           readFailed(aCode, "VEX_READER_READ_BYTE_FAILURE", theWhat);
  }

  //! Reads a type or tag byte that must be theExpected.
  Standard_Boolean expect(const Standard_Integer theExpected, const Value theWhat);

  //! Reads an int32; on failure sends "VEX_READER_READ_INT_FAILURE".
  Standard_Boolean readInt(Standard_Integer& theValue, const Value theWhat);

  //! Reads theCount float32 values (at most five), widened to double, that theWhats name; on
  //! failure sends "VEX_READER_READ_FLOAT_FAILURE" once and names the value that failed.
  Standard_Boolean readReals(Standard_Real* theValues, const Standard_Integer theCount,
                             const Value* theWhats)
  {
    myReadStart = myInput.Offset();
    Standard_ShortReal           aValues[VexData_InputStream::THE_MAX_FLOATS];
    const VexData_Reader::Status aCode = myInput.ReadFloats(aValues, theCount);
    for (Standard_Integer anIndex = 0; anIndex < theCount; ++anIndex)
    {
      theValues[anIndex] = static_cast<Standard_Real>(aValues[anIndex]);
    }
    return aCode == VexData_Reader::Ok || floatsFailed(aCode, theWhats);
  }

  //! Reads a string; on failure sends "VEX_READER_READ_SSTRING_FAILURE".
  Standard_Boolean readString(TCollection_AsciiString& theText, const Value theWhat);

  //! Takes the failed read theCode of theWhat: sends theKey (when not NULL), keeps theCode as
  //! the status and describes the fault at the start of the read. Returns false.
  Standard_Boolean readFailed(const VexData_Reader::Status theCode, const Standard_CString theKey,
                              const Value theWhat);

  //! Takes the failed read theCode of several floats: the value that failed is the one whose
  //! bytes the input stopped in.
  Standard_Boolean floatsFailed(const VexData_Reader::Status theCode, const Value* theWhats);

  //! Sends theKey (with theArg unless it is NULL), sets theStatus and describes the fault as
  //! theWhy at theOffset. Returns false.
  Standard_Boolean fail(const VexData_Reader::Status theStatus, const Standard_CString theKey,
                        const Standard_Integer* theArg, const VexData_ParseFault::Reason theWhy,
                        const Standard_Size theOffset);

  //! Takes a failed skip of the record or item at thePlace (the skip rule sent its message).
  Standard_Boolean skipFailed(const VexData_Reader::Status theCode,
                              const VexData_RecordPlace&   thePlace);

  //! Applies the declaration of theSize for theTag, which stands at theStart; theOldSize
  //! receives the size theTag had (-1: none). False with the fault set when it is refused.
  Standard_Boolean declare(const Standard_Integer theTag, const Standard_Integer theSize,
                           const Standard_Size theStart, Standard_Integer& theOldSize);

  //! Checks the index of a tool definition at theOffset against theScope.
  Standard_Boolean checkToolIndex(const ToolIndexMap& theScope, const Standard_Integer theIndex,
                                  const Standard_Size theOffset);

  //! Gives theTool its number (renaming it when its name is taken); false with the fault set
  //! when the bound on renamings is passed. theEnd is the offset of the definition's end marker.
  Standard_Boolean registerTool(VexData_Tool& theTool, const Standard_Size theEnd,
                                Standard_Integer& theNumber, Standard_Boolean& isNew);

  //! Finds the tool number of the index theIndex of a tool group at theStart, block scope first.
  Standard_Boolean resolveTool(const Standard_Integer theIndex, const Standard_Size theStart,
                               Standard_Integer& theNumber, Standard_Boolean& isBlockScope);

  //! Counts the theElements elements a placement at theStart copies against the bound.
  Standard_Boolean countCopies(const Standard_Size theElements, const Standard_Size theStart);

  //! Turns the failure being handled (inside a catch block) into StreamBad and its message.
  void unexpected();

private:
  VexData_InputStream                 myInput;          //!< primitive reads and offsets
  VexData_TypeTable                   myTypes;          //!< sizes, declarations, skip rule
  VexData_ToolTable                   myTools;          //!< distinct tools; position = number
  ToolIndexMap                        myFileTools;      //!< tool indexes of file scope
  ToolIndexMap                        myBlockTools;     //!< tool indexes of the current block
  NCollection_Sequence<Standard_Size> myMacros;         //!< elements of each macro, from 1
  Standard_Real                       myBoxWidth;       //!< scanner box width, -1 none
  Standard_Real                       myBoxHeight;      //!< scanner box height, -1 none
  Standard_Size                       myCopiedElements; //!< elements copied by placements
  Standard_Size                       myElementLimit;   //!< most elements to copy
  VexData_Reader::Status              myStatus;         //!< status of the run
  Standard_Size                       myReadStart;      //!< offset of the read in progress
  VexData_ParseFault                  myFault;          //!< why the run stopped
};

#include <VexData_RecordParser.lxx>
#include <VexData_RecordParserItems.lxx>

#endif
