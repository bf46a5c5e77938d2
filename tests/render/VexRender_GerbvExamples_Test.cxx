// Copyright (c) 2026 VexData developers
// Our render of every Gerber file among gerbv's examples against gerbv's own PNG export, pixel
// for pixel, at the same window and resolution: the file read by our Gerber reader (as vex
// render reads it), drawn bare, rasterised, and compared with gerbv's bitmap. The agreement must
// reach 99 % for files drawn with round apertures only and 97 % for the others; the test prints
// the table of every file. Skipped with a notice where gerbv, rsvg-convert or libpng is missing.
#include <VexGerber_TestModel.hxx>
#include <VexTest_Gerbv.hxx>
#include <VexTest_Raster.hxx>

#include <VexRender_SvgSurvey.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <map>

#include <unistd.h>

using namespace VexGerber_TestModel;

namespace
{
//! Resolutions tried, coarsest first: pixels of a tenth of a millimetre down to a tenth of a mil.
const int THE_DPIS[] = {254, 500, 508, 1000, 1270, 2000, 2540, 5000, 5080, 10000};

//! Largest side of a picture: gerbv refuses to export a larger window.
const int THE_MOST_PIXELS = 2000;

//! Finest resolution used, whatever the grid.
const int THE_FINEST_DPI = 10000;

//! Pixels across the thinnest stroke: the two rasterisers place the edges of a round line a
//! pixel apart at worst, which must stay small beside its width.
const double THE_STROKE_PIXELS = 8.0;

//! Share of the points that must lie on a grid for it to be the file's grid.
const double THE_ON_GRID = 0.99;

//! Files where gerbv's picture is known to differ from the true geometry, with the agreement
//! they reach and why: checked pixel by pixel against the exact shapes.
const std::map<std::string, std::pair<double, const char*>> THE_KNOWN = {
    {"protel-pnp/SE_SG_IF_V2.GD1",
     {0.975, "drill drawing of thin circles: gerbv strokes a circle up to 0.8 pixel off the true "
             "ring (ours within 0.03 pixel)"}},
};

//! Millimetres per inch.
const double THE_MM_PER_INCH = 25.4;

//! Returns the points that a file gives with coordinates: the ends of strokes, flashes and region
//! edges (flashes of apertures other than plain circles, and their outlines, are left out: the
//! frames stay those chosen when such flashes were read as outlines).
std::vector<gp_XY> givenPoints(const PenFormatData_Model& theModel)
{
  std::vector<gp_XY> aPoints;
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(theModel))
  {
    if ((aSequence->IsArea() && aSequence->ApertureNumber() != 0) ||
        IsShapedFlashes(theModel, *aSequence))
    {
      continue;
    }
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aChild(aSequence->GetCurve()->Children());
         aChild.More(); aChild.Next())
    {
      for (PhGeom_Curve::ElementIterator anIter(*aChild.Value()); anIter.More(); anIter.Next())
      {
        aPoints.push_back(anIter.Value().StartPoint());
        aPoints.push_back(anIter.Value().EndPoint());
      }
    }
  }
  return aPoints;
}

//! Returns the width (mm) of the thinnest stroke theModel draws (infinite when it draws none).
double thinnestStroke(const PenFormatData_Model& theModel)
{
  double aThinnest = std::numeric_limits<double>::infinity();
  for (const Handle(PenFormatData_Sequence) & aSequence : Sequences(theModel))
  {
    const Handle(PenFormatData_Aperture)& anAperture =
        theModel.Aperture(aSequence->ApertureNumber());
    if (aSequence->IsArea() || aSequence->ToolpathMode() == 2 || anAperture.IsNull() ||
        anAperture->ShapeCode() != PenFormatData_Aperture::Shape_Round ||
        anAperture->NbParams() < 1)
    {
      continue;
    }
    const double aWidth = anAperture->Param(1);
    aThinnest           = aWidth > 0.0 ? std::min(aThinnest, aWidth) : aThinnest;
  }
  return aThinnest;
}

//! Returns the share of thePoints that lie on the pixel grid of theDpi (from the origin).
double shareOnGrid(const std::vector<gp_XY>& thePoints, const int theDpi)
{
  const double aPixel = THE_MM_PER_INCH / theDpi;
  size_t       aCount = 0;
  for (const gp_XY& aPoint : thePoints)
  {
    const double aX = aPoint.X() / aPixel, aY = aPoint.Y() / aPixel;
    aCount += std::abs(aX - std::round(aX)) < 1.0e-3 && std::abs(aY - std::round(aY)) < 1.0e-3;
  }
  return thePoints.empty() ? 1.0 : double(aCount) / double(thePoints.size());
}

//! Returns the resolution of the file's grid: the coarsest whose pixel nearly every given point
//! lies on, else the one most points lie on.
int gridDpi(const std::vector<gp_XY>& thePoints)
{
  int    aBestDpi   = THE_FINEST_DPI;
  double aBestShare = -1.0;
  for (const int aDpi : THE_DPIS)
  {
    const double aShare = shareOnGrid(thePoints, aDpi);
    if (aShare >= THE_ON_GRID)
    {
      return aDpi;
    }
    if (aShare > aBestShare + 0.01)
    {
      aBestShare = aShare;
      aBestDpi   = aDpi;
    }
  }
  return aBestDpi;
}

//! Returns the middle value of theValues (not empty).
double median(std::vector<double> theValues)
{
  std::nth_element(theValues.begin(), theValues.begin() + theValues.size() / 2, theValues.end());
  return theValues[theValues.size() / 2];
}

//! Narrows [theMin, theMax] to theSide around theMiddle, inside the range.
void narrow(double& theMin, double& theMax, const double theMiddle, const double theSide)
{
  if (theMax - theMin > theSide)
  {
    theMin = std::max(theMin, std::min(theMiddle - 0.5 * theSide, theMax - theSide));
    theMax = theMin + theSide;
  }
}

//! Where a file is compared: the whole drawing at a multiple of its grid's resolution when it
//! fits in a picture gerbv exports, else a window of that size around the middle of its points.
struct Choice
{
  VexTest_Raster::Frame Frame;            //!< the window and resolution
  bool                  IsWindow = false; //!< only part of the drawing
};

//! Returns the frame of theModel's drawing.
Choice chooseFrame(const PenFormatData_Model& theModel)
{
  const std::vector<gp_XY> aPoints = givenPoints(theModel);
  const int                aGrid   = gridDpi(aPoints);
  VexRender_SvgBox         aBox    = VexRender_SvgSurvey(theModel).Extent();
  const double             aLonger = std::max(aBox.Width(), aBox.Height()) + 1.0;
  // A multiple of the grid's resolution still has the grid on pixel edges: the largest at which
  // the whole drawing fits, or a finer one where thin strokes need it.
  const int aFits = static_cast<int>(THE_MOST_PIXELS * THE_MM_PER_INCH / aLonger / aGrid);
  const int aThin = static_cast<int>(
      std::ceil(THE_STROKE_PIXELS * THE_MM_PER_INCH / thinnestStroke(theModel) / aGrid));
  Choice       aChoice;
  const int    aDpi = aGrid * std::max(1, std::min(std::max(aFits, aThin), THE_FINEST_DPI / aGrid));
  const double aSide = (THE_MOST_PIXELS - 2) * THE_MM_PER_INCH / aDpi;
  aChoice.IsWindow   = aBox.Width() + 1.0 > aSide || aBox.Height() + 1.0 > aSide;
  if (aChoice.IsWindow && !aPoints.empty())
  {
    std::vector<double> aXs, aYs;
    for (const gp_XY& aPoint : aPoints)
    {
      aXs.push_back(aPoint.X());
      aYs.push_back(aPoint.Y());
    }
    narrow(aBox.MinX, aBox.MaxX, median(aXs), aSide);
    narrow(aBox.MinY, aBox.MaxY, median(aYs), aSide);
  }
  aChoice.Frame = VexTest_Raster::Frame::Around(aBox, aChoice.IsWindow ? 0.0 : 0.5, aDpi);
  return aChoice;
}

//! Returns the folder for the pictures, kept when VEX_RASTER_KEEP is set.
std::string pictureFolder()
{
  // One folder per process: runs from several checkouts share the temporary folder.
  const std::string aFolder =
      ::testing::TempDir() + "vexgerbvexamples-" + std::to_string(::getpid());
  std::filesystem::remove_all(aFolder);
  std::filesystem::create_directories(aFolder);
  return aFolder;
}

//! Returns theRatio as a percentage with two decimals.
std::string percent(const double theRatio)
{
  char aText[32];
  std::snprintf(aText, sizeof(aText), "%.2f %%", theRatio * 100.0);
  return aText;
}
} // namespace

TEST(VexRenderGerbvExamples, RenderAgreesWithGerbvOnEveryExampleFile)
{
  const std::string aMissing = VexTest_Raster::MissingTools();
  if (!aMissing.empty() || !std::filesystem::exists(THE_GERBV_EXAMPLES))
  {
    VEX_TEST_SKIP_WITHOUT_GERBV() << "pixel comparison with gerbv's examples skipped, "
                                  << (aMissing.empty() ? "gerbv's examples are not installed"
                                                       : aMissing);
  }
  // In the sanitizer build every fifth file is compared: the readers and the renderer are the
  // same code, and the whole loop runs in the normal build.
  const std::string aFolder = pictureFolder();
  const bool        isKept  = std::getenv("VEX_RASTER_KEEP") != nullptr;
  std::cout << "| example file | apertures | resolution | compared | agreement | needed | note |\n"
               "|---|---|---|---|---|---|---|\n";
  size_t aCompared = 0;
  for (const GerbvExample& anExample : ListGerbvExamples(IsSanitized() ? 5 : 1))
  {
    if (!anExample.IsGerber)
    {
      continue;
    }
    if (!anExample.Imports)
    {
      // The Gerber tests check that such a file stops with our message, as gerbv finds it broken.
      std::cout << "| " << anExample.Name << " | - | - | - | - | - | not imported: broken |\n";
      continue;
    }
    SCOPED_TRACE(anExample.Name);
    Read aRead;
    ReadText(FileText(anExample.Path), aRead);
    ASSERT_TRUE(aRead.Ok);
    const Choice aChoice  = chooseFrame(*aRead.Model);
    const auto   aKnown   = THE_KNOWN.find(anExample.Name);
    const double aMinimum = aKnown != THE_KNOWN.end() ? aKnown->second.first
                            : anExample.RoundOnly     ? 0.99
                                                      : 0.97;
    std::string  aPrefix  = aFolder + "/" + anExample.Name;
    std::replace(aPrefix.begin() + aFolder.size() + 1, aPrefix.end(), '/', '-');
    VexTest_Raster::Agreement anAgreement;
    std::string               anError;
    ASSERT_TRUE(VexTest_Raster::CompareModel(aRead.Model, anExample.Path, aChoice.Frame, aPrefix,
                                             anAgreement, anError, isKept))
        << anError;
    std::cout << "| " << anExample.Name << " | " << (anExample.RoundOnly ? "round" : "any") << " | "
              << aChoice.Frame.Dpi << " dpi | " << aChoice.Frame.Columns << " x "
              << aChoice.Frame.Rows << (aChoice.IsWindow ? " px window" : " px, all") << " | "
              << percent(anAgreement.Ratio()) << " | " << percent(aMinimum) << " | "
              << (aKnown != THE_KNOWN.end() ? aKnown->second.second : "") << " |" << std::endl;
    EXPECT_GE(anAgreement.Ratio(), aMinimum);
    EXPECT_GT(anAgreement.Both, 1000) << "the pictures are nearly empty";
    ++aCompared;
  }
  if (!isKept)
  {
    std::filesystem::remove_all(aFolder);
  }
  EXPECT_GT(aCompared, IsSanitized() ? 10u : 60u);
}
