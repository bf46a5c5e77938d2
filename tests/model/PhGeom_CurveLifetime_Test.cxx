// Copyright (c) 2026 VexData developers
// Curves live in the model's allocator: they must stay usable after the model is gone, release
// their children when they go, and cost a bounded number of bytes per drill point.
#include <PenFormatData_Model.hxx>
#include <PhGeom_Curve.hxx>

#include <gtest/gtest.h>

#include <malloc.h>

#include <vector>

TEST(PhGeomCurveLifetime, CurvesAndChildrenOutliveTheModel)
{
  Handle(PhGeom_Curve) aContainer;
  {
    Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
    aContainer                         = PhGeom_Curve::Create(aModel->Allocator(), 0);
    for (int aHole = 0; aHole < 3; ++aHole)
    {
      Handle(PhGeom_Curve) aPoint = PhGeom_Curve::Create(aModel->Allocator(), 7);
      aPoint->CreatePoint(gp_XY(aHole, -aHole));
      aContainer->AddChild(aPoint);
    }
  }
  // The model and its allocator handle are gone; the curves keep the memory they live in.
  std::vector<double> aXs;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator anIter(aContainer->Children());
       anIter.More(); anIter.Next())
  {
    EXPECT_EQ(anIter.Value()->Type(), 7);
    aXs.push_back(anIter.Value()->FirstElement()->StartPoint().X());
  }
  EXPECT_EQ(aXs, (std::vector<double>{0.0, 1.0, 2.0}));
  // The last handle to the allocator may be the one the curve being released holds.
  aContainer.Nullify();
}

TEST(PhGeomCurveLifetime, ReleasingAContainerReleasesItsChildren)
{
  PenFormatData_Model aModel;
  Handle(PhGeom_Curve) aChild     = PhGeom_Curve::Create(aModel.Allocator(), 0);
  Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel.Allocator(), 0);
  EXPECT_TRUE(aContainer->Children().IsEmpty());
  aContainer->AddChild(aChild);
  aContainer->AddChild(aChild);
  EXPECT_EQ(aChild->GetRefCount(), 3);
  aContainer.Nullify();
  EXPECT_EQ(aChild->GetRefCount(), 1);
}

TEST(PhGeomCurveLifetime, DrillPointsStayCompact)
{
  // A drill point is a curve of its own with one point, listed in its container: counted on the
  // C heap (curves, elements, list nodes and allocator blocks alike), it stays within 100 bytes.
  // Under a sanitizer the heap figures read 0 and the bound holds trivially.
  PenFormatData_Model aModel;
  Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel.Allocator(), 0);
  const size_t aBefore            = mallinfo2().uordblks;
  const int    aNbHoles           = 100000;
  for (int aHole = 0; aHole < aNbHoles; ++aHole)
  {
    Handle(PhGeom_Curve) aPoint = PhGeom_Curve::Create(aModel.Allocator(), 0);
    aPoint->CreatePoint(gp_XY(aHole, aHole));
    aContainer->AddChild(aPoint);
  }
  const size_t anAfter = mallinfo2().uordblks;
  EXPECT_LE(static_cast<double>(anAfter > aBefore ? anAfter - aBefore : 0) / aNbHoles, 100.0);
}
