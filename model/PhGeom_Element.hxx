// Copyright (c) 2026 VexData developers
#ifndef _PhGeom_Element_HeaderFile
#define _PhGeom_Element_HeaderFile

#include <Standard_DefineAlloc.hxx>
#include <Standard_Integer.hxx>
#include <gp_XY.hxx>

#include <cstdint>

//! One element of a curve: an arc, a segment or a point. Elements live in the memory of the
//! model's allocator and are linked in a ring: the last element's successor is the first one.
//! They are plain data (no virtual functions) so that a large board stays compact: the kind code
//! lives in the low bits of the link to the successor, which an element's alignment leaves free,
//! so a point takes 24 bytes and a segment 40.
class PhGeom_Element
{
public:
  //! Element kinds, as stored in Kind().
  enum KindCode
  {
    Kind_Arc     = 1, //!< PhGeom_Arc
    Kind_Segment = 2, //!< PhGeom_Segment
    Kind_Point   = 3  //!< PhGeom_Point
  };

  //! Returns the kind code (1 arc, 2 segment, 3 point).
  Standard_Integer Kind() const { return static_cast<Standard_Integer>(myLink & THE_KIND_BITS); }

  //! Returns the start point (the point itself for a point element).
  const gp_XY& StartPoint() const { return myStart; }

  //! Returns the end point (the point itself for a point element).
  Standard_EXPORT const gp_XY& EndPoint() const;

  //! Returns the successor in the curve's ring.
  const PhGeom_Element* Next() const { return next(); }

protected:
  //! Creates an unlinked element.
  PhGeom_Element(const Standard_Integer theKind, const gp_XY& theStart)
      : myLink(static_cast<uintptr_t>(theKind) & THE_KIND_BITS), myStart(theStart)
  {
  }

  //! Returns the successor in the curve's ring.
  PhGeom_Element* next() const
  {
    return reinterpret_cast<PhGeom_Element*>(myLink & ~THE_KIND_BITS);
  }

  //! Links theNext as the successor, keeping the kind code.
  void setNext(PhGeom_Element* theNext)
  {
    myLink = reinterpret_cast<uintptr_t>(theNext) | (myLink & THE_KIND_BITS);
  }

  friend class PhGeom_Curve;

  //! Low bits of the link that hold the kind code (elements are aligned to at least 8 bytes).
  static constexpr uintptr_t THE_KIND_BITS = 3;

  uintptr_t myLink;  //!< successor in the ring, with the kind code in its low bits
  gp_XY     myStart; //!< start point

  static_assert(alignof(gp_XY) > THE_KIND_BITS, "an element's alignment must leave the kind bits");
};

//! A straight segment from StartPoint() to EndPoint().
class PhGeom_Segment : public PhGeom_Element
{
public:
  //! Creates an unlinked segment.
  PhGeom_Segment(const gp_XY& theStart, const gp_XY& theEnd)
      : PhGeom_Element(Kind_Segment, theStart), myEnd(theEnd)
  {
  }

  //! Returns the end point.
  const gp_XY& End() const { return myEnd; }

private:
  friend class PhGeom_Curve;
  friend class PhGeom_Element;
  gp_XY myEnd; //!< end point
};

//! A single point, as drilled by a point toolpath.
class PhGeom_Point : public PhGeom_Element
{
public:
  //! Creates an unlinked point.
  PhGeom_Point(const gp_XY& thePoint) : PhGeom_Element(Kind_Point, thePoint) {}

  //! Returns the point.
  const gp_XY& Point() const { return myStart; }
};

//! A circular arc around Center(). Angle(0) and Angle(1) are the start and end angles in
//! radians; a counter-clockwise arc (sense 1) has Angle(1) >= Angle(0), a clockwise one
//! (sense 0) Angle(1) <= Angle(0), and the sweep never exceeds one full turn. Start and end
//! points follow from centre, radius and angles.
class PhGeom_Arc : public PhGeom_Element
{
public:
  //! Creates an unlinked arc; the angles are normalised as described above.
  Standard_EXPORT PhGeom_Arc(const gp_XY& theCenter, const Standard_Real theRadius,
                             const Standard_Real theAngle1, const Standard_Real theAngle2,
                             const Standard_Integer theSense);

  //! Returns the centre.
  const gp_XY& Center() const { return myCenter; }

  //! Returns the radius.
  Standard_Real Radius() const { return myRadius; }

  //! Returns the start angle (theIndex 0) or the end angle (theIndex 1), in radians.
  Standard_Real Angle(const Standard_Integer theIndex) const
  {
    return myAngles[theIndex == 0 ? 0 : 1];
  }

  //! Returns the sense: 1 counter-clockwise, 0 clockwise.
  Standard_Integer Sense() const { return mySense; }

private:
  friend class PhGeom_Curve;
  friend class PhGeom_Element;

  //! Recomputes start and end points from centre, radius and angles.
  void updatePoints();

  gp_XY            myEnd;       //!< end point
  gp_XY            myCenter;    //!< centre
  Standard_Real    myRadius;    //!< radius
  Standard_Real    myAngles[2]; //!< start and end angles
  Standard_Integer mySense;     //!< 1 counter-clockwise, 0 clockwise
};

#endif
