// Copyright (c) 2026 VexData developers
// The four-byte reads take their bytes straight from the stream buffer; they must leave the read
// buffer, the byte offset and the stream flags exactly as the general bounded read of five does.
#include <VexData_FormatBuilder_Test.hxx>

#include <VexData_InputStream.hxx>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

namespace
{
//! What a read left behind.
struct Outcome
{
  int                    Code;
  std::string            Buffer; // the bytes stored and the 0 after them
  size_t                 Offset;
  std::ios_base::iostate State;
};

//! A primitive reader over theData, through a plain stream buffer or through one that throws
//! after the data (isThrowing); the stream's state starts as theState.
struct ReaderOver
{
  ReaderOver(const std::string& theData, const std::ios_base::iostate theState,
             const bool isThrowing)
      : Plain(theData), Failing(theData),
        Stream(isThrowing ? static_cast<std::streambuf*>(&Failing) : &Plain)
  {
    Stream.setstate(theState);
    Reader.Init(&Stream, Handle(Message_Messenger)());
  }

  std::stringbuf        Plain;
  VexTest_FailingBuffer Failing;
  std::istream          Stream;
  VexData_InputStream   Reader;
};

//! Reads from a stream over theData (whose state starts as theState, and whose buffer throws
//! after the data when isThrowing) with ReadInt (theWay 1), ReadFloat (2) or BoundedRead(5) (0).
Outcome readOnce(const std::string& theData, const std::ios_base::iostate theState,
                 const bool isThrowing, const int theWay)
{
  ReaderOver           anInput(theData, theState, isThrowing);
  VexData_InputStream& aReader = anInput.Reader;
  std::istream&        aStream = anInput.Stream;
  Standard_Integer     anInt   = 0;
  Standard_ShortReal   aFloat  = 0.0f;
  const int            aCode   = theWay == 1   ? aReader.ReadInt(anInt)
                                 : theWay == 2 ? aReader.ReadFloat(aFloat)
                                               : aReader.BoundedRead(5, 0, Standard_False);
  // The bounded read reports a full read as 7, the value reads as 0.
  return {theWay == 0 && aCode == 7 ? 0 : aCode,
          std::string(aReader.Buffer(), aReader.Offset() + 1), aReader.Offset(), aStream.rdstate()};
}
} // namespace

TEST(VexData_InputStreamWord, FourByteReadsLeaveWhatTheBoundedReadLeaves)
{
  const std::ios_base::iostate aStates[] = {std::ios_base::goodbit, std::ios_base::eofbit,
                                            std::ios_base::failbit, std::ios_base::badbit};
  for (size_t aLength = 0; aLength <= 5; ++aLength)
  {
    const std::string aData = std::string("\x11\x00\x33\x44\x55", 5).substr(0, aLength);
    for (const std::ios_base::iostate aState : aStates)
    {
      for (const bool isThrowing : {false, true})
      {
        const Outcome anExpected = readOnce(aData, aState, isThrowing, 0);
        for (int aWay = 1; aWay <= 2; ++aWay)
        {
          const Outcome     anActual = readOnce(aData, aState, isThrowing, aWay);
          const std::string aCase    = std::to_string(aLength) + " bytes, state " +
                                    std::to_string(aState) + (isThrowing ? ", throwing" : "") +
                                    ", way " + std::to_string(aWay);
          EXPECT_EQ(anExpected.Code, anActual.Code) << aCase;
          EXPECT_EQ(anExpected.Buffer, anActual.Buffer) << aCase;
          EXPECT_EQ(anExpected.Offset, anActual.Offset) << aCase;
          EXPECT_EQ(anExpected.State, anActual.State) << aCase;
        }
      }
    }
  }
}

namespace
{
//! What a run of float reads left behind, values included.
struct FloatsOutcome
{
  int                    Code;
  std::vector<float>     Values;
  std::string            Buffer; // the bytes of the last word touched and the 0 after them
  size_t                 Offset;
  std::ios_base::iostate State;
};

//! Reads theCount floats from a stream over theData, in one ReadFloats call (isBatch) or with
//! ReadFloat calls that stop at the first failure, the failing value and those after it left 0.
FloatsOutcome readFloats(const std::string& theData, const std::ios_base::iostate theState,
                         const bool isThrowing, const int theCount, const bool isBatch)
{
  ReaderOver           anInput(theData, theState, isThrowing);
  VexData_InputStream& aReader = anInput.Reader;
  std::istream&        aStream = anInput.Stream;
  std::vector<float>   aValues(static_cast<size_t>(theCount), -1.0f);
  int                  aCode = 0;
  if (isBatch)
  {
    aCode = aReader.ReadFloats(aValues.data(), theCount);
  }
  else
  {
    for (int anIndex = 0; anIndex < theCount; ++anIndex)
    {
      aValues[static_cast<size_t>(anIndex)] = 0.0f;
      if (aCode == 0)
      {
        aCode = aReader.ReadFloat(aValues[static_cast<size_t>(anIndex)]);
      }
    }
  }
  const size_t aKept = std::strlen(aReader.Buffer()) < 4 ? std::strlen(aReader.Buffer()) : 4;
  return {aCode, aValues, std::string(aReader.Buffer(), aKept), aReader.Offset(),
          aStream.rdstate()};
}
} // namespace

TEST(VexData_InputStreamWord, RecordReadsLeaveWhatSingleReadsLeave)
{
  // Five floats with non-zero bytes (1.5, -2.25, 3.0, 1e-3, 12345.5), cut at every length.
  std::string aData;
  for (const float aValue : {1.5f, -2.25f, 3.0f, 1.0e-3f, 12345.5f})
  {
    char aBytes[4];
    std::memcpy(aBytes, &aValue, 4);
    aData.append(aBytes, 4);
  }
  const std::ios_base::iostate aStates[] = {std::ios_base::goodbit, std::ios_base::eofbit,
                                            std::ios_base::badbit};
  for (int aCount = 1; aCount <= 5; ++aCount)
  {
    for (size_t aLength = 0; aLength <= 4 * static_cast<size_t>(aCount) + 1; ++aLength)
    {
      for (const std::ios_base::iostate aState : aStates)
      {
        for (const bool isThrowing : {false, true})
        {
          const std::string   aPart     = aData.substr(0, aLength);
          const FloatsOutcome anOne     = readFloats(aPart, aState, isThrowing, aCount, false);
          const FloatsOutcome aBatch    = readFloats(aPart, aState, isThrowing, aCount, true);
          const std::string   aCaseName = std::to_string(aCount) + " floats from " +
                                        std::to_string(aLength) + " bytes, state " +
                                        std::to_string(aState) + (isThrowing ? ", throwing" : "");
          EXPECT_EQ(anOne.Code, aBatch.Code) << aCaseName;
          EXPECT_EQ(anOne.Values, aBatch.Values) << aCaseName;
          EXPECT_EQ(anOne.Offset, aBatch.Offset) << aCaseName;
          EXPECT_EQ(anOne.State, aBatch.State) << aCaseName;
          EXPECT_EQ(anOne.Buffer, aBatch.Buffer) << aCaseName;
        }
      }
    }
  }
}
