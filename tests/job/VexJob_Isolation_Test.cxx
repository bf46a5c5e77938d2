// Copyright (c) 2026 VexData developers
// Isolation of copper: rings at the cutter's radius written as arcs where they follow circles,
// further rings for passes and clearance, rings inside clear areas, the places where the cutter
// does not fit between islands, mirroring of the bottom, and no ring ever in copper.
#include <VexJob_TestBoard.hxx>
#include <VexTest_Messages.hxx>

#include <VexJob_Isolation.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
//! A design with round pads of theDiameter at thePoints.
VexVerify_TestModel pads(const double theDiameter, const std::vector<gp_XY>& thePoints)
{
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aFlashes = aDesign.Points(aDesign.Aperture("D10", {theDiameter}), "M");
  for (const gp_XY& aPoint : thePoints)
  {
    aDesign.Point(aFlashes, aPoint.X(), aPoint.Y());
  }
  return aDesign;
}

//! Returns the rings of theDesign cut by a tool of theWidth with theOptions.
std::vector<VexJob_Contour> rings(const VexVerify_TestModel& theDesign, const double theWidth,
                                  const VexJob_Options& theOptions = VexJob_Options())
{
  std::vector<VexJob_Contour> aRings;
  VexJob_Isolation::Rings(VexJob_TestBoard::Copper(theDesign), theWidth, theOptions, aRings);
  return aRings;
}

TEST(VexJob_Isolation, RoundPadRingsAreWholeCirclesWithinOneMicrometre)
{
  VexJob_Options anOptions;
  anOptions.Passes                         = 2;
  const std::vector<VexJob_Contour> aRings = rings(pads(1.6, {gp_XY(5.0, 5.0)}), 0.2, anOptions);
  ASSERT_EQ(aRings.size(), 3u);
  for (size_t aRing = 0; aRing < aRings.size(); ++aRing)
  {
    ASSERT_EQ(aRings[aRing].Elements().size(), 1u) << "one arc instead of chords";
    const VexJob_Element& anArc = aRings[aRing].Elements()[0];
    EXPECT_TRUE(anArc.IsArc);
    EXPECT_TRUE(anArc.IsCcw) << "conventional: the copper on the cutter's left";
    EXPECT_NEAR(anArc.Angle1 - anArc.Angle0, 2.0 * M_PI, 1e-9);
    EXPECT_NEAR(anArc.Center.X(), 5.0, 1e-3);
    EXPECT_NEAR(anArc.Center.Y(), 5.0, 1e-3);
    EXPECT_NEAR(anArc.Radius, 0.9 + aRing * 0.2 * 0.85, 1e-3);
  }
}

TEST(VexJob_Isolation, RectangleRingHasRoundCornersAsArcs)
{
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& anArea = aDesign.Area();
  aDesign.Rectangle(anArea, gp_XY(0.0, 0.0), gp_XY(2.0, 1.0));
  for (const bool isClimb : {false, true})
  {
    VexJob_Options anOptions;
    anOptions.IsClimb                        = isClimb;
    const std::vector<VexJob_Contour> aRings = rings(aDesign, 0.3, anOptions);
    ASSERT_EQ(aRings.size(), 1u);
    EXPECT_EQ(aRings[0].Elements().size(), 8u);
    EXPECT_EQ(aRings[0].NbArcs(), 4u);
    for (const VexJob_Element& anElement : aRings[0].Elements())
    {
      EXPECT_NEAR(anElement.Radius, anElement.IsArc ? 0.15 : 0.0, 1e-3);
    }
    EXPECT_EQ(VexJob_TestBoard::Turn(aRings[0]) > 0.0, !isClimb);
    EXPECT_NEAR(aRings[0].Length(), 2.0 * 3.0 + 2.0 * M_PI * 0.15, 1e-3);
  }
}

TEST(VexJob_Isolation, ClearAreaInPourIsIsolatedFromInside)
{
  VexVerify_TestModel aDesign;
  aDesign.Rectangle(aDesign.Area(), gp_XY(0.0, 0.0), gp_XY(10.0, 10.0));
  aDesign.Rectangle(aDesign.Area(true), gp_XY(4.0, 4.0), gp_XY(6.0, 6.0));
  PenFormatData_Sequence& aPad = aDesign.Points(aDesign.Aperture("D11", {1.0}), "M");
  aDesign.Point(aPad, 5.0, 5.0); // an island in the clear area
  const std::vector<VexJob_Contour> aRings = rings(aDesign, 0.2);
  ASSERT_EQ(aRings.size(), 3u);
  int aClockwise = 0;
  for (const VexJob_Contour& aRing : aRings)
  {
    aClockwise += VexJob_TestBoard::Turn(aRing) < 0.0 ? 1 : 0;
  }
  EXPECT_EQ(aClockwise, 1) << "the ring inside the clear area runs clockwise";
  EXPECT_NEAR(VexJob_TestBoard::Clearance(aRings, VexJob_TestBoard::Copper(aDesign)), 0.1, 2e-3);
}

TEST(VexJob_Isolation, ClearanceAddsRingsUntilItIsReached)
{
  const struct
  {
    int    Passes;
    double Clearance, Overlap;
    int    Rings;
  } THE_CASES[] = {{0, 0.0, 0.15, 1},  {3, 0.0, 0.15, 4}, {0, 0.2, 0.15, 1}, {0, 0.37, 0.15, 2},
                   {0, 0.38, 0.15, 3}, {0, 1.0, 0.15, 6}, {0, 1.0, 0.5, 9},  {10, 1.0, 0.15, 11}};
  for (const auto& aCase : THE_CASES)
  {
    VexJob_Options anOptions;
    anOptions.Passes    = aCase.Passes;
    anOptions.Clearance = aCase.Clearance;
    anOptions.Overlap   = aCase.Overlap;
    const int aRings    = VexJob_Isolation::NbRings(0.2, anOptions);
    EXPECT_EQ(aRings, aCase.Rings) << aCase.Clearance;
    EXPECT_GE(0.2 + (aRings - 1) * 0.2 * (1.0 - aCase.Overlap), aCase.Clearance - 1e-12);
  }
}

TEST(VexJob_Isolation, NarrowGapsBetweenIslandsAreNamedWithPlaceAndWidth)
{
  // Pads of 1 mm in a row: 0.15 mm apart (too narrow for 0.2 mm), then 0.3 mm apart.
  const VexVerify_TestModel aDesign =
      pads(1.0, {gp_XY(0.0, 0.0), gp_XY(1.15, 0.0), gp_XY(2.3, 0.0), gp_XY(3.6, 0.0)});
  VexTest_MessageCapture aCapture;
  VexJob_Report          aReport(aCapture.Messenger());
  const VexJob_Tool      aTool{"V02", VexJob_Tool::Kind_Isolation, 0.2};
  EXPECT_EQ(VexJob_Isolation::FindGaps(VexJob_TestBoard::Copper(aDesign), aTool, "top", aReport),
            2);
  EXPECT_EQ(aReport.NbProblems(), 2);
  ASSERT_EQ(aCapture.Messages().size(), 2u);
  // The places in any order: by x.
  std::vector<VexTest_Message> aMessages(aCapture.Messages().begin(), aCapture.Messages().end());
  std::sort(aMessages.begin(), aMessages.end(),
            [](const VexTest_Message& theA, const VexTest_Message& theB)
            { return std::stod(theA.Args[1]) < std::stod(theB.Args[1]); });
  const double THE_MIDDLES[] = {0.575, 1.725};
  for (size_t anIndex = 0; anIndex < 2; ++anIndex)
  {
    const VexTest_Message& aMessage = aMessages[anIndex];
    EXPECT_EQ(aMessage.Key, "VEX_JOB_NOT_ISOLABLE");
    EXPECT_EQ(aMessage.Gravity, Message_Warning);
    ASSERT_EQ(aMessage.Args.size(), 6u);
    EXPECT_EQ(aMessage.Args[0], "top");
    EXPECT_NEAR(std::stod(aMessage.Args[1]), THE_MIDDLES[anIndex], 0.05);
    EXPECT_NEAR(std::stod(aMessage.Args[2]), 0.0, 0.05);
    EXPECT_NEAR(std::stod(aMessage.Args[3]), 0.15, 2e-3);
    EXPECT_EQ(aMessage.Args[4], "V02");
  }
  // The same pads with a cutter that fits: nothing found.
  VexJob_Report aQuiet(nullptr);
  EXPECT_EQ(VexJob_Isolation::FindGaps(VexJob_TestBoard::Copper(aDesign),
                                       VexJob_Tool{"V01", VexJob_Tool::Kind_Isolation, 0.1}, "top",
                                       aQuiet),
            0);
}

TEST(VexJob_Isolation, NoRingComesCloserToCopperThanTheCutterRadius)
{
  // A dense little board: traces, pads, an area with a clear window, rings around all of it.
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aTraces = aDesign.Paths(aDesign.Aperture("D12", {0.25}), "M");
  aDesign.Line(aTraces, {gp_XY(0, 0), gp_XY(5, 0), gp_XY(7, 2), gp_XY(7, 6)});
  aDesign.Line(aTraces, {gp_XY(0, 1), gp_XY(4.5, 1), gp_XY(6, 2.5)});
  aDesign.Rectangle(aDesign.Area(), gp_XY(9, 0), gp_XY(14, 5));
  aDesign.Rectangle(aDesign.Area(true), gp_XY(10, 1), gp_XY(12, 3));
  PenFormatData_Sequence& aPads = aDesign.Points(aDesign.Aperture("D13", {1.2, 0.4}), "M");
  aDesign.Point(aPads, 0, 0);
  aDesign.Point(aPads, 7, 6);
  aDesign.Point(aPads, 11, 2);
  VexJob_Options anOptions;
  anOptions.Passes                          = 1;
  const ClipperLib::Paths           aCopper = VexJob_TestBoard::Copper(aDesign);
  const std::vector<VexJob_Contour> aRings  = rings(aDesign, 0.2, anOptions);
  // The copper's circles are flattened (chords within 1 um, a few um at a disc's seam), and
  // the rings follow the true circles: they may come that much closer to the chords.
  EXPECT_GE(VexJob_TestBoard::Clearance(aRings, aCopper, 0.02), 0.1 - 4e-3);
}

TEST(VexJob_Isolation, MirrorTurnsTheBoardOverAboutAVerticalLine)
{
  ClipperLib::Paths aCopper = VexJob_TestBoard::Copper(pads(1.0, {gp_XY(3.0, 2.0)}));
  VexJob_Isolation::Mirror(aCopper, 10.0);
  std::vector<VexJob_Contour> aRings;
  VexJob_Isolation::Rings(aCopper, 0.2, VexJob_Options(), aRings);
  ASSERT_EQ(aRings.size(), 1u);
  EXPECT_NEAR(aRings[0].Elements()[0].Center.X(), 17.0, 1e-3);
  EXPECT_NEAR(aRings[0].Elements()[0].Center.Y(), 2.0, 1e-3);
  EXPECT_TRUE(aRings[0].Elements()[0].IsCcw) << "orientation kept after mirroring";
}
} // namespace
