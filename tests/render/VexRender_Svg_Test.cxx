// Copyright (c) 2026 VexData developers
// SVG pictures of models: well-formed XML with one legend entry per tool, arcs
// with the right flags, the y axis up, tool sizes in millimetres, and large
// models drawn in linear time.
#include <VexTest_Xml.hxx>

#include <VexDocument_Json.hxx>
#include <VexRender_Svg.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
//! Draws theModel, checks that the picture is well-formed and returns its start
//! tags.
std::vector<VexTest_XmlElement> render(const Handle(PenFormatData_Model) & theModel,
                                       std::string* theText = nullptr)
{
  std::ostringstream      aStream;
  TCollection_AsciiString anError;
  EXPECT_TRUE(VexRender_Svg::Write(theModel, aStream, anError)) << anError;
  std::vector<VexTest_XmlElement> anElements;
  EXPECT_EQ(VexTest_XmlCheck().Run(aStream.str(), anElements), "");
  if (theText != nullptr)
  {
    *theText = aStream.str();
  }
  return anElements;
}

//! Adds a toolpath of one contour to theModel, made with aperture theAperture.
PhGeom_Curve& addToolpath(const Handle(PenFormatData_Model) & theModel,
                          const Standard_Integer theAperture, const Standard_Integer theMode)
{
  Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(theModel->Allocator(), 0);
  Handle(PhGeom_Curve) aContour   = PhGeom_Curve::Create(theModel->Allocator(), 0);
  aContainer->AddChild(aContour);
  Handle(PenFormatData_Sequence) aSequence = new PenFormatData_Sequence(theAperture, 0, aContainer);
  aSequence->SetPhaseName("P");
  aSequence->SetToolpathMode(theMode);
  aSequence->SetToolpathFlag(1);
  theModel->AddObject(aSequence);
  return *aContour;
}

//! Registers a round tool of theWidth as aperture theNumber.
void addTool(const Handle(PenFormatData_Model) & theModel, const Standard_Integer theNumber,
             const TCollection_ExtendedString& theName, const double theWidth)
{
  Handle(PenFormatData_Aperture) aTool = new PenFormatData_Aperture(1, theName, nullptr, 0);
  aTool->SetParam(&theWidth, 1);
  aTool->SetToolFlag(1);
  theModel->SetAperture(theNumber, aTool);
}
} // namespace

TEST(VexRenderSvg, SamplesAreWellFormedWithOneLegendEntryPerTool)
{
  int aCount = 0;
  for (const std::filesystem::directory_entry& anEntry :
       std::filesystem::directory_iterator(VEX_SOURCE_DIR "/samples"))
  {
    if (anEntry.path().extension() != ".json")
    {
      continue;
    }
    SCOPED_TRACE(anEntry.path().filename().string());
    std::ifstream        aFile(anEntry.path());
    const nlohmann::json aDocument = nlohmann::json::parse(aFile);
    std::set<int>        aTools;
    for (const nlohmann::json& anObject : aDocument["objects"])
    {
      if (anObject.is_object() && anObject["type"] == "sequence" && anObject["toolpath"] != 0)
      {
        aTools.insert(anObject["aperture"].get<int>());
      }
    }
    std::ifstream aStream(anEntry.path());
    Handle(PenFormatData_Model) aModel;
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    TCollection_AsciiString                          anError;
    ASSERT_TRUE(VexDocument_Json::Read(aStream, aModel, aParams, anError)) << anError;
    const std::vector<VexTest_XmlElement> anElements = render(aModel);
    ASSERT_FALSE(anElements.empty());
    EXPECT_EQ(anElements.front().Name, "svg");
    EXPECT_EQ(VexTest_WithClass(anElements, "legend-entry").size(), aTools.size());
    ++aCount;
  }
  EXPECT_GE(aCount, 5);
}

TEST(VexRenderSvg, GeometryIsDrawnInMillimetresWithTheYAxisUp)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Inch);
  addTool(aModel, 1, "Mill & <Co> \"1\"", 0.01);
  addTool(aModel, 2, TCollection_ExtendedString("Dr\xC3\xBCll\xF0\x9F\x94\xA9", Standard_True),
          0.04);
  PhGeom_Curve& aPath = addToolpath(aModel, 1, 1);
  aPath.CreateSegment(gp_XY(0.0, 0.0), gp_XY(1.0, 0.0));
  aPath.CreateArc(gp_XY(1.0, 1.0), 1.0, -M_PI / 2, 0.0,
                  1);                                             // counter-clockwise quarter
  aPath.CreateArc(gp_XY(3.0, 1.0), 1.0, M_PI, 0.0, 0);            // clockwise half
  aPath.CreateArc(gp_XY(5.0, 1.0), 0.5, 0.0, 2.0 * M_PI, 1);      // full turn
  aPath.CreateSegment(gp_XY(std::nan(""), 0.0), gp_XY(9.0, 9.0)); // not drawable
  PhGeom_Curve& aDrills = addToolpath(aModel, 2, 2);
  aDrills.CreatePoint(gp_XY(0.0, 2.0));
  aDrills.CreatePoint(gp_XY(std::numeric_limits<double>::infinity(), 0.0));

  std::string                           aText;
  const std::vector<VexTest_XmlElement> anElements = render(aModel, &aText);
  EXPECT_EQ(aText.find("nan"), std::string::npos);
  EXPECT_EQ(aText.find("inf"), std::string::npos);
  EXPECT_NE(aText.find(".t0 { stroke: #1f77b4; stroke-width: 0.254; }"), std::string::npos);
  EXPECT_NE(aText.find("Mill &amp; &lt;Co&gt; &quot;1&quot; \xE2\x80\x94 0.254 "
                       "mm \xE2\x80\x94 1 path"),
            std::string::npos);
  EXPECT_NE(aText.find("Dr\xC3\xBCll\xF0\x9F\x94\xA9 \xE2\x80\x94 1.016 mm \xE2\x80\x94 1 hit"),
            std::string::npos);

  const std::vector<VexTest_XmlElement> aPaths = VexTest_WithClass(anElements, "tool t0");
  ASSERT_EQ(aPaths.size(), 1u);
  std::istringstream       aData(aPaths[0].Attributes.at("d"));
  std::string              aCommands;
  double                   aStartY = 0.0;
  std::vector<std::string> anArcFlags;
  for (char aCommand; aData >> aCommand;)
  {
    aCommands += aCommand;
    double    aValues[7];
    const int aCount = aCommand == 'A' ? 7 : 2;
    for (int anIndex = 0; anIndex < aCount; ++anIndex)
    {
      aData >> aValues[anIndex];
    }
    aStartY = aCommand == 'M' && aCommands.size() == 1 ? aValues[1] : aStartY;
    if (aCommand == 'A')
    {
      EXPECT_NEAR(aValues[0], anArcFlags.size() < 2 ? 25.4 : 12.7, 1e-6);
      anArcFlags.push_back(std::to_string(int(aValues[3])) + std::to_string(int(aValues[4])));
    }
  }
  // The full turn does not start where the half arc ends: it opens a new
  // subpath.
  EXPECT_EQ(aCommands, "MLAAMAA");
  EXPECT_EQ(anArcFlags, (std::vector<std::string>{"00", "01", "00", "00"}));

  const std::vector<VexTest_XmlElement> aHits = VexTest_WithClass(anElements, "d1");
  ASSERT_EQ(aHits.size(), 2u); // one drill disc and one legend swatch
  EXPECT_EQ(aHits[0].Name, "circle");
  EXPECT_NEAR(std::stod(aHits[0].Attributes.at("r")), 0.508, 1e-9);
  // The hit at y = 2 inch lies 50.8 mm above the segment at y = 0: up is a
  // smaller picture y.
  EXPECT_NEAR(aStartY - std::stod(aHits[0].Attributes.at("cy")), 50.8, 1e-6);
}

TEST(VexRenderSvg, LargeModelIsDrawnQuickly)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  addTool(aModel, 1, "T", 0.1);
  for (int aSequence = 0; aSequence < 200; ++aSequence)
  {
    PhGeom_Curve& aContour = addToolpath(aModel, 1, 1);
    for (int anIndex = 0; anIndex < 1000; ++anIndex)
    {
      aContour.CreateSegment(gp_XY(anIndex, aSequence), gp_XY(anIndex + 1, aSequence));
    }
  }
  const std::chrono::steady_clock::time_point aStart = std::chrono::steady_clock::now();
  std::ostringstream                          aStream;
  TCollection_AsciiString                     anError;
  ASSERT_TRUE(VexRender_Svg::Write(aModel, aStream, anError));
  const double aSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - aStart).count();
  EXPECT_GT(aStream.str().size(), 200000u * 10u);
  // 200 000 segments take a fraction of a second; a quadratic build-up would
  // take minutes.
  EXPECT_LT(aSeconds, 20.0);
}

#ifdef VEX_HOST_PATH
TEST(VexRenderSvg, RenderDrawsMachineFilesAndDocuments)
{
  char aTemplate[] = "/tmp/vexsvgXXXXXX";
  ASSERT_NE(::mkdtemp(aTemplate), nullptr);
  const std::string aDir   = aTemplate;
  const std::string aVex   = std::string("'") + VEX_HOST_PATH + "' --message-keys render ";
  const std::string aQuiet = " >/dev/null 2>'" + aDir + "/err'";
  struct Case
  {
    std::string Input;   //!< file drawn
    int         Status;  //!< exit status
    size_t      Entries; //!< legend entries expected
  };
  std::ofstream(aDir + "/bad.json") << "{\"unit\": 1.5}";
  const Case aCases[] = {{VEX_SOURCE_DIR "/samples/drills.json", 0, 3},
                         {VEX_SOURCE_DIR "/samples/scan-fields.vex", 0, 2},
                         {aDir + "/bad.json", 2, 0}};
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Input);
    const std::string anOut = aDir + "/out.svg";
    std::filesystem::remove(anOut);
    const int aRaw =
        std::system((aVex + "'" + aCase.Input + "' -o '" + anOut + "'" + aQuiet).c_str());
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
    EXPECT_EQ(VexTest_XmlCheck().Run(aText.str(), anElements), "");
    EXPECT_EQ(VexTest_WithClass(anElements, "legend-entry").size(), aCase.Entries);
  }
  std::filesystem::remove_all(aDir);
}
#endif
