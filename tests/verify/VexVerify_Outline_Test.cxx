// Copyright (c) 2026 VexData developers
// The outline check: the board is built from outline draws in any order and
// direction (or from areas), and paths are found where they leave it by more
// than their tool radius.
#include <VexTest_Messages.hxx>
#include <VexVerify_TestModel.hxx>

#include <VexVerify_OutlineCheck.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace
{
//! Tolerance of every case.
const double THE_TOLERANCE = 0.01;

//! Accuracy expected of lengths (chords of round parts).
const double THE_LENGTH_ACCURACY = 0.005;

//! A 50 x 30 mm board drawn with a 0.1 mm pen as four separate draws in a scrambled order and
//! direction, the way many outline files draw it; theGap leaves that much between two ends.
void board(VexVerify_TestModel& theDesign, const double theGap = 0.0)
{
  PenFormatData_Sequence& aDraws =
      theDesign.Paths(theDesign.Aperture("D10", {0.1}), "Outline", "Edge");
  theDesign.Line(aDraws, {gp_XY(50, 30), gp_XY(0, 30)});
  theDesign.Line(aDraws, {gp_XY(0, 0), gp_XY(50, 0)});
  theDesign.Line(aDraws, {gp_XY(0, 0), gp_XY(0, 30 - theGap)});
  theDesign.Line(aDraws, {gp_XY(50, 30), gp_XY(50, 0)});
}

//! The contour cut of a 2 mm tool around the board: one radius outside, round at the corners.
void contourCut(VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
{
  const Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(theJob.Model()->Allocator(), 0);
  aContour->CreateSegment(gp_XY(0, -1), gp_XY(50, -1));
  aContour->CreateArc(gp_XY(50, 0), 1.0, -M_PI / 2, 0.0, 1);
  aContour->CreateSegment(gp_XY(51, 0), gp_XY(51, 30));
  aContour->CreateArc(gp_XY(50, 30), 1.0, 0.0, M_PI / 2, 1);
  aContour->CreateSegment(gp_XY(50, 31), gp_XY(0, 31));
  aContour->CreateArc(gp_XY(0, 30), 1.0, M_PI / 2, M_PI, 1);
  aContour->CreateSegment(gp_XY(-1, 30), gp_XY(-1, 0));
  aContour->CreateArc(gp_XY(0, 0), 1.0, M_PI, 1.5 * M_PI, 1);
  theSequence.GetCurve()->AddChild(aContour);
}

//! One case: the design, the paths of a 2 mm tool, what is found.
struct Case
{
  const char*                                                        Name;
  std::function<void(VexVerify_TestModel&)>                          Design;
  std::function<void(VexVerify_TestModel&, PenFormatData_Sequence&)> Paths;
  int                                                                Places;
  double                                                             Length;
  double Accuracy = THE_LENGTH_ACCURACY; //!< of the length
};

//! A straight path from theFrom to theTo.
std::function<void(VexVerify_TestModel&, PenFormatData_Sequence&)> line(const gp_XY& theFrom,
                                                                        const gp_XY& theTo)
{
  return [=](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence) {
    theJob.Line(theSequence, {theFrom, theTo});
  };
}

//! Runs the check of theCase; returns whether it succeeded.
bool run(const Case& theCase, VexVerify_Report::Check& theCheck, Message_Msg& theFault)
{
  VexVerify_TestModel aDesign, aJob;
  theCase.Design(aDesign);
  theCase.Paths(aJob, aJob.Paths(aJob.Aperture("Contour2.0", {2.0}), "Cutout", "Outline"));
  const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                  NCollection_Sequence<TCollection_AsciiString>());
  VexVerify_OutlineCheck   anOutline(THE_TOLERANCE);
  const bool isDone = anOutline.Perform(*aDesign.Model(), aPaths, theCheck) == Standard_True;
  theFault          = anOutline.Fault();
  return isDone;
}
} // namespace

TEST(VexVerify_OutlineTest, PathsAreFoundWhereTheyLeaveTheBoard)
{
  // At a sharp corner of the cut, the path is farther than 1.01 mm from the board's corner
  // beyond 0.1418 mm from the corner on either side.
  const double aCorner  = 2.0 * (1.0 - std::sqrt(1.01 * 1.01 - 1.0));
  const Case   aCases[] = {
        {"a contour cut one radius outside", [](VexVerify_TestModel& theDesign) { board(theDesign); },
         contourCut, 0, 0.0},
        {"outline ends that meet within the tolerance",
         [](VexVerify_TestModel& theDesign) { board(theDesign, 0.005); }, contourCut, 0, 0.0},
        {"a cut along the outline itself", [](VexVerify_TestModel& theDesign) { board(theDesign); },
         [](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
         { theJob.Rectangle(theSequence, gp_XY(0, 0), gp_XY(50, 30)); },
         0, 0.0},
        {"paths inside the board", [](VexVerify_TestModel& theDesign) { board(theDesign); },
         line(gp_XY(5, 5), gp_XY(45, 25)), 0, 0.0},
        {"a cut with sharp corners", [](VexVerify_TestModel& theDesign) { board(theDesign); },
         [](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
         { theJob.Rectangle(theSequence, gp_XY(-1, -1), gp_XY(51, 31)); },
         // The path meets the grown board's round corner at a slant: a chord's 1 um inside the
         // circle moves the crossing by 7 um along the path, on eight crossings.
         4, 4.0 * aCorner, 0.06},
        {"a cut wandering off the board", [](VexVerify_TestModel& theDesign) { board(theDesign); },
         line(gp_XY(10, -3), gp_XY(20, -3)), 1, 10.0},
        {"a path running out of the board", [](VexVerify_TestModel& theDesign) { board(theDesign); },
         line(gp_XY(25, 10), gp_XY(25, -5)), 1, 5.0 - 1.01},
        {"a path in the middle of a cut-out",
         [](VexVerify_TestModel& theDesign)
         {
         board(theDesign);
         theDesign.Rectangle(theDesign.Paths(theDesign.Aperture("D11", {0.1})), gp_XY(20, 10),
                               gp_XY(30, 20));
       },
         line(gp_XY(24, 15), gp_XY(26, 15)), 1, 2.0},
        {"a board given as an area",
         [](VexVerify_TestModel& theDesign)
         { theDesign.Rectangle(theDesign.Area(), gp_XY(0, 0), gp_XY(50, 30), true); },
         line(gp_XY(25, 10), gp_XY(25, -5)), 1, 5.0 - 1.01},
  };
  for (const Case& aCase : aCases)
  {
    VexVerify_Report::Check aCheck;
    Message_Msg             aFault;
    ASSERT_TRUE(run(aCase, aCheck, aFault)) << aCase.Name;
    EXPECT_EQ(aCheck.Findings.Length(), aCase.Places) << aCase.Name;
    EXPECT_NEAR(aCheck.FoundLength, aCase.Length, aCase.Accuracy) << aCase.Name;
    EXPECT_TRUE(aCheck.Notes.IsEmpty()) << aCase.Name;
  }
}

TEST(VexVerify_OutlineTest, AnOutlineThatDoesNotCloseIsRefused)
{
  VexTest_MessageCapture aCapture;
  const Case             aCases[] = {
                  {"a gap wider than the outline gap",
                   [](VexVerify_TestModel& theDesign) { board(theDesign, 0.35); }, contourCut, 0, 0.0},
                  {"nothing drawn", [](VexVerify_TestModel&) {}, contourCut, 0, 0.0},
                  {"only points",
                   [](VexVerify_TestModel& theDesign)
                   { theDesign.Point(theDesign.Points(theDesign.Aperture("D10", {1.0})), 1, 1); },
                   contourCut, 0, 0.0},
  };
  for (const Case& aCase : aCases)
  {
    VexVerify_Report::Check aCheck;
    aCheck.Design = "edge.gbr";
    Message_Msg aFault;
    EXPECT_FALSE(run(aCase, aCheck, aFault)) << aCase.Name;
    aCapture.Clear();
    aCapture.Messenger()->Send(aFault.Get(), Message_Fail);
    EXPECT_EQ(aCapture.Dump(), "4 VEX_VERIFY_OUTLINE_EMPTY edge.gbr\n") << aCase.Name;
  }
}

TEST(VexVerify_OutlineTest, OpenEndsBesideAClosedOutlineAreNoted)
{
  const Case              aCase = {"a stray draw beside the board",
                                   [](VexVerify_TestModel& theDesign)
                                   {
                        board(theDesign);
                        theDesign.Line(theDesign.Paths(theDesign.Aperture("D11", {0.1})),
                                                    {gp_XY(60, 0), gp_XY(70, 0)});
                      },
                                   contourCut, 0, 0.0};
  VexVerify_Report::Check aCheck;
  Message_Msg             aFault;
  ASSERT_TRUE(run(aCase, aCheck, aFault));
  EXPECT_EQ(aCheck.Features, 1);
  ASSERT_EQ(aCheck.Notes.Length(), 1);
  EXPECT_STREQ(aCheck.Notes.First().ToCString(),
               "2 ends of outline lines meet no other line within 0.300 mm, the first at "
               "(60.000, 0.000)");
}

TEST(VexVerify_OutlineTest, ABoardCutIntoManyTiles)
{
  // Many small contours inside make the tiles small; the board's inside, edge and outside
  // tiles all take part.
  VexVerify_TestModel     aDesign;
  PenFormatData_Sequence& aDraws = aDesign.Paths(aDesign.Aperture("D10", {0.1}));
  aDesign.Line(aDraws, {gp_XY(0, 0), gp_XY(100, 0), gp_XY(100, 100)});
  aDesign.Line(aDraws, {gp_XY(0, 0), gp_XY(0, 100), gp_XY(100, 100)});
  VexVerify_TestModel     aJob;
  PenFormatData_Sequence& anIsolation = aJob.Paths(aJob.Aperture("Iso", {0.2}));
  for (int anIndex = 0; anIndex < 400; ++anIndex)
  {
    aJob.Circle(anIsolation, gp_XY(2.5 + 5.0 * (anIndex % 20), 2.5 + 5.0 * (anIndex / 20)), 1.0);
  }
  aJob.Line(anIsolation, {gp_XY(110, 10), gp_XY(110, 90)});
  aJob.Line(anIsolation, {gp_XY(50, 90), gp_XY(50, 110)});
  const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                  NCollection_Sequence<TCollection_AsciiString>());
  VexVerify_Report::Check  aCheck;
  ASSERT_TRUE(VexVerify_OutlineCheck(THE_TOLERANCE).Perform(*aDesign.Model(), aPaths, aCheck));
  EXPECT_EQ(aCheck.Findings.Length(), 2);
  EXPECT_NEAR(aCheck.FoundLength, 80.0 + (110.0 - 100.11), THE_LENGTH_ACCURACY);
}
