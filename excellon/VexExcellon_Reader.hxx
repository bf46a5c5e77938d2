// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Reader_HeaderFile
#define _VexExcellon_Reader_HeaderFile

#include <VexPcb_ImportOptions.hxx>
#include <VexPcb_TransferReport.hxx>

#include <PenFormatData_Model.hxx>

#include <istream>

//! Imports an Excellon drill file into a pen-format model: a drilling job. VexExcellon_Parser
//! reads the file and tells VexExcellon_ModelBuilder what it finds, which builds the model (see
//! there for what the model gets) only when the whole file was read: a fault leaves it untouched.
class VexExcellon_Reader
{
public:
  //! Returns true when theHead, the first theSize bytes of a file, look like an Excellon drill
  //! file: text with a header start (M48), a unit statement or a tool definition, or a tool
  //! change followed by positions (a body without its header), and nothing of a Gerber file or
  //! of a machine file.
  Standard_EXPORT static Standard_Boolean Probe(const char* theHead, const size_t theSize);

  //! Reads the drill file theStream into theModel with theOptions; theReport gets what was
  //! imported and left out, per kind. Returns false, leaving theModel as it was, when the file
  //! has a fault: theReport then holds its line and message. Can be called several times on one
  //! model to import several files into it. No exception leaves this method.
  Standard_EXPORT static Standard_Boolean Read(std::istream&               theStream,
                                               const VexPcb_ImportOptions& theOptions,
                                               PenFormatData_Model&        theModel,
                                               VexPcb_TransferReport&      theReport);

  //! Default phase of the toolpaths.
  static const char* const THE_PHASE;

  //! Default layer of the toolpaths.
  static const char* const THE_LAYER;
};

#endif
