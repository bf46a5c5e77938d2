// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <VexHost_Dump.hxx>

#include <VexData_Message.hxx>

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <memory>

namespace
{
//! Lists theFile record by record on standard output; returns the reader's status for it.
int dump(VexHost_Context& theContext, const std::string& theFile)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  std::ifstream anInput(theFile, std::ios::binary);
  if (!anInput.is_open())
  {
    // The reader's status stays "not done" when its file does not open.
    VexData_Message::Send(theContext.Messenger(), "VEX_CANT_OPEN_FILE",
                          TCollection_ExtendedString(theFile.c_str(), Standard_True));
    return VexData_Reader::NotDone;
  }
  VexHost_Dump                 aDump(std::cout, theContext.Messenger());
  const VexData_Reader::Status aStatus = aDump.Process(anInput);
  std::cout.flush();
  return aStatus;
}
} // namespace

void VexHost_Commands::RegisterDump(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "dump", "List a machine file record by record: byte offset (hexadecimal), tag, record "
              "name and values, indented by nesting. On a fault the last line gives its offset "
              "and what was expected there; the exit status is then the reader's status (2 "
              "format, 3 content, 4-5 input, 6 end of file, 7 string too long; 1 the file does "
              "not open)");
  auto aFile = std::make_shared<std::string>();
  aCommand->add_option("FILE", *aFile, "Machine file to list")->required();
  theContext.AddCommand(aCommand, [&theContext, aFile]() { return dump(theContext, *aFile); });
}
