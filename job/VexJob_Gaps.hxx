// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Gaps_HeaderFile
#define _VexJob_Gaps_HeaderFile

#include <gp_XY.hxx>

#include <clipper.hpp>

#include <vector>

//! The places where a cutter cannot pass between two separate copper islands: an island is an
//! outline of the copper with its holes (an island inside a hole of another is one of its own),
//! and two islands closer than the cutter's width end up inside one isolation ring. Edges are
//! filed in square cells (each in the cells its box, grown by half the width, covers), so only
//! edges sharing a cell are compared; each pair of islands gives one place, where they are
//! closest.
class VexJob_Gaps
{
public:
  //! A place the cutter does not fit.
  struct Place
  {
    gp_XY         Where; //!< middle of the narrowest gap, millimetres
    Standard_Real Gap;   //!< its width, millimetres
  };

  //! Sets thePlaces to the places of theCopper (normalised polygons, integer units) where
  //! islands are closer than theWidth (millimetres), ordered by y then x.
  static void Find(const ClipperLib::Paths& theCopper, const Standard_Real theWidth,
                   std::vector<Place>& thePlaces);

  //! Sets thePlaces as above for the copper theTree holds (outlines with their holes).
  static void Find(const ClipperLib::PolyTree& theTree, const Standard_Real theWidth,
                   std::vector<Place>& thePlaces);
};

#endif
