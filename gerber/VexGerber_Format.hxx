// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Format_HeaderFile
#define _VexGerber_Format_HeaderFile

#include <Standard_TypeDef.hxx>

//! The coordinate format of a file (%FS): how many integer and decimal digits coordinates have,
//! which zeros they leave out and whether they are absolute or incremental.
struct VexGerber_Format
{
  Standard_Boolean OmitTrailing; //!< trailing zeros left out (else leading zeros)
  Standard_Boolean Incremental;  //!< coordinates relative to the current point
  Standard_Integer IntegerX;     //!< integer digits of X (and I)
  Standard_Integer DecimalX;     //!< decimal digits of X (and I)
  Standard_Integer IntegerY;     //!< integer digits of Y (and J)
  Standard_Integer DecimalY;     //!< decimal digits of Y (and J)

  //! Creates the format 3.6, leading zeros left out, absolute.
  VexGerber_Format()
      : OmitTrailing(Standard_False), Incremental(Standard_False), IntegerX(3), DecimalX(6),
        IntegerY(3), DecimalY(6)
  {
  }
};

//! The coordinates given with one operation, in the file's unit, as the file writes them
//! (incremental ones are not yet added to the current point). Missing ones have Has* false.
struct VexGerber_Coordinates
{
  Standard_Real    X, Y, I, J;             //!< values
  Standard_Boolean HasX, HasY, HasI, HasJ; //!< which were given

  //! Creates a set with no coordinate.
  VexGerber_Coordinates()
      : X(0.0), Y(0.0), I(0.0), J(0.0), HasX(Standard_False), HasY(Standard_False),
        HasI(Standard_False), HasJ(Standard_False)
  {
  }

  //! Returns true when any coordinate was given.
  Standard_Boolean Any() const { return HasX || HasY || HasI || HasJ; }
};

#endif
