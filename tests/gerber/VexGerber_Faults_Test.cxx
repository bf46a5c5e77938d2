// Copyright (c) 2026 VexData developers
// Faults of the Gerber reader: every malformed or unbounded input gives its own message with
// the line where it was found, and nothing goes into the model.
#include <VexGerber_TestModel.hxx>

#include <gtest/gtest.h>

#include <map>

using namespace VexGerber_TestModel;

namespace
{
//! One faulty input and what it must give.
struct FaultCase
{
  const char* Text;
  const char* Key;
  int         Line;
  const char* Argument; //!< second argument as printed, or nullptr
};

//! Reads theCase with theLimits and checks the fault in the report and in the messages.
void expectFault(const FaultCase& theCase, const VexGerber_Limits& theLimits = VexGerber_Limits())
{
  Read aRead;
  ReadText(theCase.Text, aRead, theLimits);
  EXPECT_FALSE(aRead.Ok) << theCase.Text;
  EXPECT_EQ(aRead.Report.FaultLine(), theCase.Line) << theCase.Text;
  ASSERT_EQ(aRead.Capture.Messages().size(), 1u) << theCase.Text << aRead.Capture.Dump();
  const VexTest_Message& aMessage = aRead.Capture.Messages()[0];
  EXPECT_EQ(aMessage.Key, theCase.Key) << theCase.Text;
  EXPECT_EQ(aMessage.Gravity, Message_Fail);
  ASSERT_FALSE(aMessage.Args.empty());
  EXPECT_EQ(aMessage.Args[0], std::to_string(theCase.Line)) << theCase.Text;
  if (theCase.Argument != nullptr)
  {
    ASSERT_GE(aMessage.Args.size(), 2u) << theCase.Text;
    EXPECT_EQ(aMessage.Args[1], theCase.Argument) << theCase.Text;
  }
  EXPECT_TRUE(aRead.Model->Objects().IsEmpty()) << theCase.Text;
  EXPECT_EQ(aRead.Model->NbApertures(), 1) << theCase.Text;
}
} // namespace

TEST(VexGerber_Faults, MalformedFilesNameTheirLine)
{
  const char* const H = "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,0.1*%\nD10*\n"; // four lines
  const std::string aHeader(H);
  const std::vector<std::pair<std::string, FaultCase>> THE_CASES = {
      {"X1Y1D03*", {"", "VEX_GERBER_NO_FORMAT", 1, nullptr}},
      {aHeader + "X1Y1D03", {"", "VEX_GERBER_UNTERMINATED_COMMAND", 5, nullptr}},
      {aHeader + "%ADD11C,1*\n", {"", "VEX_GERBER_UNTERMINATED_COMMAND", 5, nullptr}},
      // Codes of unknown meaning with coordinates: whatever they mean decides where these go.
      {aHeader + "G99X1Y1D03*", {"", "VEX_GERBER_UNKNOWN_G_CODE", 5, "99"}},
      {aHeader + "\n\nM05X1Y1*", {"", "VEX_GERBER_UNKNOWN_M_CODE", 7, "5"}},
      {aHeader + "G11*", {"", "VEX_GERBER_UNSUPPORTED", 5, "G11"}},
      {aHeader + "X1Y1D07*", {"", "VEX_GERBER_UNKNOWN_D_CODE", 5, "7"}},
      {aHeader + "X1Q1D03*", {"", "VEX_GERBER_SYNTAX", 5, "Q1D03*"}},
      {aHeader + "X-Y1D03*", {"", "VEX_GERBER_BAD_NUMBER", 5, "Y1D03*"}},
      {aHeader + "X1234567890123456789Y1D03*", {"", "VEX_GERBER_BAD_NUMBER", 5, nullptr}},
      {aHeader + "%MOFT*%", {"", "VEX_GERBER_SYNTAX", 5, "MOFT"}},
      {aHeader + "%FSLAX3Y36*%", {"", "VEX_GERBER_SYNTAX", 5, "FSLAX3Y36"}},
      {aHeader + "%IR90*%", {"", "VEX_GERBER_UNSUPPORTED", 5, "IR90"}},
      {aHeader + "%IJA1B1*%", {"", "VEX_GERBER_UNSUPPORTED", 5, "IJA1B1"}},
      {aHeader + "%ADD09C,1*%", {"", "VEX_GERBER_APERTURE_NUMBER", 5, "9"}},
      {aHeader + "%ADD11C,1X2X3X4*%", {"", "VEX_GERBER_APERTURE_PARAMS", 5, "11"}},
      {aHeader + "%ADD11P,1X13*%", {"", "VEX_GERBER_APERTURE_PARAMS", 5, "11"}},
      {aHeader + "%ADD11R,-1X2*%", {"", "VEX_GERBER_APERTURE_PARAMS", 5, "11"}},
      {aHeader + "%ADD11NOPE,1*%", {"", "VEX_GERBER_UNKNOWN_TEMPLATE", 5, "NOPE"}},
      {aHeader + "%ADD11C,1Y*%\nD11*\nX0Y0D03*", {"", "VEX_GERBER_MALFORMED_APERTURE", 7, "11"}},
      {aHeader + "D12*X0Y0D03*", {"", "VEX_GERBER_UNDEFINED_APERTURE", 5, "12"}},
      {"%FSLAX36Y36*%\nX0Y0D03*", {"", "VEX_GERBER_NO_APERTURE", 2, nullptr}},
      {aHeader + "G36*X0Y0D02*X1Y1D03*", {"", "VEX_GERBER_FLASH_IN_REGION", 5, nullptr}},
      {aHeader + "G36*\nG36*", {"", "VEX_GERBER_REGION_NESTED", 6, nullptr}},
      {aHeader + "G37*", {"", "VEX_GERBER_REGION_END", 5, nullptr}},
      {aHeader + "G36*X0Y0D02*X1Y1D01*\n\nM02*", {"", "VEX_GERBER_REGION_OPEN_AT_END", 7, nullptr}},
      {aHeader + "%LS0*%", {"", "VEX_GERBER_BAD_SCALE", 5, nullptr}},
      {aHeader + "X2000000000000Y0D03*", {"", "VEX_GERBER_COORDINATE_RANGE", 5, nullptr}},
      // What the model would hold beyond the range the reader accepts, though every coordinate
      // given is within it: an outline reaching past its centre line, a copy past its original.
      {aHeader + "%ADD11R,0.5X0.2*%D11*X0Y0D02*\nX1000000000000Y0D01*",
       {"", "VEX_GERBER_COORDINATE_RANGE", 6, nullptr}},
      {aHeader + "%SRX2Y1I400000J0*%\nX900000000000Y0D03*\n%SR*%",
       {"", "VEX_GERBER_COORDINATE_RANGE", 7, nullptr}},
      {aHeader + "%AMM*1,1,1/0,0,0*%\n%ADD11M*%\nD11*X0Y0D03*",
       {"", "VEX_GERBER_MACRO_VALUE", 7, "M"}},
      {aHeader + "%AMM*\n1,1,(1+2,0,0*%", {"", "VEX_GERBER_MACRO_EXPRESSION", 6, "(1+2"}},
      {aHeader + "%AMM*\n\n9,1,1*%", {"", "VEX_GERBER_MACRO_PRIMITIVE", 7, "9,1,1"}},
      {aHeader + "%AMM*1,1,1*%\n%ADD11M*%\nD11*X0Y0D03*", {"", "VEX_GERBER_MACRO_PARAMS", 7, "M"}},
  };
  for (const auto& aCase : THE_CASES)
  {
    FaultCase aFault = aCase.second;
    aFault.Text      = aCase.first.c_str();
    expectFault(aFault);
  }
}

TEST(VexGerber_Faults, EveryLimitHasItsMessage)
{
  VexGerber_Limits aSmall;
  aSmall.StepRepeatCopies   = 10;
  aSmall.Objects            = 100;
  aSmall.MacroPrimitives    = 3;
  aSmall.ExpressionDepth    = 4;
  aSmall.MacroVariable      = 9;
  aSmall.PolygonVertices    = 5;
  aSmall.FlattenedSegments  = 200;
  aSmall.PolygonWork        = 1000.0;
  aSmall.PolygonWorkPerByte = 0.0;
  const std::string aHeader = "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,0.1*%\nD10*\n";
  const std::vector<std::pair<std::string, FaultCase>> THE_CASES = {
      {aHeader + "%SRX4Y3I1J1*%", {"", "VEX_GERBER_LIMIT_STEP_REPEAT", 5, "10"}},
      {aHeader + "%AMM*1,1,1,0,0*1,1,1,0,0*1,1,1,0,0*\n1,1,1,0,0*%",
       {"", "VEX_GERBER_LIMIT_MACRO_PRIMITIVES", 6, "3"}},
      {aHeader + "%AMM*1,1,((((1)))),0,0*%", {"", "VEX_GERBER_LIMIT_EXPRESSION_DEPTH", 5, "4"}},
      {aHeader + "%AMM*1,1,$10,0,0*%", {"", "VEX_GERBER_LIMIT_MACRO_VARIABLE", 5, "9"}},
      {aHeader + "%AMM*4,1,6,0,0,1,0,1,1,0,1,0,2,0,0,0*%\n%ADD11M*%D11*X0Y0D03*",
       {"", "VEX_GERBER_LIMIT_POLYGON_VERTICES", 6, "5"}},
      {aHeader + "%AMM*6,0,0,10,0.1,0.1,2,0,0,0*%%ADD11M*%\nD11*X0Y0D03*",
       {"", "VEX_GERBER_LIMIT_FLATTENED_SEGMENTS", 6, "200"}},
      // An obround of 1 by 0.5 mm has some 50 corners: swept along a draw, some 2500 steps.
      {aHeader + "%ADD11O,1X0.5*%D11*X0Y0D02*\nX5000000Y0D01*",
       {"", "VEX_GERBER_LIMIT_POLYGON_WORK", 6, "1"}},
  };
  for (const auto& aCase : THE_CASES)
  {
    FaultCase aFault = aCase.second;
    aFault.Text      = aCase.first.c_str();
    expectFault(aFault, aSmall);
  }
  // Objects: a step and repeat of ten copies of eleven draws passes the bound of 100.
  std::string aDraws = aHeader + "%SRX10Y1I1J1*%X0Y0D02*\n";
  for (int anIndex = 0; anIndex < 11; ++anIndex)
  {
    aDraws += "X" + std::to_string(anIndex + 1) + "000Y0D01*";
  }
  aDraws += "\n%SR*%\nM02*";
  expectFault({aDraws.c_str(), "VEX_GERBER_LIMIT_OBJECTS", 7, "100"}, aSmall);
}

TEST(VexGerber_Faults, EveryKeyHasATextThatStartsWithTheLine)
{
  std::map<std::string, std::string> aCatalogue;
  for (const auto& aKey : VexTest_MessageCapture::CatalogueKeys())
  {
    EXPECT_TRUE(aCatalogue.emplace(aKey.first, aKey.second).second) << "twice: " << aKey.first;
  }
  int aCount = 0;
  for (const auto& anEntry :
       std::filesystem::directory_iterator(std::string(VEX_SOURCE_DIR) + "/gerber"))
  {
    const std::string aText = FileText(anEntry.path().string());
    for (size_t aPos = aText.find("\"VEX_GERBER_"); aPos != std::string::npos;
         aPos        = aText.find("\"VEX_GERBER_", aPos + 1))
    {
      const std::string aKey = aText.substr(aPos + 1, aText.find('"', aPos + 1) - aPos - 1);
      ++aCount;
      ASSERT_EQ(aCatalogue.count(aKey), 1u) << aKey << " has no text";
      EXPECT_EQ(aCatalogue[aKey].substr(0, 1), "d") << aKey << ": the line comes first";
    }
  }
  EXPECT_GT(aCount, 30);
}
