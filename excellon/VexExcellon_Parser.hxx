// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Parser_HeaderFile
#define _VexExcellon_Parser_HeaderFile

#include <VexExcellon_Machine.hxx>
#include <VexExcellon_NumberFormat.hxx>
#include <VexExcellon_Words.hxx>

#include <istream>

//! Reads the text of an Excellon drill file line by line and tells a VexExcellon_Listener what
//! it finds: tools, holes, slots and routes, what it leaves out, and the fault that stops it.
//!
//! Grammar understood: the header (M48 up to % or M95) with METRIC/INCH, LZ/TZ, a number
//! pattern (000.000), FMAT, ICI, VER and tool definitions whose parameters (C diameter, F, S,
//! B, H, Z) come in any order; comments (";"), attribute comments (";#@!") and the
//! ";FILE_FORMAT=i:d" comment some tools write to give the digits; in the body tool changes
//! (T0 unloads the tool unless it was defined), M71/M72 units, G90/G91 and ICI, G93 zero set,
//! holes with modal X/Y and R repeats, G05/G81 drill mode, G85 slots, routes (G00 moves, M15
//! plunge, M16/M17 retract, G01 lines, G02/G03 arcs with an A radius or I/J centre offsets),
//! and M30/M00 ending the program. Commands whose geometry the parser cannot make (patterns,
//! canned cycles, cutter compensation) are faults; other unknown commands are left out and
//! counted.
//!
//! The work is linear in the size of the file: lines are limited in length and repeats in
//! number, each with a fault of its own.
class VexExcellon_Parser
{
public:
  //! Longest line accepted, in bytes.
  static const Standard_Integer THE_LINE_LIMIT = 4096;

  //! Largest tool number.
  static const Standard_Integer THE_TOOL_LIMIT = 9999;

  //! Creates a parser that reports to theListener.
  Standard_EXPORT VexExcellon_Parser(VexExcellon_Listener& theListener);

  //! Sets the unit of a file that never states one (inches unless told otherwise).
  void SetDefaultMetric(const Standard_Boolean theIsMetric) { isDefaultMetric = theIsMetric; }

  //! Reads theStream to its end, or to the first fault. Returns false after a fault (the
  //! listener has it). No exception leaves this method.
  Standard_EXPORT Standard_Boolean Parse(std::istream& theStream);

private:
  VexExcellon_Parser(const VexExcellon_Parser&);
  VexExcellon_Parser& operator=(const VexExcellon_Parser&);

  void             parseLines(std::istream& theStream);
  void             handleLine(const char* theText, size_t theLength);
  Standard_Boolean checkText(const char* theText, const size_t theLength);
  void             handleComment(const char* theText, size_t theLength);
  void             handleKeyword(const char* theText, size_t theLength);
  void handleUnit(const Standard_Boolean theIsMetric, const char* theText, size_t theLength);
  void handleWords();
  Standard_Boolean handleCode(const VexExcellon_Words::Word& theWord, Standard_Boolean& theIsSlot,
                              Standard_Boolean& theIsZero);
  Standard_Boolean handleGCode(const Standard_Integer theCode, Standard_Boolean& theIsSlot,
                               Standard_Boolean& theIsZero);
  Standard_Boolean handleMCode(const Standard_Integer theCode);
  Standard_Integer handleTool(const Standard_Integer theFirst);
  void handleCoordinates(const Standard_Boolean theIsSlot, const Standard_Boolean theIsZero);
  void handleRoute(const VexExcellon_Machine::Axes& theAxes);
  void setMetric(const Standard_Boolean theIsMetric);
  Standard_Boolean readValue(const VexExcellon_Words::Word& theWord, Standard_Real& theValue,
                             const Standard_Boolean theIsWhole = Standard_False);
  Standard_Boolean readAxes(const Standard_Integer theFirst, const Standard_Integer theLast,
                            VexExcellon_Machine::Axes& theAxes);
  void             fail(const char* theKey);
  void             fail(const char* theKey, const VexExcellon_Words::Word& theWord);

  VexExcellon_Machine      myMachine;       //!< where the commands go
  VexExcellon_NumberFormat myFormat;        //!< unit and number format
  VexExcellon_Words        myWords;         //!< words of the current line
  Standard_Boolean         isDefaultMetric; //!< unit of a file that states none
  Standard_Boolean         isHeader;        //!< between M48 and % or M95
  Standard_Boolean         isEnded;         //!< after M30 or M00
};

#endif
