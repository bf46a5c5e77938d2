// Copyright (c) 2026 VexData developers
#include <VexGerber_Tallies.hxx>

Standard_Integer VexGerber_Tallies::find(const VexPcb_TransferReport::Outcome theOutcome,
                                         const Standard_CString               theKind,
                                         const Standard_Integer               theFirst,
                                         const Standard_Integer               theLast) const
{
  for (Standard_Integer anIndex = theFirst; anIndex < theLast; ++anIndex)
  {
    const Tally& aTally = myTallies(anIndex);
    if (aTally.Kind == theKind && aTally.Outcome == theOutcome)
    {
      return anIndex;
    }
  }
  return -1;
}

void VexGerber_Tallies::countOther(const VexPcb_TransferReport::Outcome theOutcome,
                                   const Standard_CString               theKind)
{
  Standard_Integer anIndex = find(theOutcome, theKind, myLast, myTallies.Length());
  if (anIndex < 0)
  {
    anIndex = find(theOutcome, theKind, 0, myLast);
  }
  if (anIndex < 0)
  {
    const Tally aTally = {theOutcome, theKind, 0};
    myTallies.Append(aTally);
    anIndex = myTallies.Length() - 1;
  }
  myLastTally = &myTallies.ChangeValue(anIndex);
  ++myLastTally->Count;
  myLast = anIndex;
}

void VexGerber_Tallies::Flush(VexPcb_TransferReport& theReport)
{
  for (NCollection_Vector<Tally>::Iterator anIter(myTallies); anIter.More(); anIter.Next())
  {
    theReport.Add(anIter.Value().Outcome, anIter.Value().Kind, anIter.Value().Count);
  }
  myTallies.Clear();
  myLast      = 0;
  myLastTally = NULL;
}
