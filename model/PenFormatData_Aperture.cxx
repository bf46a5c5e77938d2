// Copyright (c) 2026 VexData developers
#include <PenFormatData_Aperture.hxx>

#include <cstring>

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_Aperture, PenFormatData_Object)

PenFormatData_Aperture::PenFormatData_Aperture(const Standard_Integer            theShapeCode,
                                               const TCollection_ExtendedString& theName,
                                               const Handle(Standard_Transient) & theAttribute,
                                               const Standard_Integer theAttributeFlags)
    : myName(theName), myParams(4), myAttribute(theAttribute), myShapeCode(theShapeCode),
      myAttributeFlags(theAttributeFlags), myToolFlag(0)
{
}

void PenFormatData_Aperture::SetParam(const Standard_Real*   theParams,
                                      const Standard_Integer theCount)
{
  myParams.Clear();
  for (Standard_Integer anIndex = 0; theParams != NULL && anIndex < theCount; ++anIndex)
  {
    myParams.Append(theParams[anIndex]);
  }
}

Standard_Integer PenFormatData_Aperture::HashCode(const Standard_Integer theUpper) const
{
  unsigned int aHash = static_cast<unsigned int>(::HashCode(myName, IntegerLast()));
  aHash              = aHash * 31u + static_cast<unsigned int>(myShapeCode);
  for (NCollection_Vector<Standard_Real>::Iterator anIter(myParams); anIter.More(); anIter.Next())
  {
    unsigned long long aBits = 0;
    std::memcpy(&aBits, &anIter.Value(), sizeof(aBits));
    aHash = aHash * 31u + static_cast<unsigned int>(aBits ^ (aBits >> 32));
  }
  return ::HashCode(static_cast<Standard_Integer>(aHash & 0x7fffffffu), theUpper);
}
