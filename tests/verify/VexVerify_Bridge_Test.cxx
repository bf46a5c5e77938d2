// Copyright (c) 2026 VexData developers
// The bridge check: islands of copper the job's paths leave joined, built by
// hand with pads, their isolation rings and rings left out or broken; a board
// cut into many tiles; nets that make a join harmless.
#include <VexVerify_TestModel.hxx>

#include <VexVerify_BridgeCheck.hxx>

#include <VexGeom_Polygons.hxx>

#include <VexGeom_Parallel.hxx>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace
{
typedef std::function<void(VexVerify_TestModel&, PenFormatData_Sequence&)> Milling;

//! Diameter of the pads, width of the isolation cutter (mm).
const double THE_PAD = 1.6, THE_TOOL = 0.2;

//! Radius of a ring that cuts from the pad's edge outwards.
const double THE_RING = 0.5 * THE_PAD + 0.5 * THE_TOOL;

//! How near a bridge's place must be to the one expected (mm): the nearest points of two parts
//! are taken between the chord ends of the smaller pads' edges, some 30 um apart.
const double THE_PLACE_ACCURACY = 0.02;

//! Returns the findings and joins of theDesign milled by theJob's paths.
VexVerify_Report::Check check(const VexVerify_TestModel& theDesign,
                              const VexVerify_TestModel& theJob, const VexPcb_Nets* theNets = NULL,
                              const size_t theWorkers = VexGeom_Parallel::NbWorkers())
{
  const VexVerify_JobPaths aPaths(*theJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                  NCollection_Sequence<TCollection_AsciiString>());
  VexVerify_Report::Check  aCheck;
  VexVerify_BridgeCheck    aBridges;
  aBridges.SetNbWorkers(theWorkers);
  if (theNets != NULL)
  {
    aBridges.SetNets(*theNets);
  }
  EXPECT_TRUE(aBridges.Perform(*theDesign.Model(), aPaths, aCheck));
  EXPECT_TRUE(aCheck.IsBridged);
  return aCheck;
}

//! A ring around the pad at theCenter, a full circle.
Milling ring(const gp_XY& theCenter)
{
  return [=](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
  { theJob.Circle(theSequence, theCenter, THE_RING); };
}

//! A square ring around the pad at theCenter with its side towards +x (isRight) or -x left out.
Milling openRing(const gp_XY& theCenter, const bool isRight)
{
  return [=](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
  {
    const double aSide = isRight ? THE_RING : -THE_RING;
    theJob.Line(theSequence,
                {theCenter + gp_XY(aSide, THE_RING), theCenter + gp_XY(-aSide, THE_RING),
                 theCenter + gp_XY(-aSide, -THE_RING), theCenter + gp_XY(aSide, -THE_RING)});
  };
}

//! A rectangle from theMin to theMax.
Milling frame(const gp_XY& theMin, const gp_XY& theMax)
{
  return [=](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence)
  { theJob.Rectangle(theSequence, theMin, theMax); };
}

//! A straight cut from theFrom to theTo.
Milling cut(const gp_XY& theFrom, const gp_XY& theTo)
{
  return [=](VexVerify_TestModel& theJob, PenFormatData_Sequence& theSequence) {
    theJob.Line(theSequence, {theFrom, theTo});
  };
}

//! Returns the islands of theFinding as a set of "x y" texts.
std::set<std::string> islands(const VexVerify_Report::Finding& theFinding)
{
  std::set<std::string> aSet;
  for (const VexVerify_Report::Island& anIsland : theFinding.Islands)
  {
    aSet.insert(std::to_string(anIsland.At.X()) + " " + std::to_string(anIsland.At.Y()));
  }
  return aSet;
}
} // namespace

TEST(VexVerify_BridgeTest, TwoPadsAreJoinedUnlessEachIsIsolated)
{
  // Pads at (10, 10) and (13, 10), 1.4 mm apart: their nearest points are 11.5 apart.
  const gp_XY aLeft(10, 10), aRight(13, 10);
  struct Case
  {
    const char*          Name;
    std::vector<Milling> Paths;
    int                  Bridges;
  };
  const Case aCases[] = {
      {"a complete ring each", {ring(aLeft), ring(aRight)}, 0},
      // The pad without a ring is joined to the copper around the rings, which touches no
      // other island: one ring isolates its pad whatever the other does.
      {"one ring left out", {ring(aRight)}, 0},
      {"no ring", {}, 1},
      {"both rings open towards each other", {openRing(aLeft, true), openRing(aRight, false)}, 1},
      {"one ring open, the other complete", {openRing(aLeft, true), ring(aRight)}, 0},
      {"one ring around both", {frame(gp_XY(8.9, 8.9), gp_XY(14.1, 11.1))}, 1},
      {"a cut between them that does not close", {cut(gp_XY(11.5, 8.5), gp_XY(11.5, 11.5))}, 1},
      {"a cut between them from edge to edge of the board",
       {cut(gp_XY(11.5, 0), gp_XY(11.5, 20))},
       0},
  };
  for (const Case& aCase : aCases)
  {
    VexVerify_TestModel     aDesign, aJob;
    PenFormatData_Sequence& aPads = aDesign.Points(aDesign.Aperture("D11", {THE_PAD}));
    aDesign.Point(aPads, aLeft.X(), aLeft.Y());
    aDesign.Point(aPads, aRight.X(), aRight.Y());
    PenFormatData_Sequence& aPaths = aJob.Paths(aJob.Aperture("Iso", {THE_TOOL}), "Isolation");
    for (const Milling& aPath : aCase.Paths)
    {
      aPath(aJob, aPaths);
    }
    const VexVerify_Report::Check aCheck = check(aDesign, aJob);
    EXPECT_EQ(aCheck.Islands, 2) << aCase.Name;
    ASSERT_EQ(aCheck.Findings.Length(), aCase.Bridges) << aCase.Name;
    EXPECT_TRUE(aCheck.Joins.IsEmpty()) << aCase.Name;
    if (aCase.Bridges == 1)
    {
      const VexVerify_Report::Finding& aBridge = aCheck.Findings.First();
      EXPECT_EQ(aBridge.What, VexVerify_Report::Kind_Bridge) << aCase.Name;
      EXPECT_EQ(islands(aBridge),
                std::set<std::string>({"10.000000 10.000000", "13.000000 10.000000"}))
          << aCase.Name;
      EXPECT_NEAR(aBridge.At.X(), 11.5, THE_PLACE_ACCURACY) << aCase.Name;
      EXPECT_NEAR(aBridge.At.Y(), 10.0, THE_PLACE_ACCURACY) << aCase.Name;
    }
  }
}

TEST(VexVerify_BridgeTest, PadsCloserThanTheCutterAreJoinedInTheirGap)
{
  // 0.1 mm apart, narrower than the 0.2 mm cutter: one ring goes round both.
  VexVerify_TestModel     aDesign, aJob;
  PenFormatData_Sequence& aPads = aDesign.Points(aDesign.Aperture("D11", {THE_PAD}));
  aDesign.Point(aPads, 10.0, 10.0);
  aDesign.Point(aPads, 11.7, 10.0);
  PenFormatData_Sequence& aPaths = aJob.Paths(aJob.Aperture("Iso", {THE_TOOL}), "Isolation");
  frame(gp_XY(9.1, 9.1), gp_XY(12.6, 10.9))(aJob, aPaths);
  const VexVerify_Report::Check aCheck = check(aDesign, aJob);
  ASSERT_EQ(aCheck.Findings.Length(), 1);
  EXPECT_NEAR(aCheck.Findings.First().At.X(), 10.85, THE_PLACE_ACCURACY);
  EXPECT_NEAR(aCheck.Findings.First().At.Y(), 10.0, THE_PLACE_ACCURACY);
}

TEST(VexVerify_BridgeTest, NetsTellAShortFromAHarmlessJoin)
{
  struct Case
  {
    const char* Name;
    const char* Left;  //!< net of the left pad ("" none)
    const char* Right; //!< net of the right pad
    int         Faults;
    int         Joins;
  };
  const Case aCases[] = {{"one net", "GND", "GND", 0, 1},
                         {"two nets", "GND", "VCC", 1, 0},
                         {"one net named, one not", "GND", "", 1, 0},
                         {"no nets", "", "", 1, 0}};
  for (const Case& aCase : aCases)
  {
    VexVerify_TestModel     aDesign, aJob;
    const int               anAperture = aDesign.Aperture("D11", {THE_PAD});
    PenFormatData_Sequence& aLeft      = aDesign.Points(anAperture);
    PenFormatData_Sequence& aRight     = aDesign.Points(anAperture);
    aDesign.Point(aLeft, 10.0, 10.0);
    aDesign.Point(aRight, 13.0, 10.0);
    VexPcb_Nets aNets;
    aNets.Add(&aLeft, aCase.Left);
    aNets.Add(&aRight, aCase.Right);
    // No isolation at all: the pads are joined.
    aJob.Paths(aJob.Aperture("Iso", {THE_TOOL}), "Isolation");
    const VexVerify_Report::Check aCheck = check(aDesign, aJob, &aNets);
    ASSERT_EQ(aCheck.Findings.Length(), aCase.Faults) << aCase.Name;
    ASSERT_EQ(aCheck.Joins.Length(), aCase.Joins) << aCase.Name;
    const VexVerify_Report::Finding& aJoin =
        aCase.Faults > 0 ? aCheck.Findings.First() : aCheck.Joins.First();
    std::set<std::string> aNames;
    for (const VexVerify_Report::Island& anIsland : aJoin.Islands)
    {
      aNames.insert(anIsland.Net.ToCString());
      EXPECT_FALSE(anIsland.IsSeveral) << aCase.Name;
    }
    EXPECT_EQ(aNames, std::set<std::string>({aCase.Left, aCase.Right})) << aCase.Name;
  }
}

TEST(VexVerify_BridgeTest, AnIslandOfSeveralNetsIsNamedByItsFirst)
{
  // A trace of net A touching a pad of net B: one island, a short in the design itself.
  VexVerify_TestModel     aDesign, aJob;
  PenFormatData_Sequence& aTrace = aDesign.Paths(aDesign.Aperture("D10", {0.3}));
  aDesign.Line(aTrace, {gp_XY(5, 10), gp_XY(10, 10)});
  PenFormatData_Sequence& aPad = aDesign.Points(aDesign.Aperture("D11", {THE_PAD}));
  aDesign.Point(aPad, 10.0, 10.0);
  PenFormatData_Sequence& anOther = aDesign.Points(aDesign.Aperture("D12", {THE_PAD}));
  aDesign.Point(anOther, 13.0, 10.0);
  VexPcb_Nets aNets;
  aNets.Add(&aTrace, "A");
  aNets.Add(&aPad, "B");
  aNets.Add(&anOther, "A");
  aJob.Paths(aJob.Aperture("Iso", {THE_TOOL}), "Isolation");
  const VexVerify_Report::Check aCheck = check(aDesign, aJob, &aNets);
  EXPECT_EQ(aCheck.Islands, 2);
  ASSERT_EQ(aCheck.Findings.Length(), 1) << "several nets are never one net";
  const VexVerify_Report::Island& aShort = aCheck.Findings.First().Islands[0].IsSeveral
                                               ? aCheck.Findings.First().Islands[0]
                                               : aCheck.Findings.First().Islands[1];
  EXPECT_TRUE(aShort.IsSeveral);
  EXPECT_EQ(aShort.Net, "A");
}

namespace
{
//! A board of many tiles: a grid of 1 mm pads at a pitch of 2.5 mm, 32 by 16 of them, and a
//! trace 100 mm long below them, each with its isolation ring.
class TiledBoard
{
public:
  //! Columns and rows of pads, pitch, pad diameter, ring radius (mm).
  static const int        THE_COLUMNS = 32, THE_ROWS = 16;
  static constexpr double THE_PITCH = 2.5, THE_SMALL = 1.0, THE_SMALL_RING = 0.6;

  //! Returns the centre of pad theColumn, theRow.
  static gp_XY Pad(const int theColumn, const int theRow)
  {
    return gp_XY(theColumn * THE_PITCH, theRow * THE_PITCH);
  }

  //! Returns the design.
  static VexVerify_TestModel Design()
  {
    VexVerify_TestModel     aDesign;
    PenFormatData_Sequence& aPads = aDesign.Points(aDesign.Aperture("D11", {THE_SMALL}));
    for (int aRow = 0; aRow < THE_ROWS; ++aRow)
    {
      for (int aColumn = 0; aColumn < THE_COLUMNS; ++aColumn)
      {
        aDesign.Point(aPads, Pad(aColumn, aRow).X(), Pad(aColumn, aRow).Y());
      }
    }
    aDesign.Line(aDesign.Paths(aDesign.Aperture("D10", {0.3})), {gp_XY(0, -2), gp_XY(100, -2)});
    return aDesign;
  }

  //! Returns the job, without the rings of the pads in theLeftOut (column, row) and without the
  //! trace's ring unless isTraceRinged.
  static VexVerify_TestModel Job(const std::set<std::pair<int, int>>& theLeftOut,
                                 const bool                           isTraceRinged)
  {
    VexVerify_TestModel     aJob;
    PenFormatData_Sequence& aPaths = aJob.Paths(aJob.Aperture("Iso", {THE_TOOL}), "Isolation");
    for (int aRow = 0; aRow < THE_ROWS; ++aRow)
    {
      for (int aColumn = 0; aColumn < THE_COLUMNS; ++aColumn)
      {
        if (theLeftOut.count(std::make_pair(aColumn, aRow)) == 0)
        {
          aJob.Circle(aPaths, Pad(aColumn, aRow), THE_SMALL_RING);
        }
      }
    }
    if (isTraceRinged)
    {
      aJob.Rectangle(aPaths, gp_XY(-0.25, -2.25), gp_XY(100.25, -1.75));
    }
    return aJob;
  }
};
} // namespace

TEST(VexVerify_BridgeTest, LeavingOutRingsOnABoardOfManyTiles)
{
  // Each planted fault leaves out rings of a complete job; the bridges found are those the rings
  // prevented: none for one ring (its island joins only the copper around the rings), one for
  // two neighbours, halfway between their nearest points.
  const VexVerify_TestModel aDesign   = TiledBoard::Design();
  const int                 anIslands = TiledBoard::THE_COLUMNS * TiledBoard::THE_ROWS + 1;
  const double              aGap      = 0.5 * (TiledBoard::THE_PITCH);
  struct Case
  {
    const char*                   Name;
    std::set<std::pair<int, int>> LeftOut;
    bool                          IsTraceRinged;
    int                           Bridges;
    gp_XY                         At;
  };
  const Case aCases[] = {
      {"the complete job", {}, true, 0, gp_XY()},
      {"one pad's ring left out", {{17, 9}}, true, 0, gp_XY()},
      {"the trace's ring left out", {}, false, 0, gp_XY()},
      {"two neighbours' rings left out",
       {{17, 9}, {18, 9}},
       true,
       1,
       TiledBoard::Pad(17, 9) + gp_XY(aGap, 0)},
      {"two neighbours one above the other",
       {{3, 12}, {3, 13}},
       true,
       1,
       TiledBoard::Pad(3, 12) + gp_XY(0, aGap)},
      {"the trace's ring and a pad's above it",
       {{30, 0}},
       false,
       1,
       gp_XY(75.0, 0.5 * (-2.0 + 0.15 - 0.5))},
      {"three rings far apart", {{0, 0}, {31, 15}, {20, 12}}, true, 2, gp_XY()},
  };
  for (const Case& aCase : aCases)
  {
    const VexVerify_Report::Check aCheck =
        check(aDesign, TiledBoard::Job(aCase.LeftOut, aCase.IsTraceRinged));
    EXPECT_EQ(aCheck.Islands, anIslands) << aCase.Name;
    ASSERT_EQ(aCheck.Findings.Length(), aCase.Bridges) << aCase.Name;
    if (aCase.Bridges == 1)
    {
      EXPECT_NEAR(aCheck.Findings.First().At.X(), aCase.At.X(), THE_PLACE_ACCURACY) << aCase.Name;
      EXPECT_NEAR(aCheck.Findings.First().At.Y(), aCase.At.Y(), THE_PLACE_ACCURACY) << aCase.Name;
    }
  }
  // Tiles cut on one thread or several make the very same islands and bridges.
  const VexVerify_TestModel aJob = TiledBoard::Job({{0, 0}, {31, 15}, {20, 12}, {21, 12}}, true);
  const VexVerify_Report::Check aOne  = check(aDesign, aJob, NULL, 1);
  const VexVerify_Report::Check aFive = check(aDesign, aJob, NULL, 5);
  EXPECT_EQ(aFive.Islands, aOne.Islands);
  ASSERT_EQ(aFive.Findings.Length(), aOne.Findings.Length());
  for (int anIndex = 0; anIndex < aOne.Findings.Length(); ++anIndex)
  {
    EXPECT_TRUE(aFive.Findings(anIndex).At.IsEqual(aOne.Findings(anIndex).At, 0.0)) << anIndex;
  }
}

TEST(VexVerify_BridgeTest, IslandsLeftJoinedByNothingAreOneSpanningSet)
{
  // No milling at all: every island is joined to every other; the fewest bridges connecting
  // them are one fewer than the islands, each pair of islands named once.
  const VexVerify_Report::Check aCheck    = check(TiledBoard::Design(), VexVerify_TestModel());
  const int                     anIslands = TiledBoard::THE_COLUMNS * TiledBoard::THE_ROWS + 1;
  EXPECT_EQ(aCheck.Islands, anIslands);
  ASSERT_EQ(aCheck.Findings.Length(), anIslands - 1);
  std::set<std::set<std::string>> aPairs;
  for (const VexVerify_Report::Finding& aBridge : aCheck.Findings)
  {
    EXPECT_TRUE(aPairs.insert(islands(aBridge)).second);
  }
}

TEST(VexVerify_BridgeTest, TheBoardIsTheOutlineWhenThereIsOne)
{
  // Two pads joined by nothing but copper beyond a board that ends between them.
  VexVerify_TestModel     aDesign, aJob;
  PenFormatData_Sequence& aPads = aDesign.Points(aDesign.Aperture("D11", {THE_PAD}));
  aDesign.Point(aPads, 10.0, 10.0);
  aDesign.Point(aPads, 13.0, 10.0);
  // A cut from the bottom edge up to y = 12: below y = 12 the pads are apart.
  aJob.Line(aJob.Paths(aJob.Aperture("Iso", {THE_TOOL}), "Isolation"),
            {gp_XY(11.5, 0.0), gp_XY(11.5, 12.0)});
  const VexVerify_JobPaths aPaths(*aJob.Model(), NCollection_Sequence<TCollection_AsciiString>(),
                                  NCollection_Sequence<TCollection_AsciiString>());
  struct Case
  {
    double Top; //!< top of the board (mm)
    int    Bridges;
  };
  for (const Case& aCase : {Case{11.9, 0}, Case{12.5, 1}})
  {
    const ClipperLib::Paths aBoard(
        1, VexGeom_Polygons::Rectangle(VexGeom_Units::ToPoint(gp_XY(5, 5)),
                                       VexGeom_Units::ToPoint(gp_XY(20, aCase.Top))));
    VexVerify_BridgeCheck aBridges;
    aBridges.SetBoard(aBoard, "edge.gbr");
    VexVerify_Report::Check aCheck;
    ASSERT_TRUE(aBridges.Perform(*aDesign.Model(), aPaths, aCheck));
    EXPECT_EQ(aCheck.Board, "edge.gbr");
    EXPECT_EQ(aCheck.Findings.Length(), aCase.Bridges) << aCase.Top;
  }
}
