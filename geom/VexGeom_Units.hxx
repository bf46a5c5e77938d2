// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Units_HeaderFile
#define _VexGeom_Units_HeaderFile

#include <gp_XY.hxx>

#include <clipper.hpp>

#include <cmath>

//! The numbers all geometry of the project shares. Lengths are millimetres; the polygon library
//! works on integers, one unit being a nanometre (THE_SCALE units per millimetre), so that a
//! coordinate of a kilometre still fits its 64-bit range with room for its products. Circles
//! and arcs become chords that stay within THE_CHORD_TOLERANCE of the true curve (inscribed:
//! the chords lie inside the curve by at most that much).
class VexGeom_Units
{
public:
  //! Integer units per millimetre.
  static constexpr double THE_SCALE = 1.0e6;

  //! Largest distance between a flattened arc and its chords, in millimetres (0.5 um).
  static constexpr double THE_CHORD_TOLERANCE = 5.0e-4;

  //! Largest coordinate or size the geometry accepts, in millimetres (a kilometre): far beyond
  //! any board, and far within what the integer arithmetic holds.
  static constexpr double THE_MAX_LENGTH = 1.0e6;

  //! Returns true when theValue is a number within THE_MAX_LENGTH in magnitude.
  static bool IsUsable(const double theValue)
  {
    return theValue <= THE_MAX_LENGTH && theValue >= -THE_MAX_LENGTH;
  }

  //! Returns true when both coordinates of thePoint are usable.
  static bool IsUsable(const gp_XY& thePoint)
  {
    return IsUsable(thePoint.X()) && IsUsable(thePoint.Y());
  }

  //! Returns thePoint (millimetres) in integer units.
  static ClipperLib::IntPoint ToPoint(const gp_XY& thePoint)
  {
    return ClipperLib::IntPoint(
        static_cast<ClipperLib::cInt>(std::llround(thePoint.X() * THE_SCALE)),
        static_cast<ClipperLib::cInt>(std::llround(thePoint.Y() * THE_SCALE)));
  }

  //! Returns theLength (millimetres) in integer units, rounded.
  static ClipperLib::cInt ToInt(const double theLength)
  {
    return static_cast<ClipperLib::cInt>(std::llround(theLength * THE_SCALE));
  }

  //! Returns thePoint (integer units) in millimetres.
  static gp_XY ToXY(const ClipperLib::IntPoint& thePoint)
  {
    return gp_XY(static_cast<double>(thePoint.X) / THE_SCALE,
                 static_cast<double>(thePoint.Y) / THE_SCALE);
  }

  //! Returns theLength (integer units) in millimetres.
  static double ToLength(const ClipperLib::cInt theLength)
  {
    return static_cast<double>(theLength) / THE_SCALE;
  }
};

#endif
