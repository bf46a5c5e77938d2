// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_WriterApertures_HeaderFile
#define _VexGerber_WriterApertures_HeaderFile

#include <PenFormatData_Model.hxx>
#include <PenFormatData_Sequence.hxx>

#include <NCollection_DataMap.hxx>

#include <string>

//! The aperture table of a Gerber file being written, in millimetres:
//! - artwork flashes (points of a sequence that is neither a toolpath nor an area, whose
//!   aperture has a shape that can be drawn) get an aperture of that shape with its hole:
//!   C,d[Xh], R,wXh[Xh], O,wXh[Xh], P,dXn[Xr[Xh]]; an aperture with an outline (a macro's) gets a
//!   macro of one outline primitive for each polygon of it;
//! - the lines and points of toolpaths and clear strokes get a round aperture of the width of
//!   their aperture (its first parameter; 0 when the model lacks it).
//! A model aperture used both ways gets one D code for each; D codes are given from 10 on.
class VexGerber_WriterApertures
{
public:
  //! Creates an empty table for the sequences of theModel.
  Standard_EXPORT explicit VexGerber_WriterApertures(const PenFormatData_Model& theModel);

  //! Returns true when theSequence holds artwork flashes: points (mode 2) that are neither a
  //! toolpath nor an area, of an aperture whose shape can be drawn.
  Standard_EXPORT Standard_Boolean IsFlashes(const PenFormatData_Sequence& theSequence);

  //! Gives the aperture theSequence uses a D code unless it has one, and returns the definition
  //! (%ADD..*%) to write, empty when it had one already.
  Standard_EXPORT std::string Define(const PenFormatData_Sequence& theSequence);

  //! Returns the D code of the aperture theSequence uses, 0 when it has none.
  Standard_EXPORT Standard_Integer Code(const PenFormatData_Sequence& theSequence);

  //! Returns the number of D codes given.
  Standard_Integer NbCodes() const { return myCodes.Extent(); }

private:
  //! Returns the key of the aperture of theSequence: its number, twice, plus 1 for flashes.
  Standard_Integer key(const PenFormatData_Sequence& theSequence);

  //! Returns the definition of D code theCode as the flash aperture of model aperture theNumber.
  std::string flashDefinition(const Standard_Integer theCode, const Standard_Integer theNumber);

  //! Returns the definition of D code theCode as the outline of theAperture: a macro of outline
  //! primitives, one for each polygon, and the aperture of it.
  std::string outlineDefinition(const Standard_Integer        theCode,
                                const PenFormatData_Aperture& theAperture);

  const PenFormatData_Model&                              myModel;    //!< apertures
  Standard_Real                                           myFactor;   //!< model unit in millimetres
  NCollection_DataMap<Standard_Integer, Standard_Integer> myCodes;    //!< key -> D code
  NCollection_DataMap<Standard_Integer, Standard_Boolean> myDrawable; //!< aperture -> drawable
};

#endif
