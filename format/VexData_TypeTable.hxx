// Copyright (c) 2026 VexData developers
#ifndef _VexData_TypeTable_HeaderFile
#define _VexData_TypeTable_HeaderFile

#include <VexData_InputStream.hxx>

#include <NCollection_DataMap.hxx>
#include <NCollection_Map.hxx>

//! What a reader knows about the layout of the records it meets: the byte size of every field
//! type (fixed), the payload size of every fixed-size record tag (built-in defaults, changed by
//! the type declarations at the head of a file), and the tags whose built-in layout no longer
//! applies. It also steps over any item or record that is not compound by its tag (the skip
//! rule; the record parser follows compound records item by item).
class VexData_TypeTable
{
public:
  //! Creates the table with the built-in sizes of field types 1 to 10 and record tags 12 to 20.
  VexData_TypeTable();

  //! Gives the size of field type theType in theSize (0: found while reading); false when the
  //! type has no entry.
  Standard_Boolean FieldSize(const Standard_Integer theType, Standard_Integer& theSize) const;

  //! Gives the payload size of record tag theTag in theSize; false when the tag has no entry.
  Standard_Boolean RecordSize(const Standard_Integer theTag, Standard_Integer& theSize) const;

  //! Returns true when a type declaration changed the built-in layout of theTag (18 and 19).
  Standard_Boolean IsRedeclared(const Standard_Integer theTag) const
  {
    return myRedeclared.Contains(static_cast<Standard_Byte>(theTag));
  }

  //! Applies the declaration "tag theTag has payload size theSize". Returns Ok when it is
  //! accepted (a new size for tag 18 also sends the "VEX_READER_REPLACE_TYPEDEF_SIZE" warning and
  //! marks tags 18 and 19 as redeclared), InvalidData for a negative size (after
  //! "VEX_READER_INVALID_TYPEDEF_SIZE") or for a new size of any other known tag (no message).
  VexData_ReadStatus::Status Declare(const Standard_Integer theTag, const Standard_Integer theSize,
                                     const Handle(Message_Messenger) & theMessenger);

  //! Steps over the item or record whose tag byte theTag has just been read, when it is not a
  //! compound record (the caller follows those item by item): a field type by its size or its
  //! own length, a fixed-size record by the size of the record-size table. Returns Ok;
  //! WrongFormat for a tag that cannot be skipped or an unreadable bit-field count; or the
  //! stream status of a failed read. Failures are reported to the stream's messenger.
  VexData_ReadStatus::Status SkipItem(VexData_InputStream&   theStream,
                                      const Standard_Integer theTag) const;

  //! Steps over one value of field type theType (1 to 10) whose type byte has been read.
  //! Returns as SkipItem.
  VexData_ReadStatus::Status SkipField(VexData_InputStream&   theStream,
                                       const Standard_Integer theType) const;

private:
  //! Steps over a bit field whose count is a byte (theType 9) or an int32 (theType 10).
  VexData_ReadStatus::Status skipBits(VexData_InputStream&   theStream,
                                      const Standard_Integer theType) const;

  //! Reports theTag as impossible to skip and returns WrongFormat.
  static VexData_ReadStatus::Status unknownTag(const VexData_InputStream& theStream,
                                               const Standard_Integer     theTag);

private:
  NCollection_DataMap<Standard_Byte, Standard_Integer> myFieldSizes;  //!< field type -> size
  NCollection_DataMap<Standard_Byte, Standard_Integer> myRecordSizes; //!< record tag -> size
  NCollection_Map<Standard_Byte>                       myRedeclared;  //!< tags with new layout
};

#endif
