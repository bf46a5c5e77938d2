// Copyright (c) 2026 VexData developers
#include <VexData_TypeTable.hxx>

#include <VexData_Message.hxx>
#include <VexData_RecordTable.hxx>

namespace
{
//! Returns true when theTag lies in 0..255.
Standard_Boolean isByte(const Standard_Integer theTag)
{
  return theTag >= 0 && theTag <= 255;
}
} // namespace

VexData_TypeTable::VexData_TypeTable() : myFieldSizes(1), myRecordSizes(1), myRedeclared(1)
{
  // The sizes a reader knows without a declaration: field types 1 to 10, record tags 12 to 20.
  for (Standard_Integer anIndex = 0; anIndex < VexData_RecordTable::NbRows(); ++anIndex)
  {
    const VexData_RecordTable::Row& aRow = VexData_RecordTable::Value(anIndex);
    if (!aRow.IsBuiltIn)
    {
      continue;
    }
    const Standard_Byte aTag = static_cast<Standard_Byte>(aRow.Tag);
    if (VexData_Format::ClassOf(aRow.Tag) == VexData_Format::TagClass_Field)
    {
      myFieldSizes.Bind(aTag, aRow.Size);
    }
    else
    {
      myRecordSizes.Bind(aTag, aRow.Size);
    }
  }
}

Standard_Boolean VexData_TypeTable::FieldSize(const Standard_Integer theType,
                                              Standard_Integer&      theSize) const
{
  const Standard_Integer* aSize =
      isByte(theType) ? myFieldSizes.Seek(static_cast<Standard_Byte>(theType)) : NULL;
  if (aSize == NULL)
  {
    return Standard_False;
  }
  theSize = *aSize;
  return Standard_True;
}

Standard_Boolean VexData_TypeTable::RecordSize(const Standard_Integer theTag,
                                               Standard_Integer&      theSize) const
{
  const Standard_Integer* aSize =
      isByte(theTag) ? myRecordSizes.Seek(static_cast<Standard_Byte>(theTag)) : NULL;
  if (aSize == NULL)
  {
    return Standard_False;
  }
  theSize = *aSize;
  return Standard_True;
}

VexData_ReadStatus::Status VexData_TypeTable::Declare(const Standard_Integer theTag,
                                                      const Standard_Integer theSize,
                                                      const Handle(Message_Messenger) &
                                                          theMessenger)
{
  const Standard_Byte aTag = static_cast<Standard_Byte>(theTag);
  if (theSize < 0)
  {
    // Tags from 128 up are reported as the signed byte they were stored as.
    VexData_Message::Send(theMessenger, "VEX_READER_INVALID_TYPEDEF_SIZE",
                          static_cast<Standard_Integer>(static_cast<signed char>(aTag)));
    return VexData_ReadStatus::InvalidData;
  }
  Standard_Integer* aKnown = myRecordSizes.ChangeSeek(aTag);
  if (aKnown == NULL)
  {
    myRecordSizes.Bind(aTag, theSize);
    return VexData_ReadStatus::Ok;
  }
  if (*aKnown == theSize)
  {
    return VexData_ReadStatus::Ok;
  }
  if (aTag != VexData_Format::Tag_ScannerBox)
  {
    return VexData_ReadStatus::InvalidData;
  }
  // A scanner box of another size no longer has the known layout; from now on boxes and scan
  // field positions are stepped over by their declared sizes.
  VexData_Message::Send(theMessenger, "VEX_READER_REPLACE_TYPEDEF_SIZE",
                        static_cast<Standard_Integer>(VexData_Format::Tag_ScannerBox),
                        Message_Warning);
  *aKnown = theSize;
  myRedeclared.Add(static_cast<Standard_Byte>(VexData_Format::Tag_ScannerBox));
  myRedeclared.Add(static_cast<Standard_Byte>(VexData_Format::Tag_ScanFieldPosition));
  return VexData_ReadStatus::Ok;
}

VexData_ReadStatus::Status VexData_TypeTable::unknownTag(const VexData_InputStream& theStream,
                                                         const Standard_Integer     theTag)
{
  VexData_Message::Send(theStream.Messenger(), "VEX_READER_UNKNOWN_SKIP_TYPE", theTag);
  return VexData_ReadStatus::WrongFormat;
}

VexData_ReadStatus::Status VexData_TypeTable::SkipItem(VexData_InputStream&   theStream,
                                                       const Standard_Integer theTag) const
{
  Standard_Integer aSize = 0;
  switch (VexData_Format::ClassOf(theTag))
  {
  case VexData_Format::TagClass_Field:
    return SkipField(theStream, theTag);
  case VexData_Format::TagClass_FixedRecord:
    return RecordSize(theTag, aSize) ? theStream.SkipBytes(aSize) : unknownTag(theStream, theTag);
  default:
    return unknownTag(theStream, theTag);
  }
}

VexData_ReadStatus::Status VexData_TypeTable::SkipField(VexData_InputStream&   theStream,
                                                        const Standard_Integer theType) const
{
  Standard_Integer aSize = 0;
  if (!FieldSize(theType, aSize))
  {
    return unknownTag(theStream, theType);
  }
  if (aSize > 0)
  {
    return theStream.SkipBytes(aSize);
  }
  switch (theType)
  {
  case VexData_Format::Field_String:
    return theStream.SkipToByte(0);
  case VexData_Format::Field_WString:
    return theStream.SkipToUnit(0);
  case VexData_Format::Field_BitsShort:
  case VexData_Format::Field_BitsLong:
    return skipBits(theStream, theType);
  default:
    return unknownTag(theStream, theType);
  }
}

VexData_ReadStatus::Status VexData_TypeTable::skipBits(VexData_InputStream&   theStream,
                                                       const Standard_Integer theType) const
{
  // The short count is an unsigned byte (0 to 255); a long count below 1 holds no bits.
  Standard_Integer                 aCount = 0;
  const VexData_ReadStatus::Status aCode  = theType == VexData_Format::Field_BitsShort
                                                ? theStream.ReadByte(aCount)
                                                : theStream.ReadInt(aCount);
  if (aCode != VexData_ReadStatus::Ok)
  {
    VexData_Message::Send(theStream.Messenger(), "VEX_READER_READING_NBBYTES_FAILURE");
    return VexData_ReadStatus::WrongFormat;
  }
  if (aCount < 1)
  {
    return VexData_ReadStatus::Ok;
  }
  return theStream.SkipBytes((static_cast<int64_t>(aCount) + 7) / 8);
}
