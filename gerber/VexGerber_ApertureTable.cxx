// Copyright (c) 2026 VexData developers
#include <VexGerber_ApertureTable.hxx>

#include <VexGerber_Limits.hxx>

#include <cmath>

void VexGerber_ApertureTable::AddMacro(const Handle(VexGerber_Macro) & theMacro)
{
  myMacros.Bind(theMacro->Name(), theMacro);
}

Standard_Boolean VexGerber_ApertureTable::standardAperture(
    const Standard_Integer theNumber, const char theTemplate,
    const NCollection_Vector<Standard_Real>& theParams, const Standard_Real theFactor,
    Handle(VexGerber_Aperture) & theAperture)
{
  // Kind, fewest and most parameters, and the index of the vertex count (-1 none).
  VexGerber_Aperture::Kind aKind   = VexGerber_Aperture::Kind_Circle;
  Standard_Integer         aFewest = 2, aMost = 3, aVertices = -1;
  switch (theTemplate)
  {
  case 'C':
    aFewest = 1;
    aMost   = 2;
    break;
  case 'R':
    aKind   = VexGerber_Aperture::Kind_Rectangle;
    aFewest = 1; // a missing height is 0, as other readers take it
    break;
  case 'O':
    aKind   = VexGerber_Aperture::Kind_Obround;
    aFewest = 1;
    break;
  default:
    aKind     = VexGerber_Aperture::Kind_Polygon;
    aMost     = 4;
    aVertices = 1;
  }
  const Standard_Integer aCount = theParams.Length();
  if (aCount < aFewest || aCount > aMost)
  {
    return myFault.Fail("VEX_GERBER_APERTURE_PARAMS", theNumber);
  }
  theAperture = new VexGerber_Aperture(theNumber, aKind);
  for (Standard_Integer anIndex = 0; anIndex < aCount; ++anIndex)
  {
    const Standard_Real    aValue = theParams(anIndex);
    const Standard_Boolean isRaw  = anIndex == aVertices || (aVertices > 0 && anIndex == 2);
    if (aValue < 0.0 || !VexGerber_Limits::IsInRange(aValue * theFactor) ||
        (anIndex == aVertices && (aValue < 3.0 || aValue > 12.0 || aValue != std::floor(aValue))))
    {
      return myFault.Fail("VEX_GERBER_APERTURE_PARAMS", theNumber);
    }
    theAperture->AddParam(isRaw ? aValue : aValue * theFactor);
  }
  if (aKind != VexGerber_Aperture::Kind_Circle && aKind != VexGerber_Aperture::Kind_Polygon &&
      aCount == 1)
  {
    theAperture->AddParam(0.0);
  }
  return Standard_True;
}

Standard_Boolean VexGerber_ApertureTable::Define(const Standard_Integer         theNumber,
                                                 const TCollection_AsciiString& theTemplate,
                                                 const NCollection_Vector<Standard_Real>& theParams,
                                                 const Standard_Real                      theFactor,
                                                 Handle(VexGerber_Aperture) & theAperture)
{
  if (theNumber < 10)
  {
    return myFault.Fail("VEX_GERBER_APERTURE_NUMBER", theNumber);
  }
  const Standard_Boolean isStandard =
      theTemplate.Length() == 1 && TCollection_AsciiString("CROP").Search(theTemplate) > 0;
  if (isStandard)
  {
    if (!standardAperture(theNumber, theTemplate.Value(1), theParams, theFactor, theAperture))
    {
      return Standard_False;
    }
  }
  else
  {
    const Handle(VexGerber_Macro)* aMacro = myMacros.Seek(theTemplate);
    if (aMacro == NULL)
    {
      return myFault.Fail("VEX_GERBER_UNKNOWN_TEMPLATE", theTemplate);
    }
    theAperture = new VexGerber_Aperture(theNumber, VexGerber_Aperture::Kind_Macro);
    theAperture->SetMacro(*aMacro, theFactor);
    for (NCollection_Vector<Standard_Real>::Iterator anIter(theParams); anIter.More();
         anIter.Next())
    {
      theAperture->AddParam(anIter.Value());
    }
  }
  myApertures.Bind(theNumber, theAperture);
  myMalformed.UnBind(theNumber);
  if (mySelected == theNumber)
  {
    myCurrent = theAperture;
  }
  return Standard_True;
}

void VexGerber_ApertureTable::DefineMalformed(const Standard_Integer theNumber,
                                              const Standard_Integer theLine)
{
  myApertures.UnBind(theNumber);
  myMalformed.Bind(theNumber, theLine);
  if (mySelected == theNumber)
  {
    myCurrent.Nullify();
  }
}

void VexGerber_ApertureTable::Select(const Standard_Integer theNumber)
{
  mySelected                               = theNumber;
  const Handle(VexGerber_Aperture)* aFound = myApertures.Seek(theNumber);
  myCurrent = aFound != NULL ? *aFound : Handle(VexGerber_Aperture)();
}

Handle(VexGerber_Aperture) VexGerber_ApertureTable::Current()
{
  if (myCurrent.IsNull())
  {
    if (mySelected == 0)
    {
      myFault.Fail("VEX_GERBER_NO_APERTURE");
    }
    else if (const Standard_Integer* aLine = myMalformed.Seek(mySelected))
    {
      myFault.Fail("VEX_GERBER_MALFORMED_APERTURE", mySelected, *aLine);
    }
    else
    {
      myFault.Fail("VEX_GERBER_UNDEFINED_APERTURE", mySelected);
    }
  }
  return myCurrent;
}
