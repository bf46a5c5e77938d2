// Copyright (c) 2026 VexData developers
#include <VexExcellon_ApertureTable.hxx>

#include <algorithm>
#include <cmath>

const Standard_Real VexExcellon_ApertureTable::THE_TOLERANCE = 1.0e-6;

VexExcellon_ApertureTable::VexExcellon_ApertureTable(const PenFormatData_Model& theModel)
    : myFirstNew(std::max(theModel.NbApertures(), 1))
{
  for (Standard_Integer aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(aNumber);
    if (anAperture.IsNull())
    {
      continue;
    }
    const TCollection_AsciiString aName(anAperture->Name(), '?');
    myNames.Add(aName);
    if (anAperture->ToolFlag() != 0 && anAperture->NbParams() == 1 &&
        anAperture->ShapeCode() == PenFormatData_Aperture::Shape_Round &&
        std::isfinite(anAperture->Param(1)))
    {
      add(aName, anAperture->Param(1), aNumber);
    }
  }
}

TCollection_AsciiString VexExcellon_ApertureTable::key(const TCollection_AsciiString& theName,
                                                       const Standard_Real            theDiameter,
                                                       const int                      theShift)
{
  const long long aCell = std::llround(theDiameter / THE_TOLERANCE) + theShift;
  return theName + "\n" + TCollection_AsciiString(static_cast<Standard_Real>(aCell));
}

TCollection_AsciiString VexExcellon_ApertureTable::baseName(const TCollection_AsciiString& theName)
{
  // "T01_2" is a suffixed "T01"; a name without digits after its last underscore is a base.
  const Standard_Integer anUnderscore = theName.SearchFromEnd("_");
  if (anUnderscore < 2 || anUnderscore == theName.Length())
  {
    return theName;
  }
  for (Standard_Integer aChar = anUnderscore + 1; aChar <= theName.Length(); ++aChar)
  {
    if (!IsDigit(theName.Value(aChar)))
    {
      return theName;
    }
  }
  return theName.SubString(1, anUnderscore - 1);
}

void VexExcellon_ApertureTable::add(const TCollection_AsciiString& theName,
                                    const Standard_Real            theDiameter,
                                    const Standard_Integer         theNumber)
{
  // Known under its base name, so that a tool finds it among all the suffixed names at once.
  const TCollection_AsciiString aKey = key(baseName(theName), theDiameter, 0);
  if (!myByKey.IsBound(aKey))
  {
    myByKey.Bind(aKey, theNumber);
  }
  myWidths.Bind(theNumber, theDiameter);
}

Standard_Integer VexExcellon_ApertureTable::Find(const TCollection_AsciiString& theName,
                                                 const Standard_Real            theDiameter)
{
  // A match within the tolerance sits in the diameter's cell of the grid or in a neighbour.
  const TCollection_AsciiString aBase = baseName(theName);
  for (int aShift = -1; aShift <= 1; ++aShift)
  {
    const Standard_Integer* aNumber = myByKey.Seek(key(aBase, theDiameter, aShift));
    if (aNumber != NULL && std::abs(myWidths.Find(*aNumber) - theDiameter) <= THE_TOLERANCE)
    {
      return *aNumber;
    }
  }
  TCollection_AsciiString aName = theName;
  if (myNames.Contains(aName))
  {
    Standard_Integer* aNext = myNext.ChangeSeek(aBase);
    if (aNext == NULL)
    {
      aNext = myNext.Bound(aBase, 1);
    }
    for (aName = aBase + "_" + *aNext; myNames.Contains(aName); aName = aBase + "_" + *aNext)
    {
      ++*aNext;
    }
  }
  const Standard_Integer aNumber            = myFirstNew + myNew.Length();
  Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
      PenFormatData_Aperture::Shape_Round, TCollection_ExtendedString(aName.ToCString()),
      Handle(Standard_Transient)(), 0);
  anAperture->SetParam(&theDiameter, 1);
  anAperture->SetToolFlag(1);
  myNew.Append(anAperture);
  myNames.Add(aName);
  add(aName, theDiameter, aNumber);
  return aNumber;
}

void VexExcellon_ApertureTable::Commit(PenFormatData_Model& theModel) const
{
  for (Standard_Integer anIndex = 0; anIndex < myNew.Length(); ++anIndex)
  {
    theModel.SetAperture(myFirstNew + anIndex, myNew.Value(anIndex));
  }
}
