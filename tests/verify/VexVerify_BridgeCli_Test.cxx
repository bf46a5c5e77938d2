// Copyright (c) 2026 VexData developers
// Bridges through vex as a user runs it: a job made by vex job from Gerber
// copper is checked against that copper; pads the cutter cannot pass between
// are the bridges, at the places the job named; nets the file names make a
// join of one net harmless; rings planted out of a complete job; a board of
// gerbv's examples.
#include <VexTest_Gerbv.hxx>
#include <VexTest_VexRun.hxx>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <regex>
#include <set>
#include <string>
#include <vector>

#ifdef VEX_HOST_PATH

namespace
{
using Json = nlohmann::json;

//! Returns theValue (mm) in the Gerber files' format, 4.6.
std::string at(const double theValue)
{
  return std::to_string(std::llround(theValue * 1.0e6));
}

//! Returns a Gerber file in millimetres with the aperture D11 (1.6 mm round pad) and theBody.
std::string gerber(const std::string& theBody)
{
  return "%FSLAX46Y46*%\n%MOMM*%\n%ADD11C,1.6*%\nD11*\n" + theBody + "M02*\n";
}

//! Returns a flash of D11 at theX, theY on theNet (none when empty).
std::string flash(const double theX, const double theY, const std::string& theNet = "")
{
  return (theNet.empty() ? std::string("%TD*%\n") : "%TO.N," + theNet + "*%\n") + "X" + at(theX) +
         "Y" + at(theY) + "D03*\n";
}

//! The places a job named as not isolable in its messages (printed as keys).
std::vector<std::pair<double, double>> notIsolable(const std::string& theErr)
{
  std::vector<std::pair<double, double>> aPlaces;
  const std::regex                       aKey("VEX_JOB_NOT_ISOLABLE \\S+ ([-0-9.e]+) ([-0-9.e]+)");
  for (std::sregex_iterator anIt(theErr.begin(), theErr.end(), aKey), anEnd; anIt != anEnd; ++anIt)
  {
    aPlaces.emplace_back(std::stod((*anIt)[1]), std::stod((*anIt)[2]));
  }
  return aPlaces;
}

//! Returns the distance from theFinding's place to the nearest of thePlaces.
double distance(const Json& theFinding, const std::vector<std::pair<double, double>>& thePlaces)
{
  double aBest = 1.0e9;
  for (const auto& aPlace : thePlaces)
  {
    aBest = std::min(aBest, std::hypot(theFinding["at"][0].get<double>() - aPlace.first,
                                       theFinding["at"][1].get<double>() - aPlace.second));
  }
  return aBest;
}

class VexVerify_BridgeCliTest : public VexTest_VexRun
{
protected:
  void SetUp() override
  {
    VexTest_VexRun::SetUp();
    myMessageKeys = true;
  }

  //! Makes the job of theArgs as a model document; returns the places it named not isolable.
  std::vector<std::pair<double, double>> Job(const std::vector<std::string>& theArgs)
  {
    std::vector<std::string> anArgs = {"job", "--json", "-o", myDir + "/job.json"};
    anArgs.insert(anArgs.end(), theArgs.begin(), theArgs.end());
    const VexTest_VexOutcome aRun = Vex(anArgs);
    EXPECT_LE(aRun.Status, 1) << aRun.Err;
    return notIsolable(aRun.Err);
  }

  //! Verifies theJob against theDesigns; returns the JSON report's copper check.
  Json Verify(const std::string& theJob, const std::vector<std::string>& theDesigns, int& theStatus)
  {
    std::vector<std::string> anArgs = {"verify", theJob, "--json", "--limit", "0", "--against"};
    anArgs.insert(anArgs.end(), theDesigns.begin(), theDesigns.end());
    const VexTest_VexOutcome aRun = Vex(anArgs);
    theStatus                     = aRun.Status;
    EXPECT_EQ(aRun.Err, "");
    const Json aReport = Json::parse(aRun.Out);
    for (const Json& aCheck : aReport["checks"])
    {
      if (aCheck["role"] == "copper")
      {
        return aCheck;
      }
    }
    ADD_FAILURE() << "no copper check";
    return Json();
  }
};
} // namespace

TEST_F(VexVerify_BridgeCliTest, PadsTheCutterCannotPassBetweenAreBridgedWhereTheJobSaid)
{
  // Six pads of 1.6 mm at a pitch of 1.75 mm: 0.15 mm gaps, narrower than a 0.2 mm cutter.
  struct Case
  {
    const char* Name;
    const char* Nets[2]; //!< nets of the odd and even pads ("" none)
    int         Faults;
    int         Joins;
    int         Status;
  };
  const Case aCases[] = {{"no nets", {"", ""}, 5, 0, 1},
                         {"every pad of one net", {"GND", "GND"}, 0, 5, 0},
                         {"two nets by turns", {"GND", "VCC"}, 5, 0, 1}};
  for (const Case& aCase : aCases)
  {
    std::string aPads;
    for (int anIndex = 0; anIndex < 6; ++anIndex)
    {
      aPads += flash(2.0 + 1.75 * anIndex, 2.0, aCase.Nets[anIndex % 2]);
    }
    const std::string aTop    = MakeFile("pads.gbr", gerber(aPads));
    const auto        aPlaces = Job({"--top", aTop, "--isolation-tool", "Iso0.20"});
    ASSERT_EQ(aPlaces.size(), 5u) << aCase.Name;
    int        aStatus = -1;
    const Json aCheck  = Verify(myDir + "/job.json", {"copper:" + aTop}, aStatus);
    EXPECT_EQ(aStatus, aCase.Status) << aCase.Name;
    EXPECT_EQ(aCheck["islands"], 6) << aCase.Name;
    EXPECT_EQ(aCheck["counts"]["bridge"], aCase.Faults) << aCase.Name;
    ASSERT_EQ(aCheck["sameNet"].size(), size_t(aCase.Joins)) << aCase.Name;
    for (const char* aList : {"findings", "sameNet"})
    {
      for (const Json& aFinding : aCheck[aList])
      {
        EXPECT_LT(distance(aFinding, aPlaces), 0.005) << aCase.Name << " " << aFinding;
        for (const Json& anIsland : aFinding["islands"])
        {
          const std::string aNet = anIsland.value("net", "");
          EXPECT_TRUE(aNet == aCase.Nets[0] || aNet == aCase.Nets[1]) << aCase.Name << " " << aNet;
        }
      }
    }
  }
}

TEST_F(VexVerify_BridgeCliTest, TheTextReportNamesTheIslandsAndTheirNets)
{
  const std::string aTop =
      MakeFile("pads.gbr", gerber(flash(2.0, 2.0, "GND") + flash(3.75, 2.0, "VCC") +
                                  flash(10.0, 2.0, "GND") + flash(11.75, 2.0, "GND")));
  Job({"--top", aTop, "--isolation-tool", "Iso0.20"});
  const VexTest_VexOutcome aRun =
      Vex({"verify", myDir + "/job.json", "--against", "copper:" + aTop});
  EXPECT_EQ(aRun.Status, 1) << aRun.Out;
  for (const char* aLine :
       {"  Islands: 4 islands over the copper's box grown by 1 mm\n",
        "    bridge    island at (3.750, 2.000) [net \"VCC\"] and island at (2.000, 2.000) [net "
        "\"GND\"] still joined near (2.875, 2.000)\n",
        "  Findings: 1 bridge between islands still joined after milling\n",
        "  Harmless: 1 join of islands of one net (not counted)\n",
        "    same net  island at (11.750, 2.000) [net \"GND\"] and island at (10.000, 2.000) [net "
        "\"GND\"] still joined near (10.875, 2.000)\n",
        "\nResult: 1 finding\n"})
  {
    EXPECT_NE(aRun.Out.find(aLine), std::string::npos) << aLine << "\n" << aRun.Out;
  }
  // Not looked for: only the paths are compared.
  const VexTest_VexOutcome anUnbridged =
      Vex({"verify", myDir + "/job.json", "--against", "copper:" + aTop, "--no-bridges"});
  EXPECT_EQ(anUnbridged.Status, 0) << anUnbridged.Out;
  EXPECT_EQ(anUnbridged.Out.find("Islands:"), std::string::npos) << anUnbridged.Out;
  // Wide enough apart for the narrowest cutter: every island isolated.
  Job({"--top", aTop});
  const VexTest_VexOutcome aClean =
      Vex({"verify", myDir + "/job.json", "--against", "copper:" + aTop});
  EXPECT_EQ(aClean.Status, 0) << aClean.Out;
  EXPECT_NE(aClean.Out.find("  No findings: every island is isolated\n"), std::string::npos)
      << aClean.Out;
}

namespace
{
//! Returns the box of theContour of a model document (arcs by their whole circle).
std::pair<std::pair<double, double>, std::pair<double, double>> boxOf(const Json& theContour)
{
  double aMin[2] = {1.0e9, 1.0e9}, aMax[2] = {-1.0e9, -1.0e9};
  for (const Json& anElement : theContour["elements"])
  {
    const bool   isArc   = anElement["kind"] == "arc";
    const Json&  aPoint  = isArc ? anElement["center"] : anElement["start"];
    const double aRadius = isArc ? anElement["radius"].get<double>() : 0.0;
    for (int anAxis = 0; anAxis < 2; ++anAxis)
    {
      aMin[anAxis] = std::min(aMin[anAxis], aPoint[anAxis].get<double>() - aRadius);
      aMax[anAxis] = std::max(aMax[anAxis], aPoint[anAxis].get<double>() + aRadius);
    }
  }
  return {{aMin[0], aMin[1]}, {aMax[0], aMax[1]}};
}

//! Removes from theJob the isolation rings around the pads at thePads; returns how many.
size_t removeRings(Json& theJob, const std::vector<std::pair<double, double>>& thePads)
{
  size_t aRemoved = 0;
  for (Json& anObject : theJob["objects"])
  {
    Json& aContours = anObject["contours"];
    for (size_t anIndex = aContours.size(); anIndex > 0; --anIndex)
    {
      const auto aBox = boxOf(aContours[anIndex - 1]);
      for (const auto& aPad : thePads)
      {
        // A pad's own ring: around its centre and smaller than the pitch.
        if (aBox.first.first < aPad.first && aPad.first < aBox.second.first &&
            aBox.first.second < aPad.second && aPad.second < aBox.second.second &&
            aBox.second.first - aBox.first.first < 2.5)
        {
          aContours.erase(anIndex - 1);
          ++aRemoved;
          break;
        }
      }
    }
  }
  return aRemoved;
}
} // namespace

TEST_F(VexVerify_BridgeCliTest, RingsPlantedOutOfACompleteJob)
{
  // Pads at a pitch of 3 mm, isolated by vex job; then rings are left out of its job. One ring
  // left out joins its pad to the copper around the rings only; two neighbours' rings left out
  // join the two pads, halfway between them.
  std::string aPads;
  for (int aRow = 0; aRow < 3; ++aRow)
  {
    for (int aColumn = 0; aColumn < 4; ++aColumn)
    {
      aPads += flash(3.0 * aColumn, 3.0 * aRow);
    }
  }
  const std::string aTop = MakeFile("grid.gbr", gerber(aPads));
  EXPECT_TRUE(Job({"--top", aTop}).empty());
  const Json aComplete = Json::parse(Slurp(myDir + "/job.json"));
  struct Case
  {
    const char*                            Name;
    std::vector<std::pair<double, double>> Pads;
    int                                    Bridges;
    bool   IsPlaced; //!< joined at one place (far apart: around the rings between them)
    double X, Y;     //!< that place
  };
  const Case aCases[] = {{"the complete job", {}, 0, false, 0, 0},
                         {"one ring", {{3, 3}}, 0, false, 0, 0},
                         {"two neighbours", {{3, 3}, {6, 3}}, 1, true, 4.5, 3},
                         {"two neighbours in a column", {{9, 0}, {9, 3}}, 1, true, 9, 1.5},
                         {"two far apart", {{0, 0}, {9, 6}}, 1, false, 0, 0}};
  for (const Case& aCase : aCases)
  {
    Json aJob = aComplete;
    EXPECT_EQ(removeRings(aJob, aCase.Pads), aCase.Pads.size()) << aCase.Name;
    const std::string aFile   = MakeFile("planted.json", aJob.dump());
    int               aStatus = -1;
    const Json        aCheck  = Verify(aFile, {"copper:" + aTop}, aStatus);
    EXPECT_EQ(aStatus, aCase.Bridges > 0 ? 1 : 0) << aCase.Name;
    ASSERT_EQ(aCheck["findings"].size(), size_t(aCase.Bridges)) << aCase.Name;
    if (aCase.Bridges == 0)
    {
      continue;
    }
    const Json& aBridge = aCheck["findings"][0];
    if (aCase.IsPlaced)
    {
      EXPECT_NEAR(aBridge["at"][0].get<double>(), aCase.X, 0.02) << aCase.Name;
      EXPECT_NEAR(aBridge["at"][1].get<double>(), aCase.Y, 0.02) << aCase.Name;
    }
    std::set<std::pair<double, double>> anIslands;
    for (const Json& anIsland : aBridge["islands"])
    {
      anIslands.emplace(anIsland["at"][0].get<double>(), anIsland["at"][1].get<double>());
    }
    const std::set<std::pair<double, double>> aPads(aCase.Pads.begin(), aCase.Pads.end());
    EXPECT_EQ(anIslands, aPads) << aCase.Name;
  }
}

TEST_F(VexVerify_BridgeCliTest, GerbvBoardIsBridgedOnlyWhereTheJobSaid)
{
  const std::string aBoard = "/usr/share/doc/gerbv/examples/protel-pnp/SE_SG_IF_V2";
  if (Slurp(aBoard + ".GTL").empty())
  {
    VEX_TEST_SKIP_WITHOUT_GERBV()
        << "gerbv's examples are not installed (scripts/install-deps.sh installs them)";
  }
  const std::vector<std::string> aDesigns = {"copper:" + aBoard + ".GTL",
                                             "outline:" + aBoard + ".GM1"};
  // The narrowest cutter passes everywhere: every island isolated.
  EXPECT_TRUE(Job({"--top", aBoard + ".GTL", "--outline", aBoard + ".GM1"}).empty());
  int  aStatus = -1;
  Json aCheck  = Verify(myDir + "/job.json", aDesigns, aStatus);
  EXPECT_EQ(aStatus, 0);
  EXPECT_EQ(aCheck["islands"], 382);
  EXPECT_EQ(aCheck["counts"]["bridge"], 0);
  // A cutter of 0.3 mm does not fit everywhere: the bridges lie where the job said so (within
  // the pads and tracks they join: the gaps the job names are the narrowest of each join).
  const auto aPlaces =
      Job({"--top", aBoard + ".GTL", "--outline", aBoard + ".GM1", "--isolation-tool", "Iso0.30"});
  ASSERT_FALSE(aPlaces.empty());
  aCheck = Verify(myDir + "/job.json", aDesigns, aStatus);
  EXPECT_EQ(aStatus, 1);
  ASSERT_GT(aCheck["findings"].size(), 0u);
  EXPECT_LE(aCheck["findings"].size(), aPlaces.size());
  size_t anAtPlace = 0;
  for (const Json& aBridge : aCheck["findings"])
  {
    EXPECT_LT(distance(aBridge, aPlaces), 3.0) << aBridge;
    anAtPlace += distance(aBridge, aPlaces) < 0.3 ? 1 : 0;
  }
  EXPECT_GT(anAtPlace * 4, aCheck["findings"].size() * 3) << "most right at a place named";
}

#endif
