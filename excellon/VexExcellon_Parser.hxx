// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Parser_HeaderFile
#define _VexExcellon_Parser_HeaderFile

#include <VexExcellon_Keywords.hxx>
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
//! canned cycles, canned text, cutter compensation) are faults; other unknown commands are left
//! out and counted.
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

  //! Sets the bytes read from the stream at a time (0, the default: VexPcb_TextInput's).
  void SetReadSize(const size_t theSize) { myReadSize = theSize; }

  //! Reads theStream to its end, or to the first fault. Returns false after a fault (the
  //! listener has it). No exception leaves this method.
  Standard_EXPORT Standard_Boolean Parse(std::istream& theStream);

private:
  VexExcellon_Parser(const VexExcellon_Parser&);
  VexExcellon_Parser& operator=(const VexExcellon_Parser&);

  //! Hands every line of theStream to handleLine().
  void parseLines(std::istream& theStream);

  //! Sorts one line out: comment, keyword, or words of commands and coordinates.
  void handleLine(const char* theText, size_t theLength);

  //! Handles a line that is neither a keyword nor words: canned text, a message, or a command
  //! of unknown meaning.
  void handleFreeText(const char* theText, const size_t theLength);

  //! Returns false, with the fault, when theText holds a control character.
  Standard_Boolean checkText(const char* theText, const size_t theLength);

  //! Carries out the words of the current line, codes first, coordinates last.
  void handleWords();

  //! Carries out a G or M word; returns false when the rest of the line is not to be read.
  Standard_Boolean handleCode(const VexExcellon_Words::Word& theWord, Standard_Boolean& theIsSlot,
                              Standard_Boolean& theIsZero);

  //! Carries out G code theCode; sets theIsSlot for G85 and theIsZero for G93.
  Standard_Boolean handleGCode(const Standard_Integer theCode, Standard_Boolean& theIsSlot,
                               Standard_Boolean& theIsZero);

  //! Carries out M code theCode.
  Standard_Boolean handleMCode(const Standard_Integer theCode);

  //! Handles the T word theFirst and its parameters; returns the index of the word after them.
  Standard_Integer handleTool(const Standard_Integer theFirst);

  //! Hands the coordinates of the line to the machine as a zero, repeat, slot, route or hole.
  void handleCoordinates(const Standard_Boolean theIsSlot, const Standard_Boolean theIsZero);

  //! Hands a route move to theAxes, with the arc's radius or centre, to the machine.
  void handleRoute(const VexExcellon_Machine::Axes& theAxes);

  //! Decodes the number of theWord in the current format; false, with the fault, when malformed.
  Standard_Boolean readValue(const VexExcellon_Words::Word& theWord, Standard_Real& theValue,
                             const Standard_Boolean theIsWhole = Standard_False);

  //! Decodes the X and Y words from theFirst to before theLast into millimetres.
  Standard_Boolean readAxes(const Standard_Integer theFirst, const Standard_Integer theLast,
                            VexExcellon_Machine::Axes& theAxes);

  //! Reports the fault theKey at the current line.
  void fail(const char* theKey);

  //! Reports the fault theKey at the current line, quoting theWord.
  void fail(const char* theKey, const VexExcellon_Words::Word& theWord);

  VexExcellon_Machine      myMachine;       //!< where the commands go
  VexExcellon_NumberFormat myFormat;        //!< unit and number format
  VexExcellon_Keywords     myKeywords;      //!< comments and keyword lines
  VexExcellon_Words        myWords;         //!< words of the current line
  size_t                   myReadSize;      //!< bytes read from the stream at a time
  Standard_Boolean         isDefaultMetric; //!< unit of a file that states none
  Standard_Boolean         isHeader;        //!< between M48 and % or M95
  Standard_Boolean         isEnded;         //!< after M30 or M00
};

#endif
