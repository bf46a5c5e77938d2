// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Features_HeaderFile
#define _VexVerify_Features_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

#include <TCollection_AsciiString.hxx>

#include <vector>

//! How the checks read a model: which sequences draw what, and their values in millimetres.
//!
//! A sequence is drawn as follows, whatever model it comes from (a machine file, a document, a
//! design file): an area sequence fills the non-zero winding area of its contours; a toolpath,
//! or a sequence of clear polarity, strokes its segments and arcs with a round pen of its
//! aperture's first parameter and stamps its points as discs of that diameter (a round aperture's
//! second parameter is a hole in those discs); any other sequence (scan-field frames and the
//! like) draws nothing. Clear sequences erase what the sequences before them drew.
class VexVerify_Features
{
public:
  //! What a sequence draws.
  enum Kind
  {
    Kind_None,    //!< nothing
    Kind_Strokes, //!< strokes and discs of its aperture
    Kind_Area     //!< the area its contours enclose
  };

  //! Returns what theSequence draws.
  static Kind Classify(const PenFormatData_Sequence& theSequence);

  //! Returns true for a path toolpath (toolpath flag set, mode 1).
  static Standard_Boolean IsPathToolpath(const PenFormatData_Sequence& theSequence);

  //! Returns true for a point toolpath (toolpath flag set, mode 2).
  static Standard_Boolean IsPointToolpath(const PenFormatData_Sequence& theSequence);

  //! Returns the factor from theModel's unit to millimetres.
  static Standard_Real UnitFactor(const PenFormatData_Model& theModel);

  //! Returns the first parameter (pen width, tool diameter) of aperture theNumber in the model's
  //! unit; 0 when the aperture is missing or has no parameter.
  static Standard_Real Width(const PenFormatData_Model& theModel, const Standard_Integer theNumber);

  //! Returns the hole diameter of a round aperture theNumber (its second parameter), else 0.
  static Standard_Real HoleWidth(const PenFormatData_Model& theModel,
                                 const Standard_Integer     theNumber);

  //! Returns the name of aperture theNumber in UTF-8, or "#n" when it is missing or unnamed.
  static TCollection_AsciiString Name(const PenFormatData_Model& theModel,
                                      const Standard_Integer     theNumber);

  //! Returns theText in UTF-8.
  static TCollection_AsciiString Text(const TCollection_ExtendedString& theText);

  //! Returns true when every coordinate, radius and aperture width of the sequences of theModel
  //! is usable in millimetres (finite and within VexVerify_Geometry::Limit()), so that the checks
  //! can take them as they are.
  static Standard_Boolean IsUsable(const PenFormatData_Model& theModel);

  //! Replaces thePoints by the outline of theContour in millimetres (theFactor from the model's
  //! unit): the first element's start, then every element's end, arcs cut into chords (points
  //! add nothing after the first).
  static void Outline(const PhGeom_Curve& theContour, const Standard_Real theFactor,
                      std::vector<gp_XY>& thePoints);
};

#endif
