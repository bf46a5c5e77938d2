// Copyright (c) 2026 VexData developers
#include <VexVerify_MilledArea.hxx>

#include <VexGeom_Polygons.hxx>

#include <algorithm>
#include <map>

VexVerify_MilledArea::VexVerify_MilledArea(const VexGeom_Grid&       theGrid,
                                           const VexVerify_JobPaths& thePaths)
    : myGrid(theGrid), myPaths(thePaths)
{
  // Whole chords: a chord of a contour starts where the one before it ends.
  thePaths.Visit(RealLast(),
                 [this](const Standard_Integer thePath, const gp_XY& theStart, const gp_XY& theEnd)
                 {
                   if (!(myPaths.Radius(thePath) > 0.0))
                   {
                     return;
                   }
                   if (myLines.empty() || myLines.back().Path != thePath ||
                       !myPoints.back().IsEqual(theStart, 0.0))
                   {
                     myLines.push_back(Line{static_cast<uint32_t>(myPoints.size()), thePath});
                     myPoints.push_back(theStart);
                   }
                   myPoints.push_back(theEnd);
                 });
  // Two passes: count the entries of every tile, then fill them in chord order.
  myTileStart.assign(static_cast<size_t>(theGrid.NbTiles()) + 1, 0);
  visitChords([this](uint32_t, const Standard_Integer theTile) { ++myTileStart[theTile + 1]; });
  for (size_t aTile = 1; aTile < myTileStart.size(); ++aTile)
  {
    myTileStart[aTile] += myTileStart[aTile - 1];
  }
  myTileItems.resize(myTileStart.back());
  std::vector<uint32_t> aNext(myTileStart.begin(), myTileStart.end() - 1);
  visitChords([&](const uint32_t theChord, const Standard_Integer theTile)
              { myTileItems[aNext[theTile]++] = theChord; });
}

template <class TheVisit> void VexVerify_MilledArea::visitChords(const TheVisit& theVisit) const
{
  for (size_t aLine = 0; aLine < myLines.size(); ++aLine)
  {
    const uint32_t aLast   = aLine + 1 < myLines.size() ? myLines[aLine + 1].First - 1
                                                        : static_cast<uint32_t>(myPoints.size() - 1);
    const double   aRadius = myPaths.Radius(myLines[aLine].Path);
    for (uint32_t aChord = myLines[aLine].First; aChord < aLast; ++aChord)
    {
      tilesOf(myPoints[aChord], myPoints[aChord + 1], aRadius,
              [&](const Standard_Integer theTile) { theVisit(aChord, theTile); });
    }
  }
}

template <class TheVisit>
void VexVerify_MilledArea::tilesOf(const gp_XY& theFrom, const gp_XY& theTo, const double theRadius,
                                   const TheVisit& theVisit) const
{
  // The stroke reaches its radius beyond the centre line, and its chords a little further.
  const double           aReach = theRadius + 4.0 * VexGeom_Units::THE_CHORD_TOLERANCE;
  const gp_XY            aMin(std::min(theFrom.X(), theTo.X()) - aReach,
                              std::min(theFrom.Y(), theTo.Y()) - aReach);
  const gp_XY            aMax(std::max(theFrom.X(), theTo.X()) + aReach,
                              std::max(theFrom.Y(), theTo.Y()) + aReach);
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

Standard_Integer VexVerify_MilledArea::pathOf(const uint32_t thePoint) const
{
  const auto anIt = std::upper_bound(myLines.begin(), myLines.end(), thePoint,
                                     [](const uint32_t theValue, const Line& theLine)
                                     { return theValue < theLine.First; });
  return (anIt - 1)->Path;
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

void VexVerify_MilledArea::stroke(const std::vector<uint32_t>& theChords,
                                  ClipperLib::Paths&           theMilled) const
{
  theMilled.clear();
  // Chords of one path are drawn by one stroke run; chords that follow each other in a contour
  // are drawn as one line, without round ends where they meet.
  std::map<Standard_Integer, ClipperLib::Paths> aLines;
  ClipperLib::Path*                             aLine = NULL;
  for (size_t anIndex = 0; anIndex < theChords.size(); ++anIndex)
  {
    const uint32_t aChord = theChords[anIndex];
    if (anIndex == 0 || theChords[anIndex - 1] + 1 != aChord)
    {
      ClipperLib::Paths& aPen = aLines[pathOf(aChord)];
      aPen.push_back(ClipperLib::Path(1, VexGeom_Units::ToPoint(myPoints[aChord])));
      aLine = &aPen.back();
    }
    aLine->push_back(VexGeom_Units::ToPoint(myPoints[aChord + 1]));
  }
  for (const auto& aPen : aLines)
  {
    VexGeom_Polygons::Stroke(aPen.second, myPaths.Radius(aPen.first), theMilled);
  }
}
