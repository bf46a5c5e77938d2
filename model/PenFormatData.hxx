// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_HeaderFile
#define _PenFormatData_HeaderFile

#include <PenFormatData_DimensionUnit.hxx>
#include <Standard_Macro.hxx>
#include <Standard_Real.hxx>
#include <Standard_Integer.hxx>

//! Package-level services of the pen-format model library.
class PenFormatData
{
public:
  //! Returns the factor that turns a length expressed in theFrom into the same length in theTo
  //! (inch to millimetre gives 25.4). Unknown unit values count as millimetres.
  Standard_EXPORT static Standard_Real ComputeUnitFactor(const PenFormatData_DimensionUnit theFrom,
                                                         const PenFormatData_DimensionUnit theTo);

  //! Returns the length of one theUnit in millimetres.
  Standard_EXPORT static Standard_Real UnitInMillimetres(const PenFormatData_DimensionUnit theUnit);
};

#endif
