// Copyright (c) 2026 VexData developers
// Macro outlines: primitives composed in order, exposure off taking away only what came before,
// turned about the origin, in the macro's unit, and the budget bounding rings of a moire.
#include <VexGeom_MacroOutline.hxx>
#include <VexGeom_Polygons.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace
{
//! Returns true when thePoint lies inside the normalised polygons thePaths.
bool contains(const ClipperLib::Paths& thePaths, const gp_XY& thePoint)
{
  int aWinding = 0;
  for (const ClipperLib::Path& aPath : thePaths)
  {
    if (ClipperLib::PointInPolygon(VexGeom_Units::ToPoint(thePoint), aPath) != 0)
    {
      aWinding += ClipperLib::Orientation(aPath) ? 1 : -1;
    }
  }
  return aWinding > 0;
}

struct MacroCase
{
  const char*                                Name;
  std::function<bool(VexGeom_MacroOutline&)> Build;
  double                                     Area;  //!< square millimetres
  gp_XY                                      Probe; //!< a point the outline must hold
};
} // namespace

TEST(VexGeom_MacroOutlineTest, PrimitivesComposeInOrder)
{
  const double                 aDisc     = M_PI; // of 2 mm
  const std::vector<MacroCase> THE_CASES = {
      {"a circle less a smaller one",
       [](VexGeom_MacroOutline& theOutline)
       {
         return theOutline.AddCircle(true, 2.0, gp_XY(0, 0), 0.0) &&
                theOutline.AddCircle(false, 1.0, gp_XY(0, 0), 0.0);
       },
       aDisc * 0.75, gp_XY(0.75, 0)},
      {"taking away only what came before",
       [](VexGeom_MacroOutline& theOutline)
       {
         return theOutline.AddCircle(false, 1.0, gp_XY(0, 0), 0.0) &&
                theOutline.AddCircle(true, 2.0, gp_XY(0, 0), 0.0);
       },
       aDisc, gp_XY(0, 0)},
      {"a line with square ends turned a quarter",
       [](VexGeom_MacroOutline& theOutline)
       { return theOutline.AddLine(true, 1.0, gp_XY(1, 0), gp_XY(5, 0), 90.0); },
       4.0, gp_XY(0, 3)},
      {"a centred rectangle and a corner rectangle",
       [](VexGeom_MacroOutline& theOutline)
       {
         return theOutline.AddRectangle(true, 2.0, 1.0, gp_XY(0, 0), false, 0.0) &&
                theOutline.AddRectangle(true, 1.0, 1.0, gp_XY(1, 0), true, 0.0);
       },
       3.0, gp_XY(1.5, 0.5)},
      {"an outline given clockwise and open",
       [](VexGeom_MacroOutline& theOutline)
       {
         NCollection_Vector<gp_XY> aPoints;
         aPoints.Append(gp_XY(0, 0));
         aPoints.Append(gp_XY(0, 2));
         aPoints.Append(gp_XY(2, 2));
         aPoints.Append(gp_XY(2, 0));
         return theOutline.AddOutline(true, aPoints, 0.0);
       },
       4.0, gp_XY(1, 1)},
      {"a hexagon",
       [](VexGeom_MacroOutline& theOutline)
       { return theOutline.AddPolygon(true, 6, gp_XY(3, 0), 2.0, 0.0); },
       1.5 * std::sqrt(3.0), gp_XY(3.9, 0)},
      {"a thermal",
       [](VexGeom_MacroOutline& theOutline)
       { return theOutline.AddThermal(gp_XY(0, 0), 4.0, 2.0, 0.5, 0.0); },
       // The ring less four crossings of a bar 0.5 mm wide over 1 to 2 mm from the centre.
       7.414186, gp_XY(1.0, 1.0)},
      {"a moire of two rings and a cross",
       [](VexGeom_MacroOutline& theOutline)
       { return theOutline.AddMoire(gp_XY(0, 0), 8.0, 0.5, 1.0, 2, 0.2, 10.0, 0.0); },
       M_PI * (16.0 - 12.25) + M_PI * (6.25 - 4.0) + 2.0 * 10.0 * 0.2 - 0.04 -
           4.0 * 0.2 * (0.5 + 0.5),
       gp_XY(4.5, 0)},
  };
  for (const MacroCase& aCase : THE_CASES)
  {
    VexGeom_Budget       aBudget;
    VexGeom_Flattener    aFlattener(aBudget);
    VexGeom_MacroOutline anOutline(aFlattener, 1.0);
    ASSERT_TRUE(aCase.Build(anOutline)) << aCase.Name;
    ClipperLib::Paths aPaths;
    ASSERT_TRUE(anOutline.Result(aPaths)) << aCase.Name;
    // Chords cut off at most two thirds of the tolerance times the length of the arcs.
    EXPECT_NEAR(VexGeom_Polygons::Area(aPaths), aCase.Area, 3.0e-3 + 2.0e-4 * aCase.Area)
        << aCase.Name;
    EXPECT_TRUE(contains(aPaths, aCase.Probe)) << aCase.Name;
  }
}

TEST(VexGeom_MacroOutlineTest, ValuesAreInTheMacrosUnit)
{
  VexGeom_Budget       aBudget;
  VexGeom_Flattener    aFlattener(aBudget);
  VexGeom_MacroOutline anOutline(aFlattener, 25.4);
  ASSERT_TRUE(anOutline.AddRectangle(true, 0.1, 0.2, gp_XY(1, 1), false, 0.0));
  ClipperLib::Paths aPaths;
  ASSERT_TRUE(anOutline.Result(aPaths));
  EXPECT_NEAR(VexGeom_Polygons::Area(aPaths), 0.02 * 25.4 * 25.4, 1.0e-9);
  EXPECT_TRUE(contains(aPaths, gp_XY(25.4, 25.4)));
}

TEST(VexGeom_MacroOutlineTest, TheBudgetBoundsTheRingsOfAMoire)
{
  // A thousand rings of 400 mm flatten into more segments than the budget allows.
  VexGeom_Budget       aBudget(200000, 1.0e12);
  VexGeom_Flattener    aFlattener(aBudget);
  VexGeom_MacroOutline anOutline(aFlattener, 1.0);
  EXPECT_FALSE(anOutline.AddMoire(gp_XY(0, 0), 400.0, 0.01, 0.01, 1000, 0.0, 0.0, 0.0));
  EXPECT_EQ(aBudget.Reached(), VexGeom_Budget::Limit_Segments);
}
