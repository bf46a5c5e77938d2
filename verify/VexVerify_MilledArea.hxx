// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_MilledArea_HeaderFile
#define _VexVerify_MilledArea_HeaderFile

#include <VexVerify_JobPaths.hxx>

#include <VexGeom_Grid.hxx>

#include <clipper.hpp>

#include <cstdint>
#include <vector>

//! What the job's path toolpaths mill away, tile by tile: the chords of their centre lines are
//! kept once, as the points of one polyline per contour, and each chord is filed in every tile
//! its stroke's box reaches, so that the milled area of a tile is drawn from just the chords
//! there (each path with a round pen of its tool's width). Memory holds a point per chord and an
//! entry per chord and tile.
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

private:
  //! One polyline: the chords of a contour.
  struct Line
  {
    uint32_t         First; //!< its first point in myPoints; its last is before the next line's
    Standard_Integer Path;  //!< path toolpath
  };

  //! Returns the path of the chord that starts at point thePoint.
  Standard_Integer pathOf(const uint32_t thePoint) const;

  //! Replaces theMilled by the strokes of theChords (their first points, ascending).
  void stroke(const std::vector<uint32_t>& theChords, ClipperLib::Paths& theMilled) const;

  //! Calls theVisit(tile) for every tile the stroke of theFrom-theTo with theRadius reaches.
  template <class TheVisit>
  void tilesOf(const gp_XY& theFrom, const gp_XY& theTo, const double theRadius,
               const TheVisit& theVisit) const;

  //! Calls theVisit(chord, tile) for every chord and every tile its stroke reaches.
  template <class TheVisit> void visitChords(const TheVisit& theVisit) const;

  const VexGeom_Grid&       myGrid;      //!< the tiles
  const VexVerify_JobPaths& myPaths;     //!< the paths and their tools
  std::vector<gp_XY>        myPoints;    //!< the points of every polyline, in path order
  std::vector<Line>         myLines;     //!< the polylines
  std::vector<uint32_t>     myTileStart; //!< first entry of each tile in myTileItems
  std::vector<uint32_t>     myTileItems; //!< chords (their first points) by tile, ascending
};

#endif
