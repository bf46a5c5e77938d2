// Copyright (c) 2026 VexData developers
// Scanner box and scan field positions.
#include <VexData_ReaderRun_Test.hxx>

#include <gtest/gtest.h>

namespace
{
typedef VexTest_FileBuilder Builder;

const char THE_RECTANGLE[] = "sequence ap 0 layer 'Scan fields' phase '' mode 1 flag 0\n curve\n"
                             "  seg 90 45 110 45\n  seg 110 45 110 55\n  seg 110 55 90 55\n"
                             "  seg 90 55 90 45\n";

TEST(VexData_ReaderScan, ScannerBoxAndScanFields)
{
  const std::string aField = Builder().Block("P", "").XY(19, 100, 50).Byte(0).Data();
  struct Case
  {
    const char* Name;
    std::string Body;
    int         Status;
    std::string Dump;
    std::string Model;
  } aCases[] = {
      {"box 20 x 10 at (100, 50)", Builder().XY(18, 20, 10).Data() + aField, 0, "",
       std::string("unit 0\nlayer Scan fields flags 3\n") + THE_RECTANGLE},
      {"field inside a group stands before the group's sequence",
       Builder()
           .XY(18, 20, 10)
           .Tool(1, 0, 1, "T")
           .Block("P", "")
           .Group(1)
           .XY(15, 0, 0)
           .XY(19, 100, 50)
           .Byte(0)
           .Data(),
       0, "",
       std::string("unit 0\nlayer Scan fields flags 3\naperture 1 T shape 1 tool 1 p 1\n") +
           THE_RECTANGLE + "sequence ap 1 layer '' phase 'P' mode 2 flag 1\n curve\n  pt 0 0\n"},
      {"two fields, one layer", Builder().XY(18, 20, 10).Data() + aField + aField, 0, "",
       std::string("unit 0\nlayer Scan fields flags 3\n") + THE_RECTANGLE + THE_RECTANGLE},
      {"box width 0, height not read", Builder().Byte(18).Float(0).Data(), 3,
       "4 VEX_READER_INVALID_SCANNER_BOX\n", "unit 0\n"},
      {"negative box height", Builder().XY(18, 1, -1).Data(), 3,
       "4 VEX_READER_INVALID_SCANNER_BOX\n", "unit 0\n"},
      {"field without a box", aField + Builder().XY(18, 20, 10).Data(), 3,
       "4 VEX_READER_INVALID_SCANNER_BOX\n", "unit 0\n"},
      {"cut box", Builder().Byte(18).Float(2).Bytes({0, 0}).Data(), 6,
       "4 VEX_READER_READ_FLOAT_FAILURE\n", "unit 0\n"},
      {"redeclared box and fields are skipped",
       Builder().Declare(18, 12).Byte(18).Float(20).Float(10).Float(0).Data() + aField, 0,
       "2 VEX_READER_REPLACE_TYPEDEF_SIZE 18\n2 VEX_READER_SCANNER_BOX_IGNORED\n"
       "2 VEX_READER_SCANNER_POS_IGNORED\n",
       "unit 0\n"},
      {"a late macro definition ends the block",
       Builder().XY(18, 20, 10).Block("P", "").XY(19, 100, 50).Byte(26).Data(), 0, "",
       std::string("unit 0\nlayer Scan fields flags 3\n") + THE_RECTANGLE},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_Read aRead(Builder().Header().Data() + aCase.Body);
    EXPECT_EQ(aCase.Status, aRead.Status) << aCase.Name;
    EXPECT_EQ(aCase.Dump, aRead.Capture.Dump()) << aCase.Name;
    EXPECT_EQ(aCase.Model, aRead.Dump()) << aCase.Name;
  }
}
} // namespace
