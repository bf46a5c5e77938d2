// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_MacroShape_HeaderFile
#define _VexGerber_MacroShape_HeaderFile

#include <VexGerber_Aperture.hxx>
#include <VexGerber_Polygons.hxx>

//! The outline of a macro aperture: evaluates the macro with the aperture's values, turns every
//! primitive into polygons (circles flattened, rotation about the macro's origin) and composes
//! them in order: primitives with exposure on are added, those with exposure off take away what
//! the primitives before them made (nothing outside the macro).
class VexGerber_MacroShape
{
public:
  //! Creates the builder; flattening is counted by thePolygons.
  VexGerber_MacroShape(const VexGerber_Limits& theLimits, VexPcb_Fault& theFault,
                       VexGerber_Polygons& thePolygons)
      : myLimits(theLimits), myFault(theFault), myPolygons(thePolygons), myFactor(1.0), myCode(0)
  {
  }

  //! Appends the outline of a flash of theAperture at the origin to theContours.
  Standard_EXPORT Standard_Boolean Build(const VexGerber_Aperture&              theAperture,
                                         NCollection_Vector<VexGerber_Contour>& theContours);

private:
  //! Adds the polygons of thePrimitive to thePaths (oriented counter-clockwise) and tells its
  //! exposure.
  Standard_Boolean primitive(const VexGerber_Primitive& thePrimitive, ClipperLib::Paths& thePaths,
                             Standard_Boolean& isOn);

  //! Circle: exposure, diameter, centre x, centre y [, rotation].
  Standard_Boolean circle(const NCollection_Vector<Standard_Real>& theValues,
                          ClipperLib::Paths&                       thePaths);

  //! Vector line: exposure, width, start x, start y, end x, end y [, rotation].
  Standard_Boolean vectorLine(const NCollection_Vector<Standard_Real>& theValues,
                              ClipperLib::Paths&                       thePaths);

  //! Centre line (or, with isLowerLeft, the old lower-left line): exposure, width, height, x, y
  //! [, rotation].
  Standard_Boolean centerLine(const NCollection_Vector<Standard_Real>& theValues,
                              const Standard_Boolean isLowerLeft, ClipperLib::Paths& thePaths);

  //! Outline: exposure, n, n + 1 points [, rotation].
  Standard_Boolean outline(const NCollection_Vector<Standard_Real>& theValues,
                           ClipperLib::Paths&                       thePaths);

  //! Polygon: exposure, vertices, centre x, centre y, diameter [, rotation].
  Standard_Boolean polygon(const NCollection_Vector<Standard_Real>& theValues,
                           ClipperLib::Paths&                       thePaths);

  //! Moire: centre x, centre y, outer diameter, ring thickness, gap, rings, cross-hair
  //! thickness, cross-hair length [, rotation].
  Standard_Boolean moire(const NCollection_Vector<Standard_Real>& theValues,
                         ClipperLib::Paths&                       thePaths);

  //! Reads the ring count of a moire into theRings, cut to the rings that fit; false with a
  //! fault when the count is not a whole number of 0 or more, or too many rings fit.
  Standard_Boolean moireRings(const NCollection_Vector<Standard_Real>& theValues,
                              Standard_Real&                           theRings);

  //! Thermal: centre x, centre y, outer diameter, inner diameter, gap [, rotation].
  Standard_Boolean thermal(const NCollection_Vector<Standard_Real>& theValues,
                           ClipperLib::Paths&                       thePaths);

  //! Appends the rectangle of corners theCorners rotated by theDegrees about the origin.
  void quad(const gp_XY theCorners[4], const Standard_Real theDegrees,
            ClipperLib::Paths& thePaths) const;

  //! Rotates every point of thePaths from theFirst on by theDegrees about the origin.
  static void rotate(ClipperLib::Paths& thePaths, const size_t theFirst,
                     const Standard_Real theDegrees);

  //! Returns true when theValues has at least theCount values; else records the fault.
  Standard_Boolean need(const NCollection_Vector<Standard_Real>& theValues,
                        const Standard_Integer                   theCount);

  const VexGerber_Limits& myLimits;   //!< bounds
  VexPcb_Fault&           myFault;    //!< where faults go
  VexGerber_Polygons&     myPolygons; //!< flattening with its bound
  TCollection_AsciiString myName;     //!< macro name, for messages
  Standard_Real           myFactor;   //!< file unit in millimetres
  Standard_Integer        myCode;     //!< code of the primitive being drawn
};

#endif
