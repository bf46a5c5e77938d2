// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_MacroOutline_HeaderFile
#define _VexGeom_MacroOutline_HeaderFile

#include <VexGeom_Flattener.hxx>

//! The outline of a macro aperture, composed of primitives in order: a primitive that adds
//! (exposure on) joins what came before, one that takes away (exposure off) removes its area
//! from what the primitives before it made. Every primitive may be turned about the macro's
//! origin. Values are in the macro's unit, which a factor turns into millimetres; circles are
//! flattened and every union and difference is paid for by the flattener's budget.
class VexGeom_MacroOutline
{
public:
  //! Creates an empty outline of values that theFactor turns into millimetres.
  Standard_EXPORT VexGeom_MacroOutline(VexGeom_Flattener& theFlattener, const double theFactor);

  //! Adds (isOn) or takes away a circle of theDiameter around theCenter, turned by theDegrees.
  Standard_EXPORT Standard_Boolean AddCircle(const Standard_Boolean isOn, const double theDiameter,
                                             const gp_XY& theCenter, const double theDegrees);

  //! Adds or takes away a line of theWidth from theStart to theEnd with square ends, turned by
  //! theDegrees; a line without length or width adds nothing.
  Standard_EXPORT Standard_Boolean AddLine(const Standard_Boolean isOn, const double theWidth,
                                           const gp_XY& theStart, const gp_XY& theEnd,
                                           const double theDegrees);

  //! Adds or takes away a rectangle of theWidth by theHeight whose lower left corner (isCorner)
  //! or centre is thePoint, turned by theDegrees.
  Standard_EXPORT Standard_Boolean AddRectangle(const Standard_Boolean isOn, const double theWidth,
                                                const double theHeight, const gp_XY& thePoint,
                                                const Standard_Boolean isCorner,
                                                const double           theDegrees);

  //! Adds or takes away the polygon of thePoints (a last point repeating the first is left out;
  //! either orientation), turned by theDegrees.
  Standard_EXPORT Standard_Boolean AddOutline(const Standard_Boolean           isOn,
                                              const NCollection_Vector<gp_XY>& thePoints,
                                              const double                     theDegrees);

  //! Adds or takes away the regular polygon of theVertices inscribed in a circle of theDiameter
  //! around theCenter, its first vertex at angle 0, turned by theDegrees.
  Standard_EXPORT Standard_Boolean AddPolygon(const Standard_Boolean isOn,
                                              const Standard_Integer theVertices,
                                              const gp_XY& theCenter, const double theDiameter,
                                              const double theDegrees);

  //! Adds a moire around theCenter: theRings rings of theThickness from theOuter diameter inwards,
  //! theGap apart, and a cross of bars theCrossThickness wide and theCrossLength long.
  Standard_EXPORT Standard_Boolean AddMoire(const gp_XY& theCenter, const double theOuter,
                                            const double theThickness, const double theGap,
                                            const Standard_Integer theRings,
                                            const double           theCrossThickness,
                                            const double theCrossLength, const double theDegrees);

  //! Adds a thermal around theCenter: the ring between theOuter and theInner diameters less a
  //! cross of bars theGap wide.
  Standard_EXPORT Standard_Boolean AddThermal(const gp_XY& theCenter, const double theOuter,
                                              const double theInner, const double theGap,
                                              const double theDegrees);

  //! Replaces thePaths by the outline composed so far (normalised polygons, integer units);
  //! false when the budget refuses the work.
  Standard_EXPORT Standard_Boolean Result(ClipperLib::Paths& thePaths);

private:
  //! Adds thePaths (isOn) to what is pending, or takes them away from all before.
  Standard_Boolean compose(const Standard_Boolean isOn, ClipperLib::Paths& thePaths);

  //! Appends the rectangle of corners theCorners (macro unit), counter-clockwise, to thePaths.
  void quad(const gp_XY theCorners[4], ClipperLib::Paths& thePaths) const;

  //! Appends the two bars of a cross around theCenter (macro unit), theHalfLength along and
  //! theHalfWidth across each axis, to thePaths.
  void cross(const gp_XY& theCenter, const double theHalfLength, const double theHalfWidth,
             ClipperLib::Paths& thePaths) const;

  //! Rotates every point of thePaths from theFirst on by theDegrees about the origin.
  static void rotate(ClipperLib::Paths& thePaths, const size_t theFirst, const double theDegrees);

  VexGeom_Flattener& myFlattener; //!< flattening and its budget
  ClipperLib::Paths  myResult;    //!< what the primitives before the pending ones made
  ClipperLib::Paths  myPending;   //!< primitives that add, not yet united
  double             myFactor;    //!< macro unit in millimetres
};

#endif
