// Copyright (c) 2026 VexData developers
// Isolation tile by tile: the rings cut at tile edges join into the same closed rings as those
// of the board worked on whole, and the narrow places are found once.
#include <VexJob_TestBoard.hxx>

#include <VexJob_Isolation.hxx>
#include <VexJob_ArcFit.hxx>
#include <VexJob_Tiles.hxx>

#include <gtest/gtest.h>

namespace
{
//! A board of 40 x 30 mm: a pour with clear windows, pads in them, traces across everything.
VexVerify_TestModel board()
{
  VexVerify_TestModel aDesign;
  aDesign.Rectangle(aDesign.Area(), gp_XY(0, 0), gp_XY(40, 12));
  PenFormatData_Sequence& aWindows = aDesign.Area(true);
  for (int anIndex = 0; anIndex < 6; ++anIndex)
  {
    aDesign.Rectangle(aWindows, gp_XY(1 + 6.5 * anIndex, 2), gp_XY(5 + 6.5 * anIndex, 6));
  }
  PenFormatData_Sequence& aPads   = aDesign.Points(aDesign.Aperture("D11", {1.7, 0.8}), "M");
  PenFormatData_Sequence& aTraces = aDesign.Paths(aDesign.Aperture("D10", {0.3}), "M");
  for (int anIndex = 0; anIndex < 6; ++anIndex)
  {
    aDesign.Point(aPads, 3 + 6.5 * anIndex, 4);
    aDesign.Point(aPads, 3 + 6.5 * anIndex, 20);
    aDesign.Line(aTraces,
                 {gp_XY(3 + 6.5 * anIndex, 20), gp_XY(3 + 6.5 * anIndex + 2, 25), gp_XY(38, 29)});
  }
  // Two pads too close for the cutter, right on the edge between two tiles.
  aDesign.Point(aPads, 19.0, 16.0);
  aDesign.Point(aPads, 20.8, 16.0);
  return aDesign;
}

//! Returns the length of theRings.
double length(const ClipperLib::Paths& theRings)
{
  double aLength = 0.0;
  for (ClipperLib::Path aRing : theRings)
  {
    aRing.push_back(aRing.front());
    aLength += VexGeom_Polygons::Length(aRing);
  }
  return aLength;
}

TEST(VexJob_Tiles, RingsCutAtTileEdgesJoinAsOnTheWholeBoard)
{
  const VexVerify_TestModel aDesign = board();
  const VexJob_Copper       aCopper(*aDesign.Model());
  const std::vector<double> anOffsets = {0.1, 0.27, 0.44};
  VexJob_Tiles::Result      aWhole, aTiled;
  VexJob_Tiles::Isolate(aCopper, anOffsets, 0.2, aWhole);
  VexJob_Tiles::Isolate(aCopper, anOffsets, 0.2, aTiled, 4);
  // Tiles worked on by several threads at once give the very same rings and places, in order.
  for (const size_t aWorkers : {1u, 3u, 7u})
  {
    VexJob_Tiles::Result aThreaded;
    VexJob_Tiles::Isolate(aCopper, anOffsets, 0.2, aThreaded, 4, aWorkers);
    EXPECT_EQ(aThreaded.Rings, aTiled.Rings) << aWorkers << " workers";
    ASSERT_EQ(aThreaded.Gaps.size(), aTiled.Gaps.size());
    EXPECT_EQ(aThreaded.NbTiles, aTiled.NbTiles);
    EXPECT_EQ(aThreaded.NbCopperVertices, aTiled.NbCopperVertices);
  }
  EXPECT_EQ(aWhole.NbTiles, 1u);
  EXPECT_GT(aTiled.NbTiles, 8u);
  EXPECT_TRUE(aTiled.Open.empty());
  EXPECT_EQ(aTiled.Rings.size(), aWhole.Rings.size());
  EXPECT_NEAR(length(aTiled.Rings), length(aWhole.Rings), 1e-6 * length(aWhole.Rings));
  ASSERT_EQ(aWhole.Gaps.size(), 1u);
  ASSERT_EQ(aTiled.Gaps.size(), 1u);
  EXPECT_TRUE(aTiled.Gaps[0].Where.IsEqual(aWhole.Gaps[0].Where, 1e-9));
  EXPECT_NEAR(aTiled.Gaps[0].Gap, 0.1, 2e-3);
  // Every ring keeps the cutter off the copper.
  std::vector<VexJob_Contour> aContours;
  for (const ClipperLib::Path& aRing : aTiled.Rings)
  {
    aContours.push_back(VexJob_ArcFit::Fit(aRing));
  }
  ClipperLib::Paths aPolygons;
  VexJob_Copper::Build(*aDesign.Model(), aPolygons);
  EXPECT_GE(VexJob_TestBoard::Clearance(aContours, aPolygons, 0.1), 0.1 - 4e-3);
}
} // namespace
