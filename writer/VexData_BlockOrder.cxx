// Copyright (c) 2026 VexData developers
#include <VexData_BlockOrder.hxx>

#include <PenFormatData_Model.hxx>
#include <PenFormatData_ScanField.hxx>

#include <algorithm>

namespace
{
//! One scan field that holds toolpaths of a container, with what orders it for writing.
struct ScanFieldEntry
{
  Standard_Integer                              Order;    //!< machining order
  Standard_Integer                              Number;   //!< scan-field number
  Standard_Integer                              Position; //!< index in the scan-field list
  const VexData_ToolpathContainer::GroupByTool* Group;    //!< toolpaths of that number
};

//! Orders entries by machining order, then number, then list position.
bool isBefore(const ScanFieldEntry& theLeft, const ScanFieldEntry& theRight)
{
  if (theLeft.Order != theRight.Order)
  {
    return theLeft.Order < theRight.Order;
  }
  if (theLeft.Number != theRight.Number)
  {
    return theLeft.Number < theRight.Number;
  }
  return theLeft.Position < theRight.Position;
}
} // namespace

VexData_BlockOrder::VexData_BlockOrder(const PenFormatData_Model&       theModel,
                                       const VexData_ToolpathContainer& theContainer,
                                       const Handle(NCollection_BaseAllocator) & theAllocator)
    : myModel(theModel), myApertures(1), myToolpaths(1, theAllocator)
{
  for (VexData_ToolpathContainer::GroupMap::Iterator aGroup(theContainer.Groups()); aGroup.More();
       aGroup.Next())
  {
    for (VexData_ToolpathContainer::GroupByTool::ToolMap::Iterator aTool(aGroup.Value().ByTool());
         aTool.More(); aTool.Next())
    {
      myApertures.Add(aTool.Key());
    }
  }
  collect(orderGroups(theContainer));
}

VexData_BlockOrder::GroupOrder VexData_BlockOrder::orderGroups(
    const VexData_ToolpathContainer& theContainer) const
{
  const VexData_ToolpathContainer::GroupMap& aGroups = theContainer.Groups();
  NCollection_Vector<ScanFieldEntry>         anEntries(256);
  Standard_Boolean                           isZeroPlaced = Standard_False;
  const Standard_Integer                     aNbFields    = myModel.NbScanFields();
  for (Standard_Integer anIndex = 1; anIndex < aNbFields; ++anIndex)
  {
    // Null entries can only remain when scan fields are not exported; they hold nothing.
    const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(anIndex);
    const VexData_ToolpathContainer::GroupByTool* aGroup =
        aField.IsNull() ? NULL : aGroups.Seek(aField->Number());
    if (aGroup != NULL)
    {
      const ScanFieldEntry anEntry = {aField->Order(), aField->Number(), anIndex, aGroup};
      anEntries.Append(anEntry);
      isZeroPlaced = isZeroPlaced || aField->Number() == 0;
    }
  }
  std::sort(anEntries.begin(), anEntries.end(), isBefore);

  // Each group is written once, at its first place; toolpaths without a scan field come first
  // unless a scan field numbered 0 gives them a place of their own.
  GroupOrder                                    anOrder(256);
  NCollection_Map<Standard_Integer>             aPlaced(1);
  const VexData_ToolpathContainer::GroupByTool* aNoField = aGroups.Seek(0);
  if (!isZeroPlaced && aNoField != NULL)
  {
    anOrder.Append(aNoField);
    aPlaced.Add(0);
  }
  for (NCollection_Vector<ScanFieldEntry>::Iterator anIter(anEntries); anIter.More(); anIter.Next())
  {
    if (aPlaced.Add(anIter.Value().Number))
    {
      anOrder.Append(anIter.Value().Group);
    }
  }
  return anOrder;
}

void VexData_BlockOrder::collect(const GroupOrder& theOrder)
{
  for (GroupOrder::Iterator anIter(theOrder); anIter.More(); anIter.Next())
  {
    for (VexData_ToolpathContainer::GroupByTool::ToolMap::Iterator aTool(anIter.Value()->ByTool());
         aTool.More(); aTool.Next())
    {
      SequenceList* aList = myToolpaths.ChangeSeek(aTool.Key());
      if (aList == NULL)
      {
        aList = myToolpaths.Bound(aTool.Key(), SequenceList(myToolpaths.Allocator()));
      }
      for (SequenceList::Iterator aSeqIter(aTool.Value()); aSeqIter.More(); aSeqIter.Next())
      {
        aList->Append(aSeqIter.Value());
      }
    }
  }
}

Standard_Boolean VexData_BlockOrder::MayMixNames(const SequenceList& theList)
{
  return !theList.IsEmpty() && (theList.First()->PhaseName().Search("+") >= 0 ||
                                theList.First()->LayerName().Search("+") >= 0);
}

void VexData_BlockOrder::TakeSameNames(SequenceList& theList, SequenceList& thePart)
{
  const TCollection_ExtendedString aPhase = theList.First()->PhaseName();
  const TCollection_ExtendedString aLayer = theList.First()->LayerName();
  for (SequenceList::Iterator anIter(theList); anIter.More();)
  {
    if (anIter.Value()->PhaseName().IsEqual(aPhase) && anIter.Value()->LayerName().IsEqual(aLayer))
    {
      thePart.Append(anIter.Value());
      theList.Remove(anIter);
    }
    else
    {
      anIter.Next();
    }
  }
}
