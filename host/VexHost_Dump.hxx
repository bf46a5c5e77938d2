// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Dump_HeaderFile
#define _VexHost_Dump_HeaderFile

#include <VexData_Reader.hxx>

#include <Message_Messenger.hxx>

#include <istream>
#include <ostream>

//! Lists a machine file record by record, without building a model: for every record, item and
//! field its byte offset, tag, name and decoded values, indented by nesting; records that are
//! stepped over appear with their sizes.
//!
//! The file is read by the reader's own record parser (VexData_RecordParser), built into vex:
//! the same reads, size tables, type declarations, skip rule, order of items, checks of values
//! and bounds, and the same messages. The listing therefore stops where reading the file stops,
//! with the status the reader gives; its last line names the offset of the fault and what was
//! expected there.
class VexHost_Dump
{
public:
  //! Creates a dump that writes its listing to theOut and sends the reader's messages to
  //! theMessenger (may be null); it refuses what a reader with theLimits refuses.
  VexHost_Dump(std::ostream&                 theOut, const Handle(Message_Messenger) & theMessenger,
               const VexData_Reader::Limits& theLimits = VexData_Reader::Limits());

  //! Lists the machine file read from theIn, from its current position to its end or its first
  //! fault. Returns the status the reader gives for the same bytes.
  VexData_Reader::Status Process(std::istream& theIn);

private:
  std::ostream& myOut;                   //!< listing
  Handle(Message_Messenger) myMessenger; //!< where the reader's messages go, may be null
  VexData_Reader::Limits myLimits;       //!< bounds of the reader to apply
};

#endif
