// Copyright (c) 2026 VexData developers
#ifndef _VexData_WriteStatus_HeaderFile
#define _VexData_WriteStatus_HeaderFile

//! The outcomes of checking and writing a machine file, shared by the writer
//! (VexData_Writer::Status, which inherits them) and by the output queue of format/ below it.
struct VexData_WriteStatus
{
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
};

#endif
