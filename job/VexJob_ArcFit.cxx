// Copyright (c) 2026 VexData developers
#include <VexJob_ArcFit.hxx>

#include <VexGeom_Units.hxx>

#include <algorithm>
#include <cmath>

namespace
{
//! Fewest vertices a run needs to become an arc.
const size_t THE_MIN_RUN = 4;

//! How much deeper than the tolerance a chord may lie inside its arc.
const double THE_INSIDE = 3.0;

//! Largest distance of a vertex from the line of its two segments for them to be joined
//! (millimetres): the rounding of a point cut on a straight edge.
const double THE_IN_LINE = 5.0e-5;

//! Runs up to this many vertices are tried on even when a shorter one did not fit.
const size_t THE_SHORT_RUN = 10;

//! Longest run tried at once (a longer circle is written as several arcs).
const size_t THE_MAX_RUN = 4096;

//! Sets theCenter and theRadius to the circle through the three points; false when they are
//! (nearly) in line.
bool circleThrough(const gp_XY& theA, const gp_XY& theB, const gp_XY& theC, gp_XY& theCenter,
                   double& theRadius)
{
  const gp_XY  anAB = theB - theA, anAC = theC - theA;
  const double aDet = 2.0 * anAB.Crossed(anAC);
  if (std::abs(aDet) < 1.0e-14)
  {
    return false;
  }
  const double anAB2 = anAB.SquareModulus(), anAC2 = anAC.SquareModulus();
  const gp_XY  anOffset((anAC.Y() * anAB2 - anAB.Y() * anAC2) / aDet,
                        (anAB.X() * anAC2 - anAC.X() * anAB2) / aDet);
  theCenter = theA + anOffset;
  theRadius = anOffset.Modulus();
  return theRadius <= VexJob_ArcFit::MaxRadius();
}

//! The vertices runs are taken from; indices past the last wrap around (a closed ring).
class Run
{
public:
  Run(const std::vector<gp_XY>& thePoints) : myPoints(thePoints) {}

  //! Returns point theIndex (taken modulo the size on a ring).
  const gp_XY& At(const size_t theIndex) const { return myPoints[theIndex % myPoints.size()]; }

  //! Returns true when points theFirst..theLast (theLast > theFirst) lie on one circle turning
  //! one way; sets the circle and the sense.
  bool Fits(const size_t theFirst, const size_t theLast, gp_XY& theCenter, double& theRadius,
            bool& isCcw) const
  {
    // Three vertices a third of the run apart: a run round a whole circle ends where it starts.
    const size_t aThird = (theLast - theFirst) / 3;
    if (!circleThrough(At(theFirst), At(theFirst + aThird), At(theLast - aThird), theCenter,
                       theRadius))
    {
      return false;
    }
    const double aTolerance = VexJob_ArcFit::Tolerance();
    double       aTurn      = 0.0;
    for (size_t anIndex = theFirst; anIndex < theLast; ++anIndex)
    {
      const gp_XY& aP     = At(anIndex);
      const gp_XY& aQ     = At(anIndex + 1);
      const double aCross = (aP - theCenter).Crossed(aQ - theCenter);
      if (aCross * aTurn < 0.0 || (aQ - aP).Modulus() > theRadius)
      {
        return false;
      }
      aTurn = aTurn == 0.0 ? aCross : aTurn;
      // A chord may lie inside its arc by a little more: the copper was flattened inscribed.
      const double aMiddle = (0.5 * (aP + aQ) - theCenter).Modulus() - theRadius;
      if (std::abs((aQ - theCenter).Modulus() - theRadius) > aTolerance || aMiddle > aTolerance ||
          aMiddle < -THE_INSIDE * aTolerance)
      {
        return false;
      }
    }
    isCcw = aTurn > 0.0;
    return true;
  }

  //! Returns the last index of the longest arc run from theFirst (at most theEnd), or theFirst
  //! when no run of THE_MIN_RUN vertices fits; sets the circle.
  size_t Longest(const size_t theFirst, const size_t theEnd, gp_XY& theCenter, double& theRadius,
                 bool& isCcw) const
  {
    const size_t aLimit = std::min(theEnd, theFirst + THE_MAX_RUN);
    size_t       aBest  = theFirst;
    auto         tryRun = [&](const size_t theLast)
    {
      gp_XY  aCenter;
      double aRadius   = 0.0;
      bool   isThisCcw = true;
      if (!Fits(theFirst, theLast, aCenter, aRadius, isThisCcw))
      {
        return false;
      }
      aBest     = theLast;
      theCenter = aCenter;
      theRadius = aRadius;
      isCcw     = isThisCcw;
      return true;
    };
    // A short run's circle is ill-conditioned (its vertices are a few micrometres apart): every
    // short length is tried, a longer one may fit where a shorter did not.
    const size_t aShort = std::min(aLimit, theFirst + THE_SHORT_RUN);
    for (size_t aLast = theFirst + THE_MIN_RUN - 1; aLast <= aShort; ++aLast)
    {
      tryRun(aLast);
    }
    if (aBest < aShort)
    {
      return aBest;
    }
    // Longer runs: doubled while they fit, then the longest found between the last that fits
    // and the first that does not.
    size_t aFailed = aLimit + 1;
    while (aBest < aLimit)
    {
      const size_t aNext = std::min(aLimit, theFirst + 2 * (aBest - theFirst));
      if (!tryRun(aNext))
      {
        aFailed = aNext;
        break;
      }
    }
    while (aFailed <= aLimit && aFailed - aBest > 1)
    {
      const size_t aMiddle = aBest + (aFailed - aBest) / 2;
      if (!tryRun(aMiddle))
      {
        aFailed = aMiddle;
      }
    }
    return aBest;
  }

private:
  const std::vector<gp_XY>& myPoints; //!< vertices
};

//! Returns the arc around theCenter from theStart to theEnd (the same point: a full turn).
VexJob_Element arcElement(const gp_XY& theCenter, const double theRadius, const gp_XY& theStart,
                          const gp_XY& theEnd, const bool isCcw)
{
  const double anAngle0 = std::atan2(theStart.Y() - theCenter.Y(), theStart.X() - theCenter.X());
  double       anAngle1 = std::atan2(theEnd.Y() - theCenter.Y(), theEnd.X() - theCenter.X());
  const double aTurn    = 2.0 * M_PI;
  if (theStart.IsEqual(theEnd, 0.0))
  {
    anAngle1 = anAngle0 + (isCcw ? aTurn : -aTurn);
  }
  while (isCcw && anAngle1 <= anAngle0)
  {
    anAngle1 += aTurn;
  }
  while (!isCcw && anAngle1 >= anAngle0)
  {
    anAngle1 -= aTurn;
  }
  VexJob_Element anArc = VexJob_Element::Arc(theCenter, theRadius, anAngle0, anAngle1);
  anArc.Start          = theStart;
  anArc.End            = theEnd;
  return anArc;
}

//! Returns true when theFirst and theSecond are arcs of one circle turning one way, together at
//! most a full turn.
bool sameCircle(const VexJob_Element& theFirst, const VexJob_Element& theSecond)
{
  const double aTolerance = VexJob_ArcFit::Tolerance();
  return theFirst.IsArc && theSecond.IsArc && theFirst.IsCcw == theSecond.IsCcw &&
         theFirst.Center.IsEqual(theSecond.Center, aTolerance) &&
         std::abs(theFirst.Radius - theSecond.Radius) <= aTolerance &&
         std::abs(theFirst.Angle1 - theFirst.Angle0) +
                 std::abs(theSecond.Angle1 - theSecond.Angle0) <=
             2.0 * M_PI + 1.0e-9;
}

//! Appends the segment theStart-theEnd to theContour, or lengthens its last segment when that
//! one runs on in line (a vertex left on a straight edge, where a tile's edge cut it).
void appendSegment(const gp_XY& theStart, const gp_XY& theEnd, VexJob_Contour& theContour)
{
  std::vector<VexJob_Element>& anElements = theContour.ChangeElements();
  if (!anElements.empty() && !anElements.back().IsArc)
  {
    const gp_XY  aFrom   = anElements.back().Start;
    const gp_XY  aSpan   = theEnd - aFrom;
    const double aLength = aSpan.Modulus();
    if (aLength > 0.0 && std::abs(aSpan.Crossed(theStart - aFrom)) / aLength < THE_IN_LINE &&
        aSpan.Dot(theStart - aFrom) > 0.0)
    {
      anElements.back().End = theEnd;
      return;
    }
  }
  theContour.Append(VexJob_Element::Segment(theStart, theEnd));
}

//! Appends to theContour the elements of thePoints from index 0 to theEnd.
void fitRun(const Run& theRun, const size_t theEnd, VexJob_Contour& theContour)
{
  for (size_t aFirst = 0; aFirst < theEnd;)
  {
    gp_XY        aCenter;
    double       aRadius = 0.0;
    bool         isCcw   = true;
    const size_t aLast   = theRun.Longest(aFirst, theEnd, aCenter, aRadius, isCcw);
    if (aLast == aFirst)
    {
      appendSegment(theRun.At(aFirst), theRun.At(aFirst + 1), theContour);
      ++aFirst;
      continue;
    }
    const VexJob_Element anArc =
        arcElement(aCenter, aRadius, theRun.At(aFirst), theRun.At(aLast), isCcw);
    std::vector<VexJob_Element>& anElements = theContour.ChangeElements();
    if (!anElements.empty() && sameCircle(anElements.back(), anArc))
    {
      // One arc cut in two where a tile's edge crossed it.
      anElements.back() =
          arcElement(anArc.Center, anArc.Radius, anElements.back().Start, anArc.End, anArc.IsCcw);
    }
    else
    {
      theContour.Append(anArc);
    }
    aFirst = aLast;
  }
}

//! Joins the last element of closed theContour into its first when both are arcs of one circle.
void joinEnds(VexJob_Contour& theContour)
{
  std::vector<VexJob_Element>& anElements = theContour.ChangeElements();
  if (anElements.size() < 2)
  {
    return;
  }
  const VexJob_Element& aLast  = anElements.back();
  const VexJob_Element& aFirst = anElements.front();
  if (!sameCircle(aLast, aFirst))
  {
    return;
  }
  const VexJob_Element aJoined =
      arcElement(aFirst.Center, aFirst.Radius, aLast.Start, aFirst.End, aFirst.IsCcw);
  anElements.front() = aJoined;
  anElements.pop_back();
}
} // namespace

VexJob_Contour VexJob_ArcFit::Fit(const ClipperLib::Path& thePolygon)
{
  std::vector<gp_XY> aPoints;
  aPoints.reserve(thePolygon.size());
  for (const ClipperLib::IntPoint& aPoint : thePolygon)
  {
    aPoints.push_back(VexGeom_Units::ToXY(aPoint));
  }
  VexJob_Contour aContour;
  aContour.SetClosed(true);
  if (aPoints.size() < 2)
  {
    return aContour;
  }
  // Start at the longest edge: an arc run then never straddles the start, unless the polygon
  // is one circle.
  size_t aLongest = 0;
  for (size_t anIndex = 1; anIndex < aPoints.size(); ++anIndex)
  {
    const size_t aNext = (anIndex + 1) % aPoints.size();
    const size_t aBest = (aLongest + 1) % aPoints.size();
    if ((aPoints[aNext] - aPoints[anIndex]).SquareModulus() >
        (aPoints[aBest] - aPoints[aLongest]).SquareModulus())
    {
      aLongest = anIndex;
    }
  }
  std::rotate(aPoints.begin(), aPoints.begin() + static_cast<long>(aLongest), aPoints.end());
  fitRun(Run(aPoints), aPoints.size(), aContour);
  joinEnds(aContour);
  return aContour;
}

VexJob_Contour VexJob_ArcFit::FitOpen(const std::vector<gp_XY>& thePoints)
{
  VexJob_Contour aContour;
  if (thePoints.size() >= 2)
  {
    fitRun(Run(thePoints), thePoints.size() - 1, aContour);
  }
  return aContour;
}
