// Copyright (c) 2026 VexData developers
#include <PenFormatData_Aperture.hxx>

#include <cstring>

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_Aperture, PenFormatData_Object)

PenFormatData_Aperture::PenFormatData_Aperture(const Standard_Integer            theShapeCode,
                                               const TCollection_ExtendedString& theName,
                                               const Handle(Standard_Transient) & theAttribute,
                                               const Standard_Integer theAttributeFlags)
    : myName(theName), myParams(4), myOutlinePoints(1), myOutlineEnds(1), myAttribute(theAttribute),
      myShapeCode(theShapeCode), myAttributeFlags(theAttributeFlags), myToolFlag(0)
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

void PenFormatData_Aperture::SetOutline(const NCollection_Vector<gp_XY>&            thePoints,
                                        const NCollection_Vector<Standard_Integer>& theEnds)
{
  // One block each: an outline is set once and read often.
  myOutlinePoints = NCollection_Vector<gp_XY>(Max(thePoints.Length(), 1));
  myOutlineEnds   = NCollection_Vector<Standard_Integer>(Max(theEnds.Length(), 1));
  for (NCollection_Vector<gp_XY>::Iterator anIter(thePoints); anIter.More(); anIter.Next())
  {
    myOutlinePoints.Append(anIter.Value());
  }
  for (NCollection_Vector<Standard_Integer>::Iterator anIter(theEnds); anIter.More(); anIter.Next())
  {
    myOutlineEnds.Append(anIter.Value());
  }
}

Standard_Boolean PenFormatData_Aperture::IsSameOutline(
    const NCollection_Vector<gp_XY>&            thePoints,
    const NCollection_Vector<Standard_Integer>& theEnds) const
{
  if (myOutlinePoints.Length() != thePoints.Length() || myOutlineEnds.Length() != theEnds.Length())
  {
    return Standard_False;
  }
  for (Standard_Integer anIndex = 0; anIndex < theEnds.Length(); ++anIndex)
  {
    if (myOutlineEnds(anIndex) != theEnds(anIndex))
    {
      return Standard_False;
    }
  }
  for (Standard_Integer anIndex = 0; anIndex < thePoints.Length(); ++anIndex)
  {
    const gp_XY& aThis = myOutlinePoints(anIndex);
    const gp_XY& aThat = thePoints(anIndex);
    if (aThis.X() != aThat.X() || aThis.Y() != aThat.Y())
    {
      return Standard_False;
    }
  }
  return Standard_True;
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
