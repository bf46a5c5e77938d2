// Copyright (c) 2026 VexData developers
// vex job on boards built here as Gerber and Excellon files (two-sided, dense, with a copper pour)
// and on a board among gerbv's examples: the phases and tools of the machine file written through
// the plug-in, the bottom mirrored, the exit statuses, the faults of bad input with nothing
// written, and the job passing vex verify's copper check.
#include <VexTest_VexRun.hxx>

#include <nlohmann/json.hpp>

#include <cmath>
#include <map>
#include <set>

#ifdef VEX_HOST_PATH

namespace
{
using Json = nlohmann::json;

//! Returns theValue (millimetres) as a coordinate of format 4.6.
std::string at(const double theValue)
{
  return std::to_string(std::llround(theValue * 1.0e6));
}

//! Returns a Gerber file in millimetres with the apertures D10 (0.25 mm line), D11 (1.6 mm round
//! pad), D12 (1.5 x 1 mm rectangle) and theBody.
std::string gerber(const std::string& theBody)
{
  return "%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.25*%\n%ADD11C,1.6*%\n%ADD12R,1.5X1.0*%\n" + theBody +
         "M02*\n";
}

//! Returns a flash of aperture theD at theX, theY.
std::string flash(const int theD, const double theX, const double theY)
{
  return "D" + std::to_string(theD) + "*\nX" + at(theX) + "Y" + at(theY) + "D03*\n";
}

//! Returns a trace of D10 through thePoints.
std::string trace(const std::vector<std::pair<double, double>>& thePoints)
{
  std::string aText = "D10*\n";
  for (size_t anIndex = 0; anIndex < thePoints.size(); ++anIndex)
  {
    aText += "X" + at(thePoints[anIndex].first) + "Y" + at(thePoints[anIndex].second) +
             (anIndex == 0 ? "D02*\n" : "D01*\n");
  }
  return aText;
}

//! A rectangle 0..30 x 0..20 drawn as the board's profile.
const std::string THE_OUTLINE = gerber(trace({{0, 0}, {30, 0}, {30, 20}, {0, 20}, {0, 0}}));

//! Holes of 0.8 mm at the pads, one of 4.5 mm and a slot of 1 mm.
const std::string THE_DRILLS = "M48\nMETRIC\nT1C0.8\nT2C4.5\nT3C1.0\n%\nT1\nX5.0Y5.0\nX15.0Y5.0\n"
                               "X5.0Y15.0\nT2\nX22.0Y14.0\nT3\nX20.0Y4.0G85X25.0Y4.0\nM30\n";

class VexJob_Cli : public VexTest_VexRun
{
protected:
  //! Writes the two-sided board's files; returns the arguments naming them.
  std::vector<std::string> TwoSided()
  {
    const std::string aTop = gerber(flash(11, 5, 5) + flash(11, 15, 5) + flash(12, 5, 15) +
                                    trace({{5, 5}, {15, 5}}) + trace({{5, 5}, {5, 15}}));
    const std::string aBottom =
        gerber(flash(11, 5, 5) + flash(11, 15, 5) + trace({{5, 5}, {15, 5}}));
    return {"--top",     MakeFile("top.gbr", aTop),
            "--bottom",  MakeFile("bottom.gbr", aBottom),
            "--drill",   MakeFile("board.drl", THE_DRILLS),
            "--outline", MakeFile("edge.gbr", THE_OUTLINE)};
  }

  //! Runs vex job with theArgs writing a document and a machine file; returns the document of
  //! the machine file read back (null when none was written).
  Json Job(std::vector<std::string> theArgs, VexTest_VexOutcome& theOutcome)
  {
    theArgs.insert(theArgs.begin(), "job");
    theArgs.push_back("-o");
    theArgs.push_back(myDir + "/job.vex");
    theOutcome = Vex(theArgs);
    if (Slurp(myDir + "/job.vex").empty())
    {
      return Json();
    }
    const VexTest_VexOutcome aJson = Vex({"to-json", myDir + "/job.vex"});
    return Json::parse(aJson.Out);
  }

  //! Returns the tool name of every toolpath by phase and layer ("phase/layer" -> names).
  static std::map<std::string, std::set<std::string>> Tools(const Json& theDocument)
  {
    std::map<int, std::string> aNames;
    for (const Json& anAperture : theDocument["apertures"])
    {
      if (!anAperture.is_null())
      {
        aNames[anAperture["number"]] = anAperture["name"];
      }
    }
    std::map<std::string, std::set<std::string>> aTools;
    for (const Json& anObject : theDocument["objects"])
    {
      aTools[anObject["phase"].get<std::string>() + "/" + anObject["layer"].get<std::string>()]
          .insert(aNames[anObject["aperture"]]);
    }
    return aTools;
  }
};

TEST_F(VexJob_Cli, TwoSidedBoardGivesEveryPhaseWithTheLibrarysTools)
{
  VexTest_VexOutcome anOutcome;
  const Json         aJob = Job(TwoSided(), anOutcome);
  EXPECT_EQ(anOutcome.Status, 0) << anOutcome.Err;
  const std::map<std::string, std::set<std::string>> anExpected = {
      {"Drilling/Top", {"Drill0.80"}},
      {"Hole milling/Top", {"Mill1.00", "Mill3.00"}},
      {"Isolation top/Top", {"Iso0.10"}},
      {"Isolation bottom/Bottom", {"Iso0.10"}},
      {"Cut-out/Top", {"Mill2.00"}}};
  EXPECT_EQ(Tools(aJob), anExpected);
  // The summary: the drilling table and the mirror line through the outline's centre.
  EXPECT_NE(anOutcome.Err.find("      0.800      3  Drill0.80       0.800      +0.000  drilled"),
            std::string::npos)
      << anOutcome.Err;
  EXPECT_NE(anOutcome.Err.find("4.500      1  Mill3.00"), std::string::npos);
  EXPECT_NE(anOutcome.Err.find("mirrored about x = 15.0000 mm (centre of the board outline)"),
            std::string::npos);
  EXPECT_NE(anOutcome.Err.find("Not machined as designed: 0"), std::string::npos);
  // Bottom pads at x 5 and 15 are cut at x 25 and 15 once the board is turned over.
  std::set<long> aCentres;
  for (const Json& anObject : aJob["objects"])
  {
    if (anObject["phase"] == "Isolation bottom")
    {
      for (const Json& aContour : anObject["contours"])
      {
        for (const Json& anElement : aContour["elements"])
        {
          if (anElement["kind"] == "arc" && anElement["radius"].get<double>() > 0.8)
          {
            aCentres.insert(std::lround(anElement["center"][0].get<double>()));
          }
        }
      }
    }
  }
  EXPECT_EQ(aCentres, (std::set<long>{15, 25}));
}

TEST_F(VexJob_Cli, JobOfADocumentMatchesTheMachineFileReadBack)
{
  std::vector<std::string> anArgs = TwoSided();
  VexTest_VexOutcome       anOutcome;
  const Json               aJob = Job(anArgs, anOutcome);
  anArgs.insert(anArgs.begin(), "job");
  anArgs.insert(anArgs.end(), {"--json", "-o", myDir + "/job.json"});
  ASSERT_EQ(Vex(anArgs).Status, 0);
  const Json aDocument = Json::parse(Slurp(myDir + "/job.json"));
  // The writer files blocks by layer and tool: compare the toolpaths as a set.
  auto toolpaths = [](const Json& theModel)
  {
    std::multiset<std::string> aSet;
    for (const Json& anObject : theModel["objects"])
    {
      aSet.insert(anObject["phase"].get<std::string>() + "/" +
                  anObject["layer"].get<std::string>() + "/" +
                  std::to_string(anObject["mode"].get<int>()) + "/" +
                  std::to_string(anObject["contours"].size()));
    }
    return aSet;
  };
  EXPECT_EQ(toolpaths(aDocument), toolpaths(aJob));
  // Tools keep their names; the file holds their widths in single precision.
  auto tools = [](const Json& theModel)
  {
    std::set<std::pair<std::string, float>> aSet;
    for (const Json& anAperture : theModel["apertures"])
    {
      if (!anAperture.is_null())
      {
        aSet.emplace(anAperture["name"], anAperture["params"][0].get<float>());
      }
    }
    return aSet;
  };
  EXPECT_EQ(tools(aDocument), tools(aJob));
}

TEST_F(VexJob_Cli, DenseBoardIsWrittenAndItsNarrowGapsNamed)
{
  // Pads of 1.6 mm at a pitch of 1.75 mm: 0.15 mm gaps, narrower than a 0.2 mm cutter.
  std::string aPads;
  for (int anIndex = 0; anIndex < 6; ++anIndex)
  {
    aPads += flash(11, 2.0 + 1.75 * anIndex, 2.0);
  }
  myMessageKeys = true;
  VexTest_VexOutcome anOutcome;
  const std::string  aTop = MakeFile("dense.gbr", gerber(aPads));
  Job({"--top", aTop, "--isolation-tool", "Iso0.20"}, anOutcome);
  EXPECT_EQ(anOutcome.Status, 1) << anOutcome.Err;
  size_t aCount = 0;
  for (size_t aPlace = anOutcome.Err.find("Warning: VEX_JOB_NOT_ISOLABLE top ");
       aPlace != std::string::npos;
       aPlace = anOutcome.Err.find("Warning: VEX_JOB_NOT_ISOLABLE top ", aPlace + 1))
  {
    ++aCount;
  }
  EXPECT_EQ(aCount, 5u) << anOutcome.Err;
  EXPECT_NE(anOutcome.Err.find("Not machined as designed: 5"), std::string::npos);
  EXPECT_FALSE(Slurp(myDir + "/job.vex").empty()) << "written all the same";
  // With the narrowest cutter every gap is wide enough.
  Job({"--top", aTop}, anOutcome);
  EXPECT_EQ(anOutcome.Status, 0) << anOutcome.Err;
}

TEST_F(VexJob_Cli, PourWithClearAreasPassesTheCopperCheck)
{
  // A pour with two clear windows, a pad in one of them, a trace crossing the board.
  const std::string aRegion = "G36*\nX" + at(0) + "Y" + at(0) + "D02*\nG01*\nX" + at(20) + "Y" +
                              at(0) + "D01*\nX" + at(20) + "Y" + at(12) + "D01*\nX" + at(0) + "Y" +
                              at(12) + "D01*\nX" + at(0) + "Y" + at(0) + "D01*\nG37*\n";
  const std::string aWindows = "%LPC*%\nG36*\nX" + at(2) + "Y" + at(2) + "D02*\nX" + at(8) + "Y" +
                               at(2) + "D01*\nX" + at(8) + "Y" + at(8) + "D01*\nX" + at(2) + "Y" +
                               at(8) + "D01*\nX" + at(2) + "Y" + at(2) + "D01*\nG37*\n" +
                               flash(11, 14, 6) + "%LPD*%\n" + flash(12, 5, 5);
  const std::string aTop =
      MakeFile("pour.gbr", gerber(aRegion + aWindows + trace({{-5, 14}, {25, 14}})));
  VexTest_VexOutcome anOutcome;
  const Json         aJob = Job({"--top", aTop, "--passes", "1"}, anOutcome);
  EXPECT_EQ(anOutcome.Status, 0) << anOutcome.Err;
  const VexTest_VexOutcome aCheck =
      Vex({"verify", myDir + "/job.vex", "--against", "copper:" + aTop});
  EXPECT_EQ(aCheck.Status, 0) << aCheck.Out;
  EXPECT_NE(aCheck.Out.find("No findings"), std::string::npos);
}

TEST_F(VexJob_Cli, BadInputIsRefusedAndNothingWritten)
{
  const std::string aTop = MakeFile("top.gbr", gerber(flash(11, 5, 5)));
  const std::string aBadTools =
      MakeFile("tools.json", R"({"tools":[{"name":"V","kind":"isolation","diameter":-1}]})");
  const struct
  {
    std::vector<std::string> Args;
    std::string              Message;
  } THE_CASES[] = {
      {{}, "Fail: VEX_JOB_NO_INPUT"},
      {{"--top", aTop, "--tools", aBadTools},
       "Fail: VEX_JOB_TOOLS_FAULT " + aBadTools +
           " /tools/0/diameter: the diameter must be greater than 0 and at most 50 mm"},
      {{"--top", aTop, "--tools", myDir + "/none.json"}, "Fail: VEX_CANT_OPEN_FILE"},
      {{"--top", aTop, "--isolation-tool", "Laser"}, "Fail: VEX_JOB_UNKNOWN_TOOL Laser"},
      {{"--top", aTop, "--isolation-tool", "Drill0.80"},
       "Fail: VEX_JOB_WRONG_TOOL_KIND Drill0.80 drill isolation"},
      {{"--top", aTop, "--overlap", "0.5", "--passes", "-1"},
       "Fail: VEX_JOB_BAD_OPTION --passes -1 0 to 100"},
      {{"--top", myDir + "/missing.gbr"}, "Fail: VEX_CANT_OPEN_FILE"},
  };
  myMessageKeys = true;
  for (const auto& aCase : THE_CASES)
  {
    VexTest_VexOutcome anOutcome;
    const Json         aJob = Job(aCase.Args, anOutcome);
    EXPECT_EQ(anOutcome.Status, 2) << aCase.Message << "\n" << anOutcome.Err;
    EXPECT_EQ(anOutcome.Err.find(aCase.Message), 0u) << anOutcome.Err;
    EXPECT_TRUE(aJob.is_null()) << "nothing written";
  }
}

TEST_F(VexJob_Cli, GerbvBoardJobPassesItsCopperAndOutlineChecks)
{
  const std::string aBoard = "/usr/share/doc/gerbv/examples/protel-pnp/SE_SG_IF_V2";
  if (Slurp(aBoard + ".GTL").empty())
  {
    GTEST_SKIP() << "gerbv's examples are not installed";
  }
  VexTest_VexOutcome anOutcome;
  const Json         aJob = Job({"--top", aBoard + ".GTL", "--drill", aBoard + ".TXT", "--outline",
                                 aBoard + ".GM1", "--tabs", "4"},
                                anOutcome);
  // The mechanical layer holds more than the profile: its open ends are named.
  EXPECT_EQ(anOutcome.Status, 1) << anOutcome.Err;
  EXPECT_NE(anOutcome.Err.find("Warning: The outline"), std::string::npos);
  // The vias of 0.305 mm are drilled with the smallest drill, 0.4 mm: said as well.
  EXPECT_NE(anOutcome.Err.find("Not machined as designed: 2"), std::string::npos);
  EXPECT_NE(anOutcome.Err.find("Warning: 106 holes of 0.304800 mm"), std::string::npos)
      << anOutcome.Err;
  EXPECT_EQ(Tools(aJob).count("Cut-out/Top"), 1u);
  // The title's letters drawn on the mechanical layer beside the board are not cut around.
  EXPECT_NE(anOutcome.Err.find("5 small closed drawing(s) beside the board"), std::string::npos)
      << anOutcome.Err;
  // The title's copper beyond the board is not isolated: the paths stay on the board.
  EXPECT_NE(anOutcome.Err.find("12 ring(s) wholly outside the board (beyond the cut-out) left out"),
            std::string::npos)
      << anOutcome.Err;
  const VexTest_VexOutcome aCheck =
      Vex({"verify", myDir + "/job.vex", "--against", "copper:" + aBoard + ".GTL",
           "outline:" + aBoard + ".GM1", "--layer", "Top"});
  EXPECT_NE(aCheck.Out.find("No findings: no path comes closer to copper"), std::string::npos)
      << aCheck.Out;
  EXPECT_NE(aCheck.Out.find("No findings: no path runs outside the board"), std::string::npos)
      << aCheck.Out;
  // The drill check finds just the holes the job said it drilled larger.
  const VexTest_VexOutcome aDrills =
      Vex({"verify", myDir + "/job.vex", "--against", "drill:" + aBoard + ".TXT", "--limit", "0"});
  size_t aDiameters = 0;
  for (size_t aPos = aDrills.Out.find("    diameter "); aPos != std::string::npos;
       aPos        = aDrills.Out.find("    diameter ", aPos + 1))
  {
    ++aDiameters;
  }
  EXPECT_EQ(aDiameters, 106u) << aDrills.Out;
  EXPECT_EQ(aDrills.Out.find("missing"), std::string::npos) << aDrills.Out;
  EXPECT_EQ(aDrills.Out.find("extra"), std::string::npos) << aDrills.Out;
}

TEST_F(VexJob_Cli, GerbvCopperLayersAreIsolatedClearOfTheirCopper)
{
  const std::string aRoot        = "/usr/share/doc/gerbv/examples/";
  const char*       THE_LAYERS[] = {"dan/top.gbx", "eaglecad1/top-cop.gbx", "am-test/am-test.gbx",
                                    "uwe/example.gbr"};
  for (const char* aLayer : THE_LAYERS)
  {
    if (Slurp(aRoot + aLayer).empty())
    {
      GTEST_SKIP() << "gerbv's examples are not installed";
    }
    VexTest_VexOutcome anOutcome;
    const Json         aJob = Job({"--top", aRoot + aLayer, "--passes", "1"}, anOutcome);
    EXPECT_LE(anOutcome.Status, 1) << aLayer << "\n" << anOutcome.Err;
    ASSERT_FALSE(aJob.is_null()) << aLayer;
    EXPECT_EQ(anOutcome.Err.find("did not join"), std::string::npos) << anOutcome.Err;
    const VexTest_VexOutcome aCheck =
        Vex({"verify", myDir + "/job.vex", "--against", "copper:" + aRoot + aLayer});
    EXPECT_NE(aCheck.Out.find("No findings: no path comes closer to copper"), std::string::npos)
        << aLayer << "\n"
        << aCheck.Out;
  }
}
} // namespace

#endif
