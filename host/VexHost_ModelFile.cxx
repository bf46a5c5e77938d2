// Copyright (c) 2026 VexData developers
#include <VexHost_ModelFile.hxx>

#include <VexDocument_Json.hxx>

#include <VexData_Message.hxx>
#include <VexExcellon_Reader.hxx>
#include <VexGerber_Reader.hxx>

#include <Message_Msg.hxx>

#include <fstream>

namespace
{
//! Bytes of a file's head the design-file probes look at: both decide within a few lines, and a
//! header of comments and attributes fits many times over.
const std::streamsize THE_HEAD_SIZE = 65536;

//! Returns the first THE_HEAD_SIZE bytes of thePath (fewer when the file is shorter or does not
//! open).
std::string headOf(const std::string& thePath)
{
  std::ifstream aFile(thePath, std::ios::in | std::ios::binary);
  std::string   aHead(static_cast<size_t>(THE_HEAD_SIZE), '\0');
  aFile.read(&aHead[0], THE_HEAD_SIZE);
  aHead.resize(static_cast<size_t>(aFile.gcount()));
  return aHead;
}

//! Returns the first character of theHead that is not white space (0 when there is none).
char firstNonBlank(const std::string& theHead)
{
  const size_t aPos = theHead.find_first_not_of(" \t\n\r");
  return aPos == std::string::npos ? '\0' : theHead[aPos];
}

//! Sends the fault of theReport, named with the file thePath, as one fail message.
void sendFault(const VexHost_Context& theContext, const std::string& thePath,
               const VexPcb_TransferReport& theReport)
{
  Message_Msg aFault(theReport.Fault());
  Message_Msg aMsg("VEX_HOST_DESIGN_FAULT");
  aMsg.Arg(TCollection_ExtendedString(thePath.c_str(), Standard_True));
  aMsg.Arg(aFault.Get());
  theContext.Messenger()->Send(aMsg.Get(), Message_Fail);
}
} // namespace

VexHost_ModelFile::Kind VexHost_ModelFile::Identify(const VexHost_Context& theContext,
                                                    const std::string&     thePath)
{
  if (theContext.Plugin().Match(thePath) != NULL)
  {
    return Kind_MachineFile;
  }
  const std::string aHead = headOf(thePath);
  if (firstNonBlank(aHead) == '{')
  {
    return Kind_Document;
  }
  if (VexExcellon_Reader::Probe(aHead.data(), aHead.size()))
  {
    return Kind_Excellon;
  }
  if (VexGerber_Reader::Probe(aHead.data(), aHead.size()))
  {
    return Kind_Gerber;
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
  case Kind_Excellon:
    return "Excellon drill file";
  case Kind_Gerber:
    return "Gerber file";
  case Kind_Unknown:
    break;
  }
  return "unknown file";
}

int VexHost_ModelFile::Import(const VexHost_Context& theContext, const std::string& thePath,
                              const Kind theKind, const VexPcb_ImportOptions& theOptions,
                              PenFormatData_Model& theModel, VexPcb_TransferReport& theReport,
                              VexPcb_Nets* theNets)
{
  std::ifstream aFile(thePath, std::ios::in | std::ios::binary);
  if (!aFile.is_open())
  {
    VexData_Message::Send(theContext.Messenger(), "VEX_CANT_OPEN_FILE",
                          TCollection_ExtendedString(thePath.c_str(), Standard_True));
    return VexHost_Context::THE_USAGE_ERROR;
  }
  // The Gerber reader also tells the model's messenger about its fault: the model is silenced
  // while it reads, so that the fault is printed once, with the file's name.
  const Handle(Message_Messenger) aSink = theModel.Messenger();
  theModel.SetMessenger(Handle(Message_Messenger)());
  const Standard_Boolean isRead =
      theKind == Kind_Excellon ? VexExcellon_Reader::Read(aFile, theOptions, theModel, theReport)
      : theNets != NULL ? VexGerber_Reader::Read(aFile, theOptions, VexGerber_Limits(), theModel,
                                                 theReport, *theNets)
                        : VexGerber_Reader::Read(aFile, theOptions, theModel, theReport);
  theModel.SetMessenger(aSink);
  if (isRead)
  {
    return 0;
  }
  sendFault(theContext, thePath, theReport);
  return VexHost_Context::THE_USAGE_ERROR;
}

int VexHost_ModelFile::Load(const VexHost_Context& theContext, const std::string& thePath,
                            const VexPcb_ImportOptions& theOptions,
                            Handle(PenFormatData_Model) & theModel,
                            VexPcb_TransferReport& theReport, VexPcb_Nets* theNets)
{
  const int aStatus = load(theContext, thePath, theOptions, theModel, theReport, theNets);
  if (aStatus == 0)
  {
    theContext.KeepUntilExit(theModel);
  }
  return aStatus;
}

int VexHost_ModelFile::load(const VexHost_Context& theContext, const std::string& thePath,
                            const VexPcb_ImportOptions& theOptions,
                            Handle(PenFormatData_Model) & theModel,
                            VexPcb_TransferReport& theReport, VexPcb_Nets* theNets)
{
  const Kind aKind = Identify(theContext, thePath);
  if (aKind == Kind_Document)
  {
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    TCollection_AsciiString                          anError;
    return VexDocument_Json::ReadFile(thePath, theModel, aParams, anError, theContext.Messenger())
               ? 0
               : VexHost_Context::THE_USAGE_ERROR;
  }
  if (IsDesign(aKind))
  {
    Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
    const int aStatus = Import(theContext, thePath, aKind, theOptions, *aModel, theReport, theNets);
    theModel          = aStatus == 0 ? aModel : theModel;
    return aStatus;
  }
  // Everything else goes to the plug-in, which tells the user when a file is not a machine file.
  return VexHost_Plugin::ExitStatus(
      theContext.Plugin().Read(thePath, theContext.Messenger(), theModel));
}

int VexHost_ModelFile::Load(const VexHost_Context& theContext, const std::string& thePath,
                            Handle(PenFormatData_Model) & theModel)
{
  VexPcb_TransferReport aReport;
  return Load(theContext, thePath, VexPcb_ImportOptions(), theModel, aReport);
}
