// Copyright (c) 2026 VexData developers
// Aperture shapes: what a flash covers against the formulas of the shapes, their placement under
// rotation, scale and mirror, and which model apertures can be drawn.
#include <VexGeom_Shape.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
//! Returns the area theContours enclose (holes negative), with their arcs exact.
double areaOf(const NCollection_Vector<VexGeom_Contour>& theContours)
{
  double anArea = 0.0;
  for (NCollection_Vector<VexGeom_Contour>::Iterator anIter(theContours); anIter.More();
       anIter.Next())
  {
    anArea += anIter.Value().SignedArea();
  }
  return anArea;
}

//! Returns the area of a disc of theDiameter.
double disc(const double theDiameter)
{
  return M_PI * 0.25 * theDiameter * theDiameter;
}

struct ShapeCase
{
  const char*                    Name;
  std::function<VexGeom_Shape()> Make;
  double                         Area;     //!< the formula
  gp_XY                          HalfSize; //!< half sides of the box a flash covers
  int                            Contours; //!< outline and hole
};
} // namespace

TEST(VexGeom_ShapeTest, AFlashCoversTheAreaOfItsFormula)
{
  const double                 aHexagon  = 1.5 * std::sqrt(3.0) * 1.0; // side 1 mm
  const std::vector<ShapeCase> THE_CASES = {
      {"circle", [] { return VexGeom_Shape::Circle(2.0, 0.0); }, disc(2.0), gp_XY(1, 1), 1},
      {"circle with hole", [] { return VexGeom_Shape::Circle(2.0, 0.8); }, disc(2.0) - disc(0.8),
       gp_XY(1, 1), 2},
      {"rectangle", [] { return VexGeom_Shape::Rectangle(3.0, 1.0, 0.0); }, 3.0, gp_XY(1.5, 0.5),
       1},
      {"rectangle with hole", [] { return VexGeom_Shape::Rectangle(3.0, 1.0, 0.5); },
       3.0 - disc(0.5), gp_XY(1.5, 0.5), 2},
      {"lying obround", [] { return VexGeom_Shape::Obround(3.0, 1.0, 0.0); }, 2.0 * 1.0 + disc(1.0),
       gp_XY(1.5, 0.5), 1},
      {"standing obround with hole", [] { return VexGeom_Shape::Obround(1.0, 3.0, 0.4); },
       2.0 + disc(1.0) - disc(0.4), gp_XY(0.5, 1.5), 2},
      {"square obround is a circle", [] { return VexGeom_Shape::Obround(2.0, 2.0, 0.0); },
       disc(2.0), gp_XY(1, 1), 1},
      {"hexagon", [] { return VexGeom_Shape::Polygon(2.0, 6, 0.0, 0.0); }, aHexagon,
       gp_XY(1.0, 0.5 * std::sqrt(3.0)), 1},
      {"turned square with hole", [] { return VexGeom_Shape::Polygon(2.0, 4, 45.0, 0.5); },
       2.0 - disc(0.5), gp_XY(std::sqrt(0.5), std::sqrt(0.5)), 2},
      {"circle of size 0", [] { return VexGeom_Shape::Circle(0.0, 0.5); }, 0.0, gp_XY(0, 0), 0},
      {"polygon of two vertices", [] { return VexGeom_Shape::Polygon(2.0, 2, 0.0, 0.0); }, 0.0,
       gp_XY(0, 0), 0},
  };
  for (const ShapeCase& aCase : THE_CASES)
  {
    const VexGeom_Shape aShape = aCase.Make();
    EXPECT_NEAR(areaOf(aShape.Contours()), aCase.Area, 1.0e-9) << aCase.Name;
    EXPECT_EQ(aShape.Contours().Length(), aCase.Contours) << aCase.Name;
    EXPECT_EQ(aShape.IsEmpty(), aCase.Contours == 0) << aCase.Name;
    EXPECT_NEAR(aShape.HalfExtent().X(), aCase.HalfSize.X(), 1.0e-9) << aCase.Name;
    EXPECT_NEAR(aShape.HalfExtent().Y(), aCase.HalfSize.Y(), 1.0e-9) << aCase.Name;
  }
}

TEST(VexGeom_ShapeTest, APlacedFlashKeepsItsOrientationUnderEveryTransform)
{
  // Rotation by 30 degrees, a mirror in x, and a scale of 2: a mirror must not turn the outline
  // into a hole.
  const double aCos = std::cos(M_PI / 6.0), aSin = std::sin(M_PI / 6.0);
  const struct
  {
    const char* Name;
    gp_Mat2d    Matrix;
    double      Scale;
  } THE_CASES[] = {
      {"identity", gp_Mat2d(gp_XY(1, 0), gp_XY(0, 1)), 1.0},
      {"turned", gp_Mat2d(gp_XY(aCos, aSin), gp_XY(-aSin, aCos)), 1.0},
      {"mirrored", gp_Mat2d(gp_XY(-1, 0), gp_XY(0, 1)), 1.0},
      {"scaled and mirrored", gp_Mat2d(gp_XY(0, 2), gp_XY(2, 0)), 2.0},
  };
  const VexGeom_Shape aShape = VexGeom_Shape::Obround(3.0, 1.0, 0.4);
  for (const auto& aCase : THE_CASES)
  {
    NCollection_Vector<VexGeom_Contour> aContours;
    aShape.Place(aCase.Matrix, gp_XY(10.0, -5.0), aContours);
    ASSERT_EQ(aContours.Length(), 2) << aCase.Name;
    EXPECT_GT(aContours(0).SignedArea(), 0.0) << aCase.Name << ": the outline";
    EXPECT_LT(aContours(1).SignedArea(), 0.0) << aCase.Name << ": the hole";
    EXPECT_NEAR(areaOf(aContours), areaOf(aShape.Contours()) * aCase.Scale * aCase.Scale, 1.0e-9)
        << aCase.Name;
    // The hole stays centred on the placement point.
    EXPECT_NEAR(aContours(1).Edge(0).Center.X(), 10.0, 1.0e-12) << aCase.Name;
    EXPECT_NEAR(aContours(1).Edge(0).Center.Y(), -5.0, 1.0e-12) << aCase.Name;
  }
}

TEST(VexGeom_ShapeTest, OnlyApertureShapesWithSizesAreDrawable)
{
  const double aNaN = std::nan("");
  const struct
  {
    const char*         Name;
    Standard_Integer    Code;
    std::vector<double> Params;
    VexGeom_Shape::Kind Kind;
    double              Width; //!< millimetres, in a model of inches
    double              Hole;
  } THE_CASES[] = {
      {"round", PenFormatData_Aperture::Shape_Round, {0.1}, VexGeom_Shape::Kind_Circle, 2.54, 0},
      {"round with hole",
       PenFormatData_Aperture::Shape_Round,
       {0.1, 0.05},
       VexGeom_Shape::Kind_Circle,
       2.54,
       1.27},
      {"round of size 0",
       PenFormatData_Aperture::Shape_Round,
       {0.0},
       VexGeom_Shape::Kind_Circle,
       0,
       0},
      {"rectangle",
       PenFormatData_Aperture::Shape_Rectangle,
       {0.1, 0.2},
       VexGeom_Shape::Kind_Rectangle,
       2.54,
       0},
      {"obround",
       PenFormatData_Aperture::Shape_Obround,
       {0.1, 0.2, 0.05},
       VexGeom_Shape::Kind_Obround,
       2.54,
       1.27},
      {"hexagon",
       PenFormatData_Aperture::Shape_Polygon,
       {0.1, 6, 0},
       VexGeom_Shape::Kind_Polygon,
       2.54,
       0},
      {"polygon of 13 vertices",
       PenFormatData_Aperture::Shape_Polygon,
       {0.1, 13, 0},
       VexGeom_Shape::Kind_None,
       0,
       0},
      {"polygon without vertex count",
       PenFormatData_Aperture::Shape_Polygon,
       {0.1},
       VexGeom_Shape::Kind_None,
       0,
       0},
      {"rectangle without height",
       PenFormatData_Aperture::Shape_Rectangle,
       {0.1},
       VexGeom_Shape::Kind_None,
       0,
       0},
      {"round of no number",
       PenFormatData_Aperture::Shape_Round,
       {aNaN},
       VexGeom_Shape::Kind_None,
       0,
       0},
      {"negative rectangle",
       PenFormatData_Aperture::Shape_Rectangle,
       {-0.1, 0.1},
       VexGeom_Shape::Kind_None,
       0,
       0},
      {"macro", PenFormatData_Aperture::Shape_Macro, {1, 2, 3}, VexGeom_Shape::Kind_None, 0, 0},
  };
  for (const auto& aCase : THE_CASES)
  {
    Handle(PenFormatData_Aperture) anAperture =
        new PenFormatData_Aperture(aCase.Code, "A", Handle(Standard_Transient)(), 0);
    anAperture->SetParam(aCase.Params.data(), static_cast<Standard_Integer>(aCase.Params.size()));
    const VexGeom_Shape aShape = VexGeom_Shape::FromAperture(anAperture, 25.4);
    EXPECT_EQ(aShape.GetKind(), aCase.Kind) << aCase.Name;
    EXPECT_NEAR(aShape.Width(), aCase.Width, 1.0e-12) << aCase.Name;
    EXPECT_NEAR(aShape.Hole(), aCase.Hole, 1.0e-12) << aCase.Name;
  }
  EXPECT_FALSE(VexGeom_Shape::FromAperture(Handle(PenFormatData_Aperture)(), 1.0).IsDrawable());
}

TEST(VexGeom_Shape, AMacroWithAnOutlineIsDrawnAsItsPolygons)
{
  // Corners (inches) and polygon ends of an outline, and whether it can be drawn: a square with
  // a clockwise square hole; then outlines no drawing can trust.
  struct Case
  {
    const char*                            Name;
    std::vector<std::pair<double, double>> Corners;
    std::vector<int>                       Ends;
    bool                                   IsDrawable;
  };
  const double aNaN        = std::nan("");
  const Case   THE_CASES[] = {
        {"square with a hole",
         {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-0.5, -0.5}, {-0.5, 0.5}, {0.5, 0.5}, {0.5, -0.5}},
         {4, 8},
         true},
        {"a polygon of two corners", {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}}, {3, 5}, false},
        {"ends past the corners", {{0, 0}, {1, 0}, {1, 1}}, {4}, false},
        {"corners after the last end", {{0, 0}, {1, 0}, {1, 1}, {2, 2}}, {3}, false},
        {"ends going back", {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 2}, {3, 3}}, {4, 3, 6}, false},
        {"a corner of no number", {{0, 0}, {aNaN, 0}, {1, 1}}, {3}, false},
  };
  for (const Case& aCase : THE_CASES)
  {
    NCollection_Vector<gp_XY>            aPoints;
    NCollection_Vector<Standard_Integer> anEnds;
    for (const auto& aCorner : aCase.Corners)
    {
      aPoints.Append(gp_XY(aCorner.first, aCorner.second));
    }
    for (const int anEnd : aCase.Ends)
    {
      anEnds.Append(anEnd);
    }
    Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
        PenFormatData_Aperture::Shape_Macro, "M", Handle(Standard_Transient)(), 0);
    anAperture->SetOutline(aPoints, anEnds);
    const VexGeom_Shape aShape = VexGeom_Shape::FromAperture(anAperture, 25.4);
    ASSERT_EQ(aShape.IsDrawable(), aCase.IsDrawable) << aCase.Name;
    if (aCase.IsDrawable)
    {
      ASSERT_EQ(aShape.Contours().Length(), 2);
      EXPECT_NEAR(aShape.Contours()(0).SignedArea() + aShape.Contours()(1).SignedArea(),
                  3.0 * 25.4 * 25.4, 1e-9);
      EXPECT_NEAR(aShape.HalfExtent().X(), 25.4, 1e-12);
      EXPECT_NEAR(aShape.Width(), 2 * 25.4, 1e-12);
    }
  }
}
