// Copyright (c) 2026 VexData developers
// The pieces behind the entry points: path conversion, the exception guard, the output file.
#include <VexData_EntryGuard.hxx>
#include <VexData_OutputFile.hxx>
#include <VexData_Path.hxx>
#include <VexTest_Messages.hxx>

#include <Standard_OutOfRange.hxx>

#include <gtest/gtest.h>

#include <fstream>
#include <new>
#include <sstream>

#include <dirent.h>
#include <unistd.h>

namespace
{
TEST(VexData_EntryPathTest, ConvertsUtf16ToUtf8)
{
  struct Case
  {
    std::vector<Standard_ExtCharacter> Units;
    bool                               IsValid;
    std::string                        Utf8;
  };
  const Case aCases[] = {
      {{'a', '/', 'b'}, true, "a/b"},
      {{0xE9}, true, "\xc3\xa9"},
      {{0x20AC}, true, "\xe2\x82\xac"},
      {{0xD83D, 0xDE00}, true, "\xf0\x9f\x98\x80"},
      {{0xD83D}, false, ""},
      {{0xDE00, 'a'}, false, ""},
      {{0xD83D, 'a'}, false, ""},
      {{}, true, ""},
  };
  for (const Case& aCase : aCases)
  {
    std::vector<Standard_ExtCharacter> aPath = aCase.Units;
    aPath.push_back(0);
    std::string aUtf8 = "stale";
    EXPECT_EQ(VexData_Path::ToUtf8(aPath.data(), aUtf8), aCase.IsValid) << aCase.Utf8;
    EXPECT_EQ(aUtf8, aCase.Utf8);
  }
  std::string aUtf8;
  EXPECT_FALSE(VexData_Path::ToUtf8(NULL, aUtf8));
  EXPECT_EQ(VexData_Path::ToMessage(NULL).Length(), 0);
}

TEST(VexData_EntryGuardTest, TurnsEveryExceptionIntoTheFailureCode)
{
  VexTest_MessageCapture aCapture;
  EXPECT_EQ(VexData_EntryGuard::Run([]() { return 7; }, 204, aCapture.Messenger()), 7);
  EXPECT_EQ(VexData_EntryGuard::Run([]() -> Standard_Integer { throw std::bad_alloc(); }, 204,
                                    aCapture.Messenger()),
            204);
  EXPECT_EQ(VexData_EntryGuard::Run([]() -> Standard_Integer
                                    { throw Standard_OutOfRange("index 9"); },
                                    203, aCapture.Messenger()),
            203);
  EXPECT_EQ(VexData_EntryGuard::Run([]() -> Standard_Integer { throw 42; }, 203,
                                    Handle(Message_Messenger)()),
            203);
  EXPECT_EQ(aCapture.Dump(), "4 VEX_INTERNAL_ERROR std::bad_alloc\n4 VEX_INTERNAL_ERROR index 9\n");
}

//! A scratch directory for the output file tests.
class VexData_EntryOutputFileTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char aTemplate[] = "/tmp/vexoutXXXXXX";
    ASSERT_NE(::mkdtemp(aTemplate), nullptr);
    myDir = aTemplate;
  }

  void TearDown() override
  {
    for (const std::string& aName : Names())
    {
      ::unlink((myDir + "/" + aName).c_str());
    }
    ::rmdir(myDir.c_str());
  }

  std::vector<std::string> Names() const
  {
    std::vector<std::string> aNames;
    DIR*                     aDir = ::opendir(myDir.c_str());
    while (dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
    {
      if (std::string(anEntry->d_name) != "." && std::string(anEntry->d_name) != "..")
      {
        aNames.push_back(anEntry->d_name);
      }
    }
    if (aDir != NULL)
    {
      ::closedir(aDir);
    }
    return aNames;
  }

  static std::string Slurp(const std::string& thePath)
  {
    std::ifstream      aFile(thePath, std::ios::binary);
    std::ostringstream aData;
    aData << aFile.rdbuf();
    return aData.str();
  }

  std::string myDir; //!< scratch directory
};

TEST_F(VexData_EntryOutputFileTest, TargetChangesOnlyOnCommit)
{
  const std::string aTarget = myDir + "/t.vex";
  std::ofstream(aTarget) << "old";
  {
    VexData_OutputFile aFile;
    ASSERT_TRUE(aFile.Open(aTarget));
    aFile.Stream() << "new content";
    aFile.Stream().flush();
    EXPECT_EQ(Slurp(aTarget), "old") << "written so far only to " << aFile.TemporaryPath();
    EXPECT_EQ(Names().size(), 2u);
    ASSERT_EQ(aFile.Commit(), VexData_Writer::Ok);
  }
  EXPECT_EQ(Slurp(aTarget), "new content");
  EXPECT_EQ(Names(), std::vector<std::string>{"t.vex"});
}

TEST_F(VexData_EntryOutputFileTest, FailuresLeaveTheTargetAsItWas)
{
  const std::string aTarget = myDir + "/t.vex";
  std::ofstream(aTarget) << "old";
  {
    // The writer stops half way: the output file goes out of scope without a commit.
    VexData_OutputFile aFile;
    ASSERT_TRUE(aFile.Open(aTarget));
    aFile.Stream() << "half";
  }
  {
    // The stream broke down while writing.
    VexData_OutputFile aFile;
    ASSERT_TRUE(aFile.Open(aTarget));
    aFile.Stream() << "broken";
    aFile.Stream().setstate(std::ios::badbit);
    EXPECT_EQ(aFile.Commit(), VexData_Writer::StreamBad);
  }
  EXPECT_EQ(Slurp(aTarget), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"t.vex"});

  VexData_OutputFile aFile;
  EXPECT_FALSE(aFile.Open(myDir + "/missing/t.vex"));
  EXPECT_FALSE(aFile.Open(myDir));
  EXPECT_FALSE(aFile.Open(myDir + "/"));
  EXPECT_EQ(Names(), std::vector<std::string>{"t.vex"});
}

TEST_F(VexData_EntryOutputFileTest, ReplacesTheFileBehindASymbolicLink)
{
  const std::string aTarget = myDir + "/real.vex";
  const std::string aLink   = myDir + "/link.vex";
  std::ofstream(aTarget) << "old";
  ASSERT_EQ(::symlink("real.vex", aLink.c_str()), 0);
  VexData_OutputFile aFile;
  ASSERT_TRUE(aFile.Open(aLink));
  aFile.Stream() << "new";
  ASSERT_EQ(aFile.Commit(), VexData_Writer::Ok);
  char          aBuffer[64];
  const ssize_t aLength = ::readlink(aLink.c_str(), aBuffer, sizeof(aBuffer));
  EXPECT_EQ(std::string(aBuffer, aLength > 0 ? aLength : 0), "real.vex");
  EXPECT_EQ(Slurp(aTarget), "new");
}
} // namespace
