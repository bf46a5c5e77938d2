// Copyright (c) 2026 VexData developers
#include <VexGerber_Block.hxx>

IMPLEMENT_STANDARD_RTTIEXT(VexGerber_Block, Standard_Transient)

void VexGerber_Block::Add(const VexGerber_Object&                    theObject,
                          const NCollection_Vector<VexGeom_Contour>& theContours)
{
  VexGerber_Object& anObject = myObjects.Appended();
  anObject                   = theObject;
  if (theObject.Type == VexGerber_Object::Kind_Region)
  {
    anObject.Region = myRegions.Length();
    myRegions.Append(theContours);
  }
}

void VexGerber_Block::Clear()
{
  myObjects.Clear();
  myRegions.Clear();
  myDepth = 1;
}
