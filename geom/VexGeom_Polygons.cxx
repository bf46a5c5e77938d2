// Copyright (c) 2026 VexData developers
#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! The arc tolerance that keeps the offsetter's round parts within the chord tolerance.
const double THE_ARC_TOLERANCE = VexGeom_Units::THE_CHORD_TOLERANCE * VexGeom_Units::THE_SCALE;

//! Returns the cross product of (theB - theA) and (theC - theA).
double cross(const gp_XY& theA, const gp_XY& theB, const gp_XY& theC)
{
  return (theB - theA).Crossed(theC - theA);
}

//! Returns true when the segments theA0-theA1 and theB0-theB1 cross.
bool crosses(const gp_XY& theA0, const gp_XY& theA1, const gp_XY& theB0, const gp_XY& theB1)
{
  const double aD1 = cross(theA0, theA1, theB0), aD2 = cross(theA0, theA1, theB1);
  const double aD3 = cross(theB0, theB1, theA0), aD4 = cross(theB0, theB1, theA1);
  return ((aD1 > 0.0 && aD2 < 0.0) || (aD1 < 0.0 && aD2 > 0.0)) &&
         ((aD3 > 0.0 && aD4 < 0.0) || (aD3 < 0.0 && aD4 > 0.0));
}

//! Returns true when every point of thePath has the same y.
bool isLevel(const ClipperLib::Path& thePath)
{
  for (const ClipperLib::IntPoint& aPoint : thePath)
  {
    if (aPoint.Y != thePath.front().Y)
    {
      return false;
    }
  }
  return true;
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

void VexGeom_Polygons::Combine(const ClipperLib::ClipType theType,
                               const ClipperLib::Paths&   theSubject,
                               const ClipperLib::Paths& theClip, ClipperLib::Paths& theResult)
{
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(theSubject, ClipperLib::ptSubject, true);
  aClipper.AddPaths(theClip, ClipperLib::ptClip, true);
  ClipperLib::Paths aResult;
  aClipper.Execute(theType, aResult, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  theResult.swap(aResult);
}

Standard_Boolean VexGeom_Polygons::Combine(const ClipperLib::ClipType theType,
                                           const ClipperLib::Paths&   theSubject,
                                           const ClipperLib::Paths&   theClip,
                                           ClipperLib::Paths& theResult, VexGeom_Budget& theBudget)
{
  if (!theBudget.SpendWork(VexGeom_Budget::Cost(theSubject) + VexGeom_Budget::Cost(theClip)))
  {
    return Standard_False;
  }
  Combine(theType, theSubject, theClip, theResult);
  return Standard_True;
}

void VexGeom_Polygons::Normalise(ClipperLib::Paths& thePolygons)
{
  if (!thePolygons.empty())
  {
    Combine(ClipperLib::ctUnion, thePolygons, ClipperLib::Paths(), thePolygons);
  }
}

void VexGeom_Polygons::Grow(ClipperLib::Paths& thePolygons, const double theDistance)
{
  if (thePolygons.empty() || theDistance == 0.0)
  {
    return;
  }
  ClipperLib::ClipperOffset anOffsetter(2.0, THE_ARC_TOLERANCE);
  anOffsetter.AddPaths(thePolygons, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
  ClipperLib::Paths aGrown;
  anOffsetter.Execute(aGrown, theDistance * VexGeom_Units::THE_SCALE);
  thePolygons.swap(aGrown);
}

void VexGeom_Polygons::Stroke(const ClipperLib::Paths& theLines, const double theRadius,
                              ClipperLib::Paths& theResult)
{
  if (!(theRadius > 0.0) || theLines.empty())
  {
    return;
  }
  ClipperLib::ClipperOffset anOffsetter(2.0, THE_ARC_TOLERANCE);
  anOffsetter.AddPaths(theLines, ClipperLib::jtRound, ClipperLib::etOpenRound);
  ClipperLib::Paths aStrokes;
  anOffsetter.Execute(aStrokes, theRadius * VexGeom_Units::THE_SCALE);
  theResult.insert(theResult.end(), aStrokes.begin(), aStrokes.end());
}

void VexGeom_Polygons::ClipLines(const ClipperLib::Paths& theLines,
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

ClipperLib::Path VexGeom_Polygons::Rectangle(const ClipperLib::IntPoint& theMin,
                                             const ClipperLib::IntPoint& theMax)
{
  ClipperLib::Path aPath;
  aPath.push_back(theMin);
  aPath.push_back(ClipperLib::IntPoint(theMax.X, theMin.Y));
  aPath.push_back(theMax);
  aPath.push_back(ClipperLib::IntPoint(theMin.X, theMax.Y));
  return aPath;
}

void VexGeom_Polygons::AddToBox(const ClipperLib::Paths& thePaths, ClipperLib::IntPoint& theMin,
                                ClipperLib::IntPoint& theMax)
{
  for (const ClipperLib::Path& aPath : thePaths)
  {
    for (const ClipperLib::IntPoint& aPoint : aPath)
    {
      theMin.X = std::min(theMin.X, aPoint.X);
      theMin.Y = std::min(theMin.Y, aPoint.Y);
      theMax.X = std::max(theMax.X, aPoint.X);
      theMax.Y = std::max(theMax.Y, aPoint.Y);
    }
  }
}

double VexGeom_Polygons::Length(const ClipperLib::Path& thePath)
{
  double aLength = 0.0;
  for (size_t anIndex = 1; anIndex < thePath.size(); ++anIndex)
  {
    const double aDx = static_cast<double>(thePath[anIndex].X - thePath[anIndex - 1].X);
    const double aDy = static_cast<double>(thePath[anIndex].Y - thePath[anIndex - 1].Y);
    aLength += std::sqrt(aDx * aDx + aDy * aDy);
  }
  return aLength / VexGeom_Units::THE_SCALE;
}

double VexGeom_Polygons::Area(const ClipperLib::Paths& thePolygons)
{
  double anArea = 0.0;
  for (const ClipperLib::Path& aPath : thePolygons)
  {
    anArea += ClipperLib::Area(aPath);
  }
  return anArea / (VexGeom_Units::THE_SCALE * VexGeom_Units::THE_SCALE);
}

void VexGeom_Polygons::ToContours(const ClipperLib::Paths&             thePaths,
                                  NCollection_Vector<VexGeom_Contour>& theContours)
{
  for (const ClipperLib::Path& aPath : thePaths)
  {
    if (aPath.size() < 3)
    {
      continue;
    }
    VexGeom_Contour& aContour = theContours.Appended();
    aContour                  = VexGeom_Contour(VexGeom_Units::ToXY(aPath.front()));
    for (size_t anIndex = 1; anIndex < aPath.size(); ++anIndex)
    {
      aContour.AddSegment(VexGeom_Units::ToXY(aPath[anIndex]));
    }
    aContour.AddSegment(aContour.Start());
  }
}

double VexGeom_Polygons::PointDistance(const gp_XY& thePoint, const gp_XY& theA0,
                                       const gp_XY& theA1)
{
  const gp_XY  aDir    = theA1 - theA0;
  const double aLength = aDir.SquareModulus();
  if (aLength <= 0.0)
  {
    return (thePoint - theA0).Modulus();
  }
  const double aParam = std::min(1.0, std::max(0.0, (thePoint - theA0).Dot(aDir) / aLength));
  return (thePoint - (theA0 + aDir * aParam)).Modulus();
}

double VexGeom_Polygons::SegmentDistance(const gp_XY& theA0, const gp_XY& theA1, const gp_XY& theB0,
                                         const gp_XY& theB1)
{
  if (crosses(theA0, theA1, theB0, theB1))
  {
    return 0.0;
  }
  return std::min(std::min(PointDistance(theA0, theB0, theB1), PointDistance(theA1, theB0, theB1)),
                  std::min(PointDistance(theB0, theA0, theA1), PointDistance(theB1, theA0, theA1)));
}
