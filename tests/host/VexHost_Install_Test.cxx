// Copyright (c) 2026 VexData developers
// Installation: "cmake --install" of this build into a scratch prefix, vex run from there with
// nothing but its own layout to find the plug-in and the catalogue, and a small program built
// against the prefix with find_package(VexData).
#include <gtest/gtest.h>

#ifdef VEX_HOST_PATH

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace
{
//! Runs theCommand in a shell; returns its exit status (-1 when it did not exit).
int run(const std::string& theCommand)
{
  const int aRaw = std::system(theCommand.c_str());
  return WIFEXITED(aRaw) ? WEXITSTATUS(aRaw) : -1;
}

//! Returns the content of thePath.
std::string slurp(const std::string& thePath)
{
  std::ifstream aFile(thePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
}

//! Returns the names of the headers installed in theDir, sorted.
std::vector<std::string> headersIn(const std::string& theDir)
{
  std::vector<std::string> aNames;
  if (DIR* aDir = ::opendir(theDir.c_str()))
  {
    while (const dirent* anEntry = ::readdir(aDir))
    {
      const std::string aName = anEntry->d_name;
      if (aName.size() > 4 && aName.compare(aName.size() - 4, 4, ".hxx") == 0)
      {
        aNames.push_back(aName);
      }
    }
    ::closedir(aDir);
  }
  std::sort(aNames.begin(), aNames.end());
  return aNames;
}

//! Returns "#include <NAME>" for every header of theNames.
std::string includesOf(const std::vector<std::string>& theNames)
{
  std::string aText;
  for (const std::string& aName : theNames)
  {
    aText += "#include <" + aName + ">\n";
  }
  return aText;
}

//! The consumer's project: the plug-in found as a package, its headers and its catalogue.
const char THE_PROJECT[] = R"(cmake_minimum_required(VERSION 3.22)
project(Consumer LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(VexData 1 REQUIRED CONFIG)
add_executable(consumer consumer.cxx)
target_link_libraries(consumer PRIVATE VexData::VexData VexData::PenFormatData)
target_compile_definitions(consumer PRIVATE CATALOGUE="${VexData_CATALOGUE}")
)";

//! The consumer's program: reads a file with the exported reader and writes it back with the
//! exported writer.
const char THE_PROGRAM[] = R"(
#include <fstream>
#include <iostream>
#include <sstream>
int main(int, char** theArgv)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  std::ifstream  anInput(theArgv[1], std::ios::binary);
  VexData_Reader aReader(*aModel);
  const int      aStatus = aReader.Process(anInput);
  std::ostringstream anOutput;
  VexData_Writer     aWriter(*aModel);
  std::cout << "status " << aStatus << ", " << aModel->Objects().Extent() << " objects, "
            << "written with status " << aWriter.Process(anOutput) << ", "
            << (std::ifstream(CATALOGUE).good() ? "catalogue" : "no catalogue") << "\n";
  return aStatus;
}
)";

//! The plug-in's headers a host uses; the reader's and writer's internals are not installed.
const char* const THE_PUBLIC_HEADERS[] = {
    "VexData.hxx",        "VexData_Macro.hxx",       "VexData_ReadStatus.hxx",
    "VexData_Reader.hxx", "VexData_WriteStatus.hxx", "VexData_Writer.hxx"};
} // namespace

TEST(VexHost_Install, InstalledToolsAndPackageWorkFromThePrefix)
{
  if (run("cmake --version >/dev/null 2>&1") != 0)
  {
    GTEST_SKIP() << "cmake is not on the PATH";
  }
  const std::string aPlugin     = VEX_PLUGIN_PATH;
  const std::string aBuild      = aPlugin.substr(0, aPlugin.rfind('/'));
  char              aTemplate[] = "/tmp/vexinstallXXXXXX";
  ASSERT_NE(::mkdtemp(aTemplate), nullptr);
  const std::string aDir    = aTemplate;
  const std::string aPrefix = aDir + "/prefix";
  ASSERT_EQ(run("cmake --install '" + aBuild + "' --prefix '" + aPrefix + "' >'" + aDir +
                "/install.log' 2>&1"),
            0)
      << slurp(aDir + "/install.log");

  // vex finds the plug-in in ../lib and the catalogue in ../share/vexdata: the failure of a cut
  // file prints the catalogue's text, not the key.
  const std::string aCut = aDir + "/cut.vex";
  std::ofstream(aCut, std::ios::binary)
      << slurp(std::string(VEX_SOURCE_DIR) + "/samples/drills.vex").substr(0, 0xb2);
  EXPECT_EQ(run("env -u VEXDATA_CATALOGUE '" + aPrefix + "/bin/vex' info '" + aCut + "' 2>'" +
                aDir + "/info.err' >/dev/null"),
            206);
  EXPECT_EQ(slurp(aDir + "/info.err"), "Fail: A coordinate or size of the machine file could not "
                                       "be read; the file is truncated or unreadable.\n");

  // The public headers of the plug-in and those of the model library, nothing else.
  const std::vector<std::string> aHeaders = headersIn(aPrefix + "/include/vexdata");
  std::vector<std::string>       aPluginHeaders;
  for (const std::string& aName : aHeaders)
  {
    if (aName.compare(0, 13, "PenFormatData") != 0 && aName.compare(0, 6, "PhGeom") != 0)
    {
      aPluginHeaders.push_back(aName);
    }
  }
  EXPECT_EQ(aPluginHeaders,
            std::vector<std::string>(std::begin(THE_PUBLIC_HEADERS), std::end(THE_PUBLIC_HEADERS)));

  // A program built against the prefix alone, including every installed header.
  const std::string aSource = aDir + "/consumer";
  ASSERT_EQ(::mkdir(aSource.c_str(), 0755), 0);
  std::ofstream(aSource + "/CMakeLists.txt") << THE_PROJECT;
  std::ofstream(aSource + "/consumer.cxx") << includesOf(aHeaders) << THE_PROGRAM;
#ifdef __SANITIZE_ADDRESS__
  const std::string aFlags = " -DCMAKE_CXX_FLAGS='-fsanitize=address,undefined'";
#else
  const std::string aFlags;
#endif
  ASSERT_EQ(run("cmake -S '" + aSource + "' -B '" + aSource + "/build' -DCMAKE_PREFIX_PATH='" +
                aPrefix + "'" + aFlags + " >'" + aDir + "/consumer.log' 2>&1 && cmake --build '" +
                aSource + "/build' >>'" + aDir + "/consumer.log' 2>&1"),
            0)
      << slurp(aDir + "/consumer.log");
  EXPECT_EQ(run("'" + aSource + "/build/consumer' '" + VEX_SOURCE_DIR + "/samples/drills.vex' >'" +
                aDir + "/consumer.out'"),
            0);
  EXPECT_EQ(slurp(aDir + "/consumer.out"),
            "status 0, 3 objects, written with status 0, catalogue\n");
  run("rm -rf '" + aDir + "'");
}

#endif
