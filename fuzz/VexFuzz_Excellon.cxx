// Copyright (c) 2026 VexData developers
// Fuzz target: the Excellon reader over an in-memory stream, into a fresh model.
//
// Whatever the bytes: the probe returns; the result and the report agree; a failed read leaves the
// model empty and names a catalogue message and a line of the input; a successful one builds a
// model the machine-file reader would build (apertures with one width and distinct names, toolpaths
// of non-empty contours, one point per drill contour), whose holes, slots and routes are those the
// report counts, which the machine-file writer accepts, and which the Excellon writer writes
// and the reader reads back to the same holes and diameters (within a micrometre's thousandth).
#include <VexFuzz_Harness.hxx>

#include <VexExcellon_Reader.hxx>
#include <VexExcellon_Writer.hxx>

#include <PenFormatData.hxx>
#include <PenFormatData_Sequence.hxx>

#include <NCollection_Sequence.hxx>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <vector>

namespace
{
//! A hole: centre and diameter.
struct Hole
{
  double X, Y, D;
};

//! Returns the holes of theModel in model order, and counts the contours of its paths.
std::vector<Hole> holesOf(const PenFormatData_Model& theModel, int& thePaths, int& theContours)
{
  std::vector<Hole> aHoles;
  thePaths = theContours = 0;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSeq->ToolpathMode() != PenFormatData_TM_Point)
    {
      ++thePaths;
      theContours += aSeq->GetCurve()->Children().Extent();
      continue;
    }
    const double aWidth = theModel.Aperture(aSeq->ApertureNumber())->Param(1);
    for (const Handle(PhGeom_Curve) & aContour : aSeq->GetCurve()->Children())
    {
      const gp_XY& aPoint = aContour->FirstElement()->StartPoint();
      aHoles.push_back({aPoint.X(), aPoint.Y(), aWidth});
    }
  }
  return aHoles;
}

//! Requires what a failed read leaves: an empty model and a fault of the catalogue at a line
//! of the input.
void requireFault(const PenFormatData_Model& theModel, const VexPcb_TransferReport& theReport,
                  const std::string& theData)
{
  VexFuzz_Harness::Require(theReport.HasFault(), "a failed read without a fault");
  VexFuzz_Harness::Require(theModel.Objects().IsEmpty() && theModel.NbApertures() <= 1 &&
                               theModel.NbLayers() == 0,
                           "a failed read changed the model");
  const long aLines = std::count(theData.begin(), theData.end(), '\n') +
                      std::count(theData.begin(), theData.end(), '\r') + 1;
  VexFuzz_Harness::Require(theReport.FaultLine() >= 1 && theReport.FaultLine() <= aLines,
                           "the fault names a line the input does not have");
  Message_Msg aMessage(theReport.Fault());
  VexFuzz_Harness::Require(
      !VexFuzz_Harness::HasUnknownKey(TCollection_AsciiString(aMessage.Get()).ToCString()),
      "the fault is not a message of the catalogue");
}

//! Requires that theData read a few bytes at a time (lines cut where the reads end) gives what it
//! gave read at once: theIsOk, theReport's fault line, theModel's size.
void requireSameInSmallReads(const std::string& theData, const bool theIsOk,
                             const VexPcb_TransferReport& theReport,
                             const PenFormatData_Model&   theModel)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  VexPcb_TransferReport aReport;
  VexPcb_ImportOptions  anOptions;
  anOptions.ReadSize = 1 + theData.size() % 7;
  std::istringstream aStream(theData);
  const bool isOk = VexExcellon_Reader::Read(aStream, anOptions, *aModel, aReport) == Standard_True;
  VexFuzz_Harness::Require(isOk == theIsOk && aReport.FaultLine() == theReport.FaultLine() &&
                               aModel->Objects().Size() == theModel.Objects().Size() &&
                               aModel->NbApertures() == theModel.NbApertures(),
                           "reading a few bytes at a time gives another model or fault");
}

//! Requires that theText, read again, gives theHoles.
void requireSameHoles(const std::string& theText, const std::vector<Hole>& theHoles)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  std::istringstream    aStream(theText);
  VexPcb_TransferReport aReport;
  VexFuzz_Harness::Require(
      VexExcellon_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport) == Standard_True,
      "the file the writer made does not read");
  int               aPaths = 0, aContours = 0;
  std::vector<Hole> aBack = holesOf(*aModel, aPaths, aContours);
  VexFuzz_Harness::Require(aBack.size() == theHoles.size() && aPaths == 0,
                           "the file the writer made has other holes");
  for (size_t anIndex = 0; anIndex < aBack.size(); ++anIndex)
  {
    VexFuzz_Harness::Require(std::abs(aBack[anIndex].X - theHoles[anIndex].X) <= 1.0e-6 &&
                                 std::abs(aBack[anIndex].Y - theHoles[anIndex].Y) <= 1.0e-6 &&
                                 std::abs(aBack[anIndex].D - theHoles[anIndex].D) <= 1.0e-6,
                             "a hole moved or changed its tool through the writer");
  }
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
  const std::string aData(reinterpret_cast<const char*>(theData), theSize);
  // The probe looks at the same bytes a caller would hand it; whatever it says, it must return.
  const Standard_Boolean isDrillFile = VexExcellon_Reader::Probe(aData.data(), aData.size());
  (void)isDrillFile;
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  VexPcb_TransferReport aReport;
  std::istringstream    aStream(aData);
  const bool isOk = VexExcellon_Reader::Read(aStream, VexPcb_ImportOptions(), *aModel, aReport);
  requireSameInSmallReads(aData, isOk, aReport, *aModel);
  if (!isOk)
  {
    requireFault(*aModel, aReport, aData);
    return 0;
  }
  VexFuzz_Harness::Require(!aReport.HasFault(), "a successful read with a fault");
  VexFuzz_Harness::RequireConsistent(*aModel);
  int                     aPaths = 0, aContours = 0;
  const std::vector<Hole> aHoles = holesOf(*aModel, aPaths, aContours);
  VexFuzz_Harness::Require(
      static_cast<int>(aHoles.size()) ==
              aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "holes") &&
          aContours == aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "slots") +
                           aReport.Count(VexPcb_TransferReport::Outcome_Toolpath, "routed paths"),
      "the report counts other holes, slots or routes than the model has");

  std::string aMachineFile;
  VexFuzz_Harness::Require(
      VexFuzz_Harness::WriteFile(*aModel, NCollection_Sequence<TCollection_ExtendedString>(),
                                 aMachineFile) == 0,
      "the machine-file writer refuses an imported drill file");

  std::ostringstream    anOut;
  VexPcb_TransferReport aCounts;
  const bool isWritten = VexExcellon_Writer::Write(*aModel, VexExcellon_WriterOptions(), anOut,
                                                   aCounts) == Standard_True;
  // A drill file without holes is refused: there is nothing to drill.
  VexFuzz_Harness::Require(isWritten == !aHoles.empty(),
                           aHoles.empty() ? "the Excellon writer writes a file without holes"
                                          : "the Excellon writer refuses an imported drill file");
  if (!isWritten)
  {
    return 0;
  }
  VexFuzz_Harness::Require(
      aCounts.Count(VexPcb_TransferReport::Outcome_Ignored, "path toolpaths") == aPaths,
      "the writer counts other path toolpaths than the model has");
  requireSameHoles(anOut.str(), aHoles);
  return 0;
}
