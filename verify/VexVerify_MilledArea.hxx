// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_MilledArea_HeaderFile
#define _VexVerify_MilledArea_HeaderFile

#include <VexVerify_JobPaths.hxx>

#include <VexGeom_Grid.hxx>

#include <clipper.hpp>

#include <cstdint>
#include <vector>

//! What the job's path toolpaths mill away, tile by tile: their centre lines cut into pieces no
//! longer than a cell and filed in every tile their stroke reaches, so that the milled area of a
//! tile is drawn from just the pieces there (each path with a round pen of its tool's width).
class VexVerify_MilledArea
{
public:
  //! Files the pieces of thePaths in the tiles of theGrid; both must outlive the area.
  VexVerify_MilledArea(const VexGeom_Grid& theGrid, const VexVerify_JobPaths& thePaths);

  //! Replaces theMilled by the strokes of the pieces filed in theTile (read by non-zero winding;
  //! they reach beyond the tile).
  void Tile(const Standard_Integer theTile, ClipperLib::Paths& theMilled) const;

  //! Replaces theMilled by the strokes of the pieces filed in the tiles that theMin-theMax
  //! (millimetres) reaches (read by non-zero winding).
  void Window(const gp_XY& theMin, const gp_XY& theMax, ClipperLib::Paths& theMilled) const;

  //! Returns the number of pieces filed.
  size_t NbPieces() const { return myPieces.size(); }

private:
  //! One piece of centre line.
  struct Piece
  {
    gp_XY            Start; //!< start
    gp_XY            End;   //!< end
    Standard_Integer Path;  //!< path toolpath
  };

  //! Replaces theMilled by the strokes of thePieces (indexes in path order).
  void stroke(const std::vector<uint32_t>& thePieces, ClipperLib::Paths& theMilled) const;

  //! Calls theVisit(tile) for every tile the stroke of thePiece reaches.
  template <class TheVisit> void tilesOf(const Piece& thePiece, const TheVisit& theVisit) const;

  const VexGeom_Grid&       myGrid;      //!< the tiles
  const VexVerify_JobPaths& myPaths;     //!< the paths and their tools
  std::vector<Piece>        myPieces;    //!< every piece, in path order
  std::vector<uint32_t>     myTileStart; //!< first entry of each tile in myTileItems
  std::vector<uint32_t>     myTileItems; //!< pieces by tile, in path order
};

#endif
