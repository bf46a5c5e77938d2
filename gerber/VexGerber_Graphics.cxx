// Copyright (c) 2026 VexData developers
#include <VexGerber_Graphics.hxx>

#include <cmath>
#include <utility>

namespace
{
//! Millimetres per inch.
const Standard_Real THE_INCH = 25.4;

//! Contours a region's list of contours makes room for at a time: most regions have one, and
//! the list is emptied and filled again for every region read.
const Standard_Integer THE_REGION_CONTOURS = 4;

//! Distance under which two points are the same point (a full circle, a zero-length draw).
const Standard_Real THE_SAME_POINT = 1.0e-9;

//! Slack on the quarter turn of a single-quadrant arc.
const Standard_Real THE_QUADRANT_SLACK = 1.0e-6;

//! Returns the sweep from theFrom to theTo around the origin in the given direction, in
//! [0, 2 pi).
Standard_Real sweepOf(const gp_XY& theFrom, const gp_XY& theTo, const Standard_Boolean isCcw)
{
  Standard_Real aSweep = std::atan2(theFrom.Crossed(theTo), theFrom.Dot(theTo));
  aSweep               = isCcw ? aSweep : -aSweep;
  return aSweep < 0.0 ? aSweep + 2.0 * M_PI : aSweep;
}

//! Returns theCenter moved onto the line of points as far from theFrom as from theTo.
gp_XY onBisector(const gp_XY& theFrom, const gp_XY& theTo, const gp_XY& theCenter)
{
  const gp_XY         aMiddle = 0.5 * (theFrom + theTo);
  const gp_XY         aChord  = theTo - theFrom;
  const Standard_Real aLength = aChord.Modulus();
  const gp_XY         aNormal(-aChord.Y() / aLength, aChord.X() / aLength);
  return aMiddle + aNormal * (theCenter - aMiddle).Dot(aNormal);
}
} // namespace

VexGerber_Graphics::VexGerber_Graphics(VexGerber_Listener& theListener, VexPcb_Fault& theFault,
                                       const VexGerber_Limits& theLimits,
                                       const Standard_Boolean  isInch)
    : myListener(theListener), myFault(theFault), myApertures(theFault),
      myBlocks(theListener, theFault, theLimits), myFactor(isInch ? THE_INCH : 1.0), myMode(1),
      myLastCode(0), myNet(0), isUnitSettled(Standard_False), hasOffset(Standard_False),
      hasStep(Standard_False), isMulti(Standard_False), isIncremental(Standard_False),
      isClear(Standard_False), isRegion(Standard_False), isQuadrantWarned(Standard_False),
      myContours(THE_REGION_CONTOURS), hasContour(Standard_False)
{
}

void VexGerber_Graphics::SkipUnknown(const TCollection_AsciiString& theCommand)
{
  myListener.OnIgnored("unknown commands (skipped, with a warning)");
  if (mySkipped.Add(theCommand))
  {
    myWarnings.Append(VexPcb_Fault("VEX_GERBER_UNKNOWN_COMMAND").Quote(theCommand));
  }
}

// ---------------------------------------------------------------------------------------------
// Modes
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Graphics::OnFormat(const VexGerber_Format& theFormat)
{
  isIncremental = theFormat.Incremental;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnUnit(const Standard_Boolean isInch)
{
  myFactor = isInch ? THE_INCH : 1.0;
  return settleUnit();
}

Standard_Boolean VexGerber_Graphics::settleUnit()
{
  if (isUnitSettled)
  {
    return Standard_True;
  }
  isUnitSettled = Standard_True;
  if (hasOffset && !OnImageOffset(myOffsetRaw.X(), myOffsetRaw.Y()))
  {
    return Standard_False;
  }
  if (hasStep && !myBlocks.SetRepeatStep(myStepRaw * myFactor))
  {
    return Standard_False;
  }
  for (NCollection_Vector<Handle(VexGerber_Aperture)>::Iterator anIter(myPending); anIter.More();
       anIter.Next())
  {
    if (!myApertures.ApplyUnit(anIter.Value(), myFactor) || !myListener.OnAperture(anIter.Value()))
    {
      return Standard_False;
    }
  }
  myPending.Clear();
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnIncremental(const Standard_Boolean theIsIncremental)
{
  isIncremental = theIsIncremental;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnPolarity(const Standard_Boolean theIsClear)
{
  isClear = theIsClear;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnApertureMirror(const VexGerber_Mirror theMirror)
{
  myTransform.Mirror = theMirror;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnApertureRotation(const Standard_Real theDegrees)
{
  myTransform.Rotation = theDegrees;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnApertureScale(const Standard_Real theScale)
{
  if (!(theScale > 0.0) || theScale > VexGerber_Limits::THE_MAX_LENGTH)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_BAD_SCALE"));
  }
  myTransform.Scale = theScale;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnImageOffset(const Standard_Real theA,
                                                   const Standard_Real theB)
{
  if (!isUnitSettled)
  {
    myOffsetRaw = gp_XY(theA, theB); // in the unit the file is still to state
    hasOffset   = Standard_True;
    return Standard_True;
  }
  if (!VexGerber_Limits::IsInRange(theA * myFactor) ||
      !VexGerber_Limits::IsInRange(theB * myFactor))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  myOffset  = gp_XY(theA, theB) * myFactor;
  hasOffset = Standard_False;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnImagePolarity(const Standard_Boolean isNegative)
{
  return myListener.OnImagePolarity(isNegative);
}

void VexGerber_Graphics::OnNet(const TCollection_AsciiString& theNet)
{
  myNet = theNet.IsEmpty() ? 0 : myBlocks.NetIndex(theNet); // an empty name: on no net
}

void VexGerber_Graphics::OnNetCleared()
{
  myNet = 0;
}

Standard_Boolean VexGerber_Graphics::OnInterpolation(const Standard_Integer theMode)
{
  myMode = theMode;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnQuadrantMode(const Standard_Boolean theIsMulti)
{
  isMulti = theIsMulti;
  return Standard_True;
}

void VexGerber_Graphics::OnIgnored(const Standard_CString theKind)
{
  myListener.OnIgnored(theKind);
}

// ---------------------------------------------------------------------------------------------
// Apertures
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Graphics::OnMacro(const Handle(VexGerber_Macro) & theMacro)
{
  myApertures.AddMacro(theMacro);
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnApertureDefinition(
    const Standard_Integer theNumber, const TCollection_AsciiString& theTemplate,
    const NCollection_Vector<Standard_Real>& theParams)
{
  Handle(VexGerber_Aperture) anAperture;
  if (!myApertures.Define(theNumber, theTemplate, theParams, anAperture))
  {
    return Standard_False;
  }
  if (!isUnitSettled)
  {
    myPending.Append(anAperture);
    return Standard_True;
  }
  return myApertures.ApplyUnit(anAperture, myFactor) && myListener.OnAperture(anAperture);
}

void VexGerber_Graphics::OnMalformedAperture(const Standard_Integer theNumber,
                                             const Standard_Integer theLine)
{
  myApertures.DefineMalformed(theNumber, theLine);
  myListener.OnIgnored("aperture definitions that do not parse (fault only if used)");
}

Standard_Boolean VexGerber_Graphics::OnSelectAperture(const Standard_Integer theNumber)
{
  myApertures.Select(theNumber);
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnApertureBlock(const Standard_Integer theNumber)
{
  if (isRegion)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_BLOCK_IN_REGION"));
  }
  return myBlocks.OpenAperture(theNumber);
}

Standard_Boolean VexGerber_Graphics::OnApertureBlockEnd()
{
  if (isRegion)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_BLOCK_IN_REGION"));
  }
  Handle(VexGerber_Aperture) anAperture;
  if (!myBlocks.CloseAperture(anAperture))
  {
    return Standard_False;
  }
  myApertures.DefineBlock(anAperture);
  return Standard_True;
}

// ---------------------------------------------------------------------------------------------
// Operations
// ---------------------------------------------------------------------------------------------

gp_XY VexGerber_Graphics::target(const VexGerber_Coordinates& theCoords) const
{
  gp_XY aTarget = myPoint;
  if (isIncremental)
  {
    aTarget +=
        gp_XY(theCoords.HasX ? theCoords.X : 0.0, theCoords.HasY ? theCoords.Y : 0.0) * myFactor;
    return aTarget;
  }
  if (theCoords.HasX)
  {
    aTarget.SetX(theCoords.X * myFactor);
  }
  if (theCoords.HasY)
  {
    aTarget.SetY(theCoords.Y * myFactor);
  }
  return aTarget;
}

gp_XY VexGerber_Graphics::shift() const
{
  return myBlocks.IsInAperture() ? gp_XY(0.0, 0.0) : myOffset;
}

Standard_Boolean VexGerber_Graphics::OnOperation(const Standard_Integer       theCode,
                                                 const VexGerber_Coordinates& theCoords)
{
  if (!settleUnit())
  {
    return Standard_False;
  }
  Standard_Integer aCode = theCode != 0 ? theCode : myLastCode;
  if (aCode == 0)
  {
    // Coordinates before any operation: old files use them to set the start point.
    myListener.OnIgnored("coordinates without an operation (taken as moves)");
    aCode = 2;
  }
  myLastCode          = aCode;
  const gp_XY aTarget = target(theCoords);
  const gp_XY aPlaced = aTarget + shift();
  if (!VexGerber_Limits::IsInRange(aTarget.X()) || !VexGerber_Limits::IsInRange(aTarget.Y()) ||
      !VexGerber_Limits::IsInRange(aPlaced.X()) || !VexGerber_Limits::IsInRange(aPlaced.Y()) ||
      !VexGerber_Limits::IsInRange(theCoords.I * myFactor) ||
      !VexGerber_Limits::IsInRange(theCoords.J * myFactor))
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_COORDINATE_RANGE"));
  }
  if (aCode == 1)
  {
    if (!interpolate(aTarget, theCoords))
    {
      return Standard_False;
    }
  }
  else if (aCode == 2)
  {
    if (isRegion)
    {
      endContour();
    }
  }
  else
  {
    if (isRegion)
    {
      return myFault.Fail(VexPcb_Fault("VEX_GERBER_FLASH_IN_REGION"));
    }
    VexGerber_Object aFlash;
    aFlash.Type = VexGerber_Object::Kind_Flash;
    aFlash.From = aTarget;
    if (!takeAperture(aFlash))
    {
      return Standard_False;
    }
    const Standard_Boolean isEmitted = emit(aFlash, myContours);
    myObjectAperture                 = std::move(aFlash.Aperture);
    if (!isEmitted)
    {
      return Standard_False;
    }
  }
  myPoint = aTarget;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::arcCenter(const gp_XY& theFrom, const gp_XY& theTo,
                                               const Standard_Real theI, const Standard_Real theJ,
                                               gp_XY& theCenter, Standard_Boolean& isQuarter) const
{
  isQuarter                     = Standard_True;
  const Standard_Boolean isSame = (theTo - theFrom).Modulus() < THE_SAME_POINT;
  if (isMulti)
  {
    theCenter = theFrom + gp_XY(theI, theJ);
    if (!isSame)
    {
      theCenter = onBisector(theFrom, theTo, theCenter);
    }
    return Standard_True;
  }
  if (isSame)
  {
    return Standard_False;
  }
  // Of the four centres the unsigned offsets allow, the one whose arc in the drawing direction
  // turns at most a quarter, with the least difference of radii.
  Standard_Real    aBest      = RealLast();
  Standard_Boolean hasQuarter = Standard_False;
  for (int aSign = 0; aSign < 4; ++aSign)
  {
    const gp_XY aCenter = theFrom + gp_XY((aSign & 1) ? -std::abs(theI) : std::abs(theI),
                                          (aSign & 2) ? -std::abs(theJ) : std::abs(theJ));
    const Standard_Boolean isQuarter =
        sweepOf(theFrom - aCenter, theTo - aCenter, myMode == 3) <= 0.5 * M_PI + THE_QUADRANT_SLACK;
    const Standard_Real aScore =
        std::abs((theFrom - aCenter).Modulus() - (theTo - aCenter).Modulus());
    if ((isQuarter && !hasQuarter) || (isQuarter == hasQuarter && aScore < aBest))
    {
      aBest      = aScore;
      hasQuarter = hasQuarter || isQuarter;
      theCenter  = aCenter;
    }
  }
  // What counts is the arc drawn: its centre on the line of points as far from both ends.
  theCenter = onBisector(theFrom, theTo, theCenter);
  isQuarter = sweepOf(theFrom - theCenter, theTo - theCenter, myMode == 3) <=
              0.5 * M_PI + THE_QUADRANT_SLACK;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::interpolate(const gp_XY&                 theTo,
                                                 const VexGerber_Coordinates& theCoords)
{
  gp_XY            aCenter;
  Standard_Boolean isQuarter = Standard_True;
  Standard_Boolean isArc     = myMode != 1 && arcCenter(myPoint, theTo, theCoords.I * myFactor,
                                                        theCoords.J * myFactor, aCenter, isQuarter);
  if (!isQuarter && !isQuadrantWarned)
  {
    // The file is invalid, but the arc it means is plain enough: read it and say so, once.
    isQuadrantWarned = Standard_True;
    myWarnings.Append(VexPcb_Fault("VEX_GERBER_QUADRANT_ARC"));
  }
  const Standard_Boolean isFull = isArc && (theTo - myPoint).Modulus() < THE_SAME_POINT;
  if (isFull && (aCenter - myPoint).Modulus() < THE_SAME_POINT)
  {
    isArc = Standard_False; // a circle without radius marks a dot, like a draw without length
  }
  if (isRegion)
  {
    return regionEdge(theTo, isArc, aCenter, isFull);
  }
  VexGerber_Object anObject;
  anObject.Type   = isArc ? VexGerber_Object::Kind_Arc : VexGerber_Object::Kind_Draw;
  anObject.From   = myPoint;
  anObject.To     = isFull ? myPoint : theTo;
  anObject.Center = aCenter;
  anObject.Ccw    = myMode == 3;
  if (!takeAperture(anObject))
  {
    return Standard_False;
  }
  if (anObject.Aperture->GetKind() == VexGerber_Aperture::Kind_Block)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_BLOCK_DRAW").Arg(anObject.Aperture->Number()));
  }
  const Standard_Boolean isEmitted = emit(anObject, myContours);
  myObjectAperture                 = std::move(anObject.Aperture);
  return isEmitted;
}

Standard_Boolean VexGerber_Graphics::takeAperture(VexGerber_Object& theObject)
{
  // The handle of the last object's aperture moves from object to object: a run of objects of
  // one aperture then counts no references (an atomic operation per object otherwise).
  const Handle(VexGerber_Aperture)& aCurrent = myApertures.Current();
  theObject.Aperture                         = std::move(myObjectAperture);
  if (theObject.Aperture != aCurrent)
  {
    theObject.Aperture = aCurrent;
  }
  return !theObject.Aperture.IsNull();
}

// ---------------------------------------------------------------------------------------------
// Regions
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Graphics::OnRegion(const Standard_Boolean isBegin)
{
  if (isBegin == isRegion)
  {
    return myFault.Fail(
        VexPcb_Fault(isBegin ? "VEX_GERBER_REGION_NESTED" : "VEX_GERBER_REGION_END"));
  }
  isRegion = isBegin;
  if (isBegin)
  {
    myContours.Clear();
    hasContour = Standard_False;
    return Standard_True;
  }
  endContour();
  if (myContours.IsEmpty())
  {
    myListener.OnIgnored("empty regions");
    return Standard_True;
  }
  VexGerber_Object aRegion;
  aRegion.Type                  = VexGerber_Object::Kind_Region;
  const Standard_Boolean isDone = emit(aRegion, myContours);
  myContours.Clear();
  return isDone;
}

Standard_Boolean VexGerber_Graphics::regionEdge(const gp_XY& theTo, const Standard_Boolean isArc,
                                                const gp_XY&           theCenter,
                                                const Standard_Boolean isFull)
{
  if (!hasContour)
  {
    myOpen.Reset(myPoint); // keeps the memory of the last contour's edges
    hasContour = Standard_True;
  }
  if (!myBlocks.Spend(1))
  {
    return Standard_False;
  }
  VexGeom_Contour& aContour = myOpen;
  if (isArc)
  {
    aContour.AddArc(isFull ? myPoint : theTo, theCenter, myMode == 3);
  }
  else if ((theTo - myPoint).Modulus() >= THE_SAME_POINT)
  {
    aContour.AddSegment(theTo);
  }
  return Standard_True;
}

void VexGerber_Graphics::endContour()
{
  if (!hasContour)
  {
    return;
  }
  hasContour = Standard_False;
  if (myOpen.NbEdges() == 0)
  {
    return;
  }
  // A contour left open is filled as if closed: close it with a segment.
  if (!myOpen.IsClosed(THE_SAME_POINT))
  {
    myOpen.AddSegment(myOpen.Start());
  }
  myContours.Append(myOpen);
}

// ---------------------------------------------------------------------------------------------
// Step and repeat, and the hand-over
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Graphics::OnStepRepeat(const Standard_Integer theCountX,
                                                  const Standard_Integer theCountY,
                                                  const Standard_Real    theStepX,
                                                  const Standard_Real    theStepY)
{
  // Steps given before the unit is known wait for it like the image offset.
  hasStep   = !isUnitSettled && (theCountX != 1 || theCountY != 1);
  myStepRaw = gp_XY(theStepX, theStepY);
  return myBlocks.OpenRepeat(theCountX, theCountY, myStepRaw * myFactor);
}

Standard_Boolean VexGerber_Graphics::emit(VexGerber_Object&                    theObject,
                                          NCollection_Vector<VexGeom_Contour>& theContours)
{
  theObject.Transform = myTransform;
  theObject.Clear     = isClear;
  theObject.Net       = myNet;
  const gp_XY aShift  = shift();
  if (aShift.X() == 0.0 && aShift.Y() == 0.0)
  {
    return myBlocks.Add(theObject, theContours);
  }
  theObject.From += aShift;
  theObject.To += aShift;
  theObject.Center += aShift;
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(theContours); anIter.More();
       anIter.Next())
  {
    anIter.ChangeValue().Translate(aShift);
  }
  return myBlocks.Add(theObject, theContours);
}

Standard_Boolean VexGerber_Graphics::OnEnd(const Standard_Boolean isExplicit)
{
  if (isRegion)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_REGION_OPEN_AT_END"));
  }
  if (!isExplicit)
  {
    myListener.OnIgnored("files without an end command (M02)");
  }
  return settleUnit() && myBlocks.Finish();
}
