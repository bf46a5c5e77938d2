// Copyright (c) 2026 VexData developers
#include <VexData_Writer.hxx>

// Placeholder until the writer lands: refuses every model.
VexData_Writer::VexData_Writer(const PenFormatData_Model& theModel)
    : myModel(theModel), myStream(NULL), myStatus(NotDone)
{
}

Standard_Boolean VexData_Writer::SetInputParameters(
    const NCollection_Sequence<TCollection_ExtendedString>&)
{
  myStatus = NotDone;
  return Standard_True;
}

VexData_Writer::Status VexData_Writer::CheckWritable()
{
  myStatus = InvalidModel;
  return myStatus;
}

VexData_Writer::Status VexData_Writer::Process(std::ostream& theStream)
{
  myStream = &theStream;
  myStatus = InvalidModel;
  return myStatus;
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
