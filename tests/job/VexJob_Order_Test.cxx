// Copyright (c) 2026 VexData developers
// The order of holes and contours: every one visited once, the travel never longer than in the
// order found and close to the best on regular patterns, closed contours entered where the tool
// is.
#include <VexJob_Order.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace
{
//! Returns the points of a theSide x theSide grid of pitch 1, shuffled with theSeed.
std::vector<gp_XY> shuffledGrid(const int theSide, const unsigned theSeed)
{
  std::vector<gp_XY> aPoints;
  for (int anX = 0; anX < theSide; ++anX)
  {
    for (int aY = 0; aY < theSide; ++aY)
    {
      aPoints.push_back(gp_XY(anX + 1.0, aY + 1.0));
    }
  }
  std::shuffle(aPoints.begin(), aPoints.end(), std::mt19937(theSeed));
  return aPoints;
}

//! Returns thePoints sorted, to compare them as sets.
std::vector<std::pair<double, double>> sorted(const std::vector<gp_XY>& thePoints)
{
  std::vector<std::pair<double, double>> aPairs;
  for (const gp_XY& aPoint : thePoints)
  {
    aPairs.emplace_back(aPoint.X(), aPoint.Y());
  }
  std::sort(aPairs.begin(), aPairs.end());
  return aPairs;
}

TEST(VexJob_Order, HolesAreVisitedOnceOnAShortTour)
{
  for (const int aSide : {1, 2, 10, 40})
  {
    for (const unsigned aSeed : {1u, 7u})
    {
      std::vector<gp_XY> aHoles  = shuffledGrid(aSide, aSeed);
      const auto         aSet    = sorted(aHoles);
      double             aBefore = 0.0;
      const double       anAfter = VexJob_Order::Holes(aHoles, gp_XY(0.0, 0.0), aBefore);
      EXPECT_EQ(sorted(aHoles), aSet);
      EXPECT_NEAR(anAfter, VexJob_Order::Travel(aHoles, gp_XY(0.0, 0.0)), 1e-9);
      EXPECT_LE(anAfter, aBefore);
      // The best open tour of a grid from the corner is one unit per hole after the first.
      const double aBest = std::sqrt(2.0) + aSide * aSide - 1;
      EXPECT_LE(anAfter, 1.2 * aBest) << aSide;
    }
  }
}

TEST(VexJob_Order, TwoOptUntanglesCrossingMoves)
{
  // Nearest neighbour from the origin zigzags; the crossing moves are undone.
  std::vector<gp_XY> aTour   = {gp_XY(1, 0), gp_XY(2, 1), gp_XY(2, 0), gp_XY(1, 1)};
  const double       aBefore = VexJob_Order::Travel(aTour, gp_XY(0, 0));
  VexJob_Order::TwoOpt(aTour, gp_XY(0, 0));
  EXPECT_LT(VexJob_Order::Travel(aTour, gp_XY(0, 0)), aBefore - 0.1);
  std::mt19937                           aRandom(3);
  std::uniform_real_distribution<double> aCoordinate(0.0, 100.0);
  std::vector<gp_XY>                     aPoints(500);
  for (gp_XY& aPoint : aPoints)
  {
    aPoint.SetCoord(aCoordinate(aRandom), aCoordinate(aRandom));
  }
  const double aRandomBefore = VexJob_Order::Travel(aPoints, gp_XY(0, 0));
  VexJob_Order::TwoOpt(aPoints, gp_XY(0, 0));
  EXPECT_LT(VexJob_Order::Travel(aPoints, gp_XY(0, 0)), aRandomBefore);
}

TEST(VexJob_Order, ClosedContoursAreEnteredNearestToTheTool)
{
  std::vector<VexJob_Contour> aContours;
  for (int anIndex = 4; anIndex >= 0; --anIndex)
  {
    const double   aX = 10.0 * anIndex;
    VexJob_Contour aSquare;
    const gp_XY    aCorners[] = {gp_XY(aX + 1, 1), gp_XY(aX + 2, 1), gp_XY(aX + 2, 2),
                                 gp_XY(aX + 1, 2)};
    for (int aSide = 0; aSide < 4; ++aSide)
    {
      aSquare.Append(VexJob_Element::Segment(aCorners[(aSide + 2) % 4], aCorners[(aSide + 3) % 4]));
    }
    aSquare.SetClosed(true);
    aContours.push_back(aSquare);
  }
  double       aBefore = 0.0;
  const double anAfter = VexJob_Order::Contours(aContours, gp_XY(0, 0), aBefore);
  ASSERT_EQ(aContours.size(), 5u);
  EXPECT_TRUE(aContours[0].Start().IsEqual(gp_XY(1, 1), 1e-12));
  for (size_t anIndex = 1; anIndex < aContours.size(); ++anIndex)
  {
    EXPECT_LT(aContours[anIndex - 1].Start().X(), aContours[anIndex].Start().X());
    EXPECT_TRUE(aContours[anIndex].End().IsEqual(aContours[anIndex].Start(), 1e-12));
  }
  EXPECT_LT(anAfter, aBefore);
  EXPECT_NEAR(anAfter, VexJob_Order::Travel(aContours, gp_XY(0, 0)), 1e-9);
}
} // namespace
