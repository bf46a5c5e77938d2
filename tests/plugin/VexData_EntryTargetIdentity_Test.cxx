// Copyright (c) 2026 VexData developers
// WRITEFILE keeps the target the same file where replacing it through a temporary file could
// not: a target with other hard links and a writable target in a directory the user may not
// write are written in place; a replaced target keeps its owner and group. The cases that need
// another user run in a child process as "nobody" when the tests run as root.
#include <VexData_WriterFixture_Test.hxx>
#include <VexTest_Messages.hxx>

#include <VexData.hxx>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace VexTest;

namespace
{
//! A writable model of one drill toolpath.
Handle(PenFormatData_Model) smallModel()
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  AddTool(*aModel, 1, "T1", 0.2);
  AddContour(*aModel, AddToolpath(*aModel, 1, 2))->CreatePoint(gp_XY(1, 2));
  return aModel;
}

//! The bytes the writer gives for theModel.
std::string bytesOf(const PenFormatData_Model& theModel)
{
  VexData_Writer::Status aStatus;
  return Write(theModel, aStatus);
}

//! Writes theModel with WRITEFILE and no parameters; returns the code.
int writeFile(const std::string& thePath, const PenFormatData_Model& theModel)
{
  SETPARAM(Handle(TColStd_HSequenceOfExtendedString)());
  return WRITEFILE(TCollection_ExtendedString(thePath.c_str()).ToExtString(), &theModel,
                   Handle(Message_Messenger)(), NULL);
}

//! Returns the content of thePath.
std::string contentOf(const std::string& thePath)
{
  std::ifstream aFile(thePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
}

//! Returns the status of thePath (zeros when it does not exist).
struct stat statusOf(const std::string& thePath)
{
  struct stat aStat = {};
  ::stat(thePath.c_str(), &aStat);
  return aStat;
}

//! The user "nobody", or null.
const passwd* nobody()
{
  return ::getpwnam("nobody");
}

class VexData_EntryTargetIdentityTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char aTemplate[] = "/tmp/vexident.XXXXXX";
    ASSERT_NE(::mkdtemp(aTemplate), nullptr);
    myDir = aTemplate;
  }

  void TearDown() override
  {
    ::chmod(myDir.c_str(), 0700);
    DIR* aDir = ::opendir(myDir.c_str());
    while (const dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
    {
      const std::string aName = anEntry->d_name;
      if (aName != "." && aName != "..")
      {
        ::unlink((myDir + "/" + aName).c_str());
      }
    }
    if (aDir != NULL)
    {
      ::closedir(aDir);
    }
    ::rmdir(myDir.c_str());
  }

  //! Returns the number of entries of the scratch directory.
  int NbEntries() const
  {
    int  aCount = 0;
    DIR* aDir   = ::opendir(myDir.c_str());
    while (const dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
    {
      aCount += std::string(anEntry->d_name) != "." && std::string(anEntry->d_name) != "..";
    }
    if (aDir != NULL)
    {
      ::closedir(aDir);
    }
    return aCount;
  }

  std::string myDir; //!< scratch directory
};

TEST_F(VexData_EntryTargetIdentityTest, OnlyLinkedTargetIsReplacedOtherLinksAreWrittenInPlace)
{
  const Handle(PenFormatData_Model) aModel = smallModel();
  const std::string aFile                  = bytesOf(*aModel);
  const std::string aSingle = myDir + "/single.vex", aTarget = myDir + "/board.vex";
  const std::string aLink = myDir + "/other-name.vex";
  std::ofstream(aSingle) << "OLD";
  std::ofstream(aTarget) << "OLD";
  ASSERT_EQ(::link(aTarget.c_str(), aLink.c_str()), 0);

  // A file of one link is replaced by a new one, written aside and renamed.
  const ino_t aSingleInode = statusOf(aSingle).st_ino;
  ASSERT_EQ(writeFile(aSingle, *aModel), 0);
  EXPECT_EQ(contentOf(aSingle), aFile);
  EXPECT_NE(statusOf(aSingle).st_ino, aSingleInode);

  // A file of two links stays that file: both names see the new content.
  const ino_t anInode = statusOf(aTarget).st_ino;
  ASSERT_EQ(writeFile(aTarget, *aModel), 0);
  EXPECT_EQ(contentOf(aTarget), aFile);
  EXPECT_EQ(contentOf(aLink), aFile);
  EXPECT_EQ(statusOf(aTarget).st_ino, anInode);
  EXPECT_EQ(statusOf(aTarget).st_nlink, 2u);
  EXPECT_EQ(NbEntries(), 3);

  // Written in place, a failed write leaves what was written before the failure: here nothing,
  // since the model is refused before its first byte.
  Handle(PenFormatData_Model) aBad = smallModel();
  AddToolpath(*aBad, 7, 2);
  EXPECT_EQ(writeFile(aTarget, *aBad), 202);
  EXPECT_EQ(contentOf(aLink), "");
  EXPECT_EQ(NbEntries(), 3);
}

TEST_F(VexData_EntryTargetIdentityTest, ReplacedTargetKeepsOwnerGroupAndMode)
{
  const passwd* aNobody = nobody();
  if (::geteuid() != 0 || aNobody == NULL)
  {
    GTEST_SKIP() << "needs root and a user nobody to own a file of another user";
  }
  const Handle(PenFormatData_Model) aModel = smallModel();
  const std::string aTarget                = myDir + "/board.vex";
  std::ofstream(aTarget) << "OLD";
  ASSERT_EQ(::chown(aTarget.c_str(), aNobody->pw_uid, aNobody->pw_gid), 0);
  ASSERT_EQ(::chmod(aTarget.c_str(), 0604), 0);
  const ino_t anInode = statusOf(aTarget).st_ino;
  ASSERT_EQ(writeFile(aTarget, *aModel), 0);
  const struct stat aStat = statusOf(aTarget);
  EXPECT_NE(aStat.st_ino, anInode) << "replaced through a temporary file";
  EXPECT_EQ(aStat.st_uid, aNobody->pw_uid);
  EXPECT_EQ(aStat.st_gid, aNobody->pw_gid);
  EXPECT_EQ(aStat.st_mode & 07777, 0604u);
  EXPECT_EQ(contentOf(aTarget), bytesOf(*aModel));
}

TEST_F(VexData_EntryTargetIdentityTest, WritableTargetInADirectoryTheUserMayNotWrite)
{
  // The temporary file cannot be created beside the target: the target is written in place.
  const Handle(PenFormatData_Model) aModel = smallModel();
  const std::string aTarget                = myDir + "/board.vex";
  const std::string aNew                   = myDir + "/new.vex";
  std::ofstream(aTarget) << "OLD";
  ASSERT_EQ(::chmod(aTarget.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(myDir.c_str(), 0555), 0);
  int aCodes[2] = {-2, -2}; // the target, then a file that does not exist yet
  if (::geteuid() != 0)
  {
    aCodes[0] = writeFile(aTarget, *aModel);
    aCodes[1] = writeFile(aNew, *aModel);
  }
  else
  {
    const passwd* aNobody = nobody();
    if (aNobody == NULL)
    {
      GTEST_SKIP() << "running as root without a user nobody to drop to";
    }
    for (int anIndex = 0; anIndex < 2; ++anIndex)
    {
      const pid_t aChild = ::fork();
      ASSERT_GE(aChild, 0);
      if (aChild == 0)
      {
        const bool isDropped = ::setgid(aNobody->pw_gid) == 0 && ::setuid(aNobody->pw_uid) == 0;
        ::_exit(isDropped ? writeFile(anIndex == 0 ? aTarget : aNew, *aModel) & 0xFF : 99);
      }
      int aStatus = 0;
      ASSERT_EQ(::waitpid(aChild, &aStatus, 0), aChild);
      ASSERT_TRUE(WIFEXITED(aStatus));
      aCodes[anIndex] = WEXITSTATUS(aStatus);
    }
  }
  ::chmod(myDir.c_str(), 0700);
  EXPECT_EQ(aCodes[0], 0);
  EXPECT_EQ(contentOf(aTarget), bytesOf(*aModel));
  EXPECT_EQ(aCodes[1], 201) << "a new file cannot be created there at all";
  EXPECT_EQ(NbEntries(), 1);
}
} // namespace
