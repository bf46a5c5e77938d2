// Copyright (c) 2026 VexData developers
#include <VexData.hxx>

#include <VexData_EntryGuard.hxx>
#include <VexData_Format.hxx>
#include <VexData_Message.hxx>
#include <VexData_OutputFile.hxx>
#include <VexData_Path.hxx>
#include <VexData_Reader.hxx>
#include <VexData_Writer.hxx>

#include <NCollection_Sequence.hxx>

#include <cstring>
#include <fstream>
#include <memory>

#include <sys/stat.h>

namespace
{
//! Returned by READFILE when something unexpected was thrown: a hard read error.
const Standard_Integer THE_READ_ABORTED = VexData_RC_StatusBase + VexData_Reader::StreamBad;

//! Returned by CHECKWRITABLE and WRITEFILE when something unexpected was thrown.
const Standard_Integer THE_WRITE_ABORTED = VexData_RC_StatusBase + VexData_Writer::StreamBad;

//! The export parameters: set by SETPARAM, used by every later WRITEFILE, alive as long as the
//! library is loaded.
NCollection_Sequence<TCollection_ExtendedString> THE_EXPORT_PARAMETERS;

//! Opens thePath for binary input; false when the path is missing, cannot be named in UTF-8,
//! is a directory or does not open.
bool openInput(const Standard_ExtString thePath, std::ifstream& theStream)
{
  std::string aPath;
  if (!VexData_Path::ToUtf8(thePath, aPath))
  {
    return false;
  }
  struct stat aStat;
  if (::stat(aPath.c_str(), &aStat) == 0 && S_ISDIR(aStat.st_mode))
  {
    return false;
  }
  theStream.open(aPath, std::ios::in | std::ios::binary);
  return theStream.is_open();
}

//! True when theStream starts with the 36 bytes of the magic.
bool startsWithMagic(std::ifstream& theStream)
{
  char                  aHead[VexData_Format::THE_MAGIC_LENGTH];
  const std::streamsize aCount = theStream.rdbuf()->sgetn(aHead, sizeof(aHead));
  return aCount == VexData_Format::THE_MAGIC_LENGTH &&
         std::memcmp(aHead, VexData_Format::THE_MAGIC, sizeof(aHead)) == 0;
}

//! Fills theCopy, which starts empty, with the handles of theSource, on theSource's allocator.
void copyObjects(const NCollection_List<Handle(PenFormatData_Object)>& theSource,
                 NCollection_List<Handle(PenFormatData_Object)>&       theCopy)
{
  theCopy.Clear(theSource.Allocator());
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theSource); anIt.More();
       anIt.Next())
  {
    theCopy.Append(anIt.Value());
  }
}

//! Replaces the content of theTarget (when the caller wants it) by theCopy, adopting its
//! allocator. Moves nodes only, so nothing can fail once the copies have been made.
void handOver(NCollection_List<Handle(PenFormatData_Object)>& theCopy,
              NCollection_List<Handle(PenFormatData_Object)>* theTarget)
{
  if (theTarget != NULL)
  {
    theTarget->Clear(theCopy.Allocator());
    theTarget->Append(theCopy);
  }
}

//! Runs the reader over thePath into theModel; the reader's status, or 1 when the file does not
//! open (with the entry point's own message).
Standard_Integer readInto(const Standard_ExtString thePath,
                          const Handle(Message_Messenger) & theSink, PenFormatData_Model& theModel)
{
  VexData_Reader aReader(theModel);
  if (thePath == NULL)
  {
    VexData_Message::Send(theSink, "VEX_NULL_FILE_NAME");
    return aReader.GetStatus();
  }
  std::ifstream aStream;
  if (!openInput(thePath, aStream))
  {
    VexData_Message::Send(theSink, "VEX_CANT_OPEN_FILE", VexData_Path::ToMessage(thePath));
    return aReader.GetStatus();
  }
  const Standard_Integer aStatus = aReader.Process(aStream);
  aStream.close();
  return aStatus;
}

//! The body of READFILE once the out-pointer is known to be there.
Standard_Integer readFile(const Standard_ExtString thePath,
                          const Handle(Message_Messenger) & theSink, PenFormatData_Model** theModel)
{
  std::unique_ptr<PenFormatData_Model> aModel(
      new PenFormatData_Model(PenFormatData_DU_Inch, PenFormatData_IP_Positive));
  aModel->SetMessenger(theSink);
  const Standard_Integer aStatus = readInto(thePath, theSink, *aModel);
  if (aStatus != VexData_Reader::Ok)
  {
    return VexData_RC_StatusBase + aStatus;
  }
  *theModel = aModel.release();
  return VexData_RC_Ok;
}

//! The body of WRITEFILE once the model is known to be there.
Standard_Integer writeFile(const Standard_ExtString thePath, const PenFormatData_Model& theModel,
                           const Handle(Message_Messenger) & theSink,
                           NCollection_List<Handle(PenFormatData_Object)>* theUnWritable)
{
  VexData_Writer aWriter(theModel);
  aWriter.SetInputParameters(THE_EXPORT_PARAMETERS);
  if (thePath == NULL)
  {
    VexData_Message::Send(theSink, "VEX_NULL_FILE_NAME");
    return VexData_RC_CantOpen;
  }
  std::string        aPath;
  VexData_OutputFile aFile;
  if (!VexData_Path::ToUtf8(thePath, aPath) || !aFile.Open(aPath))
  {
    VexData_Message::Send(theSink, "VEX_CANT_OPEN_FILE", VexData_Path::ToMessage(thePath));
    return VexData_RC_CantOpen;
  }
  Standard_Integer aStatus = aWriter.Process(aFile.Stream());
  if (aStatus != VexData_Writer::Ok)
  {
    aFile.Discard();
    return VexData_RC_StatusBase + aStatus;
  }
  aStatus = aFile.Commit();
  if (aStatus != VexData_Writer::Ok)
  {
    VexData_Message::Send(theSink, "VEX_WRITER_WRITING_FAIL");
    return VexData_RC_StatusBase + aStatus;
  }
  NCollection_List<Handle(PenFormatData_Object)> aSkipped;
  copyObjects(aWriter.GetUnWritable(), aSkipped);
  handOver(aSkipped, theUnWritable);
  return VexData_RC_Ok;
}
} // namespace

Standard_Integer ISBINARY()
{
  return 2;
}

const char* MATCHFILE(Standard_ExtString    thePath, Standard_Integer,
                      VexData_ReadFunction* theAddress)
{
  try
  {
    std::ifstream aStream;
    if (thePath == NULL || !openInput(thePath, aStream) || !startsWithMagic(aStream))
    {
      return NULL;
    }
    if (theAddress != NULL)
    {
      *theAddress = &READFILE;
    }
    return VexData_Format::THE_DISPLAY_NAME;
  }
  catch (...)
  {
    // A file that cannot be examined is not recognised.
    return NULL;
  }
}

Standard_Integer READFILE(Standard_ExtString    thePath, const Handle(Message_Messenger) & theSink,
                          PenFormatData_Model** theModel)
{
  return VexData_EntryGuard::Run(
      [&]() -> Standard_Integer
      {
        if (theModel == NULL)
        {
          VexData_Message::Send(theSink, "VEX_NULL_MODEL");
          return VexData_RC_NoModel;
        }
        return readFile(thePath, theSink, theModel);
      },
      THE_READ_ABORTED, theSink);
}

Standard_Integer SETPARAM(const Handle(TColStd_HSequenceOfExtendedString) & theParams)
{
  try
  {
    if (theParams.IsNull())
    {
      THE_EXPORT_PARAMETERS.Clear();
      return 1;
    }
    // Copy first, then swap in: if the copy cannot be made the old parameters stay whole.
    const NCollection_Sequence<TCollection_ExtendedString>& aSource = theParams->Sequence();
    NCollection_Sequence<TCollection_ExtendedString>        aCopy(aSource.Allocator());
    for (NCollection_Sequence<TCollection_ExtendedString>::Iterator anIt(aSource); anIt.More();
         anIt.Next())
    {
      aCopy.Append(anIt.Value());
    }
    THE_EXPORT_PARAMETERS.Clear(aSource.Allocator());
    THE_EXPORT_PARAMETERS.Append(aCopy);
    return 1;
  }
  catch (...)
  {
    return 0;
  }
}

Standard_Integer CHECKWRITABLE(const PenFormatData_Model* theModel,
                               const Handle(Message_Messenger) & theSink,
                               NCollection_List<Handle(PenFormatData_Object)>* theWritable,
                               NCollection_List<Handle(PenFormatData_Object)>* theUnWritable)
{
  return VexData_EntryGuard::Run(
      [&]() -> Standard_Integer
      {
        if (theModel == NULL)
        {
          VexData_Message::Send(theSink, "VEX_NULL_MODEL");
          return VexData_RC_NoModel;
        }
        VexData_Writer         aWriter(*theModel);
        const Standard_Integer aStatus = aWriter.CheckWritable();
        if (aStatus != VexData_Writer::Ok)
        {
          return VexData_RC_StatusBase + aStatus;
        }
        NCollection_List<Handle(PenFormatData_Object)> aWritable, aSkipped;
        copyObjects(aWriter.GetWritable(), aWritable);
        copyObjects(aWriter.GetUnWritable(), aSkipped);
        handOver(aWritable, theWritable);
        handOver(aSkipped, theUnWritable);
        return VexData_RC_Ok;
      },
      THE_WRITE_ABORTED, theSink);
}

Standard_Integer WRITEFILE(Standard_ExtString thePath, const PenFormatData_Model* theModel,
                           const Handle(Message_Messenger) & theSink,
                           NCollection_List<Handle(PenFormatData_Object)>* theUnWritable)
{
  return VexData_EntryGuard::Run(
      [&]() -> Standard_Integer
      {
        if (theModel == NULL)
        {
          VexData_Message::Send(theSink, "VEX_NULL_MODEL");
          return VexData_RC_NoModel;
        }
        return writeFile(thePath, *theModel, theSink, theUnWritable);
      },
      THE_WRITE_ABORTED, theSink);
}
