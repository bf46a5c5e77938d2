// Copyright (c) 2026 VexData developers
#include <VexExcellon_ModelBuilder.hxx>

#include <VexExcellon_Reader.hxx>

#include <PenFormatData.hxx>
#include <PenFormatData_Sequence.hxx>

#include <cmath>
#include <cstdio>

namespace
{
//! Flag bits of the layer the reader registers (visible and selectable), as machine files get.
const Standard_Integer THE_LAYER_FLAGS = 3;

//! Distance under which the ends of an arc meet and make a full circle, and under which a slot
//! has no length (in millimetres).
const Standard_Real THE_SAME_POINT = 1.0e-7;

//! One full turn, in radians.
const Standard_Real THE_TWO_PI = 2.0 * M_PI;

//! Report kinds of the counts, in the order of VexExcellon_ModelBuilder's Count.
const char* const THE_COUNT_KINDS[] = {"holes", "slots", "routed paths",
                                       "tools defined but not used"};

//! Report kinds of what the parser leaves out, in the order of VexExcellon_Listener::Ignored.
const char* const THE_IGNORED_KINDS[] = {"comments",
                                         "attributes",
                                         "machine settings",
                                         "unknown commands",
                                         "route moves without the tool plunged",
                                         "lines after the end of the program"};

//! Returns the name of tool theTool: "T" and at least two digits.
TCollection_AsciiString toolName(const Standard_Integer theTool)
{
  char aName[16];
  std::snprintf(aName, sizeof(aName), "T%02d", theTool);
  return TCollection_AsciiString(aName);
}

//! Returns theText, or theDefault when theText is empty.
TCollection_ExtendedString nameOr(const TCollection_AsciiString& theText, const char* theDefault)
{
  return TCollection_ExtendedString(theText.IsEmpty() ? theDefault : theText.ToCString());
}
} // namespace

VexExcellon_ModelBuilder::VexExcellon_ModelBuilder(PenFormatData_Model&        theModel,
                                                   const VexPcb_ImportOptions& theOptions,
                                                   VexPcb_TransferReport&      theReport)
    : myModel(theModel), myReport(theReport), myApertures(theModel), myRouteTool(-1),
      myPhase(nameOr(theOptions.Phase, VexExcellon_Reader::THE_PHASE)),
      myLayer(nameOr(theOptions.Layer, VexExcellon_Reader::THE_LAYER)), myFactor(1.0),
      isEmptyModel(theModel.Objects().IsEmpty() && theModel.NbApertures() <= 1)
{
  if (!isEmptyModel)
  {
    myFactor =
        PenFormatData::ComputeUnitFactor(PenFormatData_DU_Millimetre, theModel.DimensionUnit());
  }
  for (Standard_Integer aCount = 0; aCount < Count_NbCounts; ++aCount)
  {
    myCounts[aCount] = 0;
  }
  for (Standard_Integer anIgnored = 0; anIgnored <= Ignored_AfterEnd; ++anIgnored)
  {
    myIgnored[anIgnored] = 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Listener calls
// ---------------------------------------------------------------------------------------------

void VexExcellon_ModelBuilder::OnTool(const Standard_Integer, const Standard_Integer theTool,
                                      const Standard_Real theDiameter)
{
  const Standard_Real aDiameter = theDiameter * myFactor;
  Tool*               aTool     = myTools.ChangeSeek(theTool);
  if (aTool != NULL &&
      std::abs(aTool->Diameter - aDiameter) <= VexExcellon_ApertureTable::THE_TOLERANCE)
  {
    return; // the same tool defined again
  }
  if (aTool != NULL)
  {
    myCounts[Count_UnusedTools] += aTool->Toolpaths < 0 ? 1 : 0;
    aTool->Diameter  = aDiameter;
    aTool->Toolpaths = -1;
    return;
  }
  const Tool aNew = {aDiameter, -1};
  myTools.Bind(theTool, aNew);
}

Standard_Integer VexExcellon_ModelBuilder::toolpaths(const Standard_Integer theTool)
{
  // The parser only reports features of defined tools.
  Tool& aTool = myTools.ChangeFind(theTool);
  if (aTool.Toolpaths < 0)
  {
    const Standard_Integer  anAperture = myApertures.Find(toolName(theTool), aTool.Diameter);
    const Standard_Integer* anIndex    = myByAperture.Seek(anAperture);
    if (anIndex == NULL)
    {
      Toolpaths aNew;
      aNew.Aperture = anAperture;
      anIndex       = myByAperture.Bound(anAperture, myToolpaths.Length());
      myToolpaths.Append(aNew);
    }
    aTool.Toolpaths = *anIndex;
  }
  return aTool.Toolpaths;
}

Handle(PhGeom_Curve) VexExcellon_ModelBuilder::newCurve() const
{
  return PhGeom_Curve::Create(myModel.Allocator(), 0);
}

void VexExcellon_ModelBuilder::OnHole(const Standard_Integer, const Standard_Integer theTool,
                                      const gp_XY& thePoint)
{
  Toolpaths& aToolpaths = myToolpaths.ChangeValue(toolpaths(theTool));
  if (aToolpaths.Points.IsNull())
  {
    aToolpaths.Points = newCurve();
  }
  Handle(PhGeom_Curve) aHole = newCurve();
  aHole->CreatePoint(toModel(thePoint));
  aToolpaths.Points->AddChild(std::move(aHole));
  ++myCounts[Count_Holes];
}

void VexExcellon_ModelBuilder::OnSlot(const Standard_Integer theLine,
                                      const Standard_Integer theTool, const gp_XY& theStart,
                                      const gp_XY& theEnd)
{
  // A slot whose ends meet is drilled as a hole.
  if ((theEnd - theStart).Modulus() <= THE_SAME_POINT)
  {
    OnHole(theLine, theTool, theStart);
    return;
  }
  Toolpaths& aToolpaths = myToolpaths.ChangeValue(toolpaths(theTool));
  if (aToolpaths.Paths.IsNull())
  {
    aToolpaths.Paths = newCurve();
  }
  Handle(PhGeom_Curve) aSlot = newCurve();
  aSlot->CreateSegment(toModel(theStart), toModel(theEnd));
  aToolpaths.Paths->AddChild(std::move(aSlot));
  ++myCounts[Count_Slots];
}

void VexExcellon_ModelBuilder::OnRouteMove(const Standard_Integer, const gp_XY&, const gp_XY&)
{
  // Travel with the tool up is not part of the job.
}

void VexExcellon_ModelBuilder::OnRouteSegment(const Standard_Integer,
                                              const Standard_Integer theTool, const gp_XY& theStart,
                                              const gp_XY& theEnd)
{
  if (myRoute.IsNull())
  {
    myRoute     = newCurve();
    myRouteTool = toolpaths(theTool);
  }
  myRoute->CreateSegment(toModel(theStart), toModel(theEnd));
}

void VexExcellon_ModelBuilder::OnRouteArc(const Standard_Integer, const Standard_Integer theTool,
                                          const gp_XY& theStart, const gp_XY& theEnd,
                                          const gp_XY&           theCenter,
                                          const Standard_Boolean theIsCounter)
{
  if (myRoute.IsNull())
  {
    myRoute     = newCurve();
    myRouteTool = toolpaths(theTool);
  }
  addArc(toModel(theStart), toModel(theEnd), toModel(theCenter), theIsCounter);
}

void VexExcellon_ModelBuilder::addArc(const gp_XY& theStart, const gp_XY& theEnd,
                                      const gp_XY&           theCenter,
                                      const Standard_Boolean theIsCounterClockwise)
{
  // The start fixes the radius and the first angle; the end only gives the second angle, so
  // the arc starts exactly where the route is.
  const gp_XY         aFrom     = theStart - theCenter;
  const gp_XY         aTo       = theEnd - theCenter;
  const Standard_Real anAngle1  = std::atan2(aFrom.Y(), aFrom.X());
  const Standard_Real aFullTurn = theIsCounterClockwise ? THE_TWO_PI : -THE_TWO_PI;
  const Standard_Real anAngle2  = (theEnd - theStart).Modulus() <= THE_SAME_POINT * myFactor
                                      ? anAngle1 + aFullTurn
                                      : std::atan2(aTo.Y(), aTo.X());
  myRoute->CreateArc(theCenter, aFrom.Modulus(), anAngle1, anAngle2, theIsCounterClockwise ? 1 : 0);
}

void VexExcellon_ModelBuilder::OnRouteEnd(const Standard_Integer)
{
  if (myRoute.IsNull())
  {
    return;
  }
  Toolpaths& aToolpaths = myToolpaths.ChangeValue(myRouteTool);
  if (aToolpaths.Paths.IsNull())
  {
    aToolpaths.Paths = newCurve();
  }
  aToolpaths.Paths->AddChild(std::move(myRoute));
  myRoute.Nullify();
  ++myCounts[Count_Routes];
}

void VexExcellon_ModelBuilder::OnIgnored(const Standard_Integer, const Ignored theWhat)
{
  ++myIgnored[theWhat];
}

void VexExcellon_ModelBuilder::OnFault(const VexPcb_Fault& theFault)
{
  myReport.SetFault(theFault);
}

// ---------------------------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------------------------

void VexExcellon_ModelBuilder::Commit()
{
  if (isEmptyModel)
  {
    myModel.SetDimensionUnit(PenFormatData_DU_Millimetre);
  }
  myApertures.Commit(myModel);
  if (!myToolpaths.IsEmpty() && myModel.FindLayer(myLayer).IsNull())
  {
    Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer(myLayer);
    aLayer->SetFlags(aLayer->Flags() | THE_LAYER_FLAGS);
    myModel.SetLayer(aLayer);
  }
  for (NCollection_Vector<Toolpaths>::Iterator anIter(myToolpaths); anIter.More(); anIter.Next())
  {
    addToolpath(anIter.Value(), 2);
    addToolpath(anIter.Value(), 1);
  }
  report();
}

void VexExcellon_ModelBuilder::addToolpath(const Toolpaths&       theToolpaths,
                                           const Standard_Integer theMode)
{
  const Handle(PhGeom_Curve)& aContainer = theMode == 2 ? theToolpaths.Points : theToolpaths.Paths;
  if (aContainer.IsNull())
  {
    return;
  }
  Handle(PenFormatData_Sequence) aSequence =
      new PenFormatData_Sequence(theToolpaths.Aperture, 0, aContainer);
  aSequence->SetLayerName(myLayer);
  aSequence->SetPhaseName(myPhase);
  aSequence->SetToolpathMode(theMode);
  aSequence->SetToolpathFlag(1);
  myModel.AddObject(aSequence);
}

void VexExcellon_ModelBuilder::report() const
{
  Standard_Integer anUnused = myCounts[Count_UnusedTools];
  for (NCollection_DataMap<Standard_Integer, Tool>::Iterator anIter(myTools); anIter.More();
       anIter.Next())
  {
    anUnused += anIter.Value().Toolpaths < 0 ? 1 : 0;
  }
  for (Standard_Integer aCount = Count_Holes; aCount <= Count_Routes; ++aCount)
  {
    if (myCounts[aCount] > 0)
    {
      myReport.Add(VexPcb_TransferReport::Outcome_Toolpath, THE_COUNT_KINDS[aCount],
                   myCounts[aCount]);
    }
  }
  for (Standard_Integer anIgnored = 0; anIgnored <= Ignored_AfterEnd; ++anIgnored)
  {
    if (myIgnored[anIgnored] > 0)
    {
      myReport.Add(VexPcb_TransferReport::Outcome_Ignored, THE_IGNORED_KINDS[anIgnored],
                   myIgnored[anIgnored]);
    }
  }
  if (anUnused > 0)
  {
    myReport.Add(VexPcb_TransferReport::Outcome_Ignored, THE_COUNT_KINDS[Count_UnusedTools],
                 anUnused);
  }
}
