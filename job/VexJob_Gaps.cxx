// Copyright (c) 2026 VexData developers
#include <VexJob_Gaps.hxx>

#include <VexGeom_Units.hxx>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace
{
//! Most cells along one side of the grid.
const double THE_MAX_CELLS = 4096.0;

//! An edge of an island.
struct Edge
{
  gp_XY    A, B;   //!< ends, millimetres
  uint32_t Island; //!< island it bounds
};

//! Appends the edges of theNode's contour and its holes' contours, all of island theIsland, and
//! goes on with the islands inside the holes.
void collect(const ClipperLib::PolyNode& theNode, std::vector<Edge>& theEdges, uint32_t& theCount)
{
  const uint32_t anIsland   = theCount++;
  auto           addContour = [&theEdges, anIsland](const ClipperLib::Path& thePath)
  {
    for (size_t anIndex = 0; anIndex < thePath.size(); ++anIndex)
    {
      theEdges.push_back(Edge{VexGeom_Units::ToXY(thePath[anIndex]),
                              VexGeom_Units::ToXY(thePath[(anIndex + 1) % thePath.size()]),
                              anIsland});
    }
  };
  addContour(theNode.Contour);
  for (const ClipperLib::PolyNode* aHole : theNode.Childs)
  {
    addContour(aHole->Contour);
    for (const ClipperLib::PolyNode* anInner : aHole->Childs)
    {
      collect(*anInner, theEdges, theCount);
    }
  }
}

//! Sets thePoint and theOther to the closest points of thePoint's projection on theA-theB.
void closestOn(const gp_XY& thePoint, const gp_XY& theA, const gp_XY& theB, gp_XY& theClosest)
{
  const gp_XY  aSpan   = theB - theA;
  const double aLength = aSpan.SquareModulus();
  const double aT =
      aLength > 0.0 ? std::clamp((thePoint - theA).Dot(aSpan) / aLength, 0.0, 1.0) : 0.0;
  theClosest = theA + aT * aSpan;
}

//! Returns the distance between two edges that do not cross; sets theMiddle to the middle of
//! their closest points.
double edgeGap(const Edge& theLeft, const Edge& theRight, gp_XY& theMiddle)
{
  double       aBest      = HUGE_VAL;
  const gp_XY* aPoints[4] = {&theLeft.A, &theLeft.B, &theRight.A, &theRight.B};
  for (int aWhich = 0; aWhich < 4; ++aWhich)
  {
    const Edge& anOther = aWhich < 2 ? theRight : theLeft;
    gp_XY       aClosest;
    closestOn(*aPoints[aWhich], anOther.A, anOther.B, aClosest);
    const double aDistance = (aClosest - *aPoints[aWhich]).Modulus();
    if (aDistance < aBest)
    {
      aBest     = aDistance;
      theMiddle = 0.5 * (aClosest + *aPoints[aWhich]);
    }
  }
  return aBest;
}
//! Sets theFiled to every edge of theEdges in each cell its box grown by half theWidth covers,
//! as (cell, edge) pairs sorted by cell: two edges closer than theWidth share a cell.
void fileEdges(const std::vector<Edge>& theEdges, const double theWidth,
               std::vector<std::pair<uint64_t, uint32_t>>& theFiled)
{
  gp_XY aMin(HUGE_VAL, HUGE_VAL), aMax(-HUGE_VAL, -HUGE_VAL);
  for (const Edge& anEdge : theEdges)
  {
    aMin.SetCoord(std::min(aMin.X(), anEdge.A.X()), std::min(aMin.Y(), anEdge.A.Y()));
    aMax.SetCoord(std::max(aMax.X(), anEdge.A.X()), std::max(aMax.Y(), anEdge.A.Y()));
  }
  const double aHalf  = 0.5 * theWidth;
  const double aCell  = std::max({2.0 * theWidth, (aMax.X() - aMin.X()) / THE_MAX_CELLS,
                                  (aMax.Y() - aMin.Y()) / THE_MAX_CELLS, 1.0e-3});
  const long   aNbX   = static_cast<long>((aMax.X() - aMin.X() + 2.0 * theWidth) / aCell) + 2;
  auto         cellOf = [&](const double theValue, const double theOrigin)
  { return static_cast<long>(std::floor((theValue - theOrigin + theWidth) / aCell)); };
  for (uint32_t anIndex = 0; anIndex < theEdges.size(); ++anIndex)
  {
    const Edge& anEdge = theEdges[anIndex];
    const long  aX0    = cellOf(std::min(anEdge.A.X(), anEdge.B.X()) - aHalf, aMin.X());
    const long  aX1    = cellOf(std::max(anEdge.A.X(), anEdge.B.X()) + aHalf, aMin.X());
    const long  aY0    = cellOf(std::min(anEdge.A.Y(), anEdge.B.Y()) - aHalf, aMin.Y());
    const long  aY1    = cellOf(std::max(anEdge.A.Y(), anEdge.B.Y()) + aHalf, aMin.Y());
    for (long aY = aY0; aY <= aY1; ++aY)
    {
      for (long aX = aX0; aX <= aX1; ++aX)
      {
        theFiled.emplace_back(static_cast<uint64_t>(aY * aNbX + aX), anIndex);
      }
    }
  }
  std::sort(theFiled.begin(), theFiled.end());
}

//! Compares the edges of islands filed in one cell (theFiled from theFirst to theLast) and keeps
//! in theByPair, per pair of islands, the narrowest place under theWidth.
void compareCell(const std::vector<Edge>&                          theEdges,
                 const std::vector<std::pair<uint64_t, uint32_t>>& theFiled, const size_t theFirst,
                 const size_t theLast, const double theWidth,
                 std::unordered_map<uint64_t, VexJob_Gaps::Place>& theByPair)
{
  for (size_t anI = theFirst; anI < theLast; ++anI)
  {
    const Edge& aLeft = theEdges[theFiled[anI].second];
    for (size_t aJ = anI + 1; aJ < theLast; ++aJ)
    {
      const Edge& aRight = theEdges[theFiled[aJ].second];
      if (aLeft.Island == aRight.Island)
      {
        continue;
      }
      gp_XY        aMiddle;
      const double aGap = edgeGap(aLeft, aRight, aMiddle);
      if (aGap < theWidth - 1.0e-6)
      {
        const uint64_t aKey = (static_cast<uint64_t>(std::min(aLeft.Island, aRight.Island)) << 32) |
                              std::max(aLeft.Island, aRight.Island);
        auto anEntry = theByPair.emplace(aKey, VexJob_Gaps::Place{aMiddle, aGap});
        if (!anEntry.second && aGap < anEntry.first->second.Gap)
        {
          anEntry.first->second = VexJob_Gaps::Place{aMiddle, aGap};
        }
      }
    }
  }
}
} // namespace

void VexJob_Gaps::Find(const ClipperLib::Paths& theCopper, const Standard_Real theWidth,
                       std::vector<Place>& thePlaces)
{
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(theCopper, ClipperLib::ptSubject, true);
  ClipperLib::PolyTree aTree;
  aClipper.Execute(ClipperLib::ctUnion, aTree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  Find(aTree, theWidth, thePlaces);
}

void VexJob_Gaps::Find(const ClipperLib::PolyTree& theTree, const Standard_Real theWidth,
                       std::vector<Place>& thePlaces)
{
  thePlaces.clear();
  std::vector<Edge> anEdges;
  uint32_t          aCount = 0;
  for (const ClipperLib::PolyNode* anOuter : theTree.Childs)
  {
    collect(*anOuter, anEdges, aCount);
  }
  if (aCount < 2)
  {
    return;
  }
  std::vector<std::pair<uint64_t, uint32_t>> aFiled;
  fileEdges(anEdges, theWidth, aFiled);
  std::unordered_map<uint64_t, Place> aByPair;
  for (size_t aFirst = 0; aFirst < aFiled.size();)
  {
    size_t aLast = aFirst;
    while (aLast < aFiled.size() && aFiled[aLast].first == aFiled[aFirst].first)
    {
      ++aLast;
    }
    compareCell(anEdges, aFiled, aFirst, aLast, theWidth, aByPair);
    aFirst = aLast;
  }
  for (const auto& anEntry : aByPair)
  {
    thePlaces.push_back(anEntry.second);
  }
  std::sort(thePlaces.begin(), thePlaces.end(),
            [](const Place& theLeft, const Place& theRight)
            {
              return theLeft.Where.Y() != theRight.Where.Y()
                         ? theLeft.Where.Y() < theRight.Where.Y()
                         : theLeft.Where.X() < theRight.Where.X();
            });
}
