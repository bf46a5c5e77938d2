// Copyright (c) 2026 VexData developers
#include <VexData_InternalError.hxx>

#include <VexData_Message.hxx>

void VexData_InternalError::Report(const Handle(Message_Messenger) & theSink,
                                   const char* theWhat) noexcept
{
  try
  {
    VexData_Message::Send(
        theSink, "VEX_INTERNAL_ERROR",
        TCollection_ExtendedString(theWhat != NULL ? theWhat : "", Standard_True));
  }
  catch (...)
  {
    // Out of memory even for the message: the failure code alone must do.
  }
}

const char* VexData_InternalError::Describe(const Standard_Failure& theFailure) noexcept
{
  const char* aMessage = theFailure.GetMessageString();
  if (aMessage != NULL && aMessage[0] != '\0')
  {
    return aMessage;
  }
  return theFailure.DynamicType()->Name();
}

void VexData_InternalError::ReportCurrent(const Handle(Message_Messenger) & theSink) noexcept
{
  try
  {
    throw;
  }
  catch (const Standard_Failure& theFailure)
  {
    Report(theSink, Describe(theFailure));
  }
  catch (const std::exception& theException)
  {
    Report(theSink, theException.what());
  }
  catch (...)
  {
    Report(theSink, "unknown exception");
  }
}
