// Copyright (c) 2026 VexData developers
// vex: the machine-file plug-in driven from the command line, as the CAM host drives it.
#include <VexHost_Commands.hxx>

#include <CLI/CLI.hpp>
#include <Standard_Failure.hxx>

#include <iostream>

int main(int theArgc, char** theArgv)
{
  CLI::App anApp("vex: identify, inspect, check and rewrite machine files with the machine-file "
                 "plug-in");
  VexHost_Context aContext;
  aContext.AddGlobalOptions(anApp);
  VexHost_Commands::RegisterIdentify(anApp, aContext);
  VexHost_Commands::RegisterInfo(anApp, aContext);
  VexHost_Commands::RegisterCheck(anApp, aContext);
  VexHost_Commands::RegisterConvert(anApp, aContext);
  VexHost_Commands::RegisterToJson(anApp, aContext);
  VexHost_Commands::RegisterFromJson(anApp, aContext);
  VexHost_Commands::RegisterRender(anApp, aContext);
  VexHost_Commands::RegisterDump(anApp, aContext);
  VexHost_Commands::RegisterVerify(anApp, aContext);
  VexHost_Commands::RegisterFromDrill(anApp, aContext);
  VexHost_Commands::RegisterFromGerber(anApp, aContext);
  VexHost_Commands::RegisterToGerber(anApp, aContext);
  VexHost_Commands::RegisterToExcellon(anApp, aContext);
  VexHost_Commands::RegisterJob(anApp, aContext);
  anApp.require_subcommand(1);
  anApp.footer("Exit status: 0 success, 1 not a machine file, 2 usage error, 3 plug-in not "
               "loaded, 201-207 the plug-in's read or write failure, 255 no model.");
  try
  {
    anApp.parse(theArgc, theArgv);
  }
  catch (const CLI::ParseError& theError)
  {
    const int aStatus = anApp.exit(theError);
    return aStatus == 0 ? 0 : VexHost_Context::THE_USAGE_ERROR;
  }
  try
  {
    const int aStatus = aContext.Run();
    aContext.ExitNow(aStatus);
    return aStatus;
  }
  catch (const Standard_Failure& theFailure)
  {
    std::cerr << "Fail: " << theFailure.GetMessageString() << std::endl;
  }
  catch (const std::exception& theException)
  {
    std::cerr << "Fail: " << theException.what() << std::endl;
  }
  return 1;
}
