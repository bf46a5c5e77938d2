// Copyright (c) 2026 VexData developers
#include <VexRender_SvgSurvey.hxx>

#include <cmath>

namespace
{
const double THE_HALF_PI = 0.5 * M_PI;

//! Returns true when both coordinates are finite.
bool isFinite(const gp_XY& thePoint)
{
  return std::isfinite(thePoint.X()) && std::isfinite(thePoint.Y());
}
} // namespace

VexRender_SvgSurvey::VexRender_SvgSurvey(const PenFormatData_Model& theModel)
    : myModel(theModel), myFactor(VexGeom_Drawing::UnitFactor(theModel)), myNbToolpaths(0),
      myNbScanFields(0), myNbAreas(0), myNbFlashes(0), myNbLines(0), myNbClear(0)
{
  perform();
}

VexRender_SvgSurvey::Tool& VexRender_SvgSurvey::tool(const Standard_Integer theNumber)
{
  std::map<Standard_Integer, Tool>::iterator anIter = myTools.find(theNumber);
  if (anIter != myTools.end())
  {
    return anIter->second;
  }
  Tool anEntry;
  const Handle(PenFormatData_Aperture) anAperture = myModel.Aperture(theNumber);
  anEntry.Name =
      anAperture.IsNull() ? TCollection_ExtendedString("#") + theNumber : anAperture->Name();
  anEntry.Width = VexGeom_Drawing::Width(myModel, theNumber) * myFactor;
  return myTools.emplace(theNumber, anEntry).first->second;
}

void VexRender_SvgSurvey::perform()
{
  for (VexGeom_Walker aWalker(myModel); aWalker.More(); aWalker.Next())
  {
    surveyContours(aWalker);
  }
  surveyScanFieldList();
  size_t aColour = 0;
  for (std::map<Standard_Integer, Tool>::iterator anIter = myTools.begin(); anIter != myTools.end();
       ++anIter)
  {
    anIter->second.Colour = aColour++;
  }
}

void VexRender_SvgSurvey::surveyContours(const VexGeom_Walker& theWalker)
{
  const PenFormatData_Sequence& aSequence = theWalker.Sequence();
  const VexGeom_Drawing::Kind   aKind     = theWalker.Kind();
  const VexGeom_Shape&          aShape    = theWalker.Shape();
  const bool                    isToolpath =
      aKind == VexGeom_Drawing::Kind_Path || aKind == VexGeom_Drawing::Kind_Drill;
  Tool* aTool = isToolpath ? &tool(aSequence.ApertureNumber()) : NULL;
  // The stroke or disc size is not known before the extent is; half a tool width pads enough.
  const double aToolPad =
      aTool != NULL && std::isfinite(aTool->Width) ? std::max(0.5 * aTool->Width, 0.0) : 0.0;
  const gp_XY aPad = isToolpath ? gp_XY(aToolPad, aToolPad) : aShape.HalfExtent();
  // Which elements each kind draws: drills their points, artwork both, the others their lines.
  const bool toDrawPoints =
      aKind == VexGeom_Drawing::Kind_Drill || aKind == VexGeom_Drawing::Kind_Artwork;
  const bool toDrawLines = aKind != VexGeom_Drawing::Kind_Drill;
  int        aNbLines = 0, aNbPoints = 0;
  for (NCollection_List<Handle(PhGeom_Curve)>::Iterator aContour(aSequence.GetCurve()->Children());
       aContour.More(); aContour.Next())
  {
    if (aContour.Value().IsNull())
    {
      continue;
    }
    bool hasLine = false;
    for (PhGeom_Curve::ElementIterator anIter(*aContour.Value()); anIter.More(); anIter.Next())
    {
      const PhGeom_Element& anElement = anIter.Value();
      const bool            isPoint   = anElement.Kind() == PhGeom_Element::Kind_Point;
      if (!VexGeom_Drawing::IsUsable(anElement, myFactor) ||
          (isPoint ? !toDrawPoints : !toDrawLines) ||
          (isPoint && aKind == VexGeom_Drawing::Kind_Artwork && aShape.IsEmpty()))
      {
        continue;
      }
      aNbPoints += isPoint ? 1 : 0;
      hasLine = hasLine || !isPoint;
      addElement(anElement, aPad);
    }
    aNbLines += hasLine ? 1 : 0;
  }
  count(aSequence, aKind, aTool, aNbLines, aNbPoints);
}

void VexRender_SvgSurvey::count(const PenFormatData_Sequence& theSequence,
                                const VexGeom_Drawing::Kind theKind, Tool* theTool,
                                const int theNbLines, const int theNbPoints)
{
  switch (theKind)
  {
  case VexGeom_Drawing::Kind_Path:
  case VexGeom_Drawing::Kind_Drill:
    ++myNbToolpaths;
    theTool->Paths += theNbLines;
    theTool->Hits += theNbPoints;
    break;
  case VexGeom_Drawing::Kind_ScanField:
    myNbScanFields += theNbLines;
    break;
  case VexGeom_Drawing::Kind_Area:
  case VexGeom_Drawing::Kind_Artwork:
    myNbAreas += theKind == VexGeom_Drawing::Kind_Area && theNbLines > 0 ? 1 : 0;
    myNbLines += theKind == VexGeom_Drawing::Kind_Artwork ? theNbLines : 0;
    myNbFlashes += theNbPoints;
    myNbClear += theSequence.IsClear() && theNbLines + theNbPoints > 0 ? 1 : 0;
    break;
  case VexGeom_Drawing::Kind_Other:
    break;
  }
}

void VexRender_SvgSurvey::addElement(const PhGeom_Element& theElement, const gp_XY& thePad)
{
  myExtent.Add(Mm(theElement.StartPoint()), thePad.X(), thePad.Y());
  myExtent.Add(Mm(theElement.EndPoint()), thePad.X(), thePad.Y());
  if (theElement.Kind() == PhGeom_Element::Kind_Arc)
  {
    addArc(static_cast<const PhGeom_Arc&>(theElement), thePad);
  }
}

void VexRender_SvgSurvey::addArc(const PhGeom_Arc& theArc, const gp_XY& thePad)
{
  // The arc reaches beyond its end points where it crosses an axis direction.
  const double aLow     = std::min(theArc.Angle(0), theArc.Angle(1));
  const double aHigh    = std::max(theArc.Angle(0), theArc.Angle(1));
  const gp_XY  aCenter  = Mm(theArc.Center());
  const double aRadius  = theArc.Radius() * myFactor;
  double       aQuarter = std::ceil(aLow / THE_HALF_PI);
  for (int aCount = 0; aCount < 5 && aQuarter * THE_HALF_PI <= aHigh; ++aCount, aQuarter += 1.0)
  {
    const double anAngle = aQuarter * THE_HALF_PI;
    myExtent.Add(aCenter + gp_XY(aRadius * std::cos(anAngle), aRadius * std::sin(anAngle)),
                 thePad.X(), thePad.Y());
  }
}

void VexRender_SvgSurvey::surveyScanFieldList()
{
  for (Standard_Integer anIndex = 1; anIndex < myModel.NbScanFields(); ++anIndex)
  {
    const Handle(PenFormatData_ScanField) aField = myModel.ScanField(anIndex);
    if (aField.IsNull())
    {
      continue;
    }
    const gp_XY aCenter = Mm(aField->Center());
    const gp_XY aHalf(0.5 * aField->Width() * myFactor, 0.5 * aField->Height() * myFactor);
    if (isFinite(aCenter) && isFinite(aHalf) && aHalf.X() > 0.0 && aHalf.Y() > 0.0)
    {
      myExtent.Add(aCenter, aHalf.X(), aHalf.Y());
      ++myNbScanFields;
    }
  }
}
