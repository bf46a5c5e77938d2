// Copyright (c) 2026 VexData developers
#ifndef _VexData_Message_HeaderFile
#define _VexData_Message_HeaderFile

#include <Message_Gravity.hxx>
#include <Message_Messenger.hxx>
#include <TCollection_ExtendedString.hxx>

//! Sends the plug-in's diagnostics: a catalogue key with its arguments, at a gravity. Nothing is
//! sent when the messenger is null; the caller's status does not depend on it.
class VexData_Message
{
public:
  //! Sends theKey without arguments.
  static void Send(const Handle(Message_Messenger) & theMessenger, const Standard_CString theKey,
                   const Message_Gravity theGravity = Message_Fail);

  //! Sends theKey with one integer argument.
  static void Send(const Handle(Message_Messenger) & theMessenger, const Standard_CString theKey,
                   const Standard_Integer theArg, const Message_Gravity theGravity = Message_Fail);

  //! Sends theKey with one real argument.
  static void Send(const Handle(Message_Messenger) & theMessenger, const Standard_CString theKey,
                   const Standard_Real theArg, const Message_Gravity theGravity = Message_Fail);

  //! Sends theKey with one text argument.
  static void Send(const Handle(Message_Messenger) & theMessenger, const Standard_CString theKey,
                   const TCollection_ExtendedString& theArg,
                   const Message_Gravity             theGravity = Message_Fail);
};

#endif
