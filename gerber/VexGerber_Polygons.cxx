// Copyright (c) 2026 VexData developers
#include <VexGerber_Polygons.hxx>

#include <cmath>

namespace
{
//! Fewest and most chords of a full circle.
const Standard_Integer THE_MIN_SEGMENTS = 8;
const Standard_Integer THE_MAX_SEGMENTS = 2048;
} // namespace

Standard_Integer VexGerber_Polygons::CircleSegments(const Standard_Real theRadius)
{
  if (!(theRadius > THE_CHORD_TOLERANCE))
  {
    return THE_MIN_SEGMENTS;
  }
  // A chord of angle a leaves r (1 - cos(a / 2)) between itself and the circle.
  const Standard_Real anAngle = 2.0 * std::acos(1.0 - THE_CHORD_TOLERANCE / theRadius);
  const Standard_Real aCount  = std::ceil(2.0 * M_PI / anAngle);
  return aCount > THE_MAX_SEGMENTS ? THE_MAX_SEGMENTS
                                   : Max(THE_MIN_SEGMENTS, static_cast<Standard_Integer>(aCount));
}

Standard_Boolean VexGerber_Polygons::spend(const Standard_Integer theCount)
{
  if (mySegments > myLimits.FlattenedSegments - theCount)
  {
    return myFault.Fail(
        VexPcb_Fault("VEX_GERBER_LIMIT_FLATTENED_SEGMENTS").Arg(myLimits.FlattenedSegments));
  }
  mySegments += theCount;
  return Standard_True;
}

Standard_Boolean VexGerber_Polygons::AddArcPoints(const gp_XY& theStart, const gp_XY& theCenter,
                                                  const Standard_Real theSweep,
                                                  ClipperLib::Path&   thePath)
{
  const gp_XY            aRadius = theStart - theCenter;
  const Standard_Integer aCount =
      Max(1, static_cast<Standard_Integer>(
                 std::ceil(CircleSegments(aRadius.Modulus()) * std::abs(theSweep) / (2.0 * M_PI))));
  if (!spend(aCount))
  {
    return Standard_False;
  }
  const Standard_Real aStart = std::atan2(aRadius.Y(), aRadius.X());
  const Standard_Real aR     = aRadius.Modulus();
  for (Standard_Integer anIndex = 1; anIndex <= aCount; ++anIndex)
  {
    const Standard_Real anAngle = aStart + theSweep * anIndex / aCount;
    thePath.push_back(ToPoint(theCenter + gp_XY(aR * std::cos(anAngle), aR * std::sin(anAngle))));
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Polygons::ToPath(const VexGerber_Contour& theContour,
                                            ClipperLib::Path&        thePath)
{
  thePath.clear();
  thePath.push_back(ToPoint(theContour.Start()));
  for (Standard_Integer anIndex = 0; anIndex < theContour.NbEdges(); ++anIndex)
  {
    const VexGerber_Edge& anEdge = theContour.Edge(anIndex);
    if (anEdge.Type == VexGerber_Edge::Kind_Segment)
    {
      thePath.push_back(ToPoint(anEdge.End));
    }
    else if (!AddArcPoints(theContour.EdgeStart(anIndex), anEdge.Center,
                           theContour.ArcSweep(anIndex), thePath))
    {
      return Standard_False;
    }
  }
  if (thePath.size() > 1 && thePath.back() == thePath.front())
  {
    thePath.pop_back(); // Clipper closes polygons itself
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Polygons::AddCircle(const gp_XY&        theCenter,
                                               const Standard_Real theRadius,
                                               ClipperLib::Paths&  thePaths)
{
  if (!(theRadius > 0.0))
  {
    return Standard_True;
  }
  ClipperLib::Path aPath;
  if (!AddArcPoints(theCenter + gp_XY(theRadius, 0.0), theCenter, 2.0 * M_PI, aPath))
  {
    return Standard_False;
  }
  thePaths.push_back(aPath);
  return Standard_True;
}

void VexGerber_Polygons::ToContours(const ClipperLib::Paths&               thePaths,
                                    NCollection_Vector<VexGerber_Contour>& theContours)
{
  for (const ClipperLib::Path& aPath : thePaths)
  {
    if (aPath.size() < 3)
    {
      continue;
    }
    VexGerber_Contour& aContour = theContours.Appended();
    aContour                    = VexGerber_Contour(ToXY(aPath.front()));
    for (size_t anIndex = 1; anIndex < aPath.size(); ++anIndex)
    {
      aContour.AddSegment(ToXY(aPath[anIndex]));
    }
    aContour.AddSegment(aContour.Start());
  }
}
