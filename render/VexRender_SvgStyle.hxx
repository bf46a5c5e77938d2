// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgStyle_HeaderFile
#define _VexRender_SvgStyle_HeaderFile

#include <VexRender_SvgOptions.hxx>
#include <VexRender_SvgPage.hxx>
#include <VexRender_SvgSurvey.hxx>

//! The colours of a picture and its style sheet: one colour per tool of the model on top, one
//! for its design artwork, one muted colour per design beneath, and the page colour. A bare
//! picture has the plain foreground and background colours of its options and no text.
//!
//! Classes: "tool" and "tN" (stroke of tool colour N), "dN" (disc of tool colour N), "art" and
//! "art-line" (artwork filled and stroked), "clear" and "clear-line" (artwork of clear polarity,
//! in the page colour), "scan" and "other" (outlines), "m", "m-line", "m-clear", "m-clear-line"
//! (the white and black of a design's mask) and "uN" (the colour of design N beneath).
class VexRender_SvgStyle
{
public:
  //! Returns the colour of tool colour index theIndex.
  static const char* ToolColour(const size_t theIndex);

  //! Returns the colour of the design beneath at theIndex (from 0).
  static const char* BeneathColour(const size_t theIndex);

  //! Writes the style sheet and the page background for theJob on thePage, with theNbBeneath
  //! designs beneath.
  static void Write(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage,
                    const VexRender_SvgSurvey& theJob, const size_t theNbBeneath,
                    const VexRender_SvgOptions& theOptions);

private:
  //! Writes the rules of the full picture's text, tools and outlines.
  static void writePictureRules(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage,
                                const VexRender_SvgSurvey& theJob);

  //! Writes the rules of a bare picture's tools.
  static void writeBareRules(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage,
                             const VexRender_SvgSurvey& theJob, const std::string& theForeground);

  //! Writes the rules of artwork drawn in theInk, clear artwork in thePaper.
  static void writeArtworkRules(VexRender_SvgBuffer& theBuffer, const std::string& theInk,
                                const std::string& thePaper);

  //! Writes the rules of the masks and colours of theNbBeneath designs.
  static void writeBeneathRules(VexRender_SvgBuffer& theBuffer, const size_t theNbBeneath);
};

#endif
