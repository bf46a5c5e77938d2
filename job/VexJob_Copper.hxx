// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Copper_HeaderFile
#define _VexJob_Copper_HeaderFile

#include <VexGeom_DrawnArea.hxx>
#include <VexGeom_Grid.hxx>

#include <PenFormatData_Model.hxx>

#include <clipper.hpp>
#include <gp_XY.hxx>

#include <memory>

//! The copper a design layer draws, as the shared geometry draws a design (VexGeom_DrawnArea):
//! areas fill their contours, draws and flashes take their aperture's shape (with its hole), and
//! sequences of clear polarity erase what came before them. The features are filed in a grid, so
//! that the copper of a window is built from the features that reach into it alone: a large board
//! is worked on tile by tile. The copper may be turned over (the bottom side seen from the top).
class VexJob_Copper
{
public:
  //! Files the features of theDesign (values usable), which must outlive the copper.
  VexJob_Copper(const PenFormatData_Model& theDesign);

  //! Turns the copper over about the vertical line at theX.
  void Mirror(const Standard_Real theX)
  {
    isMirrored = true;
    myMirrorX  = theX;
  }

  //! Returns the number of features.
  size_t NbFeatures() const { return myArea ? static_cast<size_t>(myArea->NbFeatures()) : 0; }

  //! Returns the box of the copper (millimetres, turned over when mirrored); false when there is
  //! none.
  bool Bounds(gp_XY& theMin, gp_XY& theMax) const;

  //! Replaces theCopper by the copper within the window theMin-theMax (millimetres), in the
  //! geometry's integer units (VexGeom_Units): normalised polygons, outlines counter-clockwise,
  //! holes clockwise.
  void Build(const gp_XY& theMin, const gp_XY& theMax, ClipperLib::Paths& theCopper) const;

  //! Like Build() above, with the copper as a tree of outlines and their holes: its islands.
  void Build(const gp_XY& theMin, const gp_XY& theMax, ClipperLib::PolyTree& theCopper) const;

  //! Replaces theCopper by all the copper of theDesign (values usable).
  static void Build(const PenFormatData_Model& theDesign, ClipperLib::Paths& theCopper);

private:
  VexGeom_Grid                       myGrid;             //!< cells the features are filed in
  std::unique_ptr<VexGeom_DrawnArea> myArea;             //!< the features; null when none
  gp_XY                              myMin, myMax;       //!< box of the copper as drawn
  bool                               isMirrored = false; //!< turned over
  double                             myMirrorX  = 0.0;   //!< about this vertical line
};

#endif
