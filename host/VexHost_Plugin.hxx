// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Plugin_HeaderFile
#define _VexHost_Plugin_HeaderFile

#include <VexData.hxx>

#include <NCollection_Sequence.hxx>
#include <TCollection_ExtendedString.hxx>

#include <string>

//! The machine-file plug-in as a CAM host sees it: a shared library loaded at run time whose
//! entry points are found by name. Paths are given in UTF-8 and handed over as UTF-16.
class VexHost_Plugin
{
public:
  //! Outcome of Read() for a file that MATCHFILE does not recognise, and exit status for it.
  static const Standard_Integer THE_NOT_MACHINE_FILE = 1;

  //! Creates a host without a plug-in.
  VexHost_Plugin();

  //! Unloads the plug-in. Models it created must be released before.
  ~VexHost_Plugin();

  //! Loads the plug-in from thePath and resolves its entry points. On failure sends
  //! "VEX_HOST_PLUGIN_LOAD" or "VEX_HOST_PLUGIN_SYMBOL" to theSink and returns false.
  Standard_Boolean Load(const std::string& thePath, const Handle(Message_Messenger) & theSink);

  //! Returns true once Load() has succeeded.
  Standard_Boolean IsLoaded() const { return myLibrary != NULL; }

  //! Returns the display name of the format when the plug-in recognises thePath, else NULL.
  //! On a match the read entry point is stored in theRead (when not null).
  const char* Match(const std::string& thePath, VexData_ReadFunction* theRead = NULL) const;

  //! Reads thePath as the CAM host does: MATCHFILE, then the read entry point it hands out.
  //! Returns the read entry point's code (0: theModel holds the new model). A file that is not
  //! recognised gives THE_NOT_MACHINE_FILE with "VEX_HOST_NOT_MACHINE_FILE", or
  //! VexData_RC_CantOpen with "VEX_CANT_OPEN_FILE" when it does not even open.
  Standard_Integer Read(const std::string& thePath, const Handle(Message_Messenger) & theSink,
                        Handle(PenFormatData_Model) & theModel) const;

  //! Hands theParams to SETPARAM; returns its result.
  Standard_Integer SetParameters(
      const NCollection_Sequence<TCollection_ExtendedString>& theParams) const;

  //! Calls CHECKWRITABLE for theModel; returns its code.
  Standard_Integer CheckWritable(
      const Handle(PenFormatData_Model) & theModel, const Handle(Message_Messenger) & theSink,
      NCollection_List<Handle(PenFormatData_Object)>& theWritable,
      NCollection_List<Handle(PenFormatData_Object)>& theUnWritable) const;

  //! Calls WRITEFILE to write theModel to thePath; returns its code.
  Standard_Integer Write(const std::string& thePath, const Handle(PenFormatData_Model) & theModel,
                         const Handle(Message_Messenger) & theSink,
                         NCollection_List<Handle(PenFormatData_Object)>& theUnWritable) const;

  //! Turns an entry point's code into a process exit status: 0 stays 0, -1 becomes 255, codes
  //! from 1 to 255 stay as they are, anything else becomes 1.
  static int ExitStatus(const Standard_Integer theCode);

  //! Converts the UTF-8 path thePath into the UTF-16 form the entry points take.
  static TCollection_ExtendedString ToWide(const std::string& thePath);

private:
  VexHost_Plugin(const VexHost_Plugin&)            = delete;
  VexHost_Plugin& operator=(const VexHost_Plugin&) = delete;

  //! Resolves theName into theAddress; sends "VEX_HOST_PLUGIN_SYMBOL" when it is missing.
  Standard_Boolean resolve(const char* theName, void*& theAddress,
                           const Handle(Message_Messenger) & theSink) const;

  void*                    myLibrary;  //!< handle of the loaded library, NULL when none
  std::string              myPath;     //!< where the library was loaded from
  VexData_MatchFunction    myMatch;    //!< MATCHFILE
  VexData_SetParamFunction mySetParam; //!< SETPARAM
  VexData_CheckFunction    myCheck;    //!< CHECKWRITABLE
  VexData_WriteFunction    myWrite;    //!< WRITEFILE
};

#endif
