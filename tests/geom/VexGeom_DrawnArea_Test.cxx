// Copyright (c) 2026 VexData developers
// The area a model draws, asked for by window: strokes, discs, ring pads, flashes and sweeps of
// aperture shapes, areas, clear features applied in order, and the area grown by a distance.
#include <VexGeom_DrawnArea.hxx>
#include <VexGeom_Polygons.hxx>

#include <VexTest_ModelBuilder.hxx>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
//! A design of one of each feature, 10 mm apart, in millimetres.
Handle(PenFormatData_Model) design()
{
  VexTest_ModelBuilder aBuilder;
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.2});
  aBuilder.Aperture(2, PenFormatData_Aperture::Shape_Round, {1.0});
  aBuilder.Aperture(3, PenFormatData_Aperture::Shape_Rectangle, {2.0, 1.0});
  aBuilder.Aperture(4, PenFormatData_Aperture::Shape_Round, {0.5});
  aBuilder.Aperture(5, PenFormatData_Aperture::Shape_Round, {1.6, 1.0});
  aBuilder.Aperture(6, PenFormatData_Aperture::Shape_Macro, {1.0});
  aBuilder.Toolpath(1, 1).CreateSegment(gp_XY(0, 0), gp_XY(10, 0));
  aBuilder.Toolpath(2, 2).CreatePoint(gp_XY(20, 0));
  PhGeom_Curve& aFlashes = aBuilder.Artwork(3, false, false);
  aFlashes.CreatePoint(gp_XY(30, 0));
  aFlashes.CreateSegment(gp_XY(30, 5), gp_XY(35, 5));
  PhGeom_Curve& aSquare = aBuilder.Artwork(0, true, false);
  aSquare.CreateSegment(gp_XY(40, 0), gp_XY(42, 0));
  aSquare.CreateSegment(gp_XY(42, 0), gp_XY(42, 2));
  aSquare.CreateSegment(gp_XY(42, 2), gp_XY(40, 2));
  aSquare.CreateSegment(gp_XY(40, 2), gp_XY(40, 0));
  aBuilder.Artwork(4, false, true).CreatePoint(gp_XY(41, 1));
  aBuilder.Toolpath(5, 2).CreatePoint(gp_XY(50, 0));
  // A note of the picture draws nothing.
  aBuilder.Artwork(6, false, false).CreateSegment(gp_XY(0, 20), gp_XY(60, 20));
  return aBuilder.Model();
}
} // namespace

TEST(VexGeom_DrawnAreaTest, AWindowHoldsWhatTheModelDrawsThere)
{
  const Handle(PenFormatData_Model) aModel = design();
  gp_XY  aMin(1.0e9, 1.0e9), aMax(-1.0e9, -1.0e9);
  size_t aCount = 0;
  VexGeom_DrawnArea::Survey(*aModel, aMin, aMax, aCount);
  EXPECT_NEAR(aMin.X(), -0.1, 1.0e-12);
  EXPECT_NEAR(aMax.X(), 50.8, 1.0e-12);
  EXPECT_NEAR(aMin.Y(), -1.0, 1.0e-12);
  EXPECT_NEAR(aMax.Y(), 6.0, 1.0e-12);
  VexGeom_Grid aGrid;
  aGrid.Init(aMin - gp_XY(1, 1), aMax + gp_XY(1, 1), VexGeom_Grid::CellSizeFor(aMin, aMax, aCount),
             4, 1.0e6);
  VexGeom_DrawnArea anArea(aGrid);
  anArea.Build(*aModel, aCount, aGrid.CellSize());
  EXPECT_EQ(anArea.NbFeatures(), 7);

  const struct
  {
    const char* Name;
    gp_XY       Min, Max;
    double      Distance;
    double      Area;
  } THE_CASES[] = {
      {"a stroke", gp_XY(-1, -1), gp_XY(11, 1), 0.0, 2.0 + M_PI * 0.01},
      {"half a stroke", gp_XY(5, -1), gp_XY(11, 1), 0.0, 1.0 + M_PI * 0.005},
      {"a stroke grown", gp_XY(-1, -1), gp_XY(11, 1), 0.1, 4.0 + M_PI * 0.04},
      {"a drill hit", gp_XY(19, -1), gp_XY(21, 1), 0.0, M_PI * 0.25},
      {"a flash of a rectangle", gp_XY(28, -1), gp_XY(32, 1), 0.0, 2.0},
      {"a rectangle swept along a draw", gp_XY(28, 4), gp_XY(37, 6), 0.0, 7.0},
      {"an area less a clear flash", gp_XY(39, -1), gp_XY(43, 3), 0.0, 4.0 - M_PI * 0.0625},
      {"an area grown over its clear flash", gp_XY(39, -1), gp_XY(43, 3), 0.5, 8.0 + M_PI * 0.25},
      {"an area shrunk", gp_XY(39, -1), gp_XY(43, 3), -0.2, 2.56 - M_PI * 0.2025},
      {"a ring pad", gp_XY(49, -1), gp_XY(51, 1), 0.0, M_PI * (0.64 - 0.25)},
      {"nothing", gp_XY(0, 15), gp_XY(60, 25), 0.0, 0.0},
  };
  for (const auto& aCase : THE_CASES)
  {
    ClipperLib::Paths aPolygons;
    anArea.Window(aCase.Min, aCase.Max, aCase.Distance, aPolygons);
    EXPECT_NEAR(VexGeom_Polygons::Area(aPolygons), aCase.Area, 2.0e-3) << aCase.Name;
    for (const ClipperLib::Path& aPath : aPolygons)
    {
      EXPECT_TRUE(ClipperLib::Orientation(aPath) == (ClipperLib::Area(aPath) > 0.0)) << aCase.Name;
    }
  }
}
