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
//! Returns every "VEX_..." string literal of the C++ sources (.cxx, .hxx, .lxx) in theFolder, with
//! where it is.
std::map<std::string, std::string> keysUsedIn(const std::string& theFolder)
{
  std::map<std::string, std::string> aKeys;
  const std::regex                   aLiteral("\"(VEX_[A-Z0-9_]+)\"");
  DIR* aDir = ::opendir((std::string(VEX_SOURCE_DIR) + "/" + theFolder).c_str());
  while (dirent* anEntry = aDir != NULL ? ::readdir(aDir) : NULL)
  {
    const std::string aName = anEntry->d_name;
    const std::string anExtension =
        aName.size() < 4 ? std::string() : aName.substr(aName.size() - 4);
    if (anExtension != ".cxx" && anExtension != ".hxx" && anExtension != ".lxx")
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

//! The folders whose sources send catalogue messages: the plug-in, vex, and the libraries of
//! design files vex uses.
const char* const THE_SENDERS[] = {"format", "reader", "writer", "entry", "host",    "excellon",
                                   "geom",   "gerber", "verify", "job",   "document"};

TEST(VexData_EntryCatalogueTest, EveryKeySentHasATextAndEveryTextIsSent)
{
  std::set<std::string> aCatalogue;
  for (const auto& aKey : VexTest_MessageCapture::CatalogueKeys())
  {
    EXPECT_TRUE(aCatalogue.insert(aKey.first).second) << "twice in the catalogue: " << aKey.first;
  }
  std::map<std::string, std::string> aSent;
  for (const char* aFolder : THE_SENDERS)
  {
    const std::map<std::string, std::string> aKeys = keysUsedIn(aFolder);
    EXPECT_FALSE(aKeys.empty()) << aFolder << ": no key found; the sources were not found";
    aSent.insert(aKeys.begin(), aKeys.end());
  }
  for (const auto& aKey : aSent)
  {
    EXPECT_EQ(aCatalogue.count(aKey.first), 1u)
        << aKey.first << " (" << aKey.second << ") has no text";
  }
  for (const std::string& aKey : aCatalogue)
  {
    EXPECT_EQ(aSent.count(aKey), 1u) << aKey << " has a text but no source sends it";
  }
}

TEST(VexData_EntryCatalogueTest, TextsHaveTheArgumentsTheKeysAreSentWith)
{
  // The keys whose arguments the entry points and the host fix themselves.
  const std::map<std::string, std::string> anExpected = {
      {"VEX_NULL_MODEL", ""},          {"VEX_NULL_FILE_NAME", ""},
      {"VEX_CANT_OPEN_FILE", "s"},     {"VEX_INTERNAL_ERROR", "s"},
      {"VEX_WRITER_WRITING_FAIL", ""}, {"VEX_HOST_NOT_MACHINE_FILE", "s"},
      {"VEX_HOST_PLUGIN_LOAD", "s"},   {"VEX_HOST_PLUGIN_SYMBOL", "ss"},
      {"VEX_HOST_JSON_INVALID", "ss"}, {"VEX_HOST_OUTPUT_FAIL", "ss"},
      {"VEX_HOST_DESIGN_FAULT", "ss"}, {"VEX_HOST_NOT_DESIGN_FILE", "sss"},
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
