// Copyright (c) 2026 VexData developers
// job: the job of a board made from its design files (copper sides, drill files, outline) with
// the machine's tools, written as a machine file through the plug-in or as a model document.
#include <VexHost_Commands.hxx>

#include <VexHost_ModelFile.hxx>
#include <VexHost_ModelOutput.hxx>

#include <VexJob_Maker.hxx>
#include <VexJob_ModelMaker.hxx>
#include <VexJob_Summary.hxx>

#include <VexGeom_Drawing.hxx>

#include <CLI/CLI.hpp>
#include <Message_Msg.hxx>

#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

namespace
{
//! Exit status of a job written with places not machined as designed.
const int THE_INCOMPLETE = 1;

//! What job was given on the command line.
struct JobOptions
{
  std::string              Top;            //!< top copper
  std::string              Bottom;         //!< bottom copper
  std::vector<std::string> Drills;         //!< drill files
  std::string              Outline;        //!< board outline
  std::string              Tools;          //!< tool library; empty: the built-in one
  std::string              Output;         //!< file to write
  std::vector<std::string> Params;         //!< export parameters
  bool                     IsJson = false; //!< write the model document
  VexJob_Options           Job;            //!< how the job is made
};

//! Sends theFault as a failure and returns the exit status of bad input.
int refuse(const VexHost_Context& theContext, Message_Msg theFault)
{
  theContext.Messenger()->Send(theFault.Get(), Message_Fail);
  return VexHost_Context::THE_USAGE_ERROR;
}

//! Loads thePath into theDesign. Returns 0 or the exit status of bad input, reported.
int loadDesign(const VexHost_Context& theContext, const std::string& thePath,
               VexJob_Maker::Design& theDesign)
{
  theDesign.Name = thePath;
  if (VexHost_ModelFile::Load(theContext, thePath, theDesign.Model) != 0)
  {
    return VexHost_Context::THE_USAGE_ERROR;
  }
  if (!VexGeom_Drawing::IsUsable(*theDesign.Model))
  {
    Message_Msg aMsg("VEX_JOB_OUT_OF_RANGE");
    aMsg << thePath.c_str();
    return refuse(theContext, aMsg);
  }
  return 0;
}

//! Reads the tool library of theOptions into theLibrary. Returns 0 or the exit status.
int loadTools(const VexHost_Context& theContext, const JobOptions& theOptions,
              VexJob_ToolLibrary& theLibrary)
{
  if (theOptions.Tools.empty())
  {
    theLibrary = VexJob_ToolLibrary::Default();
    return 0;
  }
  std::ifstream aFile(theOptions.Tools, std::ios::binary);
  if (!aFile)
  {
    Message_Msg aMsg("VEX_CANT_OPEN_FILE");
    aMsg << theOptions.Tools.c_str();
    return refuse(theContext, aMsg);
  }
  std::ostringstream aText;
  aText << aFile.rdbuf();
  std::string anError;
  if (!VexJob_ToolLibrary::Parse(aText.str(), theLibrary, anError))
  {
    Message_Msg aMsg("VEX_JOB_TOOLS_FAULT");
    aMsg << theOptions.Tools.c_str() << anError.c_str();
    return refuse(theContext, aMsg);
  }
  return 0;
}

//! Loads every design into theMaker. Returns 0 or the exit status of bad input.
int loadDesigns(const VexHost_Context& theContext, const JobOptions& theOptions,
                VexJob_Maker& theMaker)
{
  typedef void (VexJob_Maker::*Setter)(const VexJob_Maker::Design&);
  std::vector<std::pair<std::string, Setter>> aDesigns = {
      {theOptions.Top, &VexJob_Maker::SetTop},
      {theOptions.Bottom, &VexJob_Maker::SetBottom},
      {theOptions.Outline, &VexJob_Maker::SetOutline}};
  for (const std::string& aPath : theOptions.Drills)
  {
    aDesigns.emplace_back(aPath, &VexJob_Maker::AddDrill);
  }
  for (const auto& anEntry : aDesigns)
  {
    VexJob_Maker::Design aDesign;
    if (anEntry.first.empty())
    {
      continue;
    }
    if (const int aStatus = loadDesign(theContext, anEntry.first, aDesign))
    {
      return aStatus;
    }
    (theMaker.*anEntry.second)(aDesign);
  }
  return 0;
}

//! Makes the job and writes it; nothing is written on bad input.
int makeJob(VexHost_Context& theContext, const JobOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  if (theOptions.Top.empty() && theOptions.Bottom.empty() && theOptions.Drills.empty() &&
      theOptions.Outline.empty())
  {
    return refuse(theContext, Message_Msg("VEX_JOB_NO_INPUT"));
  }
  VexJob_ToolLibrary aLibrary;
  if (const int aStatus = loadTools(theContext, theOptions, aLibrary))
  {
    return aStatus;
  }
  VexJob_Maker aMaker(aLibrary, theOptions.Job, theContext.Messenger());
  Message_Msg  aFault;
  if (!aMaker.Prepare(aFault))
  {
    return refuse(theContext, aFault);
  }
  if (const int aStatus = loadDesigns(theContext, theOptions, aMaker))
  {
    return aStatus;
  }
  aMaker.Make();
  VexJob_Summary::Print(aMaker, std::cerr);
  const Handle(PenFormatData_Model) aModel = VexJob_ModelMaker::Make(aMaker.Toolpaths());
  theContext.KeepUntilExit(aModel);
  const int aStatus = theOptions.IsJson
                          ? VexHost_ModelOutput::WriteDocument(theContext, theOptions.Output,
                                                               theOptions.Params, aModel)
                          : VexHost_ModelOutput::WriteMachineFile(theContext, theOptions.Output,
                                                                  theOptions.Params, aModel);
  return aStatus != 0 ? aStatus : aMaker.Report().NbProblems() > 0 ? THE_INCOMPLETE : 0;
}

//! Declares the options of the tools, isolation and cut-out on theCommand.
void addMachiningOptions(CLI::App* theCommand, JobOptions& theOptions)
{
  VexJob_Options& aJob = theOptions.Job;
  theCommand->add_option("--tools", theOptions.Tools,
                         "Tool library (JSON); default: the built-in table");
  theCommand->add_option("--isolation-tool", aJob.IsolationTool,
                         "Isolation cutter by name (default: the narrowest)");
  theCommand->add_option("--contour-tool", aJob.ContourTool,
                         "End mill of the cut-out by name (default: the widest up to 2 mm)");
  theCommand->add_option("--passes", aJob.Passes, "Isolation rings beyond the first (default 0)");
  theCommand->add_option("--overlap", aJob.Overlap,
                         "Share of the cutter's width rings overlap by (default 0.15)");
  theCommand->add_option("--clearance", aJob.Clearance,
                         "Isolate until at least this many mm around every feature");
  theCommand->add_option("--drill-tolerance", aJob.DrillTolerance,
                         "A drill may be this much (mm) smaller than its hole (default 0.05)");
  theCommand->add_option("--tabs", aJob.Tabs, "Breakout tabs on each outer contour (default 0)");
  theCommand->add_option("--tab-width", aJob.TabWidth, "Width of a tab in mm (default 1)");
  theCommand->add_flag("--climb", aJob.IsClimb,
                       "Climb milling (default conventional: the copper or board on the "
                       "cutter's left)");
  theCommand->add_option("--mirror-x", aJob.MirrorX,
                         "Turn the board over about the vertical line at this x (default: the "
                         "centre of the outline)");
}
} // namespace

void VexHost_Commands::RegisterJob(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "job", "Make the job of a board from its design files with the machine's tools: drilling, "
             "isolation of each copper side, the cut-out; write it as a machine file");
  auto anOptions = std::make_shared<JobOptions>();
  aCommand->add_option("--top", anOptions->Top, "Top copper layer (Gerber)");
  aCommand->add_option("--bottom", anOptions->Bottom,
                       "Bottom copper layer (Gerber, as seen from the top)");
  aCommand->add_option("--drill", anOptions->Drills, "Drill file (Excellon); may be repeated")
      ->allow_extra_args(false);
  aCommand->add_option("--outline", anOptions->Outline,
                       "Board outline (Gerber profile or drill-file routes)");
  aCommand->add_option("-o,--output", anOptions->Output, "Machine file (or document) to write")
      ->required();
  aCommand->add_flag("--json", anOptions->IsJson,
                     "Write the model as a JSON document instead of a machine file");
  aCommand->add_option("--param", anOptions->Params, "Export parameter handed to SETPARAM")
      ->allow_extra_args(false);
  addMachiningOptions(aCommand, *anOptions);
  aCommand->footer("A summary per phase goes to standard error. Exit status 0 when the job is "
                   "complete, 1 when it was written but places could not be machined as "
                   "designed (each named), 2 on bad input (nothing is written).");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions, aCommand]()
                        {
                          anOptions->Job.HasMirrorX = aCommand->count("--mirror-x") > 0;
                          return makeJob(theContext, *anOptions);
                        });
}
