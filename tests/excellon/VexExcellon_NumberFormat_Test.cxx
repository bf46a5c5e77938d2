// Copyright (c) 2026 VexData developers
// The numbers of drill files decoded one word at a time: points, signs, whole numbers and what is
// no number at all.
#include <VexExcellon_NumberFormat.hxx>

#include <gtest/gtest.h>

#include <cstring>

TEST(VexExcellon_NumberFormat, DecodeReadsOnlyWholeNumbers)
{
  // A silent header: inches, read from the right with four decimals.
  const VexExcellon_NumberFormat aFormat;
  struct Case
  {
    const char* Text;
    bool        IsWhole;
    bool        Ok;
    double      Value;
  };
  const Case THE_CASES[] = {
      {"12345", false, true, 1.2345},
      {"-0123", false, true, -0.0123},
      {"1.5", false, true, 1.5},
      {"-.5", false, true, -0.5},
      {"+3.", false, true, 3.0},
      {"125", true, true, 125.0},
      {"123456789012345678", true, true, 123456789012345678.0},
      {"1234567890.12345678", false, true, 1234567890.12345678},
      {"", false, false, 0.0},
      {"-", false, false, 0.0},
      {".", false, false, 0.0},
      {"1.2.3", false, false, 0.0},
      {"12a", false, false, 0.0},
      {"1 2", false, false, 0.0},
      {"1-2", false, false, 0.0},
      {"1234567890123456789", true, false, 0.0},
      {"123456789.0123456789", false, false, 0.0},
  };
  for (const Case& aCase : THE_CASES)
  {
    Standard_Real aValue = -99.0;
    EXPECT_EQ(aFormat.Decode(aCase.Text, std::strlen(aCase.Text), aValue, aCase.IsWhole), aCase.Ok)
        << aCase.Text;
    if (aCase.Ok)
    {
      EXPECT_DOUBLE_EQ(aValue, aCase.Value) << aCase.Text;
    }
  }
}
