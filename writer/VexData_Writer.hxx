// Copyright (c) 2026 VexData developers
#ifndef _VexData_Writer_HeaderFile
#define _VexData_Writer_HeaderFile

#include <VexData_Macro.hxx>
#include <PenFormatData_Model.hxx>

#include <NCollection_List.hxx>
#include <NCollection_Sequence.hxx>
#include <TCollection_ExtendedString.hxx>

#include <ostream>

//! Checks a pen-format model and writes it as a machine file.
class VexData_Writer
{
public:
  //! Outcome of a check or write.
  enum Status
  {
    Ok            = 0, //!< success
    NotDone       = 1, //!< nothing run since construction or new parameters
    InvalidModel  = 2, //!< the model holds something the file cannot carry
    StreamBad     = 3, //!< badbit
    StreamFail    = 4, //!< failbit without eofbit
    StreamFailEof = 5  //!< failbit with eofbit
  };

  //! Creates a writer over theModel, which must outlive it.
  VexData_EXPORT VexData_Writer(const PenFormatData_Model& theModel);

  //! Parses the export parameters; always returns true.
  VexData_EXPORT Standard_Boolean
  SetInputParameters(const NCollection_Sequence<TCollection_ExtendedString>& theParams);

  //! Classifies the model's objects without writing.
  VexData_EXPORT Status CheckWritable();

  //! Checks the model and writes it to theStream.
  VexData_EXPORT Status Process(std::ostream& theStream);

  //! Returns the current status.
  VexData_EXPORT Status GetStatus() const;

  //! Returns the objects that are written.
  VexData_EXPORT const NCollection_List<Handle(PenFormatData_Object)>& GetWritable() const;

  //! Returns the objects that are skipped without error.
  VexData_EXPORT const NCollection_List<Handle(PenFormatData_Object)>& GetUnWritable() const;

private:
  const PenFormatData_Model&                     myModel;      //!< model being written
  std::ostream*                                  myStream;     //!< current output
  Status                                         myStatus;     //!< current status
  NCollection_List<Handle(PenFormatData_Object)> myWritable;   //!< written objects
  NCollection_List<Handle(PenFormatData_Object)> myUnWritable; //!< skipped objects
};

#endif
