// Copyright (c) 2026 VexData developers
// The text of a design file read through a bounded buffer: pieces gathered up to their ends
// whatever the read size, a piece longer than the buffer held whole, the end of the input, a
// failing stream, and the size of what a stream has left.
#include <VexData_FormatBuilder_Test.hxx>
#include <VexPcb_TextInput.hxx>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace
{
//! Read sizes every case runs with: one byte, a few, and the default.
const size_t THE_READ_SIZES[] = {1, 2, 3, 7, 0};

//! Cuts theInput into the pieces ended by a byte of theStops (the end included), as a reader
//! does: gather, take the piece, consume it. The rest without an end is the last piece.
std::vector<std::string> cut(VexPcb_TextInput& theInput, const char* theStops)
{
  std::vector<std::string> aPieces;
  for (;;)
  {
    EXPECT_TRUE(theInput.Gather(theStops, SIZE_MAX));
    const char* aPos = theInput.Begin();
    while (aPos < theInput.End() && std::string(theStops).find(*aPos) == std::string::npos)
    {
      ++aPos;
    }
    if (aPos == theInput.Begin() && aPos == theInput.End())
    {
      return aPieces;
    }
    aPos += aPos < theInput.End() ? 1 : 0;
    aPieces.emplace_back(theInput.Begin(), aPos);
    theInput.Consume(aPos);
  }
}
} // namespace

TEST(VexPcb_TextInput, PiecesAreWholeWhateverTheReadSize)
{
  struct Case
  {
    std::string              Text;
    const char*              Stops;
    std::vector<std::string> Pieces;
  };
  const std::string aLong(100000, 'x'); // longer than the default buffer
  const Case        THE_CASES[] = {
             {"", "*", {}},
             {"X1Y2D01*X3Y4D01*", "*", {"X1Y2D01*", "X3Y4D01*"}},
             {"%FSLAX36Y36*%\nD10*\nM02", "*%", {"%", "FSLAX36Y36*", "%", "\nD10*", "\nM02"}},
             {"a\r\nb\n\nc", "\n\r", {"a\r", "\n", "b\n", "\n", "c"}},
             {aLong + "*" + aLong, "*", {aLong + "*", aLong}},
  };
  for (const Case& aCase : THE_CASES)
  {
    for (const size_t aSize : THE_READ_SIZES)
    {
      std::istringstream aStream(aCase.Text);
      VexPcb_TextInput   anInput(aStream, aSize);
      EXPECT_EQ(aCase.Pieces, cut(anInput, aCase.Stops))
          << "read size " << aSize << ": " << aCase.Text.substr(0, 40);
      EXPECT_FALSE(anInput.IsFailed());
    }
    VexPcb_TextInput aMemory(aCase.Text.data(), aCase.Text.size());
    EXPECT_EQ(aCase.Pieces, cut(aMemory, aCase.Stops)) << "in memory";
  }
}

TEST(VexPcb_TextInput, GatherAndEnsureStopAtTheLimitOrTheEnd)
{
  for (const size_t aSize : THE_READ_SIZES)
  {
    std::istringstream aStream("0123456789*abc");
    VexPcb_TextInput   anInput(aStream, aSize);
    // A limit below the stop: at least that many bytes, the stop not necessarily.
    ASSERT_TRUE(anInput.Gather("*", 4));
    EXPECT_GE(anInput.End() - anInput.Begin(), 4) << aSize;
    ASSERT_TRUE(anInput.Ensure(11));
    EXPECT_EQ(std::string(anInput.Begin(), anInput.Begin() + 11), "0123456789*");
    anInput.Consume(anInput.Begin() + 11);
    // Past the end: all there is, and no failure.
    ASSERT_TRUE(anInput.Ensure(100));
    EXPECT_EQ(std::string(anInput.Begin(), anInput.End()), "abc");
    ASSERT_TRUE(anInput.Gather("*", SIZE_MAX));
    EXPECT_EQ(std::string(anInput.Begin(), anInput.End()), "abc");
  }
}

TEST(VexPcb_TextInput, FailingStreamIsReported)
{
  for (const size_t aSize : THE_READ_SIZES)
  {
    VexTest_FailingBuffer aBuffer("G04 first*");
    std::istream          aStream(&aBuffer);
    aStream.exceptions(aSize % 2 == 0 ? std::ios::badbit : std::ios::goodbit);
    VexPcb_TextInput anInput(aStream, aSize);
    EXPECT_FALSE(anInput.Gather("%", SIZE_MAX)) << aSize;
    EXPECT_TRUE(anInput.IsFailed());
    EXPECT_FALSE(anInput.Ensure(100));
  }
}

TEST(VexPcb_TextInput, RemainingBytesOfAStream)
{
  std::istringstream aStream("0123456789");
  EXPECT_EQ(VexPcb_TextInput::Remaining(aStream), 10u);
  aStream.seekg(4);
  EXPECT_EQ(VexPcb_TextInput::Remaining(aStream), 6u);
  EXPECT_EQ(aStream.tellg(), std::streampos(4)); // left where it was
  VexPcb_TextInput anInput(aStream, 0);
  ASSERT_TRUE(anInput.Ensure(6));
  EXPECT_EQ(std::string(anInput.Begin(), anInput.End()), "456789");

  VexTest_PipeBuffer aPipe("0123456789");
  std::istream       aPiped(&aPipe);
  EXPECT_EQ(VexPcb_TextInput::Remaining(aPiped), 0u);
  EXPECT_TRUE(aPiped.good());
  VexPcb_TextInput aPipeInput(aPiped, 3);
  ASSERT_TRUE(aPipeInput.Ensure(10));
  EXPECT_EQ(std::string(aPipeInput.Begin(), aPipeInput.End()), "0123456789");
}
