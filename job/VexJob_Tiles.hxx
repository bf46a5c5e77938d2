// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Tiles_HeaderFile
#define _VexJob_Tiles_HeaderFile

#include <VexJob_Copper.hxx>
#include <VexJob_Gaps.hxx>

#include <VexGeom_Parallel.hxx>

#include <functional>

//! The isolation of a large board tile by tile, so that memory stays bounded: the copper of each
//! tile is built from the features reaching into the tile grown by a margin wider than the
//! outermost ring, its rings are cut to the tile (exact there, as no copper that could change
//! them was left out), and the pieces of all tiles are joined end to end into closed rings again
//! (the pieces two tiles cut from one ring meet at the same point of their common edge). A board
//! of one tile is worked on whole. Tiles are isolated on as many threads as the machine has
//! cores; the result does not depend on their number. The places the cutter does not fit are found
//! per tile and kept by the tile that holds them.
class VexJob_Tiles
{
public:
  //! Features per tile aimed at.
  static size_t FeaturesPerTile() { return 4000; }

  //! What the tiles made.
  struct Result
  {
    ClipperLib::Paths               Rings; //!< closed rings, integer units
    std::vector<ClipperLib::Path>   Open;  //!< chains that did not close (should be none)
    std::vector<VexJob_Gaps::Place> Gaps;  //!< places the cutter does not fit
    size_t                          NbTiles          = 0; //!< tiles worked on
    size_t                          NbCopperVertices = 0; //!< vertices of the copper built

    //! Returns the vertices of the rings: the chords they would be written as without arcs.
    size_t NbRingVertices() const
    {
      size_t aCount = 0;
      for (const ClipperLib::Path& aRing : Rings)
      {
        aCount += aRing.size();
      }
      return aCount;
    }
  };

  //! Makes the rings at theOffsets (millimetres, from the copper) around theCopper, and the
  //! places narrower than theWidth, in tiles of about thePerTile features (at least 8 mm wide),
  //! on theNbWorkers threads.
  static void Isolate(const VexJob_Copper& theCopper, const std::vector<double>& theOffsets,
                      const Standard_Real theWidth, Result& theResult,
                      const size_t thePerTile   = FeaturesPerTile(),
                      const size_t theNbWorkers = VexGeom_Parallel::NbWorkers());

  //! Appends to theRings the rings of theCopper (normalised polygons) at theOffsets.
  static void OffsetRings(const ClipperLib::Paths& theCopper, const std::vector<double>& theOffsets,
                          ClipperLib::Paths& theRings);
};

#endif
