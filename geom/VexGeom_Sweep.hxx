// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Sweep_HeaderFile
#define _VexGeom_Sweep_HeaderFile

#include <VexGeom_Flattener.hxx>
#include <VexGeom_Shape.hxx>

//! The area an aperture shape covers while it moves along a segment or an arc (a draw or an arc
//! of a design file). Holes of the shape do not survive the move: only its outlines are swept.
//! - A circle sweeps the stroke of a round pen, made exactly of segments and arcs: two sides and
//!   two half circles along a segment, two arcs about the arc's centre and two half circles
//!   along an arc (a ring along a full circle). Only where the ends meet or the pen reaches the
//!   arc's centre are flattened pieces united.
//! - Any other shape sweeps the sum of its polygon with the polygon of the path (the polygon
//!   library's Minkowski sum) together with a copy of the shape at every corner of the path, so
//!   that a move shorter than the shape leaves no gap. Along an arc this is done chord by chord
//!   and the pieces are united pairwise, neighbours first, so that no union sees more than two
//!   pieces' worth of edges.
//! The work is estimated before anything is done and paid for by the flattener's budget; a sweep
//! the budget cannot pay for is refused and adds nothing.
class VexGeom_Sweep
{
public:
  //! Creates a sweeper that flattens and pays with theFlattener.
  explicit VexGeom_Sweep(VexGeom_Flattener& theFlattener) : myFlattener(theFlattener) {}

  //! Appends to theResult the area theShape, mapped by theMatrix about its centre (rotation,
  //! uniform scale, mirror), covers along thePath: an open contour of one segment or one arc
  //! (the path's start is where the shape's centre starts). Returns false when the budget
  //! refuses the work.
  Standard_EXPORT Standard_Boolean Along(const VexGeom_Shape& theShape, const gp_Mat2d& theMatrix,
                                         const VexGeom_Contour&               thePath,
                                         NCollection_Vector<VexGeom_Contour>& theResult);

  //! Returns the path of theElement, a segment or an arc of a model's curve whose unit theFactor
  //! turns into millimetres: an open contour of one edge.
  Standard_EXPORT static VexGeom_Contour PathOf(const PhGeom_Element& theElement,
                                                const double          theFactor);

  //! Appends to theResult the area a round pen of theRadius covers along thePath (one segment or
  //! one arc); false when the budget refuses the work.
  Standard_EXPORT Standard_Boolean Round(const double theRadius, const VexGeom_Contour& thePath,
                                         NCollection_Vector<VexGeom_Contour>& theResult);

private:
  //! The round pen along a segment from theStart to theEnd.
  static void roundSegment(const double theRadius, const gp_XY& theStart, const gp_XY& theEnd,
                           NCollection_Vector<VexGeom_Contour>& theResult);

  //! The round pen along the arc of thePath.
  Standard_Boolean roundArc(const double theRadius, const VexGeom_Contour& thePath,
                            NCollection_Vector<VexGeom_Contour>& theResult);

  //! The round pen along an arc from theStart to theEnd around theCenter by theSweep (0 to 2 pi,
  //! counter-clockwise) where the ends meet or the pen reaches the centre: flattened pieces
  //! united.
  Standard_Boolean roundArcPieces(const double theRadius, const gp_XY& theStart,
                                  const gp_XY& theEnd, const gp_XY& theCenter,
                                  const double                         theSweep,
                                  NCollection_Vector<VexGeom_Contour>& theResult);

  //! Appends to theSum the sum of thePattern (counter-clockwise) along thePath (closed when
  //! isClosed) with the copies at its corners, chord by chord for a path of several edges.
  void sum(const ClipperLib::Path& thePattern, const ClipperLib::Path& thePath, const bool isClosed,
           ClipperLib::Paths& theSum) const;

  //! Returns the estimated work of sum() of thePattern along thePath.
  static double sumCost(const ClipperLib::Path& thePattern, const ClipperLib::Path& thePath,
                        const bool isClosed);

  VexGeom_Flattener& myFlattener; //!< flattening and its budget
};

#endif
