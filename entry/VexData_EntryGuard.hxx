// Copyright (c) 2026 VexData developers
#ifndef _VexData_EntryGuard_HeaderFile
#define _VexData_EntryGuard_HeaderFile

#include <Message_Messenger.hxx>
#include <Standard_Failure.hxx>

#include <exception>

//! Keeps exceptions from crossing an entry point: the host is a different program that cannot
//! catch them. Whatever the body throws becomes a failure code and one message.
class VexData_EntryGuard
{
public:
  //! Runs theBody and returns its result. If it throws, sends "VEX_INTERNAL_ERROR" with a
  //! description of the exception to theSink (when not null) and returns theFailure instead.
  template <typename Body>
  static Standard_Integer Run(const Body& theBody, const Standard_Integer theFailure,
                              const Handle(Message_Messenger) & theSink) noexcept
  {
    try
    {
      return theBody();
    }
    catch (...)
    {
      ReportCurrent(theSink);
    }
    return theFailure;
  }

  //! Sends "VEX_INTERNAL_ERROR" describing the exception being handled to theSink (when not
  //! null); never throws. Must be called from inside a catch block: the writer reports its own
  //! internal failures this way, as the entry points do.
  static void ReportCurrent(const Handle(Message_Messenger) & theSink) noexcept;

  //! Sends "VEX_INTERNAL_ERROR" with theWhat to theSink (when not null); never throws.
  static void Report(const Handle(Message_Messenger) & theSink, const char* theWhat) noexcept;

  //! Returns the message of theFailure, or its type name when it carries no message.
  static const char* Describe(const Standard_Failure& theFailure) noexcept;
};

#endif
