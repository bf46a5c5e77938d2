// Copyright (c) 2026 VexData developers
// Toolpath blocks: header, layers, tool groups and their sequences, the block's item order,
// stray items, failures inside a group, and reading the same file twice.
#include <VexData_ReaderRun_Test.hxx>

#include <gtest/gtest.h>

namespace
{
typedef VexTest_FileBuilder Builder;

//! Header, the writer's declarations and a file-scope tool 1 named T of width 0.5.
std::string prefix()
{
  return Builder().Header().WriterDeclarations().Tool(1, 0, 0.5f, "T").Data();
}

const char THE_TOOL_LINE[] = "unit 0\naperture 1 T shape 1 tool 1 p 0.5\n";

TEST(VexData_ReaderBlocks, MinimalBlockOfTheRecordCatalogue)
{
  const Builder aFile = Builder().Header().Bytes(
      {0x82, 0x81, 0x07, 0x41, 0x00, 0x07, 0x42, 0x00, 0x00, 0x80, 0x03, 0x01, 0x00,
       0x00, 0x00, 0x01, 0x00, 0x05, 0x00, 0x00, 0x80, 0x3F, 0x07, 0x54, 0x00, 0x00,
       0x10, 0x01, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
       0x00, 0x0D, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00});
  VexTest_Read aRead(aFile.Data());
  EXPECT_EQ(0, aRead.Status);
  EXPECT_EQ("", aRead.Capture.Dump());
  EXPECT_EQ("unit 0\nlayer B flags 3\naperture 1 T shape 1 tool 1 p 1\n"
            "sequence ap 1 layer 'B' phase 'A' mode 1 flag 1\n curve\n  seg 0 0 1 0\n",
            aRead.Dump());
}

TEST(VexData_ReaderBlocks, GroupsBecomeCurveAndPointSequences)
{
  struct Case
  {
    const char* Name;
    std::string Block;
    std::string Model; // after the tool line
  } aCases[] = {
      {"empty layer name", Builder().Block("P", "").Group(1).XY(15, 1, 2).Byte(0).Data(),
       "sequence ap 1 layer '' phase 'P' mode 2 flag 1\n curve\n  pt 1 2\n"},
      {"header then end", Builder().Block("P", "L").Byte(0).Data(), ""},
      {"two groups, one tool",
       Builder().Block("P", "").Group(1).XY(15, 1, 1).Group(1).XY(15, 2, 2).Byte(0).Data(),
       "sequence ap 1 layer '' phase 'P' mode 2 flag 1\n curve\n  pt 1 1\n"
       "sequence ap 1 layer '' phase 'P' mode 2 flag 1\n curve\n  pt 2 2\n"},
      {"three drill points",
       Builder().Block("P", "").Group(1).XY(15, 1, 1).XY(15, 2, 2).XY(15, 3, 3).Byte(0).Data(),
       "sequence ap 1 layer '' phase 'P' mode 2 flag 1\n curve\n  pt 1 1\n curve\n  pt 2 2\n"
       " curve\n  pt 3 3\n"},
      {"path, drill point, circle",
       Builder()
           .Block("P", "")
           .Group(1)
           .XY(12, 0, 0)
           .XY(13, 1, 0)
           .XY(15, 5, 5)
           .Circle(2, 2, 1)
           .Byte(0)
           .Data(),
       "sequence ap 1 layer '' phase 'P' mode 1 flag 1\n curve\n  seg 0 0 1 0\n"
       " curve\n  arc c 2 2 r 1 a 0 6.2831853071795862 s 1\n"
       "sequence ap 1 layer '' phase 'P' mode 2 flag 1\n curve\n  pt 5 5\n"},
      {"empty group", Builder().Block("P", "").Group(1).Byte(0).Data(), ""},
      {"stray items are stepped over",
       Builder()
           .Block("P", "")
           .Group(1)
           .XY(13, 9, 9)
           .ArcTo(1, 1, 0, 0, 1)
           .Byte(20)
           .XY(18, 3, 3)
           .Bytes({0x90, 7, 'x', 0, 0})
           .XY(12, 0, 0)
           .XY(13, 0, 1)
           .Byte(27)
           .Byte(0)
           .Data(),
       "sequence ap 1 layer '' phase 'P' mode 1 flag 1\n curve\n  seg 0 0 0 1\n"},
      {"another tag ends the block early",
       Builder().Block("P", "").Byte(20).Group(1).XY(15, 1, 1).Data(), ""},
      {"second macro definition ends the block",
       Builder().Block("P", "").Byte(26).Int(1).Byte(27).Byte(26).Data(), ""},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_Read aRead(prefix() + aCase.Block);
    EXPECT_EQ(0, aRead.Status) << aCase.Name << "\n" << aRead.Capture.Dump();
    const std::string aLayer =
        aCase.Name == std::string("header then end") ? "layer L flags 3\n" : "";
    EXPECT_EQ("unit 0\n" + aLayer + "aperture 1 T shape 1 tool 1 p 0.5\n" + aCase.Model,
              aRead.Dump())
        << aCase.Name;
  }
}

TEST(VexData_ReaderBlocks, FailuresKeepFinishedGroupsAndDropTheCurrentOne)
{
  const std::string aDone = Builder().Block("P", "L").Group(1).XY(15, 1, 1).Data();
  struct Case
  {
    const char* Name;
    std::string Tail;
    int         Status;
    std::string Dump;
  } aCases[] = {
      {"undefined tool index", Builder().Group(9).XY(15, 0, 0).Data(), 3,
       "4 VEX_READER_NO_TOOL 9\n"},
      {"cut inside a path", Builder().Group(1).XY(12, 0, 0).XY(13, 1, 0).Byte(13).Data(), 6,
       "4 VEX_READER_READ_FLOAT_FAILURE\n"},
      {"declaration inside a group", Builder().Group(1).XY(15, 0, 0).Byte(11).Data(), 2,
       "4 VEX_READER_UNKNOWN_SKIP_TYPE 11\n"},
      {"cut before the end marker", Builder().Group(1).XY(15, 0, 0).Data(), 6,
       "4 VEX_READER_READ_BYTE_FAILURE\n"},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_Read aRead(prefix() + aDone + aCase.Tail);
    EXPECT_EQ(aCase.Status, aRead.Status) << aCase.Name;
    EXPECT_EQ(aCase.Dump, aRead.Capture.Dump()) << aCase.Name;
    EXPECT_EQ("unit 0\nlayer L flags 3\naperture 1 T shape 1 tool 1 p 0.5\n"
              "sequence ap 1 layer 'L' phase 'P' mode 2 flag 1\n curve\n  pt 1 1\n",
              aRead.Dump())
        << aCase.Name;
  }
  VexTest_Read aWrongHeader(prefix() + Builder().Byte(130).Byte(7).Str("P").Data());
  EXPECT_EQ(2, aWrongHeader.Status);
  EXPECT_EQ("4 VEX_READER_WRONG_TYPE 129\n", aWrongHeader.Capture.Dump());
}

TEST(VexData_ReaderBlocks, SameFileGivesEqualModels)
{
  Builder aFile;
  aFile.Header().WriterDeclarations().XY(18, 4, 4).Tool(3, 2, 0.2f, "D").Tool(4, 0, 0.2f, "D");
  aFile.Block("Drill", "Top").Tool(1, 0, 1, "M").Byte(26).Int(1).XY(12, 0, 0).ArcTo(1, 1, 1, 0, -1);
  aFile.Byte(27).XY(19, 2, 2).Group(3).XY(15, 1, 2).Place(1, 5, 5).Group(1).Circle(0, 0, 3);
  aFile.XY(19, 8, 8).XY(12, 1, 1).XY(13, 2, 2).ArcTo(2, 2, 0, 0, 1).Byte(0);
  aFile.Block("Mill", "").Group(4).Place(1, -1, -1).Byte(0);
  VexTest_Read aFirst(aFile.Data());
  VexTest_Read aSecond(aFile.Data());
  EXPECT_EQ(0, aFirst.Status) << aFirst.Capture.Dump();
  EXPECT_EQ(aFirst.Dump(), aSecond.Dump());
  EXPECT_EQ(6u, aFirst.Model->Objects().Size()) << aFirst.Dump();
}
} // namespace
