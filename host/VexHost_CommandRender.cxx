// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <VexHost_ModelFile.hxx>
#include <VexHost_Output.hxx>
#include <VexHost_Svg.hxx>

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <memory>

namespace
{
//! What render was given on the command line.
struct RenderOptions
{
  std::string Input;  //!< machine file or model document
  std::string Output; //!< picture to write
};

//! Reads the machine file or document and writes its picture.
int render(VexHost_Context& theContext, const RenderOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  if (const int aLoaded = VexHost_ModelFile::Load(theContext, theOptions.Input, aModel))
  {
    return aLoaded;
  }
  const int aStatus = VexHost_Output::Write(
      theOptions.Output,
      [&aModel](std::ostream& theStream, TCollection_AsciiString& theError)
      { return VexHost_Svg::Write(aModel, theStream, theError); },
      theContext.Messenger());
  if (aStatus == 0 && theOptions.Output != "-")
  {
    std::cout << "Wrote " << theOptions.Output << std::endl;
  }
  return aStatus;
}
} // namespace

void VexHost_Commands::RegisterRender(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "render", "Draw a machine file or a JSON model document as an SVG picture");
  auto anOptions = std::make_shared<RenderOptions>();
  aCommand->add_option("FILE", anOptions->Input, "Machine file, or JSON document of a model")
      ->required();
  aCommand
      ->add_option("-o,--output", anOptions->Output, "SVG file to write (- for standard output)")
      ->required();
  aCommand->footer("Toolpaths are stroked at their tool's width, drill hits are discs of the "
                   "tool's diameter, scan fields are dashed; the legend lists every tool.");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions]() { return render(theContext, *anOptions); });
}
