// Copyright (c) 2026 VexData developers
#ifndef _VexData_OutputFile_HeaderFile
#define _VexData_OutputFile_HeaderFile

#include <VexData_Writer.hxx>

#include <fstream>
#include <string>

#include <sys/types.h>

//! The output file of one write. A machine file has no closing marker, so a file cut short
//! between two records would read as complete: the bytes therefore go to a temporary file beside
//! the target, which replaces the target only once everything has been written and flushed to
//! disk. Until then an existing target keeps its old content; the new file takes its mode, owner
//! and group (as far as the process may give them). Where a replacement would not be the same
//! file, the target is written directly, truncated first, as a plain write does: targets that are
//! not regular files (a terminal, a pipe, a device), files with other hard links, and files in a
//! directory where the user may not create a temporary file.
class VexData_OutputFile
{
public:
  //! Creates an output file that is not open.
  VexData_OutputFile();

  //! Discards the temporary file unless Commit() succeeded.
  ~VexData_OutputFile();

  //! Prepares the write of theTarget (a UTF-8 path): refuses an existing target that may not be
  //! written, creates the temporary file in the target's directory (or opens the target itself
  //! where it cannot be replaced) and opens it for binary output. Returns false, leaving nothing
  //! behind, when any of this fails.
  Standard_Boolean Open(const std::string& theTarget);

  //! Returns the stream to write into; valid after a successful Open().
  std::ostream& Stream() { return myStream; }

  //! Flushes and closes the temporary file, makes its content durable and renames it over the
  //! target. Returns 0 on success, otherwise the writer status that describes the failure (the
  //! temporary file is then removed and the target is left as it was).
  VexData_Writer::Status Commit();

  //! Closes and removes the temporary file; the target stays as it was.
  void Discard();

  //! Returns the path of the temporary file (empty when writing directly or not open).
  const std::string& TemporaryPath() const { return myTempPath; }

private:
  VexData_OutputFile(const VexData_OutputFile&)            = delete;
  VexData_OutputFile& operator=(const VexData_OutputFile&) = delete;

  //! Creates a new, empty temporary file beside myTarget; returns 0, or the error (errno value)
  //! that prevented it.
  int createTemporary();

  //! Opens the temporary file as the stream; false (nothing left behind) when it does not open.
  Standard_Boolean openTemporary();

  //! Opens myTarget itself as the stream, truncated.
  Standard_Boolean openInPlace();

  //! Gives the temporary file the owner, group and mode of the target it replaces.
  void keepTargetIdentity();

  //! Moves the finished temporary file over the target; the writer status of the outcome.
  VexData_Writer::Status replaceTarget();

  std::ofstream myStream;      //!< output stream
  std::string   myTarget;      //!< target path, symbolic links resolved
  std::string   myTempPath;    //!< temporary file, empty when writing directly
  int           myTempFd;      //!< descriptor of the temporary file, -1 when none
  int           myTargetMode;  //!< permission bits to give the result, -1 to keep the default
  uid_t         myTargetOwner; //!< user of the target replaced
  gid_t         myTargetGroup; //!< group of the target replaced
};

#endif
