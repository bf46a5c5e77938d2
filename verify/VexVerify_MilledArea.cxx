// Copyright (c) 2026 VexData developers
#include <VexVerify_MilledArea.hxx>

#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <map>

VexVerify_MilledArea::VexVerify_MilledArea(const VexGeom_Grid&       theGrid,
                                           const VexVerify_JobPaths& thePaths)
    : myGrid(theGrid), myPaths(thePaths)
{
  myPieces.reserve(thePaths.NbChords());
  thePaths.Visit(theGrid.CellSize(),
                 [this](const Standard_Integer thePath, const gp_XY& theStart, const gp_XY& theEnd)
                 {
                   if (myPaths.Radius(thePath) > 0.0)
                   {
                     myPieces.push_back(Piece{theStart, theEnd, thePath});
                   }
                 });
  // Two passes: count the entries of every tile, then fill them in piece order.
  myTileStart.assign(static_cast<size_t>(theGrid.NbTiles()) + 1, 0);
  for (const Piece& aPiece : myPieces)
  {
    tilesOf(aPiece, [this](const Standard_Integer theTile) { ++myTileStart[theTile + 1]; });
  }
  for (size_t aTile = 1; aTile < myTileStart.size(); ++aTile)
  {
    myTileStart[aTile] += myTileStart[aTile - 1];
  }
  myTileItems.resize(myTileStart.back());
  std::vector<uint32_t> aNext(myTileStart.begin(), myTileStart.end() - 1);
  for (size_t anIndex = 0; anIndex < myPieces.size(); ++anIndex)
  {
    tilesOf(myPieces[anIndex], [&](const Standard_Integer theTile)
            { myTileItems[aNext[theTile]++] = static_cast<uint32_t>(anIndex); });
  }
}

template <class TheVisit>
void VexVerify_MilledArea::tilesOf(const Piece& thePiece, const TheVisit& theVisit) const
{
  // The stroke reaches its radius beyond the centre line, and its chords a little further.
  const double aReach = myPaths.Radius(thePiece.Path) + 4.0 * VexGeom_Units::THE_CHORD_TOLERANCE;
  const gp_XY  aMin(std::min(thePiece.Start.X(), thePiece.End.X()) - aReach,
                    std::min(thePiece.Start.Y(), thePiece.End.Y()) - aReach);
  const gp_XY  aMax(std::max(thePiece.Start.X(), thePiece.End.X()) + aReach,
                    std::max(thePiece.Start.Y(), thePiece.End.Y()) + aReach);
  const Standard_Integer aFirst = myGrid.Tile(aMin), aLast = myGrid.Tile(aMax);
  const Standard_Integer aColumns = myGrid.NbTilesX();
  for (Standard_Integer aRow = aFirst / aColumns; aRow <= aLast / aColumns; ++aRow)
  {
    for (Standard_Integer aColumn = aFirst % aColumns; aColumn <= aLast % aColumns; ++aColumn)
    {
      theVisit(aRow * aColumns + aColumn);
    }
  }
}

void VexVerify_MilledArea::Tile(const Standard_Integer theTile, ClipperLib::Paths& theMilled) const
{
  const std::vector<uint32_t> aPieces(myTileItems.begin() + myTileStart[theTile],
                                      myTileItems.begin() + myTileStart[theTile + 1]);
  stroke(aPieces, theMilled);
}

void VexVerify_MilledArea::Window(const gp_XY& theMin, const gp_XY& theMax,
                                  ClipperLib::Paths& theMilled) const
{
  std::vector<uint32_t>  aPieces;
  const Standard_Integer aFirst = myGrid.Tile(theMin), aLast = myGrid.Tile(theMax);
  const Standard_Integer aColumns = myGrid.NbTilesX();
  for (Standard_Integer aRow = aFirst / aColumns; aRow <= aLast / aColumns; ++aRow)
  {
    for (Standard_Integer aColumn = aFirst % aColumns; aColumn <= aLast % aColumns; ++aColumn)
    {
      const Standard_Integer aTile = aRow * aColumns + aColumn;
      aPieces.insert(aPieces.end(), myTileItems.begin() + myTileStart[aTile],
                     myTileItems.begin() + myTileStart[aTile + 1]);
    }
  }
  std::sort(aPieces.begin(), aPieces.end());
  aPieces.erase(std::unique(aPieces.begin(), aPieces.end()), aPieces.end());
  stroke(aPieces, theMilled);
}

void VexVerify_MilledArea::stroke(const std::vector<uint32_t>& thePieces,
                                  ClipperLib::Paths&           theMilled) const
{
  theMilled.clear();
  // Pieces of one tool are drawn by one stroke run; pieces that follow each other in a path are
  // drawn as one line, without round ends where they meet.
  std::map<Standard_Integer, ClipperLib::Paths> aLines;
  uint32_t                                      aLast = UINT32_MAX;
  for (const uint32_t anIndex : thePieces)
  {
    const Piece&               aPiece = myPieces[anIndex];
    ClipperLib::Paths&         aPen   = aLines[aPiece.Path];
    const ClipperLib::IntPoint aStart = VexGeom_Units::ToPoint(aPiece.Start);
    const bool                 isNext = aLast != UINT32_MAX && aLast + 1 == anIndex &&
                        myPieces[aLast].Path == aPiece.Path && !aPen.empty() &&
                        aPen.back().back() == aStart;
    if (!isNext)
    {
      aPen.push_back(ClipperLib::Path(1, aStart));
    }
    aPen.back().push_back(VexGeom_Units::ToPoint(aPiece.End));
    aLast = anIndex;
  }
  for (const auto& aPen : aLines)
  {
    VexGeom_Polygons::Stroke(aPen.second, myPaths.Radius(aPen.first), theMilled);
  }
}
