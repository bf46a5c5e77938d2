// Copyright (c) 2026 VexData developers
// The digits of Gerber numbers: signs, points, the digits kept, and where reading stops.
#include <VexGerber_Number.hxx>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace
{
//! One text and what reading its digits gives.
struct DigitsCase
{
  const char* Text;     //!< what is read
  bool        Ok;       //!< a number was read
  uint64_t    Mantissa; //!< its digits
  int         Count;    //!< digits kept
  int         Decimals; //!< digits after the point, -1 without one
  bool        Negative; //!< a minus sign was given
  int         Consumed; //!< characters read
};
} // namespace

TEST(VexGerber_Number, DigitsStopWhereTheNumberEnds)
{
  const DigitsCase THE_CASES[] = {
      {"123D03", true, 123, 3, -1, false, 3},
      {"-12.5*", true, 125, 3, 1, true, 5},
      {"+.5", true, 5, 1, 1, false, 3},
      {"5.Y", true, 5, 1, 0, false, 2},
      {"0000120", true, 120, 7, -1, false, 7},
      {"1.2.3", true, 12, 2, 1, false, 3},
      {"123456789012345678", true, 123456789012345678ULL, 18, -1, false, 18},
      // Decimals beyond the digits kept are read and dropped.
      {"12345678901234567.8901", true, 123456789012345678ULL, 18, 1, false, 22},
      {".", false, 0, 0, 0, false, 1},
      {"-", false, 0, 0, -1, true, 1},
      {"", false, 0, 0, -1, false, 0},
      {"X1", false, 0, 0, -1, false, 0},
  };
  for (const DigitsCase& aCase : THE_CASES)
  {
    const char*              aPos = aCase.Text;
    VexGerber_Number::Digits aDigits;
    EXPECT_EQ(VexGerber_Number::ReadDigits(aPos, aCase.Text + std::strlen(aCase.Text), aDigits),
              aCase.Ok)
        << aCase.Text;
    EXPECT_EQ(aPos - aCase.Text, aCase.Consumed) << aCase.Text;
    if (aCase.Ok)
    {
      EXPECT_EQ(aDigits.Mantissa, aCase.Mantissa) << aCase.Text;
      EXPECT_EQ(aDigits.Count, aCase.Count) << aCase.Text;
      EXPECT_EQ(aDigits.Decimals, aCase.Decimals) << aCase.Text;
      EXPECT_EQ(aDigits.Negative, aCase.Negative) << aCase.Text;
    }
  }
  // An integer part longer than the digits kept is no number: reading stops at the first digit
  // too many.
  const char*              aLong = "1234567890123456789";
  const char*              aPos  = aLong;
  VexGerber_Number::Digits aDigits;
  EXPECT_FALSE(VexGerber_Number::ReadDigits(aPos, aLong + std::strlen(aLong), aDigits));
  EXPECT_EQ(aPos - aLong, 18);
}

TEST(VexGerber_Number, DigitsOfEveryLengthAndWhatFollows)
{
  // Whole numbers of 1 to 18 digits, with leading zeros or not, followed by what ends a number
  // in a file or by nothing: their value, their digits and where reading stops.
  std::mt19937 aRandom(20261207);
  const char*  THE_ENDS[] = {"", "Y", "*", "D03*", ".", ".5X"};
  for (int aLength = 1; aLength <= 18; ++aLength)
  {
    for (int aTry = 0; aTry < 50; ++aTry)
    {
      std::string aDigits;
      for (int anIndex = 0; anIndex < aLength; ++anIndex)
      {
        aDigits += static_cast<char>('0' + (aTry % 3 == 0 && anIndex < 2 ? 0 : aRandom() % 10));
      }
      const std::string        aText = aDigits + THE_ENDS[aTry % 6];
      const char*              aPos  = aText.c_str();
      VexGerber_Number::Digits aRead;
      ASSERT_TRUE(VexGerber_Number::ReadDigits(aPos, aText.c_str() + aText.size(), aRead)) << aText;
      const bool hasDecimal = aTry % 6 == 5;
      // ".5" adds a decimal, unless eighteen digits are kept already.
      const bool isKept = hasDecimal && aLength < 18;
      EXPECT_EQ(aRead.Mantissa, std::stoull(aDigits) * (isKept ? 10 : 1) + (isKept ? 5 : 0))
          << aText;
      EXPECT_EQ(aRead.Count, aLength + (isKept ? 1 : 0)) << aText;
      const size_t aNumberLength = aDigits.size() + (aTry % 6 >= 4 ? 1 : 0) + (hasDecimal ? 1 : 0);
      EXPECT_EQ(static_cast<size_t>(aPos - aText.c_str()), aNumberLength) << aText;
    }
  }
}
