// Copyright (c) 2026 VexData developers
#ifndef _VexHost_ModelOutput_HeaderFile
#define _VexHost_ModelOutput_HeaderFile

#include <VexHost_Context.hxx>

#include <PenFormatData_Model.hxx>

#include <string>
#include <vector>

//! A model vex made (from design files, a job) written out: as a machine file through the
//! plug-in's SETPARAM and WRITEFILE, as the CAM host writes, or as a JSON model document with the
//! export parameters kept in it. Both say on standard output what was written.
class VexHost_ModelOutput
{
public:
  //! Writes theModel to theOutput through the plug-in with theParams and lists on standard error
  //! what was left out. Returns 0 or the plug-in's exit status.
  static int WriteMachineFile(const VexHost_Context& theContext, const std::string& theOutput,
                              const std::vector<std::string>& theParams,
                              const Handle(PenFormatData_Model) & theModel);

  //! Writes theModel to theOutput ("-": standard output) as a model document with theParams.
  //! Returns 0 or the exit status of a failed write.
  static int WriteDocument(const VexHost_Context& theContext, const std::string& theOutput,
                           const std::vector<std::string>& theParams,
                           const Handle(PenFormatData_Model) & theModel);
};

#endif
