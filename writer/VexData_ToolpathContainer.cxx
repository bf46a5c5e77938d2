// Copyright (c) 2026 VexData developers
#include <VexData_ToolpathContainer.hxx>

void VexData_ToolpathContainer::GroupByTool::Add(const PenFormatData_Sequence* theSequence)
{
  if (theSequence == NULL)
  {
    return;
  }
  const Standard_Integer anAperture = theSequence->ApertureNumber();
  SequenceList*          aList      = myByTool.ChangeSeek(anAperture);
  if (aList == NULL)
  {
    aList = myByTool.Bound(anAperture, SequenceList(myByTool.Allocator()));
  }
  aList->Append(theSequence);
}

void VexData_ToolpathContainer::Add(const Handle(PenFormatData_ScanField) & theScanField,
                                    const PenFormatData_Sequence* theSequence)
{
  if (theSequence == NULL)
  {
    return;
  }
  const Standard_Integer aNumber = theScanField.IsNull() ? 0 : theScanField->Number();
  GroupByTool*           aGroup  = myGroups.ChangeSeek(aNumber);
  if (aGroup == NULL)
  {
    aGroup = myGroups.Bound(aNumber, GroupByTool(myGroups.Allocator()));
  }
  aGroup->Add(theSequence);
}
