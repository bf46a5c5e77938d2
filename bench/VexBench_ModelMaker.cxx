// Copyright (c) 2026 VexData developers
#include <VexBench_ModelMaker.hxx>

#include <PenFormatData_Sequence.hxx>

#include <malloc.h>

#include <string>

namespace
{
//! Side of one scan field, in millimetres.
const double THE_FIELD_SIZE = 10.0;

//! Prime that spreads the machining orders over the scan fields.
const long long THE_ORDER_STRIDE = 7919;

//! Adds to theCounts the elements of theCurve.
void countCurve(const PhGeom_Curve& theCurve, VexBench_ModelMaker::Counts& theCounts)
{
  ++theCounts.Curves;
  for (PhGeom_Curve::ElementIterator anIter(theCurve); anIter.More(); anIter.Next())
  {
    switch (anIter.Value().Kind())
    {
    case PhGeom_Element::Kind_Arc:
      ++theCounts.Arcs;
      break;
    case PhGeom_Element::Kind_Segment:
      ++theCounts.Segments;
      break;
    default:
      ++theCounts.Points;
      break;
    }
  }
}
} // namespace

Handle(PenFormatData_Model) VexBench_ModelMaker::ScanFieldModel(const int theNbFields,
                                                                const int theNbTools)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  for (int aTool = 1; aTool <= theNbTools; ++aTool)
  {
    const double aWidth                       = 0.1 * aTool;
    Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
        1, TCollection_ExtendedString(("T" + std::to_string(aTool)).c_str()),
        Handle(Standard_Transient)(), 0);
    anAperture->SetParam(&aWidth, 1);
    anAperture->SetToolFlag(1);
    aModel->SetAperture(aTool, anAperture);
  }
  for (int aField = 1; aField <= theNbFields; ++aField)
  {
    const int   anOrder = static_cast<int>((aField * THE_ORDER_STRIDE) % theNbFields) + 1;
    const gp_XY aCenter(THE_FIELD_SIZE * (aField % 100), THE_FIELD_SIZE * (aField / 100));
    const int   anIndex = aModel->AddScanField(
          new PenFormatData_ScanField(aField, anOrder, THE_FIELD_SIZE, THE_FIELD_SIZE, aCenter));

    Handle(PhGeom_Curve) aHole = PhGeom_Curve::Create(aModel->Allocator(), 0);
    aHole->CreatePoint(aCenter);
    Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel->Allocator(), 0);
    aContainer->AddChild(aHole);
    Handle(PenFormatData_Sequence) aToolpath =
        new PenFormatData_Sequence(1 + aField % theNbTools, 0, aContainer);
    aToolpath->SetPhaseName("Drill");
    aToolpath->SetLayerName("Top");
    aToolpath->SetToolpathMode(PenFormatData_TM_Point);
    aToolpath->SetToolpathFlag(1);
    aToolpath->SetScanFieldIndex(anIndex);
    aModel->AddObject(aToolpath);
  }
  return aModel;
}

VexBench_ModelMaker::Counts VexBench_ModelMaker::Count(const PenFormatData_Model& theModel)
{
  Counts aCounts = {0, 0, 0, 0};
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIter(theModel.Objects());
       anIter.More(); anIter.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIter.Value());
    if (aSequence.IsNull() || aSequence->GetCurve().IsNull())
    {
      continue;
    }
    for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aChild(aSequence->GetCurve()->Children());
         aChild.More(); aChild.Next())
    {
      countCurve(*aChild.Value(), aCounts);
    }
  }
  return aCounts;
}

size_t VexBench_ModelMaker::HeapInUse()
{
  const struct mallinfo2 anInfo = mallinfo2();
  return anInfo.uordblks + anInfo.hblkhd;
}

void VexBench_ModelMaker::ReleaseHeap()
{
  malloc_trim(0);
}
