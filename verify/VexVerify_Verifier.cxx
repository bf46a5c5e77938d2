// Copyright (c) 2026 VexData developers
#include <VexVerify_Verifier.hxx>

#include <VexVerify_BridgeCheck.hxx>
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

Standard_Boolean VexVerify_Verifier::IsOutlineGap(const Standard_Real theGap)
{
  return theGap >= 0.0 && theGap <= 10.0;
}

Standard_Boolean VexVerify_Verifier::Perform(
    const Handle(PenFormatData_Model) & theJob, const TCollection_AsciiString& theJobFile,
    const NCollection_Sequence<VexVerify_Design>& theDesigns, VexVerify_Report& theReport)
{
  if (!isUsable(theJob, theJobFile, theDesigns))
  {
    return Standard_False;
  }
  theReport.Job       = theJobFile;
  theReport.Tolerance = myOptions.Tolerance;
  theReport.Phases    = myOptions.Phases;
  theReport.Layers    = myOptions.Layers;
  describeJob(*theJob, theReport);
  findBoard(theDesigns);
  const VexVerify_JobPaths aPaths(*theJob, myOptions.Phases, myOptions.Layers);
  for (NCollection_Vector<VexVerify_Report::Path>::Iterator anIt(aPaths.Paths()); anIt.More();
       anIt.Next())
  {
    theReport.Contours += anIt.Value().Contours;
    theReport.PathLength += anIt.Value().Length;
  }
  return checkAll(theDesigns, *theJob, aPaths, theReport);
}

Standard_Boolean VexVerify_Verifier::isUsable(
    const Handle(PenFormatData_Model) & theJob, const TCollection_AsciiString& theJobFile,
    const NCollection_Sequence<VexVerify_Design>& theDesigns)
{
  if (!IsTolerance(myOptions.Tolerance))
  {
    myFault = Message_Msg("VEX_VERIFY_BAD_TOLERANCE");
    myFault << myOptions.Tolerance;
    return Standard_False;
  }
  if (!IsDrillTolerance(myOptions.DrillTolerance))
  {
    myFault = Message_Msg("VEX_VERIFY_BAD_DRILL_TOLERANCE");
    myFault << myOptions.DrillTolerance;
    return Standard_False;
  }
  if (!IsOutlineGap(myOptions.OutlineGap))
  {
    myFault = Message_Msg("VEX_VERIFY_BAD_OUTLINE_GAP");
    myFault << myOptions.OutlineGap;
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
  return Standard_True;
}

Standard_Boolean VexVerify_Verifier::checkAll(
    const NCollection_Sequence<VexVerify_Design>& theDesigns, const PenFormatData_Model& theJob,
    const VexVerify_JobPaths& thePaths, VexVerify_Report& theReport)
{
  // The drill designs are one drilling (plated and non-plated holes): one check of all of them,
  // in the place of the first.
  Standard_Boolean isDrilled = Standard_False;
  for (NCollection_Sequence<VexVerify_Design>::Iterator anIt(theDesigns); anIt.More(); anIt.Next())
  {
    NCollection_Sequence<VexVerify_Design> aGroup;
    if (anIt.Value().GetRole() != VexVerify_Design::Role_Drill)
    {
      aGroup.Append(anIt.Value());
    }
    else if (!isDrilled)
    {
      isDrilled = Standard_True;
      aGroup    = drillDesigns(theDesigns);
    }
    if (aGroup.IsEmpty())
    {
      continue;
    }
    VexVerify_Report::Check aCheck;
    describe(aGroup, aCheck);
    if (!check(aGroup, theJob, thePaths, aCheck))
    {
      return Standard_False;
    }
    theReport.Checks.Append(aCheck);
  }
  return Standard_True;
}

NCollection_Sequence<VexVerify_Design> VexVerify_Verifier::drillDesigns(
    const NCollection_Sequence<VexVerify_Design>& theDesigns)
{
  NCollection_Sequence<VexVerify_Design> aDrills;
  for (NCollection_Sequence<VexVerify_Design>::Iterator anIt(theDesigns); anIt.More(); anIt.Next())
  {
    if (anIt.Value().GetRole() == VexVerify_Design::Role_Drill)
    {
      aDrills.Append(anIt.Value());
    }
  }
  return aDrills;
}

void VexVerify_Verifier::describe(const NCollection_Sequence<VexVerify_Design>& theDesigns,
                                  VexVerify_Report::Check&                      theCheck)
{
  const VexVerify_Design& aFirst = theDesigns.First();
  theCheck.Role                  = aFirst.GetRole();
  theCheck.RoleGiven             = Standard_True;
  for (NCollection_Sequence<VexVerify_Design>::Iterator anIt(theDesigns); anIt.More(); anIt.Next())
  {
    if (!theCheck.Design.IsEmpty())
    {
      theCheck.Design += " + ";
    }
    theCheck.Design += anIt.Value().Path();
    theCheck.Designs.Append(anIt.Value().Path());
    // The role counts as given when every file's was; else the first reason applies.
    if (!anIt.Value().IsRoleGiven() && theCheck.RoleGiven)
    {
      theCheck.RoleGiven = Standard_False;
      theCheck.Reason    = anIt.Value().Reason();
    }
  }
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

Standard_Boolean VexVerify_Verifier::check(const NCollection_Sequence<VexVerify_Design>& theDesigns,
                                           const PenFormatData_Model&                    theJob,
                                           const VexVerify_JobPaths&                     thePaths,
                                           VexVerify_Report::Check&                      theCheck)
{
  const Standard_Real     aTolerance = myOptions.Tolerance;
  const VexVerify_Design& aDesign    = theDesigns.First();
  switch (aDesign.GetRole())
  {
  case VexVerify_Design::Role_Drill:
  {
    VexVerify_DrillCheck aCheck(aTolerance, myOptions.DrillTolerance);
    if (!aCheck.Perform(theDesigns, theJob, theCheck))
    {
      myFault = aCheck.Fault();
      return Standard_False;
    }
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
    if (!aCheck.Perform(*aDesign.Model(), thePaths, theCheck))
    {
      myFault = aCheck.Fault();
      return Standard_False;
    }
    if (myOptions.IsBridged && !checkBridges(aDesign, thePaths, theCheck))
    {
      return Standard_False;
    }
    break;
  }
  case VexVerify_Design::Role_Outline:
  {
    VexVerify_OutlineCheck aCheck(aTolerance, myOptions.OutlineGap);
    if (!aCheck.Perform(*aDesign.Model(), thePaths, theCheck))
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

void VexVerify_Verifier::findBoard(const NCollection_Sequence<VexVerify_Design>& theDesigns)
{
  myBoard.clear();
  myOutline.Clear();
  for (NCollection_Sequence<VexVerify_Design>::Iterator anIt(theDesigns); anIt.More(); anIt.Next())
  {
    if (anIt.Value().GetRole() != VexVerify_Design::Role_Outline)
    {
      continue;
    }
    // The outline check builds the same board; one that encloses nothing is its fault.
    VexVerify_Board aBoard;
    aBoard.Build(*anIt.Value().Model(), myOptions.OutlineGap,
                 std::max(myOptions.Tolerance, VexGeom_Units::THE_CHORD_TOLERANCE));
    myBoard   = aBoard.Area();
    myOutline = anIt.Value().Path();
    return;
  }
}

Standard_Boolean VexVerify_Verifier::checkBridges(const VexVerify_Design&   theDesign,
                                                  const VexVerify_JobPaths& thePaths,
                                                  VexVerify_Report::Check&  theCheck)
{
  VexVerify_BridgeCheck aCheck;
  if (!myBoard.empty())
  {
    aCheck.SetBoard(myBoard, myOutline);
  }
  if (theDesign.Nets() != NULL)
  {
    aCheck.SetNets(*theDesign.Nets());
  }
  if (!aCheck.Perform(*theDesign.Model(), thePaths, theCheck))
  {
    myFault = aCheck.Fault();
    return Standard_False;
  }
  return Standard_True;
}
