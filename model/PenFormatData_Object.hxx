// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_Object_HeaderFile
#define _PenFormatData_Object_HeaderFile

#include <Standard_Transient.hxx>
#include <Standard_Type.hxx>

//! Base of every object a pen-format model holds: layers, sequences and apertures.
class PenFormatData_Object : public Standard_Transient
{
  DEFINE_STANDARD_RTTIEXT(PenFormatData_Object, Standard_Transient)
public:
  //! Virtual destructor: objects are held and released through handles.
  Standard_EXPORT virtual ~PenFormatData_Object();
};

DEFINE_STANDARD_HANDLE(PenFormatData_Object, Standard_Transient)

#endif
