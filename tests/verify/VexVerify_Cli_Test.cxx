// Copyright (c) 2026 VexData developers
// vex verify run as a user runs it: a job written as a machine file checked
// against drill, copper and outline documents; four faults planted in the job
// are named and nothing else; bad input gives exit status 2 with its message.
#include <VexTest_VexRun.hxx>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
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

//! What one run of vex gave.
using Outcome = VexTest_VexOutcome;

//! A model document under construction.
class Document
{
public:
  Document()
      : myJson({{"unit", "mm"},
                {"polarity", "positive"},
                {"apertures", Json::array()},
                {"layers", Json::array()},
                {"scanFields", Json::array()},
                {"objects", Json::array()}})
  {
  }

  //! Adds a round aperture; returns its number.
  int Aperture(const std::string& theName, const std::vector<double>& theParams)
  {
    const int aNumber = static_cast<int>(myJson["apertures"].size()) + 1;
    myJson["apertures"].push_back(
        {{"number", aNumber}, {"name", theName}, {"shape", 1}, {"params", theParams}, {"tool", 1}});
    return aNumber;
  }

  //! Adds a sequence; theMode 1 paths, 2 points; theToolpath 0 for artwork. Returns its index.
  size_t Sequence(const int theAperture, const int theMode, const int theToolpath,
                  const std::string& thePhase, const std::string& theLayer)
  {
    myJson["objects"].push_back({{"type", "sequence"},
                                 {"aperture", theAperture},
                                 {"flags", 0},
                                 {"phase", thePhase},
                                 {"layer", theLayer},
                                 {"mode", theMode},
                                 {"toolpath", theToolpath},
                                 {"scanField", 0},
                                 {"contours", Json::array()}});
    return myJson["objects"].size() - 1;
  }

  //! Returns sequence theIndex (valid until the next sequence is added).
  Json& At(const size_t theIndex) { return myJson["objects"][theIndex]; }

  //! Adds theContour to sequence theIndex.
  void Add(const size_t theIndex, const Json& theContour)
  {
    At(theIndex)["contours"].push_back(theContour);
  }

  //! Returns the document's text.
  std::string Text() const { return myJson.dump(); }

  //! Returns a contour of one point.
  static Json Point(const double theX, const double theY)
  {
    return {{"elements", Json::array({{{"kind", "point"}, {"at", {theX, theY}}}})}};
  }

  //! Returns a closed rectangle contour, counter-clockwise.
  static Json Rectangle(const double theX0, const double theY0, const double theX1,
                        const double theY1)
  {
    const double aCorners[5][2] = {
        {theX0, theY0}, {theX1, theY0}, {theX1, theY1}, {theX0, theY1}, {theX0, theY0}};
    Json anElements = Json::array();
    for (int anIndex = 0; anIndex < 4; ++anIndex)
    {
      anElements.push_back({{"kind", "segment"},
                            {"start", {aCorners[anIndex][0], aCorners[anIndex][1]}},
                            {"end", {aCorners[anIndex + 1][0], aCorners[anIndex + 1][1]}}});
    }
    return {{"elements", anElements}};
  }

  //! Returns a contour of one segment.
  static Json Segment(const double theX0, const double theY0, const double theX1,
                      const double theY1)
  {
    return {
        {"elements",
         Json::array({{{"kind", "segment"}, {"start", {theX0, theY0}}, {"end", {theX1, theY1}}}})}};
  }

private:
  Json myJson; //!< the document
};

//! A hole or hit: tool diameter and position.
struct Drill
{
  double Diameter, X, Y;
};

//! The holes of the board: five of 0.8 mm and two of 1 mm, each in a 1.6 mm pad.
const std::vector<Drill> THE_HOLES = {{0.8, 10, 10}, {0.8, 20, 10}, {0.8, 10, 20}, {0.8, 20, 20},
                                      {0.8, 30, 20}, {1.0, 40, 10}, {1.0, 40, 20}};

//! Isolation contours of a 0.2 mm tool around the three nets and the copper area: 0.2 mm from
//! the pads, 0.85 mm from the traces, 0.15 mm from the area.
const double THE_ISOLATION[][4] = {
    {9, 9, 21, 11}, {9, 19, 31, 21}, {39, 9, 41, 21}, {49.85, 4.85, 60.15, 15.15}};

//! The drill design: the holes, one point toolpath per diameter.
std::string drillDesign()
{
  Document     aDocument;
  const size_t aSmall =
      aDocument.Sequence(aDocument.Aperture("T01", {0.8}), 2, 1, "Drilling", "Drill");
  const size_t aLarge =
      aDocument.Sequence(aDocument.Aperture("T02", {1.0}), 2, 1, "Drilling", "Drill");
  for (const Drill& aHole : THE_HOLES)
  {
    aDocument.Add(aHole.Diameter == 0.8 ? aSmall : aLarge, Document::Point(aHole.X, aHole.Y));
  }
  return aDocument.Text();
}

//! The copper design: 0.3 mm traces joining the pads of three nets, the pads, and a copper area
//! with a square cleared out of it.
std::string copperDesign()
{
  Document     aDocument;
  const size_t aTraces = aDocument.Sequence(aDocument.Aperture("D10", {0.3}), 1, 1, "", "Top");
  aDocument.Add(aTraces, Document::Segment(10, 10, 20, 10));
  aDocument.Add(aTraces, Document::Segment(10, 20, 30, 20));
  aDocument.Add(aTraces, Document::Segment(40, 10, 40, 20));
  const size_t aPads = aDocument.Sequence(aDocument.Aperture("D11", {1.6}), 2, 1, "", "Top");
  for (const Drill& aHole : THE_HOLES)
  {
    aDocument.Add(aPads, Document::Point(aHole.X, aHole.Y));
  }
  const size_t anArea          = aDocument.Sequence(0, 1, 0, "", "Top");
  aDocument.At(anArea)["area"] = true;
  aDocument.Add(anArea, Document::Rectangle(50, 5, 60, 15));
  const size_t aClear           = aDocument.Sequence(0, 1, 0, "", "Top");
  aDocument.At(aClear)["area"]  = true;
  aDocument.At(aClear)["clear"] = true;
  aDocument.Add(aClear, Document::Rectangle(54, 9, 56, 11));
  return aDocument.Text();
}

//! The outline design: the 70 x 30 mm board as four draws.
std::string outlineDesign()
{
  Document     aDocument;
  const size_t aDraws = aDocument.Sequence(aDocument.Aperture("D20", {0.1}), 1, 1, "", "Edge");
  aDocument.Add(aDraws, Document::Segment(0, 0, 70, 0));
  aDocument.Add(aDraws, Document::Segment(0, 30, 70, 30));
  aDocument.Add(aDraws, Document::Segment(0, 0, 0, 30));
  aDocument.Add(aDraws, Document::Segment(70, 30, 70, 0));
  return aDocument.Text();
}

//! The faults a job can have planted.
enum Fault
{
  Fault_Moved   = 1, //!< the hit at (20, 10) drilled 0.3 mm to the right
  Fault_Dropped = 2, //!< the hit at (30, 20) left out
  Fault_Tool    = 4, //!< the hole at (40, 20) drilled with the 0.8 mm tool
  Fault_Nudged  = 8  //!< the isolation of the first net moved 0.8 mm down, into its trace
};

//! The job: hits, isolation, a path in the cleared square and the board's contour cut.
std::string job(const int theFaults)
{
  Document     aDocument;
  const size_t aSmall =
      aDocument.Sequence(aDocument.Aperture("T01", {0.8}), 2, 1, "Drilling", "Drill");
  const size_t aLarge =
      aDocument.Sequence(aDocument.Aperture("T02", {1.0}), 2, 1, "Drilling", "Drill");
  for (const Drill& aHole : THE_HOLES)
  {
    Drill aHit = aHole;
    if (aHit.X == 30 && aHit.Y == 20 && (theFaults & Fault_Dropped) != 0)
    {
      continue;
    }
    aHit.X += aHit.X == 20 && aHit.Y == 10 && (theFaults & Fault_Moved) != 0 ? 0.3 : 0.0;
    aHit.Diameter =
        aHit.X == 40 && aHit.Y == 20 && (theFaults & Fault_Tool) != 0 ? 0.8 : aHit.Diameter;
    aDocument.Add(aHit.Diameter == 0.8 ? aSmall : aLarge, Document::Point(aHit.X, aHit.Y));
  }
  const size_t anIsolation =
      aDocument.Sequence(aDocument.Aperture("Iso0.2", {0.2}), 1, 1, "Isolation", "Top");
  for (const auto& aBox : THE_ISOLATION)
  {
    const double aShift =
        &aBox == &THE_ISOLATION[0] && (theFaults & Fault_Nudged) != 0 ? -0.8 : 0.0;
    aDocument.Add(anIsolation,
                  Document::Rectangle(aBox[0], aBox[1] + aShift, aBox[2], aBox[3] + aShift));
  }
  // Milling inside the cleared square, clear of the copper around it.
  aDocument.Add(anIsolation, Document::Segment(54.5, 10, 55.5, 10));
  const size_t aCut =
      aDocument.Sequence(aDocument.Aperture("Contour2.0", {2.0}), 1, 1, "Cutout", "Edge");
  Json         aRound         = {{"elements", Json::array()}};
  const double aCorners[4][2] = {{70, 0}, {70, 30}, {0, 30}, {0, 0}};
  for (int aSide = 0; aSide < 4; ++aSide)
  {
    const double aStart = (aSide - 1) * M_PI / 2, anEnd = aSide * M_PI / 2;
    const double aFrom[2] = {aCorners[(aSide + 3) % 4][0] + std::cos(aStart),
                             aCorners[(aSide + 3) % 4][1] + std::sin(aStart)};
    const double aTo[2]   = {aCorners[aSide][0] + std::cos(aStart),
                             aCorners[aSide][1] + std::sin(aStart)};
    aRound["elements"].push_back(
        {{"kind", "segment"}, {"start", {aFrom[0], aFrom[1]}}, {"end", {aTo[0], aTo[1]}}});
    aRound["elements"].push_back({{"kind", "arc"},
                                  {"center", {aCorners[aSide][0], aCorners[aSide][1]}},
                                  {"radius", 1.0},
                                  {"angles", {aStart, anEnd}},
                                  {"sense", "ccw"}});
  }
  aDocument.Add(aCut, aRound);
  return aDocument.Text();
}

class VexVerify_CliTest : public VexTest_VexRun
{
protected:
  void SetUp() override
  {
    VexTest_VexRun::SetUp();
    myMessageKeys = true;
    myDrill       = MakeFile("drill.json", drillDesign());
    myCopper      = MakeFile("copper.json", copperDesign());
    myOutline     = MakeFile("outline.json", outlineDesign());
  }

  //! Writes the job with theFaults as a machine file through from-json; returns its path.
  std::string MakeJob(const int theFaults)
  {
    const std::string aDocument = MakeFile("job.json", job(theFaults));
    const std::string aMachine  = myDir + "/job.vex";
    const Outcome     aRun      = Vex({"from-json", aDocument, aMachine});
    EXPECT_EQ(aRun.Status, 0) << aRun.Err;
    return aMachine;
  }

  //! Runs verify of theJob against the three designs with --json; returns the parsed report.
  Json Verify(const std::string& theJob, int& theStatus)
  {
    const Outcome aRun = Vex({"verify", theJob, "--against", "drill:" + myDrill, "--against",
                              myCopper, "--against", "outline:" + myOutline, "--json"});
    theStatus          = aRun.Status;
    EXPECT_EQ(aRun.Err, "");
    return Json::parse(aRun.Out);
  }

  std::string myDrill;   //!< drill design
  std::string myCopper;  //!< copper design
  std::string myOutline; //!< outline design
};

//! Returns every finding of theReport as "role kind x y" (the hole, hit or place, to 0.01 mm).
std::multiset<std::string> findings(const Json& theReport)
{
  std::multiset<std::string> aFindings;
  for (const Json& aCheck : theReport["checks"])
  {
    for (const Json& aFinding : aCheck["findings"])
    {
      const Json& aPoint = aFinding.contains("at")     ? aFinding["at"]
                           : aFinding.contains("hole") ? aFinding["hole"]
                                                       : aFinding["hit"];
      char        aText[128];
      std::snprintf(aText, sizeof(aText), "%s %s %.2f %.2f",
                    aCheck["role"].get<std::string>().c_str(),
                    aFinding["kind"].get<std::string>().c_str(), aPoint[0].get<double>(),
                    aPoint[1].get<double>());
      aFindings.insert(aText);
    }
  }
  return aFindings;
}
} // namespace

TEST_F(VexVerify_CliTest, TheFourPlantedFaultsAndNothingElse)
{
  struct Case
  {
    const char*                Name;
    int                        Faults;
    int                        Status;
    std::multiset<std::string> Findings;
  };
  const Case aCases[] = {
      {"the job agrees with its designs", 0, 0, {}},
      {"one hole moved", Fault_Moved, 1, {"drill moved 20.00 10.00"}},
      {"four faults",
       Fault_Moved | Fault_Dropped | Fault_Tool | Fault_Nudged,
       1,
       {"drill moved 20.00 10.00", "drill missing 30.00 20.00", "drill diameter 40.00 20.00",
        "copper copper 15.00 10.20"}},
  };
  for (const Case& aCase : aCases)
  {
    int        aStatus = -1;
    const Json aReport = Verify(MakeJob(aCase.Faults), aStatus);
    EXPECT_EQ(aStatus, aCase.Status) << aCase.Name;
    EXPECT_EQ(findings(aReport), aCase.Findings) << aCase.Name;
    EXPECT_EQ(aReport["findings"], aCase.Findings.size()) << aCase.Name;
    ASSERT_EQ(aReport["checks"].size(), 3u) << aCase.Name;
    EXPECT_EQ(aReport["checks"][1]["role"], "copper") << aCase.Name;
    EXPECT_EQ(aReport["checks"][1]["roleGiven"], false) << aCase.Name;
    EXPECT_EQ(aReport["checks"][1]["paths"].size(), 2u) << aCase.Name;
  }
}

TEST_F(VexVerify_CliTest, TheJsonReportCarriesTheDetails)
{
  int        aStatus = -1;
  const Json aReport = Verify(MakeJob(Fault_Tool | Fault_Nudged), aStatus);
  EXPECT_EQ(aStatus, 1);
  EXPECT_EQ(aReport["tolerance"], 0.01);
  EXPECT_EQ(aReport["job"]["hits"], 7);
  EXPECT_EQ(aReport["job"]["contours"], 6);
  const Json& aDrill = aReport["checks"][0];
  EXPECT_EQ(aDrill["holes"], 7);
  EXPECT_EQ(aDrill["matched"], 7);
  EXPECT_EQ(aDrill["counts"],
            Json({{"missing", 0}, {"moved", 0}, {"diameter", 1}, {"extra", 0}, {"doubled", 0}}));
  const Json& aDiameter = aDrill["findings"][0];
  EXPECT_EQ(aDiameter["designTool"], Json({{"name", "T02"}, {"diameter", 1.0}}));
  EXPECT_EQ(aDiameter["jobTool"]["name"], "T01");
  EXPECT_NEAR(aDiameter["jobTool"]["diameter"].get<double>(), 0.8, 1.0e-6);
  const Json& aCopper = aReport["checks"][1];
  EXPECT_EQ(aCopper["features"], 12);
  ASSERT_EQ(aCopper["findings"].size(), 1u);
  const Json& aPlace = aCopper["findings"][0];
  EXPECT_EQ(aPlace["tool"], "Iso0.2");
  EXPECT_EQ(aPlace["phase"], "Isolation");
  // Along the trace (10..20), at 0.2 mm from its centre line: into the pads' reach on both sides.
  const double aReach = std::sqrt(0.89 * 0.89 - 0.2 * 0.2);
  EXPECT_NEAR(aPlace["length"].get<double>(), 10.0 + 2.0 * aReach, 0.005);
  EXPECT_NEAR(aPlace["box"][0][0].get<double>(), 10.0 - aReach, 0.005);
  EXPECT_NEAR(aCopper["foundLength"].get<double>(), aPlace["length"].get<double>(), 1.0e-9);
  EXPECT_EQ(aReport["checks"][2]["boardContours"], 1);
}

TEST_F(VexVerify_CliTest, TheTextReportSaysWhatWasComparedAndFound)
{
  const std::string aJob = MakeJob(Fault_Dropped);
  const Outcome     aRun =
      Vex({"verify", aJob, "--against", myDrill, "--against", "copper:" + myCopper});
  EXPECT_EQ(aRun.Status, 1);
  for (const char* aLine :
       {"Tolerance: 0.01 mm\n", "role drill, chosen from the content: holes only)\n",
        "  7 holes of 2 tools against 6 hits of 2 tools; 6 paired within 0.01 mm\n",
        "    missing   hole at (30.000, 20.000): no hit\n", "  Findings: 1 (1 missing)\n",
        "(role copper, given)\n",
        "  No findings: no path comes closer to copper than its tool radius less 0.01 mm\n",
        "\nResult: 1 finding\n"})
  {
    EXPECT_NE(aRun.Out.find(aLine), std::string::npos) << aLine << "\n" << aRun.Out;
  }
  // Only the cut-out selected: it keeps clear of the copper but isolates none of its islands.
  const Outcome aCutout = Vex(
      {"verify", MakeJob(Fault_Nudged), "--against", "copper:" + myCopper, "--phase", "Cutout"});
  EXPECT_EQ(aCutout.Status, 1) << aCutout.Out;
  for (const char* aLine :
       {"  No findings: no path comes closer to copper than its tool radius less 0.01 mm\n",
        "  Islands: 4 islands over the copper's box grown by 1 mm\n",
        "  Findings: 3 bridges between islands still joined after milling\n"})
  {
    EXPECT_NE(aCutout.Out.find(aLine), std::string::npos) << aLine << "\n" << aCutout.Out;
  }
  EXPECT_NE(aCutout.Out.find("of phases \"Cutout\" and layers (every one)"), std::string::npos)
      << aCutout.Out;
}

TEST_F(VexVerify_CliTest, BadInputGivesStatusTwoAndItsReason)
{
  const std::string aJob   = MakeJob(0);
  const std::string anOpen = MakeFile(
      "open.json",
      []
      {
        Document aDocument;
        aDocument.Add(aDocument.Sequence(aDocument.Aperture("D20", {0.1}), 1, 1, "", "Edge"),
                      Document::Segment(0, 0, 70, 0));
        return aDocument.Text();
      }());
  const std::string aNotANumber = MakeFile(
      "nan.json",
      []
      {
        Document aDocument;
        aDocument.Add(
            aDocument.Sequence(aDocument.Aperture("T01", {0.8}), 2, 1, "Drilling", "Drill"),
            {{"elements", Json::array({{{"kind", "point"}, {"at", {"nan", 1.0}}}})}});
        return aDocument.Text();
      }());
  const std::string aMissing = myDir + "/missing.json";
  // Found by fuzzing: 19,200 holes of 27 mm stacked on one spot, checked against themselves,
  // paired every hole with every hit and ran out of memory.
  const std::string aStacked =
      std::string(VEX_SOURCE_DIR) + "/tests/fixtures/verify/stacked-holes-ran-out-of-memory.drl";
  struct Case
  {
    const char*              Name;
    std::vector<std::string> Args;
    std::string              Err; //!< start of standard error
  };
  const Case aCases[] = {
      {"a job that does not open",
       {"verify", aMissing, "--against", myDrill},
       "Fail: VEX_CANT_OPEN_FILE"},
      {"a design that does not open",
       {"verify", aJob, "--against", "drill:" + aMissing},
       "Fail: VEX_CANT_OPEN_FILE"},
      {"a design that is not a model",
       {"verify", aJob, "--against", MakeFile("x.txt", "hello")},
       "Fail: VEX_HOST_NOT_MACHINE_FILE"},
      {"an unknown role",
       {"verify", aJob, "--against", "via:" + myDrill},
       "Fail: VEX_VERIFY_UNKNOWN_ROLE via:" + myDrill + " via\n"},
      {"a negative tolerance",
       {"verify", aJob, "--against", myDrill, "--tolerance", "-1"},
       "Fail: VEX_VERIFY_BAD_TOLERANCE -1\n"},
      {"a tolerance of 0",
       {"verify", aJob, "--against", myDrill, "--tolerance", "0"},
       "Fail: VEX_VERIFY_BAD_TOLERANCE 0\n"},
      {"a tolerance that is no number",
       {"verify", aJob, "--against", myDrill, "--tolerance", "abc"},
       ""},
      {"no design", {"verify", aJob}, ""},
      {"an outline that does not close",
       {"verify", aJob, "--against", "outline:" + anOpen},
       "Fail: VEX_VERIFY_OUTLINE_EMPTY " + anOpen + "\n"},
      {"a negative outline gap",
       {"verify", aJob, "--against", myDrill, "--outline-gap", "-0.5"},
       "Fail: VEX_VERIFY_BAD_OUTLINE_GAP -0.5\n"},
      {"an outline gap beyond 10 mm",
       {"verify", aJob, "--against", myDrill, "--outline-gap", "11"},
       "Fail: VEX_VERIFY_BAD_OUTLINE_GAP 11\n"},
      {"a design with a coordinate that is not a number",
       {"verify", aJob, "--against", aNotANumber},
       "Fail: VEX_VERIFY_OUT_OF_RANGE " + aNotANumber + "\n"},
      {"a drill tolerance beyond 1 mm",
       {"verify", aJob, "--against", myDrill, "--drill-tolerance", "2"},
       "Fail: VEX_VERIFY_BAD_DRILL_TOLERANCE 2\n"},
      {"holes stacked by the thousand",
       {"verify", aStacked, "--against", "drill:" + aStacked},
       "Fail: VEX_VERIFY_LIMIT_DRILL_PAIRS " + aStacked + " "},
  };
  for (const Case& aCase : aCases)
  {
    const Outcome aRun = Vex(aCase.Args);
    EXPECT_EQ(aRun.Status, 2) << aCase.Name << "\n" << aRun.Err;
    EXPECT_EQ(aRun.Out, "") << aCase.Name;
    EXPECT_EQ(aRun.Err.compare(0, aCase.Err.size(), aCase.Err), 0) << aCase.Name << "\n"
                                                                   << aRun.Err;
  }
}

namespace
{
//! The drill design of the holes of theDiameter only: the plated (0.8 mm) or non-plated (1 mm)
//! drill file of the board.
std::string drillFile(const double theDiameter, const char* theTool)
{
  Document     aDocument;
  const size_t aHoles =
      aDocument.Sequence(aDocument.Aperture(theTool, {theDiameter}), 2, 1, "Drilling", "Drill");
  for (const Drill& aHole : THE_HOLES)
  {
    if (aHole.Diameter == theDiameter)
    {
      aDocument.Add(aHoles, Document::Point(aHole.X, aHole.Y));
    }
  }
  return aDocument.Text();
}
} // namespace

TEST_F(VexVerify_CliTest, PlatedAndNonPlatedDrillFilesAreOneDrilling)
{
  // Both files name their tool T01: the report tells them apart by file.
  const std::string aPlated    = MakeFile("plated.json", drillFile(0.8, "T01"));
  const std::string aNonPlated = MakeFile("nonplated.json", drillFile(1.0, "T01"));
  struct Case
  {
    const char*                Name;
    int                        Faults;
    std::multiset<std::string> Findings;
  };
  const Case aCases[] = {
      {"every hole drilled", 0, {}},
      {"a plated hole left out, a non-plated one drilled with the plated tool",
       Fault_Dropped | Fault_Tool,
       {"drill missing 30.00 20.00", "drill diameter 40.00 20.00"}},
  };
  for (const Case& aCase : aCases)
  {
    const Outcome aRun = Vex({"verify", MakeJob(aCase.Faults), "--against", "drill:" + aPlated,
                              "drill:" + aNonPlated, "--json"});
    EXPECT_EQ(aRun.Status, aCase.Findings.empty() ? 0 : 1) << aCase.Name << aRun.Err;
    const Json aReport = Json::parse(aRun.Out);
    EXPECT_EQ(findings(aReport), aCase.Findings) << aCase.Name;
    ASSERT_EQ(aReport["checks"].size(), 1u) << aCase.Name;
    const Json& aCheck = aReport["checks"][0];
    EXPECT_EQ(aCheck["design"], aPlated + " + " + aNonPlated);
    EXPECT_EQ(aCheck["designs"], Json::array({aPlated, aNonPlated}));
    EXPECT_EQ(aCheck["holes"], 7);
    EXPECT_EQ(aCheck["tools"][0]["design"], aPlated);
    EXPECT_EQ(aCheck["tools"][1]["design"], aNonPlated);
  }
  const Outcome aText = Vex({"verify", MakeJob(0), "--against", aPlated, "--against", aNonPlated});
  EXPECT_EQ(aText.Status, 0) << aText.Out;
  for (const std::string& aLine :
       {"\nDrill check: " + aPlated + " + " + aNonPlated +
            " (role drill, chosen from the content: holes only)\n",
        std::string("  7 holes of 2 tools against 7 hits of 2 tools; 7 paired within 0.01 mm\n"),
        "  design tool \"T01\" 1 mm (" + aNonPlated + "): 2 holes, 2 paired\n"})
  {
    EXPECT_NE(aText.Out.find(aLine), std::string::npos) << aLine << "\n" << aText.Out;
  }
}

TEST_F(VexVerify_CliTest, AnOutlineAsACadProgramWritesItChecksCleanAgainstItself)
{
  // A 70 x 30 mm board drawn as separate draws of a 0.1 mm pen: a gap of 0.28 mm and one of
  // 0.025 mm, a corner where both lines stop short, a line that runs on past a corner, a line
  // ending on the middle of another, two lines overlapping.
  const std::string anOutline =
      MakeFile("edge.gbr", "%FSLAX46Y46*%%MOMM*%%ADD10C,0.100000*%D10*"
                           "X0Y0D02*X40000000Y0D01*X35000000Y0D02*X69975000Y0D01*"
                           "X70000000Y0D02*X70000000Y29720000D01*"
                           "X70500000Y30000000D02*X150000Y30000000D01*"
                           "X0Y29900000D02*X0Y15000000D01*X0Y20000000D02*X0Y0D01*M02*");
  const std::string aJob = myDir + "/edge.vex";
  ASSERT_EQ(Vex({"from-gerber", anOutline, "-o", aJob}).Status, 0);
  Outcome aRun = Vex({"verify", aJob, "--against", "outline:" + anOutline});
  EXPECT_EQ(aRun.Status, 0) << aRun.Out << aRun.Err;
  for (const char* aLine :
       {"a board of 1 closed contour or area\n",
        "  No findings: no path runs outside the board farther than its tool radius plus 0.01 mm\n",
        "  Note: 4 ends of outline lines met another line only across a gap and were joined to it, "
        "the widest gap 0.280 mm at (70.000, 29.720); gaps up to 0.300 mm are closed\n",
        "  Note: 1 ends of outline lines meet no other line within 0.300 mm, the first at "
        "(70.500, 30.000)\n"})
  {
    EXPECT_NE(aRun.Out.find(aLine), std::string::npos) << aLine << "\n" << aRun.Out;
  }
  // A narrower gap distance leaves the 0.28 mm gap open, and the board with it.
  aRun = Vex({"verify", aJob, "--against", "outline:" + anOutline, "--outline-gap", "0.2"});
  EXPECT_EQ(aRun.Status, 2);
  EXPECT_EQ(aRun.Err, "Fail: VEX_VERIFY_OUTLINE_EMPTY " + anOutline + "\n");
}

#endif
