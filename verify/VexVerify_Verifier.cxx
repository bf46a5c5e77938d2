// Copyright (c) 2026 VexData developers
#include <VexVerify_Verifier.hxx>

#include <VexVerify_CopperCheck.hxx>
#include <VexVerify_DrillCheck.hxx>
#include <VexVerify_JobPaths.hxx>
#include <VexVerify_OutlineCheck.hxx>

#include <VexGeom_Drawing.hxx>
#include <VexGeom_Units.hxx>

#include <cstdio>

Standard_Boolean VexVerify_Verifier::IsTolerance(const Standard_Real theTolerance)
{
  return VexGeom_Units::IsUsable(theTolerance) && theTolerance > 0.0;
}

Standard_Boolean VexVerify_Verifier::Perform(
    const Handle(PenFormatData_Model) & theJob, const TCollection_AsciiString& theJobFile,
    const NCollection_Sequence<VexVerify_Design>& theDesigns, VexVerify_Report& theReport)
{
  if (!IsTolerance(myOptions.Tolerance))
  {
    myFault = Message_Msg("VEX_VERIFY_BAD_TOLERANCE");
    myFault << myOptions.Tolerance;
    return Standard_False;
  }
  // Every later step takes the models' values as they are.
  if (theJob.IsNull() || !VexGeom_Drawing::IsUsable(*theJob))
  {
    myFault = Message_Msg("VEX_VERIFY_OUT_OF_RANGE");
    myFault << theJobFile;
    return Standard_False;
  }
  for (NCollection_Sequence<VexVerify_Design>::Iterator anIt(theDesigns); anIt.More(); anIt.Next())
  {
    if (anIt.Value().Model().IsNull() || !VexGeom_Drawing::IsUsable(*anIt.Value().Model()))
    {
      myFault = Message_Msg("VEX_VERIFY_OUT_OF_RANGE");
      myFault << anIt.Value().Path();
      return Standard_False;
    }
  }
  theReport.Job       = theJobFile;
  theReport.Tolerance = myOptions.Tolerance;
  theReport.Phases    = myOptions.Phases;
  theReport.Layers    = myOptions.Layers;
  describeJob(*theJob, theReport);
  const VexVerify_JobPaths aPaths(*theJob, myOptions.Phases, myOptions.Layers);
  for (NCollection_Vector<VexVerify_Report::Path>::Iterator anIt(aPaths.Paths()); anIt.More();
       anIt.Next())
  {
    theReport.Contours += anIt.Value().Contours;
    theReport.PathLength += anIt.Value().Length;
  }
  for (NCollection_Sequence<VexVerify_Design>::Iterator anIt(theDesigns); anIt.More(); anIt.Next())
  {
    VexVerify_Report::Check aCheck;
    aCheck.Design    = anIt.Value().Path();
    aCheck.Role      = anIt.Value().GetRole();
    aCheck.RoleGiven = anIt.Value().IsRoleGiven();
    aCheck.Reason    = anIt.Value().Reason();
    if (!check(anIt.Value(), *theJob, aPaths, aCheck))
    {
      return Standard_False;
    }
    theReport.Checks.Append(aCheck);
  }
  return Standard_True;
}

void VexVerify_Verifier::describeJob(const PenFormatData_Model& theJob,
                                     VexVerify_Report&          theReport) const
{
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theJob.Objects()); anIt.More();
       anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIt.Value());
    if (aSequence.IsNull() || !VexGeom_Drawing::IsPointToolpath(*aSequence))
    {
      continue;
    }
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
             aSequence->GetCurve()->Children());
         aContour.More(); aContour.Next())
    {
      theReport.Hits += aContour.Value().IsNull() ? 0 : aContour.Value()->NbElements();
    }
  }
}

Standard_Boolean VexVerify_Verifier::check(const VexVerify_Design&    theDesign,
                                           const PenFormatData_Model& theJob,
                                           const VexVerify_JobPaths&  thePaths,
                                           VexVerify_Report::Check&   theCheck)
{
  const Standard_Real aTolerance = myOptions.Tolerance;
  switch (theDesign.GetRole())
  {
  case VexVerify_Design::Role_Drill:
  {
    VexVerify_DrillCheck(aTolerance).Perform(*theDesign.Model(), theJob, theCheck);
    if (theCheck.Slots > 0)
    {
      char aNote[120];
      std::snprintf(aNote, sizeof(aNote), "%d slots and routes of the design are not compared",
                    theCheck.Slots);
      theCheck.Notes.Append(aNote);
    }
    return Standard_True;
  }
  case VexVerify_Design::Role_Copper:
  {
    VexVerify_CopperCheck aCheck(aTolerance);
    if (!aCheck.Perform(*theDesign.Model(), thePaths, theCheck))
    {
      myFault = aCheck.Fault();
      return Standard_False;
    }
    break;
  }
  case VexVerify_Design::Role_Outline:
  {
    VexVerify_OutlineCheck aCheck(aTolerance);
    if (!aCheck.Perform(*theDesign.Model(), thePaths, theCheck))
    {
      myFault = aCheck.Fault();
      return Standard_False;
    }
    break;
  }
  }
  if (theCheck.Paths.IsEmpty())
  {
    theCheck.Notes.Append(myOptions.Phases.IsEmpty() && myOptions.Layers.IsEmpty()
                              ? "the job has no path toolpath to compare"
                              : "the job has no path toolpath of the selected phases and layers");
  }
  return Standard_True;
}
