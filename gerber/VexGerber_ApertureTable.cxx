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
    const NCollection_Vector<Standard_Real>& theParams, Handle(VexGerber_Aperture) & theAperture)
{
  // Kind, fewest and most parameters (the last two of the most: an old rectangular hole), and the
  // indexes of the vertex count and of the rotation (-1 none).
  VexGerber_Aperture::Kind aKind   = VexGerber_Aperture::Kind_Circle;
  Standard_Integer         aFewest = 1, aMost = 4, aVertices = -1, aRotation = -1;
  switch (theTemplate)
  {
  case 'C':
    aMost = 3;
    break;
  case 'R': // a missing height is 0, as other readers take it
    aKind = VexGerber_Aperture::Kind_Rectangle;
    break;
  case 'O':
    aKind = VexGerber_Aperture::Kind_Obround;
    break;
  default:
    aKind     = VexGerber_Aperture::Kind_Polygon;
    aFewest   = 2;
    aMost     = 5;
    aVertices = 1;
    aRotation = 2;
  }
  const Standard_Integer aCount = theParams.Length();
  if (aCount < aFewest || aCount > aMost)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_APERTURE_PARAMS").Arg(theNumber));
  }
  theAperture = new VexGerber_Aperture(theNumber, aKind);
  for (Standard_Integer anIndex = 0; anIndex < aCount; ++anIndex)
  {
    const Standard_Real aValue = theParams(anIndex);
    if ((aValue < 0.0 && anIndex != aRotation) || !VexGerber_Limits::IsInRange(aValue) ||
        (anIndex == aVertices && (aValue < 3.0 || aValue > 12.0 || aValue != std::floor(aValue))))
    {
      return myFault.Fail(VexPcb_Fault("VEX_GERBER_APERTURE_PARAMS").Arg(theNumber));
    }
    theAperture->AddParam(aValue);
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
                                                 Handle(VexGerber_Aperture) & theAperture)
{
  if (theNumber < 10)
  {
    return myFault.Fail(VexPcb_Fault("VEX_GERBER_APERTURE_NUMBER").Arg(theNumber));
  }
  const Standard_Boolean isStandard =
      theTemplate.Length() == 1 && TCollection_AsciiString("CROP").Search(theTemplate) > 0;
  if (isStandard)
  {
    if (!standardAperture(theNumber, theTemplate.Value(1), theParams, theAperture))
    {
      return Standard_False;
    }
  }
  else
  {
    const Handle(VexGerber_Macro)* aMacro = myMacros.Seek(theTemplate);
    if (aMacro == NULL)
    {
      return myFault.Fail(VexPcb_Fault("VEX_GERBER_UNKNOWN_TEMPLATE").Quote(theTemplate));
    }
    theAperture = new VexGerber_Aperture(theNumber, VexGerber_Aperture::Kind_Macro);
    theAperture->SetMacro(*aMacro);
    for (NCollection_Vector<Standard_Real>::Iterator anIter(theParams); anIter.More();
         anIter.Next())
    {
      theAperture->AddParam(anIter.Value());
    }
  }
  file(theAperture);
  return Standard_True;
}

Standard_Boolean VexGerber_ApertureTable::ApplyUnit(const Handle(VexGerber_Aperture) & theAperture,
                                                    const Standard_Real theFactor)
{
  for (Standard_Integer anIndex = 0; anIndex < theAperture->Params().Length(); ++anIndex)
  {
    if (theAperture->IsLength(anIndex) &&
        !VexGerber_Limits::IsInRange(theAperture->Param(anIndex) * theFactor))
    {
      return myFault.Fail(VexPcb_Fault("VEX_GERBER_APERTURE_PARAMS").Arg(theAperture->Number()));
    }
  }
  theAperture->ApplyUnit(theFactor);
  return Standard_True;
}

void VexGerber_ApertureTable::DefineBlock(const Handle(VexGerber_Aperture) & theAperture)
{
  file(theAperture);
}

void VexGerber_ApertureTable::file(const Handle(VexGerber_Aperture) & theAperture)
{
  const Standard_Integer aNumber = theAperture->Number();
  myApertures.Bind(aNumber, theAperture);
  myMalformed.UnBind(aNumber);
  if (mySelected == aNumber)
  {
    myCurrent = theAperture;
  }
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

const Handle(VexGerber_Aperture) & VexGerber_ApertureTable::Current()
{
  if (myCurrent.IsNull())
  {
    if (mySelected == 0)
    {
      myFault.Fail(VexPcb_Fault("VEX_GERBER_NO_APERTURE"));
    }
    else if (const Standard_Integer* aLine = myMalformed.Seek(mySelected))
    {
      myFault.Fail(VexPcb_Fault("VEX_GERBER_MALFORMED_APERTURE").Arg(mySelected).Arg(*aLine));
    }
    else
    {
      myFault.Fail(VexPcb_Fault("VEX_GERBER_UNDEFINED_APERTURE").Arg(mySelected));
    }
  }
  return myCurrent;
}
