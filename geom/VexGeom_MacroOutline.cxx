// Copyright (c) 2026 VexData developers
#include <VexGeom_MacroOutline.hxx>

#include <VexGeom_Polygons.hxx>

#include <cmath>

VexGeom_MacroOutline::VexGeom_MacroOutline(VexGeom_Flattener& theFlattener, const double theFactor)
    : myFlattener(theFlattener), myFactor(theFactor)
{
}

Standard_Boolean VexGeom_MacroOutline::compose(const Standard_Boolean isOn,
                                               ClipperLib::Paths&     thePaths)
{
  // Primitives that add are gathered and united in one go when one that takes away comes.
  if (isOn)
  {
    myPending.insert(myPending.end(), thePaths.begin(), thePaths.end());
    return Standard_True;
  }
  VexGeom_Budget& aBudget = myFlattener.Budget();
  if (!VexGeom_Polygons::Combine(ClipperLib::ctUnion, myResult, myPending, myResult, aBudget))
  {
    return Standard_False;
  }
  myPending.clear();
  return VexGeom_Polygons::Combine(ClipperLib::ctDifference, myResult, thePaths, myResult, aBudget);
}

Standard_Boolean VexGeom_MacroOutline::Result(ClipperLib::Paths& thePaths)
{
  if (!VexGeom_Polygons::Combine(ClipperLib::ctUnion, myResult, myPending, myResult,
                                 myFlattener.Budget()))
  {
    return Standard_False;
  }
  myPending.clear();
  thePaths = myResult;
  return Standard_True;
}

void VexGeom_MacroOutline::rotate(ClipperLib::Paths& thePaths, const size_t theFirst,
                                  const double theDegrees)
{
  if (theDegrees == 0.0)
  {
    return;
  }
  const double anAngle = theDegrees * M_PI / 180.0;
  const double aCos = std::cos(anAngle), aSin = std::sin(anAngle);
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

void VexGeom_MacroOutline::quad(const gp_XY theCorners[4], ClipperLib::Paths& thePaths) const
{
  ClipperLib::Path aPath;
  for (int anIndex = 0; anIndex < 4; ++anIndex)
  {
    aPath.push_back(VexGeom_Units::ToPoint(theCorners[anIndex] * myFactor));
  }
  if (!ClipperLib::Orientation(aPath))
  {
    ClipperLib::ReversePath(aPath);
  }
  thePaths.push_back(aPath);
}

void VexGeom_MacroOutline::cross(const gp_XY& theCenter, const double theHalfLength,
                                 const double theHalfWidth, ClipperLib::Paths& thePaths) const
{
  const double aL = theHalfLength, aW = theHalfWidth;
  const gp_XY  aBars[2][4] = {{theCenter + gp_XY(-aL, -aW), theCenter + gp_XY(aL, -aW),
                               theCenter + gp_XY(aL, aW), theCenter + gp_XY(-aL, aW)},
                              {theCenter + gp_XY(-aW, -aL), theCenter + gp_XY(aW, -aL),
                               theCenter + gp_XY(aW, aL), theCenter + gp_XY(-aW, aL)}};
  quad(aBars[0], thePaths);
  quad(aBars[1], thePaths);
}

Standard_Boolean VexGeom_MacroOutline::AddCircle(const Standard_Boolean isOn,
                                                 const double theDiameter, const gp_XY& theCenter,
                                                 const double theDegrees)
{
  ClipperLib::Paths aPaths;
  if (!myFlattener.AddCircle(theCenter * myFactor, 0.5 * std::abs(theDiameter) * myFactor, aPaths))
  {
    return Standard_False;
  }
  rotate(aPaths, 0, theDegrees);
  return compose(isOn, aPaths);
}

Standard_Boolean VexGeom_MacroOutline::AddLine(const Standard_Boolean isOn, const double theWidth,
                                               const gp_XY& theStart, const gp_XY& theEnd,
                                               const double theDegrees)
{
  const gp_XY aDirection = theEnd - theStart;
  if (!(aDirection.Modulus() > 0.0) || !(theWidth > 0.0))
  {
    return Standard_True; // no length or no width: nothing to draw
  }
  const gp_XY aSide =
      gp_XY(-aDirection.Y(), aDirection.X()) * (0.5 * theWidth / aDirection.Modulus());
  const gp_XY aCorners[4] = {theStart - aSide, theEnd - aSide, theEnd + aSide, theStart + aSide};
  ClipperLib::Paths aPaths;
  quad(aCorners, aPaths);
  rotate(aPaths, 0, theDegrees);
  return compose(isOn, aPaths);
}

Standard_Boolean VexGeom_MacroOutline::AddRectangle(const Standard_Boolean isOn,
                                                    const double theWidth, const double theHeight,
                                                    const gp_XY&           thePoint,
                                                    const Standard_Boolean isCorner,
                                                    const double           theDegrees)
{
  if (!(theWidth > 0.0) || !(theHeight > 0.0))
  {
    return Standard_True;
  }
  const gp_XY aLow =
      isCorner ? thePoint : gp_XY(thePoint.X() - 0.5 * theWidth, thePoint.Y() - 0.5 * theHeight);
  const gp_XY aCorners[4] = {aLow, aLow + gp_XY(theWidth, 0.0), aLow + gp_XY(theWidth, theHeight),
                             aLow + gp_XY(0.0, theHeight)};
  ClipperLib::Paths aPaths;
  quad(aCorners, aPaths);
  rotate(aPaths, 0, theDegrees);
  return compose(isOn, aPaths);
}

Standard_Boolean VexGeom_MacroOutline::AddOutline(const Standard_Boolean           isOn,
                                                  const NCollection_Vector<gp_XY>& thePoints,
                                                  const double                     theDegrees)
{
  // Where a file leaves the outline open, the closing edge joins it, so every point is a corner.
  ClipperLib::Path aPath;
  for (NCollection_Vector<gp_XY>::Iterator anIter(thePoints); anIter.More(); anIter.Next())
  {
    aPath.push_back(VexGeom_Units::ToPoint(anIter.Value() * myFactor));
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
  ClipperLib::Paths aPaths(1, aPath);
  rotate(aPaths, 0, theDegrees);
  return compose(isOn, aPaths);
}

Standard_Boolean VexGeom_MacroOutline::AddPolygon(const Standard_Boolean isOn,
                                                  const Standard_Integer theVertices,
                                                  const gp_XY& theCenter, const double theDiameter,
                                                  const double theDegrees)
{
  const double     aRadius = 0.5 * std::abs(theDiameter);
  ClipperLib::Path aPath;
  for (Standard_Integer anIndex = 0; anIndex < theVertices; ++anIndex)
  {
    const double anAngle = 2.0 * M_PI * anIndex / theVertices;
    aPath.push_back(VexGeom_Units::ToPoint(
        (theCenter + gp_XY(aRadius * std::cos(anAngle), aRadius * std::sin(anAngle))) * myFactor));
  }
  ClipperLib::Paths aPaths(1, aPath);
  rotate(aPaths, 0, theDegrees);
  return compose(isOn, aPaths);
}

Standard_Boolean VexGeom_MacroOutline::AddMoire(const gp_XY& theCenter, const double theOuter,
                                                const double theThickness, const double theGap,
                                                const Standard_Integer theRings,
                                                const double           theCrossThickness,
                                                const double           theCrossLength,
                                                const double           theDegrees)
{
  VexGeom_Budget&   aBudget = myFlattener.Budget();
  ClipperLib::Paths aPieces;
  double            anOuter = theOuter;
  for (Standard_Integer aRing = 0; aRing < theRings && anOuter > 0.0; ++aRing)
  {
    ClipperLib::Paths aDisc, aHole;
    const double      anInner = anOuter - 2.0 * theThickness;
    if (!myFlattener.AddCircle(theCenter * myFactor, 0.5 * anOuter * myFactor, aDisc) ||
        !myFlattener.AddCircle(theCenter * myFactor, 0.5 * anInner * myFactor, aHole) ||
        !VexGeom_Polygons::Combine(ClipperLib::ctDifference, aDisc, aHole, aDisc, aBudget))
    {
      return Standard_False;
    }
    aPieces.insert(aPieces.end(), aDisc.begin(), aDisc.end());
    anOuter = anInner - 2.0 * theGap;
  }
  const double aHalfT = 0.5 * theCrossThickness, aHalfL = 0.5 * theCrossLength;
  if (aHalfT > 0.0 && aHalfL > 0.0)
  {
    cross(theCenter, aHalfL, aHalfT, aPieces);
  }
  if (!VexGeom_Polygons::Combine(ClipperLib::ctUnion, aPieces, ClipperLib::Paths(), aPieces,
                                 aBudget))
  {
    return Standard_False;
  }
  rotate(aPieces, 0, theDegrees);
  return compose(Standard_True, aPieces);
}

Standard_Boolean VexGeom_MacroOutline::AddThermal(const gp_XY& theCenter, const double theOuter,
                                                  const double theInner, const double theGap,
                                                  const double theDegrees)
{
  VexGeom_Budget&   aBudget = myFlattener.Budget();
  ClipperLib::Paths aRing, aHole, aCross;
  if (!myFlattener.AddCircle(theCenter * myFactor, 0.5 * theOuter * myFactor, aRing) ||
      !myFlattener.AddCircle(theCenter * myFactor, 0.5 * theInner * myFactor, aHole) ||
      !VexGeom_Polygons::Combine(ClipperLib::ctDifference, aRing, aHole, aRing, aBudget))
  {
    return Standard_False;
  }
  const double aHalfGap = 0.5 * theGap, aReach = theOuter;
  if (aHalfGap > 0.0 && aReach > 0.0)
  {
    cross(theCenter, aReach, aHalfGap, aCross);
    if (!VexGeom_Polygons::Combine(ClipperLib::ctDifference, aRing, aCross, aRing, aBudget))
    {
      return Standard_False;
    }
  }
  rotate(aRing, 0, theDegrees);
  return compose(Standard_True, aRing);
}
