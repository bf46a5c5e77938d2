// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Parser_HeaderFile
#define _VexGerber_Parser_HeaderFile

#include <VexGerber_Extended.hxx>
#include <VexPcb_TextInput.hxx>

#include <string>

//! Reads the bytes of a Gerber (RS-274X, X2) file and tells a VexGerber_Listener what it draws.
//! The grammar is here: the bytes split into word commands (ended by '*') and extended commands
//! (between '%' signs), coordinates read with the file's format; the graphics state
//! (VexGerber_Graphics) turns the commands into objects. Every fault, of the grammar or of the
//! parts behind it, is placed here on the line of the command that caused it and handed to the
//! listener with OnFault; warnings are placed and handed on the same way. One pass over the
//! bytes, no allocation per word command: the time is linear in the size of the file. The bytes
//! come through a VexPcb_TextInput, widened to a whole command before the command is read, so
//! that no command is ever cut where a read of the stream ended.
class VexGerber_Parser
{
public:
  //! Creates a parser that reports to theListener; the first fault is kept in theFault, which
  //! the listener may fill too. isInch is the unit of a file that states none.
  Standard_EXPORT VexGerber_Parser(VexGerber_Listener& theListener, VexPcb_Fault& theFault,
                                   const VexGerber_Limits& theLimits,
                                   const Standard_Boolean  isInch);

  //! Parses theInput up to M02 (or M00) or its end. Returns false on the first fault, which the
  //! listener has been given. No exception leaves this method.
  Standard_EXPORT Standard_Boolean Parse(VexPcb_TextInput& theInput);

private:
  //! Widens the bytes at hand from the current position to theCount unless the input ends
  //! first; false, with the fault, when the input failed.
  Standard_Boolean ensure(const size_t theCount);

  //! Widens the bytes at hand from the current position up to one of theStops or the end of
  //! the input; false, with the fault, when the input failed.
  Standard_Boolean gather(const char* theStops);

  //! Takes the bytes at hand from the input after it was widened.
  void takeWindow();

  //! Reads the commands up to the end; false on a fault.
  Standard_Boolean commands();

  //! Reads the word command at the current position, up to and including its '*'.
  Standard_Boolean word();

  //! Reads the X, Y, I or J at the current position and its value into theCoords.
  Standard_Boolean axis(VexGerber_Coordinates& theCoords);

  //! Reads the G, D or M code at the current position: a D code goes into theDCode (one per
  //! word), G and M codes are handled, and one this reader does not know goes into theUnknown;
  //! isComment tells that the code is G04, whose comment follows.
  Standard_Boolean code(Standard_Integer& theDCode, TCollection_AsciiString& theUnknown,
                        Standard_Boolean& isComment);

  //! Reads the comment after G04 up to and including its '*'; an attribute written as a
  //! comment ("G04 #@! TO.N,...") is read as the attribute.
  Standard_Boolean comment();

  //! Handles G code theCode of a word command; a code this reader does not know goes into
  //! theUnknown.
  Standard_Boolean gCode(const Standard_Integer theCode, TCollection_AsciiString& theUnknown);

  //! Handles M code theCode of a word command; a code this reader does not know goes into
  //! theUnknown.
  Standard_Boolean mCode(const Standard_Integer theCode, TCollection_AsciiString& theUnknown);

  //! Handles the D code and the coordinates that a word command ended with; theUnknown names a
  //! G or M code of the command that this reader does not know.
  Standard_Boolean operation(const Standard_Integer         theDCode,
                             const VexGerber_Coordinates&   theCoords,
                             const TCollection_AsciiString& theUnknown);

  //! Reads a coordinate value after its letter, with the digits of the given axis.
  Standard_Boolean coordinate(const Standard_Integer theInteger, const Standard_Integer theDecimal,
                              Standard_Real& theValue);

  //! Returns a fault for the character at the current position, which starts no word command.
  Standard_Boolean strayCharacter();

  //! Reads the extended command block at the current position (after its '%').
  Standard_Boolean extendedBlock();

  //! Reads one piece of an extended block, up to '*' or '%', without line breaks, into myPiece;
  //! theEnded tells that the closing '%' was reached.
  Standard_Boolean extendedPiece(Standard_Boolean& theEnded);

  //! Handles the piece in myPiece: a macro statement while myMacro is open, else a command.
  Standard_Boolean extendedCommand();

  //! Returns true when myPiece is a word command (a code letter and a number): the block it
  //! stands in was never closed.
  Standard_Boolean isWordInBlock() const;

  //! Records theFault unless one is recorded; returns false.
  Standard_Boolean fail(const VexPcb_Fault& theFault) { return myFault.Fail(theFault); }

  //! Places the warnings of the graphics state on the line of the command and hands them on.
  void placeWarnings();

  //! Returns the current position as a short text for a message.
  TCollection_AsciiString here();

  VexGerber_Listener&     myListener;    //!< where objects, warnings and the fault go
  VexPcb_Fault&           myFault;       //!< the first fault
  const VexGerber_Limits& myLimits;      //!< bounds of macros
  VexGerber_Format        myFormat;      //!< coordinate format
  Standard_Boolean        hasFormat;     //!< %FS was read
  VexGerber_Graphics      myGraphics;    //!< the graphics state
  VexGerber_Extended      myExtended;    //!< extended command handler
  Standard_Boolean        isEnd;         //!< M02 or M00 was read
  VexPcb_TextInput*       myInput;       //!< the bytes read, NULL outside Parse
  const char*             myPos;         //!< current position
  const char*             myEnd;         //!< end of the bytes at hand
  Standard_Integer        myLine;        //!< current line, from 1
  Standard_Integer        myCommandLine; //!< line a fault of the command at hand is placed on
  Standard_Integer        myPieceLine;   //!< line where the current piece starts
  Standard_Integer        myBlockLine;   //!< line where the current extended block starts
  std::string             myPiece;       //!< current piece of an extended block
  Handle(VexGerber_Macro) myMacro;       //!< macro being read, null outside %AM
  TCollection_AsciiString myUnknown;     //!< code of the word at hand this reader does not know
};

#endif
