// Copyright (c) 2026 VexData developers
#ifndef _VexData_BlockWriter_HeaderFile
#define _VexData_BlockWriter_HeaderFile

#include <VexData_BlockOrder.hxx>
#include <VexData_OutputQueue.hxx>
#include <VexData_ToolpathCollector.hxx>

#include <PhGeom_Element.hxx>

//! Writes the body of a machine file from the toolpaths the collector gathered: the type
//! declarations, the scanner box, then for every container (in the visiting order of the
//! collector's map) the toolpath blocks of every tool in the order of VexData_BlockOrder. Each
//! run of toolpaths is written under every export mapping item of its phase, layer and tool (or
//! under its own names), one complete block per output tool name: block header, the one tool
//! definition (index 1), one tool group, the geometry of every toolpath and the end marker.
//! Every record goes through the output queue; the first failed output ends the body.
class VexData_BlockWriter
{
public:
  //! Creates a writer of theModel's body into theRecords, with theCollector's toolpaths and tool
  //! modes, theMapping, scan fields when isExportingScanFields, lengths times theUnitFactor.
  VexData_BlockWriter(const PenFormatData_Model& theModel, VexData_OutputQueue& theRecords,
                      const VexData_ToolpathCollector&    theCollector,
                      const VexData_Writer::MappingTable& theMapping,
                      const Standard_Boolean              isExportingScanFields,
                      const Standard_Real                 theUnitFactor);

  //! Writes the type declarations, the scanner box and every container; ends a body without any
  //! of them with an empty record, so that the file reads back. Returns false when an output
  //! failed.
  Standard_Boolean WriteBody();

private:
  //! Writes the size of scan field 1 as the scanner box, when there is a scan field.
  Standard_Boolean writeScannerBox();

  //! Writes the blocks of every tool of theContainer.
  Standard_Boolean writeContainer(const VexData_ToolpathContainer& theContainer);

  //! Writes theList, the toolpaths of aperture theAperture of one container in writing order;
  //! the toolpaths of each pair of phase and layer names on their own. Empties theList.
  Standard_Boolean writeApertureBlocks(VexData_BlockOrder::SequenceList& theList,
                                       const Standard_Integer            theAperture);

  //! Writes toolpaths of theAperture that share one phase and one layer name under every
  //! mapping item of that phase, layer and tool, or under the default item.
  Standard_Boolean writeMappedBlocks(const VexData_BlockOrder::SequenceList& theList,
                                     const Standard_Integer                  theAperture);

  //! Writes one toolpath block per output tool name of theItem.
  Standard_Boolean writeToolpathBlocks(const VexData_BlockOrder::SequenceList& theList,
                                       const VexData_Writer::MapItem&          theItem);

  //! Writes one complete toolpath block named theTool with the toolpaths of theList.
  Standard_Boolean writeOneBlock(const VexData_BlockOrder::SequenceList& theList,
                                 const VexData_Writer::MapItem&          theItem,
                                 const TCollection_AsciiString&          thePhase,
                                 const TCollection_AsciiString&          theLayer,
                                 const TCollection_AsciiString&          theTool);

  //! Writes the block's tool definition (index 1) for theAperture, named theTool.
  Standard_Boolean writeToolDefinition(const Standard_Integer         theAperture,
                                       const TCollection_AsciiString& theTool);

  //! Writes the scan field position and the geometry of one toolpath.
  Standard_Boolean writeSequenceGeometry(const PenFormatData_Sequence&  theSequence,
                                         const VexData_Writer::MapItem& theItem);

  //! Writes the scan field position of theSequence when it has a numbered scan field.
  Standard_Boolean writeScanFieldPosition(const PenFormatData_Sequence& theSequence);

  //! Writes one contour of a path toolpath; with theAsCircles every arc becomes a circle record,
  //! which ends the path. Returns false when an output failed.
  Standard_Boolean writeContour(const PhGeom_Curve&    theContour,
                                const Standard_Boolean theAsCircles);

  //! Writes the point elements of one contour of a point toolpath. Returns false when an output
  //! failed.
  Standard_Boolean writeDrillPoints(const PhGeom_Curve& theContour);

  //! Returns true while every output succeeded.
  Standard_Boolean isGood() const { return myRecords.Status() == VexData_Writer::Ok; }

private:
  const PenFormatData_Model&          myModel;            //!< model being written
  VexData_OutputQueue&                myRecords;          //!< the bytes' way to the stream
  const VexData_ToolpathCollector&    myCollector;        //!< toolpaths and tool modes
  const VexData_Writer::MappingTable& myMapping;          //!< export mapping
  Standard_Boolean                    myExportScanFields; //!< write scan fields
  Standard_Real                       myUnitFactor;       //!< model unit to file unit
  Standard_Boolean                    myHasBodyRecord;    //!< a block or the box was written
};

#endif
