// Copyright (c) 2026 VexData developers
#ifndef _VexHost_ModelFile_HeaderFile
#define _VexHost_ModelFile_HeaderFile

#include <VexHost_Context.hxx>

#include <PenFormatData_Model.hxx>
#include <VexPcb_ImportOptions.hxx>
#include <VexPcb_TransferReport.hxx>

#include <string>

class VexPcb_Nets;

//! Loads a model from any file vex understands: a machine file (through the loaded plug-in, as
//! the CAM host reads it), a JSON model document, or a design file of the PCB world (an Excellon
//! drill file or Gerber artwork, through their readers). Commands that take "a file" (info,
//! render, check, verify ...) load it here, so a new format is added in one place.
class VexHost_ModelFile
{
public:
  //! What a file holds, told from its first bytes.
  enum Kind
  {
    Kind_Unknown,     //!< none of the kinds below
    Kind_MachineFile, //!< recognised by the plug-in's MATCHFILE
    Kind_Document,    //!< text starting with "{": a JSON model document
    Kind_Excellon,    //!< claimed by the Excellon reader's probe
    Kind_Gerber       //!< claimed by the Gerber reader's probe
  };

  //! Returns the kind of thePath: the plug-in is asked first, then a document is recognised by
  //! its brace, then the design-file probes look at the file's first bytes. Needs a prepared
  //! context (the plug-in loaded).
  static Kind Identify(const VexHost_Context& theContext, const std::string& thePath);

  //! Returns a short name of theKind for messages and summaries ("machine file" ...).
  static const char* KindName(const Kind theKind);

  //! Returns true for the kinds read by a design-file reader (Excellon, Gerber).
  static Standard_Boolean IsDesign(const Kind theKind)
  {
    return theKind == Kind_Excellon || theKind == Kind_Gerber;
  }

  //! Imports the design file thePath, of theKind (Excellon or Gerber), into theModel, which may
  //! already hold earlier imports, with theOptions; the counts and the fault go to theReport. A
  //! file that does not open sends "VEX_CANT_OPEN_FILE"; a fault sends "VEX_HOST_DESIGN_FAULT"
  //! with the path and the reader's message (which names the line), once, and leaves theModel
  //! as it was. The nets a Gerber file names go to theNets when given. Returns 0, or the
  //! usage-error status on any failure.
  static int Import(const VexHost_Context& theContext, const std::string& thePath,
                    const Kind theKind, const VexPcb_ImportOptions& theOptions,
                    PenFormatData_Model& theModel, VexPcb_TransferReport& theReport,
                    VexPcb_Nets* theNets = NULL);

  //! Loads thePath into theModel. Design files are imported with theOptions and their counts
  //! and fault go to theReport, the nets a Gerber file names to theNets when given. Every fault
  //! is reported through the context's messenger; the result is the process exit status (0 when
  //! theModel holds the model).
  static int Load(const VexHost_Context& theContext, const std::string& thePath,
                  const VexPcb_ImportOptions& theOptions, Handle(PenFormatData_Model) & theModel,
                  VexPcb_TransferReport& theReport, VexPcb_Nets* theNets = NULL);

  //! Loads thePath with the default import options, discarding the import counts.
  static int Load(const VexHost_Context& theContext, const std::string& thePath,
                  Handle(PenFormatData_Model) & theModel);

private:
  //! Loads thePath as Load() does, without keeping the model until the process ends.
  static int load(const VexHost_Context& theContext, const std::string& thePath,
                  const VexPcb_ImportOptions& theOptions, Handle(PenFormatData_Model) & theModel,
                  VexPcb_TransferReport& theReport, VexPcb_Nets* theNets);
};

#endif
