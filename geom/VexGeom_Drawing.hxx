// Copyright (c) 2026 VexData developers
#ifndef _VexGeom_Drawing_HeaderFile
#define _VexGeom_Drawing_HeaderFile

#include <VexGeom_Shape.hxx>

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

//! What a sequence of a model draws, whatever model it comes from (a machine file, a document, a
//! design file): one rule for the picture, the checks against a design and the making of jobs.
//! - A toolpath (toolpath flag set) is drawn as a machine cuts it: a path toolpath (mode 1)
//!   strokes its segments and arcs with a round pen of its tool's width (its aperture's first
//!   parameter); any other toolpath is drilled, a disc of the tool's diameter at each point (with
//!   the hole of a round aperture that has one: a ring pad of a design).
//! - A sequence on the scan-field layer outlines a scan field: a note of the picture only.
//! - An area sequence fills what its contours enclose, by non-zero winding.
//! - Other artwork is drawn with its aperture when the aperture's shape can be drawn (see
//!   VexGeom_Shape::FromAperture): its segments and arcs are lines the shape sweeps along, its
//!   points flashes of the shape with its hole. Artwork whose aperture cannot be drawn is a note
//!   of the picture only.
//! A sequence of clear polarity erases what the sequences before it drew, in object order.
class VexGeom_Drawing
{
public:
  //! What a sequence draws.
  enum Kind
  {
    Kind_Path,      //!< path toolpath: its lines stroked at the tool's width
    Kind_Drill,     //!< other toolpath: a disc of the tool's diameter per point
    Kind_ScanField, //!< scan-field outline: drawn by a picture as a note, draws nothing
    Kind_Area,      //!< the area its contours enclose
    Kind_Artwork,   //!< lines and flashes of its aperture's shape
    Kind_Other      //!< artwork of an aperture that cannot be drawn: a note, draws nothing
  };

  //! Returns what theSequence draws; theShape is its aperture's shape in millimetres.
  Standard_EXPORT static Kind Classify(const PenFormatData_Sequence& theSequence,
                                       const VexGeom_Shape&          theShape);

  //! Returns true when theKind covers an area (path, drill, area, artwork).
  static bool Draws(const Kind theKind)
  {
    return theKind != Kind_ScanField && theKind != Kind_Other;
  }

  //! Returns true for a path toolpath a machine cuts: toolpath flag set, mode 1, dark, not an
  //! area, with a curve.
  Standard_EXPORT static Standard_Boolean IsPathToolpath(const PenFormatData_Sequence& theSequence);

  //! Returns true for a point toolpath a machine drills: toolpath flag set, mode 2, dark, not an
  //! area, with a curve.
  Standard_EXPORT static Standard_Boolean IsPointToolpath(
      const PenFormatData_Sequence& theSequence);

  //! Returns the factor from theModel's unit to millimetres.
  Standard_EXPORT static double UnitFactor(const PenFormatData_Model& theModel);

  //! Returns the first parameter (pen width, tool diameter) of aperture theNumber in the model's
  //! unit; 0 when the aperture is missing or has no parameter.
  Standard_EXPORT static double Width(const PenFormatData_Model& theModel,
                                      const Standard_Integer     theNumber);

  //! Returns true when every coordinate, radius and aperture size of the sequences of theModel
  //! is a usable length in millimetres (see VexGeom_Units::IsUsable), so that the geometry can
  //! take them as they are.
  Standard_EXPORT static Standard_Boolean IsUsable(const PenFormatData_Model& theModel);

  //! Returns true when the points, centre and radius of theElement, turned into millimetres by
  //! theFactor, are usable lengths.
  Standard_EXPORT static Standard_Boolean IsUsable(const PhGeom_Element& theElement,
                                                   const double          theFactor);
};

#endif
