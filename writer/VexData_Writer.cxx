// Copyright (c) 2026 VexData developers
#include <VexData_Writer.hxx>

#include <VexData_EntryGuard.hxx>
#include <VexData_ExportParameters.hxx>
#include <VexData_Format.hxx>
#include <VexData_Message.hxx>
#include <VexData_RecordTable.hxx>
#include <PenFormatData.hxx>

#include <NCollection_Map.hxx>
#include <NCollection_LocalArray.hxx>
#include <Precision.hxx>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

namespace
{
//! Room for the fixed part of the largest record the writer assembles (the type declarations).
const int THE_RECORD_CAPACITY = 96;

//! Bytes gathered before they are handed to the stream.
const std::streamsize THE_PENDING_CAPACITY = 65536;

//! Length of the header the writer emits.
const int THE_HEADER_LENGTH = 81;

//! Assembles the little-endian bytes of one record, to be written with one output operation.
class RecordBuffer
{
public:
  //! Creates an empty record.
  RecordBuffer() : mySize(0) {}

  //! Appends one byte.
  RecordBuffer& Byte(const unsigned int theValue)
  {
    if (mySize < THE_RECORD_CAPACITY)
    {
      myData[mySize++] = static_cast<char>(theValue & 0xFFu);
    }
    return *this;
  }

  //! Appends a 32-bit integer, least significant byte first.
  RecordBuffer& Int(const Standard_Integer theValue)
  {
    return Word(static_cast<uint32_t>(theValue));
  }

  //! Appends the 32-bit word theBits, least significant byte first, in one store.
  RecordBuffer& Word(const uint32_t theBits)
  {
    if (mySize + 4 <= THE_RECORD_CAPACITY)
    {
      const char aBytes[4] = {
          static_cast<char>(theBits & 0xFFu), static_cast<char>((theBits >> 8) & 0xFFu),
          static_cast<char>((theBits >> 16) & 0xFFu), static_cast<char>((theBits >> 24) & 0xFFu)};
      std::memcpy(myData + mySize, aBytes, 4);
      mySize += 4;
    }
    return *this;
  }

  //! Appends theValue rounded to a 32-bit float, least significant byte first.
  RecordBuffer& Float(const Standard_Real theValue);

  //! Appends a point as two floats, each coordinate multiplied by theFactor.
  RecordBuffer& Point(const gp_XY& thePoint, const Standard_Real theFactor)
  {
    return Float(thePoint.X() * theFactor).Float(thePoint.Y() * theFactor);
  }

  //! Returns the bytes.
  const char* Data() const { return myData; }

  //! Returns the number of bytes.
  std::streamsize Size() const { return mySize; }

private:
  char myData[THE_RECORD_CAPACITY]; //!< record bytes
  int  mySize;                      //!< bytes used
};

//! Rounds theValue to the nearest float. Values beyond the float range go to the largest float
//! or to infinity as IEEE rounding does, without relying on an out-of-range conversion.
float toFloat32(const Standard_Real theValue)
{
  if (std::isfinite(theValue) && std::fabs(theValue) > FLT_MAX)
  {
    // Halfway between the largest float and 2^128: from there on the value rounds to infinity.
    const Standard_Real aHalfway = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
    const float         aResult  = std::fabs(theValue) < aHalfway ? FLT_MAX : HUGE_VALF;
    return theValue < 0.0 ? -aResult : aResult;
  }
  return static_cast<float>(theValue);
}

RecordBuffer& RecordBuffer::Float(const Standard_Real theValue)
{
  const float aValue = toFloat32(theValue);
  uint32_t    aBits  = 0;
  std::memcpy(&aBits, &aValue, sizeof(aBits));
  return Word(aBits);
}

//! Returns theName one byte per character; the callers have made sure every character fits.
TCollection_AsciiString toAscii(const TCollection_ExtendedString& theName)
{
  return VexData_ExportParameters::ToAscii(theName);
}

//! Returns true when theName can be written as a string field of the file: characters that fit
//! in one byte only (the reader gives each byte of a name the character of that code, so every
//! name it reads passes) and not longer than the reader accepts.
Standard_Boolean isWritableName(const TCollection_ExtendedString& theName)
{
  if (theName.Length() > VexData_Format::THE_MAX_STRING_LENGTH)
  {
    return Standard_False;
  }
  const Standard_ExtString aChars = theName.ToExtString();
  for (Standard_Integer anIndex = 0; anIndex < theName.Length(); ++anIndex)
  {
    if (aChars[anIndex] > 0xFF)
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

//! Returns theObject as a sequence, or NULL when it is none. Sequences themselves, by far the most
//! common objects, are recognised by their type alone.
const PenFormatData_Sequence* asSequence(const Handle(PenFormatData_Object) & theObject)
{
  if (theObject->DynamicType() == STANDARD_TYPE(PenFormatData_Sequence))
  {
    return static_cast<const PenFormatData_Sequence*>(theObject.get());
  }
  return Handle(PenFormatData_Sequence)::DownCast(theObject).get();
}

//! Stores theName's characters in theBytes, one byte each as VexData_ExportParameters::ToAscii
//! does: characters outside 1 to 0xFF become '?'.
void putAscii(const TCollection_ExtendedString& theName, char* theBytes)
{
  const Standard_ExtString aChars = theName.ToExtString();
  for (Standard_Integer anIndex = 0; anIndex < theName.Length(); ++anIndex)
  {
    theBytes[anIndex] =
        aChars[anIndex] != 0 && aChars[anIndex] <= 0xFF ? static_cast<char>(aChars[anIndex]) : '?';
  }
}

//! Returns the container key "phase+layer" of theSequence.
TCollection_AsciiString containerKey(const PenFormatData_Sequence& theSequence)
{
  // Built in one piece, as toAscii would convert each name.
  const TCollection_ExtendedString& aPhase = theSequence.PhaseName();
  const TCollection_ExtendedString& aLayer = theSequence.LayerName();
  const Standard_Integer            aSize  = aPhase.Length() + 1 + aLayer.Length();
  NCollection_LocalArray<char, 256> aKey(static_cast<size_t>(aSize) + 1);
  putAscii(aPhase, aKey);
  aKey[aPhase.Length()] = '+';
  putAscii(aLayer, aKey + aPhase.Length() + 1);
  aKey[aSize] = 0;
  return TCollection_AsciiString(static_cast<const char*>(aKey), aSize);
}
//! Returns the name of aperture theNumber of theModel (empty when there is none).
TCollection_AsciiString apertureName(const PenFormatData_Model& theModel,
                                     const Standard_Integer     theNumber)
{
  const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(theNumber);
  return anAperture.IsNull() ? TCollection_AsciiString() : toAscii(anAperture->Name());
}

//! Sets theStatus to InvalidModel and reports theKey with theArg.
template <class TheArgType>
void refuse(VexData_Writer::Status& theStatus, const Handle(Message_Messenger) & theMessenger,
            const Standard_CString theKey, const TheArgType& theArg)
{
  theStatus = VexData_Writer::InvalidModel;
  VexData_Message::Send(theMessenger, theKey, theArg);
}

//! One scan field that holds toolpaths of a container, with what orders it for writing.
struct ScanFieldEntry
{
  Standard_Integer                              Order;    //!< machining order
  Standard_Integer                              Number;   //!< scan-field number
  Standard_Integer                              Position; //!< index in the scan-field list
  const VexData_ToolpathContainer::GroupByTool* Group;    //!< toolpaths of that number
};

//! Orders entries by machining order, then number, then list position.
bool isBefore(const ScanFieldEntry& theLeft, const ScanFieldEntry& theRight)
{
  if (theLeft.Order != theRight.Order)
  {
    return theLeft.Order < theRight.Order;
  }
  if (theLeft.Number != theRight.Number)
  {
    return theLeft.Number < theRight.Number;
  }
  return theLeft.Position < theRight.Position;
}

//! Moves from theList into thePart, in order, the toolpaths whose phase and layer names equal
//! those of the first toolpath of theList.
void takeSamePhaseAndLayer(VexData_ToolpathContainer::SequenceList& theList,
                           VexData_ToolpathContainer::SequenceList& thePart)
{
  const TCollection_ExtendedString aPhase = theList.First()->PhaseName();
  const TCollection_ExtendedString aLayer = theList.First()->LayerName();
  for (VexData_ToolpathContainer::SequenceList::Iterator anIter(theList); anIter.More();)
  {
    if (anIter.Value()->PhaseName().IsEqual(aPhase) && anIter.Value()->LayerName().IsEqual(aLayer))
    {
      thePart.Append(anIter.Value());
      theList.Remove(anIter);
    }
    else
    {
      anIter.Next();
    }
  }
}
} // namespace

//=================================================================================================

VexData_Writer::VexData_Writer(const PenFormatData_Model& theModel)
    : myModel(theModel), myStream(NULL), myStatus(NotDone), myContainers(1), myToolModes(1),
      myUnitFactor(
          PenFormatData::ComputeUnitFactor(theModel.DimensionUnit(), PenFormatData_DU_Millimetre)),
      myExportScanFields(Standard_True), myMapping(1), myLastFiled(NULL), myLastContainer(NULL),
      myPendingSize(0), myHasBodyRecord(Standard_False)
{
}

Standard_Boolean VexData_Writer::SetInputParameters(
    const NCollection_Sequence<TCollection_ExtendedString>& theParams)
{
  myStatus = NotDone;
  try
  {
    VexData_ExportParameters::Parse(theParams, myExportScanFields, myMapping);
  }
  catch (...)
  {
    // Parsing only fails when memory runs out; the writer then exports without a mapping.
    myExportScanFields = Standard_True;
    myMapping.Clear();
  }
  return Standard_True;
}

VexData_Writer::Status VexData_Writer::CheckWritable()
{
  myStatus = Ok;
  try
  {
    CollectWritable();
  }
  catch (...)
  {
    HandleException();
  }
  return myStatus;
}

void VexData_Writer::CollectWritable()
{
  ResetCollections();
  if (myExportScanFields)
  {
    CheckScanFields();
  }
  if (myStatus == Ok)
  {
    CollectToolpaths();
  }
}

VexData_Writer::Status VexData_Writer::Process(std::ostream& theStream)
{
  myStream      = &theStream;
  myStatus      = Ok;
  myPendingSize = 0;
  try
  {
    CollectWritable();
    if (myStatus == Ok)
    {
      CheckMappingNames();
    }
    if (myStatus == Ok)
    {
      WriteHeader();
    }
    if (myStatus == Ok)
    {
      WriteBody();
    }
    if (myStatus == Ok)
    {
      FlushPending();
    }
  }
  catch (...)
  {
    HandleException();
  }
  DeliverPending();
  return myStatus;
}

void VexData_Writer::ResetCollections()
{
  // The working collections of a run take their nodes from one incremental allocator, released
  // as a whole with the next run: a board has millions of toolpaths, each filed several times.
  // The maps start with one bucket, so that every run visits containers in the same order.
  // The two object lists are not among them: hosts keep copies of them, which share their
  // allocator, and a kept list must not hold the whole run's memory. They stay on the common
  // allocator, where each node is freed on its own.
  myLastFiled     = NULL;
  myLastContainer = NULL;
  myAllocator     = new NCollection_IncAllocator();
  ContainerMap aContainers(1, myAllocator);
  ToolModeMap  aToolModes(1, myAllocator);
  myContainers.Exchange(aContainers);
  myToolModes.Exchange(aToolModes);
  myWritable.Clear();
  myUnWritable.Clear();
}

VexData_Writer::Status VexData_Writer::GetStatus() const
{
  return myStatus;
}

const NCollection_List<Handle(PenFormatData_Object)>& VexData_Writer::GetWritable() const
{
  return myWritable;
}

const NCollection_List<Handle(PenFormatData_Object)>& VexData_Writer::GetUnWritable() const
{
  return myUnWritable;
}

void VexData_Writer::HandleException()
{
  // Stream failures are caught where they happen; what reaches this point failed elsewhere: the
  // model library, memory, or a stream buffer's own failure. It ends the run as a hard failure
  // with a message naming it, as the same exception in the entry code would. A status already
  // set stays: its message sink threw while reporting it.
  if (myStatus != Ok)
  {
    return;
  }
  myStatus = StreamBad;
  VexData_EntryGuard::ReportCurrent(Messenger());
}

//=================================================================================================
// Checks and collection

void VexData_Writer::CheckScanFields()
{
  const Standard_Integer aNbScanFields = myModel.NbScanFields();
  for (Standard_Integer anIndex = 1; anIndex < aNbScanFields; ++anIndex)
  {
    const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(anIndex);
    if (aField.IsNull())
    {
      refuse(myStatus, Messenger(), "VEX_WRITER_NULL_SCANFIELD", anIndex);
      return;
    }
    // Written this way round so that a width or height that is not a number fails too.
    if (!(aField->Width() > Precision::Confusion()))
    {
      refuse(myStatus, Messenger(), "VEX_WRITER_INVALID_SCANFIELD_SIZE_X", aField->Width());
      return;
    }
    if (!(aField->Height() > Precision::Confusion()))
    {
      refuse(myStatus, Messenger(), "VEX_WRITER_INVALID_SCANFIELD_SIZE_Y", aField->Height());
      return;
    }
  }
}

void VexData_Writer::CollectToolpaths()
{
  myLastFiled     = NULL;
  myLastContainer = NULL;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(myModel.Objects());
       anIter.More(); anIter.Next())
  {
    const Handle(PenFormatData_Object)& anObject = anIter.Value();
    if (anObject.IsNull())
    {
      continue;
    }
    const PenFormatData_Sequence* aSequence = asSequence(anObject);
    if (aSequence == NULL || aSequence->ToolpathFlag() == 0)
    {
      myUnWritable.Append(anObject);
      continue;
    }
    if (!CheckToolpath(*aSequence))
    {
      return;
    }
    FileToolpath(anObject, *aSequence);
  }
}

Standard_Boolean VexData_Writer::CheckToolpath(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer aMode = theSequence.ToolpathMode();
  if (aMode != PenFormatData_TM_Path && aMode != PenFormatData_TM_Point)
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_TOOLPATH_MODE", aMode);
    return Standard_False;
  }
  if (!CheckToolpathNames(theSequence) || !CheckToolpathTool(theSequence))
  {
    return Standard_False;
  }
  const Standard_Integer aScanField = theSequence.ScanFieldIndex();
  if (myExportScanFields && (aScanField < 0 || aScanField >= myModel.NbScanFields()))
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_INVALID_SCANFIELD_INDEX", aScanField);
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexData_Writer::CheckToolpathNames(const PenFormatData_Sequence& theSequence)
{
  // Names reach the file as strings of single bytes that the reader takes up to 8190 bytes long.
  // The names of the last toolpath filed have passed already.
  if (hasLastNames(theSequence))
  {
    return Standard_True;
  }
  const TCollection_ExtendedString& aPhase = theSequence.PhaseName();
  if (aPhase.IsEmpty() || !isWritableName(aPhase))
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_TOOLPATH_PHASE_NAME", aPhase);
    return Standard_False;
  }
  const TCollection_ExtendedString& aLayer = theSequence.LayerName();
  if (!isWritableName(aLayer))
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_TOOLPATH_LAYER_NAME", aLayer);
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexData_Writer::CheckToolpathTool(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer aNumber = theSequence.ApertureNumber();
  if (myLastFiled != NULL && myLastFiled->ApertureNumber() == aNumber)
  {
    return Standard_True; // the tool of the last toolpath filed has passed already
  }
  if (aNumber < 1 || aNumber >= myModel.NbApertures())
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_INVALID_TOOL_INDEX", aNumber);
    return Standard_False;
  }
  const Handle(PenFormatData_Aperture)& anAperture = myModel.Aperture(aNumber);
  if (anAperture.IsNull())
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_NULL_TOOL", aNumber);
    return Standard_False;
  }
  if (anAperture->ToolFlag() == 0)
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_NOT_TOOL", anAperture->Name());
    return Standard_False;
  }
  // A width that is not a number is refused like a negative one: the reader refuses it as well.
  if (anAperture->ShapeCode() != 1 || anAperture->NbParams() != 1 ||
      !(anAperture->Param(1) >= 0.0) || !isWritableName(anAperture->Name()))
  {
    refuse(myStatus, Messenger(), "VEX_WRITER_TOOL_PARAMS", anAperture->Name());
    return Standard_False;
  }
  return Standard_True;
}

void VexData_Writer::FileToolpath(const Handle(PenFormatData_Object) & theObject,
                                  const PenFormatData_Sequence& theSequence)
{
  // The tool mode byte tells whether path toolpaths, point toolpaths or both use the tool.
  const Standard_Integer anAperture = theSequence.ApertureNumber();
  const Standard_Byte    aCode      = theSequence.ToolpathMode() == PenFormatData_TM_Path
                                          ? VexData_Format::ToolMode_Paths
                                          : VexData_Format::ToolMode_Points;
  Standard_Byte*         aToolMode  = myToolModes.ChangeSeek(anAperture);
  if (aToolMode == NULL)
  {
    myToolModes.Bind(anAperture, aCode);
  }
  else if (*aToolMode != aCode)
  {
    *aToolMode = VexData_Format::ToolMode_Both;
  }

  static const Handle(PenFormatData_ScanField) THE_NO_SCAN_FIELD;
  const Handle(PenFormatData_ScanField)& aScanField =
      myExportScanFields && theSequence.ScanFieldIndex() >= 1
          ? myModel.ScanField(theSequence.ScanFieldIndex())
          : THE_NO_SCAN_FIELD;
  FindContainer(theSequence).Add(aScanField, &theSequence);
  myWritable.Append(theObject);
  myLastFiled = &theSequence;
}

Standard_Boolean VexData_Writer::hasLastNames(const PenFormatData_Sequence& theSequence) const
{
  return myLastFiled != NULL && myLastFiled->PhaseName().IsEqual(theSequence.PhaseName()) &&
         myLastFiled->LayerName().IsEqual(theSequence.LayerName());
}

VexData_ToolpathContainer& VexData_Writer::FindContainer(const PenFormatData_Sequence& theSequence)
{
  // Toolpaths come in runs of one phase and layer (a block of a file read back, a job of the
  // host): a run after its first toolpath goes to the container of that toolpath without
  // building and hashing its key again. Map values stay where they are when the map grows.
  if (hasLastNames(theSequence))
  {
    return *myLastContainer;
  }
  const TCollection_AsciiString aKey       = containerKey(theSequence);
  VexData_ToolpathContainer*    aContainer = myContainers.ChangeSeek(aKey);
  if (aContainer == NULL)
  {
    aContainer = myContainers.Bound(aKey, VexData_ToolpathContainer(myContainers.Allocator()));
  }
  myLastFiled     = &theSequence;
  myLastContainer = aContainer;
  return *aContainer;
}

void VexData_Writer::CheckMappingNames()
{
  if (myMapping.IsEmpty())
  {
    return;
  }
  // Only the items that select a writable toolpath put their names into the file.
  NCollection_Map<TCollection_AsciiString> aCheckedKeys(1);
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(myWritable); anIter.More();
       anIter.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
    const TCollection_AsciiString aKey = VexData_ExportParameters::MappingKey(
        toAscii(aSequence->PhaseName()), toAscii(aSequence->LayerName()),
        apertureName(myModel, aSequence->ApertureNumber()));
    const NCollection_List<MapItem>* anItems = myMapping.Seek(aKey);
    if (anItems == NULL || !aCheckedKeys.Add(aKey))
    {
      continue;
    }
    for (NCollection_List<MapItem>::Iterator anItem(*anItems); anItem.More(); anItem.Next())
    {
      if (!CheckMappingName(anItem.Value().outPhase) || !CheckMappingName(anItem.Value().outLayer))
      {
        return;
      }
      for (NCollection_List<TCollection_AsciiString>::Iterator aTool(anItem.Value().outTools);
           aTool.More(); aTool.Next())
      {
        if (!CheckMappingName(aTool.Value()))
        {
          return;
        }
      }
    }
  }
}

Standard_Boolean VexData_Writer::CheckMappingName(const TCollection_AsciiString& theName)
{
  if (theName.Length() <= VexData_Format::THE_MAX_STRING_LENGTH)
  {
    return Standard_True;
  }
  refuse(myStatus, Messenger(), "VEX_WRITER_MAPPING_NAME", TCollection_ExtendedString(theName));
  return Standard_False;
}

//=================================================================================================
// Output

VexData_Writer::Status VexData_Writer::StreamStatus() const
{
  const std::ios_base::iostate aState = myStream->rdstate();
  if ((aState & std::ios_base::badbit) != 0)
  {
    return StreamBad;
  }
  if ((aState & std::ios_base::failbit) != 0)
  {
    return (aState & std::ios_base::eofbit) != 0 ? StreamFailEof : StreamFail;
  }
  return Ok;
}

Standard_Boolean VexData_Writer::WriteBytes(const char* theData, const std::streamsize theSize)
{
  // Records are gathered and handed to the stream in large pieces: a stream operation costs far
  // more than a record's few bytes. What the stream receives, and where a failing stream stops
  // taking bytes, is the same as with one operation per record.
  if (myStatus != Ok)
  {
    return Standard_False;
  }
  if (theSize > THE_PENDING_CAPACITY - myPendingSize)
  {
    if (!FlushPending() || theSize > THE_PENDING_CAPACITY)
    {
      return myStatus == Ok && PutBytes(theData, theSize);
    }
  }
  if (myPending.empty())
  {
    myPending.resize(static_cast<size_t>(THE_PENDING_CAPACITY));
  }
  std::memcpy(myPending.data() + myPendingSize, theData, static_cast<size_t>(theSize));
  myPendingSize += theSize;
  return Standard_True;
}

Standard_Boolean VexData_Writer::FlushPending()
{
  const std::streamsize aSize = myPendingSize;
  myPendingSize               = 0;
  return aSize == 0 ? myStatus == Ok : PutBytes(myPending.data(), aSize);
}

void VexData_Writer::DeliverPending()
{
  // After a failure that is not the stream's, the bytes already composed still reach it, as
  // they would have record by record; the status stays the one of that failure.
  const std::streamsize aSize = myPendingSize;
  myPendingSize               = 0;
  try
  {
    if (aSize > 0 && myStream->good())
    {
      myStream->write(myPending.data(), aSize);
    }
  }
  catch (...)
  {
  }
}

Standard_Boolean VexData_Writer::PutBytes(const char* theData, const std::streamsize theSize)
{
  if (myStatus != Ok)
  {
    return Standard_False;
  }
  Standard_Boolean isThrown = Standard_False;
  try
  {
    // A stream whose end-of-file flag alone is set skips every output without marking it as
    // failed; mark it, so that the lost bytes are not reported as a success.
    if (myStream->rdstate() == std::ios_base::eofbit)
    {
      myStream->setstate(std::ios_base::failbit);
    }
    else
    {
      myStream->write(theData, theSize);
    }
  }
  catch (const std::bad_alloc&)
  {
    // Passed on by a stream with exceptions enabled: memory ran out, an internal failure rather
    // than the stream's (Process reports it).
    throw;
  }
  catch (const Standard_Failure&)
  {
    throw; // from our own libraries, never from a device
  }
  catch (...)
  {
    // Thrown by the buffer or by a stream with exceptions enabled: the state tells what failed.
    isThrown = Standard_True;
  }
  myStatus = StreamStatus();
  if (isThrown && myStatus == Ok)
  {
    myStatus = StreamBad;
  }
  if (myStatus != Ok)
  {
    VexData_Message::Send(Messenger(), "VEX_WRITER_WRITING_FAIL");
    return Standard_False;
  }
  return Standard_True;
}

Standard_Boolean VexData_Writer::WriteString(const TCollection_AsciiString& theString)
{
  // The text and its terminating 0 byte go out together.
  return WriteBytes(theString.ToCString(), theString.Length() + 1);
}

void VexData_Writer::WriteHeader()
{
  // The first line ends with the version 3.0, the second names the writer, 0x1A ends the header.
  char             aHeader[THE_HEADER_LENGTH];
  Standard_Integer aSize    = 0;
  const size_t     aLength1 = sizeof(VexData_Format::THE_HEADER_LINE1) - 1;
  const size_t     aLength2 = sizeof(VexData_Format::THE_HEADER_LINE2) - 1;
  std::memcpy(aHeader, VexData_Format::THE_HEADER_LINE1, aLength1);
  aSize            = static_cast<Standard_Integer>(aLength1);
  aHeader[aSize++] = '0';
  aHeader[aSize++] = '\n';
  std::memcpy(aHeader + aSize, VexData_Format::THE_HEADER_LINE2, aLength2);
  aSize += static_cast<Standard_Integer>(aLength2);
  aHeader[aSize++] = '\n';
  aHeader[aSize++] = static_cast<char>(VexData_Format::THE_HEADER_END);
  WriteBytes(aHeader, aSize);
}

void VexData_Writer::WriteBody()
{
  myHasBodyRecord = Standard_False;
  WriteTypeDeclarations();
  if (myStatus != Ok)
  {
    return;
  }
  if (myExportScanFields)
  {
    WriteScannerBox();
    if (myStatus != Ok)
    {
      return;
    }
  }
  for (ContainerMap::Iterator anIter(myContainers); anIter.More(); anIter.Next())
  {
    WriteContainer(anIter.Value());
    if (myStatus != Ok)
    {
      return;
    }
  }
  // A reader needs at least one record after the declarations: a body without any block or
  // scanner box (an empty model) ends with an empty record, which every reader steps over.
  if (!myHasBodyRecord)
  {
    const char anEmpty[] = {char(VexData_Format::Tag_Empty)};
    WriteBytes(anEmpty, sizeof(anEmpty));
  }
}

void VexData_Writer::WriteTypeDeclarations()
{
  // Every fixed-size record tag the file may hold, declared with its size in ascending order of
  // tags; the macro tags are declared although the writer never uses them.
  RecordBuffer aRecord;
  for (Standard_Integer anIndex = 0; anIndex < VexData_RecordTable::NbRows(); ++anIndex)
  {
    const VexData_RecordTable::Row& aRow = VexData_RecordTable::Value(anIndex);
    if (aRow.IsDeclared)
    {
      aRecord.Byte(VexData_Format::Tag_TypeDeclaration).Byte(aRow.Tag).Int(aRow.Size);
    }
  }
  WriteBytes(aRecord.Data(), aRecord.Size());
}

void VexData_Writer::WriteScannerBox()
{
  // One box for all scan field positions: the size of scan field 1.
  if (myModel.NbScanFields() < 2)
  {
    return;
  }
  const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(1);
  if (aField.IsNull())
  {
    return;
  }
  RecordBuffer aRecord;
  aRecord.Byte(VexData_Format::Tag_ScannerBox)
      .Float(aField->Width() * myUnitFactor)
      .Float(aField->Height() * myUnitFactor);
  WriteBytes(aRecord.Data(), aRecord.Size());
  myHasBodyRecord = Standard_True;
}

//=================================================================================================
// Containers and blocks

void VexData_Writer::WriteContainer(const VexData_ToolpathContainer& theContainer)
{
  // Tools are written in the visiting order of this set, which the plug-in's hasher fixes.
  NCollection_Map<Standard_Integer, VexData_MapHasher> anApertures(1);
  for (VexData_ToolpathContainer::GroupMap::Iterator aGroup(theContainer.Groups()); aGroup.More();
       aGroup.Next())
  {
    for (VexData_ToolpathContainer::GroupByTool::ToolMap::Iterator aTool(aGroup.Value().ByTool());
         aTool.More(); aTool.Next())
    {
      anApertures.Add(aTool.Key());
    }
  }
  // One pass over the groups in writing order gives every aperture its toolpaths: the cost
  // grows with the number of toolpaths, not with apertures times scan fields.
  ApertureLists aLists(1, myAllocator);
  CollectToolSequences(OrderGroups(theContainer), aLists);
  for (NCollection_Map<Standard_Integer, VexData_MapHasher>::Iterator anIter(anApertures);
       anIter.More(); anIter.Next())
  {
    VexData_ToolpathContainer::SequenceList* aList = aLists.ChangeSeek(anIter.Key());
    if (aList == NULL)
    {
      continue;
    }
    WriteApertureBlocks(*aList, anIter.Key());
    if (myStatus != Ok)
    {
      return;
    }
  }
}

VexData_Writer::GroupOrder VexData_Writer::OrderGroups(
    const VexData_ToolpathContainer& theContainer) const
{
  const VexData_ToolpathContainer::GroupMap& aGroups = theContainer.Groups();
  NCollection_Vector<ScanFieldEntry>         anEntries(256);
  Standard_Boolean                           isZeroPlaced = Standard_False;
  const Standard_Integer                     aNbFields    = myModel.NbScanFields();
  for (Standard_Integer anIndex = 1; anIndex < aNbFields; ++anIndex)
  {
    // Null entries can only remain when scan fields are not exported; they hold nothing.
    const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(anIndex);
    const VexData_ToolpathContainer::GroupByTool* aGroup =
        aField.IsNull() ? NULL : aGroups.Seek(aField->Number());
    if (aGroup != NULL)
    {
      const ScanFieldEntry anEntry = {aField->Order(), aField->Number(), anIndex, aGroup};
      anEntries.Append(anEntry);
      isZeroPlaced = isZeroPlaced || aField->Number() == 0;
    }
  }
  std::sort(anEntries.begin(), anEntries.end(), isBefore);

  // Each group is written once, at its first place; toolpaths without a scan field come first
  // unless a scan field numbered 0 gives them a place of their own.
  GroupOrder                                    anOrder(256);
  NCollection_Map<Standard_Integer>             aPlaced(1);
  const VexData_ToolpathContainer::GroupByTool* aNoField = aGroups.Seek(0);
  if (!isZeroPlaced && aNoField != NULL)
  {
    anOrder.Append(aNoField);
    aPlaced.Add(0);
  }
  for (NCollection_Vector<ScanFieldEntry>::Iterator anIter(anEntries); anIter.More(); anIter.Next())
  {
    if (aPlaced.Add(anIter.Value().Number))
    {
      anOrder.Append(anIter.Value().Group);
    }
  }
  return anOrder;
}

void VexData_Writer::CollectToolSequences(const GroupOrder& theGroupOrder,
                                          ApertureLists&    theLists) const
{
  theLists.Clear();
  for (GroupOrder::Iterator anIter(theGroupOrder); anIter.More(); anIter.Next())
  {
    for (VexData_ToolpathContainer::GroupByTool::ToolMap::Iterator aTool(anIter.Value()->ByTool());
         aTool.More(); aTool.Next())
    {
      VexData_ToolpathContainer::SequenceList* aList = theLists.ChangeSeek(aTool.Key());
      if (aList == NULL)
      {
        aList = theLists.Bound(aTool.Key(),
                               VexData_ToolpathContainer::SequenceList(theLists.Allocator()));
      }
      for (VexData_ToolpathContainer::SequenceList::Iterator aSeqIter(aTool.Value());
           aSeqIter.More(); aSeqIter.Next())
      {
        aList->Append(aSeqIter.Value());
      }
    }
  }
}

void VexData_Writer::WriteApertureBlocks(VexData_ToolpathContainer::SequenceList& theList,
                                         const Standard_Integer                   theAperture)
{
  // A container key joins phase and layer with "+", so phase "P+Q" on layer "R" and phase "P"
  // on layer "Q+R" share a container. Each real pair is written on its own, in the order of its
  // first toolpath, so that no toolpath is written under another one's names. A pair without
  // "+" in either name makes a key with a single "+", which no other pair can produce.
  if (!theList.IsEmpty() && theList.First()->PhaseName().Search("+") < 0 &&
      theList.First()->LayerName().Search("+") < 0)
  {
    WriteMappedBlocks(theList, theAperture);
    return;
  }
  while (!theList.IsEmpty() && myStatus == Ok)
  {
    VexData_ToolpathContainer::SequenceList aPart;
    takeSamePhaseAndLayer(theList, aPart);
    WriteMappedBlocks(aPart, theAperture);
  }
}

void VexData_Writer::WriteMappedBlocks(const VexData_ToolpathContainer::SequenceList& theList,
                                       const Standard_Integer                         theAperture)
{
  const PenFormatData_Sequence& aFirst = *theList.First();
  MapItem                       aDefault;
  aDefault.phase                           = toAscii(aFirst.PhaseName());
  aDefault.layer                           = toAscii(aFirst.LayerName());
  aDefault.tool                            = apertureName(myModel, theAperture);
  const NCollection_List<MapItem>* anItems = myMapping.Seek(
      VexData_ExportParameters::MappingKey(aDefault.phase, aDefault.layer, aDefault.tool));
  if (anItems == NULL)
  {
    WriteToolpathBlocks(theList, aDefault);
    return;
  }
  for (NCollection_List<MapItem>::Iterator anItem(*anItems); anItem.More(); anItem.Next())
  {
    WriteToolpathBlocks(theList, anItem.Value());
    if (myStatus != Ok)
    {
      return;
    }
  }
}

void VexData_Writer::WriteToolpathBlocks(const VexData_ToolpathContainer::SequenceList& theList,
                                         const MapItem&                                 theItem)
{
  const TCollection_AsciiString& aPhase =
      theItem.outPhase.IsEmpty() ? theItem.phase : theItem.outPhase;
  const TCollection_AsciiString& aLayer =
      theItem.outLayer.IsEmpty() ? theItem.layer : theItem.outLayer;
  if (theItem.outTools.IsEmpty())
  {
    const TCollection_AsciiString aTool = apertureName(myModel, theList.First()->ApertureNumber());
    WriteOneBlock(theList, theItem, aPhase, aLayer, aTool);
    return;
  }
  for (NCollection_List<TCollection_AsciiString>::Iterator aTool(theItem.outTools); aTool.More();
       aTool.Next())
  {
    WriteOneBlock(theList, theItem, aPhase, aLayer, aTool.Value());
    if (myStatus != Ok)
    {
      return;
    }
  }
}

void VexData_Writer::WriteOneBlock(const VexData_ToolpathContainer::SequenceList& theList,
                                   const MapItem& theItem, const TCollection_AsciiString& thePhase,
                                   const TCollection_AsciiString& theLayer,
                                   const TCollection_AsciiString& theTool)
{
  const char aBlockStart[] = {char(VexData_Format::Tag_ToolpathBlock),
                              char(VexData_Format::Tag_BlockHeader),
                              char(VexData_Format::Field_String)};
  const char aLayerField[] = {char(VexData_Format::Field_String)};
  const char anEnd[]       = {char(VexData_Format::Tag_End)};
  myHasBodyRecord          = Standard_True;
  if (!WriteBytes(aBlockStart, sizeof(aBlockStart)) || !WriteString(thePhase) ||
      !WriteBytes(aLayerField, sizeof(aLayerField)) || !WriteString(theLayer) ||
      !WriteBytes(anEnd, sizeof(anEnd)))
  {
    return;
  }
  WriteToolDefinition(theList.First()->ApertureNumber(), theTool);
  if (myStatus != Ok)
  {
    return;
  }
  // One tool group for all toolpaths, naming the block's only tool.
  RecordBuffer aGroup;
  aGroup.Byte(VexData_Format::Tag_ToolGroup).Int(1);
  if (!WriteBytes(aGroup.Data(), aGroup.Size()))
  {
    return;
  }
  for (VexData_ToolpathContainer::SequenceList::Iterator anIter(theList); anIter.More();
       anIter.Next())
  {
    WriteSequenceGeometry(*anIter.Value(), theItem);
    if (myStatus != Ok)
    {
      return;
    }
  }
  WriteBytes(anEnd, sizeof(anEnd));
}

void VexData_Writer::WriteToolDefinition(const Standard_Integer         theAperture,
                                         const TCollection_AsciiString& theTool)
{
  const Handle(PenFormatData_Aperture)& anAperture = myModel.Aperture(theAperture);
  const Standard_Real aWidth =
      !anAperture.IsNull() && anAperture->NbParams() >= 1 ? anAperture->Param(1) : 0.0;
  const Standard_Byte* aToolMode = myToolModes.Seek(theAperture);
  RecordBuffer         aRecord;
  aRecord.Byte(VexData_Format::Tag_ToolDefinition)
      .Byte(VexData_Format::Field_Int)
      .Int(1)
      .Byte(VexData_Format::Field_Byte)
      .Byte(aToolMode != NULL ? *aToolMode : Standard_Byte(VexData_Format::ToolMode_Paths))
      .Byte(VexData_Format::Field_Float)
      .Float(aWidth * myUnitFactor)
      .Byte(VexData_Format::Field_String);
  const char anEnd[] = {char(VexData_Format::Tag_End)};
  if (WriteBytes(aRecord.Data(), aRecord.Size()) && WriteString(theTool))
  {
    WriteBytes(anEnd, sizeof(anEnd));
  }
}

//=================================================================================================
// Geometry

void VexData_Writer::WriteSequenceGeometry(const PenFormatData_Sequence& theSequence,
                                           const MapItem&                theItem)
{
  if (myExportScanFields)
  {
    WriteScanFieldPosition(theSequence);
    if (myStatus != Ok)
    {
      return;
    }
  }
  const Handle(PhGeom_Curve)& aCurve = theSequence.GetCurve();
  if (aCurve.IsNull())
  {
    return;
  }
  const Standard_Boolean isPath = theSequence.ToolpathMode() == PenFormatData_TM_Path;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(aCurve->Children()); anIter.More();
       anIter.Next())
  {
    if (anIter.Value().IsNull())
    {
      continue;
    }
    if (isPath)
    {
      WriteContour(*anIter.Value(), theItem.asCircles != 0);
    }
    else
    {
      WriteDrillPoints(*anIter.Value());
    }
    if (myStatus != Ok)
    {
      return;
    }
  }
}

void VexData_Writer::WriteScanFieldPosition(const PenFormatData_Sequence& theSequence)
{
  // Repeated before every toolpath of a scan field, also when the previous one shares it.
  const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(theSequence.ScanFieldIndex());
  if (aField.IsNull() || aField->Number() == 0)
  {
    return;
  }
  RecordBuffer aRecord;
  aRecord.Byte(VexData_Format::Tag_ScanFieldPosition).Point(aField->Center(), myUnitFactor);
  WriteBytes(aRecord.Data(), aRecord.Size());
}

void VexData_Writer::WriteContour(const PhGeom_Curve&    theContour,
                                  const Standard_Boolean theAsCircles)
{
  // Each contour opens its own path at its first arc or segment.
  Standard_Boolean isOpen = Standard_False;
  gp_XY            aCurrent(0.0, 0.0);
  for (PhGeom_Curve::ElementIterator anIter(theContour); anIter.More() && myStatus == Ok;
       anIter.Next())
  {
    const PhGeom_Element& anElement = anIter.Value();
    if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(anElement);
      if (theAsCircles)
      {
        // A reader steps over a line-to that follows a circle record: the circle ends the path,
        // and the next arc or segment opens one of its own at its start point.
        WriteCircle(anArc);
        isOpen = Standard_False;
      }
      else
      {
        WriteArc(anArc, isOpen, aCurrent);
      }
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      WriteSegment(anElement, isOpen, aCurrent);
    }
  }
}

void VexData_Writer::WriteCircle(const PhGeom_Arc& theArc)
{
  // The full circle of the arc: its sweep is not kept, the radius keeps its sign.
  RecordBuffer aRecord;
  aRecord.Byte(VexData_Format::Tag_Circle)
      .Point(theArc.Center(), myUnitFactor)
      .Float(theArc.Radius() * myUnitFactor);
  WriteBytes(aRecord.Data(), aRecord.Size());
}

void VexData_Writer::WriteArc(const PhGeom_Arc& theArc, Standard_Boolean& theIsOpen,
                              gp_XY& theCurrent)
{
  RecordBuffer aRecord;
  if (!theIsOpen)
  {
    aRecord.Byte(VexData_Format::Tag_PathStart).Point(theArc.StartPoint(), myUnitFactor);
    theIsOpen = Standard_True;
  }
  // The sign of the radius carries the sense: negative when the arc runs clockwise.
  const Standard_Real aRadius =
      theArc.Angle(1) < theArc.Angle(0) ? -theArc.Radius() : theArc.Radius();
  aRecord.Byte(VexData_Format::Tag_ArcTo)
      .Point(theArc.EndPoint(), myUnitFactor)
      .Point(theArc.Center(), myUnitFactor)
      .Float(aRadius * myUnitFactor);
  theCurrent = theArc.EndPoint();
  WriteBytes(aRecord.Data(), aRecord.Size());
}

void VexData_Writer::WriteSegment(const PhGeom_Element& theSegment, Standard_Boolean& theIsOpen,
                                  gp_XY& theCurrent)
{
  RecordBuffer aRecord;
  if (!theIsOpen)
  {
    aRecord.Byte(VexData_Format::Tag_PathStart).Point(theSegment.StartPoint(), myUnitFactor);
    theCurrent = theSegment.StartPoint();
    theIsOpen  = Standard_True;
  }
  // Segments shorter than the confusion tolerance in the file's unit are left out; the next one
  // is measured from the last point written.
  const gp_XY aDelta = (theCurrent - theSegment.EndPoint()) * myUnitFactor;
  if (aDelta.SquareModulus() > Precision::SquareConfusion())
  {
    aRecord.Byte(VexData_Format::Tag_LineTo).Point(theSegment.EndPoint(), myUnitFactor);
    theCurrent = theSegment.EndPoint();
  }
  if (aRecord.Size() > 0)
  {
    WriteBytes(aRecord.Data(), aRecord.Size());
  }
}

void VexData_Writer::WriteDrillPoints(const PhGeom_Curve& theContour)
{
  for (PhGeom_Curve::ElementIterator anIter(theContour); anIter.More() && myStatus == Ok;
       anIter.Next())
  {
    if (anIter.Value().Kind() == PhGeom_Element::Kind_Point)
    {
      RecordBuffer aRecord;
      aRecord.Byte(VexData_Format::Tag_DrillPoint).Point(anIter.Value().StartPoint(), myUnitFactor);
      WriteBytes(aRecord.Data(), aRecord.Size());
    }
  }
}
