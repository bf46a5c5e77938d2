// Copyright (c) 2026 VexData developers
// Fuzz target: the Gerber reader over the bytes, then the writer and the reader again.
//
// Whatever the bytes, a read ends with a status: success with no fault, or a fault with a line
// and a model left exactly as it was. A model read successfully holds what the reader promises
// (toolpaths of round tool apertures, finite coordinates, closed area outlines), writes without
// a fault, and reads back without a fault to the same number of toolpath elements. The limits
// are lowered so that an input reaching one stays fast; the defaults are covered by the tests.
#include <VexGerber_Reader.hxx>
#include <VexGerber_Writer.hxx>

#include <PenFormatData_Sequence.hxx>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace
{
//! Reports theWhat and aborts when theCondition is false: the input is a finding.
void require(const bool theCondition, const char* theWhat)
{
  if (!theCondition)
  {
    std::fprintf(stderr, "VexFuzz_Gerber: %s\n", theWhat);
    std::abort();
  }
}

//! The bounds of a fuzzing run: small enough that no input takes long.
VexGerber_Limits fuzzLimits()
{
  VexGerber_Limits aLimits;
  aLimits.StepRepeatCopies  = 1000;
  aLimits.Objects           = 100000;
  aLimits.MacroPrimitives   = 200;
  aLimits.PolygonVertices   = 5000;
  aLimits.FlattenedSegments = 200000;
  return aLimits;
}

//! Returns true when thePoint has finite coordinates.
bool isFinite(const gp_XY& thePoint)
{
  return std::isfinite(thePoint.X()) && std::isfinite(thePoint.Y());
}

//! Checks one sequence of a model the reader built; returns its toolpath elements.
int checkSequence(const PenFormatData_Model& theModel, const PenFormatData_Sequence& theSequence)
{
  if (theSequence.ToolpathFlag() != 0)
  {
    const Handle(PenFormatData_Aperture)& anAperture =
        theModel.Aperture(theSequence.ApertureNumber());
    require(!anAperture.IsNull() && anAperture->ToolFlag() == 1 && anAperture->NbParams() == 1 &&
                anAperture->ShapeCode() == PenFormatData_Aperture::Shape_Round,
            "a toolpath names no round tool aperture");
    require(!theSequence.IsArea() && !theSequence.IsClear(), "a toolpath is artwork too");
  }
  int anElements = 0;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aChild(theSequence.GetCurve()->Children());
       aChild.More(); aChild.Next())
  {
    const PhGeom_Curve& aCurve = *aChild.Value();
    require(aCurve.NbElements() > 0, "an empty contour");
    for (PhGeom_Curve::ElementIterator anIter(aCurve); anIter.More(); anIter.Next())
    {
      require(isFinite(anIter.Value().StartPoint()) && isFinite(anIter.Value().EndPoint()),
              "a coordinate that is not finite");
      require((anIter.Value().Kind() == PhGeom_Element::Kind_Point) ==
                  (theSequence.ToolpathMode() == 2),
              "a point in a path sequence or a path in a point sequence");
    }
    anElements += theSequence.IsArea() ? 0 : aCurve.NbElements();
  }
  return anElements;
}

//! Checks what the reader promises and returns the number of toolpath elements.
int checkModel(const PenFormatData_Model& theModel)
{
  require(theModel.DimensionUnit() == PenFormatData_DU_Millimetre,
          "the model is not in millimetres");
  int anElements = 0;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(theModel.Objects());
       anIter.More(); anIter.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
    require(!aSequence.IsNull(), "an object that is not a sequence");
    anElements += checkSequence(theModel, *aSequence);
  }
  return anElements;
}

//! Requires that theData read from a stream a few bytes at a time (commands cut where the reads
//! end) gives what it gave read from memory: theIsOk, theReport's fault line, theModel's size.
void requireSameInSmallReads(const char* theData, const size_t theSize, const bool theIsOk,
                             const VexPcb_TransferReport& theReport,
                             const PenFormatData_Model&   theModel)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  VexPcb_TransferReport aReport;
  VexPcb_ImportOptions  anOptions;
  anOptions.ReadSize = 1 + theSize % 7;
  std::istringstream aStream(std::string(theData, theSize));
  const bool         isOk =
      VexGerber_Reader::Read(aStream, anOptions, fuzzLimits(), *aModel, aReport) == Standard_True;
  require(isOk == theIsOk && aReport.FaultLine() == theReport.FaultLine() &&
              aModel->Objects().Size() == theModel.Objects().Size() &&
              aModel->NbApertures() == theModel.NbApertures(),
          "reading a few bytes at a time gives another model or fault");
}

//! Reads theData into a fresh model; checks the outcome and returns whether it succeeded.
bool readInto(const char* theData, const size_t theSize, Handle(PenFormatData_Model) & theModel)
{
  theModel = new PenFormatData_Model();
  VexPcb_TransferReport aReport;
  const bool isOk = VexGerber_Reader::ReadBuffer(theData, theSize, VexPcb_ImportOptions(),
                                                 fuzzLimits(), *theModel, aReport) == Standard_True;
  require(isOk != aReport.HasFault(), "the status and the fault disagree");
  require(isOk || (theModel->Objects().IsEmpty() && theModel->NbApertures() == 1 &&
                   theModel->NbLayers() == 0),
          "a failed read changed the model");
  requireSameInSmallReads(theData, theSize, isOk, aReport, *theModel);
  return isOk;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize)
{
  (void)VexGerber_Reader::Probe(reinterpret_cast<const char*>(theData), theSize);
  Handle(PenFormatData_Model) aModel;
  if (!readInto(reinterpret_cast<const char*>(theData), theSize, aModel))
  {
    return 0;
  }
  const int anElements = checkModel(*aModel);

  std::ostringstream    aStream;
  VexPcb_TransferReport aCounts;
  require(VexGerber_Writer::Write(*aModel, VexGerber_WriterOptions(), aStream, aCounts) ==
              Standard_True,
          "a model read from Gerber does not write");
  const std::string aText = aStream.str();
  Handle(PenFormatData_Model) anAgain;
  require(readInto(aText.data(), aText.size(), anAgain), "what the writer wrote does not read");
  require(checkModel(*anAgain) == anElements, "the toolpaths changed through a write and a read");
  return 0;
}
