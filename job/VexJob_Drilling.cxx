// Copyright (c) 2026 VexData developers
#include <VexJob_Drilling.hxx>

#include <VexJob_ArcFit.hxx>

#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexGeom_Flattener.hxx>
#include <VexGeom_Drawing.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <algorithm>
#include <cmath>

const char* const VexJob_Drilling::THE_DRILLING = "Drilling";
const char* const VexJob_Drilling::THE_MILLING  = "Hole milling";

namespace
{
//! A milled circle this close to a plunge is plunged (millimetres).
const double THE_PLUNGE = 1.0e-3;

//! Returns the contour of theCurve in millimetres (theFactor from the model's unit), its arcs
//! kept as arcs; points are left out.
VexJob_Contour contourOf(const PhGeom_Curve& theCurve, const double theFactor)
{
  VexJob_Contour aContour;
  for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
  {
    const PhGeom_Element& anElement = anIter.Value();
    if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      aContour.Append(VexJob_Element::Segment(theFactor * anElement.StartPoint(),
                                              theFactor * anElement.EndPoint()));
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElement);
      aContour.Append(VexJob_Element::Arc(theFactor * anArc.Center(), theFactor * anArc.Radius(),
                                          anArc.Angle(0), anArc.Angle(1)));
    }
  }
  return aContour;
}

//! Returns the points of the contours of theSequence in millimetres.
std::vector<gp_XY> pointsOf(const PenFormatData_Sequence& theSequence, const double theFactor)
{
  std::vector<gp_XY> aPoints;
  for (const Handle(PhGeom_Curve) & aContour : theSequence.GetCurve()->Children())
  {
    for (PhGeom_Curve::ElementIterator anIter(*aContour); anIter.More(); anIter.Next())
    {
      if (anIter.Value().Kind() == PhGeom_Element::Kind_Point)
      {
        aPoints.push_back(theFactor * anIter.Value().StartPoint());
      }
    }
  }
  return aPoints;
}

//! Returns the centre line of theContour as a polyline in integer units.
ClipperLib::Path polyline(const VexJob_Contour& theContour)
{
  ClipperLib::Path aPath;
  for (const VexJob_Element& anElement : theContour.Elements())
  {
    if (aPath.empty())
    {
      aPath.push_back(VexGeom_Units::ToPoint(anElement.Start));
    }
    const int aCount =
        anElement.IsArc
            ? VexGeom_Flattener::NbChords(anElement.Radius, anElement.Angle1 - anElement.Angle0)
            : 1;
    for (int anIndex = 1; anIndex <= aCount; ++anIndex)
    {
      aPath.push_back(
          VexGeom_Units::ToPoint(anElement.PointAt(anElement.Length() * anIndex / aCount)));
    }
  }
  return aPath;
}
} // namespace

void VexJob_Drilling::Add(const PenFormatData_Model& theDesign, const std::string& theName)
{
  const double aFactor = VexGeom_Drawing::UnitFactor(theDesign);
  for (const Handle(PenFormatData_Object) & anObject : theDesign.Objects())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSequence.IsNull())
    {
      continue;
    }
    const double aDiameter =
        aFactor * VexGeom_Drawing::Width(theDesign, aSequence->ApertureNumber());
    if (VexGeom_Drawing::IsPointToolpath(*aSequence))
    {
      addHoles(aDiameter, pointsOf(*aSequence, aFactor), theName);
    }
    else if (VexGeom_Drawing::IsPathToolpath(*aSequence))
    {
      for (const Handle(PhGeom_Curve) & aCurve : aSequence->GetCurve()->Children())
      {
        const VexJob_Contour aCentre = contourOf(*aCurve, aFactor);
        if (!aCentre.Elements().empty())
        {
          addSlot(aDiameter, aCentre, theName);
        }
      }
    }
  }
}

void VexJob_Drilling::addHoles(const Standard_Real theDiameter, const std::vector<gp_XY>& theHoles,
                               const std::string& theName)
{
  if (theHoles.empty())
  {
    return;
  }
  const int          aCount = static_cast<int>(theHoles.size());
  const VexJob_Tool* aDrill =
      myLibrary.AtLeast(VexJob_Tool::Kind_Drill, theDiameter - myOptions.DrillTolerance);
  if (aDrill != nullptr)
  {
    std::vector<gp_XY>& aHoles = toolpath(*aDrill, THE_DRILLING).Holes;
    aHoles.insert(aHoles.end(), theHoles.begin(), theHoles.end());
    myReport.AddHoles(theDiameter, aCount, aDrill->Name, aDrill->Width, "drilled");
    if (aDrill->Width > theDiameter + myOptions.DrillTolerance + 1.0e-9)
    {
      // No drill within the tolerance: the holes come out larger than designed.
      Message_Msg aMsg("VEX_JOB_HOLES_OVERSIZE");
      aMsg << aCount << theDiameter << theName.c_str() << aDrill->Name.c_str() << aDrill->Width
           << myOptions.DrillTolerance;
      myReport.Problem(aMsg);
    }
    return;
  }
  const VexJob_Tool* aMill = myLibrary.AtMost(VexJob_Tool::Kind_EndMill, theDiameter);
  if (aMill == nullptr)
  {
    myReport.AddHoles(theDiameter, aCount, "", 0.0, "not made");
    Message_Msg aMsg("VEX_JOB_HOLES_NO_TOOL");
    aMsg << aCount << theDiameter << theName.c_str() << theHoles.front().X()
         << theHoles.front().Y();
    myReport.Problem(aMsg);
    return;
  }
  const double aRadius = 0.5 * (theDiameter - aMill->Width);
  if (aRadius < THE_PLUNGE)
  {
    std::vector<gp_XY>& aHoles = toolpath(*aMill, THE_DRILLING).Holes;
    aHoles.insert(aHoles.end(), theHoles.begin(), theHoles.end());
    myReport.AddHoles(theDiameter, aCount, aMill->Name, aMill->Width, "plunged");
    return;
  }
  // The hole is a pocket: conventional milling runs it clockwise, climb counter-clockwise.
  std::vector<VexJob_Contour>& aContours = toolpath(*aMill, THE_MILLING).Contours;
  for (const gp_XY& aCenter : theHoles)
  {
    aContours.push_back(VexJob_Contour::Circle(aCenter, aRadius, !myOptions.IsClimb));
  }
  myReport.AddHoles(theDiameter, aCount, aMill->Name, aMill->Width, "milled");
}

void VexJob_Drilling::addSlot(const Standard_Real theDiameter, const VexJob_Contour& theCentre,
                              const std::string& theName)
{
  const VexJob_Tool* aMill =
      myLibrary.AtMost(VexJob_Tool::Kind_EndMill, theDiameter + myOptions.DrillTolerance);
  if (aMill == nullptr)
  {
    myReport.AddHoles(theDiameter, 1, "", 0.0, "slot not made");
    Message_Msg aMsg("VEX_JOB_SLOT_NO_TOOL");
    aMsg << theDiameter << theName.c_str() << theCentre.Start().X() << theCentre.Start().Y();
    myReport.Problem(aMsg);
    return;
  }
  std::vector<VexJob_Contour>& aContours = toolpath(*aMill, THE_MILLING).Contours;
  // Rings around the centre line where the slot is wider than the end mill (beyond the
  // tolerance), outermost first.
  const double aStep  = std::max(aMill->Width * (1.0 - myOptions.Overlap), 0.01);
  const double aLeast = std::max(THE_PLUNGE, 0.5 * myOptions.DrillTolerance);
  for (double aReach = 0.5 * (theDiameter - aMill->Width); aReach > aLeast; aReach -= aStep)
  {
    ClipperLib::Paths aRings;
    VexGeom_Polygons::Stroke(ClipperLib::Paths(1, polyline(theCentre)), aReach, aRings);
    VexGeom_Polygons::Normalise(aRings);
    for (const ClipperLib::Path& aRing : aRings)
    {
      VexJob_Contour aContour = VexJob_ArcFit::Fit(aRing);
      // Outlines run counter-clockwise: inside a pocket that is climb milling.
      if (!myOptions.IsClimb)
      {
        aContour.Reverse();
      }
      aContours.push_back(aContour);
    }
  }
  aContours.push_back(theCentre);
  myReport.AddHoles(theDiameter, 1, aMill->Name, aMill->Width, "slot");
}

VexJob_Toolpath& VexJob_Drilling::toolpath(const VexJob_Tool& theTool, const char* thePhase)
{
  VexJob_Toolpath& aToolpath = myToolpaths[std::make_pair(std::string(thePhase), theTool.Name)];
  aToolpath.Phase            = thePhase;
  aToolpath.Tool             = theTool;
  return aToolpath;
}

void VexJob_Drilling::Toolpaths(const std::string&            theLayer,
                                std::vector<VexJob_Toolpath>& theToolpaths) const
{
  std::vector<VexJob_Toolpath> aMade;
  for (const auto& anEntry : myToolpaths)
  {
    aMade.push_back(anEntry.second);
    aMade.back().Layer = theLayer;
  }
  // Drilling before milling; within a phase the narrower tool first.
  std::stable_sort(aMade.begin(), aMade.end(),
                   [](const VexJob_Toolpath& theLeft, const VexJob_Toolpath& theRight)
                   {
                     const bool isLeftDrilling  = theLeft.Phase == THE_DRILLING;
                     const bool isRightDrilling = theRight.Phase == THE_DRILLING;
                     return isLeftDrilling != isRightDrilling
                                ? isLeftDrilling
                                : theLeft.Tool.Width < theRight.Tool.Width;
                   });
  theToolpaths.insert(theToolpaths.end(), aMade.begin(), aMade.end());
}
