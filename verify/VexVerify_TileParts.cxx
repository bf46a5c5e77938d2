// Copyright (c) 2026 VexData developers
#include <VexVerify_TileParts.hxx>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
//! Narrowest span (integer units) whose middle counts as well inside a part.
const double THE_MIN_SPAN = 4.0;

//! Adds the part of theNode and of its holes' children to theParts.
void addParts(const ClipperLib::PolyNode& theNode, std::vector<VexVerify_TileParts::Part>& theParts)
{
  for (const ClipperLib::PolyNode* anOuter : theNode.Childs)
  {
    VexVerify_TileParts::Part aPart;
    aPart.Polygons.push_back(anOuter->Contour);
    aPart.Min = aPart.Max = anOuter->Contour.front();
    for (const ClipperLib::IntPoint& aPoint : anOuter->Contour)
    {
      aPart.Min =
          ClipperLib::IntPoint(std::min(aPart.Min.X, aPoint.X), std::min(aPart.Min.Y, aPoint.Y));
      aPart.Max =
          ClipperLib::IntPoint(std::max(aPart.Max.X, aPoint.X), std::max(aPart.Max.Y, aPoint.Y));
    }
    aPart.Node = -1;
    for (const ClipperLib::PolyNode* aHole : anOuter->Childs)
    {
      aPart.Polygons.push_back(aHole->Contour);
    }
    theParts.push_back(std::move(aPart));
    // Parts inside the holes are parts of their own.
    for (const ClipperLib::PolyNode* aHole : anOuter->Childs)
    {
      addParts(*aHole, theParts);
    }
  }
}

//! Appends to theCrossings where the edges of thePolygons cross the line y = theY.
void crossings(const ClipperLib::Paths& thePolygons, const double theY,
               std::vector<double>& theCrossings)
{
  for (const ClipperLib::Path& aPath : thePolygons)
  {
    for (size_t anIndex = 0; anIndex < aPath.size(); ++anIndex)
    {
      const ClipperLib::IntPoint& aFrom = aPath[anIndex];
      const ClipperLib::IntPoint& aTo   = aPath[(anIndex + 1) % aPath.size()];
      if ((aFrom.Y < theY) != (aTo.Y < theY))
      {
        theCrossings.push_back(double(aFrom.X) + (theY - double(aFrom.Y)) *
                                                     double(aTo.X - aFrom.X) /
                                                     double(aTo.Y - aFrom.Y));
      }
    }
  }
}

//! Returns the point of the segment theFrom-theTo nearest to thePoint.
gp_XY nearest(const gp_XY& thePoint, const gp_XY& theFrom, const gp_XY& theTo)
{
  const gp_XY  aSpan   = theTo - theFrom;
  const double aSquare = aSpan.SquareModulus();
  if (aSquare <= 0.0)
  {
    return theFrom;
  }
  const double aParam = std::min(1.0, std::max(0.0, (thePoint - theFrom).Dot(aSpan) / aSquare));
  return theFrom + aSpan * aParam;
}

//! Returns the point of theA as real numbers.
gp_XY real(const ClipperLib::IntPoint& theA)
{
  return gp_XY(double(theA.X), double(theA.Y));
}

//! Lowers theBest (and sets theMiddle) when a vertex of theFirst lies nearer to an edge of
//! theSecond.
void nearestVertex(const ClipperLib::Paths& theFirst, const ClipperLib::Paths& theSecond,
                   double& theBest, gp_XY& theMiddle)
{
  for (const ClipperLib::Path& aPath : theFirst)
  {
    for (const ClipperLib::IntPoint& aVertex : aPath)
    {
      const gp_XY aPoint = real(aVertex);
      for (const ClipperLib::Path& anOther : theSecond)
      {
        for (size_t anIndex = 0; anIndex < anOther.size(); ++anIndex)
        {
          const gp_XY  aNear     = nearest(aPoint, real(anOther[anIndex]),
                                           real(anOther[(anIndex + 1) % anOther.size()]));
          const double aDistance = (aNear - aPoint).Modulus();
          if (aDistance < theBest)
          {
            theBest   = aDistance;
            theMiddle = 0.5 * (aNear + aPoint);
          }
        }
      }
    }
  }
}
} // namespace

void VexVerify_TileParts::Split(const ClipperLib::Paths& theArea, std::vector<Part>& theParts)
{
  theParts.clear();
  if (theArea.empty())
  {
    return;
  }
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(theArea, ClipperLib::ptSubject, true);
  ClipperLib::PolyTree aTree;
  aClipper.Execute(ClipperLib::ctUnion, aTree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  addParts(aTree, theParts);
}

Standard_Boolean VexVerify_TileParts::InsidePoint(const Part& thePart, gp_XY& thePoint)
{
  // Lines across the middle, then nearer the ends; halfway between units, so no vertex is on one.
  const double        aLow = double(thePart.Min.Y), aHeight = double(thePart.Max.Y - thePart.Min.Y);
  const double        aFractions[] = {0.5, 0.25, 0.75, 0.125, 0.875};
  std::vector<double> aCrossings;
  for (const double aFraction : aFractions)
  {
    const double aY = std::floor(aLow + aFraction * aHeight) + 0.5;
    aCrossings.clear();
    crossings(thePart.Polygons, aY, aCrossings);
    std::sort(aCrossings.begin(), aCrossings.end());
    double aWidest = 0.0;
    for (size_t anIndex = 1; anIndex < aCrossings.size(); anIndex += 2)
    {
      if (aCrossings[anIndex] - aCrossings[anIndex - 1] > aWidest)
      {
        aWidest = aCrossings[anIndex] - aCrossings[anIndex - 1];
        thePoint.SetCoord(0.5 * (aCrossings[anIndex] + aCrossings[anIndex - 1]), aY);
      }
    }
    if (aWidest >= THE_MIN_SPAN)
    {
      return Standard_True;
    }
  }
  return Standard_False;
}

Standard_Boolean VexVerify_TileParts::Contains(const Part& thePart, const gp_XY& thePoint)
{
  if (thePoint.X() < double(thePart.Min.X) || thePoint.X() > double(thePart.Max.X) ||
      thePoint.Y() < double(thePart.Min.Y) || thePoint.Y() > double(thePart.Max.Y))
  {
    return Standard_False;
  }
  std::vector<double> aCrossings;
  crossings(thePart.Polygons, thePoint.Y(), aCrossings);
  size_t aLeft = 0;
  for (const double aCrossing : aCrossings)
  {
    aLeft += aCrossing < thePoint.X() ? 1 : 0;
  }
  return aLeft % 2 == 1;
}

Standard_Integer VexVerify_TileParts::Find(const std::vector<Part>& theParts, const gp_XY& thePoint)
{
  for (size_t anIndex = 0; anIndex < theParts.size(); ++anIndex)
  {
    if (Contains(theParts[anIndex], thePoint))
    {
      return static_cast<Standard_Integer>(anIndex);
    }
  }
  return -1;
}

double VexVerify_TileParts::Distance(const Part& theFirst, const Part& theSecond, gp_XY& theMiddle)
{
  double aBest = std::numeric_limits<double>::max();
  nearestVertex(theFirst.Polygons, theSecond.Polygons, aBest, theMiddle);
  nearestVertex(theSecond.Polygons, theFirst.Polygons, aBest, theMiddle);
  return aBest;
}

double VexVerify_TileParts::Distance(const Part& thePart, const gp_XY& thePoint)
{
  double aBest = std::numeric_limits<double>::max();
  for (const ClipperLib::Path& aPath : thePart.Polygons)
  {
    for (size_t anIndex = 0; anIndex < aPath.size(); ++anIndex)
    {
      const gp_XY aNear =
          nearest(thePoint, real(aPath[anIndex]), real(aPath[(anIndex + 1) % aPath.size()]));
      aBest = std::min(aBest, (aNear - thePoint).Modulus());
    }
  }
  return aBest;
}

double VexVerify_TileParts::Distance(const Part& thePart, const gp_XY& theFrom, const gp_XY& theTo,
                                     gp_XY& theOnSegment)
{
  // The nearest points of a segment and a polygon: a vertex of one and a point of the other.
  double aBest = std::numeric_limits<double>::max();
  for (const ClipperLib::Path& aPath : thePart.Polygons)
  {
    for (size_t anIndex = 0; anIndex < aPath.size(); ++anIndex)
    {
      const gp_XY aVertex = real(aPath[anIndex]), aNext = real(aPath[(anIndex + 1) % aPath.size()]);
      const gp_XY anOn = nearest(aVertex, theFrom, theTo);
      if ((anOn - aVertex).Modulus() < aBest)
      {
        aBest        = (anOn - aVertex).Modulus();
        theOnSegment = anOn;
      }
      for (const gp_XY& anEnd : {theFrom, theTo})
      {
        if ((nearest(anEnd, aVertex, aNext) - anEnd).Modulus() < aBest)
        {
          aBest        = (nearest(anEnd, aVertex, aNext) - anEnd).Modulus();
          theOnSegment = anEnd;
        }
      }
    }
  }
  return aBest;
}

double VexVerify_TileParts::BoxDistance(const Part& thePart, const gp_XY& theFrom,
                                        const gp_XY& theTo)
{
  Part aBox;
  aBox.Min = ClipperLib::IntPoint(
      static_cast<ClipperLib::cInt>(std::floor(std::min(theFrom.X(), theTo.X()))),
      static_cast<ClipperLib::cInt>(std::floor(std::min(theFrom.Y(), theTo.Y()))));
  aBox.Max = ClipperLib::IntPoint(
      static_cast<ClipperLib::cInt>(std::ceil(std::max(theFrom.X(), theTo.X()))),
      static_cast<ClipperLib::cInt>(std::ceil(std::max(theFrom.Y(), theTo.Y()))));
  return BoxDistance(thePart, aBox);
}

double VexVerify_TileParts::BoxDistance(const Part& thePart, const gp_XY& thePoint)
{
  const double aDx = std::max(
      0.0, std::max(double(thePart.Min.X) - thePoint.X(), thePoint.X() - double(thePart.Max.X)));
  const double aDy = std::max(
      0.0, std::max(double(thePart.Min.Y) - thePoint.Y(), thePoint.Y() - double(thePart.Max.Y)));
  return std::sqrt(aDx * aDx + aDy * aDy);
}

double VexVerify_TileParts::BoxDistance(const Part& theFirst, const Part& theSecond)
{
  const double aDx = double(std::max<ClipperLib::cInt>(
      0, std::max(theFirst.Min.X - theSecond.Max.X, theSecond.Min.X - theFirst.Max.X)));
  const double aDy = double(std::max<ClipperLib::cInt>(
      0, std::max(theFirst.Min.Y - theSecond.Max.Y, theSecond.Min.Y - theFirst.Max.Y)));
  return std::sqrt(aDx * aDx + aDy * aDy);
}

void VexVerify_TileParts::Stretches(const std::vector<Part>& theParts,
                                    const Standard_Boolean   isVertical,
                                    const ClipperLib::cInt   theValue,
                                    std::vector<Stretch>&    theStretches)
{
  for (const Part& aPart : theParts)
  {
    for (const ClipperLib::Path& aPath : aPart.Polygons)
    {
      for (size_t anIndex = 0; anIndex < aPath.size(); ++anIndex)
      {
        const ClipperLib::IntPoint& aFrom       = aPath[anIndex];
        const ClipperLib::IntPoint& aTo         = aPath[(anIndex + 1) % aPath.size()];
        const ClipperLib::cInt      aFromAcross = isVertical ? aFrom.X : aFrom.Y;
        const ClipperLib::cInt      aToAcross   = isVertical ? aTo.X : aTo.Y;
        const ClipperLib::cInt      aFromAlong  = isVertical ? aFrom.Y : aFrom.X;
        const ClipperLib::cInt      aToAlong    = isVertical ? aTo.Y : aTo.X;
        if (aFromAcross == theValue && aToAcross == theValue && aFromAlong != aToAlong)
        {
          theStretches.push_back(Stretch{std::min(aFromAlong, aToAlong),
                                         std::max(aFromAlong, aToAlong), aPart.Node, -1, 0.0, 0.0,
                                         gp_XY()});
        }
      }
    }
  }
}

void VexVerify_TileParts::sort(std::vector<Stretch>& theStretches)
{
  std::sort(theStretches.begin(), theStretches.end(),
            [](const Stretch& theLeft, const Stretch& theRight)
            { return theLeft.From < theRight.From; });
}
