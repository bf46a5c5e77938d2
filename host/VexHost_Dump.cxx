// Copyright (c) 2026 VexData developers
#include <VexHost_Dump.hxx>

#include <VexHost_DumpListing.hxx>

#include <VexData_RecordParser.hxx>

VexHost_Dump::VexHost_Dump(std::ostream& theOut, const Handle(Message_Messenger) & theMessenger,
                           const VexData_Reader::Limits& theLimits)
    : myOut(theOut), myMessenger(theMessenger), myLimits(theLimits)
{
}

VexData_Reader::Status VexHost_Dump::Process(std::istream& theIn)
{
  VexData_RecordParser aParser(myLimits);
  VexHost_DumpListing  aListing(myOut);
  return aParser.Parse(theIn, myMessenger, aListing);
}
