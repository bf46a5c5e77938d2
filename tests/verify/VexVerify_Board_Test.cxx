// Copyright (c) 2026 VexData developers
// The board an outline encloses when it is drawn as CAD programs draw it: line ends that stop
// short of the next line by up to 0.28 mm, corners redrawn so that lines end on the middle of
// others or run on past them, overlapping lines, lines in any order and direction, arcs whose
// ends miss the lines. The board's area and contours come out right, and the outline check
// finds a path leaving such a board and nothing along the outline itself.
#include <VexTest_Messages.hxx>
#include <VexVerify_TestModel.hxx>

#include <VexVerify_Board.hxx>
#include <VexVerify_OutlineCheck.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace
{
typedef std::vector<gp_XY> Line;

//! Tolerance of the checks, and the distance at which line ends meet without a bridge.
const double THE_TOLERANCE = 0.01;

//! Area of a 50 x 30 mm board.
const double THE_BOARD = 1500.0;

//! A drawing: its lines (and round corners: centre, radius, first and second angle), what the
//! board built from it holds.
struct Drawing
{
  const char*                        Name;
  std::vector<Line>                  Lines;
  std::vector<std::array<double, 5>> Arcs;
  double                             Area;    //!< of the board
  int                                Outer;   //!< outer contours
  int                                Inner;   //!< cut-outs
  int                                Faces;   //!< closed loops of the lines
  int                                Bridged; //!< line ends joined across a gap
};

//! Returns the signed area of thePoints (a closed polygon).
double areaOf(const std::vector<gp_XY>& thePoints)
{
  double anArea = 0.0;
  for (size_t anIndex = 0; anIndex < thePoints.size(); ++anIndex)
  {
    anArea += thePoints[anIndex].Crossed(thePoints[(anIndex + 1) % thePoints.size()]);
  }
  return 0.5 * anArea;
}

//! Returns the design of theDrawing: its lines and arcs drawn with a 0.1 mm pen.
Handle(PenFormatData_Model) design(const Drawing& theDrawing)
{
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aDraws = aDesign.Paths(aDesign.Aperture("D10", {0.1}), "Outline", "Edge");
  for (const Line& aLine : theDrawing.Lines)
  {
    aDesign.Line(aDraws, aLine);
  }
  for (const std::array<double, 5>& anArc : theDrawing.Arcs)
  {
    const Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(aDesign.Model()->Allocator(), 0);
    aContour->CreateArc(gp_XY(anArc[0], anArc[1]), anArc[2], anArc[3], anArc[4], 1);
    aDraws.GetCurve()->AddChild(aContour);
  }
  return aDesign.Model();
}

//! The 50 x 30 board cut into theCount pieces per side, each piece drawn in a random direction,
//! all in a random order, every piece stopping theGap short of the next.
std::vector<Line> pieces(const int theCount, const double theGap)
{
  const gp_XY aCorners[5] = {gp_XY(0, 0), gp_XY(50, 0), gp_XY(50, 30), gp_XY(0, 30), gp_XY(0, 0)};
  std::vector<Line> aLines;
  std::mt19937      aRandom(7);
  for (int aSide = 0; aSide < 4; ++aSide)
  {
    const gp_XY aStep  = (aCorners[aSide + 1] - aCorners[aSide]) / theCount;
    const gp_XY aShort = aStep * (theGap / aStep.Modulus());
    for (int aPiece = 0; aPiece < theCount; ++aPiece)
    {
      Line aLine = {aCorners[aSide] + aStep * aPiece,
                    aCorners[aSide] + aStep * (aPiece + 1) - aShort};
      if (aRandom() % 2 == 0)
      {
        std::reverse(aLine.begin(), aLine.end());
      }
      aLines.push_back(aLine);
    }
  }
  std::shuffle(aLines.begin(), aLines.end(), aRandom);
  return aLines;
}

//! The drawings: a 50 x 30 board, drawn in the ways CAD programs draw outlines.
std::vector<Drawing> drawings()
{
  const double aRounded = THE_BOARD - (4.0 - M_PI) * 4.0; // corners of radius 2
  return {
      {"four lines meeting at the corners",
       {{gp_XY(50, 30), gp_XY(0, 30)},
        {gp_XY(0, 0), gp_XY(50, 0)},
        {gp_XY(0, 0), gp_XY(0, 30)},
        {gp_XY(50, 30), gp_XY(50, 0)}},
       {},
       THE_BOARD,
       1,
       0,
       1,
       0},
      {"gaps of 0.025 to 0.28 mm; at one corner both lines stop short",
       {{gp_XY(0, 0), gp_XY(49.975, 0)},
        {gp_XY(50, 0), gp_XY(50, 29.72)},
        {gp_XY(50, 30), gp_XY(0.15, 30)},
        {gp_XY(0, 29.9), gp_XY(0, 0)}},
       {},
       THE_BOARD,
       1,
       0,
       1,
       4},
      {"corners redrawn: lines that end on the middle of others, lines that run on past them, "
       "overlapping lines",
       {{gp_XY(-0.5, 0), gp_XY(30, 0)},
        {gp_XY(20, 0), gp_XY(50, 0)},
        {gp_XY(50, 30), gp_XY(50, -0.4)},
        {gp_XY(50.5, 30), gp_XY(0, 30)},
        {gp_XY(0, 30), gp_XY(0, 10)},
        {gp_XY(0, 15), gp_XY(0, 0.2)},
        {gp_XY(0, 15), gp_XY(0, 15.5)}},
       {},
       THE_BOARD,
       1,
       0,
       1,
       1},
      {"a tab redrawn onto the middle of an edge that still runs past it",
       {{gp_XY(0, 0), gp_XY(50, 0), gp_XY(50, 30), gp_XY(0, 30), gp_XY(0, 0)},
        {gp_XY(0, 10), gp_XY(-5, 10), gp_XY(-5, 20), gp_XY(0.1, 20)}},
       {},
       THE_BOARD + 50.0,
       1,
       0,
       2,
       0},
      {"a cut-out, both contours with gaps",
       {{gp_XY(0, 0), gp_XY(50, 0), gp_XY(50, 30), gp_XY(0, 30), gp_XY(0, 0.2)},
        {gp_XY(20, 10), gp_XY(30, 10), gp_XY(30, 19.9)},
        {gp_XY(30, 20), gp_XY(20, 20), gp_XY(20, 10.05)}},
       {},
       THE_BOARD - 100.0,
       1,
       1,
       2,
       3},
      // Both ends of a gap between two pieces in line are bridged; at a corner, one.
      {"160 pieces in any order and direction, 0.05 mm apart",
       pieces(40, 0.05),
       {},
       THE_BOARD,
       1,
       0,
       1,
       4 * (39 * 2 + 1)},
      {"round corners whose arcs end 0.1 mm off the lines",
       {{gp_XY(2.1, 0), gp_XY(47.9, 0)},
        {gp_XY(50, 2.1), gp_XY(50, 27.9)},
        {gp_XY(47.9, 30), gp_XY(2.1, 30)},
        {gp_XY(0, 27.9), gp_XY(0, 2.1)}},
       {{48, 2, 2, -M_PI / 2, 0},
        {48, 28, 2, 0, M_PI / 2},
        {2, 28, 2, M_PI / 2, M_PI},
        {2, 2, 2, M_PI, 1.5 * M_PI}},
       aRounded,
       1,
       0,
       1,
       8},
  };
}
} // namespace

TEST(VexVerify_BoardTest, OutlinesAsCadProgramsDrawThem)
{
  for (const Drawing& aDrawing : drawings())
  {
    SCOPED_TRACE(aDrawing.Name);
    VexVerify_Board aBoard;
    aBoard.Build(*design(aDrawing), VexVerify_Board::DefaultGap(), THE_TOLERANCE);
    double anArea  = 0.0;
    int    anOuter = 0, anInner = 0;
    for (const VexVerify_Board::Contour& aContour : aBoard.Contours())
    {
      const double aSigned = areaOf(aContour.Points);
      EXPECT_EQ(aContour.IsOuter, aSigned > 0.0);
      anArea += aSigned;
      (aContour.IsOuter ? anOuter : anInner) += 1;
    }
    // Chords of round corners lie within 1 um of the arcs.
    EXPECT_NEAR(anArea, aDrawing.Area, 0.02);
    EXPECT_EQ(anOuter, aDrawing.Outer);
    EXPECT_EQ(anInner, aDrawing.Inner);
    EXPECT_EQ(aBoard.NbLoops(), aDrawing.Faces);
    EXPECT_EQ(aBoard.Gaps().NbBridged, aDrawing.Bridged);
    EXPECT_EQ(aBoard.NbAreas(), 0);
  }
}

TEST(VexVerify_BoardTest, TheOutlineCheckFindsWhatLeavesSuchABoardAndNothingAlongIt)
{
  // The job: the outline's own lines cut with a 0.1 mm tool, and a path running 5 mm out of the
  // board across its lower edge: 5 mm less the tool's radius and the tolerance lie outside.
  for (const Drawing& aDrawing : drawings())
  {
    SCOPED_TRACE(aDrawing.Name);
    VexVerify_TestModel     aJob;
    PenFormatData_Sequence& aCut = aJob.Paths(aJob.Aperture("Cut0.1", {0.1}), "Cutout", "Edge");
    for (const Line& aLine : aDrawing.Lines)
    {
      aJob.Line(aCut, aLine);
    }
    aJob.Line(aCut, {gp_XY(25, 10), gp_XY(25, -5)});
    const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                    NCollection_Sequence<TCollection_AsciiString>());
    VexVerify_Report::Check  aCheck;
    VexVerify_OutlineCheck   anOutline(THE_TOLERANCE);
    ASSERT_TRUE(anOutline.Perform(*design(aDrawing), aPaths, aCheck));
    ASSERT_EQ(aCheck.Findings.Length(), 1);
    EXPECT_NEAR(aCheck.FoundLength, 5.0 - 0.05 - THE_TOLERANCE, 0.005);
    EXPECT_EQ(aCheck.Features, aDrawing.Faces);
  }
}

TEST(VexVerify_BoardTest, GapsClosedAndEndsLeftOpenAreNoted)
{
  // The 0.28 mm gap closes with the default gap distance and says so; with 0.2 mm it does not,
  // and nothing else closes the board.
  VexTest_MessageCapture aCapture; // before the fault's message is made: it prints keys
  const Drawing          aDrawing = drawings()[1];
  VexVerify_TestModel    aJob;
  aJob.Line(aJob.Paths(aJob.Aperture("Cut0.1", {0.1})), {gp_XY(25, 10), gp_XY(25, 20)});
  const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                  NCollection_Sequence<TCollection_AsciiString>());
  VexVerify_Report::Check  aCheck;
  ASSERT_TRUE(VexVerify_OutlineCheck(THE_TOLERANCE).Perform(*design(aDrawing), aPaths, aCheck));
  ASSERT_EQ(aCheck.Notes.Length(), 1);
  EXPECT_STREQ(aCheck.Notes.First().ToCString(),
               "4 ends of outline lines met another line only across a gap and were joined to "
               "it, the widest gap 0.280 mm at (50.000, 29.720); gaps up to 0.300 mm are closed");

  VexVerify_Report::Check aNarrow;
  aNarrow.Design = "edge.gbr";
  VexVerify_OutlineCheck anOutline(THE_TOLERANCE, 0.2);
  EXPECT_FALSE(anOutline.Perform(*design(aDrawing), aPaths, aNarrow));
  Message_Msg aFault = anOutline.Fault();
  aCapture.Messenger()->Send(aFault.Get(), Message_Fail);
  EXPECT_EQ(aCapture.Dump(), "4 VEX_VERIFY_OUTLINE_EMPTY edge.gbr\n");
  ASSERT_EQ(aNarrow.Notes.Length(), 2);
  EXPECT_STREQ(aNarrow.Notes.Value(2).ToCString(),
               "2 ends of outline lines meet no other line within 0.200 mm, the first at "
               "(50.000, 29.720)");
}
