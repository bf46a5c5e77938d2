// Copyright (c) 2026 VexData developers
#ifndef _VexData_Path_HeaderFile
#define _VexData_Path_HeaderFile

#include <Standard_TypeDef.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>

//! Converts the host's wide-character paths into the narrow form the platform opens files with.
class VexData_Path
{
public:
  //! Converts the NUL-terminated UTF-16 path thePath to UTF-8 in theUtf8. Returns false, with
  //! theUtf8 emptied, for a null path or an unpaired surrogate, which no UTF-8 name can carry.
  static Standard_Boolean ToUtf8(const Standard_ExtString thePath, std::string& theUtf8);

  //! Returns thePath unchanged as an extended string, as messages report it (empty when null).
  static TCollection_ExtendedString ToMessage(const Standard_ExtString thePath);
};

#endif
