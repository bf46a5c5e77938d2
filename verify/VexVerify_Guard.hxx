// Copyright (c) 2026 VexData developers
#ifndef _VexVerify_Guard_HeaderFile
#define _VexVerify_Guard_HeaderFile

#include <Message_Msg.hxx>
#include <Standard_Failure.hxx>
#include <TCollection_AsciiString.hxx>

#include <exception>

//! Keeps the polygon work of a check within it: the polygon library and the memory it takes may
//! throw, and no exception may leave a check.
class VexVerify_Guard
{
public:
  //! Returns what theWork() returns; when it throws, false with theFault set to
  //! "VEX_VERIFY_GEOMETRY_FAILED" naming theDesign and the reason.
  template <class TheWork>
  static Standard_Boolean Run(const TheWork& theWork, const TCollection_AsciiString& theDesign,
                              Message_Msg& theFault)
  {
    TCollection_AsciiString aReason;
    try
    {
      return theWork();
    }
    catch (const Standard_Failure& theFailure)
    {
      aReason = theFailure.GetMessageString();
    }
    catch (const std::exception& theException)
    {
      aReason = theException.what();
    }
    theFault = Message_Msg("VEX_VERIFY_GEOMETRY_FAILED");
    theFault << theDesign << aReason;
    return Standard_False;
  }
};

#endif
