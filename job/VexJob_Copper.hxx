// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Copper_HeaderFile
#define _VexJob_Copper_HeaderFile

#include <PenFormatData_Model.hxx>

#include <clipper.hpp>

//! The copper a design layer draws, as the design check reads a design (VexVerify_Features):
//! areas fill their contours, strokes and flashes are drawn with a round pen of their aperture's
//! width (a flash's hole left open), and sequences of clear polarity erase what came before them.
//! This is the one place the job asks for copper, so that a geometry library that draws every
//! aperture shape can take its place.
class VexJob_Copper
{
public:
  //! Replaces theCopper by the copper of theDesign (values usable), in integer units of
  //! VexVerify_Geometry: normalised polygons, outlines counter-clockwise, holes clockwise.
  static void Build(const PenFormatData_Model& theDesign, ClipperLib::Paths& theCopper);
};

#endif
