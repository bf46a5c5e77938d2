// Copyright (c) 2026 VexData developers
#include <VexPcb_Nets.hxx>

const TCollection_AsciiString& VexPcb_Nets::Net(const Handle(PenFormatData_Object) &
                                                theObject) const
{
  static const TCollection_AsciiString THE_NONE;
  const Standard_Integer*              anIndex = myObjects.Seek(theObject);
  return anIndex != NULL ? myNames.FindKey(*anIndex) : THE_NONE;
}

void VexPcb_Nets::Add(const Handle(PenFormatData_Object) & theObject,
                      const TCollection_AsciiString& theNet)
{
  if (!theNet.IsEmpty())
  {
    myObjects.Bind(theObject, myNames.Add(theNet));
  }
}
