// Copyright (c) 2026 VexData developers
// Fuzz target: the round trip. Whatever reads with status 0 is written back and read again.
//
// The definition of "the same" that this target holds the plug-in to:
//   M1 = read(input)   must be 0 to go on (other statuses are the reader target's business);
//   W1 = write(M1)     0, or 2 only when M1 holds what the file cannot carry although the
//                      reader accepted it: an empty phase name, or a tool name the reader made
//                      longer than a string field by renaming it; names are bytes, so every
//                      other name read can be written back;
//   M2 = read(W1)      must be 0 (a model with nothing to write gives a file ending with an
//                      empty record, which reads as an empty model);
//   W2 = write(M2)     must be 0: a model read from a written file is always writable;
//   M3 = read(W2)      must be 0.
// W1 and W2 hold only records the writer writes, every line-to and arc-to continuing a path.
// M1 and M2 must agree exactly on what a write keeps bit for bit: tool names (byte for byte) and
// widths (a tool whose only toolpaths are paths of segments too short to write, such as a
// macro placed at infinity, vanishes with them), drill points with their coordinates, and the path
// toolpaths per key of phase and layer joined by "+" (the writer files "P+Q"/"R" and "P"/"Q+R" into
// one block) and tool: M2 has at most one per key, never one that M1 lacks, and always one where
// M1's has an arc whose arc-to record holds numbers only (the writer leaves out an arc whose end,
// centre or radius is not a number). Arc points are not compared between M1 and M2: the model
// recomputes them from centre, radius and angles, so an arc-to record whose radius does not match
// its points moves them. M2 and M3 must agree per phase, layer and tool name: tools, drill points,
// number of path toolpaths, contours, element kinds and counts, and coordinates within a relative
// tolerance; only segments within rounding of the 1e-7 threshold may vanish (and contours made of
// them). Exceptions are not caught here: one that escapes is a finding.
#include <VexFuzz_Harness.hxx>
#include <VexFuzz_Toolpaths.hxx>

#include <VexData_Format.hxx>
#include <VexData_Reader.hxx>
#include <VexData_Writer.hxx>

#include <PenFormatData_Sequence.hxx>

#include <cstddef>
#include <cstdint>

namespace
{
//! Writes theModel without parameters into theBytes; returns the status.
int write(const PenFormatData_Model& theModel, std::string& theBytes)
{
  const NCollection_Sequence<TCollection_ExtendedString> aNoParams;
  return VexFuzz_Harness::WriteFile(theModel, aNoParams, theBytes);
}

//! Reads theBytes, which a write produced, and requires success.
VexFuzz_Harness::Read readWritten(const std::string& theBytes, const char* theWhat)
{
  VexFuzz_Harness::RequireContinuedPaths(theBytes);
  const VexFuzz_Harness::Read aRead = VexFuzz_Harness::ReadFile(theBytes, false);
  VexFuzz_Harness::Require(aRead.Status == VexData_Reader::Ok, theWhat);
  return aRead;
}

//! Returns true when theModel, read from a file, holds what the writer must refuse: a toolpath
//! with an empty phase name, or a tool whose name is longer than a string field may be.
bool hasUnwritableName(const PenFormatData_Model& theModel)
{
  for (Standard_Integer aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    if (theModel.Aperture(aNumber)->Name().Length() > VexData_Format::THE_MAX_STRING_LENGTH)
    {
      return true;
    }
  }
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (!aSeq.IsNull() && aSeq->ToolpathFlag() != 0 && aSeq->PhaseName().IsEmpty())
    {
      return true;
    }
  }
  return false;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  VexFuzz_Harness::Initialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize)
{
  VexFuzz_Harness::Initialize();
  const VexFuzz_Harness::Read aFirst = VexFuzz_Harness::ReadFile(
      std::string(reinterpret_cast<const char*>(theData), theSize), false);
  if (aFirst.Status != VexData_Reader::Ok)
  {
    return 0;
  }
  std::string aBytes1;
  const int   aStatus1 = write(*aFirst.Model, aBytes1);
  VexFuzz_Harness::Require(aStatus1 == VexData_Writer::Ok ||
                               aStatus1 == VexData_Writer::InvalidModel,
                           "writing a model that was read failed with a stream status");
  VexFuzz_Harness::Require(aStatus1 == VexData_Writer::Ok || hasUnwritableName(*aFirst.Model),
                           "the writer refused a model that was read and has writable names");
  VexFuzz_Harness::Require(aStatus1 == VexData_Writer::Ok || aFirst.Log->NbFailures == 1,
                           "the writer refused a model without exactly one message");
  if (aStatus1 != VexData_Writer::Ok)
  {
    return 0;
  }
  const VexFuzz_Harness::Read aSecond = readWritten(aBytes1, "a written file does not read back");
  std::string                 aBytes2;
  VexFuzz_Harness::Require(write(*aSecond.Model, aBytes2) == VexData_Writer::Ok,
                           "a model read from a written file cannot be written");
  const VexFuzz_Harness::Read aThird =
      readWritten(aBytes2, "a file written from a written file does not read back");

  VexFuzz_Toolpaths::RequireKept(VexFuzz_Toolpaths(*aFirst.Model, true),
                                 VexFuzz_Toolpaths(*aSecond.Model, true));
  VexFuzz_Toolpaths::RequireSameGeometry(VexFuzz_Toolpaths(*aSecond.Model, false),
                                         VexFuzz_Toolpaths(*aThird.Model, false));
  return 0;
}
