// Copyright (c) 2026 VexData developers
// Byte-exact output of the writer: header, declarations, scanner box, tool definitions, path
// geometry, scan-field ordering, mapping and the order of blocks across containers and tools.
#include <VexData_WriterFixture_Test.hxx>

#include <VexData_Reader.hxx>

#include <gtest/gtest.h>

#include <cmath>

using namespace VexTest;

namespace
{
//! A millimetre model (unit factor 1) holding tool 1 "T1" of width 0.2.
struct MmModel
{
  PenFormatData_Model Model{PenFormatData_DU_Millimetre};
  MmModel() { AddTool(Model, 1, "T1", 0.2); }
};

//! Adds a toolpath of drill points at x = each value of theXs, y = 0.
Handle(PenFormatData_Sequence)
    addDrill(PenFormatData_Model& theModel, int theTool, const char* thePhase, const char* theLayer,
             std::initializer_list<double> theXs, int theScanField = 0)
{
  Handle(PenFormatData_Sequence) aSeq =
      AddToolpath(theModel, theTool, 2, thePhase, theLayer, theScanField);
  for (double anX : theXs)
  {
    AddContour(theModel, aSeq)->CreatePoint(gp_XY(anX, 0.0));
  }
  return aSeq;
}
} // namespace

TEST(VexDataWriterBytes, FileWithoutBlocksEndsWithAnEmptyRecordAndReadsBack)
{
  // A file of header and declarations alone does not read (the reader wants a first record):
  // a body without any block or scanner box ends with one empty record instead. A toolpath
  // without anything to write still gives a block, whose model then writes such a body.
  Handle(PenFormatData_Model) anEmpty    = new PenFormatData_Model();
  Handle(PenFormatData_Model) aPointless = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  AddTool(*aPointless, 1, "T1", 0.2);
  AddContour(*aPointless, AddToolpath(*aPointless, 1, 1))->CreatePoint(gp_XY(1, 2));
  Handle(PenFormatData_Model) aBoxOnly = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  aBoxOnly->AddScanField(new PenFormatData_ScanField(1, 1, 4.0, 3.0, gp_XY(0, 0)));
  const struct
  {
    const char* Name;
    Handle(PenFormatData_Model) Model;
    const char* Param;
    std::string Body;
  } aCases[] = {
      {"empty model", anEmpty, "export.scanfield:false", "\x14"},
      {"scan field not exported", aBoxOnly, "export.scanfield:false", "\x14"},
      {"scanner box", aBoxOnly, "", Bytes().U8(18).XY(4, 3).Data},
      {"toolpath without elements", aPointless, "",
       Bytes().Block("P", "L", 0, 0.2f, "T1").U8(0).Data},
  };
  for (const auto& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    Handle(PenFormatData_Model) aModel = aCase.Model;
    for (int aRound = 0; aRound < 2; ++aRound)
    {
      VexData_Writer::Status aStatus;
      const std::string      aFile = Write(*aModel, aStatus, {aCase.Param});
      ASSERT_EQ(aStatus, VexData_Writer::Ok);
      if (aRound == 0)
      {
        EXPECT_EQ(aFile, Preamble() + aCase.Body);
      }
      aModel = new PenFormatData_Model();
      VexData_Reader     aReader(*aModel);
      std::istringstream aStream(aFile);
      ASSERT_EQ(aReader.Process(aStream), VexData_Reader::Ok) << "round " << aRound;
    }
  }
}

TEST(VexDataWriterBytes, ScannerBoxToolDefinitionAndGeometry)
{
  MmModel aM;
  aM.Model.AddScanField(new PenFormatData_ScanField(1, 1, 40.0, 30.0, gp_XY(5.0, 6.0)));
  // Tool 1 is used by a path toolpath and by a point toolpath: tool mode 2.
  Handle(PenFormatData_Sequence) aPath = AddToolpath(aM.Model, 1, 1, "P", "L", 1);
  Handle(PhGeom_Curve) aSquare         = AddContour(aM.Model, aPath);
  aSquare->CreateSegment(gp_XY(0, 0), gp_XY(1, 0));
  aSquare->CreateSegment(gp_XY(1, 0), gp_XY(1, 1e-8)); // too short: measured from (1, 0)
  aSquare->CreateSegment(gp_XY(1, 1e-8), gp_XY(1, 1));
  aSquare->CreatePoint(gp_XY(7, 7)); // not written in a path toolpath
  Handle(PhGeom_Curve) aTiny = AddContour(aM.Model, aPath);
  aTiny->CreateSegment(gp_XY(0, 0), gp_XY(1e-7, 0)); // exactly the tolerance: no line-to
  Handle(PhGeom_Curve) anArcs           = AddContour(aM.Model, aPath);
  const PhGeom_Arc* aCcw                = anArcs->CreateArc(gp_XY(0, 0), 1.0, 0.0, M_PI / 2, 1);
  const PhGeom_Arc* aCw                 = anArcs->CreateArc(gp_XY(0, 2), 1.0, -M_PI / 2, -M_PI, 0);
  Handle(PenFormatData_Sequence) aDrill = addDrill(aM.Model, 1, "P", "L", {3.0}, 1);
  AddContour(aM.Model, aDrill)->CreateSegment(gp_XY(0, 0), gp_XY(1, 1)); // not a drill point

  VexData_Writer::Status aStatus;
  const std::string      aFile = Write(aM.Model, aStatus);
  ASSERT_EQ(aStatus, VexData_Writer::Ok);
  Bytes anExpected;
  anExpected.Data = Preamble();
  anExpected.U8(18).XY(40, 30).Block("P", "L", 2, 0.2f, "T1");
  anExpected.U8(19).XY(5, 6).U8(12).XY(0, 0).U8(13).XY(1, 0).U8(13).XY(1, 1);
  anExpected.U8(12).XY(0, 0);
  anExpected.U8(12).XY(1, 0).U8(17).XY(float(aCcw->EndPoint().X()), 1).XY(0, 0).F32(1);
  anExpected.U8(17).XY(float(aCw->EndPoint().X()), float(aCw->EndPoint().Y())).XY(0, 2).F32(-1);
  anExpected.U8(19).XY(5, 6).U8(15).XY(3, 0).U8(0);
  EXPECT_EQ(aFile, anExpected.Data);
}

TEST(VexDataWriterBytes, InchModelScalesBy25p4AndEmptyToolNameIsAZeroByte)
{
  PenFormatData_Model aModel; // inch
  AddTool(aModel, 1, "", 0.0);
  addDrill(aModel, 1, "P", "", {1.0});
  VexData_Writer::Status aStatus;
  const std::string      aFile = Write(aModel, aStatus);
  ASSERT_EQ(aStatus, VexData_Writer::Ok);
  Bytes anExpected;
  anExpected.Data = Preamble();
  anExpected.Block("P", "", 1, 0.0f, "").Data += std::string("\x0F\x33\x33\xCB\x41\0\0\0\0\0", 10);
  EXPECT_EQ(aFile, anExpected.Data);
}

TEST(VexDataWriterBytes, ArcsAsCirclesKeepRadiusAndReopenPathAtNextSegment)
{
  MmModel aM;
  Handle(PenFormatData_Sequence) aPath = AddToolpath(aM.Model, 1, 1);
  Handle(PhGeom_Curve) aContour        = AddContour(aM.Model, aPath);
  aContour->CreateArc(gp_XY(4, 5), 2.0, 0.0, M_PI, 1);
  aContour->CreateArc(gp_XY(4, 5), 3.0, M_PI, 0.0, 0);
  aContour->CreateSegment(gp_XY(8, 8), gp_XY(9, 9));
  VexData_Writer::Status aStatus;
  const std::string      aFile = Write(aM.Model, aStatus, {"vex.map:;P;L;T1"});
  ASSERT_EQ(aStatus, VexData_Writer::Ok);
  Bytes anExpected;
  anExpected.Data = Preamble();
  anExpected.Block("P", "L", 0, 0.2f, "T1").U8(14).XY(4, 5).F32(2).U8(14).XY(4, 5).F32(3);
  anExpected.U8(12).XY(8, 8).U8(13).XY(9, 9).U8(0);
  EXPECT_EQ(aFile, anExpected.Data);
}

TEST(VexDataWriterBytes, ACircleEndsThePathAndTheNextSegmentOpensItsOwn)
{
  // A reader steps over a line-to that follows a circle record: each segment after a circle
  // starts a new path at its own start point, from which the next one is measured.
  MmModel aM;
  Handle(PhGeom_Curve) aContour = AddContour(aM.Model, AddToolpath(aM.Model, 1, 1));
  aContour->CreateSegment(gp_XY(0, 0), gp_XY(1, 0));
  aContour->CreateArc(gp_XY(1, 1), 1.0, -M_PI / 2, 0.0, 1);
  aContour->CreateSegment(gp_XY(2, 1), gp_XY(2, 3));
  aContour->CreateArc(gp_XY(3, 3), 1.0, M_PI, M_PI / 2, 0);
  aContour->CreateSegment(gp_XY(3, 4), gp_XY(3, 4 + 1e-8)); // too short: a path start alone
  aContour->CreateSegment(gp_XY(3, 4), gp_XY(5, 4));
  VexData_Writer::Status aStatus;
  const std::string      aFile = Write(aM.Model, aStatus, {"vex.map:true;P;L;T1"});
  ASSERT_EQ(aStatus, VexData_Writer::Ok);
  Bytes anExpected;
  anExpected.Data = Preamble();
  anExpected.Block("P", "L", 0, 0.2f, "T1").U8(12).XY(0, 0).U8(13).XY(1, 0);
  anExpected.U8(14).XY(1, 1).F32(1).U8(12).XY(2, 1).U8(13).XY(2, 3);
  anExpected.U8(14).XY(3, 3).F32(1).U8(12).XY(3, 4).U8(13).XY(5, 4).U8(0);
  EXPECT_EQ(aFile, anExpected.Data);

  PenFormatData_Model aRead;
  VexData_Reader      aReader(aRead);
  std::istringstream  aStream(aFile);
  ASSERT_EQ(aReader.Process(aStream), VexData_Reader::Ok);
  int aNbSegments = 0, aNbArcs = 0;
  for (const Handle(PenFormatData_Object) & anObject : aRead.Objects())
  {
    const Handle(PenFormatData_Sequence) aSeq = Handle(PenFormatData_Sequence)::DownCast(anObject);
    for (const Handle(PhGeom_Curve) & aChild : aSeq->GetCurve()->Children())
    {
      for (PhGeom_Curve::ElementIterator anIter(*aChild); anIter.More(); anIter.Next())
      {
        aNbSegments += anIter.Value().Kind() == PhGeom_Element::Kind_Segment ? 1 : 0;
        aNbArcs += anIter.Value().Kind() == PhGeom_Element::Kind_Arc ? 1 : 0;
      }
    }
  }
  EXPECT_EQ(aNbSegments, 3);
  EXPECT_EQ(aNbArcs, 2);
}

TEST(VexDataWriterBytes, ToolModeFollowsTheToolpathModesThatUseTheTool)
{
  const struct
  {
    std::vector<int> Modes;
    int              ToolMode;
  } aCases[] = {{{1}, 0}, {{2, 2}, 1}, {{1, 2}, 2}, {{2, 1}, 2}, {{1, 2, 1}, 2}};
  for (const auto& aCase : aCases)
  {
    MmModel aM;
    for (int aMode : aCase.Modes)
    {
      AddToolpath(aM.Model, 1, aMode);
    }
    VexData_Writer::Status aStatus;
    const std::string      aFile  = Write(aM.Model, aStatus);
    const std::string      aBlock = Bytes().Block("P", "L", aCase.ToolMode, 0.2f, "T1").Data;
    EXPECT_EQ(aFile.substr(Preamble().size(), aBlock.size()), aBlock) << aCase.ToolMode;
  }
}

TEST(VexDataWriterBytes, ScanFieldOrderGroupZeroAndSharedNumbers)
{
  // Scan fields 1 to 3 with orders 5, 1, 3 and numbers 10, 20, 30; toolpaths without scan field
  // come first, unless a scan field numbered 0 places them; a number shared by two scan fields is
  // written once, at its first place.
  const struct
  {
    bool        ZeroField;
    const char* Expected; // scan field index of each drill point, in file order
  } aCases[] = {{false, "0 2 5 3 1"}, {true, "2 5 3 0 4 1"}};
  for (const auto& aCase : aCases)
  {
    MmModel aM;
    aM.Model.AddScanField(new PenFormatData_ScanField(10, 5, 2.0, 2.0, gp_XY(1, 0)));
    aM.Model.AddScanField(new PenFormatData_ScanField(20, 1, 2.0, 2.0, gp_XY(2, 0)));
    aM.Model.AddScanField(new PenFormatData_ScanField(30, 3, 2.0, 2.0, gp_XY(3, 0)));
    aM.Model.AddScanField(
        new PenFormatData_ScanField(aCase.ZeroField ? 0 : 99, 4, 2.0, 2.0, gp_XY(4, 0)));
    aM.Model.AddScanField(new PenFormatData_ScanField(20, 9, 2.0, 2.0, gp_XY(5, 0)));
    for (int anIndex : {1, 2, 0, 3, 5})
    {
      addDrill(aM.Model, 1, "P", "L", {double(anIndex)}, anIndex);
    }
    if (aCase.ZeroField)
    {
      addDrill(aM.Model, 1, "P", "L", {4.0}, 4);
    }
    VexData_Writer::Status aStatus;
    const std::string      aFile = Write(aM.Model, aStatus);
    ASSERT_EQ(aStatus, VexData_Writer::Ok);
    Bytes anExpected;
    anExpected.Data = Preamble();
    anExpected.U8(18).XY(2, 2).Block("P", "L", 1, 0.2f, "T1");
    std::istringstream anOrder(aCase.Expected);
    for (int anIndex; anOrder >> anIndex;)
    {
      if (anIndex != 0 && anIndex != 4)
      {
        anExpected.U8(19).XY(float(anIndex), 0);
      }
      anExpected.U8(15).XY(float(anIndex), 0);
    }
    EXPECT_EQ(aFile, anExpected.U8(0).Data) << aCase.Expected;
  }
}

TEST(VexDataWriterBytes, MappingInWrittenFiles)
{
  const struct
  {
    std::vector<const char*> Params;
    const char*              Blocks; // phase/layer/tool of each block, in file order
  } aCases[] = {
      {{"vex.map:false;P;L;T1;;;A;B"}, "P/L/A P/L/B"},
      {{"vex.map:false;P;L;T1;P2"}, "P2/L/T1"},
      {{"vex.map:false;P;L;T1;;L2;;C"}, "P/L2/C"},
      {{"vex.map:true;P;L;T1;X", "vex.map:false;P;L;T1;Y;Z;U;V"}, "X/L/T1 Y/Z/U Y/Z/V"},
      {{"vex.map:false;p;L;T1;X", "vex.map:false;P;l;T1;X", "vex.map:false;P;L;t1;X"}, "P/L/T1"},
  };
  for (const auto& aCase : aCases)
  {
    MmModel aM;
    addDrill(aM.Model, 1, "P", "L", {1.0, 2.0});
    NCollection_Sequence<TCollection_ExtendedString> aParams;
    for (const char* aParam : aCase.Params)
    {
      aParams.Append(aParam);
    }
    VexData_Writer aWriter(aM.Model);
    aWriter.SetInputParameters(aParams);
    std::ostringstream aStream;
    ASSERT_EQ(aWriter.Process(aStream), VexData_Writer::Ok);
    Bytes anExpected;
    anExpected.Data = Preamble();
    std::istringstream aBlocks(aCase.Blocks);
    for (std::string aBlock; aBlocks >> aBlock;)
    {
      const size_t aSlash1 = aBlock.find('/'), aSlash2 = aBlock.rfind('/');
      anExpected.Block(aBlock.substr(0, aSlash1), aBlock.substr(aSlash1 + 1, aSlash2 - aSlash1 - 1),
                       1, 0.2f, aBlock.substr(aSlash2 + 1));
      anExpected.U8(15).XY(1, 0).U8(15).XY(2, 0).U8(0);
    }
    EXPECT_EQ(aStream.str(), anExpected.Data) << aCase.Blocks;
  }
}

TEST(VexDataWriterBytes, BlockOrderAcrossContainersAndTools)
{
  // Pins the visiting order of the one-bucket maps: containers, then tools within a container.
  MmModel aM;
  AddTool(aM.Model, 2, "T2", 0.5);
  AddTool(aM.Model, 5, "T5", 1.0);
  const struct
  {
    const char* Phase;
    const char* Layer;
    int         Tool;
  } aToolpaths[] = {{"Mill", "Top", 5}, {"Drill", "Top", 2}, {"Mill", "Top", 1},
                    {"Drill", "", 1},   {"P+Q", "R", 2},     {"P", "Q+R", 2}};
  double anX     = 1.0;
  for (const auto& aToolpath : aToolpaths)
  {
    addDrill(aM.Model, aToolpath.Tool, aToolpath.Phase, aToolpath.Layer, {anX++});
  }
  VexData_Writer::Status aStatus;
  const std::string      aFile = Write(aM.Model, aStatus);
  ASSERT_EQ(aStatus, VexData_Writer::Ok);
  // Phase P with layer Q+R shares the container of P+Q with R but keeps its own names.
  Bytes anExpected;
  anExpected.Data = Preamble();
  anExpected.Block("Drill", "", 1, 0.2f, "T1").U8(15).XY(4, 0).U8(0);
  anExpected.Block("Drill", "Top", 1, 0.5f, "T2").U8(15).XY(2, 0).U8(0);
  anExpected.Block("Mill", "Top", 1, 0.2f, "T1").U8(15).XY(3, 0).U8(0);
  anExpected.Block("Mill", "Top", 1, 1.0f, "T5").U8(15).XY(1, 0).U8(0);
  anExpected.Block("P+Q", "R", 1, 0.5f, "T2").U8(15).XY(5, 0).U8(0);
  anExpected.Block("P", "Q+R", 1, 0.5f, "T2").U8(15).XY(6, 0).U8(0);
  EXPECT_EQ(aFile, anExpected.Data);
}
