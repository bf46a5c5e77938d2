// Copyright (c) 2026 VexData developers
#include <VexGeom_Flattener.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Fewest and most chords of a full circle.
const Standard_Integer THE_MIN_SEGMENTS = 8;
const Standard_Integer THE_MAX_SEGMENTS = 2048;

//! Most chords of one arc, whatever its sweep (an arc never turns more than once).
const double THE_MAX_CHORDS = 1.0e6;

const double THE_TWO_PI = 2.0 * M_PI;
} // namespace

Standard_Integer VexGeom_Flattener::CircleSegments(const double theRadius)
{
  if (!(theRadius > VexGeom_Units::THE_CHORD_TOLERANCE))
  {
    return THE_MIN_SEGMENTS;
  }
  // A chord of angle a leaves r (1 - cos(a / 2)) between itself and the circle.
  const double anAngle = 2.0 * std::acos(1.0 - VexGeom_Units::THE_CHORD_TOLERANCE / theRadius);
  const double aCount  = std::ceil(THE_TWO_PI / anAngle);
  return aCount > THE_MAX_SEGMENTS
             ? THE_MAX_SEGMENTS
             : std::max(THE_MIN_SEGMENTS, static_cast<Standard_Integer>(aCount));
}

Standard_Integer VexGeom_Flattener::NbChords(const double theRadius, const double theSweep)
{
  if (!std::isfinite(theSweep))
  {
    return 1;
  }
  const double aCount =
      std::ceil(CircleSegments(std::fabs(theRadius)) * std::fabs(theSweep) / THE_TWO_PI);
  return aCount < 1.0 ? 1 : static_cast<Standard_Integer>(std::min(aCount, THE_MAX_CHORDS));
}

Standard_Boolean VexGeom_Flattener::AddArc(const gp_XY& theStart, const gp_XY& theCenter,
                                           const double theSweep, ClipperLib::Path& thePath)
{
  const gp_XY            aRadius = theStart - theCenter;
  const double           aR      = aRadius.Modulus();
  const Standard_Integer aCount  = NbChords(aR, theSweep);
  if (!myBudget.SpendSegments(aCount))
  {
    return Standard_False;
  }
  const double aStart = std::atan2(aRadius.Y(), aRadius.X());
  for (Standard_Integer anIndex = 1; anIndex <= aCount; ++anIndex)
  {
    const double anAngle = aStart + theSweep * anIndex / aCount;
    thePath.push_back(
        VexGeom_Units::ToPoint(theCenter + gp_XY(aR * std::cos(anAngle), aR * std::sin(anAngle))));
  }
  return Standard_True;
}

Standard_Boolean VexGeom_Flattener::AddCircle(const gp_XY& theCenter, const double theRadius,
                                              ClipperLib::Paths& thePaths)
{
  if (!(theRadius > 0.0))
  {
    return Standard_True;
  }
  ClipperLib::Path aPath;
  if (!AddArc(theCenter + gp_XY(theRadius, 0.0), theCenter, THE_TWO_PI, aPath))
  {
    return Standard_False;
  }
  thePaths.push_back(aPath);
  return Standard_True;
}

Standard_Boolean VexGeom_Flattener::ToPath(const VexGeom_Contour& theContour,
                                           ClipperLib::Path&      thePath)
{
  thePath.clear();
  thePath.push_back(VexGeom_Units::ToPoint(theContour.Start()));
  for (Standard_Integer anIndex = 0; anIndex < theContour.NbEdges(); ++anIndex)
  {
    const VexGeom_Edge& anEdge = theContour.Edge(anIndex);
    if (anEdge.Type == VexGeom_Edge::Kind_Segment)
    {
      thePath.push_back(VexGeom_Units::ToPoint(anEdge.End));
    }
    else if (!AddArc(theContour.EdgeStart(anIndex), anEdge.Center, theContour.ArcSweep(anIndex),
                     thePath))
    {
      return Standard_False;
    }
  }
  if (thePath.size() > 1 && thePath.back() == thePath.front())
  {
    thePath.pop_back(); // the polygon library closes polygons itself
  }
  return Standard_True;
}

Standard_Boolean VexGeom_Flattener::ToPaths(const NCollection_Vector<VexGeom_Contour>& theContours,
                                            ClipperLib::Paths&                         thePaths)
{
  ClipperLib::Path aPath;
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(theContours); anIter.More();
       anIter.Next())
  {
    if (!ToPath(anIter.Value(), aPath))
    {
      return Standard_False;
    }
    thePaths.push_back(aPath);
  }
  return Standard_True;
}

void VexGeom_Flattener::AddArc(const PhGeom_Arc& theArc, const double theFactor,
                               std::vector<gp_XY>& thePoints)
{
  const double           aSweep  = theArc.Angle(1) - theArc.Angle(0);
  const double           aRadius = theArc.Radius() * theFactor;
  const Standard_Integer aCount  = NbChords(aRadius, aSweep);
  const gp_XY            aCenter = theArc.Center() * theFactor;
  // Every chord end is the one before it turned by the same angle about the centre: one sine
  // and cosine per arc rather than per chord (rounding adds up to well under a nanometre).
  const double aStep = aSweep / aCount;
  const double aCos = std::cos(aStep), aSin = std::sin(aStep);
  gp_XY        aRay(aRadius * std::cos(theArc.Angle(0)), aRadius * std::sin(theArc.Angle(0)));
  for (Standard_Integer anIndex = 1; anIndex < aCount; ++anIndex)
  {
    aRay.SetCoord(aRay.X() * aCos - aRay.Y() * aSin, aRay.X() * aSin + aRay.Y() * aCos);
    thePoints.push_back(aCenter + aRay);
  }
  thePoints.push_back(theArc.EndPoint() * theFactor);
}

void VexGeom_Flattener::Outline(const PhGeom_Curve& theContour, const double theFactor,
                                std::vector<gp_XY>& thePoints)
{
  thePoints.clear();
  for (PhGeom_Curve::ElementIterator anIt(theContour); anIt.More(); anIt.Next())
  {
    const PhGeom_Element& anElement = anIt.Value();
    if (thePoints.empty())
    {
      thePoints.push_back(anElement.StartPoint() * theFactor);
    }
    if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      AddArc(static_cast<const PhGeom_Arc&>(anElement), theFactor, thePoints);
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      thePoints.push_back(anElement.EndPoint() * theFactor);
    }
  }
}
