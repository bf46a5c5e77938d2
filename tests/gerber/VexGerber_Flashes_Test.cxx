// Copyright (c) 2026 VexData developers
// Flashes of rectangles, obrounds, polygons, rings and macros stay flashes: the model aperture a
// flash becomes under each aperture transformation, the area a read flash draws against the
// outline the reader made of it before (dark and clear), writing such flashes as flashes and
// reading them back, and what is refused and stays an outline.
#include <VexGerber_TestModel.hxx>
#include <VexTest_ModelBuilder.hxx>

#include <VexGeom_DrawnArea.hxx>
#include <VexGeom_Polygons.hxx>
#include <VexGerber_FlashAperture.hxx>
#include <VexGerber_Macro.hxx>
#include <VexGerber_Shapes.hxx>
#include <VexGerber_Writer.hxx>

#include <gtest/gtest.h>

#include <sstream>

using namespace VexGerber_TestModel;

namespace
{
//! Where the flashes are made (millimetres).
const gp_XY THE_POINT(1.0, 2.0);

//! An aperture of the tests: its template letter (a macro's name) and parameters (millimetres),
//! and the body of a macro.
struct ApertureCase
{
  VexGerber_Aperture::Kind Kind;
  const char*              Letter;
  std::vector<double>      Params;
  const char*              Body = nullptr;
};

//! An aperture transformation as the file states it and as the graphics state holds it.
struct TransformCase
{
  const char*      Text;
  VexGerber_Mirror Mirror;
  double           Rotation, Scale;
};

const ApertureCase THE_APERTURES[] = {
    {VexGerber_Aperture::Kind_Rectangle, "R", {2.0, 1.0}},
    {VexGerber_Aperture::Kind_Rectangle, "R", {2.0, 1.0, 0.4}},
    {VexGerber_Aperture::Kind_Obround, "O", {2.0, 1.0}},
    {VexGerber_Aperture::Kind_Obround, "O", {1.0, 2.5, 0.3}},
    {VexGerber_Aperture::Kind_Polygon, "P", {2.0, 5.0, 10.0}},
    {VexGerber_Aperture::Kind_Polygon, "P", {2.0, 3.0}},
    {VexGerber_Aperture::Kind_Polygon, "P", {2.0, 6.0, -20.0, 0.5}},
    {VexGerber_Aperture::Kind_Circle, "C", {1.5, 0.5}},
    // A pad with round ends, a thermal, a square with a hole made by exposure off, and a moire
    // (rings inside the holes of rings: contours nested three deep).
    {VexGerber_Aperture::Kind_Macro, "PILL", {2.0, 1.0}, "21,1,$1,$2,0,0,0*1,1,$2,1,0*1,1,$2,-1,0"},
    {VexGerber_Aperture::Kind_Macro, "THERMAL", {}, "7,0.2,0,2,1.2,0.3,45"},
    {VexGerber_Aperture::Kind_Macro, "HOLED", {0.8}, "4,1,3,-1,-1,1,-1,0,1.5,-1,-1,10*1,0,$1,0,0"},
    {VexGerber_Aperture::Kind_Macro, "TARGET", {}, "6,0,0,3,0.3,0.3,3,0,0,0"},
};

const TransformCase THE_TRANSFORMS[] = {
    {"", VexGerber_Mirror_None, 0.0, 1.0},
    {"%LR90*%", VexGerber_Mirror_None, 90.0, 1.0},
    {"%LR270*%", VexGerber_Mirror_None, 270.0, 1.0},
    {"%LR-180*%", VexGerber_Mirror_None, -180.0, 1.0},
    {"%LR30*%", VexGerber_Mirror_None, 30.0, 1.0},
    {"%LMX*%", VexGerber_Mirror_X, 0.0, 1.0},
    {"%LMY*%", VexGerber_Mirror_Y, 0.0, 1.0},
    {"%LMXY*%%LR30*%", VexGerber_Mirror_XY, 30.0, 1.0},
    {"%LMX*%%LR90*%%LS0.5*%", VexGerber_Mirror_X, 90.0, 0.5},
    {"%LMY*%%LR45*%", VexGerber_Mirror_Y, 45.0, 1.0},
    {"%LS1.5*%", VexGerber_Mirror_None, 0.0, 1.5},
};

//! Returns theCase as an aperture of the file, in millimetres.
Handle(VexGerber_Aperture) apertureOf(const ApertureCase& theCase)
{
  Handle(VexGerber_Aperture) anAperture = new VexGerber_Aperture(10, theCase.Kind);
  if (theCase.Body != nullptr)
  {
    Handle(VexGerber_Macro) aMacro = new VexGerber_Macro(theCase.Letter);
    VexPcb_Fault       aFault;
    std::istringstream aBody(theCase.Body);
    for (std::string aStatement; std::getline(aBody, aStatement, '*');)
    {
      EXPECT_TRUE(aMacro->AddStatement(aStatement.c_str(),
                                       static_cast<Standard_Integer>(aStatement.size()),
                                       VexGerber_Limits(), aFault))
          << aStatement;
    }
    anAperture->SetMacro(aMacro);
  }
  for (const double aValue : theCase.Params)
  {
    anAperture->AddParam(aValue);
  }
  anAperture->ApplyUnit(1.0);
  return anAperture;
}

//! Returns the transformation of theCase.
VexGerber_ApertureTransform transformOf(const TransformCase& theCase)
{
  VexGerber_ApertureTransform aTransform;
  aTransform.Mirror   = theCase.Mirror;
  aTransform.Rotation = theCase.Rotation;
  aTransform.Scale    = theCase.Scale;
  return aTransform;
}

//! Returns true when no model aperture says a flash of theAperture under theTransform: a
//! rectangle or obround turned by other than quarter turns.
bool staysOutline(const ApertureCase& theAperture, const TransformCase& theTransform)
{
  const bool isSided = theAperture.Kind == VexGerber_Aperture::Kind_Rectangle ||
                       theAperture.Kind == VexGerber_Aperture::Kind_Obround;
  return isSided && std::fmod(theTransform.Rotation, 90.0) != 0.0;
}

//! The file of one flash at THE_POINT, clear inside a dark square when isClear.
std::string fileOf(const ApertureCase& theAperture, const TransformCase& theTransform,
                   const bool isClear)
{
  std::string aText = std::string("%FSLAX46Y46*%%MOMM*%");
  if (theAperture.Body != nullptr)
  {
    aText += std::string("%AM") + theAperture.Letter + "*" + theAperture.Body + "*%";
  }
  aText += std::string("%ADD10") + theAperture.Letter + (theAperture.Params.empty() ? "" : ",");
  for (size_t anIndex = 0; anIndex < theAperture.Params.size(); ++anIndex)
  {
    aText += (anIndex > 0 ? "X" : "") + std::to_string(theAperture.Params[anIndex]);
  }
  aText += "*%";
  if (isClear)
  {
    aText += "G36*X-3000000Y-2000000D02*X5000000Y-2000000D01*X5000000Y6000000D01*"
             "X-3000000Y6000000D01*X-3000000Y-2000000D01*G37*%LPC*%";
  }
  return aText + theTransform.Text + "D10*X1000000Y2000000D03*M02*";
}

//! The model of the same file as the reader made it before it kept flashes: the dark square when
//! isClear, then the outline of the flash as an area.
Handle(PenFormatData_Model) outlineModel(const ApertureCase&  theAperture,
                                         const TransformCase& theTransform, const bool isClear)
{
  Read aSquare;
  ReadText(fileOf(theAperture, theTransform, isClear), aSquare);
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  if (isClear)
  {
    aModel->AddObject(Sequences(*aSquare.Model).front());
  }
  VexPcb_Fault                 aFault;
  const VexGerber_Limits       aLimits; // the shape maker keeps a reference to it
  VexGerber_Shapes             aShapes(aLimits, aFault, 1 << 20);
  std::vector<VexGeom_Contour> aContours;
  Handle(VexGerber_Aperture) anAperture = apertureOf(theAperture);
  EXPECT_TRUE(aShapes.Flash(*anAperture, transformOf(theTransform), THE_POINT, aContours))
      << aFault.Key() << " " << theAperture.Letter;
  Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel->Allocator(), 0);
  for (const VexGeom_Contour& aContour : aContours)
  {
    aContainer->AddChild(ToCurve(*aModel, aContour, 1.0));
  }
  Handle(PenFormatData_Sequence) anArea = new PenFormatData_Sequence(0, 0, aContainer);
  anArea->SetArea(true);
  anArea->SetClear(isClear);
  aModel->AddObject(anArea);
  return aModel;
}

//! Returns the area theModel draws within theMin-theMax (millimetres), on a grid that depends
//! on the box alone: areas of one box are in the same integer units.
ClipperLib::Paths drawn(const PenFormatData_Model& theModel, const gp_XY& theMin = gp_XY(-4, -3),
                        const gp_XY& theMax = gp_XY(6, 7))
{
  gp_XY  aMin(1.0e9, 1.0e9), aMax(-1.0e9, -1.0e9);
  size_t aCount = 0;
  VexGeom_DrawnArea::Survey(theModel, aMin, aMax, aCount);
  VexGeom_Grid aGrid;
  aGrid.Init(theMin, theMax, 1.0, 4, 1.0e6);
  VexGeom_DrawnArea anArea(aGrid);
  anArea.Build(theModel, aCount, aGrid.CellSize());
  ClipperLib::Paths aPolygons;
  anArea.Window(theMin, theMax, 0.0, aPolygons);
  return aPolygons;
}

//! Returns the area (mm2) covered by one of theOne and theTwo but not by the other.
double differenceArea(const ClipperLib::Paths& theOne, const ClipperLib::Paths& theTwo)
{
  ClipperLib::Paths aDifference;
  VexGeom_Polygons::Combine(ClipperLib::ctXor, theOne, theTwo, aDifference);
  return VexGeom_Polygons::Area(aDifference);
}

//! Returns the sequence of theModel that holds the flash (the last one).
const PenFormatData_Sequence& flashSequence(const PenFormatData_Model& theModel)
{
  return *Sequences(theModel).back();
}

//! Writes theModel and returns the text.
std::string write(const PenFormatData_Model& theModel, VexPcb_TransferReport& theCounts)
{
  std::ostringstream aStream;
  EXPECT_TRUE(VexGerber_Writer::Write(theModel, VexGerber_WriterOptions(), aStream, theCounts));
  return aStream.str();
}

//! Expects theModel to hold what a file of two plain flashes, one turned a quarter and one plain
//! again makes: three flash sequences, of model apertures 1, 2 and 1, of 2, 1 and 1 points.
void expectPlainTurnedPlain(const PenFormatData_Model& theModel)
{
  const std::vector<Handle(PenFormatData_Sequence)> aSequences = Sequences(theModel);
  ASSERT_EQ(aSequences.size(), 3u);
  const int THE_APERTURES[] = {1, 2, 1}, THE_POINTS[] = {2, 1, 1};
  for (size_t anIndex = 0; anIndex < 3; ++anIndex)
  {
    EXPECT_FALSE(aSequences[anIndex]->IsArea());
    EXPECT_EQ(aSequences[anIndex]->ApertureNumber(), THE_APERTURES[anIndex]);
    EXPECT_EQ(aSequences[anIndex]->GetCurve()->Children().Extent(), THE_POINTS[anIndex]);
  }
}

//! Differences allowed between two drawings of one shape (mm2): arcs are flattened from other
//! starting points (a turned hole), and a ring flash is drawn as a disc, its outline as a polygon
//! (together some 1e-3); a side not swapped, a polygon turned the wrong way or a hole lost differ
//! by a tenth or more. The exact areas are compared too.
const double THE_AREA_TOLERANCE = 3.0e-3;
} // namespace

TEST(VexGerber_Flashes, FlashesDrawWhatTheirOutlinesDrewAndWriteBackAsFlashes)
{
  for (const ApertureCase& anAperture : THE_APERTURES)
  {
    for (const TransformCase& aTransform : THE_TRANSFORMS)
    {
      for (const bool isClear : {false, true})
      {
        const std::string aFile = fileOf(anAperture, aTransform, isClear);
        Read              aRead;
        ReadText(aFile, aRead);
        ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump() << aFile;
        const PenFormatData_Sequence& aFlash = flashSequence(*aRead.Model);
        EXPECT_EQ(aFlash.IsArea(), staysOutline(anAperture, aTransform)) << aFile;
        EXPECT_EQ(aFlash.IsClear(), isClear) << aFile;
        EXPECT_EQ(aFlash.ToolpathFlag(), 0) << aFile;
        const ClipperLib::Paths anOutline  = drawn(*outlineModel(anAperture, aTransform, isClear));
        const ClipperLib::Paths aFlashArea = drawn(*aRead.Model);
        EXPECT_GT(VexGeom_Polygons::Area(anOutline), 0.1) << aFile;
        EXPECT_LT(differenceArea(anOutline, aFlashArea), THE_AREA_TOLERANCE) << aFile;
        EXPECT_NEAR(Area(flashSequence(*Outlined(*aRead.Model))),
                    Area(flashSequence(*outlineModel(anAperture, aTransform, isClear))), 1.0e-12)
            << aFile;

        // Written and read back: the same kind of sequence, the same area, the same text again.
        VexPcb_TransferReport aCounts;
        const std::string     aText = write(*aRead.Model, aCounts);
        EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "flashes"),
                  aFlash.IsArea() || isClear ? 0 : 1)
            << aText;
        Read aBack;
        ReadText(aText, aBack);
        ASSERT_TRUE(aBack.Ok) << aBack.Capture.Dump() << aText;
        EXPECT_EQ(flashSequence(*aBack.Model).IsArea(), aFlash.IsArea()) << aText;
        EXPECT_EQ(flashSequence(*aBack.Model).IsClear(), isClear) << aText;
        EXPECT_LT(differenceArea(aFlashArea, drawn(*aBack.Model)), THE_AREA_TOLERANCE) << aFile;
        if (!aFlash.IsArea()) // arc centres of outlines may move by a nanometre
        {
          EXPECT_EQ(write(*aBack.Model, aCounts), aText);
        }
      }
    }
  }
}

TEST(VexGerber_Flashes, TheModelApertureOfAFlashUnderATransformation)
{
  // Aperture, transformation, expected shape code (0: none says it) and parameters.
  struct Case
  {
    ApertureCase        Aperture;
    TransformCase       Transform;
    int                 Shape;
    std::vector<double> Params;
  };
  const int  R           = PenFormatData_Aperture::Shape_Rectangle;
  const int  O           = PenFormatData_Aperture::Shape_Obround;
  const int  P           = PenFormatData_Aperture::Shape_Polygon;
  const int  C           = PenFormatData_Aperture::Shape_Round;
  const auto aRect       = VexGerber_Aperture::Kind_Rectangle;
  const auto anOb        = VexGerber_Aperture::Kind_Obround;
  const auto aPoly       = VexGerber_Aperture::Kind_Polygon;
  const auto aCircle     = VexGerber_Aperture::Kind_Circle;
  const auto aMacro      = VexGerber_Aperture::Kind_Macro;
  const Case THE_CASES[] = {
      {{aRect, "R", {2, 1}}, {"", VexGerber_Mirror_None, 0, 1}, R, {2, 1}},
      {{aRect, "R", {2, 1}}, {"", VexGerber_Mirror_None, 90, 1}, R, {1, 2}},
      {{aRect, "R", {2, 1}}, {"", VexGerber_Mirror_XY, -90, 2}, R, {2, 4}},
      {{aRect, "R", {2, 1}}, {"", VexGerber_Mirror_None, 540, 1}, R, {2, 1}},
      {{aRect, "R", {2, 1}}, {"", VexGerber_Mirror_None, 30, 1}, 0, {}},
      {{aRect, "R", {2, 1}}, {"", VexGerber_Mirror_None, 0, 0}, 0, {}},
      {{aRect, "R", {2, 1, 0.4, 0.2}}, {"", VexGerber_Mirror_None, 0, 1}, 0, {}}, // square hole
      {{aRect, "R", {2, 1, 1}}, {"", VexGerber_Mirror_None, 0, 1}, 0, {}}, // hole to the edge
      {{aRect, "R", {2, 0}}, {"", VexGerber_Mirror_None, 0, 1}, 0, {}},    // covers nothing
      {{anOb, "O", {2, 1, 0.4}}, {"", VexGerber_Mirror_X, 270, 2}, O, {2, 4, 0.8}},
      {{aPoly, "P", {2, 5}}, {"", VexGerber_Mirror_None, 0, 1}, P, {2, 5}},
      {{aPoly, "P", {2, 5}}, {"", VexGerber_Mirror_None, 30, 1}, P, {2, 5, 30}},
      {{aPoly, "P", {2, 5, 10}}, {"", VexGerber_Mirror_X, 0, 1}, P, {2, 5, 170}},
      {{aPoly, "P", {2, 5, 10}}, {"", VexGerber_Mirror_Y, 0, 1}, P, {2, 5, -10}},
      {{aPoly, "P", {2, 5, 10}}, {"", VexGerber_Mirror_XY, 0, 1}, P, {2, 5, 190}},
      {{aPoly, "P", {2, 5, 10, 0.5}}, {"", VexGerber_Mirror_X, 30, 3}, P, {6, 5, 200, 1.5}},
      {{aPoly, "P", {2, 3, 0, 1.01}}, {"", VexGerber_Mirror_None, 0, 1}, 0, {}}, // past the edge
      {{aPoly, "P", {2, 3, 0, 0.99}}, {"", VexGerber_Mirror_None, 0, 1}, P, {2, 3, 0, 0.99}},
      {{aCircle, "C", {1.5, 0.5}}, {"", VexGerber_Mirror_Y, 33, 2}, C, {3, 1}},
      {{aCircle, "C", {1, 1}}, {"", VexGerber_Mirror_None, 0, 1}, 0, {}},
      {{aCircle, "C", {1, 0.4, 0.2}}, {"", VexGerber_Mirror_None, 0, 1}, 0, {}},
      {{aMacro, "M", {1}}, {"", VexGerber_Mirror_None, 0, 1}, 0, {}},
  };
  for (const Case& aCase : THE_CASES)
  {
    const std::string aName = std::string(aCase.Aperture.Letter) + " " +
                              std::to_string(aCase.Aperture.Params.size()) + " params, mirror " +
                              std::to_string(aCase.Transform.Mirror) + ", rotation " +
                              std::to_string(aCase.Transform.Rotation);
    Standard_Integer                  aShape = 0;
    NCollection_Vector<Standard_Real> aParams;
    const bool                        isMade =
        VexGerber_FlashAperture::Make(*apertureOf(aCase.Aperture), transformOf(aCase.Transform),
                                      aShape, aParams) == Standard_True;
    ASSERT_EQ(isMade, aCase.Shape != 0) << aName;
    if (!isMade)
    {
      continue;
    }
    EXPECT_EQ(aShape, aCase.Shape) << aName;
    ASSERT_EQ(aParams.Length(), static_cast<int>(aCase.Params.size())) << aName;
    for (int anIndex = 0; anIndex < aParams.Length(); ++anIndex)
    {
      EXPECT_NEAR(aParams(anIndex), aCase.Params[anIndex], 1e-12) << aName << " #" << anIndex;
    }
  }
}

TEST(VexGerber_Flashes, OneApertureServesEveryFlashOfTheSameShape)
{
  // A rectangle flashed plain, turned half a turn (the same rectangle), turned a quarter (a
  // variant), and again plain after the quarter: two model apertures, three sequences.
  Read aRead;
  ReadText("%FSLAX46Y46*%%MOIN*%%ADD10R,0.1X0.05*%D10*X0Y0D03*%LR180*%X1000000Y0D03*"
           "%LR90*%X2000000Y0D03*%LR0*%X3000000Y0D03*M02*",
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  ASSERT_EQ(aRead.Model->NbApertures(), 3);
  EXPECT_EQ(TCollection_AsciiString(aRead.Model->Aperture(2)->Name()), "D10_1");
  EXPECT_NEAR(aRead.Model->Aperture(2)->Param(1), 1.27, 1e-12);
  EXPECT_NEAR(aRead.Model->Aperture(2)->Param(2), 2.54, 1e-12);
  expectPlainTurnedPlain(*aRead.Model);
  EXPECT_EQ(aRead.Report.Count(VexPcb_TransferReport::Outcome_Artwork,
                               "flashes of rectangular apertures"),
            4);
}

TEST(VexGerber_Flashes, TheWriterDeclaresEachShape)
{
  // Flashes of each shape in inches (written in millimetres), a clear one, a ring, and a round
  // aperture used both by a drill toolpath (a round tool of its width) and by flashes (a ring):
  // one D code each way. Lines among flashes and flashes of a macro are left out. The area is
  // compared along y = 0, away from the line and the drill hit.
  VexTest_ModelBuilder aBuilder(PenFormatData_DU_Inch);
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Rectangle, {0.1, 0.05});
  aBuilder.Aperture(2, PenFormatData_Aperture::Shape_Obround, {0.05, 0.1, 0.02});
  aBuilder.Aperture(3, PenFormatData_Aperture::Shape_Polygon, {0.1, 6, 15, 0.03});
  aBuilder.Aperture(4, PenFormatData_Aperture::Shape_Round, {0.06, 0.02});
  aBuilder.Aperture(5, PenFormatData_Aperture::Shape_Macro, {1.0});
  aBuilder.Aperture(6, PenFormatData_Aperture::Shape_Polygon, {0.1, 3});
  aBuilder.Artwork(1, false, false).CreatePoint(gp_XY(0, 0));
  aBuilder.Contour().CreateSegment(gp_XY(0, 3), gp_XY(1, 3));
  aBuilder.Artwork(2, false, false).CreatePoint(gp_XY(1, 0));
  aBuilder.Artwork(3, false, true).CreatePoint(gp_XY(2, 0));
  aBuilder.Toolpath(4, 2).CreatePoint(gp_XY(3, -3));
  aBuilder.Artwork(4, false, false).CreatePoint(gp_XY(4, 0));
  aBuilder.Artwork(5, false, false).CreatePoint(gp_XY(5, 0));
  aBuilder.Artwork(6, false, false).CreatePoint(gp_XY(6, 0));
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(*aBuilder.Model()))
  {
    aSequence->SetToolpathMode(2);
  }
  VexPcb_TransferReport aCounts;
  const std::string     aText = write(*aBuilder.Model(), aCounts);
  for (const char* aLine :
       {"%ADD10R,2.540000X1.270000*%\n", "%ADD11O,1.270000X2.540000X0.508000*%\n",
        "%ADD12P,2.540000X6X15.000000X0.762000*%\n", "%ADD13C,1.524000*%\n",
        "%ADD14C,1.524000X0.508000*%\n", "%ADD15P,2.540000X3*%\n",
        "%LPC*%\nD12*\nX50800000Y0D03*\n"})
  {
    EXPECT_NE(aText.find(aLine), std::string::npos) << aLine << " in\n" << aText;
  }
  EXPECT_EQ(aText.find("D01*"), std::string::npos) << aText;
  EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "flashes"), 4);
  EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "clear objects"), 1);
  EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Toolpath, "flashes"), 1);
  EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Ignored, "lines among artwork flashes"),
            1);
  EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Ignored,
                          "objects that are neither toolpaths nor artwork"),
            1);
  Read aBack;
  ReadText(aText, aBack);
  ASSERT_TRUE(aBack.Ok) << aBack.Capture.Dump() << aText;
  const gp_XY             aMin(-10.0, -10.0), aMax(170.0, 10.0);
  const ClipperLib::Paths aBefore = drawn(*aBuilder.Model(), aMin, aMax);
  EXPECT_GT(VexGeom_Polygons::Area(aBefore), 4.0);
  EXPECT_LT(differenceArea(aBefore, drawn(*aBack.Model, aMin, aMax)), THE_AREA_TOLERANCE);
}

TEST(VexGerber_Flashes, AMacroFlashedUnderEachTransformationGetsItsOwnOutline)
{
  // The aperture made when the file defines the macro aperture takes the outline of its first
  // flash; a quarter turn is another aperture; flashing plain again finds the first.
  Read aRead;
  ReadText("%FSLAX46Y46*%%MOMM*%%AMBAR*21,1,2,1,0,0,0*%%ADD10BAR*%D10*X0Y0D03*X1000000Y0D03*"
           "%LR90*%X2000000Y0D03*%LR0*%X3000000Y0D03*M02*",
           aRead);
  ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
  ASSERT_EQ(aRead.Model->NbApertures(), 3);
  const double THE_HALF_SIDES[2][2] = {{1.0, 0.5}, {0.5, 1.0}};
  for (int aNumber = 1; aNumber <= 2; ++aNumber)
  {
    const Handle(PenFormatData_Aperture)& anAperture = aRead.Model->Aperture(aNumber);
    EXPECT_EQ(TCollection_AsciiString(anAperture->Name()), aNumber == 1 ? "D10" : "D10_1");
    EXPECT_EQ(anAperture->ShapeCode(), PenFormatData_Aperture::Shape_Macro);
    ASSERT_TRUE(anAperture->HasOutline());
    const VexGeom_Shape aShape = VexGeom_Shape::FromAperture(anAperture, 1.0);
    EXPECT_EQ(aShape.GetKind(), VexGeom_Shape::Kind_Outline);
    EXPECT_NEAR(aShape.HalfExtent().X(), THE_HALF_SIDES[aNumber - 1][0], 1e-9);
    EXPECT_NEAR(aShape.HalfExtent().Y(), THE_HALF_SIDES[aNumber - 1][1], 1e-9);
  }
  expectPlainTurnedPlain(*aRead.Model);
  EXPECT_EQ(
      aRead.Report.Count(VexPcb_TransferReport::Outcome_Artwork, "flashes of macro apertures"), 4);
}

TEST(VexGerber_Flashes, AMacroThatWouldNotWriteBackWholeStaysAnOutline)
{
  // Where a macro may have three primitives: a thermal is one primitive of four polygons, and
  // written as four outline primitives would not read back; three small circles would. A cross
  // hair over rings joins them into polygons of many corners that are no fan around a point,
  // which a common viewer would not take in one primitive.
  VexGerber_Limits aLimits;
  aLimits.MacroPrimitives                        = 3;
  const std::pair<const char*, bool> THE_CASES[] = {
      {"7,0,0,2,1.2,0.3,0", true},
      {"1,1,0.05,0,0*1,1,0.05,3,0*1,1,0.05,6,0", false},
      {"6,0,0,3,0.3,0.3,1,0.1,3.5,15", true}};
  for (const auto& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(std::string("%FSLAX46Y46*%%MOMM*%%AMT*") + aCase.first + "*%%ADD10T*%D10*X0Y0D03*M02*",
             aRead, aLimits);
    ASSERT_TRUE(aRead.Ok) << aRead.Capture.Dump();
    EXPECT_EQ(Sequences(*aRead.Model).front()->IsArea(), aCase.second) << aCase.first;
  }
}

TEST(VexGerber_Flashes, TheWriterExposesNestedOutlinePolygonsFromTheOutside)
{
  // An outline given innermost first, in inches: a square island inside the hole of a larger
  // square. Written as one macro, larger polygons first and holes clear, it draws 16 - 4 + 1 mm2
  // for each flash, whatever order the polygons came in.
  const gp_XY THE_CORNERS[3][4] = {
      {{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}}, // island, counter-clockwise
      {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}},                 // hole, clockwise
      {{-2, -2}, {2, -2}, {2, 2}, {-2, 2}}};                // outer, counter-clockwise
  NCollection_Vector<gp_XY>            aPoints;
  NCollection_Vector<Standard_Integer> anEnds;
  for (const auto& aPolygon : THE_CORNERS)
  {
    for (const gp_XY& aCorner : aPolygon)
    {
      aPoints.Append(aCorner / 25.4);
    }
    anEnds.Append(aPoints.Length());
  }
  VexTest_ModelBuilder aBuilder(PenFormatData_DU_Inch);
  aBuilder.Aperture(1, PenFormatData_Aperture::Shape_Macro, {});
  aBuilder.Model()->Aperture(1)->SetOutline(aPoints, anEnds);
  aBuilder.Artwork(1, false, false).CreatePoint(gp_XY(0, 0));
  aBuilder.Contour().CreatePoint(gp_XY(10 / 25.4, 0));
  Sequences(*aBuilder.Model()).front()->SetToolpathMode(2);
  VexPcb_TransferReport aCounts;
  const std::string     aText = write(*aBuilder.Model(), aCounts);
  EXPECT_NE(aText.find("%AMOUTLINE10*\n4,1,4,-2.0,-2.0,2.0,-2.0,"), std::string::npos) << aText;
  EXPECT_LT(aText.find("4,0,4,-1.0,-1.0,-1.0,1.0,"), aText.find("4,1,4,-0.5,-0.5,")) << aText;
  EXPECT_NE(aText.find("%ADD10OUTLINE10*%"), std::string::npos) << aText;
  EXPECT_EQ(aCounts.Count(VexPcb_TransferReport::Outcome_Artwork, "flashes"), 2);
  Read aBack;
  ReadText(aText, aBack);
  ASSERT_TRUE(aBack.Ok) << aBack.Capture.Dump() << aText;
  const gp_XY aMin(-5, -5), aMax(15, 5);
  EXPECT_NEAR(VexGeom_Polygons::Area(drawn(*aBack.Model, aMin, aMax)), 26.0, 1e-6);
  EXPECT_LT(differenceArea(drawn(*aBuilder.Model(), aMin, aMax), drawn(*aBack.Model, aMin, aMax)),
            1e-6);
}
