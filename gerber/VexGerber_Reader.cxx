// Copyright (c) 2026 VexData developers
#include <VexGerber_Reader.hxx>

#include <VexGerber_Graphics.hxx>
#include <VexGerber_ModelBuilder.hxx>
#include <VexGerber_Parser.hxx>

#include <Message_Messenger.hxx>

#include <cstring>
#include <string>

namespace
{
//! Bytes read from the stream at a time.
const size_t THE_CHUNK = 1 << 20;

//! Extended commands that only Gerber files have.
const char* const THE_MARKERS[] = {"%FS", "%MO", "%AD", "%AM", "%TF", "%IN", "%IP", "%OF", "%LP"};

//! Returns true when theNeedle occurs in the theSize bytes of theHead.
bool contains(const char* theHead, const size_t theSize, const char* theNeedle)
{
  const size_t aLength = std::strlen(theNeedle);
  for (size_t aPos = 0; aPos + aLength <= theSize; ++aPos)
  {
    if (std::memcmp(theHead + aPos, theNeedle, aLength) == 0)
    {
      return true;
    }
  }
  return false;
}

//! Returns theText as an extended string, or theDefault when it is empty.
TCollection_ExtendedString nameOr(const TCollection_AsciiString& theText, const char* theDefault)
{
  return TCollection_ExtendedString(theText.IsEmpty() ? theDefault : theText.ToCString(),
                                    Standard_False);
}

//! Reads all of theStream into theData; false when the stream fails other than at its end.
bool readAll(std::istream& theStream, std::string& theData)
{
  for (;;)
  {
    const size_t aSize = theData.size();
    theData.resize(aSize + THE_CHUNK);
    theStream.read(&theData[aSize], static_cast<std::streamsize>(THE_CHUNK));
    theData.resize(aSize + static_cast<size_t>(theStream.gcount()));
    if (!theStream)
    {
      return theStream.eof() && !theStream.bad();
    }
  }
}

//! Sends the fault to the model's messenger and files it in the report.
void report(const VexGerber_Fault& theFault, PenFormatData_Model& theModel,
            VexPcb_ImportReport& theReport)
{
  theReport.SetFault(theFault.FaultLine(), theFault.Message());
  if (!theModel.Messenger().IsNull())
  {
    Message_Msg aMessage(theFault.Message());
    theModel.Messenger()->Send(aMessage.Get(), Message_Fail);
  }
}
} // namespace

Standard_Boolean VexGerber_Reader::Probe(const char* theHead, const size_t theSize)
{
  if (theHead == NULL || theSize == 0 || std::memchr(theHead, '\0', theSize) != NULL ||
      std::memchr(theHead, '*', theSize) == NULL)
  {
    return Standard_False;
  }
  // A Gerber file starts with a command: an extended one, a G code or a lone '*' ...
  size_t aPos = 0;
  while (aPos < theSize && (theHead[aPos] == ' ' || theHead[aPos] == '\t' ||
                            theHead[aPos] == '\r' || theHead[aPos] == '\n' || theHead[aPos] == '*'))
  {
    ++aPos;
  }
  if (aPos == theSize || (theHead[aPos] != '%' && theHead[aPos] != 'G'))
  {
    return Standard_False;
  }
  if (theSize - aPos >= 3 && std::memcmp(theHead + aPos, "G04", 3) == 0)
  {
    return Standard_True;
  }
  // ... and has one of the extended commands that only Gerber has.
  for (const char* aMarker : THE_MARKERS)
  {
    if (contains(theHead + aPos, theSize - aPos, aMarker))
    {
      return Standard_True;
    }
  }
  return Standard_False;
}

Standard_Boolean VexGerber_Reader::Read(std::istream&               theStream,
                                        const VexPcb_ImportOptions& theOptions,
                                        PenFormatData_Model&        theModel,
                                        VexPcb_ImportReport&        theReport)
{
  return Read(theStream, theOptions, VexGerber_Limits(), theModel, theReport);
}

Standard_Boolean VexGerber_Reader::Read(std::istream&               theStream,
                                        const VexPcb_ImportOptions& theOptions,
                                        const VexGerber_Limits&     theLimits,
                                        PenFormatData_Model&        theModel,
                                        VexPcb_ImportReport&        theReport)
{
  VexGerber_Fault aFault;
  try
  {
    std::string aData;
    if (!readAll(theStream, aData))
    {
      aFault.Fail("VEX_GERBER_READ_FAILED");
      report(aFault, theModel, theReport);
      return Standard_False;
    }
    return ReadBuffer(aData.data(), aData.size(), theOptions, theLimits, theModel, theReport);
  }
  catch (...)
  {
    // Memory exhaustion or a stream that throws: the model is untouched.
    aFault.Fail("VEX_GERBER_READ_FAILED");
    report(aFault, theModel, theReport);
    return Standard_False;
  }
}

Standard_Boolean VexGerber_Reader::ReadBuffer(const char* theData, const size_t theSize,
                                              const VexPcb_ImportOptions& theOptions,
                                              const VexGerber_Limits&     theLimits,
                                              PenFormatData_Model&        theModel,
                                              VexPcb_ImportReport&        theReport)
{
  VexGerber_Fault aFault;
  try
  {
    VexGerber_ModelBuilder aBuilder(theModel, nameOr(theOptions.Phase, THE_DEFAULT_PHASE),
                                    nameOr(theOptions.Layer, THE_DEFAULT_LAYER), theReport, aFault,
                                    theLimits);
    VexGerber_Graphics     aGraphics(aBuilder, aFault, theLimits,
                                     theOptions.DefaultUnit != VexPcb_ImportOptions::Unit_Millimetre);
    VexGerber_Parser       aParser(aGraphics, aFault, theLimits);
    if (aParser.Parse(theData, theSize))
    {
      aBuilder.Commit();
      return Standard_True;
    }
    if (!aFault.HasFault())
    {
      aFault.Fail("VEX_GERBER_READ_FAILED");
    }
  }
  catch (...)
  {
    aFault.Fail("VEX_GERBER_READ_FAILED");
  }
  report(aFault, theModel, theReport);
  return Standard_False;
}
