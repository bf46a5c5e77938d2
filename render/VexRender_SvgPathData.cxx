// Copyright (c) 2026 VexData developers
#include <VexRender_SvgPathData.hxx>

#include <VexGeom_Drawing.hxx>

#include <cmath>

namespace
{
//! Distance (mm) under which an element continues the path at the previous element's end.
const double THE_JOIN_TOLERANCE = 1.0e-6;

const double THE_TWO_PI = 2.0 * M_PI;

//! Angle (radians) under which a sweep counts as a full turn or as no more than a half turn.
const double THE_ANGLE_TOLERANCE = 1.0e-9;

//! No rotation or scale: the picture draws shapes as the model gives them.
const gp_Mat2d THE_IDENTITY(gp_XY(1.0, 0.0), gp_XY(0.0, 1.0));
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
  if (isPoint || !VexGeom_Drawing::IsUsable(theElement, myFactor))
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

void VexRender_SvgPathData::Flash(const VexGeom_Shape& theShape, const gp_XY& theCentre)
{
  if (theShape.IsEmpty())
  {
    return;
  }
  splitIfLong(true);
  open();
  contours(theShape.Contours(), theCentre);
  ++myNbPieces;
  myBuffer.FlushIfFull();
}

void VexRender_SvgPathData::Sweep(const VexGeom_Shape& theShape, const PhGeom_Element& theElement)
{
  mySwept.Clear();
  if (theShape.IsEmpty() ||
      !mySweep.Along(theShape, THE_IDENTITY, VexGeom_Sweep::PathOf(theElement, myFactor),
                     mySwept) ||
      mySwept.IsEmpty())
  {
    return;
  }
  splitIfLong(true);
  open();
  contours(mySwept, gp_XY(0.0, 0.0));
  ++myNbPieces;
  myBuffer.FlushIfFull();
}

void VexRender_SvgPathData::contours(const NCollection_Vector<VexGeom_Contour>& theContours,
                                     const gp_XY&                               theOffset)
{
  // By index: a vector's iterator costs more to set up than a flash's one or two contours.
  for (Standard_Integer aNumber = 0; aNumber < theContours.Length(); ++aNumber)
  {
    const VexGeom_Contour& aContour = theContours(aNumber);
    to('M', aContour.Start() + theOffset);
    for (Standard_Integer anIndex = 0; anIndex < aContour.NbEdges(); ++anIndex)
    {
      edge(aContour, anIndex, theOffset);
    }
    myBuffer.Add('Z');
  }
}

void VexRender_SvgPathData::edge(const VexGeom_Contour& theContour, const Standard_Integer theIndex,
                                 const gp_XY& theOffset)
{
  const VexGeom_Edge& anEdge = theContour.Edge(theIndex);
  if (anEdge.Type == VexGeom_Edge::Kind_Segment)
  {
    // The closing side is drawn by the Z that ends the subpath.
    const bool isClosing = theIndex + 1 == theContour.NbEdges() &&
                           anEdge.End.X() == theContour.Start().X() &&
                           anEdge.End.Y() == theContour.Start().Y();
    if (!isClosing)
    {
      to('L', anEdge.End + theOffset);
    }
    return;
  }
  // The picture's y axis points down, so a counter-clockwise arc has sweep flag 0. A full turn
  // cannot be one SVG arc (its ends coincide): it is drawn as two halves.
  // The circles of flashes end where they start: they need no angles.
  const gp_XY& aStart  = theContour.EdgeStart(theIndex);
  const double aRadius = (aStart - anEdge.Center).Modulus();
  const bool   isFull  = anEdge.End.X() == aStart.X() && anEdge.End.Y() == aStart.Y();
  const double aSweep  = isFull ? 0.0 : theContour.ArcSweep(theIndex);
  const bool   isCw    = anEdge.Type == VexGeom_Edge::Kind_ArcCw;
  if (isFull || std::abs(aSweep) >= THE_TWO_PI - THE_ANGLE_TOLERANCE)
  {
    arcTo(aRadius, false, isCw, 2.0 * anEdge.Center - aStart + theOffset);
    arcTo(aRadius, false, isCw, anEdge.End + theOffset);
    return;
  }
  arcTo(aRadius, std::abs(aSweep) > M_PI + THE_ANGLE_TOLERANCE, isCw, anEdge.End + theOffset);
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
