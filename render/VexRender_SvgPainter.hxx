// Copyright (c) 2026 VexData developers
#ifndef _VexRender_SvgPainter_HeaderFile
#define _VexRender_SvgPainter_HeaderFile

#include <VexRender_SvgPathData.hxx>
#include <VexRender_SvgSurvey.hxx>

#include <string>

//! Draws the sequences of one surveyed model, in object order, so that what comes later covers
//! what came before, each as the shared geometry says it draws (VexGeom_Drawing):
//! - path toolpaths: their segments and arcs stroked at the tool's width (round caps and joins);
//! - point toolpaths: a disc of the tool's diameter per hit (a ring when the tool is a round
//!   aperture with a hole);
//! - filled areas: all contours of the sequence in one outline, filled by non-zero winding;
//! - artwork with a drawable aperture: lines stroked at a circle's diameter (the exact stroke of
//!   a round pen), or the area another shape sweeps along its segments and arcs
//!   (VexGeom_Sweep); points flashed with the aperture's shape and hole;
//! - scan-field outlines dashed, other sequences that are not toolpaths as thin grey lines.
//!
//! Artwork of clear polarity gets a class of its own: in a picture it is painted in the page
//! colour, so it erases what lies below it as a single-layer viewer shows it; in a mask it is
//! black, so it erases only what the same design drew before it. A model of negative image
//! polarity first covers the drawn rectangle with its artwork colour (or mask white) and then
//! paints its dark artwork as clear and its clear artwork as dark; in a bare drawing the
//! picture's colours are swapped instead.
class VexRender_SvgPainter
{
public:
  //! What the drawing is for, which decides its classes and what it leaves out.
  enum Role
  {
    Role_Picture, //!< the full picture: everything, in tool and artwork classes
    Role_Drawing, //!< a bare picture: tool and artwork classes, no scan fields or grey lines
    Role_Mask     //!< a design beneath the job: its shapes in mask classes, nothing else
  };

  //! Creates a painter of theSurvey's model into theBuffer on thePage.
  VexRender_SvgPainter(VexRender_SvgBuffer& theBuffer, const VexRender_SvgPage& thePage,
                       const VexRender_SvgSurvey& theSurvey, const Role theRole);

  //! Writes the rectangles of the model's scan-field list, each with its number and order.
  void WriteScanFieldList();

  //! Writes every sequence that is drawn in this role, in object order.
  void WriteSequences();

private:
  //! Writes the sequence theWalker is at.
  void writeSequence(const VexGeom_Walker& theWalker);

  //! Writes the lines of a path toolpath.
  void writePathToolpath(const PenFormatData_Sequence& theSequence);

  //! Writes the discs of a point toolpath whose aperture has theShape.
  void writeDrills(const PenFormatData_Sequence& theSequence, const VexGeom_Shape& theShape);

  //! Writes the lines (or, with isArea, the filled outline) of theContainer's contours as one
  //! path element.
  void writeLines(const PhGeom_Curve& theContainer, const char* theClass,
                  const double theStrokeWidth, const bool isArea);

  //! Writes artwork drawn and flashed with theShape.
  void writeArtwork(const PenFormatData_Sequence& theSequence, const VexGeom_Shape& theShape);

  //! Writes the flashes of theShape at the points of theContainer, and its sweeps along the
  //! segments and arcs when it is not a circle, as one filled path element of theClass.
  void writeShapes(const PhGeom_Curve& theContainer, const VexGeom_Shape& theShape,
                   const char* theClass);

  //! Returns the class of filled artwork of the given polarity.
  const char* fillClass(const bool isClear) const;

  //! Returns the class of stroked artwork of the given polarity.
  const char* lineClass(const bool isClear) const;

  VexRender_SvgBuffer&       myBuffer;   //!< destination
  const VexRender_SvgPage&   myPage;     //!< coordinate mapping and hairline
  const VexRender_SvgSurvey& mySurvey;   //!< model, its tools and its unit
  VexRender_SvgPathData      myPath;     //!< path element writer
  Role                       myRole;     //!< what the drawing is for
  bool                       isNegative; //!< a negative image drawn over its own dark field
};

#endif
