// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Output_HeaderFile
#define _VexHost_Output_HeaderFile

#include <VexData.hxx>

#include <Message_Messenger.hxx>
#include <TCollection_AsciiString.hxx>

#include <functional>
#include <ostream>
#include <string>

//! Where a subcommand puts a document it produces (JSON, SVG): standard output, or a file that
//! replaces its target only once the whole document has been written, so that a failure never
//! leaves a truncated file behind.
class VexHost_Output
{
public:
  //! Writes the document into the stream it is given; false with the reason on failure.
  typedef std::function<Standard_Boolean(std::ostream&, TCollection_AsciiString&)> Producer;

  //! Exit status when the produced document could not be written completely.
  static const int THE_OUTPUT_FAILED = 1;

  //! Exit status when the output file cannot be created (as for the plug-in's own writes).
  static const int THE_CANT_OPEN = VexData_RC_CantOpen;

  //! Runs theProducer into thePath (a UTF-8 path; empty or "-": standard output). Returns the
  //! exit status: 0; THE_CANT_OPEN with "VEX_CANT_OPEN_FILE"; THE_OUTPUT_FAILED with
  //! "VEX_HOST_OUTPUT_FAIL" (path, reason). Messages go to theSink.
  static int Write(const std::string& thePath, const Producer& theProducer,
                   const Handle(Message_Messenger) & theSink);
};

#endif
