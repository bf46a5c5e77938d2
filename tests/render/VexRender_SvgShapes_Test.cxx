// Copyright (c) 2026 VexData developers
// The shapes a picture fills are the shared geometry's: what an aperture other than a circle
// covers along segments and arcs is the area of VexGeom_Sweep to the precision of the written
// numbers, and a drill hit of a round tool with a hole is a ring.
#include <VexTest_ModelBuilder.hxx>
#include <VexTest_Xml.hxx>

#include <VexGeom_Polygons.hxx>
#include <VexGeom_Sweep.hxx>
#include <VexRender_Svg.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>

namespace
{
//! Draws theModel bare over the window -10,-10 to 10,10 (page x = x + 10, page y = 10 - y) and
//! returns its start tags.
std::vector<VexTest_XmlElement> drawBare(const Handle(PenFormatData_Model) & theModel)
{
  VexRender_SvgOptions anOptions;
  anOptions.IsBare      = true;
  anOptions.Window.MinX = anOptions.Window.MinY = -10.0;
  anOptions.Window.MaxX = anOptions.Window.MaxY = 10.0;
  std::ostringstream      aStream;
  TCollection_AsciiString anError;
  EXPECT_TRUE(VexRender_Svg::Write(theModel, anOptions, aStream, anError)) << anError;
  std::vector<VexTest_XmlElement> anElements;
  EXPECT_EQ(VexTest_XmlCheck().Run(aStream.str(), anElements), "");
  return anElements;
}

//! Returns the polygons of path data of moves, lines and closes, drawn by drawBare(), in the
//! model's integer units.
ClipperLib::Paths polygonsOf(const std::string& theData)
{
  ClipperLib::Paths aPaths;
  const char*       aText = theData.c_str();
  while (*aText != '\0')
  {
    const char aCommand = *aText++;
    if (aCommand == 'Z')
    {
      continue;
    }
    if (aCommand != 'M' && (aCommand != 'L' || aPaths.empty()))
    {
      ADD_FAILURE() << "not a polygon: " << aCommand << " in " << theData;
      return aPaths;
    }
    char*        anEnd = nullptr;
    const double anX   = std::strtod(aText, &anEnd);
    const double aY    = std::strtod(anEnd, &anEnd);
    aText              = anEnd;
    if (aCommand == 'M')
    {
      aPaths.emplace_back();
    }
    aPaths.back().push_back(VexGeom_Units::ToPoint(gp_XY(anX - 10.0, 10.0 - aY)));
  }
  return aPaths;
}

//! Returns the area theModel's first sequence covers with aperture 7 along its first element,
//! as the shared geometry sweeps it, in integer units.
ClipperLib::Paths sweptArea(const PenFormatData_Model& theModel, const PhGeom_Element& theElement)
{
  const double        aFactor = theModel.DimensionUnit() == PenFormatData_DU_Inch ? 25.4 : 1.0;
  const VexGeom_Shape aShape  = VexGeom_Shape::FromAperture(theModel.Aperture(7), aFactor);
  VexGeom_Budget      aBudget;
  VexGeom_Flattener   aFlattener(aBudget);
  NCollection_Vector<VexGeom_Contour> aContours;
  EXPECT_TRUE(VexGeom_Sweep(aFlattener)
                  .Along(aShape, gp_Mat2d(gp_XY(1, 0), gp_XY(0, 1)),
                         VexGeom_Sweep::PathOf(theElement, aFactor), aContours));
  ClipperLib::Paths anArea;
  aFlattener.ToPaths(aContours, anArea);
  VexGeom_Polygons::Normalise(anArea);
  return anArea;
}
} // namespace

TEST(VexRenderSvgShapes, ShapesSweptAlongSegmentsAndArcsCoverTheSharedSweep)
{
  struct Case
  {
    const char*                                         Name;   //!< what is drawn
    PenFormatData_DimensionUnit                         Unit;   //!< unit of the model
    Standard_Integer                                    Shape;  //!< aperture shape code
    std::vector<double>                                 Params; //!< its parameters
    std::function<const PhGeom_Element*(PhGeom_Curve&)> Draw;   //!< the one element drawn
  };
  const PenFormatData_DimensionUnit aMm      = PenFormatData_DU_Millimetre;
  const Case                        aCases[] = {
                             {"rectangle along a quarter circle",
                              aMm,
                              2,
                              {1.0, 0.4},
                              [](PhGeom_Curve& theCurve) { return theCurve.CreateArc(gp_XY(0, 0), 3, 0, M_PI / 2, 1); }},
                             {"rectangle with a hole along a clockwise arc: the hole does not survive",
                              aMm,
                              2,
                              {1.0, 0.4, 0.3},
                              [](PhGeom_Curve& theCurve) { return theCurve.CreateArc(gp_XY(1, 0), 2, M_PI, 0.3, 0); }},
                             {"obround along a half circle",
                              aMm,
                              3,
                              {1.2, 0.5},
                              [](PhGeom_Curve& theCurve) { return theCurve.CreateArc(gp_XY(0, 0), 4, 0, M_PI, 1); }},
                             {"hexagon along three quarters of a circle",
                              aMm,
                              4,
                              {0.8, 6, 30},
                              [](PhGeom_Curve& theCurve)
                              { return theCurve.CreateArc(gp_XY(0, 0), 2.5, -M_PI, M_PI / 2, 1); }},
                             {"standing obround around a full circle: a ring",
                              aMm,
                              3,
                              {0.5, 1.2},
                              [](PhGeom_Curve& theCurve) { return theCurve.CreateArc(gp_XY(0, 1), 2, 0, 2 * M_PI, 1); }},
                             {"rectangle along a segment in inches",
                              PenFormatData_DU_Inch,
                              2,
                              {0.04, 0.02},
                              [](PhGeom_Curve& theCurve)
                              { return theCurve.CreateSegment(gp_XY(-0.1, -0.1), gp_XY(0.2, 0.1)); }},
                             {"triangle along a segment shorter than itself",
                              aMm,
                              4,
                              {2.0, 3},
                              [](PhGeom_Curve& theCurve) { return theCurve.CreateSegment(gp_XY(0, 0), gp_XY(0.1, 0)); }}};
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    VexTest_ModelBuilder aBuilder(aCase.Unit);
    aBuilder.Aperture(7, aCase.Shape, aCase.Params);
    const PhGeom_Element* anElement = aCase.Draw(aBuilder.Artwork(7, false, false));
    ASSERT_NE(anElement, nullptr);
    const std::vector<VexTest_XmlElement> aFills =
        VexTest_WithClass(drawBare(aBuilder.Model()), "art");
    ASSERT_EQ(aFills.size(), 1u);
    ClipperLib::Paths aDrawn = polygonsOf(aFills[0].Attributes.at("d"));
    VexGeom_Polygons::Normalise(aDrawn);
    const ClipperLib::Paths anExpected = sweptArea(*aBuilder.Model(), *anElement);
    ClipperLib::Paths       aDifference;
    VexGeom_Polygons::Combine(ClipperLib::ctXor, aDrawn, anExpected, aDifference);
    EXPECT_GT(VexGeom_Polygons::Area(anExpected), 0.05);
    // Numbers of nine digits place a vertex within some 10 nm: a sliver along the outline.
    EXPECT_LT(std::fabs(VexGeom_Polygons::Area(aDifference)), 1.0e-5)
        << "drawn " << VexGeom_Polygons::Area(aDrawn) << " mm2, swept "
        << VexGeom_Polygons::Area(anExpected) << " mm2";
  }
}

TEST(VexRenderSvgShapes, DrillsOfARoundToolWithAHoleAreRings)
{
  VexTest_ModelBuilder aBuilder;
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {1.0, 0.4});
  aBuilder.Aperture(2, PenFormatData_Aperture::Shape_Round, {0.6});
  PhGeom_Curve& aPads = aBuilder.Toolpath(1, 2);
  aPads.CreatePoint(gp_XY(0, 0));
  aPads.CreatePoint(gp_XY(3, 0));
  aBuilder.Toolpath(2, 2).CreatePoint(gp_XY(0, 3));
  const std::vector<VexTest_XmlElement> anElements = drawBare(aBuilder.Model());
  // The ring pads: one path of two circles each, the outline counter-clockwise in the model
  // (sweep flag 0 on the page, whose y points down) and the hole the other way.
  const std::vector<VexTest_XmlElement> aRings = VexTest_WithClass(anElements, "d0");
  ASSERT_EQ(aRings.size(), 1u);
  ASSERT_EQ(aRings[0].Name, "path");
  const std::string& aData = aRings[0].Attributes.at("d");
  EXPECT_EQ(aData, "M10.5 10A0.5 0.5 0 0 0 9.5 10A0.5 0.5 0 0 0 10.5 10Z"
                   "M10.2 10A0.2 0.2 0 0 1 9.8 10A0.2 0.2 0 0 1 10.2 10Z"
                   "M13.5 10A0.5 0.5 0 0 0 12.5 10A0.5 0.5 0 0 0 13.5 10Z"
                   "M13.2 10A0.2 0.2 0 0 1 12.8 10A0.2 0.2 0 0 1 13.2 10Z");
  // A tool without a hole keeps its discs.
  const std::vector<VexTest_XmlElement> aDiscs = VexTest_WithClass(anElements, "d1");
  ASSERT_EQ(aDiscs.size(), 1u);
  EXPECT_EQ(aDiscs[0].Name, "circle");
  EXPECT_EQ(aDiscs[0].Attributes.at("r"), "0.3");
}
