// Copyright (c) 2026 VexData developers
// Drilling with the machine's drills: each hole gets the smallest drill no smaller than its
// diameter less the tolerance, holes wider than every drill are milled as circles, slots along
// their path, and what no tool can make is named once.
#include <VexTest_Messages.hxx>
#include <VexVerify_TestModel.hxx>

#include <VexJob_Drilling.hxx>

#include <gtest/gtest.h>

namespace
{
//! Makes the drilling of theDesign with the default library; returns its toolpaths.
std::vector<VexJob_Toolpath> drill(const Handle(PenFormatData_Model) & theDesign,
                                   VexJob_Report& theReport, const bool isClimb = false)
{
  static const VexJob_ToolLibrary THE_LIBRARY = VexJob_ToolLibrary::Default();
  VexJob_Options                  anOptions;
  anOptions.IsClimb = isClimb;
  VexJob_Drilling aDrilling(THE_LIBRARY, anOptions, theReport);
  aDrilling.Add(*theDesign, "board.drl");
  std::vector<VexJob_Toolpath> aToolpaths;
  aDrilling.Toolpaths("Top", aToolpaths);
  return aToolpaths;
}

TEST(VexJob_Drilling, EachHoleGetsTheSmallestDrillWithinTolerance)
{
  // A drill more than the tolerance larger than its hole (the smallest drill is 0.4 mm) is a
  // place not machined as designed.
  const struct
  {
    double      Diameter;
    const char* Tool;
    const char* How;
    int         Problems;
  } THE_CASES[] = {{0.3, "Drill0.40", "drilled", 1},  {0.45, "Drill0.40", "drilled", 0},
                   {0.46, "Drill0.50", "drilled", 0}, {0.8, "Drill0.80", "drilled", 0},
                   {0.85, "Drill0.80", "drilled", 0}, {0.86, "Drill0.90", "drilled", 0},
                   {3.25, "Drill3.20", "drilled", 0}, {3.0 + 0.5e-3, "Drill3.00", "drilled", 0},
                   {4.0, "Mill3.00", "milled", 0},    {3.3, "Mill3.00", "milled", 0}};
  for (const auto& aCase : THE_CASES)
  {
    VexVerify_TestModel     aDesign(PenFormatData_DU_Inch);
    const int               anAperture = aDesign.Aperture("T1", {aCase.Diameter / 25.4});
    PenFormatData_Sequence& aHoles     = aDesign.Points(anAperture);
    aDesign.Point(aHoles, 1.0, 1.0);
    aDesign.Point(aHoles, 2.0, 1.0);
    VexJob_Report                      aReport(nullptr);
    const std::vector<VexJob_Toolpath> aToolpaths = drill(aDesign.Model(), aReport);
    ASSERT_EQ(aToolpaths.size(), 1u) << aCase.Diameter;
    EXPECT_EQ(aToolpaths[0].Tool.Name, aCase.Tool) << aCase.Diameter;
    ASSERT_EQ(aReport.Holes().size(), 1u);
    EXPECT_EQ(aReport.Holes()[0].How, aCase.How) << aCase.Diameter;
    EXPECT_EQ(aReport.Holes()[0].Count, 2);
    EXPECT_NEAR(aReport.Holes()[0].Design, aCase.Diameter, 1e-9);
    EXPECT_EQ(aReport.NbProblems(), aCase.Problems) << aCase.Diameter;
  }
}

TEST(VexJob_Drilling, WideHoleIsMilledAsCircleInTheCutDirection)
{
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aHoles = aDesign.Points(aDesign.Aperture("T9", {5.0}));
  aDesign.Point(aHoles, 10.0, 20.0);
  for (const bool isClimb : {false, true})
  {
    VexJob_Report                      aReport(nullptr);
    const std::vector<VexJob_Toolpath> aToolpaths = drill(aDesign.Model(), aReport, isClimb);
    ASSERT_EQ(aToolpaths.size(), 1u);
    EXPECT_EQ(aToolpaths[0].Phase, VexJob_Drilling::THE_MILLING);
    ASSERT_EQ(aToolpaths[0].Contours.size(), 1u);
    const VexJob_Element& anArc = aToolpaths[0].Contours[0].Elements().at(0);
    EXPECT_TRUE(anArc.IsArc);
    EXPECT_TRUE(anArc.Center.IsEqual(gp_XY(10.0, 20.0), 1e-12));
    // The 3 mm end mill's edge reaches the hole's wall.
    EXPECT_NEAR(anArc.Radius + 1.5, 2.5, 1e-12);
    EXPECT_EQ(anArc.IsCcw, isClimb) << "a pocket: conventional runs clockwise";
    EXPECT_NEAR(std::abs(anArc.Angle1 - anArc.Angle0), 2.0 * M_PI, 1e-12);
  }
}

TEST(VexJob_Drilling, HoleAsWideAsAnEndMillIsPlunged)
{
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aHoles = aDesign.Points(aDesign.Aperture("T9", {2.5}));
  aDesign.Point(aHoles, 0.0, 0.0);
  VexJob_Options     anOptions;
  VexJob_ToolLibrary aLibrary;
  aLibrary.Add(VexJob_Tool{"D1", VexJob_Tool::Kind_Drill, 1.0});
  aLibrary.Add(VexJob_Tool{"E25", VexJob_Tool::Kind_EndMill, 2.5});
  VexJob_Report   aReport(nullptr);
  VexJob_Drilling aDrilling(aLibrary, anOptions, aReport);
  aDrilling.Add(*aDesign.Model(), "x");
  std::vector<VexJob_Toolpath> aToolpaths;
  aDrilling.Toolpaths("Top", aToolpaths);
  ASSERT_EQ(aToolpaths.size(), 1u);
  EXPECT_TRUE(aToolpaths[0].IsDrilling());
  EXPECT_EQ(aToolpaths[0].Tool.Name, "E25");
  EXPECT_EQ(aReport.Holes()[0].How, "plunged");
}

TEST(VexJob_Drilling, WhatNoToolMakesIsNamedOnce)
{
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aHoles = aDesign.Points(aDesign.Aperture("T1", {1.0}));
  aDesign.Point(aHoles, 3.0, 4.0);
  aDesign.Point(aHoles, 5.0, 4.0);
  PenFormatData_Sequence& aSlot = aDesign.Paths(aDesign.Aperture("T2", {0.5}), "Drilling");
  aDesign.Line(aSlot, {gp_XY(0.0, 0.0), gp_XY(2.0, 0.0)});
  VexJob_ToolLibrary aLibrary; // one wide end mill only
  aLibrary.Add(VexJob_Tool{"E2", VexJob_Tool::Kind_EndMill, 2.0});
  VexJob_Options         anOptions;
  VexTest_MessageCapture aCapture;
  VexJob_Report          aReport(aCapture.Messenger());
  VexJob_Drilling        aDrilling(aLibrary, anOptions, aReport);
  aDrilling.Add(*aDesign.Model(), "board.drl");
  EXPECT_EQ(aReport.NbProblems(), 2);
  ASSERT_EQ(aCapture.Messages().size(), 2u) << aCapture.Dump();
  EXPECT_EQ(aCapture.Messages()[0].Key, "VEX_JOB_HOLES_NO_TOOL");
  EXPECT_EQ(aCapture.Messages()[0].Args,
            (std::vector<std::string>{"2", "1", "board.drl", "3", "4"}));
  EXPECT_EQ(aCapture.Messages()[0].Gravity, Message_Warning);
  EXPECT_EQ(aCapture.Messages()[1].Key, "VEX_JOB_SLOT_NO_TOOL");
}

TEST(VexJob_Drilling, SlotIsMilledAlongItsPathWithRingsWhenWider)
{
  const struct
  {
    double Width;
    size_t Contours; //!< rings and the centre line
  } THE_CASES[] = {{1.0, 1}, {1.04, 1}, {1.5, 2}, {2.0, 2}, {2.9, 3}, {3.4, 3}};
  for (const auto& aCase : THE_CASES)
  {
    VexVerify_TestModel     aDesign;
    PenFormatData_Sequence& aSlot = aDesign.Paths(aDesign.Aperture("T2", {aCase.Width}), "D");
    aDesign.Line(aSlot, {gp_XY(0.0, 0.0), gp_XY(4.0, 0.0)});
    VexJob_ToolLibrary aLibrary;
    aLibrary.Add(VexJob_Tool{"E1", VexJob_Tool::Kind_EndMill, 1.0});
    VexJob_Options  anOptions;
    VexJob_Report   aReport(nullptr);
    VexJob_Drilling aDrilling(aLibrary, anOptions, aReport);
    aDrilling.Add(*aDesign.Model(), "x");
    std::vector<VexJob_Toolpath> aToolpaths;
    aDrilling.Toolpaths("Top", aToolpaths);
    ASSERT_EQ(aToolpaths.size(), 1u);
    const std::vector<VexJob_Contour>& aContours = aToolpaths[0].Contours;
    ASSERT_EQ(aContours.size(), aCase.Contours) << aCase.Width;
    EXPECT_TRUE(aContours.back().Start().IsEqual(gp_XY(0.0, 0.0), 1e-12));
    EXPECT_TRUE(aContours.back().End().IsEqual(gp_XY(4.0, 0.0), 1e-12));
    if (aContours.size() > 1)
    {
      // The outer ring keeps the end mill's edge on the slot's wall: its round ends are arcs.
      const VexJob_Contour& aRing = aContours.front();
      EXPECT_EQ(aRing.NbArcs(), 2u);
      for (const VexJob_Element& anElement : aRing.Elements())
      {
        if (anElement.IsArc)
        {
          EXPECT_NEAR(anElement.Radius, 0.5 * (aCase.Width - 1.0), 2e-3) << aCase.Width;
        }
      }
    }
  }
}
} // namespace
