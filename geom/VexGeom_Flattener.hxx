// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Flattener_HeaderFile
#define _VexGeom_Flattener_HeaderFile

#include <VexGeom_Budget.hxx>
#include <VexGeom_Contour.hxx>
#include <VexGeom_Units.hxx>

#include <PhGeom_Curve.hxx>

#include <vector>

//! Arcs and circles cut into chords within VexGeom_Units::THE_CHORD_TOLERANCE: contours of
//! segments and arcs into polygons of the polygon library, counted against a budget, and the
//! arcs of a model's curves into points in millimetres. A full circle gets between 8 and 2048
//! chords (beyond a radius of some 425 mm the chords stray further than the tolerance); an arc
//! gets its share of its circle's chords, at least one.
class VexGeom_Flattener
{
public:
  //! Creates a flattener whose segments are counted by theBudget.
  explicit VexGeom_Flattener(VexGeom_Budget& theBudget) : myBudget(theBudget) {}

  //! Returns the budget.
  VexGeom_Budget& Budget() const { return myBudget; }

  //! Returns the number of chords of a full circle of theRadius (millimetres).
  Standard_EXPORT static Standard_Integer CircleSegments(const double theRadius);

  //! Returns the number of chords of an arc of theRadius and theSweep (radians, either sign).
  Standard_EXPORT static Standard_Integer NbChords(const double theRadius, const double theSweep);

  //! Appends the chord ends of an arc from theStart around theCenter by theSweep (radians,
  //! counter-clockwise positive) after its start, up to its end, to thePath. Returns false when
  //! the budget refuses the segments.
  Standard_EXPORT Standard_Boolean AddArc(const gp_XY& theStart, const gp_XY& theCenter,
                                          const double theSweep, ClipperLib::Path& thePath);

  //! Appends a counter-clockwise polygon of the circle of theRadius around theCenter to
  //! thePaths (nothing when theRadius is not positive); false when the budget refuses it.
  Standard_EXPORT Standard_Boolean AddCircle(const gp_XY& theCenter, const double theRadius,
                                             ClipperLib::Paths& thePaths);

  //! Replaces thePath by the polygon of theContour (arcs flattened, the closing point left out);
  //! false when the budget refuses it.
  Standard_EXPORT Standard_Boolean ToPath(const VexGeom_Contour& theContour,
                                          ClipperLib::Path&      thePath);

  //! Appends the polygons of theContours to thePaths; false when the budget refuses them.
  Standard_EXPORT Standard_Boolean ToPaths(const NCollection_Vector<VexGeom_Contour>& theContours,
                                           ClipperLib::Paths&                         thePaths);

  //! Appends to thePoints the chord ends of theArc after its start point, scaled by theFactor
  //! (model unit to millimetres); the last point is the arc's end point.
  Standard_EXPORT static void AddArc(const PhGeom_Arc& theArc, const double theFactor,
                                     std::vector<gp_XY>& thePoints);

  //! Replaces thePoints by the outline of theContour in millimetres (theFactor from the model's
  //! unit): the first element's start, then every element's end, arcs cut into chords (points
  //! add nothing after the first).
  Standard_EXPORT static void Outline(const PhGeom_Curve& theContour, const double theFactor,
                                      std::vector<gp_XY>& thePoints);

private:
  VexGeom_Budget& myBudget; //!< counts the segments made
};

#endif
