// Copyright (c) 2026 VexData developers
#include <VexVerify_GapCloser.hxx>

#include <VexVerify_LineIndex.hxx>

#include <algorithm>
#include <cmath>

namespace
{
typedef VexVerify_LineIndex::End End;
typedef VexVerify_LineIndex::Hit Hit;

//! Finds where the lines of theEnd and theOther, both continued straight on beyond their ends,
//! meet within theGap of both ends: the corner both stop short of. False when they do not.
bool corner(const VexVerify_LineIndex& theLines, const End& theEnd, const End& theOther,
            const Standard_Real theGap, gp_XY& theCorner)
{
  const gp_XY         aDir    = theLines.Direction(theEnd);
  const gp_XY         anOther = theLines.Direction(theOther);
  const Standard_Real aCross  = aDir.Crossed(anOther);
  if (std::fabs(aCross) <= 1.0e-9)
  {
    return false; // parallel or without a direction
  }
  const gp_XY         aBetween = theLines.Point(theOther) - theLines.Point(theEnd);
  const Standard_Real aT       = aBetween.Crossed(anOther) / aCross;
  const Standard_Real aU       = aBetween.Crossed(aDir) / aCross;
  theCorner                    = theLines.Point(theEnd) + aDir * aT;
  return aT >= 0.0 && aU >= 0.0 && aT <= theGap && aU <= theGap;
}
} // namespace

VexVerify_GapCloser::VexVerify_GapCloser(const Standard_Real theGap, const Standard_Real theJoin)
    : myGap(std::max(theGap, theJoin)), myJoin(theJoin)
{
}

void VexVerify_GapCloser::Perform(const std::vector<Line>& theLines, std::vector<Line>& theBridges)
{
  const VexVerify_LineIndex aLines(theLines, myGap);
  for (size_t aLine = 0; aLine < theLines.size(); ++aLine)
  {
    const Line& anOwn = theLines[aLine];
    if (anOwn.size() < 2 || (anOwn.front() - anOwn.back()).Modulus() <= myJoin)
    {
      continue;
    }
    for (const bool isStart : {true, false})
    {
      closeEnd(aLines, End{static_cast<Standard_Integer>(aLine), isStart}, theBridges);
    }
  }
}

void VexVerify_GapCloser::closeEnd(const VexVerify_LineIndex& theLines, const End& theEnd,
                                   std::vector<Line>& theBridges)
{
  // The own line is looked at only farther along it than twice the gap: nearer, it is the line
  // the end belongs to, not one it should meet.
  const Standard_Real aSkip  = 2.0 * myGap;
  const gp_XY&        aPoint = theLines.Point(theEnd);
  const Hit           aNear  = theLines.Nearest(theEnd, aSkip);
  // An end on a line, or one that has just crossed a line (it runs on past it), needs nothing.
  if (aNear.Distance <= myJoin || theLines.Cast(theEnd, aSkip, Standard_False).Distance <= myGap)
  {
    return;
  }
  // The line continued straight on meets another: it stopped short of it. Else it meets the
  // nearest line where that is near enough, at the corner when both stop short of it.
  const Hit aCast   = theLines.Cast(theEnd, aSkip, Standard_True);
  gp_XY     aTarget = aCast.Point;
  if (aCast.Distance > myGap)
  {
    if (aNear.Distance > myGap)
    {
      myFound.FirstOpenAt = myFound.NbOpen == 0 ? aPoint : myFound.FirstOpenAt;
      ++myFound.NbOpen;
      return;
    }
    if (aNear.EndOf < 0 ||
        !corner(theLines, theEnd, End{aNear.Line, aNear.EndOf == 0}, myGap, aTarget))
    {
      aTarget = aNear.Point;
    }
  }
  const Standard_Real aWidth = (aTarget - aPoint).Modulus();
  if (aWidth <= myJoin)
  {
    return; // the corner is this end: the other line's end bridges the gap
  }
  theBridges.push_back(Line{aPoint, aTarget});
  ++myFound.NbBridged;
  if (aWidth > myFound.WidestGap)
  {
    myFound.WidestGap   = aWidth;
    myFound.WidestGapAt = aPoint;
  }
}
