// Copyright (c) 2026 VexData developers
#include <VexFuzz_Toolpaths.hxx>

#include <VexFuzz_Harness.hxx>

#include <PenFormatData_Sequence.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
//! Relative tolerance of coordinates after a round trip through float32 values.
const double THE_RELATIVE_TOLERANCE = 1.0e-5;

//! Length under which the reader and the writer drop a segment.
const double THE_SEGMENT_THRESHOLD = 1.0e-7;

//! Sweep, in radians, from which an arc counts as a full turn.
const double THE_FULL_TURN = 2.0 * M_PI - 1.0e-6;

//! Returns theName byte for byte: names are kept exactly through a write and a read.
std::string toText(const TCollection_ExtendedString& theName)
{
  return VexFuzz_Harness::NameBytes(theName);
}

//! Returns the elements of theCurve in chain order.
VexFuzz_Toolpaths::Contour contourOf(const PhGeom_Curve& theCurve)
{
  VexFuzz_Toolpaths::Contour aContour;
  for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
  {
    const PhGeom_Element&      anElem = anIter.Value();
    VexFuzz_Toolpaths::Element aCopy  = {
         anElem.Kind(), anElem.StartPoint(), anElem.EndPoint(), gp_XY(), 0.0, 0.0};
    if (anElem.Kind() == PhGeom_Element::Kind_Arc)
    {
      const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElem);
      aCopy.Center            = anArc.Center();
      aCopy.Radius            = anArc.Radius();
      aCopy.Sweep             = anArc.Angle(1) - anArc.Angle(0);
    }
    aContour.push_back(aCopy);
  }
  return aContour;
}

//! True when theA and theB are equal, both not numbers, or within theTolerance.
bool isNear(const double theA, const double theB, const double theTolerance)
{
  if (std::isnan(theA) || std::isnan(theB))
  {
    return std::isnan(theA) && std::isnan(theB);
  }
  return theA == theB || std::fabs(theA - theB) <= theTolerance;
}

//! True when both coordinates are near.
bool isNear(const gp_XY& theA, const gp_XY& theB, const double theTolerance)
{
  return isNear(theA.X(), theB.X(), theTolerance) && isNear(theA.Y(), theB.Y(), theTolerance);
}

//! True when both coordinates of thePoint are finite.
bool isFinite(const gp_XY& thePoint)
{
  return std::isfinite(thePoint.X()) && std::isfinite(thePoint.Y());
}

//! Largest finite magnitude among the coordinates and radii of theContour, at least theFloor.
double magnitudeOf(const VexFuzz_Toolpaths::Contour& theContour, double theFloor)
{
  for (const VexFuzz_Toolpaths::Element& anElem : theContour)
  {
    const double aValues[7] = {anElem.Start.X(),  anElem.Start.Y(),  anElem.End.X(), anElem.End.Y(),
                               anElem.Center.X(), anElem.Center.Y(), anElem.Radius};
    for (const double aValue : aValues)
    {
      if (std::isfinite(aValue))
      {
        theFloor = std::max(theFloor, std::fabs(aValue));
      }
    }
  }
  return theFloor;
}

//! True for a segment short enough to fall on either side of the threshold after rounding.
bool isNegligible(const VexFuzz_Toolpaths::Element& theElem, const double theTolerance)
{
  return theElem.Kind == PhGeom_Element::Kind_Segment &&
         (theElem.End - theElem.Start).Modulus() <= THE_SEGMENT_THRESHOLD + theTolerance;
}

//! True when two arcs with the same ends, centre and radius also run the same way. An arc whose
//! chord is within rounding of zero may turn into a full turn or a near-full one and back.
bool isSameSweep(const VexFuzz_Toolpaths::Element& theA, const VexFuzz_Toolpaths::Element& theB,
                 const double theTolerance)
{
  if (std::isnan(theA.Sweep) || std::isnan(theB.Sweep) ||
      isNear(theA.Sweep, theB.Sweep, theTolerance / std::max(theA.Radius, 1.0e-300) + 1.0e-6))
  {
    return true;
  }
  const bool isShortChord = (theA.End - theA.Start).Modulus() <= theTolerance ||
                            (theB.End - theB.Start).Modulus() <= theTolerance;
  const bool isFullA = std::fabs(theA.Sweep) >= THE_FULL_TURN;
  const bool isFullB = std::fabs(theB.Sweep) >= THE_FULL_TURN;
  return isShortChord || (isFullA && isFullB);
}

//! True when theA and theB are the same element within theTolerance. With theIsStartFree, theA
//! is an arc whose path arrived within rounding of its centre: its first angle is then the
//! direction of a rounding error, so only centre, radius and end point are compared. With
//! isAfterNan, the element before theA ends at a point that is not a number, which the next read
//! continues from: an arc keeps only its centre and radius then, a segment its end.
bool isSameElement(const VexFuzz_Toolpaths::Element& theA, const VexFuzz_Toolpaths::Element& theB,
                   const double theTolerance, const bool theIsStartFree, const bool isAfterNan)
{
  if (theA.Kind != theB.Kind)
  {
    return false;
  }
  if (isAfterNan && theA.Kind == PhGeom_Element::Kind_Arc)
  {
    return isNear(theA.Center, theB.Center, theTolerance) &&
           isNear(theA.Radius, theB.Radius, theTolerance);
  }
  if (!isNear(theA.End, theB.End, theTolerance))
  {
    return false;
  }
  if (theA.Kind != PhGeom_Element::Kind_Arc)
  {
    return isAfterNan || isNear(theA.Start, theB.Start, theTolerance);
  }
  if (!isNear(theA.Center, theB.Center, theTolerance) ||
      !isNear(theA.Radius, theB.Radius, theTolerance))
  {
    return false;
  }
  return theIsStartFree ||
         (isNear(theA.Start, theB.Start, theTolerance) && isSameSweep(theA, theB, theTolerance));
}

//! True when theSecond is theFirst within tolerance, less negligible segments of theFirst.
bool isSameContour(const VexFuzz_Toolpaths::Contour& theFirst,
                   const VexFuzz_Toolpaths::Contour& theSecond)
{
  const double aTolerance =
      THE_RELATIVE_TOLERANCE * magnitudeOf(theSecond, magnitudeOf(theFirst, 1.0e-2));
  size_t                            aNext     = 0;
  const VexFuzz_Toolpaths::Element* aPrevious = NULL;
  for (const VexFuzz_Toolpaths::Element& anElem : theFirst)
  {
    // A segment from a point that is not a number has no length the reader can measure: it may
    // be dropped as too short.
    const bool isAfterNan  = aPrevious != NULL && !isFinite(aPrevious->End);
    const bool isStartFree = aPrevious != NULL && anElem.Kind == PhGeom_Element::Kind_Arc &&
                             isNear(aPrevious->End, anElem.Center, aTolerance);
    if (aNext < theSecond.size() &&
        isSameElement(anElem, theSecond[aNext], aTolerance, isStartFree, isAfterNan))
    {
      ++aNext;
    }
    else if (!isNegligible(anElem, aTolerance) &&
             !(isAfterNan && anElem.Kind == PhGeom_Element::Kind_Segment))
    {
      return false;
    }
    aPrevious = &anElem;
  }
  return aNext == theSecond.size();
}

//! True when every element of theContour is a negligible segment.
bool isNegligible(const VexFuzz_Toolpaths::Contour& theContour)
{
  const double aTolerance = THE_RELATIVE_TOLERANCE * magnitudeOf(theContour, 1.0e-2);
  for (const VexFuzz_Toolpaths::Element& anElem : theContour)
  {
    if (!isNegligible(anElem, aTolerance))
    {
      return false;
    }
  }
  return true;
}

//! True when theSecond holds the contours of theFirst, less negligible ones.
bool isSameGroup(const VexFuzz_Toolpaths::Group& theFirst,
                 const VexFuzz_Toolpaths::Group& theSecond)
{
  size_t aNext = 0;
  for (const VexFuzz_Toolpaths::Contour& aContour : theFirst.Contours)
  {
    if (aNext < theSecond.Contours.size() && isSameContour(aContour, theSecond.Contours[aNext]))
    {
      ++aNext;
    }
    else if (!isNegligible(aContour))
    {
      return false;
    }
  }
  return aNext == theSecond.Contours.size();
}

//! Returns the points of every contour of theGroup in order.
std::vector<gp_XY> pointsOf(const VexFuzz_Toolpaths::Group& theGroup)
{
  std::vector<gp_XY> aPoints;
  for (const VexFuzz_Toolpaths::Contour& aContour : theGroup.Contours)
  {
    for (const VexFuzz_Toolpaths::Element& anElem : aContour)
    {
      aPoints.push_back(anElem.Start);
    }
  }
  return aPoints;
}

//! True when both maps hold the same keys and bit-identical drill points (float values survive
//! a write and a read unchanged).
bool isSamePoints(const VexFuzz_Toolpaths::GroupMap& theA, const VexFuzz_Toolpaths::GroupMap& theB)
{
  if (theA.size() != theB.size())
  {
    return false;
  }
  for (const auto& anEntry : theA)
  {
    const auto aFound = theB.find(anEntry.first);
    if (aFound == theB.end())
    {
      return false;
    }
    const std::vector<gp_XY> aFirst = pointsOf(anEntry.second), aSecond = pointsOf(aFound->second);
    if (aFirst.size() != aSecond.size() ||
        (!aFirst.empty() &&
         std::memcmp(aFirst.data(), aSecond.data(), aFirst.size() * sizeof(gp_XY)) != 0))
    {
      return false;
    }
  }
  return true;
}

//! Prints theGroup to the error output, so that a finding shows what differed.
void print(const char* theTitle, const VexFuzz_Toolpaths::Group& theGroup)
{
  std::fprintf(stderr, "%s: %d toolpaths\n", theTitle, theGroup.NbToolpaths);
  for (const VexFuzz_Toolpaths::Contour& aContour : theGroup.Contours)
  {
    std::fprintf(stderr, " contour\n");
    for (const VexFuzz_Toolpaths::Element& anElem : aContour)
    {
      std::fprintf(stderr, "  %d (%.9g %.9g) (%.9g %.9g) c (%.9g %.9g) r %.9g sweep %.9g\n",
                   anElem.Kind, anElem.Start.X(), anElem.Start.Y(), anElem.End.X(), anElem.End.Y(),
                   anElem.Center.X(), anElem.Center.Y(), anElem.Radius, anElem.Sweep);
    }
  }
}

//! Requires theFirst and theSecond to be the same group; prints both before a finding.
void requireSameGroup(const VexFuzz_Toolpaths::Group& theFirst,
                      const VexFuzz_Toolpaths::Group& theSecond, const char* theWhat)
{
  if (!isSameGroup(theFirst, theSecond))
  {
    print("first", theFirst);
    print("second", theSecond);
    VexFuzz_Harness::Require(false, theWhat);
  }
}

//! True when both coordinates of thePoint are numbers (infinities are).
bool isNumber(const gp_XY& thePoint)
{
  return !std::isnan(thePoint.X()) && !std::isnan(thePoint.Y());
}

//! True when some contour of theGroup holds an arc that the writer writes, which every read
//! keeps: one whose arc-to record holds numbers only (end, centre and radius, and its start when
//! it opens the path).
bool hasArc(const VexFuzz_Toolpaths::Group& theGroup)
{
  for (const VexFuzz_Toolpaths::Contour& aContour : theGroup.Contours)
  {
    bool isOpen = false;
    for (const VexFuzz_Toolpaths::Element& anElem : aContour)
    {
      const bool isStarted = isOpen || isNumber(anElem.Start);
      if (anElem.Kind == PhGeom_Element::Kind_Arc && isStarted && isNumber(anElem.End) &&
          isNumber(anElem.Center) && !std::isnan(anElem.Radius))
      {
        return true;
      }
      isOpen = isOpen || (anElem.Kind == PhGeom_Element::Kind_Segment && isStarted);
    }
  }
  return false;
}
} // namespace

VexFuzz_Toolpaths::VexFuzz_Toolpaths(const PenFormatData_Model& theModel, const bool theByContainer)
{
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (!aSequence.IsNull() && aSequence->ToolpathFlag() != 0)
    {
      add(theModel, *aSequence, theByContainer);
    }
  }
}

void VexFuzz_Toolpaths::add(const PenFormatData_Model&    theModel,
                            const PenFormatData_Sequence& theSequence, const bool theByContainer)
{
  const Handle(PenFormatData_Aperture) aTool = theModel.Aperture(theSequence.ApertureNumber());
  VexFuzz_Harness::Require(!aTool.IsNull() && aTool->NbParams() == 1,
                           "a toolpath names a tool that is missing or has no width");
  const std::string aToolName = toText(aTool->Name());
  const std::string aKey      = toText(theSequence.PhaseName()) + (theByContainer ? "+" : "\x1f") +
                           toText(theSequence.LayerName()) + "\x1f" + aToolName;
  myTools[aToolName] = aTool->Param(1);
  Group& aGroup = (theSequence.ToolpathMode() == PenFormatData_TM_Path ? myPaths : myPoints)[aKey];
  ++aGroup.NbToolpaths;
  Group aToolpath;
  for (const Handle(PhGeom_Curve) & aChild : theSequence.GetCurve()->Children())
  {
    aGroup.Contours.push_back(contourOf(*aChild));
    aToolpath.Contours.push_back(aGroup.Contours.back());
  }
  // Drill points and arcs are always written; segments may all be too short to write.
  if (theSequence.ToolpathMode() != PenFormatData_TM_Path || hasArc(aToolpath))
  {
    myLasting.insert(aToolName);
  }
}

void VexFuzz_Toolpaths::RequireKept(const VexFuzz_Toolpaths& theBefore,
                                    const VexFuzz_Toolpaths& theAfter)
{
  for (const auto& aTool : theAfter.myTools)
  {
    const auto aBefore = theBefore.myTools.find(aTool.first);
    VexFuzz_Harness::Require(aBefore != theBefore.myTools.end() && aBefore->second == aTool.second,
                             "tool names or widths changed through a write and a read");
  }
  for (const std::string& aTool : theBefore.myLasting)
  {
    VexFuzz_Harness::Require(theAfter.myTools.count(aTool) == 1,
                             "a tool was lost through a write and a read");
  }
  VexFuzz_Harness::Require(isSamePoints(theBefore.myPoints, theAfter.myPoints),
                           "drill points changed through a write and a read");
  for (const auto& anEntry : theAfter.myPaths)
  {
    const auto aBefore = theBefore.myPaths.find(anEntry.first);
    VexFuzz_Harness::Require(aBefore != theBefore.myPaths.end() &&
                                 anEntry.second.NbToolpaths == 1 &&
                                 anEntry.second.Contours.size() <= aBefore->second.Contours.size(),
                             "a write and a read made up path toolpaths or contours");
  }
  for (const auto& anEntry : theBefore.myPaths)
  {
    VexFuzz_Harness::Require(!hasArc(anEntry.second) || theAfter.myPaths.count(anEntry.first) == 1,
                             "path toolpaths with arcs were lost through a write and a read");
  }
}

void VexFuzz_Toolpaths::RequireSameGeometry(const VexFuzz_Toolpaths& theFirst,
                                            const VexFuzz_Toolpaths& theSecond)
{
  VexFuzz_Harness::Require(theFirst.myTools == theSecond.myTools,
                           "tool names or widths changed through a second write and read");
  VexFuzz_Harness::Require(isSamePoints(theFirst.myPoints, theSecond.myPoints),
                           "drill points changed through a second write and read");
  for (const auto& anEntry : theSecond.myPaths)
  {
    VexFuzz_Harness::Require(theFirst.myPaths.count(anEntry.first) == 1,
                             "a second write and read made up a path toolpath");
  }
  for (const auto& anEntry : theFirst.myPaths)
  {
    const auto aSecond = theSecond.myPaths.find(anEntry.first);
    if (aSecond == theSecond.myPaths.end())
    {
      requireSameGroup(anEntry.second, Group(), "a second write and read lost a path toolpath");
      continue;
    }
    VexFuzz_Harness::Require(anEntry.second.NbToolpaths == aSecond->second.NbToolpaths,
                             "a second write and read changed the number of path toolpaths");
    requireSameGroup(anEntry.second, aSecond->second,
                     "a second write and read changed the geometry of path toolpaths");
  }
}
