// Copyright (c) 2026 VexData developers
#include <VexVerify_DrillCheck.hxx>

#include <VexVerify_PointGrid.hxx>

#include <VexGeom_Drawing.hxx>

#include <NCollection_DataMap.hxx>

#include <algorithm>
#include <map>
#include <exception>
#include <cmath>
#include <tuple>
#include <vector>

namespace
{
typedef VexVerify_Report::Tool    Tool;
typedef VexVerify_Report::Finding Finding;

//! A hole of the design or a hit of the job.
struct Drill
{
  gp_XY            At;       //!< position
  Standard_Real    Diameter; //!< its tool's diameter
  Standard_Integer Tool;     //!< index in the check's tools
  Standard_Integer Partner;  //!< the paired hit or hole, -1 none
};

//! A possible pairing of hole and hit.
typedef std::tuple<Standard_Real, Standard_Integer, Standard_Integer> Pair;

//! Collects the drill points of theModel's point toolpaths into theDrills and their tools into
//! theTools (numbered on from those already there, named as from theFile when it is not empty);
//! counts the contours of its path toolpaths (slots) into theSlots. The model's values were
//! found usable beforehand.
void collect(const PenFormatData_Model& theModel, const Standard_Boolean isDesign,
             const TCollection_AsciiString& theFile, NCollection_Vector<Tool>& theTools,
             std::vector<Drill>& theDrills, Standard_Integer& theSlots)
{
  const Standard_Real aFactor = VexGeom_Drawing::UnitFactor(theModel);
  NCollection_DataMap<Standard_Integer, Standard_Integer> aToolOf;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theModel.Objects());
       anIt.More(); anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIt.Value());
    if (aSequence.IsNull() || !VexGeom_Drawing::IsPointToolpath(*aSequence))
    {
      theSlots += !aSequence.IsNull() && VexGeom_Drawing::IsPathToolpath(*aSequence)
                      ? aSequence->GetCurve()->Children().Extent()
                      : 0;
      continue;
    }
    const Standard_Integer anAperture = aSequence->ApertureNumber();
    if (!aToolOf.IsBound(anAperture))
    {
      Tool aTool;
      aTool.Name     = VexVerify_Report::ToolName(theModel, anAperture);
      aTool.Design   = theFile;
      aTool.Diameter = VexGeom_Drawing::Width(theModel, anAperture) * aFactor;
      aTool.IsDesign = isDesign;
      aToolOf.Bind(anAperture, theTools.Length());
      theTools.Append(aTool);
    }
    const Standard_Integer aToolIndex = aToolOf.Find(anAperture);
    Tool&                  aTool      = theTools.ChangeValue(aToolIndex);
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aSequence->GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      if (aContour.Value().IsNull())
      {
        continue;
      }
      for (PhGeom_Curve::ElementIterator anElement(*aContour.Value()); anElement.More();
           anElement.Next())
      {
        const gp_XY aPoint = anElement.Value().StartPoint() * aFactor;
        theDrills.push_back(Drill{aPoint, aTool.Diameter, aToolIndex, -1});
        ++aTool.Count;
      }
    }
  }
}

//! Returns true when theContour is one circle: arcs about one centre with one radius, turning
//! once around it; theCenter and theRadius are its own (model unit).
bool isCircle(const PhGeom_Curve& theContour, gp_XY& theCenter, Standard_Real& theRadius)
{
  Standard_Real aSweep  = 0.0;
  bool          isFirst = true;
  for (PhGeom_Curve::ElementIterator anElement(theContour); anElement.More(); anElement.Next())
  {
    if (anElement.Value().Kind() != PhGeom_Element::Kind_Arc)
    {
      return false;
    }
    const PhGeom_Arc&   anArc  = static_cast<const PhGeom_Arc&>(anElement.Value());
    const Standard_Real aSlack = 1.0e-6 * std::max(1.0, std::fabs(anArc.Radius()));
    if (!isFirst && ((anArc.Center() - theCenter).Modulus() > aSlack ||
                     std::fabs(anArc.Radius() - theRadius) > aSlack))
    {
      return false;
    }
    theCenter = anArc.Center();
    theRadius = anArc.Radius();
    isFirst   = false;
    aSweep += std::fabs(anArc.Angle(1) - anArc.Angle(0));
  }
  return !isFirst && theRadius > 0.0 && std::fabs(aSweep - 2.0 * M_PI) < 1.0e-6;
}

//! A hole the job mills: a circle whose cut edge has Diameter.
struct Milled
{
  gp_XY            At;       //!< centre, millimetres
  Standard_Real    Diameter; //!< of the cut edge: the circle grown by the tool's radius
  Standard_Integer Aperture; //!< the mill's aperture
};

//! Collects the circles of theJob's path toolpaths into theMilled, in millimetres.
void collectMilled(const PenFormatData_Model& theJob, std::vector<Milled>& theMilled)
{
  const Standard_Real aFactor = VexGeom_Drawing::UnitFactor(theJob);
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theJob.Objects()); anIt.More();
       anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIt.Value());
    if (aSequence.IsNull() || !VexGeom_Drawing::IsPathToolpath(*aSequence))
    {
      continue;
    }
    const Standard_Real aWidth =
        VexGeom_Drawing::Width(theJob, aSequence->ApertureNumber()) * aFactor;
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aSequence->GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      gp_XY         aCenter;
      Standard_Real aRadius = 0.0;
      if (!aContour.Value().IsNull() && isCircle(*aContour.Value(), aCenter, aRadius))
      {
        theMilled.push_back(Milled{aCenter * aFactor, 2.0 * aRadius * aFactor + aWidth,
                                   aSequence->ApertureNumber()});
      }
    }
  }
}

//! Most pairs of a hole and a hit within reach of each other, beyond a few per drill: holes
//! stacked on one another by the thousand would otherwise pair every one with every other.
const size_t THE_MAX_PAIRS = 4000000;

//! Pairs holes and hits of theCandidates greedily, closest first, each at most once.
void pair(std::vector<Pair>& theCandidates, std::vector<Drill>& theHoles,
          std::vector<Drill>& theHits)
{
  std::sort(theCandidates.begin(), theCandidates.end());
  for (const Pair& aPair : theCandidates)
  {
    Drill& aHole = theHoles[std::get<1>(aPair)];
    Drill& aHit  = theHits[std::get<2>(aPair)];
    if (aHole.Partner < 0 && aHit.Partner < 0)
    {
      aHole.Partner = std::get<2>(aPair);
      aHit.Partner  = std::get<1>(aPair);
    }
  }
}

//! Returns the sort key of a finding: its tool, its kind, its position.
std::tuple<Standard_Integer, Standard_Integer, Standard_Real, Standard_Real> order(
    const Finding& theFinding)
{
  const Standard_Boolean isHit = theFinding.What == VexVerify_Report::Kind_Extra ||
                                 theFinding.What == VexVerify_Report::Kind_Doubled;
  return std::make_tuple(isHit ? theFinding.JobTool : theFinding.DesignTool,
                         static_cast<Standard_Integer>(theFinding.What), theFinding.At.X(),
                         theFinding.At.Y());
}

//! Does the pairing and files the findings.
class Matcher
{
public:
  Matcher(const Standard_Real theTolerance, const Standard_Real theDiameterTolerance,
          std::vector<Drill>& theHoles, std::vector<Drill>& theHits,
          VexVerify_Report::Check& theCheck)
      : myTolerance(theTolerance), myDiameterTolerance(theDiameterTolerance), myHoles(theHoles),
        myHits(theHits), myCheck(theCheck), myMaxHit(0.0), myMaxHole(0.0)
  {
    for (const Drill& aHit : myHits)
    {
      myMaxHit = std::max(myMaxHit, aHit.Diameter);
    }
    for (const Drill& aHole : myHoles)
    {
      myMaxHole = std::max(myMaxHole, aHole.Diameter);
    }
  }

  //! Pairs, then files every finding into the check; false when more pairs lie within reach of
  //! one another than the check takes (MaxPairs()).
  Standard_Boolean Perform()
  {
    // Cells as wide as the tolerance for the pairings within it, and as wide as the farthest
    // overlap for those: a board crowded with drills then costs each search a few of them.
    const Standard_Real aNear = std::max(myTolerance, 1.0e-3);
    const Standard_Real aFar  = std::max(aNear, std::min(0.5 * (myMaxHole + myMaxHit), 10.0));
    VexVerify_PointGrid aNearHits(aNear), aNearHoles(aNear), aFarHits(aFar);
    file(myHits, aNearHits);
    file(myHoles, aNearHoles);
    file(myHits, aFarHits);
    if (!pairWithin(aNearHits) || !pairOverlapping(aFarHits))
    {
      return Standard_False;
    }
    fileHoles();
    fileHits(aNearHoles);
    std::vector<Finding> aFindings(myFindings.begin(), myFindings.end());
    std::stable_sort(aFindings.begin(), aFindings.end(),
                     [](const Finding& theLeft, const Finding& theRight)
                     { return order(theLeft) < order(theRight); });
    for (const Finding& aFinding : aFindings)
    {
      myCheck.Findings.Append(aFinding);
    }
    return Standard_True;
  }

  //! Returns the most candidate pairs one pairing takes: a few per drill, at least THE_MAX_PAIRS.
  size_t MaxPairs() const { return THE_MAX_PAIRS + 16 * (myHoles.size() + myHits.size()); }

private:
  //! Files theDrills in theGrid.
  static void file(const std::vector<Drill>& theDrills, VexVerify_PointGrid& theGrid)
  {
    for (size_t anIndex = 0; anIndex < theDrills.size(); ++anIndex)
    {
      theGrid.Add(theDrills[anIndex].At, static_cast<Standard_Integer>(anIndex));
    }
    theGrid.Sort();
  }

  //! Pairs every hole with hits within the tolerance; false when there are too many candidates.
  Standard_Boolean pairWithin(const VexVerify_PointGrid& theHits)
  {
    std::vector<Pair> aCandidates;
    for (size_t aHole = 0; aHole < myHoles.size(); ++aHole)
    {
      if (aCandidates.size() > MaxPairs())
      {
        return Standard_False;
      }
      const gp_XY& anAt = myHoles[aHole].At;
      theHits.Visit(anAt, myTolerance,
                    [&](const Standard_Integer theHit)
                    {
                      const Standard_Real aDistance = (myHits[theHit].At - anAt).Modulus();
                      if (aDistance <= myTolerance)
                      {
                        aCandidates.emplace_back(aDistance, static_cast<Standard_Integer>(aHole),
                                                 theHit);
                      }
                    });
    }
    pair(aCandidates, myHoles, myHits);
    return Standard_True;
  }

  //! Pairs the holes left with the hits left that overlap them: holes drilled off their place.
  //! False when there are too many candidates.
  Standard_Boolean pairOverlapping(const VexVerify_PointGrid& theHits)
  {
    std::vector<Pair> aCandidates;
    for (size_t aHole = 0; aHole < myHoles.size(); ++aHole)
    {
      if (aCandidates.size() > MaxPairs())
      {
        return Standard_False;
      }
      const Drill& aDrill = myHoles[aHole];
      if (aDrill.Partner >= 0)
      {
        continue;
      }
      theHits.Visit(aDrill.At, 0.5 * (aDrill.Diameter + myMaxHit),
                    [&](const Standard_Integer theHit)
                    {
                      const Drill&        aHit      = myHits[theHit];
                      const Standard_Real aDistance = (aHit.At - aDrill.At).Modulus();
                      if (aHit.Partner < 0 && aDistance < 0.5 * (aDrill.Diameter + aHit.Diameter))
                      {
                        aCandidates.emplace_back(aDistance, static_cast<Standard_Integer>(aHole),
                                                 theHit);
                      }
                    });
    }
    pair(aCandidates, myHoles, myHits);
    return Standard_True;
  }

  //! Files the findings of the holes: missing, moved, wrong diameter.
  void fileHoles()
  {
    for (const Drill& aHole : myHoles)
    {
      Finding aFinding(VexVerify_Report::Kind_Missing);
      aFinding.At         = aHole.At;
      aFinding.DesignTool = aHole.Tool;
      if (aHole.Partner >= 0)
      {
        const Drill& aHit = myHits[aHole.Partner];
        aFinding.Other    = aHit.At;
        aFinding.JobTool  = aHit.Tool;
        aFinding.Distance = (aHit.At - aHole.At).Modulus();
        aFinding.What     = aFinding.Distance > myTolerance ? VexVerify_Report::Kind_Moved
                                                            : VexVerify_Report::Kind_Diameter;
        const Standard_Boolean isMatched = aFinding.What == VexVerify_Report::Kind_Diameter;
        myCheck.Matched += isMatched ? 1 : 0;
        myCheck.Tools.ChangeValue(aHole.Tool).Matched += isMatched ? 1 : 0;
        myCheck.Tools.ChangeValue(aHit.Tool).Matched += isMatched ? 1 : 0;
        if (isMatched && std::fabs(aHit.Diameter - aHole.Diameter) <= myDiameterTolerance)
        {
          continue;
        }
      }
      myCheck.Tools.ChangeValue(aHole.Tool).Findings += 1;
      myFindings.push_back(aFinding);
    }
  }

  //! Files the hits without a hole: doubled when a paired hole lies within the tolerance.
  void fileHits(const VexVerify_PointGrid& theHoles)
  {
    for (const Drill& aHit : myHits)
    {
      if (aHit.Partner >= 0)
      {
        continue;
      }
      Finding aFinding(VexVerify_Report::Kind_Extra);
      aFinding.At         = aHit.At;
      aFinding.JobTool    = aHit.Tool;
      Standard_Real aBest = myTolerance;
      theHoles.Visit(aHit.At, myTolerance,
                     [&](const Standard_Integer theHole)
                     {
                       const Standard_Real aDistance = (myHoles[theHole].At - aHit.At).Modulus();
                       if (aDistance <= aBest)
                       {
                         aBest               = aDistance;
                         aFinding.What       = VexVerify_Report::Kind_Doubled;
                         aFinding.Other      = myHoles[theHole].At;
                         aFinding.DesignTool = myHoles[theHole].Tool;
                         aFinding.Distance   = aDistance;
                       }
                     });
      myCheck.Tools.ChangeValue(aHit.Tool).Findings += 1;
      myFindings.push_back(aFinding);
    }
  }

  Standard_Real            myTolerance;         //!< tolerance
  Standard_Real            myDiameterTolerance; //!< tolerance of diameters
  std::vector<Drill>&      myHoles;             //!< holes of the design
  std::vector<Drill>&      myHits;              //!< hits of the job
  VexVerify_Report::Check& myCheck;             //!< where findings go
  std::vector<Finding>     myFindings;          //!< findings before sorting
  Standard_Real            myMaxHit;            //!< largest hit diameter
  Standard_Real            myMaxHole;           //!< largest hole diameter
};
//! Adds to theHits the holes theJob mills as circles where theHoles has a hole of that place
//! (within theTolerance) and diameter (within theDiameterTolerance), with a tool each in theTools.
void addMilled(const PenFormatData_Model& theJob, const std::vector<Drill>& theHoles,
               const Standard_Real theTolerance, const Standard_Real theDiameterTolerance,
               NCollection_Vector<Tool>& theTools, std::vector<Drill>& theHits)
{
  std::vector<Milled> aMilled;
  collectMilled(theJob, aMilled);
  if (aMilled.empty())
  {
    return;
  }
  VexVerify_PointGrid aHoles(std::max(theTolerance, 1.0e-3));
  for (size_t anIndex = 0; anIndex < theHoles.size(); ++anIndex)
  {
    aHoles.Add(theHoles[anIndex].At, static_cast<Standard_Integer>(anIndex));
  }
  aHoles.Sort();
  // A milled tool per mill and cut diameter, named after the mill.
  std::map<std::pair<Standard_Integer, int64_t>, Standard_Integer> aToolOf;
  for (const Milled& aCircle : aMilled)
  {
    bool isHole = false;
    aHoles.Visit(aCircle.At, theTolerance,
                 [&](const Standard_Integer theHole)
                 {
                   const Drill& aHole = theHoles[theHole];
                   isHole             = isHole ||
                            ((aHole.At - aCircle.At).Modulus() <= theTolerance &&
                             std::fabs(aHole.Diameter - aCircle.Diameter) <= theDiameterTolerance);
                 });
    if (!isHole)
    {
      continue; // a ring around a round pad, not a hole
    }
    const std::pair<Standard_Integer, int64_t> aKey(aCircle.Aperture,
                                                    std::llround(aCircle.Diameter * 1.0e4));
    auto                                       aFound = aToolOf.find(aKey);
    if (aFound == aToolOf.end())
    {
      Tool aTool;
      aTool.Name     = VexVerify_Report::ToolName(theJob, aCircle.Aperture) + " (milled)";
      aTool.Diameter = aCircle.Diameter;
      aTool.IsDesign = Standard_False;
      aFound         = aToolOf.emplace(aKey, theTools.Length()).first;
      theTools.Append(aTool);
    }
    theTools.ChangeValue(aFound->second).Count += 1;
    theHits.push_back(Drill{aCircle.At, aCircle.Diameter, aFound->second, -1});
  }
}

} // namespace

Standard_Boolean VexVerify_DrillCheck::Perform(const PenFormatData_Model& theDesign,
                                               const PenFormatData_Model& theJob,
                                               VexVerify_Report::Check&   theCheck)
{
  return perform(std::vector<DesignFile>(1, DesignFile(&theDesign, TCollection_AsciiString())),
                 theJob, theCheck);
}

Standard_Boolean VexVerify_DrillCheck::Perform(
    const NCollection_Sequence<VexVerify_Design>& theDesigns, const PenFormatData_Model& theJob,
    VexVerify_Report::Check& theCheck)
{
  // With several files, each design tool names its file: tool numbers repeat between files.
  std::vector<DesignFile> aFiles;
  for (NCollection_Sequence<VexVerify_Design>::Iterator anIt(theDesigns); anIt.More(); anIt.Next())
  {
    aFiles.emplace_back(anIt.Value().Model().get(),
                        theDesigns.Length() > 1 ? anIt.Value().Path() : TCollection_AsciiString());
  }
  return perform(aFiles, theJob, theCheck);
}

Standard_Boolean VexVerify_DrillCheck::perform(const std::vector<DesignFile>& theDesigns,
                                               const PenFormatData_Model&     theJob,
                                               VexVerify_Report::Check&       theCheck)
{
  try
  {
    // Design tools come first in the check's list, then the job's.
    std::vector<Drill> aHoles, aHits;
    Standard_Integer   aJobSlots = 0;
    for (const DesignFile& aFile : theDesigns)
    {
      collect(*aFile.first, Standard_True, aFile.second, theCheck.Tools, aHoles, theCheck.Slots);
    }
    collect(theJob, Standard_False, TCollection_AsciiString(), theCheck.Tools, aHits, aJobSlots);
    addMilled(theJob, aHoles, myTolerance, diameterTolerance(), theCheck.Tools, aHits);
    theCheck.Holes = static_cast<Standard_Integer>(aHoles.size());
    theCheck.Hits  = static_cast<Standard_Integer>(aHits.size());
    Matcher aMatcher(myTolerance, diameterTolerance(), aHoles, aHits, theCheck);
    if (!aMatcher.Perform())
    {
      myFault = Message_Msg("VEX_VERIFY_LIMIT_DRILL_PAIRS");
      myFault << theCheck.Design << static_cast<Standard_Integer>(aMatcher.MaxPairs());
      return Standard_False;
    }
    return Standard_True;
  }
  catch (const std::exception& theException)
  {
    myFault = Message_Msg("VEX_VERIFY_GEOMETRY_FAILED");
    myFault << theCheck.Design << theException.what();
    return Standard_False;
  }
}
