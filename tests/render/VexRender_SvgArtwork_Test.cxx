// Copyright (c) 2026 VexData developers
// Pictures of design artwork and of designs beneath a job: what the survey finds of every
// aperture shape, object order and polarity, the bare page over a window, the masks of the
// designs beneath with their legend rows, the checks of the options, and the render command's
// new options.
#include <VexTest_ModelBuilder.hxx>
#include <VexTest_Xml.hxx>

#include <VexDocument_Json.hxx>
#include <VexRender_Svg.hxx>
#include <VexRender_SvgSurvey.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
//! Draws theModel with theOptions, checks that the picture is well-formed and returns its start
//! tags (and its text in theText).
std::vector<VexTest_XmlElement> draw(const Handle(PenFormatData_Model) & theModel,
                                     const VexRender_SvgOptions& theOptions, std::string& theText)
{
  std::ostringstream      aStream;
  TCollection_AsciiString anError;
  EXPECT_TRUE(VexRender_Svg::Write(theModel, theOptions, aStream, anError)) << anError;
  theText = aStream.str();
  std::vector<VexTest_XmlElement> anElements;
  EXPECT_EQ(VexTest_XmlCheck().Run(theText, anElements), "");
  return anElements;
}

//! Returns the classes of the drawn elements (paths and circles) in document order.
std::vector<std::string> drawnClasses(const std::vector<VexTest_XmlElement>& theElements)
{
  std::vector<std::string> aClasses;
  for (const VexTest_XmlElement& anElement : theElements)
  {
    if ((anElement.Name == "path" || anElement.Name == "circle") &&
        anElement.Attributes.count("class"))
    {
      aClasses.push_back(anElement.Attributes.at("class"));
    }
  }
  return aClasses;
}

//! Returns the window X0,Y0,X1,Y1.
VexRender_SvgBox window(const double theX0, const double theY0, const double theX1,
                        const double theY1)
{
  VexRender_SvgBox aBox;
  aBox.MinX = theX0;
  aBox.MinY = theY0;
  aBox.MaxX = theX1;
  aBox.MaxY = theY1;
  return aBox;
}
} // namespace

TEST(VexRenderSvgArtwork, SurveyCoversEveryShapeAsFlashedOrSwept)
{
  struct Case
  {
    const char*                        Name;   //!< what is drawn
    Standard_Integer                   Shape;  //!< aperture shape code
    std::vector<double>                Params; //!< its parameters (millimetres)
    std::function<void(PhGeom_Curve&)> Draw;   //!< elements of the artwork
    VexRender_SvgBox                   Extent; //!< what the picture covers (void: nothing)
  };
  const auto   aFlash   = [](PhGeom_Curve& theCurve) { theCurve.CreatePoint(gp_XY(2, 3)); };
  const double aHalf    = std::sqrt(0.5);
  const Case   aCases[] = {
        {"round flash", 1, {1.0}, aFlash, window(1.5, 2.5, 2.5, 3.5)},
        {"round flash with hole", 1, {1.0, 0.4}, aFlash, window(1.5, 2.5, 2.5, 3.5)},
        {"rectangle flash", 2, {2.0, 1.0}, aFlash, window(1, 2.5, 3, 3.5)},
        {"obround flash", 3, {1.0, 3.0}, aFlash, window(1.5, 1.5, 2.5, 4.5)},
        {"square turned 45 degrees",
         4,
         {2.0, 4, 45},
         aFlash,
         window(2 - aHalf, 3 - aHalf, 2 + aHalf, 3 + aHalf)},
        // The box of a shape is taken symmetric around its centre.
        {"triangle", 4, {2.0, 3}, aFlash, window(1, 3 - std::sqrt(0.75), 3, 3 + std::sqrt(0.75))},
        {"rectangle swept along a segment",
         2,
         {1.0, 2.0},
         [](PhGeom_Curve& theCurve) { theCurve.CreateSegment(gp_XY(0, 0), gp_XY(4, 0)); },
         window(-0.5, -1, 4.5, 1)},
        {"round line over a half circle",
         1,
         {0.2},
         [](PhGeom_Curve& theCurve) { theCurve.CreateArc(gp_XY(0, 0), 1.0, 0.0, M_PI, 1); },
         window(-1.1, -0.1, 1.1, 1.1)},
        {"flash of size 0", 2, {0.0, 1.0}, aFlash, VexRender_SvgBox()},
        {"macro: no definition to draw", 5, {1.0}, aFlash, VexRender_SvgBox()},
        {"polygon of 13 vertices", 4, {1.0, 13}, aFlash, VexRender_SvgBox()},
        {"rectangle without a height", 2, {1.0}, aFlash, VexRender_SvgBox()},
        {"round of no number", 1, {std::nan("")}, aFlash, VexRender_SvgBox()}};
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    for (const bool isClear : {false, true})
    {
      VexTest_ModelBuilder aBuilder;
      aBuilder.Aperture(7, aCase.Shape, aCase.Params);
      aCase.Draw(aBuilder.Artwork(7, false, isClear));
      const VexRender_SvgSurvey aSurvey(*aBuilder.Model());
      ASSERT_EQ(aSurvey.Extent().IsVoid(), aCase.Extent.IsVoid());
      EXPECT_EQ(aSurvey.HasArtwork(), !aCase.Extent.IsVoid());
      EXPECT_EQ(aSurvey.NbClear(), isClear && !aCase.Extent.IsVoid() ? 1 : 0);
      EXPECT_TRUE(aSurvey.Tools().empty()) << "artwork is not a toolpath";
      if (!aCase.Extent.IsVoid())
      {
        EXPECT_NEAR(aSurvey.Extent().MinX, aCase.Extent.MinX, 1e-9);
        EXPECT_NEAR(aSurvey.Extent().MinY, aCase.Extent.MinY, 1e-9);
        EXPECT_NEAR(aSurvey.Extent().MaxX, aCase.Extent.MaxX, 1e-9);
        EXPECT_NEAR(aSurvey.Extent().MaxY, aCase.Extent.MaxY, 1e-9);
      }
    }
  }
}

TEST(VexRenderSvgArtwork, ArtworkIsDrawnInObjectOrderWithItsPolarity)
{
  VexTest_ModelBuilder aBuilder(PenFormatData_DU_Inch);
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.04, 0.02}, "C40");
  aBuilder.Aperture(2, PenFormatData_Aperture::Shape_Rectangle, {0.1, 0.05}, "R");
  aBuilder.Aperture(3, PenFormatData_Aperture::Shape_Macro, {1.0}, "M");
  PhGeom_Curve& anArea = aBuilder.Artwork(0, true, false);
  anArea.CreateSegment(gp_XY(0, 0), gp_XY(1, 0));
  anArea.CreateArc(gp_XY(0.5, 0), 0.5, 0.0, M_PI, 1);
  aBuilder.Artwork(1, false, true).CreatePoint(gp_XY(0.5, 0.2));
  PhGeom_Curve& aRectangle = aBuilder.Artwork(2, false, false);
  aRectangle.CreatePoint(gp_XY(1, 1));
  aRectangle.CreateSegment(gp_XY(1, 1), gp_XY(2, 1));
  aRectangle.CreateArc(gp_XY(2, 1.5), 0.5, -M_PI / 2, M_PI / 2, 1);
  aBuilder.Artwork(3, false, false).CreatePoint(gp_XY(0, 1));
  aBuilder.Artwork(1, false, false).CreateSegment(gp_XY(0, 0), gp_XY(0, 1));

  std::string                           aText;
  const std::vector<VexTest_XmlElement> anElements =
      draw(aBuilder.Model(), VexRender_SvgOptions(), aText);
  // Area, clear flash, rectangle flash and sweeps, (macro flash: no line to draw, so nothing),
  // round line.
  EXPECT_EQ(drawnClasses(anElements),
            (std::vector<std::string>{"art", "clear", "art", "art-line"}));
  EXPECT_NE(aText.find(".clear { fill: #fcfbf7; }"), std::string::npos) << "the page colour";
  const std::vector<VexTest_XmlElement> aLines = VexTest_WithClass(anElements, "art-line");
  ASSERT_EQ(aLines.size(), 1u);
  EXPECT_EQ(aLines[0].Attributes.at("stroke-width"), "1.016");
  // The area is closed; the clear flash is a circle with its hole wound the other way.
  const std::vector<VexTest_XmlElement> aFills = VexTest_WithClass(anElements, "art");
  EXPECT_EQ(aFills[0].Attributes.at("d").back(), 'Z');
  const std::string aFlash = VexTest_WithClass(anElements, "clear").at(0).Attributes.at("d");
  EXPECT_EQ(std::count(aFlash.begin(), aFlash.end(), 'A'), 4);
  EXPECT_NE(aFlash.find(" 0 0 0 "), std::string::npos);
  EXPECT_NE(aFlash.find(" 0 0 1 "), std::string::npos);
  // The rectangle's flash and its sweeps along the segment and the arc are three outlines of
  // one path.
  const std::string& aShapes = aFills[1].Attributes.at("d");
  EXPECT_EQ(std::count(aShapes.begin(), aShapes.end(), 'M'), 3);
  const std::vector<VexTest_XmlElement> aRows = VexTest_WithClass(anElements, "legend-artwork");
  ASSERT_EQ(aRows.size(), 1u);
  EXPECT_NE(aText.find("design artwork: 1 area, 2 flashes, 2 lines, 1 clear"), std::string::npos);
  EXPECT_EQ(VexTest_WithClass(anElements, "legend-entry").size(), 0u);
}

TEST(VexRenderSvgArtwork, LongLinesAreSplitAndAreaOutlinesAreNot)
{
  // 4000 pieces: lines and flashes go into elements of at most 1500 pieces, each starting a
  // subpath of its own; an area keeps every contour in one element, or its holes would fill.
  VexTest_ModelBuilder aBuilder;
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.1});
  aBuilder.Aperture(2, PenFormatData_Aperture::Shape_Rectangle, {0.1, 0.2});
  PhGeom_Curve& aLine    = aBuilder.Artwork(1, false, false);
  PhGeom_Curve& aFlashes = aBuilder.Artwork(2, false, false);
  PhGeom_Curve& anArea   = aBuilder.Artwork(0, true, false);
  for (int anIndex = 0; anIndex < 4000; ++anIndex)
  {
    aLine.CreateSegment(gp_XY(anIndex, 0), gp_XY(anIndex + 1, 0));
    aFlashes.CreatePoint(gp_XY(anIndex, 1));
    anArea.CreateSegment(gp_XY(anIndex, 2), gp_XY(anIndex + 1, 2));
  }
  std::string                           aText;
  const std::vector<VexTest_XmlElement> anElements =
      draw(aBuilder.Model(), VexRender_SvgOptions(), aText);
  const std::vector<VexTest_XmlElement> aLines = VexTest_WithClass(anElements, "art-line");
  const std::vector<VexTest_XmlElement> aFills = VexTest_WithClass(anElements, "art");
  ASSERT_EQ(aLines.size(), 3u);
  ASSERT_EQ(aFills.size(), 3u + 1u + 1u) << "flashes, the area and the legend swatch";
  size_t aSegments = 0;
  for (const VexTest_XmlElement& aPath : aLines)
  {
    const std::string& aData = aPath.Attributes.at("d");
    EXPECT_EQ(aData[0], 'M');
    EXPECT_EQ(std::count(aData.begin(), aData.end(), 'M'), 1);
    aSegments += std::count(aData.begin(), aData.end(), 'L');
  }
  EXPECT_EQ(aSegments, 4000u);
  const std::string& anOutline = aFills[3].Attributes.at("d");
  EXPECT_EQ(std::count(anOutline.begin(), anOutline.end(), 'L'), 4000);
}

TEST(VexRenderSvgArtwork, BarePageShowsExactlyTheWindow)
{
  VexTest_ModelBuilder aBuilder;
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.5});
  aBuilder.Toolpath(1, 1).CreateSegment(gp_XY(1, 2), gp_XY(11, 7));
  aBuilder.Toolpath(1, 2).CreatePoint(gp_XY(50, 50));
  aBuilder.Artwork(0, true, true).CreateSegment(gp_XY(1, 2), gp_XY(11, 2));
  for (const bool isBare : {true, false})
  {
    SCOPED_TRACE(isBare ? "bare" : "full page");
    VexRender_SvgOptions anOptions;
    anOptions.IsBare     = isBare;
    anOptions.Window     = window(1, 2, 11, 7);
    anOptions.Foreground = "#123456";
    anOptions.Background = "#abcdef";
    std::string                           aText;
    const std::vector<VexTest_XmlElement> anElements = draw(aBuilder.Model(), anOptions, aText);
    const VexTest_XmlElement&             aRoot      = anElements.at(0);
    const std::vector<VexTest_XmlElement> aPaths     = VexTest_WithClass(anElements, "tool t0");
    ASSERT_EQ(aPaths.size(), 1u);
    EXPECT_EQ(aText.find("<g id=\"scan-fields\">") == std::string::npos, isBare);
    EXPECT_EQ(aText.find("<g id=\"legend\">") == std::string::npos, isBare);
    EXPECT_EQ(aText.find("#123456") != std::string::npos, isBare) << "colours of bare pages only";
    if (isBare)
    {
      EXPECT_EQ(aRoot.Attributes.at("width"), "10mm");
      EXPECT_EQ(aRoot.Attributes.at("height"), "5mm");
      EXPECT_EQ(aRoot.Attributes.at("viewBox"), "0 0 10 5");
      EXPECT_EQ(aPaths[0].Attributes.at("d"), "M0 5L10 0") << "corners of the window";
      EXPECT_NE(aText.find(".clear { fill: #abcdef; }"), std::string::npos);
      EXPECT_NE(aText.find("fill=\"#abcdef\"/>"), std::string::npos) << "the page";
      EXPECT_EQ(aText.find("clip-path"), std::string::npos);
    }
    else
    {
      // The drawing keeps to the window; the hit far outside does not spread the page.
      EXPECT_NE(aText.find("<g clip-path=\"url(#window)\">"), std::string::npos);
      EXPECT_LT(std::stod(aRoot.Attributes.at("viewBox").substr(4)), 20.0);
    }
  }
}

TEST(VexRenderSvgArtwork, DesignsBeneathAreMaskedInTheirOwnColours)
{
  VexTest_ModelBuilder aJob;
  aJob.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.2}, "Mill");
  aJob.Toolpath(1, 1).CreateSegment(gp_XY(0, 0), gp_XY(10, 0));
  VexTest_ModelBuilder aCopper;
  aCopper.Aperture(3, PenFormatData_Aperture::Shape_Round, {0.3});
  aCopper.Toolpath(3, 1).CreateSegment(gp_XY(0, 1), gp_XY(10, 1));
  aCopper.Artwork(3, false, true).CreatePoint(gp_XY(5, 1));
  VexTest_ModelBuilder aDrills;
  aDrills.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.8});
  aDrills.Toolpath(1, 2).CreatePoint(gp_XY(100, 40));

  VexRender_SvgOptions anOptions;
  anOptions.Beneath.push_back({aCopper.Model(), "top & copper.gbr", "Gerber file"});
  anOptions.Beneath.push_back({aDrills.Model(), "holes.drl", "drill file"});
  std::string                           aText;
  const std::vector<VexTest_XmlElement> anElements = draw(aJob.Model(), anOptions, aText);
  // Designs come first, each into its mask; the job is drawn over them in its tool colours.
  EXPECT_EQ(drawnClasses(anElements),
            (std::vector<std::string>{"m-line", "m-clear", "m", "tool t0"}));
  EXPECT_EQ(VexTest_WithClass(anElements, "m-line").at(0).Attributes.at("stroke-width"), "0.3");
  const std::vector<VexTest_XmlElement> aCovers = VexTest_WithClass(anElements, "u1");
  ASSERT_EQ(aCovers.size(), 2u) << "the design's colour and its legend swatch";
  EXPECT_EQ(aCovers[0].Attributes.at("mask"), "url(#beneath-2)");
  EXPECT_NE(aText.find("<mask id=\"beneath-2\""), std::string::npos);
  EXPECT_NE(
      aText.find(">top &amp; copper.gbr (Gerber file, beneath) \xE2\x80\x94 1 tool, 1 path, 1 "
                 "flash, 1 clear</text>"),
      std::string::npos);
  EXPECT_NE(aText.find(">holes.drl (drill file, beneath) \xE2\x80\x94 1 tool, 1 hit</text>"),
            std::string::npos);
  EXPECT_EQ(VexTest_WithClass(anElements, "legend-entry").size(), 1u);
  // The page covers the hole far from the job.
  EXPECT_GT(std::stod(anElements.at(0).Attributes.at("viewBox").substr(4)), 100.0);
}

TEST(VexRenderSvgArtwork, OptionsAreCheckedBeforeAnythingIsWritten)
{
  struct Case
  {
    const char*                                Name;  //!< what is wrong
    std::function<void(VexRender_SvgOptions&)> Spoil; //!< the fault
  };
  const Case aCases[] = {
      {"short colour", [](VexRender_SvgOptions& theOptions) { theOptions.Foreground = "#fff"; }},
      {"colour with markup",
       [](VexRender_SvgOptions& theOptions) { theOptions.Background = "#\"/><x"; }},
      {"empty window",
       [](VexRender_SvgOptions& theOptions) { theOptions.Window = window(1, 1, 1, 2); }},
      {"design without a model", [](VexRender_SvgOptions& theOptions) {
         theOptions.Beneath.push_back({nullptr, "x", "y"});
       }}};
  VexTest_ModelBuilder aBuilder;
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    VexRender_SvgOptions anOptions;
    aCase.Spoil(anOptions);
    std::ostringstream      aStream;
    TCollection_AsciiString anError;
    EXPECT_FALSE(VexRender_Svg::Write(aBuilder.Model(), anOptions, aStream, anError));
    EXPECT_FALSE(anError.IsEmpty());
    EXPECT_TRUE(aStream.str().empty());
  }

  const std::pair<const char*, bool> aWindows[] = {
      {"0,0,10,10", true},  {"-5.5,-1e-3,2e2,3", true}, {"1,2,3", false},     {"1,2,3,4,", false},
      {" 1,2,3,4", false},  {"a,b,c,d", false},         {"0,0,0,5", false},   {"3,0,1,5", false},
      {"nan,0,1,1", false}, {"0,0,1e7,1", false},       {"0,0,inf,1", false}, {"", false}};
  for (const std::pair<const char*, bool>& aWindow : aWindows)
  {
    VexRender_SvgBox aBox;
    std::string      anError;
    EXPECT_EQ(VexRender_SvgOptions::ParseWindow(aWindow.first, aBox, anError), aWindow.second)
        << aWindow.first;
    EXPECT_EQ(anError.empty(), aWindow.second) << aWindow.first;
  }
}

#ifdef VEX_HOST_PATH
TEST(VexRenderSvgArtwork, RenderTakesDesignsBeneathAndPageOptions)
{
  char aTemplate[] = "/tmp/vexartXXXXXX";
  ASSERT_NE(::mkdtemp(aTemplate), nullptr);
  const std::string aDir     = aTemplate;
  const std::string aSamples = VEX_SOURCE_DIR "/samples/";
  struct Case
  {
    std::string Arguments; //!< after "render"
    int         Status;    //!< exit status
    size_t      Beneath;   //!< legend rows of designs beneath
    const char* Width;     //!< width of the picture, empty: not checked
  };
  const Case aCases[] = {
      {aSamples + "drills.vex --under " + aSamples + "isolation.json " + aSamples +
           "board-outline.vex",
       0, 2, ""},
      {aSamples + "drills.vex --under " + aSamples + "isolation.json --under " + aSamples +
           "isolation.vex",
       0, 2, ""},
      {aSamples + "drills.json --bare --window=-5,-5,45,20 --background '#000000'", 0, 0, "50mm"},
      {aSamples + "drills.json --window 0,0,10,10", 0, 0, ""},
      {aSamples + "drills.json --foreground '#000000'", 2, 0, ""},
      {aSamples + "drills.json --bare --window 0,0,10", 2, 0, ""},
      {aSamples + "drills.json --under " + aDir + "/missing.gbr", 201, 0, ""}};
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Arguments);
    const std::string anOut = aDir + "/out.svg";
    std::filesystem::remove(anOut);
    const int aRaw = std::system((std::string("'") + VEX_HOST_PATH + "' render " + aCase.Arguments +
                                  " -o '" + anOut + "' >/dev/null 2>&1")
                                     .c_str());
    ASSERT_TRUE(WIFEXITED(aRaw));
    EXPECT_EQ(WEXITSTATUS(aRaw), aCase.Status);
    if (aCase.Status != 0)
    {
      EXPECT_FALSE(std::filesystem::exists(anOut));
      continue;
    }
    std::ifstream      aFile(anOut);
    std::ostringstream aText;
    aText << aFile.rdbuf();
    std::vector<VexTest_XmlElement> anElements;
    ASSERT_EQ(VexTest_XmlCheck().Run(aText.str(), anElements), "");
    EXPECT_EQ(VexTest_WithClass(anElements, "legend-beneath").size(), aCase.Beneath);
    if (*aCase.Width != '\0')
    {
      EXPECT_EQ(anElements.at(0).Attributes.at("width"), aCase.Width);
    }
  }
  std::filesystem::remove_all(aDir);
}
#endif
