// Copyright (c) 2026 VexData developers
#ifndef _VexRender_Svg_HeaderFile
#define _VexRender_Svg_HeaderFile

#include <VexRender_SvgOptions.hxx>

#include <PenFormatData_Model.hxx>

#include <Standard_OStream.hxx>
#include <TCollection_AsciiString.hxx>

//! Draws a pen-format model as an SVG picture, in millimetres with the y axis pointing up. It
//! shows what a machine file made from the model would hold, and the artwork of design files:
//! path toolpaths stroked at the tool's width with round caps and joins, drill hits as discs of
//! the tool's diameter, one colour per tool; filled areas, flashes and lines of design artwork
//! in one colour, artwork of clear polarity in the page colour; scan fields as dashed outlines
//! and other sequences that are not toolpaths as thin grey lines. Designs given in the options
//! are drawn beneath, each in a muted colour of its own. Below the drawing come a scale bar and
//! a legend (VexRender_SvgLegend); a bare picture is the drawing alone.
//!
//! The picture is written in one pass over each model after a survey pass, through a buffer of
//! fixed size, so its cost grows linearly with the models and its memory does not grow at all.
class VexRender_Svg
{
public:
  //! Writes the full automatic picture of theModel to theStream. Returns false with theError
  //! set when the model is null or the stream fails.
  Standard_EXPORT static Standard_Boolean Write(const Handle(PenFormatData_Model) & theModel,
                                                Standard_OStream&        theStream,
                                                TCollection_AsciiString& theError);

  //! Writes the picture of theModel with theOptions to theStream. Returns false with theError
  //! set when a model is null, an option is not valid or the stream fails.
  Standard_EXPORT static Standard_Boolean Write(const Handle(PenFormatData_Model) & theModel,
                                                const VexRender_SvgOptions& theOptions,
                                                Standard_OStream&           theStream,
                                                TCollection_AsciiString&    theError);
};

#endif
