// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Polygons_HeaderFile
#define _VexGerber_Polygons_HeaderFile

#include <VexGerber_Contour.hxx>
#include <VexPcb_Fault.hxx>
#include <VexGerber_Limits.hxx>

#include <clipper.hpp>

//! The polygon side of the shapes: arcs and circles flattened into Clipper paths within a chord
//! tolerance (with a bound on the segments made, over the whole file), and Clipper results turned
//! back into contours. Clipper works on integers: one unit is one nanometre.
class VexGerber_Polygons
{
public:
  //! Clipper units per millimetre.
  static constexpr double THE_SCALE = 1.0e6;

  //! Largest distance between a flattened arc and its chords, in millimetres.
  static constexpr double THE_CHORD_TOLERANCE = 5.0e-4;

  //! Creates a flattener bounded by theLimits.FlattenedSegments, reporting to theFault.
  VexGerber_Polygons(const VexGerber_Limits& theLimits, VexPcb_Fault& theFault)
      : myLimits(theLimits), myFault(theFault), mySegments(0)
  {
  }

  //! Returns the Clipper point of thePoint (millimetres).
  static ClipperLib::IntPoint ToPoint(const gp_XY& thePoint)
  {
    return ClipperLib::IntPoint(
        static_cast<ClipperLib::cInt>(std::llround(thePoint.X() * THE_SCALE)),
        static_cast<ClipperLib::cInt>(std::llround(thePoint.Y() * THE_SCALE)));
  }

  //! Returns the point in millimetres of a Clipper point.
  static gp_XY ToXY(const ClipperLib::IntPoint& thePoint)
  {
    return gp_XY(static_cast<double>(thePoint.X) / THE_SCALE,
                 static_cast<double>(thePoint.Y) / THE_SCALE);
  }

  //! Returns the number of chords for a full circle of theRadius.
  static Standard_Integer CircleSegments(const Standard_Real theRadius);

  //! Appends the points of an arc after its start, up to and including its end, to thePath.
  //! theSweep is signed (counter-clockwise positive). Returns false when the bound is reached.
  Standard_Boolean AddArcPoints(const gp_XY& theStart, const gp_XY& theCenter,
                                const Standard_Real theSweep, ClipperLib::Path& thePath);

  //! Returns thePath made of theContour (its arcs flattened); false when the bound is reached.
  Standard_Boolean ToPath(const VexGerber_Contour& theContour, ClipperLib::Path& thePath);

  //! Appends a counter-clockwise circle polygon; false when the bound is reached.
  Standard_Boolean AddCircle(const gp_XY& theCenter, const Standard_Real theRadius,
                             ClipperLib::Paths& thePaths);

  //! Appends closed contours made of thePaths (orientation kept) to theContours.
  static void ToContours(const ClipperLib::Paths&               thePaths,
                         NCollection_Vector<VexGerber_Contour>& theContours);

private:
  //! Counts theCount more segments; false with the fault when the bound is passed.
  Standard_Boolean spend(const Standard_Integer theCount);

  const VexGerber_Limits& myLimits;   //!< bounds
  VexPcb_Fault&           myFault;    //!< where faults go
  Standard_Integer        mySegments; //!< segments made so far
};

#endif
