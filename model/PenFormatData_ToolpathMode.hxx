// Copyright (c) 2026 VexData developers
#ifndef _PenFormatData_ToolpathMode_HeaderFile
#define _PenFormatData_ToolpathMode_HeaderFile

//! What the contours of a toolpath hold (PenFormatData_Sequence::ToolpathMode).
enum PenFormatData_ToolpathMode
{
  PenFormatData_TM_Path  = 1, //!< paths of segments and arcs, milled along
  PenFormatData_TM_Point = 2  //!< drill points, one hole each
};

#endif
