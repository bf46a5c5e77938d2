// Copyright (c) 2026 VexData developers
// Mutation sweeps through the reader: every truncation and every single-bit flip of every seed
// file of the fuzz corpus (fuzz/corpus/*.vex) is read twice, in process. Each read must end with
// a status of the reader's set (an in-memory stream never fails by itself, so 4 and 5 would be
// exceptions caught inside the reader), and the second read must give the same status and the
// same messages as the first. When the host's record dump is built (VexHost_Dump, behind
// "vex dump"), every mutation is also listed: the listing, whatever the fault, must end with a
// line that names the status the dump returns.
//
// Inside a long run of one repeated byte (the 8189 to 8191-byte names of the string seeds) a
// mutation at one position reads like one at any other: the sweeps take every position of the
// first and last 64 bytes of such a run and every 61st one between them, and every position
// everywhere else.
#include <VexTest_Messages.hxx>

#include <VexData_Reader.hxx>

#include <gtest/gtest.h>

#if __has_include(<VexHost_Dump.hxx>)
#include <VexHost_Dump.hxx>
#define VEX_TEST_DUMP 1
#endif

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace
{
//! Folder of the seed files.
const std::string THE_CORPUS = std::string(VEX_SOURCE_DIR) + "/fuzz/corpus";

//! Returns the names of the seed files (those ending in ".vex"), sorted.
std::vector<std::string> seedNames()
{
  std::vector<std::string> aNames;
  if (DIR* aDir = ::opendir(THE_CORPUS.c_str()))
  {
    while (const dirent* anEntry = ::readdir(aDir))
    {
      const std::string aName = anEntry->d_name;
      if (aName.size() > 4 && aName.compare(aName.size() - 4, 4, ".vex") == 0)
      {
        aNames.push_back(aName);
      }
    }
    ::closedir(aDir);
  }
  std::sort(aNames.begin(), aNames.end());
  return aNames;
}

//! Returns the bytes of the seed theName.
std::string seedBytes(const std::string& theName)
{
  std::ifstream aFile(THE_CORPUS + "/" + theName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
}

//! Shortest run of one repeated byte whose inner positions are sampled.
const size_t THE_LONG_RUN = 256;

//! Positions kept whole at each end of a long run.
const size_t THE_RUN_EDGE = 64;

//! Step between the sampled inner positions of a long run.
const size_t THE_RUN_STEP = 61;

//! Returns the byte positions of theData to mutate: all of them, less the unsampled inner
//! positions of long runs of one repeated byte.
std::vector<size_t> positionsOf(const std::string& theData)
{
  std::vector<size_t> aPositions;
  for (size_t aStart = 0; aStart < theData.size();)
  {
    size_t anEnd = aStart;
    while (anEnd < theData.size() && theData[anEnd] == theData[aStart])
    {
      ++anEnd;
    }
    const bool isLong = anEnd - aStart >= THE_LONG_RUN;
    for (size_t aPos = aStart; aPos < anEnd; ++aPos)
    {
      const size_t anOffset = aPos - aStart;
      if (!isLong || anOffset < THE_RUN_EDGE || anEnd - aPos <= THE_RUN_EDGE ||
          anOffset % THE_RUN_STEP == 0)
      {
        aPositions.push_back(aPos);
      }
    }
    aStart = anEnd;
  }
  return aPositions;
}

//! Reads theData into a fresh model; stores the messages in theLog and returns the status.
int readOnce(const std::string& theData, std::string& theLog)
{
  VexTest_MessageCapture aCapture;
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  aModel->SetMessenger(aCapture.Messenger());
  std::istringstream aStream(theData);
  VexData_Reader     aReader(*aModel);
  const int          aStatus = aReader.Process(aStream);
  theLog                     = aCapture.Dump();
  return aStatus;
}

#ifdef VEX_TEST_DUMP
//! Returns an empty string when the listing of theData ends with the status the dump returns,
//! otherwise what went wrong.
std::string checkDump(const std::string& theData)
{
  std::istringstream anInput(theData);
  std::ostringstream aListing;
  VexHost_Dump       aDump(aListing, Handle(Message_Messenger)());
  const int          aStatus     = aDump.Process(anInput);
  const std::string  aText       = aListing.str();
  const size_t       aLast       = aText.rfind('\n', aText.size() >= 2 ? aText.size() - 2 : 0);
  const std::string  aLine       = aText.substr(aLast == std::string::npos ? 0 : aLast + 1);
  const std::string  aStatusText = "; status " + std::to_string(aStatus) + " (";
  const bool         isEnd = aStatus == 0 && aLine.find("  end of file: status 0 (ok)\n") == 8;
  const bool isFault = aLine.find("  error: ") == 8 && aLine.find(aStatusText) != std::string::npos;
  return isEnd || isFault ? std::string() : "the listing ends with " + aLine;
}
#endif

//! Returns an empty string when theData reads twice alike with a status of the set, otherwise
//! what went wrong.
std::string checkRead(const std::string& theData)
{
  std::string aLog1, aLog2;
  const int   aStatus1 = readOnce(theData, aLog1);
  const int   aStatus2 = readOnce(theData, aLog2);
  const bool  isInSet =
      aStatus1 == 0 || aStatus1 == 2 || aStatus1 == 3 || aStatus1 == 6 || aStatus1 == 7;
  if (!isInSet)
  {
    return "status " + std::to_string(aStatus1) + " outside the set, messages:\n" + aLog1;
  }
  if (aStatus1 != aStatus2 || aLog1 != aLog2)
  {
    return "second read differs: " + std::to_string(aStatus2) + "\n" + aLog1 + "--\n" + aLog2;
  }
#ifdef VEX_TEST_DUMP
  return checkDump(theData);
#else
  return std::string();
#endif
}

class VexData_MutationTest : public testing::TestWithParam<std::string>
{
};

TEST_P(VexData_MutationTest, EveryTruncationReadsToAStatusOfTheSet)
{
  const std::string aSeed = seedBytes(GetParam());
  ASSERT_FALSE(aSeed.empty());
  for (const size_t aLength : positionsOf(aSeed))
  {
    const std::string aProblem = checkRead(aSeed.substr(0, aLength));
    ASSERT_EQ(aProblem, "") << "first " << aLength << " bytes of " << GetParam();
  }
}

TEST_P(VexData_MutationTest, EveryBitFlipReadsToAStatusOfTheSet)
{
  std::string aData = seedBytes(GetParam());
  ASSERT_FALSE(aData.empty());
  for (const size_t aPos : positionsOf(aData))
  {
    for (int aBit = 0; aBit < 8; ++aBit)
    {
      aData[aPos] ^= static_cast<char>(1 << aBit);
      const std::string aProblem = checkRead(aData);
      aData[aPos] ^= static_cast<char>(1 << aBit);
      ASSERT_EQ(aProblem, "") << "bit " << aBit << " of byte " << aPos << " of " << GetParam();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, VexData_MutationTest, testing::ValuesIn(seedNames()),
                         [](const testing::TestParamInfo<std::string>& theInfo)
                         { return theInfo.param.substr(0, theInfo.param.size() - 4); });
} // namespace
