// Copyright (c) 2026 VexData developers
// The Gerber reader reads what the format defines: an optional stop that ends nothing, a unit
// that applies to what comes before it, an image offset in both coordinate modes, signed polygon
// rotations, a byte order mark, and standard apertures with a rectangular hole.
#include <VexGerber_TestModel.hxx>

#include <gtest/gtest.h>

using namespace VexGerber_TestModel;

namespace
{
//! Returns the points of the point sequences of theModel, in order.
std::vector<gp_XY> flashPoints(const PenFormatData_Model& theModel)
{
  std::vector<gp_XY> aPoints;
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(theModel))
  {
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(aSequence->GetCurve()->Children());
         anIter.More() && aSequence->ToolpathMode() == 2; anIter.Next())
    {
      aPoints.push_back(anIter.Value()->FirstElement()->StartPoint());
    }
  }
  return aPoints;
}

//! Returns the area of the one sequence theText makes, or -1 when it does not read.
double areaOf(const std::string& theText)
{
  Read aRead;
  ReadText(theText, aRead);
  const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*Outlined(*aRead.Model));
  return aRead.Ok && aSequences.size() == 1 ? Area(*aSequences[0]) : -1.0;
}
} // namespace

TEST(VexGerber_Definitions, OnlyProgramStopAndEndEndTheFile)
{
  // M01 (optional stop) has no effect; M00 (program stop) ends the file like M02.
  const std::string                    aHeader = "%FSLAX36Y36*%%MOMM*%%ADD10C,0.1*%D10*X0Y0D03*\n";
  const std::pair<const char*, size_t> THE_CASES[] = {
      {"M01*\nX1Y0D03*\nM02*", 2}, {"M00*\nX1Y0D03*\nM02*", 1}, {"M02*\nX1Y0D03*", 1}};
  for (const auto& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(aHeader + aCase.first, aRead);
    ASSERT_TRUE(aRead.Ok) << aCase.first << aRead.Capture.Dump();
    EXPECT_EQ(flashPoints(*aRead.Model).size(), aCase.second) << aCase.first;
  }
  Read aRead;
  ReadText(aHeader + "M01*X1Y0D03*M01*M02*", aRead);
  EXPECT_EQ(
      aRead.Report.Count(VexPcb_TransferReport::Outcome_Ignored, "optional stops (M01, no effect)"),
      2);
}

TEST(VexGerber_Definitions, TheUnitAppliesToWhatComesBeforeIt)
{
  // Apertures, macros, the image offset and step-and-repeat steps given before %MO are in the
  // unit %MO states, as long as it comes before the first operation.
  struct Case
  {
    const char* Text;
    double      Diameter; //!< of aperture D10 in the model, mm
    double      X, Y;     //!< of the first flash
  };
  const Case THE_CASES[] = {
      {"%FSLAX46Y46*%%ADD10C,0.5*%%MOMM*%D10*X0Y0D03*", 0.5, 0.0, 0.0},
      {"%FSLAX46Y46*%%ADD10C,0.5*%%MOIN*%D10*X0Y0D03*", 12.7, 0.0, 0.0},
      {"%FSLAX46Y46*%%ADD10C,0.5*%G71*D10*X0Y0D03*", 0.5, 0.0, 0.0},
      {"%FSLAX46Y46*%%OFA1B2*%%MOMM*%%ADD10C,0.5*%D10*X0Y0D03*", 0.5, 1.0, 2.0},
      {"%FSLAX46Y46*%%OFA1B2*%%ADD10C,0.5*%%MOIN*%D10*X0Y0D03*", 12.7, 25.4, 50.8},
      // Without %MO the first operation settles the unit: inches, as before.
      {"%FSLAX46Y46*%%ADD10C,0.5*%D10*X0Y0D03*%MOMM*%", 12.7, 0.0, 0.0},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(std::string(aCase.Text) + "M02*", aRead);
    ASSERT_TRUE(aRead.Ok) << aCase.Text << aRead.Capture.Dump();
    EXPECT_NEAR(aRead.Model->Aperture(1)->Param(1), aCase.Diameter, 1e-12) << aCase.Text;
    const std::vector<gp_XY> aPoints = flashPoints(*aRead.Model);
    ASSERT_FALSE(aPoints.empty()) << aCase.Text;
    EXPECT_TRUE(aPoints[0].IsEqual(gp_XY(aCase.X, aCase.Y), 1e-12)) << aCase.Text;
  }
  // A macro aperture and a step defined before %MOMM*%: millimetres, not inches.
  EXPECT_NEAR(areaOf("%FSLAX46Y46*%%AMBOX*21,1,$1,$1,0,0,0*%%ADD11BOX,2*%%MOMM*%D11*X0Y0D03*M02*"),
              4.0, 1e-9);
  Read aRead;
  ReadText("%FSLAX46Y46*%%SRX2Y1I5J0*%%MOMM*%%ADD10C,0.5*%D10*X0Y0D03*%SR*%M02*", aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  const std::vector<gp_XY> aPoints = flashPoints(*aRead.Model);
  ASSERT_EQ(aPoints.size(), 2u);
  EXPECT_TRUE(aPoints[1].IsEqual(gp_XY(5.0, 0.0), 1e-12));
}

TEST(VexGerber_Definitions, TheImageOffsetMovesIncrementalCoordinatesToo)
{
  for (const char* aFormat : {"%FSLIX33Y33*%%MOMM*%", "%FSLAX33Y33*%%MOMM*%G91*"})
  {
    Read aRead;
    ReadText(std::string(aFormat) + "%OFA1.0B-2.0*%%ADD10C,0.1*%D10*X1000Y1000D03*X1000D03*M02*",
             aRead);
    ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
    const std::vector<gp_XY> aPoints = flashPoints(*aRead.Model);
    ASSERT_EQ(aPoints.size(), 2u) << aFormat;
    EXPECT_TRUE(aPoints[0].IsEqual(gp_XY(2.0, -1.0), 1e-12)) << aFormat;
    EXPECT_TRUE(aPoints[1].IsEqual(gp_XY(3.0, -1.0), 1e-12)) << aFormat;
  }
}

TEST(VexGerber_Definitions, PolygonRotationsAreSigned)
{
  // A triangle in a circle of 3 mm, its first corner at -30 degrees.
  Read aRead;
  ReadText("%FSLAX36Y36*%%MOMM*%%ADD10P,3X3X-30*%D10*X0Y0D03*M02*", aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  const Handle(PenFormatData_Model) anOutlined                 = Outlined(*aRead.Model);
  const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*anOutlined);
  ASSERT_EQ(aSequences.size(), 1u);
  EXPECT_NEAR(Area(*aSequences[0]), 3.0 * std::sqrt(3.0) / 4.0 * 1.5 * 1.5, 1e-9);
  bool hasCorner = false;
  for (const Feature& aFeature : Features(*anOutlined))
  {
    for (int anEnd = 0; anEnd < 2; ++anEnd)
    {
      hasCorner = hasCorner || gp_XY(aFeature.Values[2 * anEnd], aFeature.Values[2 * anEnd + 1])
                                   .IsEqual(gp_XY(1.5 * std::sqrt(3.0) / 2.0, -0.75), 1e-9);
    }
  }
  EXPECT_TRUE(hasCorner);
  EXPECT_NEAR(aRead.Model->Aperture(1)->Param(3), -30.0, 1e-12);
}

TEST(VexGerber_Definitions, AByteOrderMarkIsSkipped)
{
  const std::string aText = "\xEF\xBB\xBF%FSLAX36Y36*%%MOMM*%%ADD10C,0.1*%D10*X1Y2D03*M02*";
  EXPECT_TRUE(VexGerber_Reader::Probe(aText.data(), aText.size()));
  Read aRead;
  ReadText(aText, aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  EXPECT_EQ(flashPoints(*aRead.Model).size(), 1u);
}

TEST(VexGerber_Definitions, StandardAperturesWithARectangularHole)
{
  // Old files give a hole by its width and height: the flash is the shape less the rectangle.
  const std::pair<const char*, double> THE_CASES[] = {
      {"C,0.5X0.25X0.15", M_PI * 0.25 * 0.25 - 0.25 * 0.15}, {"R,1X2X0.4X0.2", 2.0 - 0.08},
      {"O,2X1X0.4X0.2", 1.0 + M_PI * 0.25 - 0.08},           {"P,2X4X0X0.4X0.2", 2.0 - 0.08},
      {"C,0.5X0.25", M_PI * (0.25 * 0.25 - 0.125 * 0.125)}, // a round hole, as before
  };
  for (const auto& aCase : THE_CASES)
  {
    EXPECT_NEAR(
        areaOf(std::string("%FSLAX36Y36*%%MOMM*%%ADD10") + aCase.first + "*%D10*X0Y0D03*M02*"),
        aCase.second, 1e-9)
        << aCase.first;
  }
  Read aRead;
  ReadText("%FSLAX36Y36*%%MOMM*%%ADD10C,0.5X0.25X0.15*%D10*X0Y0D03*M02*", aRead);
  ASSERT_TRUE(aRead.Ok);
  EXPECT_EQ(aRead.Model->Aperture(1)->NbParams(), 3);
  EXPECT_EQ(aRead.Model->Aperture(1)->ToolFlag(), 0); // not a round tool: it has a hole
}
