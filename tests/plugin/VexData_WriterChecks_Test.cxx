// Copyright (c) 2026 VexData developers
// Classification of the model's objects, every check of the collection and of the scan fields,
// and the parsing of the export parameters.
#include <VexData_WriterFixture_Test.hxx>
#include <VexTest_Messages.hxx>
#include <VexData_ExportParameters.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <limits>

using namespace VexTest;

namespace
{
//! "~" stands for an empty text and "#N" for N letters n; anything else for itself.
std::string expand(const std::string& theText)
{
  if (theText == "~")
  {
    return "";
  }
  return theText[0] == '#' ? std::string(std::stoul(theText.substr(1)), 'n') : theText;
}

//! Applies blank-separated edits "key=value" to the second toolpath and its aperture 2.
void applyEdits(const std::string& theEdits, PenFormatData_Model& theModel,
                PenFormatData_Sequence& theSeq, bool& theExport)
{
  int                 aShape = 1, aFlag = 1;
  std::string         aName = "T2";
  std::vector<double> aWidths(1, 0.2);
  std::istringstream  anEdits(theEdits);
  for (std::string anEdit; anEdits >> anEdit;)
  {
    const std::string aKey   = anEdit.substr(0, anEdit.find('='));
    const std::string aValue = aKey == anEdit ? "" : expand(anEdit.substr(aKey.size() + 1));
    const TCollection_ExtendedString aText(aValue.c_str(), Standard_True);
    aKey == "mode"     ? theSeq.SetToolpathMode(std::stoi(aValue))
    : aKey == "phase"  ? theSeq.SetPhaseName(aText)
    : aKey == "layer"  ? theSeq.SetLayerName(aText)
    : aKey == "ap"     ? theSeq.SetApertureNumber(std::stoi(aValue))
    : aKey == "sf"     ? theSeq.SetScanFieldIndex(std::stoi(aValue))
    : aKey == "shape"  ? void(aShape = std::stoi(aValue))
    : aKey == "flag"   ? void(aFlag = std::stoi(aValue))
    : aKey == "name"   ? void(aName = aValue)
    : aKey == "width"  ? void(aWidths = {std::stod(aValue)})
    : aKey == "width2" ? void(aWidths.push_back(std::stod(aValue)))
                       : void(theExport = aKey != "noexport");
  }
  Handle(PenFormatData_Aperture) aTool =
      new PenFormatData_Aperture(aShape, TCollection_ExtendedString(aName.c_str(), Standard_True),
                                 Handle(Standard_Transient)(), 0);
  aTool->SetParam(aWidths.data(), int(aWidths.size()));
  aTool->SetToolFlag(aFlag);
  theModel.SetAperture(
      2, theEdits.find("null") != std::string::npos ? Handle(PenFormatData_Aperture)() : aTool);
}
//! Builds the model of the check tables: tool 1, scan field 3, a layer, a first toolpath (tool 1
//! on the default names, or tool 2 on phase "Q" and layer "M" when isSharing) and a second
//! toolpath of tool 2 on "Q" and "M" changed by theEdits.
void buildCheckModel(PenFormatData_Model& theModel, const std::string& theEdits,
                     const bool isSharing, bool& theExport)
{
  AddTool(theModel, 1, "T1", 0.2);
  theModel.AddScanField(new PenFormatData_ScanField(3, 1, 10.0, 10.0, gp_XY(0, 0)));
  theModel.AddObject(new PenFormatData_Layer("Top"));
  if (isSharing)
  {
    AddToolpath(theModel, 2, 2, "Q", "M");
  }
  else
  {
    AddToolpath(theModel, 1, 1);
  }
  applyEdits(theEdits, theModel, *AddToolpath(theModel, 2, 2, "Q", "M"), theExport);
}
} // namespace

TEST(VexDataWriterChecks, EveryToolpathCheckWithItsMessage)
{
  // A layer, a valid toolpath with tool 1, then a toolpath with tool 2 changed by the edits. In
  // the shared rows the valid toolpath has the tool and names the second one starts from: the
  // second is checked in full all the same.
  const struct
  {
    const char* Edits;
    const char* Message;
    bool        IsShared = false;
  } aCases[] = {
      {"", ""},
      {"mode=3", "VEX_WRITER_TOOLPATH_MODE 3"},
      {"mode=0", "VEX_WRITER_TOOLPATH_MODE 0"},
      {"phase=~", "VEX_WRITER_TOOLPATH_PHASE_NAME"},
      {"phase=Ph\xC3\xA9", ""},
      {"phase=Ph\xC4\x80", "VEX_WRITER_TOOLPATH_PHASE_NAME Ph\xC4\x80"},
      {"phase=#8191", "VEX_WRITER_TOOLPATH_PHASE_NAME #8191"},
      {"phase=#8190 layer=#8190", ""},
      {"layer=~", ""},
      {"layer=\xE2\x82\xAC", "VEX_WRITER_TOOLPATH_LAYER_NAME \xE2\x82\xAC"},
      {"layer=#8191", "VEX_WRITER_TOOLPATH_LAYER_NAME #8191"},
      {"ap=0", "VEX_WRITER_INVALID_TOOL_INDEX 0"},
      {"ap=-1", "VEX_WRITER_INVALID_TOOL_INDEX -1"},
      {"ap=3", "VEX_WRITER_INVALID_TOOL_INDEX 3"},
      {"null", "VEX_WRITER_NULL_TOOL 2"},
      {"flag=0", "VEX_WRITER_NOT_TOOL T2"},
      {"shape=2", "VEX_WRITER_TOOL_PARAMS T2"},
      {"width2=0.3", "VEX_WRITER_TOOL_PARAMS T2"},
      {"width=-0.5", "VEX_WRITER_TOOL_PARAMS T2"},
      {"width=0", ""},
      {"width=nan", "VEX_WRITER_TOOL_PARAMS T2"},
      {"name=#8191", "VEX_WRITER_TOOL_PARAMS #8191"},
      {"name=T\xC3\xA9", ""},
      {"name=T\xC4\x80", "VEX_WRITER_TOOL_PARAMS T\xC4\x80"},
      {"sf=2", "VEX_WRITER_INVALID_SCANFIELD_INDEX 2"},
      {"sf=-1", "VEX_WRITER_INVALID_SCANFIELD_INDEX -1"},
      {"sf=7 noexport", ""},
      {"", "", true},
      {"ap=3", "VEX_WRITER_INVALID_TOOL_INDEX 3", true},
      {"ap=1", "", true},
      {"phase=Ph\xC4\x80", "VEX_WRITER_TOOLPATH_PHASE_NAME Ph\xC4\x80", true},
      {"layer=\xE2\x82\xAC", "VEX_WRITER_TOOLPATH_LAYER_NAME \xE2\x82\xAC", true},
      {"phase=~", "VEX_WRITER_TOOLPATH_PHASE_NAME", true},
      {"sf=2", "VEX_WRITER_INVALID_SCANFIELD_INDEX 2", true},
      {"mode=3", "VEX_WRITER_TOOLPATH_MODE 3", true},
  };
  for (const auto& aCase : aCases)
  {
    SCOPED_TRACE(std::string(aCase.Edits) + (aCase.IsShared ? " (shared)" : ""));
    VexTest_MessageCapture aCapture;
    PenFormatData_Model    aModel;
    aModel.SetMessenger(aCapture.Messenger());
    bool isExport = true;
    buildCheckModel(aModel, aCase.Edits, aCase.IsShared, isExport);
    std::string        aMessage;
    std::istringstream aWords(aCase.Message);
    for (std::string aWord; aWords >> aWord;)
    {
      aMessage += " " + expand(aWord);
    }
    aMessage = aMessage.empty() ? "" : "4" + aMessage + "\n";
    const bool                                       isOk = aMessage.empty();
    VexData_Writer                                   aWriter(aModel);
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    aParams.Append(isExport ? "export.scanfield:true" : "export.scanfield:false");
    aWriter.SetInputParameters(aParams);
    EXPECT_EQ(aWriter.CheckWritable(), isOk ? VexData_Writer::Ok : VexData_Writer::InvalidModel);
    EXPECT_EQ(aCapture.Dump(), aMessage);
    EXPECT_EQ(aWriter.GetWritable().Size(), isOk ? 2 : 1);
    EXPECT_EQ(aWriter.GetUnWritable().Size(), 1);
    // Process refuses the same model before it writes anything.
    aCapture.Clear();
    std::ostringstream aStream;
    EXPECT_EQ(aWriter.Process(aStream), aWriter.GetStatus());
    EXPECT_EQ(aCapture.Dump(), aMessage);
    EXPECT_EQ(aStream.str().empty(), !isOk);
  }
}

TEST(VexDataWriterChecks, ObjectsThatAreNotToolpaths)
{
  VexTest_MessageCapture aCapture;
  PenFormatData_Model    aModel;
  aModel.SetMessenger(aCapture.Messenger());
  Handle(PenFormatData_Layer) aLayer = new PenFormatData_Layer("Top");
  aModel.AddObject(aLayer);
  aModel.AddObject(Handle(PenFormatData_Object)());
  Handle(PenFormatData_Sequence) aPlain = AddToolpath(aModel, 0, 7, "");
  aPlain->SetToolpathFlag(0);
  VexData_Writer aWriter(aModel);
  EXPECT_EQ(aWriter.GetStatus(), VexData_Writer::NotDone);
  EXPECT_EQ(aWriter.CheckWritable(), VexData_Writer::Ok);
  EXPECT_EQ(aCapture.Dump(), "");
  EXPECT_TRUE(aWriter.GetWritable().IsEmpty());
  ASSERT_EQ(aWriter.GetUnWritable().Size(), 2);
  EXPECT_EQ(aWriter.GetUnWritable().First(), aLayer);
  EXPECT_EQ(aWriter.GetUnWritable().Last(), aPlain);
  // New parameters put the status back without touching the lists.
  aWriter.SetInputParameters(NCollection_Sequence<TCollection_ExtendedString>());
  EXPECT_EQ(aWriter.GetStatus(), VexData_Writer::NotDone);
  EXPECT_EQ(aWriter.GetUnWritable().Size(), 2);
}

TEST(VexDataWriterChecks, ScanFieldChecks)
{
  const double aNaN = std::numeric_limits<double>::quiet_NaN();
  const struct
  {
    std::vector<std::array<double, 2>> Sizes; // width, height; a negative width stands for null
    std::string                        Messages;
  } aCases[] = {
      {{}, ""},
      {{{1e-7, 5}}, "4 VEX_WRITER_INVALID_SCANFIELD_SIZE_X 9.9999999999999995e-08\n"},
      {{{2e-7, 2e-7}}, ""},
      {{{1, 1}, {-1, 0}}, "4 VEX_WRITER_NULL_SCANFIELD 2\n"},
      {{{1, 1}, {0, 0}}, "4 VEX_WRITER_INVALID_SCANFIELD_SIZE_X 0\n"},
      {{{1, -3}}, "4 VEX_WRITER_INVALID_SCANFIELD_SIZE_Y -3\n"},
      {{{aNaN, 1}}, "4 VEX_WRITER_INVALID_SCANFIELD_SIZE_X nan\n"},
  };
  for (const auto& aCase : aCases)
  {
    VexTest_MessageCapture aCapture;
    PenFormatData_Model    aModel;
    aModel.SetMessenger(aCapture.Messenger());
    AddTool(aModel, 1, "T1", 0.2);
    AddToolpath(aModel, 1, 1);
    for (size_t anIndex = 0; anIndex < aCase.Sizes.size(); ++anIndex)
    {
      const auto& aSize = aCase.Sizes[anIndex];
      aModel.SetScanField(int(anIndex) + 1, aSize[0] < 0 ? Handle(PenFormatData_ScanField)()
                                                         : new PenFormatData_ScanField(
                                                               1, 1, aSize[0], aSize[1], gp_XY()));
    }
    VexData_Writer aWriter(aModel);
    const auto     aStatus = aWriter.CheckWritable();
    EXPECT_EQ(aCapture.Dump(), aCase.Messages);
    EXPECT_EQ(aStatus, aCase.Messages.empty() ? VexData_Writer::Ok : VexData_Writer::InvalidModel);
    EXPECT_EQ(aWriter.GetWritable().Size(), aCase.Messages.empty() ? 1 : 0);
    // Without scan-field export the same model is written.
    VexData_Writer::Status aWriteStatus;
    Write(aModel, aWriteStatus, {"export.scanfield:false"});
    EXPECT_EQ(aWriteStatus, VexData_Writer::Ok) << aCase.Messages;
  }
}

TEST(VexDataWriterChecks, ParameterParsing)
{
  const struct
  {
    std::vector<const char*> Params;
    bool                     Export;
    const char* Items; // per item "key=circles|outPhase|outLayer|tools", separated by blanks
  } aCases[] = {
      {{}, true, ""},
      {{"export.scanfield:false"}, false, ""},
      {{"export.scanfield:False"}, true, ""},
      {{"export.scanfield:0"}, true, ""},
      {{"export.scanfield:"}, true, ""},
      {{"export.scanfield:true", "export.scanfield:false"}, true, ""},
      {{"x export.scanfield:false", "x vex.map:false;P;L;T"}, true, ""},
      {{"vex.map:"}, true, ";;=1|||"},
      {{"vex.map:;P;L;T"}, true, "P;L;T=1|||"},
      {{"vex.map:false;P;L;T;;;A;;B"}, true, "P;L;T=0|||A,B,"},
      {{"vex.map:true;P;L;T;X", "vex.map:true;P;L;T;Y"}, true, "P;L;T=1|X|| P;L;T=1|Y||"},
      {{"vex.map:true; P;L\xC3\xA9;T"}, true, " P;L\xE9;T=1|||"},
      {{"vex.map:true;P\xC4\x80;L;T;\xE2\x82\xAC"}, true, "P?;L;T=1|?||"},
      {{"vex.map:yes;_P;L;T;X;Y;A;"}, true, "_P;L;T=1|X|Y|A,"},
  };
  for (const auto& aCase : aCases)
  {
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    for (const char* aParam : aCase.Params)
    {
      aParams.Append(TCollection_ExtendedString(aParam, Standard_True));
    }
    Standard_Boolean             isExport = Standard_False;
    VexData_Writer::MappingTable aMapping;
    VexData_ExportParameters::Parse(aParams, isExport, aMapping);
    EXPECT_EQ(bool(isExport), aCase.Export);
    std::string anItems;
    for (VexData_Writer::MappingTable::Iterator aKey(aMapping); aKey.More(); aKey.Next())
    {
      for (NCollection_List<VexData_Writer::MapItem>::Iterator anIt(aKey.Value()); anIt.More();
           anIt.Next())
      {
        const VexData_Writer::MapItem& anItem = anIt.Value();
        EXPECT_EQ(VexData_ExportParameters::MappingKey(anItem.phase, anItem.layer, anItem.tool),
                  aKey.Key());
        anItems += std::string(anItems.empty() ? "" : " ") + aKey.Key().ToCString() + "=" +
                   (anItem.asCircles ? "1|" : "0|") + anItem.outPhase.ToCString() + "|" +
                   anItem.outLayer.ToCString() + "|";
        for (NCollection_List<TCollection_AsciiString>::Iterator aTool(anItem.outTools);
             aTool.More(); aTool.Next())
        {
          anItems += std::string(aTool.Value().ToCString()) + ",";
        }
      }
    }
    EXPECT_EQ(anItems, aCase.Items);
  }
}

TEST(VexDataWriterChecks, OverlongMappingNamesAreRefusedBeforeWriting)
{
  const std::string      aLong(8191, 'm');
  VexTest_MessageCapture aCapture;
  PenFormatData_Model    aModel;
  aModel.SetMessenger(aCapture.Messenger());
  AddTool(aModel, 1, "T1", 0.2);
  AddToolpath(aModel, 1, 1);
  for (const std::string& aParam :
       {"vex.map:false;P;L;T1;" + aLong, "vex.map:false;P;L;T1;;" + aLong,
        "vex.map:false;P;L;T1;;;A;" + aLong, "vex.map:false;Q;L;T1;;;" + aLong})
  {
    aCapture.Clear();
    VexData_Writer                                   aWriter(aModel);
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    aParams.Append(aParam.c_str());
    aWriter.SetInputParameters(aParams);
    std::ostringstream aStream;
    const bool         isUsed = aParam.find(";Q;") == std::string::npos;
    EXPECT_EQ(aWriter.Process(aStream), isUsed ? VexData_Writer::InvalidModel : VexData_Writer::Ok);
    EXPECT_EQ(aCapture.Dump(), isUsed ? "4 VEX_WRITER_MAPPING_NAME " + aLong + "\n" : "");
    EXPECT_EQ(aStream.str().empty(), isUsed);
  }
}
