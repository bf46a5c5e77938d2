// Copyright (c) 2026 VexData developers
#include <PenFormatData.hxx>

Standard_Real PenFormatData::UnitInMillimetres(const PenFormatData_DimensionUnit theUnit)
{
  switch (theUnit)
  {
  case PenFormatData_DU_Micrometre:
    return 0.001;
  case PenFormatData_DU_Inch:
    return 25.4;
  case PenFormatData_DU_Mil:
    return 0.0254;
  case PenFormatData_DU_Millimetre:
  default:
    return 1.0;
  }
}

Standard_Real PenFormatData::ComputeUnitFactor(const PenFormatData_DimensionUnit theFrom,
                                               const PenFormatData_DimensionUnit theTo)
{
  if (theFrom == theTo)
  {
    return 1.0;
  }
  return UnitInMillimetres(theFrom) / UnitInMillimetres(theTo);
}
