// Copyright (c) 2026 VexData developers
#include <VexJob_Copper.hxx>

#include <VexVerify_Features.hxx>
#include <VexVerify_Geometry.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

namespace
{
//! Appends to theShapes what theSequence draws (non-zero winding), in integer units.
void drawSequence(const PenFormatData_Model& theDesign, const PenFormatData_Sequence& theSequence,
                  const double theFactor, ClipperLib::Paths& theShapes)
{
  const VexVerify_Features::Kind aKind = VexVerify_Features::Classify(theSequence);
  std::vector<gp_XY>             aPoints;
  ClipperLib::Paths              aLines, aDots, aHoles;
  const double                   aRadius =
      0.5 * theFactor * VexVerify_Features::Width(theDesign, theSequence.ApertureNumber());
  const double aHole =
      0.5 * theFactor * VexVerify_Features::HoleWidth(theDesign, theSequence.ApertureNumber());
  for (const Handle(PhGeom_Curve) & aContour : theSequence.GetCurve()->Children())
  {
    VexVerify_Features::Outline(*aContour, theFactor, aPoints);
    ClipperLib::Path aPath;
    for (const gp_XY& aPoint : aPoints)
    {
      aPath.push_back(VexVerify_Geometry::ToInt(aPoint));
    }
    const bool isDot = aContour->NbElements() == 1 &&
                       aContour->FirstElement()->Kind() == PhGeom_Element::Kind_Point;
    (aKind == VexVerify_Features::Kind_Area ? theShapes : isDot ? aDots : aLines).push_back(aPath);
  }
  if (aKind != VexVerify_Features::Kind_Strokes)
  {
    return;
  }
  VexVerify_Geometry::Stroke(aLines, aRadius, theShapes);
  ClipperLib::Paths aDiscs;
  VexVerify_Geometry::Stroke(aDots, aRadius, aDiscs);
  if (aHole > 0.0 && aHole < aRadius)
  {
    // A flash's hole: the disc less the hole's disc, each flash on its own.
    VexVerify_Geometry::Stroke(aDots, aHole, aHoles);
    for (ClipperLib::Path& aPath : aHoles)
    {
      ClipperLib::ReversePath(aPath);
    }
    aDiscs.insert(aDiscs.end(), aHoles.begin(), aHoles.end());
  }
  theShapes.insert(theShapes.end(), aDiscs.begin(), aDiscs.end());
}

//! Unites theShapes into, or takes them out of, theCopper.
void apply(ClipperLib::Paths& theShapes, const bool isClear, ClipperLib::Paths& theCopper)
{
  ClipperLib::Clipper aClipper;
  aClipper.AddPaths(theCopper, ClipperLib::ptSubject, true);
  aClipper.AddPaths(theShapes, ClipperLib::ptClip, true);
  aClipper.Execute(isClear ? ClipperLib::ctDifference : ClipperLib::ctUnion, theCopper,
                   ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  theShapes.clear();
}
} // namespace

void VexJob_Copper::Build(const PenFormatData_Model& theDesign, ClipperLib::Paths& theCopper)
{
  theCopper.clear();
  const double      aFactor = VexVerify_Features::UnitFactor(theDesign);
  ClipperLib::Paths aShapes;
  bool              isClearRun = false;
  for (const Handle(PenFormatData_Object) & anObject : theDesign.Objects())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSequence.IsNull() ||
        VexVerify_Features::Classify(*aSequence) == VexVerify_Features::Kind_None)
    {
      continue;
    }
    // Runs of one polarity are drawn together and applied at once.
    if (aSequence->IsClear() != isClearRun && !aShapes.empty())
    {
      apply(aShapes, isClearRun, theCopper);
    }
    isClearRun = aSequence->IsClear();
    drawSequence(theDesign, *aSequence, aFactor, aShapes);
  }
  if (!aShapes.empty())
  {
    apply(aShapes, isClearRun, theCopper);
  }
  VexVerify_Geometry::Normalise(theCopper);
}
