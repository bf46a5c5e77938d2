// Copyright (c) 2026 VexData developers
#include <PenFormatData_Object.hxx>

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_Object, Standard_Transient)

PenFormatData_Object::~PenFormatData_Object()
{
}
