// Copyright (c) 2026 VexData developers
#include <VexData_Reader.hxx>

#include <VexData_Message.hxx>
#include <PenFormatData_Sequence.hxx>

#include <gp.hxx>
#include <gp_Dir2d.hxx>
#include <gp_Trsf2d.hxx>
#include <gp_Vec2d.hxx>

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
//! Squared length under which a line-to adds no segment (a length of 1e-7).
const Standard_Real THE_MIN_SEGMENT_SQUARE = 1.0e-14;

//! Distance under which an arc-to ends where it starts and becomes a full turn.
const Standard_Real THE_FULL_TURN_DISTANCE = 1.0e-7;

//! One full turn, in radians.
const Standard_Real THE_TWO_PI = 2.0 * M_PI;

//! Flag bits set on every layer the reader creates (visible and selectable).
const Standard_Integer THE_LAYER_FLAGS = 3;

//! Returns the angle of theVector from the X axis, in [-pi, pi], exactly as gp_Dir2d measures it
//! (hosts compare the model's angles with it; atan2 differs in the last bit for many directions
//! and gives +pi where gp_Dir2d gives -pi). A vector too short for gp_Dir2d has no direction and
//! gives 0 rather than an error; coordinates that are not numbers give NaN.
Standard_Real angleOf(const gp_XY& theVector)
{
  if (theVector.Modulus() <= gp::Resolution())
  {
    return 0.0;
  }
  static const gp_Dir2d THE_X_AXIS(1.0, 0.0);
  return THE_X_AXIS.Angle(gp_Dir2d(theVector));
}

//! Returns the sense flag of a signed radius: 1 above 0, 0 otherwise.
Standard_Integer senseOf(const Standard_Real theRadius)
{
  return theRadius > 0.0 ? 1 : 0;
}

//! Returns theValue as a message argument, capped at the largest integer.
Standard_Integer clampToInt(const Standard_Size theValue)
{
  return static_cast<Standard_Integer>(
      std::min<Standard_Size>(theValue, static_cast<Standard_Size>(IntegerLast())));
}

//! Converts the bytes of theText one by one into characters of an extended string.
TCollection_ExtendedString toExtended(const TCollection_AsciiString& theText)
{
  return TCollection_ExtendedString(theText.ToCString(), Standard_False);
}
} // namespace

VexData_Reader::VexData_Reader(PenFormatData_Model& theModel) : VexData_Reader(theModel, Limits())
{
}

VexData_Reader::VexData_Reader(PenFormatData_Model& theModel, const Limits& theLimits)
    : myModel(theModel), myStatus(NotDone), myTools(theLimits.Renamings), myFileTools(1),
      myBlockTools(1), myBoxWidth(-1.0), myBoxHeight(-1.0), myCopiedElements(0),
      myElementLimit(theLimits.Elements)
{
}

VexData_Reader::Status VexData_Reader::GetStatus() const
{
  return myStatus;
}

VexData_Reader::Status VexData_Reader::Process(std::istream& theStream)
{
  myStatus = Ok;
  try
  {
    process(theStream);
  }
  catch (...)
  {
    // Stream buffer exceptions are handled where bytes are read; what arrives here is a
    // failure of the model or of memory, which ends the read like a hard input error.
    myStatus = StreamBad;
    try
    {
      VexData_Message::Send(myModel.Messenger(), "VEX_READER_READING_FAIL");
    }
    catch (...)
    {
    }
  }
  return myStatus;
}

void VexData_Reader::process(std::istream& theStream)
{
  myInput.Init(&theStream, myModel.Messenger());
  myModel.SetDimensionUnit(PenFormatData_DU_Millimetre);
  myBoxWidth  = -1.0;
  myBoxHeight = -1.0;
  myScanLayer.Nullify();
  myCopiedElements = 0;
  myTools.ResetRenamings();
  if (check(myInput.CheckHeader(), NULL))
  {
    readRecords();
  }
}

void VexData_Reader::readRecords()
{
  Standard_Integer aTag = 0;
  if (!readByte(aTag, "VEX_READER_READ_BYTE_FAILURE"))
  {
    return;
  }
  while (aTag == VexData_Format::Tag_TypeDeclaration)
  {
    if (!check(myTypes.ReadDeclaration(myInput), NULL) ||
        !readByte(aTag, "VEX_READER_READ_BYTE_FAILURE"))
    {
      return;
    }
  }
  for (;;)
  {
    readRecord(aTag);
    if (myStatus != Ok)
    {
      return;
    }
    const Standard_Integer aCode = myInput.ReadByte(aTag);
    if (aCode == VexData_Format::Code_EndOfFile)
    {
      return; // the file ends cleanly between two records
    }
    if (!check(aCode, "VEX_READER_READ_BYTE_FAILURE"))
    {
      return;
    }
  }
}

void VexData_Reader::readRecord(const Standard_Integer theTag)
{
  switch (theTag)
  {
  case VexData_Format::Tag_ToolDefinition:
    readToolDefinition(myFileTools);
    break;
  case VexData_Format::Tag_ToolpathBlock:
    readBlock();
    break;
  case VexData_Format::Tag_ScannerBox:
    readScannerBox();
    break;
  default:
    skip(theTag);
    break;
  }
}

// ---------------------------------------------------------------------------------------------
// Tools
// ---------------------------------------------------------------------------------------------

void VexData_Reader::readToolDefinition(ToolIndexMap& theScope)
{
  Standard_Integer        anIndex = 0, aMode = 0;
  Standard_ShortReal      aWidth = 0.0f;
  TCollection_AsciiString aName;
  if (!readToolIndex(theScope, anIndex) || !readToolFields(anIndex, aMode, aWidth, aName) ||
      !expectType(VexData_Format::Tag_End))
  {
    return;
  }
  VexData_Tool           aTool(aName, aMode, aWidth);
  const Standard_Integer aNumber = registerTool(aTool);
  if (aNumber != 0)
  {
    theScope.Bind(anIndex, aNumber);
  }
}

Standard_Boolean VexData_Reader::readToolIndex(const ToolIndexMap& theScope,
                                               Standard_Integer&   theIndex)
{
  if (!expectType(VexData_Format::Field_Int) || !readInt(theIndex))
  {
    return Standard_False;
  }
  if (theIndex <= 0)
  {
    return fail(InvalidData, "VEX_READER_INVALID_TOOL_INDEX", theIndex);
  }
  if (theScope.IsBound(theIndex))
  {
    return fail(InvalidData, "VEX_READER_MULTIPLE_TOOL_INDEX", theIndex);
  }
  return Standard_True;
}

Standard_Boolean VexData_Reader::readToolFields(const Standard_Integer   theIndex,
                                                Standard_Integer&        theMode,
                                                Standard_ShortReal&      theWidth,
                                                TCollection_AsciiString& theName)
{
  if (!expectType(VexData_Format::Field_Byte) || !readByte(theMode, "VEX_READER_READ_BYTE_FAILURE"))
  {
    return Standard_False;
  }
  if (theMode > VexData_Format::ToolMode_Both)
  {
    return fail(InvalidData, "VEX_READER_INVALID_MODE", theIndex);
  }
  if (!expectType(VexData_Format::Field_Float) ||
      !check(myInput.ReadFloat(theWidth), "VEX_READER_READ_FLOAT_FAILURE"))
  {
    return Standard_False;
  }
  if (!(theWidth >= 0.0f)) // a width that is not a number is refused like a negative one
  {
    return fail(InvalidData, "VEX_READER_INVALID_WIDTH", theIndex);
  }
  return expectType(VexData_Format::Field_String) && readString(theName);
}

Standard_Integer VexData_Reader::registerTool(VexData_Tool& theTool)
{
  Standard_Boolean       isNew   = Standard_False;
  const Standard_Integer aNumber = myTools.Register(theTool, isNew);
  if (aNumber == 0)
  {
    fail(InvalidData, "VEX_READER_TOO_MANY_TOOL_NAMES", clampToInt(myTools.RenamingLimit()));
    return 0;
  }
  if (isNew)
  {
    addAperture(aNumber, theTool);
  }
  return aNumber;
}

void VexData_Reader::addAperture(const Standard_Integer theNumber, const VexData_Tool& theTool)
{
  Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
      1, toExtended(theTool.UniqueName()), Handle(Standard_Transient)(), 0);
  const Standard_Real aWidth[1] = {static_cast<Standard_Real>(theTool.Width())};
  anAperture->SetParam(aWidth, 1);
  anAperture->SetToolFlag(1);
  myModel.SetAperture(theNumber, anAperture);
}

// ---------------------------------------------------------------------------------------------
// Toolpath blocks and tool groups
// ---------------------------------------------------------------------------------------------

void VexData_Reader::readBlock()
{
  Block            aBlock;
  Standard_Integer aTag = 0;
  if (!readBlockHeader(aBlock) || !readByte(aTag, "VEX_READER_READ_BYTE_FAILURE"))
  {
    return;
  }
  myBlockTools.Clear();
  for (; aTag == VexData_Format::Tag_ToolDefinition;)
  {
    readToolDefinition(myBlockTools);
    if (myStatus != Ok || !readByte(aTag, "VEX_READER_READ_BYTE_FAILURE"))
    {
      return;
    }
  }
  if (aTag == VexData_Format::Tag_MacroDefinition)
  {
    readMacroDefinition();
    if (myStatus != Ok || !readByte(aTag, "VEX_READER_READ_BYTE_FAILURE"))
    {
      return;
    }
  }
  if (aTag == VexData_Format::Tag_ScanFieldPosition)
  {
    readScanField();
    if (myStatus != Ok || !readByte(aTag, "VEX_READER_READ_BYTE_FAILURE"))
    {
      return;
    }
  }
  // Any other tag ends the block; what follows it is read as top-level records.
  while (aTag == VexData_Format::Tag_ToolGroup && myStatus == Ok)
  {
    readGroup(aBlock, aTag);
  }
}

Standard_Boolean VexData_Reader::readBlockHeader(Block& theBlock)
{
  TCollection_AsciiString aPhase, aLayer;
  if (!expectType(VexData_Format::Tag_BlockHeader) || !expectType(VexData_Format::Field_String) ||
      !readString(aPhase) || !expectType(VexData_Format::Field_String) || !readString(aLayer))
  {
    return Standard_False;
  }
  theBlock.Phase = toExtended(aPhase);
  theBlock.Layer = toExtended(aLayer);
  if (!aLayer.IsEmpty())
  {
    addLayer(theBlock.Layer);
  }
  return expectType(VexData_Format::Tag_End);
}

void VexData_Reader::readGroup(const Block& theBlock, Standard_Integer& theTag)
{
  Standard_Integer anIndex = 0;
  Group            aGroup;
  if (!readInt(anIndex) || !readByte(theTag, "VEX_READER_READ_BYTE_FAILURE") ||
      !resolveTool(anIndex, aGroup.Tool))
  {
    return;
  }
  aGroup.Curves = newCurve();
  while (theTag != VexData_Format::Tag_End && theTag != VexData_Format::Tag_ToolGroup)
  {
    readGroupItem(aGroup, theTag);
    if (myStatus != Ok)
    {
      return; // the group is dropped
    }
  }
  finishGroup(aGroup, theBlock);
}

Standard_Boolean VexData_Reader::resolveTool(const Standard_Integer theIndex,
                                             Standard_Integer&      theTool)
{
  const Standard_Integer* aNumber = myBlockTools.Seek(theIndex);
  if (aNumber == NULL)
  {
    aNumber = myFileTools.Seek(theIndex);
  }
  if (aNumber == NULL || *aNumber < 1 || *aNumber > myTools.Extent())
  {
    return fail(InvalidData, "VEX_READER_NO_TOOL", theIndex);
  }
  theTool = *aNumber;
  return Standard_True;
}

void VexData_Reader::readGroupItem(Group& theGroup, Standard_Integer& theTag)
{
  switch (theTag)
  {
  case VexData_Format::Tag_PathStart:
    flushCurve(theGroup);
    theGroup.Current = newCurve();
    readPath(theGroup.Current, theTag);
    return; // the tag that ended the path is the next item
  case VexData_Format::Tag_Circle:
    flushCurve(theGroup);
    theGroup.Current = newCurve();
    readCircle(theGroup.Current);
    break;
  case VexData_Format::Tag_MacroPlacement:
    flushCurve(theGroup);
    theGroup.Current = newCurve();
    readPlacement(theGroup.Current);
    break;
  case VexData_Format::Tag_DrillPoint:
  {
    if (theGroup.Points.IsNull())
    {
      theGroup.Points = newCurve();
    }
    // Every hole is a curve of its own. It joins the point container once read; a hole that
    // cannot be read ends the read, and the group with it.
    Handle(PhGeom_Curve) aHole = newCurve();
    readDrillPoint(aHole);
    theGroup.Points->AddChild(std::move(aHole));
    break;
  }
  case VexData_Format::Tag_ScanFieldPosition:
    readScanField();
    break;
  default:
    skip(theTag);
    break;
  }
  if (myStatus == Ok)
  {
    readByte(theTag, "VEX_READER_READ_BYTE_FAILURE");
  }
}

void VexData_Reader::flushCurve(Group& theGroup) const
{
  if (!theGroup.Current.IsNull() && theGroup.Current->NbElements() > 0)
  {
    theGroup.Curves->AddChild(std::move(theGroup.Current));
  }
  theGroup.Current.Nullify();
}

void VexData_Reader::finishGroup(Group& theGroup, const Block& theBlock)
{
  flushCurve(theGroup);
  if (!theGroup.Curves->Children().IsEmpty())
  {
    addToolpath(theGroup.Tool, theGroup.Curves, PenFormatData_TM_Path, theBlock);
  }
  if (!theGroup.Points.IsNull())
  {
    addToolpath(theGroup.Tool, theGroup.Points, PenFormatData_TM_Point, theBlock);
  }
}

void VexData_Reader::addToolpath(const Standard_Integer theTool,
                                 const Handle(PhGeom_Curve) & theContainer,
                                 const Standard_Integer theMode, const Block& theBlock)
{
  Handle(PenFormatData_Sequence) aSequence = new PenFormatData_Sequence(theTool, 0, theContainer);
  aSequence->SetLayerName(theBlock.Layer);
  aSequence->SetPhaseName(theBlock.Phase);
  aSequence->SetToolpathMode(theMode);
  aSequence->SetToolpathFlag(1);
  myModel.AddObject(aSequence);
}

// ---------------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------------

void VexData_Reader::readPath(const Handle(PhGeom_Curve) & theCurve, Standard_Integer& theTag)
{
  gp_XY aCurrent;
  if (!readPoint(aCurrent) || !readByte(theTag, "VEX_READER_READ_BYTE_FAILURE"))
  {
    return;
  }
  for (;;)
  {
    if (theTag == VexData_Format::Tag_LineTo)
    {
      if (!readLineTo(theCurve, aCurrent))
      {
        return;
      }
    }
    else if (theTag == VexData_Format::Tag_ArcTo)
    {
      if (!readArcTo(theCurve, aCurrent))
      {
        return;
      }
    }
    else
    {
      return;
    }
    if (!readByte(theTag, "VEX_READER_READ_BYTE_FAILURE"))
    {
      return;
    }
  }
}

Standard_Boolean VexData_Reader::readLineTo(const Handle(PhGeom_Curve) & theCurve,
                                            gp_XY& theCurrent)
{
  gp_XY anEnd;
  if (!readPoint(anEnd))
  {
    return Standard_False;
  }
  if ((anEnd - theCurrent).SquareModulus() > THE_MIN_SEGMENT_SQUARE)
  {
    theCurve->CreateSegment(theCurrent, anEnd);
  }
  theCurrent = anEnd;
  return Standard_True;
}

Standard_Boolean VexData_Reader::readArcTo(const Handle(PhGeom_Curve) & theCurve, gp_XY& theCurrent)
{
  // End point, centre and signed radius.
  Standard_Real aValues[5];
  if (!readReals(aValues, 5))
  {
    return Standard_False;
  }
  const gp_XY         anEnd(aValues[0], aValues[1]), aCenter(aValues[2], aValues[3]);
  const Standard_Real aRadius  = aValues[4];
  const Standard_Real anAngle1 = angleOf(theCurrent - aCenter);
  const Standard_Real anAngle2 = (anEnd - theCurrent).Modulus() < THE_FULL_TURN_DISTANCE
                                     ? anAngle1 + THE_TWO_PI
                                     : angleOf(anEnd - aCenter);
  theCurve->CreateArc(aCenter, std::abs(aRadius), anAngle1, anAngle2, senseOf(aRadius));
  theCurrent = anEnd;
  return Standard_True;
}

void VexData_Reader::readCircle(const Handle(PhGeom_Curve) & theCurve)
{
  // Centre and signed radius.
  Standard_Real aValues[3];
  if (readReals(aValues, 3))
  {
    theCurve->CreateArc(gp_XY(aValues[0], aValues[1]), std::abs(aValues[2]), 0.0, THE_TWO_PI,
                        senseOf(aValues[2]));
  }
}

void VexData_Reader::readDrillPoint(const Handle(PhGeom_Curve) & theCurve)
{
  gp_XY aPoint;
  if (readPoint(aPoint))
  {
    theCurve->CreatePoint(aPoint);
  }
}

void VexData_Reader::readPlacement(const Handle(PhGeom_Curve) & theCurve)
{
  Standard_Integer aNumber = 0;
  gp_XY            anOffset;
  if (!readInt(aNumber))
  {
    return;
  }
  if (aNumber < 1 || aNumber > myMacros.Length())
  {
    fail(WrongFormat, "VEX_READER_NO_MACRO", aNumber);
    return;
  }
  if (!readPoint(anOffset))
  {
    return;
  }
  const Handle(PhGeom_Curve)& aMacro = myMacros.Value(aNumber);
  const Standard_Size aCount         = static_cast<Standard_Size>(aMacro->NbElements());
  if (myCopiedElements + aCount > myElementLimit)
  {
    fail(InvalidData, "VEX_READER_TOO_MANY_ELEMENTS", clampToInt(myElementLimit));
    return;
  }
  myCopiedElements += aCount;
  for (PhGeom_Curve::ElementIterator anIter(*aMacro); anIter.More(); anIter.Next())
  {
    theCurve->CreateElement(anIter.Value(), 0, 1);
  }
  gp_Trsf2d aMove;
  aMove.SetTranslation(gp_Vec2d(anOffset));
  theCurve->Transform(aMove);
}

void VexData_Reader::readMacroDefinition()
{
  Standard_Integer aNumber = 0, aTag = 0;
  if (!readInt(aNumber))
  {
    return;
  }
  if (aNumber != myMacros.Length() + 1)
  {
    fail(WrongFormat, "VEX_READER_INVALID_MACRO_NUMBER", aNumber);
    return;
  }
  Handle(PhGeom_Curve) aMacro = newCurve();
  if (!readByte(aTag, "VEX_READER_READ_BYTE_FAILURE"))
  {
    return;
  }
  if (aTag == VexData_Format::Tag_PathStart)
  {
    readPath(aMacro, aTag);
    if (myStatus != Ok)
    {
      return;
    }
  }
  if (aTag != VexData_Format::Tag_MacroEnd)
  {
    fail(WrongFormat, "VEX_READER_WRONG_TYPE",
         static_cast<Standard_Integer>(VexData_Format::Tag_MacroEnd));
    return;
  }
  myMacros.Append(aMacro);
}

// ---------------------------------------------------------------------------------------------
// Scanner box and scan fields
// ---------------------------------------------------------------------------------------------

void VexData_Reader::readScannerBox()
{
  if (myTypes.IsRedeclared(VexData_Format::Tag_ScannerBox))
  {
    VexData_Message::Send(myModel.Messenger(), "VEX_READER_SCANNER_BOX_IGNORED", Message_Warning);
    skip(VexData_Format::Tag_ScannerBox);
    return;
  }
  if (!readReal(myBoxWidth))
  {
    return;
  }
  if (!(myBoxWidth > 0.0))
  {
    fail(InvalidData, "VEX_READER_INVALID_SCANNER_BOX");
    return;
  }
  if (readReal(myBoxHeight) && !(myBoxHeight > 0.0))
  {
    fail(InvalidData, "VEX_READER_INVALID_SCANNER_BOX");
  }
}

void VexData_Reader::readScanField()
{
  if (myTypes.IsRedeclared(VexData_Format::Tag_ScanFieldPosition))
  {
    VexData_Message::Send(myModel.Messenger(), "VEX_READER_SCANNER_POS_IGNORED", Message_Warning);
    skip(VexData_Format::Tag_ScanFieldPosition);
    return;
  }
  gp_XY aCenter;
  if (!(myBoxWidth > 0.0) || !(myBoxHeight > 0.0))
  {
    fail(InvalidData, "VEX_READER_INVALID_SCANNER_BOX");
    return;
  }
  if (!readPoint(aCenter))
  {
    return;
  }
  const gp_XY aHalf(0.5 * myBoxWidth, 0.5 * myBoxHeight);
  const gp_XY aCorners[4]         = {aCenter - aHalf, aCenter + gp_XY(aHalf.X(), -aHalf.Y()),
                                     aCenter + aHalf, aCenter + gp_XY(-aHalf.X(), aHalf.Y())};
  Handle(PhGeom_Curve) aRectangle = newCurve();
  for (Standard_Integer aSide = 0; aSide < 4; ++aSide)
  {
    aRectangle->CreateSegment(aCorners[aSide], aCorners[(aSide + 1) % 4]);
  }
  Handle(PhGeom_Curve) aContainer = newCurve();
  aContainer->AddChild(aRectangle);
  Handle(PenFormatData_Sequence) aSequence = new PenFormatData_Sequence(0, 0, aContainer);
  aSequence->SetLayerName(scanFieldLayer()->Name());
  aSequence->SetToolpathMode(PenFormatData_TM_Path);
  aSequence->SetToolpathFlag(0);
  myModel.AddObject(aSequence);
}

const Handle(PenFormatData_Layer) & VexData_Reader::scanFieldLayer()
{
  if (myScanLayer.IsNull())
  {
    myScanLayer = addLayer(TCollection_ExtendedString(VexData_Format::THE_SCAN_FIELD_LAYER));
  }
  return myScanLayer;
}

Handle(PenFormatData_Layer) VexData_Reader::addLayer(const TCollection_ExtendedString& theName)
{
  Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer(theName);
  aLayer->SetFlags(aLayer->Flags() | THE_LAYER_FLAGS);
  myModel.SetLayer(aLayer);
  return aLayer;
}

// ---------------------------------------------------------------------------------------------
// Reads with failure reporting
// ---------------------------------------------------------------------------------------------

Handle(PhGeom_Curve) VexData_Reader::newCurve() const
{
  return PhGeom_Curve::Create(myModel.Allocator(), 0);
}

Standard_Boolean VexData_Reader::check(const Standard_Integer theCode,
                                       const Standard_CString theKey)
{
  if (theCode == VexData_Format::Code_Ok)
  {
    return Standard_True;
  }
  if (theKey != NULL)
  {
    VexData_Message::Send(myModel.Messenger(), theKey);
  }
  myStatus = static_cast<Status>(theCode);
  return Standard_False;
}

Standard_Boolean VexData_Reader::readByte(Standard_Integer& theValue, const Standard_CString theKey)
{
  return check(myInput.ReadByte(theValue), theKey);
}

Standard_Boolean VexData_Reader::readInt(Standard_Integer& theValue)
{
  return check(myInput.ReadInt(theValue), "VEX_READER_READ_INT_FAILURE");
}

Standard_Boolean VexData_Reader::readReal(Standard_Real& theValue)
{
  return readReals(&theValue, 1);
}

Standard_Boolean VexData_Reader::readReals(Standard_Real*         theValues,
                                           const Standard_Integer theCount)
{
  Standard_ShortReal     aValues[VexData_Stream::THE_MAX_FLOATS];
  const Standard_Boolean isRead =
      check(myInput.ReadFloats(aValues, theCount), "VEX_READER_READ_FLOAT_FAILURE");
  for (Standard_Integer anIndex = 0; anIndex < theCount; ++anIndex)
  {
    theValues[anIndex] = static_cast<Standard_Real>(aValues[anIndex]);
  }
  return isRead;
}

Standard_Boolean VexData_Reader::readPoint(gp_XY& thePoint)
{
  Standard_Real aValues[2];
  if (!readReals(aValues, 2))
  {
    return Standard_False;
  }
  thePoint.SetCoord(aValues[0], aValues[1]);
  return Standard_True;
}

Standard_Boolean VexData_Reader::readString(TCollection_AsciiString& theText)
{
  if (!check(myInput.ReadString(), "VEX_READER_READ_SSTRING_FAILURE"))
  {
    return Standard_False;
  }
  theText = myInput.Buffer(); // the text ends at its 0 byte, which the buffer keeps
  return Standard_True;
}

Standard_Boolean VexData_Reader::expectType(const Standard_Integer theExpected)
{
  Standard_Integer aType = 0;
  if (!readByte(aType, "VEX_READER_READING_TYPE_FAILURE"))
  {
    return Standard_False;
  }
  return aType == theExpected || fail(WrongFormat, "VEX_READER_WRONG_TYPE", theExpected);
}

Standard_Boolean VexData_Reader::fail(const Status theStatus, const Standard_CString theKey)
{
  VexData_Message::Send(myModel.Messenger(), theKey);
  myStatus = theStatus;
  return Standard_False;
}

Standard_Boolean VexData_Reader::fail(const Status theStatus, const Standard_CString theKey,
                                      const Standard_Integer theArg)
{
  VexData_Message::Send(myModel.Messenger(), theKey, theArg);
  myStatus = theStatus;
  return Standard_False;
}

Standard_Boolean VexData_Reader::skip(const Standard_Integer theTag)
{
  return check(myTypes.Skip(myInput, theTag), NULL);
}
