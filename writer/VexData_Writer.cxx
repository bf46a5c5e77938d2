// Copyright (c) 2026 VexData developers
#include <VexData_Writer.hxx>

#include <VexData_BlockWriter.hxx>
#include <VexData_ExportParameters.hxx>
#include <VexData_InternalError.hxx>
#include <PenFormatData.hxx>

VexData_Writer::VexData_Writer(const PenFormatData_Model& theModel)
    : myModel(theModel), myStatus(NotDone),
      myUnitFactor(
          PenFormatData::ComputeUnitFactor(theModel.DimensionUnit(), PenFormatData_DU_Millimetre)),
      myExportScanFields(Standard_True), myMapping(1),
      myCollector(new VexData_ToolpathCollector(theModel)), myRecords(new VexData_OutputQueue())
{
}

VexData_Writer::~VexData_Writer()
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
    myStatus = myCollector->Collect(myExportScanFields);
  }
  catch (...)
  {
    handleException(Standard_False);
  }
  return myStatus;
}

VexData_Writer::Status VexData_Writer::Process(std::ostream& theStream)
{
  myStatus = Ok;
  myRecords->Start(theStream, myModel.Messenger());
  try
  {
    myStatus = myCollector->Collect(myExportScanFields);
    if (myStatus == Ok)
    {
      myStatus = myCollector->CheckMappingNames(myMapping);
    }
    if (myStatus == Ok)
    {
      // The header comes after the checks: a model that cannot be written writes nothing.
      VexData_BlockWriter aBlocks(myModel, *myRecords, *myCollector, myMapping, myExportScanFields,
                                  myUnitFactor);
      if (myRecords->WriteHeader() && aBlocks.WriteBody())
      {
        myRecords->Flush();
      }
      myStatus = myRecords->Status();
    }
  }
  catch (...)
  {
    handleException(Standard_True);
  }
  myRecords->Deliver();
  return myStatus;
}

VexData_Writer::Status VexData_Writer::GetStatus() const
{
  return myStatus;
}

const NCollection_List<Handle(PenFormatData_Object)>& VexData_Writer::GetWritable() const
{
  return myCollector->Writable();
}

const NCollection_List<Handle(PenFormatData_Object)>& VexData_Writer::GetUnWritable() const
{
  return myCollector->UnWritable();
}

void VexData_Writer::handleException(const Standard_Boolean isWriting)
{
  // Stream failures are caught where they happen; what reaches this point failed elsewhere: the
  // model library, memory, or a stream buffer's own failure. It ends the run as a hard failure
  // with a message naming it, as the same exception in the entry code would. A status already
  // set stays: its message sink threw while reporting it.
  if (myStatus == Ok)
  {
    myStatus = myCollector->Status();
  }
  if (myStatus == Ok && isWriting)
  {
    myStatus = myRecords->Status();
  }
  if (myStatus != Ok)
  {
    return;
  }
  myStatus = StreamBad;
  VexData_InternalError::ReportCurrent(myModel.Messenger());
}
