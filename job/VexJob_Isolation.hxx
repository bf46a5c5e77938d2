// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Isolation_HeaderFile
#define _VexJob_Isolation_HeaderFile

#include <VexJob_Options.hxx>
#include <VexJob_Report.hxx>
#include <VexJob_Tiles.hxx>
#include <VexJob_Toolpath.hxx>

#include <clipper.hpp>

//! Isolation of one copper side: closed rings around the copper at the cutter's radius, and
//! further rings a step of width x (1 - overlap) apart, as many as the passes or the clearance
//! ask for. A clear area inside copper (a pad's hole, a gap in a pour) gets its rings inside it.
//! Each ring is fitted with arcs where it follows a circle (VexJob_ArcFit). Conventional milling
//! keeps the copper on the cutter's left: rings around copper run counter-clockwise, rings inside
//! clear areas clockwise; climb milling runs every ring the other way.
class VexJob_Isolation
{
public:
  //! Tolerance of the offsets' round corners (millimetres): their chords' depth.
  static Standard_Real ArcTolerance() { return 2.5e-4; }

  //! Returns the number of rings theOptions ask of a cutter of theWidth.
  static Standard_Integer NbRings(const Standard_Real theWidth, const VexJob_Options& theOptions);

  //! Returns the distances of the rings' paths from the copper, innermost first.
  static std::vector<double> Offsets(const Standard_Real   theWidth,
                                     const VexJob_Options& theOptions);

  //! Appends to theContours the rings around theCopper cut by theTool, worked on tile by tile;
  //! the places the cutter does not fit are problems of theReport (their x turned back about
  //! theMirrorX when isMirrored, so they are named where the design has them). Returns what the
  //! tiles made, rings and places included.
  static VexJob_Tiles::Result Isolate(const VexJob_Copper& theCopper, const VexJob_Tool& theTool,
                                      const VexJob_Options& theOptions, const std::string& theSide,
                                      const bool isMirrored, const Standard_Real theMirrorX,
                                      VexJob_Report&               theReport,
                                      std::vector<VexJob_Contour>& theContours);

  //! Appends to theContours the rings around theCopper (normalised polygons, integer units) cut
  //! by a tool of theWidth; returns the number of polygons the offsets made.
  static size_t Rings(const ClipperLib::Paths& theCopper, const Standard_Real theWidth,
                      const VexJob_Options& theOptions, std::vector<VexJob_Contour>& theContours);

  //! Reports, through theReport, every place where two separate copper islands of theCopper
  //! are closer than theWidth (the cutter cannot pass between them), as "VEX_JOB_NOT_ISOLABLE"
  //! with theSide, the place (millimetres), the gap, the tool's name and width. Returns the
  //! number of places.
  static int FindGaps(const ClipperLib::Paths& theCopper, const VexJob_Tool& theTool,
                      const std::string& theSide, VexJob_Report& theReport);

  //! Mirrors thePolygons about the vertical line at theX (millimetres), keeping the orientation
  //! of outlines and holes.
  static void Mirror(ClipperLib::Paths& thePolygons, const Standard_Real theX);
};

#endif
