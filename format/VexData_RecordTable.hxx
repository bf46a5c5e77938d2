// Copyright (c) 2026 VexData developers
#ifndef _VexData_RecordTable_HeaderFile
#define _VexData_RecordTable_HeaderFile

#include <Standard_TypeDef.hxx>

//! The tag bytes of the machine file that have a meaning, in ascending order, each with its name
//! and, for field types and fixed-size records, its payload size. The reader's size tables, the
//! declarations the writer puts at the head of every file and the names "vex dump" prints all
//! come from here, so that a tag is described in one place.
class VexData_RecordTable
{
public:
  //! One tag byte and what it stands for.
  struct Row
  {
    Standard_Integer Tag;        //!< tag byte
    const char*      Name;       //!< what the tag stands for
    Standard_Integer Size;       //!< payload size in bytes (0: found while reading, or none)
    Standard_Boolean IsBuiltIn;  //!< a reader knows the size without a declaration
    Standard_Boolean IsDeclared; //!< the writer declares the size at the head of every file
  };

  //! Returns the number of rows.
  static Standard_Integer NbRows();

  //! Returns row theIndex, from 0 to NbRows() - 1, in ascending order of tags.
  static const Row& Value(const Standard_Integer theIndex);

  //! Returns the row of theTag, or NULL when the tag has no meaning of its own.
  static const Row* Find(const Standard_Integer theTag);

  //! Returns the name of theTag (0 to 255); a tag without a row is named by its class: "record"
  //! (12 to 127) or "compound record" (128 to 255).
  static const char* Name(const Standard_Integer theTag);
};

#endif
