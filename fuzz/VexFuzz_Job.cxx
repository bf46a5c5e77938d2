// Copyright (c) 2026 VexData developers
// Fuzz target: the job of a small design model the bytes describe, its copper isolated whole and
// tile by tile, its points drilled and ordered.
//
// The bytes are read four at a time as features on a 16 mm board: a flash (round pad, with or
// without a hole), a line of a round pen, a filled rectangle, each dark or clear. Whatever they
// draw, every isolation ring keeps the cutter's radius from the copper (less the flattening of
// circles), the rings cut at tile edges all join again into closed rings, the holes are all
// visited once, and nothing crashes or hangs.
#include <VexJob_ArcFit.hxx>
#include <VexJob_Copper.hxx>
#include <VexJob_Isolation.hxx>
#include <VexJob_Order.hxx>
#include <VexJob_Tiles.hxx>

#include <VexGeom_Units.hxx>
#include <VexGeom_Polygons.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
//! Most features read from one input.
const size_t THE_MAX_FEATURES = 48;

//! Reports theWhat and aborts when theCondition is false: the input is a finding.
void require(const bool theCondition, const char* theWhat)
{
  if (!theCondition)
  {
    std::fprintf(stderr, "VexFuzz_Job: %s\n", theWhat);
    std::abort();
  }
}

//! Returns a new sequence of theModel with aperture theAperture.
Handle(PenFormatData_Sequence) sequence(PenFormatData_Model& theModel, const int theAperture,
                                        const bool isArea, const bool isClear)
{
  Handle(PenFormatData_Sequence) aSequence =
      new PenFormatData_Sequence(theAperture, 0, PhGeom_Curve::Create(theModel.Allocator(), 0));
  aSequence->SetToolpathFlag(isArea || isClear ? 0 : 1);
  aSequence->SetToolpathMode(1);
  aSequence->SetArea(isArea);
  aSequence->SetClear(isClear);
  theModel.AddObject(aSequence);
  return aSequence;
}

//! Adds the feature of four bytes to theModel; its point to theHoles.
void addFeature(const uint8_t* theBytes, PenFormatData_Model& theModel,
                std::vector<gp_XY>& theHoles)
{
  const int    aKind   = theBytes[0] % 3;
  const bool   isClear = (theBytes[0] & 0x80) != 0;
  const gp_XY  aPoint((theBytes[1] % 64) * 0.25, (theBytes[2] % 64) * 0.25);
  const double aSize            = 0.1 + (theBytes[3] % 32) * 0.1;
  Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(theModel.Allocator(), 0);
  if (aKind == 2)
  {
    const gp_XY aFar = aPoint + gp_XY(aSize, 0.5 * aSize + (theBytes[0] % 5) * 0.3);
    aContour->CreateSegment(aPoint, gp_XY(aFar.X(), aPoint.Y()));
    aContour->CreateSegment(gp_XY(aFar.X(), aPoint.Y()), aFar);
    aContour->CreateSegment(aFar, gp_XY(aPoint.X(), aFar.Y()));
    aContour->CreateSegment(gp_XY(aPoint.X(), aFar.Y()), aPoint);
    sequence(theModel, 1, true, isClear)->GetCurve()->AddChild(aContour);
    return;
  }
  const double aWidth = aKind == 0 ? aSize : 0.05 + (theBytes[3] % 8) * 0.1;
  const double aHole  = aKind == 0 && (theBytes[0] & 0x40) != 0 ? 0.4 * aWidth : 0.0;
  Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
      PenFormatData_Aperture::Shape_Round, "D", Handle(Standard_Transient)(), 0);
  const double aParams[2] = {aWidth, aHole};
  anAperture->SetParam(aParams, aHole > 0.0 ? 2 : 1);
  const int aNumber = theModel.NbApertures() == 0 ? 1 : theModel.NbApertures();
  theModel.SetAperture(aNumber, anAperture);
  if (aKind == 0)
  {
    aContour->CreatePoint(aPoint);
    theHoles.push_back(aPoint);
  }
  else
  {
    aContour->CreateSegment(aPoint, aPoint + gp_XY(aSize, (theBytes[0] % 7) * 0.2 - 0.6));
  }
  sequence(theModel, aNumber, false, isClear)->GetCurve()->AddChild(aContour);
}

//! Returns the distance from thePoint to the boundary of thePolygons, negative inside them.
double signedDistance(const gp_XY& thePoint, const ClipperLib::Paths& thePolygons)
{
  double aDistance = HUGE_VAL;
  int    aWinding  = 0;
  for (const ClipperLib::Path& aPath : thePolygons)
  {
    for (size_t anIndex = 0; anIndex < aPath.size(); ++anIndex)
    {
      aDistance =
          std::min(aDistance, VexGeom_Polygons::PointDistance(
                                  thePoint, VexGeom_Units::ToXY(aPath[anIndex]),
                                  VexGeom_Units::ToXY(aPath[(anIndex + 1) % aPath.size()])));
    }
    if (ClipperLib::PointInPolygon(VexGeom_Units::ToPoint(thePoint), aPath) != 0)
    {
      aWinding += ClipperLib::Orientation(aPath) ? 1 : -1;
    }
  }
  return aWinding > 0 ? -aDistance : aDistance;
}

//! Checks that theRings keep theRadius (less the flattening) from theCopper.
void checkClearance(const ClipperLib::Paths& theRings, const ClipperLib::Paths& theCopper,
                    const double theRadius)
{
  for (const ClipperLib::Path& aRing : theRings)
  {
    const VexJob_Contour aContour = VexJob_ArcFit::Fit(aRing);
    for (const VexJob_Element& anElement : aContour.Elements())
    {
      for (int aStep = 0; aStep <= 4; ++aStep)
      {
        const gp_XY aPoint = anElement.PointAt(anElement.Length() * aStep / 4.0);
        require(signedDistance(aPoint, theCopper) >= theRadius - 6.0e-3,
                "an isolation ring comes into the copper");
      }
    }
  }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  aModel->SetDimensionUnit(PenFormatData_DU_Millimetre);
  std::vector<gp_XY> aHoles;
  for (size_t anAt = 0; anAt + 4 <= theSize && anAt / 4 < THE_MAX_FEATURES; anAt += 4)
  {
    addFeature(theData + anAt, *aModel, aHoles);
  }
  const VexJob_Copper aCopper(*aModel);
  ClipperLib::Paths   aPolygons;
  VexJob_Copper::Build(*aModel, aPolygons);
  const double         aWidth = theSize > 0 ? 0.1 + (theData[0] % 4) * 0.1 : 0.2;
  VexJob_Tiles::Result aWhole, aTiled;
  VexJob_Tiles::Isolate(aCopper, {0.5 * aWidth, 0.5 * aWidth + 0.8 * aWidth}, aWidth, aWhole);
  VexJob_Tiles::Isolate(aCopper, {0.5 * aWidth, 0.5 * aWidth + 0.8 * aWidth}, aWidth, aTiled, 2);
  require(aWhole.Open.empty() && aTiled.Open.empty(), "a ring cut at tile edges does not close");
  checkClearance(aWhole.Rings, aPolygons, 0.5 * aWidth);
  checkClearance(aTiled.Rings, aPolygons, 0.5 * aWidth);
  double       aBefore = 0.0;
  const size_t aCount  = aHoles.size();
  VexJob_Order::Holes(aHoles, gp_XY(0.0, 0.0), aBefore);
  require(aHoles.size() == aCount, "the ordering lost holes");
  return 0;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  return 0;
}
