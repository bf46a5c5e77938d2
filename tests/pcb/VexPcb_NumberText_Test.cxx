// Copyright (c) 2026 VexData developers
// Numbers of design files as text: whole numbers and decimals, exactly, at the extremes of the
// range, with the sign and the trailing zeros the writers expect.
#include <VexPcb_NumberText.hxx>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace
{
//! Returns what theWrite writes into a buffer of the room a number may take.
template <class Write> std::string textOf(const Write& theWrite)
{
  char aBuffer[VexPcb_NumberText::THE_ROOM];
  return std::string(aBuffer, theWrite(aBuffer));
}
} // namespace

TEST(VexPcb_NumberText, Integers)
{
  const std::pair<long long, const char*> THE_CASES[] = {{0, "0"},
                                                         {-1, "-1"},
                                                         {42, "42"},
                                                         {-1234567890123LL, "-1234567890123"},
                                                         {LLONG_MAX, "9223372036854775807"},
                                                         {LLONG_MIN, "-9223372036854775808"}};
  for (const auto& aCase : THE_CASES)
  {
    EXPECT_EQ(textOf([&](char* thePos) { return VexPcb_NumberText::Integer(thePos, aCase.first); }),
              aCase.second);
  }
  // Every length of digits, both signs, around each power of ten and at random within it: the
  // same text as the standard library's.
  std::mt19937_64 aRandom(20261207);
  for (int aDigits = 1; aDigits <= 19; ++aDigits)
  {
    const long long        aPower  = static_cast<long long>(std::pow(10.0L, aDigits - 1));
    std::vector<long long> aValues = {aPower, aPower - 1, aPower + 1};
    for (int anIndex = 0; anIndex < 200; ++anIndex)
    {
      aValues.push_back(
          aPower +
          static_cast<long long>(
              aRandom() % static_cast<uint64_t>(aDigits == 19 ? LLONG_MAX - aPower : 9 * aPower)));
    }
    for (const long long aValue : aValues)
    {
      for (const long long aSigned : {aValue, -aValue})
      {
        EXPECT_EQ(textOf([&](char* thePos) { return VexPcb_NumberText::Integer(thePos, aSigned); }),
                  std::to_string(aSigned));
      }
    }
  }
}

TEST(VexPcb_NumberText, Decimals)
{
  struct Case
  {
    long long   Steps;
    int         Decimals;
    const char* Text;
  };
  const Case THE_CASES[] = {{0, 6, "0.0"},
                            {12500000, 6, "12.5"},
                            {3000000, 6, "3.0"},
                            {-123, 6, "-0.000123"},
                            {-1000000, 6, "-1.0"},
                            {1, 6, "0.000001"},
                            {999999, 6, "0.999999"},
                            {-5, 1, "-0.5"},
                            {120, 1, "12.0"},
                            {5, 2, "0.05"},
                            {12345, 3, "12.345"},
                            {-1050, 3, "-1.05"},
                            {1, 18, "0.000000000000000001"},
                            {LLONG_MAX, 6, "9223372036854.775807"},
                            {LLONG_MIN, 6, "-9223372036854.775808"},
                            {LLONG_MIN, 18, "-9.223372036854775808"}};
  for (const Case& aCase : THE_CASES)
  {
    EXPECT_EQ(textOf([&](char* thePos)
                     { return VexPcb_NumberText::Decimal(thePos, aCase.Steps, aCase.Decimals); }),
              aCase.Text)
        << aCase.Steps << " with " << aCase.Decimals << " decimals";
  }
}
