// Copyright (c) 2026 VexData developers
// The cut-out: outer contours outside the board at the end mill's radius, inner cut-outs inside
// theirs, breakout tabs spread along the outer contour and never on a corner, and outlines that
// do not close named.
#include <VexJob_TestBoard.hxx>
#include <VexTest_Messages.hxx>

#include <VexJob_CutOut.hxx>

#include <gtest/gtest.h>

namespace
{
//! A board 50 x 30 mm drawn as lines, with a window 20..30 x 10..20 cut out of it.
VexVerify_TestModel outline(const bool isOpen = false)
{
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aLines = aDesign.Paths(aDesign.Aperture("D10", {0.1}), "Outline");
  // The outer profile in two draws that meet, as outline files often have it.
  aDesign.Line(aLines, {gp_XY(0, 0), gp_XY(50, 0), gp_XY(50, 30)});
  aDesign.Line(aLines, {gp_XY(50, 30), gp_XY(0, 30), gp_XY(0, isOpen ? 1 : 0)});
  aDesign.Rectangle(aLines, gp_XY(20, 10), gp_XY(30, 20));
  return aDesign;
}

//! Returns the board of theDesign.
ClipperLib::Paths board(const VexVerify_TestModel& theDesign, VexJob_Report& theReport)
{
  ClipperLib::Paths aBoard;
  VexJob_CutOut::Board(*theDesign.Model(), "edge.gbr", theReport, aBoard);
  return aBoard;
}

TEST(VexJob_CutOut, OuterContourOutsideInnerInsideOneDirection)
{
  VexJob_Report     aReport(nullptr);
  ClipperLib::Paths aBoard = board(outline(), aReport);
  ASSERT_EQ(aBoard.size(), 2u);
  for (const bool isClimb : {false, true})
  {
    VexJob_Options anOptions;
    anOptions.IsClimb = isClimb;
    std::vector<VexJob_Contour> aContours;
    EXPECT_EQ(VexJob_CutOut::Cut(aBoard, 2.0, anOptions, aReport, aContours), 0);
    ASSERT_EQ(aContours.size(), 2u);
    for (const VexJob_Contour& aContour : aContours)
    {
      const bool isOuter = aContour.NbArcs() == 4;
      // The outer contour: 52 x 32 with corners of the end mill's radius; the window: 8 x 8.
      EXPECT_NEAR(aContour.Length(), isOuter ? 2 * 50 + 2 * 30 + 2 * M_PI : 32.0, 1e-3);
      // Conventional milling keeps the board on the left: outer counter-clockwise, inner
      // clockwise; climb the other way.
      EXPECT_EQ(VexJob_TestBoard::Turn(aContour) > 0.0, isOuter != isClimb);
    }
    EXPECT_NEAR(VexJob_TestBoard::Clearance(aContours, aBoard, 0.1), 1.0, 2e-3);
  }
  EXPECT_EQ(aReport.NbProblems(), 0);
}

TEST(VexJob_CutOut, TabsAreSpreadAndStayOffCorners)
{
  VexJob_Report     aReport(nullptr);
  ClipperLib::Paths aBoard = board(outline(), aReport);
  for (const int aTabs : {1, 2, 4, 6})
  {
    VexJob_Options anOptions;
    anOptions.Tabs     = aTabs;
    anOptions.TabWidth = 1.5;
    std::vector<VexJob_Contour> aContours;
    EXPECT_EQ(VexJob_CutOut::Cut(aBoard, 2.0, anOptions, aReport, aContours), aTabs);
    ASSERT_EQ(aContours.size(), static_cast<size_t>(aTabs) + 1) << "pieces and the window";
    double aCut = 0.0;
    for (const VexJob_Contour& aPiece : aContours)
    {
      if (aPiece.IsClosed())
      {
        continue;
      }
      aCut += aPiece.Length();
      // Each tab lies on a straight side, at least the cutter's width from its corners.
      for (const gp_XY& anEnd : {aPiece.Start(), aPiece.End()})
      {
        const bool isSide = std::abs(anEnd.Y() + 1) < 1e-6 || std::abs(anEnd.Y() - 31) < 1e-6;
        const bool isEnd  = std::abs(anEnd.X() + 1) < 1e-6 || std::abs(anEnd.X() - 51) < 1e-6;
        EXPECT_TRUE(isSide || isEnd) << anEnd.X() << " " << anEnd.Y();
        EXPECT_TRUE(isSide ? anEnd.X() >= 2.0 - 1e-9 && anEnd.X() <= 48.0 + 1e-9
                           : anEnd.Y() >= 2.0 - 1e-9 && anEnd.Y() <= 28.0 + 1e-9);
      }
    }
    // Each tab leaves a gap in the path of the tab's width and the cutter's.
    EXPECT_NEAR(aCut, 2 * 50 + 2 * 30 + 2 * M_PI - aTabs * 3.5, 1e-3);
  }
  EXPECT_EQ(aReport.NbProblems(), 0);
}

TEST(VexJob_CutOut, TabsThatDoNotFitAndOpenOutlinesAreNamed)
{
  VexTest_MessageCapture aCapture;
  VexJob_Report          aReport(aCapture.Messenger());
  ClipperLib::Paths      aBoard = board(outline(true), aReport);
  ASSERT_EQ(aCapture.Messages().size(), 1u);
  EXPECT_EQ(aCapture.Messages()[0].Key, "VEX_JOB_OUTLINE_OPEN");
  EXPECT_EQ(aCapture.Messages()[0].Args[0], "edge.gbr");
  EXPECT_EQ(aCapture.Messages()[0].Args[1], "2");
  ASSERT_EQ(aBoard.size(), 1u) << "the window still closes";
  VexJob_Options anOptions;
  anOptions.Tabs     = 2;
  anOptions.TabWidth = 20.0;
  std::vector<VexJob_Contour> aContours;
  EXPECT_EQ(VexJob_CutOut::Cut(aBoard, 2.0, anOptions, aReport, aContours), 0)
      << "the window's inner contour takes no tabs";
  anOptions.TabWidth = 1.0;
  ClipperLib::Paths aSmall(1, VexGeom_Polygons::Rectangle(ClipperLib::IntPoint(0, 0),
                                                          ClipperLib::IntPoint(300000, 300000)));
  EXPECT_EQ(VexJob_CutOut::Cut(aSmall, 2.0, anOptions, aReport, aContours), 0);
  EXPECT_EQ(aCapture.Messages().back().Key, "VEX_JOB_TABS_DONT_FIT");
  EXPECT_EQ(aCapture.Messages().back().Args[0], "0");
  EXPECT_EQ(aCapture.Messages().back().Args[1], "2");
}
} // namespace
