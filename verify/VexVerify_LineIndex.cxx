// Copyright (c) 2026 VexData developers
#include <VexVerify_LineIndex.hxx>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
//! Most points sampled along the lines, whatever their length.
const Standard_Real THE_MAX_SAMPLES = 1.0e6;

//! Returns the point of the segment theA-theB nearest to thePoint (theA or theB exactly at the
//! ends).
gp_XY nearestOn(const gp_XY& thePoint, const gp_XY& theA, const gp_XY& theB)
{
  const gp_XY         aDir    = theB - theA;
  const Standard_Real aLength = aDir.SquareModulus();
  const Standard_Real aParam  = aLength > 0.0 ? (thePoint - theA).Dot(aDir) / aLength : 0.0;
  return aParam <= 0.0 ? theA : (aParam >= 1.0 ? theB : theA + aDir * aParam);
}

//! Returns a cell size for theLines: theReach, grown so that the samples stay few.
Standard_Real cellFor(const std::vector<VexVerify_LineIndex::Line>& theLines,
                      const Standard_Real                           theReach)
{
  Standard_Real aLength = 0.0;
  for (const VexVerify_LineIndex::Line& aLine : theLines)
  {
    for (size_t anIndex = 1; anIndex < aLine.size(); ++anIndex)
    {
      aLength += (aLine[anIndex] - aLine[anIndex - 1]).Modulus();
    }
  }
  return std::max(std::max(theReach, aLength / THE_MAX_SAMPLES), 1.0e-3);
}

//! Returns a hit of nothing.
VexVerify_LineIndex::Hit nothing()
{
  return VexVerify_LineIndex::Hit{gp_XY(), std::numeric_limits<Standard_Real>::infinity(), -1, -1};
}
} // namespace

VexVerify_LineIndex::VexVerify_LineIndex(const std::vector<Line>& theLines,
                                         const Standard_Real      theReach)
    : myLines(theLines), myCell(cellFor(theLines, theReach)), myGrid(myCell), myReach(theReach)
{
  for (size_t aLine = 0; aLine < theLines.size(); ++aLine)
  {
    Standard_Real aFrom = 0.0;
    for (size_t anIndex = 0; anIndex + 1 < theLines[aLine].size(); ++anIndex)
    {
      const gp_XY& aStart = theLines[aLine][anIndex];
      const gp_XY& anEnd  = theLines[aLine][anIndex + 1];
      addPiece(Piece{static_cast<Standard_Integer>(aLine), static_cast<Standard_Integer>(anIndex),
                     aFrom},
               aStart, anEnd);
      aFrom += (anEnd - aStart).Modulus();
    }
    myLengths.push_back(aFrom);
  }
  myGrid.Sort();
}

gp_XY VexVerify_LineIndex::Direction(const End& theEnd) const
{
  // From the end to the first point of the line that differs from it, reversed.
  const Line&  aLine  = myLines[theEnd.Line];
  const gp_XY& aPoint = Point(theEnd);
  for (size_t anIndex = 1; anIndex < aLine.size(); ++anIndex)
  {
    const gp_XY aDir = aPoint - aLine[theEnd.IsStart ? anIndex : aLine.size() - 1 - anIndex];
    const Standard_Real aLength = aDir.Modulus();
    if (aLength > 0.0)
    {
      return aDir / aLength;
    }
  }
  return gp_XY(0.0, 0.0);
}

VexVerify_LineIndex::Hit VexVerify_LineIndex::Nearest(const End&          theEnd,
                                                      const Standard_Real theSkip) const
{
  const gp_XY aPoint = Point(theEnd);
  Hit         aBest  = nothing();
  myGrid.Visit(aPoint, myReach + myCell,
               [&](const Standard_Integer thePiece)
               {
                 gp_XY aFrom, aTo;
                 if (part(myPieces[thePiece], theEnd, theSkip, aFrom, aTo))
                 {
                   const gp_XY         aNear     = nearestOn(aPoint, aFrom, aTo);
                   const Standard_Real aDistance = (aNear - aPoint).Modulus();
                   if (aDistance < aBest.Distance)
                   {
                     aBest = hitOn(myPieces[thePiece], aNear, aDistance);
                   }
                 }
               });
  return aBest.Distance <= myReach ? aBest : nothing();
}

VexVerify_LineIndex::Hit VexVerify_LineIndex::Cast(const End& theEnd, const Standard_Real theSkip,
                                                   const Standard_Boolean isAhead) const
{
  const gp_XY aPoint = Point(theEnd);
  const gp_XY aDir   = Direction(theEnd) * (isAhead ? 1.0 : -1.0);
  Hit         aBest  = nothing();
  myGrid.Visit(aPoint, myReach + myCell,
               [&](const Standard_Integer thePiece)
               {
                 gp_XY aFrom, aTo;
                 if (!part(myPieces[thePiece], theEnd, theSkip, aFrom, aTo))
                 {
                   return;
                 }
                 // aPoint + t aDir = aFrom + u (aTo - aFrom), t ahead, u on the segment.
                 const gp_XY         aSide  = aTo - aFrom;
                 const Standard_Real aCross = aDir.Crossed(aSide);
                 if (std::fabs(aCross) <= 1.0e-12 * aSide.Modulus())
                 {
                   return; // parallel: Nearest() finds what lies straight ahead
                 }
                 const Standard_Real aT = (aFrom - aPoint).Crossed(aSide) / aCross;
                 const Standard_Real aU = (aFrom - aPoint).Crossed(aDir) / aCross;
                 if (aT >= 0.0 && aT < aBest.Distance && aU >= 0.0 && aU <= 1.0)
                 {
                   aBest = hitOn(myPieces[thePiece], aPoint + aDir * aT, aT);
                 }
               });
  return aBest.Distance <= myReach ? aBest : nothing();
}

void VexVerify_LineIndex::addPiece(const Piece& thePiece, const gp_XY& theStart,
                                   const gp_XY& theEnd)
{
  const Standard_Integer anIndex = static_cast<Standard_Integer>(myPieces.size());
  myPieces.push_back(thePiece);
  const Standard_Integer aCount =
      static_cast<Standard_Integer>(std::ceil((theEnd - theStart).Modulus() / myCell));
  for (Standard_Integer aStep = 0; aStep <= aCount; ++aStep)
  {
    const Standard_Real aParam = aCount == 0 ? 0.0 : static_cast<Standard_Real>(aStep) / aCount;
    myGrid.Add(theStart + (theEnd - theStart) * aParam, anIndex);
  }
}

bool VexVerify_LineIndex::part(const Piece& thePiece, const End& theEnd,
                               const Standard_Real theSkip, gp_XY& theFrom, gp_XY& theTo) const
{
  const Line& aLine = myLines[thePiece.Line];
  theFrom           = aLine[thePiece.Index];
  theTo             = aLine[thePiece.Index + 1];
  if (thePiece.Line != theEnd.Line)
  {
    return true;
  }
  // Lengths along the line from theEnd to the piece's two ends.
  const Standard_Real aLength = (theTo - theFrom).Modulus();
  const Standard_Real aStart =
      theEnd.IsStart ? thePiece.From : myLengths[theEnd.Line] - thePiece.From;
  const Standard_Real anEnd = theEnd.IsStart ? aStart + aLength : aStart - aLength;
  if (std::max(aStart, anEnd) <= theSkip)
  {
    return false;
  }
  if (std::min(aStart, anEnd) < theSkip)
  {
    const gp_XY aCut = theFrom + (theTo - theFrom) * ((theSkip - aStart) / (anEnd - aStart));
    (aStart < anEnd ? theFrom : theTo) = aCut;
  }
  return true;
}

VexVerify_LineIndex::Hit VexVerify_LineIndex::hitOn(const Piece& thePiece, const gp_XY& thePoint,
                                                    const Standard_Real theDistance) const
{
  const Line&            aLine = myLines[thePiece.Line];
  const Standard_Integer anEnd =
      thePoint.IsEqual(aLine.front(), 0.0) ? 0 : (thePoint.IsEqual(aLine.back(), 0.0) ? 1 : -1);
  return Hit{thePoint, theDistance, thePiece.Line, anEnd};
}
