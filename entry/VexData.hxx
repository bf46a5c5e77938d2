// Copyright (c) 2026 VexData developers
#ifndef _VexData_HeaderFile
#define _VexData_HeaderFile

#include <VexData_Macro.hxx>
#include <PenFormatData_Model.hxx>
#include <PenFormatData_Object.hxx>

#include <Message_Messenger.hxx>
#include <NCollection_List.hxx>
#include <Standard_TypeDef.hxx>
#include <TColStd_HSequenceOfExtendedString.hxx>

// Entry points of the machine-file plug-in, as the CAM host calls them. They are plain functions
// with undecorated names; none of them lets an exception escape. Paths are NUL-terminated UTF-16.
//
// Return code of READFILE, CHECKWRITABLE and WRITEFILE: 0 on success; 200 + the reader's or
// writer's status on failure (201 also when the path is missing or the file does not open);
// -1 when the model (or the model out-pointer) is missing.

//! The return codes of READFILE, CHECKWRITABLE and WRITEFILE besides 200 + a failing status.
enum VexData_ReturnCode
{
  VexData_RC_Ok         = 0,   //!< success
  VexData_RC_NoModel    = -1,  //!< the model, or the model out-pointer, is missing
  VexData_RC_StatusBase = 200, //!< added to a failing reader or writer status
  VexData_RC_CantOpen   = 201  //!< the path is missing or the file does not open
};

extern "C"
{
  //! Type of the read entry point that MATCHFILE hands out: reads thePath into a new model that
  //! the caller owns after a return of 0; theSink receives the entry point's own diagnostics and
  //! becomes the new model's message sink.
  typedef Standard_Integer (*VexData_ReadFunction)(Standard_ExtString thePath,
                                                   const Handle(Message_Messenger) & theSink,
                                                   PenFormatData_Model** theModel);

  //! Tells the host that machine files are binary: always returns 2.
  VexData_EXPORT Standard_Integer ISBINARY();

  //! Returns the format's display name when the first 36 bytes of thePath are the machine-file
  //! magic, and then stores the address of the read entry point in theAddress (if not null);
  //! returns null otherwise and leaves theAddress untouched. theUnused is ignored.
  VexData_EXPORT const char* MATCHFILE(Standard_ExtString thePath, Standard_Integer theUnused,
                                       VexData_ReadFunction* theAddress);

  //! Reads the machine file thePath into a new model stored in *theModel on success. Not
  //! exported: reached only through the address that MATCHFILE hands out.
  Standard_Integer READFILE(Standard_ExtString thePath, const Handle(Message_Messenger) & theSink,
                            PenFormatData_Model** theModel);

  //! Replaces the export parameters used by every later WRITEFILE with a copy of theParams (a
  //! null handle empties them). Returns 1; returns 0 only when the copy could not be made, in
  //! which case the previous parameters stay in force.
  VexData_EXPORT Standard_Integer SETPARAM(const Handle(TColStd_HSequenceOfExtendedString) &
                                           theParams);

  //! Classifies the objects of theModel into those the machine file can carry (theWritable) and
  //! those that are skipped without error (theUnWritable). On failure neither list is touched;
  //! a null list pointer means the caller does not want that list.
  VexData_EXPORT Standard_Integer
  CHECKWRITABLE(const PenFormatData_Model* theModel, const Handle(Message_Messenger) & theSink,
                NCollection_List<Handle(PenFormatData_Object)>* theWritable,
                NCollection_List<Handle(PenFormatData_Object)>* theUnWritable);

  //! Writes theModel to the machine file thePath with the stored export parameters. The file is
  //! written under a temporary name beside the target and renamed over it only when the whole
  //! write succeeded, so a failed write never leaves a partial file nor harms an existing one.
  //! On success theUnWritable (if not null) receives the objects that were skipped.
  VexData_EXPORT Standard_Integer
  WRITEFILE(Standard_ExtString thePath, const PenFormatData_Model* theModel,
            const Handle(Message_Messenger) & theSink,
            NCollection_List<Handle(PenFormatData_Object)>* theUnWritable);

  //! Types of the exported entry points, for a host that resolves them by name (dlsym).
  typedef Standard_Integer (*VexData_IsBinaryFunction)();
  //! See MATCHFILE.
  typedef const char* (*VexData_MatchFunction)(Standard_ExtString, Standard_Integer,
                                               VexData_ReadFunction*);
  //! See SETPARAM.
  typedef Standard_Integer (*VexData_SetParamFunction)(
      const Handle(TColStd_HSequenceOfExtendedString) &);
  //! See CHECKWRITABLE.
  typedef Standard_Integer (*VexData_CheckFunction)(
      const PenFormatData_Model*, const Handle(Message_Messenger) &,
      NCollection_List<Handle(PenFormatData_Object)>*,
      NCollection_List<Handle(PenFormatData_Object)>*);
  //! See WRITEFILE.
  typedef Standard_Integer (*VexData_WriteFunction)(
      Standard_ExtString, const PenFormatData_Model*, const Handle(Message_Messenger) &,
      NCollection_List<Handle(PenFormatData_Object)>*);
}

#endif
