// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Geometry_HeaderFile
#define _VexVerify_Geometry_HeaderFile

#include <PhGeom_Element.hxx>

#include <clipper.hpp>

#include <vector>

//! The numbers and conversions every check shares. Checks work in millimetres; the polygon
//! library works on integers, one unit being THE_UNIT of a millimetre (10 nm), so a board of up
//! to ten metres keeps Clipper on its fast 64-bit path. Circles and arcs become chords that stay
//! within ChordTolerance() of the true curve (inscribed: the flattened shape lies inside the true
//! one by at most that much).
class VexVerify_Geometry
{
public:
  //! Integer units per millimetre.
  static Standard_Real Scale() { return 1.0e5; }

  //! Largest distance between an arc and its chords, in millimetres (1 um).
  static Standard_Real ChordTolerance() { return 1.0e-3; }

  //! Largest coordinate or width a check accepts, in millimetres (10 m).
  static Standard_Real Limit() { return 1.0e4; }

  //! Returns true when theValue is finite and within Limit() in magnitude.
  static Standard_Boolean IsUsable(const Standard_Real theValue);

  //! Returns true when both coordinates are usable.
  static Standard_Boolean IsUsable(const gp_XY& thePoint)
  {
    return IsUsable(thePoint.X()) && IsUsable(thePoint.Y());
  }

  //! Returns thePoint (millimetres) in integer units.
  static ClipperLib::IntPoint ToInt(const gp_XY& thePoint);

  //! Returns theLength (millimetres) in integer units, rounded.
  static ClipperLib::cInt ToInt(const Standard_Real theLength);

  //! Returns thePoint (integer units) in millimetres.
  static gp_XY ToXY(const ClipperLib::IntPoint& thePoint);

  //! Returns the length of the open polyline thePath, in millimetres.
  static Standard_Real Length(const ClipperLib::Path& thePath);

  //! Returns the number of chords that keep an arc of theRadius and theSweep (radians) within
  //! the chord tolerance (at least 1, at most a bound that keeps huge arcs affordable).
  static Standard_Integer NbChords(const Standard_Real theRadius, const Standard_Real theSweep);

  //! Appends to thePoints the chord ends of theArc after its start point, scaled by theFactor
  //! (model unit to millimetres). The last point is the arc's end.
  static void FlattenArc(const PhGeom_Arc& theArc, const Standard_Real theFactor,
                         std::vector<gp_XY>& thePoints);

  //! Appends to theResult the outline of every open path of thePaths drawn with a round pen of
  //! theRadius (millimetres): round ends and joins. A path of one point gives a disc. Nothing is
  //! added when theRadius is not positive. Outlines run counter-clockwise.
  static void Stroke(const ClipperLib::Paths& thePaths, const Standard_Real theRadius,
                     ClipperLib::Paths& theResult);

  //! Replaces thePolygons (normalised: outlines counter-clockwise, holes clockwise, as the
  //! polygon library's results are) by the same area grown by theDistance (millimetres) with
  //! round corners; a negative distance shrinks it.
  static void Grow(ClipperLib::Paths& thePolygons, const Standard_Real theDistance);

  //! Replaces thePolygons by the union of their non-zero-winding areas: outlines counter-
  //! clockwise, holes clockwise, no overlaps.
  static void Normalise(ClipperLib::Paths& thePolygons);

  //! Appends to theResult the parts of the open polylines theLines inside (isInside) or outside
  //! the non-zero-winding area of thePolygons. A polyline lying wholly on one horizontal line is
  //! clipped with x and y swapped: the polygon library loses such a line when it crosses no
  //! polygon edge.
  static void ClipLines(const ClipperLib::Paths& theLines, const ClipperLib::Paths& thePolygons,
                        const Standard_Boolean isInside, ClipperLib::Paths& theResult);

  //! Returns the closed rectangle from theMin to theMax (integer units), counter-clockwise.
  static ClipperLib::Path Rectangle(const ClipperLib::IntPoint& theMin,
                                    const ClipperLib::IntPoint& theMax);

  //! Returns the distance between the segments theA0-theA1 and theB0-theB1 (0 when they cross).
  static Standard_Real SegmentDistance(const gp_XY& theA0, const gp_XY& theA1, const gp_XY& theB0,
                                       const gp_XY& theB1);

  //! Returns the distance from thePoint to the segment theA0-theA1.
  static Standard_Real PointDistance(const gp_XY& thePoint, const gp_XY& theA0, const gp_XY& theA1);
};

#endif
