// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_ImagePolarity_HeaderFile
#define _PenFormatData_ImagePolarity_HeaderFile

//! Image polarity of a pen-format model.
enum PenFormatData_ImagePolarity
{
  PenFormatData_IP_Positive = 0, //!< dark features on a clear background (default)
  PenFormatData_IP_Negative = 1  //!< clear features on a dark background
};

#endif
