// Copyright (c) 2026 VexData developers
// JSON documents of models: the samples survive a round trip, values keep every
// bit, and each kind of malformed document is refused with the JSON pointer of
// the fault.
#include <VexDocument_Json.hxx>

#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
using Json   = nlohmann::json;
using Params = NCollection_Sequence<TCollection_ExtendedString>;

//! Returns the document of theModel with theParams.
std::string writeDocument(const Handle(PenFormatData_Model) & theModel, const Params& theParams)
{
  std::ostringstream      aStream;
  TCollection_AsciiString anError;
  EXPECT_TRUE(VexDocument_Json::Write(theModel, theParams, aStream, anError)) << anError;
  return aStream.str();
}

//! Reads theText; returns the error message, empty on success.
std::string readDocument(const std::string& theText, Handle(PenFormatData_Model) & theModel,
                         Params&            theParams)
{
  std::istringstream      aStream(theText);
  TCollection_AsciiString anError;
  if (VexDocument_Json::Read(aStream, theModel, theParams, anError))
  {
    return std::string();
  }
  EXPECT_FALSE(anError.IsEmpty());
  return anError.ToCString();
}

//! Returns true when both doubles have the same bits.
bool sameBits(const double theLeft, const double theRight)
{
  return std::memcmp(&theLeft, &theRight, sizeof(double)) == 0;
}

//! Returns the sequence at position theIndex of the object list.
Handle(PenFormatData_Object) objectAt(const PenFormatData_Model& theModel, int theIndex)
{
  NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(theModel.Objects());
  for (; theIndex > 0 && anIter.More(); --theIndex)
  {
    anIter.Next();
  }
  return anIter.More() ? anIter.Value() : Handle(PenFormatData_Object)();
}
} // namespace

TEST(VexDocumentJson, EverySampleSurvivesARoundTrip)
{
  int aCount = 0;
  for (const std::filesystem::directory_entry& anEntry :
       std::filesystem::directory_iterator(VEX_SOURCE_DIR "/samples"))
  {
    if (anEntry.path().extension() != ".json")
    {
      continue;
    }
    SCOPED_TRACE(anEntry.path().filename().string());
    std::ifstream      aFile(anEntry.path());
    std::ostringstream aText;
    aText << aFile.rdbuf();
    Handle(PenFormatData_Model) aModel;
    Params aParams;
    ASSERT_EQ(readDocument(aText.str(), aModel, aParams), "");
    const std::string aSecond = writeDocument(aModel, aParams);
    EXPECT_EQ(Json::parse(aSecond), Json::parse(aText.str()));
    Handle(PenFormatData_Model) aModel2;
    Params aParams2;
    ASSERT_EQ(readDocument(aSecond, aModel2, aParams2), "");
    EXPECT_EQ(writeDocument(aModel2, aParams2), aSecond);
    ++aCount;
  }
  EXPECT_GE(aCount, 5);
}

TEST(VexDocumentJson, EveryValueOfAModelSurvivesTheDocument)
{
  const double aNan     = std::numeric_limits<double>::quiet_NaN();
  const double anInf    = std::numeric_limits<double>::infinity();
  const double aReals[] = {aNan, anInf, -anInf, -0.0, 1e-300, 0.1 + 0.2, 1.0 / 3.0, 1e21};

  Handle(PenFormatData_Model) aModel =
      new PenFormatData_Model(PenFormatData_DU_Mil, PenFormatData_IP_Negative);
  Handle(PenFormatData_Aperture) aTool = new PenFormatData_Aperture(1, "T1", nullptr, 0);
  aTool->SetParam(aReals, 8);
  aTool->SetToolFlag(1);
  aModel->SetAperture(1, aTool);
  aModel->SetAperture(3, Handle(PenFormatData_Aperture)()); // trailing null: table of length 4
  Handle(PenFormatData_Aperture) aMacro = new PenFormatData_Aperture(5, "M", nullptr, 0);
  NCollection_Vector<gp_XY>            anOutline;
  NCollection_Vector<Standard_Integer> anEnds;
  for (const gp_XY& aCorner : {gp_XY(-0.0, 1e-300), gp_XY(1.0 / 3.0, 0), gp_XY(1, 1),
                               gp_XY(0.2, 0.2), gp_XY(0.3, 0.3), gp_XY(0.2, 0.4)})
  {
    anOutline.Append(aCorner);
  }
  anEnds.Append(3);
  anEnds.Append(6);
  aMacro->SetOutline(anOutline, anEnds);
  aModel->SetAperture(2, aMacro);
  Handle(PenFormatData_Layer) aTop = new PenFormatData_Layer("Top \xC3\xBC\xF0\x9F\x94\xA9");
  aTop->SetFlags(3);
  aModel->SetLayer(aTop);
  aModel->SetScanField(2, new PenFormatData_ScanField(7, -2, 0.1, anInf, gp_XY(1.0 / 3.0, -0.0)));
  aModel->AddObject(aTop);
  aModel->AddObject(aTool);
  aModel->AddObject(new PenFormatData_Aperture(4, "inline", nullptr, 0));
  aModel->AddObject(Handle(PenFormatData_Object)());
  Handle(PenFormatData_Sequence) anArtwork =
      new PenFormatData_Sequence(9, 5, Handle(PhGeom_Curve)());
  anArtwork->SetArea(Standard_True);
  anArtwork->SetClear(Standard_True);
  aModel->AddObject(anArtwork);
  Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel->Allocator(), 0);
  Handle(PhGeom_Curve) aContour   = PhGeom_Curve::Create(aModel->Allocator(), 0);
  aContour->CreateSegment(gp_XY(0.1, 0.2), gp_XY(1e-310, -7.5));
  const PhGeom_Arc* aModelArc = aContour->CreateArc(gp_XY(1.0 / 7.0, 2.0), 0.3, 0.7, -2.1, 0);
  aContour->CreatePoint(gp_XY(aNan, 2.0));
  aContainer->AddChild(aContour);
  aContainer->AddChild(Handle(PhGeom_Curve)());
  aContainer->AddChild(PhGeom_Curve::Create(aModel->Allocator(), 0));
  Handle(PenFormatData_Sequence) aSequence = new PenFormatData_Sequence(1, 0, aContainer);
  aSequence->SetPhaseName("Mill");
  aSequence->SetLayerName(aTop->Name());
  aSequence->SetToolpathMode(2);
  aSequence->SetToolpathFlag(1);
  aSequence->SetScanFieldIndex(-4);
  aModel->AddObject(aSequence);
  Params aParams;
  aParams.Append("vex.map:false;Mill;Top;T1;;;A");

  const std::string aText     = writeDocument(aModel, aParams);
  const Json        aDocument = Json::parse(aText);
  EXPECT_EQ(aDocument["unit"], "mil");
  EXPECT_EQ(aDocument["apertures"][0]["params"][0], "nan");
  EXPECT_EQ(aDocument["objects"][1], Json::parse(R"({"type":"aperture","number":1})"));

  Handle(PenFormatData_Model) aRead;
  Params aReadParams;
  ASSERT_EQ(readDocument(aText, aRead, aReadParams), "");
  EXPECT_EQ(writeDocument(aRead, aReadParams), aText);
  EXPECT_EQ(aRead->DimensionUnit(), PenFormatData_DU_Mil);
  EXPECT_EQ(aRead->ImagePolarity(), PenFormatData_IP_Negative);
  ASSERT_EQ(aRead->NbApertures(), 4);
  ASSERT_EQ(aRead->Aperture(1)->NbParams(), 8);
  for (int anIndex = 0; anIndex < 8; ++anIndex)
  {
    EXPECT_TRUE(sameBits(aRead->Aperture(1)->Param(anIndex + 1), aReals[anIndex])) << anIndex;
  }
  ASSERT_TRUE(aRead->Aperture(2)->HasOutline());
  EXPECT_TRUE(aRead->Aperture(2)->IsSameOutline(anOutline, anEnds));
  EXPECT_TRUE(sameBits(aRead->Aperture(2)->OutlinePoints()(0).X(), -0.0));
  EXPECT_FALSE(aRead->Aperture(1)->HasOutline());
  ASSERT_EQ(aRead->NbScanFields(), 3);
  EXPECT_TRUE(aRead->ScanField(1).IsNull());
  EXPECT_TRUE(sameBits(aRead->ScanField(2)->Center().Y(), -0.0));
  EXPECT_EQ(aRead->ScanField(2)->Order(), -2);
  EXPECT_EQ(aRead->FindLayer(aTop->Name()), objectAt(*aRead, 0));
  EXPECT_EQ(aRead->Aperture(1), objectAt(*aRead, 1));
  EXPECT_TRUE(objectAt(*aRead, 3).IsNull());
  const Handle(PenFormatData_Sequence) aReadArtwork =
      Handle(PenFormatData_Sequence)::DownCast(objectAt(*aRead, 4));
  EXPECT_EQ(aReadArtwork->Flags(), 5);
  EXPECT_TRUE(aReadArtwork->IsArea() && aReadArtwork->IsClear());

  const Handle(PenFormatData_Sequence) aReadSequence =
      Handle(PenFormatData_Sequence)::DownCast(objectAt(*aRead, 5));
  ASSERT_FALSE(aReadSequence.IsNull());
  EXPECT_EQ(aReadSequence->ScanFieldIndex(), -4);
  EXPECT_EQ(aReadSequence->LayerName(), aTop->Name());
  ASSERT_EQ(aReadSequence->GetCurve()->Children().Extent(), 3);
  const PhGeom_Element* aFirst = aReadSequence->GetCurve()->Children().First()->FirstElement();
  EXPECT_TRUE(sameBits(aFirst->EndPoint().X(), 1e-310));
  const PhGeom_Arc* anArc = static_cast<const PhGeom_Arc*>(aFirst->Next());
  ASSERT_EQ(anArc->Kind(), PhGeom_Element::Kind_Arc);
  EXPECT_EQ(anArc->Sense(), 0);
  EXPECT_TRUE(sameBits(anArc->Center().X(), 1.0 / 7.0));
  EXPECT_TRUE(sameBits(anArc->Angle(1), aModelArc->Angle(1)));
  EXPECT_TRUE(aReadSequence->GetCurve()->Children().Last()->FirstElement() == NULL);
}

TEST(VexDocumentJson, NumbersAreWrittenInTheirShortestExactForm)
{
  // Reals as the fewest digits that read back as the same double, with ".0" when that form has
  // neither a point nor an exponent, so that they read as reals; words for what JSON cannot hold.
  const std::pair<double, const char*> THE_REALS[] = {
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {3.0, "3.0"},
      {-42.0, "-42.0"},
      {0.1, "0.1"},
      {0.1 + 0.2, "0.30000000000000004"},
      {1e-7, "1e-07"},
      {123456.789, "123456.789"},
      {-2.5e-3, "-0.0025"},
      {1.2345678901234568e20, "123456789012345683968.0"},
      {1e21, "1e+21"},
      {5e-324, "5e-324"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {std::numeric_limits<double>::quiet_NaN(), "\"nan\""},
      {std::numeric_limits<double>::infinity(), "\"inf\""},
      {-std::numeric_limits<double>::infinity(), "\"-inf\""}};
  std::vector<double> aParams;
  std::string         anExpected = "\"params\":[";
  for (const auto& aCase : THE_REALS)
  {
    anExpected += (aParams.empty() ? "" : ",") + std::string(aCase.second);
    aParams.push_back(aCase.first);
  }
  Handle(PenFormatData_Model) aModel   = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  Handle(PenFormatData_Aperture) aTool = new PenFormatData_Aperture(-7, "T", nullptr, 0);
  aTool->SetToolFlag(std::numeric_limits<int>::max());
  aTool->SetParam(aParams.data(), static_cast<Standard_Integer>(aParams.size()));
  aModel->SetAperture(1, aTool);
  Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer("L");
  aLayer->SetFlags(std::numeric_limits<int>::min());
  aModel->SetLayer(aLayer);

  const std::string aText = writeDocument(aModel, Params());
  EXPECT_NE(aText.find(anExpected + "],\"tool\":2147483647"), std::string::npos) << aText;
  EXPECT_NE(aText.find("\"shape\":-7,"), std::string::npos) << aText;
  EXPECT_NE(aText.find("\"flags\":-2147483648}"), std::string::npos) << aText;
}

TEST(VexDocumentJson, MalformedDocumentsNameThePathOfTheFault)
{
  const Json aValid = Json::parse(R"({
    "unit": "mm", "polarity": "positive",
    "apertures": [{"number": 1, "name": "T1", "shape": 1, "params": [0.5], "tool": 1}],
    "layers": [{"name": "Top", "flags": 3}],
    "scanFields": [null],
    "objects": [{"type": "sequence", "aperture": 1, "flags": 0, "phase": "P", "layer": "Top",
                 "mode": 1, "toolpath": 1, "scanField": 0, "contours": [{"elements": [
                   {"kind": "segment", "start": [0, 0], "end": [1, 0]},
                   {"kind": "arc", "center": [1, 1], "radius": 1, "angles": [-1.5, 0],
                    "sense": "ccw"}]}]}]})");
  struct Case
  {
    const char*                Name;
    std::function<void(Json&)> Change;
    const char*                Message;
  };
  const Case aCases[] = {
      {"wrong type", [](Json& theDoc) { theDoc["objects"][0]["aperture"] = "1"; },
       "/objects/0/aperture: expected an integer, found string"},
      {"unknown kind",
       [](Json& theDoc) { theDoc["objects"][0]["contours"][0]["elements"][1]["kind"] = "spline"; },
       "/objects/0/contours/0/elements/1/kind: unknown element kind \"spline\" "
       "(expected "
       "segment, arc or point)"},
      {"missing field",
       [](Json& theDoc) { theDoc["objects"][0]["contours"][0]["elements"][1].erase("radius"); },
       "/objects/0/contours/0/elements/1: missing field \"radius\""},
      {"unknown field", [](Json& theDoc) { theDoc["layers"][0]["colour"] = 1; },
       "/layers/0/colour: unknown field"},
      {"point of three",
       [](Json& theDoc) {
         theDoc["objects"][0]["contours"][0]["elements"][0]["end"] = {1, 2, 3};
       },
       "/objects/0/contours/0/elements/0/end: expected 2 numbers [x, y], found "
       "3 values"},
      {"number not a number", [](Json& theDoc) { theDoc["apertures"][0]["params"][0] = "wide"; },
       "/apertures/0/params/0: expected a number, found the string \"wide\""},
      {"integer too large", [](Json& theDoc) { theDoc["objects"][0]["mode"] = 4294967296LL; },
       "/objects/0/mode: integer out of the 32-bit range"},
      {"real for an integer", [](Json& theDoc) { theDoc["layers"][0]["flags"] = 1.5; },
       "/layers/0/flags: expected an integer, found number"},
      {"number out of place", [](Json& theDoc) { theDoc["apertures"][0]["number"] = 2; },
       "/apertures/0/number: expected 1, the entry's position in the table"},
      {"layer twice", [](Json& theDoc) { theDoc["layers"].push_back(theDoc["layers"][0]); },
       "/layers/1/name: layer \"Top\" is listed twice"},
      {"unknown unit", [](Json& theDoc) { theDoc["unit"] = "cm"; },
       "/unit: unknown unit \"cm\" (expected mm, um, inch or mil)"},
      {"aperture reference to nothing",
       [](Json& theDoc) {
         theDoc["objects"].push_back({{"type", "aperture"}, {"number", 2}});
       },
       "/objects/1/number: no aperture 2 in the aperture table"},
      {"U+0000 in a name",
       [](Json& theDoc) { theDoc["objects"][0]["phase"] = std::string("P\0Q", 3); },
       "/objects/0/phase: a name cannot hold the character U+0000"},
      {"not an object", [](Json& theDoc) { theDoc = Json::array(); },
       "document: expected an object, found array"},
      {"area not a boolean", [](Json& theDoc) { theDoc["objects"][0]["area"] = 1; },
       "/objects/0/area: expected true or false, found number"},
      {"outline polygon not an array",
       [](Json& theDoc) {
         theDoc["apertures"][0]["outline"] = {{{0, 0}, {1, 0}, {1, 1}}, 2};
       },
       "/apertures/0/outline/1: expected an array, found number"},
      {"outline corner of one number",
       [](Json& theDoc) {
         theDoc["apertures"][0]["outline"] = {{{0, 0}, {1}, {1, 1}}};
       },
       "/apertures/0/outline/0/1: expected 2 numbers [x, y], found 1 values"},
      {"missing table", [](Json& theDoc) { theDoc.erase("scanFields"); },
       "document: missing field \"scanFields\""},
  };
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    Json aDocument = aValid;
    aCase.Change(aDocument);
    Handle(PenFormatData_Model) aModel;
    Params aParams;
    aParams.Append("kept");
    EXPECT_EQ(readDocument(aDocument.dump(), aModel, aParams), aCase.Message);
    EXPECT_TRUE(aModel.IsNull());
    EXPECT_EQ(aParams.Length(), 1);
  }
  Handle(PenFormatData_Model) aModel;
  Params aParams;
  EXPECT_EQ(readDocument(aValid.dump(), aModel, aParams), "");
  EXPECT_EQ(
      readDocument("{\"unit\": \"mm\",\n  ]", aModel, aParams).rfind("parse error at line 2", 0),
      0u);
}

#ifdef VEX_HOST_PATH
namespace
{
//! What one run of vex gave.
struct VexRun
{
  int         Status; //!< exit status
  std::string Out;    //!< standard output
  std::string Err;    //!< standard error
};

//! Runs vex in a scratch folder that lives as long as the fixture.
class VexDocument_JsonCommandTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char aTemplate[] = "/tmp/vexjsonXXXXXX";
    ASSERT_NE(::mkdtemp(aTemplate), nullptr);
    myDir = aTemplate;
  }

  void TearDown() override { std::filesystem::remove_all(myDir); }

  static std::string slurp(const std::string& thePath)
  {
    std::ifstream      aFile(thePath, std::ios::binary);
    std::ostringstream aText;
    aText << aFile.rdbuf();
    return aText.str();
  }

  //! Runs vex --message-keys with theArgs.
  VexRun vex(const std::vector<std::string>& theArgs)
  {
    std::string aCommand = std::string("'") + VEX_HOST_PATH + "' --message-keys";
    for (const std::string& anArg : theArgs)
    {
      aCommand += " '" + anArg + "'";
    }
    aCommand += " >'" + myDir + "/.out' 2>'" + myDir + "/.err' </dev/null";
    const int aRaw = std::system(aCommand.c_str());
    return VexRun{WIFEXITED(aRaw) ? WEXITSTATUS(aRaw) : -1, slurp(myDir + "/.out"),
                  slurp(myDir + "/.err")};
  }

  std::string myDir; //!< scratch folder
};
} // namespace

TEST_F(VexDocument_JsonCommandTest, SamplesGoThroughTheMachineFileAndBack)
{
  for (const char* aName : {"board-outline", "drills", "isolation", "mapping", "scan-fields"})
  {
    SCOPED_TRACE(aName);
    const std::string aSample = std::string(VEX_SOURCE_DIR "/samples/") + aName;
    const std::string aFirst  = myDir + "/first.vex";
    VexRun            aRun    = vex({"from-json", aSample + ".json", aFirst});
    ASSERT_EQ(aRun.Status, 0) << aRun.Err;
    EXPECT_EQ(slurp(aFirst), slurp(aSample + ".vex"))
        << "samples are stale: run scripts/samples.sh";
    aRun = vex({"to-json", aFirst, "-o", myDir + "/first.json"});
    ASSERT_EQ(aRun.Status, 0) << aRun.Err;
    ASSERT_EQ(vex({"from-json", myDir + "/first.json", myDir + "/second.vex"}).Status, 0);
    aRun = vex({"to-json", myDir + "/second.vex"});
    ASSERT_EQ(aRun.Status, 0) << aRun.Err;
    // Scan-field positions come back as outlines, not as the scan-field list, and a mapping
    // renames tools: those two files change on their way back by design.
    if (std::string(aName) != "scan-fields" && std::string(aName) != "mapping")
    {
      EXPECT_EQ(aRun.Out, slurp(myDir + "/first.json"));
    }
  }
}

TEST_F(VexDocument_JsonCommandTest, FaultsOfTheDocumentOrTheModelWriteNothing)
{
  Json aDocument = Json::parse(slurp(VEX_SOURCE_DIR "/samples/isolation.json"));
  struct Case
  {
    const char*                Name;
    std::function<void(Json&)> Change;
    int                        Status;
    std::string                Err;
  };
  const Case aCases[] = {
      {"wrong type", [](Json& theDoc) { theDoc["objects"][1]["layer"] = 7; }, 2,
       "/objects/1/layer: expected a string, found number"},
      {"unknown kind",
       [](Json& theDoc) { theDoc["objects"][0]["contours"][3]["elements"][2]["kind"] = "spline"; },
       2, "/objects/0/contours/3/elements/2/kind: unknown element kind \"spline\""},
      {"missing field", [](Json& theDoc) { theDoc["apertures"][1].erase("params"); }, 2,
       "/apertures/1: missing field \"params\""},
      {"refused by the writer", [](Json& theDoc) { theDoc["objects"][2]["aperture"] = 5; }, 202,
       "Fail: VEX_WRITER_INVALID_TOOL_INDEX 5\n"},
  };
  const std::string anOut = myDir + "/out.vex";
  for (const Case& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    Json aChanged = aDocument;
    aCase.Change(aChanged);
    const std::string aPath = myDir + "/bad.json";
    std::ofstream(aPath) << aChanged.dump(1);
    const VexRun aRun = vex({"from-json", aPath, anOut});
    EXPECT_EQ(aRun.Status, aCase.Status);
    EXPECT_NE(aRun.Err.find(aCase.Err), std::string::npos) << aRun.Err;
    EXPECT_FALSE(std::filesystem::exists(anOut));
  }
  const VexRun aRun = vex({"from-json", myDir + "/missing.json", anOut});
  EXPECT_EQ(aRun.Status, 2);
  EXPECT_EQ(aRun.Err,
            "Fail: VEX_HOST_JSON_INVALID " + myDir + "/missing.json the file cannot be opened\n");
}

TEST_F(VexDocument_JsonCommandTest, ParametersOfTheCommandLineFollowThoseOfTheDocument)
{
  // The document maps T1 of Milling/Top to T1a and T1b; the command line adds a third name.
  const VexRun aRun = vex({"from-json", VEX_SOURCE_DIR "/samples/mapping.json", myDir + "/out.vex",
                           "--param", "vex.map:false;Milling;Top;T1;Contour;;T1c"});
  ASSERT_EQ(aRun.Status, 0) << aRun.Err;
  EXPECT_EQ(aRun.Out, "Wrote " + myDir + "/out.vex (0 objects left out: not toolpaths)\n");
  const std::string anInfo = vex({"info", myDir + "/out.vex"}).Out;
  for (const char* aTool : {"\"T1a\"", "\"T1b\"", "\"T1c\"", "\"T2\""})
  {
    EXPECT_NE(anInfo.find(aTool), std::string::npos) << aTool << "\n" << anInfo;
  }
}
#endif
