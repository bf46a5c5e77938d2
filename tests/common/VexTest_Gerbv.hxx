// Copyright (c) 2026 VexData developers
#ifndef _VexTest_Gerbv_HeaderFile
#define _VexTest_Gerbv_HeaderFile

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

//! Whether the comparisons with gerbv must run. Without gerbv (or its examples, or what a
//! comparison needs beside it) such a test skips; with VEX_REQUIRE_GERBV=1 in the environment
//! (the CI sets it) it fails instead, so that a machine without gerbv cannot pass them unseen.
class VexTest_Gerbv
{
public:
  //! Returns true when the environment sets VEX_REQUIRE_GERBV to 1.
  static bool IsRequired()
  {
    const char* aValue = std::getenv("VEX_REQUIRE_GERBV");
    return aValue != NULL && std::strcmp(aValue, "1") == 0;
  }

  //! Returns what becomes of a test whose comparison with gerbv cannot run.
  static ::testing::TestPartResult::Type MissingOutcome()
  {
    return IsRequired() ? ::testing::TestPartResult::kFatalFailure
                        : ::testing::TestPartResult::kSkip;
  }

  //! Returns the start of the message of such a test.
  static const char* MissingNote()
  {
    return IsRequired() ? "VEX_REQUIRE_GERBV=1, and the comparison with gerbv cannot run:" : "";
  }
};

//! Ends the current test as skipped, with the message streamed into it, because its comparison
//! with gerbv cannot run; fails it instead when VEX_REQUIRE_GERBV=1. Used as GTEST_SKIP().
#define VEX_TEST_SKIP_WITHOUT_GERBV()                                                              \
  return GTEST_MESSAGE_(VexTest_Gerbv::MissingNote(), VexTest_Gerbv::MissingOutcome())

#endif
