// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Keywords_HeaderFile
#define _VexExcellon_Keywords_HeaderFile

#include <VexExcellon_Machine.hxx>
#include <VexExcellon_NumberFormat.hxx>
#include <VexExcellon_Words.hxx>

//! The lines of a drill file that are not commands and coordinates, for VexExcellon_Parser:
//! comments (attribute comments, and the ";FILE_FORMAT=i:d" comment that gives the digits) and
//! lines that start with a keyword (METRIC or INCH with their zeros and digit pattern, ICI, FMAT
//! and the machine settings). What they state goes to the number format and to the machine.
class VexExcellon_Keywords
{
public:
  //! Creates the handler of the lines of theMachine's file, read in theFormat.
  VexExcellon_Keywords(VexExcellon_Machine& theMachine, VexExcellon_NumberFormat& theFormat)
      : myMachine(theMachine), myFormat(theFormat)
  {
  }

  //! Handles the comment theText (from its semicolon on).
  void Comment(const char* theText, size_t theLength);

  //! Handles a line that starts with a keyword.
  void Keyword(const char* theText, size_t theLength);

  //! Sets the unit as the file states it (a keyword, M71 or M72).
  void SetMetric(const Standard_Boolean theIsMetric);

private:
  //! Handles the unit keyword and what follows it (",LZ", ",TZ", a digit pattern).
  void unit(const Standard_Boolean theIsMetric, const char* theText, size_t theLength);

  VexExcellon_Machine&      myMachine; //!< where findings and faults go
  VexExcellon_NumberFormat& myFormat;  //!< unit and number format
};

#endif
