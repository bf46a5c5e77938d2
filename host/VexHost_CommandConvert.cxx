// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace
{
//! What convert was given on the command line.
struct ConvertOptions
{
  std::string              Input;  //!< machine file to read
  std::string              Output; //!< machine file to write
  std::vector<std::string> Params; //!< export parameters, in order
};

//! Reads the input, hands the parameters to the plug-in and writes the output.
int convert(VexHost_Context& theContext, const ConvertOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  Standard_Integer aCode =
      theContext.Plugin().Read(theOptions.Input, theContext.Messenger(), aModel);
  if (aCode != 0)
  {
    return VexHost_Plugin::ExitStatus(aCode);
  }
  theContext.KeepUntilExit(aModel);
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  for (const std::string& aParam : theOptions.Params)
  {
    aParams.Append(TCollection_ExtendedString(aParam.c_str(), Standard_True));
  }
  theContext.Plugin().SetParameters(aParams);
  NCollection_List<Handle(PenFormatData_Object)> anUnWritable;
  aCode =
      theContext.Plugin().Write(theOptions.Output, aModel, theContext.Messenger(), anUnWritable);
  if (aCode != 0)
  {
    return VexHost_Plugin::ExitStatus(aCode);
  }
  std::cout << "Wrote " << theOptions.Output << " (" << anUnWritable.Extent()
            << (anUnWritable.Extent() == 1 ? " object" : " objects") << " left out: not toolpaths)"
            << std::endl;
  return 0;
}
} // namespace

void VexHost_Commands::RegisterConvert(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "convert", "Read a machine file and write it again as the plug-in writes files, with "
                 "export parameters (scan-field switch, tool mapping)");
  auto anOptions = std::make_shared<ConvertOptions>();
  aCommand->add_option("IN", anOptions->Input, "Machine file to read")->required();
  aCommand->add_option("OUT", anOptions->Output, "Machine file to write")->required();
  aCommand
      ->add_option("--param", anOptions->Params,
                   "Export parameter, e.g. 'export.scanfield:0' or a 'vex.map:' mapping; "
                   "may be repeated")
      ->allow_extra_args(false);
  aCommand->footer("OUT is replaced only when the whole file was written; on failure an "
                   "existing OUT keeps its content.");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions]() { return convert(theContext, *anOptions); });
}
