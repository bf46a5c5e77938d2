// Copyright (c) 2026 VexData developers
#include <VexFuzz_Harness.hxx>

#include <VexFuzz_Printer.hxx>

#include <VexData_Reader.hxx>
#include <VexData_Writer.hxx>

#include <Message_MsgFile.hxx>
#include <PenFormatData_Sequence.hxx>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

namespace
{
//! Text the message file gives for a key it does not hold.
const char THE_UNKNOWN_KEY_TEXT[] = "Unknown message invoked with the keyword";

//! Length of the header (81 bytes) and the eleven type declarations (66 bytes) of a written file.
const size_t THE_PREAMBLE_LENGTH = 81 + 66;
} // namespace

void VexFuzz_Harness::Initialize()
{
  static bool isLoaded = false;
  if (isLoaded)
  {
    return;
  }
  isLoaded = true;
  if (!Message_MsgFile::LoadFile(VEX_SOURCE_DIR "/resources/VexData.msg"))
  {
    std::fprintf(stderr, "cannot load the message catalogue of %s\n", VEX_SOURCE_DIR);
    std::abort();
  }
}

void VexFuzz_Harness::Require(const bool theCondition, const char* theWhat)
{
  if (!theCondition)
  {
    std::fprintf(stderr, "FINDING: %s\n", theWhat);
    std::fflush(stderr);
    std::abort();
  }
}

VexFuzz_Harness::Read VexFuzz_Harness::ReadFile(const std::string& theData, const bool theThrowing)
{
  Read aRead;
  aRead.Log   = std::make_shared<VexFuzz_Printer::Log>();
  aRead.Model = new PenFormatData_Model();
  aRead.Model->SetMessenger(VexFuzz_Printer::NewMessenger(aRead.Log));
  std::istringstream aStream(theData);
  if (theThrowing)
  {
    aStream.exceptions(std::ios_base::badbit | std::ios_base::failbit | std::ios_base::eofbit);
  }
  VexData_Reader aReader(*aRead.Model);
  aRead.Status = aReader.Process(aStream);
  Require(aReader.GetStatus() == aRead.Status, "GetStatus differs from the result of Process");
  return aRead;
}

int VexFuzz_Harness::WriteFile(const PenFormatData_Model&                              theModel,
                               const NCollection_Sequence<TCollection_ExtendedString>& theParams,
                               std::string&                                            theBytes)
{
  VexData_Writer aWriter(theModel);
  aWriter.SetInputParameters(theParams);
  std::ostringstream aStream;
  const int          aStatus = aWriter.Process(aStream);
  Require(aWriter.GetStatus() == aStatus, "GetStatus differs from the result of Process");
  theBytes = aStream.str();
  return aStatus;
}

int VexFuzz_Harness::ExpectedReadBack(const std::string& theBytes)
{
  return theBytes.size() == THE_PREAMBLE_LENGTH ? VexData_Reader::EndOfFile : VexData_Reader::Ok;
}

bool VexFuzz_Harness::IsInternalReadStatus(const int theStatus)
{
  return theStatus == VexData_Reader::StreamBad || theStatus == VexData_Reader::StreamFail;
}

bool VexFuzz_Harness::HasUnknownKey(const std::string& theLog)
{
  return theLog.find(THE_UNKNOWN_KEY_TEXT) != std::string::npos;
}

std::string VexFuzz_Harness::Describe(const PenFormatData_Model& theModel)
{
  std::ostringstream aText;
  aText << std::hexfloat << "unit " << theModel.DimensionUnit() << " apertures "
        << theModel.NbApertures() << " layers " << theModel.NbLayers() << "\n";
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (aSeq.IsNull())
    {
      aText << "object\n";
      continue;
    }
    aText << "sequence " << aSeq->ApertureNumber() << " " << aSeq->ToolpathMode() << " "
          << aSeq->ToolpathFlag() << "\n";
    for (const Handle(PhGeom_Curve) & aChild : aSeq->GetCurve()->Children())
    {
      for (PhGeom_Curve::ElementIterator anIter(*aChild); anIter.More(); anIter.Next())
      {
        const PhGeom_Element& anElem = anIter.Value();
        aText << " " << anElem.Kind() << " " << anElem.StartPoint().X() << " "
              << anElem.StartPoint().Y() << " " << anElem.EndPoint().X() << " "
              << anElem.EndPoint().Y() << "\n";
      }
      aText << " -\n";
    }
  }
  return aText.str();
}

void VexFuzz_Harness::RequireConsistent(const PenFormatData_Model& theModel)
{
  Require(theModel.DimensionUnit() == PenFormatData_DU_Millimetre, "the model's unit is not 0");
  std::set<std::string> aNames;
  for (Standard_Integer aNumber = 1; aNumber < theModel.NbApertures(); ++aNumber)
  {
    const Handle(PenFormatData_Aperture) aTool = theModel.Aperture(aNumber);
    Require(!aTool.IsNull() && aTool->NbParams() == 1 && aTool->Param(1) >= 0.0,
            "an aperture is missing or has no valid width");
    Require(aNames.insert(TCollection_AsciiString(aTool->Name(), '?').ToCString()).second,
            "two apertures share a name");
  }
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    Require(!aSeq.IsNull() && !aSeq->GetCurve().IsNull(), "an object is not a sequence");
    Require(aSeq->ToolpathFlag() == 0 ||
                (aSeq->ApertureNumber() >= 1 && aSeq->ApertureNumber() < theModel.NbApertures()),
            "a toolpath names an aperture outside the table");
    Require(!aSeq->GetCurve()->Children().IsEmpty(), "a sequence without contours");
    for (const Handle(PhGeom_Curve) & aChild : aSeq->GetCurve()->Children())
    {
      Require(aChild->NbElements() > 0, "an empty contour");
      Require(aSeq->ToolpathMode() != 2 || aChild->NbElements() == 1,
              "a drill-point contour with more than one element");
    }
  }
}
