// Copyright (c) 2026 VexData developers
#ifndef _VexData_Writer_HeaderFile
#define _VexData_Writer_HeaderFile

#include <VexData_Macro.hxx>
#include <VexData_ToolpathContainer.hxx>
#include <PenFormatData_Model.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_IncAllocator.hxx>
#include <NCollection_List.hxx>
#include <NCollection_Sequence.hxx>
#include <NCollection_Vector.hxx>
#include <TCollection_AsciiString.hxx>
#include <TCollection_ExtendedString.hxx>

#include <ostream>
#include <vector>

//! Checks a pen-format model and writes it as a machine file.
class VexData_Writer
{
public:
  //! Outcome of a check or write.
  enum Status
  {
    Ok            = 0, //!< success
    NotDone       = 1, //!< nothing run since construction or new parameters
    InvalidModel  = 2, //!< the model holds something the file cannot carry
    StreamBad     = 3, //!< badbit
    StreamFail    = 4, //!< failbit without eofbit
    StreamFailEof = 5  //!< failbit with eofbit
  };

  //! One export mapping entry: which toolpaths it selects (phase, layer, tool) and how they are
  //! written (phase, layer and tool names, arcs as circles).
  struct MapItem
  {
    Standard_Integer                          asCircles; //!< not 0: arcs become circle records
    TCollection_AsciiString                   phase;     //!< selected phase name
    TCollection_AsciiString                   layer;     //!< selected layer name
    TCollection_AsciiString                   tool;      //!< selected aperture name
    TCollection_AsciiString                   outPhase;  //!< written phase; empty: phase
    TCollection_AsciiString                   outLayer;  //!< written layer; empty: layer
    NCollection_List<TCollection_AsciiString> outTools;  //!< one block per name; empty: tool

    //! Creates an item that writes arcs as arcs and renames nothing.
    MapItem() : asCircles(0) {}
  };

  //! Mapping key "phase;layer;tool" to its items, in parameter order.
  typedef NCollection_DataMap<TCollection_AsciiString, NCollection_List<MapItem>> MappingTable;

  //! Creates a writer over theModel, which must outlive it.
  VexData_EXPORT VexData_Writer(const PenFormatData_Model& theModel);

  //! Parses the export parameters; always returns true.
  VexData_EXPORT Standard_Boolean
  SetInputParameters(const NCollection_Sequence<TCollection_ExtendedString>& theParams);

  //! Classifies the model's objects without writing.
  VexData_EXPORT Status CheckWritable();

  //! Checks the model and writes it to theStream.
  VexData_EXPORT Status Process(std::ostream& theStream);

  //! Returns the current status.
  VexData_EXPORT Status GetStatus() const;

  //! Returns the objects that are written.
  VexData_EXPORT const NCollection_List<Handle(PenFormatData_Object)>& GetWritable() const;

  //! Returns the objects that are skipped without error.
  VexData_EXPORT const NCollection_List<Handle(PenFormatData_Object)>& GetUnWritable() const;

private:
  //! Refuses scan fields that are missing or have no positive size.
  void CheckScanFields();

  //! Sorts the model's objects into writable toolpaths and others, checking each toolpath and
  //! filing it into myContainers; stops at the first toolpath the file cannot carry.
  void CollectToolpaths();

  //! Returns true when theSequence passes every check; otherwise sets the status and reports.
  Standard_Boolean CheckToolpath(const PenFormatData_Sequence& theSequence);

  //! Checks the phase and layer names of theSequence.
  Standard_Boolean CheckToolpathNames(const PenFormatData_Sequence& theSequence);

  //! Checks the aperture that theSequence uses.
  Standard_Boolean CheckToolpathTool(const PenFormatData_Sequence& theSequence);

  //! Records the tool mode of an accepted toolpath and files it into its container.
  void FileToolpath(const Handle(PenFormatData_Object) & theObject,
                    const PenFormatData_Sequence& theSequence);

  //! Returns true when theSequence has the phase and layer names of the last toolpath filed.
  Standard_Boolean hasLastNames(const PenFormatData_Sequence& theSequence) const;

  //! Refuses output names of the mapping items in force that the file cannot carry.
  void CheckMappingNames();

  //! Returns true when theName fits a string field; otherwise sets the status and reports.
  Standard_Boolean CheckMappingName(const TCollection_AsciiString& theName);

  //! Writes the 81-byte file header.
  void WriteHeader();

  //! Writes the type declarations, the scanner box and every container; ends a body without
  //! any of them with an empty record, so that the file reads back.
  void WriteBody();

  //! Writes the eleven record size declarations.
  void WriteTypeDeclarations();

  //! Writes the size of scan field 1 as the scanner box, when there is a scan field.
  void WriteScannerBox();

  //! Writes the blocks of every tool of theContainer.
  void WriteContainer(const VexData_ToolpathContainer& theContainer);

  //! Groups of one container in writing order.
  typedef NCollection_Vector<const VexData_ToolpathContainer::GroupByTool*> GroupOrder;

  //! Returns the groups of theContainer in writing order of their scan fields: ascending
  //! scan-field order, then number, then list position; each group once; the group without scan
  //! field first unless a scan field numbered 0 places it.
  GroupOrder OrderGroups(const VexData_ToolpathContainer& theContainer) const;

  //! Writes theList, the toolpaths of aperture theAperture of one container in writing order,
  //! under every mapping item in force; empties theList.
  void WriteApertureBlocks(VexData_ToolpathContainer::SequenceList& theList,
                           const Standard_Integer                   theAperture);

  //! Writes toolpaths of theAperture that share one phase and one layer name under every
  //! mapping item of that phase, layer and tool, or under the default item.
  void WriteMappedBlocks(const VexData_ToolpathContainer::SequenceList& theList,
                         const Standard_Integer                         theAperture);

  //! Aperture number to its toolpaths in writing order.
  typedef NCollection_DataMap<Standard_Integer, VexData_ToolpathContainer::SequenceList>
      ApertureLists;

  //! Fills theLists with the toolpaths of every aperture, group by group in theGroupOrder and
  //! in the order of each group's list.
  void CollectToolSequences(const GroupOrder& theGroupOrder, ApertureLists& theLists) const;

  //! Writes one toolpath block per output tool name of theItem.
  void WriteToolpathBlocks(const VexData_ToolpathContainer::SequenceList& theList,
                           const MapItem&                                 theItem);

  //! Writes one complete toolpath block named theTool with the toolpaths of theList.
  void WriteOneBlock(const VexData_ToolpathContainer::SequenceList& theList, const MapItem& theItem,
                     const TCollection_AsciiString& thePhase,
                     const TCollection_AsciiString& theLayer,
                     const TCollection_AsciiString& theTool);

  //! Writes the block's tool definition (index 1) for theAperture, named theTool.
  void WriteToolDefinition(const Standard_Integer         theAperture,
                           const TCollection_AsciiString& theTool);

  //! Writes the scan field position and the geometry of one toolpath.
  void WriteSequenceGeometry(const PenFormatData_Sequence& theSequence, const MapItem& theItem);

  //! Writes the scan field position of theSequence when it has a numbered scan field.
  void WriteScanFieldPosition(const PenFormatData_Sequence& theSequence);

  //! Writes one contour of a path toolpath; with theAsCircles every arc becomes a circle record,
  //! which ends the path.
  void WriteContour(const PhGeom_Curve& theContour, const Standard_Boolean theAsCircles);

  //! Writes an arc as a circle record.
  void WriteCircle(const PhGeom_Arc& theArc);

  //! Writes an arc as an arc-to record, opening a path before it when needed.
  void WriteArc(const PhGeom_Arc& theArc, Standard_Boolean& theIsOpen, gp_XY& theCurrent);

  //! Writes a segment as a line-to record unless it is too short, opening a path when needed.
  void WriteSegment(const PhGeom_Element& theSegment, Standard_Boolean& theIsOpen,
                    gp_XY& theCurrent);

  //! Writes the point elements of one contour of a point toolpath.
  void WriteDrillPoints(const PhGeom_Curve& theContour);

  //! Queues theSize bytes for the stream, handing the queue over when it is full; returns true
  //! while the stream is good. Nothing is written once the status is not 0.
  Standard_Boolean WriteBytes(const char* theData, const std::streamsize theSize);

  //! Hands the queued bytes to the stream; returns true when the stream is still good.
  Standard_Boolean FlushPending();

  //! Hands the queued bytes to a good stream after a failure of another kind, keeping the status.
  void DeliverPending();

  //! Writes theSize bytes with one output operation and applies the stream status rule;
  //! returns true when the stream is still good. Nothing is written once the status is not 0.
  Standard_Boolean PutBytes(const char* theData, const std::streamsize theSize);

  //! Writes theString followed by its 0 byte.
  Standard_Boolean WriteString(const TCollection_AsciiString& theString);

  //! Returns the status that the stream's state flags give.
  Status StreamStatus() const;

  //! Turns an exception caught at the class boundary into status 3 and "VEX_INTERNAL_ERROR"
  //! naming it, unless a status was already set. Called from inside a catch block.
  void HandleException();

  //! Returns the container of theSequence's phase and layer, creating it on first use.
  VexData_ToolpathContainer& FindContainer(const PenFormatData_Sequence& theSequence);

  //! Checks the scan fields (when exported) and files every writable toolpath, as CheckWritable
  //! and Process both begin.
  void CollectWritable();

  //! Empties the working collections and gives them a fresh allocator.
  void ResetCollections();

  //! Returns the model's message sink.
  const Handle(Message_Messenger) & Messenger() const { return myModel.Messenger(); }

private:
  //! Container key "phase+layer" to its toolpaths; visited in an order that does not depend on
  //! the OpenCASCADE version.
  typedef NCollection_DataMap<TCollection_AsciiString, VexData_ToolpathContainer, VexData_MapHasher>
      ContainerMap;
  //! Aperture number to tool mode (0 paths only, 1 points only, 2 both).
  typedef NCollection_DataMap<Standard_Integer, Standard_Byte> ToolModeMap;

  const PenFormatData_Model&                     myModel;            //!< model being written
  std::ostream*                                  myStream;           //!< current output
  Status                                         myStatus;           //!< current status
  ContainerMap                                   myContainers;       //!< toolpaths by container
  ToolModeMap                                    myToolModes;        //!< tool mode by aperture
  Standard_Real                                  myUnitFactor;       //!< model unit to file unit
  NCollection_List<Handle(PenFormatData_Object)> myWritable;         //!< written objects
  NCollection_List<Handle(PenFormatData_Object)> myUnWritable;       //!< skipped objects
  Standard_Boolean                               myExportScanFields; //!< write scan fields
  MappingTable                                   myMapping;          //!< export mapping
  Handle(NCollection_IncAllocator) myAllocator;                      //!< nodes of one run
  const PenFormatData_Sequence* myLastFiled;                         //!< last toolpath filed
  VexData_ToolpathContainer*    myLastContainer;                     //!< its container
  std::vector<char>             myPending;       //!< bytes not yet handed to the stream
  std::streamsize               myPendingSize;   //!< bytes queued in myPending
  Standard_Boolean              myHasBodyRecord; //!< a block or the scanner box was written
};

#endif
