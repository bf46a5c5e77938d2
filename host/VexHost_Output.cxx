// Copyright (c) 2026 VexData developers
#include <VexHost_Output.hxx>

#include <VexData_Message.hxx>
#include <VexData_OutputFile.hxx>

#include <Message_Msg.hxx>

#include <iostream>

namespace
{
//! Sends "VEX_HOST_OUTPUT_FAIL" for thePath with theReason; returns the exit status for it.
int outputFailed(const Handle(Message_Messenger) & theSink, const std::string& thePath,
                 const TCollection_AsciiString& theReason)
{
  if (!theSink.IsNull())
  {
    Message_Msg aMsg("VEX_HOST_OUTPUT_FAIL");
    aMsg.Arg(TCollection_ExtendedString(thePath.c_str(), Standard_True));
    aMsg.Arg(TCollection_ExtendedString(theReason.ToCString(), Standard_True));
    theSink->Send(aMsg.Get(), Message_Fail);
  }
  return VexHost_Output::THE_OUTPUT_FAILED;
}
} // namespace

int VexHost_Output::Write(const std::string& thePath, const Producer& theProducer,
                          const Handle(Message_Messenger) & theSink)
{
  TCollection_AsciiString aReason;
  if (thePath.empty() || thePath == "-")
  {
    return theProducer(std::cout, aReason) ? 0 : outputFailed(theSink, "-", aReason);
  }
  VexData_OutputFile aFile;
  if (!aFile.Open(thePath))
  {
    VexData_Message::Send(theSink, "VEX_CANT_OPEN_FILE",
                          TCollection_ExtendedString(thePath.c_str(), Standard_True));
    return THE_CANT_OPEN;
  }
  if (!theProducer(aFile.Stream(), aReason))
  {
    aFile.Discard();
    return outputFailed(theSink, thePath, aReason);
  }
  if (aFile.Commit() != VexData_Writer::Ok)
  {
    return outputFailed(theSink, thePath, "the file could not be completed");
  }
  return 0;
}
