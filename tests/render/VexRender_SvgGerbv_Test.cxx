// Copyright (c) 2026 VexData developers
// Our pictures against gerbv's, pixel for pixel: Gerber files written here and models built by
// hand with the same geometry must agree (99 % with round apertures only, 97 % otherwise), and
// moving one feature must show. The same comparison runs on a picture made by `vex render
// --bare --window`. Skipped with a notice where gerbv, rsvg-convert or libpng is missing.
#include <VexTest_ModelBuilder.hxx>
#include <VexTest_Gerbv.hxx>
#include <VexTest_Raster.hxx>

#include <VexDocument_Json.hxx>
#include <VexRender_SvgSurvey.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
//! Resolution of the comparisons: a pixel of 10 micrometres divides the designs' grid, so
//! gerbv's moves to whole pixels are exact (see VexTest_Raster).
const int THE_DPI = 2540;

//! Offset (mm) of the feature moved to show that the comparison sees it.
const double THE_MOVE = 0.5;

//! Returns "X…Y…" of a point in millimetres for the format 4.6.
std::string at(const double theX, const double theY)
{
  char aBuffer[64];
  std::snprintf(aBuffer, sizeof(aBuffer), "X%lldY%lld", std::llround(theX * 1.0e6),
                std::llround(theY * 1.0e6));
  return aBuffer;
}

//! Returns "I…J…" of a centre offset in millimetres.
std::string centre(const double theI, const double theJ)
{
  char aBuffer[64];
  std::snprintf(aBuffer, sizeof(aBuffer), "I%lldJ%lld", std::llround(theI * 1.0e6),
                std::llround(theJ * 1.0e6));
  return aBuffer;
}

//! One design: its Gerber text and a model with the same geometry, one feature of which moves
//! by theMove.
struct GerbvCase
{
  const char*                                                      Name;    //!< what it shows
  std::function<std::string()>                                     Gerber;  //!< file text
  std::function<void(VexTest_ModelBuilder&, const double theMove)> Build;   //!< model
  double                                                           Minimum; //!< agreement needed
};

//! Draws and an arc with round apertures, a dot (a draw of length 0) and a round flash.
GerbvCase roundCase()
{
  return {"round draws, arc, dot and flash",
          []
          {
            return "%ADD10C,0.5*%\n%ADD11C,0.3*%\n%ADD12C,1.0*%\nG75*\nD10*\n" + at(1, 1) +
                   "D02*\n" + at(8, 1) + "D01*\n" + at(8, 4) + "D01*\nG03*\n" + at(4, 4) +
                   centre(-2, 0) + "D01*\nG01*\nD11*\n" + at(2, 6) + "D02*\n" + at(2, 6) +
                   "D01*\nD12*\n" + at(9, 7) + "D03*\n";
          },
          [](VexTest_ModelBuilder& theBuilder, const double theMove)
          {
            theBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {0.5});
            theBuilder.Aperture(2, PenFormatData_Aperture::Shape_Round, {0.3});
            theBuilder.Aperture(3, PenFormatData_Aperture::Shape_Round, {1.0});
            PhGeom_Curve& aPath = theBuilder.Toolpath(1, 1);
            aPath.CreateSegment(gp_XY(1, 1), gp_XY(8, 1));
            aPath.CreateSegment(gp_XY(8, 1), gp_XY(8, 4));
            aPath.CreateArc(gp_XY(6, 4), 2.0, 0.0, M_PI, 1);
            theBuilder.Toolpath(2, 1).CreateSegment(gp_XY(2, 6), gp_XY(2, 6));
            theBuilder.Toolpath(3, 2).CreatePoint(gp_XY(9 + theMove, 7));
          },
          0.99};
}

//! Flashes of every drawable shape: rectangle, obrounds both ways, polygon, shapes with holes.
GerbvCase shapesCase()
{
  return {"flashes of rectangle, obround, polygon, holes",
          []
          {
            return "%ADD10R,2.0X1.0*%\n%ADD11O,1.0X2.0*%\n%ADD12O,2.4X1.0*%\n%ADD13P,1.5X6X30*%\n"
                   "%ADD14C,1.5X0.6*%\n%ADD15R,1.2X1.2X0.5*%\nD10*\n" +
                   at(3, 3) + "D03*\nD11*\n" + at(6, 3) + "D03*\nD12*\n" + at(6, 6) +
                   "D03*\nD13*\n" + at(3, 6) + "D03*\nD14*\n" + at(9, 3) + "D03*\nD15*\n" +
                   at(9, 6) + "D03*\n";
          },
          [](VexTest_ModelBuilder& theBuilder, const double theMove)
          {
            theBuilder.Aperture(1, PenFormatData_Aperture::Shape_Rectangle, {2.0, 1.0});
            theBuilder.Aperture(2, PenFormatData_Aperture::Shape_Obround, {1.0, 2.0});
            theBuilder.Aperture(3, PenFormatData_Aperture::Shape_Obround, {2.4, 1.0});
            theBuilder.Aperture(4, PenFormatData_Aperture::Shape_Polygon, {1.5, 6, 30});
            theBuilder.Aperture(5, PenFormatData_Aperture::Shape_Round, {1.5, 0.6});
            theBuilder.Aperture(6, PenFormatData_Aperture::Shape_Rectangle, {1.2, 1.2, 0.5});
            const gp_XY aPoints[] = {gp_XY(3 + theMove, 3), gp_XY(6, 3), gp_XY(6, 6),
                                     gp_XY(3, 6),           gp_XY(9, 3), gp_XY(9, 6)};
            for (int anIndex = 0; anIndex < 6; ++anIndex)
            {
              theBuilder.Artwork(anIndex + 1, false, false).CreatePoint(aPoints[anIndex]);
            }
          },
          0.97};
}

//! Regions: one with an arc, a triangle, and one of two contours where the second is a hole
//! cut by clear polarity in the file and by winding the other way in the model.
GerbvCase regionsCase()
{
  return {"regions with arcs and a hole",
          []
          {
            return "G75*\nG36*\n" + at(1, 1) + "D02*\n" + at(6, 1) + "D01*\n" + at(6, 3) +
                   "D01*\nG03*\n" + at(1, 3) + centre(-2.5, 0) + "D01*\nG01*\n" + at(1, 1) +
                   "D01*\nG37*\nG36*\n" + at(7, 1) + "D02*\n" + at(10, 1) + "D01*\n" + at(8.5, 4) +
                   "D01*\n" + at(7, 1) + "D01*\nG37*\nG36*\n" + at(2, 7) + "D02*\n" + at(9, 7) +
                   "D01*\n" + at(9, 10) + "D01*\n" + at(2, 10) + "D01*\n" + at(2, 7) +
                   "D01*\nG37*\n%LPC*%\nG36*\n" + at(4, 8) + "D02*\n" + at(7, 8) + "D01*\n" +
                   at(7, 9) + "D01*\n" + at(4, 9) + "D01*\n" + at(4, 8) + "D01*\nG37*\n";
          },
          [](VexTest_ModelBuilder& theBuilder, const double theMove)
          {
            PhGeom_Curve& aRound = theBuilder.Artwork(0, true, false);
            aRound.CreateSegment(gp_XY(1, 1), gp_XY(6, 1));
            aRound.CreateSegment(gp_XY(6, 1), gp_XY(6, 3));
            aRound.CreateArc(gp_XY(3.5, 3), 2.5, 0.0, M_PI, 1);
            aRound.CreateSegment(gp_XY(1, 3), gp_XY(1, 1));
            PhGeom_Curve& aTriangle = theBuilder.Artwork(0, true, false);
            aTriangle.CreateSegment(gp_XY(7 + theMove, 1), gp_XY(10 + theMove, 1));
            aTriangle.CreateSegment(gp_XY(10 + theMove, 1), gp_XY(8.5 + theMove, 4));
            aTriangle.CreateSegment(gp_XY(8.5 + theMove, 4), gp_XY(7 + theMove, 1));
            PhGeom_Curve& anOuter = theBuilder.Artwork(0, true, false);
            anOuter.CreateSegment(gp_XY(2, 7), gp_XY(9, 7));
            anOuter.CreateSegment(gp_XY(9, 7), gp_XY(9, 10));
            anOuter.CreateSegment(gp_XY(9, 10), gp_XY(2, 10));
            anOuter.CreateSegment(gp_XY(2, 10), gp_XY(2, 7));
            PhGeom_Curve& aHole = theBuilder.Contour();
            aHole.CreateSegment(gp_XY(4, 8), gp_XY(4, 9));
            aHole.CreateSegment(gp_XY(4, 9), gp_XY(7, 9));
            aHole.CreateSegment(gp_XY(7, 9), gp_XY(7, 8));
            aHole.CreateSegment(gp_XY(7, 8), gp_XY(4, 8));
          },
          0.97};
}

//! Clear polarity: a flash and a draw erase part of a region; a later dark draw covers both.
GerbvCase clearCase()
{
  return {"clear flash and draw, dark draw over them",
          []
          {
            return "%ADD10C,2.0*%\n%ADD11C,0.4*%\nG36*\n" + at(1, 1) + "D02*\n" + at(7, 1) +
                   "D01*\n" + at(7, 7) + "D01*\n" + at(1, 7) + "D01*\n" + at(1, 1) +
                   "D01*\nG37*\n%LPC*%\nD10*\n" + at(4, 4) + "D03*\nD11*\n" + at(1, 2) + "D02*\n" +
                   at(7, 2) + "D01*\n%LPD*%\n" + at(4, 1.5) + "D02*\n" + at(4, 6.5) + "D01*\n";
          },
          [](VexTest_ModelBuilder& theBuilder, const double theMove)
          {
            theBuilder.Aperture(1, PenFormatData_Aperture::Shape_Round, {2.0});
            theBuilder.Aperture(2, PenFormatData_Aperture::Shape_Round, {0.4});
            PhGeom_Curve& aSquare = theBuilder.Artwork(0, true, false);
            aSquare.CreateSegment(gp_XY(1, 1), gp_XY(7, 1));
            aSquare.CreateSegment(gp_XY(7, 1), gp_XY(7, 7));
            aSquare.CreateSegment(gp_XY(7, 7), gp_XY(1, 7));
            aSquare.CreateSegment(gp_XY(1, 7), gp_XY(1, 1));
            theBuilder.Artwork(1, false, true).CreatePoint(gp_XY(4 + theMove, 4));
            theBuilder.Artwork(2, false, true).CreateSegment(gp_XY(1, 2), gp_XY(7, 2));
            theBuilder.Toolpath(2, 1).CreateSegment(gp_XY(4, 1.5), gp_XY(4, 6.5));
          },
          0.97};
}

//! Draws with a rectangular aperture: the rectangle swept along each segment.
GerbvCase sweepCase()
{
  return {"draws with a rectangle",
          []
          {
            return "%ADD10R,0.8X0.4*%\nD10*\n" + at(1, 1) + "D02*\n" + at(6, 3) + "D01*\n" +
                   at(6, 6) + "D01*\n";
          },
          [](VexTest_ModelBuilder& theBuilder, const double theMove)
          {
            theBuilder.Aperture(1, PenFormatData_Aperture::Shape_Rectangle, {0.8, 0.4});
            PhGeom_Curve& aLine = theBuilder.Artwork(1, false, false);
            aLine.CreateSegment(gp_XY(1, 1), gp_XY(6 + theMove, 3));
            aLine.CreateSegment(gp_XY(6 + theMove, 3), gp_XY(6 + theMove, 6));
          },
          0.97};
}

//! A temporary folder, removed with its content unless VEX_RASTER_KEEP is set in the
//! environment (then the pictures and their difference stay there to be looked at).
struct WorkDir
{
  std::string Path; //!< folder

  WorkDir()
  {
    char aTemplate[] = "/tmp/vexgerbvXXXXXX";
    Path             = ::mkdtemp(aTemplate) != nullptr ? aTemplate : "";
  }

  ~WorkDir()
  {
    if (!Path.empty() && !IsKept())
    {
      std::filesystem::remove_all(Path);
    }
  }

  //! Returns true when the folders are kept.
  static bool IsKept() { return std::getenv("VEX_RASTER_KEEP") != nullptr; }
};

//! Writes the Gerber file of theCase into theDir and returns its path.
std::string writeGerber(const GerbvCase& theCase, const std::string& theDir)
{
  const std::string aPath = theDir + "/design.gbr";
  std::ofstream(aPath) << "%FSLAX46Y46*%\n%MOMM*%\n" << theCase.Gerber() << "M02*\n";
  return aPath;
}

//! Returns the model of theCase with its feature moved by theMove.
Handle(PenFormatData_Model) buildModel(const GerbvCase& theCase, const double theMove)
{
  VexTest_ModelBuilder aBuilder;
  theCase.Build(aBuilder, theMove);
  return aBuilder.Model();
}

//! Returns the frame around theModel's drawing with a millimetre of border.
VexTest_Raster::Frame frameOf(const Handle(PenFormatData_Model) & theModel)
{
  return VexTest_Raster::Frame::Around(VexRender_SvgSurvey(*theModel).Extent(), 1.0, THE_DPI);
}
} // namespace

TEST(VexRenderSvgGerbv, HandBuiltModelsAgreeWithGerbvAndMovedFeaturesShow)
{
  const std::string aMissing = VexTest_Raster::MissingTools();
  if (!aMissing.empty())
  {
    VEX_TEST_SKIP_WITHOUT_GERBV() << "pixel comparison with gerbv skipped, " << aMissing;
  }
  const GerbvCase aCases[] = {roundCase(), shapesCase(), regionsCase(), clearCase(), sweepCase()};
  for (const GerbvCase& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    WorkDir aDir;
    ASSERT_FALSE(aDir.Path.empty());
    const std::string aGerber                = writeGerber(aCase, aDir.Path);
    const Handle(PenFormatData_Model) aModel = buildModel(aCase, 0.0);
    const VexTest_Raster::Frame aFrame       = frameOf(aModel);
    VexTest_Raster::Agreement   aSame, aMoved;
    std::string                 anError;
    ASSERT_TRUE(VexTest_Raster::CompareModel(aModel, aGerber, aFrame, aDir.Path + "/same", aSame,
                                             anError, WorkDir::IsKept()))
        << anError;
    ASSERT_TRUE(VexTest_Raster::CompareModel(buildModel(aCase, THE_MOVE), aGerber, aFrame,
                                             aDir.Path + "/moved", aMoved, anError,
                                             WorkDir::IsKept()))
        << anError;
    std::cout << "agreement with gerbv: " << aSame.Ratio() * 100.0 << " % (moved feature "
              << aMoved.Ratio() * 100.0 << " %), " << aFrame.Columns << "x" << aFrame.Rows
              << " pixels at " << THE_DPI << " dpi: " << aCase.Name
              << (WorkDir::IsKept() ? " in " + aDir.Path : std::string()) << std::endl;
    EXPECT_GE(aSame.Ratio(), aCase.Minimum);
    EXPECT_GT(aSame.Both, 10000) << "the pictures are nearly empty";
    EXPECT_LT(aMoved.Ratio(), aCase.Minimum);
    // The moved feature leaves pixels of its own on both sides.
    EXPECT_GT(aMoved.OnlyOurs, aSame.OnlyOurs + 100);
    EXPECT_GT(aMoved.OnlyTheirs, aSame.OnlyTheirs + 100);
  }
}

#ifdef VEX_HOST_PATH
TEST(VexRenderSvgGerbv, BareWindowedRenderOfADocumentAgreesWithGerbv)
{
  const std::string aMissing = VexTest_Raster::MissingTools();
  if (!aMissing.empty())
  {
    VEX_TEST_SKIP_WITHOUT_GERBV() << "pixel comparison with gerbv skipped, " << aMissing;
  }
  WorkDir aDir;
  ASSERT_FALSE(aDir.Path.empty());
  // The model goes through its document, so the artwork attributes survive the loader too.
  const GerbvCase aCase                    = clearCase();
  const Handle(PenFormatData_Model) aModel = buildModel(aCase, 0.0);
  const std::string aGerber                = writeGerber(aCase, aDir.Path);
  {
    std::ofstream                                    aFile(aDir.Path + "/model.json");
    TCollection_AsciiString                          anError;
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    ASSERT_TRUE(VexDocument_Json::Write(aModel, aParams, aFile, anError)) << anError;
  }
  const VexTest_Raster::Frame aFrame  = frameOf(aModel);
  const VexRender_SvgBox      aWindow = aFrame.Window();
  char                        aText[256];
  std::snprintf(aText, sizeof(aText), "%.17g,%.17g,%.17g,%.17g", aWindow.MinX, aWindow.MinY,
                aWindow.MaxX, aWindow.MaxY);
  const std::string aCommand = std::string("'") + VEX_HOST_PATH + "' render '" + aDir.Path +
                               "/model.json' --bare --window=" + aText +
                               " --foreground '#000000' --background '#ffffff' -o '" + aDir.Path +
                               "/model.svg' >/dev/null";
  const int aRaw = std::system(aCommand.c_str());
  ASSERT_TRUE(WIFEXITED(aRaw) && WEXITSTATUS(aRaw) == 0) << aCommand;
  VexTest_Raster::Agreement anAgreement;
  std::string               anError;
  ASSERT_TRUE(VexTest_Raster::CompareSvg(aDir.Path + "/model.svg", aGerber, aFrame,
                                         aDir.Path + "/model", anAgreement, anError))
      << anError;
  EXPECT_GE(anAgreement.Ratio(), aCase.Minimum);
}
#endif
