// Copyright (c) 2026 VexData developers
#include <PenFormatData_Layer.hxx>

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_Layer, PenFormatData_Object)

PenFormatData_Layer::PenFormatData_Layer(const TCollection_ExtendedString& theName)
    : myName(theName), myFlags(0)
{
}
