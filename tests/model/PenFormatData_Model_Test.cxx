// Copyright (c) 2026 VexData developers
// The stand-in model library: unit factors, tables indexed from 0, layer registration, curve
// rings, arc normalisation and transforms.
#include <PenFormatData.hxx>
#include <PenFormatData_Model.hxx>
#include <PhGeom_Curve.hxx>

#include <gp_Ax2d.hxx>
#include <gp_Dir2d.hxx>
#include <gp_Pnt2d.hxx>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(PenFormatDataModel, UnitFactors)
{
  struct Case
  {
    PenFormatData_DimensionUnit From, To;
    double                      Factor;
  };
  const Case aCases[] = {{PenFormatData_DU_Inch, PenFormatData_DU_Millimetre, 25.4},
                         {PenFormatData_DU_Millimetre, PenFormatData_DU_Inch, 1.0 / 25.4},
                         {PenFormatData_DU_Mil, PenFormatData_DU_Millimetre, 0.0254},
                         {PenFormatData_DU_Micrometre, PenFormatData_DU_Millimetre, 0.001},
                         {PenFormatData_DU_Millimetre, PenFormatData_DU_Millimetre, 1.0}};
  for (const Case& aCase : aCases)
  {
    EXPECT_NEAR(PenFormatData::ComputeUnitFactor(aCase.From, aCase.To), aCase.Factor, 1e-15);
  }
}

TEST(PenFormatDataModel, TablesStartWithAnEmptyEntryAndGrow)
{
  PenFormatData_Model aModel;
  EXPECT_EQ(aModel.DimensionUnit(), PenFormatData_DU_Inch);
  EXPECT_EQ(aModel.NbApertures(), 1);
  EXPECT_EQ(aModel.NbScanFields(), 1);
  aModel.SetAperture(3, new PenFormatData_Aperture(1, "T", Handle(Standard_Transient)(), 0));
  EXPECT_EQ(aModel.NbApertures(), 4);
  EXPECT_TRUE(aModel.Aperture(1).IsNull());
  EXPECT_TRUE(aModel.Aperture(2).IsNull());
  EXPECT_FALSE(aModel.Aperture(3).IsNull());
  EXPECT_TRUE(aModel.Aperture(4).IsNull());
  EXPECT_TRUE(aModel.Aperture(-1).IsNull());
  aModel.SetScanField(2, new PenFormatData_ScanField(7, 1, 10, 10, gp_XY(0, 0)));
  EXPECT_EQ(aModel.NbScanFields(), 3);
  EXPECT_TRUE(aModel.ScanField(1).IsNull());
  EXPECT_EQ(aModel.AddScanField(new PenFormatData_ScanField(8, 2, 10, 10, gp_XY(0, 0))), 3);
}

TEST(PenFormatDataModel, SecondLayerOfANameReplacesTheFirstInPlace)
{
  PenFormatData_Model aModel;
  Handle(PenFormatData_Layer) aTop1 = new PenFormatData_Layer("Top");
  Handle(PenFormatData_Layer) aTop2 = new PenFormatData_Layer("Top");
  aModel.SetLayer(aTop1);
  aModel.SetLayer(new PenFormatData_Layer("Bottom"));
  aModel.SetLayer(aTop2);
  ASSERT_EQ(aModel.NbLayers(), 2);
  EXPECT_EQ(aModel.Layer(1), aTop2);
  EXPECT_EQ(aModel.FindLayer("Top"), aTop2);
  EXPECT_TRUE(aModel.FindLayer("Inner").IsNull());
}

TEST(PenFormatDataModel, ElementsFormARingInCreationOrder)
{
  PenFormatData_Model aModel;
  Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(aModel.Allocator(), 0);
  ASSERT_FALSE(aCurve.IsNull());
  EXPECT_TRUE(PhGeom_Curve::Create(Handle(NCollection_IncAllocator)(), 0).IsNull());
  aCurve->CreateSegment(gp_XY(0, 0), gp_XY(1, 0));
  aCurve->CreatePoint(gp_XY(5, 5));
  aCurve->CreateArc(gp_XY(0, 0), 1.0, 0.0, M_PI / 2, 1);
  std::vector<int> aKinds;
  for (PhGeom_Curve::ElementIterator anIter(*aCurve); anIter.More(); anIter.Next())
  {
    aKinds.push_back(anIter.Value().Kind());
  }
  EXPECT_EQ(aKinds, (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(aCurve->NbElements(), 3);
  EXPECT_EQ(aCurve->FirstElement()->Next()->Next()->Next(), aCurve->FirstElement());
}

TEST(PenFormatDataModel, KindsAndLinksSurviveCopiesAndTransforms)
{
  // The kind shares its word with the link to the successor: a long ring of every kind, copied
  // reversed and moved by a translation, a rotation and a mirror, keeps both, element by element.
  PenFormatData_Model aModel;
  Handle(PhGeom_Curve) aSource = PhGeom_Curve::Create(aModel.Allocator(), 0);
  std::vector<int> aKinds;
  for (int anIndex = 0; anIndex < 300; ++anIndex)
  {
    const gp_XY aPoint(anIndex, anIndex % 7);
    const int   aKind = anIndex * 7 % 3 + 1;
    aKind == 1   ? (void)aSource->CreateArc(aPoint, 1.0, 0.0, 1.0, anIndex % 2)
      : aKind == 2 ? (void)aSource->CreateSegment(aPoint, aPoint + gp_XY(1, 0))
                   : (void)aSource->CreatePoint(aPoint);
    aKinds.push_back(aKind);
  }
  Handle(PhGeom_Curve) aCopy = PhGeom_Curve::Create(aModel.Allocator(), 0);
  for (PhGeom_Curve::ElementIterator anIter(*aSource); anIter.More(); anIter.Next())
  {
    aCopy->CreateElement(anIter.Value(), 1, 1);
  }
  gp_Trsf2d aMoves[3];
  aMoves[0].SetTranslation(gp_Vec2d(10, 5));
  aMoves[1].SetRotation(gp_Pnt2d(1, 2), 0.5);
  aMoves[2].SetMirror(gp_Ax2d(gp_Pnt2d(0, 0), gp_Dir2d(1, 1)));
  for (const gp_Trsf2d& aMove : aMoves)
  {
    aCopy->Transform(aMove);
    std::vector<int> aCopied;
    int              aSteps = 0;
    for (PhGeom_Curve::ElementIterator anIter(*aCopy); anIter.More(); anIter.Next(), ++aSteps)
    {
      aCopied.push_back(anIter.Value().Kind());
      ASSERT_LE(aSteps, 300) << "the ring does not close";
    }
    EXPECT_EQ(aCopied, aKinds);
  }
  EXPECT_EQ(aSource->NbElements(), 300);
  EXPECT_EQ(aCopy->NbElements(), 300);
  // What a board of millions of elements costs per element.
  EXPECT_LE(sizeof(PhGeom_Point), 24u);
  EXPECT_LE(sizeof(PhGeom_Segment), 40u);
}

TEST(PenFormatDataModel, ArcAnglesFollowTheSense)
{
  struct Case
  {
    double A1, A2;
    int    Sense;
    double Start, End;
  };
  const double aPi      = M_PI;
  const Case   aCases[] = {
        {0, aPi / 2, 1, 0, aPi / 2},       // counter-clockwise quarter
        {aPi / 2, 0, 1, aPi / 2, 2 * aPi}, // ccw the long way round
        {0, aPi / 2, 0, 0, -3 * aPi / 2},  // clockwise from 0 to pi/2
        {0, 2 * aPi, 1, 0, 2 * aPi},       // full ccw turn
        {0, 2 * aPi, 0, 0, -2 * aPi},      // full clockwise turn stays whole
        {1.0, 1.0 + 2 * aPi, 0, 1.0, 1.0 - 2 * aPi},
  };
  PenFormatData_Model aModel;
  Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(aModel.Allocator(), 0);
  for (const Case& aCase : aCases)
  {
    const PhGeom_Arc* anArc = aCurve->CreateArc(gp_XY(1, 1), 2.0, aCase.A1, aCase.A2, aCase.Sense);
    EXPECT_NEAR(anArc->Angle(0), aCase.Start, 1e-12);
    EXPECT_NEAR(anArc->Angle(1), aCase.End, 1e-12);
    EXPECT_NEAR(anArc->StartPoint().X(), 1 + 2 * std::cos(aCase.Start), 1e-12);
    EXPECT_NEAR(anArc->EndPoint().Y(), 1 + 2 * std::sin(aCase.End), 1e-12);
  }
}

TEST(PenFormatDataModel, CopyAndTranslateKeepGeometry)
{
  PenFormatData_Model aModel;
  Handle(PhGeom_Curve) aSource = PhGeom_Curve::Create(aModel.Allocator(), 0);
  aSource->CreateSegment(gp_XY(0, 0), gp_XY(1, 0));
  aSource->CreateArc(gp_XY(1, 1), 1.0, -M_PI / 2, 0.0, 1);
  Handle(PhGeom_Curve) aCopy = PhGeom_Curve::Create(aModel.Allocator(), 0);
  for (PhGeom_Curve::ElementIterator anIter(*aSource); anIter.More(); anIter.Next())
  {
    aCopy->CreateElement(anIter.Value(), 0, 1);
  }
  gp_Trsf2d aTrsf;
  aTrsf.SetTranslation(gp_Vec2d(10, 5));
  aCopy->Transform(aTrsf);
  const PhGeom_Element* aSegment = aCopy->FirstElement();
  EXPECT_TRUE(aSegment->StartPoint().IsEqual(gp_XY(10, 5), 1e-12));
  EXPECT_TRUE(aSegment->EndPoint().IsEqual(gp_XY(11, 5), 1e-12));
  const PhGeom_Arc* anArc = static_cast<const PhGeom_Arc*>(aSegment->Next());
  EXPECT_TRUE(anArc->Center().IsEqual(gp_XY(11, 6), 1e-12));
  EXPECT_DOUBLE_EQ(anArc->Angle(0), -M_PI / 2);
  EXPECT_DOUBLE_EQ(anArc->Angle(1), 0.0);
  // The source is untouched.
  EXPECT_TRUE(aSource->FirstElement()->StartPoint().IsEqual(gp_XY(0, 0), 1e-12));
}
