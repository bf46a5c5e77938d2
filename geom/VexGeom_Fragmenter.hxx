// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Fragmenter_HeaderFile
#define _VexGeom_Fragmenter_HeaderFile

#include <VexGeom_Grid.hxx>

#include <clipper.hpp>

#include <functional>

//! Cuts a large area (a copper pour, the board) into one fragment per tile of a grid, each the
//! part of the area within the tile grown by a margin. The area is halved again and again (each
//! half clipped from its parent's part), so every vertex is clipped a logarithmic number of times
//! instead of once per tile; halves that the area covers completely or not at all stop there.
class VexGeom_Fragmenter
{
public:
  //! Receives the fragment of one tile: its index, the part of the area in its window, and
  //! whether the area covers the window completely (the part is then the window itself).
  typedef std::function<void(Standard_Integer, ClipperLib::Paths&, Standard_Boolean)> Visitor;

  //! Creates a fragmenter over theGrid's tiles with windows grown by theMargin millimetres.
  VexGeom_Fragmenter(const VexGeom_Grid& theGrid, const Standard_Real theMargin)
      : myGrid(theGrid), myMargin(theMargin)
  {
  }

  //! Cuts thePolygons (a normalised area: outlines counter-clockwise, holes clockwise) and hands
  //! every tile it reaches to theVisit. Tiles it does not reach get nothing.
  void Split(const ClipperLib::Paths& thePolygons, const Visitor& theVisit) const;

private:
  //! Hands out the tiles from (theX0, theY0) to (theX1, theY1) of thePart, which is already
  //! clipped to a window around them.
  void split(ClipperLib::Paths& thePart, const Standard_Integer theX0, const Standard_Integer theY0,
             const Standard_Integer theX1, const Standard_Integer theY1,
             const Visitor& theVisit) const;

  //! Returns the window of the tiles from (theX0, theY0) to (theX1, theY1), grown by the margin.
  ClipperLib::Path window(const Standard_Integer theX0, const Standard_Integer theY0,
                          const Standard_Integer theX1, const Standard_Integer theY1) const;

  const VexGeom_Grid& myGrid;   //!< the tiles
  Standard_Real       myMargin; //!< how far windows reach beyond their tiles
};

#endif
