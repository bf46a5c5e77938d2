// Copyright (c) 2026 VexData developers
// Sweeps: the area and extent a shape covers along a segment or an arc, against hand-computed
// values and against a dense union of copies of the shape, and the budget refusing a sweep it
// cannot pay for.
#include <VexGeom_Polygons.hxx>
#include <VexGeom_Sweep.hxx>

#include <VexTest_Messages.hxx>

#include <Message_Msg.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
const gp_Mat2d THE_IDENTITY(gp_XY(1, 0), gp_XY(0, 1));

//! Returns the polygons of theContours.
ClipperLib::Paths polygonsOf(const NCollection_Vector<VexGeom_Contour>& theContours)
{
  VexGeom_Budget    aBudget;
  VexGeom_Flattener aFlattener(aBudget);
  ClipperLib::Paths aPaths;
  EXPECT_TRUE(aFlattener.ToPaths(theContours, aPaths));
  return aPaths;
}

//! Returns the area theContours cover, their overlaps once.
double areaOf(const NCollection_Vector<VexGeom_Contour>& theContours)
{
  ClipperLib::Paths aPaths = polygonsOf(theContours);
  VexGeom_Polygons::Normalise(aPaths);
  return VexGeom_Polygons::Area(aPaths);
}

//! Returns the box of theContours as (min x, min y, max x, max y).
std::vector<double> boxOf(const NCollection_Vector<VexGeom_Contour>& theContours)
{
  const ClipperLib::Paths aPaths = polygonsOf(theContours);
  ClipperLib::IntPoint    aMin = aPaths.front().front(), aMax = aMin;
  VexGeom_Polygons::AddToBox(aPaths, aMin, aMax);
  const gp_XY aLow = VexGeom_Units::ToXY(aMin), aHigh = VexGeom_Units::ToXY(aMax);
  return {aLow.X(), aLow.Y(), aHigh.X(), aHigh.Y()};
}

//! Returns the area of the union of theShape (round) placed every 50 um along thePath (an arc):
//! what the sweep covers, less slivers between neighbouring copies (some 1e-5 mm2 a step).
double denseArea(const VexGeom_Shape& theShape, const VexGeom_Contour& thePath)
{
  const VexGeom_Edge& anEdge = thePath.Edge(0);
  const gp_XY         aFrom  = thePath.Start() - anEdge.Center;
  const double        aSweep = thePath.ArcSweep(0);
  const int aSteps = std::max(16, static_cast<int>(std::fabs(aSweep) * aFrom.Modulus() / 0.05));
  std::vector<ClipperLib::Paths> aPieces;
  for (int anIndex = 0; anIndex <= aSteps; ++anIndex)
  {
    const double anAngle = aSweep * anIndex / aSteps;
    const gp_XY  aPoint =
        anEdge.Center + gp_XY(aFrom.X() * std::cos(anAngle) - aFrom.Y() * std::sin(anAngle),
                              aFrom.X() * std::sin(anAngle) + aFrom.Y() * std::cos(anAngle));
    NCollection_Vector<VexGeom_Contour> aCopy;
    theShape.Place(aPoint, aCopy);
    aPieces.push_back(polygonsOf(aCopy));
  }
  // Neighbours first, pairwise: one union of all the copies would take long.
  for (size_t aStep = 1; aStep < aPieces.size(); aStep *= 2)
  {
    for (size_t anIndex = 0; anIndex + aStep < aPieces.size(); anIndex += 2 * aStep)
    {
      VexGeom_Polygons::Combine(ClipperLib::ctUnion, aPieces[anIndex], aPieces[anIndex + aStep],
                                aPieces[anIndex]);
    }
  }
  return VexGeom_Polygons::Area(aPieces.front());
}

//! Returns a path of one segment.
VexGeom_Contour segment(const gp_XY& theStart, const gp_XY& theEnd)
{
  VexGeom_Contour aPath(theStart);
  aPath.AddSegment(theEnd);
  return aPath;
}

//! Returns a path of one arc.
VexGeom_Contour arc(const gp_XY& theStart, const gp_XY& theEnd, const gp_XY& theCenter,
                    const bool isCcw)
{
  VexGeom_Contour aPath(theStart);
  aPath.AddArc(theEnd, theCenter, isCcw);
  return aPath;
}

struct SweepCase
{
  std::string         Name;
  VexGeom_Shape       Shape;
  gp_Mat2d            Matrix;
  VexGeom_Contour     Path;
  double              Area; //!< by hand; negative: compare with denseArea()
  std::vector<double> Box;  //!< min x, min y, max x, max y
};
} // namespace

TEST(VexGeom_SweepTest, ASweepCoversWhatItsShapeCoversAlongThePath)
{
  const VexGeom_Shape          aPen      = VexGeom_Shape::Circle(2.0, 0.6);
  const VexGeom_Shape          aSquare   = VexGeom_Shape::Rectangle(1.0, 1.0, 0.0);
  const double                 aPi       = M_PI;
  const std::vector<SweepCase> THE_CASES = {
      {"circle along a segment",
       VexGeom_Shape::Circle(1.0, 0.3),
       THE_IDENTITY,
       segment(gp_XY(0, 0), gp_XY(3, 4)),
       5.0 + 0.25 * aPi,
       {-0.5, -0.5, 3.5, 4.5}},
      {"circle along a quarter arc",
       aPen,
       THE_IDENTITY,
       arc(gp_XY(10, 0), gp_XY(0, 10), gp_XY(0, 0), true),
       11.0 * aPi,
       {-1, -1, 11, 11}},
      {"circle along the same arc the other way",
       aPen,
       THE_IDENTITY,
       arc(gp_XY(0, 10), gp_XY(10, 0), gp_XY(0, 0), false),
       11.0 * aPi,
       {-1, -1, 11, 11}},
      {"circle along a full circle",
       aPen,
       THE_IDENTITY,
       arc(gp_XY(10, 0), gp_XY(10, 0), gp_XY(0, 0), true),
       40.0 * aPi,
       {-11, -11, 11, 11}},
      {"circle along a full circle round less than its radius",
       aPen,
       THE_IDENTITY,
       arc(gp_XY(0.5, 0), gp_XY(0.5, 0), gp_XY(0, 0), false),
       2.25 * aPi,
       {-1.5, -1.5, 1.5, 1.5}},
      {"circle along an arc whose ends meet",
       aPen,
       THE_IDENTITY,
       arc(gp_XY(10, 0), gp_XY(10 * std::cos(-0.17), 10 * std::sin(-0.17)), gp_XY(0, 0), true),
       -1.0,
       {-11, -11, 11, 11}},
      {"circle along an arc round less than its radius",
       aPen,
       THE_IDENTITY,
       arc(gp_XY(0.5, 0), gp_XY(0, 0.5), gp_XY(0, 0), true),
       -1.0,
       {-1.0, -1.0, 1.5, 1.5}},
      {"circle scaled by the transform",
       VexGeom_Shape::Circle(1.0, 0.0),
       gp_Mat2d(gp_XY(0, 2), gp_XY(2, 0)),
       segment(gp_XY(0, 0), gp_XY(4, 0)),
       8.0 + aPi,
       {-1, -1, 5, 1}},
      {"rectangle along a segment",
       VexGeom_Shape::Rectangle(2.0, 1.0, 0.4),
       THE_IDENTITY,
       segment(gp_XY(0, 0), gp_XY(5, 0)),
       7.0,
       {-1, -0.5, 6, 0.5}},
      {"rectangle turned along a segment",
       VexGeom_Shape::Rectangle(2.0, 1.0, 0.0),
       gp_Mat2d(gp_XY(0, 1), gp_XY(-1, 0)),
       segment(gp_XY(0, 0), gp_XY(5, 0)),
       12.0,
       {-0.5, -1, 5.5, 1}},
      {"rectangle moved less than its size",
       VexGeom_Shape::Rectangle(2.0, 2.0, 0.0),
       THE_IDENTITY,
       segment(gp_XY(0, 0), gp_XY(0.5, 0.5)),
       4.0 + 2.0,
       {-1, -1, 1.5, 1.5}},
      {"obround along a segment",
       VexGeom_Shape::Obround(3.0, 1.0, 0.0),
       THE_IDENTITY,
       segment(gp_XY(0, 0), gp_XY(4, 0)),
       2.0 + 0.25 * aPi + 4.0,
       {-1.5, -0.5, 5.5, 0.5}},
      {"square along a quarter arc",
       aSquare,
       THE_IDENTITY,
       arc(gp_XY(10, 0), gp_XY(0, 10), gp_XY(0, 0), true),
       21.0,
       {-0.5, -0.5, 10.5, 10.5}},
      // The hexagon grown by the circle (its area, 5 times its perimeter and the disc) less the
      // discs of 5 mm round its corners where they all meet (51.187968 mm2, by integration).
      {"hexagon along a full circle",
       VexGeom_Shape::Polygon(2.0, 6, 0.0, 0.0),
       THE_IDENTITY,
       arc(gp_XY(5, 0), gp_XY(5, 0), gp_XY(0, 0), true),
       59.949925,
       {-6, -5.87, 6, 5.87}},
  };
  for (const SweepCase& aCase : THE_CASES)
  {
    VexGeom_Budget                      aBudget;
    VexGeom_Flattener                   aFlattener(aBudget);
    VexGeom_Sweep                       aSweep(aFlattener);
    NCollection_Vector<VexGeom_Contour> aResult;
    ASSERT_TRUE(aSweep.Along(aCase.Shape, aCase.Matrix, aCase.Path, aResult)) << aCase.Name;
    ASSERT_FALSE(aResult.IsEmpty()) << aCase.Name;
    if (aCase.Area >= 0.0)
    {
      // Chords cut off at most two thirds of the tolerance times the length of the arcs.
      EXPECT_NEAR(areaOf(aResult), aCase.Area, 3.0e-3 + 2.0e-4 * aCase.Area) << aCase.Name;
    }
    else
    {
      // The dense union leaves slivers between its copies: a little less.
      const double aDense = denseArea(aCase.Shape, aCase.Path);
      EXPECT_GE(areaOf(aResult), aDense - 1.0e-3) << aCase.Name;
      EXPECT_LE(areaOf(aResult), aDense + 0.05) << aCase.Name;
    }
    const std::vector<double> aBox = boxOf(aResult);
    for (size_t anIndex = 0; anIndex < 4; ++anIndex)
    {
      EXPECT_NEAR(aBox[anIndex], aCase.Box[anIndex], 0.01) << aCase.Name << " box " << anIndex;
    }
  }
}

TEST(VexGeom_SweepTest, ACircleAlongAnArcIsExactAndNeedsNoPolygonWork)
{
  // The sweep that once took seconds: a 20 mm circle with a hole along a wide arc. Its stroke
  // is two arcs about the centre and two half circles, with no polygon work at all.
  VexGeom_Budget                      aBudget(0, 0.0);
  VexGeom_Flattener                   aFlattener(aBudget);
  VexGeom_Sweep                       aSweep(aFlattener);
  NCollection_Vector<VexGeom_Contour> aResult;
  ASSERT_TRUE(aSweep.Along(VexGeom_Shape::Circle(20.0, 0.2), THE_IDENTITY,
                           arc(gp_XY(200.001, 0), gp_XY(-200.001, 0), gp_XY(0, 0), true), aResult));
  ASSERT_EQ(aResult.Length(), 1);
  EXPECT_EQ(aResult(0).NbEdges(), 4);
  EXPECT_NEAR(aResult(0).SignedArea(), 2.0 * M_PI * 200.001 * 10.0 + M_PI * 100.0, 1.0e-6);
  EXPECT_EQ(aBudget.WorkSpent(), 0.0);
}

TEST(VexGeom_SweepTest, TheBudgetRefusesASweepItCannotPayFor)
{
  // A square along a quarter arc of 10 mm costs some thousands of steps.
  VexGeom_Budget                      aBudget(100000, 1000.0);
  VexGeom_Flattener                   aFlattener(aBudget);
  VexGeom_Sweep                       aSweep(aFlattener);
  NCollection_Vector<VexGeom_Contour> aResult;
  EXPECT_FALSE(aSweep.Along(VexGeom_Shape::Rectangle(1.0, 1.0, 0.0), THE_IDENTITY,
                            arc(gp_XY(10, 0), gp_XY(0, 10), gp_XY(0, 0), true), aResult));
  EXPECT_TRUE(aResult.IsEmpty());
  EXPECT_EQ(aBudget.Reached(), VexGeom_Budget::Limit_Work);
  EXPECT_EQ(aBudget.WorkSpent(), 0.0);
  VexTest_MessageCapture aCapture;
  aCapture.Messenger()->Send(aBudget.Fault().Get(), Message_Fail);
  EXPECT_EQ(aCapture.Dump(), "4 VEX_GEOM_LIMIT_WORK 1\n");
  // A move along a segment is cheap enough.
  EXPECT_TRUE(aSweep.Along(VexGeom_Shape::Rectangle(1.0, 1.0, 0.0), THE_IDENTITY,
                           segment(gp_XY(0, 0), gp_XY(10, 0)), aResult));
}
