// Copyright (c) 2026 VexData developers
// to-gerber and to-excellon: a job (or any model vex reads) written in the formats PCB people
// check with their own viewers.
#include <VexHost_Commands.hxx>

#include <VexHost_DesignText.hxx>
#include <VexHost_ModelFile.hxx>
#include <VexHost_Output.hxx>

#include <VexExcellon_Writer.hxx>
#include <VexGerber_Writer.hxx>

#include <CLI/CLI.hpp>
#include <Message_Msg.hxx>

#include <functional>
#include <iostream>
#include <memory>

namespace
{
//! What to-gerber or to-excellon was given on the command line.
struct ExportOptions
{
  std::string Input;  //!< the job: any file vex reads
  std::string Output; //!< file to write
  std::string Phase;  //!< only this phase; empty: every one
  std::string Layer;  //!< only this layer; empty: every one
};

//! Writes a model to a stream with a design-file writer, counting into the report; false on a
//! fault, which the report then holds.
typedef std::function<Standard_Boolean(const PenFormatData_Model&, std::ostream&,
                                       VexPcb_TransferReport&)>
    Writer;

//! Returns the text of theReport's fault without its final full stop, to go inside a sentence.
TCollection_AsciiString faultText(const VexPcb_TransferReport& theReport)
{
  Message_Msg             aFault(theReport.Fault());
  TCollection_AsciiString aText(aFault.Get(), '?');
  while (!aText.IsEmpty() && aText.Value(aText.Length()) == '.')
  {
    aText.Trunc(aText.Length() - 1);
  }
  return aText;
}

//! Loads the job and writes it with theWriter; the counts go to standard error.
int exportModel(VexHost_Context& theContext, const ExportOptions& theOptions,
                const Writer& theWriter)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel;
  if (VexHost_ModelFile::Load(theContext, theOptions.Input, aModel) != 0)
  {
    return VexHost_Context::THE_USAGE_ERROR;
  }
  VexPcb_TransferReport aCounts;
  bool                  isContentFault = false;
  const int             aStatus        = VexHost_Output::Write(
                         theOptions.Output,
                         [&](std::ostream& theStream, TCollection_AsciiString& theError)
                         {
        if (theWriter(*aModel, theStream, aCounts))
        {
          return Standard_True;
        }
        // A model the format cannot hold is bad input; a stream that fails is not.
        isContentFault = theStream.good();
        theError       = faultText(aCounts);
        return Standard_False;
      },
                         theContext.Messenger());
  if (aStatus != 0)
  {
    return isContentFault ? VexHost_Context::THE_USAGE_ERROR : aStatus;
  }
  VexHost_DesignText::PrintWritten(aCounts, std::cerr);
  if (theOptions.Output != "-")
  {
    std::cout << "Wrote " << theOptions.Output << std::endl;
  }
  return 0;
}

//! Returns the writer of one design format (the class WriterClass with its WriterOptions)
//! limited to the phase and layer of theOptions.
template <class WriterClass, class WriterOptions> Writer writerOf(const ExportOptions& theOptions)
{
  WriterOptions anOptions;
  anOptions.Phase = theOptions.Phase.c_str();
  anOptions.Layer = theOptions.Layer.c_str();
  return [anOptions](const PenFormatData_Model& theModel, std::ostream& theStream,
                     VexPcb_TransferReport& theCounts)
  { return WriterClass::Write(theModel, anOptions, theStream, theCounts); };
}

//! Declares the command theName writing with theWriter (made from the options once parsed).
void registerExport(CLI::App& theApp, VexHost_Context& theContext, const char* theName,
                    const std::string&                                 theDescription,
                    const std::function<Writer(const ExportOptions&)>& theMaker)
{
  CLI::App* aCommand  = theApp.add_subcommand(theName, theDescription);
  auto      anOptions = std::make_shared<ExportOptions>();
  aCommand->add_option("JOB", anOptions->Input, "The job: any file vex reads")->required();
  aCommand
      ->add_option("-o,--output", anOptions->Output,
                   "File to write (- for standard output); replaced only when complete")
      ->required();
  aCommand->add_option("--phase", anOptions->Phase, "Write only the objects of this phase");
  aCommand->add_option("--layer", anOptions->Layer, "Write only the objects of this layer");
  aCommand->footer("What was written and what was left out goes to standard error. Exit status "
                   "2 when JOB cannot be read or holds what the format cannot.");
  theContext.AddCommand(aCommand, [&theContext, anOptions, theMaker]()
                        { return exportModel(theContext, *anOptions, theMaker(*anOptions)); });
}
} // namespace

void VexHost_Commands::RegisterToGerber(CLI::App& theApp, VexHost_Context& theContext)
{
  registerExport(
      theApp, theContext, "to-gerber",
      "Write a job as Gerber artwork in millimetres: paths as draws and arcs of one round "
      "aperture per tool, drill hits as flashes, design artwork as regions",
      &writerOf<VexGerber_Writer, VexGerber_WriterOptions>);
}

void VexHost_Commands::RegisterToExcellon(CLI::App& theApp, VexHost_Context& theContext)
{
  registerExport(
      theApp, theContext, "to-excellon",
      "Write the drill hits of a job as an Excellon drill file in millimetres, one tool per "
      "aperture",
      &writerOf<VexExcellon_Writer, VexExcellon_WriterOptions>);
}
