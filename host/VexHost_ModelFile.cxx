// Copyright (c) 2026 VexData developers
#include <VexHost_ModelFile.hxx>

#include <VexHost_Json.hxx>

#include <fstream>

namespace
{
//! Returns the first character of thePath that is not white space (0 when there is none).
char firstNonBlank(const std::string& thePath)
{
  std::ifstream aFile(thePath, std::ios::in | std::ios::binary);
  char          aChar = 0;
  while (aFile.get(aChar) && (aChar == ' ' || aChar == '\t' || aChar == '\n' || aChar == '\r'))
  {
  }
  return aFile ? aChar : 0;
}
} // namespace

VexHost_ModelFile::Kind VexHost_ModelFile::Identify(const VexHost_Context& theContext,
                                                    const std::string&     thePath)
{
  if (theContext.Plugin().Match(thePath) != NULL)
  {
    return Kind_MachineFile;
  }
  if (firstNonBlank(thePath) == '{')
  {
    return Kind_Document;
  }
  return Kind_Unknown;
}

const char* VexHost_ModelFile::KindName(const Kind theKind)
{
  switch (theKind)
  {
  case Kind_MachineFile:
    return "machine file";
  case Kind_Document:
    return "model document";
  case Kind_Unknown:
    break;
  }
  return "unknown file";
}

int VexHost_ModelFile::Load(const VexHost_Context& theContext, const std::string& thePath,
                            const VexPcb_ImportOptions& /*theOptions*/,
                            Handle(PenFormatData_Model) & theModel,
                            VexPcb_ImportReport& /*theReport*/)
{
  if (Identify(theContext, thePath) == Kind_Document)
  {
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    TCollection_AsciiString                          anError;
    return VexHost_Json::ReadFile(thePath, theModel, aParams, anError, theContext.Messenger())
               ? 0
               : VexHost_Context::THE_USAGE_ERROR;
  }
  // Everything else goes to the plug-in, which tells the user when a file is not a machine file.
  return VexHost_Plugin::ExitStatus(
      theContext.Plugin().Read(thePath, theContext.Messenger(), theModel));
}

int VexHost_ModelFile::Load(const VexHost_Context& theContext, const std::string& thePath,
                            Handle(PenFormatData_Model) & theModel)
{
  VexPcb_ImportReport aReport;
  return Load(theContext, thePath, VexPcb_ImportOptions(), theModel, aReport);
}
