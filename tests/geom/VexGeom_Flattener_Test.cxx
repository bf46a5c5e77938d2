// Copyright (c) 2026 VexData developers
// Flattening: chords within the tolerance of their arc, chord counts within their bounds, the
// segment budget refusing what it cannot pay for, and the arcs of a model's curves.
#include <VexGeom_Flattener.hxx>

#include <VexTest_Messages.hxx>

#include <Message_Msg.hxx>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
//! Returns the largest distance between the chords of thePath and the circle of theRadius around
//! theCenter (integer units of thePath), measured at the middle of every chord.
double largestGap(const ClipperLib::Path& thePath, const gp_XY& theCenter, const double theRadius)
{
  double aGap = 0.0;
  for (size_t anIndex = 1; anIndex < thePath.size(); ++anIndex)
  {
    const gp_XY aMiddle =
        0.5 * (VexGeom_Units::ToXY(thePath[anIndex - 1]) + VexGeom_Units::ToXY(thePath[anIndex]));
    aGap = std::max(aGap, std::fabs((aMiddle - theCenter).Modulus() - theRadius));
  }
  return aGap;
}
} // namespace

TEST(VexGeom_FlattenerTest, ChordsStayWithinTheToleranceAndTheirBounds)
{
  // Radii from below the tolerance to beyond the last one the largest count keeps within it.
  const struct
  {
    double Radius;
    double Sweep;
    int    Least, Most; //!< chords of the arc
  } THE_CASES[] = {
      {1.0e-4, 2.0 * M_PI, 8, 8},      {0.05, 2.0 * M_PI, 8, 40},        {0.5, M_PI, 20, 40},
      {10.0, 2.0 * M_PI, 300, 330},    {10.0, -0.5 * M_PI, 75, 85},      {100.0, 0.1, 15, 17},
      {400.0, 2.0 * M_PI, 1900, 2048}, {5000.0, 2.0 * M_PI, 2048, 2048},
  };
  for (const auto& aCase : THE_CASES)
  {
    VexGeom_Budget    aBudget;
    VexGeom_Flattener aFlattener(aBudget);
    const gp_XY       aCenter(3.0, -2.0);
    ClipperLib::Path  aPath(1, VexGeom_Units::ToPoint(aCenter + gp_XY(aCase.Radius, 0.0)));
    ASSERT_TRUE(aFlattener.AddArc(aCenter + gp_XY(aCase.Radius, 0.0), aCenter, aCase.Sweep, aPath));
    const int aChords = static_cast<int>(aPath.size()) - 1;
    EXPECT_GE(aChords, aCase.Least) << aCase.Radius;
    EXPECT_LE(aChords, aCase.Most) << aCase.Radius;
    EXPECT_EQ(aChords, VexGeom_Flattener::NbChords(aCase.Radius, aCase.Sweep)) << aCase.Radius;
    // The count, not the tolerance, bounds the largest circles; rounding adds half a unit.
    if (aCase.Radius < 425.0)
    {
      EXPECT_LE(largestGap(aPath, aCenter, aCase.Radius),
                VexGeom_Units::THE_CHORD_TOLERANCE + 1.0 / VexGeom_Units::THE_SCALE)
          << aCase.Radius;
    }
    // The arc ends where it should, within a unit.
    const double anEnd      = aCase.Sweep;
    const gp_XY  anExpected = aCenter + aCase.Radius * gp_XY(std::cos(anEnd), std::sin(anEnd));
    EXPECT_LE((VexGeom_Units::ToXY(aPath.back()) - anExpected).Modulus(), 1.0e-6) << aCase.Radius;
  }
}

TEST(VexGeom_FlattenerTest, TheBudgetRefusesSegmentsBeyondItsLimit)
{
  VexGeom_Budget    aBudget(100, 1.0e9);
  VexGeom_Flattener aFlattener(aBudget);
  ClipperLib::Paths aCircles;
  // A circle of 1 mm takes some 70 chords: one fits, the second does not and adds nothing.
  ASSERT_TRUE(aFlattener.AddCircle(gp_XY(0, 0), 1.0, aCircles));
  EXPECT_FALSE(aFlattener.AddCircle(gp_XY(5, 0), 1.0, aCircles));
  EXPECT_EQ(aCircles.size(), 1u);
  EXPECT_EQ(aBudget.Reached(), VexGeom_Budget::Limit_Segments);
  VexTest_MessageCapture aCapture;
  aCapture.Messenger()->Send(aBudget.Fault().Get(), Message_Fail);
  EXPECT_EQ(aCapture.Dump(), "4 VEX_GEOM_LIMIT_SEGMENTS 100\n");
  // Circles without a radius cost nothing.
  EXPECT_TRUE(aFlattener.AddCircle(gp_XY(0, 0), 0.0, aCircles));
}

TEST(VexGeom_FlattenerTest, AContourBecomesOnePolygonAndAModelArcKeepsItsEnd)
{
  VexGeom_Budget    aBudget;
  VexGeom_Flattener aFlattener(aBudget);
  // A half disc: a segment and an arc back to the start; the closing point is left out.
  VexGeom_Contour aHalf(gp_XY(-1, 0));
  aHalf.AddSegment(gp_XY(1, 0));
  aHalf.AddArc(gp_XY(-1, 0), gp_XY(0, 0), Standard_True);
  ClipperLib::Path aPath;
  ASSERT_TRUE(aFlattener.ToPath(aHalf, aPath));
  EXPECT_NE(aPath.front(), aPath.back());
  // Chords cut off at most two thirds of the tolerance times the arc's length.
  EXPECT_NEAR(ClipperLib::Area(aPath) / 1.0e12, 0.5 * M_PI, 2.0e-3);

  // The chords of a model's arc end exactly at its end point, in millimetres.
  PhGeom_Arc         anArc(gp_XY(1.0, 1.0), 0.5, 0.0, 0.75 * M_PI, 1);
  std::vector<gp_XY> aPoints(1, anArc.StartPoint() * 25.4);
  VexGeom_Flattener::AddArc(anArc, 25.4, aPoints);
  EXPECT_EQ(static_cast<int>(aPoints.size()) - 1,
            VexGeom_Flattener::NbChords(0.5 * 25.4, 0.75 * M_PI));
  EXPECT_TRUE(aPoints.back().IsEqual(anArc.EndPoint() * 25.4, 0.0));
}
