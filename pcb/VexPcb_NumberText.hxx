// Copyright (c) 2026 VexData developers
#ifndef _VexPcb_NumberText_HeaderFile
#define _VexPcb_NumberText_HeaderFile

#include <Standard_TypeDef.hxx>

//! Writes the numbers of design files and of the JSON model document as text, exactly and without
//! the C library's formatted output (which costs more than the rest of writing a coordinate): the
//! design-file writers scale a length to a whole number of steps first, so that only integers are
//! written. Each function writes at thePos, which must have room for the longest text it can
//! write (THE_ROOM characters), and returns the position after the last character written;
//! nothing ends the text.
class VexPcb_NumberText
{
public:
  //! Characters a number can take at most: a sign, twenty digits, a point, eighteen decimals.
  static const int THE_ROOM = 40;

  //! Writes theValue in decimal digits, with a minus sign when negative ("-42", "0").
  Standard_EXPORT static char* Integer(char* thePos, const long long theValue);

  //! Writes theSteps units of the theDecimals-th decimal place (1 to 18) as a decimal number
  //! with a point, keeping at least one decimal and dropping the other trailing zeros: 12500000
  //! with six decimals gives "12.5", 3000000 gives "3.0", -123 gives "-0.000123".
  Standard_EXPORT static char* Decimal(char* thePos, const long long theSteps,
                                       const int theDecimals);
};

#endif
