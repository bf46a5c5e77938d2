// Copyright (c) 2026 VexData developers
#include <VexDocument_Json.hxx>

#include <VexDocument_JsonReader.hxx>
#include <VexDocument_JsonWriter.hxx>

#include <Message_Msg.hxx>
#include <Standard_Failure.hxx>

#include <fstream>

namespace
{
//! Returns the text of a parse error without the library's bracketed prefix.
std::string parseMessage(const std::exception& theError)
{
  const std::string aText  = theError.what();
  const size_t      aClose = aText.find("] ");
  return aClose == std::string::npos ? aText : aText.substr(aClose + 2);
}
} // namespace

Standard_Boolean VexDocument_Json::Write(
    const Handle(PenFormatData_Model) & theModel,
    const NCollection_Sequence<TCollection_ExtendedString>& theParams, Standard_OStream& theStream,
    TCollection_AsciiString& theError)
{
  if (theModel.IsNull())
  {
    theError = "no model to write";
    return Standard_False;
  }
  try
  {
    VexDocument_JsonWriter aWriter(theStream);
    aWriter.Write(*theModel, theParams);
    theStream.flush();
  }
  catch (const std::exception& anError)
  {
    theError = TCollection_AsciiString("the document could not be written: ") + anError.what();
    return Standard_False;
  }
  catch (const Standard_Failure& aFailure)
  {
    theError = TCollection_AsciiString("the document could not be written: ") +
               aFailure.GetMessageString();
    return Standard_False;
  }
  if (!theStream.good())
  {
    theError = "the document could not be written to its stream";
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexDocument_Json::Read(Standard_IStream& theStream,
                                        Handle(PenFormatData_Model) & theModel,
                                        NCollection_Sequence<TCollection_ExtendedString>& theParams,
                                        TCollection_AsciiString&                          theError)
{
  try
  {
    const VexDocument_JsonValues::Json aDocument = VexDocument_JsonValues::Json::parse(theStream);
    VexDocument_JsonReader             aReader;
    if (!aReader.Read(aDocument))
    {
      theError = aReader.Error().c_str();
      return Standard_False;
    }
    theModel  = aReader.Model();
    theParams = aReader.Params();
    return Standard_True;
  }
  catch (const VexDocument_JsonValues::Json::parse_error& anError)
  {
    theError = parseMessage(anError).c_str();
  }
  catch (const std::exception& anError)
  {
    theError = TCollection_AsciiString("the document could not be read: ") + anError.what();
  }
  catch (const Standard_Failure& aFailure)
  {
    theError =
        TCollection_AsciiString("the document could not be read: ") + aFailure.GetMessageString();
  }
  return Standard_False;
}

Standard_Boolean VexDocument_Json::ReadFile(
    const std::string& thePath, Handle(PenFormatData_Model) & theModel,
    NCollection_Sequence<TCollection_ExtendedString>& theParams, TCollection_AsciiString& theError,
    const Handle(Message_Messenger) & theSink)
{
  std::ifstream aFile(thePath, std::ios::in | std::ios::binary);
  if (aFile.is_open() && Read(aFile, theModel, theParams, theError))
  {
    return Standard_True;
  }
  if (!aFile.is_open())
  {
    theError = "the file cannot be opened";
  }
  if (!theSink.IsNull())
  {
    Message_Msg aMsg("VEX_HOST_JSON_INVALID");
    aMsg.Arg(TCollection_ExtendedString(thePath.c_str(), Standard_True));
    aMsg.Arg(TCollection_ExtendedString(theError.ToCString(), Standard_True));
    theSink->Send(aMsg.Get(), Message_Fail);
  }
  return Standard_False;
}
