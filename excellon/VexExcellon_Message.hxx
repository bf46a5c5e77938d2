// Copyright (c) 2026 VexData developers
#ifndef _VexExcellon_Message_HeaderFile
#define _VexExcellon_Message_HeaderFile

#include <Message_Msg.hxx>

//! Builds the catalogue messages of the Excellon parser and writer.
class VexExcellon_Message
{
public:
  //! Returns the message theKey with theLine as its first argument, as every fault of the
  //! parser has; the caller adds the other arguments with Arg().
  static Message_Msg AtLine(const char* theKey, const Standard_Integer theLine)
  {
    Message_Msg aMessage(theKey);
    aMessage.Arg(theLine);
    return aMessage;
  }
};

#endif
