// Copyright (c) 2026 VexData developers
#include <VexVerify_CopperCheck.hxx>

#include <VexVerify_CopperIndex.hxx>
#include <VexVerify_Geometry.hxx>
#include <VexVerify_Pieces.hxx>
#include <VexVerify_Places.hxx>

#include <Standard_Failure.hxx>

#include <exception>

namespace
{
//! Cells per tile side: a tile's boolean operation holds some 64 cells' worth of features.
const Standard_Integer THE_CELLS_PER_TILE = 8;

//! Most grid cells, whatever the board (four bytes each in the index).
const Standard_Real THE_MAX_CELLS = 4.0e6;
} // namespace

Standard_Boolean VexVerify_CopperCheck::Perform(const PenFormatData_Model& theDesign,
                                                const VexVerify_JobPaths&  thePaths,
                                                VexVerify_Report::Check&   theCheck)
{
  TCollection_AsciiString aReason;
  try
  {
    perform(theDesign, thePaths, theCheck);
    return Standard_True;
  }
  catch (const Standard_Failure& theFailure)
  {
    aReason = theFailure.GetMessageString();
  }
  catch (const std::exception& theException)
  {
    aReason = theException.what();
  }
  myFault = Message_Msg("VEX_VERIFY_GEOMETRY_FAILED");
  myFault << theCheck.Design << aReason;
  return Standard_False;
}

void VexVerify_CopperCheck::perform(const PenFormatData_Model& theDesign,
                                    const VexVerify_JobPaths&  thePaths,
                                    VexVerify_Report::Check&   theCheck)
{
  thePaths.Describe(theCheck);
  // One grid over the design and the job, with a few features per cell.
  gp_XY  aMin = thePaths.Min(), aMax = thePaths.Max();
  size_t aDesignCount = 0;
  VexVerify_CopperIndex::Survey(theDesign, aMin, aMax, aDesignCount);
  const size_t aCount = aDesignCount + thePaths.NbChords();
  if (aMin.X() > aMax.X())
  {
    return; // nothing drawn and nothing cut
  }
  const gp_XY    aMargin(thePaths.MaxRadius() + 1.0, thePaths.MaxRadius() + 1.0);
  VexVerify_Grid aGrid;
  aGrid.Init(aMin - aMargin, aMax + aMargin, VexVerify_Grid::CellSizeFor(aMin, aMax, aCount),
             THE_CELLS_PER_TILE, THE_MAX_CELLS);
  // A piece is at most a cell long and lies in the tile of its middle, so everything within its
  // tool's reach lies within a cell and a radius of that tile.
  VexVerify_CopperIndex anIndex(aGrid);
  anIndex.Build(theDesign, aDesignCount,
                aGrid.CellSize() + thePaths.MaxRadius() +
                    4.0 * VexVerify_Geometry::ChordTolerance());
  theCheck.Features = anIndex.NbFeatures();

  // Pieces with copper in reach wait for the polygon work, unless they lie inside one stroke.
  VexVerify_Pieces aPieces;
  VexVerify_Places aPlaces;
  thePaths.Visit(aGrid.CellSize(),
                 [&](const Standard_Integer thePath, const gp_XY& theStart, const gp_XY& theEnd)
                 {
                   const Standard_Real    anExtra = thePaths.Radius(thePath) - myTolerance;
                   const Standard_Integer aTile   = aGrid.Tile(0.5 * (theStart + theEnd));
                   if (!anIndex.Near(theStart, theEnd, anExtra, aTile, aPieces.Features()))
                   {
                     aPieces.DropFeatures();
                     return;
                   }
                   size_t                        aCount    = 0;
                   const Standard_Integer* const aFeatures = aPieces.NewFeatures(aCount);
                   if (anIndex.Covers(theStart, theEnd, anExtra, aFeatures, aCount))
                   {
                     ClipperLib::Path aPiece(1, VexVerify_Geometry::ToInt(theStart));
                     aPiece.push_back(VexVerify_Geometry::ToInt(theEnd));
                     aPlaces.Add(thePath, aPiece);
                     aPieces.DropFeatures();
                   }
                   else
                   {
                     aPieces.Add(theStart, theEnd, thePath, aTile);
                   }
                 });

  ClipperLib::Paths aCopper, aCut;
  aPieces.Visit(
      [&](Standard_Integer, const Standard_Integer thePath, const ClipperLib::Paths& theLines,
          std::vector<Standard_Integer>& theFeatures)
      {
        anIndex.Copper(theFeatures, thePaths.Radius(thePath) - myTolerance, aCopper);
        aCut.clear();
        VexVerify_Geometry::ClipLines(theLines, aCopper, Standard_True, aCut);
        for (const ClipperLib::Path& aPiece : aCut)
        {
          aPlaces.Add(thePath, aPiece);
        }
      });
  aPlaces.Finish(VexVerify_Report::Kind_Copper, theCheck);
}
