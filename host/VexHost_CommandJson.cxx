// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <VexDocument_Json.hxx>
#include <VexHost_Output.hxx>

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace
{
//! What to-json was given on the command line.
struct ToJsonOptions
{
  std::string Input;  //!< machine file to read
  std::string Output; //!< document to write; empty: standard output
};

//! What from-json was given on the command line.
struct FromJsonOptions
{
  std::string              Input;  //!< model document to read
  std::string              Output; //!< machine file to write
  std::vector<std::string> Params; //!< export parameters added to the document's, in order
};

//! Reads a machine file and writes its model as a document.
int toJson(VexHost_Context& theContext, const ToJsonOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  const Standard_Integer aCode =
      theContext.Plugin().Read(theOptions.Input, theContext.Messenger(), aModel);
  if (aCode != 0)
  {
    return VexHost_Plugin::ExitStatus(aCode);
  }
  theContext.KeepUntilExit(aModel);
  const NCollection_Sequence<TCollection_ExtendedString> aNoParams;
  return VexHost_Output::Write(
      theOptions.Output,
      [&aModel, &aNoParams](std::ostream& theStream, TCollection_AsciiString& theError)
      { return VexDocument_Json::Write(aModel, aNoParams, theStream, theError); },
      theContext.Messenger());
}

//! Builds the model of a document and writes it through the plug-in, with the document's export
//! parameters followed by those of the command line. A document that cannot be used stops the
//! command before anything is written.
int fromJson(VexHost_Context& theContext, const FromJsonOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  TCollection_AsciiString                          anError;
  if (!VexDocument_Json::ReadFile(theOptions.Input, aModel, aParams, anError,
                                  theContext.Messenger()))
  {
    return VexHost_Context::THE_USAGE_ERROR;
  }
  theContext.KeepUntilExit(aModel);
  for (const std::string& aParam : theOptions.Params)
  {
    aParams.Append(TCollection_ExtendedString(aParam.c_str(), Standard_True));
  }
  // The writer reports through the model's sink: a model built here has none of its own.
  aModel->SetMessenger(theContext.Messenger());
  theContext.Plugin().SetParameters(aParams);
  NCollection_List<Handle(PenFormatData_Object)> anUnWritable;
  const Standard_Integer                         aCode =
      theContext.Plugin().Write(theOptions.Output, aModel, theContext.Messenger(), anUnWritable);
  if (aCode != 0)
  {
    return VexHost_Plugin::ExitStatus(aCode);
  }
  const Standard_Integer aLeftOut = anUnWritable.Extent();
  std::cout << "Wrote " << theOptions.Output << " (" << aLeftOut
            << (aLeftOut == 1 ? " object" : " objects") << " left out: not toolpaths)" << std::endl;
  return 0;
}
} // namespace

void VexHost_Commands::RegisterToJson(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "to-json", "Read a machine file and print its model as a JSON document");
  auto anOptions = std::make_shared<ToJsonOptions>();
  aCommand->add_option("FILE", anOptions->Input, "Machine file to read")->required();
  aCommand->add_option("-o,--output", anOptions->Output,
                       "Document to write instead of printing it; replaced only when complete");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions]() { return toJson(theContext, *anOptions); });
}

void VexHost_Commands::RegisterFromJson(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "from-json", "Build a model from a JSON document and write it as a machine file");
  auto anOptions = std::make_shared<FromJsonOptions>();
  aCommand->add_option("MODEL", anOptions->Input, "JSON document of the model")->required();
  aCommand->add_option("OUT", anOptions->Output, "Machine file to write")->required();
  aCommand
      ->add_option("--param", anOptions->Params,
                   "Export parameter added after the document's \"params\"; may be repeated")
      ->allow_extra_args(false);
  aCommand->footer("A document that cannot be used (malformed, or a value of the wrong type) "
                   "gives exit status 2 with the JSON pointer of the fault; nothing is written.");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions]() { return fromJson(theContext, *anOptions); });
}
