// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Svg_HeaderFile
#define _VexHost_Svg_HeaderFile

#include <PenFormatData_Model.hxx>

#include <Standard_OStream.hxx>
#include <TCollection_AsciiString.hxx>

//! Draws a pen-format model as an SVG picture, in millimetres with the y axis pointing up. It
//! shows what a machine file made from the model would hold: path toolpaths (toolpath mode 1)
//! as their segments and arcs stroked at the tool's width with round caps and joins, drill hits
//! of the other toolpaths as discs of the tool's diameter, one colour per tool, and the scan
//! fields (the model's scan-field list and the non-toolpath sequences of the layer
//! "Scan fields") as dashed outlines. Other non-toolpath sequences are thin grey lines. Below
//! the drawing come a scale bar and a legend with one entry per tool (name, width, count of
//! paths and hits). The picture is written in one pass over the model after a survey pass, so
//! its cost grows linearly with the model.
class VexHost_Svg
{
public:
  //! Writes the picture of theModel to theStream. Returns false with theError set when the model
  //! is null or the stream fails.
  Standard_EXPORT static Standard_Boolean Write(const Handle(PenFormatData_Model) & theModel,
                                                Standard_OStream&        theStream,
                                                TCollection_AsciiString& theError);
};

#endif
