// Copyright (c) 2026 VexData developers
#include <VexTest_Raster.hxx>

#include <VexRender_Svg.hxx>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

#ifdef VEX_TEST_HAVE_PNG
#include <png.h>
#endif

namespace
{
//! Millimetres per inch.
const double THE_MM_PER_INCH = 25.4;

//! Longest origin gerbv accepts, in characters.
const size_t THE_LONGEST_ORIGIN = 20;

//! Colours both pictures are drawn in.
const char THE_INK[]   = "#000000";
const char THE_PAPER[] = "#ffffff";

//! Returns theText quoted for the shell.
std::string quoted(const std::string& theText)
{
  std::string aResult = "'";
  for (const char aChar : theText)
  {
    aResult += aChar == '\'' ? std::string("'\\''") : std::string(1, aChar);
  }
  return aResult + "'";
}

//! Runs theCommand with its output into theLog; false with theError (the log's start) when it
//! fails.
bool run(const std::string& theCommand, const std::string& theLog, std::string& theError)
{
  const int aRaw = std::system((theCommand + " >" + quoted(theLog) + " 2>&1").c_str());
  if (aRaw != -1 && WIFEXITED(aRaw) && WEXITSTATUS(aRaw) == 0)
  {
    return true;
  }
  std::ifstream      aFile(theLog);
  std::ostringstream aText;
  aText << aFile.rdbuf();
  theError = "\"" + theCommand + "\" failed: " + aText.str().substr(0, 400);
  return false;
}

//! Returns theValue with at most four decimals and at least one (gerbv would read "0x…" as a
//! hexadecimal number).
std::string decimal(const double theValue)
{
  char aBuffer[64];
  std::snprintf(aBuffer, sizeof(aBuffer), "%.4f", theValue);
  std::string aText = aBuffer;
  while (aText.size() > 2 && aText.back() == '0' && aText[aText.size() - 2] != '.')
  {
    aText.pop_back();
  }
  return aText == "-0.0" ? "0.0" : aText;
}

//! Returns true when theTool is on the path.
bool hasTool(const char* theTool)
{
  return std::system(("command -v " + std::string(theTool) + " >/dev/null 2>&1").c_str()) == 0;
}

//! Returns true when the pixel at theOffset is darker than mid-grey, over a white page.
bool isCovered(const VexTest_Raster::Image& theImage, const size_t theOffset)
{
  const unsigned char* aPixel = &theImage.Rgba[theOffset];
  const double         anInk  = (765.0 - aPixel[0] - aPixel[1] - aPixel[2]) / 765.0;
  return anInk * aPixel[3] / 255.0 > 0.5;
}
} // namespace

VexTest_Raster::Frame VexTest_Raster::Frame::Around(const VexRender_SvgBox& theBox,
                                                    const double theBorder, const int theDpi)
{
  // The corner lies a whole number of pixels from the model's origin (to a tenth of a micrometre,
  // as gerbv reads it from text), so coordinates on a grid the pixel divides fall on pixel edges.
  Frame aFrame;
  aFrame.Dpi             = theDpi;
  const double aPerPixel = THE_MM_PER_INCH / theDpi;
  aFrame.X0 =
      std::round(std::floor((theBox.MinX - theBorder) / aPerPixel) * aPerPixel * 1.0e4) / 1.0e4;
  aFrame.Y0 =
      std::round(std::floor((theBox.MinY - theBorder) / aPerPixel) * aPerPixel * 1.0e4) / 1.0e4;
  aFrame.Columns = static_cast<int>(std::ceil((theBox.MaxX + theBorder - aFrame.X0) / aPerPixel));
  aFrame.Rows    = static_cast<int>(std::ceil((theBox.MaxY + theBorder - aFrame.Y0) / aPerPixel));
  return aFrame;
}

VexRender_SvgBox VexTest_Raster::Frame::Window() const
{
  VexRender_SvgBox aWindow;
  aWindow.MinX = X0;
  aWindow.MinY = Y0;
  aWindow.MaxX = X0 + Columns * THE_MM_PER_INCH / Dpi;
  aWindow.MaxY = Y0 + Rows * THE_MM_PER_INCH / Dpi;
  return aWindow;
}

std::string VexTest_Raster::MissingTools()
{
  std::string aMissing;
#ifndef VEX_TEST_HAVE_PNG
  aMissing += " libpng (the tests were built without it)";
#endif
  aMissing += hasTool("rsvg-convert") ? "" : " rsvg-convert (Debian librsvg2-bin)";
  aMissing += hasTool("gerbv") ? "" : " gerbv (Debian gerbv)";
  return aMissing.empty() ? aMissing : "missing:" + aMissing;
}

bool VexTest_Raster::WriteSvg(const Handle(PenFormatData_Model) & theModel, const Frame& theFrame,
                              const std::string& theSvgPath, std::string& theError)
{
  VexRender_SvgOptions anOptions;
  anOptions.IsBare     = true;
  anOptions.Window     = theFrame.Window();
  anOptions.Foreground = THE_INK;
  anOptions.Background = THE_PAPER;
  std::ofstream           aFile(theSvgPath, std::ios::binary);
  TCollection_AsciiString anError;
  if (!VexRender_Svg::Write(theModel, anOptions, aFile, anError))
  {
    theError = anError.ToCString();
    return false;
  }
  return true;
}

bool VexTest_Raster::RasteriseSvg(const std::string& theSvgPath, const Frame& theFrame,
                                  const std::string& thePngPath, std::string& theError)
{
  const std::string aCommand = "rsvg-convert --width=" + std::to_string(theFrame.Columns) +
                               " --height=" + std::to_string(theFrame.Rows) +
                               " --background-color=white -o " + quoted(thePngPath) + " " +
                               quoted(theSvgPath);
  return run(aCommand, thePngPath + ".log", theError);
}

bool VexTest_Raster::RenderGerber(const std::string& theGerberPath, const Frame& theFrame,
                                  const std::string& thePngPath, std::string& theError)
{
  const std::string anOrigin = decimal(theFrame.X0) + "x" + decimal(theFrame.Y0);
  if (anOrigin.size() > THE_LONGEST_ORIGIN)
  {
    theError = "gerbv cannot take the origin " + anOrigin + " (more than 20 characters)";
    return false;
  }
  std::remove(thePngPath.c_str());
  const std::string aCommand =
      "gerbv -x png -u mm --origin=" + anOrigin + " --window=" + std::to_string(theFrame.Columns) +
      "x" + std::to_string(theFrame.Rows) + " --dpi=" + std::to_string(theFrame.Dpi) +
      " --border=0 -f '" + THE_INK + "' -b '" + THE_PAPER + "' -o " + quoted(thePngPath) + " " +
      quoted(theGerberPath);
  if (!run(aCommand, thePngPath + ".log", theError))
  {
    return false;
  }
  if (!std::ifstream(thePngPath).good())
  {
    theError = "gerbv wrote no picture of " + theGerberPath;
    return false;
  }
  return true;
}

bool VexTest_Raster::ReadPng(const std::string& thePath, Image& theImage, std::string& theError)
{
#ifdef VEX_TEST_HAVE_PNG
  png_image aPng;
  std::memset(&aPng, 0, sizeof(aPng));
  aPng.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&aPng, thePath.c_str()))
  {
    theError = thePath + ": " + aPng.message;
    return false;
  }
  aPng.format     = PNG_FORMAT_RGBA;
  theImage.Width  = static_cast<int>(aPng.width);
  theImage.Height = static_cast<int>(aPng.height);
  theImage.Rgba.assign(PNG_IMAGE_SIZE(aPng), 0);
  if (!png_image_finish_read(&aPng, NULL, theImage.Rgba.data(), 0, NULL))
  {
    theError = thePath + ": " + aPng.message;
    png_image_free(&aPng);
    return false;
  }
  return true;
#else
  (void)thePath;
  (void)theImage;
  theError = "the tests were built without libpng";
  return false;
#endif
}

bool VexTest_Raster::WriteDifference(const Image& theOurs, const Image& theTheirs,
                                     const std::string& thePath, std::string& theError)
{
  Agreement anAgreement;
  if (!Compare(theOurs, theTheirs, anAgreement, theError))
  {
    return false;
  }
#ifdef VEX_TEST_HAVE_PNG
  Image aDifference = theOurs;
  for (size_t anOffset = 0; anOffset < aDifference.Rgba.size(); anOffset += 4)
  {
    const bool     isOurs = isCovered(theOurs, anOffset), isTheirs = isCovered(theTheirs, anOffset);
    unsigned char* aPixel = &aDifference.Rgba[anOffset];
    aPixel[0]             = isOurs && !isTheirs ? 255 : isOurs || isTheirs ? 0 : 255;
    aPixel[1]             = isOurs || isTheirs ? 0 : 255;
    aPixel[2]             = isTheirs && !isOurs ? 255 : isOurs || isTheirs ? 0 : 255;
    aPixel[3]             = 255;
  }
  png_image aPng;
  std::memset(&aPng, 0, sizeof(aPng));
  aPng.version = PNG_IMAGE_VERSION;
  aPng.width   = static_cast<png_uint_32>(aDifference.Width);
  aPng.height  = static_cast<png_uint_32>(aDifference.Height);
  aPng.format  = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&aPng, thePath.c_str(), 0, aDifference.Rgba.data(), 0, NULL))
  {
    theError = thePath + ": " + aPng.message;
    return false;
  }
  return true;
#else
  theError = "the tests were built without libpng: " + thePath + " not written";
  return false;
#endif
}

bool VexTest_Raster::Compare(const Image& theOurs, const Image& theTheirs, Agreement& theAgreement,
                             std::string& theError)
{
  if (theOurs.Width != theTheirs.Width || theOurs.Height != theTheirs.Height ||
      theOurs.Rgba.size() != theTheirs.Rgba.size())
  {
    theError = "the pictures differ in size: " + std::to_string(theOurs.Width) + "x" +
               std::to_string(theOurs.Height) + " and " + std::to_string(theTheirs.Width) + "x" +
               std::to_string(theTheirs.Height);
    return false;
  }
  theAgreement = Agreement();
  for (size_t anOffset = 0; anOffset < theOurs.Rgba.size(); anOffset += 4)
  {
    const bool isOurs = isCovered(theOurs, anOffset), isTheirs = isCovered(theTheirs, anOffset);
    theAgreement.Both += isOurs && isTheirs ? 1 : 0;
    theAgreement.OnlyOurs += isOurs && !isTheirs ? 1 : 0;
    theAgreement.OnlyTheirs += isTheirs && !isOurs ? 1 : 0;
  }
  return true;
}

bool VexTest_Raster::CompareSvg(const std::string& theSvgPath, const std::string& theGerberPath,
                                const Frame& theFrame, const std::string& thePrefix,
                                Agreement& theAgreement, std::string& theError,
                                const bool toShowDifference)
{
  const std::string anOursPath = thePrefix + "-ours.png", aTheirsPath = thePrefix + "-theirs.png";
  Image             anOurs, aTheirs;
  if (!RasteriseSvg(theSvgPath, theFrame, anOursPath, theError) ||
      !RenderGerber(theGerberPath, theFrame, aTheirsPath, theError) ||
      !ReadPng(anOursPath, anOurs, theError) || !ReadPng(aTheirsPath, aTheirs, theError) ||
      !Compare(anOurs, aTheirs, theAgreement, theError))
  {
    return false;
  }
  return !toShowDifference ||
         WriteDifference(anOurs, aTheirs, thePrefix + "-difference.png", theError);
}

bool VexTest_Raster::CompareModel(const Handle(PenFormatData_Model) & theModel,
                                  const std::string& theGerberPath, const Frame& theFrame,
                                  const std::string& thePrefix, Agreement& theAgreement,
                                  std::string& theError, const bool toShowDifference)
{
  const std::string aSvgPath = thePrefix + "-ours.svg";
  return WriteSvg(theModel, theFrame, aSvgPath, theError) &&
         CompareSvg(aSvgPath, theGerberPath, theFrame, thePrefix, theAgreement, theError,
                    toShowDifference);
}
