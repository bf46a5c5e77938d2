// Copyright (c) 2026 VexData developers
#include <VexData_BlockWriter.hxx>

#include <VexData_ExportParameters.hxx>
#include <VexData_Format.hxx>
#include <PenFormatData_ScanField.hxx>
#include <PenFormatData_Sequence.hxx>

#include <Precision.hxx>

#include <cmath>

namespace
{
typedef VexData_OutputQueue::Record Record;
typedef VexData_OutputQueue::Cursor Cursor;

//! Bytes of a point record (tag and two floats): a path start, a line-to or a drill point.
const std::streamsize THE_POINT_BYTES = 9;

//! Most bytes one element of a contour writes: a path start and an arc-to (tag, end, centre and
//! radius).
const std::streamsize THE_MAX_ELEMENT_BYTES = THE_POINT_BYTES + 21;

//! Elements of a contour written into one reservation of the queue.
const int THE_RUN_LENGTH = 64;

//! Returns true when both coordinates of thePoint are numbers (infinities are).
Standard_Boolean isNumber(const gp_XY& thePoint)
{
  return !std::isnan(thePoint.X()) && !std::isnan(thePoint.Y());
}

//! Writes theArc as a circle record, lengths times theFactor, unless its centre or radius is not
//! a number: the full circle of the arc, whose sweep is not kept; the radius keeps its sign.
void putCircle(const PhGeom_Arc& theArc, const Standard_Real theFactor, Cursor& theCursor)
{
  if (!isNumber(theArc.Center()) || std::isnan(theArc.Radius()))
  {
    return;
  }
  theCursor.Byte(VexData_Format::Tag_Circle)
      .Point(theArc.Center(), theFactor)
      .Float(theArc.Radius() * theFactor);
}

//! Writes theArc as an arc-to record, lengths times theFactor, opening a path before it unless
//! theIsOpen; theCurrent becomes its end.
void putArc(const PhGeom_Arc& theArc, const Standard_Real theFactor, Cursor& theCursor,
            Standard_Boolean& theIsOpen, gp_XY& theCurrent)
{
  // An arc whose record would carry a value that is not a number (such as the end of an arc-to
  // read with its end at infinity, whose end angle is not a number) is not written, as a segment
  // whose end is not a number is not: the path and its current point stay as they are, and the
  // next element continues from there.
  const gp_XY& anEnd = theArc.EndPoint();
  if (!isNumber(anEnd) || !isNumber(theArc.Center()) || std::isnan(theArc.Radius()) ||
      (!theIsOpen && !isNumber(theArc.StartPoint())))
  {
    return;
  }
  if (!theIsOpen)
  {
    theCursor.Byte(VexData_Format::Tag_PathStart).Point(theArc.StartPoint(), theFactor);
    theIsOpen = Standard_True;
  }
  // The sign of the radius carries the sense: negative when the arc runs clockwise.
  const Standard_Real aRadius =
      theArc.Angle(1) < theArc.Angle(0) ? -theArc.Radius() : theArc.Radius();
  theCursor.Byte(VexData_Format::Tag_ArcTo)
      .Point(anEnd, theFactor)
      .Point(theArc.Center(), theFactor)
      .Float(aRadius * theFactor);
  theCurrent = anEnd;
}

//! Writes theSegment as a line-to record, lengths times theFactor, unless it is too short;
//! opens a path before it unless theIsOpen, which does not happen at a point that is not a
//! number. theCurrent is the last point written.
void putSegment(const PhGeom_Segment& theSegment, const Standard_Real theFactor, Cursor& theCursor,
                Standard_Boolean& theIsOpen, gp_XY& theCurrent)
{
  if (!theIsOpen)
  {
    if (!isNumber(theSegment.StartPoint()))
    {
      return; // the next element opens the path
    }
    theCursor.Byte(VexData_Format::Tag_PathStart).Point(theSegment.StartPoint(), theFactor);
    theCurrent = theSegment.StartPoint();
    theIsOpen  = Standard_True;
  }
  // Segments shorter than the confusion tolerance in the file's unit are left out; the next one
  // is measured from the last point written.
  const gp_XY aDelta = (theCurrent - theSegment.End()) * theFactor;
  if (aDelta.SquareModulus() > Precision::SquareConfusion())
  {
    theCursor.Byte(VexData_Format::Tag_LineTo).Point(theSegment.End(), theFactor);
    theCurrent = theSegment.End();
  }
}

//! Writes the records of theElement of a path contour, lengths times theFactor: a segment as a
//! line-to, an arc as an arc-to or, with theAsCircles, as a circle record, which ends the path.
//! theIsOpen and theCurrent tell the path being written; a point writes nothing.
void putElement(const PhGeom_Element& theElement, const Standard_Real theFactor,
                const Standard_Boolean theAsCircles, Cursor& theCursor, Standard_Boolean& theIsOpen,
                gp_XY& theCurrent)
{
  if (theElement.Kind() == PhGeom_Element::Kind_Segment)
  {
    putSegment(static_cast<const PhGeom_Segment&>(theElement), theFactor, theCursor, theIsOpen,
               theCurrent);
  }
  else if (theElement.Kind() == PhGeom_Element::Kind_Arc && theAsCircles)
  {
    // A reader steps over a line-to that follows a circle record: the circle ends the path, and
    // the next arc or segment opens one of its own at its start point.
    putCircle(static_cast<const PhGeom_Arc&>(theElement), theFactor, theCursor);
    theIsOpen = Standard_False;
  }
  else if (theElement.Kind() == PhGeom_Element::Kind_Arc)
  {
    putArc(static_cast<const PhGeom_Arc&>(theElement), theFactor, theCursor, theIsOpen, theCurrent);
  }
}
} // namespace

VexData_BlockWriter::VexData_BlockWriter(const PenFormatData_Model&          theModel,
                                         VexData_OutputQueue&                theRecords,
                                         const VexData_ToolpathCollector&    theCollector,
                                         const VexData_Writer::MappingTable& theMapping,
                                         const Standard_Boolean              isExportingScanFields,
                                         const Standard_Real                 theUnitFactor)
    : myModel(theModel), myRecords(theRecords), myCollector(theCollector), myMapping(theMapping),
      myExportScanFields(isExportingScanFields), myUnitFactor(theUnitFactor),
      myHasBodyRecord(Standard_False)
{
}

Standard_Boolean VexData_BlockWriter::WriteBody()
{
  myHasBodyRecord = Standard_False;
  if (!myRecords.WriteDeclarations() || (myExportScanFields && !writeScannerBox()))
  {
    return Standard_False;
  }
  for (VexData_ToolpathCollector::ContainerMap::Iterator anIter(myCollector.Containers());
       anIter.More(); anIter.Next())
  {
    if (!writeContainer(anIter.Value()))
    {
      return Standard_False;
    }
  }
  // A reader needs at least one record after the declarations: a body without any block or
  // scanner box (an empty model) ends with an empty record, which every reader steps over.
  return myHasBodyRecord || myRecords.Write(Record().Byte(VexData_Format::Tag_Empty));
}

Standard_Boolean VexData_BlockWriter::writeScannerBox()
{
  // One box for all scan field positions: the size of scan field 1.
  if (myModel.NbScanFields() < 2)
  {
    return Standard_True;
  }
  const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(1);
  if (aField.IsNull())
  {
    return Standard_True;
  }
  Record aRecord;
  aRecord.Byte(VexData_Format::Tag_ScannerBox)
      .Float(aField->Width() * myUnitFactor)
      .Float(aField->Height() * myUnitFactor);
  myHasBodyRecord = Standard_True;
  return myRecords.Write(aRecord);
}

Standard_Boolean VexData_BlockWriter::writeContainer(const VexData_ToolpathContainer& theContainer)
{
  VexData_BlockOrder anOrder(myModel, theContainer, myCollector.Allocator());
  for (VexData_BlockOrder::ApertureSet::Iterator anIter(anOrder.Apertures()); anIter.More();
       anIter.Next())
  {
    VexData_BlockOrder::SequenceList* aList = anOrder.ChangeToolpaths(anIter.Key());
    if (aList != NULL && !writeApertureBlocks(*aList, anIter.Key()))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexData_BlockWriter::writeApertureBlocks(VexData_BlockOrder::SequenceList& theList,
                                                          const Standard_Integer theAperture)
{
  // Each real pair of phase and layer names is written on its own, in the order of its first
  // toolpath, so that no toolpath is written under another one's names.
  if (!theList.IsEmpty() && !VexData_BlockOrder::MayMixNames(theList))
  {
    return writeMappedBlocks(theList, theAperture);
  }
  while (!theList.IsEmpty() && isGood())
  {
    VexData_BlockOrder::SequenceList aPart;
    VexData_BlockOrder::TakeSameNames(theList, aPart);
    writeMappedBlocks(aPart, theAperture);
  }
  return isGood();
}

Standard_Boolean VexData_BlockWriter::writeMappedBlocks(
    const VexData_BlockOrder::SequenceList& theList, const Standard_Integer theAperture)
{
  const PenFormatData_Sequence& aFirst = *theList.First();
  VexData_Writer::MapItem       aDefault;
  aDefault.phase = VexData_ExportParameters::ToAscii(aFirst.PhaseName());
  aDefault.layer = VexData_ExportParameters::ToAscii(aFirst.LayerName());
  aDefault.tool  = VexData_ToolpathCollector::ApertureName(myModel, theAperture);
  const NCollection_List<VexData_Writer::MapItem>* anItems = myMapping.Seek(
      VexData_ExportParameters::MappingKey(aDefault.phase, aDefault.layer, aDefault.tool));
  if (anItems == NULL)
  {
    return writeToolpathBlocks(theList, aDefault);
  }
  for (NCollection_List<VexData_Writer::MapItem>::Iterator anItem(*anItems); anItem.More();
       anItem.Next())
  {
    if (!writeToolpathBlocks(theList, anItem.Value()))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexData_BlockWriter::writeToolpathBlocks(
    const VexData_BlockOrder::SequenceList& theList, const VexData_Writer::MapItem& theItem)
{
  const TCollection_AsciiString& aPhase =
      theItem.outPhase.IsEmpty() ? theItem.phase : theItem.outPhase;
  const TCollection_AsciiString& aLayer =
      theItem.outLayer.IsEmpty() ? theItem.layer : theItem.outLayer;
  if (theItem.outTools.IsEmpty())
  {
    const TCollection_AsciiString aTool =
        VexData_ToolpathCollector::ApertureName(myModel, theList.First()->ApertureNumber());
    return writeOneBlock(theList, theItem, aPhase, aLayer, aTool);
  }
  for (NCollection_List<TCollection_AsciiString>::Iterator aTool(theItem.outTools); aTool.More();
       aTool.Next())
  {
    if (!writeOneBlock(theList, theItem, aPhase, aLayer, aTool.Value()))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexData_BlockWriter::writeOneBlock(const VexData_BlockOrder::SequenceList& theList,
                                                    const VexData_Writer::MapItem&          theItem,
                                                    const TCollection_AsciiString& thePhase,
                                                    const TCollection_AsciiString& theLayer,
                                                    const TCollection_AsciiString& theTool)
{
  const char aBlockStart[] = {char(VexData_Format::Tag_ToolpathBlock),
                              char(VexData_Format::Tag_BlockHeader),
                              char(VexData_Format::Field_String)};
  const char aLayerField[] = {char(VexData_Format::Field_String)};
  const char anEnd[]       = {char(VexData_Format::Tag_End)};
  myHasBodyRecord          = Standard_True;
  if (!myRecords.Write(aBlockStart, sizeof(aBlockStart)) || !myRecords.WriteString(thePhase) ||
      !myRecords.Write(aLayerField, sizeof(aLayerField)) || !myRecords.WriteString(theLayer) ||
      !myRecords.Write(anEnd, sizeof(anEnd)) ||
      !writeToolDefinition(theList.First()->ApertureNumber(), theTool))
  {
    return Standard_False;
  }
  // One tool group for all toolpaths, naming the block's only tool.
  if (!myRecords.Write(Record().Byte(VexData_Format::Tag_ToolGroup).Int(1)))
  {
    return Standard_False;
  }
  for (VexData_BlockOrder::SequenceList::Iterator anIter(theList); anIter.More(); anIter.Next())
  {
    if (!writeSequenceGeometry(*anIter.Value(), theItem))
    {
      return Standard_False;
    }
  }
  return myRecords.Write(anEnd, sizeof(anEnd));
}

Standard_Boolean VexData_BlockWriter::writeToolDefinition(const Standard_Integer theAperture,
                                                          const TCollection_AsciiString& theTool)
{
  const Handle(PenFormatData_Aperture)& anAperture = myModel.Aperture(theAperture);
  const Standard_Real aWidth =
      !anAperture.IsNull() && anAperture->NbParams() >= 1 ? anAperture->Param(1) : 0.0;
  const Standard_Byte* aToolMode = myCollector.ToolModes().Seek(theAperture);
  Record               aRecord;
  aRecord.Byte(VexData_Format::Tag_ToolDefinition)
      .Byte(VexData_Format::Field_Int)
      .Int(1)
      .Byte(VexData_Format::Field_Byte)
      .Byte(aToolMode != NULL ? *aToolMode : Standard_Byte(VexData_Format::ToolMode_Paths))
      .Byte(VexData_Format::Field_Float)
      .Float(aWidth * myUnitFactor)
      .Byte(VexData_Format::Field_String);
  const char anEnd[] = {char(VexData_Format::Tag_End)};
  return myRecords.Write(aRecord) && myRecords.WriteString(theTool) &&
         myRecords.Write(anEnd, sizeof(anEnd));
}

// ---------------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexData_BlockWriter::writeSequenceGeometry(
    const PenFormatData_Sequence& theSequence, const VexData_Writer::MapItem& theItem)
{
  if (myExportScanFields && !writeScanFieldPosition(theSequence))
  {
    return Standard_False;
  }
  const Handle(PhGeom_Curve)& aCurve = theSequence.GetCurve();
  if (aCurve.IsNull())
  {
    return Standard_True;
  }
  const Standard_Boolean isPath = theSequence.ToolpathMode() == PenFormatData_TM_Path;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(aCurve->Children()); anIter.More();
       anIter.Next())
  {
    if (anIter.Value().IsNull())
    {
      continue;
    }
    const Standard_Boolean isWritten = isPath
                                           ? writeContour(*anIter.Value(), theItem.asCircles != 0)
                                           : writeDrillPoints(*anIter.Value());
    if (!isWritten)
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexData_BlockWriter::writeScanFieldPosition(
    const PenFormatData_Sequence& theSequence)
{
  // Repeated before every toolpath of a scan field, also when the previous one shares it.
  const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(theSequence.ScanFieldIndex());
  if (aField.IsNull() || aField->Number() == 0)
  {
    return Standard_True;
  }
  return myRecords.Write(
      Record().Byte(VexData_Format::Tag_ScanFieldPosition).Point(aField->Center(), myUnitFactor));
}

Standard_Boolean VexData_BlockWriter::writeContour(const PhGeom_Curve&    theContour,
                                                   const Standard_Boolean theAsCircles)
{
  // Each contour opens its own path at its first arc or segment. The elements write straight
  // into the queue, a run at a time, in room for the largest records of every element of the run.
  const Standard_Real aFactor = myUnitFactor;
  Standard_Boolean    isOpen  = Standard_False;
  gp_XY               aCurrent(0.0, 0.0);
  for (PhGeom_Curve::ElementIterator anIter(theContour); anIter.More();)
  {
    char* aRoom = myRecords.Reserve(THE_RUN_LENGTH * THE_MAX_ELEMENT_BYTES);
    if (aRoom == NULL)
    {
      return Standard_False;
    }
    Cursor aCursor(aRoom);
    for (int aCount = 0; aCount < THE_RUN_LENGTH && anIter.More(); ++aCount, anIter.Next())
    {
      putElement(anIter.Value(), aFactor, theAsCircles, aCursor, isOpen, aCurrent);
    }
    myRecords.Commit(aCursor);
  }
  return Standard_True;
}

Standard_Boolean VexData_BlockWriter::writeDrillPoints(const PhGeom_Curve& theContour)
{
  for (PhGeom_Curve::ElementIterator anIter(theContour); anIter.More(); anIter.Next())
  {
    if (anIter.Value().Kind() != PhGeom_Element::Kind_Point)
    {
      continue;
    }
    char* aRoom = myRecords.Reserve(THE_POINT_BYTES);
    if (aRoom == NULL)
    {
      return Standard_False;
    }
    Cursor aCursor(aRoom);
    aCursor.Byte(VexData_Format::Tag_DrillPoint).Point(anIter.Value().StartPoint(), myUnitFactor);
    myRecords.Commit(aCursor);
  }
  return Standard_True;
}
