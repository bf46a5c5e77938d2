// Copyright (c) 2026 VexData developers
// A job made with vex from a real board among gerbv's examples (protel-pnp: its Excellon drill
// file, top copper and mechanical layer): drilling from the drill file, the contour cut from the
// board profile, and isolation-like paths running beside traces, clear of all copper. Checked
// against its own design, it has no finding; with one hole moved, one dropped, one drilled with
// another tool and one path nudged into copper, the check names exactly those four.
#include <VexTest_Gerbv.hxx>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
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

//! The example board.
const std::string THE_BOARD = "/usr/share/doc/gerbv/examples/protel-pnp/SE_SG_IF_V2";

//! The isolation tool: its width, the gap it keeps from copper (mm), and how far the path is
//! nudged into copper (its edge then lies this much inside, past the check's tolerance).
const double THE_TOOL = 0.2, THE_GAP = 0.1, THE_INTO = 0.05;

//! Traces shorter than this get no isolation path (mm); paths stop this short of their ends.
const double THE_SHORTEST = 4.0, THE_END_MARGIN = 1.0;

//! Isolation paths in the job.
const size_t THE_PATHS = 12;

//! A plane point.
typedef std::array<double, 2> Point;

//! A rectangle around a copper feature: no copper lies outside it.
struct Box
{
  double MinX, MinY, MaxX, MaxY;
  size_t Element; //!< the element it was made from
};

//! An isolation path: a segment beside a trace, and its way back to that trace.
struct Path
{
  Point Start, End;
  Point Inward; //!< unit vector toward the trace
};

//! Returns the distance from thePoint to the segment theA-theB.
double distanceToSegment(const Point& thePoint, const Point& theA, const Point& theB)
{
  const double aDx = theB[0] - theA[0], aDy = theB[1] - theA[1];
  const double aLength2 = aDx * aDx + aDy * aDy;
  const double aT =
      aLength2 == 0.0
          ? 0.0
          : std::clamp(((thePoint[0] - theA[0]) * aDx + (thePoint[1] - theA[1]) * aDy) / aLength2,
                       0.0, 1.0);
  return std::hypot(theA[0] + aT * aDx - thePoint[0], theA[1] + aT * aDy - thePoint[1]);
}

//! Returns true when the segments theA-theB and theC-theD cross.
bool cross(const Point& theA, const Point& theB, const Point& theC, const Point& theD)
{
  auto aSide = [](const Point& theO, const Point& theP, const Point& theQ)
  { return (theP[0] - theO[0]) * (theQ[1] - theO[1]) - (theP[1] - theO[1]) * (theQ[0] - theO[0]); };
  return aSide(theA, theB, theC) * aSide(theA, theB, theD) < 0.0 &&
         aSide(theC, theD, theA) * aSide(theC, theD, theB) < 0.0;
}

//! Returns the distance from the segment theA-theB to theBox (0 when they meet).
double distanceToBox(const Point& theA, const Point& theB, const Box& theBox)
{
  auto isIn = [&theBox](const Point& theP)
  {
    return theP[0] >= theBox.MinX && theP[0] <= theBox.MaxX && theP[1] >= theBox.MinY &&
           theP[1] <= theBox.MaxY;
  };
  const Point aCorners[4] = {{theBox.MinX, theBox.MinY},
                             {theBox.MaxX, theBox.MinY},
                             {theBox.MaxX, theBox.MaxY},
                             {theBox.MinX, theBox.MaxY}};
  if (isIn(theA) || isIn(theB))
  {
    return 0.0;
  }
  double aDistance = HUGE_VAL;
  for (int aSide = 0; aSide < 4; ++aSide)
  {
    const Point& aC = aCorners[aSide];
    const Point& aD = aCorners[(aSide + 1) % 4];
    if (cross(theA, theB, aC, aD))
    {
      return 0.0;
    }
    aDistance = std::min({aDistance, distanceToSegment(aC, theA, theB),
                          distanceToSegment(theA, aC, aD), distanceToSegment(theB, aC, aD)});
  }
  return aDistance;
}

//! Returns how far copper drawn by aperture theNumber of theDesign reaches from its centre line
//! or point: half the diameter of a circle, half the diagonal of other shapes.
double reachOf(const Json& theDesign, const int theNumber)
{
  for (const Json& anAperture : theDesign["apertures"])
  {
    if (!anAperture.is_null() && anAperture["number"] == theNumber)
    {
      const std::vector<double> aParams = anAperture["params"];
      if (aParams.empty())
      {
        return 0.0;
      }
      return anAperture["shape"] == 1
                 ? 0.5 * aParams[0]
                 : 0.5 * std::hypot(aParams[0], aParams.size() > 1 ? aParams[1] : aParams[0]);
    }
  }
  return 0.0;
}

//! Returns a box around every element of theDesign's dark sequences (clear ones only take copper
//! away, so leaving them out keeps the boxes around all copper), numbered in document order.
std::vector<Box> copperBoxes(const Json& theDesign)
{
  std::vector<Box> aBoxes;
  for (const Json& anObject : theDesign["objects"])
  {
    if (anObject.value("clear", false) || anObject["type"] != "sequence")
    {
      continue;
    }
    const double aReach =
        anObject.value("area", false) ? 0.0 : reachOf(theDesign, anObject["aperture"]);
    for (const Json& aContour : anObject["contours"])
    {
      for (const Json& anElement : aContour["elements"])
      {
        Box  aBox = {HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL, aBoxes.size()};
        auto add  = [&aBox](const double theX, const double theY, const double theRadius)
        {
          aBox.MinX = std::min(aBox.MinX, theX - theRadius);
          aBox.MinY = std::min(aBox.MinY, theY - theRadius);
          aBox.MaxX = std::max(aBox.MaxX, theX + theRadius);
          aBox.MaxY = std::max(aBox.MaxY, theY + theRadius);
        };
        if (anElement["kind"] == "point")
        {
          add(anElement["at"][0], anElement["at"][1], aReach);
        }
        else if (anElement["kind"] == "segment")
        {
          add(anElement["start"][0], anElement["start"][1], aReach);
          add(anElement["end"][0], anElement["end"][1], aReach);
        }
        else // an arc lies within its circle
        {
          add(anElement["center"][0], anElement["center"][1],
              anElement["radius"].get<double>() + aReach);
        }
        aBoxes.push_back(aBox);
      }
    }
  }
  return aBoxes;
}

//! Returns paths beside the straight traces of theDesign, inside theBoard (MinX, MinY, MaxX, MaxY),
//! each keeping more than THE_GAP from every copper box but its own trace's, at most theCount of
//! them spread over the candidates.
std::vector<Path> isolationPaths(const Json& theDesign, const std::array<double, 4>& theBoard,
                                 const size_t theCount)
{
  const std::vector<Box> aBoxes = copperBoxes(theDesign);
  std::vector<Path>      aPaths;
  size_t                 anElement = 0;
  for (const Json& anObject : theDesign["objects"])
  {
    // Elements are numbered as copperBoxes() numbers them.
    if (anObject.value("clear", false) || anObject["type"] != "sequence")
    {
      continue;
    }
    const bool   isTrace = anObject["toolpath"] != 0 && anObject["mode"] == 1;
    const double aHalf   = isTrace ? reachOf(theDesign, anObject["aperture"]) : 0.0;
    for (const Json& aContour : anObject["contours"])
    {
      for (const Json& aSegment : aContour["elements"])
      {
        const size_t anOwn = anElement++;
        if (!isTrace || aSegment["kind"] != "segment")
        {
          continue;
        }
        const Point  aStart = aSegment["start"], anEnd = aSegment["end"];
        const double aLength = std::hypot(anEnd[0] - aStart[0], anEnd[1] - aStart[1]);
        if (aLength < THE_SHORTEST)
        {
          continue;
        }
        const Point  aU = {(anEnd[0] - aStart[0]) / aLength, (anEnd[1] - aStart[1]) / aLength};
        const double anOffset = aHalf + 0.5 * THE_TOOL + THE_GAP;
        for (const double aSide : {1.0, -1.0})
        {
          const Point aN = {-aU[1] * aSide, aU[0] * aSide};
          Path        aPath;
          aPath.Start  = {aStart[0] + aU[0] * THE_END_MARGIN + aN[0] * anOffset,
                          aStart[1] + aU[1] * THE_END_MARGIN + aN[1] * anOffset};
          aPath.End    = {anEnd[0] - aU[0] * THE_END_MARGIN + aN[0] * anOffset,
                          anEnd[1] - aU[1] * THE_END_MARGIN + aN[1] * anOffset};
          aPath.Inward = {-aN[0], -aN[1]};
          bool isClear = true;
          for (const Point& anEnd2 : {aPath.Start, aPath.End})
          {
            isClear = isClear && anEnd2[0] > theBoard[0] + 1.0 && anEnd2[1] > theBoard[1] + 1.0 &&
                      anEnd2[0] < theBoard[2] - 1.0 && anEnd2[1] < theBoard[3] - 1.0;
          }
          for (size_t aBox = 0; aBox < aBoxes.size() && isClear; ++aBox)
          {
            isClear =
                aBoxes[aBox].Element == anOwn ||
                distanceToBox(aPath.Start, aPath.End, aBoxes[aBox]) > 0.5 * THE_TOOL + THE_GAP;
          }
          if (isClear)
          {
            aPaths.push_back(aPath);
          }
        }
      }
    }
  }
  std::vector<Path> aChosen;
  for (size_t anIndex = 0; anIndex < theCount && !aPaths.empty(); ++anIndex)
  {
    aChosen.push_back(aPaths[anIndex * aPaths.size() / theCount]);
  }
  return aChosen;
}

//! Returns the Gerber file of thePaths (millimetres, format 3.6, one round aperture), the path
//! theNudged moved toward its trace so that the tool cuts THE_INTO into the copper.
std::string isolationGerber(const std::vector<Path>& thePaths, const size_t theNudged)
{
  std::ostringstream aText;
  aText << "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C," << THE_TOOL << "*%\nD10*\n";
  for (size_t anIndex = 0; anIndex < thePaths.size(); ++anIndex)
  {
    const double aMove = anIndex == theNudged ? THE_GAP + THE_INTO : 0.0;
    const Path&  aPath = thePaths[anIndex];
    for (const std::pair<Point, const char*>& anEnd :
         {std::make_pair(aPath.Start, "D02"), std::make_pair(aPath.End, "D01")})
    {
      aText << "X" << std::llround((anEnd.first[0] + aPath.Inward[0] * aMove) * 1.0e6) << "Y"
            << std::llround((anEnd.first[1] + aPath.Inward[1] * aMove) * 1.0e6) << anEnd.second
            << "*\n";
    }
  }
  aText << "M02*\n";
  return aText.str();
}

//! Appends the apertures and sequences of theDocument to theJob, the apertures renumbered after
//! the job's; only sequences drawn with an aperture named theOnly when it is not empty.
void merge(Json& theJob, const Json& theDocument, const std::string& theOnly = "")
{
  std::map<int, int> aNumbers;
  for (const Json& anAperture : theDocument["apertures"])
  {
    if (anAperture.is_null() || (!theOnly.empty() && anAperture["name"] != theOnly))
    {
      continue;
    }
    Json aCopy                     = anAperture;
    aCopy["number"]                = static_cast<int>(theJob["apertures"].size()) + 1;
    aNumbers[anAperture["number"]] = aCopy["number"];
    theJob["apertures"].push_back(aCopy);
  }
  for (const Json& anObject : theDocument["objects"])
  {
    if (anObject["type"] == "sequence" && aNumbers.count(anObject["aperture"]) != 0)
    {
      Json aCopy        = anObject;
      aCopy["aperture"] = aNumbers[anObject["aperture"]];
      theJob["objects"].push_back(aCopy);
    }
  }
  for (const Json& aLayer : theDocument["layers"])
  {
    bool isListed = false;
    for (const Json& anOther : theJob["layers"])
    {
      isListed = isListed || anOther["name"] == aLayer["name"];
    }
    if (!isListed)
    {
      theJob["layers"].push_back(aLayer);
    }
  }
}

//! Returns the drilling sequence of theJob drawn with the aperture named theTool.
Json& drilling(Json& theJob, const std::string& theTool)
{
  int aNumber = 0;
  for (const Json& anAperture : theJob["apertures"])
  {
    aNumber = !anAperture.is_null() && anAperture["name"] == theTool
                  ? anAperture["number"].get<int>()
                  : aNumber;
  }
  for (Json& anObject : theJob["objects"])
  {
    if (anObject["type"] == "sequence" && anObject["mode"] == 2 && anObject["aperture"] == aNumber)
    {
      return anObject;
    }
  }
  throw std::runtime_error("no drilling with " + theTool);
}

//! Returns "x y" of thePoint to 0.01 mm.
std::string place(const Json& thePoint)
{
  char aText[64];
  std::snprintf(aText, sizeof(aText), "%.2f %.2f", thePoint[0].get<double>(),
                thePoint[1].get<double>());
  return aText;
}

//! Returns every finding of theReport as "role kind x y" (the hole or the place).
std::multiset<std::string> findings(const Json& theReport)
{
  std::multiset<std::string> aFindings;
  for (const Json& aCheck : theReport["checks"])
  {
    for (const Json& aFinding : aCheck["findings"])
    {
      aFindings.insert(aCheck["role"].get<std::string>() + " " +
                       aFinding["kind"].get<std::string>() + " " +
                       place(aFinding.contains("at") ? aFinding["at"] : aFinding["hole"]));
    }
  }
  return aFindings;
}

class VexHost_ExampleJobTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char aTemplate[] = "/tmp/vexexamplejobXXXXXX";
    ASSERT_NE(::mkdtemp(aTemplate), nullptr);
    myDir = aTemplate;
  }

  void TearDown() override { std::system(("rm -rf '" + myDir + "'").c_str()); }

  //! Runs vex with theArgs; returns its exit status, standard output in theOut.
  int Vex(const std::vector<std::string>& theArgs, std::string& theOut)
  {
    std::string aCommand = std::string("'") + VEX_HOST_PATH + "'";
    for (const std::string& anArg : theArgs)
    {
      aCommand += " '" + anArg + "'";
    }
    aCommand += " >'" + myDir + "/.out' 2>'" + myDir + "/.err' </dev/null";
    const int          aRaw = std::system(aCommand.c_str());
    std::ifstream      aFile(myDir + "/.out");
    std::ostringstream aText;
    aText << aFile.rdbuf();
    theOut = aText.str();
    return WIFEXITED(aRaw) ? WEXITSTATUS(aRaw) : -1;
  }

  //! Imports theFile with theCommand (and theOptions) into a document and returns it.
  Json Import(const std::string& theCommand, const std::string& theFile,
              const std::vector<std::string>& theOptions = {})
  {
    const std::string        aPath  = myDir + "/import.json";
    std::vector<std::string> anArgs = {theCommand, theFile, "--json", "-o", aPath};
    anArgs.insert(anArgs.end(), theOptions.begin(), theOptions.end());
    std::string anOut;
    EXPECT_EQ(Vex(anArgs, anOut), 0) << theCommand << " " << theFile;
    std::ifstream aFile(aPath);
    return Json::parse(aFile, nullptr, false);
  }

  //! Writes theJob as a machine file through from-json, checks it against the board's designs
  //! and returns the report; its exit status goes to theStatus.
  Json Verify(const Json& theJob, int& theStatus)
  {
    std::ofstream(myDir + "/job.json") << theJob.dump();
    std::string anOut;
    EXPECT_EQ(Vex({"from-json", myDir + "/job.json", myDir + "/job.vex"}, anOut), 0);
    theStatus = Vex({"verify", myDir + "/job.vex", "--against", "drill:" + THE_BOARD + ".TXT",
                     "--against", "copper:" + THE_BOARD + ".GTL", "--against",
                     "outline:" + THE_BOARD + ".GM1", "--json", "--limit", "0",
                     // A few isolation paths, not meant to isolate the board's islands.
                     "--no-bridges"},
                    anOut);
    return Json::parse(anOut, nullptr, false);
  }

  std::string myDir; //!< scratch folder
};
} // namespace

TEST_F(VexHost_ExampleJobTest, AJobMadeFromAnExampleBoardShowsExactlyThePlantedFaults)
{
  if (!std::filesystem::exists(THE_BOARD + ".TXT"))
  {
    VEX_TEST_SKIP_WITHOUT_GERBV()
        << "gerbv's examples are not installed (scripts/install-deps.sh installs them)";
  }
  // The board profile is the thin rectangle of the mechanical layer (its title is left out).
  const Json aDrill   = Import("from-drill", THE_BOARD + ".TXT");
  const Json aProfile = Import("from-gerber", THE_BOARD + ".GM1", {"--phase", "Outline"});
  const Json aCopper  = Import("from-gerber", THE_BOARD + ".GTL");
  ASSERT_FALSE(aDrill.is_discarded() || aProfile.is_discarded() || aCopper.is_discarded());
  const std::vector<Path> aPaths =
      isolationPaths(aCopper, {0.0, 0.0, 105.0036, 105.0036}, THE_PATHS);
  ASSERT_EQ(aPaths.size(), THE_PATHS) << "too few traces with room beside them";

  for (const bool isFaulty : {false, true})
  {
    SCOPED_TRACE(isFaulty ? "four faults planted" : "the job as made");
    std::ofstream(myDir + "/isolation.gbr") << isolationGerber(aPaths, isFaulty ? 3 : THE_PATHS);
    Json aJob = aDrill;
    merge(aJob, aProfile, "D58");
    merge(aJob, Import("from-gerber", myDir + "/isolation.gbr", {"--phase", "Isolation"}));
    std::multiset<std::string> anExpected;
    if (isFaulty)
    {
      // A hole moved by 0.2 mm, a hole dropped, a hole drilled with the 3 mm tool.
      Json& aMoved = drilling(aJob, "T05")["contours"][0]["elements"][0]["at"];
      anExpected.insert("drill moved " + place(aMoved));
      aMoved[0]      = aMoved[0].get<double>() + 0.2;
      Json& aDropped = drilling(aJob, "T01")["contours"];
      anExpected.insert("drill missing " + place(aDropped[0]["elements"][0]["at"]));
      aDropped.erase(0);
      Json& aChanged = drilling(aJob, "T06")["contours"];
      anExpected.insert("drill diameter " + place(aChanged[0]["elements"][0]["at"]));
      drilling(aJob, "T09")["contours"].push_back(aChanged[0]);
      aChanged.erase(0);
    }
    int        aStatus = -1;
    const Json aReport = Verify(aJob, aStatus);
    // VEX_EXAMPLE_JOB_DIR keeps the jobs (the README's overlay picture is drawn from one).
    if (const char* aKeep = std::getenv("VEX_EXAMPLE_JOB_DIR"))
    {
      std::filesystem::copy_file(myDir + "/job.vex",
                                 std::string(aKeep) + (isFaulty ? "/faulty.vex" : "/job.vex"),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    ASSERT_FALSE(aReport.is_discarded());
    EXPECT_EQ(aStatus, isFaulty ? 1 : 0);
    ASSERT_EQ(aReport["checks"].size(), 3u);
    const Json& aCopperCheck = aReport["checks"][1];
    EXPECT_EQ(aCopperCheck["contours"], THE_PATHS + 4); // and the four sides of the profile
    std::multiset<std::string> aFound = findings(aReport);
    if (isFaulty)
    {
      // The nudged path is in copper along its whole length.
      ASSERT_EQ(aCopperCheck["findings"].size(), 1u);
      const Json& aPlace = aCopperCheck["findings"][0];
      const Path& aPath  = aPaths[3];
      EXPECT_NEAR(aPlace["length"].get<double>(),
                  std::hypot(aPath.End[0] - aPath.Start[0], aPath.End[1] - aPath.Start[1]), 0.02);
      aFound.erase(aFound.find("copper copper " + place(aPlace["at"])));
    }
    EXPECT_EQ(aFound, anExpected);
    EXPECT_EQ(aReport["findings"], isFaulty ? 4 : 0);
  }
}

#endif
