// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Reader_HeaderFile
#define _VexGerber_Reader_HeaderFile

#include <VexGerber_Limits.hxx>
#include <VexPcb_Nets.hxx>

#include <PenFormatData_Model.hxx>
#include <VexPcb_ImportOptions.hxx>
#include <VexPcb_TransferReport.hxx>

#include <istream>

//! Imports Gerber (RS-274X, X2) artwork into a pen-format model. VexGerber_Parser reads the
//! file and tells VexGerber_ModelBuilder what it draws, which builds the model.
//!
//! The model is in millimetres (inch files are converted, times 25.4) when it was empty, else
//! the file is converted to the model's unit. Every aperture of the file becomes a model
//! aperture named after its D code ("D10"; "D10_1" when the name is taken by a different
//! aperture): a circle without hole is shape Round with its diameter and the tool flag 1; the
//! others keep their shape code and parameters with the tool flag 0. What the file draws becomes
//! sequences in drawing order (see VexGerber_ModelBuilder): strokes and flashes of round
//! apertures are path and point toolpaths, everything else is artwork (areas and clear objects,
//! not toolpaths). Every object gets the phase and layer of the options ("Milling" and
//! "Artwork" by default) and the layer is registered in the model. The report counts every kind
//! of feature: toolpaths, artwork, and what was read and ignored (attributes, comments ...), and
//! holds the warnings (commands skipped, invalid constructs read anyway), which also go to the
//! model's messenger. Where the file names the nets of its objects (X2 object attributes), the
//! net of every sequence added is filed in a VexPcb_Nets given to Read.
//!
//! A file that cannot be read gives false, the fault (a catalogue key whose first argument is
//! the line) in the report and also sent to the model's messenger as a fail message, and leaves
//! the model as it was. Several files can be read into one model, one call each.
class VexGerber_Reader
{
public:
  //! Returns true when theSize bytes from theHead (the start of a file) look like Gerber: text
  //! with '*'-ended commands and one of the extended commands that only Gerber has (%FS, %MO,
  //! %AD, %AM, %TF ...) or a G04 comment at the start. Excellon drill files and machine files
  //! are not claimed.
  Standard_EXPORT static Standard_Boolean Probe(const char* theHead, const size_t theSize);

  //! Reads the Gerber file in theStream into theModel with the default limits; false on a fault
  //! (see the class description). The stream is read a chunk at a time (theOptions.ReadSize);
  //! the polygon work allowed grows with the bytes from its position to its end, which a stream
  //! that cannot seek (a pipe) does not tell: it gets the fixed allowance only.
  Standard_EXPORT static Standard_Boolean Read(std::istream&               theStream,
                                               const VexPcb_ImportOptions& theOptions,
                                               PenFormatData_Model&        theModel,
                                               VexPcb_TransferReport&      theReport);

  //! Reads like Read above, with the bounds theLimits instead of the defaults.
  Standard_EXPORT static Standard_Boolean Read(std::istream&               theStream,
                                               const VexPcb_ImportOptions& theOptions,
                                               const VexGerber_Limits&     theLimits,
                                               PenFormatData_Model&        theModel,
                                               VexPcb_TransferReport&      theReport);

  //! Reads like Read above and files the net of every sequence added in theNets (which keeps
  //! what earlier reads filed).
  Standard_EXPORT static Standard_Boolean Read(std::istream&               theStream,
                                               const VexPcb_ImportOptions& theOptions,
                                               const VexGerber_Limits&     theLimits,
                                               PenFormatData_Model&        theModel,
                                               VexPcb_TransferReport&      theReport,
                                               VexPcb_Nets&                theNets);

  //! Reads theSize bytes from theData like Read above.
  Standard_EXPORT static Standard_Boolean ReadBuffer(const char* theData, const size_t theSize,
                                                     const VexPcb_ImportOptions& theOptions,
                                                     const VexGerber_Limits&     theLimits,
                                                     PenFormatData_Model&        theModel,
                                                     VexPcb_TransferReport&      theReport);

  //! Reads theSize bytes from theData like Read above, filing the nets in theNets.
  Standard_EXPORT static Standard_Boolean ReadBuffer(const char* theData, const size_t theSize,
                                                     const VexPcb_ImportOptions& theOptions,
                                                     const VexGerber_Limits&     theLimits,
                                                     PenFormatData_Model&        theModel,
                                                     VexPcb_TransferReport&      theReport,
                                                     VexPcb_Nets&                theNets);

  //! Phase given to the objects when the options name none.
  static constexpr const char* THE_DEFAULT_PHASE = "Milling";

  //! Layer given to the objects when the options name none.
  static constexpr const char* THE_DEFAULT_LAYER = "Artwork";
};

#endif
