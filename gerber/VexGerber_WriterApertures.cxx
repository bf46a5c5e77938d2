// Copyright (c) 2026 VexData developers
#include <VexGerber_WriterApertures.hxx>

#include <VexGeom_Shape.hxx>

#include <PenFormatData.hxx>

#include <cmath>
#include <cstdio>

namespace
{
//! First D code given.
const Standard_Integer THE_FIRST_CODE = 10;

//! Returns theValue as a length of a definition: millimetres with six decimals, 0 for what is
//! not a length.
std::string length(const Standard_Real theValue)
{
  char aText[64];
  std::snprintf(aText, sizeof(aText), "%.6f", std::isfinite(theValue) ? Max(theValue, 0.0) : 0.0);
  return aText;
}
} // namespace

VexGerber_WriterApertures::VexGerber_WriterApertures(const PenFormatData_Model& theModel)
    : myModel(theModel), myFactor(PenFormatData::UnitInMillimetres(theModel.DimensionUnit()))
{
}

Standard_Boolean VexGerber_WriterApertures::IsFlashes(const PenFormatData_Sequence& theSequence)
{
  if (theSequence.ToolpathFlag() != 0 || theSequence.IsArea() ||
      theSequence.ToolpathMode() != PenFormatData_TM_Point)
  {
    return Standard_False;
  }
  const Standard_Integer  aNumber   = theSequence.ApertureNumber();
  const Standard_Boolean* aDrawable = myDrawable.Seek(aNumber);
  if (aDrawable != NULL)
  {
    return *aDrawable;
  }
  const Standard_Boolean isDrawable =
      aNumber >= 1 && aNumber < myModel.NbApertures() &&
      VexGeom_Shape::FromAperture(myModel.Aperture(aNumber), myFactor).IsDrawable();
  myDrawable.Bind(aNumber, isDrawable);
  return isDrawable;
}

Standard_Integer VexGerber_WriterApertures::key(const PenFormatData_Sequence& theSequence)
{
  return 2 * theSequence.ApertureNumber() + (IsFlashes(theSequence) ? 1 : 0);
}

Standard_Integer VexGerber_WriterApertures::Code(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer* aCode = myCodes.Seek(key(theSequence));
  return aCode != NULL ? *aCode : 0;
}

std::string VexGerber_WriterApertures::Define(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer aKey = key(theSequence);
  if (myCodes.IsBound(aKey))
  {
    return std::string();
  }
  const Standard_Integer aCode   = THE_FIRST_CODE + myCodes.Extent();
  const Standard_Integer aNumber = theSequence.ApertureNumber();
  myCodes.Bind(aKey, aCode);
  if (aKey % 2 == 1)
  {
    return flashDefinition(aCode, aNumber);
  }
  // A round aperture of the tool's width; an aperture the model lacks draws with width 0.
  const Handle(PenFormatData_Aperture)& anAperture = myModel.Aperture(aNumber);
  const Standard_Real aWidth =
      !anAperture.IsNull() && anAperture->NbParams() > 0 ? anAperture->Param(1) : 0.0;
  return "%ADD" + std::to_string(aCode) + "C," + length(aWidth * myFactor) + "*%";
}

std::string VexGerber_WriterApertures::flashDefinition(const Standard_Integer theCode,
                                                       const Standard_Integer theNumber)
{
  // The aperture's shape can be drawn (IsFlashes): its sizes are numbers, 0 or more.
  const PenFormatData_Aperture& anAperture = *myModel.Aperture(theNumber);
  const Standard_Integer        aCount     = anAperture.NbParams();
  std::string                   aText      = "%ADD" + std::to_string(theCode);
  Standard_Integer              aHole      = 3; // index of the hole parameter, from 1
  switch (anAperture.ShapeCode())
  {
  case PenFormatData_Aperture::Shape_Round:
    aText += "C," + length(anAperture.Param(1) * myFactor);
    aHole = 2;
    break;
  case PenFormatData_Aperture::Shape_Polygon:
    aText += "P," + length(anAperture.Param(1) * myFactor) + "X" +
             std::to_string(std::lround(anAperture.Param(2)));
    if (aCount >= 3)
    {
      char aRotation[64];
      std::snprintf(aRotation, sizeof(aRotation), "X%.6f", anAperture.Param(3));
      aText += aRotation;
    }
    aHole = 4;
    break;
  default:
    aText += anAperture.ShapeCode() == PenFormatData_Aperture::Shape_Rectangle ? "R," : "O,";
    aText += length(anAperture.Param(1) * myFactor) + "X" + length(anAperture.Param(2) * myFactor);
    break;
  }
  if (aCount >= aHole && anAperture.Param(aHole) > 0.0)
  {
    aText += "X" + length(anAperture.Param(aHole) * myFactor);
  }
  return aText + "*%";
}
