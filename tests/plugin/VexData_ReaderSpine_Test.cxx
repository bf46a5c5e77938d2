// Copyright (c) 2026 VexData developers
// The reader's record loop: statuses at the end of the file, misplaced tags, unknown records,
// deep nesting and long record runs, and input that fails or throws.
#include <VexData_ReaderRun_Test.hxx>

#include <gtest/gtest.h>

namespace
{
std::string header()
{
  return VexTest_FileBuilder().Header().Data();
}

TEST(VexData_ReaderSpine, StatusesOfTheRecordLoop)
{
  const std::string aTool = VexTest_FileBuilder().Tool(1, 0, 0.5f, "T").Data();
  struct Case
  {
    const char* Name;
    std::string Bytes;
    int         Status;
    std::string Dump;
  } aCases[] = {
      {"header only", header(), 6, "4 VEX_READER_READ_BYTE_FAILURE\n"},
      {"declarations only", header() + VexTest_FileBuilder().WriterDeclarations().Data(), 6,
       "4 VEX_READER_READ_BYTE_FAILURE\n"},
      {"one empty record", header() + "\x14", 0, ""},
      {"complete last record", header() + aTool, 0, ""},
      {"cut last record", header() + aTool.substr(0, aTool.size() - 1), 6,
       "4 VEX_READER_READING_TYPE_FAILURE\n"},
      {"cut fixed record", header() + "\x14\x13\x01\x02", 6, "4 VEX_READER_END_OF_FILE\n"},
      {"declaration after a record", header() + aTool + "\x0B\x0C", 2,
       "4 VEX_READER_UNKNOWN_SKIP_TYPE 11\n"},
      {"top-level end marker", header() + std::string("\x14\x00", 2), 2,
       "4 VEX_READER_UNKNOWN_SKIP_TYPE 0\n"},
      {"undeclared macro tag", header() + "\x1A\x01\x00\x00\x00", 2,
       "4 VEX_READER_UNKNOWN_SKIP_TYPE 26\n"},
      {"declared macro tag", header() + VexTest_FileBuilder().Declare(26, 4).Byte(26).Int(1).Data(),
       0, ""},
      {"stray group and field", header() + VexTest_FileBuilder().Group(5).XY(19, 1, 2).Data(), 0,
       ""},
      {"cut declaration", header() + "\x0B\x0C\x01\x02", 6, "4 VEX_READER_READ_INT_FAILURE\n"},
      {"invalid declaration stops",
       header() + VexTest_FileBuilder().Declare(40, 2).Declare(17, 24).Data(), 3, ""},
      {"wrong magic", "QUOR_Mill_Drill File (VEX) Version 2.0\n\x1A", 2,
       "4 VEX_READER_WRONG_FORMAT\n"},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_Read aRead(aCase.Bytes);
    EXPECT_EQ(aCase.Status, aRead.Status) << aCase.Name;
    EXPECT_EQ(aCase.Dump, aRead.Capture.Dump()) << aCase.Name;
    EXPECT_EQ(PenFormatData_DU_Millimetre, aRead.Model->DimensionUnit()) << aCase.Name;
  }
}

TEST(VexData_ReaderSpine, UnknownCompoundRecordsAreSteppedOver)
{
  VexTest_FileBuilder aFile;
  aFile.Header().Byte(0xC8).Byte(7).Str("x").Byte(0x90).Byte(9).Byte(9).Bytes({1, 2}).Byte(0);
  aFile.Byte(10).Int(3).Byte(1).Byte(8).Bytes({'a', 0, 0, 0}).Byte(0).Tool(1, 0, 0.5f, "T");
  VexTest_Read aRead(aFile.Data());
  EXPECT_EQ(0, aRead.Status) << aRead.Capture.Dump();
  EXPECT_EQ("unit 0\naperture 1 T shape 1 tool 1 p 0.5\n", aRead.Dump());
}

TEST(VexData_ReaderSpine, StatusBeforeAndAfterProcessing)
{
  PenFormatData_Model aModel;
  VexData_Reader      aReader(aModel);
  EXPECT_EQ(VexData_Reader::NotDone, aReader.GetStatus());
  std::istringstream anEmpty("");
  EXPECT_EQ(VexData_Reader::EndOfFile, aReader.Process(anEmpty));
  EXPECT_EQ(VexData_Reader::EndOfFile, aReader.GetStatus());
  EXPECT_EQ(PenFormatData_DU_Millimetre, aModel.DimensionUnit());
}

// Ten million nested compound tags must not exhaust the stack; ten million empty records are
// read in linear time.
TEST(VexData_ReaderSpine, TenMillionNestedCompoundTags)
{
  const std::string aNested = header() + std::string(10000000, '\x83');
  VexTest_Read      aDeep(aNested);
  EXPECT_EQ(6, aDeep.Status);
  EXPECT_EQ("4 VEX_READER_READ_BYTE_FAILURE\n", aDeep.Capture.Dump());
}

TEST(VexData_ReaderSpine, TenMillionEmptyRecords)
{
  const std::string aFlat = header() + std::string(10000000, '\x14');
  VexTest_Read      aLong(aFlat);
  EXPECT_EQ(0, aLong.Status);
  EXPECT_EQ("", aLong.Capture.Dump());
}

TEST(VexData_ReaderSpine, HardInputErrorsEndWithStatus4)
{
  const std::string aFile = header() + VexTest_FileBuilder().Tool(1, 0, 0.5f, "T").Data();
  for (size_t aCut : {size_t(10), size_t(81), aFile.size() - 3, aFile.size()})
  {
    VexTest_FailingBuffer  aBuffer(aFile.substr(0, aCut));
    std::istream           aStream(&aBuffer);
    PenFormatData_Model    aModel;
    VexTest_MessageCapture aCapture;
    aModel.SetMessenger(aCapture.Messenger());
    aStream.exceptions(std::ios_base::badbit);
    VexData_Reader aReader(aModel);
    EXPECT_EQ(VexData_Reader::StreamBad, aReader.Process(aStream)) << aCut;
    EXPECT_TRUE(aStream.bad());
  }
  // A stream that has already failed is not read.
  std::istringstream aFailed(aFile);
  aFailed.setstate(std::ios_base::failbit);
  PenFormatData_Model aModel;
  EXPECT_EQ(VexData_Reader::StreamFail, VexData_Reader(aModel).Process(aFailed));
}
} // namespace
