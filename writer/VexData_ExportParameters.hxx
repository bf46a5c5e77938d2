// Copyright (c) 2026 VexData developers
#ifndef _VexData_ExportParameters_HeaderFile
#define _VexData_ExportParameters_HeaderFile

#include <VexData_Writer.hxx>

//! Parses the host's export parameters: the switch "export.scanfield:false" and the mapping
//! entries "vex.map:circles;phase;layer;tool;outPhase;outLayer;outTool;outTool...".
class VexData_ExportParameters
{
public:
  //! Parses theParams: theExportScanFields becomes false only when the first scan-field switch
  //! says "false"; theMapping is emptied and receives every mapping entry, in parameter order.
  static void Parse(const NCollection_Sequence<TCollection_ExtendedString>& theParams,
                    Standard_Boolean&                                       theExportScanFields,
                    VexData_Writer::MappingTable&                           theMapping);

  //! Returns the mapping key "thePhase;theLayer;theTool".
  static TCollection_AsciiString MappingKey(const TCollection_AsciiString& thePhase,
                                            const TCollection_AsciiString& theLayer,
                                            const TCollection_AsciiString& theTool);

  //! Returns theText with one byte per character: a character from 1 to 0xFF becomes the byte of
  //! its code, '?' stands for 0 and for every character above 0xFF.
  static TCollection_AsciiString ToAscii(const TCollection_ExtendedString& theText);

  //! Parses the text of one mapping entry, after its prefix, into an item.
  static VexData_Writer::MapItem ParseMapItem(const TCollection_AsciiString& theSource);
};

#endif
