// Copyright (c) 2026 VexData developers
#include <VexHost_Printer.hxx>

#include <TCollection_AsciiString.hxx>

VexHost_Printer::VexHost_Printer(std::ostream& theStream) : myStream(theStream)
{
  SetTraceLevel(Message_Trace);
}

const char* VexHost_Printer::GravityName(const Message_Gravity theGravity)
{
  switch (theGravity)
  {
  case Message_Trace:
    return "Trace";
  case Message_Info:
    return "Info";
  case Message_Warning:
    return "Warning";
  case Message_Alarm:
    return "Alarm";
  case Message_Fail:
    return "Fail";
  }
  return "Message";
}

void VexHost_Printer::send(const TCollection_AsciiString& theString,
                           const Message_Gravity          theGravity) const
{
  // Texts may end with a line feed of their own; the line end is the printer's.
  std::string aText(theString.ToCString());
  while (!aText.empty() && (aText.back() == '\n' || aText.back() == '\r'))
  {
    aText.pop_back();
  }
  myStream << GravityName(theGravity) << ": " << aText << std::endl;
}
