// Copyright (c) 2026 VexData developers
#ifndef _VexTest_VexRun_HeaderFile
#define _VexTest_VexRun_HeaderFile

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

//! What one run of vex gave.
struct VexTest_VexOutcome
{
  int         Status; //!< exit status (-1 when vex did not exit)
  std::string Out;    //!< standard output
  std::string Err;    //!< standard error
};

//! Tests that run the vex program: a scratch folder of their own, removed afterwards, files
//! made in it, and runs of vex with their exit status and both output streams.
class VexTest_VexRun : public ::testing::Test
{
protected:
  //! Takes a fresh scratch folder.
  void SetUp() override
  {
    char aTemplate[] = "/tmp/vextestXXXXXX";
    ASSERT_NE(::mkdtemp(aTemplate), nullptr);
    myDir = aTemplate;
  }

  //! Removes the scratch folder and everything in it.
  void TearDown() override { std::system(("rm -rf '" + myDir + "'").c_str()); }

  //! Writes theBytes to theName in the scratch folder; returns its path.
  std::string MakeFile(const std::string& theName, const std::string& theBytes)
  {
    const std::string aPath = myDir + "/" + theName;
    std::ofstream(aPath, std::ios::binary) << theBytes;
    return aPath;
  }

  //! Returns the content of thePath ("" when it does not exist).
  static std::string Slurp(const std::string& thePath)
  {
    std::ifstream      aFile(thePath, std::ios::binary);
    std::ostringstream aData;
    aData << aFile.rdbuf();
    return aData.str();
  }

  //! Runs vex with theArgs (each quoted for the shell) after the environment prefix theEnv;
  //! with myMessageKeys, messages are printed as their keys and arguments.
  VexTest_VexOutcome Vex(const std::vector<std::string>& theArgs, const std::string& theEnv = "")
  {
    std::string aCommand = theEnv + " '" + VEX_HOST_PATH + "'";
    if (myMessageKeys)
    {
      aCommand += " --message-keys";
    }
    for (const std::string& anArg : theArgs)
    {
      aCommand += " '" + anArg + "'";
    }
    aCommand += " >'" + myDir + "/.out' 2>'" + myDir + "/.err' </dev/null";
    const int aRaw = std::system(aCommand.c_str());
    return VexTest_VexOutcome{WIFEXITED(aRaw) ? WEXITSTATUS(aRaw) : -1, Slurp(myDir + "/.out"),
                              Slurp(myDir + "/.err")};
  }

  std::string myDir;                 //!< scratch folder
  bool        myMessageKeys = false; //!< vex prints message keys instead of texts
};

#endif
