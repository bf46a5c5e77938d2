// Copyright (c) 2026 VexData developers
#include <VexData_Reader.hxx>

#include <VexData_ModelBuilder.hxx>

VexData_Reader::VexData_Reader(PenFormatData_Model& theModel) : VexData_Reader(theModel, Limits())
{
}

VexData_Reader::VexData_Reader(PenFormatData_Model& theModel, const Limits& theLimits)
    : myModel(theModel), myParser(new VexData_RecordParser(theLimits)),
      myBuilder(new VexData_ModelBuilder(theModel)), myStatus(NotDone)
{
}

VexData_Reader::~VexData_Reader()
{
}

VexData_Reader::Status VexData_Reader::GetStatus() const
{
  return myStatus;
}

VexData_Reader::Status VexData_Reader::Process(std::istream& theStream)
{
  // Coordinates come from the file unconverted: the model takes the file's unit, also for a
  // file that is then refused.
  myModel.SetDimensionUnit(PenFormatData_DU_Millimetre);
  myBuilder->Reset();
  myStatus = myParser->Parse(theStream, myModel.Messenger(), *myBuilder);
  return myStatus;
}
