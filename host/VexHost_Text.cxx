// Copyright (c) 2026 VexData developers
#include <VexHost_Text.hxx>

#include <PenFormatData_Sequence.hxx>
#include <TCollection_AsciiString.hxx>

#include <sstream>

std::string VexHost_Text::Utf8(const TCollection_ExtendedString& theText)
{
  return TCollection_AsciiString(theText).ToCString();
}

std::string VexHost_Text::Number(const Standard_Real theValue)
{
  std::ostringstream aStream;
  aStream << theValue;
  return aStream.str();
}

std::string VexHost_Text::UnitName(const PenFormatData_DimensionUnit theUnit)
{
  switch (theUnit)
  {
  case PenFormatData_DU_Millimetre:
    return "millimetre";
  case PenFormatData_DU_Micrometre:
    return "micrometre";
  case PenFormatData_DU_Inch:
    return "inch";
  case PenFormatData_DU_Mil:
    return "mil";
  }
  return "unit " + std::to_string(static_cast<int>(theUnit));
}

std::string VexHost_Text::ApertureName(const PenFormatData_Model& theModel,
                                       const Standard_Integer     theNumber)
{
  const Handle(PenFormatData_Aperture) anAperture = theModel.Aperture(theNumber);
  return anAperture.IsNull() ? std::string("?") : Utf8(anAperture->Name());
}

std::string VexHost_Text::Describe(const PenFormatData_Model& theModel,
                                   const Handle(PenFormatData_Object) & theObject)
{
  std::ostringstream aText;
  if (const Handle(PenFormatData_Sequence) aSeq =
          Handle(PenFormatData_Sequence)::DownCast(theObject))
  {
    const Standard_Integer aContours =
        aSeq->GetCurve().IsNull() ? 0 : aSeq->GetCurve()->Children().Extent();
    aText << (aSeq->ToolpathFlag() != 0 ? "toolpath" : "sequence (not a toolpath)") << ", mode "
          << aSeq->ToolpathMode() << ", aperture " << aSeq->ApertureNumber() << " \""
          << ApertureName(theModel, aSeq->ApertureNumber()) << "\", phase \""
          << Utf8(aSeq->PhaseName()) << "\", layer \"" << Utf8(aSeq->LayerName()) << "\", "
          << aContours << (aContours == 1 ? " contour" : " contours");
  }
  else if (const Handle(PenFormatData_Layer) aLayer =
               Handle(PenFormatData_Layer)::DownCast(theObject))
  {
    aText << "layer \"" << Utf8(aLayer->Name()) << "\"";
  }
  else if (const Handle(PenFormatData_Aperture) anAp =
               Handle(PenFormatData_Aperture)::DownCast(theObject))
  {
    aText << "aperture \"" << Utf8(anAp->Name()) << "\"";
  }
  else
  {
    aText << (theObject.IsNull() ? "null object" : theObject->DynamicType()->Name());
  }
  return aText.str();
}
