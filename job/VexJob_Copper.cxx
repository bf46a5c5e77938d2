// Copyright (c) 2026 VexData developers
#include <VexJob_Copper.hxx>

#include <VexVerify_Features.hxx>
#include <VexVerify_Geometry.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <algorithm>

namespace
{
//! Returns thePoints as a path in integer units.
ClipperLib::Path pathOf(const gp_XY* thePoints, const size_t theCount)
{
  ClipperLib::Path aPath;
  aPath.reserve(theCount);
  for (size_t anIndex = 0; anIndex < theCount; ++anIndex)
  {
    aPath.push_back(VexVerify_Geometry::ToInt(thePoints[anIndex]));
  }
  return aPath;
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

VexJob_Copper::VexJob_Copper(const PenFormatData_Model& theDesign)
{
  const double       aFactor = VexVerify_Features::UnitFactor(theDesign);
  std::vector<gp_XY> aPoints;
  for (const Handle(PenFormatData_Object) & anObject : theDesign.Objects())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anObject);
    const VexVerify_Features::Kind aKind = aSequence.IsNull()
                                               ? VexVerify_Features::Kind_None
                                               : VexVerify_Features::Classify(*aSequence);
    if (aKind == VexVerify_Features::Kind_None)
    {
      continue;
    }
    const int    anAperture = aSequence->ApertureNumber();
    const double aRadius    = 0.5 * aFactor * VexVerify_Features::Width(theDesign, anAperture);
    const double aHole      = 0.5 * aFactor * VexVerify_Features::HoleWidth(theDesign, anAperture);
    for (const Handle(PhGeom_Curve) & aContour : aSequence->GetCurve()->Children())
    {
      VexVerify_Features::Outline(*aContour, aFactor, aPoints);
      if (aPoints.empty())
      {
        continue;
      }
      const bool isDot = aContour->NbElements() == 1 &&
                         aContour->FirstElement()->Kind() == PhGeom_Element::Kind_Point;
      Feature aFeature{static_cast<uint32_t>(myPoints.size()),
                       static_cast<uint32_t>(aPoints.size()),
                       0.f,
                       0.f,
                       0.f,
                       0.f,
                       aKind == VexVerify_Features::Kind_Area ? 0.0 : aRadius,
                       aHole,
                       static_cast<uint8_t>(aKind == VexVerify_Features::Kind_Area ? Kind_Area
                                            : isDot                                ? Kind_Dot
                                                                                   : Kind_Line),
                       aSequence->IsClear() == Standard_True};
      gp_XY   aMin(HUGE_VAL, HUGE_VAL), aMax(-HUGE_VAL, -HUGE_VAL);
      for (const gp_XY& aPoint : aPoints)
      {
        aMin.SetCoord(std::min(aMin.X(), aPoint.X()), std::min(aMin.Y(), aPoint.Y()));
        aMax.SetCoord(std::max(aMax.X(), aPoint.X()), std::max(aMax.Y(), aPoint.Y()));
      }
      // The box is kept in single precision, grown to stay around the feature.
      const double aReach =
          aFeature.Radius + 1.0e-3 * (1.0 + std::abs(aMax.X()) + std::abs(aMax.Y()));
      aFeature.MinX = static_cast<float>(aMin.X() - aReach - std::abs(aMin.X()) * 1.0e-6);
      aFeature.MinY = static_cast<float>(aMin.Y() - aReach - std::abs(aMin.Y()) * 1.0e-6);
      aFeature.MaxX = static_cast<float>(aMax.X() + aReach);
      aFeature.MaxY = static_cast<float>(aMax.Y() + aReach);
      myPoints.insert(myPoints.end(), aPoints.begin(), aPoints.end());
      myFeatures.push_back(aFeature);
    }
  }
}

void VexJob_Copper::Mirror(const Standard_Real theX)
{
  for (gp_XY& aPoint : myPoints)
  {
    aPoint.SetX(2.0 * theX - aPoint.X());
  }
  for (Feature& aFeature : myFeatures)
  {
    // Areas keep their orientation; a box's sides change places.
    if (aFeature.Type == Kind_Area)
    {
      std::reverse(myPoints.begin() + aFeature.First,
                   myPoints.begin() + aFeature.First + aFeature.Count);
    }
    const float aMinX = static_cast<float>(2.0 * theX - aFeature.MaxX);
    aFeature.MaxX     = static_cast<float>(2.0 * theX - aFeature.MinX);
    aFeature.MinX     = aMinX;
  }
}

bool VexJob_Copper::Bounds(gp_XY& theMin, gp_XY& theMax) const
{
  theMin.SetCoord(HUGE_VAL, HUGE_VAL);
  theMax.SetCoord(-HUGE_VAL, -HUGE_VAL);
  for (const Feature& aFeature : myFeatures)
  {
    theMin.SetCoord(std::min<double>(theMin.X(), aFeature.MinX),
                    std::min<double>(theMin.Y(), aFeature.MinY));
    theMax.SetCoord(std::max<double>(theMax.X(), aFeature.MaxX),
                    std::max<double>(theMax.Y(), aFeature.MaxY));
  }
  return !myFeatures.empty();
}

void VexJob_Copper::shapes(const std::vector<uint32_t>& theFeatures, const size_t theFirst,
                           const size_t theLast, const ClipperLib::Path& theWindow,
                           ClipperLib::Paths& theShapes) const
{
  ClipperLib::Paths aLines, aDots, aHoles, anAreas;
  double            aRadius = -1.0, aHole = 0.0;
  auto              flush = [&]()
  {
    VexVerify_Geometry::Stroke(aLines, aRadius, theShapes);
    VexVerify_Geometry::Stroke(aDots, aRadius, theShapes);
    if (aHole > 0.0 && aHole < aRadius)
    {
      // A flash's hole: the disc less the hole's disc, each flash on its own.
      VexVerify_Geometry::Stroke(aDots, aHole, aHoles);
      for (ClipperLib::Path& aPath : aHoles)
      {
        ClipperLib::ReversePath(aPath);
      }
      theShapes.insert(theShapes.end(), aHoles.begin(), aHoles.end());
    }
    aLines.clear();
    aDots.clear();
    aHoles.clear();
  };
  for (size_t anIndex = theFirst; anIndex < theLast; ++anIndex)
  {
    const Feature& aFeature = myFeatures[theFeatures[anIndex]];
    if (aFeature.Radius != aRadius || aFeature.Hole != aHole)
    {
      flush();
      aRadius = aFeature.Radius;
      aHole   = aFeature.Hole;
    }
    if (aFeature.Type == Kind_Area)
    {
      cutToWindow(aFeature, theWindow, anAreas);
      continue;
    }
    (aFeature.Type == Kind_Dot ? aDots : aLines)
        .push_back(pathOf(&myPoints[aFeature.First], aFeature.Count));
  }
  flush();
  theShapes.insert(theShapes.end(), anAreas.begin(), anAreas.end());
}

void VexJob_Copper::cutToWindow(const Feature& theFeature, const ClipperLib::Path& theWindow,
                                ClipperLib::Paths& theAreas) const
{
  ClipperLib::Path            aPath    = pathOf(&myPoints[theFeature.First], theFeature.Count);
  const ClipperLib::IntPoint& aLow     = theWindow[0];
  const ClipperLib::IntPoint& aHigh    = theWindow[2];
  const bool                  isInside = std::all_of(aPath.begin(), aPath.end(),
                                                     [&aLow, &aHigh](const ClipperLib::IntPoint& thePoint)
                                                     {
                                      return thePoint.X >= aLow.X && thePoint.X <= aHigh.X &&
                                             thePoint.Y >= aLow.Y && thePoint.Y <= aHigh.Y;
                                    });
  if (isInside)
  {
    theAreas.push_back(std::move(aPath));
    return;
  }
  // An area reaching beyond the window is cut to it: what lies beyond is not asked for.
  ClipperLib::Clipper aClipper;
  aClipper.AddPath(aPath, ClipperLib::ptSubject, true);
  aClipper.AddPath(theWindow, ClipperLib::ptClip, true);
  ClipperLib::Paths aCut;
  aClipper.Execute(ClipperLib::ctIntersection, aCut, ClipperLib::pftNonZero,
                   ClipperLib::pftNonZero);
  theAreas.insert(theAreas.end(), aCut.begin(), aCut.end());
}

void VexJob_Copper::Build(const gp_XY& theMin, const gp_XY& theMax,
                          ClipperLib::Paths& theCopper) const
{
  theCopper.clear();
  std::vector<uint32_t> aChosen;
  for (uint32_t anIndex = 0; anIndex < myFeatures.size(); ++anIndex)
  {
    const Feature& aFeature = myFeatures[anIndex];
    if (aFeature.MaxX >= theMin.X() && aFeature.MinX <= theMax.X() && aFeature.MaxY >= theMin.Y() &&
        aFeature.MinY <= theMax.Y())
    {
      aChosen.push_back(anIndex);
    }
  }
  const ClipperLib::Path aWindow = VexVerify_Geometry::Rectangle(VexVerify_Geometry::ToInt(theMin),
                                                                 VexVerify_Geometry::ToInt(theMax));
  ClipperLib::Paths      aShapes;
  // Runs of one polarity are drawn together and applied at once.
  for (size_t aFirst = 0; aFirst < aChosen.size();)
  {
    const bool isClear = myFeatures[aChosen[aFirst]].Clear;
    size_t     aLast   = aFirst;
    while (aLast < aChosen.size() && myFeatures[aChosen[aLast]].Clear == isClear)
    {
      ++aLast;
    }
    shapes(aChosen, aFirst, aLast, aWindow, aShapes);
    // The polygon library's results are normalised: the last one is the copper.
    apply(aShapes, isClear, theCopper);
    aFirst = aLast;
  }
}

void VexJob_Copper::Build(const PenFormatData_Model& theDesign, ClipperLib::Paths& theCopper)
{
  const VexJob_Copper aCopper(theDesign);
  gp_XY               aMin, aMax;
  theCopper.clear();
  if (aCopper.Bounds(aMin, aMax))
  {
    aCopper.Build(aMin - gp_XY(1.0, 1.0), aMax + gp_XY(1.0, 1.0), theCopper);
  }
}
