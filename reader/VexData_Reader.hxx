// Copyright (c) 2026 VexData developers
#ifndef _VexData_Reader_HeaderFile
#define _VexData_Reader_HeaderFile

#include <VexData_Macro.hxx>
#include <PenFormatData_Model.hxx>

#include <istream>

//! Reads one machine file into a pen-format model.
class VexData_Reader
{
public:
  //! Outcome of a read.
  enum Status
  {
    Ok            = 0, //!< success
    NotDone       = 1, //!< not processed yet
    WrongFormat   = 2, //!< format error
    InvalidData   = 3, //!< content error
    StreamBad     = 4, //!< hard stream error
    StreamFail    = 5, //!< read failure without end of file
    EndOfFile     = 6, //!< end of file where more data was needed
    StringTooLong = 7  //!< a string without its 0 byte within the limit
  };

  //! Creates a reader that fills theModel.
  VexData_EXPORT VexData_Reader(PenFormatData_Model& theModel);

  //! Reads a machine file from theStream into the model and returns the final status.
  VexData_EXPORT Status Process(std::istream& theStream);

  //! Returns the current status.
  VexData_EXPORT Status GetStatus() const;

private:
  PenFormatData_Model& myModel;  //!< model being filled
  std::istream*        myStream; //!< current input
  Status               myStatus; //!< current status
};

#endif
