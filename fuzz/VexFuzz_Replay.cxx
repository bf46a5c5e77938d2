// Copyright (c) 2026 VexData developers
// Runs a fuzz target without libFuzzer: every file named on the command line, and every regular
// file of every folder named there (sorted by name), is handed to LLVMFuzzerTestOneInput once.
// A finding aborts the process, so the exit status tells whether all inputs passed. The last
// lines give the number of inputs and the slowest one.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize);
extern "C" int LLVMFuzzerInitialize(int* theArgc, char*** theArgv);

namespace
{
//! Appends thePath, or the regular files of the folder thePath, to theFiles.
bool collect(const std::filesystem::path& thePath, std::vector<std::filesystem::path>& theFiles)
{
  std::error_code anError;
  if (std::filesystem::is_directory(thePath, anError))
  {
    std::vector<std::filesystem::path> aFound;
    for (const auto& anEntry : std::filesystem::directory_iterator(thePath, anError))
    {
      if (anEntry.is_regular_file())
      {
        aFound.push_back(anEntry.path());
      }
    }
    std::sort(aFound.begin(), aFound.end());
    theFiles.insert(theFiles.end(), aFound.begin(), aFound.end());
    return !anError;
  }
  if (std::filesystem::is_regular_file(thePath, anError))
  {
    theFiles.push_back(thePath);
    return true;
  }
  return false;
}

//! Returns the bytes of thePath.
std::string contentOf(const std::filesystem::path& thePath)
{
  std::ifstream aFile(thePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(aFile), std::istreambuf_iterator<char>());
}
} // namespace

int main(int theArgc, char** theArgv)
{
  std::vector<std::filesystem::path> aFiles;
  for (int anArg = 1; anArg < theArgc; ++anArg)
  {
    if (!collect(theArgv[anArg], aFiles))
    {
      std::fprintf(stderr, "not a file or folder: %s\n", theArgv[anArg]);
      return 2;
    }
  }
  LLVMFuzzerInitialize(&theArgc, &theArgv);
  double      aSlowest = 0.0;
  std::string aSlowestName;
  for (const std::filesystem::path& aFile : aFiles)
  {
    const std::string aData  = contentOf(aFile);
    const auto        aStart = std::chrono::steady_clock::now();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(aData.data()), aData.size());
    const double aMillis =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - aStart)
            .count();
    if (aMillis >= aSlowest)
    {
      aSlowest     = aMillis;
      aSlowestName = aFile.string();
    }
  }
  std::printf("replayed %zu inputs\n", aFiles.size());
  std::printf("slowest %.1f ms %s\n", aSlowest, aSlowestName.c_str());
  return 0;
}
