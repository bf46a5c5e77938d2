// Copyright (c) 2026 VexData developers
#include <VexHost_Context.hxx>

#include <VexHost_Printer.hxx>

#include <CLI/CLI.hpp>
#include <Message_MsgFile.hxx>
#include <Message_Printer.hxx>

#include <cctype>
#include <cstdio>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
// GCC names AddressSanitizer with a macro, clang 14 only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define VEXHOST_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEXHOST_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(VEXHOST_ADDRESS_SANITIZER)
//! A build with AddressSanitizer frees its models at exit, so that the leak check sees them.
const bool THE_LEAKS_CHECKED = true;
#else
//! A build without AddressSanitizer leaves its models to the end of the process.
const bool THE_LEAKS_CHECKED = false;
#endif

//! Where the catalogue lies below vex's directory or below the install prefix.
const char THE_CATALOGUE_SUBPATH[] = "/share/vexdata/VexData.msg";

//! The plug-in's file name.
const char THE_PLUGIN_NAME[] = "libVexData.so";

//! Environment variable that names the catalogue.
const char THE_CATALOGUE_VARIABLE[] = "VEXDATA_CATALOGUE";

//! True when thePath names an existing regular file.
bool isFile(const std::string& thePath)
{
  struct stat aStat;
  return ::stat(thePath.c_str(), &aStat) == 0 && S_ISREG(aStat.st_mode);
}

//! Returns the argument placeholders of a catalogue text: "%d", "%.17g" for reals, "%s".
std::string placeholders(const std::string& theText)
{
  std::string aResult;
  for (size_t aPos = 0; aPos + 1 < theText.size(); ++aPos)
  {
    if (theText[aPos] != '%')
    {
      continue;
    }
    const char aType = theText[++aPos];
    if (aType == 'd' || aType == 's')
    {
      aResult += std::string(" %") + aType;
    }
    else if (aType == 'f')
    {
      aResult += " %.17g";
    }
  }
  return aResult;
}
} // namespace

VexHost_Context::VexHost_Context()
    : myMessenger(new Message_Messenger()), myMessageKeys(Standard_False),
      isPrepared(Standard_False), isReady(Standard_False)
{
  myMessenger->RemovePrinters(STANDARD_TYPE(Message_Printer));
  myMessenger->AddPrinter(new VexHost_Printer(std::cerr));
}

void VexHost_Context::AddGlobalOptions(CLI::App& theApp)
{
  theApp.add_option("--plugin", myPluginPath,
                    "Plug-in library to load (default: libVexData.so beside vex)");
  theApp.add_option("--catalogue", myCataloguePath,
                    "Message catalogue to load (default: $VEXDATA_CATALOGUE, then "
                    "share/vexdata/VexData.msg beside vex or in its install prefix)");
  theApp.add_flag("--message-keys", myMessageKeys,
                  "Print messages as '<Gravity>: <KEY> <arg> ...' instead of their texts");
}

void VexHost_Context::AddCommand(CLI::App* theCommand, const Runner& theRunner)
{
  myCommands.emplace_back(theCommand, theRunner);
}

int VexHost_Context::Run()
{
  for (const std::pair<CLI::App*, Runner>& aCommand : myCommands)
  {
    if (aCommand.first->parsed())
    {
      return aCommand.second();
    }
  }
  return THE_USAGE_ERROR;
}

void VexHost_Context::KeepUntilExit(const Handle(Standard_Transient) & theObject) const
{
  if (!theObject.IsNull())
  {
    myKept.Append(theObject);
  }
}

void VexHost_Context::ExitNow(const int theStatus) const
{
  if (myKept.IsEmpty() || THE_LEAKS_CHECKED)
  {
    return;
  }
  std::cout.flush();
  std::cerr.flush();
  std::fflush(NULL);
  std::_Exit(theStatus);
}

Standard_Boolean VexHost_Context::Prepare()
{
  if (isPrepared)
  {
    return isReady;
  }
  isPrepared = Standard_True;
  isReady    = loadCatalogue() && myPlugin.Load(findPlugin(), myMessenger);
  return isReady;
}

Standard_Boolean VexHost_Context::loadCatalogue()
{
  const std::string aFile = findCatalogue();
  if (aFile.empty())
  {
    std::cerr << "Warning: no message catalogue found (use --catalogue or "
              << THE_CATALOGUE_VARIABLE << "); messages show their keys only" << std::endl;
    return Standard_True;
  }
  const Standard_Boolean isLoaded =
      myMessageKeys ? RegisterKeyTexts(aFile) : Message_MsgFile::LoadFile(aFile.c_str());
  if (!isLoaded)
  {
    std::cerr << "Fail: cannot read the message catalogue " << aFile << std::endl;
  }
  return isLoaded;
}

std::string VexHost_Context::findCatalogue() const
{
  if (!myCataloguePath.empty())
  {
    return myCataloguePath;
  }
  const char* aVariable = std::getenv(THE_CATALOGUE_VARIABLE);
  if (aVariable != NULL && aVariable[0] != '\0')
  {
    return aVariable;
  }
  const std::string aDir = ExecutableDirectory();
  for (const std::string& aCandidate :
       {aDir + THE_CATALOGUE_SUBPATH, aDir + "/.." + THE_CATALOGUE_SUBPATH})
  {
    if (isFile(aCandidate))
    {
      return aCandidate;
    }
  }
  return std::string();
}

std::string VexHost_Context::findPlugin() const
{
  if (!myPluginPath.empty())
  {
    return myPluginPath;
  }
  const std::string aDir        = ExecutableDirectory();
  const std::string aBeside     = aDir + "/" + THE_PLUGIN_NAME;
  const std::string anInstalled = aDir + "/../lib/" + THE_PLUGIN_NAME;
  return !isFile(aBeside) && isFile(anInstalled) ? anInstalled : aBeside;
}

std::string VexHost_Context::ExecutableDirectory()
{
  char          aBuffer[PATH_MAX];
  const ssize_t aLength = ::readlink("/proc/self/exe", aBuffer, sizeof(aBuffer) - 1);
  if (aLength <= 0)
  {
    return std::string(".");
  }
  const std::string aPath(aBuffer, static_cast<size_t>(aLength));
  const size_t      aSlash = aPath.rfind('/');
  return aSlash == std::string::npos ? std::string(".") : aPath.substr(0, aSlash);
}

Standard_Boolean VexHost_Context::RegisterKeyTexts(const std::string& theFile)
{
  std::ifstream aFile(theFile);
  if (!aFile.is_open())
  {
    return Standard_False;
  }
  std::vector<std::pair<std::string, std::string>> aKeys;
  std::string                                      aLine;
  while (std::getline(aFile, aLine))
  {
    while (!aLine.empty() && std::isspace(static_cast<unsigned char>(aLine.back())))
    {
      aLine.pop_back();
    }
    if (!aLine.empty() && aLine[0] == '.')
    {
      aKeys.emplace_back(aLine.substr(1), aLine.substr(1));
    }
    else if (!aLine.empty() && aLine[0] != '!' && !aKeys.empty())
    {
      aKeys.back().second += placeholders(aLine);
    }
  }
  for (const std::pair<std::string, std::string>& aKey : aKeys)
  {
    Message_MsgFile::AddMsg(aKey.first.c_str(), TCollection_ExtendedString(aKey.second.c_str()));
  }
  return Standard_True;
}
