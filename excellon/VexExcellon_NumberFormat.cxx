// Copyright (c) 2026 VexData developers
#include <VexExcellon_NumberFormat.hxx>

#include <stdint.h>

namespace
{
//! Most digits a number may have: its value then fits a 64-bit integer.
const size_t THE_MAX_NUMBER_DIGITS = 18;

//! Powers of ten that doubles hold exactly, for scaling an integer mantissa.
const double THE_POWERS[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

//! Digits of the inch and millimetre defaults.
const Standard_Integer THE_INCH_DIGITS[2]   = {2, 4};
const Standard_Integer THE_METRIC_DIGITS[2] = {3, 3};

//! Returns theMantissa / 10^theShift; both are exact doubles for numbers of up to 15 digits, so
//! the division rounds once and the result is the double nearest to the decimal number.
double scale(const uint64_t theMantissa, const int theShift)
{
  const double aMantissa = static_cast<double>(theMantissa);
  return theShift >= 0 ? aMantissa / THE_POWERS[theShift] : aMantissa * THE_POWERS[-theShift];
}

//! Appends the digits of theText from theIndex on to theMantissa, moving theIndex past them;
//! returns how many there were. Past 19 digits the mantissa wraps: the caller refuses them.
size_t readDigits(const char* theText, const size_t theLength, size_t& theIndex,
                  uint64_t& theMantissa)
{
  const size_t aFirst = theIndex;
  for (; theIndex < theLength; ++theIndex)
  {
    const unsigned aDigit =
        static_cast<unsigned>(static_cast<unsigned char>(theText[theIndex])) - '0';
    if (aDigit > 9)
    {
      break;
    }
    theMantissa = theMantissa * 10 + aDigit;
  }
  return theIndex - aFirst;
}
} // namespace

VexExcellon_NumberFormat::VexExcellon_NumberFormat()
    : myIntegerDigits(THE_INCH_DIGITS[0]), myDecimalDigits(THE_INCH_DIGITS[1]),
      myZeros(Zeros_Unstated), myIsMetric(Standard_False), isStated(Standard_False)
{
}

void VexExcellon_NumberFormat::SetMetric(const Standard_Boolean theIsMetric)
{
  myIsMetric = theIsMetric;
  if (!isStated)
  {
    const Standard_Integer* aDigits = theIsMetric ? THE_METRIC_DIGITS : THE_INCH_DIGITS;
    myIntegerDigits                 = aDigits[0];
    myDecimalDigits                 = aDigits[1];
  }
}

Standard_Boolean VexExcellon_NumberFormat::SetDigits(const Standard_Integer theInteger,
                                                     const Standard_Integer theDecimal)
{
  if (theInteger < 1 || theInteger > THE_MAX_DIGITS || theDecimal < 0 ||
      theDecimal > THE_MAX_DIGITS)
  {
    return Standard_False;
  }
  myIntegerDigits = theInteger;
  myDecimalDigits = theDecimal;
  isStated        = Standard_True;
  return Standard_True;
}

Standard_Boolean VexExcellon_NumberFormat::SetPattern(const char* theText, const size_t theLength)
{
  Standard_Integer aCounts[2] = {0, 0};
  Standard_Integer aSide      = 0;
  for (size_t anIndex = 0; anIndex < theLength; ++anIndex)
  {
    if (theText[anIndex] == '0' && aCounts[aSide] <= THE_MAX_DIGITS)
    {
      ++aCounts[aSide];
    }
    else if (theText[anIndex] != '.' || aSide == 1)
    {
      return Standard_False;
    }
    else
    {
      aSide = 1;
    }
  }
  return aSide == 1 && SetDigits(aCounts[0], aCounts[1]);
}

Standard_Boolean VexExcellon_NumberFormat::Decode(const char* theText, const size_t theLength,
                                                  Standard_Real&         theValue,
                                                  const Standard_Boolean theIsWhole) const
{
  size_t anIndex    = 0;
  bool   isNegative = false;
  if (anIndex < theLength && (theText[anIndex] == '+' || theText[anIndex] == '-'))
  {
    isNegative = theText[anIndex] == '-';
    ++anIndex;
  }
  // The integer part, then after a point the decimals; anything else in the word is no number.
  uint64_t   aMantissa = 0;
  size_t     aDigits   = readDigits(theText, theLength, anIndex, aMantissa);
  size_t     aDecimals = 0;
  const bool hasPoint  = anIndex < theLength && theText[anIndex] == '.';
  if (hasPoint)
  {
    ++anIndex;
    aDecimals = readDigits(theText, theLength, anIndex, aMantissa);
    aDigits += aDecimals;
  }
  // The mantissa may have wrapped past the digits allowed: it is only used when they are not.
  if (anIndex < theLength || aDigits > THE_MAX_NUMBER_DIGITS)
  {
    return Standard_False;
  }
  if (aDigits == 0)
  {
    return Standard_False;
  }
  // Without a point: read from the left, the first IntegerDigits() digits are the integer
  // part; read from the right, the last DecimalDigits() digits are the decimals.
  const int    aShift = hasPoint                   ? static_cast<int>(aDecimals)
                        : theIsWhole               ? 0
                        : myZeros == Zeros_Leading ? static_cast<int>(aDigits) - myIntegerDigits
                                                   : myDecimalDigits;
  const double aValue = scale(aMantissa, aShift);
  theValue            = isNegative ? -aValue : aValue;
  return Standard_True;
}
