// Copyright (c) 2026 VexData developers
#ifndef _VexPcb_TransferReport_HeaderFile
#define _VexPcb_TransferReport_HeaderFile

#include <VexPcb_Fault.hxx>

#include <Message_Msg.hxx>
#include <NCollection_IndexedDataMap.hxx>
#include <Standard_OStream.hxx>
#include <TCollection_AsciiString.hxx>

//! What a transfer of a design file (an import or an export) did, for the user: how many features
//! of each kind became toolpaths, how many were kept in the model only as artwork (objects that are
//! not toolpaths, drawn but never machined), how many were ignored, and the fault that stopped the
//! import.
//!
//! Kinds are short plural nouns chosen by each reader ("holes", "slots", "draws", "regions",
//! "flashes of rectangular apertures", "attributes" ...); they are listed in the order in which
//! they were first counted.
class VexPcb_TransferReport
{
public:
  //! What became of the features of one kind.
  enum Outcome
  {
    Outcome_Toolpath, //!< imported as toolpaths
    Outcome_Artwork,  //!< kept as objects that are not toolpaths
    Outcome_Ignored   //!< read and left out of the model
  };

  //! Creates an empty report.
  Standard_EXPORT VexPcb_TransferReport();

  //! Counts theCount features of theKind with theOutcome.
  Standard_EXPORT void Add(const Outcome theOutcome, const TCollection_AsciiString& theKind,
                           const Standard_Integer theCount = 1);

  //! Returns how many features of theKind had theOutcome.
  Standard_EXPORT Standard_Integer Count(const Outcome                  theOutcome,
                                         const TCollection_AsciiString& theKind) const;

  //! Returns the kinds counted with theOutcome and their counts, in first-counted order.
  const NCollection_IndexedDataMap<TCollection_AsciiString, Standard_Integer>& Counts(
      const Outcome theOutcome) const
  {
    return myCounts[theOutcome];
  }

  //! Records the fault that stopped the import: a catalogue message (its key and arguments)
  //! and the 1-based line of the file where it was found. Only the first fault is kept.
  Standard_EXPORT void SetFault(const Standard_Integer theLine, const Message_Msg& theMessage);

  //! Records theFault, found by a reader at its line, as the fault that stopped the import (only
  //! the first fault is kept).
  Standard_EXPORT void SetFault(const VexPcb_Fault& theFault);

  //! Records a warning: something the file does wrong that the reader read past.
  Standard_EXPORT void AddWarning(const VexPcb_Fault& theWarning);

  //! Returns the warnings, in the order they were found.
  const NCollection_Vector<VexPcb_Fault>& Warnings() const { return myWarnings; }

  //! Returns true when the import stopped on a fault.
  Standard_Boolean HasFault() const { return myFaultLine > 0; }

  //! Returns the line of the fault (0: none).
  Standard_Integer FaultLine() const { return myFaultLine; }

  //! Returns the message of the fault.
  const Message_Msg& Fault() const { return myFault; }

  //! Writes the counts as lines "  <count> <kind>" under one heading per outcome that has any:
  //! "Toolpaths:", "Kept as artwork (not toolpaths):" and "Ignored:", then the texts of the
  //! warnings under "Warnings:" when there are any.
  Standard_EXPORT void PrintCounts(Standard_OStream& theStream) const;

private:
  NCollection_IndexedDataMap<TCollection_AsciiString, Standard_Integer>
                                   myCounts[3]; //!< counts by kind, per outcome
  Message_Msg                      myFault;     //!< first fault
  Standard_Integer                 myFaultLine; //!< its line, 0 when there is none
  NCollection_Vector<VexPcb_Fault> myWarnings;  //!< warnings in the order found
};

#endif
