// Copyright (c) 2026 VexData developers
#include <VexVerify_CopperCheck.hxx>

#include <VexVerify_Guard.hxx>

#include <VexGeom_DrawnArea.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexVerify_Pieces.hxx>
#include <VexVerify_Places.hxx>

#include <exception>

namespace
{
//! Cells per tile side: a tile's boolean operation holds some 64 cells' worth of features.
const Standard_Integer THE_CELLS_PER_TILE = 8;

//! Most grid cells, whatever the board (four bytes each in the index).
const Standard_Real THE_MAX_CELLS = 4.0e6;
//! Sorts the pieces of thePaths: those with no copper in reach are done with; those inside one
//! grown stroke are in copper whole (into thePlaces); the others wait in thePieces, with the
//! features in their reach, for the polygon work.
void sortPieces(const VexVerify_JobPaths& thePaths, const Standard_Real theTolerance,
                const VexGeom_Grid& theGrid, VexGeom_DrawnArea& theIndex,
                VexVerify_Pieces& thePieces, VexVerify_Places& thePlaces)
{
  thePaths.Visit(theGrid.CellSize(),
                 [&](const Standard_Integer thePath, const gp_XY& theStart, const gp_XY& theEnd)
                 {
                   const Standard_Real    anExtra = thePaths.Radius(thePath) - theTolerance;
                   const Standard_Integer aTile   = theGrid.Tile(0.5 * (theStart + theEnd));
                   if (!theIndex.Near(theStart, theEnd, anExtra, aTile, thePieces.Features()))
                   {
                     thePieces.DropFeatures();
                     return;
                   }
                   size_t                        aCount    = 0;
                   const Standard_Integer* const aFeatures = thePieces.NewFeatures(aCount);
                   if (theIndex.Covers(theStart, theEnd, anExtra, aFeatures, aCount))
                   {
                     ClipperLib::Path aPiece(1, VexGeom_Units::ToPoint(theStart));
                     aPiece.push_back(VexGeom_Units::ToPoint(theEnd));
                     thePlaces.Add(thePath, aPiece);
                     thePieces.DropFeatures();
                   }
                   else
                   {
                     thePieces.Add(theStart, theEnd, thePath, aTile);
                   }
                 });
}

//! Clips the waiting pieces, per tile and path toolpath, with the copper of their features grown
//! by the tool radius less theTolerance; what lies inside goes to thePlaces.
void clipPieces(const VexVerify_JobPaths& thePaths, const Standard_Real theTolerance,
                const VexGeom_DrawnArea& theIndex, VexVerify_Pieces& thePieces,
                VexVerify_Places& thePlaces)
{
  ClipperLib::Paths aCopper, aCut;
  thePieces.Visit(
      [&](Standard_Integer, const Standard_Integer thePath, const ClipperLib::Paths& theLines,
          std::vector<Standard_Integer>& theFeatures)
      {
        theIndex.Copper(theFeatures, thePaths.Radius(thePath) - theTolerance, aCopper);
        aCut.clear();
        VexGeom_Polygons::ClipLines(theLines, aCopper, Standard_True, aCut);
        for (const ClipperLib::Path& aPiece : aCut)
        {
          thePlaces.Add(thePath, aPiece);
        }
      });
}
} // namespace

Standard_Boolean VexVerify_CopperCheck::Perform(const PenFormatData_Model& theDesign,
                                                const VexVerify_JobPaths&  thePaths,
                                                VexVerify_Report::Check&   theCheck)
{
  return VexVerify_Guard::Run(
      [&]()
      {
        perform(theDesign, thePaths, theCheck);
        return Standard_True;
      },
      theCheck.Design, myFault);
}

void VexVerify_CopperCheck::perform(const PenFormatData_Model& theDesign,
                                    const VexVerify_JobPaths&  thePaths,
                                    VexVerify_Report::Check&   theCheck)
{
  thePaths.Describe(theCheck);
  // One grid over the design and the job, with a few features per cell.
  gp_XY  aMin = thePaths.Min(), aMax = thePaths.Max();
  size_t aDesignCount = 0;
  VexGeom_DrawnArea::Survey(theDesign, aMin, aMax, aDesignCount);
  const size_t aCount = aDesignCount + thePaths.NbChords();
  if (aMin.X() > aMax.X())
  {
    return; // nothing drawn and nothing cut
  }
  const gp_XY  aMargin(thePaths.MaxRadius() + 1.0, thePaths.MaxRadius() + 1.0);
  VexGeom_Grid aGrid;
  aGrid.Init(aMin - aMargin, aMax + aMargin, VexGeom_Grid::CellSizeFor(aMin, aMax, aCount),
             THE_CELLS_PER_TILE, THE_MAX_CELLS);
  // A piece is at most a cell long and lies in the tile of its middle, so everything within its
  // tool's reach lies within a cell and a radius of that tile.
  VexGeom_DrawnArea anIndex(aGrid);
  anIndex.Build(theDesign, aDesignCount,
                aGrid.CellSize() + thePaths.MaxRadius() + 4.0 * VexGeom_Units::THE_CHORD_TOLERANCE);
  theCheck.Features = anIndex.NbFeatures();

  VexVerify_Pieces aPieces;
  VexVerify_Places aPlaces;
  sortPieces(thePaths, myTolerance, aGrid, anIndex, aPieces, aPlaces);
  clipPieces(thePaths, myTolerance, anIndex, aPieces, aPlaces);
  aPlaces.Finish(VexVerify_Report::Kind_Copper, theCheck);
}
