// Copyright (c) 2026 VexData developers
#ifndef _VexHost_DesignText_HeaderFile
#define _VexHost_DesignText_HeaderFile

#include <PenFormatData_Model.hxx>
#include <VexPcb_TransferReport.hxx>

#include <NCollection_List.hxx>

#include <ostream>
#include <string>

//! Text about design content for the subcommands: the artwork of a model (sequences that are not
//! toolpaths: drawn by render and checked by verify, never machined), what an import counted, and
//! what a machine file leaves out.
class VexHost_DesignText
{
public:
  //! Writes "Artwork: <n> sequences ..." and, per phase and layer in order of first appearance,
  //! one line per kind of artwork (areas or strokes, clear or not, per aperture) with its
  //! sequence and contour counts. Sequences on the scan-field layer are not artwork.
  static void PrintArtwork(const PenFormatData_Model& theModel, std::ostream& theStream);

  //! Writes theReport's counts (VexPcb_TransferReport::PrintCounts) with every line indented by
  //! theIndent; nothing when the report holds no count.
  static void PrintCounts(const VexPcb_TransferReport& theReport, const std::string& theIndent,
                          std::ostream& theStream);

  //! Writes what a design-file writer counted in theCounts: "Written:" with the toolpath and
  //! artwork kinds (artwork marked so), then "Left out:" with the kinds it ignored.
  static void PrintWritten(const VexPcb_TransferReport& theCounts, std::ostream& theStream);

  //! Writes what a machine file left out of theModel: theLeftOut (objects WRITEFILE did not
  //! write) per kind, with a word that artwork is never machined. Nothing when the list is empty.
  static void PrintLeftOut(const PenFormatData_Model&                            theModel,
                           const NCollection_List<Handle(PenFormatData_Object)>& theLeftOut,
                           const std::string& theIndent, std::ostream& theStream);

  //! Returns theCount and theNoun, in the plural ("s" added) unless theCount is 1.
  static std::string Counted(const Standard_Integer theCount, const std::string& theNoun);
};

#endif
