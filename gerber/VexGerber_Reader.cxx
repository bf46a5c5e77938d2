// Copyright (c) 2026 VexData developers
#include <VexGerber_Reader.hxx>

#include <VexGerber_ModelBuilder.hxx>
#include <VexGerber_Parser.hxx>

#include <Message_Messenger.hxx>

#include <cstring>

namespace
{
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

//! Files the read failure of a stream or of memory (found before or after the parse, on line 1)
//! in the report and sends it to the model's messenger.
void readFailed(PenFormatData_Model& theModel, VexPcb_TransferReport& theReport)
{
  VexPcb_Fault aFault("VEX_GERBER_READ_FAILED");
  aFault.SetLine(1);
  theReport.SetFault(aFault);
  if (!theModel.Messenger().IsNull())
  {
    Message_Msg aMessage = aFault.Message();
    theModel.Messenger()->Send(aMessage.Get(), Message_Fail);
  }
}
//! Reads theInput, of theSize bytes in all, into theModel (see VexGerber_Reader::Read).
Standard_Boolean readInput(VexPcb_TextInput& theInput, const size_t theSize,
                           const VexPcb_ImportOptions& theOptions,
                           const VexGerber_Limits& theLimits, PenFormatData_Model& theModel,
                           VexPcb_TransferReport& theReport, VexPcb_Nets& theNets)
{
  try
  {
    VexPcb_Fault           aFault;
    VexGerber_ModelBuilder aBuilder(theModel,
                                    nameOr(theOptions.Phase, VexGerber_Reader::THE_DEFAULT_PHASE),
                                    nameOr(theOptions.Layer, VexGerber_Reader::THE_DEFAULT_LAYER),
                                    theReport, theNets, aFault, theLimits, theSize);
    VexGerber_Parser       aParser(aBuilder, aFault, theLimits,
                                   theOptions.DefaultUnit != VexPcb_ImportOptions::Unit_Millimetre);
    const Standard_Boolean isDone = aParser.Parse(theInput);
    aBuilder.FlushCounts();
    if (isDone)
    {
      aBuilder.Commit();
    }
    return isDone;
  }
  catch (...)
  {
    // Memory ran out while the builder or the parser was made, or while the model was filled.
  }
  readFailed(theModel, theReport);
  return Standard_False;
}
} // namespace

Standard_Boolean VexGerber_Reader::Probe(const char* theHead, const size_t theSize)
{
  if (theHead == NULL || theSize == 0 || std::memchr(theHead, '\0', theSize) != NULL ||
      std::memchr(theHead, '*', theSize) == NULL)
  {
    return Standard_False;
  }
  // A Gerber file starts with a command: an extended one, a G code or a lone '*' (after the
  // byte order mark some editors write) ...
  size_t aPos = theSize >= 3 && std::memcmp(theHead, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
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
                                        VexPcb_TransferReport&      theReport)
{
  return Read(theStream, theOptions, VexGerber_Limits(), theModel, theReport);
}

Standard_Boolean VexGerber_Reader::Read(std::istream&               theStream,
                                        const VexPcb_ImportOptions& theOptions,
                                        const VexGerber_Limits&     theLimits,
                                        PenFormatData_Model&        theModel,
                                        VexPcb_TransferReport&      theReport)
{
  VexPcb_Nets aNets;
  return Read(theStream, theOptions, theLimits, theModel, theReport, aNets);
}

Standard_Boolean VexGerber_Reader::Read(std::istream&               theStream,
                                        const VexPcb_ImportOptions& theOptions,
                                        const VexGerber_Limits&     theLimits,
                                        PenFormatData_Model&        theModel,
                                        VexPcb_TransferReport& theReport, VexPcb_Nets& theNets)
{
  try
  {
    // The size of the file sets the polygon work allowed; the bytes are read a chunk at a time.
    const size_t     aSize = VexPcb_TextInput::Remaining(theStream);
    VexPcb_TextInput anInput(theStream, theOptions.ReadSize);
    return readInput(anInput, aSize, theOptions, theLimits, theModel, theReport, theNets);
  }
  catch (...)
  {
    // Memory for the buffer ran out: the model is untouched.
  }
  readFailed(theModel, theReport);
  return Standard_False;
}

Standard_Boolean VexGerber_Reader::ReadBuffer(const char* theData, const size_t theSize,
                                              const VexPcb_ImportOptions& theOptions,
                                              const VexGerber_Limits&     theLimits,
                                              PenFormatData_Model&        theModel,
                                              VexPcb_TransferReport&      theReport)
{
  VexPcb_Nets aNets;
  return ReadBuffer(theData, theSize, theOptions, theLimits, theModel, theReport, aNets);
}

Standard_Boolean VexGerber_Reader::ReadBuffer(const char* theData, const size_t theSize,
                                              const VexPcb_ImportOptions& theOptions,
                                              const VexGerber_Limits&     theLimits,
                                              PenFormatData_Model&        theModel,
                                              VexPcb_TransferReport&      theReport,
                                              VexPcb_Nets&                theNets)
{
  VexPcb_TextInput anInput(theData, theSize);
  return readInput(anInput, theSize, theOptions, theLimits, theModel, theReport, theNets);
}
