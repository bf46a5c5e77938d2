// Copyright (c) 2026 VexData developers
#ifndef _VexJob_ModelMaker_HeaderFile
#define _VexJob_ModelMaker_HeaderFile

#include <VexJob_Toolpath.hxx>

#include <PenFormatData_Model.hxx>

//! The model of a job, as the plug-in writes it: unit millimetre, one round aperture per tool
//! (named as in the tool library, its diameter as parameter, marked as a tool), one layer per
//! side, and per toolpath a point toolpath of its holes and a path toolpath of its contours,
//! arcs kept as arcs, in the job's order.
class VexJob_ModelMaker
{
public:
  //! Returns the model of theToolpaths.
  static Handle(PenFormatData_Model) Make(const std::vector<VexJob_Toolpath>& theToolpaths);
};

#endif
