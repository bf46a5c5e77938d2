// Copyright (c) 2026 VexData developers
#ifndef _VexData_EntryGuard_HeaderFile
#define _VexData_EntryGuard_HeaderFile

#include <VexData_InternalError.hxx>

#include <Message_Messenger.hxx>

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
      VexData_InternalError::ReportCurrent(theSink);
    }
    return theFailure;
  }
};

#endif
