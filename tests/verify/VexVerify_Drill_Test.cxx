// Copyright (c) 2026 VexData developers
// The drill check: holes of a design against the hits of a job, each fault
// named once with the right tool, and the role of a design told from its
// command-line argument or its content.
#include <VexTest_Messages.hxx>
#include <VexVerify_TestModel.hxx>

#include <VexVerify_DrillCheck.hxx>
#include <VexVerify_ReportWriter.hxx>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>
#include <fstream>
#include <string>
#include <vector>

namespace
{
//! A hole or hit: tool diameter and position.
struct Drill
{
  double Diameter;
  double X;
  double Y;
};

//! The holes every case starts from: three of 0.8 mm, two of 1 mm.
const std::vector<Drill> THE_HOLES = {
    {0.8, 0.0, 0.0}, {0.8, 5.0, 0.0}, {0.8, 10.0, 0.0}, {1.0, 0.0, 5.0}, {1.0, 5.0, 5.0}};

//! Returns a model of theDrills, one point toolpath per diameter, coordinates and diameters
//! divided by theScale (25.4 for a model in inches).
Handle(PenFormatData_Model)
    drills(const std::vector<Drill>&         theDrills,
           const PenFormatData_DimensionUnit theUnit  = PenFormatData_DU_Millimetre,
           const double                      theScale = 1.0)
{
  VexVerify_TestModel                                     aModel(theUnit);
  std::vector<std::pair<double, PenFormatData_Sequence*>> aTools;
  for (const Drill& aDrill : theDrills)
  {
    PenFormatData_Sequence* aSequence = NULL;
    for (const auto& aTool : aTools)
    {
      aSequence = aTool.first == aDrill.Diameter ? aTool.second : aSequence;
    }
    if (aSequence == NULL)
    {
      const std::string aName = "T" + std::to_string(aTools.size() + 1);
      aSequence = &aModel.Points(aModel.Aperture(aName.c_str(), {aDrill.Diameter / theScale}));
      aTools.emplace_back(aDrill.Diameter, aSequence);
    }
    aModel.Point(*aSequence, aDrill.X / theScale, aDrill.Y / theScale);
  }
  return aModel.Model();
}

//! Returns the findings of theCheck as "kind x y", coordinates rounded to micrometres.
std::vector<std::string> findings(const VexVerify_Report::Check& theCheck)
{
  std::vector<std::string> aLines;
  for (NCollection_Vector<VexVerify_Report::Finding>::Iterator anIt(theCheck.Findings); anIt.More();
       anIt.Next())
  {
    char aLine[96];
    std::snprintf(aLine, sizeof(aLine), "%s %.3f %.3f",
                  VexVerify_ReportWriter::KindName(anIt.Value().What), anIt.Value().At.X(),
                  anIt.Value().At.Y());
    aLines.push_back(aLine);
  }
  return aLines;
}

//! Returns THE_HOLES with theChange applied.
std::vector<Drill> changed(void (*theChange)(std::vector<Drill>&))
{
  std::vector<Drill> aDrills = THE_HOLES;
  theChange(aDrills);
  return aDrills;
}
} // namespace

TEST(VexVerify_DrillTest, EachFaultOfTheJobIsNamedOnce)
{
  struct Case
  {
    const char* Name;
    void (*Change)(std::vector<Drill>&);
    std::vector<std::string> Expected;
  };
  const Case aCases[] = {
      {"the job drills the design", [](std::vector<Drill>&) {}, {}},
      {"a hit off by less than the tolerance",
       [](std::vector<Drill>& theJob) { theJob[1].X += 0.008; },
       {}},
      {"a hit of a diameter within the tolerance",
       [](std::vector<Drill>& theJob) { theJob[3].Diameter = 1.009; },
       {}},
      {"the hits in another order",
       [](std::vector<Drill>& theJob) { std::swap(theJob[0], theJob[4]); },
       {}},
      {"a hit moved onto the hole's edge",
       [](std::vector<Drill>& theJob) { theJob[1].X += 0.3; },
       {"moved 5.000 0.000"}},
      {"a hit dropped",
       [](std::vector<Drill>& theJob) { theJob.erase(theJob.begin() + 2); },
       {"missing 10.000 0.000"}},
      {"a hit with another tool",
       [](std::vector<Drill>& theJob) { theJob[0].Diameter = 1.0; },
       {"diameter 0.000 0.000"}},
      {"a hit where there is no hole",
       [](std::vector<Drill>& theJob) {
         theJob.push_back({0.8, 20.0, 20.0});
       },
       {"extra 20.000 20.000"}},
      {"a hole drilled twice",
       [](std::vector<Drill>& theJob) {
         theJob.push_back({1.0, 5.004, 5.0});
       },
       {"doubled 5.004 5.000"}},
      {"a hit moved clear of its hole",
       [](std::vector<Drill>& theJob) { theJob[4].Y += 2.0; },
       {"missing 5.000 5.000", "extra 5.000 7.000"}},
      {"two faults of one tool, listed by position",
       [](std::vector<Drill>& theJob)
       {
         theJob[2].Diameter = 1.0;
         theJob[0].X -= 0.2;
       },
       {"moved 0.000 0.000", "diameter 10.000 0.000"}},
  };
  for (const Case& aCase : aCases)
  {
    VexVerify_Report::Check aCheck;
    VexVerify_DrillCheck(0.01, 0.0).Perform(*drills(THE_HOLES), *drills(changed(aCase.Change)),
                                            aCheck);
    EXPECT_EQ(findings(aCheck), aCase.Expected) << aCase.Name;
    EXPECT_EQ(aCheck.Holes, 5) << aCase.Name;
  }
}

TEST(VexVerify_DrillTest, FindingsAreFiledUnderTheirTools)
{
  // Hole (0,0) is drilled with the 1 mm tool, and the 1 mm tool drills an extra hit.
  std::vector<Drill> aJob = THE_HOLES;
  aJob[0].Diameter        = 1.0;
  aJob.push_back({1.0, 30.0, 0.0});
  VexVerify_Report::Check aCheck;
  VexVerify_DrillCheck(0.01, 0.0).Perform(*drills(THE_HOLES), *drills(aJob), aCheck);
  ASSERT_EQ(aCheck.Findings.Length(), 2);
  const VexVerify_Report::Finding& aDiameter = aCheck.Findings.Value(0);
  EXPECT_EQ(aDiameter.What, VexVerify_Report::Kind_Diameter);
  EXPECT_EQ(aCheck.Tools.Value(aDiameter.DesignTool).Diameter, 0.8);
  EXPECT_TRUE(aCheck.Tools.Value(aDiameter.DesignTool).IsDesign);
  EXPECT_EQ(aCheck.Tools.Value(aDiameter.JobTool).Diameter, 1.0);
  EXPECT_FALSE(aCheck.Tools.Value(aDiameter.JobTool).IsDesign);
  const VexVerify_Report::Finding& anExtra = aCheck.Findings.Value(1);
  EXPECT_EQ(anExtra.What, VexVerify_Report::Kind_Extra);
  EXPECT_EQ(aCheck.Tools.Value(anExtra.JobTool).Diameter, 1.0);
  // Per tool: holes or hits, those paired, the findings filed under it.
  std::vector<std::vector<int>> aTallies;
  for (NCollection_Vector<VexVerify_Report::Tool>::Iterator anIt(aCheck.Tools); anIt.More();
       anIt.Next())
  {
    aTallies.push_back(
        {anIt.Value().IsDesign, anIt.Value().Count, anIt.Value().Matched, anIt.Value().Findings});
  }
  // The job's 1 mm tool comes first: the job starts with the hit drilled with it.
  const std::vector<std::vector<int>> anExpected = {
      {1, 3, 3, 1}, {1, 2, 2, 0}, {0, 4, 3, 1}, {0, 2, 2, 0}};
  EXPECT_EQ(aTallies, anExpected);
  EXPECT_EQ(aCheck.Matched, 5);
  EXPECT_EQ(aCheck.Hits, 6);
}

TEST(VexVerify_DrillTest, UnitsAreComparedInMillimetres)
{
  VexVerify_Report::Check aCheck;
  VexVerify_DrillCheck(0.01, 0.0).Perform(*drills(THE_HOLES, PenFormatData_DU_Inch, 25.4),
                                          *drills(THE_HOLES), aCheck);
  EXPECT_EQ(findings(aCheck), std::vector<std::string>());
  EXPECT_EQ(aCheck.Matched, 5);
}

TEST(VexVerify_DrillTest, SlotsOfTheDesignAreCountedNotCompared)
{
  VexVerify_TestModel aDesign;
  const int           aTool = aDesign.Aperture("T1", {0.8});
  aDesign.Point(aDesign.Points(aTool), 1.0, 1.0);
  aDesign.Line(aDesign.Paths(aTool), {gp_XY(0, 0), gp_XY(3, 0)});
  VexVerify_Report::Check aCheck;
  VexVerify_DrillCheck(0.01, 0.0).Perform(*aDesign.Model(), *drills({{0.8, 1.0, 1.0}}), aCheck);
  EXPECT_EQ(aCheck.Slots, 1);
  EXPECT_EQ(aCheck.Findings.Length(), 0);
}

TEST(VexVerify_DesignTest, ARolePrefixIsReadOrRefused)
{
  VexTest_MessageCapture aCapture;
  char                   aTemplate[] = "/tmp/vexroleXXXXXX";
  ASSERT_NE(::mkdtemp(aTemplate), nullptr);
  const std::string anOdd = std::string(aTemplate) + "/via:file.gbr";
  std::ofstream(anOdd) << "x";
  struct Case
  {
    std::string Argument;
    bool        IsAccepted;
    bool        IsGiven;
    int         Role;
    std::string Path;
  };
  const Case aCases[] = {
      {"drill:a.drl", true, true, VexVerify_Design::Role_Drill, "a.drl"},
      {"COPPER:top.gbr", true, true, VexVerify_Design::Role_Copper, "top.gbr"},
      {"outline:dir/x:y.gbr", true, true, VexVerify_Design::Role_Outline, "dir/x:y.gbr"},
      {"board.gbr", true, false, -1, "board.gbr"},
      {"./via:file.gbr", true, false, -1, "./via:file.gbr"},
      {":x", true, false, -1, ":x"},
      {"via:nothing.gbr", false, false, -1, ""},
      {anOdd.substr(anOdd.find("via")), false, false, -1, ""},
  };
  for (const Case& aCase : aCases)
  {
    VexVerify_Design::Role  aRole   = VexVerify_Design::Role_Copper;
    Standard_Boolean        isGiven = Standard_False;
    TCollection_AsciiString aPath;
    Message_Msg             aFault;
    const bool isAccepted = VexVerify_Design::ParseArgument(aCase.Argument.c_str(), aRole, isGiven,
                                                            aPath, aFault) == Standard_True;
    EXPECT_EQ(isAccepted, aCase.IsAccepted) << aCase.Argument;
    if (!isAccepted)
    {
      aCapture.Clear();
      aCapture.Messenger()->Send(aFault.Get(), Message_Fail);
      const std::string aPrefix = aCase.Argument.substr(0, aCase.Argument.find(':'));
      EXPECT_EQ(aCapture.Dump(),
                "4 VEX_VERIFY_UNKNOWN_ROLE " + aCase.Argument + " " + aPrefix + "\n")
          << aCase.Argument;
      continue;
    }
    EXPECT_EQ(isGiven == Standard_True, aCase.IsGiven) << aCase.Argument;
    EXPECT_EQ(std::string(aPath.ToCString()), aCase.Path) << aCase.Argument;
    if (aCase.IsGiven)
    {
      EXPECT_EQ(aRole, aCase.Role) << aCase.Argument;
    }
  }
  // The whole argument naming an existing file wins over an unknown prefix.
  VexVerify_Design::Role  aRole;
  Standard_Boolean        isGiven;
  TCollection_AsciiString aPath;
  Message_Msg             aFault;
  EXPECT_TRUE(VexVerify_Design::ParseArgument(anOdd.c_str(), aRole, isGiven, aPath, aFault));
  std::remove(anOdd.c_str());
  ::rmdir(aTemplate);
}

TEST(VexVerify_DesignTest, WithoutARoleTheContentDecides)
{
  struct Content
  {
    const char* Name;
    bool        HasHoles, HasPaths, HasArea;
    int         Role;
  };
  const Content aContents[] = {
      {"holes only", true, false, false, VexVerify_Design::Role_Drill},
      {"holes and slots", true, true, false, VexVerify_Design::Role_Copper},
      {"an area", false, false, true, VexVerify_Design::Role_Copper},
      {"nothing", false, false, false, VexVerify_Design::Role_Copper},
  };
  for (const Content& aContent : aContents)
  {
    VexVerify_TestModel aModel;
    const int           aTool = aModel.Aperture("T", {1.0});
    if (aContent.HasHoles)
    {
      aModel.Point(aModel.Points(aTool), 0, 0);
    }
    if (aContent.HasPaths)
    {
      aModel.Line(aModel.Paths(aTool), {gp_XY(0, 0), gp_XY(1, 0)});
    }
    if (aContent.HasArea)
    {
      aModel.Rectangle(aModel.Area(), gp_XY(0, 0), gp_XY(1, 1));
    }
    TCollection_AsciiString aReason;
    EXPECT_EQ(VexVerify_Design::ChooseRole(*aModel.Model(), aReason), aContent.Role)
        << aContent.Name;
    EXPECT_FALSE(aReason.IsEmpty()) << aContent.Name;
  }
}

TEST(VexVerify_DrillTest, TheDrillToleranceAndMilledHolesAsAJobMakesThem)
{
  // Holes of 0.76 and 0.8 mm drilled with 0.8 mm; a 2 mm hole milled by a 0.8 mm end mill on a
  // circle of 0.6 mm radius; a round pad of 1.6 mm ringed by a 0.2 mm cutter, no hole there.
  VexVerify_TestModel aDesign;
  const int           aSmall = aDesign.Aperture("T1", {0.76});
  aDesign.Point(aDesign.Points(aSmall), 0.0, 0.0);
  aDesign.Point(aDesign.Points(aDesign.Aperture("T2", {0.8})), 5.0, 0.0);
  aDesign.Point(aDesign.Points(aDesign.Aperture("T3", {2.0})), 10.0, 0.0);
  struct Case
  {
    const char*              Name;
    double                   DrillTolerance;
    double                   MillRadius; //!< radius of the milled circle at (10, 0)
    std::vector<std::string> Findings;
  };
  const Case aCases[] = {
      {"within the drill tolerance", 0.05, 0.6, {}},
      {"beyond it", 0.0, 0.6, {"diameter 0.000 0.000"}},
      {"a milled circle of the wrong size is no hole", 0.05, 0.4, {"missing 10.000 0.000"}},
  };
  for (const Case& aCase : aCases)
  {
    VexVerify_TestModel     aJob;
    PenFormatData_Sequence& aDrilled = aJob.Points(aJob.Aperture("Drill0.80", {0.8}));
    aJob.Point(aDrilled, 0.0, 0.0);
    aJob.Point(aDrilled, 5.0, 0.0);
    aJob.Circle(aJob.Paths(aJob.Aperture("End0.80", {0.8})), gp_XY(10.0, 0.0), aCase.MillRadius);
    aJob.Circle(aJob.Paths(aJob.Aperture("V0.2", {0.2})), gp_XY(20.0, 0.0), 0.9);
    VexVerify_Report::Check aCheck;
    ASSERT_TRUE(VexVerify_DrillCheck(0.01, aCase.DrillTolerance)
                    .Perform(*aDesign.Model(), *aJob.Model(), aCheck));
    EXPECT_EQ(findings(aCheck), aCase.Findings) << aCase.Name;
  }
}
