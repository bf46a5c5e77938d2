// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Number_HeaderFile
#define _VexGerber_Number_HeaderFile

#include <Standard_TypeDef.hxx>

#include <cstdint>

//! Decimal numbers as Gerber writes them: an optional sign, digits and at most one decimal
//! point, nothing else (no exponent, no hexadecimal, no "inf"). Parsed by hand: a library
//! conversion would accept more than the format allows, and this is the hot path of the reader.
class VexGerber_Number
{
public:
  //! Most significant digits kept; further decimal digits are dropped.
  static const int THE_MAX_DIGITS = 18;

  //! The digits of a number: theMantissa / 10^theDecimals, negative when isNegative.
  struct Digits
  {
    uint64_t Mantissa; //!< the digits as an integer
    int      Count;    //!< number of digits kept
    int      Decimals; //!< digits after the point, -1 when there is no point
    bool     Negative; //!< a minus sign was given
  };

  //! Returns 10^theExponent for 0 <= theExponent <= 36.
  static double Pow10(const int theExponent)
  {
    static const double THE_POWERS[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                        1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19,
                                        1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29,
                                        1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36};
    return THE_POWERS[theExponent < 0 ? 0 : (theExponent > 36 ? 36 : theExponent)];
  }

  //! Reads the digits of a number at thePos (before theEnd) and moves thePos past them. Returns
  //! false when there is no digit, or when the integer part has more digits than are kept.
  static bool ReadDigits(const char*& thePos, const char* theEnd, Digits& theDigits)
  {
    theDigits.Mantissa = 0;
    theDigits.Count    = 0;
    theDigits.Decimals = -1;
    theDigits.Negative = false;
    if (thePos < theEnd && (*thePos == '+' || *thePos == '-'))
    {
      theDigits.Negative = *thePos++ == '-';
    }
    bool hasDigit = false;
    for (; thePos < theEnd; ++thePos)
    {
      const char aChar = *thePos;
      if (aChar >= '0' && aChar <= '9')
      {
        hasDigit = true;
        if (theDigits.Count < THE_MAX_DIGITS)
        {
          theDigits.Mantissa = theDigits.Mantissa * 10 + static_cast<uint64_t>(aChar - '0');
          ++theDigits.Count;
          theDigits.Decimals += theDigits.Decimals >= 0 ? 1 : 0;
        }
        else if (theDigits.Decimals < 0)
        {
          return false; // an integer part this long is no coordinate
        }
      }
      else if (aChar == '.' && theDigits.Decimals < 0)
      {
        theDigits.Decimals = 0;
      }
      else
      {
        break;
      }
    }
    return hasDigit;
  }

  //! Returns the value of theDigits read with a decimal point, or as an integer without one.
  static double Value(const Digits& theDigits)
  {
    const double aValue = static_cast<double>(theDigits.Mantissa) /
                          Pow10(theDigits.Decimals > 0 ? theDigits.Decimals : 0);
    return theDigits.Negative ? -aValue : aValue;
  }

  //! Reads a decimal number at thePos into theValue; false when there is none.
  static bool ReadDecimal(const char*& thePos, const char* theEnd, double& theValue)
  {
    Digits aDigits;
    if (!ReadDigits(thePos, theEnd, aDigits))
    {
      return false;
    }
    theValue = Value(aDigits);
    return true;
  }

  //! Reads an unsigned integer of at most 9 digits at thePos; false when there is none.
  static bool ReadInteger(const char*& thePos, const char* theEnd, int& theValue)
  {
    theValue   = 0;
    int aCount = 0;
    for (; thePos < theEnd && *thePos >= '0' && *thePos <= '9'; ++thePos)
    {
      if (++aCount > 9)
      {
        return false;
      }
      theValue = theValue * 10 + (*thePos - '0');
    }
    return aCount > 0;
  }
};

#endif
