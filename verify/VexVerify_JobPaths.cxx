// Copyright (c) 2026 VexData developers
#include <VexVerify_JobPaths.hxx>

#include <VexGeom_Drawing.hxx>
#include <VexGeom_Flattener.hxx>

#include <algorithm>

namespace
{
//! Returns true when theList is empty or holds theName.
Standard_Boolean isSelected(const NCollection_Sequence<TCollection_AsciiString>& theList,
                            const TCollection_AsciiString&                       theName)
{
  if (theList.IsEmpty())
  {
    return Standard_True;
  }
  for (NCollection_Sequence<TCollection_AsciiString>::Iterator anIt(theList); anIt.More();
       anIt.Next())
  {
    if (anIt.Value() == theName)
    {
      return Standard_True;
    }
  }
  return Standard_False;
}
} // namespace

VexVerify_JobPaths::VexVerify_JobPaths(
    const PenFormatData_Model&                           theJob,
    const NCollection_Sequence<TCollection_AsciiString>& thePhases,
    const NCollection_Sequence<TCollection_AsciiString>& theLayers)
    : myFactor(VexGeom_Drawing::UnitFactor(theJob)), myMaxRadius(0.0), myNbChords(0),
      myMin(1.0e300, 1.0e300), myMax(-1.0e300, -1.0e300)
{
  std::vector<gp_XY> aPoints;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theJob.Objects()); anIt.More();
       anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIt.Value());
    if (aSequence.IsNull() || !VexGeom_Drawing::IsPathToolpath(*aSequence))
    {
      continue;
    }
    VexVerify_Report::Path aPath;
    aPath.Phase = VexVerify_Report::Text(aSequence->PhaseName());
    aPath.Layer = VexVerify_Report::Text(aSequence->LayerName());
    if (!isSelected(thePhases, aPath.Phase) || !isSelected(theLayers, aPath.Layer))
    {
      continue;
    }
    aPath.Tool = VexVerify_Report::ToolName(theJob, aSequence->ApertureNumber());
    aPath.Width =
        std::max(0.0, VexGeom_Drawing::Width(theJob, aSequence->ApertureNumber()) * myFactor);
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aSequence->GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      if (aContour.Value().IsNull())
      {
        continue;
      }
      ++aPath.Contours;
      chords(*aContour.Value(), aPoints);
      for (size_t anIndex = 0; anIndex < aPoints.size(); ++anIndex)
      {
        myMin.SetCoord(std::min(myMin.X(), aPoints[anIndex].X()),
                       std::min(myMin.Y(), aPoints[anIndex].Y()));
        myMax.SetCoord(std::max(myMax.X(), aPoints[anIndex].X()),
                       std::max(myMax.Y(), aPoints[anIndex].Y()));
        aPath.Length += anIndex == 0 ? 0.0 : (aPoints[anIndex] - aPoints[anIndex - 1]).Modulus();
      }
      myNbChords += aPoints.empty() ? 0 : aPoints.size() - 1;
    }
    myMaxRadius = std::max(myMaxRadius, 0.5 * aPath.Width);
    mySequences.push_back(aSequence);
    myPaths.Append(aPath);
  }
}

void VexVerify_JobPaths::Describe(VexVerify_Report::Check& theCheck) const
{
  theCheck.Paths = myPaths;
  for (NCollection_Vector<VexVerify_Report::Path>::Iterator anIt(myPaths); anIt.More(); anIt.Next())
  {
    theCheck.Contours += anIt.Value().Contours;
    theCheck.PathLength += anIt.Value().Length;
  }
}

void VexVerify_JobPaths::chords(const PhGeom_Curve& theContour, std::vector<gp_XY>& thePoints) const
{
  thePoints.clear();
  for (PhGeom_Curve::ElementIterator anIt(theContour); anIt.More(); anIt.Next())
  {
    const PhGeom_Element& anElement = anIt.Value();
    if (anElement.Kind() == PhGeom_Element::Kind_Point)
    {
      continue;
    }
    // An element starting where the last one ended, but for the rounding of the file's numbers,
    // goes on from there; a real gap is bridged.
    const gp_XY aStart = anElement.StartPoint() * myFactor;
    if (thePoints.empty() ||
        (thePoints.back() - aStart).Modulus() > VexGeom_Units::THE_CHORD_TOLERANCE)
    {
      thePoints.push_back(aStart);
    }
    if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      VexGeom_Flattener::AddArc(static_cast<const PhGeom_Arc&>(anElement), myFactor, thePoints);
    }
    else
    {
      thePoints.push_back(anElement.EndPoint() * myFactor);
    }
  }
  // A closed contour ends exactly where it starts, so that the pieces found on both sides of its
  // start make one place.
  if (thePoints.size() > 2 &&
      (thePoints.back() - thePoints.front()).Modulus() <= VexGeom_Units::THE_CHORD_TOLERANCE)
  {
    thePoints.back() = thePoints.front();
  }
}
