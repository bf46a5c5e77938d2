// Copyright (c) 2026 VexData developers
#include <VexHost_DesignText.hxx>

#include <VexHost_Text.hxx>

#include <VexData_Format.hxx>

#include <PenFormatData_Sequence.hxx>

#include <sstream>
#include <utility>
#include <vector>

namespace
{
//! Sequences and contours of one kind of artwork.
struct Tally
{
  std::string      Kind;          //!< what the line says
  Standard_Integer Sequences = 0; //!< sequences of this kind
  Standard_Integer Contours  = 0; //!< their contours
};

//! Returns the tally of theKind among theTallies, added when missing.
Tally& tallyOf(std::vector<Tally>& theTallies, const std::string& theKind)
{
  for (Tally& aTally : theTallies)
  {
    if (aTally.Kind == theKind)
    {
      return aTally;
    }
  }
  theTallies.push_back(Tally());
  theTallies.back().Kind = theKind;
  return theTallies.back();
}

//! Returns the tallies of theGroup among theGroups, added when missing.
std::vector<Tally>& groupOf(std::vector<std::pair<std::string, std::vector<Tally>>>& theGroups,
                            const std::string&                                       theGroup)
{
  for (auto& aGroup : theGroups)
  {
    if (aGroup.first == theGroup)
    {
      return aGroup.second;
    }
  }
  theGroups.emplace_back(theGroup, std::vector<Tally>());
  return theGroups.back().second;
}

//! Returns the aperture's shape as a word.
const char* shapeName(const Handle(PenFormatData_Aperture) & theAperture)
{
  switch (theAperture.IsNull() ? 0 : theAperture->ShapeCode())
  {
  case PenFormatData_Aperture::Shape_Round:
    return "round";
  case PenFormatData_Aperture::Shape_Rectangle:
    return "rectangle";
  case PenFormatData_Aperture::Shape_Obround:
    return "obround";
  case PenFormatData_Aperture::Shape_Polygon:
    return "polygon";
  case PenFormatData_Aperture::Shape_Macro:
    return "macro";
  }
  return "unknown shape";
}

//! Returns the kind of artwork theSeq is, as the summary names it.
std::string kindOf(const PenFormatData_Model& theModel, const PenFormatData_Sequence& theSeq)
{
  std::string            aKind = theSeq.IsClear() ? "clear " : "";
  const Standard_Boolean isFlashes =
      !theSeq.IsArea() && theSeq.ToolpathMode() == PenFormatData_TM_Point;
  aKind += theSeq.IsArea() ? "filled outlines" : (isFlashes ? "flashes" : "lines and points");
  const Standard_Integer aNumber = theSeq.ApertureNumber();
  if (aNumber > 0)
  {
    aKind += " of aperture " + std::to_string(aNumber) + " \"" +
             VexHost_Text::ApertureName(theModel, aNumber) + "\" (" +
             shapeName(theModel.Aperture(aNumber)) + ")";
  }
  else if (theSeq.IsArea())
  {
    aKind += " (regions)";
  }
  return aKind;
}

//! Returns true for a sequence that is artwork: not a toolpath and not a scan-field frame.
bool isArtwork(const Handle(PenFormatData_Sequence) & theSeq)
{
  return !theSeq.IsNull() && theSeq->ToolpathFlag() == 0 &&
         VexHost_Text::Utf8(theSeq->LayerName()) != VexData_Format::THE_SCAN_FIELD_LAYER;
}
} // namespace

std::string VexHost_DesignText::Counted(const Standard_Integer theCount, const std::string& theNoun)
{
  return std::to_string(theCount) + " " + theNoun + (theCount == 1 ? "" : "s");
}

void VexHost_DesignText::PrintArtwork(const PenFormatData_Model& theModel, std::ostream& theStream)
{
  std::vector<std::pair<std::string, std::vector<Tally>>> aGroups;
  Standard_Integer                                        aCount = 0;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (!isArtwork(aSeq))
    {
      continue;
    }
    ++aCount;
    const std::string aGroup = "phase \"" + VexHost_Text::Utf8(aSeq->PhaseName()) + "\", layer \"" +
                               VexHost_Text::Utf8(aSeq->LayerName()) + "\"";
    Tally& aTally = tallyOf(groupOf(aGroups, aGroup), kindOf(theModel, *aSeq));
    ++aTally.Sequences;
    aTally.Contours += aSeq->GetCurve().IsNull() ? 0 : aSeq->GetCurve()->Children().Extent();
  }
  theStream << "Artwork (not toolpaths): " << Counted(aCount, "sequence") << "\n";
  for (const auto& aGroup : aGroups)
  {
    theStream << "  " << aGroup.first << "\n";
    for (const Tally& aTally : aGroup.second)
    {
      theStream << "    " << aTally.Kind << ": " << Counted(aTally.Sequences, "sequence") << ", "
                << Counted(aTally.Contours, "contour") << "\n";
    }
  }
}

void VexHost_DesignText::PrintCounts(const VexPcb_TransferReport& theReport,
                                     const std::string& theIndent, std::ostream& theStream)
{
  std::ostringstream aText;
  theReport.PrintCounts(aText);
  std::istringstream aLines(aText.str());
  for (std::string aLine; std::getline(aLines, aLine);)
  {
    theStream << theIndent << aLine << "\n";
  }
}

void VexHost_DesignText::PrintLeftOut(
    const PenFormatData_Model&                            theModel,
    const NCollection_List<Handle(PenFormatData_Object)>& theLeftOut, const std::string& theIndent,
    std::ostream& theStream)
{
  std::vector<Tally> aTallies;
  Standard_Boolean   hasArtwork = Standard_False;
  for (const Handle(PenFormatData_Object) & anObject : theLeftOut)
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    std::string aKind;
    if (isArtwork(aSeq))
    {
      hasArtwork = Standard_True;
      aKind      = "artwork, " + kindOf(theModel, *aSeq);
    }
    else
    {
      // Scan-field frames: the machine file keeps its scan fields in a table of their own.
      aKind = aSeq.IsNull() ? VexHost_Text::Describe(theModel, anObject) : "scan-field frames";
    }
    Tally& aTally = tallyOf(aTallies, aKind);
    ++aTally.Sequences;
    aTally.Contours +=
        aSeq.IsNull() || aSeq->GetCurve().IsNull() ? 0 : aSeq->GetCurve()->Children().Extent();
  }
  if (aTallies.empty())
  {
    return;
  }
  theStream << theIndent
            << "Left out of the machine file: " << Counted(theLeftOut.Extent(), "object") << "\n";
  for (const Tally& aTally : aTallies)
  {
    theStream << theIndent << "  " << aTally.Kind << ": " << Counted(aTally.Sequences, "sequence")
              << ", " << Counted(aTally.Contours, "contour") << "\n";
  }
  if (hasArtwork)
  {
    theStream << theIndent
              << "  Artwork is drawn by vex render and checked by vex verify, but a machine file "
                 "holds toolpaths only: it is never machined.\n";
  }
}

void VexHost_DesignText::PrintWritten(const VexPcb_TransferReport& theCounts,
                                      std::ostream&                theStream)
{
  typedef NCollection_IndexedDataMap<TCollection_AsciiString, Standard_Integer> KindCounts;
  const KindCounts& aToolpaths = theCounts.Counts(VexPcb_TransferReport::Outcome_Toolpath);
  const KindCounts& anArtwork  = theCounts.Counts(VexPcb_TransferReport::Outcome_Artwork);
  const KindCounts& aLeftOut   = theCounts.Counts(VexPcb_TransferReport::Outcome_Ignored);
  theStream << "Written:" << (aToolpaths.IsEmpty() && anArtwork.IsEmpty() ? " nothing\n" : "\n");
  for (Standard_Integer anIndex = 1; anIndex <= aToolpaths.Extent(); ++anIndex)
  {
    theStream << "  " << aToolpaths.FindFromIndex(anIndex) << " " << aToolpaths.FindKey(anIndex)
              << "\n";
  }
  for (Standard_Integer anIndex = 1; anIndex <= anArtwork.Extent(); ++anIndex)
  {
    theStream << "  " << anArtwork.FindFromIndex(anIndex) << " " << anArtwork.FindKey(anIndex)
              << " (artwork)\n";
  }
  if (!aLeftOut.IsEmpty())
  {
    theStream << "Left out:\n";
  }
  for (Standard_Integer anIndex = 1; anIndex <= aLeftOut.Extent(); ++anIndex)
  {
    theStream << "  " << aLeftOut.FindFromIndex(anIndex) << " " << aLeftOut.FindKey(anIndex)
              << "\n";
  }
}
