// Copyright (c) 2026 VexData developers
#include <VexGerber_ModelBuilder.hxx>

#include <PenFormatData.hxx>

#include <Message_Messenger.hxx>

#include <cmath>

namespace
{
//! Flag bits set on the layer the reader registers (visible and selectable).
const Standard_Integer THE_LAYER_FLAGS = 3;

//! Distance under which a stroke starts where the last one ended, and a draw has no length.
const Standard_Real THE_SAME_POINT = 1.0e-9;

//! Returns the factor from millimetres to theModel's unit: 1 for an empty model, which takes
//! millimetres.
Standard_Real unitFactor(const PenFormatData_Model& theModel)
{
  const Standard_Boolean isEmpty = theModel.Objects().IsEmpty() && theModel.NbApertures() <= 1;
  return isEmpty ? 1.0
                 : PenFormatData::ComputeUnitFactor(PenFormatData_DU_Millimetre,
                                                    theModel.DimensionUnit());
}

//! Returns true when both coordinates of thePoint (millimetres) are lengths the reader accepts.
bool isInRange(const gp_XY& thePoint)
{
  return VexGerber_Limits::IsInRange(thePoint.X()) && VexGerber_Limits::IsInRange(thePoint.Y());
}

//! Returns true when every corner of theContour, and every arc's centre as an offset from the
//! arc's start, is a length the reader accepts. An outline reaches beyond the coordinates the
//! file gave (by half an aperture, or by a step-and-repeat offset), and a model holding more than
//! the reader accepts would be written as a file that does not read back.
bool isInRange(const VexGeom_Contour& theContour)
{
  for (Standard_Integer anIndex = 0; anIndex < theContour.NbEdges(); ++anIndex)
  {
    const VexGeom_Edge& anEdge = theContour.Edge(anIndex);
    const gp_XY&        aFrom  = theContour.EdgeStart(anIndex);
    if (!isInRange(aFrom) || !isInRange(anEdge.End) ||
        (anEdge.Type != VexGeom_Edge::Kind_Segment && !isInRange(anEdge.Center - aFrom)))
    {
      return false;
    }
  }
  return true;
}

//! Returns true when every contour of theContours (any collection of them) is in range.
template <class Contours> bool isInRange(const Contours& theContours)
{
  for (const VexGeom_Contour& aContour : theContours)
  {
    if (!isInRange(aContour))
    {
      return false;
    }
  }
  return true;
}

//! Returns true when every corner of theContour (closed, of segments) is seen from the mean of
//! its corners turning the same way round it: the fan of pieces around that point a large
//! polygon is written as covers the polygon and nothing else.
bool isStarFromMean(const VexGeom_Contour& theContour)
{
  const Standard_Integer aCount = theContour.NbEdges();
  gp_XY                  aMean(0.0, 0.0);
  for (Standard_Integer anIndex = 0; anIndex < aCount; ++anIndex)
  {
    aMean += theContour.EdgeStart(anIndex);
  }
  aMean /= static_cast<double>(aCount);
  bool isLeft = false, isRight = false;
  for (Standard_Integer anIndex = 0; anIndex < aCount; ++anIndex)
  {
    const double aTurn =
        (theContour.EdgeStart(anIndex) - aMean).Crossed(theContour.Edge(anIndex).End - aMean);
    isLeft  = isLeft || aTurn > 0.0;
    isRight = isRight || aTurn <= 0.0;
  }
  return isLeft != isRight;
}

//! Returns true when the outline theContours can be written as a macro of at most thePrimitives
//! outline primitives that read back and that common viewers read: corners within the values a
//! macro may have, each polygon of few corners or a fan around the mean of its corners.
bool isWritableOutline(const std::vector<VexGeom_Contour>& theContours, const size_t thePrimitives)
{
  size_t aPieces = 0;
  for (const VexGeom_Contour& aContour : theContours)
  {
    const Standard_Integer aCorners = aContour.NbEdges();
    for (Standard_Integer anIndex = 0; anIndex < aCorners; ++anIndex)
    {
      // Written in millimetres as a macro's values, which a reader takes up to this bound.
      const gp_XY& aCorner = aContour.Edge(anIndex).End;
      if (!(std::abs(aCorner.X()) <= VexGerber_Limits::THE_MAX_MACRO_VALUE &&
            std::abs(aCorner.Y()) <= VexGerber_Limits::THE_MAX_MACRO_VALUE))
      {
        return false;
      }
    }
    if (aCorners > VexGerber_Limits::THE_PORTABLE_OUTLINE_CORNERS && !isStarFromMean(aContour))
    {
      return false;
    }
    aPieces += static_cast<size_t>(VexGerber_Limits::OutlinePieces(aCorners));
  }
  return aPieces <= thePrimitives;
}
} // namespace

VexGerber_ModelBuilder::VexGerber_ModelBuilder(PenFormatData_Model&              theModel,
                                               const TCollection_ExtendedString& thePhase,
                                               const TCollection_ExtendedString& theLayer,
                                               VexPcb_TransferReport&            theReport,
                                               VexPcb_Nets& theNets, VexPcb_Fault& theFault,
                                               const VexGerber_Limits& theLimits,
                                               const size_t            theSize)
    : myModel(theModel), myPhase(thePhase), myLayer(theLayer), myReport(theReport), myNets(theNets),
      myFault(theFault), myShapes(theLimits, theFault, theSize),
      myMacroPolygons(static_cast<size_t>(Max(theLimits.MacroPrimitives, 0))),
      myFactor(unitFactor(theModel)), myApertures(theModel, myFactor, theFault), myKind(Kind_None),
      myNumber(0), isClear(Standard_False), isNegative(Standard_False)
{
}

// ---------------------------------------------------------------------------------------------
// Apertures
// ---------------------------------------------------------------------------------------------

Standard_Integer VexGerber_ModelBuilder::modelAperture(
    const Handle(VexGerber_Aperture) & theAperture, const VexGerber_ApertureTransform& theTransform)
{
  return myApertures.Find(theAperture, theTransform);
}

Standard_Boolean VexGerber_ModelBuilder::OnAperture(const Handle(VexGerber_Aperture) & theAperture)
{
  return modelAperture(theAperture, VexGerber_ApertureTransform()) != 0;
}

// ---------------------------------------------------------------------------------------------
// Sequences
// ---------------------------------------------------------------------------------------------

void VexGerber_ModelBuilder::useSequence(const Kind theKind, const Standard_Integer theAperture,
                                         const Standard_Boolean theIsClear)
{
  if (theKind == myKind && theAperture == myNumber && theIsClear == isClear)
  {
    return;
  }
  flushSequence();
  myKind      = theKind;
  myNumber    = theAperture;
  isClear     = theIsClear;
  myContainer = PhGeom_Curve::Create(myModel.Allocator(), 0);
}

void VexGerber_ModelBuilder::flushSequence()
{
  myPath.Nullify();
  if (myKind == Kind_None || myContainer.IsNull() || myContainer->Children().IsEmpty())
  {
    myKind = Kind_None;
    return;
  }
  Handle(PenFormatData_Sequence) aSequence = new PenFormatData_Sequence(myNumber, 0, myContainer);
  aSequence->SetLayerName(myLayer);
  aSequence->SetPhaseName(myPhase);
  const Standard_Boolean isArtwork = isClear || myKind == Kind_Area || myKind == Kind_Flash;
  aSequence->SetToolpathMode(myKind == Kind_Point || myKind == Kind_Flash ? 2 : 1);
  aSequence->SetToolpathFlag(isArtwork ? 0 : 1);
  aSequence->SetArea(myKind == Kind_Area);
  aSequence->SetClear(isClear);
  myObjects.Append(aSequence);
  myObjectNets.Append(myNet);
  myContainer.Nullify();
  myKind = Kind_None;
}

void VexGerber_ModelBuilder::Commit()
{
  flushSequence();
  if (myModel.Objects().IsEmpty() && myModel.NbApertures() <= 1)
  {
    myModel.SetDimensionUnit(PenFormatData_DU_Millimetre);
  }
  if (isNegative)
  {
    myModel.SetImagePolarity(PenFormatData_IP_Negative);
  }
  myApertures.Commit(myModel);
  if (myModel.FindLayer(myLayer).IsNull())
  {
    Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer(myLayer);
    aLayer->SetFlags(aLayer->Flags() | THE_LAYER_FLAGS);
    myModel.SetLayer(aLayer);
  }
  NCollection_List<TCollection_AsciiString>::Iterator aNet(myObjectNets);
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(myObjects); anIter.More();
       anIter.Next(), aNet.Next())
  {
    myModel.AddObject(anIter.Value());
    myNets.Add(anIter.Value(), aNet.Value());
  }
  myObjects.Clear();
  myObjectNets.Clear();
}

// ---------------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------------

void VexGerber_ModelBuilder::addArc(const Handle(PhGeom_Curve) & theCurve, const gp_XY& theFrom,
                                    const gp_XY& theTo, const gp_XY& theCenter,
                                    const Standard_Boolean isCcw) const
{
  const gp_XY         aStart = theFrom - theCenter, anEnd = theTo - theCenter;
  const Standard_Real anAngle1 = std::atan2(aStart.Y(), aStart.X());
  Standard_Real       anAngle2 = std::atan2(anEnd.Y(), anEnd.X());
  if ((theTo - theFrom).Modulus() < THE_SAME_POINT)
  {
    anAngle2 = anAngle1 + (isCcw ? 2.0 * M_PI : -2.0 * M_PI);
  }
  theCurve->CreateArc(theCenter * myFactor, aStart.Modulus() * myFactor, anAngle1, anAngle2,
                      isCcw ? 1 : 0);
}

Handle(PhGeom_Curve) VexGerber_ModelBuilder::toCurve(const VexGeom_Contour& theContour) const
{
  Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(myModel.Allocator(), 0);
  for (Standard_Integer anIndex = 0; anIndex < theContour.NbEdges(); ++anIndex)
  {
    const VexGeom_Edge& anEdge = theContour.Edge(anIndex);
    const gp_XY&        aFrom  = theContour.EdgeStart(anIndex);
    if (anEdge.Type == VexGeom_Edge::Kind_Segment)
    {
      aCurve->CreateSegment(aFrom * myFactor, anEdge.End * myFactor);
    }
    else
    {
      addArc(aCurve, aFrom, anEdge.End, anEdge.Center, anEdge.Type == VexGeom_Edge::Kind_ArcCcw);
    }
  }
  return aCurve;
}

const Handle(PhGeom_Curve) & VexGerber_ModelBuilder::pathFrom(const gp_XY& theFrom)
{
  if (myPath.IsNull() || (theFrom - myPathEnd).Modulus() >= THE_SAME_POINT)
  {
    myPath = PhGeom_Curve::Create(myModel.Allocator(), 0);
    myContainer->AddChild(myPath);
  }
  return myPath;
}

void VexGerber_ModelBuilder::addPoint(const gp_XY& thePoint)
{
  Handle(PhGeom_Curve) aHole = PhGeom_Curve::Create(myModel.Allocator(), 0);
  aHole->CreatePoint(thePoint * myFactor);
  myContainer->AddChild(std::move(aHole));
}

void VexGerber_ModelBuilder::addContour(const VexGeom_Contour& theContour)
{
  if (theContour.NbEdges() > 0)
  {
    myContainer->AddChild(toCurve(theContour));
  }
}

// ---------------------------------------------------------------------------------------------
// Objects
// ---------------------------------------------------------------------------------------------

void VexGerber_ModelBuilder::count(const VexPcb_TransferReport::Outcome theOutcome,
                                   const Standard_CString               theKind,
                                   const Standard_Boolean               theIsClear)
{
  if (theIsClear)
  {
    myTallies.Count(VexPcb_TransferReport::Outcome_Artwork, "clear objects");
    return;
  }
  myTallies.Count(theOutcome, theKind);
}

Standard_CString VexGerber_ModelBuilder::flashKind(const VexGerber_Aperture& theAperture)
{
  switch (theAperture.GetKind())
  {
  case VexGerber_Aperture::Kind_Circle:
    return "flashes of round apertures with a hole";
  case VexGerber_Aperture::Kind_Rectangle:
    return "flashes of rectangular apertures";
  case VexGerber_Aperture::Kind_Obround:
    return "flashes of obround apertures";
  case VexGerber_Aperture::Kind_Polygon:
    return "flashes of polygon apertures";
  default:
    return "flashes of macro apertures";
  }
}

Standard_Boolean VexGerber_ModelBuilder::OnDraw(const Handle(VexGerber_Aperture) & theAperture,
                                                const VexGerber_ApertureTransform& theTransform,
                                                const gp_XY& theFrom, const gp_XY& theTo,
                                                const Standard_Boolean theIsClear)
{
  const Standard_Boolean isPoint = (theTo - theFrom).Modulus() < THE_SAME_POINT;
  if (!isInRange(theFrom) || !isInRange(theTo))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  if (theAperture->IsRoundTool())
  {
    const Standard_Integer aNumber = modelAperture(theAperture, theTransform);
    if (aNumber == 0)
    {
      return Standard_False;
    }
    // A draw without length marks a dot: the same as a flash of the aperture.
    useSequence(isPoint ? Kind_Point : Kind_Path, aNumber, theIsClear);
    if (isPoint)
    {
      addPoint(theFrom);
      count(VexPcb_TransferReport::Outcome_Toolpath, "zero-length draws (as points)", theIsClear);
      return Standard_True;
    }
    pathFrom(theFrom)->CreateSegment(theFrom * myFactor, theTo * myFactor);
    myPathEnd = theTo;
    count(VexPcb_TransferReport::Outcome_Toolpath, "draws", theIsClear);
    return Standard_True;
  }
  if (isPoint)
  {
    return addFlash(theAperture, theTransform, theFrom, theIsClear,
                    "draws with non-round apertures");
  }
  VexGeom_Contour aPath(theFrom);
  aPath.AddSegment(theTo);
  return addSwept(theAperture, theTransform, aPath, theIsClear, "draws with non-round apertures");
}

Standard_Boolean VexGerber_ModelBuilder::addSwept(const Handle(VexGerber_Aperture) & theAperture,
                                                  const VexGerber_ApertureTransform& theTransform,
                                                  const VexGeom_Contour&             thePath,
                                                  const Standard_Boolean             theIsClear,
                                                  const Standard_CString             theKind)
{
  NCollection_Vector<VexGeom_Contour> aContours(4);
  if (!myShapes.Sweep(*theAperture, theTransform, thePath, aContours))
  {
    return Standard_False;
  }
  useSequence(Kind_Area, modelAperture(theAperture, VexGerber_ApertureTransform()), theIsClear);
  if (!isInRange(aContours))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  for (const VexGeom_Contour& aContour : aContours)
  {
    addContour(aContour);
  }
  count(VexPcb_TransferReport::Outcome_Artwork, theKind, theIsClear);
  return Standard_True;
}

Standard_Boolean VexGerber_ModelBuilder::OnArc(const Handle(VexGerber_Aperture) & theAperture,
                                               const VexGerber_ApertureTransform& theTransform,
                                               const gp_XY& theFrom, const gp_XY& theTo,
                                               const gp_XY& theCenter, const Standard_Boolean isCcw,
                                               const Standard_Boolean theIsClear)
{
  if (!isInRange(theFrom) || !isInRange(theTo) || !isInRange(theCenter - theFrom))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  if (theAperture->IsRoundTool())
  {
    const Standard_Integer aNumber = modelAperture(theAperture, theTransform);
    if (aNumber == 0)
    {
      return Standard_False;
    }
    useSequence(Kind_Path, aNumber, theIsClear);
    addArc(pathFrom(theFrom), theFrom, theTo, theCenter, isCcw);
    myPathEnd = theTo;
    count(VexPcb_TransferReport::Outcome_Toolpath, "arcs", theIsClear);
    return Standard_True;
  }
  VexGeom_Contour aPath(theFrom);
  aPath.AddArc(theTo, theCenter, isCcw);
  return addSwept(theAperture, theTransform, aPath, theIsClear, "arcs with non-round apertures");
}

Standard_Boolean VexGerber_ModelBuilder::OnFlash(const Handle(VexGerber_Aperture) & theAperture,
                                                 const VexGerber_ApertureTransform& theTransform,
                                                 const gp_XY&                       thePoint,
                                                 const Standard_Boolean             theIsClear)
{
  if (!isInRange(thePoint))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  if (theAperture->IsRoundTool())
  {
    const Standard_Integer aNumber = modelAperture(theAperture, theTransform);
    if (aNumber == 0)
    {
      return Standard_False;
    }
    useSequence(Kind_Point, aNumber, theIsClear);
    addPoint(thePoint);
    count(VexPcb_TransferReport::Outcome_Toolpath, "flashes", theIsClear);
    return Standard_True;
  }
  // A flash of a shape a model aperture can say stays a flash; the others become outlines.
  Standard_Integer aFlash = myApertures.Flash(theAperture, theTransform);
  if (aFlash < 0 && theAperture->GetKind() == VexGerber_Aperture::Kind_Macro)
  {
    aFlash = macroFlash(theAperture, theTransform);
  }
  if (aFlash == 0)
  {
    return Standard_False;
  }
  if (aFlash < 0)
  {
    return addFlash(theAperture, theTransform, thePoint, theIsClear, flashKind(*theAperture));
  }
  useSequence(Kind_Flash, aFlash, theIsClear);
  addPoint(thePoint);
  count(VexPcb_TransferReport::Outcome_Artwork, flashKind(*theAperture), theIsClear);
  return Standard_True;
}

Standard_Integer VexGerber_ModelBuilder::macroFlash(const Handle(VexGerber_Aperture) & theAperture,
                                                    const VexGerber_ApertureTransform& theTransform)
{
  // The macro is drawn once for each transformation, and its outline kept by the model aperture.
  const Standard_Integer aMade = myApertures.FindOutlined(theAperture, theTransform);
  if (aMade >= 0)
  {
    return aMade;
  }
  if (!myShapes.Flash(*theAperture, theTransform, gp_XY(0.0, 0.0), myPlaced))
  {
    return 0;
  }
  // The outline is written as a macro of outline primitives. One that would not read back (beyond
  // what a file can give, of more pieces than a macro may have primitives) or that viewers
  // would not draw whole (a polygon of many corners that is no fan) stays an outline at each
  // flash, which the reader refuses where it lies beyond the range.
  return isInRange(myPlaced) && isWritableOutline(myPlaced, myMacroPolygons)
             ? myApertures.Outlined(theAperture, theTransform, myPlaced)
             : -1;
}

Standard_Boolean VexGerber_ModelBuilder::addFlash(const Handle(VexGerber_Aperture) & theAperture,
                                                  const VexGerber_ApertureTransform& theTransform,
                                                  const gp_XY&                       thePoint,
                                                  const Standard_Boolean             theIsClear,
                                                  const Standard_CString             theKind)
{
  if (!myShapes.Flash(*theAperture, theTransform, thePoint, myPlaced))
  {
    return Standard_False;
  }
  useSequence(Kind_Area, modelAperture(theAperture, VexGerber_ApertureTransform()), theIsClear);
  if (!isInRange(myPlaced))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  for (const VexGeom_Contour& aContour : myPlaced)
  {
    addContour(aContour);
  }
  count(VexPcb_TransferReport::Outcome_Artwork, theKind, theIsClear);
  return Standard_True;
}

Standard_Boolean VexGerber_ModelBuilder::OnRegion(
    const NCollection_Vector<VexGeom_Contour>& theContours, const Standard_Boolean theIsClear)
{
  useSequence(Kind_Area, 0, theIsClear);
  // Every contour of a region fills what it encloses: clockwise ones are turned round so that
  // the contours of the sequence fill by non-zero winding.
  for (const VexGeom_Contour& aContour : theContours)
  {
    const Standard_Boolean isTurned = aContour.SignedArea() < 0.0;
    if (isTurned)
    {
      myTurned = aContour;
      myTurned.Reverse();
    }
    const VexGeom_Contour& anAdded = isTurned ? myTurned : aContour;
    if (!isInRange(anAdded))
    {
      return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
    }
    addContour(anAdded);
  }
  count(VexPcb_TransferReport::Outcome_Artwork, "regions", theIsClear);
  return Standard_True;
}

Standard_Boolean VexGerber_ModelBuilder::OnImagePolarity(const Standard_Boolean theIsNegative)
{
  // The model has one polarity for all it holds: a negative file may only start a model.
  const Standard_Boolean isEmpty         = myModel.Objects().IsEmpty() && myObjects.IsEmpty();
  const Standard_Boolean isModelNegative = myModel.ImagePolarity() == PenFormatData_IP_Negative;
  if (theIsNegative && !isEmpty && !isModelNegative)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_NEGATIVE_IMAGE"));
  }
  isNegative = theIsNegative;
  myTallies.Count(VexPcb_TransferReport::Outcome_Artwork,
                  theIsNegative ? "negative image statements (model polarity negative)"
                                : "positive image statements");
  return Standard_True;
}

void VexGerber_ModelBuilder::FlushCounts()
{
  myTallies.Flush(myReport);
}

void VexGerber_ModelBuilder::OnIgnored(const Standard_CString theKind)
{
  myTallies.Count(VexPcb_TransferReport::Outcome_Ignored, theKind);
}

void VexGerber_ModelBuilder::OnNet(const TCollection_AsciiString& theNet)
{
  if (theNet != myNet)
  {
    flushSequence(); // a sequence belongs to one net
    myNet = theNet;
  }
}

void VexGerber_ModelBuilder::send(const VexPcb_Fault&   theMessage,
                                  const Message_Gravity theGravity) const
{
  if (!myModel.Messenger().IsNull())
  {
    Message_Msg aMessage = theMessage.Message();
    myModel.Messenger()->Send(aMessage.Get(), theGravity);
  }
}

void VexGerber_ModelBuilder::OnWarning(const VexPcb_Fault& theWarning)
{
  myReport.AddWarning(theWarning);
  send(theWarning, Message_Warning);
}

void VexGerber_ModelBuilder::OnFault(const VexPcb_Fault& theFault)
{
  myReport.SetFault(theFault);
  send(theFault, Message_Fail);
}
