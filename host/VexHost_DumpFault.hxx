// Copyright (c) 2026 VexData developers
#ifndef _VexHost_DumpFault_HeaderFile
#define _VexHost_DumpFault_HeaderFile

#include <VexData_ParseFault.hxx>

#include <string>

//! The words "vex dump" uses for the fault that stopped a read: what was expected at the offset
//! of the fault, or which value broke which rule.
class VexHost_DumpFault
{
public:
  //! Returns theFault in words, without its offset and status.
  static std::string Describe(const VexData_ParseFault& theFault);

private:
  //! Returns the words for a read of the value theFault expected that failed.
  static std::string describeRead(const VexData_ParseFault& theFault);

  //! Returns the words for the value theValue (such as "the tool width (float32)").
  static std::string valueName(const VexData_ParseFault::Value theValue);
};

#endif
