// Copyright (c) 2026 VexData developers
#include <VexGeom_Drawing.hxx>

#include <VexGeom_Units.hxx>

#include <PenFormatData.hxx>
#include <VexData_Format.hxx>

#include <vector>

namespace
{
//! Returns true when every element of every contour of theSequence is usable.
bool isUsable(const PenFormatData_Sequence& theSequence, const double theFactor)
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
      if (!VexGeom_Drawing::IsUsable(anIt.Value(), theFactor))
      {
        return false;
      }
    }
  }
  return true;
}

//! Returns true when the lengths of aperture theNumber of theModel (its first parameter, and the
//! sizes of the shape it draws), scaled by theFactor, are usable; a missing aperture is.
bool isUsable(const PenFormatData_Model& theModel, const Standard_Integer theNumber,
              const double theFactor)
{
  const VexGeom_Shape aShape = VexGeom_Shape::FromAperture(theModel.Aperture(theNumber), theFactor);
  return VexGeom_Units::IsUsable(VexGeom_Drawing::Width(theModel, theNumber) * theFactor) &&
         VexGeom_Units::IsUsable(aShape.Width()) && VexGeom_Units::IsUsable(aShape.Height()) &&
         VexGeom_Units::IsUsable(aShape.Hole());
}
} // namespace

VexGeom_Drawing::Kind VexGeom_Drawing::Classify(const PenFormatData_Sequence& theSequence,
                                                const VexGeom_Shape&          theShape)
{
  // Toolpaths are told apart as a machine file would receive them; the drawing attributes of
  // artwork only matter for the other sequences.
  static const TCollection_ExtendedString THE_SCAN_LAYER(VexData_Format::THE_SCAN_FIELD_LAYER);
  if (theSequence.ToolpathFlag() != 0)
  {
    return theSequence.ToolpathMode() == PenFormatData_TM_Path ? Kind_Path : Kind_Drill;
  }
  if (theSequence.LayerName() == THE_SCAN_LAYER)
  {
    return Kind_ScanField;
  }
  if (theSequence.IsArea())
  {
    return Kind_Area;
  }
  return theShape.IsDrawable() ? Kind_Artwork : Kind_Other;
}

Standard_Boolean VexGeom_Drawing::IsPathToolpath(const PenFormatData_Sequence& theSequence)
{
  return theSequence.ToolpathFlag() != 0 && theSequence.ToolpathMode() == 1 &&
         !theSequence.IsArea() && !theSequence.IsClear() && !theSequence.GetCurve().IsNull();
}

Standard_Boolean VexGeom_Drawing::IsPointToolpath(const PenFormatData_Sequence& theSequence)
{
  return theSequence.ToolpathFlag() != 0 && theSequence.ToolpathMode() == 2 &&
         !theSequence.IsArea() && !theSequence.IsClear() && !theSequence.GetCurve().IsNull();
}

double VexGeom_Drawing::UnitFactor(const PenFormatData_Model& theModel)
{
  return PenFormatData::ComputeUnitFactor(theModel.DimensionUnit(), PenFormatData_DU_Millimetre);
}

double VexGeom_Drawing::Width(const PenFormatData_Model& theModel, const Standard_Integer theNumber)
{
  const Handle(PenFormatData_Aperture)& anAperture = theModel.Aperture(theNumber);
  return anAperture.IsNull() || anAperture->NbParams() < 1 ? 0.0 : anAperture->Param(1);
}

Standard_Boolean VexGeom_Drawing::IsUsable(const PenFormatData_Model& theModel)
{
  const double aFactor = UnitFactor(theModel);
  // Apertures are looked at once each, however many sequences use them.
  std::vector<signed char> anApertures(static_cast<size_t>(theModel.NbApertures()) + 1, -1);
  for (NCollection_List<Handle(PenFormatData_Object)>::Iterator anIt(theModel.Objects());
       anIt.More(); anIt.Next())
  {
    const Handle(PenFormatData_Sequence) aSequence =
        Handle(PenFormatData_Sequence)::DownCast(anIt.Value());
    if (aSequence.IsNull() || aSequence->GetCurve().IsNull())
    {
      continue;
    }
    const Standard_Integer aNumber = aSequence->ApertureNumber();
    const size_t           anIndex = aNumber >= 0 && aNumber < theModel.NbApertures()
                                         ? static_cast<size_t>(aNumber)
                                         : anApertures.size() - 1;
    if (anApertures[anIndex] < 0)
    {
      anApertures[anIndex] = isUsable(theModel, aNumber, aFactor) ? 1 : 0;
    }
    if (anApertures[anIndex] == 0 || !isUsable(*aSequence, aFactor))
    {
      return Standard_False;
    }
  }
  return Standard_True;
}

Standard_Boolean VexGeom_Drawing::IsUsable(const PhGeom_Element& theElement, const double theFactor)
{
  if (!VexGeom_Units::IsUsable(theElement.StartPoint() * theFactor) ||
      !VexGeom_Units::IsUsable(theElement.EndPoint() * theFactor))
  {
    return Standard_False;
  }
  if (theElement.Kind() != PhGeom_Element::Kind_Arc)
  {
    return Standard_True;
  }
  const PhGeom_Arc& anArc = static_cast<const PhGeom_Arc&>(theElement);
  return VexGeom_Units::IsUsable(anArc.Center() * theFactor) &&
         VexGeom_Units::IsUsable(anArc.Radius() * theFactor) &&
         VexGeom_Units::IsUsable(anArc.Angle(0)) && VexGeom_Units::IsUsable(anArc.Angle(1));
}
