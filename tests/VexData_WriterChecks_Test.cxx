// Copyright (c) 2026 VexData developers
// Classification of the model's objects, every check of the collection and of the scan fields,
// and the parsing of the export parameters.
#include <VexData_WriterFixture_Test.hxx>
#include <VexTest_Messages.hxx>
#include <VexData_ExportParameters.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <functional>
#include <limits>

using namespace VexTest;

namespace
{
typedef std::function<void(PenFormatData_Model&, PenFormatData_Sequence&)> ModelChange;

//! Runs CheckWritable and Process over a model whose first toolpath is valid and whose second
//! one is changed by theSetup; checks status, messages and object lists.
void checkCase(const std::string& theName, const ModelChange& theSetup, bool theExportScanFields,
               VexData_Writer::Status theStatus, const std::string& theMessages)
{
  SCOPED_TRACE(theName);
  VexTest_MessageCapture aCapture;
  PenFormatData_Model    aModel(PenFormatData_DU_Millimetre);
  aModel.SetMessenger(aCapture.Messenger());
  AddTool(aModel, 1, "T1", 0.2);
  aModel.AddScanField(new PenFormatData_ScanField(3, 1, 10.0, 10.0, gp_XY(0, 0)));
  aModel.AddObject(new PenFormatData_Layer("Top"));
  AddToolpath(aModel, 1, 1);
  theSetup(aModel, *AddToolpath(aModel, 1, 2, "Q", "M"));
  const bool isOk = theStatus == VexData_Writer::Ok;

  VexData_Writer                                   aWriter(aModel);
  NCollection_Sequence<TCollection_ExtendedString> aParams;
  aParams.Append(theExportScanFields ? "export.scanfield:true" : "export.scanfield:false");
  aWriter.SetInputParameters(aParams);
  EXPECT_EQ(aWriter.CheckWritable(), theStatus);
  EXPECT_EQ(aCapture.Dump(), theMessages);
  EXPECT_EQ(aWriter.GetWritable().Size(), isOk ? 2 : 1);
  EXPECT_EQ(aWriter.GetUnWritable().Size(), 1);

  // Process refuses the same model before it writes anything.
  aCapture.Clear();
  std::ostringstream aStream;
  EXPECT_EQ(aWriter.Process(aStream), theStatus);
  EXPECT_EQ(aCapture.Dump(), theMessages);
  EXPECT_EQ(aStream.str().empty(), !isOk);
}

//! A change that makes the second toolpath use aperture 2, built as given.
ModelChange withTool(int theShape, std::vector<double> theParams, int theFlag = 1,
                     const char* theName = "T2")
{
  return [=](PenFormatData_Model& theModel, PenFormatData_Sequence& theSeq)
  {
    Handle(PenFormatData_Aperture) aTool =
        new PenFormatData_Aperture(theShape, theName, Handle(Standard_Transient)(), 0);
    aTool->SetParam(theParams.data(), int(theParams.size()));
    aTool->SetToolFlag(theFlag);
    theModel.SetAperture(2, aTool);
    theSeq.SetApertureNumber(2);
  };
}
} // namespace

TEST(VexDataWriterChecks, EveryToolpathCheckWithItsMessage)
{
  const std::string aLong(8191, 'n');
  const std::string aMax(8190, 'n');
  const auto        anIsOk = VexData_Writer::Ok;
  const auto        aBad   = VexData_Writer::InvalidModel;
  const struct
  {
    const char*            Name;
    ModelChange            Change;
    bool                   Export;
    VexData_Writer::Status Status;
    std::string            Messages;
  } aCases[] = {
      {"valid", [](PenFormatData_Model&, PenFormatData_Sequence&) {}, true, anIsOk, ""},
      {"mode 3",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetToolpathMode(3); }, true,
       aBad, "4 VEX_WRITER_TOOLPATH_MODE 3\n"},
      {"mode 0",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetToolpathMode(0); }, true,
       aBad, "4 VEX_WRITER_TOOLPATH_MODE 0\n"},
      {"empty phase",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetPhaseName(""); }, true,
       aBad, "4 VEX_WRITER_TOOLPATH_PHASE_NAME\n"},
      {"non-ASCII phase",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS)
       { theS.SetPhaseName(TCollection_ExtendedString("Ph\xC3\xA9", Standard_True)); },
       true, aBad, "4 VEX_WRITER_TOOLPATH_PHASE_NAME Ph\xC3\xA9\n"},
      {"phase of 8191",
       [&](PenFormatData_Model&, PenFormatData_Sequence& theS)
       { theS.SetPhaseName(aLong.c_str()); },
       true, aBad, "4 VEX_WRITER_TOOLPATH_PHASE_NAME " + aLong + "\n"},
      {"phase and layer of 8190",
       [&](PenFormatData_Model&, PenFormatData_Sequence& theS)
       {
         theS.SetPhaseName(aMax.c_str());
         theS.SetLayerName(aMax.c_str());
       },
       true, anIsOk, ""},
      {"no layer",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetLayerName(""); }, true,
       anIsOk, ""},
      {"non-ASCII layer",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS)
       { theS.SetLayerName(TCollection_ExtendedString("\xE2\x82\xAC", Standard_True)); },
       true, aBad, "4 VEX_WRITER_TOOLPATH_LAYER_NAME \xE2\x82\xAC\n"},
      {"layer of 8191",
       [&](PenFormatData_Model&, PenFormatData_Sequence& theS)
       { theS.SetLayerName(aLong.c_str()); },
       true, aBad, "4 VEX_WRITER_TOOLPATH_LAYER_NAME " + aLong + "\n"},
      {"aperture 0",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetApertureNumber(0); }, true,
       aBad, "4 VEX_WRITER_INVALID_TOOL_INDEX 0\n"},
      {"aperture -1",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetApertureNumber(-1); }, true,
       aBad, "4 VEX_WRITER_INVALID_TOOL_INDEX -1\n"},
      {"aperture = table length",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetApertureNumber(2); }, true,
       aBad, "4 VEX_WRITER_INVALID_TOOL_INDEX 2\n"},
      {"null aperture",
       [](PenFormatData_Model& theM, PenFormatData_Sequence& theS)
       {
         theM.SetAperture(3, Handle(PenFormatData_Aperture)());
         theS.SetApertureNumber(2);
       },
       true, aBad, "4 VEX_WRITER_NULL_TOOL 2\n"},
      {"not a tool", withTool(1, {0.2}, 0), true, aBad, "4 VEX_WRITER_NOT_TOOL T2\n"},
      {"shape 2", withTool(2, {0.2}), true, aBad, "4 VEX_WRITER_TOOL_PARAMS T2\n"},
      {"two params", withTool(1, {0.2, 0.3}), true, aBad, "4 VEX_WRITER_TOOL_PARAMS T2\n"},
      {"width -0.5", withTool(1, {-0.5}), true, aBad, "4 VEX_WRITER_TOOL_PARAMS T2\n"},
      {"tool name of 8191", withTool(1, {0.2}, 1, aLong.c_str()), true, aBad,
       "4 VEX_WRITER_TOOL_PARAMS " + aLong + "\n"},
      {"width 0", withTool(1, {0.0}), true, anIsOk, ""},
      {"width NaN", withTool(1, {std::nan("")}), true, anIsOk, ""},
      {"scan field = list length",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetScanFieldIndex(2); }, true,
       aBad, "4 VEX_WRITER_INVALID_SCANFIELD_INDEX 2\n"},
      {"scan field -1",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetScanFieldIndex(-1); }, true,
       aBad, "4 VEX_WRITER_INVALID_SCANFIELD_INDEX -1\n"},
      {"scan field ignored",
       [](PenFormatData_Model&, PenFormatData_Sequence& theS) { theS.SetScanFieldIndex(7); }, false,
       anIsOk, ""},
  };
  for (const auto& aCase : aCases)
  {
    checkCase(aCase.Name, aCase.Change, aCase.Export, aCase.Status, aCase.Messages);
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
      {{"vex.map:true; P;L\xC3\xA9;T"}, true, " P;L?;T=1|||"},
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
