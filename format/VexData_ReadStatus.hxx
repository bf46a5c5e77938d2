// Copyright (c) 2026 VexData developers
#ifndef _VexData_ReadStatus_HeaderFile
#define _VexData_ReadStatus_HeaderFile

//! The outcomes of reading a machine file, shared by the reader (VexData_Reader::Status, which
//! inherits them) and by the primitive reads of format/ below it.
struct VexData_ReadStatus
{
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
};

#endif
