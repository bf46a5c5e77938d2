// Copyright (c) 2026 VexData developers
// The record dump: its listing of the samples (kept as fixtures from before the dump shared the
// reader's parser), of records stepped over and of the offset and expectation it names at a
// fault, its bounds and the exit status of "vex dump".
#include <VexData_FormatBuilder_Test.hxx>
#include <VexTest_Messages.hxx>

#ifdef VEX_HOST_PATH

#include <VexHost_Dump.hxx>
#include <VexHost_DumpListing.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sstream>

#include <sys/wait.h>

namespace
{
//! What a dump or a read of some bytes gave.
struct Outcome
{
  int         Status;   //!< reader status
  std::string Listing;  //!< the dump's listing (empty for a read)
  std::string Messages; //!< captured messages
};

//! Returns the reader's bounds, or theElements and theRenamings when they are not 0.
VexData_Reader::Limits limits(size_t theElements, size_t theRenamings)
{
  VexData_Reader::Limits aLimits;
  if (theElements != 0)
  {
    aLimits.Elements  = theElements;
    aLimits.Renamings = theRenamings;
  }
  return aLimits;
}

//! Dumps theBytes (theBuffer when given instead); bounds of 0 keep the reader's.
Outcome dumpOf(const std::string& theBytes, size_t theElements = 0, size_t theRenamings = 0,
               std::streambuf* theBuffer = nullptr)
{
  VexTest_MessageCapture aCapture;
  std::istringstream     anInput(theBytes);
  std::istream           aFailing(theBuffer);
  std::ostringstream     aListing;
  VexHost_Dump           aDump(aListing, aCapture.Messenger(), limits(theElements, theRenamings));
  const int              aStatus = aDump.Process(theBuffer != nullptr ? aFailing : anInput);
  return Outcome{aStatus, aListing.str(), aCapture.Dump()};
}

//! Returns the bytes of thePath.
std::string bytesOf(const std::string& thePath)
{
  std::ifstream aFile(thePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
}

//! Returns the paths of the regular files of theDir whose names end in theSuffix.
std::vector<std::string> filesIn(const std::string& theDir, const std::string& theSuffix)
{
  std::vector<std::string> aPaths;
  if (DIR* aDir = ::opendir(theDir.c_str()))
  {
    while (const dirent* anEntry = ::readdir(aDir))
    {
      const std::string aName = anEntry->d_name;
      if (aName[0] != '.' && aName.size() >= theSuffix.size() &&
          aName.compare(aName.size() - theSuffix.size(), theSuffix.size(), theSuffix) == 0)
      {
        aPaths.push_back(theDir + "/" + aName);
      }
    }
    ::closedir(aDir);
  }
  return aPaths;
}

//! Returns the last line of theText.
std::string lastLine(const std::string& theText)
{
  const size_t anEnd  = theText.size() > 0 && theText.back() == '\n' ? theText.size() - 1 : 0;
  const size_t aStart = theText.rfind('\n', anEnd > 0 ? anEnd - 1 : 0);
  const size_t aFirst = aStart == std::string::npos ? 0 : aStart + 1;
  return theText.substr(aFirst, anEnd - aFirst);
}

//! Returns theOffset as the dump prints it.
std::string hex(size_t theOffset)
{
  char aText[24];
  std::snprintf(aText, sizeof(aText), "%08zx", theOffset);
  return aText;
}

//! The header the writer emits.
VexTest_FileBuilder file()
{
  return VexTest_FileBuilder().Header();
}

const std::string THE_SAMPLE = std::string(VEX_SOURCE_DIR) + "/samples/board-outline.vex";
} // namespace

TEST(VexHost_Dump, SamplesListAsTheirFixtures)
{
  const std::vector<std::string> aSamples =
      filesIn(std::string(VEX_SOURCE_DIR) + "/samples", ".vex");
  ASSERT_EQ(aSamples.size(), 5u);
  for (const std::string& aPath : aSamples)
  {
    const std::string aName    = aPath.substr(aPath.rfind('/') + 1);
    const std::string aFixture = std::string(VEX_SOURCE_DIR) + "/tests/fixtures/dump/" +
                                 aName.substr(0, aName.size() - 4) + ".txt";
    const Outcome aDump = dumpOf(bytesOf(aPath));
    EXPECT_EQ(aDump.Status, 0) << aName;
    EXPECT_EQ(aDump.Listing, bytesOf(aFixture)) << aName;
    EXPECT_EQ(aDump.Messages, "") << aName;
  }
}

TEST(VexHost_Dump, ListsTheRecordsOfASampleWithOffsetsAndValues)
{
  const Outcome aDump = dumpOf(bytesOf(THE_SAMPLE));
  EXPECT_EQ(aDump.Status, 0);
  for (const char* aLine :
       {"00000000  header: \"QUOR_Mill_Drill File (VEX) Version 3\", 81 bytes up to and "
        "including 0x1A\n",
        "00000075  [11] type declaration: tag 18 size 8 (unchanged)\n",
        "00000081  [11] type declaration: tag 26 size 4 (new)\n",
        "00000093  [130] toolpath block\n", "00000095      [7] phase \"Milling\"\n",
        "000000b0      [5] width 2\n", "000000c1      [0] end: index 1 is tool 1 \"Contour2.0\"\n",
        "000000c2    [16] tool group: tool index 1 (block scope) is tool 1 \"Contour2.0\"\n",
        "000000d9        [17] arc-to (80, 4) centre (76, 4) radius 4\n",
        "00000174      [0] end: index 1 is tool 2 \"Mill1.0\"\n",
        "00000183        [17] arc-to (6.6, 5) centre (5, 5) radius 1.6 (full turn)\n",
        "00000204        [17] arc-to (50, 22.5) centre (50, 25) radius -2.5\n"})
  {
    EXPECT_NE(aDump.Listing.find(aLine), std::string::npos) << aLine;
  }
  EXPECT_EQ(lastLine(aDump.Listing), "00000238  end of file: status 0 (ok)");
}

TEST(VexHost_Dump, OffsetsAreEightOrMoreLowerCaseHexadecimalDigits)
{
  // Past 4 GiB the offset takes more digits instead of being cut.
  const size_t THE_OFFSETS[] = {0,
                                0x1a,
                                0xabcdef,
                                0x7fffffff,
                                0xffffffff,
                                0x100000000,
                                0xdeadbeefcafeULL,
                                0x123456789abcdefULL,
                                SIZE_MAX - 1,
                                SIZE_MAX};
  for (const size_t anOffset : THE_OFFSETS)
  {
    EXPECT_EQ(VexHost_DumpListing::Offset(anOffset), hex(anOffset)) << anOffset;
  }
}

TEST(VexHost_Dump, ACutInsideAToolDefinitionNamesTheReadAndWhereTheFileEnds)
{
  // The first tool definition of the sample spans 0xa8 to 0xc1; each read starts at one of these
  // offsets.
  const struct
  {
    size_t      Start;
    const char* What;
  } THE_READS[]             = {{0xa9, "the tool index type"},
                               {0xaa, "the tool index (int32)"},
                               {0xae, "the tool mode type"},
                               {0xaf, "the tool mode (byte)"},
                               {0xb0, "the tool width type"},
                               {0xb1, "the tool width (float32)"},
                               {0xb5, "the tool name type"},
                               {0xb6, "the tool name (string)"},
                               {0xc1, "the end marker of the tool definition"}};
  const std::string aSample = bytesOf(THE_SAMPLE);
  for (size_t aCut = 0xa9; aCut < 0xc2; ++aCut)
  {
    size_t aRead = 0;
    while (aRead + 1 < std::size(THE_READS) && THE_READS[aRead + 1].Start <= aCut)
    {
      ++aRead;
    }
    const Outcome aDump = dumpOf(aSample.substr(0, aCut));
    EXPECT_EQ(aDump.Status, 6);
    EXPECT_EQ(lastLine(aDump.Listing),
              hex(THE_READS[aRead].Start) + "  error: the file ends at offset " + hex(aCut) +
                  " where " + THE_READS[aRead].What + " was expected; status 6 (end of file)")
        << "cut at " << aCut;
  }
}

TEST(VexHost_Dump, FaultsNameTheirOffsetAndTheReaderStatus)
{
  // Offsets: the header is 0x00-0x50; a block header "A"/"B" fills 0x51-0x59; a file-scope tool
  // "T" fills 0x51-0x61.
  const struct
  {
    const char* Name;
    std::string Bytes;
    const char* Fault;
  } THE_CASES[] = {
      {"wrong magic", "QUOR_Mill_Drill File (VEX) Version 2.0\n\x1a",
       "00000000  error: the first 36 bytes are not \"QUOR_Mill_Drill File (VEX) Version 3\": not "
       "a machine file; status 2 (wrong format)"},
      {"tool index 0", file().Tool(0, 0, 1.0f, "T").Data(),
       "00000053  error: a tool index must be greater than 0; status 3 (invalid data)"},
      {"tool index twice", file().Tool(2, 0, 1.0f, "T").Tool(2, 0, 1.0f, "U").Data(),
       "00000064  error: this tool index is already defined in the same scope; status 3 (invalid "
       "data)"},
      {"mode 3", file().Tool(1, 3, 1.0f, "T").Data(),
       "00000058  error: a tool mode must be 0, 1 or 2; status 3 (invalid data)"},
      {"negative width", file().Tool(1, 0, -0.5f, "T").Data(),
       "0000005a  error: a tool width must be 0 or greater; status 3 (invalid data)"},
      {"width not a number", file().Tool(1, 0, std::nanf(""), "T").Data(),
       "0000005a  error: a tool width must be 0 or greater; status 3 (invalid data)"},
      {"wrong type", file().Bytes({128, 3, 1, 0, 0, 0, 7}).Data(),
       "00000057  error: found 7 where 1 (the tool mode type) was expected; status 2 (wrong "
       "format)"},
      {"undefined tool", file().Block("A", "B").Group(5).Byte(0).Data(),
       "0000005b  error: no tool definition of this block or of the file has this index; status "
       "3 (invalid data)"},
      {"macro out of order", file().Block("A", "B").Byte(26).Int(2).Bytes({27, 0}).Data(),
       "0000005b  error: macros are numbered from 1 in order; expected 1; status 2 (wrong "
       "format)"},
      {"macro not ended", file().Block("A", "B").Byte(26).Int(1).Bytes({0}).Data(),
       "0000005f  error: found tag 0 where the macro end (27) was expected; status 2 (wrong "
       "format)"},
      {"undefined macro",
       file().Tool(1, 0, 1.0f, "T").Block("A", "B").Group(1).Place(1, 0, 0).Data(),
       "00000071  error: no such macro; the file has defined 0 so far; status 2 (wrong format)"},
      {"scan field without box", file().Block("A", "B").XY(19, 1, 1).Byte(0).Data(),
       "0000005a  error: no valid scanner box comes before this scan field; status 3 (invalid "
       "data)"},
      {"box height 0", file().XY(18, 5, 0).Data(),
       "00000056  error: the box height must be greater than 0; status 3 (invalid data)"},
      {"declaration after a record", file().Byte(20).Declare(12, 8).Data(),
       "00000052  error: tag 11 is not allowed here; status 2 (wrong format)"},
      {"undeclared record", file().Byte(21).Data(),
       "00000051  error: tag 21 has no declared size, so it cannot be stepped over; status 2 "
       "(wrong format)"},
      {"new size for a record", file().Declare(17, 24).Data(),
       "00000053  error: tag 17 already has size 20; status 3 (invalid data)"},
      {"phase too long", file().Bytes({130, 129, 7}).Text(std::string(8191, 'x')).Data(),
       "00000054  error: the phase name (string) has no 0 byte within 8191 bytes; status 7 "
       "(string too long)"},
  };
  for (const auto& aCase : THE_CASES)
  {
    const Outcome aDump = dumpOf(aCase.Bytes);
    EXPECT_EQ(lastLine(aDump.Listing), aCase.Fault) << aCase.Name;
  }
}

TEST(VexHost_Dump, SteppedOverRecordsShowTheirItemsAndSizes)
{
  const std::string aBytes = file()
                                 .Declare(18, 12)
                                 .Bytes({200, 3, 1, 0, 0, 0, 131, 7, 'a', 0, 0, 0, 20})
                                 .Byte(18)
                                 .Text(std::string(12, '\0'))
                                 .Data();
  const Outcome aDump = dumpOf(aBytes);
  EXPECT_EQ(aDump.Status, 0);
  EXPECT_NE(aDump.Listing.find(
                "00000051  [11] type declaration: tag 18 size 12 (was 8: scanner boxes and scan "
                "fields are stepped over from here)\n"
                "00000057  [200] compound record: stepped over\n"
                "00000058    [3] int32 field: stepped over, 4 bytes\n"
                "0000005d    [131] compound record\n"
                "0000005e      [7] string field: stepped over, 2 bytes\n"
                "00000061      [0] end of the record at 0000005d, 5 bytes\n"
                "00000062    [0] end of the record at 00000057, 12 bytes\n"
                "00000063  [20] empty record: stepped over, 0 bytes\n"
                "00000064  [18] scanner box: stepped over, 12 bytes (a declaration changed its "
                "size)\n"
                "00000071  end of file: status 0 (ok)\n"),
            std::string::npos)
      << aDump.Listing;
  EXPECT_EQ(aDump.Messages,
            "2 VEX_READER_REPLACE_TYPEDEF_SIZE 18\n2 VEX_READER_SCANNER_BOX_IGNORED\n");

  // A deeply nested record is followed without recursion and with bounded indentation.
  const Outcome aDeep =
      dumpOf(file().Text(std::string(100000, '\x83')).Text(std::string(100000, '\0')).Data());
  EXPECT_EQ(aDeep.Status, 0);
  EXPECT_NE(aDeep.Listing.find("(depth 99999) [131] compound record\n"), std::string::npos);
}

TEST(VexHost_Dump, BoundsAndInputErrorsEndTheDumpAsTheyEndTheRead)
{
  // Macro 1 holds two segments; three placements copy six elements, over a bound of five.
  VexTest_FileBuilder aMacros = file().Tool(1, 0, 1.0f, "T").Block("A", "B").Byte(26).Int(1);
  aMacros.XY(12, 0, 0).XY(13, 1, 0).XY(13, 1, 1).Byte(27).Group(1);
  aMacros.Place(1, 0, 0).Place(1, 5, 0).Place(1, 9, 0).Byte(0);
  // Five tools named T of different widths need 1 + 2 + 3 + 4 renamings, over a bound of 9.
  VexTest_FileBuilder aNames = file();
  for (int anIndex = 1; anIndex <= 5; ++anIndex)
  {
    aNames.Tool(anIndex, 0, 0.1f * static_cast<float>(anIndex), "T");
  }
  const struct
  {
    std::string Bytes;
    const char* Fault;
  } THE_BOUNDS[] = {
      {aMacros.Data(), "000000ab  error: macro placements copy more elements than a file may make; "
                       "status 3 (invalid data)"},
      {aNames.Data(), "000000a5  error: too many tools share their names with other tools; status "
                      "3 (invalid data)"}};
  for (const auto& aCase : THE_BOUNDS)
  {
    const Outcome aDump = dumpOf(aCase.Bytes, 5, 9);
    EXPECT_EQ(aDump.Status, 3);
    EXPECT_EQ(lastLine(aDump.Listing), aCase.Fault);
    EXPECT_EQ(dumpOf(aCase.Bytes, 6, 10).Status, 0);
  }

  // A stream buffer that throws after the header: status 4 and the reader's message.
  VexTest_FailingBuffer aBuffer(file().Data());
  const Outcome         aDump = dumpOf(std::string(), 0, 0, &aBuffer);
  EXPECT_EQ(aDump.Status, 4);
  EXPECT_EQ(aDump.Messages, "4 VEX_READER_READ_BYTE_FAILURE\n");
  EXPECT_EQ(
      lastLine(aDump.Listing),
      "00000051  error: input error while reading the first record tag; status 4 (stream bad)");
}

TEST(VexHost_Dump, CommandExitsWithTheReaderStatus)
{
  char aDir[] = "/tmp/vexdumpXXXXXX";
  ASSERT_NE(::mkdtemp(aDir), nullptr);
  const std::string aCut = std::string(aDir) + "/cut.vex";
  std::ofstream(aCut, std::ios::binary) << bytesOf(THE_SAMPLE).substr(0, 0xb2);
  const std::string aCommand = std::string("'") + VEX_HOST_PATH + "' --message-keys dump '" + aCut +
                               "' >'" + aDir + "/out' 2>'" + aDir + "/err'";
  const int aRaw = std::system(aCommand.c_str());
  ASSERT_TRUE(WIFEXITED(aRaw));
  EXPECT_EQ(WEXITSTATUS(aRaw), 6);
  EXPECT_EQ(lastLine(bytesOf(std::string(aDir) + "/out")),
            "000000b1  error: the file ends at offset 000000b2 where the tool width (float32) was "
            "expected; status 6 (end of file)");
  EXPECT_EQ(bytesOf(std::string(aDir) + "/err"), "Fail: VEX_READER_READ_FLOAT_FAILURE\n");
  std::system(("rm -rf '" + std::string(aDir) + "'").c_str());
}

#endif
