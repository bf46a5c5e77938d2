// Copyright (c) 2026 VexData developers
#ifndef _VexData_Writer_HeaderFile
#define _VexData_Writer_HeaderFile

#include <VexData_Macro.hxx>
#include <VexData_WriteStatus.hxx>
#include <PenFormatData_Model.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_List.hxx>
#include <NCollection_Sequence.hxx>
#include <TCollection_AsciiString.hxx>
#include <TCollection_ExtendedString.hxx>

#include <memory>
#include <ostream>

class VexData_OutputQueue;
class VexData_ToolpathCollector;

//! Checks a pen-format model and writes it as a machine file.
class VexData_Writer : public VexData_WriteStatus
{
public:
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

  //! Releases the writer's working collections; the model stays.
  VexData_EXPORT ~VexData_Writer();

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
  VexData_Writer(const VexData_Writer&)            = delete;
  VexData_Writer& operator=(const VexData_Writer&) = delete;

  //! Turns an exception caught at the class boundary into status 3 and "VEX_INTERNAL_ERROR"
  //! naming it, unless the checks (or, when isWriting, the output) had already failed: the
  //! message sink threw while reporting it. Called from inside a catch block.
  void handleException(const Standard_Boolean isWriting);

private:
  const PenFormatData_Model&                 myModel;            //!< model being written
  Status                                     myStatus;           //!< current status
  Standard_Real                              myUnitFactor;       //!< model unit to file unit
  Standard_Boolean                           myExportScanFields; //!< write scan fields
  MappingTable                               myMapping;          //!< export mapping
  std::unique_ptr<VexData_ToolpathCollector> myCollector;        //!< checks and gathering
  std::unique_ptr<VexData_OutputQueue>       myRecords;          //!< the bytes' way out
};

#endif
