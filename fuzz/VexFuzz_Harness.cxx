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

//! Walks the records of a written file, aborting on anything the writer does not write.
struct WrittenFile
{
  const std::string& Bytes;    //!< the file
  size_t             Position; //!< next byte

  explicit WrittenFile(const std::string& theBytes) : Bytes(theBytes), Position(0) {}

  //! Returns the next byte.
  int Byte()
  {
    VexFuzz_Harness::Require(Position < Bytes.size(), "a written file ends inside a record");
    return static_cast<unsigned char>(Bytes[Position++]);
  }

  //! Steps over theCount bytes.
  void Skip(const size_t theCount)
  {
    VexFuzz_Harness::Require(Bytes.size() - Position >= theCount,
                             "a written file ends inside a record");
    Position += theCount;
  }

  //! Steps over a string field: its type byte 7, the text and the 0 byte.
  void String()
  {
    VexFuzz_Harness::Require(Byte() == 7, "a written string field has another type");
    while (Byte() != 0)
    {
    }
  }

  //! Walks a toolpath block after its tag: header, tool definition, one tool group and its
  //! items up to the end of the block.
  void Block()
  {
    VexFuzz_Harness::Require(Byte() == 129, "a written block does not start with its header");
    String();
    String();
    VexFuzz_Harness::Require(Byte() == 0 && Byte() == 128, "a written block has no tool");
    Skip(5 + 2 + 5); // index, mode and width fields, each with its type byte
    String();        // name
    VexFuzz_Harness::Require(Byte() == 0 && Byte() == 16, "a written block has no tool group");
    Skip(4);
    int aPrevious = 16;
    for (int aTag = Byte(); aTag != 0; aPrevious = aTag, aTag = Byte())
    {
      if (aTag == 13 || aTag == 17)
      {
        VexFuzz_Harness::Require(aPrevious == 12 || aPrevious == 13 || aPrevious == 17,
                                 "a written line-to or arc-to does not continue a path");
      }
      const int aSize = aTag == 17 ? 20 : aTag == 14 ? 12 : 8;
      VexFuzz_Harness::Require(aTag == 12 || aTag == 13 || aTag == 14 || aTag == 15 || aTag == 17 ||
                                   aTag == 19,
                               "a written tool group holds an item the writer does not write");
      Skip(static_cast<size_t>(aSize));
    }
  }
};
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

void VexFuzz_Harness::RequireContinuedPaths(const std::string& theBytes)
{
  WrittenFile aFile(theBytes);
  Require(theBytes.size() >= THE_PREAMBLE_LENGTH, "a written file is shorter than its preamble");
  aFile.Position = THE_PREAMBLE_LENGTH;
  while (aFile.Position < theBytes.size())
  {
    const int aTag = aFile.Byte();
    if (aTag == 18)
    {
      aFile.Skip(8); // scanner box
    }
    else if (aTag == 130)
    {
      aFile.Block();
    }
    else
    {
      Require(aTag == 20, "a written file holds a top-level record the writer does not write");
    }
  }
}

std::string VexFuzz_Harness::NameBytes(const TCollection_ExtendedString& theName)
{
  std::string aBytes;
  for (Standard_Integer anIndex = 1; anIndex <= theName.Length(); ++anIndex)
  {
    const Standard_ExtCharacter aChar = theName.Value(anIndex);
    aBytes += aChar <= 0xFF ? std::string(1, static_cast<char>(aChar)) : std::string("<wide>");
  }
  return aBytes;
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
      Require(aSeq->ToolpathMode() != PenFormatData_TM_Point || aChild->NbElements() == 1,
              "a drill-point contour with more than one element");
    }
  }
}
