// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Grid_HeaderFile
#define _VexGeom_Grid_HeaderFile

#include <Standard_TypeDef.hxx>
#include <gp_XY.hxx>

#include <algorithm>
#include <cmath>

//! A uniform grid of square cells over a box, grouped into square tiles of several cells. Cells
//! file the features a query looks near; tiles are the pieces of the board that the polygon
//! work is cut into, so that no boolean operation ever sees more than one tile's worth of shapes.
//! Points outside the box count as in the nearest cell.
class VexGeom_Grid
{
public:
  //! Creates a grid of one cell.
  VexGeom_Grid();

  //! Lays cells of theCellSize (grown so that there are at most theMaxCells) over theMin-theMax,
  //! with tiles of theCellsPerTile by theCellsPerTile cells.
  void Init(const gp_XY& theMin, const gp_XY& theMax, const Standard_Real theCellSize,
            const Standard_Integer theCellsPerTile, const Standard_Real theMaxCells);

  //! Returns a cell size for theCount features spread over theMin-theMax: a few features per
  //! cell on average, between 50 um and 50 mm.
  static Standard_Real CellSizeFor(const gp_XY& theMin, const gp_XY& theMax, const size_t theCount);

  //! Returns the cell size.
  Standard_Real CellSize() const { return myCell; }

  //! Returns the number of cells.
  Standard_Integer NbCells() const { return myNbX * myNbY; }

  //! Returns the number of tiles along x and along y.
  Standard_Integer NbTilesX() const { return myNbTilesX; }

  //! Returns the number of tiles along y.
  Standard_Integer NbTilesY() const { return myNbTilesY; }

  //! Returns the number of tiles.
  Standard_Integer NbTiles() const { return myNbTilesX * myNbTilesY; }

  //! Returns the column of the cell holding theX.
  Standard_Integer Column(const Standard_Real theX) const
  {
    return clamp((theX - myOrigin.X()) * myInverse, myNbX);
  }

  //! Returns the row of the cell holding theY.
  Standard_Integer Row(const Standard_Real theY) const
  {
    return clamp((theY - myOrigin.Y()) * myInverse, myNbY);
  }

  //! Returns the index of the cell at theColumn and theRow.
  Standard_Integer Cell(const Standard_Integer theColumn, const Standard_Integer theRow) const
  {
    return theRow * myNbX + theColumn;
  }

  //! Returns the index of the tile holding thePoint.
  Standard_Integer Tile(const gp_XY& thePoint) const
  {
    return (Row(thePoint.Y()) / myPerTile) * myNbTilesX + Column(thePoint.X()) / myPerTile;
  }

  //! Returns the corners of the tiles from (theX0, theY0) to (theX1, theY1) (tile columns and
  //! rows, inclusive).
  void TileBox(const Standard_Integer theX0, const Standard_Integer theY0,
               const Standard_Integer theX1, const Standard_Integer theY1, gp_XY& theMin,
               gp_XY& theMax) const;

private:
  //! Returns the cell number theCells (a position in cells) falls in, within 0 to theCount - 1.
  static Standard_Integer clamp(const Standard_Real theCells, const Standard_Integer theCount)
  {
    return static_cast<Standard_Integer>(
        std::min(std::max(std::floor(theCells), 0.0), theCount - 1.0));
  }

  gp_XY            myOrigin;   //!< lower left corner
  Standard_Real    myCell;     //!< cell size
  Standard_Real    myInverse;  //!< cells per millimetre
  Standard_Integer myNbX;      //!< columns of cells
  Standard_Integer myNbY;      //!< rows of cells
  Standard_Integer myPerTile;  //!< cells per tile side
  Standard_Integer myNbTilesX; //!< columns of tiles
  Standard_Integer myNbTilesY; //!< rows of tiles
};

#endif
