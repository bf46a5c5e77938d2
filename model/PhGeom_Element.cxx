// Copyright (c) 2026 VexData developers
#include <PhGeom_Element.hxx>

#include <cmath>

namespace
{
const Standard_Real THE_TWO_PI = 2.0 * M_PI;

//! Tolerance under which a requested sweep counts as a whole number of turns.
const Standard_Real THE_TURN_TOLERANCE = 1.0e-12;

//! Brings theSweep into [0, 2pi] for a counter-clockwise arc, keeping a requested full turn whole.
Standard_Real normaliseSweep(const Standard_Real theSweep)
{
  if (!std::isfinite(theSweep))
  {
    return theSweep;
  }
  if (theSweep >= 0.0 && theSweep <= THE_TWO_PI)
  {
    return theSweep;
  }
  const Standard_Real aWrapped = theSweep - THE_TWO_PI * std::floor(theSweep / THE_TWO_PI);
  if (aWrapped < THE_TURN_TOLERANCE || THE_TWO_PI - aWrapped < THE_TURN_TOLERANCE)
  {
    return THE_TWO_PI;
  }
  return aWrapped;
}
} // namespace

const gp_XY& PhGeom_Element::EndPoint() const
{
  switch (Kind())
  {
  case Kind_Segment:
    return static_cast<const PhGeom_Segment*>(this)->myEnd;
  case Kind_Arc:
    return static_cast<const PhGeom_Arc*>(this)->myEnd;
  default:
    return myStart;
  }
}

PhGeom_Arc::PhGeom_Arc(const gp_XY& theCenter, const Standard_Real theRadius,
                       const Standard_Real theAngle1, const Standard_Real theAngle2,
                       const Standard_Integer theSense)
    : PhGeom_Element(Kind_Arc, theCenter), myEnd(theCenter), myCenter(theCenter),
      myRadius(theRadius), mySense(theSense != 0 ? 1 : 0)
{
  // A clockwise arc is the mirror image of a counter-clockwise one: normalise the negated sweep.
  const Standard_Real aSweep =
      mySense == 1 ? normaliseSweep(theAngle2 - theAngle1) : -normaliseSweep(theAngle1 - theAngle2);
  myAngles[0] = theAngle1;
  myAngles[1] = theAngle1 + aSweep;
  updatePoints();
}

void PhGeom_Arc::updatePoints()
{
  myStart = myCenter + gp_XY(myRadius * std::cos(myAngles[0]), myRadius * std::sin(myAngles[0]));
  myEnd   = myCenter + gp_XY(myRadius * std::cos(myAngles[1]), myRadius * std::sin(myAngles[1]));
}
