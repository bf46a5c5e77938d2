// Copyright (c) 2026 VexData developers
#include <VexFuzz_Printer.hxx>

#include <TCollection_AsciiString.hxx>

VexFuzz_Printer::VexFuzz_Printer(const std::shared_ptr<Log>& theLog) : myLog(theLog)
{
  SetTraceLevel(Message_Trace);
}

Handle(Message_Messenger) VexFuzz_Printer::NewMessenger(const std::shared_ptr<Log>& theLog)
{
  Handle(Message_Messenger) aMessenger = new Message_Messenger();
  aMessenger->RemovePrinters(STANDARD_TYPE(Message_Printer));
  aMessenger->AddPrinter(new VexFuzz_Printer(theLog));
  return aMessenger;
}

void VexFuzz_Printer::send(const TCollection_AsciiString& theString,
                           const Message_Gravity          theGravity) const
{
  myLog->Text += std::to_string(static_cast<int>(theGravity));
  myLog->Text += ' ';
  myLog->Text.append(theString.ToCString(), static_cast<size_t>(theString.Length()));
  myLog->Text += '\n';
  myLog->NbFailures += theGravity == Message_Fail ? 1 : 0;
  ++myLog->NbMessages;
}
