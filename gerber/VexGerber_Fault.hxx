// Copyright (c) 2026 VexData developers
#ifndef _VexGerber_Fault_HeaderFile
#define _VexGerber_Fault_HeaderFile

#include <Message_Msg.hxx>
#include <TCollection_AsciiString.hxx>

//! The line being read and the first fault of a Gerber import. Every part of the import (the
//! parser, the graphics state, the shapes, the model builder) reports a fault here with its
//! catalogue key and arguments; the line number, kept current by the parser, always comes first.
//! Fail() returns false so that a handler can end with `return myFault.Fail(...)`.
class VexGerber_Fault
{
public:
  //! Creates a fault record on line 1 with no fault.
  VexGerber_Fault() : myLine(1), myFaultLine(0) {}

  //! Returns the 1-based line being read.
  Standard_Integer Line() const { return myLine; }

  //! Sets the line being read.
  void SetLine(const Standard_Integer theLine) { myLine = theLine; }

  //! Returns true once a fault was recorded.
  Standard_Boolean HasFault() const { return myFaultLine > 0; }

  //! Returns the line of the fault (0: none).
  Standard_Integer FaultLine() const { return myFaultLine; }

  //! Returns the catalogue key of the fault (empty: none).
  const TCollection_AsciiString& Key() const { return myKey; }

  //! Returns the fault as a catalogue message, the line as its first argument.
  const Message_Msg& Message() const { return myMessage; }

  //! Records theKey with the line only; returns false.
  Standard_EXPORT Standard_Boolean Fail(const Standard_CString theKey);

  //! Records theKey with the line and an integer; returns false.
  Standard_EXPORT Standard_Boolean Fail(const Standard_CString theKey,
                                        const Standard_Integer theArg);

  //! Records theKey with the line and two integers; returns false.
  Standard_EXPORT Standard_Boolean Fail(const Standard_CString theKey,
                                        const Standard_Integer theArg1,
                                        const Standard_Integer theArg2);

  //! Records theKey with the line and a text (cut to 60 characters); returns false.
  Standard_EXPORT Standard_Boolean Fail(const Standard_CString         theKey,
                                        const TCollection_AsciiString& theArg);

  //! Records theKey with the line, a text (cut to 60 characters) and an integer; returns false.
  Standard_EXPORT Standard_Boolean Fail(const Standard_CString         theKey,
                                        const TCollection_AsciiString& theArg1,
                                        const Standard_Integer         theArg2);

private:
  //! Starts the message of theKey with the line; false when a fault is already recorded.
  Standard_Boolean start(const Standard_CString theKey);

  Message_Msg             myMessage;   //!< the fault, line first
  TCollection_AsciiString myKey;       //!< its key
  Standard_Integer        myLine;      //!< line being read
  Standard_Integer        myFaultLine; //!< line of the fault, 0 none
};

#endif
