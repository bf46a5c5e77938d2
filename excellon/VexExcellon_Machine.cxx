// Copyright (c) 2026 VexData developers
#include <VexExcellon_Machine.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Distance under which two points of a route are the same (mm).
const Standard_Real THE_SAME_POINT = 1.0e-9;

//! Returns how far the two ends of an arc may lie from one radius apart and still be taken as
//! one circle: files round their coordinates to a few micrometres, so the ends of a true arc
//! never match exactly.
Standard_Real arcTolerance(const Standard_Real theRadius)
{
  return std::max(0.01, 1.0e-3 * theRadius);
}
} // namespace

VexExcellon_Machine::VexExcellon_Machine(VexExcellon_Listener& theListener)
    : myListener(theListener), myUnit(25.4), myLine(0), myTool(-1), myRepeats(0),
      myMotion(Motion_Rapid), isUnitKnown(Standard_False), isIncremental(Standard_False),
      isRouteMode(Standard_False), isPlunged(Standard_False), isRouteOpen(Standard_False),
      isFailed(Standard_False), hasHeader(Standard_False)
{
}

void VexExcellon_Machine::Fail(const VexPcb_Fault& theFault)
{
  if (!isFailed)
  {
    isFailed            = Standard_True;
    VexPcb_Fault aFault = theFault;
    aFault.SetLine(myLine);
    myListener.OnFault(aFault);
  }
}

void VexExcellon_Machine::Ignore(const VexExcellon_Listener::Ignored theWhat)
{
  if (!isFailed)
  {
    myListener.OnIgnored(myLine, theWhat);
  }
}

void VexExcellon_Machine::SetUnit(const Standard_Real    theMillimetres,
                                  const Standard_Boolean theIsStated)
{
  myUnit = theMillimetres;
  if (theIsStated)
  {
    announceTools();
  }
}

void VexExcellon_Machine::DefineTool(const Standard_Integer theTool,
                                     const Standard_Real    theDiameter)
{
  if (isFailed)
  {
    return;
  }
  if (!(theDiameter >= 0.0) || theDiameter * myUnit > THE_COORDINATE_LIMIT)
  {
    Fail(VexPcb_Fault("VEX_EXCELLON_BAD_DIAMETER").Arg(theTool).Arg(theDiameter));
    return;
  }
  const PendingTool aTool = {myLine, theTool, theDiameter};
  myPending.Append(aTool);
  if (isUnitKnown)
  {
    announceTools();
  }
}

void VexExcellon_Machine::announceTools()
{
  // From here on the unit of the tool table is settled: a unit stated later changes only the
  // values that follow it.
  isUnitKnown = Standard_True;
  for (NCollection_Vector<PendingTool>::Iterator anIter(myPending); anIter.More() && !isFailed;
       anIter.Next())
  {
    const PendingTool&  aTool     = anIter.Value();
    const Standard_Real aDiameter = aTool.Diameter * myUnit;
    myTools.Bind(aTool.Tool, aDiameter);
    myListener.OnTool(aTool.Line, aTool.Tool, aDiameter);
  }
  myPending.Clear();
}

void VexExcellon_Machine::SelectTool(const Standard_Integer theTool)
{
  endRoute();
  isPlunged = Standard_False;
  myTool    = theTool;
}

Standard_Boolean VexExcellon_Machine::currentTool(Standard_Integer& theTool)
{
  announceTools();
  if (myTool < 0 || (myTool == 0 && !myTools.IsBound(0)))
  {
    // No tool selected yet, or T0 (which unloads the tool unless the file defines it).
    Fail(VexPcb_Fault("VEX_EXCELLON_NO_TOOL"));
    return Standard_False;
  }
  if (myTools.IsEmpty() && !hasHeader)
  {
    // A body without its tool table, as some programs export it: say that, not that one tool
    // is missing.
    Fail(VexPcb_Fault("VEX_EXCELLON_NO_TOOL_SIZES").Arg(myTool));
    return Standard_False;
  }
  if (!myTools.IsBound(myTool))
  {
    Fail(VexPcb_Fault("VEX_EXCELLON_UNDEFINED_TOOL").Arg(myTool));
    return Standard_False;
  }
  theTool = myTool;
  return !isFailed;
}

Standard_Boolean VexExcellon_Machine::target(const Axes& theAxes, const gp_XY& theFrom,
                                             const Standard_Boolean theIsRelative, gp_XY& theTarget)
{
  // A missing axis keeps its value; absolute values count from the zero set by G93.
  const gp_XY aBase = theIsRelative ? theFrom : myOrigin;
  theTarget.SetX(theAxes.HasX ? aBase.X() + theAxes.X : theFrom.X());
  theTarget.SetY(theAxes.HasY ? aBase.Y() + theAxes.Y : theFrom.Y());
  if (std::abs(theTarget.X()) > THE_COORDINATE_LIMIT ||
      std::abs(theTarget.Y()) > THE_COORDINATE_LIMIT)
  {
    Fail(VexPcb_Fault("VEX_EXCELLON_COORDINATE_RANGE").Arg(THE_COORDINATE_LIMIT));
    return Standard_False;
  }
  return !isFailed;
}

void VexExcellon_Machine::SetZero(const Axes& theAxes)
{
  // The new zero is given in machine coordinates, whatever the zero and the mode before.
  gp_XY aZero;
  if (target(theAxes, gp_XY(0.0, 0.0), Standard_True, aZero))
  {
    myOrigin = aZero;
  }
}

void VexExcellon_Machine::Hole(const Axes& theAxes)
{
  gp_XY            aTarget;
  Standard_Integer aTool = 0;
  if (target(theAxes, myPosition, isIncremental, aTarget) && currentTool(aTool))
  {
    myPosition = aTarget;
    myListener.OnHole(myLine, aTool, aTarget);
  }
}

void VexExcellon_Machine::Repeat(const Standard_Integer theCount, const Axes& theStep)
{
  if (isFailed)
  {
    return;
  }
  if (theCount > THE_REPEAT_LIMIT - myRepeats)
  {
    Fail(VexPcb_Fault("VEX_EXCELLON_TOO_MANY_REPEATS").Arg(THE_REPEAT_LIMIT));
    return;
  }
  // The holes lie on a line, so checking its far end checks them all.
  gp_XY            aStep, aLast;
  Standard_Integer aTool = 0;
  if (!target(theStep, gp_XY(0.0, 0.0), Standard_True, aStep) ||
      !target(Axes(), myPosition + aStep * theCount, Standard_True, aLast) || !currentTool(aTool))
  {
    return;
  }
  myRepeats += theCount;
  for (Standard_Integer aHole = 0; aHole < theCount; ++aHole)
  {
    myPosition += aStep;
    myListener.OnHole(myLine, aTool, myPosition);
  }
}

void VexExcellon_Machine::Slot(const Axes& theStart, const Axes& theEnd)
{
  gp_XY            aStart, anEnd;
  Standard_Integer aTool = 0;
  if (target(theStart, myPosition, isIncremental, aStart) &&
      target(theEnd, aStart, isIncremental, anEnd) && currentTool(aTool))
  {
    myPosition = anEnd;
    myListener.OnSlot(myLine, aTool, aStart, anEnd);
  }
}

void VexExcellon_Machine::SetMotion(const Motion theMotion)
{
  myMotion    = theMotion;
  isRouteMode = Standard_True;
}

void VexExcellon_Machine::DrillMode()
{
  endRoute();
  isRouteMode = isPlunged = Standard_False;
}

void VexExcellon_Machine::Retract()
{
  endRoute();
  isPlunged = Standard_False;
}

void VexExcellon_Machine::Finish()
{
  endRoute();
  if (!isFailed)
  {
    announceTools();
  }
}

void VexExcellon_Machine::endRoute()
{
  if (isRouteOpen && !isFailed)
  {
    isRouteOpen = Standard_False;
    myListener.OnRouteEnd(myLine);
  }
}

void VexExcellon_Machine::Route(const Axes& theAxes, const ArcData& theArc)
{
  gp_XY            aTarget;
  Standard_Integer aTool = 0;
  if (!target(theAxes, myPosition, isIncremental, aTarget))
  {
    return;
  }
  if (myMotion == Motion_Rapid)
  {
    // A rapid move travels with the tool up.
    endRoute();
    isPlunged = Standard_False;
    myListener.OnRouteMove(myLine, myPosition, aTarget);
  }
  else if (!isPlunged)
  {
    Ignore(VexExcellon_Listener::Ignored_ToolUpCut);
  }
  else if (myMotion != Motion_Line)
  {
    if (!arc(aTarget, theArc))
    {
      return;
    }
  }
  else if ((aTarget - myPosition).Modulus() > THE_SAME_POINT)
  {
    if (!currentTool(aTool))
    {
      return;
    }
    myListener.OnRouteSegment(myLine, aTool, myPosition, aTarget);
    isRouteOpen = Standard_True;
  }
  myPosition = aTarget;
}

Standard_Boolean VexExcellon_Machine::arc(const gp_XY& theEnd, const ArcData& theArc)
{
  Standard_Integer aTool = 0;
  gp_XY            aCenter;
  if (!currentTool(aTool))
  {
    return Standard_False;
  }
  if (theArc.HasRadius)
  {
    if (!centerFromRadius(theEnd, theArc.Radius, aCenter))
    {
      return Standard_False;
    }
  }
  else if (theArc.HasOffset)
  {
    // I and J place the centre relative to the start of the arc, in either coordinate mode.
    aCenter = myPosition + theArc.Offset;
    if (!checkCenter(theEnd, aCenter))
    {
      return Standard_False;
    }
  }
  else
  {
    Fail(VexPcb_Fault("VEX_EXCELLON_ARC_NO_CENTER"));
    return Standard_False;
  }
  myListener.OnRouteArc(myLine, aTool, myPosition, theEnd, aCenter, myMotion == Motion_Counter);
  isRouteOpen = Standard_True;
  return Standard_True;
}

Standard_Boolean VexExcellon_Machine::centerFromRadius(const gp_XY&        theEnd,
                                                       const Standard_Real theRadius,
                                                       gp_XY&              theCenter)
{
  // The centre lies on the perpendicular bisector of the chord; a positive radius takes the
  // shorter of the two arcs, a negative one the longer.
  const gp_XY         aChord  = theEnd - myPosition;
  const Standard_Real aLength = aChord.Modulus(), aRadius = std::abs(theRadius);
  if (aLength <= THE_SAME_POINT || aLength > 2.0 * aRadius + arcTolerance(aRadius))
  {
    Fail(VexPcb_Fault("VEX_EXCELLON_ARC_CHORD").Arg(aRadius).Arg(aLength));
    return Standard_False;
  }
  const Standard_Real aHeight =
      std::sqrt(std::max(0.0, aRadius * aRadius - 0.25 * aLength * aLength));
  const gp_XY aLeft(-aChord.Y() / aLength, aChord.X() / aLength);
  const bool  isLeft = (myMotion == Motion_Counter) == (theRadius > 0.0);
  theCenter          = (myPosition + theEnd) * 0.5 + aLeft * (isLeft ? aHeight : -aHeight);
  return Standard_True;
}

Standard_Boolean VexExcellon_Machine::checkCenter(const gp_XY& theEnd, const gp_XY& theCenter)
{
  const Standard_Real aStart = (myPosition - theCenter).Modulus();
  const Standard_Real anEnd  = (theEnd - theCenter).Modulus();
  if (aStart <= THE_SAME_POINT || std::abs(aStart - anEnd) > arcTolerance(aStart))
  {
    Fail(VexPcb_Fault("VEX_EXCELLON_ARC_RADIUS").Arg(aStart).Arg(anEnd));
    return Standard_False;
  }
  return Standard_True;
}
