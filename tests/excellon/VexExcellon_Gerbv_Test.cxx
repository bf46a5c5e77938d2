// Copyright (c) 2026 VexData developers
// Every Excellon file among the examples shipped with gerbv, read by our reader and compared
// with gerbv's own Excellon export of the same file, read back by our reader. Prints a table of
// the files with their holes, tools and agreement.
#include <VexExcellon_TestTools.hxx>
#include <VexTest_Messages.hxx>
#include <VexTest_Gerbv.hxx>

#include <VexExcellon_Reader.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

namespace
{
typedef std::vector<VexExcellon_TestHole> Holes;

//! Where the Debian package puts the examples.
const char THE_EXAMPLES[] = "/usr/share/doc/gerbv/examples";

//! Extensions under which design tools write drill files.
const char* const THE_EXTENSIONS[] = {".drl", ".drd", ".exc", ".ncd", ".cnc", ".tap", ".xln"};

//! gerbv writes inches with four decimals and diameters with three: half a step either way.
const double THE_POSITION_TOLERANCE = 0.00005 * 25.4 + 1e-9;
const double THE_DIAMETER_TOLERANCE = 0.0005 * 25.4 + 1e-9;

//! What is expected of an example.
enum Expect
{
  Expect_Agree,         //!< our holes are gerbv's
  Expect_AgreeButT0,    //!< gerbv refuses the definition of T0 and gives its holes the
                        //!< diameters of other tools; places and other diameters agree
  Expect_Routes,        //!< routes, which gerbv does not read (it reports them and makes holes
                        //!< of the moves); ours are routed paths and no holes
  Expect_GerbvMisreads, //!< gerbv reads the leading-zero numbers from the right; ours lie on the
                        //!< copper of the board's own Gerber layers
  Expect_Refused        //!< not an Excellon text file: our reader stops with a fault
};

//! The examples found, with what is expected of each (keyed by path under THE_EXAMPLES).
const std::map<std::string, std::pair<Expect, const char*>>& examples()
{
  static const std::map<std::string, std::pair<Expect, const char*>> THE_TABLE = {
      {"amacro-ref/jj1.drl", {Expect_Routes, "3"}},
      {"ekf2/drill0.exc", {Expect_AgreeButT0, NULL}},
      {"ekf2/drill1.exc", {Expect_AgreeButT0, NULL}},
      {"ekf2/drill20.exc", {Expect_AgreeButT0, NULL}},
      {"ekf2/drill30.exc", {Expect_AgreeButT0, NULL}},
      {"hellboard/hellboard.plated-drill.cnc", {Expect_Agree, NULL}},
      {"nollezappare/ThruHolePlated.ncd", {Expect_Agree, NULL}},
      {"numpres/numpres.pcb.output_plated-drill.grb", {Expect_Agree, NULL}},
      {"numpres/numpres.pcb.output_unplated-drill.grb", {Expect_Agree, NULL}},
      {"orcad/rs232_cm.drd", {Expect_Refused, "VEX_EXCELLON_GERBER_SYNTAX"}},
      {"orcad/thruhole.tap", {Expect_Agree, NULL}},
      {"protel-pnp/SE_SG_IF_V2.DRL", {Expect_Refused, "VEX_EXCELLON_NOT_TEXT"}},
      {"protel-pnp/SE_SG_IF_V2.TXT", {Expect_GerbvMisreads, NULL}},
  };
  return THE_TABLE;
}

//! Returns the example files that are drill files by our probe or by their extension.
std::set<std::string> findDrillFiles()
{
  std::set<std::string> aFound;
  std::error_code       anError;
  for (const auto& anEntry : std::filesystem::recursive_directory_iterator(THE_EXAMPLES, anError))
  {
    if (!anEntry.is_regular_file())
    {
      continue;
    }
    std::string anExtension = anEntry.path().extension().string();
    std::transform(anExtension.begin(), anExtension.end(), anExtension.begin(), ::tolower);
    const std::string aHead =
        VexExcellon_TestTools::Content(anEntry.path().string()).substr(0, 4096);
    if (VexExcellon_Reader::Probe(aHead.data(), aHead.size()) ||
        std::find(std::begin(THE_EXTENSIONS), std::end(THE_EXTENSIONS), anExtension) !=
            std::end(THE_EXTENSIONS))
    {
      aFound.insert(std::filesystem::relative(anEntry.path(), THE_EXAMPLES).string());
    }
  }
  return aFound;
}

//! One file read by our reader.
struct Reading
{
  bool IsOk;                         //!< read without fault
  Handle(PenFormatData_Model) Model; //!< what it made
  VexPcb_TransferReport Report;      //!< its report
};

//! Reads thePath with our reader.
Reading readFile(const std::string& thePath)
{
  Reading       aReading;
  std::ifstream aFile(thePath.c_str(), std::ios::binary);
  aReading.Model = new PenFormatData_Model();
  aReading.IsOk =
      VexExcellon_Reader::Read(aFile, VexPcb_ImportOptions(), *aReading.Model, aReading.Report);
  return aReading;
}

//! Returns the key and arguments of the fault of theReading.
std::string faultOf(const Reading& theReading)
{
  VexTest_MessageCapture aCapture;
  Message_Msg            aMessage(theReading.Report.Fault());
  aCapture.Messenger()->Send(aMessage.Get(), Message_Fail);
  const std::string aText = aCapture.Dump();
  return aText.substr(2, aText.size() - 3);
}

//! Returns the points drawn or flashed in the Gerber file thePath, in thousandths of an inch
//! (the files of the example that uses this are written with three decimals, leading zeros
//! left out).
std::set<std::pair<long, long>> copperPoints(const std::string& thePath)
{
  std::set<std::pair<long, long>> aPoints;
  std::istringstream              aText(VexExcellon_TestTools::Content(thePath));
  std::string                     aLine;
  long                            aXY[2] = {0, 0};
  while (std::getline(aText, aLine))
  {
    bool hasPoint = false;
    for (size_t aPos = 0; aPos < aLine.size(); ++aPos)
    {
      if ((aLine[aPos] == 'X' || aLine[aPos] == 'Y') && aLine[0] != '%')
      {
        aXY[aLine[aPos] == 'X' ? 0 : 1] = std::strtol(aLine.c_str() + aPos + 1, NULL, 10);
        hasPoint                        = true;
      }
    }
    if (hasPoint)
    {
      aPoints.insert(std::make_pair(aXY[0], aXY[1]));
    }
  }
  return aPoints;
}

//! Returns how many of theHoles lie on a point of the copper layers beside theFile.
size_t onCopper(const Holes& theHoles, const std::string& theFile)
{
  std::set<std::pair<long, long>> aCopper;
  for (const char* aLayer : {"SE_SG_IF_V2.GTL", "SE_SG_IF_V2.GBL"})
  {
    const auto aPoints = copperPoints(std::filesystem::path(theFile).parent_path() / aLayer);
    aCopper.insert(aPoints.begin(), aPoints.end());
  }
  size_t aCount = 0;
  for (const VexExcellon_TestHole& aHole : theHoles)
  {
    aCount +=
        aCopper.count(std::make_pair(std::lround(aHole.X / 0.0254), std::lround(aHole.Y / 0.0254)));
  }
  return aCount;
}

//! Returns the number of distinct tools of theHoles.
size_t toolCount(const Holes& theHoles)
{
  std::set<std::string> aTools;
  for (const VexExcellon_TestHole& aHole : theHoles)
  {
    aTools.insert(aHole.Tool);
  }
  return aTools.size();
}

//! Returns theHoles without those of tool T0.
Holes withoutT0(Holes theHoles)
{
  theHoles.erase(std::remove_if(theHoles.begin(), theHoles.end(),
                                [](const VexExcellon_TestHole& theHole)
                                { return theHole.Tool == "T00"; }),
                 theHoles.end());
  return theHoles;
}

//! Checks one example against its expectation; returns the agreement column of the table.
std::string checkExample(const std::string& theName, const Expect theExpect, const char* theNote,
                         const Reading& theOurs, const Holes& theGerbv, const std::string& theLog)
{
  if (theExpect == Expect_Refused)
  {
    // Not a drill file: a clear fault, nothing imported.
    EXPECT_FALSE(theOurs.IsOk) << theName;
    EXPECT_EQ(0, theOurs.Model->Objects().Extent()) << theName;
    EXPECT_EQ(0u, faultOf(theOurs).find(theNote)) << theName << ": " << faultOf(theOurs);
    return "refused: " + faultOf(theOurs);
  }
  EXPECT_TRUE(theOurs.IsOk) << theName << ": " << faultOf(theOurs);
  const Holes  anOurs = VexExcellon_TestTools::Holes(*theOurs.Model);
  const size_t aPlaces =
      VexExcellon_TestTools::Match(anOurs, theGerbv, THE_POSITION_TOLERANCE, 1e9);
  const size_t aSame = VexExcellon_TestTools::Match(anOurs, theGerbv, THE_POSITION_TOLERANCE,
                                                    THE_DIAMETER_TOLERANCE);
  switch (theExpect)
  {
  case Expect_Routes:
  {
    const int aRoutes =
        theOurs.Report.Count(VexPcb_TransferReport::Outcome_Toolpath, "routed paths");
    EXPECT_EQ(std::atoi(theNote), aRoutes) << theName;
    EXPECT_TRUE(anOurs.empty()) << theName;
    EXPECT_NE(std::string::npos, theLog.find("rout mode")) << theName << ": " << theLog;
    return std::to_string(aRoutes) + " routed paths; gerbv reads no routes";
  }
  case Expect_AgreeButT0:
  {
    const Holes  aKept     = withoutT0(anOurs);
    const size_t aKeptSame = VexExcellon_TestTools::Match(aKept, theGerbv, THE_POSITION_TOLERANCE,
                                                          THE_DIAMETER_TOLERANCE);
    EXPECT_EQ(anOurs.size(), aPlaces) << theName;
    EXPECT_EQ(theGerbv.size(), aPlaces) << theName;
    EXPECT_EQ(aKept.size(), aKeptSame) << theName;
    return "all " + std::to_string(aPlaces) + " places; diameters of the " +
           std::to_string(aKeptSame) + " not drilled with T0";
  }
  case Expect_GerbvMisreads:
  {
    const size_t aCopper = onCopper(anOurs, std::string(THE_EXAMPLES) + "/" + theName);
    EXPECT_EQ(anOurs.size(), aCopper) << theName;
    EXPECT_LT(aSame, anOurs.size()) << theName << ": gerbv reads it as we do now";
    return std::to_string(aSame) + " same: gerbv reads LZ numbers from the right; all " +
           std::to_string(aCopper) + " of ours on the board's copper";
  }
  default:
    EXPECT_EQ(anOurs.size(), aSame) << theName;
    EXPECT_EQ(theGerbv.size(), aSame) << theName;
    return "all " + std::to_string(aSame) + " same";
  }
}

TEST(VexExcellon_Gerbv, ExamplesAgree)
{
  if (!std::filesystem::is_directory(THE_EXAMPLES) || !VexExcellon_TestTools::HasGerbv())
  {
    VEX_TEST_SKIP_WITHOUT_GERBV()
        << "gerbv or its examples are not installed (scripts/install-deps.sh installs "
           "them); the comparison with gerbv did not run";
  }
  VexTest_MessageCapture::RegisterCatalogue();
  const std::set<std::string> aFound = findDrillFiles();
  std::set<std::string>       anExpected;
  for (const auto& anExample : examples())
  {
    anExpected.insert(anExample.first);
  }
  EXPECT_EQ(anExpected, aFound) << "the examples changed: complete the table";

  char aLine[512];
  std::snprintf(aLine, sizeof(aLine), "| %-46s | %5s | %5s | %6s | %5s | %5s | %s\n", "file",
                "holes", "tools", "routes", "gerbv", "tools", "agreement");
  std::string aTable = aLine;
  for (const std::string& aName : aFound)
  {
    const auto anExample = examples().find(aName);
    if (anExample == examples().end())
    {
      continue;
    }
    const std::string aPath      = std::string(THE_EXAMPLES) + "/" + aName;
    const std::string anOut      = VexExcellon_TestTools::Scratch() + "/gerbv.drl";
    const std::string aStderr    = VexExcellon_TestTools::GerbvExport(aPath, anOut);
    const Reading     aGerbvRead = readFile(anOut);
    const Holes       aGerbv =
        aGerbvRead.IsOk ? VexExcellon_TestTools::Holes(*aGerbvRead.Model) : Holes();
    const Reading     anOurs      = readFile(aPath);
    const std::string anAgreement = checkExample(aName, anExample->second.first,
                                                 anExample->second.second, anOurs, aGerbv, aStderr);
    const Holes       anOurHoles  = VexExcellon_TestTools::Holes(*anOurs.Model);
    const int aPaths = anOurs.Report.Count(VexPcb_TransferReport::Outcome_Toolpath, "slots") +
                       anOurs.Report.Count(VexPcb_TransferReport::Outcome_Toolpath, "routed paths");
    std::snprintf(aLine, sizeof(aLine), "| %-46s | %5zu | %5zu | %6d | %5zu | %5zu | %s%s\n",
                  aName.c_str(), anOurHoles.size(), toolCount(anOurHoles), aPaths, aGerbv.size(),
                  toolCount(aGerbv), anAgreement.c_str(), aStderr.empty() ? "" : "; gerbv warned");
    aTable += aLine;
  }
  std::cout << aTable;
}
} // namespace
