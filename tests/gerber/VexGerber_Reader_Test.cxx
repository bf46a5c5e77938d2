// Copyright (c) 2026 VexData developers
// The Gerber reader on files written here: coordinate formats, how features become model
// objects, arcs, regions, step and repeat, aperture transformations, several files into one
// model, and the report.
#include <VexGerber_TestModel.hxx>

#include <gtest/gtest.h>

using namespace VexGerber_TestModel;

namespace
{
//! A millimetre file of format 3.6 around theBody.
std::string mm(const std::string& theBody)
{
  return "%FSLAX36Y36*%\n%MOMM*%\n" + theBody + "M02*\n";
}

//! Returns the first element of the first contour of sequence theIndex.
const PhGeom_Element& firstElement(const Read& theRead, const size_t theIndex)
{
  return *Sequences(*theRead.Model).at(theIndex)->GetCurve()->Children().First()->FirstElement();
}
} // namespace

TEST(VexGerber_Reader, CoordinateFormats)
{
  struct Case
  {
    const char* Header;
    const char* Coordinates;
    double      X, Y;
  };
  const Case THE_CASES[] = {
      {"%FSLAX24Y24*%%MOIN*%", "X12345Y-500", 1.2345 * 25.4, -0.05 * 25.4},
      {"%FSTAX24Y24*%%MOIN*%", "X12Y5", 12.0 * 25.4, 50.0 * 25.4},
      {"%FSLAX36Y36*%%MOMM*%", "X1.5Y-2.25", 1.5, -2.25},
      {"%FSLAX33Y33*%%MOMM*%", "X+001000Y0", 1.0, 0.0},
      {"%FSLAX33Y33*%G71*", "X2500Y1", 2.5, 0.001},
      {"%FSLAX24Y24*%G70*", "X10000Y10000", 25.4, 25.4},
      {"%FSLAX33Y33*%%MOMM*%%OFA1.0B-2.0*%", "X1000Y1000", 2.0, -1.0},
      {"%FSAX33Y33*%%MOMM*%", "X001000Y002000", 1.0, 2.0},
      {"%FSLAN2X33Y33*%%MOMM*%", "X5Y6", 0.005, 0.006},
      {"%FSLAX33Y33*%%MOMM*%", "Y3000", 0.0, 3.0}, // X stays where it was
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(std::string(aCase.Header) + "%ADD10C,0.1*%D10*" + aCase.Coordinates + "D03*M02*",
             aRead);
    ASSERT_TRUE(aRead.Ok) << aCase.Header << " " << aRead.Capture.Dump();
    const gp_XY& aPoint = firstElement(aRead, 0).StartPoint();
    EXPECT_NEAR(aPoint.X(), aCase.X, 1e-12) << aCase.Header << aCase.Coordinates;
    EXPECT_NEAR(aPoint.Y(), aCase.Y, 1e-12) << aCase.Header << aCase.Coordinates;
  }
}

TEST(VexGerber_Reader, IncrementalCoordinatesAddUp)
{
  for (const char* aHeader : {"%FSLIX33Y33*%%MOMM*%", "%FSLAX33Y33*%%MOMM*%G91*"})
  {
    Read aRead;
    ReadText(std::string(aHeader) + "%ADD10C,0.1*%D10*X1000Y1000D03*X1000D03*Y-500D03*M02*", aRead);
    ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
    std::vector<gp_XY> aPoints;
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(
             Sequences(*aRead.Model)[0]->GetCurve()->Children());
         anIter.More(); anIter.Next())
    {
      aPoints.push_back(anIter.Value()->FirstElement()->StartPoint());
    }
    ASSERT_EQ(aPoints.size(), 3u);
    EXPECT_TRUE(aPoints[1].IsEqual(gp_XY(2.0, 1.0), 1e-12));
    EXPECT_TRUE(aPoints[2].IsEqual(gp_XY(2.0, 0.5), 1e-12));
  }
}

TEST(VexGerber_Reader, AperturesBecomeModelApertures)
{
  Read aRead;
  ReadText("%FSLAX24Y24*%%MOIN*%%AMTHING*1,1,$1,0,0*%"
           "%ADD10C,0.01*%%ADD11C,0.1X0.05*%%ADD12R,0.1X0.2*%%ADD13O,0.2X0.1X0.05*%"
           "%ADD14P,0.1X6X30*%%ADD15THING,0.5X2*%M02*",
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  struct Expected
  {
    const char*         Name;
    int                 Shape, ToolFlag;
    std::vector<double> Params;
  };
  const Expected THE_EXPECTED[] = {
      {"D10", PenFormatData_Aperture::Shape_Round, 1, {0.254}},
      {"D11", PenFormatData_Aperture::Shape_Round, 0, {2.54, 1.27}},
      {"D12", PenFormatData_Aperture::Shape_Rectangle, 0, {2.54, 5.08}},
      {"D13", PenFormatData_Aperture::Shape_Obround, 0, {5.08, 2.54, 1.27}},
      {"D14", PenFormatData_Aperture::Shape_Polygon, 0, {2.54, 6, 30}},
      {"D15", PenFormatData_Aperture::Shape_Macro, 0, {0.5, 2}},
  };
  ASSERT_EQ(aRead.Model->NbApertures(), 7);
  for (int anIndex = 0; anIndex < 6; ++anIndex)
  {
    const Expected& anExpected                       = THE_EXPECTED[anIndex];
    const Handle(PenFormatData_Aperture)& anAperture = aRead.Model->Aperture(anIndex + 1);
    EXPECT_EQ(TCollection_AsciiString(anAperture->Name()), anExpected.Name);
    EXPECT_EQ(anAperture->ShapeCode(), anExpected.Shape) << anExpected.Name;
    EXPECT_EQ(anAperture->ToolFlag(), anExpected.ToolFlag) << anExpected.Name;
    ASSERT_EQ(anAperture->NbParams(), static_cast<int>(anExpected.Params.size()))
        << anExpected.Name;
    for (int aParam = 0; aParam < anAperture->NbParams(); ++aParam)
    {
      EXPECT_NEAR(anAperture->Param(aParam + 1), anExpected.Params[aParam], 1e-12)
          << anExpected.Name;
    }
  }
  EXPECT_EQ(aRead.Model->DimensionUnit(), PenFormatData_DU_Millimetre);
  EXPECT_FALSE(aRead.Model->FindLayer("Artwork").IsNull());
}

TEST(VexGerber_Reader, SequencesFollowTheDrawingOrder)
{
  // Joined draws, a gap, an arc continuing the contour; a flash; a rectangle flash; the same
  // round aperture again; a clear draw; a zero-length draw.
  Read aRead;
  ReadText(mm("%ADD10C,0.2*%%ADD11R,1X2*%G75*D10*X0Y0D02*X1000000Y0D01*X1000000Y1000000D01*"
              "X3000000Y0D02*X4000000Y0D01*G03X5000000Y1000000I0J1000000D01*G01*"
              "X7000000Y7000000D03*D11*X8000000Y8000000D03*D10*X9000000Y0D02*X9500000Y0D01*"
              "%LPC*%X9500000Y500000D01*%LPD*%X9500000Y500000D01*"),
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*aRead.Model);
  struct Expected
  {
    int  Aperture, Mode, Flag, Contours;
    bool Area, Clear;
  };
  const Expected THE_EXPECTED[] = {{1, 1, 1, 2, false, false}, {1, 2, 1, 1, false, false},
                                   {2, 2, 0, 1, false, false}, {1, 1, 1, 1, false, false},
                                   {1, 1, 0, 1, false, true},  {1, 2, 1, 1, false, false}};
  ASSERT_EQ(aSequences.size(), 6u);
  for (size_t anIndex = 0; anIndex < aSequences.size(); ++anIndex)
  {
    const Expected& anExpected                      = THE_EXPECTED[anIndex];
    const Handle(PenFormatData_Sequence)& aSequence = aSequences[anIndex];
    EXPECT_EQ(aSequence->ApertureNumber(), anExpected.Aperture) << anIndex;
    EXPECT_EQ(aSequence->ToolpathMode(), anExpected.Mode) << anIndex;
    EXPECT_EQ(aSequence->ToolpathFlag(), anExpected.Flag) << anIndex;
    EXPECT_EQ(aSequence->GetCurve()->Children().Size(), anExpected.Contours) << anIndex;
    EXPECT_EQ(aSequence->IsArea(), anExpected.Area) << anIndex;
    EXPECT_EQ(aSequence->IsClear(), anExpected.Clear) << anIndex;
    EXPECT_EQ(TCollection_AsciiString(aSequence->PhaseName()), "Milling");
    EXPECT_EQ(TCollection_AsciiString(aSequence->LayerName()), "Artwork");
  }
  // The second contour of the first sequence: a segment and the arc that continues it.
  const Handle(PhGeom_Curve)& aSecond = aSequences[0]->GetCurve()->Children().Last();
  ASSERT_EQ(aSecond->NbElements(), 2);
  EXPECT_EQ(aSecond->FirstElement()->Next()->Kind(), PhGeom_Element::Kind_Arc);
  EXPECT_NEAR(Area(*Sequences(*Outlined(*aRead.Model))[2]), 2.0, 1e-12);
  const VexPcb_TransferReport& aReport = aRead.Report;
  EXPECT_EQ(aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "draws"), 4);
  EXPECT_EQ(aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "arcs"), 1);
  EXPECT_EQ(aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "flashes"), 1);
  EXPECT_EQ(aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "zero-length draws (as points)"),
            1);
  EXPECT_EQ(
      aReport.Count(VexPcb_TransferReport::Outcome_Artwork, "flashes of rectangular apertures"), 1);
  EXPECT_EQ(aReport.Count(VexPcb_TransferReport::Outcome_Artwork, "clear objects"), 1);
}

TEST(VexGerber_Reader, ArcsResolveTheirCentre)
{
  // Start (1, 0) around the origin; the end point, the offsets, the mode and what must come out.
  struct Case
  {
    const char* Mode;
    const char* Arc;
    double      CenterX, CenterY, Sweep;
  };
  const Case THE_CASES[] = {
      {"G75*", "G03X0Y1000000I-1000000J0", 0.0, 0.0, M_PI / 2},
      {"G75*", "G02X0Y1000000I-1000000J0", 0.0, 0.0, -1.5 * M_PI},
      {"G75*", "G03X1000000Y0I-1000000J0", 0.0, 0.0, 2 * M_PI},
      {"G75*", "G02X1000000Y0I-1000000J0", 0.0, 0.0, -2 * M_PI},
      {"G74*", "G03X0Y1000000I1000000J0", 0.0, 0.0, M_PI / 2},
      {"G74*", "G02X0Y1000000I0J1000000", 1.0, 1.0, -M_PI / 2},
      {"G74*", "G02X0Y-1000000I1000000J0", 0.0, 0.0, -M_PI / 2},
      // A centre off by a micrometre along the chord moves onto the line between both ends.
      {"G75*", "G03X-1000000Y0I-999999J0", 0.0, 0.0, M_PI},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(
        mm(std::string("%ADD10C,0.1*%D10*") + aCase.Mode + "X1000000Y0D02*" + aCase.Arc + "D01*"),
        aRead);
    ASSERT_TRUE(aRead.Ok) << aCase.Arc << aRead.Capture.Dump();
    const PhGeom_Element& anElement = firstElement(aRead, 0);
    ASSERT_EQ(anElement.Kind(), PhGeom_Element::Kind_Arc) << aCase.Arc;
    const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElement);
    EXPECT_NEAR(anArc.Center().X(), aCase.CenterX, 1e-9) << aCase.Mode << aCase.Arc;
    EXPECT_NEAR(anArc.Center().Y(), aCase.CenterY, 1e-9) << aCase.Mode << aCase.Arc;
    EXPECT_NEAR(anArc.Angle(1) - anArc.Angle(0), aCase.Sweep, 1e-9) << aCase.Mode << aCase.Arc;
    EXPECT_TRUE(anArc.StartPoint().IsEqual(gp_XY(1.0, 0.0), 1e-12)) << aCase.Arc;
  }
}

TEST(VexGerber_Reader, RegionsAreCounterClockwiseAreas)
{
  struct Case
  {
    const char* Body;
    double      Area;
    int         Contours;
  };
  const Case THE_CASES[] = {
      // Clockwise square, turned round.
      {"G36*X0Y0D02*X0Y2000000D01*X2000000Y2000000D01*X2000000Y0D01*X0Y0D01*G37*", 4.0, 1},
      // Left open: closed by the reader.
      {"G36*X0Y0D02*X2000000Y0D01*X2000000Y2000000D01*G37*", 2.0, 1},
      // A full circle and a square in one statement.
      {"G75*G36*X1000000Y0D02*G03X1000000Y0I-1000000J0D01*G01*X5000000Y0D02*X6000000Y0D01*"
       "X6000000Y1000000D01*X5000000Y1000000D01*X5000000Y0D01*G37*",
       M_PI + 1.0, 2},
      // A square with a square hole made by a cut-in.
      {"G36*X0Y0D02*X4000000Y0D01*X4000000Y4000000D01*X0Y4000000D01*X0Y0D01*X1000000Y1000000D01*"
       "X1000000Y3000000D01*X3000000Y3000000D01*X3000000Y1000000D01*X1000000Y1000000D01*X0Y0D01*"
       "G37*",
       12.0, 1},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(mm(aCase.Body), aRead);
    ASSERT_TRUE(aRead.Ok) << aCase.Body << aRead.Capture.Dump();
    const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*aRead.Model);
    ASSERT_EQ(aSequences.size(), 1u);
    EXPECT_TRUE(aSequences[0]->IsArea());
    EXPECT_EQ(aSequences[0]->ToolpathFlag(), 0);
    EXPECT_EQ(aSequences[0]->ApertureNumber(), 0);
    EXPECT_EQ(aSequences[0]->GetCurve()->Children().Size(), aCase.Contours) << aCase.Body;
    EXPECT_NEAR(Area(*aSequences[0]), aCase.Area, 1e-9) << aCase.Body;
  }
}

TEST(VexGerber_Reader, StepAndRepeatCopiesTheBlock)
{
  Read aRead;
  ReadText(mm("%ADD10C,0.1*%%SRX3Y2I10J5*%D10*X0Y0D02*X1000000Y0D01*X0Y0D03*%SR*%X100000000Y0D03*"),
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Toolpath, "draws"), 6);
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Toolpath, "flashes"), 7);
  // The last copy is at (20, 5); the flash after the block is not copied.
  const std::vector<Feature> aFeatures = Features(*aRead.Model);
  int                        aCopies   = 0;
  for (const Feature& aFeature : aFeatures)
  {
    aCopies += aFeature.Kind == 'P' && std::abs(aFeature.Values[0] - 20.0) < 1e-9 &&
                       std::abs(aFeature.Values[1] - 5.0) < 1e-9
                   ? 1
                   : 0;
  }
  EXPECT_EQ(aCopies, 1);
}

TEST(VexGerber_Reader, ApertureTransformations)
{
  struct Case
  {
    const char* Transform;
    double      MinX, MinY, MaxX, MaxY;
  };
  // A 2 x 1 rectangle flashed at the origin, then transformed.
  const Case THE_CASES[] = {
      {"", -1.0, -0.5, 1.0, 0.5},
      {"%LR90*%", -0.5, -1.0, 0.5, 1.0},
      {"%LS2*%", -2.0, -1.0, 2.0, 1.0},
      {"%LMXY*%%LR45*%", -1.06066, -1.06066, 1.06066, 1.06066},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(mm(std::string("%ADD11R,2X1*%") + aCase.Transform + "D11*X0Y0D03*"), aRead);
    ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
    const Handle(PenFormatData_Model) anOutlined = Outlined(*aRead.Model);
    const std::vector<Feature> aFeatures         = Features(*anOutlined);
    double                     aBox[4]           = {1e9, 1e9, -1e9, -1e9};
    for (const Feature& aFeature : aFeatures)
    {
      for (int aPoint = 0; aPoint < 2; ++aPoint)
      {
        aBox[0] = std::min(aBox[0], aFeature.Values[2 * aPoint]);
        aBox[1] = std::min(aBox[1], aFeature.Values[2 * aPoint + 1]);
        aBox[2] = std::max(aBox[2], aFeature.Values[2 * aPoint]);
        aBox[3] = std::max(aBox[3], aFeature.Values[2 * aPoint + 1]);
      }
    }
    EXPECT_NEAR(aBox[0], aCase.MinX, 1e-5) << aCase.Transform;
    EXPECT_NEAR(aBox[1], aCase.MinY, 1e-5) << aCase.Transform;
    EXPECT_NEAR(aBox[2], aCase.MaxX, 1e-5) << aCase.Transform;
    EXPECT_NEAR(aBox[3], aCase.MaxY, 1e-5) << aCase.Transform;
    EXPECT_GT(Area(*Sequences(*anOutlined)[0]), 0.0) << aCase.Transform; // mirrored, still CCW
  }
  // A scaled round aperture strokes with a variant of its own.
  Read aRead;
  ReadText(mm("%ADD10C,0.1*%D10*X0Y0D02*X1000000Y0D01*%LS2*%X2000000Y0D01*"), aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  ASSERT_EQ(aRead.Model->NbApertures(), 3);
  EXPECT_EQ(TCollection_AsciiString(aRead.Model->Aperture(2)->Name()), "D10_1");
  EXPECT_NEAR(aRead.Model->Aperture(2)->Param(1), 0.2, 1e-12);
  EXPECT_EQ(Sequences(*aRead.Model).size(), 2u);
}

TEST(VexGerber_Reader, DrawsWithOtherShapesCoverTheSweptShape)
{
  // A 2 x 2 square (and a 2 x 1 obround) drawn along paths shorter and longer than itself: the
  // filled area is the shape at the start, swept to the end.
  struct Case
  {
    const char* Path;
    double      Area;
  };
  const Case THE_CASES[] = {
      {"X0Y500000D01*", 4.0 + 2.0 * 0.5},            // shorter than the square
      {"X0Y3000000D01*", 4.0 + 2.0 * 3.0},           // longer
      {"X500000Y500000D01*", 4.0 + 2.0 * 2.0 * 0.5}, // short diagonal
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(mm(std::string("%ADD11R,2X2*%D11*X0Y0D02*") + aCase.Path), aRead);
    ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
    const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*aRead.Model);
    ASSERT_EQ(aSequences.size(), 1u) << aCase.Path;
    EXPECT_TRUE(aSequences[0]->IsArea());
    EXPECT_NEAR(Area(*aSequences[0]), aCase.Area, 1e-6) << aCase.Path;
  }
}

TEST(VexGerber_Reader, SeveralFilesIntoOneModel)
{
  Read aRead;
  ReadText(mm("%ADD10C,0.1*%D10*X0Y0D03*"), aRead);
  ASSERT_TRUE(aRead.Ok);
  // Same aperture: shared. Different aperture under the same D code: renamed.
  VexPcb_ImportOptions anOptions;
  anOptions.Layer = "Second";
  ReadText(mm("%ADD10C,0.1*%%ADD11C,0.3*%D10*X0Y0D03*D11*X0Y0D03*"), aRead, VexGerber_Limits(),
           anOptions);
  ASSERT_TRUE(aRead.Ok);
  ReadText(mm("%ADD11C,0.5*%D11*X0Y0D03*"), aRead);
  ASSERT_TRUE(aRead.Ok);
  ASSERT_EQ(aRead.Model->NbApertures(), 4);
  EXPECT_EQ(TCollection_AsciiString(aRead.Model->Aperture(2)->Name()), "D11");
  EXPECT_EQ(TCollection_AsciiString(aRead.Model->Aperture(3)->Name()), "D11_1");
  EXPECT_EQ(aRead.Model->NbLayers(), 2);
  // A file that fails leaves the model as it was.
  const int anObjects = aRead.Model->Objects().Size();
  ReadText(mm("%ADD12C,0.7*%D12*X0Y0D03*G36*"), aRead);
  EXPECT_FALSE(aRead.Ok);
  EXPECT_EQ(aRead.Model->Objects().Size(), anObjects);
  EXPECT_EQ(aRead.Model->NbApertures(), 4);
}

TEST(VexGerber_Reader, ReadAndIgnoredCommandsAreCounted)
{
  Read aRead;
  ReadText("G04 made by hand*\n%TF.FileFunction,Copper,L1,Top*%\n%FSLAX36Y36*%%MOMM*%%IPPOS*%"
           "%LNTOP*%%INBOARD*%%ICAS*%%ASAXBY*%%MIA0B0*%%SFA1B1*%%IR0*%"
           "%TA.AperFunction,Conductor*%%ADD10C,0.1*%%TD*%G54D10*%TO.N,GND*%X0Y0D03*G04 end*M02*",
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Ignored, "attributes"), 4);
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Ignored, "comments"), 2);
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Ignored, "layer names"), 1);
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Ignored,
                               "deprecated image parameters at their neutral value"),
            4);
  EXPECT_EQ(aRead.Capture.Messages().size(), 0u);
}

TEST(VexGerber_Reader, ProbeTellsGerberFromOtherFiles)
{
  const std::pair<const char*, bool> THE_CASES[] = {
      {"%FSLAX36Y36*%\n%MOMM*%\n", true},
      {"G04 comment*\nG01*\n", true},
      {"*\nG04 Job*\n%ICAS*%\n", true},
      {"G75*\nG70*\n%OFA0B0*%\n", true},
      {"%TF.GenerationSoftware,x*%\n", true},
      {"M48\nMETRIC,TZ\nT01C0.800\n%\nT01\nX1Y1\nM30\n", false},
      {"M48\n;FILE_FORMAT=2:4\nINCH,LZ\nT1C0.02\n%\n", false},
      {"QUOR_Mill_Drill File (VEX) Version 3\x1a", false},
      {"D012*\nX1776Y1024D02*\n", false},
      {"plain text with a * star\n", false},
  };
  for (const auto& aCase : THE_CASES)
  {
    EXPECT_EQ(VexGerber_Reader::Probe(aCase.first, std::strlen(aCase.first)), aCase.second)
        << aCase.first;
  }
  EXPECT_FALSE(VexGerber_Reader::Probe("%FS\0LAX*", 8));
}
