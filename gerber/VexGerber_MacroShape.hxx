// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_MacroShape_HeaderFile
#define _VexGerber_MacroShape_HeaderFile

#include <VexGerber_Aperture.hxx>
#include <VexPcb_Fault.hxx>
#include <VexGerber_Limits.hxx>

#include <VexGeom_MacroOutline.hxx>

//! The shape of a macro aperture: evaluates the macro with the aperture's values, checks the
//! values every primitive needs, and hands the primitives in order to the shared geometry, which
//! composes them (see VexGeom_MacroOutline).
class VexGerber_MacroShape
{
public:
  //! Creates the builder; flattening and polygon work are paid by theFlattener's budget.
  VexGerber_MacroShape(const VexGerber_Limits& theLimits, VexPcb_Fault& theFault,
                       VexGeom_Flattener& theFlattener)
      : myLimits(theLimits), myFault(theFault), myFlattener(theFlattener), myCode(0)
  {
  }

  //! Makes theShape of a flash of theAperture at the origin. Returns false with the fault set
  //! when the macro cannot be drawn, or without a fault when the budget refused the work.
  Standard_EXPORT Standard_Boolean Build(const VexGerber_Aperture& theAperture,
                                         VexGeom_Shape&            theShape);

private:
  //! Hands thePrimitive to theOutline.
  Standard_Boolean primitive(const VexGerber_Primitive& thePrimitive,
                             VexGeom_MacroOutline&      theOutline);

  //! Circle: exposure, diameter, centre x, centre y [, rotation].
  Standard_Boolean circle(const NCollection_Vector<Standard_Real>& theValues,
                          VexGeom_MacroOutline&                    theOutline);

  //! Vector line: exposure, width, start x, start y, end x, end y [, rotation].
  Standard_Boolean vectorLine(const NCollection_Vector<Standard_Real>& theValues,
                              VexGeom_MacroOutline&                    theOutline);

  //! Centre line (or, with isLowerLeft, the old lower-left line): exposure, width, height, x, y
  //! [, rotation].
  Standard_Boolean centerLine(const NCollection_Vector<Standard_Real>& theValues,
                              const Standard_Boolean isLowerLeft, VexGeom_MacroOutline& theOutline);

  //! Outline: exposure, n, n + 1 points [, rotation].
  Standard_Boolean outline(const NCollection_Vector<Standard_Real>& theValues,
                           VexGeom_MacroOutline&                    theOutline);

  //! Polygon: exposure, vertices, centre x, centre y, diameter [, rotation].
  Standard_Boolean polygon(const NCollection_Vector<Standard_Real>& theValues,
                           VexGeom_MacroOutline&                    theOutline);

  //! Moire: centre x, centre y, outer diameter, ring thickness, gap, rings, cross-hair
  //! thickness, cross-hair length [, rotation].
  Standard_Boolean moire(const NCollection_Vector<Standard_Real>& theValues,
                         VexGeom_MacroOutline&                    theOutline);

  //! Reads the ring count of a moire into theRings, cut to the rings that fit; false with a
  //! fault when the count is not a whole number of 0 or more, or too many rings fit.
  Standard_Boolean moireRings(const NCollection_Vector<Standard_Real>& theValues,
                              Standard_Real&                           theRings);

  //! Thermal: centre x, centre y, outer diameter, inner diameter, gap [, rotation].
  Standard_Boolean thermal(const NCollection_Vector<Standard_Real>& theValues,
                           VexGeom_MacroOutline&                    theOutline);

  //! Returns true when theValues has at least theCount values; else records the fault.
  Standard_Boolean need(const NCollection_Vector<Standard_Real>& theValues,
                        const Standard_Integer                   theCount);

  const VexGerber_Limits& myLimits;    //!< bounds
  VexPcb_Fault&           myFault;     //!< where faults go
  VexGeom_Flattener&      myFlattener; //!< flattening with its budget
  TCollection_AsciiString myName;      //!< macro name, for messages
  Standard_Integer        myCode;      //!< code of the primitive being drawn
};

#endif
