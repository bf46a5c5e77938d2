// Copyright (c) 2026 VexData developers
#ifndef _VexData_ToolpathContainer_HeaderFile
#define _VexData_ToolpathContainer_HeaderFile

#include <VexData_MapHasher.hxx>
#include <PenFormatData_ScanField.hxx>
#include <PenFormatData_Sequence.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_List.hxx>

//! The writable toolpaths of one phase and layer, filed by scan-field number and then by
//! aperture number. Number 0 holds the toolpaths without a scan field. A plain value type: copies
//! share the sequences, not the maps. The container refers to its sequences without holding
//! them: whoever files them keeps them alive for as long as the container is used (the writer's
//! list of writable objects does). Taking a reference to each of a board's millions of toolpaths
//! would cost an atomic update on every one of them, twice.
class VexData_ToolpathContainer
{
public:
  //! Toolpaths of one tool, in the order they were added.
  typedef NCollection_List<const PenFormatData_Sequence*> SequenceList;

  //! The toolpaths of one scan field, by aperture number.
  class GroupByTool
  {
  public:
    //! Aperture number to its toolpaths; visited in an order that does not depend on the
    //! OpenCASCADE version.
    typedef NCollection_DataMap<Standard_Integer, SequenceList, VexData_MapHasher> ToolMap;

    //! Creates an empty group (a map of one bucket, so the visiting order is reproducible) whose
    //! nodes come from theAllocator (the common one when null).
    explicit GroupByTool(const Handle(NCollection_BaseAllocator) & theAllocator =
                             Handle(NCollection_BaseAllocator)())
        : myByTool(1, theAllocator)
    {
    }

    //! Appends theSequence to the list of its aperture number; NULL is ignored.
    void Add(const PenFormatData_Sequence* theSequence);

    //! Returns the toolpath lists by aperture number.
    const ToolMap& ByTool() const { return myByTool; }

  private:
    ToolMap myByTool; //!< aperture number -> toolpaths, in order of addition
  };

  //! Scan-field number to its group; visited in an order that does not depend on the
  //! OpenCASCADE version.
  typedef NCollection_DataMap<Standard_Integer, GroupByTool, VexData_MapHasher> GroupMap;

  //! Creates an empty container (a map of one bucket) whose nodes, and those of its groups and
  //! lists, come from theAllocator (the common one when null).
  explicit VexData_ToolpathContainer(
      const Handle(NCollection_BaseAllocator) & theAllocator = Handle(NCollection_BaseAllocator)())
      : myGroups(1, theAllocator)
  {
  }

  //! Files theSequence under the number of theScanField (0 for a null handle) and its aperture
  //! number; a null sequence is ignored.
  void Add(const Handle(PenFormatData_ScanField) & theScanField,
           const PenFormatData_Sequence* theSequence);

  //! Returns the groups by scan-field number.
  const GroupMap& Groups() const { return myGroups; }

private:
  GroupMap myGroups; //!< scan-field number -> toolpaths of that scan field
};

#endif
