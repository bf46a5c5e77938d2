// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace
{
//! Prints the format of every file; 0 when all are machine files, else 1.
int identify(VexHost_Context& theContext, const std::vector<std::string>& theFiles)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  int aStatus = 0;
  for (const std::string& aFile : theFiles)
  {
    const char* aName = theContext.Plugin().Match(aFile);
    std::cout << aFile << ": " << (aName != NULL ? aName : "not a machine file") << "\n";
    aStatus = aName != NULL ? aStatus : VexHost_Plugin::THE_NOT_MACHINE_FILE;
  }
  std::cout.flush();
  return aStatus;
}
} // namespace

void VexHost_Commands::RegisterIdentify(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand =
      theApp.add_subcommand("identify", "Tell for each file whether it is a machine file");
  auto aFiles = std::make_shared<std::vector<std::string>>();
  aCommand->add_option("FILE", *aFiles, "Files to examine")->required();
  aCommand->footer("Exit status: 0 when every file is a machine file, 1 otherwise.");
  theContext.AddCommand(aCommand,
                        [&theContext, aFiles]() { return identify(theContext, *aFiles); });
}
