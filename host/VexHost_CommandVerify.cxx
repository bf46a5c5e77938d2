// Copyright (c) 2026 VexData developers
#include <VexHost_Commands.hxx>

#include <VexHost_ModelFile.hxx>
#include <VexHost_Output.hxx>

#include <VexVerify_ReportWriter.hxx>
#include <VexVerify_Verifier.hxx>

#include <CLI/CLI.hpp>
#include <Message_Msg.hxx>

#include <memory>

namespace
{
//! Exit status when the check found something.
const int THE_FOUND = 1;

//! What verify was given on the command line.
struct VerifyOptions
{
  std::string              Job;              //!< the job: machine file or model document
  std::vector<std::string> Designs;          //!< "[ROLE:]FILE" of every design
  double                   Tolerance = 0.01; //!< millimetres
  double OutlineGap     = VexVerify_Board::DefaultGap(); //!< widest gap closed in an outline
  double DrillTolerance = VexVerify_Verifier::DefaultDrillTolerance(); //!< of hole diameters
  std::vector<std::string> Phases;              //!< phases of the paths checked
  std::vector<std::string> Layers;              //!< layers of the paths checked
  bool                     IsJson      = false; //!< write the report as JSON
  bool                     IsUnbridged = false; //!< no search for bridges between islands
  int                      Limit       = 100;   //!< findings listed per check, 0 all
  std::string              Output;              //!< where the report goes; empty: standard output
};

//! Sends theFault as a failure and returns the exit status of bad input.
int refuse(const VexHost_Context& theContext, const Message_Msg& theFault)
{
  theContext.Messenger()->Send(Message_Msg(theFault).Get(), Message_Fail);
  return VexHost_Context::THE_USAGE_ERROR;
}

//! Returns theNames as a sequence.
NCollection_Sequence<TCollection_AsciiString> sequence(const std::vector<std::string>& theNames)
{
  NCollection_Sequence<TCollection_AsciiString> aSequence;
  for (const std::string& aName : theNames)
  {
    aSequence.Append(aName.c_str());
  }
  return aSequence;
}

//! Reads every design named on the command line, with its role given or chosen from its content.
//! Returns 0, or the exit status of bad input with the reason reported.
int loadDesigns(const VexHost_Context& theContext, const VerifyOptions& theOptions,
                NCollection_Sequence<VexVerify_Design>& theDesigns)
{
  for (const std::string& anArgument : theOptions.Designs)
  {
    VexVerify_Design::Role  aRole   = VexVerify_Design::Role_Copper;
    Standard_Boolean        isGiven = Standard_False;
    TCollection_AsciiString aPath;
    Message_Msg             aFault;
    if (!VexVerify_Design::ParseArgument(anArgument.c_str(), aRole, isGiven, aPath, aFault))
    {
      return refuse(theContext, aFault);
    }
    // The nets a copper file names tell a short from a harmless join of one net.
    Handle(PenFormatData_Model) aModel;
    VexPcb_TransferReport        anImport;
    std::shared_ptr<VexPcb_Nets> aNets = std::make_shared<VexPcb_Nets>();
    if (VexHost_ModelFile::Load(theContext, aPath.ToCString(), VexPcb_ImportOptions(), aModel,
                                anImport, aNets.get()) != 0)
    {
      return VexHost_Context::THE_USAGE_ERROR;
    }
    TCollection_AsciiString aReason;
    if (!isGiven)
    {
      aRole = VexVerify_Design::ChooseRole(*aModel, aReason);
    }
    theDesigns.Append(VexVerify_Design(aPath, aModel, aRole, isGiven, aReason));
    theDesigns.ChangeLast().SetNets(aNets);
  }
  return 0;
}

//! Loads the job and its designs, checks and writes the report.
int verify(VexHost_Context& theContext, const VerifyOptions& theOptions)
{
  if (!theContext.Prepare())
  {
    return VexHost_Context::THE_SETUP_FAILED;
  }
  if (!VexVerify_Verifier::IsTolerance(theOptions.Tolerance))
  {
    Message_Msg aFault("VEX_VERIFY_BAD_TOLERANCE");
    aFault << theOptions.Tolerance;
    return refuse(theContext, aFault);
  }
  if (!VexVerify_Verifier::IsDrillTolerance(theOptions.DrillTolerance))
  {
    Message_Msg aFault("VEX_VERIFY_BAD_DRILL_TOLERANCE");
    aFault << theOptions.DrillTolerance;
    return refuse(theContext, aFault);
  }
  if (!VexVerify_Verifier::IsOutlineGap(theOptions.OutlineGap))
  {
    Message_Msg aFault("VEX_VERIFY_BAD_OUTLINE_GAP");
    aFault << theOptions.OutlineGap;
    return refuse(theContext, aFault);
  }
  NCollection_Sequence<VexVerify_Design> aDesigns;
  Handle(PenFormatData_Model) aJob;
  if (const int aStatus = loadDesigns(theContext, theOptions, aDesigns))
  {
    return aStatus;
  }
  if (VexHost_ModelFile::Load(theContext, theOptions.Job, aJob) != 0)
  {
    return VexHost_Context::THE_USAGE_ERROR;
  }
  VexVerify_Verifier::Options aSettings;
  aSettings.Tolerance      = theOptions.Tolerance;
  aSettings.OutlineGap     = theOptions.OutlineGap;
  aSettings.DrillTolerance = theOptions.DrillTolerance;
  aSettings.Phases         = sequence(theOptions.Phases);
  aSettings.Layers         = sequence(theOptions.Layers);
  aSettings.IsBridged      = !theOptions.IsUnbridged;
  VexVerify_Verifier aVerifier(aSettings);
  VexVerify_Report   aReport;
  if (!aVerifier.Perform(aJob, theOptions.Job.c_str(), aDesigns, aReport))
  {
    return refuse(theContext, aVerifier.Fault());
  }
  const VexVerify_ReportWriter aWriter(theOptions.Limit);
  const int                    aWritten = VexHost_Output::Write(
                         theOptions.Output,
                         [&](std::ostream& theStream, TCollection_AsciiString& theError)
                         {
        const Standard_Boolean isDone = theOptions.IsJson ? aWriter.WriteJson(aReport, theStream)
                                                                             : aWriter.WriteText(aReport, theStream);
        theError = isDone ? "" : "the report could not be written";
        return isDone;
      },
                         theContext.Messenger());
  if (aWritten != 0)
  {
    return VexHost_Context::THE_USAGE_ERROR;
  }
  return aReport.NbFindings() > 0 ? THE_FOUND : 0;
}
} // namespace

void VexHost_Commands::RegisterVerify(CLI::App& theApp, VexHost_Context& theContext)
{
  CLI::App* aCommand = theApp.add_subcommand(
      "verify", "Check a job against its design files: drill holes, copper, board outline");
  auto anOptions = std::make_shared<VerifyOptions>();
  aCommand->add_option("JOB", anOptions->Job, "The job: machine file or JSON model document")
      ->required();
  aCommand
      ->add_option("--against", anOptions->Designs,
                   "[ROLE:]FILE, a design to check against; ROLE is drill, copper or outline "
                   "(default: drill for a file of holes only, else copper); repeat for more. "
                   "Several drill files (plated, non-plated) are checked as one drilling")
      ->required();
  aCommand->add_option("--tolerance", anOptions->Tolerance,
                       "Tolerance in millimetres of positions, diameters and clearances (0.01)");
  aCommand->add_option("--drill-tolerance", anOptions->DrillTolerance,
                       "A hole drilled with a drill up to this much smaller or larger, in "
                       "millimetres, is drilled as designed (0.05, as vex job)");
  aCommand->add_option("--outline-gap", anOptions->OutlineGap,
                       "Widest gap in millimetres between the lines of an outline that is closed "
                       "(0.3); the notes say where gaps were closed");
  aCommand->add_option("--phase", anOptions->Phases,
                       "Check only the paths of this phase against copper and outline; repeat "
                       "for more (default: every phase)");
  aCommand->add_option("--layer", anOptions->Layers,
                       "Check only the paths of this layer against copper and outline; repeat "
                       "for more (default: every layer)");
  aCommand->add_flag("--no-bridges", anOptions->IsUnbridged,
                     "Do not look for islands of copper the paths leave joined (for a job that is "
                     "not meant to isolate the copper)");
  aCommand->add_flag("--json", anOptions->IsJson, "Write the report as a JSON document");
  aCommand
      ->add_option("--limit", anOptions->Limit,
                   "Findings listed per check (default 100, 0 lists every one); counts and "
                   "totals are always complete")
      ->check(CLI::NonNegativeNumber);
  aCommand->add_option("-o,--output", anOptions->Output,
                       "File to write the report to (default: standard output)");
  aCommand->footer("Exit status: 0 nothing found, 1 findings, 2 bad input (a file that cannot "
                   "be read, an unknown role, a bad tolerance or outline gap), 3 plug-in not "
                   "loaded.");
  theContext.AddCommand(aCommand,
                        [&theContext, anOptions]() { return verify(theContext, *anOptions); });
}
