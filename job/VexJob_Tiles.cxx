// Copyright (c) 2026 VexData developers
#include <VexJob_Tiles.hxx>

#include <VexJob_Isolation.hxx>

#include <VexGeom_Parallel.hxx>
#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <iterator>
#include <cmath>
#include <unordered_map>

namespace
{
//! Smallest tile side, millimetres.
const double THE_MIN_TILE = 8.0;

//! Shift of the tile grid off round coordinates, so that design edges rarely lie on tile edges.
const double THE_GRID_SHIFT = 0.0123457;

//! Key of an integer point for the joining of pieces.
struct PointHash
{
  size_t operator()(const ClipperLib::IntPoint& thePoint) const
  {
    return std::hash<long long>()(thePoint.X * 1000003LL ^ thePoint.Y);
  }
};

//! Where a ring lies with respect to a tile.
enum Place
{
  Place_Inside,  //!< wholly inside
  Place_Outside, //!< wholly outside
  Place_Crossing //!< across an edge
};

//! Returns where theRing lies with respect to the rectangle theLow-theHigh (its box is compared:
//! a ring outside the box may still be said to cross, and is then cut to nothing).
Place placeOf(const ClipperLib::Path& theRing, const ClipperLib::IntPoint& theLow,
              const ClipperLib::IntPoint& theHigh)
{
  ClipperLib::IntPoint aLow = theRing.front(), aHigh = theRing.front();
  for (const ClipperLib::IntPoint& aPoint : theRing)
  {
    aLow.X  = std::min(aLow.X, aPoint.X);
    aLow.Y  = std::min(aLow.Y, aPoint.Y);
    aHigh.X = std::max(aHigh.X, aPoint.X);
    aHigh.Y = std::max(aHigh.Y, aPoint.Y);
  }
  if (aLow.X > theLow.X && aHigh.X < theHigh.X && aLow.Y > theLow.Y && aHigh.Y < theHigh.Y)
  {
    return Place_Inside;
  }
  if (aHigh.X < theLow.X || aLow.X > theHigh.X || aHigh.Y < theLow.Y || aLow.Y > theHigh.Y)
  {
    return Place_Outside;
  }
  return Place_Crossing;
}

//! Turns each of thePieces, cut from theRings, to run the way its ring runs (the polygon
//! library hands out open paths in either direction). A piece of two points, which holds no
//! vertex of its ring, is left as it is and turned, if need be, when it is joined.
void orient(const ClipperLib::Paths& theRings, ClipperLib::Paths& thePieces, const size_t theFirst)
{
  std::unordered_map<ClipperLib::IntPoint, std::pair<uint32_t, uint32_t>, PointHash> aVertices;
  for (uint32_t aRing = 0; aRing < theRings.size(); ++aRing)
  {
    for (uint32_t anIndex = 0; anIndex < theRings[aRing].size(); ++anIndex)
    {
      aVertices.emplace(theRings[aRing][anIndex], std::make_pair(aRing, anIndex));
    }
  }
  for (size_t aPiece = theFirst; aPiece < thePieces.size(); ++aPiece)
  {
    ClipperLib::Path& aPath  = thePieces[aPiece];
    const auto        aFound = aPath.size() < 3 ? aVertices.end() : aVertices.find(aPath[1]);
    if (aFound == aVertices.end())
    {
      continue;
    }
    // The piece runs the way of the ring's edge its second segment lies along.
    const ClipperLib::Path& aRing = theRings[aFound->second.first];
    const size_t            aSize = aRing.size();
    const gp_XY             aHere = VexGeom_Units::ToXY(aPath[1]);
    const gp_XY             aWay  = VexGeom_Units::ToXY(aPath[2]) - aHere;
    const gp_XY aAhead = VexGeom_Units::ToXY(aRing[(aFound->second.second + 1) % aSize]) - aHere;
    const gp_XY aBehind =
        VexGeom_Units::ToXY(aRing[(aFound->second.second + aSize - 1) % aSize]) - aHere;
    if (aWay.Dot(aBehind) * aAhead.Modulus() > aWay.Dot(aAhead) * aBehind.Modulus())
    {
      std::reverse(aPath.begin(), aPath.end());
    }
  }
}

//! Appends to thePieces the parts of theRings (closed) inside theTile, each running the way
//! its ring runs.
void cutToTile(const ClipperLib::Paths& theRings, const ClipperLib::Path& theTile,
               ClipperLib::Paths& thePieces)
{
  ClipperLib::Clipper aClipper;
  for (const ClipperLib::Path& aRing : theRings)
  {
    ClipperLib::Path anOpen = aRing;
    anOpen.push_back(aRing.front());
    aClipper.AddPath(anOpen, ClipperLib::ptSubject, false);
  }
  aClipper.AddPath(theTile, ClipperLib::ptClip, true);
  ClipperLib::PolyTree aTree;
  aClipper.Execute(ClipperLib::ctIntersection, aTree, ClipperLib::pftNonZero,
                   ClipperLib::pftNonZero);
  ClipperLib::Paths aPieces;
  ClipperLib::OpenPathsFromPolyTree(aTree, aPieces);
  const size_t aFirst = thePieces.size();
  thePieces.insert(thePieces.end(), aPieces.begin(), aPieces.end());
  orient(theRings, thePieces, aFirst);
}

//! Largest distance, in integer units, between the ends two tiles cut from one ring at their
//! common edge (each computes the crossing with its own rounding).
const ClipperLib::cInt THE_END_MATCH = 4;

//! Pieces filed by the cell of one of their ends, cells of THE_END_MATCH units.
typedef std::unordered_multimap<ClipperLib::IntPoint, size_t, PointHash> EndMap;

//! Returns the cell of thePoint.
ClipperLib::IntPoint cellOf(const ClipperLib::IntPoint& thePoint)
{
  auto aFloor = [](const ClipperLib::cInt theValue)
  {
    return theValue >= 0 ? theValue / THE_END_MATCH
                         : -((-theValue + THE_END_MATCH - 1) / THE_END_MATCH);
  };
  return ClipperLib::IntPoint(aFloor(thePoint.X), aFloor(thePoint.Y));
}

//! Returns an unused piece of theMap whose end (given by theEnd) lies within THE_END_MATCH of
//! thePoint, or the size of isUsed.
template <class TheEnd>
size_t unusedAt(const EndMap& theMap, const ClipperLib::IntPoint& thePoint,
                const std::vector<bool>& isUsed, const TheEnd& theEnd)
{
  const ClipperLib::IntPoint aCell = cellOf(thePoint);
  for (ClipperLib::cInt aDy = -1; aDy <= 1; ++aDy)
  {
    for (ClipperLib::cInt aDx = -1; aDx <= 1; ++aDx)
    {
      const auto aRange = theMap.equal_range(ClipperLib::IntPoint(aCell.X + aDx, aCell.Y + aDy));
      for (auto anIter = aRange.first; anIter != aRange.second; ++anIter)
      {
        const ClipperLib::IntPoint& anEnd = theEnd(anIter->second);
        if (!isUsed[anIter->second] && std::abs(anEnd.X - thePoint.X) <= THE_END_MATCH &&
            std::abs(anEnd.Y - thePoint.Y) <= THE_END_MATCH)
        {
          return anIter->second;
        }
      }
    }
  }
  return isUsed.size();
}

//! Returns true when theFirst and theSecond lie within THE_END_MATCH of each other.
bool isNear(const ClipperLib::IntPoint& theFirst, const ClipperLib::IntPoint& theSecond)
{
  return std::abs(theFirst.X - theSecond.X) <= THE_END_MATCH &&
         std::abs(theFirst.Y - theSecond.Y) <= THE_END_MATCH;
}

//! Joins thePieces end to end into closed rings (last point dropped) and chains left open. A
//! piece of two points may be joined turned round.
void join(ClipperLib::Paths& thePieces, VexJob_Tiles::Result& theResult)
{
  EndMap aByStart, aShortByEnd;
  for (size_t anIndex = 0; anIndex < thePieces.size(); ++anIndex)
  {
    aByStart.emplace(cellOf(thePieces[anIndex].front()), anIndex);
    if (thePieces[anIndex].size() == 2)
    {
      aShortByEnd.emplace(cellOf(thePieces[anIndex].back()), anIndex);
    }
  }
  auto aStart = [&thePieces](const size_t theIndex) -> const ClipperLib::IntPoint&
  { return thePieces[theIndex].front(); };
  auto anEnd = [&thePieces](const size_t theIndex) -> const ClipperLib::IntPoint&
  { return thePieces[theIndex].back(); };
  // Chains start from pieces whose direction is known; two-point pieces join them as they fit.
  std::vector<size_t> anOrder(thePieces.size());
  for (size_t anIndex = 0; anIndex < anOrder.size(); ++anIndex)
  {
    anOrder[anIndex] = anIndex;
  }
  std::stable_partition(anOrder.begin(), anOrder.end(),
                        [&thePieces](const size_t theIndex)
                        { return thePieces[theIndex].size() > 2; });
  std::vector<bool> isUsed(thePieces.size(), false);
  for (const size_t aFirst : anOrder)
  {
    if (isUsed[aFirst] || thePieces[aFirst].size() < 2)
    {
      continue;
    }
    isUsed[aFirst]         = true;
    ClipperLib::Path aRing = thePieces[aFirst];
    while (aRing.size() < 3 || !isNear(aRing.back(), aRing.front()))
    {
      size_t aNext = unusedAt(aByStart, aRing.back(), isUsed, aStart);
      if (aNext == isUsed.size())
      {
        aNext = unusedAt(aShortByEnd, aRing.back(), isUsed, anEnd);
        if (aNext == isUsed.size())
        {
          break;
        }
        std::reverse(thePieces[aNext].begin(), thePieces[aNext].end());
      }
      isUsed[aNext]                  = true;
      const ClipperLib::Path& aPiece = thePieces[aNext];
      aRing.insert(aRing.end(), aPiece.begin() + 1, aPiece.end());
    }
    if (aRing.size() > 3 && isNear(aRing.back(), aRing.front()))
    {
      aRing.pop_back();
      theResult.Rings.push_back(std::move(aRing));
    }
    else
    {
      theResult.Open.push_back(std::move(aRing));
    }
  }
}
//! One tile: its own rectangle (the outer ones reaching far past the board) and the window
//! its copper is built in.
struct Tile
{
  gp_XY Low, High;             //!< the tile
  gp_XY WindowLow, WindowHigh; //!< the tile grown by the margin, within the board's reach
  bool  IsWhole = false;       //!< the only tile
};

//! Isolates theTile: its rings inside it go to theResult, the pieces of those crossing its edges
//! to thePieces, its narrow places to theResult.
void isolateTile(const VexJob_Copper& theCopper, const std::vector<double>& theOffsets,
                 const double theWidth, const Tile& theTile, VexJob_Tiles::Result& theResult,
                 ClipperLib::Paths& thePieces)
{
  // The copper comes as a tree of outlines and holes: its islands, for the narrow places.
  ClipperLib::PolyTree aTree;
  ClipperLib::Paths    aCopper, aRings;
  theCopper.Build(theTile.WindowLow, theTile.WindowHigh, aTree);
  ClipperLib::ClosedPathsFromPolyTree(aTree, aCopper);
  ++theResult.NbTiles;
  for (const ClipperLib::Path& aPath : aCopper)
  {
    theResult.NbCopperVertices += aPath.size();
  }
  std::vector<VexJob_Gaps::Place> aGaps;
  VexJob_Gaps::Find(aTree, theWidth, aGaps);
  aTree.Clear();
  for (const VexJob_Gaps::Place& aGap : aGaps)
  {
    if (aGap.Where.X() >= theTile.Low.X() && aGap.Where.X() < theTile.High.X() &&
        aGap.Where.Y() >= theTile.Low.Y() && aGap.Where.Y() < theTile.High.Y())
    {
      theResult.Gaps.push_back(aGap);
    }
  }
  VexJob_Tiles::OffsetRings(aCopper, theOffsets, aRings);
  if (theTile.IsWhole)
  {
    theResult.Rings.insert(theResult.Rings.end(), aRings.begin(), aRings.end());
    return;
  }
  const ClipperLib::Path aBox = VexGeom_Polygons::Rectangle(
      VexGeom_Units::ToPoint(gp_XY(std::max(theTile.Low.X(), theTile.WindowLow.X()),
                                   std::max(theTile.Low.Y(), theTile.WindowLow.Y()))),
      VexGeom_Units::ToPoint(gp_XY(std::min(theTile.High.X(), theTile.WindowHigh.X()),
                                   std::min(theTile.High.Y(), theTile.WindowHigh.Y()))));
  // Rings inside the tile are whole; only those crossing its edges are cut and joined.
  ClipperLib::Paths aCrossing;
  for (ClipperLib::Path& aRing : aRings)
  {
    const Place aPlace = placeOf(aRing, aBox[0], aBox[2]);
    if (aPlace == Place_Inside)
    {
      theResult.Rings.push_back(std::move(aRing));
    }
    else if (aPlace == Place_Crossing)
    {
      aCrossing.push_back(std::move(aRing));
    }
  }
  cutToTile(aCrossing, aBox, thePieces);
}

//! What one tile made: its whole rings, places and counts, and the pieces of rings crossing its
//! edges.
struct TileWork
{
  VexJob_Tiles::Result Made;
  ClipperLib::Paths    Pieces;
};

//! Returns the tiles over theMin-theMax: about thePerTile of theNbFeatures each, at least
//! THE_MIN_TILE wide, their windows grown by theMargin. The first and last tiles of each row and
//! column reach far past the board, so that every ring lies in some tile.
std::vector<Tile> layTiles(const gp_XY& theMin, const gp_XY& theMax, const double theMargin,
                           const size_t theNbFeatures, const size_t thePerTile)
{
  const gp_XY  aSize  = theMax - theMin;
  const double aTiles = std::ceil(static_cast<double>(theNbFeatures) /
                                  static_cast<double>(std::max<size_t>(1, thePerTile)));
  const double aSide  = std::max(
       THE_MIN_TILE, std::sqrt(std::max(aSize.X() * aSize.Y(), 1.0) / std::max(aTiles, 1.0)));
  // A board of one tile's features is worked on whole.
  const int aNbX = aTiles <= 1.0 ? 1 : std::max(1, static_cast<int>(std::ceil(aSize.X() / aSide)));
  const int aNbY = aTiles <= 1.0 ? 1 : std::max(1, static_cast<int>(std::ceil(aSize.Y() / aSide)));
  const gp_XY       anOrigin = theMin - gp_XY(THE_GRID_SHIFT, THE_GRID_SHIFT);
  std::vector<Tile> aList;
  for (int aRow = 0; aRow < aNbY; ++aRow)
  {
    for (int aColumn = 0; aColumn < aNbX; ++aColumn)
    {
      Tile aTile;
      aTile.Low.SetCoord(aColumn == 0 ? -1.0e9 : anOrigin.X() + aColumn * aSide,
                         aRow == 0 ? -1.0e9 : anOrigin.Y() + aRow * aSide);
      aTile.High.SetCoord(aColumn + 1 == aNbX ? 1.0e9 : anOrigin.X() + (aColumn + 1) * aSide,
                          aRow + 1 == aNbY ? 1.0e9 : anOrigin.Y() + (aRow + 1) * aSide);
      aTile.WindowLow.SetCoord(std::max(aTile.Low.X(), theMin.X() - 1.0) - theMargin,
                               std::max(aTile.Low.Y(), theMin.Y() - 1.0) - theMargin);
      aTile.WindowHigh.SetCoord(std::min(aTile.High.X(), theMax.X() + 1.0) + theMargin,
                                std::min(aTile.High.Y(), theMax.Y() + 1.0) + theMargin);
      aTile.IsWhole = aNbX == 1 && aNbY == 1;
      aList.push_back(aTile);
    }
  }
  return aList;
}

//! Appends what one tile made to theResult.
void gather(VexJob_Tiles::Result& theMade, VexJob_Tiles::Result& theResult)
{
  std::move(theMade.Rings.begin(), theMade.Rings.end(), std::back_inserter(theResult.Rings));
  std::move(theMade.Open.begin(), theMade.Open.end(), std::back_inserter(theResult.Open));
  theResult.Gaps.insert(theResult.Gaps.end(), theMade.Gaps.begin(), theMade.Gaps.end());
  theResult.NbTiles += theMade.NbTiles;
  theResult.NbCopperVertices += theMade.NbCopperVertices;
}
} // namespace

void VexJob_Tiles::Isolate(const VexJob_Copper& theCopper, const std::vector<double>& theOffsets,
                           const Standard_Real theWidth, Result& theResult, const size_t thePerTile,
                           const size_t theNbWorkers)
{
  gp_XY aMin, aMax;
  if (!theCopper.Bounds(aMin, aMax) || theOffsets.empty())
  {
    return;
  }
  const double            anOuter = *std::max_element(theOffsets.begin(), theOffsets.end());
  const std::vector<Tile> aTiles =
      layTiles(aMin, aMax, anOuter + theWidth + 0.5, theCopper.NbFeatures(), thePerTile);
  // Tiles are independent: each worker takes the next tile not yet taken, and what the tiles
  // made is gathered in tile order, so the job is the same whatever the number of workers.
  std::vector<TileWork> aWork(aTiles.size());
  VexGeom_Parallel::For(aTiles.size(), theNbWorkers,
                        [&](const size_t theTile)
                        {
                          isolateTile(theCopper, theOffsets, theWidth, aTiles[theTile],
                                      aWork[theTile].Made, aWork[theTile].Pieces);
                        });
  ClipperLib::Paths aPieces;
  for (TileWork& aTile : aWork)
  {
    gather(aTile.Made, theResult);
    std::move(aTile.Pieces.begin(), aTile.Pieces.end(), std::back_inserter(aPieces));
    aTile = TileWork();
  }
  join(aPieces, theResult);
}

void VexJob_Tiles::OffsetRings(const ClipperLib::Paths&   theCopper,
                               const std::vector<double>& theOffsets, ClipperLib::Paths& theRings)
{
  ClipperLib::ClipperOffset anOffsetter(2.0, VexJob_Isolation::ArcTolerance() *
                                                 VexGeom_Units::THE_SCALE);
  anOffsetter.AddPaths(theCopper, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
  for (const double anOffset : theOffsets)
  {
    ClipperLib::Paths aRings;
    anOffsetter.Execute(aRings, anOffset * VexGeom_Units::THE_SCALE);
    theRings.insert(theRings.end(), aRings.begin(), aRings.end());
  }
}
