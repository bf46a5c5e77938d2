// Copyright (c) 2026 VexData developers
#include <VexPcb_TransferReport.hxx>

namespace
{
const char* const THE_HEADINGS[] = {"Toolpaths:", "Kept as artwork (not toolpaths):", "Ignored:"};
} // namespace

VexPcb_TransferReport::VexPcb_TransferReport() : myFaultLine(0)
{
}

void VexPcb_TransferReport::Add(const Outcome theOutcome, const TCollection_AsciiString& theKind,
                                const Standard_Integer theCount)
{
  if (Standard_Integer* aCount = myCounts[theOutcome].ChangeSeek(theKind))
  {
    *aCount += theCount;
    return;
  }
  myCounts[theOutcome].Add(theKind, theCount);
}

Standard_Integer VexPcb_TransferReport::Count(const Outcome                  theOutcome,
                                              const TCollection_AsciiString& theKind) const
{
  const Standard_Integer* aCount = myCounts[theOutcome].Seek(theKind);
  return aCount != NULL ? *aCount : 0;
}

void VexPcb_TransferReport::SetFault(const Standard_Integer theLine, const Message_Msg& theMessage)
{
  if (myFaultLine > 0)
  {
    return;
  }
  myFaultLine = theLine > 0 ? theLine : 1;
  myFault     = theMessage;
}

void VexPcb_TransferReport::SetFault(const VexPcb_Fault& theFault)
{
  SetFault(theFault.Line(), theFault.Message());
}

void VexPcb_TransferReport::AddWarning(const VexPcb_Fault& theWarning)
{
  myWarnings.Append(theWarning);
}

void VexPcb_TransferReport::PrintCounts(Standard_OStream& theStream) const
{
  for (int anOutcome = 0; anOutcome < 3; ++anOutcome)
  {
    const NCollection_IndexedDataMap<TCollection_AsciiString, Standard_Integer>& aCounts =
        myCounts[anOutcome];
    if (aCounts.IsEmpty())
    {
      continue;
    }
    theStream << THE_HEADINGS[anOutcome] << "\n";
    for (Standard_Integer anIndex = 1; anIndex <= aCounts.Extent(); ++anIndex)
    {
      theStream << "  " << aCounts.FindFromIndex(anIndex) << " " << aCounts.FindKey(anIndex)
                << "\n";
    }
  }
  if (!myWarnings.IsEmpty())
  {
    theStream << "Warnings:\n";
  }
  for (NCollection_Vector<VexPcb_Fault>::Iterator anIter(myWarnings); anIter.More(); anIter.Next())
  {
    Message_Msg aMessage = anIter.Value().Message();
    theStream << "  " << TCollection_AsciiString(aMessage.Get()) << "\n";
  }
}
