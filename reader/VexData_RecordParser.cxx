// Copyright (c) 2026 VexData developers
#include <VexData_RecordParser.hxx>

#include <algorithm>

namespace
{
//! Returns theValue as a message argument, capped at the largest integer.
Standard_Integer clampToInt(const Standard_Size theValue)
{
  return static_cast<Standard_Integer>(
      std::min<Standard_Size>(theValue, static_cast<Standard_Size>(IntegerLast())));
}
} // namespace

VexData_RecordParser::VexData_RecordParser(const VexData_Reader::Limits& theLimits)
    : myTools(theLimits.Renamings), myFileTools(1), myBlockTools(1), myBoxWidth(-1.0),
      myBoxHeight(-1.0), myCopiedElements(0), myElementLimit(theLimits.Elements),
      myStatus(VexData_Reader::NotDone), myReadStart(0)
{
}

void VexData_RecordParser::start(std::istream& theStream,
                                 const Handle(Message_Messenger) & theMessenger)
{
  myInput.Init(&theStream, theMessenger);
  myStatus         = VexData_Reader::Ok;
  myReadStart      = 0;
  myFault          = VexData_ParseFault();
  myBoxWidth       = -1.0;
  myBoxHeight      = -1.0;
  myCopiedElements = 0;
  myTools.ResetRenamings();
}

void VexData_RecordParser::unexpected()
{
  // Stream buffer exceptions are handled where bytes are read; what arrives here is a failure
  // of the model, of the listener or of memory, which ends the read like a hard input error.
  myStatus       = VexData_Reader::StreamBad;
  myFault.Status = VexData_Reader::StreamBad;
  myFault.Why    = VexData_ParseFault::Reason_Unexpected;
  myFault.Offset = myReadStart;
  myFault.End    = myInput.Offset();
  try
  {
    VexData_Message::Send(myInput.Messenger(), "VEX_READER_READING_FAIL");
  }
  catch (...)
  {
  }
}

Standard_Boolean VexData_RecordParser::checkHeader()
{
  const VexData_Reader::Status aCode = myInput.CheckHeader();
  if (aCode == VexData_Reader::Ok)
  {
    return Standard_True;
  }
  // The header check sends its own messages.
  myStatus       = aCode;
  myFault.Status = aCode;
  myFault.End    = myInput.Offset();
  myFault.Offset = myInput.Offset();
  if (aCode == VexData_Reader::WrongFormat)
  {
    myFault.Why    = VexData_ParseFault::Reason_WrongMagic;
    myFault.Offset = 0;
  }
  else if (myInput.Offset() < static_cast<Standard_Size>(VexData_Format::THE_MAGIC_LENGTH))
  {
    myFault.Why = VexData_ParseFault::Reason_ShortMagic;
  }
  else
  {
    myFault.Why = VexData_ParseFault::Reason_NoHeaderEnd;
  }
  return Standard_False;
}

Standard_Boolean VexData_RecordParser::expect(const Standard_Integer theExpected,
                                              const Value            theWhat)
{
  myReadStart                        = myInput.Offset();
  Standard_Integer             aType = 0;
  const VexData_Reader::Status aCode = myInput.ReadByte(aType);
  if (aCode != VexData_Reader::Ok)
  {
    return readFailed(aCode, "VEX_READER_READING_TYPE_FAILURE", theWhat);
  }
  if (aType == theExpected)
  {
    return Standard_True;
  }
  myFault.Expected = theWhat;
  myFault.Found    = aType;
  myFault.Wanted   = theExpected;
  return fail(VexData_Reader::WrongFormat, "VEX_READER_WRONG_TYPE", &theExpected,
              VexData_ParseFault::Reason_WrongItem, myReadStart);
}

Standard_Boolean VexData_RecordParser::readInt(Standard_Integer& theValue, const Value theWhat)
{
  myReadStart                        = myInput.Offset();
  const VexData_Reader::Status aCode = myInput.ReadInt(theValue);
  return aCode == VexData_Reader::Ok || readFailed(aCode, "VEX_READER_READ_INT_FAILURE", theWhat);
}

Standard_Boolean VexData_RecordParser::readString(TCollection_AsciiString& theText,
                                                  const Value              theWhat)
{
  myReadStart                        = myInput.Offset();
  const VexData_Reader::Status aCode = myInput.ReadString();
  if (aCode != VexData_Reader::Ok)
  {
    return readFailed(aCode, "VEX_READER_READ_SSTRING_FAILURE", theWhat);
  }
  theText = myInput.Buffer(); // the text ends at its 0 byte, which the buffer keeps
  return Standard_True;
}

Standard_Boolean VexData_RecordParser::readFailed(const VexData_Reader::Status theCode,
                                                  const Standard_CString       theKey,
                                                  const Value                  theWhat)
{
  if (theKey != NULL)
  {
    VexData_Message::Send(myInput.Messenger(), theKey);
  }
  myStatus         = theCode;
  myFault.Status   = theCode;
  myFault.Why      = VexData_ParseFault::Reason_Read;
  myFault.Expected = theWhat;
  myFault.Offset   = myReadStart;
  myFault.End      = myInput.Offset();
  return Standard_False;
}

Standard_Boolean VexData_RecordParser::floatsFailed(const VexData_Reader::Status theCode,
                                                    const Value*                 theWhats)
{
  // The values are read one after the other; the input stops inside the one that failed.
  const Standard_Size anIndex = (myInput.Offset() - myReadStart) / 4;
  myReadStart += 4 * anIndex;
  return readFailed(theCode, "VEX_READER_READ_FLOAT_FAILURE", theWhats[anIndex]);
}

Standard_Boolean VexData_RecordParser::fail(const VexData_Reader::Status     theStatus,
                                            const Standard_CString           theKey,
                                            const Standard_Integer*          theArg,
                                            const VexData_ParseFault::Reason theWhy,
                                            const Standard_Size              theOffset)
{
  if (theArg != NULL)
  {
    VexData_Message::Send(myInput.Messenger(), theKey, *theArg);
  }
  else
  {
    VexData_Message::Send(myInput.Messenger(), theKey);
  }
  myStatus       = theStatus;
  myFault.Status = theStatus;
  myFault.Why    = theWhy;
  myFault.Offset = theOffset;
  myFault.End    = myInput.Offset();
  return Standard_False;
}

Standard_Boolean VexData_RecordParser::skipFailed(const VexData_Reader::Status theCode,
                                                  const VexData_RecordPlace&   thePlace)
{
  // The skip rule has sent its message already.
  myReadStart = thePlace.Offset;
  if (theCode != VexData_Reader::WrongFormat)
  {
    return readFailed(theCode, NULL, VexData_ParseFault::Value_RestOfRecord);
  }
  myStatus               = theCode;
  myFault.Status         = theCode;
  myFault.Found          = thePlace.Tag;
  myFault.Offset         = thePlace.Offset;
  myFault.End            = myInput.Offset();
  Standard_Integer aSize = 0;
  if (thePlace.Tag == VexData_Format::Field_BitsShort ||
      thePlace.Tag == VexData_Format::Field_BitsLong)
  {
    myFault.Why    = VexData_ParseFault::Reason_BitCount;
    myFault.Offset = thePlace.Offset + 1;
  }
  else if (VexData_Format::ClassOf(thePlace.Tag) == VexData_Format::TagClass_FixedRecord &&
           !myTypes.RecordSize(thePlace.Tag, aSize))
  {
    myFault.Why = VexData_ParseFault::Reason_Undeclared;
  }
  else
  {
    myFault.Why = VexData_ParseFault::Reason_NotAllowed;
  }
  return Standard_False;
}

Standard_Boolean VexData_RecordParser::declare(const Standard_Integer theTag,
                                               const Standard_Integer theSize,
                                               const Standard_Size    theStart,
                                               Standard_Integer&      theOldSize)
{
  if (!myTypes.RecordSize(theTag, theOldSize))
  {
    theOldSize = -1;
  }
  const VexData_Reader::Status aCode = myTypes.Declare(theTag, theSize, myInput.Messenger());
  if (aCode == VexData_Reader::Ok)
  {
    return Standard_True;
  }
  // Declare has sent its message, if any.
  myStatus         = aCode;
  myFault.Status   = aCode;
  myFault.Why      = theSize < 0 ? VexData_ParseFault::Reason_NegativeSize
                                 : VexData_ParseFault::Reason_SizeConflict;
  myFault.Offset   = theStart + 2;
  myFault.End      = myInput.Offset();
  myFault.Found    = theTag;
  myFault.Argument = theOldSize;
  return Standard_False;
}

Standard_Boolean VexData_RecordParser::checkToolIndex(const ToolIndexMap&    theScope,
                                                      const Standard_Integer theIndex,
                                                      const Standard_Size    theOffset)
{
  if (theIndex <= 0)
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_INVALID_TOOL_INDEX", &theIndex,
                VexData_ParseFault::Reason_ToolIndex, theOffset);
  }
  if (theScope.IsBound(theIndex))
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_MULTIPLE_TOOL_INDEX", &theIndex,
                VexData_ParseFault::Reason_ToolIndexTaken, theOffset);
  }
  return Standard_True;
}

Standard_Boolean VexData_RecordParser::registerTool(VexData_Tool&       theTool,
                                                    const Standard_Size theEnd,
                                                    Standard_Integer&   theNumber,
                                                    Standard_Boolean&   isNew)
{
  theNumber = myTools.Register(theTool, isNew);
  if (theNumber != 0)
  {
    return Standard_True;
  }
  const Standard_Integer aLimit = clampToInt(myTools.RenamingLimit());
  return fail(VexData_Reader::InvalidData, "VEX_READER_TOO_MANY_TOOL_NAMES", &aLimit,
              VexData_ParseFault::Reason_ToolNames, theEnd);
}

Standard_Boolean VexData_RecordParser::resolveTool(const Standard_Integer theIndex,
                                                   const Standard_Size    theStart,
                                                   Standard_Integer&      theNumber,
                                                   Standard_Boolean&      isBlockScope)
{
  const Standard_Integer* aNumber = myBlockTools.Seek(theIndex);
  isBlockScope                    = aNumber != NULL;
  if (aNumber == NULL)
  {
    aNumber = myFileTools.Seek(theIndex);
  }
  if (aNumber == NULL || *aNumber < 1 || *aNumber > myTools.Extent())
  {
    return fail(VexData_Reader::InvalidData, "VEX_READER_NO_TOOL", &theIndex,
                VexData_ParseFault::Reason_NoTool, theStart + 1);
  }
  theNumber = *aNumber;
  return Standard_True;
}

Standard_Boolean VexData_RecordParser::countCopies(const Standard_Size theElements,
                                                   const Standard_Size theStart)
{
  if (myCopiedElements + theElements > myElementLimit)
  {
    const Standard_Integer aLimit = clampToInt(myElementLimit);
    return fail(VexData_Reader::InvalidData, "VEX_READER_TOO_MANY_ELEMENTS", &aLimit,
                VexData_ParseFault::Reason_Elements, theStart);
  }
  myCopiedElements += theElements;
  return Standard_True;
}
