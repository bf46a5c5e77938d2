// Copyright (c) 2026 VexData developers
#include <VexJob_Isolation.hxx>

#include <VexJob_ArcFit.hxx>
#include <VexJob_Gaps.hxx>

#include <VexGeom_Parallel.hxx>
#include <VexGeom_Units.hxx>

#include <algorithm>
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

std::vector<double> VexJob_Isolation::Offsets(const Standard_Real   theWidth,
                                              const VexJob_Options& theOptions)
{
  std::vector<double> anOffsets;
  const double        aStep = theWidth * (1.0 - theOptions.Overlap);
  for (Standard_Integer aRing = 0; aRing < NbRings(theWidth, theOptions); ++aRing)
  {
    anOffsets.push_back(0.5 * theWidth + aRing * aStep);
  }
  return anOffsets;
}

namespace
{
//! Appends to theContours theRings fitted with arcs, in the cut direction of theOptions.
void addRings(const ClipperLib::Paths& theRings, const VexJob_Options& theOptions,
              std::vector<VexJob_Contour>& theContours)
{
  // Rings are fitted independently, a batch per task, each into its own place.
  const size_t THE_BATCH = 512;
  const size_t aFirst    = theContours.size();
  theContours.resize(aFirst + theRings.size());
  VexGeom_Parallel::For(
      (theRings.size() + THE_BATCH - 1) / THE_BATCH, VexGeom_Parallel::NbWorkers(),
      [&](const size_t theBatch)
      {
        const size_t anEnd = std::min(theRings.size(), (theBatch + 1) * THE_BATCH);
        for (size_t aRing = theBatch * THE_BATCH; aRing < anEnd; ++aRing)
        {
          VexJob_Contour& aContour = theContours[aFirst + aRing];
          aContour                 = VexJob_ArcFit::Fit(theRings[aRing]);
          if (theOptions.IsClimb)
          {
            aContour.Reverse();
          }
        }
      });
}

//! Sends thePlaces as problems of theReport, their x turned back about theMirrorX when
//! isMirrored.
void reportGaps(const std::vector<VexJob_Gaps::Place>& thePlaces, const VexJob_Tool& theTool,
                const std::string& theSide, const bool isMirrored, const double theMirrorX,
                VexJob_Report& theReport)
{
  for (const VexJob_Gaps::Place& aPlace : thePlaces)
  {
    Message_Msg aMsg("VEX_JOB_NOT_ISOLABLE");
    aMsg << theSide.c_str() << (isMirrored ? 2.0 * theMirrorX - aPlace.Where.X() : aPlace.Where.X())
         << aPlace.Where.Y() << aPlace.Gap << theTool.Name.c_str() << theTool.Width;
    theReport.Problem(aMsg);
  }
}
} // namespace

size_t VexJob_Isolation::Rings(const ClipperLib::Paths& theCopper, const Standard_Real theWidth,
                               const VexJob_Options&        theOptions,
                               std::vector<VexJob_Contour>& theContours)
{
  ClipperLib::Paths aRings;
  VexJob_Tiles::OffsetRings(theCopper, Offsets(theWidth, theOptions), aRings);
  addRings(aRings, theOptions, theContours);
  return aRings.size();
}

VexJob_Tiles::Result VexJob_Isolation::Isolate(
    const VexJob_Copper& theCopper, const VexJob_Tool& theTool, const VexJob_Options& theOptions,
    const std::string& theSide, const bool isMirrored, const Standard_Real theMirrorX,
    VexJob_Report& theReport, std::vector<VexJob_Contour>& theContours)
{
  VexJob_Tiles::Result aResult;
  VexJob_Tiles::Isolate(theCopper, Offsets(theTool.Width, theOptions), theTool.Width, aResult);
  addRings(aResult.Rings, theOptions, theContours);
  for (const ClipperLib::Path& aChain : aResult.Open)
  {
    std::vector<gp_XY> aPoints;
    for (const ClipperLib::IntPoint& aPoint : aChain)
    {
      aPoints.push_back(VexGeom_Units::ToXY(aPoint));
    }
    theContours.push_back(VexJob_ArcFit::FitOpen(aPoints));
  }
  reportGaps(aResult.Gaps, theTool, theSide, isMirrored, theMirrorX, theReport);
  return aResult;
}

int VexJob_Isolation::FindGaps(const ClipperLib::Paths& theCopper, const VexJob_Tool& theTool,
                               const std::string& theSide, VexJob_Report& theReport)
{
  std::vector<VexJob_Gaps::Place> aPlaces;
  VexJob_Gaps::Find(theCopper, theTool.Width, aPlaces);
  reportGaps(aPlaces, theTool, theSide, false, 0.0, theReport);
  return static_cast<int>(aPlaces.size());
}

void VexJob_Isolation::Mirror(ClipperLib::Paths& thePolygons, const Standard_Real theX)
{
  const ClipperLib::cInt aTwiceX = VexGeom_Units::ToInt(2.0 * theX);
  for (ClipperLib::Path& aPath : thePolygons)
  {
    for (ClipperLib::IntPoint& aPoint : aPath)
    {
      aPoint.X = aTwiceX - aPoint.X;
    }
    ClipperLib::ReversePath(aPath);
  }
}
