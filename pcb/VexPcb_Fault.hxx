// Copyright (c) 2026 VexData developers
#ifndef _VexPcb_Fault_HeaderFile
#define _VexPcb_Fault_HeaderFile

#include <Message_Msg.hxx>
#include <NCollection_Vector.hxx>
#include <TCollection_AsciiString.hxx>

//! What a design-file parser found wrong and where: the line of the file, a catalogue key and
//! the arguments of its text. The same record serves the Excellon and Gerber readers, for the
//! fault that stops a read and for the warnings of a read that goes on.
//!
//! The parts of a reader that judge a command say what is wrong (the key and the arguments); the
//! parser, which knows where it is, adds the line. The catalogue texts of these keys take the line
//! as their first argument, so Message() puts it first.
class VexPcb_Fault
{
public:
  //! Creates an empty record: no fault.
  VexPcb_Fault() : myLine(0) {}

  //! Creates the fault theKey, without a line or arguments yet.
  explicit VexPcb_Fault(const Standard_CString theKey) : myKey(theKey), myLine(0) {}

  //! Returns true when the record holds a fault.
  Standard_Boolean IsSet() const { return !myKey.IsEmpty(); }

  //! Returns the catalogue key (empty: no fault).
  const TCollection_AsciiString& Key() const { return myKey; }

  //! Returns the 1-based line of the file where the fault was found (0: not placed yet).
  Standard_Integer Line() const { return myLine; }

  //! Places the fault on theLine.
  void SetLine(const Standard_Integer theLine) { myLine = theLine; }

  //! Appends an integer argument.
  Standard_EXPORT VexPcb_Fault& Arg(const Standard_Integer theValue);

  //! Appends a real argument.
  Standard_EXPORT VexPcb_Fault& Arg(const Standard_Real theValue);

  //! Appends a text argument as it is.
  Standard_EXPORT VexPcb_Fault& Arg(const TCollection_AsciiString& theText);

  //! Appends a piece of the file as a text argument: cut to 60 characters (with "..." after a
  //! cut) and with bytes that are not printable as '?', so that a message quoting it stays
  //! readable whatever the file holds.
  Standard_EXPORT VexPcb_Fault& Quote(const TCollection_AsciiString& theText);

  //! Returns the number of arguments (the line not counted).
  Standard_Integer NbArgs() const { return myArgs.Length(); }

  //! Returns argument theIndex (from 0) as the message prints it.
  Standard_EXPORT TCollection_AsciiString ArgText(const Standard_Integer theIndex) const;

  //! Takes theFault as this record's fault unless it holds one already: the first fault of a read
  //! is the one reported. Returns false, so that a handler that stops can end with
  //! `return myFault.Fail(VexPcb_Fault("KEY").Arg(...));`.
  Standard_EXPORT Standard_Boolean Fail(const VexPcb_Fault& theFault);

  //! Returns the catalogue message: the key with the line (1 when not placed) and the arguments.
  Standard_EXPORT Message_Msg Message() const;

private:
  //! One argument of the message.
  struct Argument
  {
    enum Kind
    {
      Kind_Integer,
      Kind_Real,
      Kind_Text
    };
    Kind                    Type;    //!< which of the values is used
    Standard_Integer        Integer; //!< integer value
    Standard_Real           Real;    //!< real value
    TCollection_AsciiString Text;    //!< text value
  };

  TCollection_AsciiString      myKey;  //!< catalogue key, empty for none
  NCollection_Vector<Argument> myArgs; //!< arguments after the line
  Standard_Integer             myLine; //!< line of the file, 0 not placed
};

#endif
