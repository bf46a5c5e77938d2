// Copyright (c) 2026 VexData developers
#ifndef _VexTest_Raster_HeaderFile
#define _VexTest_Raster_HeaderFile

#include <VexRender_SvgBox.hxx>

#include <PenFormatData_Model.hxx>

#include <string>
#include <vector>

//! Compares our pictures with the independent viewer gerbv, pixel for pixel.
//!
//! Both pictures cover the same frame: a window of the plane whose sides are whole numbers of
//! pixels at the frame's resolution. Ours is the bare SVG picture (`vex render --bare --window`)
//! rasterised by rsvg-convert at the frame's pixel size; gerbv's is its PNG export of the
//! Gerber file with
//!   gerbv -x png -u mm --origin=X0xY0 --window=COLUMNSxROWS --dpi=DPI --border=0
//!         -f #000000 -b #ffffff
//! (origin in millimetres because of -u mm, written with a decimal point since gerbv reads
//! "0x…" as hexadecimal and with at most 20 characters in all, which it refuses beyond; no
//! antialiasing, gerbv's default for bitmaps). With these options gerbv puts the frame's
//! lower-left corner at the bottom-left pixel corner and samples every pixel at its centre:
//! filled regions land exactly where ours do. A pixel is covered when it is darker than
//! mid-grey (our antialiased edges are thresholded at half coverage), and the agreement is the
//! number of pixels covered in both pictures over the number covered in either.
//!
//! gerbv's bitmaps move the ends of strokes and the centres of flashes to whole pixels (or pixel
//! centres), up to a pixel away, and draw rectangles a pixel smaller; our picture does not. The
//! agreement therefore depends on the resolution: it is best where the design's coordinates
//! fall on pixel edges, that is where the pixel divides the design grid (2540 dpi, 10
//! micrometres, for a grid of hundredths of a millimetre; 1000 dpi for a grid of mils), which
//! Frame::Around() keeps by placing the frame's corner a whole number of pixels from the
//! model's origin.
//!
//! Every function returns false with a reason when a tool is missing or fails; tests call
//! MissingTools() first and skip with its notice.
class VexTest_Raster
{
public:
  //! A decoded picture, 8-bit RGBA, rows from the top.
  struct Image
  {
    int                        Width  = 0; //!< columns
    int                        Height = 0; //!< rows
    std::vector<unsigned char> Rgba;       //!< four bytes per pixel
  };

  //! The window both pictures show and their resolution.
  struct Frame
  {
    double X0      = 0.0; //!< left, millimetres (on the micrometre grid)
    double Y0      = 0.0; //!< bottom, millimetres (on the micrometre grid)
    int    Columns = 0;   //!< picture width in pixels
    int    Rows    = 0;   //!< picture height in pixels
    int    Dpi     = 0;   //!< pixels per inch

    //! Returns the frame of theBox grown by theBorder millimetres on each side at theDpi.
    static Frame Around(const VexRender_SvgBox& theBox, const double theBorder, const int theDpi);

    //! Returns the window in millimetres.
    VexRender_SvgBox Window() const;
  };

  //! How two pictures agree.
  struct Agreement
  {
    long Both       = 0; //!< pixels covered in both
    long OnlyOurs   = 0; //!< pixels covered in ours only
    long OnlyTheirs = 0; //!< pixels covered in theirs only

    //! Returns the pixels covered in both over those covered in either (1 when none is).
    double Ratio() const
    {
      const long anEither = Both + OnlyOurs + OnlyTheirs;
      return anEither == 0 ? 1.0 : double(Both) / double(anEither);
    }
  };

  //! Returns what is missing to compare pictures (rsvg-convert, gerbv, libpng), empty when
  //! nothing is.
  static std::string MissingTools();

  //! Writes the bare picture of theModel over theFrame to theSvgPath.
  static bool WriteSvg(const Handle(PenFormatData_Model) & theModel, const Frame& theFrame,
                       const std::string& theSvgPath, std::string& theError);

  //! Rasterises the SVG picture theSvgPath at theFrame's pixel size into thePngPath.
  static bool RasteriseSvg(const std::string& theSvgPath, const Frame& theFrame,
                           const std::string& thePngPath, std::string& theError);

  //! Has gerbv export theGerberPath over theFrame into thePngPath.
  static bool RenderGerber(const std::string& theGerberPath, const Frame& theFrame,
                           const std::string& thePngPath, std::string& theError);

  //! Decodes thePath into theImage.
  static bool ReadPng(const std::string& thePath, Image& theImage, std::string& theError);

  //! Writes a picture of where theOurs and theTheirs differ: black where both are covered, red
  //! where only ours is, blue where only theirs is.
  static bool WriteDifference(const Image& theOurs, const Image& theTheirs,
                              const std::string& thePath, std::string& theError);

  //! Compares two pictures of the same size; false when the sizes differ.
  static bool Compare(const Image& theOurs, const Image& theTheirs, Agreement& theAgreement,
                      std::string& theError);

  //! Compares our SVG picture theSvgPath (bare, over theFrame's window) with gerbv's picture of
  //! theGerberPath. The pictures go to thePrefix + "-ours.png" and "-theirs.png" and, when
  //! toShowDifference, their difference to thePrefix + "-difference.png".
  static bool CompareSvg(const std::string& theSvgPath, const std::string& theGerberPath,
                         const Frame& theFrame, const std::string& thePrefix,
                         Agreement& theAgreement, std::string& theError,
                         const bool toShowDifference = false);

  //! Compares the bare picture of theModel, written to thePrefix + "-ours.svg", with gerbv's
  //! picture of theGerberPath, as CompareSvg() does.
  static bool CompareModel(const Handle(PenFormatData_Model) & theModel,
                           const std::string& theGerberPath, const Frame& theFrame,
                           const std::string& thePrefix, Agreement& theAgreement,
                           std::string& theError, const bool toShowDifference = false);
};

#endif
