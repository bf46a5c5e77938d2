// Copyright (c) 2026 VexData developers
// from-drill and from-gerber: design files of the PCB world imported into one model, written as
// a machine file (through SETPARAM and WRITEFILE, like every other output) or as a document.
#include <VexHost_Commands.hxx>

#include <VexHost_DesignText.hxx>
#include <VexHost_ModelFile.hxx>
#include <VexHost_ModelOutput.hxx>

#include <VexExcellon_Reader.hxx>
#include <VexGerber_Reader.hxx>

#include <CLI/CLI.hpp>
#include <Message_Msg.hxx>

#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

namespace
{
//! What from-drill or from-gerber was given on the command line.
struct ImportOptions
{
  VexHost_ModelFile::Kind  Kind = VexHost_ModelFile::Kind_Unknown; //!< what the files must be
  std::vector<std::string> Inputs;                                 //!< design files, in order
  std::string              Output;                                 //!< file to write
  std::string              Phase;          //!< phase of every object; empty: the reader's
  std::string              Layer;          //!< layer of every object; empty: each file's stem
  std::string              Unit;           //!< "mm", "inch" or empty: the reader's default
  std::vector<std::string> Params;         //!< export parameters, in order
  bool                     IsJson = false; //!< write the model document
};

//! Returns the UTF-8 text theText as one byte per character, as the model's names are kept; a
//! character beyond U+00FF becomes '?' (a machine file could not hold it either).
TCollection_AsciiString oneBytePerCharacter(const std::string& theText)
{
  const TCollection_ExtendedString aWide(theText.c_str(), Standard_True);
  std::string                      aBytes;
  for (Standard_Integer anIndex = 1; anIndex <= aWide.Length(); ++anIndex)
  {
    const Standard_ExtCharacter aChar = aWide.Value(anIndex);
    aBytes += aChar <= 0xFF ? static_cast<char>(aChar) : '?';
  }
  return TCollection_AsciiString(aBytes.c_str());
}

//! Returns theKind with its article, for the message that refuses a file ("a Gerber file").
const char* withArticle(const VexHost_ModelFile::Kind theKind)
{
  switch (theKind)
  {
  case VexHost_ModelFile::Kind_MachineFile:
    return "a machine file";
  case VexHost_ModelFile::Kind_Document:
    return "a model document";
  case VexHost_ModelFile::Kind_Excellon:
    return "an Excellon drill file";
  case VexHost_ModelFile::Kind_Gerber:
    return "a Gerber file";
  case VexHost_ModelFile::Kind_Unknown:
    break;
  }
  return "no file vex reads";
}

//! Returns the import options of thePath: the command's phase and unit, its layer or the stem.
VexPcb_ImportOptions fileOptions(const ImportOptions& theOptions, const std::string& thePath)
{
  VexPcb_ImportOptions anOptions;
  anOptions.Phase = oneBytePerCharacter(theOptions.Phase);
  anOptions.Layer = oneBytePerCharacter(
      theOptions.Layer.empty() ? std::filesystem::path(thePath).stem().string() : theOptions.Layer);
  anOptions.DefaultUnit = theOptions.Unit == "mm"     ? VexPcb_ImportOptions::Unit_Millimetre
                          : theOptions.Unit == "inch" ? VexPcb_ImportOptions::Unit_Inch
                                                      : VexPcb_ImportOptions::Unit_Unknown;
  return anOptions;
}

//! Imports thePath into theModel and appends its summary to theSummary. Returns 0, or the exit
//! status of bad input with the reason sent.
int importFile(const VexHost_Context& theContext, const ImportOptions& theOptions,
               const std::string& thePath, PenFormatData_Model& theModel, std::ostream& theSummary)
{
  const VexHost_ModelFile::Kind aKind = VexHost_ModelFile::Identify(theContext, thePath);
  if (aKind != theOptions.Kind && std::filesystem::exists(thePath))
  {
    Message_Msg aMsg("VEX_HOST_NOT_DESIGN_FILE");
    aMsg.Arg(TCollection_ExtendedString(thePath.c_str(), Standard_True));
    aMsg.Arg(withArticle(theOptions.Kind));
    aMsg.Arg(withArticle(aKind));
    theContext.Messenger()->Send(aMsg.Get(), Message_Fail);
    return VexHost_Context::THE_USAGE_ERROR;
  }
  const VexPcb_ImportOptions anOptions = fileOptions(theOptions, thePath);
  VexPcb_TransferReport      aReport;
  if (const int aStatus = VexHost_ModelFile::Import(theContext, thePath, theOptions.Kind, anOptions,
                                                    theModel, aReport))
  {
    return aStatus;
  }
  const char* aPhase = !theOptions.Phase.empty() ? theOptions.Phase.c_str()
                       : theOptions.Kind == VexHost_ModelFile::Kind_Excellon
                           ? VexExcellon_Reader::THE_PHASE
                           : VexGerber_Reader::THE_DEFAULT_PHASE;
  theSummary << thePath << " (" << VexHost_ModelFile::KindName(theOptions.Kind) << "), phase \""
             << aPhase << "\", layer \""
             << (theOptions.Layer.empty() ? anOptions.Layer.ToCString() : theOptions.Layer.c_str())
             << "\"\n";
  VexHost_DesignText::PrintCounts(aReport, "  ", theSummary);
  return 0;
}

//! Imports every file into one model; writes it only once all of them were read.
int importDesigns(VexHost_Context& theContext, const ImportOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  theContext.KeepUntilExit(aModel);
  std::ostringstream aSummary;
  for (const std::string& aPath : theOptions.Inputs)
  {
    if (const int aStatus = importFile(theContext, theOptions, aPath, *aModel, aSummary))
    {
      return aStatus;
    }
  }
  std::cerr << aSummary.str();
  return theOptions.IsJson ? VexHost_ModelOutput::WriteDocument(theContext, theOptions.Output,
                                                                theOptions.Params, aModel)
                           : VexHost_ModelOutput::WriteMachineFile(theContext, theOptions.Output,
                                                                   theOptions.Params, aModel);
}

//! Declares the command theName importing files of theKind.
void registerImport(CLI::App& theApp, VexHost_Context& theContext, const char* theName,
                    const VexHost_ModelFile::Kind theKind, const std::string& theDescription,
                    const std::string& theDefaults)
{
  CLI::App* aCommand  = theApp.add_subcommand(theName, theDescription);
  auto      anOptions = std::make_shared<ImportOptions>();
  anOptions->Kind     = theKind;
  aCommand->add_option("FILE", anOptions->Inputs, "Design files, imported into one model in order")
      ->required();
  aCommand->add_option("-o,--output", anOptions->Output, "Machine file (or document) to write")
      ->required();
  aCommand->add_option("--phase", anOptions->Phase, "Phase of everything imported" + theDefaults);
  aCommand->add_option("--layer", anOptions->Layer,
                       "Layer of everything imported (default: each file's name without its "
                       "extension)");
  aCommand
      ->add_option("--unit", anOptions->Unit,
                   "Unit of the files that do not state theirs: mm or inch (default inch)")
      ->check(CLI::IsMember({"mm", "inch"}));
  aCommand
      ->add_option("--param", anOptions->Params,
                   "Export parameter handed to SETPARAM (or kept in the document); may be "
                   "repeated")
      ->allow_extra_args(false);
  aCommand->add_flag("--json", anOptions->IsJson,
                     "Write the model as a JSON document instead of a machine file");
  aCommand->footer("What each file gave, and what the machine file leaves out, goes to standard "
                   "error. Exit status 2 when a file is not of this kind or has a fault (named "
                   "with its line); nothing is written then.");
  theContext.AddCommand(aCommand, [&theContext, anOptions]()
                        { return importDesigns(theContext, *anOptions); });
}
} // namespace

void VexHost_Commands::RegisterFromDrill(CLI::App& theApp, VexHost_Context& theContext)
{
  registerImport(theApp, theContext, "from-drill", VexHost_ModelFile::Kind_Excellon,
                 "Import Excellon drill files as a drilling job (holes per tool as point "
                 "toolpaths, slots and routes as paths) and write it as a machine file",
                 " (default Drilling)");
}

void VexHost_Commands::RegisterFromGerber(CLI::App& theApp, VexHost_Context& theContext)
{
  registerImport(theApp, theContext, "from-gerber", VexHost_ModelFile::Kind_Gerber,
                 "Import Gerber artwork (draws with round apertures as path toolpaths, their "
                 "flashes as point toolpaths, everything else kept as artwork) and write it as a "
                 "machine file",
                 " (default Milling)");
}
