// Copyright (c) 2026 VexData developers
#ifndef _VexData_BlockOrder_HeaderFile
#define _VexData_BlockOrder_HeaderFile

#include <VexData_ToolpathContainer.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Map.hxx>
#include <NCollection_Vector.hxx>

class PenFormatData_Model;

//! The order in which the toolpaths of one container (one phase and layer) are written: tool by
//! tool, in the visiting order of the set of the container's aperture numbers (which the
//! plug-in's hasher fixes); for each tool its toolpaths scan field by scan field, in ascending
//! scan-field order, then number, then list position, the toolpaths without a scan field first
//! unless a scan field numbered 0 gives them a place of their own; within one scan field in the
//! order in which they were filed.
class VexData_BlockOrder
{
public:
  //! Toolpaths of one tool in writing order.
  typedef VexData_ToolpathContainer::SequenceList SequenceList;

  //! Aperture numbers in writing order.
  typedef NCollection_Map<Standard_Integer, VexData_MapHasher> ApertureSet;

  //! Orders the toolpaths of theContainer, whose scan fields are those of theModel; the lists'
  //! nodes come from theAllocator. One pass over the groups in writing order gives every aperture
  //! its toolpaths: the cost grows with the number of toolpaths, not with apertures times scan
  //! fields.
  VexData_BlockOrder(const PenFormatData_Model&       theModel,
                     const VexData_ToolpathContainer& theContainer,
                     const Handle(NCollection_BaseAllocator) & theAllocator);

  //! Returns the aperture numbers in writing order.
  const ApertureSet& Apertures() const { return myApertures; }

  //! Returns the toolpaths of theAperture in writing order, or NULL when it has none.
  SequenceList* ChangeToolpaths(const Standard_Integer theAperture)
  {
    return myToolpaths.ChangeSeek(theAperture);
  }

  //! Returns true when the toolpaths of theList may stem from several pairs of phase and layer
  //! names: a container key joins phase and layer with "+", so phase "P+Q" on layer "R" and
  //! phase "P" on layer "Q+R" share a container, while a pair without "+" in either name makes a
  //! key that no other pair can produce.
  static Standard_Boolean MayMixNames(const SequenceList& theList);

  //! Moves from theList into thePart, in order, the toolpaths whose phase and layer names equal
  //! those of the first toolpath of theList.
  static void TakeSameNames(SequenceList& theList, SequenceList& thePart);

private:
  //! Groups of the container in writing order.
  typedef NCollection_Vector<const VexData_ToolpathContainer::GroupByTool*> GroupOrder;

  //! Returns the groups of theContainer in writing order of their scan fields; each group once.
  GroupOrder orderGroups(const VexData_ToolpathContainer& theContainer) const;

  //! Fills the toolpath lists of every aperture, group by group in theOrder and in the order of
  //! each group's list.
  void collect(const GroupOrder& theOrder);

private:
  const PenFormatData_Model&                          myModel;     //!< its scan fields
  ApertureSet                                         myApertures; //!< tools in order
  NCollection_DataMap<Standard_Integer, SequenceList> myToolpaths; //!< toolpaths by tool
};

#endif
