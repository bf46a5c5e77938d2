// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Printer_HeaderFile
#define _VexHost_Printer_HeaderFile

#include <Message_Printer.hxx>

#include <ostream>

//! Prints every message on one line as "<Gravity>: <text>", e.g. "Fail: Cannot open ...".
class VexHost_Printer : public Message_Printer
{
  DEFINE_STANDARD_RTTI_INLINE(VexHost_Printer, Message_Printer)
public:
  //! Creates a printer that writes to theStream, which must outlive it.
  VexHost_Printer(std::ostream& theStream);

  //! Returns the word printed before the text of a message of theGravity.
  static const char* GravityName(const Message_Gravity theGravity);

protected:
  //! Writes one message.
  void send(const TCollection_AsciiString& theString,
            const Message_Gravity          theGravity) const override;

private:
  std::ostream& myStream; //!< where the lines go
};

DEFINE_STANDARD_HANDLE(VexHost_Printer, Message_Printer)

#endif
