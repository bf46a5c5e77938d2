// Copyright (c) 2026 VexData developers
#include <VexData_OutputFile.hxx>

#include <VexData_OutputQueue.hxx>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
//! Longest part of the target's name reused in the temporary name, so that the temporary name
//! stays within the file system's limit on name length.
const size_t THE_MAX_BASE_LENGTH = 200;

//! How many temporary names are tried before giving up.
const int THE_MAX_ATTEMPTS = 100;

//! Splits thePath into its directory (never empty) and its last component.
void splitPath(const std::string& thePath, std::string& theDir, std::string& theBase)
{
  const size_t aSlash = thePath.rfind('/');
  if (aSlash == std::string::npos)
  {
    theDir  = ".";
    theBase = thePath;
    return;
  }
  theDir  = aSlash == 0 ? std::string("/") : thePath.substr(0, aSlash);
  theBase = thePath.substr(aSlash + 1);
}

//! Makes the latest rename in theDir durable; a failure here does not undo the write.
void syncDirectory(const std::string& theDir)
{
  const int aFd = ::open(theDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (aFd >= 0)
  {
    ::fsync(aFd);
    ::close(aFd);
  }
}

//! Follows a symbolic link at thePath, so that the file it points to is replaced rather than
//! the link itself. Returns thePath when it is no link or the link leads nowhere.
std::string resolveLink(const std::string& thePath)
{
  struct stat aLinkStat;
  if (::lstat(thePath.c_str(), &aLinkStat) != 0 || !S_ISLNK(aLinkStat.st_mode))
  {
    return thePath;
  }
  char* aResolved = ::realpath(thePath.c_str(), NULL);
  if (aResolved == NULL)
  {
    return thePath;
  }
  const std::string aResult(aResolved);
  std::free(aResolved);
  return aResult;
}
} // namespace

VexData_OutputFile::VexData_OutputFile()
    : myTempFd(-1), myTargetMode(-1), myTargetOwner(0), myTargetGroup(0)
{
}

VexData_OutputFile::~VexData_OutputFile()
{
  Discard();
}

Standard_Boolean VexData_OutputFile::Open(const std::string& theTarget)
{
  Discard();
  myTarget     = resolveLink(theTarget);
  myTargetMode = -1;
  struct stat aStat;
  if (::stat(myTarget.c_str(), &aStat) == 0)
  {
    if (S_ISDIR(aStat.st_mode))
    {
      return Standard_False;
    }
    if (!S_ISREG(aStat.st_mode))
    {
      return openInPlace();
    }
    // The target will be replaced, not written: make sure the caller may write it at all.
    const int aFd = ::open(myTarget.c_str(), O_WRONLY | O_CLOEXEC);
    if (aFd < 0)
    {
      return Standard_False;
    }
    ::close(aFd);
    // A new file under the target's name would leave its other names with the old content.
    if (aStat.st_nlink > 1)
    {
      return openInPlace();
    }
    myTargetMode  = static_cast<int>(aStat.st_mode & 07777);
    myTargetOwner = aStat.st_uid;
    myTargetGroup = aStat.st_gid;
    // A writable file in a directory the user may not write cannot be replaced, only written.
    // Other failures (no room for a new file, say) refuse the write and keep the target whole.
    const int anError = createTemporary();
    if (anError == 0)
    {
      return openTemporary();
    }
    return (anError == EACCES || anError == EPERM) && openInPlace();
  }
  return createTemporary() == 0 && openTemporary();
}

Standard_Boolean VexData_OutputFile::openInPlace()
{
  // Truncated and written as any plain write does: a failure leaves what was written so far.
  myStream.open(myTarget, std::ios::out | std::ios::binary | std::ios::trunc);
  return myStream.is_open();
}

Standard_Boolean VexData_OutputFile::openTemporary()
{
  myStream.open(myTempPath, std::ios::out | std::ios::binary | std::ios::trunc);
  if (!myStream.is_open())
  {
    Discard();
    return Standard_False;
  }
  return Standard_True;
}

int VexData_OutputFile::createTemporary()
{
  std::string aDir, aBase;
  splitPath(myTarget, aDir, aBase);
  if (aBase.empty())
  {
    return EISDIR;
  }
  const std::string aPrefix =
      aDir + "/." + aBase.substr(0, THE_MAX_BASE_LENGTH) + ".tmp" + std::to_string(::getpid());
  const unsigned long aSeed = static_cast<unsigned long>(std::time(NULL));
  for (int anAttempt = 0; anAttempt < THE_MAX_ATTEMPTS; ++anAttempt)
  {
    const std::string aName =
        aPrefix + "." + std::to_string((aSeed + anAttempt * 7919UL) % 1000000);
    // 0666 lets the process's umask decide, as for any newly created file.
    myTempFd = ::open(aName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (myTempFd >= 0)
    {
      myTempPath = aName;
      if (myTargetMode >= 0)
      {
        keepTargetIdentity();
      }
      return 0;
    }
    if (errno != EEXIST)
    {
      return errno;
    }
  }
  return EEXIST;
}

void VexData_OutputFile::keepTargetIdentity()
{
  // The owner and group of the file replaced, as far as the process may give them: root any,
  // other users a group they belong to. Failures keep the new file's own. The mode comes last,
  // since a change of owner clears the set-user and set-group bits.
  const bool isGiven = ::fchown(myTempFd, myTargetOwner, myTargetGroup) == 0 ||
                       ::fchown(myTempFd, static_cast<uid_t>(-1), myTargetGroup) == 0;
  (void)isGiven; // when neither is allowed the new file keeps the process's owner and group
  ::fchmod(myTempFd, static_cast<mode_t>(myTargetMode));
}

VexData_Writer::Status VexData_OutputFile::Commit()
{
  myStream.flush();
  VexData_Writer::Status aStatus = VexData_OutputQueue::StatusOf(myStream);
  if (aStatus == VexData_Writer::Ok)
  {
    myStream.close();
    aStatus = VexData_OutputQueue::StatusOf(myStream);
  }
  if (aStatus == VexData_Writer::Ok && !myTempPath.empty())
  {
    aStatus = replaceTarget();
  }
  if (aStatus != VexData_Writer::Ok)
  {
    Discard();
  }
  return aStatus;
}

VexData_Writer::Status VexData_OutputFile::replaceTarget()
{
  if (::fsync(myTempFd) != 0)
  {
    return VexData_Writer::StreamBad;
  }
  ::close(myTempFd);
  myTempFd = -1;
  if (::rename(myTempPath.c_str(), myTarget.c_str()) != 0)
  {
    return VexData_Writer::StreamBad;
  }
  myTempPath.clear();
  std::string aDir, aBase;
  splitPath(myTarget, aDir, aBase);
  syncDirectory(aDir);
  return VexData_Writer::Ok;
}

void VexData_OutputFile::Discard()
{
  if (myStream.is_open())
  {
    myStream.close();
  }
  myStream.clear();
  if (myTempFd >= 0)
  {
    ::close(myTempFd);
    myTempFd = -1;
  }
  if (!myTempPath.empty())
  {
    ::unlink(myTempPath.c_str());
    myTempPath.clear();
  }
}
