// Copyright (c) 2026 VexData developers
#ifndef _VexData_InternalError_HeaderFile
#define _VexData_InternalError_HeaderFile

#include <Message_Messenger.hxx>
#include <Standard_Failure.hxx>

//! Reports an exception that reached a class boundary or an entry point as the message
//! "VEX_INTERNAL_ERROR" naming it. The entry points (VexData_EntryGuard) and the writer report
//! their internal failures this way; none of the functions throws.
class VexData_InternalError
{
public:
  //! Sends "VEX_INTERNAL_ERROR" describing the exception being handled to theSink (when not
  //! null); never throws. Must be called from inside a catch block.
  static void ReportCurrent(const Handle(Message_Messenger) & theSink) noexcept;

  //! Sends "VEX_INTERNAL_ERROR" with theWhat to theSink (when not null); never throws.
  static void Report(const Handle(Message_Messenger) & theSink, const char* theWhat) noexcept;

  //! Returns the message of theFailure, or its type name when it carries no message.
  static const char* Describe(const Standard_Failure& theFailure) noexcept;
};

#endif
