// Copyright (c) 2026 VexData developers
#include <VexData_ModelBuilder.hxx>

#include <PenFormatData_Sequence.hxx>

#include <gp.hxx>
#include <gp_Dir2d.hxx>
#include <gp_Trsf2d.hxx>
#include <gp_Vec2d.hxx>

#include <cmath>
#include <utility>

// The grammar, compiled here for the builder.
template VexData_Reader::Status VexData_RecordParser::Parse<VexData_ModelBuilder>(
    std::istream&, const Handle(Message_Messenger) &, VexData_ModelBuilder&);

namespace
{
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

//! Converts the bytes of theText one by one into characters of an extended string.
TCollection_ExtendedString toExtended(const TCollection_AsciiString& theText)
{
  return TCollection_ExtendedString(theText.ToCString(), Standard_False);
}
} // namespace

VexData_ModelBuilder::VexData_ModelBuilder(PenFormatData_Model& theModel)
    : myModel(theModel), myTool(0), myPath(NULL)
{
}

void VexData_ModelBuilder::ToolDefinition(const Standard_Integer, const Standard_Boolean,
                                          const Standard_Integer theNumber,
                                          const VexData_Tool& theTool, const Standard_Boolean isNew)
{
  if (!isNew)
  {
    return; // a repeated definition shares the aperture of the first
  }
  Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
      1, toExtended(theTool.UniqueName()), Handle(Standard_Transient)(), 0);
  const Standard_Real aWidth[1] = {static_cast<Standard_Real>(theTool.Width())};
  anAperture->SetParam(aWidth, 1);
  anAperture->SetToolFlag(1);
  myModel.SetAperture(theNumber, anAperture);
}

void VexData_ModelBuilder::BlockHeader(const TCollection_AsciiString& thePhase,
                                       const TCollection_AsciiString& theLayer)
{
  myPhase = toExtended(thePhase);
  myLayer = toExtended(theLayer);
  if (!theLayer.IsEmpty())
  {
    addLayer(myLayer);
  }
}

void VexData_ModelBuilder::ToolGroup(const Standard_Integer, const Standard_Boolean,
                                     const Standard_Integer theNumber, const VexData_Tool&)
{
  myTool   = theNumber;
  myCurves = newCurve();
  myPoints.Nullify();
  myCurrent.Nullify();
}

void VexData_ModelBuilder::GroupEnd()
{
  flushCurve();
  if (!myCurves->Children().IsEmpty())
  {
    addToolpath(myCurves, PenFormatData_TM_Path);
  }
  if (!myPoints.IsNull())
  {
    addToolpath(myPoints, PenFormatData_TM_Point);
  }
}

void VexData_ModelBuilder::PathStart(const gp_XY&)
{
  // A path in a macro definition fills the macro; one in a tool group a curve of its own.
  if (myMacro.IsNull())
  {
    startCurve();
    myPath = myCurrent.get();
  }
  else
  {
    myPath = myMacro.get();
  }
}

void VexData_ModelBuilder::ArcTo(const gp_XY& theFrom, const gp_XY& theEnd, const gp_XY& theCentre,
                                 const Standard_Real theRadius, const Standard_Boolean isFullTurn)
{
  // The radius is taken from the record, not from the points; its sign gives the sense.
  const Standard_Real anAngle1 = angleOf(theFrom - theCentre);
  const Standard_Real anAngle2 = isFullTurn ? anAngle1 + THE_TWO_PI : angleOf(theEnd - theCentre);
  myPath->CreateArc(theCentre, std::abs(theRadius), anAngle1, anAngle2, senseOf(theRadius));
}

void VexData_ModelBuilder::Circle(const gp_XY& theCentre, const Standard_Real theRadius)
{
  startCurve();
  myCurrent->CreateArc(theCentre, std::abs(theRadius), 0.0, THE_TWO_PI, senseOf(theRadius));
}

void VexData_ModelBuilder::DrillPoint(const gp_XY& thePoint)
{
  // Every hole is a curve of its own; the path being built stays open.
  if (myPoints.IsNull())
  {
    myPoints = newCurve();
  }
  Handle(PhGeom_Curve) aHole = newCurve();
  aHole->CreatePoint(thePoint);
  myPoints->AddChild(std::move(aHole));
}

void VexData_ModelBuilder::MacroBegin(const Standard_Integer)
{
  myMacro = newCurve();
}

void VexData_ModelBuilder::MacroEnd(const VexData_RecordPlace&, const Standard_Integer,
                                    const Standard_Size)
{
  myMacros.Append(myMacro);
  myMacro.Nullify();
}

void VexData_ModelBuilder::Placement(const Standard_Integer theNumber, const gp_XY& theOffset)
{
  startCurve();
  const Handle(PhGeom_Curve)& aMacro = myMacros.Value(theNumber);
  for (PhGeom_Curve::ElementIterator anIter(*aMacro); anIter.More(); anIter.Next())
  {
    myCurrent->CreateElement(anIter.Value(), 0, 1);
  }
  gp_Trsf2d aMove;
  aMove.SetTranslation(gp_Vec2d(theOffset));
  myCurrent->Transform(aMove);
}

void VexData_ModelBuilder::ScanField(const gp_XY& theCentre, const Standard_Real theWidth,
                                     const Standard_Real theHeight)
{
  const gp_XY aHalf(0.5 * theWidth, 0.5 * theHeight);
  const gp_XY aCorners[4]         = {theCentre - aHalf, theCentre + gp_XY(aHalf.X(), -aHalf.Y()),
                                     theCentre + aHalf, theCentre + gp_XY(-aHalf.X(), aHalf.Y())};
  Handle(PhGeom_Curve) aRectangle = newCurve();
  for (Standard_Integer aSide = 0; aSide < 4; ++aSide)
  {
    aRectangle->CreateSegment(aCorners[aSide], aCorners[(aSide + 1) % 4]);
  }
  Handle(PhGeom_Curve) aContainer = newCurve();
  aContainer->AddChild(aRectangle);
  if (myScanLayer.IsNull())
  {
    myScanLayer = addLayer(TCollection_ExtendedString(VexData_Format::THE_SCAN_FIELD_LAYER));
  }
  Handle(PenFormatData_Sequence) aSequence = new PenFormatData_Sequence(0, 0, aContainer);
  aSequence->SetLayerName(myScanLayer->Name());
  aSequence->SetToolpathMode(PenFormatData_TM_Path);
  aSequence->SetToolpathFlag(0);
  myModel.AddObject(aSequence);
}

void VexData_ModelBuilder::flushCurve()
{
  if (!myCurrent.IsNull() && myCurrent->NbElements() > 0)
  {
    myCurves->AddChild(std::move(myCurrent));
  }
  myCurrent.Nullify();
}

void VexData_ModelBuilder::startCurve()
{
  flushCurve();
  myCurrent = newCurve();
}

void VexData_ModelBuilder::addToolpath(const Handle(PhGeom_Curve) & theContainer,
                                       const PenFormatData_ToolpathMode theMode)
{
  Handle(PenFormatData_Sequence) aSequence = new PenFormatData_Sequence(myTool, 0, theContainer);
  aSequence->SetLayerName(myLayer);
  aSequence->SetPhaseName(myPhase);
  aSequence->SetToolpathMode(theMode);
  aSequence->SetToolpathFlag(1);
  myModel.AddObject(aSequence);
}

Handle(PenFormatData_Layer)
    VexData_ModelBuilder::addLayer(const TCollection_ExtendedString& theName)
{
  Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer(theName);
  aLayer->SetFlags(aLayer->Flags() | THE_LAYER_FLAGS);
  myModel.SetLayer(aLayer);
  return aLayer;
}
