// Copyright (c) 2026 VexData developers
#include <VexGerber_Graphics.hxx>

#include <cmath>

namespace
{
//! Millimetres per inch.
const Standard_Real THE_INCH = 25.4;

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

VexGerber_Graphics::VexGerber_Graphics(VexGerber_ObjectSink& theSink, VexGerber_Fault& theFault,
                                       const VexGerber_Limits& theLimits,
                                       const Standard_Boolean  isInch)
    : mySink(theSink), myFault(theFault), myLimits(theLimits), myApertures(theFault),
      myFactor(isInch ? THE_INCH : 1.0), myMode(1), myLastCode(0), hasUnit(Standard_False),
      isMulti(Standard_False), isIncremental(Standard_False), isClear(Standard_False),
      isRegion(Standard_False), myNbContours(0), hasContour(Standard_False),
      isBlock(Standard_False), myCountX(1), myCountY(1), myObjects(0)
{
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
  hasUnit  = Standard_True;
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
    return myFault.Fail("VEX_GERBER_BAD_SCALE");
  }
  myTransform.Scale = theScale;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnImageOffset(const Standard_Real theA,
                                                   const Standard_Real theB)
{
  if (!VexGerber_Limits::IsInRange(theA * myFactor) ||
      !VexGerber_Limits::IsInRange(theB * myFactor))
  {
    return myFault.Fail("VEX_GERBER_COORDINATE_RANGE");
  }
  myOffset = gp_XY(theA, theB) * myFactor;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnImagePolarity(const Standard_Boolean isNegative)
{
  return mySink.OnImagePolarity(isNegative);
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
  mySink.OnIgnored(theKind);
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
  return myApertures.Define(theNumber, theTemplate, theParams, myFactor, anAperture) &&
         mySink.OnAperture(anAperture);
}

Standard_Boolean VexGerber_Graphics::OnMalformedAperture(const Standard_Integer         theNumber,
                                                         const TCollection_AsciiString& theText)
{
  (void)theText;
  myApertures.DefineMalformed(theNumber, myFault.Line());
  mySink.OnIgnored("aperture definitions that do not parse (fault only if used)");
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::OnSelectAperture(const Standard_Integer theNumber)
{
  myApertures.Select(theNumber);
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
    aTarget.SetX(theCoords.X * myFactor + myOffset.X());
  }
  if (theCoords.HasY)
  {
    aTarget.SetY(theCoords.Y * myFactor + myOffset.Y());
  }
  return aTarget;
}

Standard_Boolean VexGerber_Graphics::OnOperation(const Standard_Integer       theCode,
                                                 const VexGerber_Coordinates& theCoords)
{
  Standard_Integer aCode = theCode != 0 ? theCode : myLastCode;
  if (aCode == 0)
  {
    // Coordinates before any operation: old files use them to set the start point.
    mySink.OnIgnored("coordinates without an operation (taken as moves)");
    aCode = 2;
  }
  myLastCode          = aCode;
  const gp_XY aTarget = target(theCoords);
  if (!VexGerber_Limits::IsInRange(aTarget.X()) || !VexGerber_Limits::IsInRange(aTarget.Y()) ||
      !VexGerber_Limits::IsInRange(theCoords.I * myFactor) ||
      !VexGerber_Limits::IsInRange(theCoords.J * myFactor))
  {
    return myFault.Fail("VEX_GERBER_COORDINATE_RANGE");
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
      return myFault.Fail("VEX_GERBER_FLASH_IN_REGION");
    }
    Event aFlash;
    aFlash.Type     = Event::Kind_Flash;
    aFlash.Aperture = myApertures.Current();
    aFlash.From     = aTarget;
    if (aFlash.Aperture.IsNull() || !emit(aFlash))
    {
      return Standard_False;
    }
  }
  myPoint = aTarget;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::arcCenter(const gp_XY& theFrom, const gp_XY& theTo,
                                               const Standard_Real theI, const Standard_Real theJ,
                                               gp_XY& theCenter) const
{
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
  theCenter = onBisector(theFrom, theTo, theCenter);
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::interpolate(const gp_XY&                 theTo,
                                                 const VexGerber_Coordinates& theCoords)
{
  gp_XY                  aCenter;
  Standard_Boolean       isArc  = myMode != 1 && arcCenter(myPoint, theTo, theCoords.I * myFactor,
                                                           theCoords.J * myFactor, aCenter);
  const Standard_Boolean isFull = isArc && (theTo - myPoint).Modulus() < THE_SAME_POINT;
  if (isFull && (aCenter - myPoint).Modulus() < THE_SAME_POINT)
  {
    isArc = Standard_False; // a circle without radius marks a dot, like a draw without length
  }
  if (isRegion)
  {
    return regionEdge(theTo, isArc, aCenter, isFull);
  }
  Event anEvent;
  anEvent.Type     = isArc ? Event::Kind_Arc : Event::Kind_Draw;
  anEvent.Aperture = myApertures.Current();
  anEvent.From     = myPoint;
  anEvent.To       = isFull ? myPoint : theTo;
  anEvent.Center   = aCenter;
  anEvent.Ccw      = myMode == 3;
  return !anEvent.Aperture.IsNull() && emit(anEvent);
}

// ---------------------------------------------------------------------------------------------
// Regions
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Graphics::OnRegion(const Standard_Boolean isBegin)
{
  if (isBegin == isRegion)
  {
    return myFault.Fail(isBegin ? "VEX_GERBER_REGION_NESTED" : "VEX_GERBER_REGION_END");
  }
  isRegion = isBegin;
  if (isBegin)
  {
    myNbContours = 0;
    hasContour   = Standard_False;
    return Standard_True;
  }
  endContour();
  if (myNbContours == 0)
  {
    mySink.OnIgnored("empty regions");
    return Standard_True;
  }
  Event aRegion;
  aRegion.Type = Event::Kind_Region;
  if (isBlock)
  {
    // A block hands its regions over once per copy: they are kept beyond the next region.
    aRegion.Region = static_cast<Standard_Integer>(myRegions.size());
    myRegions.emplace_back(myContours.begin(), myContours.begin() + myNbContours);
  }
  return emit(aRegion);
}

Standard_Boolean VexGerber_Graphics::regionEdge(const gp_XY& theTo, const Standard_Boolean isArc,
                                                const gp_XY&           theCenter,
                                                const Standard_Boolean isFull)
{
  if (!hasContour)
  {
    // The contours of the last region are built over again: their memory serves the next one.
    if (myNbContours == static_cast<Standard_Integer>(myContours.size()))
    {
      myContours.emplace_back();
    }
    myContours[myNbContours].Reset(myPoint);
    hasContour = Standard_True;
  }
  if (!spend(1))
  {
    return Standard_False;
  }
  VexGeom_Contour& aContour = myContours[myNbContours];
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
  hasContour                = Standard_False;
  VexGeom_Contour& aContour = myContours[myNbContours];
  if (aContour.NbEdges() == 0)
  {
    return;
  }
  // A contour left open is filled as if closed: close it with a segment.
  if (!aContour.IsClosed(THE_SAME_POINT))
  {
    aContour.AddSegment(aContour.Start());
  }
  ++myNbContours;
}

// ---------------------------------------------------------------------------------------------
// Step and repeat, and the hand-over
// ---------------------------------------------------------------------------------------------

Standard_Boolean VexGerber_Graphics::OnStepRepeat(const Standard_Integer theCountX,
                                                  const Standard_Integer theCountY,
                                                  const Standard_Real    theStepX,
                                                  const Standard_Real    theStepY)
{
  if (isBlock && !closeBlock())
  {
    return Standard_False;
  }
  if (theCountX == 1 && theCountY == 1)
  {
    return Standard_True;
  }
  if (static_cast<double>(theCountX) * theCountY > myLimits.StepRepeatCopies)
  {
    return myFault.Fail("VEX_GERBER_LIMIT_STEP_REPEAT", myLimits.StepRepeatCopies);
  }
  if (!VexGerber_Limits::IsInRange(theStepX * myFactor * theCountX) ||
      !VexGerber_Limits::IsInRange(theStepY * myFactor * theCountY))
  {
    return myFault.Fail("VEX_GERBER_COORDINATE_RANGE");
  }
  isBlock  = Standard_True;
  myCountX = theCountX;
  myCountY = theCountY;
  myStep   = gp_XY(theStepX, theStepY) * myFactor;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::closeBlock()
{
  isBlock = Standard_False;
  for (Standard_Integer aRow = 0; aRow < myCountY; ++aRow)
  {
    for (Standard_Integer aColumn = 0; aColumn < myCountX; ++aColumn)
    {
      const gp_XY anOffset(aColumn * myStep.X(), aRow * myStep.Y());
      for (NCollection_Vector<Event>::Iterator anIter(myEvents); anIter.More(); anIter.Next())
      {
        if (!deliver(anIter.Value(), anOffset))
        {
          return Standard_False;
        }
      }
    }
  }
  myEvents.Clear();
  myRegions.clear();
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::spend(const Standard_Integer theCount)
{
  if (myObjects > myLimits.Objects - theCount)
  {
    return myFault.Fail("VEX_GERBER_LIMIT_OBJECTS", myLimits.Objects);
  }
  myObjects += theCount;
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::emit(Event& theEvent)
{
  theEvent.Transform = myTransform;
  theEvent.Clear     = isClear;
  if (!isBlock)
  {
    return deliver(theEvent, gp_XY(0.0, 0.0));
  }
  // What a block keeps is bounded like what it will hand over.
  if (myEvents.Length() >= myLimits.Objects)
  {
    return myFault.Fail("VEX_GERBER_LIMIT_OBJECTS", myLimits.Objects);
  }
  myEvents.Append(theEvent);
  return Standard_True;
}

Standard_Boolean VexGerber_Graphics::deliver(const Event& theEvent, const gp_XY& theOffset)
{
  switch (theEvent.Type)
  {
  case Event::Kind_Draw:
    return spend(1) &&
           mySink.OnDraw(theEvent.Aperture, theEvent.Transform, theEvent.From + theOffset,
                         theEvent.To + theOffset, theEvent.Clear);
  case Event::Kind_Arc:
    return spend(1) && mySink.OnArc(theEvent.Aperture, theEvent.Transform,
                                    theEvent.From + theOffset, theEvent.To + theOffset,
                                    theEvent.Center + theOffset, theEvent.Ccw, theEvent.Clear);
  case Event::Kind_Flash:
    return spend(1) && mySink.OnFlash(theEvent.Aperture, theEvent.Transform,
                                      theEvent.From + theOffset, theEvent.Clear);
  case Event::Kind_Region:
    break;
  }
  // A region outside a block is the one just read; a block's regions are kept by number.
  const std::vector<VexGeom_Contour>& aKept =
      theEvent.Region < 0 ? myContours : myRegions[theEvent.Region];
  const Standard_Integer aCount =
      theEvent.Region < 0 ? myNbContours : static_cast<Standard_Integer>(aKept.size());
  if (theOffset.X() == 0.0 && theOffset.Y() == 0.0)
  {
    return mySink.OnRegion(NCollection_Array1<VexGeom_Contour>(aKept.front(), 0, aCount - 1),
                           theEvent.Clear);
  }
  Standard_Integer anEdges = 0;
  myMoved.resize(static_cast<size_t>(aCount));
  for (Standard_Integer anIndex = 0; anIndex < aCount; ++anIndex)
  {
    myMoved[anIndex] = aKept[anIndex];
    myMoved[anIndex].Translate(theOffset);
    anEdges += aKept[anIndex].NbEdges();
  }
  return spend(anEdges) &&
         mySink.OnRegion(NCollection_Array1<VexGeom_Contour>(myMoved.front(), 0, aCount - 1),
                         theEvent.Clear);
}

Standard_Boolean VexGerber_Graphics::OnEnd(const Standard_Boolean isExplicit)
{
  if (isRegion)
  {
    return myFault.Fail("VEX_GERBER_REGION_OPEN_AT_END");
  }
  if (!isExplicit)
  {
    mySink.OnIgnored("files without an end command (M02)");
  }
  return !isBlock || closeBlock();
}
