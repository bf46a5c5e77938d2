// Copyright (c) 2026 VexData developers
// Fuzz target: the reader over an in-memory stream.
//
// Whatever the bytes, a read ends with a status of the reader's set other than 1; an in-memory
// stream never fails by itself, so 4 and 5 can only come from an exception caught inside the
// reader and count as findings. Every message key is in the catalogue, a success sends no fail
// message and a failure at most one, and the model satisfies the reader's invariants. The same
// bytes are then read again through a stream with every exception enabled: status, messages and
// model must come out the same. Exceptions are not caught here: one that escapes is a finding.
#include <VexFuzz_Harness.hxx>

#include <VexData_Reader.hxx>

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
  const std::string aData(reinterpret_cast<const char*>(theData), theSize);

  const VexFuzz_Harness::Read aRead = VexFuzz_Harness::ReadFile(aData, false);
  VexFuzz_Harness::Require(aRead.Status >= VexData_Reader::Ok &&
                               aRead.Status <= VexData_Reader::StringTooLong &&
                               aRead.Status != VexData_Reader::NotDone,
                           "the read ended with a status outside the reader's set");
  VexFuzz_Harness::Require(!VexFuzz_Harness::IsInternalReadStatus(aRead.Status),
                           "an in-memory read ended with a stream error: an exception was caught");
  VexFuzz_Harness::Require(!VexFuzz_Harness::HasUnknownKey(aRead.Log->Text),
                           "a message key is missing from the catalogue");
  const int aFailures = aRead.Log->NbFailures;
  VexFuzz_Harness::Require(aRead.Status == VexData_Reader::Ok ? aFailures == 0 : aFailures <= 1,
                           "a success sent a fail message, or a failure sent several");
  VexFuzz_Harness::RequireConsistent(*aRead.Model);

  const VexFuzz_Harness::Read anAgain = VexFuzz_Harness::ReadFile(aData, true);
  VexFuzz_Harness::Require(anAgain.Status == aRead.Status && anAgain.Log->Text == aRead.Log->Text,
                           "stream exceptions changed the status or the messages of a read");
  VexFuzz_Harness::Require(VexFuzz_Harness::Describe(*anAgain.Model) ==
                               VexFuzz_Harness::Describe(*aRead.Model),
                           "stream exceptions changed the model of a read");
  return 0;
}
