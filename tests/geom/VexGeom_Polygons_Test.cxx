// Copyright (c) 2026 VexData developers
// Polygon work: boolean operations of areas, growing and shrinking, the stroke of open lines
// and the parts of lines inside or outside an area, horizontal lines included.
#include <VexGeom_Polygons.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
//! Returns the square from theLow to theLow + theSide, counter-clockwise.
ClipperLib::Path square(const gp_XY& theLow, const double theSide)
{
  return VexGeom_Polygons::Rectangle(VexGeom_Units::ToPoint(theLow),
                                     VexGeom_Units::ToPoint(theLow + gp_XY(theSide, theSide)));
}

//! Returns an open line through thePoints.
ClipperLib::Path line(const std::vector<gp_XY>& thePoints)
{
  ClipperLib::Path aLine;
  for (const gp_XY& aPoint : thePoints)
  {
    aLine.push_back(VexGeom_Units::ToPoint(aPoint));
  }
  return aLine;
}

//! Returns the length of all lines of theLines.
double lengthOf(const ClipperLib::Paths& theLines)
{
  double aLength = 0.0;
  for (const ClipperLib::Path& aLine : theLines)
  {
    aLength += VexGeom_Polygons::Length(aLine);
  }
  return aLength;
}
} // namespace

TEST(VexGeom_PolygonsTest, BooleanOperationsOfTwoOverlappingSquares)
{
  const ClipperLib::Paths aFirst(1, square(gp_XY(0, 0), 2.0));
  const ClipperLib::Paths aSecond(1, square(gp_XY(1, 1), 2.0));
  const struct
  {
    ClipperLib::ClipType Type;
    double               Area;
    size_t               Polygons;
  } THE_CASES[] = {{ClipperLib::ctUnion, 7.0, 1},
                   {ClipperLib::ctDifference, 3.0, 1},
                   {ClipperLib::ctIntersection, 1.0, 1}};
  for (const auto& aCase : THE_CASES)
  {
    ClipperLib::Paths aResult;
    VexGeom_Polygons::Combine(aCase.Type, aFirst, aSecond, aResult);
    EXPECT_NEAR(VexGeom_Polygons::Area(aResult), aCase.Area, 1.0e-9) << aCase.Type;
    EXPECT_EQ(aResult.size(), aCase.Polygons) << aCase.Type;
  }
  // A budget too small for the work leaves the result as it was.
  VexGeom_Budget    aBudget(10, 5.0);
  ClipperLib::Paths aResult(1, square(gp_XY(9, 9), 1.0));
  EXPECT_FALSE(VexGeom_Polygons::Combine(ClipperLib::ctUnion, aFirst, aSecond, aResult, aBudget));
  EXPECT_NEAR(VexGeom_Polygons::Area(aResult), 1.0, 1.0e-12);
  EXPECT_EQ(aBudget.Reached(), VexGeom_Budget::Limit_Work);
}

TEST(VexGeom_PolygonsTest, AreasAreNormalisedGrownAndShrunk)
{
  // Two squares given clockwise and overlapping become one outline, counter-clockwise.
  ClipperLib::Paths anArea = {square(gp_XY(0, 0), 2.0), square(gp_XY(1, 0), 2.0)};
  ClipperLib::ReversePaths(anArea);
  VexGeom_Polygons::Normalise(anArea);
  ASSERT_EQ(anArea.size(), 1u);
  EXPECT_TRUE(ClipperLib::Orientation(anArea.front()));
  EXPECT_NEAR(VexGeom_Polygons::Area(anArea), 6.0, 1.0e-9);

  const struct
  {
    double Distance;
    double Area; //!< of a square of 2 mm
  } THE_CASES[] = {
      {0.5, 4.0 + 4.0 * 2.0 * 0.5 + M_PI * 0.25}, {-0.5, 1.0}, {-1.5, 0.0}, {0.0, 4.0}};
  for (const auto& aCase : THE_CASES)
  {
    ClipperLib::Paths aSquare(1, square(gp_XY(0, 0), 2.0));
    VexGeom_Polygons::Grow(aSquare, aCase.Distance);
    // Round corners lie within the chord tolerance inside their arcs.
    EXPECT_NEAR(VexGeom_Polygons::Area(aSquare), aCase.Area, 2.0e-3) << aCase.Distance;
  }
}

TEST(VexGeom_PolygonsTest, ARoundPenStrokesOpenLines)
{
  const struct
  {
    const char*        Name;
    std::vector<gp_XY> Points;
    double             Radius;
    double             Area;
  } THE_CASES[] = {
      {"a straight line of two segments",
       {gp_XY(0, 0), gp_XY(3, 0), gp_XY(5, 0)},
       0.5,
       5.0 + M_PI * 0.25},
      {"a point", {gp_XY(1, 1)}, 1.0, M_PI},
      {"a right angle", {gp_XY(0, 0), gp_XY(4, 0), gp_XY(4, 4)}, 1.0, 16.0 - 1.0 + M_PI * 1.25},
      {"no radius", {gp_XY(0, 0), gp_XY(4, 0)}, 0.0, 0.0},
  };
  for (const auto& aCase : THE_CASES)
  {
    ClipperLib::Paths aStroke;
    VexGeom_Polygons::Stroke(ClipperLib::Paths(1, line(aCase.Points)), aCase.Radius, aStroke);
    VexGeom_Polygons::Normalise(aStroke);
    // Chords cut off at most two thirds of the tolerance times the length of the arcs.
    EXPECT_NEAR(VexGeom_Polygons::Area(aStroke), aCase.Area, 3.0e-3 + 2.0e-4 * aCase.Area)
        << aCase.Name;
  }
}

TEST(VexGeom_PolygonsTest, LinesAreClippedInsideAndOutsideAnArea)
{
  // A square of 2 mm with a square hole of 1 mm in its middle.
  ClipperLib::Paths anArea = {square(gp_XY(0, 0), 2.0), square(gp_XY(0.5, 0.5), 1.0)};
  ClipperLib::ReversePath(anArea.back());
  const struct
  {
    const char*        Name;
    std::vector<gp_XY> Points;
    double             Inside, Outside;
  } THE_CASES[] = {
      {"a diagonal across", {gp_XY(-1, -1), gp_XY(3, 3)}, std::sqrt(2.0), 3.0 * std::sqrt(2.0)},
      {"a horizontal line across", {gp_XY(-1, 0.25), gp_XY(3, 0.25)}, 2.0, 2.0},
      {"a horizontal line through the hole", {gp_XY(-1, 1), gp_XY(3, 1)}, 1.0, 3.0},
      {"a horizontal line wholly inside", {gp_XY(0.1, 0.25), gp_XY(1.9, 0.25)}, 1.8, 0.0},
      {"a horizontal line of two segments inside",
       {gp_XY(0.1, 1.75), gp_XY(1, 1.75), gp_XY(1.9, 1.75)},
       1.8,
       0.0},
      {"a horizontal line wholly outside", {gp_XY(3, 1), gp_XY(5, 1)}, 0.0, 2.0},
      {"a vertical line wholly inside", {gp_XY(0.25, 0.1), gp_XY(0.25, 1.9)}, 1.8, 0.0},
  };
  for (const auto& aCase : THE_CASES)
  {
    for (const bool isInside : {true, false})
    {
      ClipperLib::Paths aParts;
      VexGeom_Polygons::ClipLines(ClipperLib::Paths(1, line(aCase.Points)), anArea, isInside,
                                  aParts);
      EXPECT_NEAR(lengthOf(aParts), isInside ? aCase.Inside : aCase.Outside, 1.0e-6)
          << aCase.Name << (isInside ? " inside" : " outside");
    }
  }
}

TEST(VexGeom_PolygonsTest, DistancesBetweenSegments)
{
  EXPECT_NEAR(VexGeom_Polygons::SegmentDistance(gp_XY(0, 0), gp_XY(2, 0), gp_XY(1, 1), gp_XY(1, 3)),
              1.0, 1.0e-12);
  EXPECT_EQ(VexGeom_Polygons::SegmentDistance(gp_XY(0, 0), gp_XY(2, 2), gp_XY(0, 2), gp_XY(2, 0)),
            0.0);
  EXPECT_NEAR(VexGeom_Polygons::PointDistance(gp_XY(5, 4), gp_XY(0, 0), gp_XY(2, 0)), 5.0, 1.0e-12);
  EXPECT_NEAR(VexGeom_Polygons::PointDistance(gp_XY(1, 1), gp_XY(0, 0), gp_XY(0, 0)),
              std::sqrt(2.0), 1.0e-12);
}
