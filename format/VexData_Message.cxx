// Copyright (c) 2026 VexData developers
#include <VexData_Message.hxx>

#include <Message_Msg.hxx>

namespace
{
//! Sends theKey with theArg appended, when there is a messenger.
template <typename ArgType>
void sendWithArg(const Handle(Message_Messenger) & theMessenger, const Standard_CString theKey,
                 const ArgType& theArg, const Message_Gravity theGravity)
{
  if (!theMessenger.IsNull())
  {
    Message_Msg aMsg(theKey);
    aMsg.Arg(theArg);
    theMessenger->Send(aMsg.Get(), theGravity);
  }
}
} // namespace

void VexData_Message::Send(const Handle(Message_Messenger) & theMessenger,
                           const Standard_CString theKey, const Message_Gravity theGravity)
{
  if (!theMessenger.IsNull())
  {
    Message_Msg aMsg(theKey);
    theMessenger->Send(aMsg.Get(), theGravity);
  }
}

void VexData_Message::Send(const Handle(Message_Messenger) & theMessenger,
                           const Standard_CString theKey, const Standard_Integer theArg,
                           const Message_Gravity theGravity)
{
  sendWithArg(theMessenger, theKey, theArg, theGravity);
}

void VexData_Message::Send(const Handle(Message_Messenger) & theMessenger,
                           const Standard_CString theKey, const Standard_Real theArg,
                           const Message_Gravity theGravity)
{
  sendWithArg(theMessenger, theKey, theArg, theGravity);
}

void VexData_Message::Send(const Handle(Message_Messenger) & theMessenger,
                           const Standard_CString theKey, const TCollection_ExtendedString& theArg,
                           const Message_Gravity theGravity)
{
  sendWithArg(theMessenger, theKey, theArg, theGravity);
}
