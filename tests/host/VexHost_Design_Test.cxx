// Copyright (c) 2026 VexData developers
// vex on design files, run as a user runs it: from-drill and from-gerber with their summaries,
// options and refusals (nothing written, an existing target kept), to-gerber and to-excellon
// read back by the importers, and the commands that take any file (info, check, render,
// verify) on Excellon and Gerber files.
#include <VexTest_VexRun.hxx>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#ifdef VEX_HOST_PATH

namespace
{
using Json = nlohmann::json;

//! A metric drill file: two tools, three holes and a slot, a comment.
const char THE_DRILL[] = "M48\n; two tools\nMETRIC,TZ\nT01C0.800\nT02C1.000\n%\nT01\nX10.0Y10.0\n"
                         "X20.0Y10.0\nT02\nX40.0Y20.0\nX30.0Y5.0G85X35.0Y5.0\nM30\n";

//! A drill file that does not state its unit.
const char THE_UNITLESS_DRILL[] = "M48\nT01C0.03\n%\nT01\nX1.0Y2.0\nM30\n";

//! Artwork in millimetres: a path of two draws with a round aperture, a rectangle flashed, a
//! triangular region.
const char THE_GERBER[] = "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,0.2*%\n%ADD11R,1X1*%\nD10*\n"
                          "X0Y0D02*\nX10000000Y0D01*\nX10000000Y5000000D01*\nD11*\n"
                          "X5000000Y5000000D03*\nG36*\nX0Y10000000D02*\nX5000000Y10000000D01*\n"
                          "X5000000Y15000000D01*\nX0Y10000000D01*\nG37*\nM02*\n";

//! Flashes of a drill (a round aperture), a rectangle, a polygon turned by 30 degrees (a variant
//! of its aperture) and a clear ring.
const char THE_FLASHES[] = "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,0.8*%\n%ADD11R,1.5X0.8*%\n"
                           "%ADD12P,1X6X0X0.3*%\n%ADD13C,1X0.4*%\nD10*\nX0Y0D03*\nD11*\n"
                           "X1000000Y1000000D03*\n%LR30*%\nD12*\nX3000000Y1000000D03*\n"
                           "%LR0*%\n%LPC*%\nD13*\nX1000000Y1000000D03*\nM02*\n";

//! What one run of vex gave.
using Outcome = VexTest_VexOutcome;

class VexHost_DesignTest : public VexTest_VexRun
{
protected:
  void SetUp() override
  {
    VexTest_VexRun::SetUp();
    myMessageKeys = true;
  }

  //! Runs theArgs, which write a model document to theDocument, and returns the document.
  Json Document(const std::vector<std::string>& theArgs, const std::string& theDocument)
  {
    const Outcome aRun = Vex(theArgs);
    EXPECT_EQ(aRun.Status, 0) << aRun.Err;
    return Json::parse(Slurp(theDocument), nullptr, false);
  }
};

//! Returns "x,y" of every point element of theDocument's toolpaths, sorted.
std::multiset<std::string> holes(const Json& theDocument)
{
  std::multiset<std::string> aHoles;
  for (const Json& anObject : theDocument["objects"])
  {
    for (const Json& aContour : anObject["contours"])
    {
      for (const Json& anElement : aContour["elements"])
      {
        if (anElement["kind"] == "point" && anObject["toolpath"] != 0)
        {
          char aText[64];
          std::snprintf(aText, sizeof(aText), "%.4f,%.4f", anElement["at"][0].get<double>(),
                        anElement["at"][1].get<double>());
          aHoles.insert(aText);
        }
      }
    }
  }
  return aHoles;
}

//! Returns "x0,y0-x1,y1" of every segment of theDocument's path toolpaths, sorted.
std::multiset<std::string> segments(const Json& theDocument)
{
  std::multiset<std::string> aSegments;
  for (const Json& anObject : theDocument["objects"])
  {
    for (const Json& aContour : anObject["contours"])
    {
      for (const Json& anElement : aContour["elements"])
      {
        if (anElement["kind"] == "segment" && anObject["toolpath"] != 0)
        {
          char aText[128];
          std::snprintf(aText, sizeof(aText), "%.4f,%.4f-%.4f,%.4f",
                        anElement["start"][0].get<double>(), anElement["start"][1].get<double>(),
                        anElement["end"][0].get<double>(), anElement["end"][1].get<double>());
          aSegments.insert(aText);
        }
      }
    }
  }
  return aSegments;
}
} // namespace

TEST_F(VexHost_DesignTest, ImportsWriteAMachineFileAndSayWhatWasLeftOut)
{
  const std::string aDrill  = MakeFile("board.drl", THE_DRILL);
  const std::string aGerber = MakeFile("top.gbr", THE_GERBER);
  const std::string anOut   = myDir + "/job.vex";
  Outcome           aRun    = Vex({"from-drill", aDrill, "-o", anOut});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Out, "Wrote " + anOut + " (0 objects left out: not toolpaths)\n");
  EXPECT_EQ(aRun.Err.rfind(aDrill + " (Excellon drill file), phase \"Drilling\", layer \"board\"\n"
                                    "  Toolpaths:\n    3 holes\n    1 slots\n",
                           0),
            0u)
      << aRun.Err;

  // Two files into one model: the artwork of the Gerber file never reaches the machine file.
  aRun = Vex({"from-gerber", aGerber, aGerber, "--layer", "Top", "-o", anOut});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Out, "Wrote " + anOut + " (4 objects left out: not toolpaths)\n");
  for (const char* aLine :
       {"top.gbr (Gerber file), phase \"Milling\", layer \"Top\"\n", "    2 draws\n",
        "Left out of the machine file: 4 objects\n",
        "  artwork, filled outlines (regions): 2 sequences, 2 contours\n", "never machined"})
  {
    EXPECT_NE(aRun.Err.find(aLine), std::string::npos) << aLine << " in\n" << aRun.Err;
  }
  aRun = Vex({"info", anOut});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_NE(aRun.Out.find("Toolpaths: 1\n  phase \"Milling\", layer \"Top\"\n    tool 1 \"D10\": "
                          "1 path toolpath, 2 contours, 4 elements, cut length "),
            std::string::npos)
      << aRun.Out;
  EXPECT_NE(aRun.Out.find("Artwork (not toolpaths): 0 sequences\n"), std::string::npos);
}

TEST_F(VexHost_DesignTest, OptionsNameAndScaleWhatIsImported)
{
  const std::string aFile = MakeFile("plain.drl", THE_UNITLESS_DRILL);
  const std::string anOut = myDir + "/plain.json";
  struct Case
  {
    std::vector<std::string> Options;
    const char *             Hole, *Phase, *Layer;
  };
  const Case THE_CASES[] = {
      {{}, "25.4000,50.8000", "Drilling", "plain"},
      {{"--unit", "inch"}, "25.4000,50.8000", "Drilling", "plain"},
      {{"--unit", "mm", "--phase", "Bohren", "--layer", "Lage"}, "1.0000,2.0000", "Bohren", "Lage"},
  };
  for (const Case& aCase : THE_CASES)
  {
    std::vector<std::string> anArgs = {
        "from-drill", aFile, "--json", "-o", anOut, "--param", "export.scanfield:false"};
    anArgs.insert(anArgs.end(), aCase.Options.begin(), aCase.Options.end());
    const Json aDocument = Document(anArgs, anOut);
    ASSERT_FALSE(aDocument.is_discarded());
    EXPECT_EQ(holes(aDocument), std::multiset<std::string>{aCase.Hole});
    EXPECT_EQ(aDocument["objects"][0]["phase"], aCase.Phase);
    EXPECT_EQ(aDocument["objects"][0]["layer"], aCase.Layer);
    EXPECT_EQ(aDocument["params"], Json::array({"export.scanfield:false"}));
  }
  EXPECT_EQ(Vex({"from-drill", aFile, "--unit", "mil", "-o", anOut}).Status, 2);
}

TEST_F(VexHost_DesignTest, BadDesignFilesWriteNothing)
{
  const std::string aDrill   = MakeFile("good.drl", THE_DRILL);
  const std::string aGerber  = MakeFile("good.gbr", THE_GERBER);
  const std::string aBadDrl  = MakeFile("bad.drl", "M48\nMETRIC\nT01C0.8\n%\nT01\nX1.0Y2.0\n"
                                                    "X1..0Y3\nM30\n");
  const std::string aBadGbr  = MakeFile("bad.gbr", "%FSLAX24Y24*%\n%MOIN*%\n%ADD10C,0.01*%\nD10*\n"
                                                    "X100Y100D02*\nX200Y100D01*\nX2Q00D01*\nM02*\n");
  const std::string aMissing = myDir + "/missing.gbr";
  struct Case
  {
    std::vector<std::string> Args;
    std::string              Err;
  };
  const Case THE_CASES[] = {
      {{"from-drill", aGerber},
       "VEX_HOST_NOT_DESIGN_FILE " + aGerber + " an Excellon drill file a Gerber file"},
      {{"from-gerber", aDrill},
       "VEX_HOST_NOT_DESIGN_FILE " + aDrill + " a Gerber file an Excellon drill file"},
      {{"from-drill", aDrill, aBadDrl},
       "VEX_HOST_DESIGN_FAULT " + aBadDrl + " VEX_EXCELLON_BAD_NUMBER 7 X1..0"},
      // The Gerber reader tells the model about its fault too: it is printed once.
      {{"from-gerber", aBadGbr},
       "VEX_HOST_DESIGN_FAULT " + aBadGbr + " VEX_GERBER_SYNTAX 7 Q00D01*"},
      {{"from-gerber", aMissing}, "VEX_CANT_OPEN_FILE " + aMissing},
      {{"to-gerber", aBadDrl},
       "VEX_HOST_DESIGN_FAULT " + aBadDrl + " VEX_EXCELLON_BAD_NUMBER 7 X1..0"},
  };
  for (const Case& aCase : THE_CASES)
  {
    for (const bool isJson : {false, true})
    {
      const std::string        anOut  = MakeFile("out", "kept");
      std::vector<std::string> anArgs = aCase.Args;
      anArgs.insert(anArgs.end(), {"-o", anOut});
      if (isJson && aCase.Args[0] != "to-gerber")
      {
        anArgs.push_back("--json");
      }
      const Outcome aRun = Vex(anArgs);
      EXPECT_EQ(aRun.Status, 2) << aCase.Err;
      EXPECT_EQ(aRun.Err, "Fail: " + aCase.Err + "\n");
      EXPECT_EQ(aRun.Out, "");
      EXPECT_EQ(Slurp(anOut), "kept") << aCase.Err;
    }
  }
}

TEST_F(VexHost_DesignTest, ExportsReadBackToTheSameGeometry)
{
  const std::string aDrill = MakeFile("board.drl", THE_DRILL);
  const std::string aTop   = MakeFile("top.gbr", THE_GERBER);
  const std::string aJob   = myDir + "/job.vex";
  ASSERT_EQ(Vex({"from-gerber", aTop, "-o", aJob}).Status, 0);

  // Paths as draws: the artwork was left out of the job, so only its draws come back.
  const std::string aGerber = myDir + "/job.gbr";
  Outcome           aRun    = Vex({"to-gerber", aJob, "-o", aGerber});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Out, "Wrote " + aGerber + "\n");
  EXPECT_EQ(aRun.Err, "Written:\n  2 draws\n");
  const Json anOriginal =
      Document({"from-gerber", aTop, "--json", "-o", myDir + "/a.json"}, myDir + "/a.json");
  const Json aBack =
      Document({"from-gerber", aGerber, "--json", "-o", myDir + "/b.json"}, myDir + "/b.json");
  EXPECT_EQ(segments(aBack), segments(anOriginal));
  EXPECT_EQ(segments(aBack).size(), 2u);

  // Holes through a drill file; the slot of the drill job is a path, which it leaves out.
  ASSERT_EQ(Vex({"from-drill", aDrill, "-o", aJob}).Status, 0);
  const std::string anExcellon = myDir + "/job.drl";
  aRun                         = Vex({"to-excellon", aJob, "-o", anExcellon});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Err, "Written:\n  3 holes\nLeft out:\n  1 path toolpaths\n");
  const Json aHoles =
      Document({"from-drill", anExcellon, "--json", "-o", myDir + "/c.json"}, myDir + "/c.json");
  EXPECT_EQ(holes(aHoles),
            (std::multiset<std::string>{"10.0000,10.0000", "20.0000,10.0000", "40.0000,20.0000"}));
  // Nothing to drill in the phase chosen: refused, and the file written before is kept.
  const std::string aWritten = Slurp(anExcellon);
  aRun                       = Vex({"to-excellon", aJob, "--phase", "Other", "-o", anExcellon});
  EXPECT_EQ(aRun.Status, 2);
  EXPECT_EQ(
      aRun.Err.rfind("Fail: VEX_HOST_OUTPUT_FAIL " + anExcellon + " VEX_EXCELLON_WRITE_EMPTY", 0),
      0u)
      << aRun.Err;
  EXPECT_EQ(Slurp(anExcellon), aWritten);
}

TEST_F(VexHost_DesignTest, FlashesOfShapesStayFlashesOnEveryPath)
{
  // info names them, a machine file leaves them out (artwork) and keeps the drill hit, a drill
  // file takes only the drill hit, and Gerber and the model document keep them as flashes.
  const std::string aFile = MakeFile("pads.gbr", THE_FLASHES);
  Outcome           aRun  = Vex({"info", aFile});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  for (const char* aLine :
       {"Artwork (not toolpaths): 3 sequences\n",
        "    flashes of aperture 2 \"D11\" (rectangle): 1 sequence, 1 contour\n",
        "    flashes of aperture 5 \"D12_1\" (polygon): 1 sequence, 1 contour\n",
        "    clear flashes of aperture 4 \"D13\" (round): 1 sequence, 1 contour\n",
        "    1 flashes of rectangular apertures\n", "    1 flashes of polygon apertures\n"})
  {
    EXPECT_NE(aRun.Out.find(aLine), std::string::npos) << aLine << " in\n" << aRun.Out;
  }
  const std::string aJob = myDir + "/pads.vex";
  aRun                   = Vex({"from-gerber", aFile, "-o", aJob});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Out, "Wrote " + aJob + " (3 objects left out: not toolpaths)\n");
  aRun = Vex({"info", aJob});
  EXPECT_NE(aRun.Out.find("Toolpaths: 1\n"), std::string::npos) << aRun.Out;
  EXPECT_NE(aRun.Out.find("Artwork (not toolpaths): 0 sequences\n"), std::string::npos) << aRun.Out;
  aRun = Vex({"to-excellon", aFile, "-o", myDir + "/pads.drl"});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Err, "Written:\n  1 holes\nLeft out:\n  3 objects that are not toolpaths\n");

  // Through the model document and back to Gerber: the same flashes of the same apertures.
  const std::string aDocument = myDir + "/pads.json";
  const Json        aFirst = Document({"from-gerber", aFile, "--json", "-o", aDocument}, aDocument);
  const std::string aGerber = myDir + "/pads-out.gbr";
  aRun                      = Vex({"to-gerber", aDocument, "-o", aGerber});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Err,
            "Written:\n  1 flashes\n  2 flashes (artwork)\n  1 clear objects (artwork)\n");
  const std::string aText = Slurp(aGerber);
  for (const char* aLine :
       {"%ADD10C,0.800000*%\n", "%ADD11R,1.500000X0.800000*%\n",
        "%ADD12P,1.000000X6X30.000000X0.300000*%\n", "%ADD13C,1.000000X0.400000*%\n",
        "%LPC*%\nD13*\nX1000000Y1000000D03*\n"})
  {
    EXPECT_NE(aText.find(aLine), std::string::npos) << aLine << " in\n" << aText;
  }
  const Json aBack = Document({"from-gerber", aGerber, "--json", "-o", aDocument}, aDocument);
  ASSERT_EQ(aBack["objects"].size(), aFirst["objects"].size());
  for (size_t anIndex = 0; anIndex < aFirst["objects"].size(); ++anIndex)
  {
    const Json& aWas = aFirst["objects"][anIndex];
    const Json& anIs = aBack["objects"][anIndex];
    for (const char* aKey : {"mode", "toolpath", "contours"})
    {
      EXPECT_EQ(anIs[aKey], aWas[aKey]) << aKey << " of object " << anIndex;
    }
    EXPECT_EQ(anIs.value("clear", false), aWas.value("clear", false)) << anIndex;
    const auto params = [](const Json& theDocument, const Json& theObject)
    {
      for (const Json& anAperture : theDocument["apertures"])
      {
        if (anAperture["number"] == theObject["aperture"])
        {
          return std::make_pair(anAperture["shape"], anAperture["params"]);
        }
      }
      return std::make_pair(Json(), Json());
    };
    EXPECT_EQ(params(aBack, anIs), params(aFirst, aWas)) << "aperture of object " << anIndex;
  }
}

TEST_F(VexHost_DesignTest, ModelsAFormatCannotHoldAreRefused)
{
  // A drill hit whose tool is a rectangle: no drill file can hold it.
  const std::string aDocument = MakeFile(
      "square.json",
      R"({"unit":"mm","polarity":"positive","apertures":[{"number":1,"name":"Sq","shape":2,)"
      R"("params":[1.0,1.0],"tool":1}],"layers":[],"scanFields":[],"objects":[{"type":"sequence",)"
      R"("aperture":1,"flags":0,"phase":"P","layer":"L","mode":2,"toolpath":1,"scanField":0,)"
      R"("contours":[{"elements":[{"kind":"point","at":[1.0,2.0]}]}]}]})");
  const std::string anOut = MakeFile("square.drl", "kept");
  const Outcome     aRun  = Vex({"to-excellon", aDocument, "-o", anOut});
  EXPECT_EQ(aRun.Status, 2);
  EXPECT_EQ(aRun.Err.rfind("Fail: VEX_HOST_OUTPUT_FAIL " + anOut + " VEX_EXCELLON_WRITE_TOOL 1", 0),
            0u)
      << aRun.Err;
  EXPECT_EQ(Slurp(anOut), "kept");
}

TEST_F(VexHost_DesignTest, CommandsThatTakeAFileReadDesignFiles)
{
  const std::string aDrill = MakeFile("board.drl", THE_DRILL);
  const std::string aTop   = MakeFile("top.gbr", THE_GERBER);
  Outcome           aRun   = Vex({"info", aTop});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  for (const char* aLine :
       {"File: ", " (Gerber file)\n", "Artwork (not toolpaths): 2 sequences\n",
        "    flashes of aperture 2 \"D11\" (rectangle): 1 sequence, 1 contour\n",
        "    filled outlines (regions): 1 sequence, 1 contour\n",
        "Import:\n  Toolpaths:\n    2 draws\n", "  Kept as artwork (not toolpaths):\n"})
  {
    EXPECT_NE(aRun.Out.find(aLine), std::string::npos) << aLine << " in\n" << aRun.Out;
  }
  aRun = Vex({"check", aTop});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_NE(aRun.Out.find("Writable: 1\n"), std::string::npos) << aRun.Out;
  EXPECT_NE(aRun.Out.find("Not written: 2\n"), std::string::npos) << aRun.Out;

  const std::string aJob = myDir + "/drill.vex";
  ASSERT_EQ(Vex({"from-drill", aDrill, "-o", aJob}).Status, 0);
  aRun = Vex({"render", aJob, "--under", aTop, aDrill, "-o", myDir + "/overlay.svg"});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  const std::string aPicture = Slurp(myDir + "/overlay.svg");
  EXPECT_NE(aPicture.find("top.gbr (Gerber file, beneath)"), std::string::npos);
  EXPECT_NE(aPicture.find("board.drl (Excellon drill file, beneath)"), std::string::npos);

  // The job made from the drill file drills every hole of it (a file with slots is named a
  // drill file: by its content it would be copper).
  aRun = Vex({"verify", aJob, "--against", "drill:" + aDrill});
  EXPECT_EQ(aRun.Status, 0) << aRun.Out << aRun.Err;
  EXPECT_NE(aRun.Out.find("Drill check: " + aDrill + " (role drill"), std::string::npos)
      << aRun.Out;
}

#endif
