// Copyright (c) 2026 VexData developers
// Round trip: models generated from many seeds are written and read back; the geometry of every
// phase, layer and tool, the tool names and widths, the arc senses and the number of scan field
// positions come back within float rounding; arcs whose records would not be numbers are left out.
#include <VexData_ReaderRun_Test.hxx>
#include <VexData_WriterFixture_Test.hxx>
#include <VexData_Reader.hxx>
#include <PenFormatData.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <random>

using namespace VexTest;

namespace
{
//! One element in file units: the values that travel exactly (segment and point ends; arc
//! kind with sense, centre and radius), then the arc ends that the reader recomputes.
typedef std::array<float, 9> Element;

//! Elements by "phase|layer|tool|mode", each list sorted; scan-field rectangles under "fields".
typedef std::map<std::string, std::vector<Element>> Geometry;

//! Deterministic numbers from a seed, independent of the library's distributions.
struct Generator
{
  std::mt19937 Engine;
  int          Int(int theMax) { return int(Engine() % unsigned(theMax + 1)); }
  double       Real(double theMin, double theMax)
  {
    return theMin + (theMax - theMin) * (Engine() / 4294967296.0);
  }
  gp_XY Point() { return gp_XY(Real(-50, 50), Real(-50, 50)); }
};

//! Appends a chained contour of segments, arcs in both senses and full circles.
void addPath(Generator& theGen, const Handle(PhGeom_Curve) & theContour)
{
  gp_XY aCurrent = theGen.Point();
  for (int anIndex = theGen.Int(4); anIndex >= 0; --anIndex)
  {
    if (theGen.Int(1) == 0)
    {
      const gp_XY aNext = aCurrent + gp_XY(theGen.Real(0.5, 9), theGen.Real(-9, 9));
      theContour->CreateSegment(aCurrent, aNext);
      aCurrent = aNext;
      continue;
    }
    const gp_XY  aRay   = gp_XY(-theGen.Real(1, 10), -theGen.Real(1, 10));
    const double aStart = std::atan2(aRay.Y(), aRay.X());
    const double aSweep = theGen.Int(5) == 0 ? 2 * M_PI : theGen.Real(0.2, 6.0);
    const int    aSense = theGen.Int(1);
    aCurrent            = theContour
                   ->CreateArc(aCurrent - aRay, aRay.Modulus(), aStart,
                               aStart + (aSense ? aSweep : -aSweep), aSense)
                   ->EndPoint();
  }
}

//! Builds a random model of several phases, layers, tools and scan fields.
void buildModel(Generator& theGen, PenFormatData_Model& theModel)
{
  const char* aPhases[] = {"Mill", "Drill", "Rout"};
  const char* aLayers[] = {"", "Top", "Bottom"};
  const int   aNbTools  = 1 + theGen.Int(3);
  for (int aTool = 1; aTool <= aNbTools; ++aTool)
  {
    AddTool(theModel, aTool, ("T" + std::to_string(aTool)).c_str(), theGen.Int(4) * 0.25);
  }
  for (int aField = theGen.Int(3); aField > 0; --aField)
  {
    theModel.AddScanField(
        new PenFormatData_ScanField(aField * 3, theGen.Int(4), 30, 20, theGen.Point()));
  }
  for (int aPath = theGen.Int(7); aPath >= 0; --aPath)
  {
    const int aMode = 1 + theGen.Int(1);
    Handle(PenFormatData_Sequence) aSeq =
        AddToolpath(theModel, 1 + theGen.Int(aNbTools - 1), aMode, aPhases[theGen.Int(2)],
                    aLayers[theGen.Int(2)], theGen.Int(theModel.NbScanFields() - 1));
    for (int aContour = theGen.Int(2); aContour >= 0; --aContour)
    {
      if (aMode == 1)
      {
        addPath(theGen, AddContour(theModel, aSeq));
      }
      else
      {
        AddContour(theModel, aSeq)->CreatePoint(theGen.Point());
      }
    }
  }
}

//! Returns theElement scaled by theFactor and rounded as the file stores it.
Element describe(const PhGeom_Element& theElement, double theFactor)
{
  const gp_XY aStart = theElement.StartPoint() * theFactor,
              anEnd  = theElement.EndPoint() * theFactor;
  if (theElement.Kind() != PhGeom_Element::Kind_Arc)
  {
    return {float(theElement.Kind()), float(aStart.X()), float(aStart.Y()), float(anEnd.X()),
            float(anEnd.Y())};
  }
  const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
  return {float(10 + anArc.Sense()),
          float(anArc.Center().X() * theFactor),
          float(anArc.Center().Y() * theFactor),
          float(anArc.Radius() * theFactor),
          0,
          float(aStart.X()),
          float(aStart.Y()),
          float(anEnd.X()),
          float(anEnd.Y())};
}

//! Collects the geometry of theModel's sequences, scaled by theFactor.
Geometry collect(const PenFormatData_Model& theModel, double theFactor)
{
  Geometry aResult;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theModel.Objects());
       anIt.More(); anIt.Next())
  {
    Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anIt.Value());
    if (aSeq.IsNull())
    {
      continue;
    }
    const Handle(PenFormatData_Aperture) aTool = theModel.Aperture(aSeq->ApertureNumber());
    std::string aKey = TCollection_AsciiString(aSeq->PhaseName()).ToCString();
    aKey += std::string("|") + TCollection_AsciiString(aSeq->LayerName()).ToCString();
    aKey +=
        "|" + std::string(aTool.IsNull() ? "" : TCollection_AsciiString(aTool->Name()).ToCString());
    aKey += "|" + std::to_string(aTool.IsNull() ? 0.0f : float(aTool->Param(1) * theFactor));
    aKey = aSeq->ToolpathFlag() == 0 ? "fields" : aKey + "|" + std::to_string(aSeq->ToolpathMode());
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aChild(aSeq->GetCurve()->Children());
         aChild.More(); aChild.Next())
    {
      for (PhGeom_Curve::ElementIterator anEl(*aChild.Value()); anEl.More(); anEl.Next())
      {
        // A scan field rectangle counts once, whatever its four segments.
        aResult[aKey].push_back(aKey == "fields" ? Element{} : describe(anEl.Value(), theFactor));
        if (aKey == "fields")
        {
          break;
        }
      }
    }
  }
  for (auto& anEntry : aResult)
  {
    std::sort(anEntry.second.begin(), anEntry.second.end(),
              [](const Element& theA, const Element& theB)
              {
                return std::lexicographical_compare(theA.begin(), theA.begin() + 5, theB.begin(),
                                                    theB.begin() + 5);
              });
  }
  return aResult;
}
} // namespace

TEST(VexDataWriterRoundTrip, RandomModelsReadBackAsWritten)
{
  for (unsigned aSeed = 1; aSeed <= 300; ++aSeed)
  {
    SCOPED_TRACE("seed " + std::to_string(aSeed));
    Generator           aGen{std::mt19937(aSeed)};
    PenFormatData_Model aModel(aGen.Int(1) == 0 ? PenFormatData_DU_Millimetre
                                                : PenFormatData_DU_Inch);
    buildModel(aGen, aModel);
    const bool             isExport = aGen.Int(3) != 0;
    VexData_Writer::Status aStatus;
    const std::string aFile = Write(aModel, aStatus, {isExport ? "" : "export.scanfield:false"});
    ASSERT_EQ(aStatus, VexData_Writer::Ok);
    PenFormatData_Model aRead;
    std::istringstream  aStream(aFile);
    VexData_Reader      aReader(aRead);
    ASSERT_EQ(aReader.Process(aStream), VexData_Reader::Ok);

    // Per phase, layer, tool name and width: the same elements; arc ends within float rounding.
    Geometry       aWritten = collect(aModel, PenFormatData::ComputeUnitFactor(
                                                  aModel.DimensionUnit(), PenFormatData_DU_Millimetre));
    const Geometry aBack    = collect(aRead, 1.0);
    // One scan field position, read back as a rectangle, per toolpath with a scan field.
    size_t aNbFields = 0;
    for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(aModel.Objects());
         anIt.More() && isExport; anIt.Next())
    {
      aNbFields += Handle(PenFormatData_Sequence)::DownCast(anIt.Value())->ScanFieldIndex() > 0;
    }
    if (aNbFields > 0)
    {
      aWritten["fields"].resize(aNbFields);
    }
    ASSERT_EQ(aWritten.size(), aBack.size());
    for (auto aLeft = aWritten.cbegin(), aRight = aBack.cbegin(); aLeft != aWritten.end();
         ++aLeft, ++aRight)
    {
      ASSERT_EQ(aLeft->first, aRight->first);
      ASSERT_EQ(aLeft->second.size(), aRight->second.size()) << aLeft->first;
      for (size_t anIndex = 0; anIndex < aLeft->second.size(); ++anIndex)
      {
        for (size_t aValue = 0; aValue < 9; ++aValue)
        {
          EXPECT_NEAR(aLeft->second[anIndex][aValue], aRight->second[anIndex][aValue],
                      aValue < 5 ? 0.0 : 1e-3)
              << aLeft->first;
        }
      }
    }
  }
}

namespace
{
//! Returns theModel's names of every toolpath as bytes: "phase|layer|tool" per toolpath.
std::vector<std::string> namesOf(const PenFormatData_Model& theModel)
{
  const auto aBytes = [](const TCollection_ExtendedString& theName)
  {
    std::string aText;
    for (Standard_Integer anIndex = 1; anIndex <= theName.Length(); ++anIndex)
    {
      const Standard_ExtCharacter aChar = theName.Value(anIndex);
      aText += aChar <= 0xFF ? std::string(1, static_cast<char>(aChar)) : std::string("<wide>");
    }
    return aText;
  };
  std::vector<std::string> aNames;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    if (!aSeq.IsNull() && aSeq->ToolpathFlag() != 0)
    {
      aNames.push_back(aBytes(aSeq->PhaseName()) + "|" + aBytes(aSeq->LayerName()) + "|" +
                       aBytes(theModel.Aperture(aSeq->ApertureNumber())->Name()));
    }
  }
  return aNames;
}
} // namespace

TEST(VexDataWriterRoundTrip, NamesAreBytesThroughReadWriteRead)
{
  // The reader takes every byte of a name as one character; whatever it reads, the writer
  // writes back byte for byte. Each name in turn holds every byte from 0x01 to 0xFF.
  std::string anAllBytes;
  for (int aByte = 1; aByte <= 0xFF; ++aByte)
  {
    anAllBytes += static_cast<char>(aByte);
  }
  for (int aWhich = 0; aWhich < 3; ++aWhich)
  {
    SCOPED_TRACE("all bytes in name " + std::to_string(aWhich));
    const std::string aPhase = aWhich == 0 ? anAllBytes : "Fr\xE4sen";
    const std::string aLayer = aWhich == 1 ? anAllBytes : "";
    const std::string aTool  = aWhich == 2 ? anAllBytes
                                           : "\xD8"
                                             "0.8";
    Bytes             aFile;
    aFile.Data = Preamble();
    aFile.Block(aPhase, aLayer, 1, 0.8f, aTool).U8(15).XY(1, 2).U8(0);
    const std::vector<std::string> anExpected = {aPhase + "|" + aLayer + "|" + aTool};

    std::string aBytes = aFile.Data;
    for (int aRound = 0; aRound < 2; ++aRound)
    {
      PenFormatData_Model aModel;
      std::istringstream  aStream(aBytes);
      VexData_Reader      aReader(aModel);
      ASSERT_EQ(aReader.Process(aStream), VexData_Reader::Ok);
      EXPECT_EQ(namesOf(aModel), anExpected) << "round " << aRound;
      VexData_Writer::Status aStatus;
      aBytes = Write(aModel, aStatus);
      ASSERT_EQ(aStatus, VexData_Writer::Ok) << "round " << aRound;
      EXPECT_EQ(aBytes, aFile.Data) << "round " << aRound;
    }
  }
}

namespace
{
//! Returns the elements of every contour of theModel's sequences, each contour after a "|".
std::string contoursOf(const PenFormatData_Model& theModel)
{
  std::string aText;
  for (const Handle(PenFormatData_Object) & anObject : theModel.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    for (const Handle(PhGeom_Curve) & aChild : aSeq->GetCurve()->Children())
    {
      aText += "|" + VexTest_DumpElements(*aChild, "");
    }
  }
  return aText;
}
} // namespace

TEST(VexDataWriterRoundTrip, ArcsWhoseRecordsWouldNotBeNumbersAreLeftOut)
{
  // A damaged file's arc-to may end at infinity: the reader keeps the arc with an end angle that
  // is not a number, and its end point is none either. The writer leaves such an arc out as it
  // leaves out a segment whose end is not a number; the path goes on from the point before it.
  const float                 anInfinity = std::numeric_limits<float>::infinity();
  const float                 aNaN       = std::numeric_limits<float>::quiet_NaN();
  typedef VexTest_FileBuilder Builder;
  struct Case
  {
    const char* Name;
    std::string Items;   //!< the records of one path
    std::string Written; //!< the elements read back from what the writer wrote
  } aCases[] = {
      {"an arc-to ending at infinity, between two line-tos",
       Builder().XY(12, 0, 0).XY(13, 10, 0).ArcTo(anInfinity, 5, 10, 5, 5).XY(13, 20, 20).Data(),
       "|seg 0 0 10 0\nseg 10 0 20 20\n"},
      {"an arc-to ending at infinity ends the path",
       Builder().XY(12, 0, 0).XY(13, 10, 0).ArcTo(5, anInfinity, 10, 5, 5).Data(),
       "|seg 0 0 10 0\n"},
      {"an arc-to starting at infinity opens no path",
       Builder().XY(12, anInfinity, 0).ArcTo(0, 1, 0, 0, 1).XY(13, 5, 5).Data(), "|seg 0 1 5 5\n"},
      {"an arc-to whose centre is not a number",
       Builder().XY(12, 1, 0).ArcTo(0, 1, aNaN, 0, 1).XY(13, 5, 5).Data(), "|seg 0 1 5 5\n"},
      {"a segment to infinity is kept",
       Builder().XY(12, 0, 0).XY(13, anInfinity, 0).XY(13, 5, 5).Data(),
       "|seg 0 0 inf 0\nseg inf 0 5 5\n"},
  };
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    const std::string aFile = Builder().Header().WriterDeclarations().Tool(1, 0, 0.5f, "T").Data() +
                              Builder().Block("P", "").Group(1).Data() + aCase.Items + '\0';
    VexTest_Read aFirst(aFile);
    ASSERT_EQ(aFirst.Status, 0) << aFirst.Capture.Dump();
    VexData_Writer::Status aStatus;
    const std::string      aWritten = Write(*aFirst.Model, aStatus);
    ASSERT_EQ(aStatus, VexData_Writer::Ok);
    VexTest_Read aSecond(aWritten);
    ASSERT_EQ(aSecond.Status, 0) << aSecond.Capture.Dump();
    EXPECT_EQ(contoursOf(*aSecond.Model), aCase.Written);
    EXPECT_EQ(Write(*aSecond.Model, aStatus), aWritten);
  }
}
