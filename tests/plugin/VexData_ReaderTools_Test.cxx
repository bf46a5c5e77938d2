// Copyright (c) 2026 VexData developers
// Tool definitions: validation, identity within the width tolerance, renaming, scopes.
#include <VexData_ReaderRun_Test.hxx>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
typedef VexTest_FileBuilder Builder;

//! Returns a block that drills one point with each tool index from 1 to theCount.
std::string drillWith(int theCount)
{
  Builder aBlock;
  aBlock.Block("P", "");
  for (int anIndex = 1; anIndex <= theCount; ++anIndex)
  {
    aBlock.Group(anIndex).XY(15, 0, 0);
  }
  return aBlock.Byte(0).Data();
}

//! Returns the aperture numbers of the model's sequences, in order.
std::string apertures(const PenFormatData_Model& theModel)
{
  std::string aText;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    aText += std::to_string(Handle(PenFormatData_Sequence)::DownCast(anObject)->ApertureNumber());
  }
  return aText;
}

TEST(VexData_ReaderTools, IdentityAndUniqueNames)
{
  struct Case
  {
    const char* Name;
    std::string Tools;
    std::string Names;     // aperture names and widths
    std::string Sequences; // aperture of each drilled tool index 1, 2, 3 ...
  } aCases[] = {
      {"within tolerance", Builder().Tool(1, 0, 0.3f, "T").Tool(2, 0, 0.30005f, "T").Data(),
       "T 0.30000001192092896\n", "11"},
      {"exactly the tolerance", Builder().Tool(1, 0, 0.0f, "T").Tool(2, 0, 0.0001f, "T").Data(),
       "T 0\n", "11"},
      {"other width", Builder().Tool(1, 0, 0.3f, "T").Tool(2, 0, 0.5f, "T").Data(),
       "T 0.30000001192092896\nT_1 0.5\n", "12"},
      {"other mode", Builder().Tool(1, 0, 0.5f, "T").Tool(2, 1, 0.5f, "T").Data(),
       "T 0.5\nT_1 0.5\n", "12"},
      {"case matters", Builder().Tool(1, 0, 0.5f, "T").Tool(2, 0, 0.5f, "t").Data(),
       "T 0.5\nt 0.5\n", "12"},
      {"identity against renamed tools",
       Builder().Tool(1, 0, 1, "T").Tool(2, 0, 2, "T").Tool(3, 0, 3, "T").Tool(4, 0, 3, "T").Data(),
       "T 1\nT_1 2\nT_2 3\n", "1233"},
      {"a literal suffixed name takes part",
       Builder().Tool(1, 0, 1, "T_1").Tool(2, 0, 2, "T").Tool(3, 0, 1, "T").Data(), "T_1 1\nT 2\n",
       "121"},
      {"empty name and zero width", Builder().Tool(1, 2, 0, "").Data(), " 0\n", "1"},
  };
  for (const Case& aCase : aCases)
  {
    const std::string aBlock = drillWith(static_cast<int>(aCase.Sequences.size()));
    VexTest_Read      aRead(Builder().Header().Data() + aCase.Tools + aBlock);
    ASSERT_EQ(0, aRead.Status) << aCase.Name << aRead.Capture.Dump();
    std::string aNames;
    for (int aNumber = 1; aNumber < aRead.Model->NbApertures(); ++aNumber)
    {
      Handle(PenFormatData_Aperture) anAp = aRead.Model->Aperture(aNumber);
      aNames += std::string(TCollection_AsciiString(anAp->Name()).ToCString()) + " " +
                VexTest_Number(anAp->Param(1)) + "\n";
      EXPECT_TRUE(anAp->ToolFlag() == 1 && anAp->ShapeCode() == 1 && anAp->NbParams() == 1);
    }
    EXPECT_EQ(aCase.Names, aNames) << aCase.Name;
    EXPECT_EQ(aCase.Sequences, apertures(*aRead.Model)) << aCase.Name;
  }
}

TEST(VexData_ReaderTools, InvalidDefinitions)
{
  const std::string aGood = Builder().Tool(1, 0, 0.5f, "A").Data();
  struct Case
  {
    const char* Name;
    std::string Body;
    int         Status;
    std::string Dump;
    int         Kept = 0; // apertures of the valid definitions before the failure
  } aCases[] = {
      {"index 0", Builder().Tool(0, 0, 0.5f, "T").Data(), 3, "4 VEX_READER_INVALID_TOOL_INDEX 0\n"},
      {"negative index", Builder().Tool(-5, 0, 0.5f, "T").Data(), 3,
       "4 VEX_READER_INVALID_TOOL_INDEX -5\n"},
      {"index twice at file level", aGood + Builder().Tool(1, 0, 0.7f, "B").Data(), 3,
       "4 VEX_READER_MULTIPLE_TOOL_INDEX 1\n", 1},
      {"index twice in a block",
       Builder().Block("P", "").Tool(2, 0, 1, "A").Tool(2, 0, 1, "A").Data(), 3,
       "4 VEX_READER_MULTIPLE_TOOL_INDEX 2\n", 1},
      {"mode 3", Builder().Tool(7, 3, 0.5f, "T").Data(), 3, "4 VEX_READER_INVALID_MODE 7\n"},
      {"mode 255", Builder().Tool(7, 255, 0.5f, "T").Data(), 3, "4 VEX_READER_INVALID_MODE 7\n"},
      {"width not a number", Builder().Tool(7, 0, std::nanf(""), "T").Data(), 3,
       "4 VEX_READER_INVALID_WIDTH 7\n"},
      {"negative width", Builder().Tool(7, 0, -0.1f, "T").Data(), 3,
       "4 VEX_READER_INVALID_WIDTH 7\n"},
      {"item before the end marker",
       Builder()
           .Byte(128)
           .Byte(3)
           .Int(1)
           .Byte(1)
           .Byte(0)
           .Byte(5)
           .Float(1)
           .Byte(7)
           .Str("T")
           .Byte(7)
           .Str("X")
           .Byte(0)
           .Data(),
       2, "4 VEX_READER_WRONG_TYPE 0\n"},
      {"index as a byte", Builder().Byte(128).Byte(1).Byte(1).Data(), 2,
       "4 VEX_READER_WRONG_TYPE 3\n"},
      {"mode as an int", Builder().Byte(128).Byte(3).Int(1).Byte(3).Int(0).Data(), 2,
       "4 VEX_READER_WRONG_TYPE 1\n"},
      {"width as an int", Builder().Byte(128).Byte(3).Int(1).Byte(1).Byte(0).Byte(3).Int(0).Data(),
       2, "4 VEX_READER_WRONG_TYPE 5\n"},
      {"name too long",
       Builder()
           .Byte(128)
           .Byte(3)
           .Int(1)
           .Byte(1)
           .Byte(0)
           .Byte(5)
           .Float(1)
           .Byte(7)
           .Text(std::string(8191, 'n'))
           .Data(),
       7, "4 VEX_READER_READ_SSTRING_FAILURE\n"},
      {"cut in the width",
       Builder().Byte(128).Byte(3).Int(1).Byte(1).Byte(0).Byte(5).Byte(0).Data(), 6,
       "4 VEX_READER_READ_FLOAT_FAILURE\n"},
      {"cut in the mode", Builder().Byte(128).Byte(3).Int(1).Byte(1).Data(), 6,
       "4 VEX_READER_READ_BYTE_FAILURE\n"},
  };
  for (const Case& aCase : aCases)
  {
    VexTest_Read aRead(Builder().Header().Data() + aCase.Body);
    EXPECT_EQ(aCase.Status, aRead.Status) << aCase.Name;
    EXPECT_EQ(aCase.Dump, aRead.Capture.Dump()) << aCase.Name;
    EXPECT_EQ(1 + aCase.Kept, aRead.Model->NbApertures()) << aCase.Name;
  }
}

TEST(VexData_ReaderTools, BlockToolsHideFileToolsInTheirBlockOnly)
{
  Builder aFile;
  aFile.Header().Tool(1, 0, 1, "F");
  aFile.Block("P", "").Tool(1, 0, 2, "B").Group(1).XY(15, 0, 0).Byte(0);
  aFile.Block("P", "").Group(1).XY(15, 0, 0).Byte(0);
  aFile.Block("P", "").Tool(1, 0, 2, "B").Tool(2, 0, 3, "C").Group(2).XY(15, 0, 0).Byte(0);
  aFile.Block("P", "").Group(2).XY(15, 0, 0).Byte(0);
  VexTest_Read aRead(aFile.Data());
  EXPECT_EQ(3, aRead.Status);
  EXPECT_EQ("4 VEX_READER_NO_TOOL 2\n", aRead.Capture.Dump());
  EXPECT_EQ("213", apertures(*aRead.Model));
}

TEST(VexData_ReaderTools, RenamingsAreBoundedAndRepeatedDefinitionsAreFree)
{
  // T 1, T 2 and T 3 take three renamings; the block repeats known definitions for free.
  Builder aFile;
  aFile.Header().Tool(1, 0, 1, "T").Tool(2, 0, 2, "T").Tool(3, 0, 3, "T");
  aFile.Block("P", "").Tool(1, 0, 3, "T").Tool(2, 0, 3, "T").Tool(3, 0, 2, "T").Byte(0);
  for (bool isOneMore : {false, true})
  {
    const std::string aData = aFile.Data() + (isOneMore ? Builder().Tool(4, 0, 4, "T").Data() : "");
    PenFormatData_Model    aModel;
    VexTest_MessageCapture aCapture;
    aModel.SetMessenger(aCapture.Messenger());
    std::istringstream     aStream(aData);
    VexData_Reader::Limits aLimits;
    aLimits.Renamings = 3;
    VexData_Reader aReader(aModel, aLimits);
    EXPECT_EQ(isOneMore ? 3 : 0, aReader.Process(aStream));
    EXPECT_EQ(isOneMore ? "4 VEX_READER_TOO_MANY_TOOL_NAMES 3\n" : "", aCapture.Dump());
    EXPECT_EQ(4, aModel.NbApertures());
  }
}
} // namespace
