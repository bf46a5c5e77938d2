// Copyright (c) 2026 VexData developers
// What the Gerber reader reads past with a warning (commands it does not know, an invalid
// single-quadrant arc) and the messages that say plainly why it refuses a file (lower case, a
// missing percent sign, a moire's ring count).
#include <VexGerber_TestModel.hxx>

#include <gtest/gtest.h>

using namespace VexGerber_TestModel;

namespace
{
//! The header of a millimetre file with D10 a round aperture of 0.1 mm: three lines.
const std::string THE_HEADER = "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,0.1*%D10*\n";
} // namespace

TEST(VexGerber_Warnings, UnknownCommandsAreSkippedCountedAndWarnedAbout)
{
  Read aRead;
  ReadText(THE_HEADER + "G99*\n%XX1*%\nX0Y0D03*\nM05*G99*\n%PFFILM*%X1000000Y0D03*\nM02*", aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  EXPECT_EQ(Features(*aRead.Model).size(), 2u);
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Ignored,
                               "unknown commands (skipped, with a warning)"),
            5);
  // One warning for each command, the first time it comes, with its line.
  EXPECT_EQ(aRead.Capture.Dump(), "2 VEX_GERBER_UNKNOWN_COMMAND 4 G99\n"
                                  "2 VEX_GERBER_UNKNOWN_COMMAND 5 XX1\n"
                                  "2 VEX_GERBER_UNKNOWN_COMMAND 7 M5\n"
                                  "2 VEX_GERBER_UNKNOWN_COMMAND 8 PFFILM\n");
  ASSERT_EQ(aRead.Report.Warnings().Length(), 4);
  EXPECT_EQ(aRead.Report.Warnings()(2).Line(), 7);
  EXPECT_STREQ(aRead.Report.Warnings()(2).ArgText(0).ToCString(), "M5");
  std::ostringstream aCounts;
  aRead.Report.PrintCounts(aCounts);
  EXPECT_NE(aCounts.str().find("Warnings:\n  VEX_GERBER_UNKNOWN_COMMAND"), std::string::npos);
}

TEST(VexGerber_Warnings, AWideSingleQuadrantArcIsReadWithAWarning)
{
  // Half a circle in single-quadrant mode: invalid, but its centre is plain; warned once.
  Read aRead;
  ReadText(THE_HEADER + "G74*G02*X-1000000Y0D02*\nX1000000Y0I1000000J0D01*\n"
                        "X-1000000Y0I1000000J0D01*M02*",
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  EXPECT_EQ(aRead.Capture.Dump(), "2 VEX_GERBER_QUADRANT_ARC 5\n");
  const std::vector<Feature> aFeatures = Features(*aRead.Model);
  ASSERT_EQ(aFeatures.size(), 2u);
  for (const Feature& anArc : aFeatures)
  {
    EXPECT_EQ(anArc.Kind, 'A');
    EXPECT_TRUE(gp_XY(anArc.Values[4], anArc.Values[5]).IsEqual(gp_XY(0.0, 0.0), 1e-9));
  }
}

TEST(VexGerber_Warnings, RefusalsSayWhy)
{
  struct Case
  {
    std::string Text;
    const char* Key;
    int         Line;
    const char* Argument; //!< second argument, or nullptr
  };
  const Case THE_CASES[] = {
      // A whole file in lower case: its first command says so.
      {"%fslax36y36*%\n%momm*%\n%add10c,0.1*%\nd10*\nx0y0d03*\nm02*", "VEX_GERBER_LOWER_CASE", 1,
       "fslax36y36"},
      {THE_HEADER + "x0y0d03*", "VEX_GERBER_LOWER_CASE", 4, "x0y0d03*"},
      // An extended command without its closing percent sign.
      {THE_HEADER + "%ADD11C,0.2*\nD11*\nX0Y0D03*\nM02*", "VEX_GERBER_MISSING_PERCENT", 4, "D11"},
      {THE_HEADER + "%ADD11C,0.2*\n%ADD12C,0.3*%\n", "VEX_GERBER_OUTSIDE_PERCENT", 5,
       "ADD12C,0.3*%"},
      // A moire whose ring count is not a whole number of rings.
      {THE_HEADER + "%AMT*6,0,0,1,0.1,0.1,$1,0,0,0*%%ADD11T,2.5*%\nD11*X0Y0D03*",
       "VEX_GERBER_MOIRE_RINGS", 5, "T"},
      {THE_HEADER + "%AMT*6,0,0,1,0.1,0.1,-1,0,0,0*%%ADD11T*%\nD11*X0Y0D03*",
       "VEX_GERBER_MOIRE_RINGS", 5, "T"},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(aCase.Text, aRead);
    EXPECT_FALSE(aRead.Ok) << aCase.Text;
    ASSERT_EQ(aRead.Capture.Messages().size(), 1u) << aCase.Text << aRead.Capture.Dump();
    const VexTest_Message& aMessage = aRead.Capture.Messages()[0];
    EXPECT_EQ(aMessage.Key, aCase.Key) << aCase.Text;
    EXPECT_EQ(aMessage.Gravity, Message_Fail);
    EXPECT_EQ(aMessage.Args[0], std::to_string(aCase.Line)) << aCase.Text;
    if (aCase.Argument != nullptr)
    {
      EXPECT_EQ(aMessage.Args.at(1), aCase.Argument) << aCase.Text;
    }
  }
}

TEST(VexGerber_Warnings, AMoireDrawsTheRingsThatFitHoweverManyItAsksFor)
{
  // Rings of 0.1 with gaps of 0.1 in a diameter of 1: three fit, whatever the count.
  const std::string aMacro     = THE_HEADER + "%AMT*6,0,0,1,0.1,0.1,$1,0,0,0*%";
  double            anAreas[2] = {0.0, 0.0};
  for (int anIndex = 0; anIndex < 2; ++anIndex)
  {
    Read aRead;
    ReadText(aMacro + (anIndex == 0 ? "%ADD11T,3*%" : "%ADD11T,1000000000000*%") +
                 "D11*X0Y0D03*M02*",
             aRead);
    ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
    anAreas[anIndex] = Area(*Sequences(*Outlined(*aRead.Model)).at(0));
  }
  EXPECT_NEAR(anAreas[0], M_PI * (0.25 - 0.16 + 0.09 - 0.04 + 0.01), 0.002);
  EXPECT_NEAR(anAreas[1], anAreas[0], 1e-12);
}
