// Copyright (c) 2026 VexData developers
// The Gerber reader reading its stream a chunk at a time: what lies where a read ends (the byte
// order mark, a comment, a quote of a fault near the end of the file), a command longer than the
// buffer, a stream that fails half-way and one that cannot tell its size. ReadText repeats every
// read with reads of 1, 2, 3 and 7 bytes and expects the same.
#include <VexData_FormatBuilder_Test.hxx>
#include <VexGerber_TestModel.hxx>

#include <gtest/gtest.h>

using namespace VexGerber_TestModel;

namespace
{
//! The header of a millimetre file with D10 a round aperture of 0.1 mm: three lines.
const std::string THE_HEADER = "%FSLAX36Y36*%\n%MOMM*%\n%ADD10C,0.1*%D10*\n";
} // namespace

TEST(VexGerber_ReadSize, WhatLiesWhereAReadEnds)
{
  struct Case
  {
    std::string Text;
    bool        Ok;
    const char* Messages; //!< the messages captured, as VexTest_MessageCapture::Dump writes them
  };
  const std::string aLongComment = "G04 " + std::string(70000, 'c') + "*\n";
  const Case        THE_CASES[]  = {
              {"\xEF\xBB\xBF" + THE_HEADER + "X0Y0D03*M02*", true, ""},
              // Only '*' ends a comment, and a comment may carry an attribute.
              {THE_HEADER + "G04 100% done, 50%*G04 #@! TO.N,GND*\nX0Y0D03*M02*", true, ""},
              {THE_HEADER + "X0Y0D03*\nx1y1d03*", false, "4 VEX_GERBER_LOWER_CASE 5 x1y1d03*\n"},
              {THE_HEADER + "X0Y0D03*\nX1Y1D03", false, "4 VEX_GERBER_UNTERMINATED_COMMAND 5\n"},
              {THE_HEADER + "\n%ADD11C,0.2*\nD11", false, "4 VEX_GERBER_UNTERMINATED_COMMAND 5\n"},
              {THE_HEADER + "X0Y0D03*\nM02*trailing words, not read", true, ""},
              // Commands longer than the default buffer are held whole.
              {THE_HEADER + aLongComment + aLongComment + "X0Y0D03*M02*", true, ""},
              {THE_HEADER + aLongComment + "X0Y0D03*X1Q", false, "4 VEX_GERBER_SYNTAX 5 Q\n"},
  };
  for (const Case& aCase : THE_CASES)
  {
    Read aRead;
    ReadText(aCase.Text, aRead);
    EXPECT_EQ(aRead.Ok, aCase.Ok) << aCase.Text.substr(0, 80);
    EXPECT_EQ(aRead.Capture.Dump(), aCase.Messages) << aCase.Text.substr(0, 80);
    EXPECT_EQ(aRead.Ok ? 1u : 0u, aRead.Model->Objects().Size());
  }
}

TEST(VexGerber_ReadSize, AFailingStreamStopsTheReadAndAPipeIsRead)
{
  const std::string aText = THE_HEADER + "X0Y0D03*\nX1000000Y0D01*\nM02*";
  for (const size_t aSize : {1, 7, 0})
  {
    VexPcb_ImportOptions anOptions;
    anOptions.ReadSize = aSize;
    for (const bool isFailing : {true, false})
    {
      VexTest_FailingBuffer aFailing(aText.substr(0, 50));
      VexTest_PipeBuffer    aPipe(aText);
      std::istream          aStream(isFailing ? static_cast<std::streambuf*>(&aFailing) : &aPipe);
      Read                  aRead;
      aRead.Model = new PenFormatData_Model();
      aRead.Model->SetMessenger(aRead.Capture.Messenger());
      aRead.Ok = VexGerber_Reader::Read(aStream, anOptions, VexGerber_Limits(), *aRead.Model,
                                        aRead.Report) == Standard_True;
      EXPECT_EQ(aRead.Ok, !isFailing) << aSize;
      ASSERT_EQ(aRead.Capture.Messages().size(), isFailing ? 1u : 0u) << aRead.Capture.Dump();
      if (isFailing)
      {
        EXPECT_EQ(aRead.Capture.Messages()[0].Key, "VEX_GERBER_READ_FAILED");
        EXPECT_TRUE(aRead.Model->Objects().IsEmpty());
      }
      else
      {
        EXPECT_EQ(Features(*aRead.Model).size(), 2u);
      }
    }
  }
}
