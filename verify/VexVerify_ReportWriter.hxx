// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_ReportWriter_HeaderFile
#define _VexVerify_ReportWriter_HeaderFile

#include <VexVerify_Report.hxx>

#include <Standard_OStream.hxx>

//! Writes a report for a person (text) or for a program (JSON document). Both say the same:
//! the job and the tolerance, then per check what was compared, the findings (at most a limit of
//! them listed, the counts and totals always complete) and any notes.
class VexVerify_ReportWriter
{
public:
  //! Creates a writer that lists at most theLimit findings per check (0: every one).
  VexVerify_ReportWriter(const Standard_Integer theLimit) : myLimit(theLimit) {}

  //! Writes theReport as text. Returns false when the stream fails or memory runs out.
  Standard_Boolean WriteText(const VexVerify_Report& theReport, Standard_OStream& theStream) const;

  //! Writes theReport as a JSON document. Returns false when the stream fails or memory runs out.
  Standard_Boolean WriteJson(const VexVerify_Report& theReport, Standard_OStream& theStream) const;

  //! Returns the name of theKind as both reports write it ("missing", "copper" ...).
  static const char* KindName(const VexVerify_Report::Kind theKind);

private:
  //! Writes the text; may throw (memory).
  void writeText(const VexVerify_Report& theReport, Standard_OStream& theStream) const;

  //! Writes the JSON document; may throw (memory).
  void writeJson(const VexVerify_Report& theReport, Standard_OStream& theStream) const;

  Standard_Integer myLimit; //!< findings listed per list of a check, 0 every one
};

#endif
