// Copyright (c) 2026 VexData developers
#include <VexGeom_Grid.hxx>

#include <algorithm>
#include <cmath>

VexGeom_Grid::VexGeom_Grid()
    : myCell(1.0), myInverse(1.0), myNbX(1), myNbY(1), myPerTile(1), myNbTilesX(1), myNbTilesY(1)
{
}

void VexGeom_Grid::Init(const gp_XY& theMin, const gp_XY& theMax, const Standard_Real theCellSize,
                        const Standard_Integer theCellsPerTile, const Standard_Real theMaxCells)
{
  const Standard_Real aWidth  = std::max(theMax.X() - theMin.X(), 1.0e-3);
  const Standard_Real aHeight = std::max(theMax.Y() - theMin.Y(), 1.0e-3);
  myOrigin                    = theMin;
  myCell                      = std::max(theCellSize, std::sqrt(aWidth * aHeight / theMaxCells));
  myInverse                   = 1.0 / myCell;
  // Rounding up the counts may add a row and a column beyond the limit; the callers' limits
  // leave room for that.
  myNbX      = static_cast<Standard_Integer>(std::ceil(aWidth / myCell)) + 1;
  myNbY      = static_cast<Standard_Integer>(std::ceil(aHeight / myCell)) + 1;
  myPerTile  = std::max(1, theCellsPerTile);
  myNbTilesX = (myNbX + myPerTile - 1) / myPerTile;
  myNbTilesY = (myNbY + myPerTile - 1) / myPerTile;
}

void VexGeom_Grid::TileBox(const Standard_Integer theX0, const Standard_Integer theY0,
                           const Standard_Integer theX1, const Standard_Integer theY1,
                           gp_XY& theMin, gp_XY& theMax) const
{
  const Standard_Real aTile = myCell * myPerTile;
  theMin                    = myOrigin + gp_XY(theX0 * aTile, theY0 * aTile);
  theMax                    = myOrigin + gp_XY((theX1 + 1) * aTile, (theY1 + 1) * aTile);
}

Standard_Real VexGeom_Grid::CellSizeFor(const gp_XY& theMin, const gp_XY& theMax,
                                        const size_t theCount)
{
  const Standard_Real anArea =
      std::max(theMax.X() - theMin.X(), 1.0e-3) * std::max(theMax.Y() - theMin.Y(), 1.0e-3);
  const Standard_Real aSize =
      2.0 * std::sqrt(anArea / std::max<Standard_Real>(1.0, static_cast<Standard_Real>(theCount)));
  return std::min(std::max(aSize, 0.05), 50.0);
}
