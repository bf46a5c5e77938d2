// Copyright (c) 2026 VexData developers
#ifndef _VexData_ToolpathCollector_HeaderFile
#define _VexData_ToolpathCollector_HeaderFile

#include <VexData_ToolpathContainer.hxx>
#include <VexData_Writer.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_IncAllocator.hxx>
#include <NCollection_List.hxx>

//! What the writer checks and gathers before it writes a byte: it refuses scan fields the file
//! cannot carry, sorts the model's objects into writable toolpaths and others, refuses the first
//! toolpath (or its tool) that the file cannot carry, records in which toolpath modes each tool
//! is used, and files every writable toolpath by container (phase and layer), scan field and
//! aperture. Each failed check sets status InvalidModel and sends its message.
class VexData_ToolpathCollector
{
public:
  //! Container key "phase+layer" to its toolpaths; visited in an order that does not depend on
  //! the OpenCASCADE version.
  typedef NCollection_DataMap<TCollection_AsciiString, VexData_ToolpathContainer, VexData_MapHasher>
      ContainerMap;

  //! Aperture number to tool mode byte (VexData_Format::ToolMode).
  typedef NCollection_DataMap<Standard_Integer, Standard_Byte> ToolModeMap;

  //! Returns the name of aperture theNumber of theModel one byte per character (empty when there
  //! is no such aperture).
  static TCollection_AsciiString ApertureName(const PenFormatData_Model& theModel,
                                              const Standard_Integer     theNumber);

  //! Creates a collector over theModel, which must outlive it.
  explicit VexData_ToolpathCollector(const PenFormatData_Model& theModel);

  //! Empties everything gathered before, with a fresh allocator for the working collections;
  //! checks the scan fields when isExportingScanFields, then files every writable toolpath.
  //! Returns Ok or InvalidModel.
  VexData_Writer::Status Collect(const Standard_Boolean isExportingScanFields);

  //! Refuses output names of the items of theMapping that select a writable toolpath and that
  //! the file cannot carry. Returns Ok or InvalidModel.
  VexData_Writer::Status CheckMappingNames(const VexData_Writer::MappingTable& theMapping);

  //! Returns the status of the last collection or check: Ok or InvalidModel.
  VexData_Writer::Status Status() const { return myStatus; }

  //! Returns the writable toolpaths by container.
  const ContainerMap& Containers() const { return myContainers; }

  //! Returns the tool mode byte of every tool a writable toolpath uses.
  const ToolModeMap& ToolModes() const { return myToolModes; }

  //! Returns the allocator of the working collections of the run.
  const Handle(NCollection_IncAllocator) & Allocator() const { return myAllocator; }

  //! Returns the objects that are written, in model order.
  const NCollection_List<Handle(PenFormatData_Object)>& Writable() const { return myWritable; }

  //! Returns the objects that are skipped without error, in model order.
  const NCollection_List<Handle(PenFormatData_Object)>& UnWritable() const { return myUnWritable; }

private:
  //! Empties the working collections and gives them a fresh allocator.
  void reset();

  //! Refuses scan fields that are missing or have no positive size.
  Standard_Boolean checkScanFields();

  //! Sorts the model's objects and files the writable toolpaths; stops at the first toolpath
  //! the file cannot carry.
  Standard_Boolean collectToolpaths();

  //! Returns true when theSequence passes every check; otherwise reports.
  Standard_Boolean checkToolpath(const PenFormatData_Sequence& theSequence);

  //! Checks the phase and layer names of theSequence.
  Standard_Boolean checkToolpathNames(const PenFormatData_Sequence& theSequence);

  //! Checks the aperture that theSequence uses.
  Standard_Boolean checkToolpathTool(const PenFormatData_Sequence& theSequence);

  //! Records the tool mode of an accepted toolpath and files it into its container.
  void fileToolpath(const Handle(PenFormatData_Object) & theObject,
                    const PenFormatData_Sequence& theSequence);

  //! Returns true when theSequence has the phase and layer names of the last toolpath filed.
  Standard_Boolean hasLastNames(const PenFormatData_Sequence& theSequence) const;

  //! Returns the container of theSequence's phase and layer, creating it on first use.
  VexData_ToolpathContainer& findContainer(const PenFormatData_Sequence& theSequence);

  //! Returns true when theName fits a string field; otherwise reports.
  Standard_Boolean checkMappingName(const TCollection_AsciiString& theName);

  //! Sets InvalidModel and sends theKey with theArg; returns false.
  template <class TheArgType>
  Standard_Boolean refuse(const Standard_CString theKey, const TheArgType& theArg);

private:
  const PenFormatData_Model&                     myModel;            //!< model being written
  VexData_Writer::Status                         myStatus;           //!< Ok or InvalidModel
  Standard_Boolean                               myExportScanFields; //!< scan fields written
  ContainerMap                                   myContainers;       //!< toolpaths by container
  ToolModeMap                                    myToolModes;        //!< tool mode by aperture
  NCollection_List<Handle(PenFormatData_Object)> myWritable;         //!< written objects
  NCollection_List<Handle(PenFormatData_Object)> myUnWritable;       //!< skipped objects
  Handle(NCollection_IncAllocator) myAllocator;                      //!< nodes of one run
  const PenFormatData_Sequence* myLastFiled;                         //!< last toolpath filed
  VexData_ToolpathContainer*    myLastContainer;                     //!< its container
};

#endif
