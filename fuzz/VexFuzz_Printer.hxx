// Copyright (c) 2026 VexData developers
#ifndef _VexFuzz_Printer_HeaderFile
#define _VexFuzz_Printer_HeaderFile

#include <Message_Messenger.hxx>
#include <Message_Printer.hxx>

#include <memory>
#include <string>

//! Records every message a messenger sends, so that two runs over the same input can be
//! compared message by message, and counts the fail messages.
class VexFuzz_Printer : public Message_Printer
{
public:
  //! What the printer recorded.
  struct Log
  {
    std::string Text;           //!< every message as "gravity text" and a line feed
    int         NbFailures = 0; //!< messages of gravity fail
    int         NbMessages = 0; //!< all messages
  };

  //! Creates a printer that appends to theLog.
  VexFuzz_Printer(const std::shared_ptr<Log>& theLog);

  //! Returns a new messenger whose only printer records into theLog.
  static Handle(Message_Messenger) NewMessenger(const std::shared_ptr<Log>& theLog);

protected:
  //! Appends the message to the log.
  void send(const TCollection_AsciiString& theString,
            const Message_Gravity          theGravity) const override;

private:
  std::shared_ptr<Log> myLog; //!< what was recorded
};

#endif
