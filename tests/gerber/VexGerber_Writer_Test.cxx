// Copyright (c) 2026 VexData developers
// The Gerber writer: models written and read back give the same geometry within 0.1 um (arcs
// included), gerbv reads every file written without a complaint (regions only and empty files
// too), and gerbv's own export of it reads back to the same geometry too.
#include <VexGerber_TestModel.hxx>
#include <VexTest_Gerbv.hxx>

#include <VexGerber_Writer.hxx>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace VexGerber_TestModel;

namespace
{
//! Coordinates may move by this much (millimetres: 0.1 um) through a write and a read.
const double THE_TOLERANCE = 1.0e-4;

//! gerbv writes aperture sizes in inches with four decimals: half a unit of the last digit.
const double THE_GERBV_WIDTH = 0.0000501 * 25.4;

// Every kind of artwork the reader makes: macro, rectangle, obround, polygon and ring flashes,
// swept rectangles, regions with arcs, clear polarity, step and repeat.
const char* const THE_DESIGN =
    "%FSLAX26Y26*%%MOIN*%%AMTHERM*7,0,0,0.1,0.06,0.02,45*%%AMBOX*21,1,$1,$2,0,0,30*1,0,$3,0,0*%"
    "%ADD10C,0.01*%%ADD11R,0.06X0.04*%%ADD12O,0.08X0.04*%%ADD13P,0.05X5X10*%%ADD14C,0.06X0.03*%"
    "%ADD15THERM*%%ADD16BOX,0.1X0.05X0.02*%G75*"
    "D10*X0Y0D02*X1000000Y0D01*G03X1500000Y500000I0J500000D01*G01*"
    "D11*X200000Y200000D03*X300000Y200000D01*D12*X400000Y200000D03*D13*X500000Y200000D03*"
    "D14*X600000Y200000D03*D15*X700000Y200000D03*D16*X800000Y200000D03*"
    "G36*X0Y1000000D02*X500000Y1000000D01*G03X500000Y1500000I0J250000D01*G01*X0Y1000000D01*G37*"
    "%LPC*%D10*X250000Y1100000D03*G36*X100000Y1100000D02*X200000Y1100000D01*X200000Y1200000D01*"
    "G37*%LPD*%%SRX2Y2I1J1*%D11*X2000000Y2000000D03*%SR*%M02*";

// Flashes of every standard shape under aperture transformations that a model aperture says:
// quarter turns, mirrors, scales, polygons turned by any angle; dark and clear.
const char* const THE_FLASHES =
    "%FSLAX46Y46*%%MOMM*%%ADD10R,2X1*%%ADD11O,1X2.5X0.3*%%ADD12P,2X5X10X0.5*%%ADD13C,1.5X0.5*%"
    "%ADD14P,2X3*%D10*X0Y0D03*%LR90*%X5000000Y0D03*%LR0*%%LS1.5*%X10000000Y0D03*%LS1*%"
    "D11*%LR270*%X0Y5000000D03*%LR0*%D12*%LMX*%%LR30*%X5000000Y5000000D03*%LMY*%%LR0*%"
    "X10000000Y5000000D03*%LMN*%D13*%LR33*%X0Y10000000D03*%LR0*%D14*%LMXY*%X5000000Y10000000D03*"
    "%LMN*%G36*X-2000000Y12000000D02*X12000000Y12000000D01*X12000000Y20000000D01*"
    "X-2000000Y20000000D01*G37*%LPC*%D10*%LR90*%X0Y15000000D03*D12*%LMY*%X5000000Y15000000D03*"
    "%LMN*%%LR0*%D14*%LS0.5*%X10000000Y15000000D03*M02*";

//! Builds a model with every kind of object the writer writes.
class ModelMaker
{
public:
  ModelMaker(const PenFormatData_DimensionUnit theUnit) : myModel(new PenFormatData_Model(theUnit))
  {
    addAperture(1, "T1", 0.3);
    addAperture(2, "T2", 1.0);
  }

  //! Adds a round tool aperture.
  void addAperture(const int theNumber, const char* theName, const double theWidth)
  {
    Handle(PenFormatData_Aperture) anAperture =
        new PenFormatData_Aperture(1, theName, Handle(Standard_Transient)(), 0);
    anAperture->SetParam(&theWidth, 1);
    anAperture->SetToolFlag(1);
    myModel->SetAperture(theNumber, anAperture);
  }

  //! Adds a sequence and returns its container.
  Handle(PhGeom_Curve)
      sequence(const int theAperture, const int theMode, const bool isToolpath, const bool isArea,
               const bool isClear, const char* thePhase = "Milling")
  {
    Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(myModel->Allocator(), 0);
    Handle(PenFormatData_Sequence) aSequence =
        new PenFormatData_Sequence(theAperture, 0, aContainer);
    aSequence->SetToolpathMode(theMode);
    aSequence->SetToolpathFlag(isToolpath ? 1 : 0);
    aSequence->SetArea(isArea);
    aSequence->SetClear(isClear);
    aSequence->SetPhaseName(thePhase);
    aSequence->SetLayerName("Top");
    myModel->AddObject(aSequence);
    return aContainer;
  }

  //! Adds a child contour to theContainer and returns it.
  Handle(PhGeom_Curve) contour(const Handle(PhGeom_Curve) & theContainer)
  {
    Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(myModel->Allocator(), 0);
    theContainer->AddChild(aCurve);
    return aCurve;
  }

  //! The model with every kind of object.
  Handle(PenFormatData_Model) Everything()
  {
    Handle(PhGeom_Curve) aPaths = sequence(1, 1, true, false, false);
    Handle(PhGeom_Curve) anOpen = contour(aPaths);
    anOpen->CreateSegment(gp_XY(0.0, 0.0), gp_XY(10.0, 0.0));
    anOpen->CreateArc(gp_XY(10.0, 5.0), 5.0, -M_PI / 2, M_PI / 2, 1);
    anOpen->CreateSegment(gp_XY(10.0, 10.0), gp_XY(0.1234567, 10.7654321));
    anOpen->CreateArc(gp_XY(0.0, 20.0), 9.23, -1.5, -3.0, 0);
    contour(aPaths)->CreateArc(gp_XY(20.0, 20.0), 3.0, 0.3, 0.3 - 2 * M_PI, 0);
    contour(aPaths)->CreateArc(gp_XY(-20.0, 20.0), 2.5, 1.0, 1.0 + 2 * M_PI, 1);
    Handle(PhGeom_Curve) aPoints = sequence(2, 2, true, false, false);
    contour(aPoints)->CreatePoint(gp_XY(1.2345678, 2.3456789));
    contour(aPoints)->CreatePoint(gp_XY(-5.0, -5.5));
    // A square with a round hole, and a disc beside it.
    Handle(PhGeom_Curve) anAreas = sequence(0, 1, false, true, false);
    Handle(PhGeom_Curve) aSquare = contour(anAreas);
    const gp_XY aCorners[4]      = {gp_XY(30, 0), gp_XY(34, 0), gp_XY(34, 4), gp_XY(30, 4)};
    for (int anIndex = 0; anIndex < 4; ++anIndex)
    {
      aSquare->CreateSegment(aCorners[anIndex], aCorners[(anIndex + 1) % 4]);
    }
    contour(anAreas)->CreateArc(gp_XY(32, 2), 1.0, 0.0, -2 * M_PI, 0);
    contour(anAreas)->CreateArc(gp_XY(40, 2), 1.5, 0.0, 2 * M_PI, 1);
    // Clear strokes, clear points, a clear area.
    contour(sequence(1, 1, false, false, true))->CreateSegment(gp_XY(31, 1), gp_XY(33, 3));
    contour(sequence(2, 2, false, false, true))->CreatePoint(gp_XY(32, 3.5));
    Handle(PhGeom_Curve) aClear = contour(sequence(0, 1, false, true, true));
    aClear->CreateArc(gp_XY(40, 2), 0.5, 0.0, 2 * M_PI, 1);
    // A sequence of another phase, and one that is neither toolpath nor artwork.
    contour(sequence(1, 1, true, false, false, "Drilling"))
        ->CreateSegment(gp_XY(0, 0), gp_XY(1, 1));
    contour(sequence(0, 1, false, false, false))->CreateSegment(gp_XY(5, 5), gp_XY(6, 6));
    return myModel;
  }

  //! A model of regions only, as a copper pour or a board area is; no aperture draws.
  Handle(PenFormatData_Model) RegionsOnly()
  {
    Handle(PhGeom_Curve) anAreas = sequence(0, 1, false, true, false);
    Handle(PhGeom_Curve) aSquare = contour(anAreas);
    const gp_XY aCorners[4]      = {gp_XY(0, 0), gp_XY(10, 0), gp_XY(10, 10), gp_XY(0, 10)};
    for (int anIndex = 0; anIndex < 4; ++anIndex)
    {
      aSquare->CreateSegment(aCorners[anIndex], aCorners[(anIndex + 1) % 4]);
    }
    contour(anAreas)->CreateArc(gp_XY(20, 5), 2.0, 0.0, 2 * M_PI, 1);
    return myModel;
  }

  //! Adds to theContainer a square of theSide from theCorner, clockwise when isHole.
  void square(const Handle(PhGeom_Curve) & theContainer, const gp_XY& theCorner,
              const double theSide, const bool isHole)
  {
    Handle(PhGeom_Curve) aSquare = contour(theContainer);
    gp_XY aCorners[4]            = {theCorner, theCorner + gp_XY(theSide, 0.0),
                                    theCorner + gp_XY(theSide, theSide), theCorner + gp_XY(0.0, theSide)};
    if (isHole)
    {
      std::swap(aCorners[1], aCorners[3]);
    }
    for (int anIndex = 0; anIndex < 4; ++anIndex)
    {
      aSquare->CreateSegment(aCorners[anIndex], aCorners[(anIndex + 1) % 4]);
    }
  }

  //! One area sequence: a square of 100 with a grid of 7 x 7 square holes of 1; a square of 10
  //! with a round hole of radius 1, followed by one more hole of the first square (held by an
  //! outline that is not the last one); and a hole that nothing holds.
  Handle(PenFormatData_Model) ManyHoles()
  {
    Handle(PhGeom_Curve) anAreas = sequence(0, 1, false, true, false);
    square(anAreas, gp_XY(0, 0), 100.0, false);
    for (int anIndex = 0; anIndex < 49; ++anIndex)
    {
      square(anAreas, gp_XY(10 + 12 * (anIndex % 7), 10 + 12 * (anIndex / 7)), 1.0, true);
    }
    square(anAreas, gp_XY(200, 0), 10.0, false);
    contour(anAreas)->CreateArc(gp_XY(205, 5), 1.0, 0.0, -2 * M_PI, 0);
    square(anAreas, gp_XY(95, 95), 1.0, true);
    square(anAreas, gp_XY(500, 500), 1.0, true);
    return myModel;
  }

  //! Point toolpaths at thePoints.
  Handle(PenFormatData_Model) Points(const std::vector<gp_XY>& thePoints)
  {
    Handle(PhGeom_Curve) aPoints = sequence(2, 2, true, false, false);
    for (const gp_XY& aPoint : thePoints)
    {
      contour(aPoints)->CreatePoint(aPoint);
    }
    return myModel;
  }

private:
  Handle(PenFormatData_Model) myModel;
};

//! Writes theModel with theOptions and returns the text; fails the test on a write fault.
std::string write(const PenFormatData_Model&     theModel,
                  const VexGerber_WriterOptions& theOptions = VexGerber_WriterOptions())
{
  std::ostringstream    aStream;
  VexPcb_TransferReport aCounts;
  EXPECT_TRUE(VexGerber_Writer::Write(theModel, theOptions, aStream, aCounts));
  return aStream.str();
}

//! Returns the features of theModel converted to millimetres.
std::vector<Feature> featuresInMillimetres(const PenFormatData_Model& theModel)
{
  std::vector<Feature> aFeatures = Features(theModel);
  const double         aFactor   = theModel.DimensionUnit() == PenFormatData_DU_Inch ? 25.4 : 1.0;
  for (Feature& aFeature : aFeatures)
  {
    aFeature.Width *= aFactor;
    for (double& aValue : aFeature.Values)
    {
      aValue *= aFactor;
    }
  }
  return aFeatures;
}

//! The features of theModel without the one object that is not written (from (5, 5) to (6, 6)).
std::vector<Feature> writtenFeatures(const PenFormatData_Model& theModel)
{
  std::vector<Feature> aFeatures = featuresInMillimetres(theModel);
  const double         aFactor   = theModel.DimensionUnit() == PenFormatData_DU_Inch ? 25.4 : 1.0;
  aFeatures.erase(std::remove_if(aFeatures.begin(), aFeatures.end(),
                                 [aFactor](const Feature& theFeature)
                                 {
                                   return theFeature.Kind == 'S' &&
                                          std::abs(theFeature.Values[0] - 5 * aFactor) < 1e-9 &&
                                          std::abs(theFeature.Values[1] - 5 * aFactor) < 1e-9;
                                 }),
                  aFeatures.end());
  return aFeatures;
}

//! Writes theModel to a file named after theName, has gerbv export it and reads the export into
//! theRead; fails the test when gerbv fails or complains. Returns both files (ours, gerbv's).
std::pair<std::string, std::string> throughGerbv(const PenFormatData_Model& theModel,
                                                 const std::string& theName, Read& theRead)
{
  const std::string anOurs  = ::testing::TempDir() + "vexgerber-" + theName + "-ours.gbr";
  const std::string aTheirs = ::testing::TempDir() + "vexgerber-" + theName + "-theirs.gbr";
  {
    std::ofstream aFile(anOurs, std::ios::binary);
    aFile << write(theModel);
  }
  std::string aPrinted;
  EXPECT_EQ(ExportWithGerbv(anOurs, aTheirs, aPrinted), 0) << aPrinted;
  EXPECT_EQ(aPrinted, "") << "gerbv complained about " << anOurs;
  ReadText(FileText(aTheirs), theRead);
  EXPECT_TRUE(theRead.Ok) << theRead.Capture.Dump();
  return std::make_pair(anOurs, aTheirs);
}

//! Removes theFiles unless the test has failed (then they are kept for a look).
void removeUnlessFailed(const std::pair<std::string, std::string>& theFiles)
{
  if (!::testing::Test::HasFailure())
  {
    unlink(theFiles.first.c_str());
    unlink(theFiles.second.c_str());
  }
}
} // namespace

TEST(VexGerber_Writer, ModelsReadBackWithinATenthOfAMicrometre)
{
  for (const PenFormatData_DimensionUnit aUnit :
       {PenFormatData_DU_Millimetre, PenFormatData_DU_Inch})
  {
    const Handle(PenFormatData_Model) aModel = ModelMaker(aUnit).Everything();
    VexGerber_WriterOptions anOptions;
    anOptions.Phase = "";
    std::ostringstream    aStream;
    VexPcb_TransferReport aCounts;
    ASSERT_TRUE(VexGerber_Writer::Write(*aModel, anOptions, aStream, aCounts));
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Toolpath, "arcs"), 4);
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Toolpath, "draws"), 3);
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Toolpath, "flashes"), 2);
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "regions"), 2);
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "clear objects"), 3);
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Ignored,
                            "objects that are neither toolpaths nor artwork"),
              1);
    Read aRead;
    ReadText(aStream.str(), aRead);
    ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump() << aStream.str();
    const std::vector<Feature> anExpected = writtenFeatures(*aModel);
    EXPECT_EQ(CompareFeatures(anExpected, Features(*aRead.Model), THE_TOLERANCE, 1e-9), "")
        << aStream.str();
  }
}

TEST(VexGerber_Writer, PhaseAndLayerFilters)
{
  const Handle(PenFormatData_Model) aModel = ModelMaker(PenFormatData_DU_Millimetre).Everything();
  struct Case
  {
    const char* Phase;
    const char* Layer;
    bool        Artwork;
    int         Draws, Regions;
  };
  const Case THE_CASES[] = {{"", "", true, 3, 2},
                            {"Milling", "", true, 2, 2},
                            {"Drilling", "Top", true, 1, 0},
                            {"Milling", "Bottom", true, 0, 0},
                            {"Milling", "Top", false, 2, 0}};
  for (const Case& aCase : THE_CASES)
  {
    VexGerber_WriterOptions anOptions;
    anOptions.Phase   = aCase.Phase;
    anOptions.Layer   = aCase.Layer;
    anOptions.Artwork = aCase.Artwork;
    std::ostringstream    aStream;
    VexPcb_TransferReport aCounts;
    ASSERT_TRUE(VexGerber_Writer::Write(*aModel, anOptions, aStream, aCounts));
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Toolpath, "draws"), aCase.Draws)
        << aCase.Phase << "/" << aCase.Layer;
    EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "regions"), aCase.Regions)
        << aCase.Phase << "/" << aCase.Layer;
    Read aRead;
    ReadText(aStream.str(), aRead);
    EXPECT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  }
}

TEST(VexGerber_Writer, ImportedDesignsWriteBack)
{
  Read aFirst;
  ReadText(THE_DESIGN, aFirst);
  ASSERT_TRUE(aFirst.Ok) << aFirst.Capture.Dump();
  const std::string aText = write(*aFirst.Model);
  Read              aSecond;
  ReadText(aText, aSecond);
  ASSERT_TRUE(aSecond.Ok) << aSecond.Capture.Dump();
  EXPECT_EQ(CompareFeatures(Features(*aFirst.Model), Features(*aSecond.Model), THE_TOLERANCE, 1e-9),
            "");
  const std::vector<Handle(PenFormatData_Sequence)> aBefore      = Sequences(*aFirst.Model);
  const std::vector<Handle(PenFormatData_Sequence)> anAfter      = Sequences(*aSecond.Model);
  double                                            anAreaBefore = 0.0, anAreaAfter = 0.0;
  for (const Handle(PenFormatData_Sequence) & aSequence : aBefore)
  {
    anAreaBefore += aSequence->IsArea() ? Area(*aSequence) : 0.0;
  }
  for (const Handle(PenFormatData_Sequence) & aSequence : anAfter)
  {
    anAreaAfter += aSequence->IsArea() ? Area(*aSequence) : 0.0;
  }
  EXPECT_NEAR(anAreaBefore, anAreaAfter, 1e-6);
}

TEST(VexGerber_Writer, GerbvReadsWhatWeWriteAndItsExportReadsBack)
{
  if (!HasGerbv())
  {
    VEX_TEST_SKIP_WITHOUT_GERBV()
        << "gerbv is not installed (scripts/install-deps.sh installs it): skipped";
  }
  Read aDesign;
  ReadText(THE_DESIGN, aDesign);
  ASSERT_TRUE(aDesign.Ok);
  const Handle(PenFormatData_Model)
      aModels[] = {ModelMaker(PenFormatData_DU_Millimetre).Everything(),
                   ModelMaker(PenFormatData_DU_Inch).Everything(), aDesign.Model,
                   ModelMaker(PenFormatData_DU_Millimetre).RegionsOnly()};
  int anIndex   = 0;
  for (const Handle(PenFormatData_Model) & aModel : aModels)
  {
    Read       aRead;
    const auto aFiles = throughGerbv(*aModel, std::to_string(anIndex++), aRead);
    ASSERT_TRUE(aRead.Ok);
    EXPECT_EQ(CompareFeatures(writtenFeatures(*aModel), Features(*aRead.Model), THE_TOLERANCE,
                              THE_GERBV_WIDTH),
              "")
        << aFiles.first << " through gerbv";
    removeUnlessFailed(aFiles);
  }
}

TEST(VexGerber_Writer, GerbvReadsFlashesOfEveryShapeAsTheyWereRead)
{
  // Written as flashes of their shapes, read by gerbv and exported by it: the same outlines
  // within gerbv's aperture precision, and flashes again when we read gerbv's export.
  if (!HasGerbv())
  {
    VEX_TEST_SKIP_WITHOUT_GERBV()
        << "gerbv is not installed (scripts/install-deps.sh installs it): skipped";
  }
  Read aDesign;
  ReadText(THE_FLASHES, aDesign);
  ASSERT_TRUE(aDesign.Ok) << aDesign.Capture.Dump();
  Read       aRead;
  const auto aFiles = throughGerbv(*aDesign.Model, "flashes", aRead);
  ASSERT_TRUE(aRead.Ok);
  EXPECT_EQ(CompareFeatures(Features(*Outlined(*aDesign.Model)), Features(*Outlined(*aRead.Model)),
                            THE_GERBV_WIDTH, THE_GERBV_WIDTH),
            "")
      << aFiles.first << " through gerbv";
  int aFlashes = 0;
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(*aRead.Model))
  {
    aFlashes +=
        IsShapedFlashes(*aRead.Model, *aSequence) ? aSequence->GetCurve()->Children().Extent() : 0;
  }
  EXPECT_EQ(aFlashes, 11);
  removeUnlessFailed(aFiles);
}

TEST(VexGerber_Writer, GerbvReadsAFileWithoutDrawsWithoutAMessage)
{
  // A file of regions only, or of nothing, declares one aperture: without any, gerbv takes it for
  // the older form of the format and warns. (gerbv's own export of an empty file crashes, so the
  // picture is all that is asked of it here.)
  if (!HasGerbv())
  {
    GTEST_SKIP() << "gerbv is not installed (scripts/install-deps.sh installs it): skipped";
  }
  const Handle(PenFormatData_Model) aModels[] = {
      ModelMaker(PenFormatData_DU_Millimetre).RegionsOnly(), new PenFormatData_Model()};
  const std::string aFile = ::testing::TempDir() + "vexgerber-nodraws.gbr";
  for (const Handle(PenFormatData_Model) & aModel : aModels)
  {
    const std::string aText = write(*aModel);
    EXPECT_NE(aText.find("%ADD10C,0.010000*%\n"), std::string::npos) << aText;
    std::ofstream(aFile, std::ios::binary) << aText;
    FILE*       aPipe = popen(("gerbv -x png -o /dev/null '" + aFile + "' 2>&1").c_str(), "r");
    std::string aPrinted;
    char        aBuffer[4096];
    while (size_t aRead = fread(aBuffer, 1, sizeof(aBuffer), aPipe))
    {
      aPrinted.append(aBuffer, aRead);
    }
    EXPECT_EQ(pclose(aPipe), 0);
    EXPECT_EQ(aPrinted, "") << aText;
  }
  unlink(aFile.c_str());
}

TEST(VexGerber_Writer, AFailingStreamGivesTheLine)
{
  // A stream buffer that takes theLimit bytes and then fails.
  class Limited : public std::streambuf
  {
  public:
    explicit Limited(const int theLimit) : myLeft(theLimit) {}

  protected:
    int overflow(int theChar) override { return myLeft-- > 0 ? theChar : traits_type::eof(); }

  private:
    int myLeft;
  };
  // Twenty thousand flashes write several of the writer's pieces: the stream fails in the first
  // one, or after whole pieces were written.
  std::string aText = "%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.5*%\nD10*\n";
  for (int anIndex = 0; anIndex < 20000; ++anIndex)
  {
    aText += "X" + std::to_string(anIndex * 1000) + "Y" + std::to_string(anIndex % 97) + "D03*\n";
  }
  VexGerber_TestModel::Read aRead;
  aRead.Model = new PenFormatData_Model();
  VexGerber_TestModel::ReadText(aText + "M02*\n", aRead);
  ASSERT_TRUE(aRead.Ok);
  const std::string aWhole = write(*aRead.Model);
  for (const int aLimit : {200, (1 << 16) + 300, 2 * (1 << 16) + 2000})
  {
    ASSERT_LT(aLimit, static_cast<int>(aWhole.size()));
    Limited               aBuffer(aLimit);
    std::ostream          aStream(&aBuffer);
    VexPcb_TransferReport aCounts;
    EXPECT_FALSE(
        VexGerber_Writer::Write(*aRead.Model, VexGerber_WriterOptions(), aStream, aCounts));
    ASSERT_TRUE(aCounts.HasFault());
    // The line that did not fit: the one after the lines the bytes taken end.
    EXPECT_EQ(aCounts.FaultLine(), std::count(aWhole.begin(), aWhole.begin() + aLimit, '\n') + 1)
        << aLimit;
  }
}

TEST(VexGerber_Writer, NegativeImagesStayNegative)
{
  Read aFirst;
  ReadText("%FSLAX23Y23*%%MOIN*%%IPNEG*%%ADD10C,0.05*%D10*X100Y100D03*M02*", aFirst);
  ASSERT_TRUE(aFirst.Ok) << aFirst.Capture.Dump();
  EXPECT_EQ(aFirst.Model->ImagePolarity(), PenFormatData_IP_Negative);
  const std::string aText = write(*aFirst.Model);
  EXPECT_NE(aText.find("TF.FilePolarity,Negative"), std::string::npos);
  Read aSecond;
  ReadText(aText, aSecond);
  ASSERT_TRUE(aSecond.Ok) << aSecond.Capture.Dump();
  EXPECT_EQ(aSecond.Model->ImagePolarity(), PenFormatData_IP_Negative);
  // A negative file into a model that already holds a positive image is refused.
  Read aMixed;
  ReadText("%FSLAX23Y23*%%MOIN*%%ADD10C,0.05*%D10*X100Y100D03*M02*", aMixed);
  ReadText("%FSLAX23Y23*%%MOIN*%\n%IPNEG*%%ADD10C,0.05*%D10*X100Y100D03*M02*", aMixed);
  EXPECT_FALSE(aMixed.Ok);
  EXPECT_EQ(aMixed.Report.FaultLine(), 2);
  EXPECT_EQ(aMixed.Capture.Count("VEX_GERBER_NEGATIVE_IMAGE"), 1);
  EXPECT_EQ(aMixed.Model->ImagePolarity(), PenFormatData_IP_Positive);
}

TEST(VexGerber_Writer, HolesGoWithTheOutlineThatHoldsThem)
{
  // Each outline is one region with its holes cut in; the hole that nothing holds fills by
  // itself. Read back, the regions cover the outlines less their holes, and written again they
  // give the same text.
  const Handle(PenFormatData_Model) aModel = ModelMaker(PenFormatData_DU_Millimetre).ManyHoles();
  std::ostringstream    aStream;
  VexPcb_TransferReport aCounts;
  ASSERT_TRUE(VexGerber_Writer::Write(*aModel, VexGerber_WriterOptions(), aStream, aCounts));
  EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "regions"), 3);
  Read aRead;
  ReadText(aStream.str(), aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(*aRead.Model);
  ASSERT_EQ(aSequences.size(), 1u);
  EXPECT_EQ(aSequences[0]->GetCurve()->Children().Extent(), 3);
  EXPECT_NEAR(Area(*aSequences[0]), (10000.0 - 50.0) + (100.0 - M_PI) + 1.0, 1e-6);
  EXPECT_EQ(write(*aRead.Model), aStream.str());
}

TEST(VexGerber_Writer, CoordinatesAreWholeNanometresExactly)
{
  // Rounding to the nearest nanometre, signs, zero (never "-0") and large values, in millimetres
  // and in inches.
  struct Case
  {
    PenFormatData_DimensionUnit Unit;
    gp_XY                       Point;
    const char*                 Line;
  };
  const Case THE_CASES[] = {
      {PenFormatData_DU_Millimetre, gp_XY(0.0, -1.0e-12), "\nX0Y0D03*\n"},
      {PenFormatData_DU_Millimetre, gp_XY(-0.0000004, 0.0000006), "\nX0Y1D03*\n"},
      {PenFormatData_DU_Millimetre, gp_XY(-0.0000006, 0.0000014), "\nX-1Y1D03*\n"},
      {PenFormatData_DU_Millimetre, gp_XY(1234.5678904, -98765.4321),
       "\nX1234567890Y-98765432100D03*\n"},
      {PenFormatData_DU_Millimetre, gp_XY(-1.0e7, 1.0e7),
       "\nX-10000000000000Y10000000000000D03*\n"},
      {PenFormatData_DU_Inch, gp_XY(1.0, -0.001), "\nX25400000Y-25400D03*\n"}};
  for (const Case& aCase : THE_CASES)
  {
    const std::string aText = write(*ModelMaker(aCase.Unit).Points({aCase.Point}));
    EXPECT_NE(aText.find(aCase.Line), std::string::npos) << aCase.Line << " in\n" << aText;
  }
}
