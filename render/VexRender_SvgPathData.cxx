// Copyright (c) 2026 VexData developers
#include <VexRender_SvgPathData.hxx>

#include <VexRender_SvgSurvey.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Distance (mm) under which an element continues the path at the previous element's end.
const double THE_JOIN_TOLERANCE = 1.0e-6;

const double THE_TWO_PI = 2.0 * M_PI;

//! Returns the cross product of (theA - theO) and (theB - theO).
double cross(const gp_XY& theO, const gp_XY& theA, const gp_XY& theB)
{
  return (theA - theO).Crossed(theB - theO);
}

//! Replaces thePoints by their convex hull, counter-clockwise, and returns its size (Andrew's
//! monotone chain). theHull must hold twice as many points as thePoints.
int convexHull(gp_XY* thePoints, const int theCount, gp_XY* theHull)
{
  std::sort(thePoints, thePoints + theCount,
            [](const gp_XY& theA, const gp_XY& theB)
            { return theA.X() < theB.X() || (theA.X() == theB.X() && theA.Y() < theB.Y()); });
  int aSize = 0;
  for (int anIndex = 0; anIndex < theCount; ++anIndex)
  {
    while (aSize >= 2 && cross(theHull[aSize - 2], theHull[aSize - 1], thePoints[anIndex]) <= 0.0)
    {
      --aSize;
    }
    theHull[aSize++] = thePoints[anIndex];
  }
  for (int anIndex = theCount - 2, aLower = aSize + 1; anIndex >= 0; --anIndex)
  {
    while (aSize >= aLower &&
           cross(theHull[aSize - 2], theHull[aSize - 1], thePoints[anIndex]) <= 0.0)
    {
      --aSize;
    }
    theHull[aSize++] = thePoints[anIndex];
  }
  return aSize > 1 ? aSize - 1 : aSize;
}
} // namespace

void VexRender_SvgPathData::Begin(const char* theClass, const double theStrokeWidth)
{
  myClass       = theClass;
  myStrokeWidth = theStrokeWidth;
  myHasCurrent  = false;
  isOpen        = false;
}

void VexRender_SvgPathData::writeStart()
{
  myBuffer.Add("<path class=\"");
  myBuffer.Add(myClass);
  myBuffer.Add('"');
  if (myStrokeWidth > 0.0)
  {
    myBuffer.Attribute("stroke-width", myStrokeWidth);
  }
  myBuffer.Add(" d=\"");
  isOpen     = true;
  myNbPieces = 0;
}

void VexRender_SvgPathData::End()
{
  if (isOpen)
  {
    myBuffer.Add("\"/>\n");
    myBuffer.FlushIfFull();
  }
  isOpen = false;
}

void VexRender_SvgPathData::Element(const PhGeom_Element& theElement, const bool isArea)
{
  const bool isPoint = theElement.Kind() == PhGeom_Element::Kind_Point;
  if (isPoint || !VexRender_SvgSurvey::IsDrawable(theElement))
  {
    myHasCurrent = myHasCurrent && (isPoint || isArea);
    return;
  }
  splitIfLong(!isArea);
  open();
  const gp_XY aStart = theElement.StartPoint() * myFactor;
  if (!myHasCurrent)
  {
    to('M', aStart);
  }
  else if ((aStart - myCurrent).Modulus() > THE_JOIN_TOLERANCE)
  {
    to(isArea ? 'L' : 'M', aStart);
  }
  if (theElement.Kind() == PhGeom_Element::Kind_Arc)
  {
    arc(static_cast<const PhGeom_Arc&>(theElement));
  }
  else
  {
    to('L', theElement.EndPoint() * myFactor);
  }
  myCurrent    = theElement.EndPoint() * myFactor;
  myHasCurrent = true;
  ++myNbPieces;
  myBuffer.FlushIfFull();
}

void VexRender_SvgPathData::Close()
{
  if (myHasCurrent)
  {
    myBuffer.Add('Z');
  }
  myHasCurrent = false;
}

void VexRender_SvgPathData::arc(const PhGeom_Arc& theArc)
{
  const double aRadius = theArc.Radius() * myFactor;
  const double aSweep  = theArc.Angle(1) - theArc.Angle(0);
  const gp_XY  anEnd   = theArc.EndPoint() * myFactor;
  if (!(aRadius > 0.0) || std::abs(aSweep) < 1.0e-12)
  {
    to('L', anEnd);
    return;
  }
  // The picture's y axis points down, so a counter-clockwise arc has sweep flag 0. A full turn
  // cannot be one SVG arc (its ends coincide): it is drawn as two halves.
  const bool   isFull  = std::abs(aSweep) >= THE_TWO_PI - 1.0e-9;
  const double aMiddle = theArc.Angle(0) + 0.5 * aSweep;
  const gp_XY  aHalfWay =
      theArc.Center() * myFactor + gp_XY(aRadius * std::cos(aMiddle), aRadius * std::sin(aMiddle));
  if (isFull)
  {
    arcTo(aRadius, false, aSweep < 0.0, aHalfWay);
  }
  arcTo(aRadius, !isFull && std::abs(aSweep) > M_PI, aSweep < 0.0, anEnd);
}

void VexRender_SvgPathData::Flash(const VexRender_SvgAperture& theShape, const gp_XY& theCentre)
{
  if (theShape.IsEmpty())
  {
    return;
  }
  splitIfLong(true);
  open();
  if (theShape.Shape() == PenFormatData_Aperture::Shape_Round)
  {
    circle(theCentre, 0.5 * theShape.Width(), false);
  }
  else if (theShape.Shape() == PenFormatData_Aperture::Shape_Obround)
  {
    obround(theCentre, theShape.HalfExtent());
  }
  else
  {
    gp_XY     aVertices[VexRender_SvgAperture::THE_MAX_VERTICES];
    const int aCount = theShape.Outline(aVertices);
    for (int anIndex = 0; anIndex < aCount; ++anIndex)
    {
      aVertices[anIndex] += theCentre;
    }
    polygon(aVertices, aCount);
  }
  if (theShape.Hole() > 0.0)
  {
    circle(theCentre, 0.5 * theShape.Hole(), true);
  }
  ++myNbPieces;
  myBuffer.FlushIfFull();
}

void VexRender_SvgPathData::Sweep(const VexRender_SvgAperture& theShape, const gp_XY& theStart,
                                  const gp_XY& theEnd)
{
  if (theShape.IsEmpty())
  {
    return;
  }
  splitIfLong(true);
  open();
  gp_XY     aPoints[2 * VexRender_SvgAperture::THE_MAX_VERTICES];
  gp_XY     aHull[4 * VexRender_SvgAperture::THE_MAX_VERTICES];
  const int aCount = theShape.Outline(aPoints);
  for (int anIndex = 0; anIndex < aCount; ++anIndex)
  {
    aPoints[aCount + anIndex] = aPoints[anIndex] + theEnd;
    aPoints[anIndex] += theStart;
  }
  polygon(aHull, convexHull(aPoints, 2 * aCount, aHull));
  ++myNbPieces;
  myBuffer.FlushIfFull();
}

void VexRender_SvgPathData::circle(const gp_XY& theCentre, const double theRadius,
                                   const bool isHole)
{
  to('M', theCentre + gp_XY(theRadius, 0.0));
  arcTo(theRadius, false, isHole, theCentre - gp_XY(theRadius, 0.0));
  arcTo(theRadius, false, isHole, theCentre + gp_XY(theRadius, 0.0));
  myBuffer.Add('Z');
}

void VexRender_SvgPathData::obround(const gp_XY& theCentre, const gp_XY& theHalf)
{
  // The straight sides run along the longer axis; half circles close the ends.
  const double aRadius = std::min(theHalf.X(), theHalf.Y());
  const bool   isWide  = theHalf.X() >= theHalf.Y();
  const gp_XY  anAxis =
      isWide ? gp_XY(theHalf.X() - aRadius, 0.0) : gp_XY(0.0, theHalf.Y() - aRadius);
  const gp_XY aSide = isWide ? gp_XY(0.0, -aRadius) : gp_XY(aRadius, 0.0);
  to('M', theCentre - anAxis + aSide);
  to('L', theCentre + anAxis + aSide);
  arcTo(aRadius, false, false, theCentre + anAxis - aSide);
  to('L', theCentre - anAxis - aSide);
  arcTo(aRadius, false, false, theCentre - anAxis + aSide);
  myBuffer.Add('Z');
}

void VexRender_SvgPathData::polygon(const gp_XY* theVertices, const int theCount)
{
  for (int anIndex = 0; anIndex < theCount; ++anIndex)
  {
    to(anIndex == 0 ? 'M' : 'L', theVertices[anIndex]);
  }
  myBuffer.Add(theCount > 0 ? "Z" : "");
}

void VexRender_SvgPathData::to(const char theCommand, const gp_XY& thePoint)
{
  myBuffer.Add(theCommand);
  myPage.Point(myBuffer, thePoint);
}

void VexRender_SvgPathData::arcTo(const double theRadius, const bool isLarge, const bool isSweep,
                                  const gp_XY& theEnd)
{
  myBuffer.Add('A');
  myBuffer.Number(theRadius);
  myBuffer.Add(' ');
  myBuffer.Number(theRadius);
  myBuffer.Add(isLarge ? " 0 1" : " 0 0");
  myBuffer.Add(isSweep ? " 1 " : " 0 ");
  myPage.Point(myBuffer, theEnd);
}
