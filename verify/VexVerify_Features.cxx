// Copyright (c) 2026 VexData developers
#include <VexVerify_Features.hxx>

#include <VexVerify_Geometry.hxx>

#include <PenFormatData.hxx>

VexVerify_Features::Kind VexVerify_Features::Classify(const PenFormatData_Sequence& theSequence)
{
  if (theSequence.GetCurve().IsNull())
  {
    return Kind_None;
  }
  if (theSequence.IsArea())
  {
    return Kind_Area;
  }
  if (theSequence.ToolpathFlag() != 0 || theSequence.IsClear())
  {
    return Kind_Strokes;
  }
  return Kind_None;
}

Standard_Boolean VexVerify_Features::IsPathToolpath(const PenFormatData_Sequence& theSequence)
{
  return theSequence.ToolpathFlag() != 0 && theSequence.ToolpathMode() == 1 &&
         !theSequence.IsArea() && !theSequence.IsClear() && !theSequence.GetCurve().IsNull();
}

Standard_Boolean VexVerify_Features::IsPointToolpath(const PenFormatData_Sequence& theSequence)
{
  return theSequence.ToolpathFlag() != 0 && theSequence.ToolpathMode() == 2 &&
         !theSequence.IsArea() && !theSequence.IsClear() && !theSequence.GetCurve().IsNull();
}

Standard_Real VexVerify_Features::UnitFactor(const PenFormatData_Model& theModel)
{
  return PenFormatData::ComputeUnitFactor(theModel.DimensionUnit(), PenFormatData_DU_Millimetre);
}

Standard_Real VexVerify_Features::Width(const PenFormatData_Model& theModel,
                                        const Standard_Integer     theNumber)
{
  const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(theNumber);
  return anAperture.IsNull() || anAperture->NbParams() < 1 ? 0.0 : anAperture->Param(1);
}

Standard_Real VexVerify_Features::HoleWidth(const PenFormatData_Model& theModel,
                                            const Standard_Integer     theNumber)
{
  const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(theNumber);
  if (anAperture.IsNull() || anAperture->ShapeCode() != PenFormatData_Aperture::Shape_Round ||
      anAperture->NbParams() < 2)
  {
    return 0.0;
  }
  return anAperture->Param(2);
}

TCollection_AsciiString VexVerify_Features::Name(const PenFormatData_Model& theModel,
                                                 const Standard_Integer     theNumber)
{
  const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(theNumber);
  if (anAperture.IsNull() || anAperture->Name().IsEmpty())
  {
    return TCollection_AsciiString("#") + TCollection_AsciiString(theNumber);
  }
  return Text(anAperture->Name());
}

TCollection_AsciiString VexVerify_Features::Text(const TCollection_ExtendedString& theText)
{
  // A replacement character of 0 asks for UTF-8.
  return TCollection_AsciiString(theText, '\0');
}

namespace
{
//! Returns true when the values of theElement, scaled by theFactor, are usable.
Standard_Boolean isUsable(const PhGeom_Element& theElement, const Standard_Real theFactor)
{
  if (!VexVerify_Geometry::IsUsable(theElement.StartPoint() * theFactor) ||
      !VexVerify_Geometry::IsUsable(theElement.EndPoint() * theFactor))
  {
    return Standard_False;
  }
  if (theElement.Kind() != PhGeom_Element::Kind_Arc)
  {
    return Standard_True;
  }
  const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
  return VexVerify_Geometry::IsUsable(anArc.Center() * theFactor) &&
         VexVerify_Geometry::IsUsable(anArc.Radius() * theFactor) &&
         VexVerify_Geometry::IsUsable(anArc.Angle(0)) &&
         VexVerify_Geometry::IsUsable(anArc.Angle(1));
}

//! Returns true when every element of every contour of theSequence is usable.
Standard_Boolean isUsable(const PenFormatData_Sequence& theSequence, const Standard_Real theFactor)
{
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(
           theSequence.GetCurve()->Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull())
    {
      continue;
    }
    for (PhGeom_Curve::ElementIterator anIt(*aContour.Value()); anIt.More(); anIt.Next())
    {
      if (!isUsable(anIt.Value(), theFactor))
      {
        return Standard_False;
      }
    }
  }
  return Standard_True;
}
} // namespace

Standard_Boolean VexVerify_Features::IsUsable(const PenFormatData_Model& theModel)
{
  const Standard_Real aFactor = UnitFactor(theModel);
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theModel.Objects());
       anIt.More(); anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIt.Value());
    if (aSequence.IsNull() || aSequence->GetCurve().IsNull())
    {
      continue;
    }
    const Standard_Integer anAperture = aSequence->ApertureNumber();
    if (!VexVerify_Geometry::IsUsable(Width(theModel, anAperture) * aFactor) ||
        !VexVerify_Geometry::IsUsable(HoleWidth(theModel, anAperture) * aFactor) ||
        !isUsable(*aSequence, aFactor))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

void VexVerify_Features::Outline(const PhGeom_Curve& theContour, const Standard_Real theFactor,
                                 std::vector<gp_XY>& thePoints)
{
  thePoints.clear();
  for (PhGeom_Curve::ElementIterator anIt(theContour); anIt.More(); anIt.Next())
  {
    const PhGeom_Element& anElement = anIt.Value();
    if (thePoints.empty())
    {
      thePoints.push_back(anElement.StartPoint() * theFactor);
    }
    if (anElement.Kind() == PhGeom_Element::Kind_Arc)
    {
      VexVerify_Geometry::FlattenArc(static_cast<const PhGeom_Arc&>(anElement), theFactor,
                                     thePoints);
    }
    else if (anElement.Kind() == PhGeom_Element::Kind_Segment)
    {
      thePoints.push_back(anElement.EndPoint() * theFactor);
    }
  }
}
