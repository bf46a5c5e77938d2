// Copyright (c) 2026 VexData developers
#include <VexData_Reader.hxx>

// Placeholder until the reader lands: refuses every file.
VexData_Reader::VexData_Reader(PenFormatData_Model& theModel)
    : myModel(theModel), myStream(NULL), myStatus(NotDone)
{
}

VexData_Reader::Status VexData_Reader::Process(std::istream& theStream)
{
  myStream = &theStream;
  myStatus = WrongFormat;
  return myStatus;
}

VexData_Reader::Status VexData_Reader::GetStatus() const
{
  return myStatus;
}
