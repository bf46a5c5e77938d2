// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_NumberFormat_HeaderFile
#define _VexExcellon_NumberFormat_HeaderFile

#include <Standard_TypeDef.hxx>

#include <cstddef>

//! How the numbers of a drill file are written: the unit and, for numbers without a decimal
//! point, how many digits stand before and after the implied point and which zeros the file
//! leaves out.
//!
//! The header keywords name the zeros that are kept: LZ keeps the leading zeros (so trailing ones
//! may be missing and a number is read from the left), TZ keeps the trailing zeros (leading ones
//! may be missing and a number is read from the right). A file that says neither is read from
//! the right, as the files of the common tools that omit the keyword need.
//!
//! Until the file states its digits, they follow the unit: 2.4 for inches, 3.3 for millimetres.
class VexExcellon_NumberFormat
{
public:
  //! Which zeros the file keeps.
  enum Zeros
  {
    Zeros_Unstated, //!< not said: read from the right, as with TZ
    Zeros_Leading,  //!< LZ: leading zeros kept, read from the left
    Zeros_Trailing  //!< TZ: trailing zeros kept, read from the right
  };

  //! Largest number of digits on either side of the point a format may give.
  static const Standard_Integer THE_MAX_DIGITS = 9;

  //! Creates the format of a silent header: inches, zeros unstated, 2.4 digits.
  VexExcellon_NumberFormat();

  //! Returns true for millimetres, false for inches.
  Standard_Boolean IsMetric() const { return myIsMetric; }

  //! Sets the unit; unless the file stated its digits, they become those of the unit.
  void SetMetric(const Standard_Boolean theIsMetric);

  //! Returns the length of one file unit in millimetres (1 or 25.4).
  Standard_Real UnitInMillimetres() const { return myIsMetric ? 1.0 : 25.4; }

  //! Returns which zeros the file keeps.
  Zeros ZeroMode() const { return myZeros; }

  //! Sets which zeros the file keeps.
  void SetZeroMode(const Zeros theZeros) { myZeros = theZeros; }

  //! Returns the digits before the implied point.
  Standard_Integer IntegerDigits() const { return myIntegerDigits; }

  //! Returns the digits after the implied point.
  Standard_Integer DecimalDigits() const { return myDecimalDigits; }

  //! Sets the digits as the file states them (they then stay when the unit changes). Returns
  //! false, changing nothing, when theInteger is not from 1 to THE_MAX_DIGITS or theDecimal not
  //! from 0 to THE_MAX_DIGITS.
  Standard_Boolean SetDigits(const Standard_Integer theInteger, const Standard_Integer theDecimal);

  //! Sets the digits from a pattern of zeros around a point ("000.000", "00.0000"). Returns
  //! false, changing nothing, for anything else.
  Standard_Boolean SetPattern(const char* theText, const size_t theLength);

  //! Decodes theText (an optional sign, then digits with at most one decimal point) into a
  //! value in file units. Without a point the digits and zeros of the format place it, unless
  //! theIsWhole is set: then the digits are a whole number (as tool diameters are read). Returns
  //! false for an empty, malformed or longer than 18-digit number.
  Standard_Boolean Decode(const char* theText, const size_t theLength, Standard_Real& theValue,
                          const Standard_Boolean theIsWhole = Standard_False) const;

private:
  Standard_Integer myIntegerDigits; //!< digits before the implied point
  Standard_Integer myDecimalDigits; //!< digits after the implied point
  Zeros            myZeros;         //!< zeros the file keeps
  Standard_Boolean myIsMetric;      //!< millimetres (true) or inches
  Standard_Boolean isStated;        //!< the digits come from the file, not from the unit
};

#endif
