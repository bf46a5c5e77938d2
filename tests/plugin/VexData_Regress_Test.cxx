// Copyright (c) 2026 VexData developers
// Replays every committed fuzz finding (fuzz/regress/) and checks the status it must give. A
// finding is named <target>-s<status>-<what>.<ext>:
// - reader-…: a machine file that the reader must end with that status;
// - roundtrip-…: a machine file that reads with that status; when it is 0, the model must write
//   with 0 or 2, a written file must read back with status 0, and the model read back must
//   write and read back again;
// - params-…: export parameters and model instructions (fuzz/VexFuzz_ModelScript.hxx) that the
//   writer must end with that status.
// The fuzz targets themselves replay the same files with all their checks (CTest VexFuzz.*).
#include <VexFuzz_Harness.hxx>
#include <VexFuzz_ModelScript.hxx>

#include <VexData_Reader.hxx>
#include <VexData_Writer.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace
{
//! Folder of the findings.
const std::string THE_REGRESS = std::string(VEX_SOURCE_DIR) + "/fuzz/regress";

//! One committed finding.
struct Finding
{
  std::string Name;   //!< file name
  std::string Target; //!< reader, roundtrip or params
  int         Status; //!< status it must give
  std::string Bytes;  //!< content
};

//! Returns every finding of the folder, sorted by name; files that do not follow the naming
//! rule are returned with an empty target so that the test reports them.
std::vector<Finding> findings()
{
  std::vector<Finding> aResult;
  const std::regex     aRule("(reader|roundtrip|params)-s([0-9])-.+");
  DIR*                 aDir = ::opendir(THE_REGRESS.c_str());
  while (const dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
  {
    Finding aFinding = {anEntry->d_name, "", -1, ""};
    if (aFinding.Name[0] == '.' || aFinding.Name.compare(0, 6, "README") == 0)
    {
      continue;
    }
    std::smatch aMatch;
    if (std::regex_match(aFinding.Name, aMatch, aRule))
    {
      aFinding.Target = aMatch[1];
      aFinding.Status = std::stoi(aMatch[2]);
    }
    std::ifstream aFile(THE_REGRESS + "/" + aFinding.Name, std::ios::binary);
    aFinding.Bytes.assign(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
    aResult.push_back(aFinding);
  }
  if (aDir != NULL)
  {
    ::closedir(aDir);
  }
  std::sort(aResult.begin(), aResult.end(),
            [](const Finding& theA, const Finding& theB) { return theA.Name < theB.Name; });
  return aResult;
}

//! Checks a machine-file finding; for a round-trip one that reads, also the write and read-back.
void checkFile(const Finding& theFinding)
{
  const VexFuzz_Harness::Read aRead = VexFuzz_Harness::ReadFile(theFinding.Bytes, false);
  ASSERT_EQ(aRead.Status, theFinding.Status) << aRead.Log->Text;
  if (theFinding.Target != "roundtrip" || aRead.Status != VexData_Reader::Ok)
  {
    return;
  }
  Handle(PenFormatData_Model) aModel = aRead.Model;
  for (int aRound = 1; aRound <= 2; ++aRound)
  {
    std::string aBytes;
    const int   aWrite = VexFuzz_Harness::WriteFile(
          *aModel, NCollection_Sequence<TCollection_ExtendedString>(), aBytes);
    if (aRound == 1 && aWrite == VexData_Writer::InvalidModel)
    {
      return;
    }
    ASSERT_EQ(aWrite, VexData_Writer::Ok) << "round " << aRound;
    const VexFuzz_Harness::Read aBack = VexFuzz_Harness::ReadFile(aBytes, false);
    ASSERT_EQ(aBack.Status, VexData_Reader::Ok) << "round " << aRound << aBack.Log->Text;
    aModel = aBack.Model;
  }
}

//! Checks a parameter finding: the writer's status.
void checkParams(const Finding& theFinding)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  VexFuzz_ModelScript::Build(theFinding.Bytes, *aModel, aParams);
  std::string aBytes;
  EXPECT_EQ(VexFuzz_Harness::WriteFile(*aModel, aParams, aBytes), theFinding.Status);
}

TEST(VexData_RegressTest, EveryCommittedFindingGivesItsStatus)
{
  for (const Finding& aFinding : findings())
  {
    SCOPED_TRACE(aFinding.Name);
    ASSERT_FALSE(aFinding.Target.empty())
        << "not named <reader|roundtrip|params>-s<status>-<what>: " << aFinding.Name;
    if (aFinding.Target == "params")
    {
      checkParams(aFinding);
    }
    else
    {
      checkFile(aFinding);
    }
  }
}
} // namespace
