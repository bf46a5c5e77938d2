// Copyright (c) 2026 VexData developers
// Every message key that the plug-in or vex can send has a text in the catalogue.
#include <VexTest_Messages.hxx>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include <dirent.h>

namespace
{
//! Returns every "VEX_..." string literal of the C++ sources in theFolder, with where it is.
std::map<std::string, std::string> keysUsedIn(const std::string& theFolder)
{
  std::map<std::string, std::string> aKeys;
  const std::regex                   aLiteral("\"(VEX_[A-Z0-9_]+)\"");
  DIR* aDir = ::opendir((std::string(VEX_SOURCE_DIR) + "/" + theFolder).c_str());
  while (dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
  {
    const std::string aName = anEntry->d_name;
    if (aName.size() < 4 ||
        (aName.substr(aName.size() - 4) != ".cxx" && aName.substr(aName.size() - 4) != ".hxx"))
    {
      continue;
    }
    std::ifstream      aFile(std::string(VEX_SOURCE_DIR) + "/" + theFolder + "/" + aName);
    std::ostringstream aText;
    aText << aFile.rdbuf();
    const std::string aSource = aText.str();
    for (std::sregex_iterator anIt(aSource.begin(), aSource.end(), aLiteral), anEnd; anIt != anEnd;
         ++anIt)
    {
      aKeys[(*anIt)[1]] = theFolder + "/" + aName;
    }
  }
  if (aDir != NULL)
  {
    ::closedir(aDir);
  }
  return aKeys;
}

TEST(VexData_EntryCatalogueTest, EveryKeySentHasAText)
{
  std::set<std::string> aCatalogue;
  for (const auto& aKey : VexTest_MessageCapture::CatalogueKeys())
  {
    EXPECT_TRUE(aCatalogue.insert(aKey.first).second) << "twice in the catalogue: " << aKey.first;
  }
  size_t aCount = 0;
  for (const char* aFolder : {"format", "reader", "writer", "entry", "host"})
  {
    for (const auto& aKey : keysUsedIn(aFolder))
    {
      ++aCount;
      EXPECT_EQ(aCatalogue.count(aKey.first), 1u)
          << aKey.first << " (" << aKey.second << ") has no text";
    }
  }
  EXPECT_GE(aCount, 6u) << "the sources were not found";
}

TEST(VexData_EntryCatalogueTest, TextsHaveTheArgumentsTheKeysAreSentWith)
{
  // The keys whose arguments the entry points and the host fix themselves.
  const std::map<std::string, std::string> anExpected = {
      {"VEX_NULL_MODEL", ""},          {"VEX_NULL_FILE_NAME", ""},
      {"VEX_CANT_OPEN_FILE", "s"},     {"VEX_INTERNAL_ERROR", "s"},
      {"VEX_WRITER_WRITING_FAIL", ""}, {"VEX_HOST_NOT_MACHINE_FILE", "s"},
      {"VEX_HOST_PLUGIN_LOAD", "s"},   {"VEX_HOST_PLUGIN_SYMBOL", "ss"},
  };
  std::map<std::string, std::string> aCatalogue;
  for (const auto& aKey : VexTest_MessageCapture::CatalogueKeys())
  {
    aCatalogue[aKey.first] = aKey.second;
  }
  for (const auto& aKey : anExpected)
  {
    ASSERT_EQ(aCatalogue.count(aKey.first), 1u) << aKey.first;
    EXPECT_EQ(aCatalogue[aKey.first], aKey.second) << aKey.first;
  }
}
} // namespace
