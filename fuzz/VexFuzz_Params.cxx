// Copyright (c) 2026 VexData developers
// Fuzz target: the export parameters with the writer, on a model built from the input
// (VexFuzz_ModelScript says how the input splits into parameters and model instructions).
//
// The writer over an in-memory stream ends with 0 or 2 (a stream status would mean an
// exception was taken for a stream failure); a refusal sends exactly one fail message; every
// message key is in the catalogue; writing the same model twice gives the same status and
// bytes; a written file holds only what the writer writes, every line-to and arc-to continuing a
// path (arcs written as circles end their path), and reads back with status 0. Exceptions are
// not caught here: one that escapes is a finding.
#include <VexFuzz_Harness.hxx>
#include <VexFuzz_ModelScript.hxx>
#include <VexFuzz_Printer.hxx>

#include <VexData_Reader.hxx>
#include <VexData_Writer.hxx>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  VexFuzz_Harness::Initialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize)
{
  VexFuzz_Harness::Initialize();
  const std::shared_ptr<VexFuzz_Printer::Log> aLog = std::make_shared<VexFuzz_Printer::Log>();
  Handle(PenFormatData_Model) aModel               = new PenFormatData_Model();
  aModel->SetMessenger(VexFuzz_Printer::NewMessenger(aLog));
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  VexFuzz_ModelScript::Build(std::string(reinterpret_cast<const char*>(theData), theSize), *aModel,
                             aParams);

  std::string aBytes;
  const int   aStatus = VexFuzz_Harness::WriteFile(*aModel, aParams, aBytes);
  VexFuzz_Harness::Require(aStatus == VexData_Writer::Ok || aStatus == VexData_Writer::InvalidModel,
                           "a write to memory ended with a stream status");
  VexFuzz_Harness::Require(aLog->NbFailures == (aStatus == VexData_Writer::Ok ? 0 : 1),
                           "a refusal without exactly one message, or a success with one");
  VexFuzz_Harness::Require(aStatus == VexData_Writer::Ok || aBytes.empty(),
                           "a refused model was partly written");
  VexFuzz_Harness::Require(!VexFuzz_Harness::HasUnknownKey(aLog->Text),
                           "a message key is missing from the catalogue");

  std::string aBytesAgain;
  VexFuzz_Harness::Require(VexFuzz_Harness::WriteFile(*aModel, aParams, aBytesAgain) == aStatus &&
                               aBytesAgain == aBytes,
                           "writing the same model twice gave different results");
  if (aStatus == VexData_Writer::Ok)
  {
    VexFuzz_Harness::RequireContinuedPaths(aBytes);
    const VexFuzz_Harness::Read aRead = VexFuzz_Harness::ReadFile(aBytes, false);
    VexFuzz_Harness::Require(aRead.Status == VexData_Reader::Ok,
                             "a written file does not read back");
  }
  return 0;
}
