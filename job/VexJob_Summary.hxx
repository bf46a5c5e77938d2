// Copyright (c) 2026 VexData developers
#ifndef _VexJob_Summary_HeaderFile
#define _VexJob_Summary_HeaderFile

#include <VexJob_Maker.hxx>

#include <ostream>

//! The summary of a job for the operator, phase by phase: per toolpath its tool, its holes or
//! contours (arcs and segments), cut length and travel before and after ordering, the notes of
//! the phase, the drilling table (design diameter, count, tool, difference) and the number of
//! places not machined as designed.
class VexJob_Summary
{
public:
  //! Prints the summary of theMaker's job on theStream.
  static void Print(const VexJob_Maker& theMaker, std::ostream& theStream);

  //! Prints the drilling table of theReport on theStream (nothing when it has no row).
  static void PrintHoles(const VexJob_Report& theReport, std::ostream& theStream);
};

#endif
