// Copyright (c) 2026 VexData developers
#include <VexHost_ModelOutput.hxx>

#include <VexHost_DesignText.hxx>
#include <VexDocument_Json.hxx>
#include <VexHost_Output.hxx>

#include <iostream>

namespace
{
//! Returns the export parameters theParams as the plug-in takes them.
NCollection_Sequence<TCollection_ExtendedString> parameters(
    const std::vector<std::string>& theParams)
{
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  for (const std::string& aParam : theParams)
  {
    aParams.Append(TCollection_ExtendedString(aParam.c_str(), Standard_True));
  }
  return aParams;
}
} // namespace

int VexHost_ModelOutput::WriteMachineFile(const VexHost_Context&          theContext,
                                          const std::string&              theOutput,
                                          const std::vector<std::string>& theParams,
                                          const Handle(PenFormatData_Model) & theModel)
{
  // The writer reports through the model's sink: a model built here has none of its own.
  theModel->SetMessenger(theContext.Messenger());
  theContext.Plugin().SetParameters(parameters(theParams));
  NCollection_List<Handle(PenFormatData_Object)> aLeftOut;
  const Standard_Integer                         aCode =
      theContext.Plugin().Write(theOutput, theModel, theContext.Messenger(), aLeftOut);
  if (aCode != 0)
  {
    return VexHost_Plugin::ExitStatus(aCode);
  }
  VexHost_DesignText::PrintLeftOut(*theModel, aLeftOut, "", std::cerr);
  std::cout << "Wrote " << theOutput << " ("
            << VexHost_DesignText::Counted(aLeftOut.Extent(), "object")
            << " left out: not toolpaths)" << std::endl;
  return 0;
}

int VexHost_ModelOutput::WriteDocument(const VexHost_Context&          theContext,
                                       const std::string&              theOutput,
                                       const std::vector<std::string>& theParams,
                                       const Handle(PenFormatData_Model) & theModel)
{
  const NCollection_Sequence<TCollection_ExtendedString> aParams = parameters(theParams);
  const int                                              aStatus = VexHost_Output::Write(
                                                   theOutput,
                                                   [&theModel, &aParams](std::ostream& theStream, TCollection_AsciiString& theError)
                                                   { return VexDocument_Json::Write(theModel, aParams, theStream, theError); },
                                                   theContext.Messenger());
  if (aStatus == 0 && theOutput != "-")
  {
    std::cout << "Wrote " << theOutput << " (model document)" << std::endl;
  }
  return aStatus;
}
