// Copyright (c) 2026 VexData developers
// The copper check: where a path at its tool width comes closer to copper than
// the tolerance allows, and how much of it, with strokes, discs, rings, areas
// with holes and clear polarity built by hand.
#include <VexVerify_TestModel.hxx>

#include <VexVerify_CopperCheck.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace
{
//! Tolerance of every case.
const double THE_TOLERANCE = 0.01;

//! Accuracy expected of lengths: the chords of round parts lie within 1 um of them, and where a
//! path meets a rounded end at a slant that makes up to a few micrometres of length, for each of
//! up to four such ends.
const double THE_LENGTH_ACCURACY = 0.01;

//! The copper every case starts from: a 0.4 mm trace from (0, 0) to (10, 0) and a 1.6 mm pad
//! flashed at (20, 0).
void baseline(VexVerify_TestModel& theDesign)
{
  theDesign.Line(theDesign.Paths(theDesign.Aperture("D10", {0.4})), {gp_XY(0, 0), gp_XY(10, 0)});
  theDesign.Point(theDesign.Points(theDesign.Aperture("D11", {1.6})), 20.0, 0.0);
}

//! Returns the length a straight path at distance theOffset from a round end of reach theReach
//! runs inside it.
double cap(const double theReach, const double theOffset)
{
  return std::sqrt(theReach * theReach - theOffset * theOffset);
}

//! One case: what the design adds to the baseline, the job's path, what is found.
struct Case
{
  const char*                               Name;
  std::function<void(VexVerify_TestModel&)> Design; //!< added to the baseline
  double                                    Width;  //!< tool width of the path
  std::function<void(VexVerify_TestModel&, PenFormatData_Sequence&)> Path;   //!< the job's contours
  int                                                                Places; //!< findings expected
  double                                                             Length; //!< their total length
  bool IsFirst = false; //!< the additions come first
};

//! Runs theCase; returns the check.
VexVerify_Report::Check run(const Case& theCase)
{
  VexVerify_TestModel aDesign;
  if (theCase.IsFirst)
  {
    theCase.Design(aDesign);
  }
  baseline(aDesign);
  if (!theCase.IsFirst)
  {
    theCase.Design(aDesign);
  }
  VexVerify_TestModel aJob;
  theCase.Path(aJob, aJob.Paths(aJob.Aperture("Iso", {theCase.Width}), "Isolation", "Top"));
  const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                  NCollection_Sequence<TCollection_AsciiString>());
  VexVerify_Report::Check  aCheck;
  VexVerify_CopperCheck    aCopper(THE_TOLERANCE);
  EXPECT_TRUE(aCopper.Perform(*aDesign.Model(), aPaths, aCheck)) << theCase.Name;
  return aCheck;
}

//! A horizontal path at theY from theX0 to theX1.
std::function<void(VexVerify_TestModel&, PenFormatData_Sequence&)> across(const double theY,
                                                                          const double theX0 = -5.0,
                                                                          const double theX1 = 15.0)
{
  return [=](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence) {
    theJob.Line(theSequence, {gp_XY(theX0, theY), gp_XY(theX1, theY)});
  };
}

//! A vertical path at theX from theY0 to theY1.
std::function<void(VexVerify_TestModel&, PenFormatData_Sequence&)> down(const double theX,
                                                                        const double theY0,
                                                                        const double theY1)
{
  return [=](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence) {
    theJob.Line(theSequence, {gp_XY(theX, theY0), gp_XY(theX, theY1)});
  };
}

//! Nothing added to the baseline.
void nothing(VexVerify_TestModel&)
{
}
} // namespace

TEST(VexVerify_CopperTest, PathsAreFoundWhereTheyCutCopper)
{
  // A 0.2 mm tool cuts copper where its centre line comes within 0.1 - 0.01 mm of copper: within
  // 0.29 mm of the trace's centre line, 0.89 mm of the pad's centre.
  const double aTrace = 0.29, aPad = 0.89, aShrink = 0.09;
  const Case   aCases[] = {
        {"clear of the trace", nothing, 0.2, across(0.3), 0, 0.0},
        {"closer than the tool radius, by less than the tolerance", nothing, 0.2, across(0.295), 0,
         0.0},
        {"nudged into the trace", nothing, 0.2, across(0.25), 1, 10.0 + 2.0 * cap(aTrace, 0.25)},
        {"across the trace", nothing, 0.2, down(5.0, -2.0, 2.0), 1, 2.0 * aTrace},
        {"across the pad", nothing, 0.2, down(20.0, -2.0, 2.0), 1, 2.0 * aPad},
        {"around the pad with clearance", nothing, 0.2,
         [](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
         { theJob.Circle(theSequence, gp_XY(20.0, 0.0), 0.95); },
         0, 0.0},
        {"around the pad too close", nothing, 0.2,
         [](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
         { theJob.Circle(theSequence, gp_XY(20.0, 0.0), 0.85, true); },
         1, 2.0 * M_PI * 0.85},
        {"around the trace, closing up to a rounding error where it starts in copper", nothing, 0.2,
         [](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
         {
         theJob.Line(theSequence, {gp_XY(5, -0.25), gp_XY(11, -0.25), gp_XY(11, 0.25),
                                   gp_XY(-1, 0.25), gp_XY(-1, -0.25), gp_XY(5 + 4.0e-7, -0.25)});
       },
         2, 2.0 * (10.0 + 2.0 * cap(aTrace, 0.25))},
        {"a tool narrower than twice the tolerance", nothing, 0.01, across(0.15), 1,
         10.0 + 2.0 * cap(0.195, 0.15)},
        {"through the hole of a ring pad",
         [](VexVerify_TestModel& theDesign) {
         theDesign.Point(theDesign.Points(theDesign.Aperture("D12", {1.6, 1.0})), 30.0, 0.0);
       },
         0.2, down(30.0, -2.0, 2.0), 2, 2.0 * (aPad - (0.5 - aShrink))},
        {"inside the hole of a ring pad",
         [](VexVerify_TestModel& theDesign) {
         theDesign.Point(theDesign.Points(theDesign.Aperture("D12", {1.6, 1.0})), 30.0, 0.0);
       },
         0.2, down(30.0, -0.3, 0.3), 0, 0.0},
        {"across an area",
         [](VexVerify_TestModel& theDesign)
         { theDesign.Rectangle(theDesign.Area(), gp_XY(30, 0), gp_XY(34, 4)); },
         0.2, across(2.0, 28.0, 36.0), 1, 4.0 + 2.0 * aShrink},
        {"across an area given clockwise",
         [](VexVerify_TestModel& theDesign)
         { theDesign.Rectangle(theDesign.Area(), gp_XY(30, 0), gp_XY(34, 4), true); },
         0.2, across(2.0, 28.0, 36.0), 1, 4.0 + 2.0 * aShrink},
        {"across an area with a hole",
         [](VexVerify_TestModel& theDesign)
         {
         PenFormatData_Sequence& anArea = theDesign.Area();
         theDesign.Rectangle(anArea, gp_XY(30, 0), gp_XY(34, 4));
         theDesign.Rectangle(anArea, gp_XY(31, 1), gp_XY(33, 3), true);
       },
         0.2, across(2.0, 28.0, 36.0), 2, 2.0 * (1.0 + 2.0 * aShrink)},
        {"along a trace cut by a clear area",
         [](VexVerify_TestModel& theDesign)
         { theDesign.Rectangle(theDesign.Area(true), gp_XY(4, -1), gp_XY(6, 1)); },
         0.2, across(0.25), 2, 2.0 * (4.0 + cap(aShrink, 0.05) + cap(aTrace, 0.25))},
        {"along a trace cut by a clear stroke",
         [](VexVerify_TestModel& theDesign)
         {
         theDesign.Line(theDesign.ClearStrokes(theDesign.Aperture("D13", {1.0})),
                          {gp_XY(5, -3), gp_XY(5, 3)});
       },
         0.2, across(0.25), 2, 2.0 * (4.5 + cap(aShrink, 0.05) + cap(aTrace, 0.25))},
        {"along a trace cleared and drawn again",
         [](VexVerify_TestModel& theDesign)
         {
         theDesign.Rectangle(theDesign.Area(true), gp_XY(4, -1), gp_XY(6, 1));
         theDesign.Rectangle(theDesign.Area(), gp_XY(4, -1), gp_XY(6, 1));
       },
         0.2, across(0.25), 1, 10.0 + 2.0 * cap(aTrace, 0.25)},
        {"a clear area drawn before the trace erases nothing",
         [](VexVerify_TestModel& theDesign)
         { theDesign.Rectangle(theDesign.Area(true), gp_XY(4, -1), gp_XY(6, 1)); },
         0.2, across(0.25), 1, 10.0 + 2.0 * cap(aTrace, 0.25), true},
  };
  for (const Case& aCase : aCases)
  {
    const VexVerify_Report::Check aCheck = run(aCase);
    EXPECT_EQ(aCheck.Findings.Length(), aCase.Places) << aCase.Name;
    EXPECT_NEAR(aCheck.FoundLength, aCase.Length, THE_LENGTH_ACCURACY) << aCase.Name;
  }
}

TEST(VexVerify_CopperTest, APlaceSaysWhereAndWhichPath)
{
  const Case                    aCase  = {"nudged", nothing, 0.2, across(0.25), 1, 0.0};
  const VexVerify_Report::Check aCheck = run(aCase);
  ASSERT_EQ(aCheck.Findings.Length(), 1);
  const VexVerify_Report::Finding& aPlace = aCheck.Findings.Value(0);
  EXPECT_EQ(aPlace.What, VexVerify_Report::Kind_Copper);
  EXPECT_NEAR(aPlace.At.Y(), 0.25, 1.0e-6);
  EXPECT_NEAR(aPlace.BoxMin.X(), -cap(0.29, 0.25), THE_LENGTH_ACCURACY);
  EXPECT_NEAR(aPlace.BoxMax.X(), 10.0 + cap(0.29, 0.25), THE_LENGTH_ACCURACY);
  EXPECT_NEAR(aPlace.BoxMin.Y(), 0.25, 1.0e-6);
  EXPECT_NEAR(aPlace.BoxMax.Y(), 0.25, 1.0e-6);
  ASSERT_EQ(aPlace.PathIndex, 0);
  EXPECT_STREQ(aCheck.Paths.Value(0).Phase.ToCString(), "Isolation");
  EXPECT_STREQ(aCheck.Paths.Value(0).Tool.ToCString(), "Iso");
  EXPECT_EQ(aCheck.Paths.Value(0).Width, 0.2);
  EXPECT_EQ(aCheck.Contours, 1);
  EXPECT_NEAR(aCheck.PathLength, 20.0, 1.0e-9);
  EXPECT_EQ(aCheck.Features, 2);
}

TEST(VexVerify_CopperTest, ALongPathAcrossManyTilesIsOnePlace)
{
  // A long trace and a path nudged along all of it: the work is cut into many tiles, the
  // finding is one place of the whole length.
  VexVerify_TestModel aDesign;
  const int           aPen = aDesign.Aperture("D10", {0.4});
  for (int aRow = 0; aRow < 50; ++aRow)
  {
    aDesign.Line(aDesign.Paths(aPen), {gp_XY(0, aRow * 2.0), gp_XY(100, aRow * 2.0)});
  }
  VexVerify_TestModel aJob;
  aJob.Line(aJob.Paths(aJob.Aperture("Iso", {0.2})), {gp_XY(-1, 0.25), gp_XY(101, 0.25)});
  const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                  NCollection_Sequence<TCollection_AsciiString>());
  VexVerify_Report::Check  aCheck;
  ASSERT_TRUE(VexVerify_CopperCheck(THE_TOLERANCE).Perform(*aDesign.Model(), aPaths, aCheck));
  ASSERT_EQ(aCheck.Findings.Length(), 1);
  EXPECT_NEAR(aCheck.FoundLength, 100.0 + 2.0 * cap(0.29, 0.25), THE_LENGTH_ACCURACY);
}

TEST(VexVerify_CopperTest, OnlyTheSelectedPathsAreCompared)
{
  VexVerify_TestModel aDesign;
  baseline(aDesign);
  VexVerify_TestModel aJob;
  const int           aTool = aJob.Aperture("Iso", {0.2});
  aJob.Line(aJob.Paths(aTool, "Isolation", "Top"), {gp_XY(5, -2), gp_XY(5, 2)});
  aJob.Line(aJob.Paths(aTool, "Cutout", "Top"), {gp_XY(6, -2), gp_XY(6, 2)});
  aJob.Line(aJob.Paths(aTool, "Isolation", "Bottom"), {gp_XY(7, -2), gp_XY(7, 2)});
  struct Selection
  {
    std::vector<const char*> Phases, Layers;
    int                      Paths;
  };
  const Selection aSelections[] = {{{}, {}, 3},
                                   {{"Isolation"}, {}, 2},
                                   {{"Isolation"}, {"Top"}, 1},
                                   {{"Cutout", "Isolation"}, {"Bottom"}, 1},
                                   {{"Drilling"}, {}, 0}};
  for (const Selection& aSelection : aSelections)
  {
    NCollection_Sequence<TCollection_AsciiString> aPhases, aLayers;
    for (const char* aName : aSelection.Phases)
    {
      aPhases.Append(aName);
    }
    for (const char* aName : aSelection.Layers)
    {
      aLayers.Append(aName);
    }
    const VexVerify_JobPaths aPaths(*aJob.Model(), aPhases, aLayers);
    VexVerify_Report::Check  aCheck;
    ASSERT_TRUE(VexVerify_CopperCheck(THE_TOLERANCE).Perform(*aDesign.Model(), aPaths, aCheck));
    EXPECT_EQ(aCheck.Paths.Length(), aSelection.Paths);
    EXPECT_EQ(aCheck.Findings.Length(), aSelection.Paths);
  }
}

TEST(VexVerify_CopperTest, APourCutIntoTilesKeepsItsHolesAndClears)
{
  // A 100 mm square pour with 400 round holes, a clear square over its middle, and a job of
  // isolation circles in every hole (many chords: the board is cut into many tiles) and one path
  // straight across, between two rows of holes.
  for (const bool hasClear : {false, true})
  {
    VexVerify_TestModel     aDesign;
    PenFormatData_Sequence& aPour = aDesign.Area();
    aDesign.Rectangle(aPour, gp_XY(0, 0), gp_XY(100, 100));
    VexVerify_TestModel     aJob;
    PenFormatData_Sequence& anIsolation = aJob.Paths(aJob.Aperture("Iso", {0.2}));
    for (int aRow = 0; aRow < 20; ++aRow)
    {
      for (int aColumn = 0; aColumn < 20; ++aColumn)
      {
        const gp_XY aCenter(2.5 + 5.0 * aColumn, 2.5 + 5.0 * aRow);
        aDesign.Circle(aPour, aCenter, 1.0, true);
        aJob.Circle(anIsolation, aCenter, 0.85);
      }
    }
    if (hasClear)
    {
      aDesign.Rectangle(aDesign.Area(true), gp_XY(40, 45), gp_XY(60, 55));
    }
    aJob.Line(anIsolation, {gp_XY(-5, 50), gp_XY(105, 50)});
    const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                    NCollection_Sequence<TCollection_AsciiString>());
    VexVerify_Report::Check  aCheck;
    ASSERT_TRUE(VexVerify_CopperCheck(THE_TOLERANCE).Perform(*aDesign.Model(), aPaths, aCheck));
    EXPECT_EQ(aCheck.Findings.Length(), hasClear ? 2 : 1) << hasClear;
    EXPECT_NEAR(aCheck.FoundLength, hasClear ? 2.0 * 40.18 : 100.18, THE_LENGTH_ACCURACY)
        << hasClear;
  }
}
