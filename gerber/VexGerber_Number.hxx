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
    // The loop works on locals: a store through theDigits or thePos could alias the characters
    // read, and would make the compiler reload everything at each digit.
    const char* aPos       = thePos;
    uint64_t    aMantissa  = 0;
    int         aCount     = 0;
    int         aDecimals  = -1;
    bool        isNegative = false;
    if (aPos < theEnd && (*aPos == '+' || *aPos == '-'))
    {
      isNegative = *aPos++ == '-';
    }
    // The integer part, then after a point the decimals: digits beyond the ones kept are an
    // error in the integer part and dropped among the decimals.
    const char* aFirst  = aPos;
    bool        isValid = true;
    for (; aPos < theEnd; ++aPos)
    {
      const unsigned aDigit = static_cast<unsigned>(static_cast<unsigned char>(*aPos)) - '0';
      if (aDigit > 9)
      {
        break;
      }
      if (aCount == THE_MAX_DIGITS)
      {
        isValid = false; // an integer part this long is no coordinate
        break;
      }
      aMantissa = aMantissa * 10 + aDigit;
      ++aCount;
    }
    bool hasDigit = aPos != aFirst;
    if (isValid && aPos < theEnd && *aPos == '.')
    {
      aDecimals = 0;
      for (++aPos; aPos < theEnd; ++aPos)
      {
        const unsigned aDigit = static_cast<unsigned>(static_cast<unsigned char>(*aPos)) - '0';
        if (aDigit > 9)
        {
          break;
        }
        hasDigit = true;
        if (aCount < THE_MAX_DIGITS)
        {
          aMantissa = aMantissa * 10 + aDigit;
          ++aCount;
          ++aDecimals;
        }
      }
    }
    thePos             = aPos;
    theDigits.Mantissa = aMantissa;
    theDigits.Count    = aCount;
    theDigits.Decimals = aDecimals;
    theDigits.Negative = isNegative;
    return hasDigit && isValid;
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
