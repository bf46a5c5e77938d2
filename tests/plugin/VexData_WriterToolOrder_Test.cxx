// Copyright (c) 2026 VexData developers
// Every tool of a container lists its toolpaths scan field by scan field, in machining order,
// however the tools' toolpaths are spread over the scan fields.
#include <VexData_WriterFixture_Test.hxx>

#include <VexData_Reader.hxx>

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

using namespace VexTest;

TEST(VexDataWriterToolOrder, EachToolFollowsTheScanFieldOrder)
{
  // Scan fields 1, 2, 3 (numbers 10, 20, 30) are machined in the order 2, 3, 1.
  PenFormatData_Model aModel(PenFormatData_DU_Millimetre);
  AddTool(aModel, 1, "T1", 0.2);
  AddTool(aModel, 2, "T2", 0.3);
  const int anOrders[] = {3, 1, 2};
  for (int anIndex = 0; anIndex < 3; ++anIndex)
  {
    aModel.AddScanField(new PenFormatData_ScanField(10 * (anIndex + 1), anOrders[anIndex], 5.0, 5.0,
                                                    gp_XY(anIndex, 0)));
  }
  // Drill points identified by their x: (tool, scan field index, x).
  const int aHoles[][3] = {{1, 1, 1}, {2, 1, 2}, {1, 2, 3}, {2, 3, 4},
                           {1, 3, 5}, {2, 2, 6}, {1, 2, 7}};
  for (const auto& aHole : aHoles)
  {
    Handle(PenFormatData_Sequence) aSeq = AddToolpath(aModel, aHole[0], 2, "P", "L", aHole[1]);
    AddContour(aModel, aSeq)->CreatePoint(gp_XY(aHole[2], 0.0));
  }
  VexData_Writer::Status aStatus;
  std::istringstream     aFile(Write(aModel, aStatus));
  ASSERT_EQ(aStatus, VexData_Writer::Ok);

  // Read the file back: every block is one tool; list its holes in file order.
  PenFormatData_Model aRead;
  VexData_Reader      aReader(aRead);
  ASSERT_EQ(aReader.Process(aFile), VexData_Reader::Ok);
  std::map<std::string, std::string> aHolesByTool;
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(aRead.Objects());
       anIter.More(); anIter.Next())
  {
    const Handle(PenFormatData_Sequence) aSeq =
        Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
    if (aSeq.IsNull() || aSeq->ToolpathFlag() == 0)
    {
      continue;
    }
    const TCollection_AsciiString aTool(aRead.Aperture(aSeq->ApertureNumber())->Name());
    for (const Handle(PhGeom_Curve) & aHole : aSeq->GetCurve()->Children())
    {
      aHolesByTool[aTool.ToCString()] +=
          std::to_string(int(aHole->FirstElement()->StartPoint().X())) + " ";
    }
  }
  EXPECT_EQ(aHolesByTool["T1"], "3 7 5 1 ");
  EXPECT_EQ(aHolesByTool["T2"], "6 4 2 ");
}
