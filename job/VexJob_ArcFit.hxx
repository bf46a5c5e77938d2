// Copyright (c) 2026 VexData developers
#ifndef _VexJob_ArcFit_HeaderFile
#define _VexJob_ArcFit_HeaderFile

#include <VexJob_Contour.hxx>

#include <clipper.hpp>

//! Turns a polygon of the polygon library (an offset of copper or of a board: straight edges and
//! runs of short chords along circles) back into segments and arcs. Runs of at least four
//! vertices that turn one way and lie, with their chords' middles, within Tolerance() of one
//! circle become one arc through the run's first and last vertex; everything else stays a
//! segment. A polygon that is a whole circle becomes one full-turn arc.
class VexJob_ArcFit
{
public:
  //! Largest distance from the vertices and chord middles of a run to its arc, millimetres.
  static Standard_Real Tolerance() { return 1.5e-3; }

  //! Largest radius written as an arc, millimetres (beyond it the run is straight enough).
  static Standard_Real MaxRadius() { return 1000.0; }

  //! Returns the closed contour of thePolygon (integer units of VexGeom_Units), running
  //! the way the polygon runs.
  static VexJob_Contour Fit(const ClipperLib::Path& thePolygon);

  //! Returns the open contour through thePoints (millimetres), arcs fitted the same way.
  static VexJob_Contour FitOpen(const std::vector<gp_XY>& thePoints);
};

#endif
