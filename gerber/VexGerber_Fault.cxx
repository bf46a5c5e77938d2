// Copyright (c) 2026 VexData developers
#include <VexGerber_Fault.hxx>

namespace
{
//! Longest text argument: a command quoted in a message stays readable.
const Standard_Integer THE_MAX_TEXT = 60;

//! Returns theText cut to THE_MAX_TEXT characters, with bytes that are not printable as '?'.
TCollection_AsciiString printable(const TCollection_AsciiString& theText)
{
  TCollection_AsciiString aResult;
  const Standard_Integer  aLength = Min(theText.Length(), THE_MAX_TEXT);
  for (Standard_Integer anIndex = 1; anIndex <= aLength; ++anIndex)
  {
    const unsigned char aChar = static_cast<unsigned char>(theText.Value(anIndex));
    aResult += (aChar >= 32 && aChar < 127) ? static_cast<char>(aChar) : '?';
  }
  if (theText.Length() > THE_MAX_TEXT)
  {
    aResult += "...";
  }
  return aResult;
}
} // namespace

Standard_Boolean VexGerber_Fault::start(const Standard_CString theKey)
{
  if (myFaultLine > 0)
  {
    return Standard_False;
  }
  myFaultLine = myLine > 0 ? myLine : 1;
  myKey       = theKey;
  myMessage   = Message_Msg(theKey);
  myMessage.Arg(myFaultLine);
  return Standard_True;
}

Standard_Boolean VexGerber_Fault::Fail(const Standard_CString theKey)
{
  start(theKey);
  return Standard_False;
}

Standard_Boolean VexGerber_Fault::Fail(const Standard_CString theKey, const Standard_Integer theArg)
{
  if (start(theKey))
  {
    myMessage.Arg(theArg);
  }
  return Standard_False;
}

Standard_Boolean VexGerber_Fault::Fail(const Standard_CString theKey,
                                       const Standard_Integer theArg1,
                                       const Standard_Integer theArg2)
{
  if (start(theKey))
  {
    myMessage.Arg(theArg1);
    myMessage.Arg(theArg2);
  }
  return Standard_False;
}

Standard_Boolean VexGerber_Fault::Fail(const Standard_CString         theKey,
                                       const TCollection_AsciiString& theArg)
{
  if (start(theKey))
  {
    myMessage.Arg(printable(theArg));
  }
  return Standard_False;
}

Standard_Boolean VexGerber_Fault::Fail(const Standard_CString         theKey,
                                       const TCollection_AsciiString& theArg1,
                                       const Standard_Integer         theArg2)
{
  if (start(theKey))
  {
    myMessage.Arg(printable(theArg1));
    myMessage.Arg(theArg2);
  }
  return Standard_False;
}
