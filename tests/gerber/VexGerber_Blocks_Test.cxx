// Copyright (c) 2026 VexData developers
// Aperture blocks (%AB): a flash places the block's objects with the flash's transformation and
// polarity, blocks nest and hold step-and-repeat blocks, and what the format forbids of them is
// refused with its own message.
#include <VexGerber_TestModel.hxx>

#include <gtest/gtest.h>

using namespace VexGerber_TestModel;

namespace
{
//! A millimetre file of format 3.6 around theBody, with D10 a round aperture of 0.1 mm.
std::string mm(const std::string& theBody)
{
  return "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,0.1*%\n" + theBody + "M02*\n";
}

//! Returns the features of theText, which must read.
std::vector<Feature> featuresOf(const std::string& theText)
{
  Read aRead;
  ReadText(theText, aRead);
  EXPECT_TRUE(aRead.Ok) << theText << aRead.Capture.Dump();
  return Features(*aRead.Model);
}

//! Returns the feature of kind theKind with the given points, widths 0.1 and polarity isClear.
Feature feature(const char theKind, const double theX1, const double theY1, const double theX2,
                const double theY2, const bool isClear = false)
{
  Feature aFeature = {theKind, isClear, false, 0.1, {theX1, theY1, theX2, theY2, 0.0, 0.0}};
  return aFeature;
}
} // namespace

TEST(VexGerber_Blocks, AFlashPlacesTheObjectsOfTheBlock)
{
  // The block: a flash at (1, 0) and a draw from (0, 0) to (0, 2). Flashed at (5, 5), turned a
  // quarter, and again mirrored in X at (-5, 0).
  const std::string          aBlock = "%ABD20*%D10*X1000000Y0D03*X0Y0D02*X0Y2000000D01*%AB*%\n";
  const std::vector<Feature> aPlaced =
      featuresOf(mm(aBlock + "D20*%LR90*%X5000000Y5000000D03*%LR0*%%LMX*%X-5000000Y0D03*"));
  std::vector<Feature> anExpected = {
      feature('P', 5, 6, 5, 6), feature('S', 3, 5, 5, 5),      // turned a quarter about (5, 5)
      feature('P', -6, 0, -6, 0), feature('S', -5, 0, -5, 2)}; // mirrored in X about (-5, 0)
  std::sort(anExpected.begin(), anExpected.end());
  EXPECT_EQ(CompareFeatures(aPlaced, anExpected, 1e-9, 1e-12), "");
}

TEST(VexGerber_Blocks, BlocksNestAndHoldStepAndRepeat)
{
  // D21 holds two flashes 1 mm apart (a step and repeat inside the block); D22 places D21 at
  // (0, 10) and at (0, 20); D22 flashed at (100, 0) scaled by two.
  const std::string aText =
      mm("%ABD22*%%ABD21*%%SRX2Y1I1J0*%D10*X0Y0D03*%SR*%%AB*%D21*X0Y10000000D03*"
         "X0Y20000000D03*%AB*%\nD22*%LS2*%X100000000Y0D03*");
  Read aRead;
  ReadText(aText, aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  std::vector<Feature> anExpected;
  for (const double aY : {20.0, 40.0})
  {
    for (const double aX : {100.0, 102.0})
    {
      Feature aFlash = feature('P', aX, aY, aX, aY);
      aFlash.Width   = 0.2; // the round aperture scaled with the block
      anExpected.push_back(aFlash);
    }
  }
  std::sort(anExpected.begin(), anExpected.end());
  EXPECT_EQ(CompareFeatures(Features(*aRead.Model), anExpected, 1e-9, 1e-12), "");
  // A block flashed inside a step and repeat is placed once per copy.
  EXPECT_EQ(featuresOf(mm("%ABD21*%D10*X0Y0D03*%AB*%%SRX3Y1I1J0*%D21*X0Y0D03*%SR*%")).size(), 3u);
}

TEST(VexGerber_Blocks, AClearFlashTurnsThePolaritiesOver)
{
  // The block holds a dark flash and a clear one; flashed clear, the first becomes clear and
  // the second dark.
  const std::string    aBlock     = "%ABD20*%D10*X0Y0D03*%LPC*%X1000000Y0D03*%LPD*%%AB*%";
  std::vector<Feature> anExpected = {feature('P', 0, 0, 0, 0, true), feature('P', 1, 0, 1, 0)};
  std::sort(anExpected.begin(), anExpected.end());
  EXPECT_EQ(CompareFeatures(featuresOf(mm(aBlock + "D20*%LPC*%X0Y0D03*")), anExpected, 1e-9, 1e-12),
            "");
}

TEST(VexGerber_Blocks, WhatTheFormatForbidsIsRefused)
{
  VexGerber_Limits aShallow;
  aShallow.BlockDepth = 2;
  struct Case
  {
    std::string Text;
    const char* Key;
    int         Line;
  };
  const Case THE_CASES[] = {
      {mm("%ABD20*%D10*X0Y0D03*%AB*%\nD20*X0Y0D02*X1Y1D01*"), "VEX_GERBER_BLOCK_DRAW", 5},
      {mm("\n%AB*%"), "VEX_GERBER_BLOCK_END", 5},
      {"%FSLAX36Y36*%%MOMM*%%ABD20*%%ADD10C,0.1*%D10*X0Y0D03*\nM02*",
       "VEX_GERBER_BLOCK_OPEN_AT_END", 2},
      {mm("G36*X0Y0D02*\n%ABD20*%"), "VEX_GERBER_BLOCK_IN_REGION", 5},
      {mm("%ABD9*%"), "VEX_GERBER_APERTURE_NUMBER", 4},
      {mm("%ABD20*%%ABD21*%\n%ABD22*%"), "VEX_GERBER_LIMIT_BLOCK_DEPTH", 5},
      // Three levels of blocks placed in one another: deeper than two.
      {mm("%ABD20*%D10*X0Y0D03*%AB*%%ABD21*%D20*X0Y0D03*%AB*%\n%ABD22*%D21*X0Y0D03*%AB*%"),
       "VEX_GERBER_LIMIT_BLOCK_DEPTH", 5},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(aCase.Text, aRead, aShallow);
    EXPECT_FALSE(aRead.Ok) << aCase.Text;
    EXPECT_EQ(aRead.Report.FaultLine(), aCase.Line) << aCase.Text << aRead.Capture.Dump();
    ASSERT_EQ(aRead.Capture.Messages().size(), 1u) << aCase.Text << aRead.Capture.Dump();
    EXPECT_EQ(aRead.Capture.Messages()[0].Key, aCase.Key) << aCase.Text;
    EXPECT_EQ(aRead.Capture.Messages()[0].Gravity, Message_Fail);
    EXPECT_TRUE(aRead.Model->Objects().IsEmpty());
  }
}
