// Copyright (c) 2026 VexData developers
#include <VexGeom_Sweep.hxx>

#include <VexGeom_Polygons.hxx>

#include <cmath>
#include <vector>

namespace
{
const double THE_TWO_PI = 2.0 * M_PI;

//! Distance under which a path ends where it starts.
const double THE_CLOSED = 1.0e-9;

//! Shortest arc (millimetres, along the inner side) drawn with arcs: shorter arcs would read as
//! full circles, whose ends meet within a nanometre.
const double THE_SHORTEST_ARC = 1.0e-6;

//! Returns theVector of length theLength (theVector is not null).
gp_XY scaled(const gp_XY& theVector, const double theLength)
{
  return theVector * (theLength / theVector.Modulus());
}

//! Appends to theSum a copy of thePattern (turned counter-clockwise) at every point of thePath.
void addCopies(const ClipperLib::Path& thePattern, const ClipperLib::Path& thePath,
               ClipperLib::Paths& theSum)
{
  ClipperLib::Path aPattern(thePattern);
  if (!ClipperLib::Orientation(aPattern))
  {
    ClipperLib::ReversePath(aPattern);
  }
  for (const ClipperLib::IntPoint& aCorner : thePath)
  {
    ClipperLib::Path aCopy(aPattern);
    for (ClipperLib::IntPoint& aPoint : aCopy)
    {
      aPoint.X += aCorner.X;
      aPoint.Y += aCorner.Y;
    }
    theSum.push_back(aCopy);
  }
}
} // namespace

VexGeom_Contour VexGeom_Sweep::PathOf(const PhGeom_Element& theElement, const double theFactor)
{
  VexGeom_Contour aPath(theElement.StartPoint() * theFactor);
  if (theElement.Kind() == PhGeom_Element::Kind_Arc)
  {
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
    aPath.AddArc(anArc.EndPoint() * theFactor, anArc.Center() * theFactor, anArc.Sense() == 1);
  }
  else
  {
    aPath.AddSegment(theElement.EndPoint() * theFactor);
  }
  return aPath;
}

Standard_Boolean VexGeom_Sweep::Along(const VexGeom_Shape& theShape, const gp_Mat2d& theMatrix,
                                      const VexGeom_Contour&               thePath,
                                      NCollection_Vector<VexGeom_Contour>& theResult)
{
  if (theShape.IsCircle())
  {
    const double aScale = std::sqrt(std::fabs(theMatrix.Determinant()));
    return Round(0.5 * theShape.Width() * aScale, thePath, theResult);
  }
  NCollection_Vector<VexGeom_Contour> aShape(4);
  theShape.Place(theMatrix, gp_XY(0.0, 0.0), aShape);
  ClipperLib::Path aPath, aPattern;
  if (!myFlattener.ToPath(thePath, aPath))
  {
    return Standard_False;
  }
  const bool                    isClosed = thePath.IsClosed(THE_CLOSED) == Standard_True;
  std::vector<ClipperLib::Path> aPatterns;
  double                        aCost = 0.0;
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(aShape); anIter.More(); anIter.Next())
  {
    // Holes of the shape do not survive a move: only outlines are swept.
    if (anIter.Value().SignedArea() <= 0.0)
    {
      continue;
    }
    if (!myFlattener.ToPath(anIter.Value(), aPattern))
    {
      return Standard_False;
    }
    aCost += sumCost(aPattern, aPath, isClosed);
    aPatterns.push_back(aPattern);
  }
  VexGeom_Budget& aBudget = myFlattener.Budget();
  if (!aBudget.SpendWork(aCost))
  {
    return Standard_False;
  }
  ClipperLib::Paths aSum;
  for (const ClipperLib::Path& aPiece : aPatterns)
  {
    sum(aPiece, aPath, isClosed, aSum);
  }
  if (!VexGeom_Polygons::Combine(ClipperLib::ctUnion, aSum, ClipperLib::Paths(), aSum, aBudget))
  {
    return Standard_False;
  }
  VexGeom_Polygons::ToContours(aSum, theResult);
  return Standard_True;
}

double VexGeom_Sweep::sumCost(const ClipperLib::Path& thePattern, const ClipperLib::Path& thePath,
                              const bool isClosed)
{
  const size_t aNbEdges = isClosed ? thePath.size() : thePath.size() - 1;
  return aNbEdges <= 1 ? VexGeom_Budget::SumCost(thePattern, thePath, aNbEdges, thePath.size())
                       : VexGeom_Budget::ChordSumCost(thePattern, thePath, isClosed);
}

void VexGeom_Sweep::sum(const ClipperLib::Path& thePattern, const ClipperLib::Path& thePath,
                        const bool isClosed, ClipperLib::Paths& theSum) const
{
  // The sum covers what the shape's edges sweep over; the inside of the shape is left out
  // wherever the move is shorter than the shape (a square pad drawn a little longer would be
  // two thin strips). The shape itself at every corner of the path fills that in.
  const size_t aNbEdges = isClosed ? thePath.size() : thePath.size() - 1;
  if (aNbEdges <= 1)
  {
    ClipperLib::Paths aPiece;
    ClipperLib::MinkowskiSum(thePattern, thePath, aPiece, isClosed);
    theSum.insert(theSum.end(), aPiece.begin(), aPiece.end());
    addCopies(thePattern, thePath, theSum);
    return;
  }
  // Chord by chord: one union of all the chords' sums would meet every long edge of the shape
  // once per chord it overlaps, and its work grows with the square of the chords.
  std::vector<ClipperLib::Paths> aPieces(aNbEdges);
  for (size_t anIndex = 0; anIndex < aNbEdges; ++anIndex)
  {
    ClipperLib::Path aChord(1, thePath[anIndex]);
    aChord.push_back(thePath[(anIndex + 1) % thePath.size()]);
    ClipperLib::MinkowskiSum(thePattern, aChord, aPieces[anIndex], false);
    addCopies(thePattern, aChord, aPieces[anIndex]);
    VexGeom_Polygons::Normalise(aPieces[anIndex]);
  }
  for (size_t aStep = 1; aStep < aNbEdges; aStep *= 2)
  {
    for (size_t anIndex = 0; anIndex + aStep < aNbEdges; anIndex += 2 * aStep)
    {
      VexGeom_Polygons::Combine(ClipperLib::ctUnion, aPieces[anIndex], aPieces[anIndex + aStep],
                                aPieces[anIndex]);
      ClipperLib::Paths().swap(aPieces[anIndex + aStep]);
    }
  }
  theSum.insert(theSum.end(), aPieces.front().begin(), aPieces.front().end());
}

Standard_Boolean VexGeom_Sweep::Round(const double theRadius, const VexGeom_Contour& thePath,
                                      NCollection_Vector<VexGeom_Contour>& theResult)
{
  if (!(theRadius > 0.0) || thePath.NbEdges() != 1)
  {
    return Standard_True;
  }
  const VexGeom_Edge& anEdge = thePath.Edge(0);
  if (anEdge.Type != VexGeom_Edge::Kind_Segment)
  {
    return roundArc(theRadius, thePath, theResult);
  }
  if ((anEdge.End - thePath.Start()).Modulus() <= THE_CLOSED)
  {
    VexGeom_Shape::Circle(2.0 * theRadius, 0.0).Place(thePath.Start(), theResult);
    return Standard_True;
  }
  roundSegment(theRadius, thePath.Start(), anEdge.End, theResult);
  return Standard_True;
}

void VexGeom_Sweep::roundSegment(const double theRadius, const gp_XY& theStart, const gp_XY& theEnd,
                                 NCollection_Vector<VexGeom_Contour>& theResult)
{
  // Along the right side, round the far end, back along the left side, round the near end.
  const gp_XY      aDirection = theEnd - theStart;
  const gp_XY      aSide      = scaled(gp_XY(-aDirection.Y(), aDirection.X()), theRadius);
  VexGeom_Contour& aContour   = theResult.Appended();
  aContour                    = VexGeom_Contour(theStart - aSide);
  aContour.AddSegment(theEnd - aSide);
  aContour.AddArc(theEnd + aSide, theEnd, Standard_True);
  aContour.AddSegment(theStart + aSide);
  aContour.AddArc(theStart - aSide, theStart, Standard_True);
}

Standard_Boolean VexGeom_Sweep::roundArc(const double theRadius, const VexGeom_Contour& thePath,
                                         NCollection_Vector<VexGeom_Contour>& theResult)
{
  // The area is the same whichever way the arc runs: take it counter-clockwise.
  const double aSigned = thePath.ArcSweep(0);
  const gp_XY& aCenter = thePath.Edge(0).Center;
  const gp_XY& aStart  = aSigned >= 0.0 ? thePath.Start() : thePath.End();
  const gp_XY& anEnd   = aSigned >= 0.0 ? thePath.End() : thePath.Start();
  const double aSweep  = std::fabs(aSigned);
  const double aRho    = (aStart - aCenter).Modulus();
  if (aRho <= THE_CLOSED)
  {
    VexGeom_Shape::Circle(2.0 * theRadius, 0.0).Place(aStart, theResult);
    return Standard_True;
  }
  if (aSweep >= THE_TWO_PI && aRho <= theRadius)
  {
    VexGeom_Shape::Circle(2.0 * (aRho + theRadius), 0.0).Place(aCenter, theResult);
    return Standard_True;
  }
  // Each half circle at an end reaches asin(r / rho) round the centre beyond its end: they must
  // not meet, and the inner arc must have a length.
  const double anInner = aRho - theRadius;
  if (anInner * aSweep < THE_SHORTEST_ARC ||
      (aSweep < THE_TWO_PI &&
       THE_TWO_PI - aSweep <= 2.0 * std::asin(theRadius / aRho) + THE_SHORTEST_ARC))
  {
    return roundArcPieces(theRadius, aStart, anEnd, aCenter, aSweep, theResult);
  }
  const gp_XY aFrom = aStart - aCenter, aTo = anEnd - aCenter;
  if (aSweep >= THE_TWO_PI)
  {
    VexGeom_Shape::Circle(2.0 * (aRho + theRadius), 2.0 * anInner).Place(aCenter, theResult);
    return Standard_True;
  }
  const gp_XY      anOuter0 = aCenter + scaled(aFrom, aRho + theRadius);
  const gp_XY      anInner0 = aCenter + scaled(aFrom, anInner);
  VexGeom_Contour& aContour = theResult.Appended();
  aContour                  = VexGeom_Contour(anOuter0);
  aContour.AddArc(aCenter + scaled(aTo, aRho + theRadius), aCenter, Standard_True);
  aContour.AddArc(aCenter + scaled(aTo, anInner), anEnd, Standard_True);
  aContour.AddArc(anInner0, aCenter, Standard_False);
  aContour.AddArc(anOuter0, aStart, Standard_True);
  return Standard_True;
}

Standard_Boolean VexGeom_Sweep::roundArcPieces(const double theRadius, const gp_XY& theStart,
                                               const gp_XY& theEnd, const gp_XY& theCenter,
                                               const double                         theSweep,
                                               NCollection_Vector<VexGeom_Contour>& theResult)
{
  // The band between the arcs at rho - r and rho + r (down to the centre), and a disc at
  // either end.
  const gp_XY       aFrom   = theStart - theCenter;
  const double      aRho    = aFrom.Modulus();
  const double      anInner = aRho - theRadius;
  const double      aSweep  = std::min(theSweep, THE_TWO_PI);
  ClipperLib::Path  aBand(1, VexGeom_Units::ToPoint(theCenter + scaled(aFrom, aRho + theRadius)));
  ClipperLib::Paths aPieces;
  if (!myFlattener.AddArc(theCenter + scaled(aFrom, aRho + theRadius), theCenter, aSweep, aBand))
  {
    return Standard_False;
  }
  const gp_XY& anEnd = theEnd;
  if (anInner > 0.0)
  {
    aBand.push_back(VexGeom_Units::ToPoint(theCenter + scaled(anEnd - theCenter, anInner)));
    if (!myFlattener.AddArc(theCenter + scaled(anEnd - theCenter, anInner), theCenter, -aSweep,
                            aBand))
    {
      return Standard_False;
    }
  }
  else
  {
    aBand.push_back(VexGeom_Units::ToPoint(theCenter));
  }
  aPieces.push_back(aBand);
  if (!myFlattener.AddCircle(theStart, theRadius, aPieces) ||
      !myFlattener.AddCircle(anEnd, theRadius, aPieces) ||
      !VexGeom_Polygons::Combine(ClipperLib::ctUnion, aPieces, ClipperLib::Paths(), aPieces,
                                 myFlattener.Budget()))
  {
    return Standard_False;
  }
  VexGeom_Polygons::ToContours(aPieces, theResult);
  return Standard_True;
}
