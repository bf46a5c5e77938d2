// Copyright (c) 2026 VexData developers
#include <VexJob_ModelMaker.hxx>

#include <PenFormatData_Aperture.hxx>
#include <PenFormatData_Layer.hxx>
#include <PenFormatData_Sequence.hxx>
#include <PhGeom_Curve.hxx>

#include <map>

namespace
{
//! Layer flags of a side (visible, editable), as the design-file readers set them.
const Standard_Integer THE_LAYER_FLAGS = 3;

//! Returns theText, one byte per character, as the model keeps names.
TCollection_ExtendedString nameOf(const std::string& theText)
{
  return TCollection_ExtendedString(theText.c_str(), Standard_False);
}

//! Returns the number of theTool's aperture in theModel, adding it on first use.
Standard_Integer aperture(PenFormatData_Model& theModel, const VexJob_Tool& theTool,
                          std::map<std::string, Standard_Integer>& theNumbers)
{
  const auto aFound = theNumbers.find(theTool.Name);
  if (aFound != theNumbers.end())
  {
    return aFound->second;
  }
  const Standard_Integer aNumber            = static_cast<Standard_Integer>(theNumbers.size()) + 1;
  Handle(PenFormatData_Aperture) anAperture = new PenFormatData_Aperture(
      PenFormatData_Aperture::Shape_Round, nameOf(theTool.Name), Handle(Standard_Transient)(), 0);
  anAperture->SetParam(&theTool.Width, 1);
  anAperture->SetToolFlag(1);
  theModel.SetAperture(aNumber, anAperture);
  theNumbers[theTool.Name] = aNumber;
  return aNumber;
}

//! Adds a toolpath sequence of theMode holding theContainer.
void addSequence(PenFormatData_Model& theModel, const VexJob_Toolpath& theToolpath,
                 const Standard_Integer theAperture, const Standard_Integer theMode,
                 const Handle(PhGeom_Curve) & theContainer)
{
  Handle(PenFormatData_Sequence) aSequence =
      new PenFormatData_Sequence(theAperture, 0, theContainer);
  aSequence->SetLayerName(nameOf(theToolpath.Layer));
  aSequence->SetPhaseName(nameOf(theToolpath.Phase));
  aSequence->SetToolpathMode(theMode);
  aSequence->SetToolpathFlag(1);
  theModel.AddObject(aSequence);
}

//! Appends the elements of theContour to theCurve.
void addElements(const VexJob_Contour& theContour, PhGeom_Curve& theCurve)
{
  for (const VexJob_Element& anElement : theContour.Elements())
  {
    if (anElement.IsArc)
    {
      theCurve.CreateArc(anElement.Center, anElement.Radius, anElement.Angle0, anElement.Angle1,
                         anElement.IsCcw ? 1 : 0);
    }
    else
    {
      theCurve.CreateSegment(anElement.Start, anElement.End);
    }
  }
}
} // namespace

Handle(PenFormatData_Model)
    VexJob_ModelMaker::Make(const std::vector<VexJob_Toolpath>& theToolpaths)
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model();
  aModel->SetDimensionUnit(PenFormatData_DU_Millimetre);
  std::map<std::string, Standard_Integer> aNumbers;
  for (const VexJob_Toolpath& aToolpath : theToolpaths)
  {
    const TCollection_ExtendedString aLayer = nameOf(aToolpath.Layer);
    if (aModel->FindLayer(aLayer).IsNull())
    {
      Handle(PenFormatData_Layer) aNew = new PenFormatData_Layer(aLayer);
      aNew->SetFlags(aNew->Flags() | THE_LAYER_FLAGS);
      aModel->SetLayer(aNew);
    }
    const Standard_Integer anAperture = aperture(*aModel, aToolpath.Tool, aNumbers);
    if (!aToolpath.Holes.empty())
    {
      Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel->Allocator(), 0);
      for (const gp_XY& aHole : aToolpath.Holes)
      {
        Handle(PhGeom_Curve) aContour = PhGeom_Curve::Create(aModel->Allocator(), 0);
        aContour->CreatePoint(aHole);
        aContainer->AddChild(std::move(aContour));
      }
      addSequence(*aModel, aToolpath, anAperture, 2, aContainer);
    }
    if (!aToolpath.Contours.empty())
    {
      Handle(PhGeom_Curve) aContainer = PhGeom_Curve::Create(aModel->Allocator(), 0);
      for (const VexJob_Contour& aContour : aToolpath.Contours)
      {
        Handle(PhGeom_Curve) aCurve = PhGeom_Curve::Create(aModel->Allocator(), 0);
        addElements(aContour, *aCurve);
        aContainer->AddChild(std::move(aCurve));
      }
      addSequence(*aModel, aToolpath, anAperture, 1, aContainer);
    }
  }
  return aModel;
}
