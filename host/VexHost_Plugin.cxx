// Copyright (c) 2026 VexData developers
#include <VexHost_Plugin.hxx>

#include <VexData_Message.hxx>

#include <Message_Msg.hxx>

#include <fstream>

#include <dlfcn.h>

VexHost_Plugin::VexHost_Plugin()
    : myLibrary(NULL), myMatch(NULL), mySetParam(NULL), myCheck(NULL), myWrite(NULL)
{
}

VexHost_Plugin::~VexHost_Plugin()
{
  if (myLibrary != NULL)
  {
    ::dlclose(myLibrary);
  }
}

Standard_Boolean VexHost_Plugin::Load(const std::string& thePath,
                                      const Handle(Message_Messenger) & theSink)
{
  myLibrary = ::dlopen(thePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (myLibrary == NULL)
  {
    const char* anError = ::dlerror();
    VexData_Message::Send(
        theSink, "VEX_HOST_PLUGIN_LOAD",
        TCollection_ExtendedString(anError != NULL ? anError : thePath.c_str(), Standard_True));
    return Standard_False;
  }
  myPath          = thePath;
  void* aMatch    = NULL;
  void* aSetParam = NULL;
  void* aCheck    = NULL;
  void* aWrite    = NULL;
  if (!resolve("MATCHFILE", aMatch, theSink) || !resolve("SETPARAM", aSetParam, theSink) ||
      !resolve("CHECKWRITABLE", aCheck, theSink) || !resolve("WRITEFILE", aWrite, theSink))
  {
    ::dlclose(myLibrary);
    myLibrary = NULL;
    return Standard_False;
  }
  myMatch    = reinterpret_cast<VexData_MatchFunction>(aMatch);
  mySetParam = reinterpret_cast<VexData_SetParamFunction>(aSetParam);
  myCheck    = reinterpret_cast<VexData_CheckFunction>(aCheck);
  myWrite    = reinterpret_cast<VexData_WriteFunction>(aWrite);
  return Standard_True;
}

Standard_Boolean VexHost_Plugin::resolve(const char* theName, void*& theAddress,
                                         const Handle(Message_Messenger) & theSink) const
{
  theAddress = ::dlsym(myLibrary, theName);
  if (theAddress == NULL)
  {
    Message_Msg aMsg("VEX_HOST_PLUGIN_SYMBOL");
    aMsg.Arg(TCollection_ExtendedString(myPath.c_str(), Standard_True));
    aMsg.Arg(TCollection_ExtendedString(theName));
    if (!theSink.IsNull())
    {
      theSink->Send(aMsg.Get(), Message_Fail);
    }
    return Standard_False;
  }
  return Standard_True;
}

const char* VexHost_Plugin::Match(const std::string& thePath, VexData_ReadFunction* theRead) const
{
  const TCollection_ExtendedString aWide = ToWide(thePath);
  return myMatch(aWide.ToExtString(), 0, theRead);
}

Standard_Integer VexHost_Plugin::Read(const std::string& thePath,
                                      const Handle(Message_Messenger) & theSink,
                                      Handle(PenFormatData_Model) & theModel) const
{
  theModel.Nullify();
  const TCollection_ExtendedString aWide = ToWide(thePath);
  VexData_ReadFunction             aRead = NULL;
  if (myMatch(aWide.ToExtString(), 0, &aRead) == NULL || aRead == NULL)
  {
    if (!std::ifstream(thePath, std::ios::in | std::ios::binary).is_open())
    {
      VexData_Message::Send(theSink, "VEX_CANT_OPEN_FILE", aWide);
      return VexData_RC_CantOpen;
    }
    VexData_Message::Send(theSink, "VEX_HOST_NOT_MACHINE_FILE", aWide);
    return THE_NOT_MACHINE_FILE;
  }
  PenFormatData_Model*   aModel = NULL;
  const Standard_Integer aCode  = aRead(aWide.ToExtString(), theSink, &aModel);
  if (aCode == 0)
  {
    theModel = aModel;
  }
  return aCode;
}

Standard_Integer VexHost_Plugin::SetParameters(
    const NCollection_Sequence<TCollection_ExtendedString>& theParams) const
{
  Handle(TColStd_HSequenceOfExtendedString) aParams = new TColStd_HSequenceOfExtendedString();
  aParams->ChangeSequence().Assign(theParams);
  return mySetParam(aParams);
}

Standard_Integer VexHost_Plugin::CheckWritable(
    const Handle(PenFormatData_Model) & theModel, const Handle(Message_Messenger) & theSink,
    NCollection_List<Handle(PenFormatData_Object)>& theWritable,
    NCollection_List<Handle(PenFormatData_Object)>& theUnWritable) const
{
  return myCheck(theModel.get(), theSink, &theWritable, &theUnWritable);
}

Standard_Integer VexHost_Plugin::Write(
    const std::string& thePath, const Handle(PenFormatData_Model) & theModel,
    const Handle(Message_Messenger) & theSink,
    NCollection_List<Handle(PenFormatData_Object)>& theUnWritable) const
{
  const TCollection_ExtendedString aWide = ToWide(thePath);
  return myWrite(aWide.ToExtString(), theModel.get(), theSink, &theUnWritable);
}

int VexHost_Plugin::ExitStatus(const Standard_Integer theCode)
{
  if (theCode == VexData_RC_NoModel)
  {
    return 255;
  }
  return theCode >= 0 && theCode <= 255 ? theCode : 1;
}

TCollection_ExtendedString VexHost_Plugin::ToWide(const std::string& thePath)
{
  return TCollection_ExtendedString(thePath.c_str(), Standard_True);
}
