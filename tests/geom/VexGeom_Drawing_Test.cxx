// Copyright (c) 2026 VexData developers
// What a sequence draws: the kind of every sequence, the walk over a model in object order with
// polarity, tool width and aperture shape, and the check that a model's values are usable.
#include <VexGeom_Walker.hxx>

#include <VexTest_ModelBuilder.hxx>

#include <VexData_Format.hxx>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

TEST(VexGeom_DrawingTest, EverySequenceIsClassifiedByOneRule)
{
  // Apertures: 1 a round tool, 2 a rectangle, 3 a macro (cannot be drawn).
  VexTest_ModelBuilder aBuilder(PenFormatData_DU_Inch);
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.01});
  aBuilder.Aperture(2, PenFormatData_Aperture::Shape_Rectangle, {0.1, 0.05});
  aBuilder.Aperture(3, PenFormatData_Aperture::Shape_Macro, {1.0});
  struct Expected
  {
    const char*           Name;
    VexGeom_Drawing::Kind Kind;
    bool                  IsClear;
    double                Tool; //!< millimetres
  };
  std::vector<Expected> anExpected;
  aBuilder.Toolpath(1, 1);
  anExpected.push_back({"path toolpath", VexGeom_Drawing::Kind_Path, false, 0.254});
  aBuilder.Toolpath(1, 2);
  anExpected.push_back({"point toolpath", VexGeom_Drawing::Kind_Drill, false, 0.254});
  aBuilder.Toolpath(1, 0);
  anExpected.push_back({"toolpath of mode 0", VexGeom_Drawing::Kind_Drill, false, 0.254});
  aBuilder.Artwork(0, true, false);
  anExpected.push_back({"area", VexGeom_Drawing::Kind_Area, false, 0.0});
  aBuilder.Artwork(2, false, true);
  anExpected.push_back({"clear flashes of a rectangle", VexGeom_Drawing::Kind_Artwork, true, 2.54});
  aBuilder.Artwork(3, false, false);
  anExpected.push_back({"artwork of a macro", VexGeom_Drawing::Kind_Other, false, 25.4});
  aBuilder.Artwork(1, true, false);
  anExpected.push_back({"area with a tool aperture", VexGeom_Drawing::Kind_Area, false, 0.254});
  // A sequence without a curve is not walked; the scan-field layer is a note.
  aBuilder.Model()->AddObject(new PenFormatData_Sequence(1, 0, Handle(PhGeom_Curve)()));
  aBuilder.Artwork(2, false, false);
  Handle(PenFormatData_Sequence)::DownCast(aBuilder.Model()->Objects().Last())
      ->SetLayerName(VexData_Format::THE_SCAN_FIELD_LAYER);
  anExpected.push_back({"scan field", VexGeom_Drawing::Kind_ScanField, false, 2.54});

  size_t anIndex = 0;
  for (VexGeom_Walker aWalker(*aBuilder.Model()); aWalker.More(); aWalker.Next(), ++anIndex)
  {
    ASSERT_LT(anIndex, anExpected.size());
    const Expected& aCase = anExpected[anIndex];
    EXPECT_EQ(aWalker.Kind(), aCase.Kind) << aCase.Name;
    EXPECT_EQ(aWalker.IsClear() == Standard_True, aCase.IsClear) << aCase.Name;
    EXPECT_NEAR(aWalker.ToolWidth(), aCase.Tool, 1.0e-12) << aCase.Name;
    EXPECT_EQ(VexGeom_Drawing::Draws(aCase.Kind), aCase.Kind != VexGeom_Drawing::Kind_Other &&
                                                      aCase.Kind != VexGeom_Drawing::Kind_ScanField)
        << aCase.Name;
    if (aCase.Kind == VexGeom_Drawing::Kind_Artwork)
    {
      EXPECT_EQ(aWalker.Shape().GetKind(), VexGeom_Shape::Kind_Rectangle) << aCase.Name;
      EXPECT_NEAR(aWalker.Shape().Height(), 1.27, 1.0e-12) << aCase.Name;
    }
  }
  EXPECT_EQ(anIndex, anExpected.size());
}

TEST(VexGeom_DrawingTest, ToolpathsAMachineCutsAreToldApart)
{
  VexTest_ModelBuilder aBuilder;
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.2});
  aBuilder.Toolpath(1, 1);
  aBuilder.Toolpath(1, 2);
  aBuilder.Toolpath(1, 1);
  Handle(PenFormatData_Sequence)::DownCast(aBuilder.Model()->Objects().Last())->SetClear(true);
  const std::vector<std::pair<bool, bool>> anExpected = {
      {true, false}, {false, true}, {false, false}};
  size_t anIndex = 0;
  for (VexGeom_Walker aWalker(*aBuilder.Model()); aWalker.More(); aWalker.Next(), ++anIndex)
  {
    EXPECT_EQ(VexGeom_Drawing::IsPathToolpath(aWalker.Sequence()) == Standard_True,
              anExpected[anIndex].first)
        << anIndex;
    EXPECT_EQ(VexGeom_Drawing::IsPointToolpath(aWalker.Sequence()) == Standard_True,
              anExpected[anIndex].second)
        << anIndex;
  }
}

TEST(VexGeom_DrawingTest, AModelIsUsableWhenItsLengthsAreNumbersWithinAKilometre)
{
  const double aNaN = std::numeric_limits<double>::quiet_NaN();
  const struct
  {
    const char* Name;
    gp_XY       Point;
    double      Width;
    bool        IsUsable;
  } THE_CASES[] = {
      {"a board", gp_XY(100, 50), 0.2, true},
      {"just within a kilometre", gp_XY(-999999, 0), 0.2, true},
      {"beyond a kilometre", gp_XY(0, 1.0e6 + 1.0), 0.2, false},
      {"a coordinate of no number", gp_XY(aNaN, 0), 0.2, false},
      {"a tool of no number", gp_XY(0, 0), aNaN, false},
      {"a tool beyond a kilometre", gp_XY(0, 0), 2.0e6, false},
  };
  for (const auto& aCase : THE_CASES)
  {
    VexTest_ModelBuilder aBuilder;
    aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {aCase.Width});
    aBuilder.Toolpath(1, 2).CreatePoint(aCase.Point);
    EXPECT_EQ(VexGeom_Drawing::IsUsable(*aBuilder.Model()) == Standard_True, aCase.IsUsable)
        << aCase.Name;
  }
}
