// Copyright (c) 2026 VexData developers
#include <PenFormatData_Model.hxx>

#include <PenFormatData_ModelAllocator.hxx>

IMPLEMENT_STANDARD_RTTIEXT(PenFormatData_Model, Standard_Transient)

PenFormatData_Model::PenFormatData_Model(const PenFormatData_DimensionUnit theUnit,
                                         const PenFormatData_ImagePolarity thePolarity)
    : myAllocator(new PenFormatData_ModelAllocator()), myApertures(64), myScanFields(64),
      myUnit(theUnit), myPolarity(thePolarity)
{
  myApertures.Append(Handle(PenFormatData_Aperture)());
  myScanFields.Append(Handle(PenFormatData_ScanField)());
}

PenFormatData_Model::~PenFormatData_Model()
{
  // Objects hold curves whose elements live in the allocator: release them first.
  myObjects.Clear();
  myApertures.Clear();
  myScanFields.Clear();
  myLayers.Clear();
}

void PenFormatData_Model::SetLayer(const Handle(PenFormatData_Layer) & theLayer)
{
  if (theLayer.IsNull())
  {
    return;
  }
  const Standard_Integer anIndex = myLayers.FindIndex(theLayer->Name());
  if (anIndex != 0)
  {
    myLayers.ChangeFromIndex(anIndex) = theLayer;
    return;
  }
  myLayers.Add(theLayer->Name(), theLayer);
}

Handle(PenFormatData_Layer)
    PenFormatData_Model::FindLayer(const TCollection_ExtendedString& theName) const
{
  const Handle(PenFormatData_Layer)* aLayer = myLayers.Seek(theName);
  return aLayer != NULL ? *aLayer : Handle(PenFormatData_Layer)();
}

const Handle(PenFormatData_Aperture) & PenFormatData_Model::Aperture(
                                           const Standard_Integer theNumber) const
{
  static const Handle(PenFormatData_Aperture) THE_NO_APERTURE;
  if (theNumber < 0 || theNumber >= myApertures.Length())
  {
    return THE_NO_APERTURE;
  }
  return myApertures.Value(theNumber);
}

void PenFormatData_Model::SetAperture(const Standard_Integer theNumber,
                                      const Handle(PenFormatData_Aperture) & theAperture)
{
  if (theNumber < 1)
  {
    return;
  }
  myApertures.SetValue(theNumber, theAperture);
}

const Handle(PenFormatData_ScanField) & PenFormatData_Model::ScanField(
                                            const Standard_Integer theIndex) const
{
  static const Handle(PenFormatData_ScanField) THE_NO_SCAN_FIELD;
  if (theIndex < 0 || theIndex >= myScanFields.Length())
  {
    return THE_NO_SCAN_FIELD;
  }
  return myScanFields.Value(theIndex);
}

Standard_Integer PenFormatData_Model::AddScanField(const Handle(PenFormatData_ScanField) &
                                                   theScanField)
{
  myScanFields.Append(theScanField);
  return myScanFields.Length() - 1;
}

void PenFormatData_Model::SetScanField(const Standard_Integer theIndex,
                                       const Handle(PenFormatData_ScanField) & theScanField)
{
  if (theIndex < 1)
  {
    return;
  }
  myScanFields.SetValue(theIndex, theScanField);
}
