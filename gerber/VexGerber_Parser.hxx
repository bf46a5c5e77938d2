// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Parser_HeaderFile
#define _VexGerber_Parser_HeaderFile

#include <VexGerber_Extended.hxx>

#include <string>

//! The grammar of a Gerber (RS-274X) file: splits the bytes into word commands (ended by '*')
//! and extended commands (between '%' signs), keeps the line number current in the fault record,
//! reads coordinates with the file's format and hands every command to a VexGerber_ParserSink.
//! It knows nothing of what the commands draw. One pass over the bytes, no allocation per word
//! command: the time is linear in the size of the file.
class VexGerber_Parser
{
public:
  //! Creates a parser that reports to theSink and records faults in theFault.
  Standard_EXPORT VexGerber_Parser(VexGerber_ParserSink& theSink, VexGerber_Fault& theFault,
                                   const VexGerber_Limits& theLimits);

  //! Parses theSize bytes from theData up to M02 or the end. Returns false on the first fault
  //! (of the grammar or of the sink), recorded in the fault record with its line.
  Standard_EXPORT Standard_Boolean Parse(const char* theData, const size_t theSize);

private:
  //! Reads the word command at the current position, up to and including its '*'.
  Standard_Boolean word();

  //! Reads the coordinate whose letter (X, Y, I or J) is at the current position into theCoords.
  Standard_Boolean axis(VexGerber_Coordinates& theCoords);

  //! Reads the G code at the current position and handles it; a G04 comment (isComment) is read
  //! up to and including its '*'.
  Standard_Boolean gWord(Standard_Boolean& isComment);

  //! Reads the number of an M code after its letter; M00, M01 and M02 end the file.
  Standard_Boolean mCode();

  //! Reads the comment after G04 up to and including its '*'.
  Standard_Boolean comment();

  //! Handles G code theCode of a word command; sets isEnd for M-like stops.
  Standard_Boolean gCode(const Standard_Integer theCode);

  //! Handles the D code and the coordinates that a word command ended with.
  Standard_Boolean operation(const Standard_Integer       theDCode,
                             const VexGerber_Coordinates& theCoords);

  //! Reads a coordinate value after its letter, with the digits of the given axis.
  Standard_Boolean coordinate(const Standard_Integer theInteger, const Standard_Integer theDecimal,
                              Standard_Real& theValue);

  //! Reads the extended command block at the current position (after its '%').
  Standard_Boolean extendedBlock();

  //! Reads one piece of an extended block, up to '*' or '%', without line breaks, into myPiece;
  //! theEnded tells that the closing '%' was reached.
  Standard_Boolean extendedPiece(Standard_Boolean& theEnded);

  //! Handles the piece in myPiece: a macro statement while myMacro is open, else a command.
  Standard_Boolean extendedCommand();

  //! Returns the current position as a short text for a message.
  TCollection_AsciiString here() const;

  VexGerber_ParserSink&   mySink;      //!< where commands go
  VexGerber_Fault&        myFault;     //!< faults and the current line
  const VexGerber_Limits& myLimits;    //!< bounds of macros
  VexGerber_Extended      myExtended;  //!< extended command handler
  VexGerber_Format        myFormat;    //!< coordinate format
  Standard_Boolean        hasFormat;   //!< %FS was read
  Standard_Boolean        isEnd;       //!< M02 was read
  const char*             myPos;       //!< current position
  const char*             myEnd;       //!< end of the data
  Standard_Integer        myLine;      //!< current line, from 1
  Standard_Integer        myPieceLine; //!< line where the current piece starts
  Standard_Integer        myBlockLine; //!< line where the current extended block starts
  std::string             myPiece;     //!< current piece of an extended block
  Handle(VexGerber_Macro) myMacro;     //!< macro being read, null outside %AM
};

#endif
