// Copyright (c) 2026 VexData developers
#include <VexVerify_OutlineCheck.hxx>

#include <VexVerify_Guard.hxx>

#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexGeom_Grid.hxx>

#include <VexGeom_Fragmenter.hxx>
#include <VexVerify_Pieces.hxx>
#include <VexVerify_Places.hxx>

#include <cstdio>
#include <exception>
#include <map>

namespace
{
//! Cells per tile side.
const Standard_Integer THE_CELLS_PER_TILE = 8;

//! Most grid cells, whatever the board.
const Standard_Real THE_MAX_CELLS = 4.0e6;

//! Tile state: the grown board does not reach the tile's window.
const Standard_Integer THE_EMPTY = -1;

//! Tile state: the grown board covers the tile's window.
const Standard_Integer THE_WHOLE = -2;

//! The board grown by one tool radius, cut into tiles.
struct GrownBoard
{
  std::vector<Standard_Integer>  States;    //!< per tile: THE_EMPTY, THE_WHOLE or a fragment
  std::vector<ClipperLib::Paths> Fragments; //!< the fragments along the edge
};

//! Fills theGrown with theBoard grown by theDistance, with its lines drawn that wide, cut into
//! the tiles of theFragmenter.
void grow(const VexVerify_Board& theBoard, const Standard_Real theDistance,
          const VexGeom_Fragmenter& theFragmenter, const Standard_Integer theNbTiles,
          GrownBoard& theGrown)
{
  theGrown.States.assign(static_cast<size_t>(theNbTiles), THE_EMPTY);
  ClipperLib::Paths anArea = theBoard.Area();
  VexGeom_Polygons::Grow(anArea, theDistance);
  VexGeom_Polygons::Stroke(theBoard.Lines(), theDistance, anArea);
  VexGeom_Polygons::Normalise(anArea);
  theFragmenter.Split(
      anArea,
      [&theGrown](Standard_Integer theTile, ClipperLib::Paths& thePart, Standard_Boolean isWhole)
      {
        if (isWhole)
        {
          theGrown.States[theTile] = THE_WHOLE;
          return;
        }
        theGrown.States[theTile] = static_cast<Standard_Integer>(theGrown.Fragments.size());
        theGrown.Fragments.emplace_back();
        theGrown.Fragments.back().swap(thePart);
      });
}

//! Returns the lower left and upper right corners of thePolygons, in millimetres.
void box(const ClipperLib::Paths& thePolygons, gp_XY& theMin, gp_XY& theMax)
{
  for (const ClipperLib::Path& aPath : thePolygons)
  {
    for (const ClipperLib::IntPoint& aPoint : aPath)
    {
      const gp_XY anXY = VexGeom_Units::ToXY(aPoint);
      theMin.SetCoord(std::min(theMin.X(), anXY.X()), std::min(theMin.Y(), anXY.Y()));
      theMax.SetCoord(std::max(theMax.X(), anXY.X()), std::max(theMax.Y(), anXY.Y()));
    }
  }
}
//! Sorts the pieces of thePaths by the state of their tile in the board grown for their path
//! (theBoardOf): inside, done with; outside, into thePlaces whole; along the edge, into theEdges.
void sortPieces(const VexVerify_JobPaths& thePaths, const VexGeom_Grid& theGrid,
                const std::vector<const GrownBoard*>& theBoardOf, VexVerify_Pieces& theEdges,
                VexVerify_Places& thePlaces)
{
  thePaths.Visit(theGrid.CellSize(),
                 [&](const Standard_Integer thePath, const gp_XY& theStart, const gp_XY& theEnd)
                 {
                   const Standard_Integer aTile  = theGrid.Tile(0.5 * (theStart + theEnd));
                   const Standard_Integer aState = theBoardOf[thePath]->States[aTile];
                   if (aState == THE_EMPTY)
                   {
                     ClipperLib::Path aPiece(1, VexGeom_Units::ToPoint(theStart));
                     aPiece.push_back(VexGeom_Units::ToPoint(theEnd));
                     thePlaces.Add(thePath, aPiece);
                   }
                   else if (aState != THE_WHOLE)
                   {
                     theEdges.Add(theStart, theEnd, thePath, aTile);
                   }
                 });
}

//! Clips the pieces along the edge, per tile and path toolpath, with the grown board's fragment
//! of the tile; what lies outside goes to thePlaces.
void clipPieces(const std::vector<const GrownBoard*>& theBoardOf, VexVerify_Pieces& theEdges,
                VexVerify_Places& thePlaces)
{
  ClipperLib::Paths anOutside;
  theEdges.Visit(
      [&](const Standard_Integer theTile, const Standard_Integer thePath,
          const ClipperLib::Paths& theLines, std::vector<Standard_Integer>&)
      {
        const GrownBoard& aGrown = *theBoardOf[thePath];
        anOutside.clear();
        VexGeom_Polygons::ClipLines(theLines, aGrown.Fragments[aGrown.States[theTile]],
                                    Standard_False, anOutside);
        for (const ClipperLib::Path& aPiece : anOutside)
        {
          thePlaces.Add(thePath, aPiece);
        }
      });
}
} // namespace

Standard_Boolean VexVerify_OutlineCheck::Perform(const PenFormatData_Model& theDesign,
                                                 const VexVerify_JobPaths&  thePaths,
                                                 VexVerify_Report::Check&   theCheck)
{
  return VexVerify_Guard::Run([&]() { return perform(theDesign, thePaths, theCheck); },
                              theCheck.Design, myFault);
}

Standard_Boolean VexVerify_OutlineCheck::buildBoard(const PenFormatData_Model& theDesign,
                                                    VexVerify_Board&           theBoard,
                                                    VexVerify_Report::Check&   theCheck)
{
  theBoard.Build(theDesign, myGap, std::max(myTolerance, VexGeom_Units::THE_CHORD_TOLERANCE));
  theCheck.Features = theBoard.NbLoops() + theBoard.NbAreas();
  char                               aNote[200];
  const VexVerify_GapCloser::Result& aGaps = theBoard.Gaps();
  if (aGaps.NbBridged > 0)
  {
    std::snprintf(aNote, sizeof(aNote),
                  "%d ends of outline lines met another line only across a gap and were joined "
                  "to it, the widest gap %.3f mm at (%.3f, %.3f); gaps up to %.3f mm are closed",
                  aGaps.NbBridged, aGaps.WidestGap, aGaps.WidestGapAt.X(), aGaps.WidestGapAt.Y(),
                  myGap);
    theCheck.Notes.Append(aNote);
  }
  if (aGaps.NbOpen > 0)
  {
    std::snprintf(aNote, sizeof(aNote),
                  "%d ends of outline lines meet no other line within %.3f mm, the first at "
                  "(%.3f, %.3f)",
                  aGaps.NbOpen, myGap, aGaps.FirstOpenAt.X(), aGaps.FirstOpenAt.Y());
    theCheck.Notes.Append(aNote);
  }
  if (theBoard.Area().empty())
  {
    myFault = Message_Msg("VEX_VERIFY_OUTLINE_EMPTY");
    myFault << theCheck.Design;
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexVerify_OutlineCheck::perform(const PenFormatData_Model& theDesign,
                                                 const VexVerify_JobPaths&  thePaths,
                                                 VexVerify_Report::Check&   theCheck)
{
  thePaths.Describe(theCheck);
  VexVerify_Board aBoard;
  if (!buildBoard(theDesign, aBoard, theCheck))
  {
    return Standard_False;
  }
  if (thePaths.NbChords() == 0)
  {
    return Standard_True;
  }
  gp_XY aMin = thePaths.Min(), aMax = thePaths.Max();
  box(aBoard.Area(), aMin, aMax);
  const Standard_Real aReach = thePaths.MaxRadius() + myTolerance + 1.0;
  VexGeom_Grid        aGrid;
  aGrid.Init(aMin - gp_XY(aReach, aReach), aMax + gp_XY(aReach, aReach),
             VexGeom_Grid::CellSizeFor(aMin, aMax, thePaths.NbChords()), THE_CELLS_PER_TILE,
             THE_MAX_CELLS);

  // The board grown by every tool radius in use, cut into tiles. A piece lies within half a
  // cell of its tile: windows a cell wider hold it whole.
  const Standard_Real      aMargin = aGrid.CellSize() + 2.0 * VexGeom_Units::THE_CHORD_TOLERANCE;
  const VexGeom_Fragmenter aFragmenter(aGrid, aMargin);
  std::map<ClipperLib::cInt, GrownBoard> aBoards;
  std::vector<const GrownBoard*>         aBoardOf;
  for (Standard_Integer aPath = 0; aPath < thePaths.Paths().Length(); ++aPath)
  {
    const Standard_Real aDistance = thePaths.Radius(aPath) + myTolerance;
    GrownBoard&         aGrown    = aBoards[VexGeom_Units::ToInt(aDistance)];
    if (aGrown.States.empty())
    {
      grow(aBoard, aDistance, aFragmenter, aGrid.NbTiles(), aGrown);
    }
    aBoardOf.push_back(&aGrown);
  }

  VexVerify_Pieces anEdges;
  VexVerify_Places aPlaces;
  sortPieces(thePaths, aGrid, aBoardOf, anEdges, aPlaces);
  clipPieces(aBoardOf, anEdges, aPlaces);
  aPlaces.Finish(VexVerify_Report::Kind_Outside, theCheck);
  return Standard_True;
}
