// Copyright (c) 2026 VexData developers
#include <VexPcb_Fault.hxx>

#include <cstdio>

namespace
{
//! Longest piece of a file quoted in a message.
const Standard_Integer THE_MAX_QUOTE = 60;
} // namespace

VexPcb_Fault& VexPcb_Fault::Arg(const Standard_Integer theValue)
{
  Argument& anArg = myArgs.Appended();
  anArg.Type      = Argument::Kind_Integer;
  anArg.Integer   = theValue;
  anArg.Real      = 0.0;
  return *this;
}

VexPcb_Fault& VexPcb_Fault::Arg(const Standard_Real theValue)
{
  Argument& anArg = myArgs.Appended();
  anArg.Type      = Argument::Kind_Real;
  anArg.Integer   = 0;
  anArg.Real      = theValue;
  return *this;
}

VexPcb_Fault& VexPcb_Fault::Arg(const TCollection_AsciiString& theText)
{
  Argument& anArg = myArgs.Appended();
  anArg.Type      = Argument::Kind_Text;
  anArg.Integer   = 0;
  anArg.Real      = 0.0;
  anArg.Text      = theText;
  return *this;
}

VexPcb_Fault& VexPcb_Fault::Quote(const TCollection_AsciiString& theText)
{
  TCollection_AsciiString aText;
  const Standard_Integer  aLength = Min(theText.Length(), THE_MAX_QUOTE);
  for (Standard_Integer anIndex = 1; anIndex <= aLength; ++anIndex)
  {
    const unsigned char aChar = static_cast<unsigned char>(theText.Value(anIndex));
    aText += (aChar >= 32 && aChar < 127) ? static_cast<char>(aChar) : '?';
  }
  if (theText.Length() > THE_MAX_QUOTE)
  {
    aText += "...";
  }
  return Arg(aText);
}

TCollection_AsciiString VexPcb_Fault::ArgText(const Standard_Integer theIndex) const
{
  const Argument& anArg = myArgs(theIndex);
  switch (anArg.Type)
  {
  case Argument::Kind_Integer:
    return TCollection_AsciiString(anArg.Integer);
  case Argument::Kind_Real:
  {
    char aText[32];
    std::snprintf(aText, sizeof(aText), "%.17g", anArg.Real);
    return TCollection_AsciiString(aText);
  }
  case Argument::Kind_Text:
    break;
  }
  return anArg.Text;
}

Standard_Boolean VexPcb_Fault::Fail(const VexPcb_Fault& theFault)
{
  if (!IsSet())
  {
    *this = theFault;
  }
  return Standard_False;
}

Message_Msg VexPcb_Fault::Message() const
{
  Message_Msg aMessage(myKey.ToCString());
  aMessage.Arg(myLine > 0 ? myLine : 1);
  for (NCollection_Vector<Argument>::Iterator anIter(myArgs); anIter.More(); anIter.Next())
  {
    const Argument& anArg = anIter.Value();
    switch (anArg.Type)
    {
    case Argument::Kind_Integer:
      aMessage.Arg(anArg.Integer);
      break;
    case Argument::Kind_Real:
      aMessage.Arg(anArg.Real);
      break;
    case Argument::Kind_Text:
      aMessage.Arg(anArg.Text);
      break;
    }
  }
  return aMessage;
}
