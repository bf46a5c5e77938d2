// Copyright (c) 2026 VexData developers
#include <PenFormatData_ScanField.hxx>

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_ScanField, Standard_Transient)

PenFormatData_ScanField::PenFormatData_ScanField(const Standard_Integer theNumber,
                                                 const Standard_Integer theOrder,
                                                 const Standard_Real    theWidth,
                                                 const Standard_Real    theHeight,
                                                 const gp_XY&           theCenter)
    : myCenter(theCenter), myWidth(theWidth), myHeight(theHeight), myNumber(theNumber),
      myOrder(theOrder)
{
}
