// Copyright (c) 2026 VexData developers
#include <VexGeom_Shape.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Vertex counts a regular polygon of a model aperture may have.
const double THE_MIN_POLYGON_VERTICES = 3.0;
const double THE_MAX_POLYGON_VERTICES = 12.0;

//! Returns parameter theIndex (from 1) of theAperture times theFactor, or NaN when it is missing.
double length(const PenFormatData_Aperture& theAperture, const Standard_Integer theIndex,
              const double theFactor)
{
  return theIndex <= theAperture.NbParams() ? theAperture.Param(theIndex) * theFactor
                                            : std::nan("");
}

//! Returns true for a length a shape can have: a number, 0 or more.
bool isSize(const double theValue)
{
  return std::isfinite(theValue) && theValue >= 0.0;
}

//! Returns the hole diameter of parameter theIndex, 0 when there is none usable.
double holeOf(const PenFormatData_Aperture& theAperture, const Standard_Integer theIndex,
              const double theFactor)
{
  const double aHole = length(theAperture, theIndex, theFactor);
  return std::isfinite(aHole) && aHole > 0.0 ? aHole : 0.0;
}

//! Returns the shape of a polygonal model aperture, not drawable when its values are not.
VexGeom_Shape polygonOf(const PenFormatData_Aperture& theAperture, const double theFactor)
{
  const double aDiameter = length(theAperture, 1, theFactor);
  const double aCount    = theAperture.NbParams() >= 2 ? theAperture.Param(2) : 0.0;
  const double aTurn     = theAperture.NbParams() >= 3 ? theAperture.Param(3) : 0.0;
  if (!(aCount >= THE_MIN_POLYGON_VERTICES && aCount <= THE_MAX_POLYGON_VERTICES) ||
      !std::isfinite(aTurn) || !isSize(aDiameter))
  {
    return VexGeom_Shape();
  }
  return VexGeom_Shape::Polygon(aDiameter, static_cast<Standard_Integer>(std::lround(aCount)),
                                aTurn, holeOf(theAperture, 4, theFactor));
}

//! Returns the shape of a model aperture's outline, not drawable when a polygon has fewer than
//! three corners, a corner is not a number, or the polygon ends do not split the corners.
VexGeom_Shape outlineOf(const PenFormatData_Aperture& theAperture, const double theFactor)
{
  const NCollection_Vector<gp_XY>&            aPoints = theAperture.OutlinePoints();
  const NCollection_Vector<Standard_Integer>& anEnds  = theAperture.OutlineEnds();
  NCollection_Vector<VexGeom_Contour>         aContours(Max(anEnds.Length(), 1));
  Standard_Integer                            aFirst = 0;
  for (NCollection_Vector<Standard_Integer>::Iterator anEnd(anEnds); anEnd.More(); anEnd.Next())
  {
    const Standard_Integer aLast = anEnd.Value();
    if (aLast - aFirst < 3 || aLast > aPoints.Length())
    {
      return VexGeom_Shape();
    }
    VexGeom_Contour& aContour = aContours.Appended();
    for (Standard_Integer anIndex = aFirst; anIndex <= aLast; ++anIndex)
    {
      const gp_XY aPoint = aPoints(anIndex < aLast ? anIndex : aFirst) * theFactor;
      if (!std::isfinite(aPoint.X()) || !std::isfinite(aPoint.Y()))
      {
        return VexGeom_Shape();
      }
      if (anIndex == aFirst)
      {
        aContour = VexGeom_Contour(aPoint);
      }
      else
      {
        aContour.AddSegment(aPoint);
      }
    }
    aFirst = aLast;
  }
  return aFirst == aPoints.Length() ? VexGeom_Shape::Outline(aContours) : VexGeom_Shape();
}
} // namespace

VexGeom_Shape::VexGeom_Shape() : VexGeom_Shape(Kind_None, 0.0, 0.0)
{
}

VexGeom_Shape::VexGeom_Shape(const Kind theKind, const double theWidth, const double theHeight)
    : myContours(4), myHalfExtent(0.0, 0.0), myWidth(theWidth), myHeight(theHeight), myHole(0.0),
      myKind(theKind)
{
}

VexGeom_Shape VexGeom_Shape::make(const Kind theKind, const double theWidth, const double theHeight,
                                  const double theHole, const Standard_Integer theVertices,
                                  const double theDegrees)
{
  VexGeom_Shape aShape(theKind, theWidth, theHeight);
  switch (theKind)
  {
  case Kind_Circle:
    aShape.addCircle(theWidth, false);
    break;
  case Kind_Rectangle:
    aShape.addRectangle();
    break;
  case Kind_Obround:
    aShape.addObround();
    break;
  default:
    aShape.addPolygon(theVertices, theDegrees);
    break;
  }
  aShape.finish(theHole);
  return aShape;
}

VexGeom_Shape VexGeom_Shape::Circle(const double theDiameter, const double theHole)
{
  return make(Kind_Circle, theDiameter, theDiameter, theHole, 0, 0.0);
}

VexGeom_Shape VexGeom_Shape::Rectangle(const double theWidth, const double theHeight,
                                       const double theHole)
{
  return make(Kind_Rectangle, theWidth, theHeight, theHole, 0, 0.0);
}

VexGeom_Shape VexGeom_Shape::Obround(const double theWidth, const double theHeight,
                                     const double theHole)
{
  return make(Kind_Obround, theWidth, theHeight, theHole, 0, 0.0);
}

VexGeom_Shape VexGeom_Shape::Polygon(const double theDiameter, const Standard_Integer theVertices,
                                     const double theDegrees, const double theHole)
{
  return make(Kind_Polygon, theDiameter, theDiameter, theHole, theVertices, theDegrees);
}

VexGeom_Shape VexGeom_Shape::Outline(const NCollection_Vector<VexGeom_Contour>& theContours)
{
  VexGeom_Shape aShape(Kind_Outline, 0.0, 0.0);
  aShape.myContours = theContours;
  aShape.finish(0.0);
  aShape.myWidth  = 2.0 * aShape.myHalfExtent.X();
  aShape.myHeight = 2.0 * aShape.myHalfExtent.Y();
  return aShape;
}

VexGeom_Shape VexGeom_Shape::FromAperture(const Handle(PenFormatData_Aperture) & theAperture,
                                          const double theFactor)
{
  if (theAperture.IsNull())
  {
    return VexGeom_Shape();
  }
  const PenFormatData_Aperture& anAperture = *theAperture;
  switch (anAperture.ShapeCode())
  {
  case PenFormatData_Aperture::Shape_Round:
  {
    const double aDiameter = length(anAperture, 1, theFactor);
    return isSize(aDiameter) ? Circle(aDiameter, holeOf(anAperture, 2, theFactor))
                             : VexGeom_Shape();
  }
  case PenFormatData_Aperture::Shape_Rectangle:
  case PenFormatData_Aperture::Shape_Obround:
  {
    const double aWidth  = length(anAperture, 1, theFactor);
    const double aHeight = length(anAperture, 2, theFactor);
    const double aHole   = holeOf(anAperture, 3, theFactor);
    if (!isSize(aWidth) || !isSize(aHeight))
    {
      return VexGeom_Shape();
    }
    return anAperture.ShapeCode() == PenFormatData_Aperture::Shape_Rectangle
               ? Rectangle(aWidth, aHeight, aHole)
               : Obround(aWidth, aHeight, aHole);
  }
  case PenFormatData_Aperture::Shape_Polygon:
    return polygonOf(anAperture, theFactor);
  case PenFormatData_Aperture::Shape_Macro:
    return anAperture.HasOutline() ? outlineOf(anAperture, theFactor) : VexGeom_Shape();
  default:
    return VexGeom_Shape();
  }
}

void VexGeom_Shape::finish(const double theHole)
{
  myHole = theHole > 0.0 ? theHole : 0.0;
  if (!myContours.IsEmpty())
  {
    addCircle(myHole, true);
  }
  if (myKind != Kind_Polygon && myKind != Kind_Outline)
  {
    myHalfExtent = gp_XY(0.5 * myWidth, 0.5 * myHeight);
    return;
  }
  // Straight edges only: the corners hold the extent.
  myHalfExtent = gp_XY(0.0, 0.0);
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(myContours); anIter.More();
       anIter.Next())
  {
    const VexGeom_Contour& aContour = anIter.Value();
    for (Standard_Integer anIndex = -1; anIndex < aContour.NbEdges(); ++anIndex)
    {
      const gp_XY& aPoint = anIndex < 0 ? aContour.Start() : aContour.Edge(anIndex).End;
      myHalfExtent.SetCoord(std::max(myHalfExtent.X(), std::fabs(aPoint.X())),
                            std::max(myHalfExtent.Y(), std::fabs(aPoint.Y())));
    }
  }
}

void VexGeom_Shape::addCircle(const double theDiameter, const bool isHole)
{
  if (!(theDiameter > 0.0))
  {
    return;
  }
  const gp_XY      aStart(0.5 * theDiameter, 0.0);
  VexGeom_Contour& aContour = myContours.Appended();
  aContour                  = VexGeom_Contour(aStart);
  aContour.AddArc(aStart, gp_XY(0.0, 0.0), !isHole);
}

void VexGeom_Shape::addRectangle()
{
  if (!(myWidth > 0.0) || !(myHeight > 0.0))
  {
    return;
  }
  const double     aX = 0.5 * myWidth, aY = 0.5 * myHeight;
  VexGeom_Contour& aContour = myContours.Appended();
  aContour                  = VexGeom_Contour(gp_XY(-aX, -aY));
  aContour.AddSegment(gp_XY(aX, -aY));
  aContour.AddSegment(gp_XY(aX, aY));
  aContour.AddSegment(gp_XY(-aX, aY));
  aContour.AddSegment(gp_XY(-aX, -aY));
}

void VexGeom_Shape::addObround()
{
  if (!(myWidth > 0.0) || !(myHeight > 0.0))
  {
    return;
  }
  if (myWidth == myHeight)
  {
    addCircle(myWidth, false);
    return;
  }
  // Built lying (straight sides along x), then turned a quarter when it stands.
  const bool       isLying  = myWidth > myHeight;
  const double     aRadius  = 0.5 * std::min(myWidth, myHeight);
  const double     aHalf    = 0.5 * std::max(myWidth, myHeight) - aRadius;
  VexGeom_Contour& aContour = myContours.Appended();
  aContour                  = VexGeom_Contour(gp_XY(-aHalf, -aRadius));
  aContour.AddSegment(gp_XY(aHalf, -aRadius));
  aContour.AddArc(gp_XY(aHalf, aRadius), gp_XY(aHalf, 0.0), Standard_True);
  aContour.AddSegment(gp_XY(-aHalf, aRadius));
  aContour.AddArc(gp_XY(-aHalf, -aRadius), gp_XY(-aHalf, 0.0), Standard_True);
  if (!isLying)
  {
    aContour.Transform(gp_Mat2d(gp_XY(0.0, 1.0), gp_XY(-1.0, 0.0)), gp_XY(0.0, 0.0));
  }
}

void VexGeom_Shape::addPolygon(const Standard_Integer theVertices, const double theDegrees)
{
  if (!(myWidth > 0.0) || theVertices < 3)
  {
    return;
  }
  const double     aRadius  = 0.5 * myWidth;
  const double     aFirst   = theDegrees * M_PI / 180.0;
  VexGeom_Contour& aContour = myContours.Appended();
  aContour = VexGeom_Contour(gp_XY(aRadius * std::cos(aFirst), aRadius * std::sin(aFirst)));
  for (Standard_Integer anIndex = 1; anIndex < theVertices; ++anIndex)
  {
    const double anAngle = aFirst + 2.0 * M_PI * anIndex / theVertices;
    aContour.AddSegment(gp_XY(aRadius * std::cos(anAngle), aRadius * std::sin(anAngle)));
  }
  aContour.AddSegment(aContour.Start());
}

void VexGeom_Shape::Place(const gp_XY&                         thePoint,
                          NCollection_Vector<VexGeom_Contour>& theContours) const
{
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(myContours); anIter.More();
       anIter.Next())
  {
    VexGeom_Contour& aContour = theContours.Appended();
    aContour                  = anIter.Value();
    aContour.Translate(thePoint);
  }
}

void VexGeom_Shape::Place(const gp_Mat2d& theMatrix, const gp_XY& thePoint,
                          NCollection_Vector<VexGeom_Contour>& theContours) const
{
  const bool isMirror = theMatrix.Determinant() < 0.0;
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(myContours); anIter.More();
       anIter.Next())
  {
    placeOne(anIter.Value(), theMatrix, thePoint, isMirror, theContours.Appended());
  }
}

void VexGeom_Shape::PlaceInto(const gp_Mat2d& theMatrix, const gp_XY& thePoint,
                              std::vector<VexGeom_Contour>& theContours) const
{
  const bool isMirror = theMatrix.Determinant() < 0.0;
  theContours.resize(static_cast<size_t>(myContours.Length()));
  for (Standard_Integer anIndex = 0; anIndex < myContours.Length(); ++anIndex)
  {
    placeOne(myContours(anIndex), theMatrix, thePoint, isMirror, theContours[anIndex]);
  }
}

void VexGeom_Shape::placeOne(const VexGeom_Contour& theSource, const gp_Mat2d& theMatrix,
                             const gp_XY& thePoint, const bool isMirror, VexGeom_Contour& theTarget)
{
  theTarget = theSource;
  theTarget.Transform(theMatrix, thePoint);
  if (isMirror)
  {
    theTarget.Reverse(); // a mirror turns outlines clockwise: turn them back
  }
}
