// Copyright (c) 2026 VexData developers
// The Gerber files shipped with gerbv's examples, read by us and compared with gerbv's own
// reading of them: every file our Probe claims imports without a fault (or, where gerbv itself
// reports the file as broken, stops with our message), and our import of gerbv's RS-274X export
// of the file has the same toolpaths (coordinates within 0.1 um, widths within gerbv's aperture
// precision of 1.27 um) and the same dark and clear area (within 0.1 % and 1e-4 mm2).
#include <VexGerber_TestModel.hxx>
#include <VexTest_Gerbv.hxx>

#include <gtest/gtest.h>

#include <filesystem>
#include <iomanip>
#include <iostream>

#include <unistd.h>

using namespace VexGerber_TestModel;

namespace
{
//! The toolpath features of theModel (strokes and points, areas left out).
std::vector<Feature> toolpaths(const PenFormatData_Model& theModel)
{
  std::vector<Feature> aFeatures = Features(theModel);
  aFeatures.erase(std::remove_if(aFeatures.begin(), aFeatures.end(),
                                 [](const Feature& theFeature) { return theFeature.Area; }),
                  aFeatures.end());
  return aFeatures;
}

//! Dark and clear area of theModel.
std::pair<double, double> areas(const PenFormatData_Model& theModel)
{
  std::pair<double, double> aTotals(0.0, 0.0);
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(theModel))
  {
    if (aSequence->IsArea())
    {
      (aSequence->IsClear() ? aTotals.second : aTotals.first) += Area(*aSequence);
    }
  }
  return aTotals;
}

//! Returns theText without its step-and-repeat commands (%SR...*%).
std::string withoutStepRepeat(const std::string& theText)
{
  std::string aResult;
  for (size_t aPos = 0; aPos < theText.size();)
  {
    const size_t aStart = theText.find("%SR", aPos);
    if (aStart == std::string::npos)
    {
      aResult += theText.substr(aPos);
      break;
    }
    aResult += theText.substr(aPos, aStart - aPos);
    const size_t anEnd = theText.find('%', aStart + 1);
    aPos               = anEnd == std::string::npos ? theText.size() : anEnd + 1;
  }
  return aResult;
}

//! Returns "" when both areas agree within 0.1 % and 1e-4 mm2.
std::string compareArea(const char* theWhat, const double theOurs, const double theTheirs)
{
  if (std::abs(theOurs - theTheirs) <= 1.0e-4 + 1.0e-3 * std::abs(theOurs))
  {
    return std::string();
  }
  return std::string(theWhat) + " area " + std::to_string(theOurs) + " and " +
         std::to_string(theTheirs);
}

//! Reads theExample, has gerbv export it, reads the export and compares; returns the outcome
//! for the table, "" or the difference in theDifference.
std::string check(const GerbvExample& theExample, std::string& theDifference)
{
  Read        anOurs;
  std::string aText = FileText(theExample.Path);
  ReadText(aText, anOurs);
  // One name per process: test runs of several build trees may overlap on one machine.
  const std::string anExport =
      ::testing::TempDir() + "vexgerber-example-" + std::to_string(getpid()) + ".gbr";
  std::string aPrinted;
  const int   aStatus  = ExportWithGerbv(theExample.Path, anExport, aPrinted);
  const bool  isBroken = aStatus != 0 || aPrinted.find("CRITICAL") != std::string::npos;
  if (!anOurs.Ok)
  {
    if (!isBroken)
    {
      theDifference = "we refuse a file gerbv reads: " + anOurs.Capture.Dump();
    }
    const std::string aKey =
        anOurs.Capture.Messages().empty() ? "?" : anOurs.Capture.Messages()[0].Key;
    return "refused, line " + std::to_string(anOurs.Report.FaultLine()) + " " + aKey +
           (isBroken ? " (gerbv: broken too)" : "");
  }
  Read              aTheirs;
  const std::string anExported = FileText(anExport);
  ReadText(anExported, aTheirs);
  // gerbv's export writes one copy of a step-and-repeat block (and no %SR): compare with our
  // reading of the file without its %SR commands (the copies are checked by the unit tests).
  std::string aNote = isBroken ? " (gerbv complains)" : "";
  Read        aSingle;
  if (aText.find("%SR") != std::string::npos && anExported.find("%SR") == std::string::npos)
  {
    ReadText(withoutStepRepeat(aText), aSingle);
    aNote += " (gerbv's export drops step and repeat: compared without it)";
  }
  const Read& aCompared = aSingle.Model.IsNull() ? anOurs : aSingle;
  // In single-quadrant mode a short arc may fit two of the four possible centres; we take the
  // one whose radii at both ends differ least, gerbv the first that fits.
  const bool isSingleQuadrant = aText.find("G74") != std::string::npos;
  if (isSingleQuadrant)
  {
    aNote += " (single-quadrant arcs: centres within 20 um)";
  }
  unlink(anExport.c_str());
  if (!aTheirs.Ok)
  {
    theDifference = "gerbv's export does not read: " + aTheirs.Capture.Dump();
    return "export refused";
  }
  // Flashes of shapes other than circles compare as the outlines they cover.
  const Handle(PenFormatData_Model) anOurModel  = Outlined(*aCompared.Model),
                                    aTheirModel = Outlined(*aTheirs.Model);
  const std::vector<Feature> aFeatures          = toolpaths(*anOurModel);
  theDifference = CompareFeatures(aFeatures, toolpaths(*aTheirModel), 1.0e-4, 0.0000501 * 25.4,
                                  isSingleQuadrant ? 0.02 : 1.0e-4);
  const std::pair<double, double> anAreas = areas(*anOurModel), aTheirAreas = areas(*aTheirModel);
  if (theDifference.empty())
  {
    theDifference = compareArea("dark", anAreas.first, aTheirAreas.first);
  }
  if (theDifference.empty())
  {
    theDifference = compareArea("clear", anAreas.second, aTheirAreas.second);
  }
  std::ostringstream anOutcome;
  const Handle(PenFormatData_Model) anAllModel = Outlined(*anOurs.Model);
  const std::pair<double, double> anAll        = areas(*anAllModel);
  anOutcome << "imported: " << toolpaths(*anAllModel).size() << " toolpath elements, dark area "
            << std::fixed << std::setprecision(2) << anAll.first << " mm2, clear " << anAll.second
            << " mm2" << aNote;
  return anOutcome.str();
}
} // namespace

TEST(VexGerber_Examples, GerbvExamplesImportLikeGerbvReadsThem)
{
  if (!HasGerbv() || !std::filesystem::exists(THE_GERBV_EXAMPLES))
  {
    VEX_TEST_SKIP_WITHOUT_GERBV()
        << "gerbv or its examples are not installed (scripts/install-deps.sh installs "
           "them): skipped";
  }
  int aChecked = 0;
  std::cout
      << "| example file | Gerber | round apertures only | our import | same as gerbv's export |\n"
         "|---|---|---|---|---|\n";
  // The sanitizer build checks every fifth Gerber file: the same code, at a tenth of the time.
  for (const GerbvExample& anExample : ListGerbvExamples(IsSanitized() ? 5 : 1))
  {
    if (!anExample.IsGerber)
    {
      std::cout << "| " << anExample.Name << " | no | - | - | - |\n";
      continue;
    }
    std::string       aDifference;
    const std::string anOutcome = check(anExample, aDifference);
    std::cout << "| " << anExample.Name << " | yes | "
              << (anExample.Imports ? (anExample.RoundOnly ? "yes" : "no") : "-") << " | "
              << anOutcome << " | " << (aDifference.empty() ? "yes" : aDifference) << " |\n";
    EXPECT_EQ(aDifference, "") << anExample.Name;
    ++aChecked;
  }
  EXPECT_GT(aChecked, IsSanitized() ? 10 : 50);
}
