// Copyright (c) 2026 VexData developers
// Reports of the job-against-design check: a limit shortens the lists but
// never the counts, and the JSON document says what the text says.
#include <VexVerify_TestModel.hxx>

#include <VexVerify_ReportWriter.hxx>
#include <VexVerify_Verifier.hxx>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace
{
//! A report of a drill design of five holes checked against a job that drills none of them, and
//! of an outline the job's one path leaves.
VexVerify_Report report()
{
  VexVerify_TestModel     aDrills;
  PenFormatData_Sequence& aHoles = aDrills.Points(aDrills.Aperture("T01", {0.8}));
  for (int anIndex = 0; anIndex < 5; ++anIndex)
  {
    aDrills.Point(aHoles, anIndex, 0.0);
  }
  VexVerify_TestModel anOutline;
  anOutline.Rectangle(anOutline.Area(), gp_XY(0, 0), gp_XY(10, 10));
  VexVerify_TestModel aJob;
  aJob.Line(aJob.Paths(aJob.Aperture("Mill", {1.0}), "Cutout", "Edge"),
            {gp_XY(5, 5), gp_XY(5, 15)});
  NCollection_Sequence<VexVerify_Design> aDesigns;
  aDesigns.Append(VexVerify_Design("d.drl", aDrills.Model(), VexVerify_Design::Role_Drill,
                                   Standard_False, "holes only"));
  aDesigns.Append(VexVerify_Design("e.gbr", anOutline.Model(), VexVerify_Design::Role_Outline,
                                   Standard_True, ""));
  VexVerify_Report aReport;
  EXPECT_TRUE(VexVerify_Verifier(VexVerify_Verifier::Options())
                  .Perform(aJob.Model(), "job.vex", aDesigns, aReport));
  return aReport;
}
} // namespace

TEST(VexVerify_ReportTest, ALimitShortensTheListsNotTheCounts)
{
  const VexVerify_Report aReport = report();
  struct Case
  {
    int         Limit;
    size_t      Listed;
    const char* More;
  };
  const Case aCases[] = {{0, 5, nullptr},
                         {100, 5, nullptr},
                         {2, 2, "    ... and 3 more (--limit 0 lists every one)\n"}};
  for (const Case& aCase : aCases)
  {
    std::ostringstream aText, aJson;
    ASSERT_TRUE(VexVerify_ReportWriter(aCase.Limit).WriteText(aReport, aText));
    ASSERT_TRUE(VexVerify_ReportWriter(aCase.Limit).WriteJson(aReport, aJson));
    const nlohmann::json aDocument = nlohmann::json::parse(aJson.str());
    EXPECT_EQ(aDocument["checks"][0]["findings"].size(), aCase.Listed) << aCase.Limit;
    EXPECT_EQ(aDocument["checks"][0]["total"], 5) << aCase.Limit;
    EXPECT_EQ(aDocument["checks"][0]["counts"]["missing"], 5) << aCase.Limit;
    EXPECT_EQ(aDocument["findings"], 6) << aCase.Limit;
    size_t aLines = 0;
    for (size_t aPos = aText.str().find("    missing "); aPos != std::string::npos;
         aPos        = aText.str().find("    missing ", aPos + 1))
    {
      ++aLines;
    }
    EXPECT_EQ(aLines, aCase.Listed) << aCase.Limit;
    EXPECT_EQ(aText.str().find("... and") != std::string::npos, aCase.More != nullptr)
        << aCase.Limit;
    if (aCase.More != nullptr)
    {
      EXPECT_NE(aText.str().find(aCase.More), std::string::npos) << aText.str();
    }
    EXPECT_NE(aText.str().find("  Findings: 5 (5 missing)\n"), std::string::npos) << aText.str();
    EXPECT_NE(aText.str().find("\nResult: 6 findings\n"), std::string::npos) << aText.str();
  }
}

TEST(VexVerify_ReportTest, APathFindingNamesItsPlaceAndPath)
{
  std::ostringstream     aText, aJson;
  const VexVerify_Report aReport = report();
  ASSERT_TRUE(VexVerify_ReportWriter(0).WriteText(aReport, aText));
  ASSERT_TRUE(VexVerify_ReportWriter(0).WriteJson(aReport, aJson));
  // The path leaves the 10 x 10 board at y = 10 and is farther than 0.51 mm outside from 10.51.
  EXPECT_NE(aText.str().find("Outline check: e.gbr (role outline, given)\n"
                             "  1 path contour (10.000 mm) against a board of 1 closed contour or "
                             "area\n"
                             "    outside   4.490 mm of path at (5.000, 12.755), box (5.000, "
                             "10.510) to (5.000, 15.000), tool \"Mill\" 1 mm, phase \"Cutout\", "
                             "layer \"Edge\"\n"
                             "  Findings: 1 place, 4.490 mm of path outside the board\n"),
            std::string::npos)
      << aText.str();
  const nlohmann::json anOutline = nlohmann::json::parse(aJson.str())["checks"][1];
  EXPECT_EQ(anOutline["role"], "outline");
  EXPECT_EQ(anOutline["roleGiven"], true);
  EXPECT_EQ(anOutline["counts"], nlohmann::json({{"outside", 1}}));
  const nlohmann::json& aPlace = anOutline["findings"][0];
  EXPECT_EQ(aPlace["kind"], "outside");
  EXPECT_NEAR(aPlace["length"].get<double>(), 4.49, 1.0e-3);
  EXPECT_NEAR(aPlace["box"][0][1].get<double>(), 10.51, 1.0e-3);
  EXPECT_EQ(aPlace["layer"], "Edge");
}
