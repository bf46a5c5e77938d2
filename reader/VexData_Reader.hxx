// Copyright (c) 2026 VexData developers
#ifndef _VexData_Reader_HeaderFile
#define _VexData_Reader_HeaderFile

#include <VexData_Macro.hxx>
#include <VexData_Stream.hxx>
#include <VexData_Tool.hxx>
#include <VexData_ToolTable.hxx>
#include <VexData_TypeTable.hxx>
#include <PenFormatData_Model.hxx>
#include <PhGeom_Curve.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_IndexedMap.hxx>
#include <NCollection_Sequence.hxx>
#include <TCollection_ExtendedString.hxx>

#include <istream>

//! Reads one machine file into a pen-format model: checks the header, applies the type
//! declarations, then turns tool definitions into apertures, toolpath blocks into layers and
//! sequences, and scan field positions into rectangles on the "Scan fields" layer. Records it
//! does not use are stepped over. Objects are added to the model as they are read; a failure
//! stops the read at once with a non-zero status and a message to the model's messenger, and
//! leaves what was added so far in the model for the caller to discard.
class VexData_Reader
{
public:
  //! Outcome of a read.
  enum Status
  {
    Ok            = 0, //!< success
    NotDone       = 1, //!< not processed yet
    WrongFormat   = 2, //!< format error
    InvalidData   = 3, //!< content error
    StreamBad     = 4, //!< hard stream error
    StreamFail    = 5, //!< read failure without end of file
    EndOfFile     = 6, //!< end of file where more data was needed
    StringTooLong = 7  //!< a string without its 0 byte within the limit
  };

  //! Bounds on what one file may make the reader do. Both are far above any real board; they
  //! keep a small file from building an unbounded model or taking quadratic time.
  struct Limits
  {
    //! Most curve elements that macro placements may copy while reading one file.
    Standard_Size Elements;
    //! Most renamings (T_1, T_2 ...) that tool definitions may cause while reading one file;
    //! every renaming probes the tool table.
    Standard_Size Renamings;

    //! Creates the bounds the entry points use: ten million elements, a million renamings.
    Limits() : Elements(10000000), Renamings(1000000) {}
  };

  //! Creates a reader that fills theModel, with the default limits.
  VexData_EXPORT VexData_Reader(PenFormatData_Model& theModel);

  //! Creates a reader that fills theModel within theLimits.
  VexData_EXPORT VexData_Reader(PenFormatData_Model& theModel, const Limits& theLimits);

  //! Reads a machine file from theStream into the model and returns the final status.
  VexData_EXPORT Status Process(std::istream& theStream);

  //! Returns the current status.
  VexData_EXPORT Status GetStatus() const;

private:
  //! Names shared by the sequences of one toolpath block.
  struct Block
  {
    TCollection_ExtendedString Phase; //!< phase name
    TCollection_ExtendedString Layer; //!< layer name, empty for none
  };

  //! Working state of one tool group.
  struct Group
  {
    Standard_Integer Tool;        //!< tool number (aperture number)
    Handle(PhGeom_Curve) Curves;  //!< container of paths, circles and placed macros
    Handle(PhGeom_Curve) Points;  //!< container of drill points, null until the first one
    Handle(PhGeom_Curve) Current; //!< curve being filled, null when there is none
  };

  //! Tool index of the file -> tool number.
  typedef NCollection_DataMap<Standard_Integer, Standard_Integer> ToolIndexMap;

  //! Macro curves in definition order.
  typedef NCollection_Sequence<Handle(PhGeom_Curve)> MacroList;

  //! Runs the header check and the record loop; may throw (Process catches).
  void process(std::istream& theStream);

  //! Applies the leading type declarations, then reads top-level records up to the end.
  void readRecords();

  //! Reads the top-level record whose tag theTag has been consumed.
  void readRecord(const Standard_Integer theTag);

  //! Reads a tool definition (tag consumed) and binds its index in theScope.
  void readToolDefinition(ToolIndexMap& theScope);

  //! Reads the index of a tool definition and checks it against theScope.
  Standard_Boolean readToolIndex(const ToolIndexMap& theScope, Standard_Integer& theIndex);

  //! Reads the mode, width and name items of a tool definition with index theIndex.
  Standard_Boolean readToolFields(const Standard_Integer theIndex, Standard_Integer& theMode,
                                  Standard_ShortReal& theWidth, TCollection_AsciiString& theName);

  //! Returns the tool number of theTool, adding it and its aperture when it is new; renames
  //! theTool when its name is taken by a different tool. Returns 0 on failure.
  Standard_Integer registerTool(VexData_Tool& theTool);

  //! Creates the aperture of theTool and stores it under theNumber.
  void addAperture(const Standard_Integer theNumber, const VexData_Tool& theTool);

  //! Reads a toolpath block whose tag 130 has been consumed.
  void readBlock();

  //! Reads the block header item of a toolpath block into theBlock.
  Standard_Boolean readBlockHeader(Block& theBlock);

  //! Reads one tool group whose tag 16 has been consumed; theTag receives the tag that ended it.
  void readGroup(const Block& theBlock, Standard_Integer& theTag);

  //! Finds the tool number of tool index theIndex, block scope first.
  Standard_Boolean resolveTool(const Standard_Integer theIndex, Standard_Integer& theTool);

  //! Reads the group item theTag and then the next tag into theTag.
  void readGroupItem(Group& theGroup, Standard_Integer& theTag);

  //! Appends the group's current curve to its container when it has elements.
  void flushCurve(Group& theGroup) const;

  //! Adds the sequences of a finished group to the model.
  void finishGroup(Group& theGroup, const Block& theBlock);

  //! Adds a toolpath sequence over theContainer to the model.
  void addToolpath(const Standard_Integer theTool, const Handle(PhGeom_Curve) & theContainer,
                   const Standard_Integer theMode, const Block& theBlock);

  //! Reads a path (tag 12 consumed) into theCurve; theTag receives the tag that ended it.
  void readPath(const Handle(PhGeom_Curve) & theCurve, Standard_Integer& theTag);

  //! Reads a line-to record from theCurrent into theCurve; theCurrent moves to its end.
  Standard_Boolean readLineTo(const Handle(PhGeom_Curve) & theCurve, gp_XY& theCurrent);

  //! Reads an arc-to record from theCurrent into theCurve; theCurrent moves to its end.
  Standard_Boolean readArcTo(const Handle(PhGeom_Curve) & theCurve, gp_XY& theCurrent);

  //! Reads a circle record into theCurve.
  void readCircle(const Handle(PhGeom_Curve) & theCurve);

  //! Reads a drill point record into theCurve.
  void readDrillPoint(const Handle(PhGeom_Curve) & theCurve);

  //! Reads a macro placement record: copies the macro into theCurve and moves it.
  void readPlacement(const Handle(PhGeom_Curve) & theCurve);

  //! Reads a macro definition (tag 26 consumed) up to and including its macro end.
  void readMacroDefinition();

  //! Reads a top-level scanner box record (tag consumed).
  void readScannerBox();

  //! Reads a scan field position record (tag consumed) into a rectangle sequence.
  void readScanField();

  //! Returns the "Scan fields" layer, creating and registering it on first use.
  const Handle(PenFormatData_Layer) & scanFieldLayer();

  //! Creates a layer named theName with its two lowest flag bits set and registers it.
  Handle(PenFormatData_Layer) addLayer(const TCollection_ExtendedString& theName);

  //! Returns a new empty curve of type 0 from the model's allocator.
  Handle(PhGeom_Curve) newCurve() const;

  //! On a non-zero theCode sends theKey, takes theCode as status and returns false.
  Standard_Boolean check(const Standard_Integer theCode, const Standard_CString theKey);

  //! Reads an unsigned byte; on failure sends theKey.
  Standard_Boolean readByte(Standard_Integer& theValue, const Standard_CString theKey);

  //! Reads an int32; on failure sends "VEX_READER_READ_INT_FAILURE".
  Standard_Boolean readInt(Standard_Integer& theValue);

  //! Reads a float32 widened to double; on failure sends "VEX_READER_READ_FLOAT_FAILURE".
  Standard_Boolean readReal(Standard_Real& theValue);

  //! Reads theCount float32 values widened to double in one go; on failure sends
  //! "VEX_READER_READ_FLOAT_FAILURE".
  Standard_Boolean readReals(Standard_Real* theValues, const Standard_Integer theCount);

  //! Reads two float32 values as a point.
  Standard_Boolean readPoint(gp_XY& thePoint);

  //! Reads a string; on failure sends "VEX_READER_READ_SSTRING_FAILURE".
  Standard_Boolean readString(TCollection_AsciiString& theText);

  //! Reads a type or tag byte that must equal theExpected.
  Standard_Boolean expectType(const Standard_Integer theExpected);

  //! Sends theKey and sets theStatus; returns false.
  Standard_Boolean fail(const Status theStatus, const Standard_CString theKey);

  //! Sends theKey with the integer theArg and sets theStatus; returns false.
  Standard_Boolean fail(const Status theStatus, const Standard_CString theKey,
                        const Standard_Integer theArg);

  //! Steps over the item or record theTag; returns true on success.
  Standard_Boolean skip(const Standard_Integer theTag);

private:
  PenFormatData_Model& myModel;            //!< model being filled
  VexData_Stream       myInput;            //!< current input and read buffer
  Status               myStatus;           //!< current status
  VexData_TypeTable    myTypes;            //!< field and record sizes, redeclared tags
  VexData_ToolTable    myTools;            //!< distinct tools; position = tool number
  ToolIndexMap         myFileTools;        //!< file-scope tool indexes
  ToolIndexMap         myBlockTools;       //!< tool indexes of this block
  MacroList            myMacros;           //!< macro curves, from 1
  Handle(PenFormatData_Layer) myScanLayer; //!< "Scan fields", when created
  Standard_Real myBoxWidth;                //!< scan-field width, -1 none
  Standard_Real myBoxHeight;               //!< scan-field height, -1 none
  Standard_Size myCopiedElements;          //!< elements copied by placements
  Standard_Size myElementLimit;            //!< most elements to copy
};

#endif
