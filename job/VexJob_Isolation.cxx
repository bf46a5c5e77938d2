// Copyright (c) 2026 VexData developers
#include <VexJob_Isolation.hxx>

#include <VexJob_ArcFit.hxx>
#include <VexJob_Gaps.hxx>

#include <VexVerify_Geometry.hxx>

#include <cmath>

Standard_Integer VexJob_Isolation::NbRings(const Standard_Real   theWidth,
                                           const VexJob_Options& theOptions)
{
  Standard_Integer    aRings = 1 + std::max(0, theOptions.Passes);
  const Standard_Real aStep  = theWidth * (1.0 - theOptions.Overlap);
  if (theOptions.Clearance > theWidth && aStep > 0.0)
  {
    // The outer edge of ring k lies at width + k * step from the copper.
    const Standard_Real aNeeded = std::ceil((theOptions.Clearance - theWidth) / aStep - 1.0e-9);
    aRings                      = std::max(aRings, 1 + static_cast<Standard_Integer>(aNeeded));
  }
  return aRings;
}

size_t VexJob_Isolation::Rings(const ClipperLib::Paths& theCopper, const Standard_Real theWidth,
                               const VexJob_Options&        theOptions,
                               std::vector<VexJob_Contour>& theContours)
{
  const Standard_Integer    aRings = NbRings(theWidth, theOptions);
  const Standard_Real       aStep  = theWidth * (1.0 - theOptions.Overlap);
  size_t                    aCount = 0;
  ClipperLib::ClipperOffset anOffsetter(2.0, ArcTolerance() * VexVerify_Geometry::Scale());
  anOffsetter.AddPaths(theCopper, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
  for (Standard_Integer aRing = 0; aRing < aRings; ++aRing)
  {
    ClipperLib::Paths aPaths;
    anOffsetter.Execute(aPaths, (0.5 * theWidth + aRing * aStep) * VexVerify_Geometry::Scale());
    for (const ClipperLib::Path& aPath : aPaths)
    {
      VexJob_Contour aContour = VexJob_ArcFit::Fit(aPath);
      if (theOptions.IsClimb)
      {
        aContour.Reverse();
      }
      theContours.push_back(std::move(aContour));
    }
    aCount += aPaths.size();
  }
  return aCount;
}

int VexJob_Isolation::FindGaps(const ClipperLib::Paths& theCopper, const VexJob_Tool& theTool,
                               const std::string& theSide, VexJob_Report& theReport)
{
  std::vector<VexJob_Gaps::Place> aPlaces;
  VexJob_Gaps::Find(theCopper, theTool.Width, aPlaces);
  for (const VexJob_Gaps::Place& aPlace : aPlaces)
  {
    Message_Msg aMsg("VEX_JOB_NOT_ISOLABLE");
    aMsg << theSide.c_str() << aPlace.Where.X() << aPlace.Where.Y() << aPlace.Gap
         << theTool.Name.c_str() << theTool.Width;
    theReport.Problem(aMsg);
  }
  return static_cast<int>(aPlaces.size());
}

void VexJob_Isolation::Mirror(ClipperLib::Paths& thePolygons, const Standard_Real theX)
{
  const ClipperLib::cInt aTwiceX = VexVerify_Geometry::ToInt(2.0 * theX);
  for (ClipperLib::Path& aPath : thePolygons)
  {
    for (ClipperLib::IntPoint& aPoint : aPath)
    {
      aPoint.X = aTwiceX - aPoint.X;
    }
    ClipperLib::ReversePath(aPath);
  }
}
