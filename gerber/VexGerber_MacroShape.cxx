// Copyright (c) 2026 VexData developers
#include <VexGerber_MacroShape.hxx>

#include <cmath>
#include <cstdio>

namespace
{
//! Returns value theIndex of theValues, or theDefault when there are fewer.
Standard_Real valueAt(const NCollection_Vector<Standard_Real>& theValues,
                      const Standard_Integer theIndex, const Standard_Real theDefault = 0.0)
{
  return theIndex < theValues.Length() ? theValues(theIndex) : theDefault;
}

//! Runs one Clipper operation of theClip on theSubject into theResult, non-zero filling.
void clip(const ClipperLib::ClipType theType, const ClipperLib::Paths& theSubject,
          const ClipperLib::Paths& theClip, ClipperLib::Paths& theResult)
{
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(theSubject, ClipperLib::ptSubject, true);
  aClipper.AddPaths(theClip, ClipperLib::ptClip, true);
  ClipperLib::Paths aResult;
  aClipper.Execute(theType, aResult, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  theResult.swap(aResult);
}
} // namespace

Standard_Boolean VexGerber_MacroShape::need(const NCollection_Vector<Standard_Real>& theValues,
                                            const Standard_Integer                   theCount)
{
  return theValues.Length() >= theCount
             ? Standard_True
             : myFault.Fail(VexPcb_Fault("VEX_GERBER_MACRO_PARAMS").Quote(myName).Arg(myCode));
}

Standard_Boolean VexGerber_MacroShape::Build(const VexGerber_Aperture&              theAperture,
                                             NCollection_Vector<VexGerber_Contour>& theContours)
{
  myName   = theAperture.Macro()->Name();
  myFactor = theAperture.UnitFactor();
  NCollection_Vector<VexGerber_Primitive> aPrimitives(16);
  if (!theAperture.Macro()->Evaluate(theAperture.Params(), myLimits, aPrimitives, myFault))
  {
    return Standard_False;
  }
  // Primitives that add are gathered and united in one go when one that takes away comes.
  ClipperLib::Paths aResult, aPending;
  for (NCollection_Vector<VexGerber_Primitive>::Iterator anIter(aPrimitives); anIter.More();
       anIter.Next())
  {
    ClipperLib::Paths aPaths;
    Standard_Boolean  isOn = Standard_True;
    if (!primitive(anIter.Value(), aPaths, isOn))
    {
      return Standard_False;
    }
    if (isOn)
    {
      aPending.insert(aPending.end(), aPaths.begin(), aPaths.end());
      continue;
    }
    clip(ClipperLib::ctUnion, aResult, aPending, aResult);
    aPending.clear();
    clip(ClipperLib::ctDifference, aResult, aPaths, aResult);
  }
  clip(ClipperLib::ctUnion, aResult, aPending, aResult);
  size_t aVertices = 0;
  for (const ClipperLib::Path& aPath : aResult)
  {
    aVertices += aPath.size();
  }
  if (aVertices > static_cast<size_t>(myLimits.PolygonVertices))
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_POLYGON_VERTICES").Arg(myLimits.PolygonVertices));
  }
  VexGerber_Polygons::ToContours(aResult, theContours);
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::primitive(const VexGerber_Primitive& thePrimitive,
                                                 ClipperLib::Paths&         thePaths,
                                                 Standard_Boolean&          isOn)
{
  const NCollection_Vector<Standard_Real>& aValues = thePrimitive.Values;
  myCode                                           = thePrimitive.Code;
  // Moire and thermal have no exposure: they always add.
  isOn = myCode == 6 || myCode == 7 || valueAt(aValues, 0, 1.0) != 0.0;
  switch (myCode)
  {
  case 1:
    return circle(aValues, thePaths);
  case 2:
  case 20:
    return vectorLine(aValues, thePaths);
  case 21:
  case 22:
    return centerLine(aValues, myCode == 22, thePaths);
  case 4:
    return outline(aValues, thePaths);
  case 5:
    return polygon(aValues, thePaths);
  case 6:
    return moire(aValues, thePaths);
  default:
    return thermal(aValues, thePaths);
  }
}

void VexGerber_MacroShape::rotate(ClipperLib::Paths& thePaths, const size_t theFirst,
                                  const Standard_Real theDegrees)
{
  if (theDegrees == 0.0)
  {
    return;
  }
  const Standard_Real anAngle = theDegrees * M_PI / 180.0;
  const Standard_Real aCos = std::cos(anAngle), aSin = std::sin(anAngle);
  for (size_t aPath = theFirst; aPath < thePaths.size(); ++aPath)
  {
    for (ClipperLib::IntPoint& aPoint : thePaths[aPath])
    {
      const double aX = static_cast<double>(aPoint.X), aY = static_cast<double>(aPoint.Y);
      aPoint.X = static_cast<ClipperLib::cInt>(std::llround(aX * aCos - aY * aSin));
      aPoint.Y = static_cast<ClipperLib::cInt>(std::llround(aX * aSin + aY * aCos));
    }
  }
}

void VexGerber_MacroShape::quad(const gp_XY theCorners[4], const Standard_Real theDegrees,
                                ClipperLib::Paths& thePaths) const
{
  ClipperLib::Path aPath;
  for (int anIndex = 0; anIndex < 4; ++anIndex)
  {
    aPath.push_back(VexGerber_Polygons::ToPoint(theCorners[anIndex] * myFactor));
  }
  if (!ClipperLib::Orientation(aPath))
  {
    ClipperLib::ReversePath(aPath);
  }
  thePaths.push_back(aPath);
  rotate(thePaths, thePaths.size() - 1, theDegrees);
}

Standard_Boolean VexGerber_MacroShape::circle(const NCollection_Vector<Standard_Real>& theValues,
                                              ClipperLib::Paths&                       thePaths)
{
  if (!need(theValues, 4))
  {
    return Standard_False;
  }
  const size_t aFirst = thePaths.size();
  if (!myPolygons.AddCircle(gp_XY(theValues(2), theValues(3)) * myFactor,
                            0.5 * std::abs(theValues(1)) * myFactor, thePaths))
  {
    return Standard_False;
  }
  rotate(thePaths, aFirst, valueAt(theValues, 4));
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::vectorLine(
    const NCollection_Vector<Standard_Real>& theValues, ClipperLib::Paths& thePaths)
{
  if (!need(theValues, 6))
  {
    return Standard_False;
  }
  const gp_XY aStart(theValues(2), theValues(3)), anEnd(theValues(4), theValues(5));
  const gp_XY aDirection = anEnd - aStart;
  if (!(aDirection.Modulus() > 0.0) || !(theValues(1) > 0.0))
  {
    return Standard_True; // no length or no width: nothing to draw
  }
  const gp_XY aSide =
      gp_XY(-aDirection.Y(), aDirection.X()) * (0.5 * theValues(1) / aDirection.Modulus());
  const gp_XY aCorners[4] = {aStart - aSide, anEnd - aSide, anEnd + aSide, aStart + aSide};
  quad(aCorners, valueAt(theValues, 6), thePaths);
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::centerLine(
    const NCollection_Vector<Standard_Real>& theValues, const Standard_Boolean isLowerLeft,
    ClipperLib::Paths& thePaths)
{
  if (!need(theValues, 5))
  {
    return Standard_False;
  }
  const Standard_Real aWidth = theValues(1), aHeight = theValues(2);
  if (!(aWidth > 0.0) || !(aHeight > 0.0))
  {
    return Standard_True;
  }
  const gp_XY aLow        = isLowerLeft ? gp_XY(theValues(3), theValues(4))
                                        : gp_XY(theValues(3) - 0.5 * aWidth, theValues(4) - 0.5 * aHeight);
  const gp_XY aCorners[4] = {aLow, aLow + gp_XY(aWidth, 0.0), aLow + gp_XY(aWidth, aHeight),
                             aLow + gp_XY(0.0, aHeight)};
  quad(aCorners, valueAt(theValues, 5), thePaths);
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::outline(const NCollection_Vector<Standard_Real>& theValues,
                                               ClipperLib::Paths&                       thePaths)
{
  if (!need(theValues, 2))
  {
    return Standard_False;
  }
  const Standard_Real aCount = theValues(1);
  if (!(aCount >= 0.0) || aCount > myLimits.PolygonVertices)
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_POLYGON_VERTICES").Arg(myLimits.PolygonVertices));
  }
  const Standard_Integer aVertices = static_cast<Standard_Integer>(aCount);
  if (!need(theValues, 2 + 2 * (aVertices + 1)))
  {
    return Standard_False;
  }
  // The last point should repeat the first; where a file leaves the outline open, the closing
  // edge joins it, so every point given is a corner.
  ClipperLib::Path aPath;
  for (Standard_Integer anIndex = 0; anIndex <= aVertices; ++anIndex)
  {
    aPath.push_back(VexGerber_Polygons::ToPoint(
        gp_XY(theValues(2 + 2 * anIndex), theValues(3 + 2 * anIndex)) * myFactor));
  }
  if (aPath.size() > 1 && aPath.back() == aPath.front())
  {
    aPath.pop_back();
  }
  // An outline drawn clockwise covers the same area: orient it like the others.
  if (!ClipperLib::Orientation(aPath))
  {
    ClipperLib::ReversePath(aPath);
  }
  thePaths.push_back(aPath);
  rotate(thePaths, thePaths.size() - 1, valueAt(theValues, 4 + 2 * aVertices));
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::polygon(const NCollection_Vector<Standard_Real>& theValues,
                                               ClipperLib::Paths&                       thePaths)
{
  if (!need(theValues, 5))
  {
    return Standard_False;
  }
  const Standard_Integer aVertices =
      static_cast<Standard_Integer>(Min(Max(theValues(1), 0.0), 1000.0));
  if (aVertices < 3 || aVertices > 12)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_MACRO_PARAMS").Quote(myName).Arg(myCode));
  }
  const gp_XY         aCenter(theValues(2), theValues(3));
  const Standard_Real aRadius = 0.5 * std::abs(theValues(4));
  ClipperLib::Path    aPath;
  for (Standard_Integer anIndex = 0; anIndex < aVertices; ++anIndex)
  {
    const Standard_Real anAngle = 2.0 * M_PI * anIndex / aVertices;
    aPath.push_back(VexGerber_Polygons::ToPoint(
        (aCenter + gp_XY(aRadius * std::cos(anAngle), aRadius * std::sin(anAngle))) * myFactor));
  }
  thePaths.push_back(aPath);
  rotate(thePaths, thePaths.size() - 1, valueAt(theValues, 5));
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::moireRings(
    const NCollection_Vector<Standard_Real>& theValues, Standard_Real& theRings)
{
  const Standard_Real aCount = theValues(5);
  if (!(aCount >= 0.0) || aCount != std::floor(aCount))
  {
    char aText[32];
    std::snprintf(aText, sizeof(aText), "%g", aCount);
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_MOIRE_RINGS").Quote(myName).Quote(aText));
  }
  // Each ring is smaller than the one before by its thickness and the gap, on either side: the
  // rings beyond those that fit are not drawn, however many the count asks for.
  const Standard_Real aDiameter = theValues(2), aShrink = 2.0 * (theValues(3) + theValues(4));
  theRings = aCount;
  if (aShrink > 0.0 && aDiameter / aShrink + 1.0 < theRings)
  {
    theRings = std::floor(Max(aDiameter, 0.0) / aShrink) + 1.0;
  }
  else if (aShrink == 0.0 && theRings > 1.0)
  {
    theRings = 1.0; // rings of no thickness and no gap all fall on one another
  }
  if (theRings > myLimits.MacroPrimitives)
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_MACRO_PRIMITIVES").Arg(myLimits.MacroPrimitives));
  }
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::moire(const NCollection_Vector<Standard_Real>& theValues,
                                             ClipperLib::Paths&                       thePaths)
{
  if (!need(theValues, 8))
  {
    return Standard_False;
  }
  const gp_XY         aCenter(theValues(0), theValues(1));
  const Standard_Real aThickness = theValues(3), aGap = theValues(4);
  Standard_Real       aRings = 0.0;
  if (!moireRings(theValues, aRings))
  {
    return Standard_False;
  }
  ClipperLib::Paths aPieces;
  Standard_Real     anOuter = theValues(2);
  for (Standard_Integer aRing = 0; aRing < static_cast<Standard_Integer>(aRings) && anOuter > 0.0;
       ++aRing)
  {
    ClipperLib::Paths   aDisc, aHole;
    const Standard_Real anInner = anOuter - 2.0 * aThickness;
    if (!myPolygons.AddCircle(aCenter * myFactor, 0.5 * anOuter * myFactor, aDisc) ||
        !myPolygons.AddCircle(aCenter * myFactor, 0.5 * anInner * myFactor, aHole))
    {
      return Standard_False;
    }
    clip(ClipperLib::ctDifference, aDisc, aHole, aDisc);
    aPieces.insert(aPieces.end(), aDisc.begin(), aDisc.end());
    anOuter = anInner - 2.0 * aGap;
  }
  const Standard_Real aHalfT = 0.5 * theValues(6), aHalfL = 0.5 * theValues(7);
  if (aHalfT > 0.0 && aHalfL > 0.0)
  {
    const gp_XY aBars[2][4] = {{aCenter + gp_XY(-aHalfL, -aHalfT), aCenter + gp_XY(aHalfL, -aHalfT),
                                aCenter + gp_XY(aHalfL, aHalfT), aCenter + gp_XY(-aHalfL, aHalfT)},
                               {aCenter + gp_XY(-aHalfT, -aHalfL), aCenter + gp_XY(aHalfT, -aHalfL),
                                aCenter + gp_XY(aHalfT, aHalfL), aCenter + gp_XY(-aHalfT, aHalfL)}};
    quad(aBars[0], 0.0, aPieces);
    quad(aBars[1], 0.0, aPieces);
  }
  clip(ClipperLib::ctUnion, aPieces, ClipperLib::Paths(), aPieces);
  const size_t aFirst = thePaths.size();
  thePaths.insert(thePaths.end(), aPieces.begin(), aPieces.end());
  rotate(thePaths, aFirst, valueAt(theValues, 8));
  return Standard_True;
}

Standard_Boolean VexGerber_MacroShape::thermal(const NCollection_Vector<Standard_Real>& theValues,
                                               ClipperLib::Paths&                       thePaths)
{
  if (!need(theValues, 5))
  {
    return Standard_False;
  }
  const gp_XY       aCenter(theValues(0), theValues(1));
  ClipperLib::Paths aRing, aHole, aCross;
  if (!myPolygons.AddCircle(aCenter * myFactor, 0.5 * theValues(2) * myFactor, aRing) ||
      !myPolygons.AddCircle(aCenter * myFactor, 0.5 * theValues(3) * myFactor, aHole))
  {
    return Standard_False;
  }
  clip(ClipperLib::ctDifference, aRing, aHole, aRing);
  const Standard_Real aHalfGap = 0.5 * theValues(4), aReach = theValues(2);
  if (aHalfGap > 0.0 && aReach > 0.0)
  {
    const gp_XY aBars[2][4] = {
        {aCenter + gp_XY(-aReach, -aHalfGap), aCenter + gp_XY(aReach, -aHalfGap),
         aCenter + gp_XY(aReach, aHalfGap), aCenter + gp_XY(-aReach, aHalfGap)},
        {aCenter + gp_XY(-aHalfGap, -aReach), aCenter + gp_XY(aHalfGap, -aReach),
         aCenter + gp_XY(aHalfGap, aReach), aCenter + gp_XY(-aHalfGap, aReach)}};
    quad(aBars[0], 0.0, aCross);
    quad(aBars[1], 0.0, aCross);
    clip(ClipperLib::ctDifference, aRing, aCross, aRing);
  }
  const size_t aFirst = thePaths.size();
  thePaths.insert(thePaths.end(), aRing.begin(), aRing.end());
  rotate(thePaths, aFirst, valueAt(theValues, 5));
  return Standard_True;
}
