// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Tallies_HeaderFile
#define _VexGerber_Tallies_HeaderFile

#include <VexPcb_TransferReport.hxx>

#include <NCollection_Vector.hxx>

//! The counts of a Gerber import kept until they go to the report, cheap per feature: a file
//! counts millions of features of a few kinds, and the kinds are string literals, found by
//! their address, the kind counted last first.
class VexGerber_Tallies
{
public:
  //! Creates empty counts.
  VexGerber_Tallies() : myLast(0), myLastTally(NULL) {}

  //! Counts one feature of theKind (a string literal) with theOutcome.
  void Count(const VexPcb_TransferReport::Outcome theOutcome, const Standard_CString theKind)
  {
    // A file of a million flashes counts the same kind a million times in a row.
    if (myLastTally != NULL && myLastTally->Kind == theKind && myLastTally->Outcome == theOutcome)
    {
      ++myLastTally->Count;
      return;
    }
    countOther(theOutcome, theKind);
  }

  //! Adds the counts to theReport and starts again from none.
  Standard_EXPORT void Flush(VexPcb_TransferReport& theReport);

private:
  //! A count of one kind.
  struct Tally
  {
    VexPcb_TransferReport::Outcome Outcome; //!< outcome
    Standard_CString               Kind;    //!< kind, a string literal
    Standard_Integer               Count;   //!< features counted
  };

  //! Counts one feature of a kind other than the one counted last.
  Standard_EXPORT void countOther(const VexPcb_TransferReport::Outcome theOutcome,
                                  const Standard_CString               theKind);

  //! Returns the index of theKind with theOutcome from theFirst to before theLast, or -1.
  Standard_Integer find(const VexPcb_TransferReport::Outcome theOutcome,
                        const Standard_CString theKind, const Standard_Integer theFirst,
                        const Standard_Integer theLast) const;

  NCollection_Vector<Tally> myTallies;   //!< counts in first-counted order
  Standard_Integer          myLast;      //!< index of the kind counted last
  Tally*                    myLastTally; //!< the kind counted last (a vector's items stay put)
};

#endif
