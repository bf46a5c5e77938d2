// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_DimensionUnit_HeaderFile
#define _PenFormatData_DimensionUnit_HeaderFile

//! Length units of a pen-format model. Value 0 is the unit of machine files.
enum PenFormatData_DimensionUnit
{
  PenFormatData_DU_Millimetre = 0, //!< millimetre, the machine file's unit
  PenFormatData_DU_Micrometre = 1, //!< micrometre
  PenFormatData_DU_Inch       = 2, //!< inch (25.4 mm), the model default
  PenFormatData_DU_Mil        = 3  //!< thousandth of an inch
};

#endif
