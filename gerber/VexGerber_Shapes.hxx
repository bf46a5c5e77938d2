// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Shapes_HeaderFile
#define _VexGerber_Shapes_HeaderFile

#include <VexGerber_Aperture.hxx>
#include <VexGerber_Polygons.hxx>

//! The outlines that apertures make: a flash of a standard aperture as exact segments and arcs
//! (circle, rectangle, obround, regular polygon, each with its round or rectangular hole), a flash
//! of a macro aperture as the polygons its primitives compose into, and the outline swept by a draw
//! or an arc with an aperture that is not a plain circle. Outlines run counter-clockwise, holes
//! clockwise; coordinates are in millimetres.
class VexGerber_Shapes
{
public:
  //! Creates the shape maker, bounded by theLimits, reporting to theFault.
  Standard_EXPORT VexGerber_Shapes(const VexGerber_Limits& theLimits, VexPcb_Fault& theFault);

  //! Appends the outline of a flash of theAperture at thePoint under theTransform to
  //! theContours. Returns false with a fault when a limit is reached or a macro cannot be drawn.
  Standard_EXPORT Standard_Boolean Flash(VexGerber_Aperture&                    theAperture,
                                         const VexGerber_ApertureTransform&     theTransform,
                                         const gp_XY&                           thePoint,
                                         NCollection_Vector<VexGerber_Contour>& theContours);

  //! Appends the outline swept by theAperture along thePath (one open contour of a segment or
  //! an arc) under theTransform to theContours. Holes of the aperture are filled by the move.
  Standard_EXPORT Standard_Boolean Sweep(VexGerber_Aperture&                    theAperture,
                                         const VexGerber_ApertureTransform&     theTransform,
                                         const VexGerber_Contour&               thePath,
                                         NCollection_Vector<VexGerber_Contour>& theContours);

private:
  //! Computes the outline of theAperture at the origin once.
  Standard_Boolean prepare(VexGerber_Aperture& theAperture);

  //! Appends the hole of theAperture whose sizes start at parameter theFirst (a diameter, or a
  //! width and a height) to the outline in theContours, if there is an outline.
  static void hole(const VexGerber_Aperture& theAperture, const Standard_Integer theFirst,
                   NCollection_Vector<VexGerber_Contour>& theContours);

  //! Appends a circle of theDiameter around the origin, clockwise for a hole.
  static void circle(const Standard_Real theDiameter, const Standard_Boolean isHole,
                     NCollection_Vector<VexGerber_Contour>& theContours);

  //! Appends a rectangle of theWidth by theHeight centred on the origin.
  static void rectangle(const Standard_Real theWidth, const Standard_Real theHeight,
                        NCollection_Vector<VexGerber_Contour>& theContours);

  //! Appends an obround of theWidth by theHeight centred on the origin.
  static void obround(const Standard_Real theWidth, const Standard_Real theHeight,
                      NCollection_Vector<VexGerber_Contour>& theContours);

  //! Appends a regular polygon of theDiameter with theVertices, first vertex at theDegrees.
  static void polygon(const Standard_Real theDiameter, const Standard_Integer theVertices,
                      const Standard_Real                    theDegrees,
                      NCollection_Vector<VexGerber_Contour>& theContours);

  const VexGerber_Limits& myLimits;   //!< bounds
  VexPcb_Fault&           myFault;    //!< where faults go
  VexGerber_Polygons      myPolygons; //!< flattening with its bound
};

#endif
