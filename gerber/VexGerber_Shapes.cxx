// Copyright (c) 2026 VexData developers
#include <VexGerber_Shapes.hxx>

#include <VexGerber_MacroShape.hxx>

#include <cmath>

VexGerber_Shapes::VexGerber_Shapes(const VexGerber_Limits& theLimits, VexPcb_Fault& theFault)
    : myLimits(theLimits), myFault(theFault), myPolygons(theLimits, theFault)
{
}

void VexGerber_Shapes::circle(const Standard_Real theDiameter, const Standard_Boolean isHole,
                              NCollection_Vector<VexGerber_Contour>& theContours)
{
  if (!(theDiameter > 0.0))
  {
    return;
  }
  const gp_XY        aStart(0.5 * theDiameter, 0.0);
  VexGerber_Contour& aContour = theContours.Appended();
  aContour                    = VexGerber_Contour(aStart);
  aContour.AddArc(aStart, gp_XY(0.0, 0.0), !isHole);
}

void VexGerber_Shapes::rectangle(const Standard_Real theWidth, const Standard_Real theHeight,
                                 NCollection_Vector<VexGerber_Contour>& theContours)
{
  if (!(theWidth > 0.0) || !(theHeight > 0.0))
  {
    return;
  }
  const Standard_Real aX = 0.5 * theWidth, aY = 0.5 * theHeight;
  VexGerber_Contour&  aContour = theContours.Appended();
  aContour                     = VexGerber_Contour(gp_XY(-aX, -aY));
  aContour.AddSegment(gp_XY(aX, -aY));
  aContour.AddSegment(gp_XY(aX, aY));
  aContour.AddSegment(gp_XY(-aX, aY));
  aContour.AddSegment(gp_XY(-aX, -aY));
}

void VexGerber_Shapes::obround(const Standard_Real theWidth, const Standard_Real theHeight,
                               NCollection_Vector<VexGerber_Contour>& theContours)
{
  if (!(theWidth > 0.0) || !(theHeight > 0.0))
  {
    return;
  }
  if (theWidth == theHeight)
  {
    circle(theWidth, Standard_False, theContours);
    return;
  }
  // Built lying (straight sides along X), then turned a quarter when it stands.
  const Standard_Boolean isLying  = theWidth > theHeight;
  const Standard_Real    aRadius  = 0.5 * Min(theWidth, theHeight);
  const Standard_Real    aHalf    = 0.5 * Max(theWidth, theHeight) - aRadius;
  VexGerber_Contour&     aContour = theContours.Appended();
  aContour                        = VexGerber_Contour(gp_XY(-aHalf, -aRadius));
  aContour.AddSegment(gp_XY(aHalf, -aRadius));
  aContour.AddArc(gp_XY(aHalf, aRadius), gp_XY(aHalf, 0.0), Standard_True);
  aContour.AddSegment(gp_XY(-aHalf, aRadius));
  aContour.AddArc(gp_XY(-aHalf, -aRadius), gp_XY(-aHalf, 0.0), Standard_True);
  if (!isLying)
  {
    aContour.Transform(gp_Mat2d(gp_XY(0.0, 1.0), gp_XY(-1.0, 0.0)), gp_XY(0.0, 0.0));
  }
}

void VexGerber_Shapes::polygon(const Standard_Real theDiameter, const Standard_Integer theVertices,
                               const Standard_Real                    theDegrees,
                               NCollection_Vector<VexGerber_Contour>& theContours)
{
  if (!(theDiameter > 0.0) || theVertices < 3)
  {
    return;
  }
  const Standard_Real aRadius  = 0.5 * theDiameter;
  const Standard_Real aFirst   = theDegrees * M_PI / 180.0;
  VexGerber_Contour&  aContour = theContours.Appended();
  aContour = VexGerber_Contour(gp_XY(aRadius * std::cos(aFirst), aRadius * std::sin(aFirst)));
  for (Standard_Integer anIndex = 1; anIndex < theVertices; ++anIndex)
  {
    const Standard_Real anAngle = aFirst + 2.0 * M_PI * anIndex / theVertices;
    aContour.AddSegment(gp_XY(aRadius * std::cos(anAngle), aRadius * std::sin(anAngle)));
  }
  aContour.AddSegment(aContour.Start());
}

void VexGerber_Shapes::hole(const VexGerber_Aperture& theAperture, const Standard_Integer theFirst,
                            NCollection_Vector<VexGerber_Contour>& theContours)
{
  if (theContours.IsEmpty())
  {
    return; // nothing to make a hole in
  }
  if (theAperture.Params().Length() <= theFirst + 1)
  {
    circle(theAperture.Param(theFirst), Standard_True, theContours);
    return;
  }
  // Old files give a rectangular hole by its width and height.
  const Standard_Integer aCount = theContours.Length();
  rectangle(theAperture.Param(theFirst), theAperture.Param(theFirst + 1), theContours);
  if (theContours.Length() > aCount)
  {
    theContours.ChangeLast().Reverse();
  }
}

Standard_Boolean VexGerber_Shapes::prepare(VexGerber_Aperture& theAperture)
{
  if (theAperture.HasOutline())
  {
    return Standard_True;
  }
  NCollection_Vector<VexGerber_Contour> anOutline(4);
  switch (theAperture.GetKind())
  {
  case VexGerber_Aperture::Kind_Circle:
    circle(theAperture.Param(0), Standard_False, anOutline);
    hole(theAperture, 1, anOutline);
    break;
  case VexGerber_Aperture::Kind_Rectangle:
    rectangle(theAperture.Param(0), theAperture.Param(1), anOutline);
    hole(theAperture, 2, anOutline);
    break;
  case VexGerber_Aperture::Kind_Obround:
    obround(theAperture.Param(0), theAperture.Param(1), anOutline);
    hole(theAperture, 2, anOutline);
    break;
  case VexGerber_Aperture::Kind_Polygon:
    polygon(theAperture.Param(0), static_cast<Standard_Integer>(theAperture.Param(1)),
            theAperture.Param(2), anOutline);
    hole(theAperture, 3, anOutline);
    break;
  case VexGerber_Aperture::Kind_Macro:
    if (!VexGerber_MacroShape(myLimits, myFault, myPolygons).Build(theAperture, anOutline))
    {
      return Standard_False;
    }
    break;
  case VexGerber_Aperture::Kind_Block:
    break; // placed object by object, never as one outline
  }
  theAperture.SetOutline(anOutline);
  return Standard_True;
}

Standard_Boolean VexGerber_Shapes::Flash(VexGerber_Aperture&                    theAperture,
                                         const VexGerber_ApertureTransform&     theTransform,
                                         const gp_XY&                           thePoint,
                                         NCollection_Vector<VexGerber_Contour>& theContours)
{
  if (!prepare(theAperture))
  {
    return Standard_False;
  }
  const gp_Mat2d aMatrix = theTransform.Matrix();
  for (NCollection_Vector<VexGerber_Contour>::Iterator anIter(theAperture.Outline()); anIter.More();
       anIter.Next())
  {
    VexGerber_Contour& aContour = theContours.Appended();
    aContour                    = anIter.Value();
    aContour.Transform(aMatrix, thePoint);
    if (aMatrix.Determinant() < 0.0)
    {
      aContour.Reverse(); // a mirror turns outlines clockwise: turn them back
    }
  }
  return Standard_True;
}

Standard_Boolean VexGerber_Shapes::Sweep(VexGerber_Aperture&                    theAperture,
                                         const VexGerber_ApertureTransform&     theTransform,
                                         const VexGerber_Contour&               thePath,
                                         NCollection_Vector<VexGerber_Contour>& theContours)
{
  NCollection_Vector<VexGerber_Contour> aShape(4);
  if (!Flash(theAperture, theTransform, gp_XY(0.0, 0.0), aShape))
  {
    return Standard_False;
  }
  ClipperLib::Path aPath, aPattern;
  if (!myPolygons.ToPath(thePath, aPath))
  {
    return Standard_False;
  }
  const bool        isClosed = thePath.IsClosed(1.0e-9) == Standard_True;
  ClipperLib::Paths aSum;
  for (NCollection_Vector<VexGerber_Contour>::Iterator anIter(aShape); anIter.More(); anIter.Next())
  {
    // Holes of the aperture do not survive a move: only outlines are swept.
    if (anIter.Value().SignedArea() <= 0.0 || !myPolygons.ToPath(anIter.Value(), aPattern))
    {
      if (myFault.IsSet())
      {
        return Standard_False;
      }
      continue;
    }
    // The union below costs far more than the edges it is given: a wide circle swept along a
    // long arc is bounded here rather than by the time it would take.
    if (static_cast<double>(aPattern.size()) * static_cast<double>(aPath.size()) >
        static_cast<double>(myLimits.SweepEdges))
    {
      return myFault.Fail(VexPcb_Fault("VEX_GERBER_LIMIT_SWEEP").Arg(myLimits.SweepEdges));
    }
    ClipperLib::Paths aPiece;
    ClipperLib::MinkowskiSum(aPattern, aPath, aPiece, isClosed);
    aSum.insert(aSum.end(), aPiece.begin(), aPiece.end());
    // The sum covers what the shape's edges sweep over; the inside of the shape is left out
    // wherever the move is shorter than the shape (a square pad drawn a little longer would be
    // two thin strips). The shape itself at every corner of the path fills that in.
    if (!ClipperLib::Orientation(aPattern))
    {
      ClipperLib::ReversePath(aPattern);
    }
    for (const ClipperLib::IntPoint& aCorner : aPath)
    {
      ClipperLib::Path aCopy(aPattern);
      for (ClipperLib::IntPoint& aPoint : aCopy)
      {
        aPoint.X += aCorner.X;
        aPoint.Y += aCorner.Y;
      }
      aSum.push_back(aCopy);
    }
  }
  ClipperLib::Paths   aResult;
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(aSum, ClipperLib::ptSubject, true);
  aClipper.Execute(ClipperLib::ctUnion, aResult, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  VexGerber_Polygons::ToContours(aResult, theContours);
  return Standard_True;
}
