// Copyright (c) 2026 VexData developers
#include <PenFormatData_Sequence.hxx>

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_Sequence, PenFormatData_Object)

PenFormatData_Sequence::PenFormatData_Sequence(const Standard_Integer theAperture,
                                               const Standard_Integer theFlags,
                                               const Handle(PhGeom_Curve) & theCurve)
    : myCurve(theCurve), myAperture(theAperture), myFlags(theFlags), myToolpathMode(0),
      myToolpathFlag(0), myScanFieldIndex(0), isArea(Standard_False), isClear(Standard_False)
{
}
