// Copyright (c) 2026 VexData developers
#include <VexData_ToolpathCollector.hxx>

#include <VexData_ExportParameters.hxx>
#include <VexData_Format.hxx>
#include <VexData_Message.hxx>
#include <PenFormatData_ScanField.hxx>
#include <PenFormatData_Sequence.hxx>

#include <NCollection_LocalArray.hxx>
#include <NCollection_Map.hxx>
#include <Precision.hxx>

namespace
{
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
} // namespace

TCollection_AsciiString VexData_ToolpathCollector::ApertureName(const PenFormatData_Model& theModel,
                                                                const Standard_Integer theNumber)
{
  const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(theNumber);
  return anAperture.IsNull() ? TCollection_AsciiString() : toAscii(anAperture->Name());
}

VexData_ToolpathCollector::VexData_ToolpathCollector(const PenFormatData_Model& theModel)
    : myModel(theModel), myStatus(VexData_Writer::Ok), myExportScanFields(Standard_True),
      myContainers(1), myToolModes(1), myLastFiled(NULL), myLastContainer(NULL)
{
}

VexData_Writer::Status VexData_ToolpathCollector::Collect(
    const Standard_Boolean isExportingScanFields)
{
  myStatus           = VexData_Writer::Ok;
  myExportScanFields = isExportingScanFields;
  reset();
  if (!myExportScanFields || checkScanFields())
  {
    collectToolpaths();
  }
  return myStatus;
}

template <class TheArgType>
Standard_Boolean VexData_ToolpathCollector::refuse(const Standard_CString theKey,
                                                   const TheArgType&      theArg)
{
  myStatus = VexData_Writer::InvalidModel;
  VexData_Message::Send(myModel.Messenger(), theKey, theArg);
  return Standard_False;
}

void VexData_ToolpathCollector::reset()
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

Standard_Boolean VexData_ToolpathCollector::checkScanFields()
{
  const Standard_Integer aNbScanFields = myModel.NbScanFields();
  for (Standard_Integer anIndex = 1; anIndex < aNbScanFields; ++anIndex)
  {
    const Handle(PenFormatData_ScanField)& aField = myModel.ScanField(anIndex);
    if (aField.IsNull())
    {
      return refuse("VEX_WRITER_NULL_SCANFIELD", anIndex);
    }
    // Written this way round so that a width or height that is not a number fails too.
    if (!(aField->Width() > Precision::Confusion()))
    {
      return refuse("VEX_WRITER_INVALID_SCANFIELD_SIZE_X", aField->Width());
    }
    if (!(aField->Height() > Precision::Confusion()))
    {
      return refuse("VEX_WRITER_INVALID_SCANFIELD_SIZE_Y", aField->Height());
    }
  }
  return Standard_True;
}

Standard_Boolean VexData_ToolpathCollector::collectToolpaths()
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
    if (!checkToolpath(*aSequence))
    {
      return Standard_False;
    }
    fileToolpath(anObject, *aSequence);
  }
  return Standard_True;
}

Standard_Boolean VexData_ToolpathCollector::checkToolpath(const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer aMode = theSequence.ToolpathMode();
  if (aMode != PenFormatData_TM_Path && aMode != PenFormatData_TM_Point)
  {
    return refuse("VEX_WRITER_TOOLPATH_MODE", aMode);
  }
  if (!checkToolpathNames(theSequence) || !checkToolpathTool(theSequence))
  {
    return Standard_False;
  }
  const Standard_Integer aScanField = theSequence.ScanFieldIndex();
  if (myExportScanFields && (aScanField < 0 || aScanField >= myModel.NbScanFields()))
  {
    return refuse("VEX_WRITER_INVALID_SCANFIELD_INDEX", aScanField);
  }
  return Standard_True;
}

Standard_Boolean VexData_ToolpathCollector::checkToolpathNames(
    const PenFormatData_Sequence& theSequence)
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
    return refuse("VEX_WRITER_TOOLPATH_PHASE_NAME", aPhase);
  }
  const TCollection_ExtendedString& aLayer = theSequence.LayerName();
  if (!isWritableName(aLayer))
  {
    return refuse("VEX_WRITER_TOOLPATH_LAYER_NAME", aLayer);
  }
  return Standard_True;
}

Standard_Boolean VexData_ToolpathCollector::checkToolpathTool(
    const PenFormatData_Sequence& theSequence)
{
  const Standard_Integer aNumber = theSequence.ApertureNumber();
  if (myLastFiled != NULL && myLastFiled->ApertureNumber() == aNumber)
  {
    return Standard_True; // the tool of the last toolpath filed has passed already
  }
  if (aNumber < 1 || aNumber >= myModel.NbApertures())
  {
    return refuse("VEX_WRITER_INVALID_TOOL_INDEX", aNumber);
  }
  const Handle(PenFormatData_Aperture)& anAperture = myModel.Aperture(aNumber);
  if (anAperture.IsNull())
  {
    return refuse("VEX_WRITER_NULL_TOOL", aNumber);
  }
  if (anAperture->ToolFlag() == 0)
  {
    return refuse("VEX_WRITER_NOT_TOOL", anAperture->Name());
  }
  // A width that is not a number is refused like a negative one: the reader refuses it as well.
  if (anAperture->ShapeCode() != 1 || anAperture->NbParams() != 1 ||
      !(anAperture->Param(1) >= 0.0) || !isWritableName(anAperture->Name()))
  {
    return refuse("VEX_WRITER_TOOL_PARAMS", anAperture->Name());
  }
  return Standard_True;
}

void VexData_ToolpathCollector::fileToolpath(const Handle(PenFormatData_Object) & theObject,
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
  findContainer(theSequence).Add(aScanField, &theSequence);
  myWritable.Append(theObject);
  myLastFiled = &theSequence;
}

Standard_Boolean VexData_ToolpathCollector::hasLastNames(
    const PenFormatData_Sequence& theSequence) const
{
  return myLastFiled != NULL && myLastFiled->PhaseName().IsEqual(theSequence.PhaseName()) &&
         myLastFiled->LayerName().IsEqual(theSequence.LayerName());
}

VexData_ToolpathContainer& VexData_ToolpathCollector::findContainer(
    const PenFormatData_Sequence& theSequence)
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

VexData_Writer::Status VexData_ToolpathCollector::CheckMappingNames(
    const VexData_Writer::MappingTable& theMapping)
{
  myStatus = VexData_Writer::Ok;
  if (theMapping.IsEmpty())
  {
    return myStatus;
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
        ApertureName(myModel, aSequence->ApertureNumber()));
    const NCollection_List<VexData_Writer::MapItem>* anItems = theMapping.Seek(aKey);
    if (anItems == NULL || !aCheckedKeys.Add(aKey))
    {
      continue;
    }
    for (NCollection_List<VexData_Writer::MapItem>::Iterator anItem(*anItems); anItem.More();
         anItem.Next())
    {
      if (!checkMappingName(anItem.Value().outPhase) || !checkMappingName(anItem.Value().outLayer))
      {
        return myStatus;
      }
      for (NCollection_List<TCollection_AsciiString>::Iterator aTool(anItem.Value().outTools);
           aTool.More(); aTool.Next())
      {
        if (!checkMappingName(aTool.Value()))
        {
          return myStatus;
        }
      }
    }
  }
  return myStatus;
}

Standard_Boolean VexData_ToolpathCollector::checkMappingName(const TCollection_AsciiString& theName)
{
  if (theName.Length() <= VexData_Format::THE_MAX_STRING_LENGTH)
  {
    return Standard_True;
  }
  return refuse("VEX_WRITER_MAPPING_NAME", TCollection_ExtendedString(theName));
}
