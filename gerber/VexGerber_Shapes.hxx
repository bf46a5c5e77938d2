// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Shapes_HeaderFile
#define _VexGerber_Shapes_HeaderFile

#include <VexGerber_Aperture.hxx>
#include <VexPcb_Fault.hxx>
#include <VexGerber_Limits.hxx>

#include <VexGeom_Sweep.hxx>

//! The outlines that apertures of a Gerber file make, through the shared geometry: the shape of
//! an aperture (a standard one with its hole, or the polygons a macro composes into) made on
//! first use, a flash of it placed under the aperture transformation, and the area it sweeps
//! along a draw or an arc. The flattening and polygon work of the whole file is paid from one
//! budget made of the file's limits; a refusal becomes the file's fault on the current line.
class VexGerber_Shapes
{
public:
  //! Creates the shape maker of a file of theSize bytes, bounded by theLimits, reporting to
  //! theFault.
  Standard_EXPORT VexGerber_Shapes(const VexGerber_Limits& theLimits, VexPcb_Fault& theFault,
                                   const size_t theSize);

  //! Makes theContours the outline of a flash of theAperture at thePoint under theTransform
  //! (the contours it held are overwritten, their memory kept). Returns false with a fault when
  //! a limit is reached or a macro cannot be drawn.
  Standard_EXPORT Standard_Boolean Flash(VexGerber_Aperture&                theAperture,
                                         const VexGerber_ApertureTransform& theTransform,
                                         const gp_XY&                       thePoint,
                                         std::vector<VexGeom_Contour>&      theContours);

  //! Appends the outline swept by theAperture along thePath (one open contour of a segment or
  //! an arc) under theTransform to theContours. Holes of the aperture are filled by the move.
  Standard_EXPORT Standard_Boolean Sweep(VexGerber_Aperture&                  theAperture,
                                         const VexGerber_ApertureTransform&   theTransform,
                                         const VexGeom_Contour&               thePath,
                                         NCollection_Vector<VexGeom_Contour>& theContours);

private:
  //! Computes the shape of theAperture at the origin once.
  Standard_Boolean prepare(VexGerber_Aperture& theAperture);

  //! Records the budget's refusal as the file's fault; returns false.
  Standard_Boolean refused();

  const VexGerber_Limits& myLimits;    //!< bounds
  VexPcb_Fault&           myFault;     //!< where faults go
  VexGeom_Budget          myBudget;    //!< flattening and polygon work of the file
  VexGeom_Flattener       myFlattener; //!< flattening, paid from the budget
  VexGeom_Sweep           mySweep;     //!< sweeps, paid from the budget
};

#endif
