// Copyright (c) 2026 VexData developers
#include <VexVerify_Geometry.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Most chords an arc is cut into, whatever its size: a full circle of ten metres at the chord
//! tolerance needs about 7000.
const Standard_Integer THE_MAX_CHORDS = 16384;

//! Returns the cross product of (theB - theA) and (theC - theA).
Standard_Real cross(const gp_XY& theA, const gp_XY& theB, const gp_XY& theC)
{
  return (theB - theA).Crossed(theC - theA);
}

//! Returns true when the segments theA0-theA1 and theB0-theB1 cross or touch.
Standard_Boolean crosses(const gp_XY& theA0, const gp_XY& theA1, const gp_XY& theB0,
                         const gp_XY& theB1)
{
  const Standard_Real aD1 = cross(theA0, theA1, theB0), aD2 = cross(theA0, theA1, theB1);
  const Standard_Real aD3 = cross(theB0, theB1, theA0), aD4 = cross(theB0, theB1, theA1);
  return ((aD1 > 0.0 && aD2 < 0.0) || (aD1 < 0.0 && aD2 > 0.0)) &&
         ((aD3 > 0.0 && aD4 < 0.0) || (aD3 < 0.0 && aD4 > 0.0));
}

//! The arc tolerance that keeps the offsetter's round parts within the chord tolerance.
double arcTolerance()
{
  return VexVerify_Geometry::ChordTolerance() * VexVerify_Geometry::Scale();
}
} // namespace

Standard_Boolean VexVerify_Geometry::IsUsable(const Standard_Real theValue)
{
  return std::isfinite(theValue) && std::fabs(theValue) <= Limit();
}

ClipperLib::IntPoint VexVerify_Geometry::ToInt(const gp_XY& thePoint)
{
  return ClipperLib::IntPoint(std::llround(thePoint.X() * Scale()),
                              std::llround(thePoint.Y() * Scale()));
}

ClipperLib::cInt VexVerify_Geometry::ToInt(const Standard_Real theLength)
{
  return std::llround(theLength * Scale());
}

gp_XY VexVerify_Geometry::ToXY(const ClipperLib::IntPoint& thePoint)
{
  return gp_XY(static_cast<Standard_Real>(thePoint.X) / Scale(),
               static_cast<Standard_Real>(thePoint.Y) / Scale());
}

Standard_Real VexVerify_Geometry::Length(const ClipperLib::Path& thePath)
{
  Standard_Real aLength = 0.0;
  for (size_t anIndex = 1; anIndex < thePath.size(); ++anIndex)
  {
    const Standard_Real aDx =
        static_cast<Standard_Real>(thePath[anIndex].X - thePath[anIndex - 1].X);
    const Standard_Real aDy =
        static_cast<Standard_Real>(thePath[anIndex].Y - thePath[anIndex - 1].Y);
    aLength += std::sqrt(aDx * aDx + aDy * aDy);
  }
  return aLength / Scale();
}

Standard_Integer VexVerify_Geometry::NbChords(const Standard_Real theRadius,
                                              const Standard_Real theSweep)
{
  const Standard_Real aRadius = std::fabs(theRadius), aSweep = std::fabs(theSweep);
  if (!(aRadius > ChordTolerance()) || !std::isfinite(aSweep))
  {
    // A circle this small is its own chords: a quarter turn each keeps it within tolerance.
    return std::max(1, std::min(4, static_cast<Standard_Integer>(std::ceil(aSweep / M_PI_2))));
  }
  // A chord spanning the angle a stays within r (1 - cos(a / 2)) of its arc.
  const Standard_Real aStep   = 2.0 * std::acos(1.0 - ChordTolerance() / aRadius);
  const Standard_Real aChords = std::ceil(aSweep / aStep);
  return static_cast<Standard_Integer>(
      std::max(1.0, std::min(aChords, static_cast<Standard_Real>(THE_MAX_CHORDS))));
}

void VexVerify_Geometry::FlattenArc(const PhGeom_Arc& theArc, const Standard_Real theFactor,
                                    std::vector<gp_XY>& thePoints)
{
  const Standard_Real    aSweep  = theArc.Angle(1) - theArc.Angle(0);
  const Standard_Real    aRadius = theArc.Radius() * theFactor;
  const Standard_Integer aCount  = NbChords(aRadius, aSweep);
  const gp_XY            aCenter = theArc.Center() * theFactor;
  for (Standard_Integer anIndex = 1; anIndex < aCount; ++anIndex)
  {
    const Standard_Real anAngle = theArc.Angle(0) + aSweep * anIndex / aCount;
    thePoints.push_back(aCenter + gp_XY(aRadius * std::cos(anAngle), aRadius * std::sin(anAngle)));
  }
  thePoints.push_back(theArc.EndPoint() * theFactor);
}

void VexVerify_Geometry::Stroke(const ClipperLib::Paths& thePaths, const Standard_Real theRadius,
                                ClipperLib::Paths& theResult)
{
  if (!(theRadius > 0.0) || thePaths.empty())
  {
    return;
  }
  ClipperLib::ClipperOffset anOffsetter(2.0, arcTolerance());
  anOffsetter.AddPaths(thePaths, ClipperLib::jtRound, ClipperLib::etOpenRound);
  ClipperLib::Paths aStrokes;
  anOffsetter.Execute(aStrokes, theRadius * Scale());
  theResult.insert(theResult.end(), aStrokes.begin(), aStrokes.end());
}

void VexVerify_Geometry::Grow(ClipperLib::Paths& thePolygons, const Standard_Real theDistance)
{
  if (thePolygons.empty() || theDistance == 0.0)
  {
    return;
  }
  ClipperLib::ClipperOffset anOffsetter(2.0, arcTolerance());
  anOffsetter.AddPaths(thePolygons, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
  ClipperLib::Paths aGrown;
  anOffsetter.Execute(aGrown, theDistance * Scale());
  thePolygons.swap(aGrown);
}

void VexVerify_Geometry::Normalise(ClipperLib::Paths& thePolygons)
{
  if (thePolygons.empty())
  {
    return;
  }
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(thePolygons, ClipperLib::ptSubject, true);
  ClipperLib::Paths aUnion;
  aClipper.Execute(ClipperLib::ctUnion, aUnion, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  thePolygons.swap(aUnion);
}

namespace
{
//! Returns true when every point of thePath has the same y.
Standard_Boolean isLevel(const ClipperLib::Path& thePath)
{
  for (const ClipperLib::IntPoint& aPoint : thePath)
  {
    if (aPoint.Y != thePath.front().Y)
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

//! Swaps x and y of every point of thePaths.
void transpose(ClipperLib::Paths& thePaths)
{
  for (ClipperLib::Path& aPath : thePaths)
  {
    for (ClipperLib::IntPoint& aPoint : aPath)
    {
      std::swap(aPoint.X, aPoint.Y);
    }
  }
}

//! Appends to theResult the parts of theLines inside or outside thePolygons.
void clipLines(const ClipperLib::Paths& theLines, const ClipperLib::Paths& thePolygons,
               const Standard_Boolean isInside, ClipperLib::Paths& theResult)
{
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(theLines, ClipperLib::ptSubject, false);
  aClipper.AddPaths(thePolygons, ClipperLib::ptClip, true);
  ClipperLib::PolyTree aTree;
  aClipper.Execute(isInside ? ClipperLib::ctIntersection : ClipperLib::ctDifference, aTree,
                   ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  ClipperLib::Paths aParts;
  ClipperLib::OpenPathsFromPolyTree(aTree, aParts);
  theResult.insert(theResult.end(), aParts.begin(), aParts.end());
}
} // namespace

void VexVerify_Geometry::ClipLines(const ClipperLib::Paths& theLines,
                                   const ClipperLib::Paths& thePolygons,
                                   const Standard_Boolean isInside, ClipperLib::Paths& theResult)
{
  ClipperLib::Paths aLevel, anOthers;
  for (const ClipperLib::Path& aLine : theLines)
  {
    (isLevel(aLine) ? aLevel : anOthers).push_back(aLine);
  }
  if (!anOthers.empty())
  {
    clipLines(anOthers, thePolygons, isInside, theResult);
  }
  if (aLevel.empty())
  {
    return;
  }
  // Swapping x and y mirrors the polygons; the non-zero rule does not mind their orientation.
  ClipperLib::Paths aPolygons = thePolygons, aParts;
  transpose(aLevel);
  transpose(aPolygons);
  clipLines(aLevel, aPolygons, isInside, aParts);
  transpose(aParts);
  theResult.insert(theResult.end(), aParts.begin(), aParts.end());
}

ClipperLib::Path VexVerify_Geometry::Rectangle(const ClipperLib::IntPoint& theMin,
                                               const ClipperLib::IntPoint& theMax)
{
  ClipperLib::Path aPath;
  aPath.push_back(theMin);
  aPath.push_back(ClipperLib::IntPoint(theMax.X, theMin.Y));
  aPath.push_back(theMax);
  aPath.push_back(ClipperLib::IntPoint(theMin.X, theMax.Y));
  return aPath;
}

Standard_Real VexVerify_Geometry::PointDistance(const gp_XY& thePoint, const gp_XY& theA0,
                                                const gp_XY& theA1)
{
  const gp_XY         aDir    = theA1 - theA0;
  const Standard_Real aLength = aDir.SquareModulus();
  if (aLength <= 0.0)
  {
    return (thePoint - theA0).Modulus();
  }
  const Standard_Real aParam = std::min(1.0, std::max(0.0, (thePoint - theA0).Dot(aDir) / aLength));
  return (thePoint - (theA0 + aDir * aParam)).Modulus();
}

Standard_Real VexVerify_Geometry::SegmentDistance(const gp_XY& theA0, const gp_XY& theA1,
                                                  const gp_XY& theB0, const gp_XY& theB1)
{
  if (crosses(theA0, theA1, theB0, theB1))
  {
    return 0.0;
  }
  return std::min(std::min(PointDistance(theA0, theB0, theB1), PointDistance(theA1, theB0, theB1)),
                  std::min(PointDistance(theB0, theA0, theA1), PointDistance(theB1, theA0, theA1)));
}
